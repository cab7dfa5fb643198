#include "DeviceContext.h"

#include "FontCache.h"
#include "LinePixels.h"
#include "SymbolFont.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <cstring>

// Raster operations -----------------------------------------------------------------------------
// The binary operation's code minus one is its truth table: bit (pen << 1 | dest).
std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dest) {
    const unsigned table = unsigned(rop2 - 1) & 0xF;
    std::uint32_t result = 0;
    for (unsigned i = 0; i < 4; ++i)
        if (table >> i & 1) result |= ((i & 2) ? pen : ~pen) & ((i & 1) ? dest : ~dest);
    return result & 0xFFFFFF;
}

std::uint32_t ApplyRop3(unsigned rop, std::uint32_t pattern, std::uint32_t source, std::uint32_t dest) {
    const unsigned table = (rop >> 16) & 0xFF;
    switch (table) {
    case 0xCC:
        return source & 0xFFFFFF;
    case 0xF0:
        return pattern & 0xFFFFFF;
    case 0x88:
        return source & dest & 0xFFFFFF;
    case 0xEE:
        return (source | dest) & 0xFFFFFF;
    case 0x66:
        return (source ^ dest) & 0xFFFFFF;
    default:
        break;
    }
    std::uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i)
        if (table >> i & 1)
            result |=
                ((i & 4) ? pattern : ~pattern) & ((i & 2) ? source : ~source) & ((i & 1) ? dest : ~dest);
    return result & 0xFFFFFF;
}

bool RopUsesSource(unsigned rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) ^ t) & 0x33;
}

bool RopUsesPattern(unsigned rop) {
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) ^ t) & 0x0F;
}

// Fonts -----------------------------------------------------------------------------------------
QFont ToQFont(const TLogFont& lf) {
    QFont font(MapFontName(lf.FaceName));
    font.setPixelSize(std::max(1, std::abs(lf.Height == 0 ? 12 : lf.Height)));
    font.setWeight(lf.Weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.Italic);
    font.setUnderline(lf.Underline);
    font.setStrikeOut(lf.StrikeOut);
    return font;
}

namespace {
// Windows hatch patterns, 8 x 8, the high bit leftmost.
constexpr std::uint8_t Hatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

// Dash patterns of the cosmetic pen styles: on and off runs in pixels.
const std::vector<int>& DashPattern(TPenStyle style) {
    static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3},
        none;
    switch (style) {
    case psDash:
        return dash;
    case psDot:
        return dot;
    case psDashDot:
        return dashDot;
    case psDashDotDot:
        return dashDotDot;
    default:
        return none;
    }
}

