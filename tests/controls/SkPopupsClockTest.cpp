#include "ControlProbes.h"
#include "Forms.h"
#include "HintWindow.h"
#include "SkPopupsClock.h"
#include "WindowInput.h"

#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {
double At(int hour, int minute) {
    return (hour * 60 + minute) / 1440.0;
}

struct SkTimePickerTest : testing::Test {
    std::unique_ptr<TSkTimePicker> Picker = std::make_unique<TSkTimePicker>(nullptr);
    int SetTimes = 0, Sets = 0;
    TPoint C;
    void SetUp() override {
        Picker->SetAutoSize(false);
        Picker->SetBounds(0, 0, 260, 300);
        Picker->OnSetTime = [this](TObject*) { ++SetTimes; };
        Picker->OnSetBtnClick = [this](TObject*) { ++Sets; };
        C = Picker->FaceCentre();
        ASSERT_GT(Picker->FaceRadius(), 60);
    }
    TPoint Off(int dx, int dy) const { return {C.X + dx, C.Y + dy}; }
    void Mouse(unsigned msg, const TPoint& p, unsigned keys) {
        Picker->Perform(msg, keys, MakeLParam(p.X, p.Y));
    }
    QString Shown() const { return FormatTimeOfDay("hh:nn", Picker->Hour(), Picker->Minute()); }
};
}  // namespace

TEST_F(SkTimePickerTest, APointOnTheFaceGivesTheHourWhoseSectorHoldsIt) {
    EXPECT_EQ(Picker->HourAt(Off(50, 0)), 3);
    EXPECT_EQ(Picker->HourAt(Off(43, -25)), 2);    // top right
    EXPECT_EQ(Picker->HourAt(Off(43, 25)), 4);     // bottom right
    EXPECT_EQ(Picker->HourAt(Off(-43, 25)), 8);    // bottom left
    EXPECT_EQ(Picker->HourAt(Off(-43, -25)), 10);  // top left
    EXPECT_EQ(Picker->HourAt(Off(0, 40)), 6);
    EXPECT_EQ(Picker->HourAt(Off(0, -40)), 12);
    EXPECT_EQ(Picker->HourAt(Off(0, 0)), 12);
    // 20° after the top is just before 1's position; 5° either side of the top is 12.
    EXPECT_EQ(Picker->HourAt(Off(17, -47)), 1);
    EXPECT_EQ(Picker->HourAt(Off(4, -46)), 12);
    EXPECT_EQ(Picker->HourAt(Off(-4, -46)), 12);
}

TEST_F(SkTimePickerTest, APointOnTheFaceGivesTheMinuteAndCtrlRoundsIt) {
    EXPECT_EQ(Picker->MinuteAt(Off(0, -40), false), 0);
    EXPECT_EQ(Picker->MinuteAt(Off(0, 40), false), 30);
    EXPECT_EQ(Picker->MinuteAt(Off(40, 0), false), 15);
    EXPECT_EQ(Picker->MinuteAt(Off(-40, 0), false), 45);
    EXPECT_EQ(Picker->MinuteAt(Off(43, -25), false), 10);
    EXPECT_EQ(Picker->MinuteAt(Off(-10, -49), false), 58);
    EXPECT_EQ(Picker->MinuteAt(Off(-15, -48), false), 57);
    // Steps of 5: 58 rounds up to 60, which is 0; 57 to 55.
    EXPECT_EQ(Picker->MinuteAt(Off(-10, -49), true), 0);
    EXPECT_EQ(Picker->MinuteAt(Off(-15, -48), true), 55);
    // Halves go to the even step.
    Picker->SetRestrictMinutesBy(4);  // 15 steps; minute 10 is 2.5 of them: 2 x 4
    EXPECT_EQ(Picker->MinuteAt(Off(43, -25), true), 8);
    Picker->SetRestrictMinutesBy(8);  // 60 div 8 = 7 steps; minute 30 is 3.5 of them
    EXPECT_EQ(Picker->MinuteAt(Off(0, 40), true), 32);
}

