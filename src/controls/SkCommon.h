// The styled control library's common unit: colour arithmetic on a 0..240 hue/saturation/luminance
// scale, the XP colour schemes and theme colours, system queries (colour depth, version, fonts,
// monitors), and the frame, border, box and glyph drawing every styled control uses.
#pragma once

#include "Controls.h"
#include "DeviceContext.h"
#include "Graphics.h"
#include "Platform.h"
#include "StdCtrls.h"

#include <QString>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>

class TCanvas;
class TWinControl;

// Shared types --------------------------------------------------------------------------------------
enum TFrameStyleEx {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};
// The frame styles of FrameStyle and FrameHotStyle: fsNone .. fsFlatBold.
using TFrameStyle = TFrameStyleEx;

// A set of sides: sdLeft 1, sdTop 2, sdRight 4, sdBottom 8.
using TSides = unsigned;
enum : unsigned { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
constexpr TSides AllSides = sdLeft | sdTop | sdRight | sdBottom;

enum TFramingPreference { fpCustomFraming, fpXPThemes };
enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TOrientation { orHorizontal, orVertical };
enum TSkHotTrackColorType { htctComplement, htctActual };
enum TSkVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TSkButtonHotTrackStyle { htsInterior, htsFrame };
enum TSkGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
using TStateChangingEvent = std::function<void(TObject* Sender, TCheckBoxState NewState, bool& AllowChange)>;
using TStateChangeEvent = std::function<void(TObject* Sender, TCheckBoxState NewState)>;

enum TSkWindowsVersion {
    wvWin95,
    wvWinNT,
    wvWin98,
    wvWinMe,
    wvWin2000,
    wvWinXP,
    wvWin2003,
    wvWinVista,
    wvWin7
};

// After this many milliseconds without a key, the prefix typed for an incremental search (combo box,
// list box) is forgotten.
constexpr unsigned SearchResetDelay = 1500;

// Start-up values: fixed when the library starts (a panel re-reads the scheme on a theme change).
extern bool HighColorDisplay;
extern std::uint8_t XPColorScheme;

// The XP scheme colours: six per scheme (blue, olive, silver).
extern const TColor XPSchemeColors[3][6];

// Colour arithmetic ---------------------------------------------------------------------------------
void ColorToHLS(TColor Color, std::uint8_t& Hue, std::uint8_t& Saturation, std::uint8_t& Luminance);
std::uint8_t ColorHue(TColor Color);
TColor HLSToColor(std::uint8_t Hue, std::uint8_t Saturation, std::uint8_t Luminance);
TColor DarkerColor(TColor Color, std::uint8_t Amount);
TColor LighterColor(TColor Color, std::uint8_t Amount);
TColor AdjustColor(TColor Color, int Amount);
TColor BlendColors(TColor ForeColor, TColor BackColor, std::uint8_t Weight);
TColor XorColors(TColor Color1, TColor Color2);
bool ColorsTooClose(TColor Color1, TColor Color2);
TColor ComplementaryColor(TColor Color, std::uint8_t Luminance);
TRect CenterRect(const TRect& Rect, int Width, int Height);

// Colour schemes and theme colours ------------------------------------------------------------------
std::uint8_t GetXPColorScheme();
bool IsHighColorDisplay();
void GetXPSchemeColors3(TSkGradientColorStyle Style, TColor& Border, TColor& Start, TColor& Stop);
void GetXPSchemeColors2(TSkGradientColorStyle Style, TColor& Light, TColor& Dark);
TColor GetXPSchemeFrameColor(TSkGradientColorStyle Style);
void GetXPSchemeButtonColors(TSkGradientColorStyle Style, TColor& Face, TColor& Highlight, TColor& Shadow);
TColor GetXPThemeColor(std::uint8_t Which);

// Fonts and text ------------------------------------------------------------------------------------
// A logical font like Font, turned by Angle degrees; the caller frees it with DeleteObject.
HFONT CreateRotatedFont(TFont* Font, int Angle);
bool IsTrueTypeFont(TFont* Font);
int GetMinFontHeight(TFont* Font);
int GetAvgCharWidth(TFont* Font);
void DrawString(TCanvas* Canvas, const QString& S, const TRect& Rect, unsigned Flags);
void DrawStringCentered(TCanvas* Canvas, const QString& S, const TRect& Rect);
// Sends the control a message whose LParam points at the text.
std::intptr_t SendTextMessage(TControl* Control, unsigned Msg, std::intptr_t WParam, const QString& S);
using TCharSet = std::bitset<256>;
bool IsLeadByteChar(std::uint8_t C);  // a lead byte of the GBK code page
bool CharInSet(std::uint8_t C, const TCharSet& Set);
QChar FirstNonBlankChar(const QString& S);
int CountChar(QChar C, const QString& S);
bool RemoveChar(QString& S, QChar C);
QString RemoveAccelerators(const QString& S);
inline int MinInt(int A, int B) {
    return A < B ? A : B;
}
inline int MaxInt(int A, int B) {
    return A > B ? A : B;
}
void SwapWords(std::uint16_t& A, std::uint16_t& B);
// A setter's first step: stores Value when it differs; true when it did.
template <class T> bool StoreChanged(T& Field, const T& Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}
// At design time tells the form's designer that the form changed; there is no designer here.
void NotifyDesignerModified(TControl* Control);

// Monitors --------------------------------------------------------------------------------------------
TRect GetMonitorWorkArea(const TMonitor& Monitor);
TRect GetMonitorBounds(const TMonitor& Monitor);
std::optional<TMonitor> MonitorAtPoint(const TPoint& Point);

// Operating system ----------------------------------------------------------------------------------
bool RunningUnder(TSkWindowsVersion Version);
bool RunningAtLeast(TSkWindowsVersion Version);
bool IsWinNT();
bool GetDllFileVersion(const QString& FileName, std::uint64_t& Version);

// Frames, borders and boxes (each returns the rectangle inside what it drew) ---------------------------
TRect DrawSides(TCanvas* Canvas, TRect Rect, TColor ULColor, TColor LRColor, TSides Sides);
TRect DrawBorderSides(TCanvas* Canvas, TRect Rect, TColor ULColor, TColor LRColor, TSides Sides, int Width);
TRect Draw3DBorder(TCanvas* Canvas, TRect Rect, bool Sunken, TSides Sides);
TRect Draw3DBorderAllSides(TCanvas* Canvas, TRect Rect, bool Sunken);
TRect DrawButtonBorder(TCanvas* Canvas, TRect Rect, bool Down, TSides Sides);
TRect DrawButtonBorderAllSides(TCanvas* Canvas, TRect Rect, bool Down);
TRect DrawColorBorder(TCanvas* Canvas, TRect Rect, TColor Color, TSides Sides, bool Down);
TRect DrawColorBorderAllSides(TCanvas* Canvas, TRect Rect, TColor Color, bool Down);
TRect DrawBevel(TCanvas* Canvas, TRect Rect, TFrameStyleEx Style, TSides Sides);
TRect DrawBevelAllSides(TCanvas* Canvas, TRect Rect, TFrameStyleEx Style);
TRect DrawBorder(TCanvas* Canvas, TRect Rect, TColor Color, TSides Sides, TFrameStyleEx Style);
TRect DrawBorderAllSides(TCanvas* Canvas, TRect Rect, TColor Color, TFrameStyleEx Style);
TRect DrawBox(TCanvas* Canvas, TRect Rect, TColor Color);
TRect DrawDottedBorder(TCanvas* Canvas, TRect Rect);
TRect DrawRoundedBox(TCanvas* Canvas, TRect Rect, TColor Color, TSides Sides);
void DrawBoxFrame(TCanvas* Canvas, TRect Rect, TFrameStyleEx BorderOuter, TFrameStyleEx BorderInner,
                  int BorderWidth, TSides BorderSides, int BevelWidth, TColor BorderColor,
                  TColor BorderHighlight, TColor BorderShadow, TColor FlatColor, int FlatColorAdjustment,
                  TColor Color, TColor ParentColor, bool Transparent, bool FlatLines, TRect& Inner);
// The non-client frame of an edit-like control; KeepOldFrame skips clearing the 2-pixel band first.
void DrawControlFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx FrameStyle, TColor Color,
                      TColor FrameColor, TSides FrameSides, bool KeepOldFrame = false);