inline std::uint32_t RgbOf(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return (std::uint32_t(GetRValue(rgb)) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

// A run of one pixel value, two pixels to a store where the run is long enough to gain by it.
void FillPixels(std::uint32_t* pixels, int count, std::uint32_t value) {
    if (count < 8) {
        std::fill(pixels, pixels + count, value);
        return;
    }
    // Eight pixels a step (the copies become wide stores): filled cells and backgrounds are most of
    // the pixels a window paints.
    std::uint32_t eight[8];
    std::fill(eight, eight + 8, value);
    int i = 0;
    for (; i + 8 <= count; i += 8)
        std::memcpy(pixels + i, eight, sizeof eight);
    std::fill(pixels + i, pixels + count, value);
}

inline TColor ColorOfPixel(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// What a brush gives at a device pixel: a colour, or nothing where a hatch leaves the background.
class TBrushSampler {
public:
    TBrushSampler(const TDeviceContext& dc, const TLogBrush& brush) : FBrush(brush), FOrg(dc.BrushOrg) {
        FColor = dc.PixelOf(brush.Color);
        FText = dc.PixelOf(dc.TextColor);
        FBack = dc.PixelOf(dc.BkColor);
        FOpaque = dc.BkMode == OPAQUE;
        FMonoTarget = dc.Monochrome();
        FTarget = &dc;
    }
    bool Clear() const { return FBrush.Style == bsClear; }
    bool Sample(int x, int y, std::uint32_t& out) const {
        if (!FBrush.Pattern.isNull()) {
            const int w = FBrush.Pattern.width(), h = FBrush.Pattern.height();
            const int px = ((x - FOrg.X) % w + w) % w, py = ((y - FOrg.Y) % h + h) % h;
            const std::uint32_t p = FBrush.Pattern.pixel(px, py) & 0xFFFFFF;
            if (FBrush.MonochromePattern)
                out = p ? FBack : FText;
            else
                out = FMonoTarget ? FTarget->PixelOf(ColorOfPixel(p)) : p;
            return true;
        }
        if (FBrush.Style == bsSolid) {
            out = FColor;
            return true;
        }
        if (FBrush.Style == bsClear) return false;
        const int hatch = int(FBrush.Style) - int(bsHorizontal);
        const int px = ((x - FOrg.X) % 8 + 8) % 8, py = ((y - FOrg.Y) % 8 + 8) % 8;
        if (Hatches[hatch][py] & (0x80 >> px)) {
            out = FColor;
            return true;
        }
        if (!FOpaque) return false;
        out = FBack;
        return true;
    }

private:
    const TLogBrush& FBrush;
    TPoint FOrg;
    std::uint32_t FColor = 0, FText = 0, FBack = 0;
    bool FOpaque = true, FMonoTarget = false;
    const TDeviceContext* FTarget = nullptr;
};
}  // namespace

// The context --------------------------------------------------------------------------------------
struct TDeviceContext::TState {
    TLogPen Pen;
    TLogBrush Brush;
    TLogFont Font;
    TColor TextColor, BkColor;
    int BkMode, Rop2, PolyFillMode;
    unsigned TextAlign;
    TPoint ViewportOrg, BrushOrg, CurrentPos;
    std::optional<QRegion> Clip;
};

TDeviceContext::TDeviceContext(QImage* image, bool monochrome) : FImage(image), FMonochrome(monochrome) {
    if (FImage->format() != QImage::Format_RGB32 && FImage->format() != QImage::Format_ARGB32)
        *FImage =
            FImage->convertToFormat(FImage->hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

TDeviceContext::~TDeviceContext() {
    EndPainter();
}

std::uint32_t TDeviceContext::PixelOf(TColor color) const {
    const std::uint32_t p = RgbOf(color);
    if (!FMonochrome) return p;
    // The nearer of black and white.
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    const int toBlack = r * r + g * g + b * b;
    const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite <= toBlack ? 0xFFFFFF : 0;
}

int TDeviceContext::SaveDC() {
    FSaved.push_back({Pen, Brush, Font, TextColor, BkColor, BkMode, Rop2, PolyFillMode, TextAlign,
                      ViewportOrg, BrushOrg, CurrentPos, FClip});
    return int(FSaved.size());
}

bool TDeviceContext::RestoreDC(int level) {
    if (level < 0) level = int(FSaved.size()) + 1 + level;
    if (level < 1 || level > int(FSaved.size())) return false;
    const TState s = FSaved[size_t(level - 1)];
    FSaved.resize(size_t(level - 1));
    Pen = s.Pen;
    Brush = s.Brush;
    Font = s.Font;
    TextColor = s.TextColor;
    BkColor = s.BkColor;
    BkMode = s.BkMode;
    Rop2 = s.Rop2;
    PolyFillMode = s.PolyFillMode;
    TextAlign = s.TextAlign;
    ViewportOrg = s.ViewportOrg;
    BrushOrg = s.BrushOrg;
    CurrentPos = s.CurrentPos;
    FClip = s.Clip;
    return true;
}

// Clipping --------------------------------------------------------------------------------------
QRegion TDeviceContext::VisibleRegion() const {
    const QRegion all(0, 0, Width(), Height());
    return FClip ? FClip->intersected(all) : all;
}

bool TDeviceContext::RectWhollyVisible(const TRect& r) const {
    if (r.IsEmpty()) return true;
    const TPoint a = ToDevice(r.Left, r.Top);
    const QRect device(a.X, a.Y, r.Width(), r.Height());
    if (!QRect(0, 0, Width(), Height()).contains(device)) return false;
    return !FClip || QRegion(device).subtracted(*FClip).isEmpty();
}

int TDeviceContext::SelectClipRgn(HRGN region) {
    if (!region) {
        FClip.reset();
        return SIMPLEREGION;
    }
    FClip = region->Region();
    return RegionKind(*FClip);
}

int TDeviceContext::ExtSelectClipRgn(HRGN region, int mode) {
    if (mode == RGN_COPY) return SelectClipRgn(region);
    if (!region) return RGN_ERROR;
    const QRegion current = VisibleRegion();
    switch (mode) {
    case RGN_AND:
        FClip = current.intersected(region->Region());
        break;
    case RGN_OR:
        FClip = current.united(region->Region());
        break;
    case RGN_XOR:
        FClip = current.xored(region->Region());
        break;
    case RGN_DIFF:
        FClip = current.subtracted(region->Region());
        break;
    default:
        return RGN_ERROR;
    }
    return RegionKind(*FClip);
}

int TDeviceContext::IntersectClipRect(int left, int top, int right, int bottom) {
    const TPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
    const QRegion r = b.X > a.X && b.Y > a.Y ? QRegion(a.X, a.Y, b.X - a.X, b.Y - a.Y) : QRegion();
    FClip = VisibleRegion().intersected(r);
    return RegionKind(*FClip);
}

int TDeviceContext::ExcludeClipRect(int left, int top, int right, int bottom) {
    const TPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
    QRegion visible = VisibleRegion();
    if (b.X > a.X && b.Y > a.Y) visible = visible.subtracted(QRegion(a.X, a.Y, b.X - a.X, b.Y - a.Y));
    FClip = visible;
    return RegionKind(*FClip);
}

int TDeviceContext::GetClipBox(TRect& box) const {
    const QRegion visible = VisibleRegion();
    box = visible.isEmpty() ? TRect{} : FromQRect(visible.boundingRect());
    OffsetRect(box, -ViewportOrg.X, -ViewportOrg.Y);
    return RegionKind(visible);
}

// Pixels ----------------------------------------------------------------------------------------
template <class TOp> void TDeviceContext::ForEachSpan(const QRegion& region, TOp op) {
    const QRegion target = region.intersected(VisibleRegion());
    if (target.isEmpty()) return;
    uchar* bits = FImage->bits();
    const qsizetype stride = FImage->bytesPerLine();
    for (const QRect& r : target)
        for (int y = r.top(); y <= r.bottom(); ++y)
            op(reinterpret_cast<std::uint32_t*>(bits + y * stride), r.left(), r.right() + 1, y);
}

// A rectangle under no clip or a one-rectangle clip is cut without building regions: the bands of
// a gradient and the steps of a tiling come this way by the hundred.
template <class TOp> void TDeviceContext::ForEachSpan(const QRect& rect, TOp op) {
    int left = std::max(rect.left(), 0), top = std::max(rect.top(), 0);
    int right = std::min(rect.x() + rect.width(), Width()),
        bottom = std::min(rect.y() + rect.height(), Height());
    if (FClip) {
        if (FClip->rectCount() > 1) {
            ForEachSpan(QRegion(rect), op);
            return;
        }
        const QRect box = FClip->boundingRect();
        left = std::max(left, box.left());
        top = std::max(top, box.top());
        right = std::min(right, box.x() + box.width());
        bottom = std::min(bottom, box.y() + box.height());
    }
    if (left >= right || top >= bottom) return;
    uchar* bits = FImage->bits();
    const qsizetype stride = FImage->bytesPerLine();
    for (int y = top; y < bottom; ++y)
        op(reinterpret_cast<std::uint32_t*>(bits + y * stride), left, right, y);
}

TColor TDeviceContext::GetPixel(int x, int y) const {
    const TPoint d = ToDevice(x, y);
    if (d.X < 0 || d.Y < 0 || d.X >= Width() || d.Y >= Height()) return clNone;
    return ColorOfPixel(reinterpret_cast<const std::uint32_t*>(FImage->constScanLine(d.Y))[d.X]);
}

void TDeviceContext::SetPixel(int x, int y, TColor color) {
    const TPoint d = ToDevice(x, y);
    if (d.X < 0 || d.Y < 0 || d.X >= Width() || d.Y >= Height()) return;
    if (FClip && !FClip->contains(QPoint(d.X, d.Y))) return;
    reinterpret_cast<std::uint32_t*>(FImage->scanLine(d.Y))[d.X] = 0xFF000000 | PixelOf(color);
}

void TDeviceContext::FillDeviceRegion(const QRegion& region, const TLogBrush& brush, int rop2) {
    FillDeviceArea(region, brush, rop2);
}

template <class TArea>
void TDeviceContext::FillDeviceArea(const TArea& area, const TLogBrush& brush, int rop2) {
    if (brush.Style == bsSolid && brush.Pattern.isNull() && rop2 == R2_COPYPEN) {
        const std::uint32_t p = 0xFF000000 | PixelOf(brush.Color);
        ForEachSpan(area, [&](std::uint32_t* row, int x0, int x1, int) { FillPixels(row + x0, x1 - x0, p); });
        return;
    }
    const TBrushSampler sampler(*this, brush);
    if (sampler.Clear() || rop2 == R2_NOP) return;
    ForEachSpan(area, [&](std::uint32_t* row, int x0, int x1, int y) {
        for (int x = x0; x < x1; ++x) {
            std::uint32_t p;
            if (sampler.Sample(x, y, p)) row[x] = 0xFF000000 | ApplyRop2(rop2, p, row[x]);
        }
    });
}

void TDeviceContext::PenDeviceRegion(const QRegion& region, int rop2) {
    if (Pen.Style == psClear || rop2 == R2_NOP) return;
    const std::uint32_t pen = PixelOf(Pen.Color);
    ForEachSpan(region, [&](std::uint32_t* row, int x0, int x1, int) {
        for (int x = x0; x < x1; ++x)
            row[x] = 0xFF000000 | ApplyRop2(rop2, pen, row[x]);
    });
}

// Lines -----------------------------------------------------------------------------------------
// One-pixel lines by Bresenham's rule without the end pixel; a styled pen walks its dash pattern,
// the gaps taking the background colour when the background mode is opaque.
void TDeviceContext::PlotPenLine(TPoint from, TPoint to) {
    const QRegion visible = VisibleRegion();
    const std::uint32_t pen = PixelOf(Pen.Color), back = PixelOf(BkColor);
    const std::vector<int>& dashes = DashPattern(Pen.Style);
    int dashIndex = 0, dashLeft = dashes.empty() ? 0 : dashes[0];
    const bool simpleClip = visible.rectCount() == 1;
    const QRect box = visible.boundingRect();
    // The pixels are reached directly: asking the image for each row would check for sharing per pixel.
    uchar* const bits = box.isEmpty() ? nullptr : FImage->bits();
    const qsizetype stride = FImage->bytesPerLine();
    if (dashes.empty() && simpleClip && (from.X == to.X || from.Y == to.Y)) {
        // A level or upright line, as frames are drawn: a run of pixels from `from` up to `to`.
        const bool level = from.Y == to.Y;
        const int a = level ? from.X : from.Y, b = level ? to.X : to.Y;
        int first = a < b ? a : b + 1, last = a < b ? b - 1 : a;
        const int along = level ? from.Y : from.X;
        if (!bits || along < (level ? box.top() : box.left()) || along > (level ? box.bottom() : box.right()))
            return;
        first = std::max(first, level ? box.left() : box.top());
        last = std::min(last, level ? box.right() : box.bottom());
        for (int i = first; i <= last; ++i) {
            auto& pixel = level ? reinterpret_cast<std::uint32_t*>(bits + along * stride)[i]
                                : reinterpret_cast<std::uint32_t*>(bits + i * stride)[along];
            pixel = 0xFF000000 | (Rop2 == R2_COPYPEN ? pen & 0xFFFFFF : ApplyRop2(Rop2, pen, pixel));
        }
        return;
    }
    WalkLine(from, to, false, [&](int x, int y) {
        bool on = true;
        if (!dashes.empty()) {
            on = dashIndex % 2 == 0;
            if (--dashLeft == 0) {
                dashIndex = (dashIndex + 1) % int(dashes.size());
                dashLeft = dashes[size_t(dashIndex)];
            }
        }
        if ((on || BkMode == OPAQUE) && (simpleClip ? box.contains(x, y) : visible.contains(QPoint(x, y)))) {
            auto& pixel = reinterpret_cast<std::uint32_t*>(bits + y * stride)[x];
            pixel = 0xFF000000 | ApplyRop2(Rop2, on ? pen : back, pixel);
        }
    });
}

// A wide pen: the stroke with round ends, filled by the polygon rule.
void TDeviceContext::WidePenLine(TPoint from, TPoint to) {
    QPainterPath path(QPointF(from.X + 0.5, from.Y + 0.5));
    path.lineTo(to.X + 0.5, to.Y + 0.5);
    QPainterPathStroker stroker;
    stroker.setWidth(Pen.Width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPolygon outline = stroker.createStroke(path).toFillPolygon().toPolygon();
    PenDeviceRegion(QRegion(outline, Qt::WindingFill), Rop2);
}

void TDeviceContext::LineTo(int x, int y) {
    const TPoint from = ToDevice(CurrentPos.X, CurrentPos.Y), to = ToDevice(x, y);
    CurrentPos = {x, y};
    if (Pen.Style == psClear) return;
    if (Pen.Width > 1)
        WidePenLine(from, to);
    else
        PlotPenLine(from, to);
}

void TDeviceContext::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    const TPoint keep = CurrentPos;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    CurrentPos = keep;
}

void TDeviceContext::Polygon(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    std::vector<TPoint> device;
    for (const TPoint& p : points)
        device.push_back(ToDevice(p.X, p.Y));
    FillDeviceRegion(PolygonPixels(device, PolyFillMode), Brush, Rop2);
    if (Pen.Style == psClear) return;
    std::vector<TPoint> closed = points;
    closed.push_back(points[0]);
    Polyline(closed);
    if (points.size() == 1) SetPixel(points[0].X, points[0].Y, Pen.Color);
}

// Closed shapes: the pen draws the ring between the shape and the shape inset by the pen width, the
// brush fills the inset shape; without a pen the shape loses its right and bottom pixel rows.
void TDeviceContext::PenOutline(const QRegion& shape, const QRegion& inside) {
    FillDeviceRegion(inside, Brush, Rop2);
    PenDeviceRegion(shape.subtracted(inside), Rop2);
}

void TDeviceContext::Rectangle(int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    const TPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
    if (Pen.Style == psClear) {
        if (b.X - a.X > 1 && b.Y - a.Y > 1)
            FillDeviceRegion(QRegion(a.X, a.Y, b.X - a.X - 1, b.Y - a.Y - 1), Brush, Rop2);
        return;
    }
    const QRect outer(a.X, a.Y, b.X - a.X, b.Y - a.Y);
    if (outer.isEmpty()) return;
    if (Pen.Style != psSolid && Pen.Style != psInsideFrame) {
        FillDeviceRegion(QRegion(outer.adjusted(1, 1, -1, -1)), Brush, Rop2);
        const TPoint keep = CurrentPos;
        Polyline({{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}});
        CurrentPos = keep;
        return;
    }
    const int w = std::max(1, Pen.Width);
    PenOutline(QRegion(outer), QRegion(outer.adjusted(w, w, -w, -w)));
}

void TDeviceContext::RoundRect(int left, int top, int right, int bottom, int width, int height) {
    const TPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
    const TRect outer{a.X, a.Y, b.X, b.Y};
    if (Pen.Style == psClear) {
        FillDeviceRegion(RoundRectPixels({a.X, a.Y, b.X - 1, b.Y - 1}, width, height), Brush, Rop2);
        return;
    }
    const int w = std::max(1, Pen.Width);
    PenOutline(RoundRectPixels(outer, width, height),
               RoundRectPixels({a.X + w, a.Y + w, b.X - w, b.Y - w}, width - 2 * w, height - 2 * w));
}

void TDeviceContext::Ellipse(int left, int top, int right, int bottom) {
    RoundRect(left, top, right, bottom, std::abs(right - left), std::abs(bottom - top));
}

void TDeviceContext::Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    if (Pen.Style == psClear) return;
    const TPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
    const TRect outer{a.X, a.Y, b.X, b.Y};
    const QRegion ring =
        RoundRectPixels(outer, b.X - a.X, b.Y - a.Y)
            .subtracted(RoundRectPixels({a.X + 1, a.Y + 1, b.X - 1, b.Y - 1}, b.X - a.X - 2, b.Y - a.Y - 2));
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    // Angles grow counter-clockwise on the screen (y points down).
    auto angleOf = [&](double x, double y) {
        double t = std::atan2(-(y - cy), x - cx);
        return t < 0 ? t + 2 * M_PI : t;
    };
    const double start = angleOf(x1, y1), end = angleOf(x2, y2);
    QRegion arc;
    for (const QRect& r : ring)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                double t = angleOf(x - ViewportOrg.X + 0.5, y - ViewportOrg.Y + 0.5) - start;
                if (t < 0) t += 2 * M_PI;
                double span = end - start;
                if (span <= 0) span += 2 * M_PI;
                if (t <= span) arc += QRect(x, y, 1, 1);
            }
    PenDeviceRegion(arc, Rop2);
}

// Areas -----------------------------------------------------------------------------------------
void TDeviceContext::FillRect(const TRect& r) {
    FillRect(r, Brush);
}

void TDeviceContext::FillRect(const TRect& r, const TLogBrush& brush) {
    if (r.IsEmpty()) return;
    const TPoint a = ToDevice(r.Left, r.Top);
    FillDeviceArea(QRect(a.X, a.Y, r.Width(), r.Height()), brush, R2_COPYPEN);
}

void TDeviceContext::FrameRect(const TRect& r, const TLogBrush& brush) {
    if (r.IsEmpty()) return;
    const TPoint a = ToDevice(r.Left, r.Top);
    const QRect outer(a.X, a.Y, r.Width(), r.Height());
    FillDeviceRegion(QRegion(outer).subtracted(QRegion(outer.adjusted(1, 1, -1, -1))), brush, R2_COPYPEN);
}

void TDeviceContext::InvertRect(const TRect& r) {
    if (r.IsEmpty()) return;
    const TPoint a = ToDevice(r.Left, r.Top);
    ForEachSpan(QRect(a.X, a.Y, r.Width(), r.Height()), [](std::uint32_t* row, int x0, int x1, int) {
        for (int x = x0; x < x1; ++x)
            row[x] ^= 0xFFFFFF;
    });
}

void TDeviceContext::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty()) return;
    const TPoint a = ToDevice(r.Left, r.Top);
    const QRect outer(a.X, a.Y, r.Width(), r.Height());
    const QRegion ring = QRegion(outer).subtracted(QRegion(outer.adjusted(1, 1, -1, -1)));
    ForEachSpan(ring, [](std::uint32_t* row, int x0, int x1, int y) {
        for (int x = x0; x < x1; ++x)
            if (((x + y) & 1) == 0) row[x] ^= 0xFFFFFF;
    });
}

