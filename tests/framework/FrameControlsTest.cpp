// Classic edges and frame controls, pixel by pixel.
#include "FrameControls.h"

#include <gtest/gtest.h>

namespace {
struct FrameControlsTest : testing::Test {
    QImage Image{40, 40, QImage::Format_RGB32};
    TDeviceContext DC{&Image};
    void SetUp() override { Image.fill(qRgb(1, 2, 3)); }
    TColor At(int x, int y) { return DC.GetPixel(x, y); }
    int Count(TColor color) {
        int n = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                n += At(x, y) == ColorToRGB(color);
        return n;
    }
};
}  // namespace

TEST_F(FrameControlsTest, SunkenEdgeHasTwoRingsAndTheLowerRightOwnsTheOddCorners) {
    TRect r = Rect(0, 0, 10, 8);
    DrawEdge(&DC, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, Rect(2, 2, 8, 6));
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(9, 0), ColorToRGB(clBtnHighlight));  // top-right corner
    EXPECT_EQ(At(0, 7), ColorToRGB(clBtnHighlight));  // bottom-left corner
    EXPECT_EQ(At(1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(8, 3), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(4, 4), RGB(1, 2, 3));  // no middle asked for
}

TEST_F(FrameControlsTest, SoftFlatAndMonoEdgesTakeTheirOwnColours) {
    TRect r = Rect(0, 0, 6, 6);
    DrawEdge(&DC, r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(1, 1), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(5, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(3, 3), ColorToRGB(clBtnFace));
    r = Rect(10, 0, 16, 6);
    DrawEdge(&DC, r, EDGE_SUNKEN, BF_RECT | BF_FLAT);
    EXPECT_EQ(At(10, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(15, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(11, 1), ColorToRGB(clBtnFace));
    r = Rect(20, 0, 26, 6);
    DrawEdge(&DC, r, BDR_RAISEDOUTER, BF_LEFT | BF_TOP);
    EXPECT_EQ(At(20, 5), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(25, 5), RGB(1, 2, 3));
}

TEST_F(FrameControlsTest, ACheckedBoxShowsTheSevenColumnCheckOnTheWindowColour) {
    TRect r = Rect(0, 0, 13, 13);
    DrawFrameControl(&DC, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(Count(clWindowText), 21);
    EXPECT_EQ(At(3, 5), ColorToRGB(clWindowText));
    EXPECT_EQ(At(9, 3), ColorToRGB(clWindowText));
    EXPECT_EQ(At(3, 4), ColorToRGB(clWindow));
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, 1), ColorToRGB(cl3DDkShadow));
    r = Rect(20, 0, 33, 13);
    DrawFrameControl(&DC, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
    EXPECT_EQ(At(26, 6), ColorToRGB(clBtnFace));
}

TEST_F(FrameControlsTest, RadioButtonDotIsFourPixelsAcross) {
    TRect r = Rect(0, 0, 12, 12);
    DrawFrameControl(&DC, r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(At(5, 4), ColorToRGB(clWindowText));
    EXPECT_EQ(At(4, 5), ColorToRGB(clWindowText));
    EXPECT_EQ(At(4, 4), ColorToRGB(clWindow));
    EXPECT_EQ(At(0, 0), RGB(1, 2, 3));  // outside the circle
    EXPECT_EQ(At(4, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(11, 6), ColorToRGB(clBtnHighlight));
}

TEST_F(FrameControlsTest, ComboArrowIsCentredAndPushedMovesIt) {
    TRect r = Rect(0, 0, 16, 16);
    DrawFrameControl(&DC, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    // (16 + 2) div 4 = 4 rows of 7, 5, 3, 1 pixels from (4, 6).
    for (int x = 4; x < 11; ++x)
        EXPECT_EQ(At(x, 6), ColorToRGB(clBtnText));
    EXPECT_EQ(At(7, 9), ColorToRGB(clBtnText));
    EXPECT_EQ(At(6, 9), ColorToRGB(clBtnFace));
    r = Rect(20, 0, 36, 16);
    DrawFrameControl(&DC, r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    EXPECT_EQ(At(28, 10), ColorToRGB(clBtnText));
    r = Rect(0, 20, 16, 36);
    DrawFrameControl(&DC, r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
    EXPECT_EQ(At(4, 26), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(11, 27), ColorToRGB(clBtnHighlight));  // where the shadow copy does not cover it
}

TEST_F(FrameControlsTest, AGlyphLargerThanItsRectangleStaysInside) {
    TRect r = Rect(10, 10, 14, 14);
    DrawFrameControl(&DC, r, DFC_SCROLL, DFCS_SCROLLDOWN);
    DrawFrameControl(&DC, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(&DC, r, DFC_MENU, DFCS_MENUCHECK);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (!r.Contains({x, y})) ASSERT_EQ(At(x, y), RGB(1, 2, 3)) << x << "," << y;
}

TEST_F(FrameControlsTest, MenuGlyphsAreBlackMasksOnWhite) {
    TRect r = Rect(0, 0, 16, 16);
    DrawFrameControl(&DC, r, DFC_MENU, DFCS_MENUCHECK);
    EXPECT_EQ(Count(clBlack), 1 + 2 + 4 + 5 + 5 + 3 + 1);
    EXPECT_EQ(Count(clWhite), 256 - 21);
    EXPECT_EQ(At(5 + 6, 5), clBlack);  // the check's tip: column 6 of the 7 x 7 glyph at (5, 5)
}

TEST_F(FrameControlsTest, DisabledPicturesAreEmbossed) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(255, 0, 255));
    DrawDisabledImage(&DC, 0, 0, picture, clFuchsia);
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(1, 0), RGB(1, 2, 3));
}
