// A device context over a 32-bit image, drawing with the classic pixel rules: rectangles and fills
// leave their right and bottom edges out, LineTo leaves out its end pixel, polygons fill by the
// alternate or winding rule, pens combine with the pixels beneath by a binary raster operation and
// blits by a ternary one, monochrome bitmaps map to and from colour by the text and background
// colours. Every primitive is clipped by the image bounds and the clip region.
#pragma once

#include "Graphics.h"
#include "Regions.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

// Binary raster operations of pens (and of brushes filling shapes).
enum : int {
    R2_BLACK = 1,
    R2_NOTMERGEPEN = 2,
    R2_MASKNOTPEN = 3,
    R2_NOTCOPYPEN = 4,
    R2_MASKPENNOT = 5,
    R2_NOT = 6,
    R2_XORPEN = 7,
    R2_NOTMASKPEN = 8,
    R2_MASKPEN = 9,
    R2_NOTXORPEN = 10,
    R2_NOP = 11,
    R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13,
    R2_MERGEPENNOT = 14,
    R2_MERGEPEN = 15,
    R2_WHITE = 16
};

// Ternary raster operations of blits: bits 16..23 are the truth table over pattern, source, destination.
enum : unsigned {
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328,
    NOTSRCCOPY = 0x00330008,
    NOTSRCERASE = 0x001100A6,
    MERGECOPY = 0x00C000CA,
    MERGEPAINT = 0x00BB0226,
    PATCOPY = 0x00F00021,
    PATPAINT = 0x00FB0A09,
    PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062
};

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
    TA_RTLREADING = 256
};
enum : unsigned { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };

// A raster operation applied to one 24-bit pixel value.
std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dest);
std::uint32_t ApplyRop3(unsigned rop, std::uint32_t pattern, std::uint32_t source, std::uint32_t dest);
// Whether a blit's raster operation reads the source, and the pattern.
bool RopUsesSource(unsigned rop);
bool RopUsesPattern(unsigned rop);

struct TLogPen {
    TPenStyle Style = psSolid;
    int Width = 1;
    TColor Color = clBlack;
};

struct TLogBrush {
    TBrushStyle Style = bsSolid;
    TColor Color = clWhite;
    // A pattern brush: 32-bit pixels, tiled from the brush origin; a monochrome one takes the text
    // colour for its black pixels and the background colour for its white ones.
    QImage Pattern;
    bool MonochromePattern = false;
};

struct TLogFont {
    int Height = -12;  // negative: character height in pixels; positive: cell height
    int Width = 0;
    int Escapement = 0;  // tenths of a degree, counter-clockwise
    int Orientation = 0;
    int Weight = 400;
    bool Italic = false, Underline = false, StrikeOut = false;
    int CharSet = 1;
    int PitchAndFamily = 0;
    QString FaceName;
};
QFont ToQFont(const TLogFont& font);

struct TTextMetric {
    int tmHeight = 0, tmAscent = 0, tmDescent = 0, tmInternalLeading = 0, tmExternalLeading = 0;
    int tmAveCharWidth = 0, tmMaxCharWidth = 0, tmWeight = 400;
    bool tmItalic = false, tmUnderlined = false, tmStruckOut = false;
    int tmPitchAndFamily = 0, tmCharSet = 1;
};
enum : int { TMPF_FIXED_PITCH = 1, TMPF_VECTOR = 2, TMPF_TRUETYPE = 4, TMPF_DEVICE = 8 };

class TDeviceContext;
using HDC = TDeviceContext*;

class TDeviceContext {
public:
    // Draws on `image` (converted to 32 bits when it is not); a monochrome context maps every
    // colour to black or white.
    explicit TDeviceContext(QImage* image, bool monochrome = false);
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    QImage* Image() const { return FImage; }
    bool Monochrome() const { return FMonochrome; }
    int Width() const { return FImage->width(); }
    int Height() const { return FImage->height(); }

    // State -------------------------------------------------------------------------------------
    TLogPen Pen;
    TLogBrush Brush;
    TLogFont Font;
    TColor TextColor = clBlack;
    TColor BkColor = clWhite;
    int BkMode = OPAQUE;
    int Rop2 = R2_COPYPEN;
    int PolyFillMode = ALTERNATE;
    unsigned TextAlign = TA_LEFT | TA_TOP;
    TPoint ViewportOrg;
    TPoint BrushOrg;
    TPoint CurrentPos;

    // Saves the whole state (clip included); RestoreDC(-1) restores the last saved one, a positive
    // level that saved state. Both answer false when there is nothing to restore.
    int SaveDC();
    bool RestoreDC(int level);

    // Clipping: regions are in device pixels, rectangles in logical ones.
    int SelectClipRgn(HRGN region);  // nullptr removes the clip
    int ExtSelectClipRgn(HRGN region, int mode);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int GetClipBox(TRect& box) const;  // logical
    bool HasClip() const { return FClip.has_value(); }
    // The drawable area in device pixels: the image less what the clip region leaves out.
    QRegion VisibleRegion() const;
    // Whether every pixel of the logical rectangle is drawable.
    bool RectWhollyVisible(const TRect& r) const;

