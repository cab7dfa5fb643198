#include "Themes.h"

#include "Platform.h"
#include "TextDraw.h"

#include <QStringList>

namespace {
struct TThemeColor {
    const char* ClassName;
    int Part, State, Property;
    TColor Color;
};

// The style's colours; a part of 0 is the class itself, a state of 0 any state.
constexpr TThemeColor ThemeColors[] = {
    {"EDIT", 0, 0, TMT_BORDERCOLOR, 0xB99D7F},           {"EXPLORERBAR", 5, 1, TMT_TEXTCOLOR, 0xC65D21},
    {"EXPLORERBAR", 9, 1, TMT_TEXTCOLOR, 0xFFFFFF},      {"EXPLORERBAR", 5, 1, TMT_FILLCOLOR, 0xF7DFD6},
    {"EXPLORERBAR", 0, 0, TMT_GRADIENTCOLOR1, 0xE7A27B}, {"EXPLORERBAR", 12, 1, TMT_FILLCOLOR, 0xB54900},
    {"BUTTON", 4, 1, TMT_TEXTCOLOR, 0xD54600},           {"SPIN", 0, 0, TMT_BORDERCOLOR, 0xB99D7F},
    {"BUTTON", 4, 2, TMT_TEXTCOLOR, 0x92A1A1},           {"BUTTON", 4, 0, TMT_BORDERCOLOR, 0xBFD0D0},
};

constexpr TColor ButtonFaceLight = 0xFDE8D6, ButtonFaceDark = 0xF0BF98, ArrowColor = 0x85614D,
                 ArrowDisabled = 0xC0C0C0;
}  // namespace

HTHEME OpenThemeData(const QString& classList) {
    if (!IsThemeActive() || !IsAppThemed()) return nullptr;
    for (const QString& name : classList.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        for (const TThemeColor& c : ThemeColors)
            if (name.trimmed().compare(QLatin1String(c.ClassName), Qt::CaseInsensitive) == 0)
                return new TThemeData{QString::fromLatin1(c.ClassName)};
    const QString first = classList.section(QLatin1Char(';'), 0, 0).trimmed().toUpper();
    return first == QLatin1String("COMBOBOX") ? new TThemeData{first} : nullptr;
}

void CloseThemeData(HTHEME theme) {
    delete theme;
}

bool GetThemeColor(HTHEME theme, int part, int state, int property, TColor& color) {
    if (!theme) return false;
    for (const TThemeColor& c : ThemeColors)
        if (theme->ClassName == QLatin1String(c.ClassName) && c.Part == part &&
            (c.State == 0 || c.State == state) && c.Property == property) {
            color = c.Color;
            return true;
        }
    return false;
}

namespace {
// The group box's frame: a line round the rectangle in the style's border colour, corners rounded
// off by leaving their pixels out.
bool GroupBoxFrame(HTHEME theme, HDC dc, int state, const TRect& r) {
    TColor border = clBtnShadow;
    GetThemeColor(theme, BP_GROUPBOX, state, TMT_BORDERCOLOR, border);
    const TLogBrush brush{bsSolid, border, {}, false};
    dc->FillRect(Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 1), brush);
    dc->FillRect(Rect(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom), brush);
    dc->FillRect(Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), brush);
    dc->FillRect(Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), brush);
    return true;
}
}  // namespace

// A rounded face in two shades with a small arrow centred on it; the button class's parts.
bool DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const TRect& rect) {
    if (!theme || !dc || rect.IsEmpty()) return false;
    if (theme->ClassName == QLatin1String("BUTTON"))
        return part == BP_GROUPBOX ? GroupBoxFrame(theme, dc, state, rect)
                                   : DrawThemeButton(dc, part, state, rect);
    const bool combo = theme->ClassName == QLatin1String("COMBOBOX");
    if (!combo && theme->ClassName != QLatin1String("SPIN")) return false;
    const int h = rect.Height();
    dc->FillRect(Rect(rect.Left, rect.Top, rect.Right, rect.Top + h / 2),
                 TLogBrush{bsSolid, ButtonFaceLight, {}, false});
    dc->FillRect(Rect(rect.Left, rect.Top + h / 2, rect.Right, rect.Bottom),
                 TLogBrush{bsSolid, ButtonFaceDark, {}, false});
    const TColor ink = state == 4 ? ArrowDisabled : ArrowColor;
    const int cx = rect.Left + rect.Width() / 2, cy = rect.Top + h / 2;
    const bool down = combo || part == SPNP_DOWN || part == SPNP_DOWNHORZ;
    for (int i = 0; i < 3; ++i) {
        const int y = down ? cy - 1 + i : cy + 1 - i;
        dc->FillRect(Rect(cx - 2 + i, y, cx + 3 - i, y + 1), TLogBrush{bsSolid, ink, {}, false});
    }
    return true;
}

bool GetThemeTextExtent(HTHEME theme, HDC dc, int, int, const QString& text, unsigned flags, TRect& extent) {
    if (!theme || !dc) return false;
    extent = Rect(0, 0, 0, 0);
    DrawTextDC(dc, text, extent, flags | DT_CALCRECT);
    return true;
}

bool DrawThemeText(HTHEME theme, HDC dc, int part, int state, const QString& text, unsigned flags,
                   const TRect& rect) {
    if (!theme || !dc) return false;
    TColor color = clGrayText;
    GetThemeColor(theme, part, state, TMT_TEXTCOLOR, color);
    const int saved = dc->SaveDC();
    dc->TextColor = color;
    dc->BkMode = TRANSPARENT;
    TRect r = rect;
    DrawTextDC(dc, text, r, flags & ~unsigned(DT_CALCRECT));
    dc->RestoreDC(saved);
    return true;
}
