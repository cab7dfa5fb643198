// Frames, bevels, borders and boxes of the common unit, pixel by pixel.
#include "SkCanvasFixture.h"
#include "SkCommon.h"

namespace {
using SkFrameTest = SkCanvasTest;
const TColor Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255);
}  // namespace

TEST_F(SkFrameTest, SidesGiveTheLowerRightLinesTheOddCorners) {
    EXPECT_EQ(DrawSides(Canvas, Rect(0, 0, 10, 10), Red, Blue, AllSides), Rect(1, 1, 9, 9));
    EXPECT_EQ(Count(Red), 17);   // left column and top row, less the two odd corners
    EXPECT_EQ(Count(Blue), 19);  // right column and bottom row
    EXPECT_EQ(At(0, 0), Red);
    EXPECT_EQ(At(9, 0), Blue);
    EXPECT_EQ(At(0, 9), Blue);
    EXPECT_EQ(At(9, 9), Blue);
    EXPECT_EQ(DrawSides(Canvas, Rect(20, 0, 30, 10), clNone, Blue, AllSides), Rect(21, 1, 29, 9));
    EXPECT_EQ(At(20, 5), Paper);  // clNone draws nothing but still shrinks
    EXPECT_EQ(At(29, 5), Blue);
    EXPECT_EQ(DrawSides(Canvas, Rect(0, 20, 10, 30), Red, Blue, sdTop), Rect(0, 21, 10, 30));
    EXPECT_EQ(At(9, 20), Red);  // without a right side the top line runs to the end
}

