// The device context's pixel rules, checked pixel by pixel on small images; every expectation is
// worked out from the classic rules by hand.
#include "DeviceContext.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {
struct DeviceContextTest : testing::Test {
    QImage Image{16, 16, QImage::Format_RGB32};
    TDeviceContext DC{&Image};
    void SetUp() override { Image.fill(Qt::white); }
    int Count(TColor color, TRect* box = nullptr) {
        int n = 0;
        TRect b{100, 100, -1, -1};
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                if (DC.GetPixel(x - DC.ViewportOrg.X, y - DC.ViewportOrg.Y) == color) {
                    ++n;
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                         std::max(b.Bottom, y + 1)};
                }
        if (box) *box = b;
        return n;
    }
    static TLogBrush Solid(TColor c) { return TLogBrush{bsSolid, c, {}, false}; }
};
}  // namespace

TEST(RasterOps, TruthTablesOfPenAndBlitOperations) {
    const std::uint32_t p = 0xF0F0F0, s = 0xCCCCCC, d = 0xAAAAAA;
    EXPECT_EQ(ApplyRop2(R2_COPYPEN, p, d), p);
    EXPECT_EQ(ApplyRop2(R2_XORPEN, p, d), (p ^ d) & 0xFFFFFF);
    EXPECT_EQ(ApplyRop2(R2_NOT, p, d), ~d & 0xFFFFFF);
    EXPECT_EQ(ApplyRop2(R2_MASKPEN, p, d), p & d);
    EXPECT_EQ(ApplyRop2(R2_MERGEPEN, p, d), p | d);
    EXPECT_EQ(ApplyRop2(R2_NOP, p, d), d);
    EXPECT_EQ(ApplyRop2(R2_BLACK, p, d), 0u);
    EXPECT_EQ(ApplyRop2(R2_NOTMERGEPEN, p, d), ~(p | d) & 0xFFFFFF);
    EXPECT_EQ(ApplyRop3(SRCCOPY, p, s, d), s);
    EXPECT_EQ(ApplyRop3(SRCAND, p, s, d), s & d);
    EXPECT_EQ(ApplyRop3(SRCPAINT, p, s, d), s | d);
    EXPECT_EQ(ApplyRop3(SRCINVERT, p, s, d), s ^ d);
    EXPECT_EQ(ApplyRop3(SRCERASE, p, s, d), s & ~d & 0xFFFFFF);
    EXPECT_EQ(ApplyRop3(NOTSRCCOPY, p, s, d), ~s & 0xFFFFFF);
    EXPECT_EQ(ApplyRop3(MERGEPAINT, p, s, d), (~s | d) & 0xFFFFFF);
    EXPECT_EQ(ApplyRop3(PATCOPY, p, s, d), p);
    EXPECT_EQ(ApplyRop3(PATINVERT, p, s, d), p ^ d);
    EXPECT_EQ(ApplyRop3(DSTINVERT, p, s, d), ~d & 0xFFFFFF);
    EXPECT_TRUE(RopUsesSource(SRCAND));
    EXPECT_FALSE(RopUsesSource(PATINVERT));
    EXPECT_TRUE(RopUsesPattern(PATCOPY));
    EXPECT_FALSE(RopUsesPattern(SRCCOPY));
}

TEST_F(DeviceContextTest, AnXorPenDrawnTwiceLeavesThePixelsAsTheyWere) {
    DC.Rop2 = R2_XORPEN;
    DC.Pen = {psSolid, 1, RGB(0, 255, 0)};
    DC.MoveTo(1, 1);
    DC.LineTo(11, 1);
    EXPECT_EQ(DC.GetPixel(1, 1), RGB(255, 0, 255));  // white xor green
    EXPECT_EQ(Count(RGB(255, 0, 255)), 10);
    DC.MoveTo(1, 1);
    DC.LineTo(11, 1);
    EXPECT_EQ(Count(clWhite), 256);
}

TEST_F(DeviceContextTest, DashedPenLeavesGapsOrFillsThemWithTheBackgroundWhenOpaque) {
    DC.Pen = {psDot, 1, clBlack};
    DC.BkMode = TRANSPARENT;
    DC.MoveTo(0, 0);
    DC.LineTo(12, 0);  // dots: 3 on, 3 off
    EXPECT_EQ(Count(clBlack), 6);
    EXPECT_EQ(DC.GetPixel(3, 0), clWhite);
    DC.BkMode = OPAQUE;
    DC.BkColor = clRed;
    DC.MoveTo(0, 2);
    DC.LineTo(12, 2);
    EXPECT_EQ(DC.GetPixel(3, 2), clRed);
    EXPECT_EQ(DC.GetPixel(6, 2), clBlack);
}