void RepaintControlFrame(TWinControl* Control, const TRect& Rect);
void InvalidateTransparentControls(TWinControl* Control);
// On high-colour displays a gradient ring 2 pixels wide just inside Rect; the clip is kept.
void PaintButtonFace(TCanvas* Canvas, const TRect& Rect, int Direction, TColor StartColor, TColor StopColor);

// Glyphs (each clipped to its rectangle) --------------------------------------------------------------
void DrawDropDownArrowButton(TCanvas* Canvas, const TRect& Rect, int Style, bool Enabled);
void DrawArrow(TCanvas* Canvas, const TRect& Rect, int Style, bool Enabled, int Direction);
void DrawCloseGlyph(TCanvas* Canvas, const TRect& Rect, TColor Color);
void DrawCloseButton(TCanvas* Canvas, const TRect& Rect, int Style, bool Enabled);
void DrawCheckBoxImage(TCanvas* Canvas, const TRect& Rect, int State, int DrawState, bool Focused,
                       TSkButtonHotTrackStyle HotStyle, TColor FrameColor, TColor HighlightColor,
                       TColor FillColor, TColor FocusColor, TColor DisabledColor, TColor HotColorA,
                       TColor HotColorB, bool ReadOnly, bool ReadOnlyColorOnFocus, TColor ReadOnlyColor);
