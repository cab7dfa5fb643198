// Balloon hints: the component taking the application's hint window over and back, the balloon's
// place for each corner and at each edge of the monitor, its shape and region on the image, the plain
// box, and the mouse on the balloon. A hint text measured 66 x 18 makes a balloon 74 x 46: inflated by
// 4, and 20 more for the tail.
#include "Forms.h"
#include "SkBHints.h"
#include "StdCtrls.h"
#include "Streaming.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
const TColor Edge = RGB(200, 0, 0), Fill = RGB(255, 255, 200);

struct BalloonTest : testing::Test {
    TForm* Form = new TForm(Application);
    TLabel* Target = new TLabel(Form);
    TSkBalloonHints* Hints = nullptr;
    TRect Area = ScreenMonitor(0).WorkareaRect;

    void SetUp() override {
        Target->SetParent(Form);
        Target->SetAutoSize(false);
        Target->SetBounds(50, 50, 200, 100);
        Form->SetBounds(100, 100, 400, 300);
        Form->ShowForm();
        Hints = new TSkBalloonHints(Form);
        Hints->SetFrameColor(Edge);
        Hints->SetColor(Fill);
    }
    void TearDown() override { delete Form; }
    TSkCustomHintWindow* Window() { return dynamic_cast<TSkCustomHintWindow*>(Application->HintWindow()); }
    // As the application shows a hint of `control` with the mouse at `p` (client coordinates): the
    // show-hint information first, then the window with the measured text.
    void Show(TControl* control, TPoint p, TRect measured = Rect(0, 0, 66, 18)) {
        THintInfo info;
        info.HintControl = control;
        info.CursorPos = p;
        info.HintStr = QStringLiteral("提示");
        bool canShow = true;
        Application->OnShowHint(info.HintStr, canShow, info);
        Window()->ActivateHint(measured, info.HintStr);
    }
    // Moves the window so that the target's point (5, 5) lies at `screen`, shows the hint there and
    // gives the anchor.
    TPoint ShowAt(TPoint screen, TRect measured = Rect(0, 0, 66, 18)) {
        Form->SetBounds(screen.X - 55, screen.Y - 55, 400, 300);
        Show(Target, {5, 5}, measured);
        return Target->ClientToScreen({5, 5});
    }
};
}  // namespace

TEST_F(BalloonTest, TheComponentMakesTheHintWindowABalloonAndGivesTheOldClassBack) {
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Hints->HintWindow(), Window());
    EXPECT_EQ(Window()->Component(), Hints);
    Hints->SetCaptionWidth(200);
    Hints->SetCorner(hcLowerLeft);
    EXPECT_EQ(Window()->CaptionWidth(), 200);
    EXPECT_EQ(Window()->Corner(), hcLowerLeft);
    EXPECT_EQ(Window()->FrameColor(), Edge);
    // At run time the pauses are the application's.
    const int pause = Application->HintPause();
    Hints->SetHintPause(100);
    EXPECT_EQ(Application->HintPause(), 100);
    Application->SetHintPause(pause);
    // A window made later still takes every setting.
    Hints->SetCenterThreshold(0);
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Window()->FrameColor(), Edge);
    EXPECT_EQ(Window()->CenterThreshold(), 0);
    EXPECT_EQ(Window()->CaptionWidth(), 200);
    delete Form;
    Form = nullptr;
    EXPECT_EQ(Window(), nullptr);
    EXPECT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(HintWindowClass, &NewHintWindow<THintWindow>);
    Form = new TForm(Application);
}

TEST(BalloonDesign, InTheDesignerTheComponentKeepsItsOwnPausesAndLeavesTheHintWindowAlone) {
    TForm form(nullptr);
    form.SetDesigning(true);
    TSkBalloonHints hints(&form);
    EXPECT_EQ(HintWindowClass, &NewHintWindow<THintWindow>);
    const int pause = Application->HintPause();
    hints.SetHintPause(pause + 7);
    EXPECT_EQ(hints.HintPause(), pause + 7);
    EXPECT_EQ(Application->HintPause(), pause);
}