void TDeviceContext::FillRgn(HRGN region, const TLogBrush& brush) {
    if (!region) return;
    FillDeviceRegion(region->Region().translated(ViewportOrg.X, ViewportOrg.Y), brush, R2_COPYPEN);
}

void TDeviceContext::FrameRgn(HRGN region, const TLogBrush& brush, int width, int height) {
    if (!region) return;
    const QRegion shape = region->Region().translated(ViewportOrg.X, ViewportOrg.Y);
    // The inside: pixels whose neighbours `width` across and `height` down stay in the region.
    QRegion inside = shape;
    for (int dx = -width; dx <= width; dx += std::max(1, width))
        for (int dy = -height; dy <= height; dy += std::max(1, height))
            inside = inside.intersected(shape.translated(dx, dy));
    FillDeviceRegion(shape.subtracted(inside), brush, R2_COPYPEN);
}

void TDeviceContext::InvertRgn(HRGN region) {
    if (!region) return;
    ForEachSpan(region->Region().translated(ViewportOrg.X, ViewportOrg.Y),
                [](std::uint32_t* row, int x0, int x1, int) {
                    for (int x = x0; x < x1; ++x)
                        row[x] ^= 0xFFFFFF;
                });
}

void TDeviceContext::PatBlt(int x, int y, int width, int height, unsigned rop) {
    StretchBlt(x, y, width, height, nullptr, 0, 0, width, height, rop);
}