void DrawRadioButtonImage(TCanvas* Canvas, const TRect& Rect, bool Checked, int DrawState, bool Focused,
                          TSkButtonHotTrackStyle HotStyle, TColor FrameColor, TColor HighlightColor,
                          TColor FillColor, TColor FocusColor, TColor DisabledColor, TColor HotColorA,
                          TColor HotColorB, TColor Color, bool Transparent, TColor TransparentKey,
                          bool ReadOnly, bool ReadOnlyColorOnFocus, TColor ReadOnlyColor);

// Menu controller -----------------------------------------------------------------------------------------
class TMenuItem;

// Gives every menu of the form that owns it an owner-drawn look: a gradient icon bar at the left of
// pop-up items, a framed gradient selection, check and radio glyphs in a small box, separators as one
// line and shortcuts right-aligned. At run time it takes over the drawing and measuring events of every
// menu item its owner owns (Loaded, and as items come and go); in the designer it only makes the
// owner's menus owner-drawn.
class TSkMenuController : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TSkGradientColorStyle GradientColorStyle READ GradientColorStyle WRITE SetGradientColorStyle)
    Q_PROPERTY(TColor SelectionColorStart READ SelectionColorStart WRITE SetSelectionColorStart)
    Q_PROPERTY(TColor SelectionColorStop READ SelectionColorStop WRITE SetSelectionColorStop)
    Q_PROPERTY(TColor SelectionFrameColor READ SelectionFrameColor WRITE SetSelectionFrameColor)
    Q_PROPERTY(TColor IconBarColorStart READ IconBarColorStart WRITE SetIconBarColorStart)
    Q_PROPERTY(TColor IconBarColorStop READ IconBarColorStop WRITE SetIconBarColorStop)
    Q_PROPERTY(TColor MenuColor READ MenuColor WRITE SetMenuColor)
    Q_PROPERTY(TColor MenuFontColor READ MenuFontColor WRITE SetMenuFontColor)
    Q_CLASSINFO("GradientColorStyle", "= gcsSystem")
    Q_CLASSINFO("SelectionColorStart", "TColor = clBtnFace")
    Q_CLASSINFO("SelectionColorStop", "TColor = clBtnShadow")
    Q_CLASSINFO("SelectionFrameColor", "TColor = cl3DDkShadow")
    Q_CLASSINFO("IconBarColorStart", "TColor = clWhite")
    Q_CLASSINFO("IconBarColorStop", "TColor = clBtnFace")
    Q_CLASSINFO("MenuColor", "TColor = clWindow")
    Q_CLASSINFO("MenuFontColor", "TColor = clWindowText")