TEST_F(BalloonTest, ANameOfAnEarlierVersionIsReadAndDroppedAndOnlyChangedValuesAreWritten) {
    Hints->SetName(QStringLiteral("Hints"));
    TextToComponent(QStringLiteral("object Hints: TSkBalloonHints\n"
                                   "  BalloonStyle = bsRounded\n"
                                   "  Shadow = True\n"
                                   "  CaptionWidth = 200\n"
                                   "  Corner = hcLowerLeft\n"
                                   "end"),
                    Hints);
    EXPECT_EQ(Hints->CaptionWidth(), 200);
    EXPECT_EQ(Window()->Corner(), hcLowerLeft);
    const QString text = ComponentToText(Hints);
    EXPECT_TRUE(text.contains(QStringLiteral("CaptionWidth = 200"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Corner = hcLowerLeft")));
    EXPECT_TRUE(text.contains(QStringLiteral("FrameColor = ")));  // changed by the fixture
    EXPECT_FALSE(text.contains(QStringLiteral("Shadow")));
    EXPECT_FALSE(text.contains(QStringLiteral("BalloonStyle")));
    EXPECT_FALSE(text.contains(QStringLiteral("ShowBalloon")));
    EXPECT_FALSE(text.contains(QStringLiteral("CenterThreshold")));
}

TEST_F(BalloonTest, AnUpperRightBalloonStandsAboveTheMouseWithItsTailTenPixelsIn) {
    const TPoint a = ShowAt({400, 300});
    EXPECT_EQ(Window()->CornerInUse(), hcUpperRight);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 10, a.Y - 46, 74, 46));
    EXPECT_EQ(Window()->Left(), a.X - 10);
    EXPECT_TRUE(Window()->Active());
    EXPECT_EQ(Window()->Caption(), QStringLiteral("提示"));
}

TEST_F(BalloonTest, AtTheMonitorsEdgesTheBalloonTurnsToTheOtherSide) {
    // Right edge: upper right becomes upper left, one pixel clear of the anchor.
    TPoint a = ShowAt({Area.Right - 20, 300});
    EXPECT_EQ(Window()->CornerInUse(), hcUpperLeft);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 75, a.Y - 46, 74, 46));
    // Top: upper right becomes lower right, below the anchor.
    a = ShowAt({300, Area.Top + 10});
    EXPECT_EQ(Window()->CornerInUse(), hcLowerRight);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 10, a.Y, 74, 46));
    // Top right corner: both turns.
    a = ShowAt({Area.Right - 20, Area.Top + 10});
    EXPECT_EQ(Window()->CornerInUse(), hcLowerLeft);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 75, a.Y, 74, 46));
    // Bottom: lower right becomes upper right.
    Hints->SetCorner(hcLowerRight);
    a = ShowAt({300, Area.Bottom - 10});
    EXPECT_EQ(Window()->CornerInUse(), hcUpperRight);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 10, a.Y - 46, 74, 46));
    // Left edge: lower left becomes lower right, one pixel clear of the anchor.
    Hints->SetCorner(hcLowerLeft);
    a = ShowAt({Area.Left + 20, 300});
    EXPECT_EQ(Window()->CornerInUse(), hcLowerRight);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X + 1, a.Y, 74, 46));
    // In the open a lower left balloon hangs below and to the left.
    a = ShowAt({400, 300});
    EXPECT_EQ(Window()->CornerInUse(), hcLowerLeft);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 64, a.Y, 74, 46));
    // Upper left: above and to the left.
    Hints->SetCorner(hcUpperLeft);
    a = ShowAt({400, 300});
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 64, a.Y - 46, 74, 46));
}

TEST_F(BalloonTest, ASmallControlGetsTheTailAtItsCentreUnlessTheThresholdIsZero) {
    auto* small = new TLabel(Form);
    small->SetParent(Form);
    small->SetAutoSize(false);
    small->SetBounds(300, 200, 30, 20);
    Show(small, {2, 3});
    const TPoint centre = small->ClientToScreen({15, 10});
    EXPECT_EQ(Window()->WindowRect().TopLeft(), Point(centre.X - 10, centre.Y - 46));
    Hints->SetCenterThreshold(0);
    Show(small, {2, 3});
    const TPoint mouse = small->ClientToScreen({2, 3});
    EXPECT_EQ(Window()->WindowRect().TopLeft(), Point(mouse.X - 10, mouse.Y - 46));
}

