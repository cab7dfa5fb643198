// The platform profile the styled controls are drawn for, and the registry file.
#include "Platform.h"
#include "Registry.h"

#include <QApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PlatformProfile, AnswersTheClassicDesktopUnlessATestSwitchesIt) {
    ResetPlatformProfile();
    EXPECT_FALSE(IsThemeActive());
    EXPECT_FALSE(IsAppThemed());
    EXPECT_EQ(GetOSVersion().PlatformId, 2);
    EXPECT_EQ(GetOSVersion().MajorVersion, 5);
    EXPECT_EQ(GetOSVersion().MinorVersion, 1);
    EXPECT_EQ(GetScreenDeviceCaps(NUMCOLORS), -1);
    std::uint64_t version = 0;
    EXPECT_TRUE(GetFileVersion(QStringLiteral("COMCTL32.DLL"), version));
    EXPECT_EQ(version, 0x0006000000000000ull);
    EXPECT_FALSE(GetFileVersion(QStringLiteral("user32.dll"), version));
    EXPECT_TRUE(CoInitialize());
    SetThemesActiveForTest(true);
    SetHighColorForTest(false);
    SetOSVersionForTest(1, 4, 10);
    EXPECT_TRUE(IsThemeActive());
    EXPECT_EQ(GetScreenDeviceCaps(NUMCOLORS), 256);
    EXPECT_EQ(GetOSVersion().MinorVersion, 10);
    ResetPlatformProfile();
    EXPECT_FALSE(IsThemeActive());
}

TEST(PlatformProfile, ThePaletteTakesTheClassicSystemColours) {
    ApplyClassicPalette();
    const QPalette p = QApplication::palette();
    EXPECT_EQ(p.color(QPalette::Window), QColor(212, 208, 200));
    EXPECT_EQ(p.color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(p.color(QPalette::Highlight), QColor(10, 36, 106));
    EXPECT_EQ(p.color(QPalette::ToolTipBase), QColor(255, 255, 225));
    EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Text), QColor(128, 128, 128));
}

TEST(PlatformProfile, MonitorsComeFromTheScreens) {
    ASSERT_GE(ScreenMonitorCount(), 1);
    const TMonitor m = ScreenMonitor(0);
    EXPECT_FALSE(m.BoundsRect.IsEmpty());
    EXPECT_EQ(ScreenMonitor(99).BoundsRect, TRect{});
}

TEST(RegistryFile, KeysAreSectionsOfOneIniFileAndAbsentValuesGiveDefaults) {
    QTemporaryDir dir;
    TRegIniFile::SetFileName(dir.filePath(QStringLiteral("desktop.ini")));
    TRegIniFile key(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion"));
    EXPECT_EQ(
        key.ReadString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), QStringLiteral("none")),
        QStringLiteral("none"));
    key.WriteString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), QStringLiteral("Metallic"));
    EXPECT_EQ(TRegIniFile(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\"))
                  .ReadString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), QString()),
              QStringLiteral("Metallic"));
    TRegIniFile desktop(QStringLiteral("\\Control Panel"));
    desktop.WriteBinaryData(QStringLiteral("Desktop"), QStringLiteral("UserPreferencesMask"),
                            QByteArray::fromHex("9e1e0780"));
    EXPECT_EQ(desktop.ReadBinaryData(QStringLiteral("Desktop"), QStringLiteral("UserPreferencesMask")),
              QByteArray::fromHex("9e1e0780"));
    desktop.WriteString(QStringLiteral("Desktop"), QStringLiteral("Broken"), QStringLiteral("xyz"));
    EXPECT_TRUE(desktop.ReadBinaryData(QStringLiteral("Desktop"), QStringLiteral("Broken")).isEmpty());
    TRegIniFile::SetFileName(QString());
}
