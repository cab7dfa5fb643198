#include "IniFiles.h"
#include "Registry.h"
#include "SkCommonRegIni.h"
#include "Streaming.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// The platform's registry file lives in a temporary folder for each test.
struct SkRegIniFile : testing::Test {
    QTemporaryDir Dir;
    TSkRegIniFile Store{nullptr};
    void SetUp() override { TRegIniFile::SetFileName(Dir.filePath("registry.ini")); }
    void TearDown() override { TRegIniFile::SetFileName(QString()); }
};
}  // namespace

TEST_F(SkRegIniFile, AnIniFileStoreKeepsItsValuesInTheFileItsPathNames) {
    Store.SetPath(Dir.filePath("sub/settings.ini"));  // the folder is made on the first write
    Store.WriteString("窗口", "标题", "膳食");
    Store.WriteInteger("窗口", "Width", 640);
    Store.WriteBool("窗口", "Shown", true);
    EXPECT_EQ(Store.ReadString("窗口", "标题", ""), "膳食");
    EXPECT_EQ(Store.ReadInteger("窗口", "Width", 0), 640);
    EXPECT_TRUE(Store.ReadBool("窗口", "Shown", false));
    EXPECT_EQ(Store.ReadInteger("窗口", "Missing", 7), 7);
    // It is an ordinary ini file.
    const TIniFile file(Dir.filePath("sub/settings.ini"));
    EXPECT_EQ(file.ReadString("窗口", "Width", ""), "640");
    EXPECT_EQ(file.ReadString("窗口", "Shown", ""), "1");
    // A new path is taken at the next use.
    Store.SetPath(Dir.filePath("other.ini"));
    EXPECT_EQ(Store.ReadString("窗口", "标题", "none"), "none");
}

TEST_F(SkRegIniFile, ARelativePathLiesInItsSpecialFolder) {
    Store.SetPath("app\\settings.ini");
    EXPECT_EQ(Store.FileName(), QCoreApplication::applicationDirPath() + "/app/settings.ini");
    Store.SetSpecialFolder(sfUserDocuments);
    EXPECT_EQ(Store.FileName(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                                    "/app/settings.ini");
    Store.SetPath(Dir.filePath("abs.ini"));
    EXPECT_EQ(Store.FileName(), Dir.filePath("abs.ini"));
    Store.SetPath("");
    Store.SetSpecialFolder(sfNone);
    EXPECT_TRUE(Store.FileName().endsWith(".ini"));
    EXPECT_TRUE(Store.FileName().startsWith(QCoreApplication::applicationDirPath()));
}

TEST_F(SkRegIniFile, ARegistryStoreKeepsItsValuesUnderItsKeyInThePlatformsRegistry) {
    Store.SetPathType(ptRegistry);
    Store.SetPath("Software\\Veloria");
    Store.WriteString("Window", "Caption", "能量");
    Store.WriteInteger("Window", "Left", -20);
    EXPECT_EQ(Store.ReadString("Window", "Caption", ""), "能量");
    EXPECT_EQ(Store.ReadInteger("Window", "Left", 0), -20);
    EXPECT_EQ(TRegIniFile("Software\\Veloria").ReadString("Window", "Caption", ""), "能量");

    // Another root key is another place.
    Store.SetRegKey(hkeyLocalMachine);
    EXPECT_EQ(Store.ReadString("Window", "Caption", "none"), "none");
    Store.WriteString("Window", "Caption", "机器");
    EXPECT_EQ(TRegIniFile("Software\\Veloria", "HKEY_LOCAL_MACHINE").ReadString("Window", "Caption", ""), "机器");
    EXPECT_EQ(TRegIniFile("Software\\Veloria").ReadString("Window", "Caption", ""), "能量");
}

TEST_F(SkRegIniFile, ARegistryKeyOpenForReadingRefusesWritesAndOneWithoutReadRightsGivesTheDefaults) {
    Store.SetPathType(ptRegistry);
    Store.SetPath("Software\\Veloria");
    Store.WriteString("S", "Kept", "yes");
    Store.SetRegAccess(RegAccessBit(keyRead));
    EXPECT_EQ(Store.ReadString("S", "Kept", ""), "yes");
    EXPECT_THROW(Store.WriteString("S", "Kept", "no"), Exception);
    EXPECT_EQ(TRegIniFile("Software\\Veloria").ReadString("S", "Kept", ""), "yes");
    Store.SetRegAccess(RegAccessBit(keySetValue));
    EXPECT_EQ(Store.ReadString("S", "Kept", "default"), "default");
    Store.WriteString("S", "Kept", "set");
    EXPECT_EQ(TRegIniFile("Software\\Veloria").ReadString("S", "Kept", ""), "set");
}

TEST_F(SkRegIniFile, ItsPropertiesStreamWithTheirDefaultsLeftOut) {
    EXPECT_EQ(ComponentToText(&Store), "object TSkRegIniFile\nend\n");
    Store.SetName("Store");
    Store.SetPathType(ptRegistry);
    Store.SetRegAccess(RegAccessBit(keyRead) | RegAccessBit(keyWrite));
    Store.SetPath("Software\\X");
    const QString text = ComponentToText(&Store);
    EXPECT_EQ(text, "object Store: TSkRegIniFile\n"
                    "  Path = 'Software\\X'\n"
                    "  PathType = ptRegistry\n"
                    "  RegAccess = [keyRead, keyWrite]\n"
                    "end\n");
    TSkRegIniFile back(nullptr);
    TextToComponent(text, &back);
    EXPECT_EQ(back.RegAccess(), TSkRegAccess(RegAccessBit(keyRead) | RegAccessBit(keyWrite)));
    EXPECT_EQ(back.PathType(), ptRegistry);
}