// Blits -----------------------------------------------------------------------------------------
void TDeviceContext::BitBlt(int x, int y, int width, int height, const TDeviceContext* source, int sx, int sy,
                            unsigned rop) {
    StretchBlt(x, y, width, height, source, sx, sy, width, height, rop);
}

namespace {
// The source index under the centre of each of `count` destination pixels that span `sourceCount`
// source pixels, (2k + 1) * sourceCount div (2 * count), stepped without a division per pixel.
std::vector<int> CentreSamples(int count, int sourceCount, bool mirror) {
    std::vector<int> samples(static_cast<size_t>(count));
    const std::int64_t divisor = 2 * std::int64_t(count), step = 2 * std::int64_t(sourceCount);
    const std::int64_t stepQuotient = step / divisor, stepRemainder = step % divisor;
    std::int64_t quotient = sourceCount / divisor, remainder = sourceCount % divisor;
    for (int k = 0; k < count; ++k) {
        samples[size_t(mirror ? count - 1 - k : k)] = int(quotient);
        quotient += stepQuotient;
        remainder += stepRemainder;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++quotient;
        }
    }
    return samples;
}

bool Overlap(TPoint a, TPoint b, int width, int height) {
    return std::abs(a.X - b.X) < width && std::abs(a.Y - b.Y) < height;
}
}  // namespace