public:
    explicit TSkMenuController(TComponent* AOwner);
    ~TSkMenuController() override;

    TSkGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    void SetGradientColorStyle(TSkGradientColorStyle Value) { FGradientColorStyle = Value; }
    TColor SelectionColorStart() const { return FSelectionColorStart; }
    void SetSelectionColorStart(TColor Value) { FSelectionColorStart = Value; }
    TColor SelectionColorStop() const { return FSelectionColorStop; }
    void SetSelectionColorStop(TColor Value) { FSelectionColorStop = Value; }
    TColor SelectionFrameColor() const { return FSelectionFrameColor; }
    void SetSelectionFrameColor(TColor Value) { FSelectionFrameColor = Value; }
    TColor IconBarColorStart() const { return FIconBarColorStart; }
    void SetIconBarColorStart(TColor Value) { FIconBarColorStart = Value; }
    TColor IconBarColorStop() const { return FIconBarColorStop; }
    void SetIconBarColorStop(TColor Value) { FIconBarColorStop = Value; }
    TColor MenuColor() const { return FMenuColor; }
    void SetMenuColor(TColor Value) { FMenuColor = Value; }
    TColor MenuFontColor() const { return FMenuFontColor; }
    void SetMenuFontColor(TColor Value) { FMenuFontColor = Value; }

    // Takes over the item's drawing and measuring, unless the program draws it itself already.
    void HookMenuItem(TMenuItem* Item);
    // Gives a hooked item's events back (both cleared).
    void UnhookMenuItem(TMenuItem* Item);
    int HookedCount() const { return int(FHookedItems.size()); }
    bool IsHooked(const TMenuItem* Item) const;

    void DrawMenuItem(TMenuItem* Item, TCanvas* Canvas, TRect Rect, TOwnerDrawState State);
    void MeasureMenuItem(TMenuItem* Item, int& Width, int& Height);

protected:
    // At run time hooks every menu item of the owner; in the designer makes its menus owner-drawn.
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Reads the names of earlier versions: "GradientColorDefault" and "ThemeAware" (dropped),
    // "GradientColorStart", "GradientColorStop" and "FrameColor" (into the selection colours).
    void DefineProperties(TFiler* Filer) override;

private:
    // The selection's frame, start and stop, and the icon bar's start and stop colours in use.
    struct TMenuColors {
        TColor Frame, Start, Stop, BarStart, BarStop;
    };
    TMenuColors Colors() const;
    void HookOwnerItems();
    void DrawCheckBox(TCanvas* Canvas, TMenuItem* Item, const TRect& IconBar, bool Selected, bool HasImage,
                      const TMenuColors& Colors);

    std::vector<TMenuItem*> FHookedItems;
    TSkGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FSelectionColorStart = clBtnFace;
    TColor FSelectionColorStop = clBtnShadow;
    TColor FSelectionFrameColor = cl3DDkShadow;
    TColor FIconBarColorStart = 0xFFFFFF;
    TColor FIconBarColorStop = clBtnFace;
    TColor FMenuColor = clWindow;
    TColor FMenuFontColor = clWindowText;
};

// Whether the user hides keyboard cues: "UserPreferencesMask" read whole with its bit $20 clear.
bool GetUserPreferencesMask();
