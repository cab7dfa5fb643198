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
    ini.WriteString("Other", "Added", "1");
    EXPECT_EQ(ini.ReadString("Other", "UID", ""), "x");
    EXPECT_EQ(ini.ReadString("UINFO", "UID", ""), "李四");
    EXPECT_EQ(ini.ReadInteger("UINFO", "BKFLG", 0), 2);
    EXPECT_EQ(ini.ReadString("New", "K", ""), "v=1");
    // Written back without the marks; a key replaced in its line, a new key at the end of its section
    // before the blank lines, a new section at the end after one.
    EXPECT_EQ(FileBytes(file),
              "[Other]\nUID=x\n; kept comment\nAdded=1\n\n[UINFO]\nUID=李四\nRunCon=abc\nBKFLG=2\n\n"
              "[New]\nK=v=1\n");
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
          QString("a") + QChar(0x2028) + "b", QString("a") + QChar(0x2029), QString("\x1b[2J"),
          QString("a") + QChar(0x1F), QString("a") + QChar(0x7F), QString("a") + QChar(0x9F)})
        EXPECT_THROW(ini.WriteString("UINFO", "UID", value), Exception) << value.toStdString();
    for (const QString& key : {"A=B", "[X]", " ", "A\nB"})
        EXPECT_THROW(ini.WriteString("UINFO", key, "x"), Exception) << key.toStdString();
    EXPECT_THROW(ini.WriteString("UI\nNFO", "UID", "x"), Exception);
    EXPECT_EQ(FileBytes(file), before);
    EXPECT_EQ(ini.ReadString("UINFO", "UID", ""), "user");
    // Printable text around them stays a value: a space, a no-break space, brackets.
    for (const QString& value : {QString("a b"), QString("a") + QChar(0xA0) + "b", QString("[x]")}) {
        ini.WriteString("UINFO", "PWD", value);
        EXPECT_EQ(ini.ReadString("UINFO", "PWD", ""), value) << value.toStdString();
        EXPECT_EQ(ini.ReadString("UINFO", "UID", ""), "user");
    }
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
