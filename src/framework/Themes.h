// Theme services: the colours and parts of the one visual style this desktop knows. Visual styles
// are off in the platform profile, so OpenThemeData gives nullptr and the classic paths draw; tests
// that switch the profile reach the themed paths through the same calls.
#pragma once

#include "DeviceContext.h"

#include <QString>

struct TThemeData {
    QString ClassName;
};
using HTHEME = TThemeData*;

enum : int { TMT_BORDERCOLOR = 3801, TMT_FILLCOLOR = 3802, TMT_TEXTCOLOR = 3803, TMT_GRADIENTCOLOR1 = 3810 };
// Parts drawn by DrawThemeBackground: the combo box's drop-down button, the spin buttons and the
// button class's parts below.
enum : int { CP_DROPDOWNBUTTON = 1, SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4 };
// The button class's parts and states: push buttons; radio buttons and check boxes by unchecked,
// checked and (check boxes) mixed, each normal, hot, pressed, disabled; the group box.
enum : int { BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3, BP_GROUPBOX = 4 };
enum : int { GBS_NORMAL = 1, GBS_DISABLED = 2 };
enum : int { PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5 };
enum : int { RBS_UNCHECKEDNORMAL = 1, RBS_CHECKEDNORMAL = 5 };
enum : int { CBS_UNCHECKEDNORMAL = 1, CBS_CHECKEDNORMAL = 5, CBS_MIXEDNORMAL = 9 };

// nullptr when visual styles are not active or the class is unknown.
HTHEME OpenThemeData(const QString& classList);
void CloseThemeData(HTHEME theme);
// False (and `color` untouched) for a colour the style does not define.
bool GetThemeColor(HTHEME theme, int part, int state, int property, TColor& color);
bool DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const TRect& rect);
// Framework use: the button class's parts, as DrawThemeBackground draws them.
bool DrawThemeButton(HDC dc, int part, int state, const TRect& rect);
// Text of a part in the context's font: its extent by DT_ flags (DT_CALCRECT implied), and the text
// drawn by those flags in the part's text colour for the state.
bool GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, const QString& text, unsigned flags,
                        TRect& extent);
bool DrawThemeText(HTHEME theme, HDC dc, int part, int state, const QString& text, unsigned flags,
                   const TRect& rect);