TEST_F(DeviceContextTest, ATriangleWithoutPenFillsByTheHalfOpenRule) {
    // The combo arrow: rows of 7, 5, 3 and 1 pixels under the wide edge.
    DC.Pen.Style = psClear;
    DC.Brush = Solid(clBlack);
    DC.Polygon({{8, 7}, {5, 3}, {12, 3}});
    TRect box;
    EXPECT_EQ(Count(clBlack, &box), 16);
    EXPECT_EQ(box, Rect(5, 3, 12, 7));
    EXPECT_EQ(DC.GetPixel(5, 4), clWhite);
    EXPECT_EQ(DC.GetPixel(6, 4), clBlack);
    EXPECT_EQ(DC.GetPixel(8, 6), clBlack);
}

TEST_F(DeviceContextTest, PolygonFillRulesDifferInsideAStar) {
    const std::vector<TPoint> star{{8, 0}, {13, 15}, {0, 5}, {16, 5}, {3, 15}};
    DC.Pen.Style = psClear;
    DC.Brush = Solid(clBlack);
    DC.PolyFillMode = ALTERNATE;
    DC.Polygon(star);
    EXPECT_EQ(DC.GetPixel(8, 8), clWhite);  // the pentagon in the middle is crossed twice
    DC.PolyFillMode = WINDING;
    DC.Polygon(star);
    EXPECT_EQ(DC.GetPixel(8, 8), clBlack);
}

TEST_F(DeviceContextTest, ShapesKeepTheirPenInsideAndLoseAPixelWithoutIt) {
    DC.Pen = {psSolid, 1, clBlue};
    DC.Brush = Solid(clRed);
    DC.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Count(clBlue), 2 * 5 + 2 * 2);
    EXPECT_EQ(Count(clRed), 3 * 2);
    DC.Pen.Style = psClear;
    DC.Brush = Solid(clGreen);
    DC.Rectangle(8, 8, 12, 12);
    TRect box;
    EXPECT_EQ(Count(clGreen, &box), 9);
    EXPECT_EQ(box, Rect(8, 8, 11, 11));
}

TEST_F(DeviceContextTest, AThirteenPixelCircleHasFivePixelsInItsTopRow) {
    DC.Pen = {psSolid, 1, clBlack};
    DC.Brush = Solid(clRed);
    DC.Ellipse(0, 0, 13, 13);
    for (int x = 0; x < 13; ++x)
        EXPECT_EQ(DC.GetPixel(x, 0), x >= 4 && x <= 8 ? clBlack : clWhite) << x;
    EXPECT_EQ(DC.GetPixel(6, 6), clRed);
    EXPECT_EQ(DC.GetPixel(0, 0), clWhite);
    EXPECT_EQ(DC.GetPixel(0, 6), clBlack);
}

TEST_F(DeviceContextTest, HatchAndPatternBrushesTileFromTheBrushOrigin) {
    DC.Brush = TLogBrush{bsHorizontal, clBlack, {}, false};
    DC.BkMode = TRANSPARENT;
    DC.FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(Count(clBlack), 2 * 16);  // rows 3 and 11
    EXPECT_EQ(DC.GetPixel(5, 3), clBlack);
    EXPECT_EQ(DC.GetPixel(5, 11), clBlack);
    Image.fill(Qt::white);
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.fill(Qt::white);
    checker.setPixel(0, 0, qRgb(0, 0, 0));
    checker.setPixel(1, 1, qRgb(0, 0, 0));
    DC.Brush = TLogBrush{bsSolid, clBlack, checker, true};
    DC.TextColor = clRed;  // black pattern pixels take the text colour
    DC.BkColor = clBlue;   // white ones the background colour
    DC.FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(DC.GetPixel(0, 0), clRed);
    EXPECT_EQ(DC.GetPixel(1, 0), clBlue);
    EXPECT_EQ(DC.GetPixel(3, 3), clRed);
}