TEST_F(SkTimePickerTest, TheMinuteStepIsHeldBetweenOneAndSixty) {
    Picker->SetRestrictMinutesBy(0);
    EXPECT_EQ(Picker->RestrictMinutesBy(), 1);
    EXPECT_EQ(Picker->MinuteAt(Off(-15, -48), true), 57);
    Picker->SetRestrictMinutesBy(-5);
    EXPECT_EQ(Picker->RestrictMinutesBy(), 1);
    Picker->SetRestrictMinutesBy(100);
    EXPECT_EQ(Picker->RestrictMinutesBy(), 60);
    EXPECT_EQ(Picker->MinuteAt(Off(-10, -49), true), 0);
    EXPECT_TRUE(Picker->HowToUseText().endsWith("restricts to 60 minutes"));
}

TEST_F(SkTimePickerTest, LeftClicksSetTheHourInTheCurrentHalfAndRightClicksTheMinute) {
    Picker->SetTime(At(15, 20));
    EXPECT_TRUE(Picker->IsPM());
    Mouse(WM_LBUTTONDOWN, Off(60, 0), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Off(60, 0), 0);
    EXPECT_EQ(Shown(), "15:20");
    EXPECT_EQ(SetTimes, 1);
    Mouse(WM_LBUTTONDOWN, Off(0, -60), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, Off(-52, 30), MK_LBUTTON);  // dragged to 8
    Mouse(WM_LBUTTONUP, Off(-52, 30), 0);
    EXPECT_EQ(Shown(), "20:20");
    Picker->SetTime(At(9, 0));
    Mouse(WM_LBUTTONDOWN, Off(0, -60), MK_LBUTTON);  // 12 in the morning is 0
    Mouse(WM_LBUTTONUP, Off(0, -60), 0);
    EXPECT_EQ(Shown(), "00:00");

    Mouse(WM_RBUTTONDOWN, Off(-15, -48), MK_RBUTTON);
    Mouse(WM_RBUTTONUP, Off(-15, -48), 0);
    EXPECT_EQ(Shown(), "00:57");
    Mouse(WM_RBUTTONDOWN, Off(-15, -48), MK_RBUTTON | MK_CONTROL);
    Mouse(WM_RBUTTONUP, Off(-15, -48), MK_CONTROL);
    EXPECT_EQ(Shown(), "00:55");
}

TEST_F(SkTimePickerTest, ARightDragAcrossTheTopMovesTheHour) {
    Picker->SetRestrictMinutes(true);
    Picker->SetTime(At(10, 0));
    Mouse(WM_RBUTTONDOWN, Off(-15, -48), MK_RBUTTON);  // 55
    EXPECT_EQ(Shown(), "10:55");
    Mouse(WM_MOUSEMOVE, Off(0, -50), MK_RBUTTON);  // over the top to 0
    EXPECT_EQ(Shown(), "11:00");
    Mouse(WM_MOUSEMOVE, Off(-15, -48), MK_RBUTTON);  // and back
    EXPECT_EQ(Shown(), "10:55");
    Mouse(WM_RBUTTONUP, Off(-15, -48), 0);
    EXPECT_EQ(SetTimes, 1);
}