TEST_F(SkFrameTest, BorderSidesNestAndThreeDBordersTakeTheirTables) {
    EXPECT_EQ(DrawBorderSides(Canvas, Rect(0, 0, 10, 10), Red, Red, AllSides, 3), Rect(3, 3, 7, 7));
    EXPECT_EQ(Count(Red), 100 - 16);
    EXPECT_EQ(Draw3DBorderAllSides(Canvas, Rect(20, 0, 30, 10), true), Rect(22, 2, 28, 8));
    EXPECT_EQ(At(20, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(21, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(29, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(28, 5), ColorToRGB(cl3DLight));
    DrawButtonBorderAllSides(Canvas, Rect(0, 20, 10, 30), true);
    EXPECT_EQ(At(0, 20), ColorToRGB(clBtnText));
    EXPECT_EQ(At(1, 21), ColorToRGB(clBtnShadow));
    DrawColorBorderAllSides(Canvas, Rect(20, 20, 30, 30), Red, false);
    EXPECT_EQ(At(20, 20), LighterColor(Red, 100));
    EXPECT_EQ(At(29, 25), DarkerColor(Red, 100));
    EXPECT_EQ(At(21, 21), LighterColor(Red, 40));
    EXPECT_EQ(At(28, 25), DarkerColor(Red, 50));
}

TEST_F(SkFrameTest, BevelNoneKeepsTheRectAndGrooveEtchesTwoPixels) {
    EXPECT_EQ(DrawBevelAllSides(Canvas, Rect(0, 0, 10, 10), fsNone), Rect(0, 0, 10, 10));
    EXPECT_EQ(Count(Paper), 1600);
    EXPECT_EQ(DrawBevelAllSides(Canvas, Rect(0, 0, 10, 10), fsGroove), Rect(2, 2, 8, 8));
    const TColor a = ColorToRGB(clBtnShadow), b = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(At(0, 0), a);
    EXPECT_EQ(At(1, 0), a);
    EXPECT_EQ(At(1, 1), b);
    EXPECT_EQ(At(9, 0), b);  // the right side's corner
    EXPECT_EQ(At(0, 9), b);  // the bottom side's corner
    EXPECT_EQ(At(8, 5), a);
    EXPECT_EQ(At(9, 5), b);
    EXPECT_EQ(At(5, 8), a);
    EXPECT_EQ(At(5, 9), b);
    EXPECT_EQ(At(2, 2), Paper);
}

TEST_F(SkFrameTest, GrooveOnTopAloneSetsItsEndPixels) {
    EXPECT_EQ(DrawBevel(Canvas, Rect(0, 0, 10, 10), fsGroove, sdTop), Rect(0, 2, 10, 10));
    const TColor a = ColorToRGB(clBtnShadow), b = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(At(9, 0), a);  // top but not right
    EXPECT_EQ(At(0, 1), b);  // top but not left: (Left, Top + 1) in B
    EXPECT_EQ(At(5, 0), a);
    EXPECT_EQ(At(5, 1), b);
}

TEST_F(SkFrameTest, FlatRoundedBevelDrawsARoundedBoxInsteadOfNothing) {
    EXPECT_EQ(DrawBevelAllSides(Canvas, Rect(0, 0, 10, 10), fsFlatRounded), Rect(2, 2, 8, 8));
    EXPECT_EQ(At(0, 0), Paper);
    EXPECT_EQ(At(1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(0, 2), ColorToRGB(cl3DDkShadow));
}

TEST_F(SkFrameTest, BorderOfFlatRoundedIsTheBumpEtchInShadesOfTheColour) {
    DrawBorderAllSides(Canvas, Rect(0, 0, 10, 10), Red, fsFlatRounded);
    DrawBorderAllSides(Canvas, Rect(20, 0, 30, 10), Red, fsBump);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(At(x, y), At(x + 20, y)) << x << "," << y;
    EXPECT_EQ(At(0, 0), LighterColor(Red, 100));
    EXPECT_EQ(At(9, 5), DarkerColor(Red, 50));
    DrawBorderAllSides(Canvas, Rect(0, 20, 10, 30), Red, fsStatus);
    EXPECT_EQ(At(0, 25), DarkerColor(Red, 50));
    EXPECT_EQ(At(9, 25), LighterColor(Red, 100));
}

TEST_F(SkFrameTest, ControlFrameUsesSystemColoursOnTheWindowColourAndShadesOtherwise) {
    DrawControlFrame(Canvas, 20, 10, fsLowered, clWindow, clBtnShadow, AllSides);
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(19, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(18, 5), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(5, 5), Paper);
    DrawControlFrame(Canvas, 20, 10, fsLowered, clInfoBk, clBtnShadow, AllSides);
    EXPECT_EQ(At(0, 0), DarkerColor(clInfoBk, 50));
    EXPECT_EQ(At(1, 1), DarkerColor(clInfoBk, 100));
    EXPECT_EQ(At(19, 5), LighterColor(clInfoBk, 100));
}

TEST_F(SkFrameTest, FlatControlFrameClearsTheOldBandAndDrawsOnlyItsSides) {
    DrawBorderSides(Canvas, Rect(0, 0, 20, 10), Red, Red, AllSides, 2);  // an old frame
    DrawControlFrame(Canvas, 20, 10, fsFlat, clWindow, Blue, sdLeft | sdTop);
    EXPECT_EQ(At(0, 5), Blue);
    EXPECT_EQ(At(19, 5), ColorToRGB(clWindow));
    EXPECT_EQ(At(1, 5), ColorToRGB(clWindow));
    EXPECT_EQ(Count(Red), 0);
}

TEST_F(SkFrameTest, BoxesDottedAndRoundedBoxes) {
    EXPECT_EQ(DrawBox(Canvas, Rect(0, 0, 5, 5), Red), Rect(1, 1, 4, 4));
    EXPECT_EQ(Count(Red), 16);
    EXPECT_EQ(DrawDottedBorder(Canvas, Rect(10, 0, 11, 6)), Rect(11, 1, 10, 5));
    EXPECT_EQ(Count(clBlack), 3);  // a 1-pixel-wide rect: the vertical sides only, at y 1, 3, 5
    EXPECT_EQ(At(10, 1), clBlack);
    EXPECT_EQ(At(10, 0), Paper);
    DrawDottedBorder(Canvas, Rect(20, 0, 26, 4));
    EXPECT_EQ(At(21, 0), clBlack);
    EXPECT_EQ(At(20, 0), Paper);
    EXPECT_EQ(At(20, 1), clBlack);
    EXPECT_EQ(At(25, 3), clBlack);
    EXPECT_EQ(DrawRoundedBox(Canvas, Rect(0, 20, 10, 28), Blue, AllSides), Rect(2, 22, 8, 26));
    EXPECT_EQ(At(0, 20), Paper);
    EXPECT_EQ(At(1, 21), Blue);
    EXPECT_EQ(At(0, 21), Paper);
    EXPECT_EQ(At(0, 22), Blue);
    EXPECT_EQ(At(2, 20), Blue);
    EXPECT_EQ(At(7, 20), Blue);
    EXPECT_EQ(At(8, 20), Paper);
    EXPECT_EQ(At(8, 26), Blue);
    EXPECT_EQ(At(9, 27), Paper);
}

TEST_F(SkFrameTest, BoxFrameNestsOuterWidthAndInner) {
    TRect inner;
    DrawBoxFrame(Canvas, Rect(0, 0, 20, 20), fsRaised, fsLowered, 2, AllSides, 1, Red, clBtnHighlight,
                 clBtnShadow, clBtnShadow, 0, clWhite, clBtnFace, false, false, inner);
    EXPECT_EQ(inner, Rect(6, 6, 14, 14));
    EXPECT_EQ(At(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(2, 5), Red);
    EXPECT_EQ(At(4, 10), ColorToRGB(clBtnShadow));
    DrawBoxFrame(Canvas, Rect(20, 20, 40, 40), fsPopup, fsNone, 0, AllSides, 2, Red, Red, Blue, clBtnShadow,
                 0, clWhite, clBtnFace, false, false, inner);
    EXPECT_EQ(inner, Rect(22, 22, 38, 38));
    EXPECT_EQ(At(21, 30), Red);
    EXPECT_EQ(At(38, 30), Blue);
}

TEST_F(SkFrameTest, RoundedBoxFrameShowsTheParentInItsCorners) {
    TRect inner;
    DrawBoxFrame(Canvas, Rect(0, 0, 20, 20), fsFlatRounded, fsNone, 0, AllSides, 1, Red, clBtnHighlight,
                 clBtnShadow, Blue, 0, clWhite, RGB(0, 255, 0), false, false, inner);
    EXPECT_EQ(inner, Rect(2, 2, 18, 18));
    EXPECT_EQ(At(0, 0), RGB(0, 255, 0));  // the parent's colour outside the rounded corner
    EXPECT_EQ(At(1, 1), Blue);
    EXPECT_EQ(At(0, 5), Blue);
    EXPECT_EQ(At(1, 5), clWhite);  // the inner ring in Color (no border width, no inner style)
}

TEST_F(SkFrameTest, ButtonFacePaintsARingAndKeepsTheCallersClip) {
    Canvas->IntersectClipRect(Rect(0, 0, 30, 30));
    PaintButtonFace(Canvas, Rect(0, 0, 20, 20), 2, Red, Red);
    EXPECT_EQ(At(0, 0), Red);
    EXPECT_EQ(At(1, 10), Red);
    EXPECT_EQ(At(2, 10), Paper);  // inside the 2-pixel ring
    Canvas->Brush()->SetColor(Blue);
    Canvas->FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(At(29, 29), Blue);
    EXPECT_EQ(At(30, 30), Paper);  // the clip set before the call still holds
}
