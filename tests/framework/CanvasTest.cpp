// The canvas keeps the classic pixel rules; checked pixel by pixel on a bitmap.
#include "Graphics.h"
#include "GraphicsImage.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace {
// A white 16 x 16 bitmap to draw on.
struct CanvasTest : testing::Test {
    TBitmap Bitmap{16, 16};
    TCanvas* Canvas = Bitmap.Canvas();
    void SetUp() override {
        Bitmap.SetPixelFormat(pf24bit);
        Canvas->Brush()->SetColor(clWhite);
        Canvas->FillRect(Rect(0, 0, 16, 16));
    }
    // The pixels of the given colour, as a count and their bounding box.
    int Count(TColor color, TRect* box = nullptr) {
        int n = 0;
        TRect b{100, 100, -1, -1};
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (Canvas->Pixels(x, y) == color) {
                    ++n;
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                         std::max(b.Bottom, y + 1)};
                }
        if (box) *box = b;
        return n;
    }
};
}  // namespace

TEST_F(CanvasTest, FillRectLeavesRightAndBottomEdgesOut) {
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(Rect(2, 3, 12, 13));
    TRect box;
    EXPECT_EQ(Count(clRed, &box), 100);
    EXPECT_EQ(box, Rect(2, 3, 12, 13));
}

TEST_F(CanvasTest, RectangleDrawsItsOutlineInsideTheBoxAndFillsWithinIt) {
    Canvas->Pen()->SetColor(clBlue);
    Canvas->Brush()->SetColor(clRed);
    Canvas->Rectangle(1, 1, 11, 6);
    TRect box;
    EXPECT_EQ(Count(clBlue, &box), 2 * 10 + 2 * 3);
    EXPECT_EQ(box, Rect(1, 1, 11, 6));
    EXPECT_EQ(Count(clRed, &box), 8 * 3);
    EXPECT_EQ(box, Rect(2, 2, 10, 5));
}

TEST_F(CanvasTest, RectangleWithAClearBrushKeepsTheInside) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Rectangle(Rect(0, 0, 4, 4));
    EXPECT_EQ(Count(clBlack), 12);
    EXPECT_EQ(Canvas->Pixels(1, 1), clWhite);
}

TEST_F(CanvasTest, FrameRectUsesTheBrushColour) {
    Canvas->Brush()->SetColor(clGreen);
    Canvas->FrameRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(Count(clGreen), 16);
}

TEST_F(CanvasTest, LineToLeavesOutItsEndPoint) {
    Canvas->Pen()->SetColor(clBlack);
    Canvas->MoveTo(2, 5);
    Canvas->LineTo(10, 5);
    TRect box;
    EXPECT_EQ(Count(clBlack, &box), 8);
    EXPECT_EQ(box, Rect(2, 5, 10, 6));
    EXPECT_EQ(Canvas->PenPos(), Point(10, 5));
    Canvas->LineTo(10, 0);  // upwards: (10,5) .. (10,1)
    EXPECT_EQ(Count(clBlack), 13);
    EXPECT_EQ(Canvas->Pixels(10, 0), clWhite);
}

TEST_F(CanvasTest, DiagonalLineStepsOnePixelPerRow) {
    Canvas->Pen()->SetColor(clBlack);
    Canvas->MoveTo(0, 0);
    Canvas->LineTo(6, 6);
    EXPECT_EQ(Count(clBlack), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Canvas->Pixels(i, i), clBlack);
}

TEST_F(CanvasTest, PolygonFillsAndOutlines) {
    Canvas->Pen()->SetColor(clBlue);
    Canvas->Brush()->SetColor(clRed);
    Canvas->Polygon({Point(2, 2), Point(9, 2), Point(9, 9), Point(2, 9)});
    TRect box;
    Count(clBlue, &box);
    EXPECT_EQ(box, Rect(2, 2, 10, 10));
    EXPECT_EQ(Count(clBlue) + Count(clRed), 64);
}

