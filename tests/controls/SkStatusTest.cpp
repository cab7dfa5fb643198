#include "Actions.h"
#include "ControlProbes.h"
#include "GraphicsImage.h"
#include "SkStatus.h"
#include "Streaming.h"
#include "TimerClock.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {
// Panes on a white parent, blinking on a clock the test moves.
struct StatusPane : testing::Test {
    TManualClock Clock;
    std::unique_ptr<TPaintBox> Parent;
    void SetUp() override {
        ASSERT_EQ(BlinkingControlsList, nullptr);
        SetTimerClock(&Clock);
        Parent = std::make_unique<TPaintBox>(nullptr);
        Parent->SetColor(clWhite);
        Parent->SetBounds(0, 0, 240, 60);
    }
    void TearDown() override {
        Parent.reset();
        SetTimerClock(nullptr);
        EXPECT_EQ(BlinkingControlsList, nullptr);  // the last pane took the service with it
    }
    TSkStatusPane* MakePane(const QString& caption = QString()) {
        auto* pane = new TSkStatusPane(Parent.get());
        pane->SetParent(Parent.get());
        pane->SetCaption(caption);
        return pane;
    }
};

void SendEnter(TControl* control) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(control->Widget(), &enter);
}
}  // namespace

TEST_F(StatusPane, BlinkingPanesSwitchTogetherOnTheOneTimer) {
    TSkStatusPane* a = MakePane("甲");
    TSkStatusPane* b = MakePane("乙");
    TSkStatusPane* still = MakePane("丙");
    a->SetBlinking(true);
    b->SetBlinking(true);
    ASSERT_EQ(BlinkingControlsList->Count(), 3);
    Clock.Advance(500);  // the on phase ends: the normal colour
    EXPECT_EQ(a->PaintColor(), clWindowText);
    Clock.Advance(500);
    for (auto* pane : {a, b})
        EXPECT_EQ(pane->PaintColor(), clHighlight);
    EXPECT_EQ(still->PaintColor(), clWindowText);
    const TRect text = Rect(2, 2, 98, 18);
    EXPECT_TRUE(InkIn(a->PaintOffscreen(), text, clWhite, clHighlight).OfColor);
    Clock.Advance(500);
    EXPECT_EQ(a->PaintColor(), clWindowText);
    EXPECT_TRUE(InkIn(a->PaintOffscreen(), text, clWhite, clWindowText).OfColor);
}

TEST_F(StatusPane, ThePhaseLengthsAreSharedByEveryPane) {
    TSkStatusPane* a = MakePane("甲");
    TSkStatusPane* b = MakePane("乙");
    b->SetBlinking(true);
    a->SetBlinkIntervalOn(200);
    EXPECT_EQ(b->BlinkIntervalOn(), 200);
    Clock.Advance(500);  // the first phase still had 500 ms
    Clock.Advance(500);  // the off phase: 500 ms
    EXPECT_EQ(b->PaintColor(), clHighlight);
    Clock.Advance(199);
    EXPECT_EQ(b->PaintColor(), clHighlight);
    Clock.Advance(1);  // the on phase: 200 ms
    EXPECT_EQ(b->PaintColor(), clWindowText);
}

TEST_F(StatusPane, StoppingShowsTheNormalColourAtOnceAndAFontColourChangeBlinksOnWithTheNewColour) {
    TSkStatusPane* pane = MakePane("状态");
    pane->SetBlinking(true);
    Clock.Advance(1000);
    ASSERT_EQ(pane->PaintColor(), clHighlight);
    pane->SetBlinking(false);
    EXPECT_EQ(pane->PaintColor(), clWindowText);
    EXPECT_TRUE(InkIn(pane->PaintOffscreen(), Rect(2, 2, 98, 18), clWhite, clWindowText).OfColor);

    pane->SetBlinking(true);
    Clock.Advance(1000);  // on again
    pane->Font()->SetColor(clRed);
    EXPECT_EQ(pane->PaintColor(), clHighlight);
    Clock.Advance(500);
    EXPECT_EQ(pane->PaintColor(), clRed);
    Clock.Advance(500);
    EXPECT_EQ(pane->PaintColor(), clHighlight);
}

TEST_F(StatusPane, APhaseOfZeroStopsTheTimerUntilItHasALengthAgain) {
    TSkStatusPane* pane = MakePane("状态");
    pane->SetBlinking(true);
    pane->SetBlinkIntervalOff(0);
    Clock.Advance(500);  // into the off phase, which has no length
    EXPECT_EQ(Clock.Running(), 0);
    Clock.Advance(10000);
    EXPECT_EQ(pane->PaintColor(), clWindowText);
    EXPECT_FALSE(BlinkingControlsList->BlinkState());
    pane->SetBlinkIntervalOff(300);
    EXPECT_EQ(Clock.Running(), 1);
    Clock.Advance(300);
    EXPECT_EQ(pane->PaintColor(), clHighlight);
}

