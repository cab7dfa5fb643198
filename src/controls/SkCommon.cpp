// Colour arithmetic, colour schemes, theme colours and the system queries of the common unit.
#include "SkCommon.h"

#include "DeviceContext.h"
#include "Registry.h"
#include "Themes.h"

#include <QGuiApplication>
#include <algorithm>
#include <cfenv>
#include <cmath>

const TColor XPSchemeColors[3][6] = {
    {0x800000, 0xC2EEFF, 0xA0D9FF, 0xFFEFE3, 0xEABB99, 0xBF7F57},
    {0x385D3F, 0xC2EEFF, 0xA0D9FF, 0xEDFFFF, 0x92C7B8, 0x77A17F},
    {0x6F4B4B, 0xC2EEFF, 0xA0D9FF, 0xFFF9F9, 0xD0BCBD, 0xB19F9F},
};

bool HighColorDisplay = IsHighColorDisplay();
std::uint8_t XPColorScheme = GetXPColorScheme();

namespace {
// Rounds to the nearest integer, a tie to the even one.
long long RoundEven(long double v) {
    return std::llrint(v);  // the default rounding mode rounds ties to even
}

std::uint8_t ToByte(long long v) {
    return std::uint8_t(std::clamp<long long>(v, 0, 255));
}

bool SchemeColorsApply(TSkGradientColorStyle style) {
    return style == gcsMSOffice && IsThemeActive() && IsAppThemed();
}

const TColor* Scheme() {
    return XPSchemeColors[XPColorScheme < 3 ? XPColorScheme : 0];
}
}  // namespace

// Colour arithmetic ---------------------------------------------------------------------------------
void ColorToHLS(TColor Color, std::uint8_t& Hue, std::uint8_t& Saturation, std::uint8_t& Luminance) {
    const TColor rgb = ColorToRGB(Color);
    const long double r = GetRValue(rgb) / 255.0L, g = GetGValue(rgb) / 255.0L, b = GetBValue(rgb) / 255.0L;
    const long double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const long double l = (mx + mn) / 2;
    long double h = 0, s = 0;
    if (mx != mn) {
        const long double d = mx - mn;
        s = l < 0.5L ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / d;
        else if (g == mx)
            h = 2 + (b - r) / d;
        else
            h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0) h += 1;
    }
    Hue = ToByte(RoundEven(h * 240));
    Saturation = ToByte(RoundEven(s * 240));
    Luminance = ToByte(RoundEven(l * 240));
}

std::uint8_t ColorHue(TColor Color) {
    std::uint8_t h, s, l;
    ColorToHLS(Color, h, s, l);
    return h;
}

TColor HLSToColor(std::uint8_t Hue, std::uint8_t Saturation, std::uint8_t Luminance) {
    const long double h = Hue / 239.0L, s = Saturation / 240.0L, l = Luminance / 240.0L;
    const long double m2 = l < 0.5L ? l * (1 + s) : l + s - l * s;
    if (m2 <= 0) return RGB(0, 0, 0);
    const long double m1 = 2 * l - m2;
    const long double sv = (m2 - m1) / m2;
    const long double h6 = h * 6;
    const int sextant = int(h6);
    const long double fract = h6 - sextant;
    const long double vsf = m2 * sv * fract;
    const long double mid1 = m1 + vsf, mid2 = m2 - vsf;
    long double r, g, b;
    switch (sextant) {
    case 1:
        r = mid2, g = m2, b = m1;
        break;
    case 2:
        r = m1, g = m2, b = mid1;
        break;
    case 3:
        r = m1, g = mid2, b = m2;
        break;
    case 4:
        r = mid1, g = m1, b = m2;
        break;
    case 5:
        r = m2, g = m1, b = mid2;
        break;
    default:
        r = m2, g = mid1, b = m1;
        break;
    }
    auto channel = [](long double v) { return int(ToByte(RoundEven(std::min<long double>(v, 1) * 255))); };
    return RGB(channel(r), channel(g), channel(b));
}