TEST_F(BalloonTest, AOneWordHintIsStill55PixelsWideAndTheSizeEventsHaveTheirSay) {
    ShowAt({400, 300}, Rect(0, 0, 20, 14));
    EXPECT_EQ(Window()->Width(), 55);
    EXPECT_EQ(Window()->Height(), 42);
    Hints->SetOnSetHintWinSize([](TObject*, TCanvas*, int& w, int& h, const QString&, TSkHintCorner) {
        w = 10;  // still at least 55
        h += 5;
    });
    ShowAt({400, 300}, Rect(0, 0, 20, 14));
    EXPECT_EQ(Window()->Width(), 55);
    EXPECT_EQ(Window()->Height(), 47);
}

// The upper right balloon 74 x 46: body (0, 0, 74, 26), tail (10, 24) - (10, 44) - (30, 24).
TEST_F(BalloonTest, TheBalloonIsARoundedBoxWithATailJoinedToItsOutline) {
    ShowAt({400, 300});
    const QImage& image = Window()->PaintOffscreen();
    auto at = [&](int x, int y) {
        return TColor(RGB(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y))));
    };
    for (const TPoint& p : {Point(20, 0), Point(0, 10), Point(73, 10), Point(5, 25), Point(40, 25),
                            // the rounded corners
                            Point(1, 3), Point(1, 2), Point(2, 1), Point(3, 1), Point(70, 1), Point(71, 1),
                            Point(72, 2), Point(72, 3), Point(72, 22), Point(72, 23), Point(71, 24),
                            Point(70, 24), Point(3, 24), Point(2, 24), Point(1, 23), Point(1, 22),
                            // the tail's straight edge and slope (a 45 degree line from the tip)
                            Point(10, 25), Point(10, 40), Point(10, 44), Point(29, 25), Point(14, 40)})
        EXPECT_EQ(at(p.X, p.Y), Edge) << p.X << "," << p.Y;
    // Inside the tail the body's outline is gone; the band over the tail's base joins the two.
    for (const TPoint& p :
         {Point(20, 25), Point(12, 40), Point(10, 24), Point(30, 24), Point(20, 23), Point(40, 10)})
        EXPECT_EQ(at(p.X, p.Y), Fill) << p.X << "," << p.Y;

    HRGN region = TSkCustomHintWindow::CreateBalloonRegion(Rect(0, 0, 74, 46), hcUpperRight);
    for (const TPoint& p : {Point(4, 0), Point(2, 1), Point(1, 2), Point(0, 4), Point(73, 4), Point(69, 0),
                            Point(30, 25), Point(12, 40), Point(10, 44)})
        EXPECT_TRUE(PtInRegion(region, p.X, p.Y)) << p.X << "," << p.Y;
    for (const TPoint& p : {Point(0, 0), Point(3, 0), Point(1, 1), Point(0, 3), Point(73, 3), Point(70, 0),
                            Point(20, 40), Point(10, 45), Point(73, 25)})
        EXPECT_FALSE(PtInRegion(region, p.X, p.Y)) << p.X << "," << p.Y;
    DeleteObject(region);
    EXPECT_FALSE(Window()->Widget()->mask().isEmpty());
}

// The lower left balloon 74 x 46: body (0, 20, 74, 46), tail (64, 21) - (64, 1) - (44, 21).
TEST_F(BalloonTest, ALowerLeftBalloonHasItsTailAtTheTopRight) {
    Hints->SetCorner(hcLowerLeft);
    ShowAt({400, 300});
    const QImage& image = Window()->PaintOffscreen();
    auto at = [&](int x, int y) {
        return TColor(RGB(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y))));
    };
    for (const TPoint& p : {Point(64, 10), Point(64, 20), Point(55, 10), Point(45, 20), Point(30, 20),
                            Point(65, 20), Point(0, 30), Point(20, 45)})
        EXPECT_EQ(at(p.X, p.Y), Edge) << p.X << "," << p.Y;
    for (const TPoint& p : {Point(60, 10), Point(54, 20), Point(44, 21), Point(64, 21), Point(64, 22)})
        EXPECT_EQ(at(p.X, p.Y), Fill) << p.X << "," << p.Y;
    HRGN region = TSkCustomHintWindow::CreateBalloonRegion(Rect(0, 0, 74, 46), hcLowerLeft);
    // The region's straight edge and tip lie one pixel out, so that the drawn ones are inside.
    EXPECT_TRUE(PtInRegion(region, 64, 5));
    EXPECT_FALSE(PtInRegion(region, 65, 5));
    EXPECT_TRUE(PtInRegion(region, 64, 1));
    EXPECT_FALSE(PtInRegion(region, 30, 5));
    DeleteObject(region);
}

