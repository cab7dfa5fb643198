// Regions: sets of pixels made from rectangles, rounded rectangles, ellipses and polygons, combined
// with and / or / xor / diff. Coordinates follow the rectangle rule: right and bottom exclusive.
// Handles are owned by their creator and freed with DeleteObject, as the drawing code expects.
#pragma once

#include "Graphics.h"

#include <QRegion>
#include <vector>

class TRegion {
public:
    TRegion() { ++FLive; }
    explicit TRegion(const QRegion& region) : FRegion(region) { ++FLive; }
    TRegion(const TRegion& other) : FRegion(other.FRegion) { ++FLive; }
    TRegion& operator=(const TRegion&) = default;
    ~TRegion() { --FLive; }
    // How many regions exist now: tests count them to find regions nobody frees.
    static int LiveCount() { return FLive; }
    const QRegion& Region() const { return FRegion; }
    QRegion& Region() { return FRegion; }

private:
    QRegion FRegion;
    static inline int FLive = 0;
};
using HRGN = TRegion*;

// Region kinds returned by the combining calls.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// Polygon fill rules.
enum : int { ALTERNATE = 1, WINDING = 2 };

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect& r);
// Corners are quarters of a width x height ellipse.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreatePolygonRgn(const std::vector<TPoint>& points, int fillMode);
void DeleteObject(HRGN region);

// dest = a op b (b unused for RGN_COPY); dest may be a or b.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
bool PtInRegion(HRGN region, int x, int y);
bool RectInRegion(HRGN region, const TRect& r);
bool EqualRgn(HRGN a, HRGN b);
int GetRgnBox(HRGN region, TRect& box);
int RegionKind(const QRegion& region);

// Framework use: the pixel sets behind the shapes.
QRegion RoundRectPixels(const TRect& r, int width, int height);
QRegion PolygonPixels(const std::vector<TPoint>& points, int fillMode);
QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);