// Only the top is where hours meet: crossing the bottom (25 to 35) keeps the hour, and a drag that
// jumps over 0 (58 to 2) moves it on as one that lands on 0 does.
TEST_F(SkTimePickerTest, ARightDragAcrossTheBottomKeepsTheHour) {
    Picker->SetTime(At(10, 0));
    Mouse(WM_RBUTTONDOWN, Off(25, 43), MK_RBUTTON);
    EXPECT_EQ(Shown(), "10:25");
    Mouse(WM_MOUSEMOVE, Off(-25, 43), MK_RBUTTON);
    EXPECT_EQ(Shown(), "10:35");
    Mouse(WM_MOUSEMOVE, Off(25, 43), MK_RBUTTON);
    EXPECT_EQ(Shown(), "10:25");
    Mouse(WM_MOUSEMOVE, Off(-25, 43), MK_RBUTTON);  // on round: 35, 45, 58
    Mouse(WM_MOUSEMOVE, Off(-50, 0), MK_RBUTTON);
    Mouse(WM_MOUSEMOVE, Off(-10, -49), MK_RBUTTON);
    EXPECT_EQ(Shown(), "10:58");
    Mouse(WM_MOUSEMOVE, Off(10, -49), MK_RBUTTON);
    EXPECT_EQ(Shown(), "11:02");
    Mouse(WM_MOUSEMOVE, Off(-10, -49), MK_RBUTTON);
    EXPECT_EQ(Shown(), "10:58");
    Mouse(WM_RBUTTONUP, Off(-10, -49), 0);
}

// OnSetTime and OnChange may free the picker (a pop-up closing on the pick): the release or press
// that told them touches nothing of it afterwards.
TEST_F(SkTimePickerTest, ASetTimeOrChangeHandlerMayFreeThePicker) {
    auto freedBy = [this](TNotifyEvent& event, std::initializer_list<std::pair<unsigned, TPoint>> messages) {
        QPointer<QObject> alive(Picker.get());
        TSkTimePicker* picker = Picker.get();
        event = [this](TObject*) { Picker.reset(); };
        for (const auto& [msg, p] : messages)
            picker->Perform(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : msg == WM_RBUTTONDOWN ? MK_RBUTTON : 0,
                            MakeLParam(p.X, p.Y));
        EXPECT_TRUE(alive.isNull());
        Picker = std::make_unique<TSkTimePicker>(nullptr);
        SetUp();
    };
    freedBy(Picker->OnSetTime, {{WM_LBUTTONDOWN, Off(60, 0)}, {WM_LBUTTONUP, Off(60, 0)}});
    freedBy(Picker->OnSetTime, {{WM_RBUTTONDOWN, Off(-15, -48)}, {WM_RBUTTONUP, Off(-15, -48)}});
    freedBy(Picker->OnChange, {{WM_LBUTTONDOWN, Off(60, 0)}});
    // By real input too: a right press on the face of a picker on a shown window.
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 320);
    Picker->SetParent(&form);
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    QPointer<QObject> alive(Picker.get());
    QPointer<QWidget> widget = Picker->Widget();
    Picker->OnChange = [this](TObject*) { Picker.reset(); };
    const TPoint p = Off(-15, -48);
    PressThroughWindow(widget, QPoint(p.X, p.Y), Qt::RightButton);
    EXPECT_TRUE(alive.isNull());
    QTest::mouseRelease(form.Widget()->windowHandle(), Qt::RightButton, {}, QPoint(p.X, p.Y));
    QTest::qWait(1);
    EXPECT_TRUE(widget.isNull());
}

TEST_F(SkTimePickerTest, AMAndPMSwitchTheHalfDayAndSetReports) {
    Picker->SetTime(At(3, 20));
    const TRect pm = Picker->PMRect();
    const TPoint inPM{pm.Left + 3, (pm.Top + pm.Bottom) / 2};
    Mouse(WM_LBUTTONDOWN, inPM, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, inPM, 0);
    EXPECT_EQ(Shown(), "15:20");
    EXPECT_EQ(Picker->TimeText(), "3:20 PM");
    const TRect am = Picker->AMRect();
    Mouse(WM_LBUTTONDOWN, {am.Left + 3, am.Top + 3}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {am.Left + 3, am.Top + 3}, 0);
    EXPECT_EQ(Shown(), "03:20");
    // Pressed on AM, released on PM: nothing.
    Mouse(WM_LBUTTONDOWN, {am.Left + 3, am.Top + 3}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, inPM, 0);
    EXPECT_EQ(Shown(), "03:20");

    const TRect set = Picker->SetButtonRect();
    const TPoint inSet{(set.Left + set.Right) / 2, (set.Top + set.Bottom) / 2};
    Mouse(WM_LBUTTONDOWN, inSet, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, inSet, 0);
    EXPECT_EQ(Sets, 0);  // no Set button shown
    Picker->SetShowSetButton(true);
    Mouse(WM_LBUTTONDOWN, inSet, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, inSet, 0);
    Picker->Perform(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Sets, 2);
}