TEST_F(CanvasTest, SetPixelsAndSystemColours) {
    Canvas->SetPixels(3, 4, clBtnFace);
    EXPECT_EQ(Canvas->Pixels(3, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(Canvas->Pixels(-1, 0), clNone);
}

TEST_F(CanvasTest, ClippingRestrictsDrawing) {
    Canvas->IntersectClipRect(Rect(0, 0, 8, 16));
    Canvas->ExcludeClipRect(Rect(2, 2, 4, 4));
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(Count(clRed), 8 * 16 - 4);
    EXPECT_EQ(Canvas->ClipRect(), Rect(0, 0, 8, 16));
    Canvas->ResetClip();
    EXPECT_EQ(Canvas->ClipRect(), Rect(0, 0, 16, 16));
}

TEST_F(CanvasTest, TextOutFillsItsCellWithASolidBrush) {
    Canvas->Brush()->SetColor(clYellow);
    Canvas->Font()->SetColor(clBlack);
    Canvas->TextOut(1, 1, QStringLiteral("营"));
    const int w = Canvas->TextWidth(QStringLiteral("营")), h = Canvas->TextHeight(QStringLiteral("营"));
    EXPECT_GT(w, 4);
    EXPECT_GT(h, 8);
    EXPECT_EQ(Canvas->PenPos(), Point(1 + w, 1));
    int ink = 0;
    for (int y = 1; y < 1 + h; ++y)
        for (int x = 1; x < 1 + w; ++x)
            ink += GetRValue(Canvas->Pixels(x, y)) < 128;
    EXPECT_GT(ink, 3);
    EXPECT_EQ(Canvas->Pixels(0, 0), clWhite);
}

TEST_F(CanvasTest, DrawTextCalcRectMeasuresWithoutDrawing) {
    TRect r = Rect(0, 0, 200, 0);
    const int h = Canvas->DrawText(QStringLiteral("能量"), r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, r.Height());
    EXPECT_EQ(r.Width(), Canvas->TextWidth(QStringLiteral("能量")));
    EXPECT_EQ(Count(clWhite), 256);
}

TEST_F(CanvasTest, CopyRectStretchesFromAnotherBitmap) {
    TBitmap source(2, 2);
    source.SetPixelFormat(pf24bit);
    source.Canvas()->SetPixels(0, 0, clRed);
    source.Canvas()->SetPixels(1, 1, clBlue);
    Canvas->CopyRect(Rect(0, 0, 4, 4), source.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(Canvas->Pixels(1, 1), clRed);
    EXPECT_EQ(Canvas->Pixels(3, 3), clBlue);
    EXPECT_EQ(Canvas->Pixels(4, 4), clWhite);
}

TEST(CanvasDraw, ABitmapDrawnOntoItsOwnCanvasIsReadBeforeItIsWritten) {
    TBitmap bitmap(6, 6);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, 6, 6));
    canvas->SetPixels(0, 0, clRed);
    canvas->SetPixels(1, 1, clBlue);
    canvas->Draw(1, 1, &bitmap);
    EXPECT_EQ(canvas->Pixels(0, 0), clRed);
    EXPECT_EQ(canvas->Pixels(1, 1), clRed);
    EXPECT_EQ(canvas->Pixels(2, 2), clBlue);
    EXPECT_EQ(canvas->Pixels(1, 0), clWhite);
    EXPECT_EQ(canvas->Pixels(5, 5), clWhite);
}

TEST(FontTest, WindowsFacesMapToTheInstalledCjkFont) {
    // The build puts the program's copy of WenQuanYi Micro Hei beside the program.
    const QString cjk = QFile::exists(QCoreApplication::applicationDirPath() + "/fonts/VeloriaHei.ttf")
                            ? QStringLiteral("Veloria Hei")
                            : QStringLiteral("WenQuanYi Micro Hei");
    EXPECT_EQ(MapFontName(QStringLiteral("宋体")), cjk);
    EXPECT_EQ(MapFontName(QStringLiteral("Tahoma")), cjk);
    EXPECT_EQ(MapFontName(QStringLiteral("MS Sans Serif")), cjk);
    TFont font;
    EXPECT_EQ(MapFontName(font.Name()), cjk);
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    font.SetStyle(FontStyle(fsBold) | FontStyle(fsItalic));
    EXPECT_TRUE(font.HasStyle(fsBold));
    EXPECT_FALSE(font.HasStyle(fsUnderline));
    EXPECT_EQ(changes, 2);
}

TEST(RectTest, Helpers) {
    TRect r = Rect(0, 0, 10, 10);
    InflateRect(r, -2, -3);
    EXPECT_EQ(r, Rect(2, 3, 8, 7));
    OffsetRect(r, 1, 1);
    EXPECT_EQ(r, Rect(3, 4, 9, 8));
    TRect common;
    EXPECT_FALSE(IntersectRect(common, Rect(0, 0, 5, 5), Rect(5, 0, 9, 5)));
    EXPECT_TRUE(common.IsEmpty());
    EXPECT_TRUE(IntersectRect(common, Rect(0, 0, 5, 5), Rect(3, 3, 9, 9)));
    EXPECT_EQ(common, Rect(3, 3, 5, 5));
    EXPECT_TRUE(PtInRect(Rect(0, 0, 2, 2), Point(1, 1)));
    EXPECT_FALSE(PtInRect(Rect(0, 0, 2, 2), Point(2, 1)));
}

TEST_F(CanvasTest, APenSetBeforeTheBitmapIsResizedStillHoldsAfterwards) {
    Canvas->Pen()->SetStyle(psClear);
    Canvas->Brush()->SetColor(clRed);
    Bitmap.SetSize(20, 20);  // the bitmap's pixels and drawing context are made anew
    Canvas->Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(Count(clBlack), 0);
    EXPECT_EQ(Count(clRed), 100);
}

TEST(CanvasText, TextRectEndsATooLongTextInAnEllipsis) {
    TBitmap bitmap{200, 24};
    bitmap.SetPixelFormat(pf24bit);
    TCanvas* canvas = bitmap.Canvas();
    auto dark = [&](int x, int y) {
        const TColor c = canvas->Pixels(x, y);
        return (c & 0xFF) < 120 && ((c >> 8) & 0xFF) < 120 && ((c >> 16) & 0xFF) < 120;
    };
    auto inkRows = [&](int fromX, int toX) {  // the rows holding dark pixels in a band of columns
        int top = 100, bottom = -1;
        for (int y = 0; y < 24; ++y)
            for (int x = fromX; x < toX; ++x)
                if (dark(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
        return std::pair{top, bottom};
    };
    auto draw = [&](const TRect& r, const QString& text) {
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect(Rect(0, 0, 200, 24));
        canvas->Font()->SetColor(clBlack);
        canvas->Font()->SetStyle({});
        canvas->TextRect(r, r.Left + 2, 2, text);
    };
    // A name that fits is written as it is: ink all over the line's height at its end.
    draw(Rect(0, 0, 200, 24), "米粉（贝因美）");
    const auto [fullTop, fullBottom] = inkRows(0, 200);
    ASSERT_LT(fullTop, fullBottom);
    // Cut at 70 pixels: the last ink before the edge is the ellipsis, dots a few pixels high.
    draw(Rect(0, 0, 70, 24), "米粉（贝因美果蔬宝多维营养米粉）");
    int lastInk = -1;
    for (int x = 0; x < 200; ++x)
        if (inkRows(x, x + 1).second >= 0) lastInk = x;
    ASSERT_GE(lastInk, 0);
    EXPECT_LT(lastInk, 70);
    const auto [dotsTop, dotsBottom] = inkRows(lastInk - 1, lastInk + 1);
    EXPECT_LE(dotsBottom - dotsTop, 3) << "a character cut off instead of an ellipsis";
}

TEST(CanvasText, TheDegreeCelsiusSignIsDrawn) {
    // The program's text font draws every character of its data; ℃ (in the tips, recipes and some food
    // names) once came out blank.
    TBitmap bitmap{40, 24};
    bitmap.SetPixelFormat(pf24bit);
    TCanvas* canvas = bitmap.Canvas();
    for (const char* face : {"宋体", "Tahoma"}) {
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect(Rect(0, 0, 40, 24));
        canvas->Font()->SetName(face);
        canvas->Font()->SetSize(11);
        canvas->Font()->SetColor(clBlack);
        canvas->TextOut(4, 2, "℃");
        int ink = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 40; ++x)
                ink += (canvas->Pixels(x, y) & 0xFF) < 128;
        EXPECT_GT(ink, 10) << face;
    }
}
