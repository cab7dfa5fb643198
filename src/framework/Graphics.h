// Drawing: colours, rectangles, fonts, pens, brushes and the canvas that draws with them.
// The canvas keeps the classic pixel rules that owner-drawn controls are written against:
// a rectangle's right and bottom edges are exclusive, and LineTo leaves out its end point.
#pragma once

#include "Classes.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class TDeviceContext;
class TBitmap;
class QFont;
class QColor;
class QImage;
class TGraphic;

// Colours -----------------------------------------------------------------------------------------
// 0x00BBGGRR, or 0xFF0000nn for system colour nn.
using TColor = std::uint32_t;

constexpr TColor RGB(int r, int g, int b) {
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) {
    return int(c & 0xFF);
}
constexpr int GetGValue(TColor c) {
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c) {
    return int((c >> 16) & 0xFF);
}

constexpr TColor clSystemColor = 0xFF000000;
constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000) == clSystemColor;
}

enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clLtGray = 0xC0C0C0, clDkGray = 0x808080, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
                 clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSystemColor | COLOR_MENU;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
constexpr TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
constexpr TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;
constexpr TColor clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT;
constexpr TColor clMenuBar = clSystemColor | COLOR_MENUBAR;

// The fixed classic value of system colour nn (black for an unknown index).
TColor GetSysColor(int index);
// A system colour becomes its RGB value; clNone and clDefault become black; RGB colours pass.
TColor ColorToRGB(TColor color);
// Framework use: a framework colour (a system colour too) as Qt's.
QColor ToQColor(TColor color);
// The colour constants' names ("clBtnFace"), as streams write them; false for a colour with none.
bool ColorToIdent(TColor Color, QString& Ident);
bool IdentToColor(const QString& Ident, TColor& Color);

// Points and rectangles -------------------------------------------------------------------------
struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0, cy = 0;
    bool operator==(const TSize&) const = default;
};

// Right and Bottom lie just outside the rectangle.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int x, int y) {
    return {x, y};
}
constexpr TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
// Grows (positive) or shrinks (negative) the rectangle on every side.
void InflateRect(TRect& r, int dx, int dy);
void OffsetRect(TRect& r, int dx, int dy);
// The common part, or an empty rectangle at 0 when there is none; returns whether there is one.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
bool PtInRect(const TRect& r, const TPoint& p);

// Fonts, pens and brushes -----------------------------------------------------------------------
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum : int { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, GB2312_CHARSET = 134 };
// A set of TFontStyle: bit n stands for style n.
using TFontStyles = unsigned;
constexpr TFontStyles FontStyle(TFontStyle s) {
    return 1u << s;
}

// The installed font that stands in for a Windows face name: the classic UI and CJK faces
// ("宋体", "Tahoma", "MS Sans Serif", empty or "default") all map to the CJK sans font.
QString MapFontName(const QString& name);

constexpr int ScreenPixelsPerInch = 96;

// Published to streams as a sub-object of its control (Font.Color = clBlue); a value equal to a new
// font's is not written.
class TFont : public TObject {
    Q_GADGET
    Q_PROPERTY(int Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
    Q_CLASSINFO("Charset", "= 1")
    Q_CLASSINFO("Color", "TColor = clWindowText")
    Q_CLASSINFO("Height", "= -12")
    Q_CLASSINFO("Name", "= 宋体")
    Q_CLASSINFO("Pitch", "= fpDefault")
    Q_CLASSINFO("Style", "TFontStyles = []")
public:
    TFont();
    void Assign(const TFont& source);

    QString Name() const { return FName; }
    void SetName(const QString& name);
    int Size() const { return FSize; }  // points at 96 pixels per inch
    void SetSize(int size);
    // Negative: the character height in pixels (Size = -Height * 72 / 96).
    int Height() const;
    void SetHeight(int height);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    bool HasStyle(TFontStyle s) const { return FStyle & FontStyle(s); }
    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);

    std::function<void(TObject*)> OnChange;

    // The matching Qt font, pixel-sized so text measures the same on every screen.
    QFont ToQFont() const;

private:
    void Changed();
    QString FName;
    int FSize = 9;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    int FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen combines with the pixels beneath (the binary raster operations, in this order).
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TObject {
public:
    void Assign(const TPen& source);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode mode);
    std::function<void(TObject*)> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange(this);
    }
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TObject {
public:
    void Assign(const TBrush& source);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    // A pattern brush: the bitmap (not owned) is tiled; nullptr returns to Style.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* bitmap);
    std::function<void(TObject*)> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange(this);
    }
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// Text layout flags of DrawText.
enum : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
    DT_RTLREADING = 0x20000,
    DT_HIDEPREFIX = 0x100000,
};

