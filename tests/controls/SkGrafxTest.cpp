// Gradients, tiling and mirroring, transparent bitmaps and parent backgrounds of the graphics unit;
// colours worked out from the band arithmetic by hand.
#include "Forms.h"
#include "SkCanvasFixture.h"
#include "SkCommon.h"
#include "SkGrafx.h"

namespace {
using SkGrafxTest = SkCanvasTest;
const TColor Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255);

// The lengths of the runs of equal colour along a row.
std::vector<int> Runs(TCanvas* c, int y, int from, int to) {
    std::vector<int> runs{1};
    for (int x = from + 1; x < to; ++x) {
        if (c->Pixels(x, y) == c->Pixels(x - 1, y))
            ++runs.back();
        else
            runs.push_back(1);
    }
    return runs;
}
}  // namespace

TEST_F(SkGrafxTest, HorizontalEndRunsFromStartAtTheTopToStopAtTheBottom) {
    PaintGradient(Canvas, Rect(0, 0, 30, 20), gdHorizontalEnd, Red, Blue, 1);
    // Twenty one-pixel bands from the stop colour at row 19; deltas (255 << 16) div 20 = 835584 per channel,
    // so row 0 holds 19 steps: red 242, blue 12.
    EXPECT_EQ(At(0, 19), Blue);
    EXPECT_EQ(At(29, 19), Blue);
    EXPECT_EQ(At(0, 0), RGB(242, 0, 12));
    EXPECT_EQ(At(17, 0), RGB(242, 0, 12));
    EXPECT_EQ(At(0, 18), RGB(12, 0, 242));
    EXPECT_EQ(At(30, 0), Paper);
}

TEST_F(SkGrafxTest, CentreDirectionsHaveStartAtBothEdgesAndStopInTheMiddle) {
    PaintGradient(Canvas, Rect(0, 0, 21, 10), gdVerticalCenter, Red, Blue, 1);
    EXPECT_EQ(At(10, 5), Blue);  // the split: W div 2
    EXPECT_GT(GetRValue(At(0, 5)), 200);
    EXPECT_GT(GetRValue(At(20, 5)), 200);
    EXPECT_EQ(At(5, 0), At(5, 9));
}

TEST_F(SkGrafxTest, AOnePixelWideHorizontalGradientStillDraws) {
    PaintGradient(Canvas, Rect(5, 0, 6, 10), gdHorizontalEnd, Red, Blue, 1);
    EXPECT_EQ(At(5, 9), Blue);
    EXPECT_EQ(At(6, 9), Paper);
    EXPECT_NE(At(5, 0), Paper);
}

TEST_F(SkGrafxTest, AOnePixelWideVerticalCentreGradientIsAllCentreOnEveryRow) {
    // The centre W div 2 = 0 is the one column: the stop colour, on every row, whether the gradient
    // goes straight onto the canvas or (partly outside it) through a bitmap.
    PaintGradient(Canvas, Rect(5, 0, 6, 20), gdVerticalCenter, Red, Blue, 1);
    PaintGradient(Canvas, Rect(7, 30, 8, 50), gdVerticalCenter, Red, Blue, 1);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(At(5, y), Blue) << y;
    for (int y = 30; y < 40; ++y)
        EXPECT_EQ(At(7, y), Blue) << y;
    EXPECT_EQ(At(6, 0), Paper);
    EXPECT_EQ(At(5, 20), Paper);
}

TEST_F(SkGrafxTest, EmptyAreasAndEqualDiagonalColoursDrawNothingOrOneFill) {
    PaintGradient(Canvas, Rect(0, 0, 0, 10), gdHorizontalEnd, Red, Blue, 1);
    EXPECT_EQ(Count(Paper), 1600);
    PaintGradient(Canvas, Rect(0, 0, 10, 10), gdDiagonalUp, Red, Red, 1);
    EXPECT_EQ(Count(Red), 100);
}

