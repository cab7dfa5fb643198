#include "SkBckgnd.h"
#include "SkLine.h"
#include "StdCtrls.h"
#include "Streaming.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {
// Lines on a white parent.
struct Line : testing::Test {
    std::unique_ptr<TPaintBox> Parent = std::make_unique<TPaintBox>(nullptr);
    void SetUp() override {
        Parent->SetColor(clWhite);
        Parent->SetBounds(0, 0, 100, 100);
    }
    TSkLine* MakeLine(int width, int height) {
        auto* line = new TSkLine(Parent.get());
        line->SetParent(Parent.get());
        line->SetBounds(0, 0, width, height);
        line->SetLineColor(clBlack);
        return line;
    }
};

bool Black(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

bool Claims(TSkLine* line, int x, int y) {
    return line->Perform(CM_HITTEST, 0, MakeLParam(x, y)) == HTCLIENT;
}

void Click(QWidget* widget, int x, int y) {
    const QPointF local(x, y), global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}
}  // namespace

TEST_F(Line, TheEndsLieInsideTheMarginWhichFollowsTheArrowLength) {
    TSkLine* line = MakeLine(20, 40);
    EXPECT_EQ(line->Margin(), 10);
    EXPECT_EQ(line->StartPoint(), Point(10, 10));
    EXPECT_EQ(line->EndPoint(), Point(10, 30));
    line->SetArrowLength(10);  // the value it has: the margin stays
    EXPECT_EQ(line->Margin(), 10);
    line->SetArrowLength(12);
    EXPECT_EQ(line->Margin(), 6);
    EXPECT_EQ(line->StartPoint(), Point(6, 6));
    EXPECT_EQ(line->EndPoint(), Point(14, 34));
    line->SetLineSlope(lsUp);
    EXPECT_EQ(line->StartPoint(), Point(6, 34));
    EXPECT_EQ(line->EndPoint(), Point(14, 6));
    // The control grows to twice the margin each way, also when it is made smaller.
    line->SetArrowLength(50);
    EXPECT_EQ(line->Width(), 50);
    EXPECT_EQ(line->Height(), 50);
    line->SetBounds(0, 0, 10, 80);
    EXPECT_EQ(line->Width(), 50);
    EXPECT_EQ(line->Height(), 80);
    line->SetArrowLength(-8);  // no negative sizes
    EXPECT_EQ(line->ArrowLength(), 0);
    EXPECT_EQ(line->Margin(), 0);
    EXPECT_EQ(line->EndPoint(), Point(50, 0));
}