TEST_F(DeviceContextTest, FocusRectangleInvertsEverySecondPixelAndUndoesItself) {
    DC.DrawFocusRect(Rect(2, 2, 10, 8));
    EXPECT_EQ(DC.GetPixel(2, 2), clBlack);
    EXPECT_EQ(DC.GetPixel(3, 2), clWhite);
    EXPECT_EQ(DC.GetPixel(4, 2), clBlack);
    EXPECT_EQ(DC.GetPixel(9, 3), clBlack);  // 9 + 3 is even
    EXPECT_EQ(DC.GetPixel(9, 4), clWhite);
    DC.DrawFocusRect(Rect(2, 2, 10, 8));
    EXPECT_EQ(Count(clWhite), 256);
}

TEST_F(DeviceContextTest, ClipRegionsAndSavedStatesLimitAndComeBack) {
    HRGN ring = CreateRectRgn(0, 0, 10, 10);
    HRGN hole = CreateRectRgn(3, 3, 7, 7);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    const int saved = DC.SaveDC();
    DC.SelectClipRgn(ring);
    DC.ViewportOrg = {1, 1};
    DC.FillRect(Rect(-1, -1, 15, 15), Solid(clBlack));
    EXPECT_EQ(Count(clBlack), 100 - 16);
    EXPECT_EQ(DC.GetPixel(4, 4), clWhite);  // device (5, 5): the hole
    DC.RestoreDC(saved);
    EXPECT_EQ(DC.ViewportOrg, Point(0, 0));
    EXPECT_FALSE(DC.HasClip());
    DC.IntersectClipRect(12, 12, 20, 20);
    DC.ExcludeClipRect(14, 14, 20, 20);
    TRect box;
    DC.GetClipBox(box);
    EXPECT_EQ(box, Rect(12, 12, 16, 16));
    DC.FillRect(Rect(0, 0, 16, 16), Solid(clRed));
    EXPECT_EQ(Count(clRed), 16 - 4);
    DeleteObject(ring);
    DeleteObject(hole);
}