TEST_F(SkGrafxTest, ASquareBoxOfFourRowsIsOneStartFill) {
    PaintGradient(Canvas, Rect(0, 0, 20, 4), gdSquareBox, Red, Blue, 1);
    EXPECT_EQ(Count(Red), 80);
}

TEST_F(SkGrafxTest, BoxesHaveStartAtTheEdgesAndStopInTheCentre) {
    PaintGradient(Canvas, Rect(0, 0, 30, 30), gdSquareBox, Red, Blue, 1);
    EXPECT_EQ(At(14, 14), Blue);  // the quadrant's corner at the centre (hx = 14)
    EXPECT_GT(GetRValue(At(0, 0)), 200);
    EXPECT_EQ(At(29, 0), At(0, 0));
    EXPECT_EQ(At(0, 29), At(0, 0));
    EXPECT_EQ(At(29, 29), At(0, 0));
    // The right half mirrors (W shr 1) and not 1 = 14 columns onto 15: column 29 - 1 shows column 1.
    EXPECT_EQ(At(28, 5), At(1, 5));
}

TEST_F(SkGrafxTest, DiagonalsRunFromTheirStartCorner) {
    PaintGradient(Canvas, Rect(0, 0, 20, 20), gdDiagonalUp, Red, Blue, 1);
    EXPECT_GT(GetRValue(At(0, 19)), 230);  // lower left
    EXPECT_GT(GetBValue(At(19, 0)), 230);  // upper right
    EXPECT_EQ(At(0, 0), At(19, 19));       // the other two corners lie on one band
    SetUp();
    PaintGradient(Canvas, Rect(0, 0, 20, 20), gdDiagonalDown, Red, Blue, 1);
    EXPECT_GT(GetRValue(At(0, 0)), 230);    // upper left
    EXPECT_GT(GetBValue(At(19, 19)), 230);  // lower right
    EXPECT_EQ(Count(Paper), 1600 - 400);
}

TEST_F(SkGrafxTest, ColorStepsSetTheNarrowestBand) {
    PaintGradient(Canvas, Rect(0, 0, 40, 10), gdVerticalEnd, Red, Blue, 1);
    for (int run : Runs(Canvas, 5, 0, 40))
        EXPECT_EQ(run, 1);
    PaintGradient(Canvas, Rect(0, 0, 40, 10), gdVerticalEnd, Red, Blue, 0);  // 0 counts as 1
    for (int run : Runs(Canvas, 5, 0, 40))
        EXPECT_EQ(run, 1);
    PaintGradient(Canvas, Rect(0, 0, 40, 10), gdVerticalEnd, Red, Blue, 16);  // (255 div 16) + 1 = 16
    const std::vector<int> runs = Runs(Canvas, 5, 0, 40);
    for (size_t i = 1; i < runs.size(); ++i)  // the band at the near edge is what is left
        EXPECT_GE(runs[i], 16);
    TBitmap box(80, 80);
    PaintGradient(box.Canvas(), Rect(0, 0, 80, 80), gdSquareBox, Red, Blue, 16);  // (256 div 16) + 1 = 17
    const std::vector<int> rings = Runs(box.Canvas(), 39, 0, 40);
    for (size_t i = 1; i + 1 < rings.size(); ++i)
        EXPECT_GE(rings[i], 17);
}

TEST_F(SkGrafxTest, BoxGradientsWithoutAStartFillLeaveNoBandUnpainted) {
    TBitmap box(120, 60);
    box.Canvas()->Brush()->SetColor(clWhite);
    box.Canvas()->FillRect(Rect(0, 0, 120, 60));
    PaintGradient(box.Canvas(), Rect(0, 0, 120, 60), gdBigSquareBox, Red, Blue, 16);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_NE(box.Canvas()->Pixels(x, y), clWhite) << x << "," << y;
}