TEST_F(Line, ADownwardArrowDrawsItsLineAndItsHeadTipAtTheEnd) {
    TSkLine* line = MakeLine(20, 40);
    line->SetShowArrows(saEnd);
    const QImage& image = line->PaintOffscreen();
    // The line runs down x = 10 from y = 10 and stops short of the end by ArrowLength div 2 = 5.
    for (int y = 10; y <= 24; ++y)
        EXPECT_TRUE(Black(image, 10, y)) << y;
    EXPECT_FALSE(Black(image, 10, 9));
    EXPECT_FALSE(Black(image, 9, 20));
    EXPECT_FALSE(Black(image, 11, 20));
    // The head (10, 30), (14, 21), (6, 21): 22.5 degrees either side of the line, 10 long.
    for (const TPoint p :
         {Point(10, 30), Point(14, 21), Point(6, 21), Point(10, 25), Point(8, 25), Point(12, 25)})
        EXPECT_TRUE(Black(image, p.X, p.Y)) << p.X << "," << p.Y;
    for (const TPoint p :
         {Point(10, 31), Point(15, 21), Point(5, 21), Point(7, 25), Point(13, 25), Point(9, 20)})
        EXPECT_FALSE(Black(image, p.X, p.Y)) << p.X << "," << p.Y;
    // Going up, the arrow at the start is the same head; the line runs up from (10, 25) to (10, 10),
    // leaving its end out.
    TSkLine* up = MakeLine(20, 40);
    up->SetLineSlope(lsUp);
    up->SetShowArrows(saStart);
    const QImage& upImage = up->PaintOffscreen();
    for (int y = 11; y <= 30; ++y)
        EXPECT_TRUE(Black(upImage, 10, y)) << y;
    EXPECT_FALSE(Black(upImage, 10, 10));
    for (int y = 21; y <= 31; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(Black(upImage, x, y), Black(image, x, y)) << x << "," << y;
}

TEST_F(Line, ASlopedArrowFollowsTheAngleOfTheLine) {
    TSkLine* line = MakeLine(20, 40);
    line->SetArrowLength(12);
    line->SetShowArrows(saEnd);
    const QImage& image = line->PaintOffscreen();
    // From (6, 6) at atan(28 / 8); the head: tip (14, 34), corners (15, 22) and (7, 25).
    for (const TPoint p : {Point(6, 6), Point(14, 34), Point(15, 22), Point(7, 25)})
        EXPECT_TRUE(Black(image, p.X, p.Y)) << p.X << "," << p.Y;
    for (const TPoint p : {Point(5, 5), Point(14, 35), Point(16, 22), Point(6, 25)})
        EXPECT_FALSE(Black(image, p.X, p.Y)) << p.X << "," << p.Y;
}

TEST_F(Line, ArrowsTooLongForTheLineAreShortenedToFitIt) {
    // A 20 x 20 line with margin 10 has no length: no head may reach past its ends.
    TSkLine* line = MakeLine(20, 20);
    line->SetShowArrows(saBoth);
    const QImage& image = line->PaintOffscreen();
    int black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            black += Black(image, x, y);
    EXPECT_LE(black, 1);
}

TEST_F(Line, WidthsWithArrowsAreOddAndNeverBelowOne) {
    TSkLine* line = MakeLine(20, 40);
    line->SetLineWidth(2);
    EXPECT_EQ(line->LineWidth(), 2);  // no arrows: any width
    line->SetLineWidth(1);
    line->SetShowArrows(saEnd);
    line->SetLineWidth(2);
    EXPECT_EQ(line->LineWidth(), 3);
    line->SetLineWidth(2);
    EXPECT_EQ(line->LineWidth(), 1);
    line->SetLineWidth(0);
    EXPECT_EQ(line->LineWidth(), 1);
    line->SetShowArrows(saNone);
    line->SetLineWidth(-4);
    EXPECT_EQ(line->LineWidth(), 1);
}

TEST_F(Line, OnlyPointsNearTheLineAreClaimed) {
    TSkLine* down = MakeLine(20, 40);  // margin 10, tolerance 4: x 6..13, y 6..33, 4 from x = 10
    EXPECT_TRUE(Claims(down, 6, 20));
    EXPECT_FALSE(Claims(down, 15, 20));
    EXPECT_TRUE(Claims(down, 13, 20));
    EXPECT_FALSE(Claims(down, 14, 20));
    EXPECT_FALSE(Claims(down, 10, 5));
    EXPECT_TRUE(Claims(down, 10, 6));
    EXPECT_TRUE(Claims(down, 10, 33));
    EXPECT_FALSE(Claims(down, 10, 34));
    // Sloped, the band reaches 4 pixels square to the line. From (10, 10) to (50, 20), slope 1/4: at
    // x = 30 the line is at y 15 and the band 4 × √(1 + 1/16) = 4.12 above and below: y 11 to 19.
    TSkLine* sloped = MakeLine(60, 30);
    EXPECT_FALSE(Claims(sloped, 30, 10));
    EXPECT_TRUE(Claims(sloped, 30, 11));
    EXPECT_TRUE(Claims(sloped, 30, 19));
    EXPECT_FALSE(Claims(sloped, 30, 20));
    sloped->SetLineSlope(lsUp);  // from (10, 20) to (50, 10): the same band at x = 30
    EXPECT_FALSE(Claims(sloped, 30, 10));
    EXPECT_TRUE(Claims(sloped, 30, 11));
    EXPECT_TRUE(Claims(sloped, 30, 19));
    EXPECT_FALSE(Claims(sloped, 30, 20));
    // At 45 degrees (40 x 40, from (10, 10) to (30, 30)) the band keeps its width: 4 × √2 = 5.66
    // above and below the line, y 15 to 25 at x = 20, either way up.
    TSkLine* diagonal = MakeLine(40, 40);
    for (TSkLineSlope slope : {lsDown, lsUp}) {
        diagonal->SetLineSlope(slope);
        EXPECT_FALSE(Claims(diagonal, 20, 14));
        EXPECT_TRUE(Claims(diagonal, 20, 15));
        EXPECT_TRUE(Claims(diagonal, 20, 20));
        EXPECT_TRUE(Claims(diagonal, 20, 25));
        EXPECT_FALSE(Claims(diagonal, 20, 26));
    }
    // A wide line widens the tolerance to half its width: 5, so x 5..14.
    down->SetLineWidth(11);
    EXPECT_TRUE(Claims(down, 14, 20));
    EXPECT_TRUE(Claims(down, 5, 20));
    EXPECT_FALSE(Claims(down, 4, 20));
}

TEST_F(Line, ClicksAwayFromTheLineReachTheControlBeneath) {
    auto* beneath = new TPaintBox(Parent.get());
    beneath->SetParent(Parent.get());
    beneath->SetBounds(0, 0, 20, 40);
    TSkLine* line = MakeLine(20, 40);
    QStringList clicks;
    beneath->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        clicks << QString("beneath %1,%2").arg(x).arg(y);
    };
    beneath->OnClick = [&](TObject*) { clicks << "beneath click"; };
    line->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        clicks << QString("line %1,%2").arg(x).arg(y);
    };
    Click(line->Widget(), 16, 20);
    Click(line->Widget(), 11, 20);
    EXPECT_EQ(clicks, QStringList({"beneath 16,20", "beneath click", "line 11,20"}));
}

