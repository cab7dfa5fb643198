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
        f.write("; kept comment\r\n[Other]\r\nUID=x\r\n\r\n[UINFO]\r\nUID = 张三 \r\nRunCon=abc\r\n");
    }
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("uinfo", "uid", ""), "张三");
    EXPECT_EQ(ini.ReadInteger("UINFO", "RunCon", 5), 5);  // not a number
    ini.WriteInteger("UINFO", "BKFLG", 2);
    ini.WriteString("UINFO", "UID", "李四");
    ini.WriteString("New", "K", "v=1");
    EXPECT_EQ(ini.ReadString("Other", "UID", ""), "x");
    EXPECT_EQ(ini.ReadString("UINFO", "UID", ""), "李四");
    EXPECT_EQ(ini.ReadInteger("UINFO", "BKFLG", 0), 2);
    EXPECT_EQ(ini.ReadString("New", "K", ""), "v=1");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.startsWith("; kept comment"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left behind
}

TEST(TIniFile, AnUnwritableFileRaisesInsteadOfLosingTheSettings) {
    TIniFile ini("/nonexistent-folder/UInfo.ini");
    EXPECT_THROW(ini.WriteString("UINFO", "UID", "a"), Exception);
}