void TDeviceContext::StretchBlt(int x, int y, int width, int height, const TDeviceContext* source, int sx,
                                int sy, int sw, int sh, unsigned rop) {
    if (width == 0 || height == 0) return;
    // A negative extent counts from the given point back: the pixels x + width + 1 .. x, mirrored.
    const TPoint d0 = ToDevice(width < 0 ? x + width + 1 : x, height < 0 ? y + height + 1 : y);
    const int dw = std::abs(width), dh = std::abs(height);
    // A plain colour copy of equal extents, the bulk of tiling and of drawing an off-screen image,
    // goes whole rows at a time.
    if (rop == SRCCOPY && source && width == sw && height == sh && !source->Monochrome() && !FMonochrome) {
        const TPoint s0 = source->ToDevice(sw < 0 ? sx + sw + 1 : sx, sh < 0 ? sy + sh + 1 : sy);
        const QImage* from = source->Image();
        if (from->constBits() != FImage->constBits() || !Overlap(s0, d0, dw, dh)) {
            CopyPixels(QRect(d0.X, d0.Y, dw, dh), *from, QPoint(s0.X - d0.X, s0.Y - d0.Y));
        } else {
            const QImage copied = from->copy(s0.X, s0.Y, dw, dh);
            CopyPixels(QRect(d0.X, d0.Y, dw, dh), copied, QPoint(-d0.X, -d0.Y));
        }
        return;
    }
    const bool useSource = RopUsesSource(rop);
    if (useSource && (!source || sw == 0 || sh == 0)) return;
    const bool mirrorX = (width < 0) != (useSource && sw < 0),
               mirrorY = (height < 0) != (useSource && sh < 0);
    const int srcW = std::abs(sw), srcH = std::abs(sh);
    // The source pixels are read in place, unless the area read overlaps the area written.
    QImage copied;
    const QImage* from = nullptr;
    TPoint s0;
    if (useSource) {
        s0 = source->ToDevice(sw < 0 ? sx + sw + 1 : sx, sh < 0 ? sy + sh + 1 : sy);
        from = source->Image();
        if (from->constBits() == FImage->constBits() &&
            QRect(s0.X, s0.Y, srcW, srcH).intersects(QRect(d0.X, d0.Y, dw, dh))) {
            copied = from->copy(s0.X, s0.Y, srcW, srcH);
            from = &copied;
            s0 = {0, 0};
        }
    }
    const bool sourceMono = useSource && source->Monochrome();
    const bool plainCopy = rop == SRCCOPY && !sourceMono && !FMonochrome;
    const std::uint32_t text = PixelOf(TextColor), back = PixelOf(BkColor);
    const std::uint32_t sourceBack = useSource ? source->PixelOf(source->BkColor) : 0;
    const bool usePattern = RopUsesPattern(rop);
    const TBrushSampler sampler(*this, Brush);
    // Source columns and rows of each destination pixel: the source pixel under its centre.
    const std::vector<int> columns =
        useSource ? CentreSamples(dw, srcW, mirrorX) : std::vector<int>(size_t(dw));
    const std::vector<int> rows = useSource ? CentreSamples(dh, srcH, mirrorY) : std::vector<int>(size_t(dh));
    const int fromWidth = from ? from->width() : 0, fromHeight = from ? from->height() : 0;
    // The destination columns whose source column lies inside the source image: one run, as the
    // source columns only rise or only fall.
    std::pair<int, int> readable{0, 0};
    if (useSource) {
        auto inside = [&](int i) {
            return s0.X + columns[size_t(i)] >= 0 && s0.X + columns[size_t(i)] < fromWidth;
        };
        while (readable.first < dw && !inside(readable.first))
            ++readable.first;
        readable.second = readable.first;
        while (readable.second < dw && inside(readable.second))
            ++readable.second;
    }
    ForEachSpan(QRect(d0.X, d0.Y, dw, dh), [&](std::uint32_t* row, int x0, int x1, int yy) {
        const int j = yy - d0.Y;
        const std::uint32_t* sourceRow = nullptr;
        if (useSource) {
            const int srow = s0.Y + rows[size_t(j)];
            if (srow < 0 || srow >= fromHeight) return;
            sourceRow = reinterpret_cast<const std::uint32_t*>(from->constScanLine(srow));
        }
        if (plainCopy) {
            const int first = std::max(x0, d0.X + readable.first),
                      last = std::min(x1, d0.X + readable.second);
            const int* column = columns.data() - d0.X;
            const std::uint32_t* in = sourceRow + s0.X;
            for (int xx = first; xx < last; ++xx)
                row[xx] = 0xFF000000 | in[column[xx]];
            return;
        }
        for (int xx = x0; xx < x1; ++xx) {
            std::uint32_t s = 0, p = 0;
            if (useSource) {
                const int i = xx - d0.X;
                if (i < readable.first || i >= readable.second) continue;
                s = sourceRow[s0.X + columns[size_t(i)]] & 0xFFFFFF;
                if (sourceMono && !FMonochrome)
                    s = s ? back : text;
                else if (!sourceMono && FMonochrome)
                    s = s == sourceBack ? 0xFFFFFF : 0;
            }
            if (usePattern && !sampler.Sample(xx, yy, p)) p = row[xx] & 0xFFFFFF;
            row[xx] = 0xFF000000 | ApplyRop3(rop, p, s, row[xx] & 0xFFFFFF);
        }
    });
}