namespace {
// The colour with its luminance moved by `delta`, kept within 0 .. 255 (not 240).
TColor ShiftLuminance(TColor color, int delta) {
    std::uint8_t h, s, l;
    ColorToHLS(color, h, s, l);
    return HLSToColor(h, s, std::uint8_t(std::clamp(l + delta, 0, 255)));
}
}  // namespace

TColor DarkerColor(TColor Color, std::uint8_t Amount) {
    return ShiftLuminance(Color, -Amount);
}
TColor LighterColor(TColor Color, std::uint8_t Amount) {
    return ShiftLuminance(Color, Amount);
}

TColor AdjustColor(TColor Color, int Amount) {
    if (Amount < 0) return DarkerColor(Color, std::uint8_t(std::min(255, -Amount)));
    if (Amount > 0) return LighterColor(Color, std::uint8_t(std::min(255, Amount)));
    return Color;
}

TColor BlendColors(TColor ForeColor, TColor BackColor, std::uint8_t Weight) {
    const TColor f = ColorToRGB(ForeColor), b = ColorToRGB(BackColor);
    const long double w = Weight / 255.0L;
    auto mix = [&](int fc, int bc) { return int(ToByte(RoundEven(fc * w + bc * (1 - w)))); };
    return RGB(mix(GetRValue(f), GetRValue(b)), mix(GetGValue(f), GetGValue(b)),
               mix(GetBValue(f), GetBValue(b)));
}

TColor XorColors(TColor Color1, TColor Color2) {
    return (ColorToRGB(Color1) ^ ColorToRGB(Color2)) & 0xFFFFFF;
}

bool ColorsTooClose(TColor Color1, TColor Color2) {
    std::uint8_t h1, s1, l1, h2, s2, l2;
    ColorToHLS(Color1, h1, s1, l1);
    ColorToHLS(Color2, h2, s2, l2);
    return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor ComplementaryColor(TColor Color, std::uint8_t Luminance) {
    const int h = ColorHue(Color);
    return HLSToColor(std::uint8_t(h < 120 ? h + 120 : h - 120), 240, Luminance);
}

TRect CenterRect(const TRect& Rect, int Width, int Height) {
    const int left = (Rect.Left + Rect.Right - Width) / 2, top = (Rect.Top + Rect.Bottom - Height) / 2;
    return {left, top, left + Width, top + Height};
}

// Schemes and theme colours -------------------------------------------------------------------------------
std::uint8_t GetXPColorScheme() {
    const QString name =
        TRegIniFile(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion"))
            .ReadString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), QString())
            .toUpper();
    if (name == QLatin1String("HOMESTEAD")) return 1;
    if (name == QLatin1String("METALLIC")) return 2;
    return 0;
}

bool IsHighColorDisplay() {
    return GetScreenDeviceCaps(NUMCOLORS) == -1;
}

void GetXPSchemeColors3(TSkGradientColorStyle Style, TColor& Border, TColor& Start, TColor& Stop) {
    if (SchemeColorsApply(Style)) {
        Border = Scheme()[0];
        Start = Scheme()[1];
        Stop = Scheme()[2];
    } else {
        Border = clHighlight;
        Stop = BlendColors(clHighlight, clWindow, 77);
        Start = LighterColor(Stop, 20);
    }
    if (!HighColorDisplay) Start = Stop;
}

void GetXPSchemeColors2(TSkGradientColorStyle Style, TColor& Light, TColor& Dark) {
    if (SchemeColorsApply(Style)) {
        Light = Scheme()[3];
        Dark = Scheme()[4];
    } else {
        Light = clWindow;
        Dark = DarkerColor(clBtnFace, 10);
    }
}

TColor GetXPSchemeFrameColor(TSkGradientColorStyle Style) {
    return SchemeColorsApply(Style) ? Scheme()[5] : LighterColor(clBtnShadow, 30);
}