TEST_F(DeviceContextTest, BlitsCombineWithTheirRasterOperationAndMirrorOnNegativeExtents) {
    QImage sourceImage(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        sourceImage.setPixel(x, 0, qRgb(x * 60, 0, 0));
    TDeviceContext source(&sourceImage);
    DC.BitBlt(0, 0, 4, 1, &source, 0, 0, SRCCOPY);
    EXPECT_EQ(DC.GetPixel(3, 0), RGB(180, 0, 0));
    DC.StretchBlt(3, 2, -4, 1, &source, 0, 0, 4, 1, SRCCOPY);  // pixels 0..3 of row 2, mirrored
    EXPECT_EQ(DC.GetPixel(0, 2), RGB(180, 0, 0));
    EXPECT_EQ(DC.GetPixel(3, 2), RGB(0, 0, 0));
    DC.StretchBlt(0, 4, 8, 1, &source, 0, 0, 4, 1, SRCCOPY);  // each source pixel twice
    EXPECT_EQ(DC.GetPixel(2, 4), RGB(60, 0, 0));
    EXPECT_EQ(DC.GetPixel(3, 4), RGB(60, 0, 0));
    DC.BitBlt(0, 0, 4, 1, &source, 0, 0, SRCINVERT);  // x xor x = 0
    EXPECT_EQ(DC.GetPixel(3, 0), clBlack);
    DC.Brush = Solid(clRed);
    DC.PatBlt(0, 6, 2, 1, PATINVERT);
    EXPECT_EQ(DC.GetPixel(0, 6), RGB(0, 255, 255));
    DC.PatBlt(0, 6, 2, 1, DSTINVERT);
    EXPECT_EQ(DC.GetPixel(0, 6), RGB(255, 0, 0));
}

TEST_F(DeviceContextTest, MonochromeBitmapsMapThroughTheTextAndBackgroundColours) {
    QImage colour(2, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(255, 0, 255));
    colour.setPixel(1, 0, qRgb(0, 0, 128));
    TDeviceContext colourDC(&colour);
    QImage mono(2, 1, QImage::Format_RGB32);
    TDeviceContext monoDC(&mono, true);
    colourDC.BkColor = clFuchsia;  // pixels of the background colour become white
    monoDC.BitBlt(0, 0, 2, 1, &colourDC, 0, 0, SRCCOPY);
    EXPECT_EQ(monoDC.GetPixel(0, 0), clWhite);
    EXPECT_EQ(monoDC.GetPixel(1, 0), clBlack);
    DC.TextColor = clGreen;  // black becomes the text colour
    DC.BkColor = clYellow;   // white the background colour
    DC.BitBlt(0, 0, 2, 1, &monoDC, 0, 0, SRCCOPY);
    EXPECT_EQ(DC.GetPixel(0, 0), clYellow);
    EXPECT_EQ(DC.GetPixel(1, 0), clGreen);
    EXPECT_EQ(monoDC.PixelOf(RGB(200, 200, 200)), 0xFFFFFFu);
    EXPECT_EQ(monoDC.PixelOf(RGB(60, 60, 60)), 0u);
}

TEST_F(DeviceContextTest, SelectedFontsComeBackThroughTheReturnedHandle) {
    TLogFont bold;
    bold.Weight = 700;
    bold.Escapement = 900;
    HFONT font = CreateFontIndirect(bold);
    HFONT old = SelectObject(&DC, font);
    EXPECT_EQ(DC.Font.Weight, 700);
    EXPECT_EQ(DC.Font.Escapement, 900);
    SelectObject(&DC, old);
    EXPECT_EQ(DC.Font.Weight, 400);
    DeleteObject(font);
}

TEST_F(DeviceContextTest, ClippedTextLeavesThePainterAsItFoundItForWhatIsDrawnNext) {
    // A caller that holds the painter across a text (a grid drawing its cells) keeps drawing in place.
    QPainter* painter = DC.Painter();
    const TRect cell = Rect(8, 8, 12, 12);
    DC.ExtTextOut(8, 8, ETO_CLIPPED | ETO_OPAQUE, &cell, QStringLiteral("米"));
    painter->fillRect(QRect(0, 0, 4, 4), Qt::black);
    TRect box;
    EXPECT_EQ(Count(clBlack, &box), 16);
    EXPECT_EQ(box, Rect(0, 0, 4, 4));
}

// A level or upright line takes its first pixel and stops before its end, whichever way it runs, only
// inside the clip and through the raster operation; a diagonal takes the same pixels as ever.
TEST_F(DeviceContextTest, StraightLinesRunFromTheirStartUpToTheirEnd) {
    DC.Pen = {psSolid, 1, clBlack};
    DC.MoveTo(2, 3);
    DC.LineTo(9, 3);  // right: x 2..8
    DC.MoveTo(12, 5);
    DC.LineTo(4, 5);  // left: x 12..5
    DC.MoveTo(1, 14);
    DC.LineTo(1, 8);  // up: y 14..9
    DC.MoveTo(7, 7);
    DC.LineTo(7, 7);  // nothing
    TRect box;
    EXPECT_EQ(Count(clBlack), 7 + 8 + 6);
    for (int x = 2; x <= 8; ++x)
        EXPECT_EQ(DC.GetPixel(x, 3), clBlack) << x;
    EXPECT_EQ(DC.GetPixel(9, 3), clWhite);
    EXPECT_EQ(DC.GetPixel(4, 5), clWhite);
    EXPECT_EQ(DC.GetPixel(12, 5), clBlack);
    EXPECT_EQ(DC.GetPixel(1, 8), clWhite);
    EXPECT_EQ(DC.GetPixel(1, 14), clBlack);

    // Clipped to a rectangle and moved by the viewport origin; an XOR pen turns white to black and back.
    Image.fill(Qt::white);
    DC.ViewportOrg = {1, 0};
    DC.IntersectClipRect(3, 0, 8, 16);
    DC.Rop2 = R2_XORPEN;
    DC.Pen = {psSolid, 1, clWhite};
    DC.MoveTo(0, 2);
    DC.LineTo(15, 2);  // device x 1..15, clip x 4..8
    EXPECT_EQ(Count(clBlack, &box), 5);
    EXPECT_EQ(box, Rect(4, 2, 9, 3));
    DC.MoveTo(5, 15);
    DC.LineTo(5, 0);  // device column 6: y 15..1
    EXPECT_EQ(DC.GetPixel(5, 2), clWhite);  // crossed twice
    EXPECT_EQ(Count(clBlack), 5 - 1 + 14);

    // A diagonal still steps as the classic rule walks it.
    Image.fill(Qt::white);
    DC.ViewportOrg = {0, 0};
    DC.Rop2 = R2_COPYPEN;
    DC.Pen = {psSolid, 1, clBlack};
    DC.MoveTo(4, 0);
    DC.LineTo(8, 4);
    EXPECT_EQ(Count(clBlack, &box), 4);
    EXPECT_EQ(box, Rect(4, 0, 8, 4));
}