// A plain copy: whole rows of 32-bit pixels, no raster operation per pixel. Destination pixels whose
// source lies outside the source image keep what they had.
void TDeviceContext::CopyPixels(const QRect& target, const QImage& from, QPoint offset) {
    const int left = std::max(target.left(), -offset.x()), top = std::max(target.top(), -offset.y());
    const int right = std::min(target.x() + target.width(), from.width() - offset.x());
    const int bottom = std::min(target.y() + target.height(), from.height() - offset.y());
    if (left >= right || top >= bottom) return;
    const uchar* sourceBits = from.constBits();
    const qsizetype sourceStride = from.bytesPerLine();
    auto sourceRow = [&](int y) {
        return reinterpret_cast<const std::uint32_t*>(sourceBits + (y + offset.y()) * sourceStride) +
               offset.x();
    };
    const QRect readable(left, top, right - left, bottom - top);
    if (from.format() == QImage::Format_RGB32) {
        ForEachSpan(readable, [&](std::uint32_t* row, int x0, int x1, int y) {
            std::memcpy(row + x0, sourceRow(y) + x0, size_t(x1 - x0) * sizeof(std::uint32_t));
        });
        return;
    }
    ForEachSpan(readable, [&](std::uint32_t* row, int x0, int x1, int y) {
        const std::uint32_t* in = sourceRow(y);
        for (int x = x0; x < x1; ++x)
            row[x] = 0xFF000000 | (in[x] & 0xFFFFFF);
    });
}