TEST_F(SkTimePickerTest, KeysStepAndWritesDropSeconds) {
    int changes = 0;
    Picker->OnChange = [&](TObject*) { ++changes; };
    Picker->SetTime(At(23, 30));
    Picker->Perform(WM_KEYDOWN, VK_PRIOR);
    EXPECT_EQ(Shown(), "00:30");
    Picker->Perform(WM_KEYDOWN, VK_NEXT);
    Picker->Perform(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(Shown(), "23:31");
    Picker->SetTime(0);
    Picker->Perform(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(Shown(), "23:59");
    EXPECT_EQ(changes, 6);
    Picker->SetTime((10 * 3600 + 20 * 60 + 30) / 86400.0);
    EXPECT_DOUBLE_EQ(Picker->Time(), At(10, 20));
    Picker->SetTime(12.0 + At(10, 20));  // the date part does not count
    EXPECT_EQ(changes, 7);
}

TEST(SkTimePickerText, FormatsTheTimeBand) {
    EXPECT_EQ(FormatTimeOfDay("h:mm ampm", 15, 5), "3:05 PM");
    EXPECT_EQ(FormatTimeOfDay("h:mm ampm", 0, 0), "12:00 AM");
    EXPECT_EQ(FormatTimeOfDay("h:mm ampm", 12, 30), "12:30 PM");
    EXPECT_EQ(FormatTimeOfDay("hh:nn:ss", 9, 7, 3), "09:07:03");
    EXPECT_EQ(FormatTimeOfDay("h 'h' a/p", 13, 0), "1 h p");
}

TEST_F(SkTimePickerTest, TheHandsPointAtTheTime) {
    Picker->SetTime(At(3, 0));
    Picker->ClockFaceColors()->SetColor(cfHands, clRed);
    const QImage& image = Picker->PaintOffscreen();
    const int r = Picker->FaceRadius();
    // The minute hand points up (to 0.8 R), the hour hand right (to 0.5 R); nothing points down.
    EXPECT_EQ(Pixel(image, C.X, C.Y - int(0.6 * r)), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, C.X + int(0.4 * r), C.Y), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, C.X, C.Y + int(0.4 * r)), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(image, C.X - int(0.4 * r), C.Y), ColorToRGB(clBtnFace));
}

TEST(SkTimePickerHint, ShowsBelowThePickerWhileThePointerIsOverTheFace) {
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 300);
    auto* picker = new TSkTimePicker(&form);
    picker->SetParent(&form);
    form.Show();
    form.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
    const TPoint c = picker->FaceCentre();
    picker->Perform(WM_MOUSEMOVE, 0, MakeLParam(c.X + 5, c.Y + 5));
    THintWindow* hint = picker->HowToUseHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->Visible());
    EXPECT_EQ(hint->Caption(),
              "Left-click to set Hour\nRight-click to set Minute\n    Ctrl key restricts to 5 minutes");
    const TPoint below = picker->ClientToScreen({0, picker->Height()});
    EXPECT_EQ(hint->Left(), below.X);
    EXPECT_EQ(hint->Top(), below.Y);
    picker->Perform(WM_MOUSEMOVE, 0, MakeLParam(2, 2));  // a corner, off the face
    EXPECT_FALSE(hint->Visible());
    picker->SetShowHowToUseHint(false);
    picker->Perform(WM_MOUSEMOVE, 0, MakeLParam(c.X, c.Y));
    EXPECT_FALSE(hint->Visible());
}
