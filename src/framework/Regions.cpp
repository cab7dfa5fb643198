#include "Regions.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

TRect FromQRect(const QRect& r) {
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

// A pixel belongs to the shape when its centre lies inside: each corner row keeps the pixels whose
// centres fall within the corner ellipse, the rows between the corners are whole.
QRegion RoundRectPixels(const TRect& rect, int width, int height) {
    TRect r = rect;
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    if (r.IsEmpty()) return {};
    const double a = std::min(std::abs(width), r.Width()) / 2.0,
                 b = std::min(std::abs(height), r.Height()) / 2.0;
    if (a < 0.5 || b < 0.5) return QRegion(ToQRect(r));
    QRegion region;
    const double top = r.Top + b, bottom = r.Bottom - b;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const double yc = y + 0.5;
        double inset = 0;
        if (yc < top || yc > bottom) {
            const double dy = (yc < top ? top - yc : yc - bottom) / b;
            if (dy >= 1) continue;
            inset = a - a * std::sqrt(1 - dy * dy);
        }
        const int left = int(std::ceil(r.Left + inset - 0.5 - 1e-9));
        const int right = int(std::floor(r.Right - inset - 0.5 + 1e-9));
        if (right >= left) region += QRect(left, y, right - left + 1, 1);
    }
    return region;
}

QRegion PolygonPixels(const std::vector<TPoint>& points, int fillMode) {
    QPolygon polygon;
    for (const TPoint& p : points)
        polygon << QPoint(p.X, p.Y);
    return QRegion(polygon, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

int RegionKind(const QRegion& region) {
    if (region.isEmpty()) return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return CreateRectRgnIndirect(
        Rect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)));
}

HRGN CreateRectRgnIndirect(const TRect& r) {
    return new TRegion(r.IsEmpty() ? QRegion() : QRegion(ToQRect(r)));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    return new TRegion(RoundRectPixels(Rect(left, top, right, bottom), width, height));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return new TRegion(RoundRectPixels(Rect(left, top, right, bottom), right - left, bottom - top));
}

HRGN CreatePolygonRgn(const std::vector<TPoint>& points, int fillMode) {
    return new TRegion(PolygonPixels(points, fillMode));
}

void DeleteObject(HRGN region) {
    delete region;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    if (!dest || !a || (mode != RGN_COPY && !b)) return RGN_ERROR;
    QRegion result;
    switch (mode) {
    case RGN_AND:
        result = a->Region().intersected(b->Region());
        break;
    case RGN_OR:
        result = a->Region().united(b->Region());
        break;
    case RGN_XOR:
        result = a->Region().xored(b->Region());
        break;
    case RGN_DIFF:
        result = a->Region().subtracted(b->Region());
        break;
    case RGN_COPY:
        result = a->Region();
        break;
    default:
        return RGN_ERROR;
    }
    dest->Region() = result;
    return RegionKind(result);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    if (!region) return RGN_ERROR;
    region->Region().translate(dx, dy);
    return RegionKind(region->Region());
}

bool PtInRegion(HRGN region, int x, int y) {
    return region && region->Region().contains(QPoint(x, y));
}

bool RectInRegion(HRGN region, const TRect& r) {
    return region && !r.IsEmpty() && region->Region().intersects(ToQRect(r));
}

bool EqualRgn(HRGN a, HRGN b) {
    return a && b && a->Region() == b->Region();
}

int GetRgnBox(HRGN region, TRect& box) {
    if (!region) return RGN_ERROR;
    box = region->Region().isEmpty() ? TRect{} : FromQRect(region->Region().boundingRect());
    return RegionKind(region->Region());
}