TEST_F(StatusPane, AutoSizeFitsTheCaptionOrTakesTheDefaultWidth) {
    TSkStatusPane* pane = MakePane();
    pane->SetAutoSize(true);
    EXPECT_EQ(pane->Width(), 40);
    pane->SetCaption("正在加载食物成份");
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*pane->Font());
    const int text = measure.Canvas()->TextWidth("正在加载食物成份");
    EXPECT_EQ(pane->Width(), 2 * 1 + text + 2 + 6);
    pane->SetCaptionOffset(10);
    EXPECT_EQ(pane->Width(), 2 * 1 + text + 10 + 6);
    pane->SetDefaultWidth(55);
    pane->SetCaption("");
    EXPECT_EQ(pane->Width(), 55);
}

TEST_F(StatusPane, WithAutoHintTheHintOfTheControlUnderTheMouseBecomesTheCaption) {
    TSkStatusPane* pane = MakePane("就绪");
    TSkStatusPane* plain = MakePane("不变");
    pane->SetAutoHint(true);
    auto* button = new TPaintBox(Parent.get());
    button->SetParent(Parent.get());
    button->SetHint("保存|保存今天的记录");
    SendEnter(button);
    EXPECT_EQ(pane->Caption(), "保存今天的记录");
    EXPECT_EQ(plain->Caption(), "不变");
    // A control without a hint of its own shows its parent's.
    Parent->SetHint("膳食记录");
    auto* label = new TPaintBox(Parent.get());
    label->SetParent(Parent.get());
    SendEnter(label);
    EXPECT_EQ(pane->Caption(), "膳食记录");

    // A pane hears only of its own window; once freed, nobody hears of anything.
    TPaintBox otherWindow(nullptr);
    auto* other = new TPaintBox(&otherWindow);
    other->SetParent(&otherWindow);
    other->SetHint("别的窗口");
    SendEnter(other);
    EXPECT_EQ(pane->Caption(), "膳食记录");
    delete pane;
    SendEnter(button);
    EXPECT_EQ(plain->Caption(), "不变");
}

TEST_F(StatusPane, TheFlatFrameLeavesTheCornerPixelsOut) {
    TSkStatusPane* pane = MakePane();
    pane->SetBounds(0, 0, 20, 10);
    pane->SetTransparent(false);
    pane->SetColor(clWhite);
    pane->SetFlatColor(clBlack);
    pane->SetFlatColorAdjustment(0);
    const QImage& image = pane->PaintOffscreen();
    // Inside the 1-pixel border the rectangle (1, 1) - (19, 9): lines on x 1 and 18, y 1 and 8.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool side = (x == 1 || x == 18) && y >= 2 && y <= 7;
            const bool topOrBottom = (y == 1 || y == 8) && x >= 2 && x <= 17;
            EXPECT_EQ(Pixel(image, x, y), side || topOrBottom ? clBlack : clWhite) << x << "," << y;
        }
    pane->SetFrameStyle(fsLowered);  // a bevel draws its corners
    EXPECT_EQ(Pixel(pane->PaintOffscreen(), 1, 1), ColorToRGB(clBtnShadow));
}

