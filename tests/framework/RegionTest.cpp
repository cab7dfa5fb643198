// Regions: combining, moving and testing points, and the pixel sets of the shapes.
#include "Regions.h"

#include <gtest/gtest.h>

namespace {
int Area(HRGN r) {
    int n = 0;
    for (const QRect& q : r->Region())
        n += q.width() * q.height();
    return n;
}
}  // namespace

TEST(Regions, CombineModesGiveTheSetOperationsOfTwoSquares) {
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(Area(d), 25);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(Area(d), 175);
    CombineRgn(d, a, b, RGN_XOR);
    EXPECT_EQ(Area(d), 150);
    CombineRgn(d, a, b, RGN_DIFF);
    EXPECT_EQ(Area(d), 75);
    EXPECT_FALSE(PtInRegion(d, 7, 7));
    EXPECT_TRUE(PtInRegion(d, 2, 7));
    CombineRgn(d, b, nullptr, RGN_COPY);
    EXPECT_TRUE(EqualRgn(d, b));
    EXPECT_EQ(OffsetRgn(d, -5, -5), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(d, a));
    TRect box;
    EXPECT_EQ(GetRgnBox(d, box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(0, 0, 10, 10));
    EXPECT_EQ(CombineRgn(d, a, b, 99), RGN_ERROR);
    for (HRGN r : {a, b, d})
        DeleteObject(r);
}

TEST(Regions, RectanglesLeaveTheirRightAndBottomEdgesOut) {
    HRGN r = CreateRectRgn(10, 10, 2, 4);  // corners in any order
    EXPECT_TRUE(PtInRegion(r, 2, 4));
    EXPECT_FALSE(PtInRegion(r, 10, 9));
    EXPECT_FALSE(PtInRegion(r, 9, 10));
    EXPECT_TRUE(RectInRegion(r, Rect(9, 9, 20, 20)));
    DeleteObject(r);
}

TEST(Regions, RoundedCornersCutTheCornerPixels) {
    // Corners of a 4 x 4 ellipse: the corner pixel and its two neighbours on the edge are out.
    HRGN r = CreateRoundRectRgn(0, 0, 10, 8, 4, 4);
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_TRUE(PtInRegion(r, 1, 0));
    EXPECT_TRUE(PtInRegion(r, 0, 1));
    EXPECT_FALSE(PtInRegion(r, 9, 7));
    EXPECT_TRUE(PtInRegion(r, 5, 0));
    EXPECT_TRUE(PtInRegion(r, 0, 4));
    DeleteObject(r);
    HRGN e = CreateEllipticRgn(0, 0, 13, 13);
    int topRow = 0;
    for (int x = 0; x < 13; ++x)
        topRow += PtInRegion(e, x, 0);
    EXPECT_EQ(topRow, 5);
    DeleteObject(e);
}

TEST(Regions, PolygonRegionsFollowTheirFillRule) {
    const std::vector<TPoint> twice{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}};
    HRGN alternate = CreatePolygonRgn({{0, 0}, {8, 0}, {8, 8}, {0, 8}}, ALTERNATE);
    EXPECT_EQ(Area(alternate), 64);
    HRGN winding = CreatePolygonRgn(twice, WINDING);
    EXPECT_EQ(Area(winding), 100);
    DeleteObject(alternate);
    DeleteObject(winding);
}
