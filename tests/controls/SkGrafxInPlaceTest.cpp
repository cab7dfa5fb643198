// A gradient drawn on an image that shows the whole area with a plain copy goes straight into that
// image; anywhere else it goes through an off-screen bitmap. Both ways must leave the same pixels.
// The bitmap's way is reached by leaving one pixel of the area out of the clip.
#include "SkGrafx.h"
#include "GraphicsImage.h"

#include <gtest/gtest.h>

namespace {
constexpr TColor Paper = 0x102030, Start = RGB(250, 120, 3), Stop = RGB(10, 60, 240);
constexpr int Width = 90, Height = 70;

struct TSheet {
    TBitmap Bitmap{Width, Height};
    TCanvas* Canvas = Bitmap.Canvas();
    HDC DC;
    // A viewport moved off the image's corner, as a control's painting inside its parent has it.
    explicit TSheet(TPoint viewport = {3, 2}) {
        Canvas->Brush()->SetColor(Paper);
        Canvas->FillRect(Rect(0, 0, Width, Height));
        DC = Canvas->Handle();
        DC->ViewportOrg = viewport;
    }
    TColor At(int x, int y) { return DC->GetPixel(x, y); }
};

// Areas as tall or wide as the strip and narrower, odd and even sides, and one given right to left.
const TRect Areas[] = {Rect(4, 5, 5, 15),   Rect(2, 3, 12, 4),   Rect(6, 1, 11, 4),
                       Rect(0, 0, 8, 8),    Rect(10, 7, 19, 38), Rect(1, 2, 31, 22),
                       Rect(20, 9, 57, 42), Rect(40, 30, 7, 63), Rect(0, 0, 85, 66)};

TRect Drawn(const TRect& area) {
    return Bounds(area.Left, area.Top, std::abs(area.Right - area.Left), std::abs(area.Bottom - area.Top));
}
}  // namespace

TEST(SkGrafxInPlace, GradientsDrawnInPlaceMatchTheOffScreenBitmap) {
    for (int direction = gdDiagonalUp; direction <= gdBigSquareBox; ++direction)
        for (std::uint8_t steps : {1, 16})
            for (const TRect& area : Areas) {
                const TRect drawn = Drawn(area);
                const TPoint left{drawn.Right - 1, drawn.Bottom - 1};
                TSheet bitmapWay, inPlace;
                bitmapWay.DC->ExcludeClipRect(left.X, left.Y, left.X + 1, left.Y + 1);
                // A clip of two rectangles that together show the whole area keeps the way in place.
                HRGN shown = CreateRectRgn(0, 0, Width, 30);
                HRGN lower = CreateRectRgn(0, 30, Width - 2, Height);
                CombineRgn(shown, shown, lower, RGN_OR);
                inPlace.DC->SelectClipRgn(shown);
                PaintGradient(bitmapWay.Canvas, area, TGradientDirection(direction), Start, Stop, steps);
                PaintGradient(inPlace.Canvas, area, TGradientDirection(direction), Start, Stop, steps);
                for (int y = -2; y < Height - 2; ++y)
                    for (int x = -3; x < Width - 3; ++x)
                        if (x != left.X || y != left.Y)
                            ASSERT_EQ(inPlace.At(x, y), bitmapWay.At(x, y))
                                << "direction " << direction << ", steps " << int(steps) << ", area "
                                << area.Left << "," << area.Top << ", pixel " << x << "," << y;
                EXPECT_EQ(bitmapWay.At(left.X, left.Y), Paper);
                DeleteObject(shown);
                DeleteObject(lower);
            }
}

TEST(SkGrafxInPlace, TheContextComesBackAsItWas) {
    TSheet sheet;
    sheet.DC->IntersectClipRect(0, 0, 50, 50);
    sheet.DC->Pen.Style = psDot;
    sheet.DC->Rop2 = R2_XORPEN;
    sheet.DC->PolyFillMode = WINDING;
    TRect clipBefore;
    sheet.DC->GetClipBox(clipBefore);
    PaintGradient(sheet.Canvas, Rect(5, 5, 45, 45), gdDiagonalDown, Start, Stop, 1);
    TRect clipAfter;
    sheet.DC->GetClipBox(clipAfter);
    EXPECT_EQ(clipAfter, clipBefore);
    EXPECT_EQ(sheet.DC->ViewportOrg, (TPoint{3, 2}));
    EXPECT_EQ(sheet.DC->Pen.Style, psDot);
    EXPECT_EQ(sheet.DC->Rop2, R2_XORPEN);
    EXPECT_EQ(sheet.DC->PolyFillMode, WINDING);
    EXPECT_EQ(sheet.At(4, 4), Paper);
    EXPECT_NE(sheet.At(5, 5), Paper);
}

TEST(SkGrafxInPlace, OtherCopyModesAndCutAreasStillCombineTheWholeGradient) {
    const TRect area = Rect(6, 4, 46, 34);
    TSheet reference;
    PaintGradient(reference.Canvas, area, gdVerticalBox, Start, Stop, 1);
    // Inverting copy: each pixel is the paper's xor the gradient's.
    TSheet inverted;
    inverted.Canvas->SetCopyMode(SRCINVERT);
    PaintGradient(inverted.Canvas, area, gdVerticalBox, Start, Stop, 1);
    // A clip that cuts the area in two keeps only the part it shows.
    TSheet cut;
    cut.DC->IntersectClipRect(0, 0, 26, Height);
    PaintGradient(cut.Canvas, area, gdVerticalBox, Start, Stop, 1);
    for (int y = 4; y < 34; ++y)
        for (int x = 6; x < 46; ++x) {
            ASSERT_EQ(inverted.At(x, y), reference.At(x, y) ^ Paper) << x << "," << y;
            ASSERT_EQ(cut.At(x, y), x < 26 ? reference.At(x, y) : Paper) << x << "," << y;
        }
}
