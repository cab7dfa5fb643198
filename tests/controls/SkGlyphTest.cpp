// Glyphs of the common unit: arrow and close shapes from their polygons, the check box and radio
// images, and the clipping to the glyph's rectangle.
#include "SkCanvasFixture.h"
#include "SkCommon.h"

namespace {
using SkGlyphTest = SkCanvasTest;
}

TEST_F(SkGlyphTest, DropDownArrowIsATriangleOfSevenFiveThreeAndOnePixels) {
    DrawDropDownArrowButton(Canvas, Rect(0, 0, 17, 21), 0, true);
    // Centre (8, 10): the triangle (8, 12), (5, 8), (12, 8) fills rows 8 to 11.
    TRect box;
    EXPECT_EQ(Count(clBlack, &box), 7 + 5 + 3 + 1);
    EXPECT_EQ(box, Rect(5, 8, 12, 12));
    EXPECT_EQ(At(8, 11), clBlack);
    EXPECT_EQ(Canvas->Brush()->Color(), clWhite);  // the brush comes back
    EXPECT_EQ(Canvas->Pen()->Style(), psSolid);
}

TEST_F(SkGlyphTest, ArrowColourAvoidsABrushTooCloseToBlackAndGreysWhenDisabled) {
    Canvas->Brush()->SetColor(RGB(8, 8, 8));
    DrawDropDownArrowButton(Canvas, Rect(0, 0, 17, 21), 0, true);
    EXPECT_EQ(At(8, 8), ColorToRGB(cl3DDkShadow));
    DrawDropDownArrowButton(Canvas, Rect(20, 0, 37, 21), 0, false);
    EXPECT_EQ(At(28, 8), ColorToRGB(clBtnShadow));
}

TEST_F(SkGlyphTest, OnVistaTheDropDownArrowTakesTheVistaStyle) {
    SetOSVersionForTest(2, 6, 0);
    DrawDropDownArrowButton(Canvas, Rect(0, 0, 17, 21), 1, true);  // style 1 becomes 2: the triangle
    ResetPlatformProfile();
    EXPECT_EQ(Count(clBlack), 16);
}

TEST_F(SkGlyphTest, ClassicArrowsPointTheirWay) {
    DrawArrow(Canvas, Rect(0, 0, 16, 16), 0, true, 0);
    // Centre (8, 7), shifted down to (8, 8): triangle (8, 3), (12, 8), (4, 8); its tip row is empty
    // under the half-open rule, the next holds one pixel.
    TRect box;
    Count(clBlack, &box);
    EXPECT_EQ(box.Top, 4);
    EXPECT_EQ(box.Bottom, 8);
    EXPECT_EQ(At(8, 7), clBlack);
    EXPECT_EQ(At(5, 7), clBlack);
    EXPECT_EQ(At(8, 2), Paper);
}

TEST_F(SkGlyphTest, GlyphsStayInsideRectanglesSmallerThanThemselves) {
    const TRect small = Rect(10, 10, 15, 15);
    DrawDropDownArrowButton(Canvas, small, 0, true);
    DrawArrow(Canvas, small, 1, true, 3);
    DrawCloseGlyph(Canvas, small, clBlack);
    DrawCheckBoxImage(Canvas, small, 1, 0, false, htsFrame, clBlack, clBlack, clWhite, clWhite, clBtnFace,
                      clRed, clRed, false, false, clInfoBk);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (!small.Contains({x, y})) ASSERT_EQ(At(x, y), Paper) << x << "," << y;
    EXPECT_NE(Count(clBlack), 0);
}

TEST_F(SkGlyphTest, CloseGlyphTakesTheLargeShapeFromElevenByNine) {
    DrawCloseGlyph(Canvas, Rect(0, 0, 11, 9), clBlack);
    TRect large;
    Count(clBlack, &large);
    SetUp();
    DrawCloseGlyph(Canvas, Rect(0, 0, 10, 9), clBlack);
    TRect small;
    Count(clBlack, &small);
    EXPECT_GT(large.Width(), small.Width());
    EXPECT_LE(small.Right, 10);
}

TEST_F(SkGlyphTest, CheckBoxImageDrawsItsBoxFillAndTwentyOneCheckPixels) {
    const TColor frame = RGB(0, 0, 255), check = RGB(255, 0, 0);
    DrawCheckBoxImage(Canvas, Rect(0, 0, 13, 13), 1, 0, false, htsInterior, frame, check, clWhite, clYellow,
                      clBtnFace, clGreen, clGreen, false, false, clInfoBk);
    EXPECT_EQ(Count(frame), 48);
    EXPECT_EQ(Count(check), 21);
    EXPECT_EQ(At(3, 5), check);
    EXPECT_EQ(At(9, 3), check);
    EXPECT_EQ(At(9, 5), check);
    EXPECT_EQ(At(3, 4), clWhite);
    EXPECT_EQ(Count(clWhite), 121 - 21);
}

