// The desktop the styled controls are drawn for. Its answers are fixed once so that every drawing
// path is deterministic: visual styles off (the classic paths draw), NT 5.1, high colour, the classic
// system colours (which also set the Qt palette) and a "registry" kept in one INI file. Tests may
// switch single answers to reach the other branches; ResetPlatformProfile puts them back.
#pragma once

#include "Graphics.h"

#include <QString>
#include <cstdint>

// Visual styles ---------------------------------------------------------------------------------
bool IsThemeActive();
bool IsAppThemed();

// The operating system the library asks about: platform 1 is the 9x family, 2 the NT family.
struct TOSVersionInfo {
    int PlatformId = 2;
    int MajorVersion = 5;
    int MinorVersion = 1;
    int BuildNumber = 2600;
};
const TOSVersionInfo& GetOSVersion();

// The fixed file version of a system library: only "comctl32.dll" and "shell32.dll" are known
// (6.0); the most significant double word (major << 16 | minor) lies in the high half.
bool GetFileVersion(const QString& fileName, std::uint64_t& version);
constexpr std::uint64_t MakeFileVersion(unsigned major, unsigned minor, unsigned build = 0,
                                        unsigned release = 0) {
    return (std::uint64_t((major << 16) | minor) << 32) | ((build << 16) | release);
}

// COM start-up succeeds and does nothing.
bool CoInitialize();
void CoUninitialize();

// Colour depth: NUMCOLORS of the screen, -1 on a display of more than 256 colours.
enum : int { NUMCOLORS = 24, BITSPIXEL = 12, LOGPIXELSX = 88, LOGPIXELSY = 90 };
int GetScreenDeviceCaps(int index);

// The Qt application palette from the classic system colours, so native parts (edit fields,
// scroll bars) match the styled ones, drawn by a style that keeps its pictures by colours rather than
// by control. Called once at start-up, after the application exists.
void ApplyClassicPalette();

// Monitors: Qt's screens; the work area is the available geometry.
struct TMonitor {
    int MonitorNum = 0;
    TRect BoundsRect;
    TRect WorkareaRect;
    bool Primary = false;
};
int ScreenMonitorCount();
TMonitor ScreenMonitor(int index);

// Keyboard cues: whether the user hides the underlined access keys until the keyboard is used. Read
// from the "UserPreferencesMask" value under "Control Panel\Desktop" (4 bytes before Vista, 8 from
// Vista on; its bit $20 shows the cues); a value that cannot be read whole reads as "shown".
bool KeyboardCuesHidden();

// Test switches ---------------------------------------------------------------------------------
void SetThemesActiveForTest(bool active);
void SetHighColorForTest(bool highColor);
void SetOSVersionForTest(int platformId, int major, int minor);
void ResetPlatformProfile();
