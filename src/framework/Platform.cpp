#include "Platform.h"

#include "PaletteStyle.h"
#include "Registry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace {
struct TProfile {
    bool ThemesActive = false;
    bool HighColor = true;
    TOSVersionInfo Version;
};

TProfile& Profile() {
    static TProfile profile;
    return profile;
}

TRect FromQRect(const QRect& r) {
    return Bounds(r.x(), r.y(), r.width(), r.height());
}
}  // namespace

bool IsThemeActive() {
    return Profile().ThemesActive;
}
bool IsAppThemed() {
    return Profile().ThemesActive;
}
const TOSVersionInfo& GetOSVersion() {
    return Profile().Version;
}

bool GetFileVersion(const QString& fileName, std::uint64_t& version) {
    const QString name = fileName.toLower();
    if (name != QLatin1String("comctl32.dll") && name != QLatin1String("shell32.dll")) return false;
    version = MakeFileVersion(6, 0);
    return true;
}

bool CoInitialize() {
    return true;
}
void CoUninitialize() {}

int GetScreenDeviceCaps(int index) {
    switch (index) {
    case NUMCOLORS:
        return Profile().HighColor ? -1 : 256;
    case BITSPIXEL:
        return Profile().HighColor ? 32 : 8;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return ScreenPixelsPerInch;
    default:
        return 0;
    }
}

void ApplyClassicPalette() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    UseColourKeyedStyle();
    auto set = [](QPalette& p, QPalette::ColorRole role, TColor active, TColor disabled) {
        p.setColor(QPalette::Active, role, ToQColor(active));
        p.setColor(QPalette::Inactive, role, ToQColor(active));
        p.setColor(QPalette::Disabled, role, ToQColor(disabled));
    };
    QPalette p = QApplication::palette();
    set(p, QPalette::Window, clBtnFace, clBtnFace);
    set(p, QPalette::WindowText, clWindowText, clGrayText);
    set(p, QPalette::Base, clWindow, clBtnFace);
    set(p, QPalette::AlternateBase, clBtnFace, clBtnFace);
    set(p, QPalette::Text, clWindowText, clGrayText);
    set(p, QPalette::Button, clBtnFace, clBtnFace);
    set(p, QPalette::ButtonText, clBtnText, clGrayText);
    set(p, QPalette::Highlight, clHighlight, clBtnShadow);
    set(p, QPalette::HighlightedText, clHighlightText, clHighlightText);
    set(p, QPalette::Light, clBtnHighlight, clBtnHighlight);
    set(p, QPalette::Midlight, cl3DLight, cl3DLight);
    set(p, QPalette::Mid, clBtnShadow, clBtnShadow);
    set(p, QPalette::Dark, clBtnShadow, clBtnShadow);
    set(p, QPalette::Shadow, cl3DDkShadow, cl3DDkShadow);
    set(p, QPalette::ToolTipBase, clInfoBk, clInfoBk);
    set(p, QPalette::ToolTipText, clInfoText, clInfoText);
    set(p, QPalette::Link, clHotLight, clGrayText);
    set(p, QPalette::PlaceholderText, clGrayText, clGrayText);
    QApplication::setPalette(p);
}

bool KeyboardCuesHidden() {
    const QByteArray mask =
        TRegIniFile(QStringLiteral("\\Control Panel"))
            .ReadBinaryData(QStringLiteral("Desktop"), QStringLiteral("UserPreferencesMask"));
    const int size = GetOSVersion().MajorVersion >= 6 ? 8 : 4;
    return mask.size() == size && !(std::uint8_t(mask[0]) & 0x20);
}

int ScreenMonitorCount() {
    return int(QGuiApplication::screens().size());
}

TMonitor ScreenMonitor(int index) {
    const auto screens = QGuiApplication::screens();
    TMonitor m;
    if (index < 0 || index >= screens.size()) return m;
    m.MonitorNum = index;
    m.BoundsRect = FromQRect(screens[index]->geometry());
    m.WorkareaRect = FromQRect(screens[index]->availableGeometry());
    m.Primary = screens[index] == QGuiApplication::primaryScreen();
    return m;
}

void SetThemesActiveForTest(bool active) {
    Profile().ThemesActive = active;
}
void SetHighColorForTest(bool highColor) {
    Profile().HighColor = highColor;
}
void SetOSVersionForTest(int platformId, int major, int minor) {
    Profile().Version = {platformId, major, minor, 0};
}
void ResetPlatformProfile() {
    Profile() = TProfile();
}