TEST_F(BalloonTest, WithoutABalloonThePlainBoxHasAOnePixelFrameAndNoRegion) {
    ShowAt({400, 300});  // a balloon first: its region must not cut the box
    Hints->SetShowBalloon(false);
    const TPoint a = ShowAt({400, 300});
    EXPECT_EQ(Window()->CornerInUse(), hcLowerRight);
    EXPECT_EQ(Window()->WindowRect(), Bounds(a.X - 10, a.Y, 70, 22));  // inflated by 2, no tail
    EXPECT_TRUE(Window()->Widget()->mask().isEmpty());
    const QImage& image = Window()->PaintOffscreen();
    EXPECT_EQ(image.pixel(0, 0), ToQColor(Edge).rgb());
    EXPECT_EQ(image.pixel(69, 21), ToQColor(Edge).rgb());
    EXPECT_EQ(image.pixel(1, 1), ToQColor(Fill).rgb());
    EXPECT_EQ(image.pixel(68, 20), ToQColor(Fill).rgb());
    // The text starts two pixels into the client area, inside the frame.
    int firstInk = 70;
    for (int y = 0; y < 22; ++y)
        for (int x = 1; x < 69; ++x)
            if (image.pixel(x, y) != ToQColor(Fill).rgb() && y > 0 && y < 21)
                firstInk = std::min(firstInk, x);
    EXPECT_GE(firstInk, 3);
    EXPECT_LE(firstInk, 6);
}

TEST_F(BalloonTest, ClicksOnTheBalloonReachTheControlAtThePointBeneath) {
    int downs = 0;
    TPoint where;
    Target->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        ++downs;
        where = {x, y};
    };
    Form->SetBounds(200, 200, 400, 300);
    Show(Target, {100, 80});  // the balloon covers the target from (90, 34)
    QTest::mouseClick(Window()->Widget(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(where, Point(120, 44));
}

TEST_F(BalloonTest, AHintControlFreedWhileItsBalloonShowsIsNeverTouchedAgain) {
    auto* doomed = new TLabel(Form);
    doomed->SetParent(Form);
    doomed->SetAutoSize(false);
    doomed->SetBounds(20, 20, 200, 100);
    Show(doomed, {50, 50});
    ASSERT_TRUE(Window()->Active());
    delete doomed;
    EXPECT_EQ(Window()->HintControl(), nullptr);
    QWidget* w = Window()->Widget();
    QTest::mouseMove(w, QPoint(20, 20));
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(Window()->Active());
    EXPECT_FALSE(w->isVisible());
    // Shown again without a control, the tail points at the mouse.
    Window()->ActivateHint(Rect(0, 0, 66, 18), QStringLiteral("提示"));
    const TPoint mouse = Mouse->CursorPos();
    EXPECT_EQ(Window()->WindowRect().TopLeft(), Point(mouse.X - 10, mouse.Y - 46));
}

TEST_F(BalloonTest, TheApplicationShowsAControlsHintAsABalloonAtTheMouse) {
    Target->SetHint(QStringLiteral("点击查看 营养素含量合计"));
    Target->SetShowHint(true);
    Hints->SetCaptionWidth(80);
    Form->SetBounds(200, 200, 400, 300);
    const TPoint mouse = Target->ClientToScreen({60, 70});
    Application->ActivateHint(mouse);
    ASSERT_TRUE(Window()->Active());
    EXPECT_EQ(Window()->Caption(), QStringLiteral("点击查看 营养素含量合计"));
    EXPECT_EQ(Window()->Color(), Fill);
    EXPECT_EQ(Window()->WindowRect().Left, mouse.X - 10);
    EXPECT_EQ(Window()->WindowRect().Bottom, mouse.Y);
    // The text is broken to the caption width: the balloon is no wider than it plus the margins.
    EXPECT_LE(Window()->Width(), 80 + 6 + 8);
    // The mouse leaving the two-pixel square round its place ends the hint.
    QTest::mouseMove(Window()->Widget(), QPoint(10 + 5, Window()->Height() - 1));
    EXPECT_FALSE(Window()->Active());
    // Hidden by the application, the balloon no longer says it shows.
    Application->ActivateHint(mouse);
    ASSERT_TRUE(Window()->Active());
    Application->CancelHint();
    EXPECT_FALSE(Window()->Widget()->isVisible());
    EXPECT_FALSE(Window()->Active());
}