// The state of an owner-drawn item (list item, menu item): a set of these flags.
using TOwnerDrawState = unsigned;
enum : unsigned {
    odSelected = 1,
    odGrayed = 2,
    odDisabled = 4,
    odChecked = 8,
    odFocused = 16,
    odDefault = 32,
    odHotLight = 64,
    odInactive = 128,
    odNoAccel = 256,
    odNoFocusRect = 512,
    odComboBoxEdit = 4096
};

// The canvas ------------------------------------------------------------------------------------
// Draws either through a painter handed in from outside (a widget's paint event, a printer page)
// or, for a bitmap's own canvas, on the bitmap's pixels. Coordinates are device pixels.
class TCanvas : public TObject {
public:
    TCanvas();
    explicit TCanvas(QPainter* painter);
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Draw through a painter owned by the caller until EndPaint.
    void BeginPaint(QPainter* painter);
    // Draw on a device context owned by the caller until EndPaint: every call then keeps the classic
    // pixel rules exactly (pen modes, copy mode, brush patterns, clip regions).
    void BeginPaint(TDeviceContext* dc);
    void EndPaint();
    bool HandleAllocated() const { return FPainter != nullptr || FDC != nullptr; }
    // The next drawing selects the pen, brush and font into the context again: for after the
    // context's own state was restored beneath the canvas (RestoreDC).
    void Refresh() { FPenDirty = FBrushDirty = FFontDirty = true; }
    // The device context this canvas draws on (a bitmap's, a control's off-screen image), with the
    // canvas's pen, brush and font selected; nullptr for a painter's canvas (a printer page).
    TDeviceContext* Handle();

    // The raster operation of CopyRect and of drawing bitmaps (SRCCOPY by default).
    unsigned CopyMode() const { return FCopyMode; }
    void SetCopyMode(unsigned mode) { FCopyMode = mode; }

    TFont* Font() { return &FFont; }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& p) { FPenPos = p; }
    void MoveTo(int x, int y) { FPenPos = {x, y}; }
    // A line from the pen position up to, not including, (x, y); the pen moves there.
    void LineTo(int x, int y);
    // Lines through the points; every point but the last is drawn.
    void Polyline(const std::vector<TPoint>& points);

    void FillRect(const TRect& r);                             // brush colour, edges exclusive
    void FrameRect(const TRect& r);                            // one-pixel outline in the brush colour
    void Rectangle(int left, int top, int right, int bottom);  // pen outline inside, brush inside that
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Polygon(const std::vector<TPoint>& points);  // brush fill, then the pen outline
    void RoundRect(int left, int top, int right, int bottom, int width, int height);
    void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    // Inverts every second pixel of the outline; a second call takes it away.
    void DrawFocusRect(const TRect& r);

    // Text at (x, y) as its top-left corner; a solid brush fills the text's cell first.
    // Virtual so a printer's canvas can be recorded in tests.
    virtual void TextOut(int x, int y, const QString& text);
    // As TextOut, clipped to r, with a solid brush filling all of r; a text running past r's right edge
    // is shortened to end in "…" there.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    TSize TextExtent(const QString& text);
    // Text laid out in r by DT_ flags; with DT_CALCRECT r takes the needed size and nothing is drawn.
    // Returns the text's height.
    int DrawText(const QString& text, TRect& r, unsigned flags);

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);

    // The pixel's colour, or clNone where the surface cannot be read back (a screen or printer).
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // The area that drawing can change, in canvas coordinates.
    TRect ClipRect();
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void ResetClip();

    // Copies an area of another canvas (one that can be read back) into dest, stretching.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    bool CanReadPixels();

    std::function<void(TObject*)> OnChange;

    // Framework use: the painter in effect (nullptr when not drawing) and the image drawn on, if any.
    QPainter* Painter() { return RequirePainter(); }
    QImage* ReadableImage();

protected:
    // A bitmap's canvas opens its painter on first use.
    virtual QPainter* RequirePainter();
    // A bitmap's canvas makes its device context on first use.
    virtual TDeviceContext* RequireDC() { return FDC; }
    virtual void Changed();
    QPainter* FPainter = nullptr;
    TDeviceContext* FDC = nullptr;

private:
    // The device context with the pen, brush and font that changed since the last call selected.
    TDeviceContext* SyncedDC();
    void WatchObjects();
    // Draws a bitmap through the copy mode; false when the canvas or the graphic takes another way.
    bool DrawBitmapDC(const TRect& r, TGraphic* graphic);
    bool FPenDirty = true, FBrushDirty = true, FFontDirty = true;
    unsigned FCopyMode = 0x00CC0020;
    void PlotLine(TPoint from, TPoint to, bool drawEnd);
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;
};