QImage MonochromeMask(const QImage& image, TColor background) {
    const std::uint32_t key = RgbOf(background);
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage mask(rgb.size(), QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(mask.scanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = (in[x] & 0xFFFFFF) == key ? 0xFFFFFFFF : 0xFF000000;
    }
    return mask;
}

// Text and painter ------------------------------------------------------------------------------
QPainter* TDeviceContext::Painter() {
    if (!FPainter) {
        FPainter = std::make_unique<QPainter>(FImage);
        FPainter->setRenderHint(QPainter::Antialiasing, false);
    }
    FPainter->resetTransform();
    if (FClip)
        FPainter->setClipRegion(*FClip);
    else
        FPainter->setClipping(false);
    FPainter->setTransform(QTransform::fromTranslate(ViewportOrg.X, ViewportOrg.Y));
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter->setOpacity(1.0);
    return FPainter.get();
}

void TDeviceContext::EndPainter() {
    if (FPainter) FPainter->end();
    FPainter.reset();
}

TSize TDeviceContext::GetTextExtent(const QString& text) const {
    const QFontMetrics fm = CachedFont(Font).Metrics;
    return {fm.horizontalAdvance(text), fm.height()};
}

// Each character's advance, measured the first time it comes.
struct TTextMeasurer::TAdvances {
    explicit TAdvances(const QFont& font) : Metrics(font) {}
    QFontMetricsF Metrics;
    QHash<char16_t, qreal> Widths;
};

TTextMeasurer::TTextMeasurer(const TLogFont& font) {
    const QFont qfont = ToQFont(font);
    FMetrics = std::make_unique<QFontMetrics>(qfont);
    FAdvances = std::make_unique<TAdvances>(qfont);
}

TTextMeasurer::~TTextMeasurer() = default;

TSize TTextMeasurer::Extent(const QString& text) const {
    return {FMetrics->horizontalAdvance(text), FMetrics->height()};
}

namespace {
// Characters whose advance is the same alone as in a line: no marks, no joining or right-to-left
// scripts, no controls, no surrogate halves.
bool AdvancesAlone(char16_t c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x300) || (c >= 0x2010 && c < 0x2028) ||
           (c >= 0x2E80 && c < 0xA000) || (c >= 0xAC00 && c < 0xD7B0) || (c >= 0xF900 && c < 0xFB00) ||
           (c >= 0xFE30 && c < 0xFE50) || (c >= 0xFF00 && c < 0xFFF0);
}
}  // namespace

