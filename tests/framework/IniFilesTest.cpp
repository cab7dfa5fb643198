#include "FileSizeLimit.h"
#include "IniFiles.h"
#include "SysUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TIniFile, DefaultsWhenFileOrKeyIsMissing) {
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("UInfo.ini"));
    EXPECT_EQ(ini.ReadString("UINFO", "UID", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("UINFO", "BKFLG", 0), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("UInfo.ini")));  // reading never creates the file
}

TEST(TIniFile, WritesKeepOtherSectionsAndKeys) {
    QTemporaryDir dir;
    const QString file = dir.filePath("UInfo.ini");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // A byte-order mark twice over, as a tool that adds one to a text that had one leaves it.
        f.write("\xEF\xBB\xBF\xEF\xBB\xBF[Other]\r\nUID=x\r\n; kept comment\r\n\r\n[UINFO]\r\nUID = 张三 "
                "\r\nRunCon=abc\r\n");
    }
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("Other", "UID", ""), "x");
    EXPECT_EQ(ini.ReadString("uinfo", "uid", ""), "张三");
    EXPECT_EQ(ini.ReadInteger("UINFO", "RunCon", 5), 5);  // not a number
    ini.WriteInteger("UINFO", "BKFLG", 2);
    ini.WriteString("UINFO", "UID", "李四");
    ini.WriteString("New", "K", "v=1");
    EXPECT_EQ(ini.ReadString("Other", "UID", ""), "x");
    EXPECT_EQ(ini.ReadString("UINFO", "UID", ""), "李四");
    EXPECT_EQ(ini.ReadInteger("UINFO", "BKFLG", 0), 2);
    EXPECT_EQ(ini.ReadString("New", "K", ""), "v=1");
    // Written back without the marks, with the comment in its place.
    EXPECT_TRUE(FileBytes(file).startsWith("[Other]\nUID=x\n; kept comment\n\n[UINFO]\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left behind
}

TEST(TIniFile, AnUnwritableFileRaisesInsteadOfLosingTheSettings) {
    TIniFile ini("/nonexistent-folder/UInfo.ini");
    EXPECT_THROW(ini.WriteString("UINFO", "UID", "a"), Exception);
}

TEST(TIniFile, AWriteThatFailsRaisesAndLeavesTheOldFileAsItWas) {
    QTemporaryDir dir;
    const QString file = dir.filePath("UInfo.ini");
    TIniFile ini(file);
    ini.WriteString("UINFO", "UID", "张三");
    ini.WriteString("UINFO", "PWD", "0123456789ABCDEF");
    ini.WriteInteger("UINFO", "BKFLG", 2);
    ini.WriteInteger("UINFO", "RunCon", 1);
    const QByteArray before = FileBytes(file);
    ASSERT_GT(before.size(), 40);
    {
        TFileSizeLimit limit(16);
        EXPECT_THROW(ini.WriteString("UINFO", "RunHelp", "1"), Exception);
    }
    EXPECT_EQ(FileBytes(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // the unfinished file is gone
    EXPECT_EQ(ini.ReadInteger("UINFO", "BKFLG", 0), 2);
}

TEST(TIniFile, AValueCannotStartNewLinesKeysOrSections) {
    QTemporaryDir dir;
    const QString file = dir.filePath("UInfo.ini");
    TIniFile ini(file);
    ini.WriteString("UINFO", "UID", "user");
    const QByteArray before = FileBytes(file);
    for (const QString& value :
         {QString("a\n[UINFO]\nBKFLG=2"), QString("a\rBKFLG=2"), QString("a") + QChar(0) + "b",
          QString("a") + QChar(0x2028) + "b", QString("\x1b[2J"), QString("a") + QChar(0x7F)})
        EXPECT_THROW(ini.WriteString("UINFO", "UID", value), Exception) << value.toStdString();
    EXPECT_THROW(ini.WriteString("UINFO", "A=B", "x"), Exception);
    EXPECT_THROW(ini.WriteString("UINFO", "[X]", "x"), Exception);
    EXPECT_EQ(FileBytes(file), before);
    EXPECT_EQ(ini.ReadString("UINFO", "UID", ""), "user");
}

TEST(TIniFile, SeveralKeysAreWrittenTogether) {
    QTemporaryDir dir;
    const QString file = dir.filePath("UInfo.ini");
    TIniFile ini(file);
    ini.WriteStrings("UINFO", {{"UID", "甲"}, {"PWD", "AB"}});
    // A bad value anywhere in the group stores none of it.
    EXPECT_THROW(ini.WriteStrings("UINFO", {{"UID", "乙"}, {"PWD", "C\nD"}}), Exception);
    EXPECT_EQ(ini.ReadString("UINFO", "UID", ""), "甲");
    EXPECT_EQ(ini.ReadString("UINFO", "PWD", ""), "AB");
}