namespace {
// Paints a tile whose pixels are coloured by their place, tiles it over the total area, and checks
// that every pixel of the area holds the colour of its place in the tile.
void TileAndCheck(TCanvas* c, int width, int height, int totalWidth, int totalHeight) {
    auto colour = [&](int x, int y) { return RGB((x % width) * 80, (y % height) * 20, 7); };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            c->SetPixels(x, y, colour(x, y));
    TileBlt(c->Handle(), 0, 0, width, height, totalWidth, totalHeight, SRCCOPY);
    for (int y = 0; y < totalHeight; ++y)
        for (int x = 0; x < totalWidth; ++x)
            ASSERT_EQ(c->Pixels(x, y), colour(x, y)) << x << "," << y;
}
}  // namespace

TEST_F(SkGrafxTest, TileBltRepeatsTheTileOverTheWholeArea) {
    TileAndCheck(Canvas, 3, 2, 10, 7);
    EXPECT_EQ(At(10, 0), Paper);
    EXPECT_EQ(At(0, 7), Paper);
    // A tile as tall as the area, in an area wide enough that its rows are copied a few at a time.
    TBitmap wide(4000, 9);
    TileAndCheck(wide.Canvas(), 3, 9, 3997, 9);
    EXPECT_EQ(wide.Canvas()->Pixels(3997, 4), clWhite);
}

TEST_F(SkGrafxTest, MirrorBltCompletesAnAreaFromItsUpperLeftQuadrant) {
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            Canvas->SetPixels(x, y, RGB(x * 60, y * 60, 0));
    MirrorBlt(Canvas->Handle(), 0, 0, 8, 8, SRCCOPY);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(At(7 - x, y), At(x, y)) << x << "," << y;
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(At(0, 7 - y), At(0, y));
}

TEST_F(SkGrafxTest, TransparentBitmapLeavesItsKeyColourOutAndRestoresTheCopyMode) {
    TBitmap picture(4, 4);
    picture.Canvas()->Brush()->SetColor(clFuchsia);
    picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
    picture.Canvas()->SetPixels(1, 1, clNavy);
    DrawTransparentBitmapEx(Canvas, &picture, Rect(10, 10, 18, 18), clFuchsia, Rect(0, 0, 4, 4));
    EXPECT_EQ(At(12, 12), clNavy);
    EXPECT_EQ(At(13, 13), clNavy);
    EXPECT_EQ(Count(clNavy), 4);
    EXPECT_EQ(At(10, 10), Paper);
    EXPECT_EQ(Count(clFuchsia), 0);
    EXPECT_EQ(Canvas->CopyMode(), SRCCOPY);
}

TEST_F(SkGrafxTest, StretchedTransparentBitmapDrawsIntoItsDestination) {
    TBitmap picture(4, 4);
    picture.Canvas()->Brush()->SetColor(clBlack);  // a black key
    picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
    picture.Canvas()->SetPixels(2, 2, clRed);
    DrawStretchedTransparentBitmap(Canvas, &picture, Rect(20, 20, 28, 28), clBlack, Rect(0, 0, 4, 4));
    EXPECT_EQ(At(24, 24), Red);
    EXPECT_EQ(At(25, 25), Red);
    EXPECT_EQ(Count(Red), 4);
    EXPECT_EQ(At(20, 20), Paper);
    EXPECT_EQ(At(4, 4), Paper);  // nothing at the canvas's origin
}

TEST(SkParentImage, TheParentsColourShowsUnderAControl) {
    TForm form(nullptr);
    form.SetColor(RGB(0, 128, 0));
    TCustomControl child(&form);
    child.SetParent(&form);
    child.SetBounds(10, 10, 20, 20);
    TBitmap image(20, 20);
    DrawParentImage(&child, image.Canvas(), false);
    EXPECT_EQ(image.Canvas()->Pixels(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(image.Canvas()->Pixels(19, 19), RGB(0, 128, 0));
    TCustomControl orphan(nullptr);
    TBitmap untouched(4, 4);
    DrawParentImage(&orphan, untouched.Canvas(), true);
    EXPECT_EQ(untouched.Canvas()->Pixels(0, 0), clWhite);
}