void GetXPSchemeButtonColors(TSkGradientColorStyle Style, TColor& Face, TColor& Highlight, TColor& Shadow) {
    if (SchemeColorsApply(Style)) {
        Face = Scheme()[4];
        Highlight = Scheme()[3];
        Shadow = Face;
    } else {
        Face = DarkerColor(clBtnFace, 20);
        Highlight = clWindow;
        Shadow = DarkerColor(clBtnFace, 40);
    }
}

TColor GetXPThemeColor(std::uint8_t Which) {
    if (!IsThemeActive() || !IsAppThemed()) return clBtnFace;
    struct TSource {
        const char* ClassName;
        int Part, State, Property;
    };
    static constexpr TSource sources[] = {
        {"EDIT", 0, 0, TMT_BORDERCOLOR},           {"EXPLORERBAR", 5, 1, TMT_TEXTCOLOR},
        {"EXPLORERBAR", 9, 1, TMT_TEXTCOLOR},      {"EXPLORERBAR", 5, 1, TMT_FILLCOLOR},
        {"EXPLORERBAR", 0, 0, TMT_GRADIENTCOLOR1}, {"EXPLORERBAR", 12, 1, TMT_FILLCOLOR},
        {"BUTTON", 4, 1, TMT_TEXTCOLOR},           {"SPIN", 0, 0, TMT_BORDERCOLOR},
    };
    if (Which >= std::size(sources)) return 0xFFFFFF;
    TColor color = clBtnFace;  // what stays when the style does not give the colour
    const TSource& s = sources[Which];
    if (HTHEME theme = OpenThemeData(QString::fromLatin1(s.ClassName))) {
        GetThemeColor(theme, s.Part, s.State, s.Property, color);
        CloseThemeData(theme);
    }
    return color;
}

// Fonts and text --------------------------------------------------------------------------------------
namespace {
TLogFont LogFontOf(TFont* Font) {
    TLogFont lf;
    lf.Height = Font->Height();
    lf.Weight = Font->HasStyle(fsBold) ? 700 : 400;
    lf.Italic = Font->HasStyle(fsItalic);
    lf.Underline = Font->HasStyle(fsUnderline);
    lf.StrikeOut = Font->HasStyle(fsStrikeOut);
    lf.CharSet = Font->Charset();
    lf.FaceName = Font->Name();
    return lf;
}

TTextMetric MetricsOf(TFont* Font) {
    QImage screen(1, 1, QImage::Format_RGB32);
    TDeviceContext dc(&screen);
    dc.Font = LogFontOf(Font);
    return dc.GetTextMetrics();
}
}  // namespace

HFONT CreateRotatedFont(TFont* Font, int Angle) {
    TLogFont lf = LogFontOf(Font);
    lf.Width = 0;
    lf.Escapement = Angle * 10;
    lf.Orientation = 0;
    lf.PitchAndFamily = Font->Pitch() == fpVariable ? 2 : Font->Pitch() == fpFixed ? 1 : 0;
    return CreateFontIndirect(lf);
}

bool IsTrueTypeFont(TFont* Font) {
    return MetricsOf(Font).tmPitchAndFamily & TMPF_TRUETYPE;
}

int GetMinFontHeight(TFont* Font) {
    return MetricsOf(Font).tmHeight + 2;
}