// The glyph routines give the canvas's context back as they found it, and the canvas knows: a row of
// boxes in the same colours comes out the same, box after box (the second was framed black on the
// colour the context held before).
TEST_F(SkGlyphTest, BoxesDrawnOneAfterAnotherOnACanvasLookTheSame) {
    const TColor frame = RGB(0, 0, 255), fill = RGB(255, 255, 0), check = RGB(255, 0, 0);
    for (int i = 0; i < 3; ++i)
        DrawCheckBoxImage(Canvas, Rect(13 * i, 0, 13 * i + 13, 13), i == 1 ? 1 : 0, 0, false, htsInterior,
                          frame, check, fill, clWhite, clBtnFace, clGreen, clGreen, false, false, clInfoBk);
    DrawDropDownArrowButton(Canvas, Rect(0, 20, 17, 40), 0, true);
    DrawCheckBoxImage(Canvas, Rect(20, 20, 33, 33), 0, 0, false, htsInterior, frame, check, fill, clWhite,
                      clBtnFace, clGreen, clGreen, false, false, clInfoBk);
    for (const TPoint corner : {TPoint{13, 0}, TPoint{26, 0}, TPoint{20, 20}}) {
        EXPECT_EQ(At(corner.X, corner.Y), frame);
        EXPECT_EQ(At(corner.X + 12, corner.Y + 12), frame);
        EXPECT_EQ(At(corner.X + 1, corner.Y + 1), fill);
        EXPECT_EQ(At(corner.X + 11, corner.Y + 11), fill);
    }
    EXPECT_EQ(Count(check), 21);
}

TEST_F(SkGlyphTest, CheckBoxFillFollowsStateFocusAndReadOnly) {
    auto fillOf = [&](int drawState, bool focused, bool readOnly, bool onFocus) {
        DrawCheckBoxImage(Canvas, Rect(0, 0, 13, 13), 0, drawState, focused, htsFrame, clBlack, clRed,
                          clWhite, clYellow, clBtnFace, clGreen, clBlue, readOnly, onFocus, clInfoBk);
        return At(6, 6);
    };
    EXPECT_EQ(fillOf(0, false, false, false), clWhite);
    EXPECT_EQ(fillOf(0, true, false, false), clYellow);
    EXPECT_EQ(fillOf(0, false, true, false), ColorToRGB(clInfoBk));
    EXPECT_EQ(fillOf(0, true, true, false), clYellow);
    EXPECT_EQ(fillOf(0, true, true, true), ColorToRGB(clInfoBk));
    EXPECT_EQ(fillOf(1, false, false, false), DarkerColor(clYellow, 20));
    EXPECT_EQ(fillOf(3, false, false, false), ColorToRGB(clBtnFace));
    EXPECT_EQ(fillOf(2, false, false, false), clWhite);
    EXPECT_EQ(At(0, 6), clBlue);  // hot with the frame style: the box in the dark hot colour
}

TEST_F(SkGlyphTest, GrayedCheckBoxFillsTheInsideLessTwo) {
    DrawCheckBoxImage(Canvas, Rect(0, 0, 13, 13), 2, 3, false, htsFrame, clBlack, clRed, clWhite, clWhite,
                      clYellow, clGreen, clBlue, false, false, clInfoBk);
    EXPECT_EQ(At(3, 3), ColorToRGB(clBtnShadow));  // disabled: the check colour is the shadow
    EXPECT_EQ(At(2, 2), clYellow);
    EXPECT_EQ(Count(clBtnShadow), 7 * 7);
}

TEST_F(SkGlyphTest, RadioButtonImageHasItsRimOutsideKeyAndDot) {
    const TColor frame = RGB(0, 0, 128), dot = RGB(255, 0, 0), key = RGB(255, 0, 255);
    DrawRadioButtonImage(Canvas, Rect(0, 0, 13, 13), true, 0, false, htsFrame, frame, dot, clWhite, clWhite,
                         clBtnFace, clGreen, clGreen, clBtnFace, true, key, false, false, clInfoBk);
    EXPECT_EQ(At(0, 0), key);
    EXPECT_EQ(At(2, 0), key);
    EXPECT_EQ(At(4, 0), key);  // blended rim pixels take the key when transparent
    EXPECT_EQ(At(6, 0), frame);
    EXPECT_EQ(At(5, 0), LighterColor(frame, 10));
    EXPECT_EQ(At(6, 1), BlendColors(frame, clWhite, 40));
    EXPECT_EQ(At(4, 1), BlendColors(frame, clWhite, 128));
    EXPECT_EQ(At(6, 6), dot);
    EXPECT_EQ(At(6, 4), dot);
    EXPECT_EQ(At(5, 4), BlendColors(dot, clWhite, 153));
    EXPECT_EQ(At(3, 3), clWhite);
}

TEST_F(SkGlyphTest, RadioButtonOnA256ColourDisplayUsesPlainRimColours) {
    HighColorDisplay = false;
    const TColor frame = RGB(0, 0, 128);
    DrawRadioButtonImage(Canvas, Rect(0, 0, 13, 13), false, 0, false, htsFrame, frame, clRed, clWhite,
                         clWhite, clBtnFace, clGreen, clGreen, clBtnFace, false, clFuchsia, false, false,
                         clInfoBk);
    HighColorDisplay = true;
    EXPECT_EQ(At(5, 0), frame);
    EXPECT_EQ(At(4, 0), frame);
    EXPECT_EQ(At(4, 1), frame);
    EXPECT_EQ(At(5, 1), RGB(192, 192, 192));
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnFace));
}