int TTextMeasurer::AdvanceWidth(const QString& text) const {
    qreal width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!AdvancesAlone(u)) return FMetrics->horizontalAdvance(text);
        auto known = FAdvances->Widths.constFind(u);
        if (known == FAdvances->Widths.cend())
            known = FAdvances->Widths.insert(u, FAdvances->Metrics.horizontalAdvance(c));
        width += *known;
    }
    return qRound(width);
}

TTextMetric TDeviceContext::GetTextMetrics() const {
    const QFont font = ToQFont(Font);
    const QFontMetrics fm(font);
    TTextMetric tm;
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmHeight = fm.ascent() + fm.descent();
    tm.tmInternalLeading = std::max(0, tm.tmHeight - font.pixelSize());
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
    tm.tmWeight = Font.Weight;
    tm.tmItalic = Font.Italic;
    tm.tmUnderlined = Font.Underline;
    tm.tmStruckOut = Font.StrikeOut;
    tm.tmCharSet = Font.CharSet;
    // Outline fonts only, except for the classic raster faces, which stay what they were.
    static const QStringList rasterFaces{QStringLiteral("ms sans serif"), QStringLiteral("ms serif"),
                                         QStringLiteral("system"),        QStringLiteral("fixedsys"),
                                         QStringLiteral("terminal"),      QStringLiteral("small fonts"),
                                         QStringLiteral("courier")};
    tm.tmPitchAndFamily = rasterFaces.contains(Font.FaceName.toLower()) ? 0 : (TMPF_VECTOR | TMPF_TRUETYPE);
    if (!QFontInfo(font).fixedPitch()) tm.tmPitchAndFamily |= TMPF_FIXED_PITCH;  // the bit means "variable"
    return tm;
}

void TDeviceContext::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text) {
    if (IsSymbolFontName(Font.FaceName)) return SymbolTextOut(this, x, y, options, rect, text);
    QPainter* p = Painter();
    if ((options & ETO_OPAQUE) && rect) FillRect(*rect, TLogBrush{bsSolid, BkColor, {}, false});
    // The clip and the move to the text's origin hold for this text only: what is drawn next on the
    // context must land where its caller put it.
    p->save();
    if ((options & ETO_CLIPPED) && rect) p->setClipRect(ToQRect(*rect), Qt::IntersectClip);
    TCachedFont cached = CachedFont(Font);
    if (FMonochrome) {
        cached.Font.setStyleStrategy(QFont::NoAntialias);
        cached.Metrics = QFontMetrics(cached.Font);
    }
    const QFont& font = cached.Font;
    const QFontMetrics& fm = cached.Metrics;
    const int ascent = fm.ascent(), height = fm.ascent() + fm.descent();
    // The width only where the alignment or the background needs it.
    const bool needWidth = (TextAlign & (TA_RIGHT | TA_CENTER)) || BkMode == OPAQUE;
    const int width = !needWidth ? 0 : FMonochrome ? fm.horizontalAdvance(text) : CachedTextWidth(Font, text);
    int left = 0, top = 0;
    if ((TextAlign & TA_CENTER) == TA_CENTER)
        left = -width / 2;
    else if (TextAlign & TA_RIGHT)
        left = -width;
    if ((TextAlign & TA_BASELINE) == TA_BASELINE)
        top = -ascent;
    else if (TextAlign & TA_BOTTOM)
        top = -height;
    p->translate(x, y);
    if (Font.Escapement != 0) p->rotate(-Font.Escapement / 10.0);
    const TColor text24 = ColorOfPixel(PixelOf(TextColor)), back24 = ColorOfPixel(PixelOf(BkColor));
    if (BkMode == OPAQUE) p->fillRect(QRect(left, top, width, height), ToQColor(back24));
    p->setPen(ToQColor(text24));
    // Shaping is most of the cost of a short text: a text drawn before is drawn from its glyphs, on the
    // layouts of windows and bitmaps, where that is drawing the text to the pixel.
    const QImage::Format format = FImage->format();
    const bool fromGlyphs =
        !FMonochrome && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32);
    const std::optional<TShapedLine> shaped = fromGlyphs ? CachedShapedLine(Font, text) : std::nullopt;
    if (shaped) {
        for (const QGlyphRun& run : shaped->Runs)
            p->drawGlyphRun(QPointF(left, top + ascent - shaped->Ascent), run);
    } else {
        p->setFont(font);
        p->drawText(left, top + ascent, text);
    }
    p->restore();
}

HFONT CreateFontIndirect(const TLogFont& font) {
    return new TLogFont(font);
}

void DeleteObject(HFONT font) {
    delete font;
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (!dc || !font) return nullptr;
    dc->FReturnedFonts.push_back(std::make_unique<TLogFont>(dc->Font));
    dc->Font = *font;
    return dc->FReturnedFonts.back().get();
}