TEST_F(StatusPane, TheCaptionSitsByItsAlignmentInsideTheFrameOnTheFillOrTheParent) {
    TSkStatusPane* pane = MakePane("状态");
    pane->SetBounds(0, 0, 100, 20);
    pane->Font()->SetColor(clBlue);
    // The text rect is (2, 2) - (98, 18); the caption starts CaptionOffset + 1 inside it.
    const TRect text = Rect(2, 2, 98, 18);
    TInk ink = InkIn(pane->PaintOffscreen(), text, clWhite, clBlue);
    EXPECT_TRUE(ink.OfColor);
    EXPECT_GE(ink.First, 5);
    EXPECT_LE(ink.First, 6);
    const int width = ink.Last - ink.First;
    EXPECT_EQ(Pixel(pane->PaintOffscreen(), 3, 3), clWhite);  // transparent: the parent shows
    pane->SetAlignment(taRightJustify);
    ink = InkIn(pane->PaintOffscreen(), text, clWhite, clBlue);
    EXPECT_LE(ink.Last, 94);
    EXPECT_GE(ink.Last, 93);
    pane->SetAlignment(taCenter);
    ink = InkIn(pane->PaintOffscreen(), text, clWhite, clBlue);
    EXPECT_NEAR(ink.First + width / 2.0, 50, 1.5);

    pane->SetTransparent(false);
    pane->SetFillColor(clYellow);
    EXPECT_TRUE(InkIn(pane->PaintOffscreen(), text, clYellow, clBlue).OfColor);
    EXPECT_EQ(Pixel(pane->PaintOffscreen(), 3, 3), clYellow);
    EXPECT_EQ(Pixel(pane->PaintOffscreen(), 0, 0), clWhite);  // the border: the pane's Color
    // A caption too long for the pane stays inside the text rect.
    pane->SetAlignment(taLeftJustify);
    pane->SetCaption(QString(40, QChar(0x72B6)));
    const QImage& clipped = pane->PaintOffscreen();
    EXPECT_EQ(InkIn(clipped, text, clYellow, clBlue).Last, 97);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(Pixel(clipped, 99, y), clWhite);
    pane->SetEnabled(false);
    EXPECT_TRUE(InkIn(pane->PaintOffscreen(), text, clYellow, clGrayText).OfColor);
}

TEST_F(StatusPane, TheFillFollowsTheColourUntilItIsSetApart) {
    TSkStatusPane* pane = MakePane();
    EXPECT_EQ(pane->Color(), clWhite);  // the parent's
    EXPECT_EQ(pane->FillColor(), clWhite);
    Parent->SetColor(clAqua);
    EXPECT_EQ(pane->FillColor(), clAqua);
    pane->SetFillColor(clRed);
    EXPECT_FALSE(pane->ParentFillColor());
    Parent->SetColor(clLime);
    EXPECT_EQ(pane->FillColor(), clRed);
    pane->SetParentFillColor(true);
    EXPECT_EQ(pane->FillColor(), clLime);
}

TEST_F(StatusPane, AFrameControllerThatShowsFramesLendsThePaneItsStyleAndColours) {
    TSkStatusPane* pane = MakePane();
    TSkFrameController controller(nullptr);
    controller.SetFrameStyle(fsLowered);
    controller.SetFrameColor(clRed);
    controller.SetColor(clYellow);
    pane->SetFrameController(&controller);
    EXPECT_EQ(pane->FrameStyle(), fsFlat);  // frames hidden: nothing taken
    pane->SetFrameControllerNotifications(AllFrameControllerNotifications & ~FrameControllerBit(fcpColor));
    controller.SetFrameVisible(true);
    EXPECT_EQ(pane->FrameStyle(), fsLowered);
    EXPECT_EQ(pane->FlatColor(), clRed);
    EXPECT_EQ(pane->FlatColorAdjustment(), 0);
    EXPECT_EQ(pane->FillColor(), clWhite);  // fcpColor is not let through
    EXPECT_FALSE(pane->ParentColor());
    pane->SetFrameControllerNotifications(AllFrameControllerNotifications);
    controller.SetColor(clAqua);
    EXPECT_EQ(pane->FillColor(), clAqua);
}

TEST_F(StatusPane, LoadedTakesTheFontColourAndAnOwnColourMakesThePaneOpaque) {
    std::unique_ptr<TComponent> made(TextToComponent("object P: TSkStatusPane\n"
                                                     "  Caption = '加载'\n"
                                                     "  Font.Color = clBlue\n"
                                                     "  Color = clYellow\n"
                                                     "  ParentColor = False\n"
                                                     "  Blinking = True\n"
                                                     "end",
                                                     nullptr, nullptr, Parent.get()));
    auto* pane = qobject_cast<TSkStatusPane*>(made.get());
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->Parent(), Parent.get());
    EXPECT_FALSE(pane->Transparent());
    EXPECT_EQ(pane->PaintColor(), clBlue);
    Clock.Advance(1000);
    EXPECT_EQ(pane->PaintColor(), clHighlight);
    const QString text = ComponentToText(pane);
    EXPECT_TRUE(text.contains("  Color = clYellow\n")) << qPrintable(text);
    EXPECT_TRUE(text.contains("  Transparent = False\n"));
    EXPECT_FALSE(text.contains("BlinkInterval"));
}

TEST_F(StatusPane, TheMouseEnteringIsToldOnlyOutsideTheDesigner) {
    TSkStatusPane* pane = MakePane();
    int entered = 0;
    pane->OnMouseEnter = [&](TObject*) { ++entered; };
    SendEnter(pane);
    pane->SetDesigning(true);
    SendEnter(pane);
    EXPECT_EQ(entered, 1);
}