    // Pixels ------------------------------------------------------------------------------------
    TColor GetPixel(int x, int y) const;  // clNone outside the image
    void SetPixel(int x, int y, TColor color);

    // Lines and shapes with the current pen and brush -------------------------------------------
    void MoveTo(int x, int y) { CurrentPos = {x, y}; }
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int width, int height);
    void Ellipse(int left, int top, int right, int bottom);
    // The outline of the ellipse counter-clockwise from the direction of (x1, y1) to that of (x2, y2).
    void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);

    // Areas by the current brush or a given one, raster operation copy ----------------------------
    void FillRect(const TRect& r);
    void FillRect(const TRect& r, const TLogBrush& brush);
    void FrameRect(const TRect& r, const TLogBrush& brush);
    void InvertRect(const TRect& r);
    // Inverts every second pixel of the outline, so a second call takes it away again.
    void DrawFocusRect(const TRect& r);
    void FillRgn(HRGN region, const TLogBrush& brush);  // region in logical coordinates
    void FrameRgn(HRGN region, const TLogBrush& brush, int width, int height);
    void InvertRgn(HRGN region);
    void PatBlt(int x, int y, int width, int height, unsigned rop);

    // Blits: negative extents mirror; the source may be this context.
    void BitBlt(int x, int y, int width, int height, const TDeviceContext* source, int sx, int sy,
                unsigned rop);
    void StretchBlt(int x, int y, int width, int height, const TDeviceContext* source, int sx, int sy, int sw,
                    int sh, unsigned rop);

    // Text in the current font at (x, y) placed by TextAlign; with ETO_OPAQUE `rect` is filled with
    // the background colour first, with ETO_CLIPPED the text stays inside it.
    void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text);
    void TextOut(int x, int y, const QString& text) { ExtTextOut(x, y, 0, nullptr, text); }
    TSize GetTextExtent(const QString& text) const;
    TTextMetric GetTextMetrics() const;

    // A painter on the image with the clip and the origin applied, for drawing that has no pixel rule
    // of its own (pictures, anti-aliased text); framework use.
    QPainter* Painter();
    void EndPainter();

    // Framework use: the primitives the shapes are built from, in device pixels.
    void FillDeviceRegion(const QRegion& region, const TLogBrush& brush, int rop2);
    void PenDeviceRegion(const QRegion& region, int rop2);
    std::uint32_t PixelOf(TColor color) const;  // 0x00RRGGBB as stored, monochrome mapped
    TPoint ToDevice(int x, int y) const { return {x + ViewportOrg.X, y + ViewportOrg.Y}; }

private:
    struct TState;
    void PlotPenLine(TPoint from, TPoint to);
    void WidePenLine(TPoint from, TPoint to);
    void PenOutline(const QRegion& shape, const QRegion& inside);
    template <class TOp> void ForEachSpan(const QRegion& region, TOp op);
    template <class TOp> void ForEachSpan(const QRect& rect, TOp op);
    void CopyPixels(const QRect& target, const QImage& from, QPoint offset);
    template <class TArea> void FillDeviceArea(const TArea& area, const TLogBrush& brush, int rop2);

    QImage* FImage;
    bool FMonochrome;
    std::optional<QRegion> FClip;
    std::vector<TState> FSaved;
    std::unique_ptr<QPainter> FPainter;
    std::vector<std::unique_ptr<TLogFont>> FReturnedFonts;
    friend TLogFont* SelectObject(TDeviceContext* dc, TLogFont* font);
};

// Font handles: a logical font made by the caller, selected into a context by copy. SelectObject
// gives the font that was selected before as a handle the context keeps; select it back to restore.
using HFONT = TLogFont*;
HFONT CreateFontIndirect(const TLogFont& font);
void DeleteObject(HFONT font);
HFONT SelectObject(HDC dc, HFONT font);

// Measures text in one font as a context's GetTextExtent does, for code that measures much text in
// the same font.
class TTextMeasurer {
public:
    explicit TTextMeasurer(const TLogFont& font);
    ~TTextMeasurer();
    TSize Extent(const QString& text) const;
    // The width as the sum of the characters' advances, without kerning, as a window's text extent
    // adds them up; each character is measured once, so a long run of texts costs little more than
    // reading them. Text that needs shaping (marks, joining or right-to-left scripts, controls) is
    // measured whole, as Extent does.
    int AdvanceWidth(const QString& text) const;

private:
    struct TAdvances;
    std::unique_ptr<class QFontMetrics> FMetrics;
    std::unique_ptr<TAdvances> FAdvances;
};

// The monochrome mask of a colour context: pixels of the background colour become white, others black.
QImage MonochromeMask(const QImage& image, TColor background);