TEST_F(Line, ACaptionIsDrawnInTheMiddle) {
    TSkLine* line = MakeLine(60, 40);
    line->SetCaption("下");
    line->SetLineColor(clWhite);  // only the caption shows on the white parent
    const QImage& image = line->PaintOffscreen();
    int inkLeft = 60, inkRight = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    EXPECT_NEAR((inkLeft + inkRight) / 2.0, 30, 2);
}

TEST_F(Line, ItStreamsItsPropertiesAndGrowsOnlyOnceLoaded) {
    std::unique_ptr<TComponent> made(TextToComponent("object L: TSkLine\n"
                                                     "  Width = 8\n"
                                                     "  Height = 8\n"
                                                     "  ArrowLength = 4\n"
                                                     "  LineSlope = lsUp\n"
                                                     "  ShowArrows = saBoth\n"
                                                     "end\n"));
    auto* line = qobject_cast<TSkLine*>(made.get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Width(), 8);  // margin 2: 8 is enough
    EXPECT_EQ(line->StartPoint(), Point(2, 6));
    const QString text = ComponentToText(line);
    EXPECT_TRUE(text.contains("  ArrowLength = 4\n  LineSlope = lsUp\n  ShowArrows = saBoth\n"))
        << qPrintable(text);
    EXPECT_FALSE(text.contains("LineColor"));
}

TEST_F(Line, OnScreenItStaysBeneathWindowedControlsAndShowsWhatLiesBeneathIt) {
    auto* button = new TButton(Parent.get());
    button->SetParent(Parent.get());
    button->SetBounds(60, 0, 30, 30);
    // The parent paints red behind its children; the line draws only its own pixels over it.
    Parent->OnPaint = [this](TObject*) {
        Parent->Canvas()->Brush()->SetColor(clRed);
        Parent->Canvas()->FillRect(Rect(0, 0, 100, 100));
    };
    // A graphic control beneath the line shows through it as well.
    auto* beneath = new TSkSeparator(Parent.get());
    beneath->SetParent(Parent.get());
    beneath->SetBounds(0, 0, 8, 40);
    beneath->SetShowGradient(false);
    beneath->SetColor(clBlue);
    TSkLine* line = MakeLine(20, 40);
    const QObjectList order = Parent->Widget()->children();
    EXPECT_LT(order.indexOf(line->Widget()), order.indexOf(button->Widget()));
    EXPECT_LT(order.indexOf(beneath->Widget()), order.indexOf(line->Widget()));
    const QImage screen = Parent->Widget()->grab().toImage();
    EXPECT_EQ(screen.pixel(10, 20), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(3, 20), qRgb(0, 0, 255));
    EXPECT_EQ(screen.pixel(15, 20), qRgb(255, 0, 0));
}