int GetAvgCharWidth(TFont* Font) {
    QImage screen(1, 1, QImage::Format_RGB32);
    TDeviceContext dc(&screen);
    dc.Font = LogFontOf(Font);
    const int width =
        dc.GetTextExtent(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")).cx;
    return int(RoundEven(width / 52.0L));
}

void DrawString(TCanvas* Canvas, const QString& S, const TRect& Rect, unsigned Flags) {
    TRect r = Rect;
    Canvas->DrawText(S, r, Flags);
}

void DrawStringCentered(TCanvas* Canvas, const QString& S, const TRect& Rect) {
    DrawString(Canvas, S, Rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

std::intptr_t SendTextMessage(TControl* Control, unsigned Msg, std::intptr_t WParam, const QString& S) {
    return Control ? Control->Perform(Msg, WParam, reinterpret_cast<std::intptr_t>(&S)) : 0;
}

bool IsLeadByteChar(std::uint8_t C) {
    return C >= 0x81 && C <= 0xFE;
}
bool CharInSet(std::uint8_t C, const TCharSet& Set) {
    return Set.test(C);
}

QChar FirstNonBlankChar(const QString& S) {
    int i = 0;
    while (i < S.size() && S[i].unicode() <= ' ')
        ++i;
    int j = int(S.size());
    while (j > i && S[j - 1].unicode() <= ' ')
        --j;
    return i < j ? S[i] : QChar(0);
}

int CountChar(QChar C, const QString& S) {
    return int(S.count(C));
}

bool RemoveChar(QString& S, QChar C) {
    const qsizetype at = S.indexOf(C);
    if (at < 0) return false;
    S.remove(at, 1);
    return true;
}

QString RemoveAccelerators(const QString& S) {
    QString result;
    for (int i = 0; i < S.size(); ++i) {
        if (S[i] == QLatin1Char('&') && i < S.size() - 1) {
            if (S[i + 1] == QLatin1Char('&')) {
                result += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        result += S[i];
    }
    return result;
}

void SwapWords(std::uint16_t& A, std::uint16_t& B) {
    std::swap(A, B);
}

void NotifyDesignerModified(TControl*) {}

// Monitors and the operating system -------------------------------------------------------------------
TRect GetMonitorWorkArea(const TMonitor& Monitor) {
    return Monitor.WorkareaRect;
}
TRect GetMonitorBounds(const TMonitor& Monitor) {
    return Monitor.BoundsRect;
}

std::optional<TMonitor> MonitorAtPoint(const TPoint& Point) {
    for (int i = 0; i < ScreenMonitorCount(); ++i) {
        const TMonitor m = ScreenMonitor(i);
        if (m.BoundsRect.Contains(Point)) return m;
    }
    return std::nullopt;
}

bool RunningUnder(TSkWindowsVersion Version) {
    const TOSVersionInfo& v = GetOSVersion();
    const int p = v.PlatformId, major = v.MajorVersion, minor = v.MinorVersion;
    switch (Version) {
    case wvWin95:
        return p == 1 && major < 5 && minor == 0;
    case wvWinNT:
        return p == 2 && major < 5;
    case wvWin98:
        return p == 1 && major < 5 && minor == 10;
    case wvWinMe:
        return p == 1 && major < 5 && minor == 90;
    case wvWin2000:
        return p == 2 && major == 5 && minor == 0;
    case wvWinXP:
        return p == 2 && major == 5 && minor == 1;
    case wvWin2003:
        return p == 2 && major == 5 && minor == 2;
    case wvWinVista:
        return p == 2 && major == 6 && minor == 0;
    case wvWin7:
        return p == 2 && major == 6 && minor == 1;
    default:
        return false;
    }
}

bool RunningAtLeast(TSkWindowsVersion Version) {
    const TOSVersionInfo& v = GetOSVersion();
    const int p = v.PlatformId, major = v.MajorVersion, minor = v.MinorVersion;
    const bool anyFamily = p == 1 || p == 2;
    switch (Version) {
    case wvWin95:
        return anyFamily && major >= 4;
    case wvWinNT:
        return p == 2 && major >= 4;
    case wvWin98:
        return anyFamily && ((major >= 4 && minor >= 10) || major >= 5);
    case wvWinMe:
        return anyFamily && ((major >= 4 && minor >= 90) || major >= 5);
    case wvWin2000:
        return p == 2 && major >= 5;
    case wvWinXP:
        return p == 2 && ((major == 5 && minor >= 1) || major >= 6);
    case wvWin2003:
        return p == 2 && ((major >= 5 && minor >= 2) || major >= 6);
    case wvWinVista:
        return p == 2 && major >= 6;
    case wvWin7:
        return p == 2 && major >= 6 && minor >= 1;
    default:
        return false;
    }
}

bool IsWinNT() {
    return GetOSVersion().PlatformId == 2;
}

bool GetDllFileVersion(const QString& FileName, std::uint64_t& Version) {
    Version = 0;
    return GetFileVersion(FileName, Version);
}
