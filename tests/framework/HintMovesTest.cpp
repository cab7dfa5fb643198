// Hints as the mouse moves and clicks: from one hinted control straight onto another while a hint shows,
// the next hint follows after the short pause, not the long one; by way of a spot without a hint it
// waits the long pause again; a right click or a double click hides the hint as a left click does.
#include "Forms.h"
#include "HintWindow.h"
#include "StdCtrls.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// A window with two hinted labels one above the other; the two pauses far apart.
struct HintMoves : testing::Test {
    static constexpr int LongPause = 3000, ShortPause = 10;
    TForm Form{nullptr};
    TLabel* Upper = MakeLabel(10, "能量", "每日能量目标");
    TLabel* Lower = MakeLabel(50, "蛋白质", "每日蛋白质需要量");
    int SavedPause = Application->HintPause(), SavedShortPause = Application->HintShortPause();

    TLabel* MakeLabel(int top, const char* caption, const char* hint) {
        auto* label = new TLabel(&Form);
        label->SetParent(&Form);
        label->SetAutoSize(false);
        label->SetBounds(10, top, 120, 30);
        label->SetCaption(QString::fromUtf8(caption));
        label->SetHint(QString::fromUtf8(hint));
        label->SetShowHint(true);
        return label;
    }
    void SetUp() override {
        Form.SetBounds(200, 150, 300, 200);
        Form.ShowForm();
        MouseTo({1, 1});
        Application->SetHintPause(LongPause);
        Application->SetHintShortPause(ShortPause);
    }
    void TearDown() override {
        MouseTo({1, 1});
        Application->CancelHint();
        Application->SetHintPause(SavedPause);
        Application->SetHintShortPause(SavedShortPause);
    }
    // Moves the mouse as the window system does: the pointer goes there and the leave, enter and move
    // events follow from where it went.
    static void MouseTo(const QPoint& global) {
        QCursor::setPos(global);
        QApplication::processEvents();
    }
    static QPoint On(TControl* control, const QPoint& at = {5, 5}) {
        return control->Widget()->mapToGlobal(at);
    }
    static void Click(TControl* control, QEvent::Type type, Qt::MouseButton button) {
        QWidget* w = control->Widget();
        const QPointF at(6, 6), global = w->mapToGlobal(at);
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, at, global, button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static QString Shown() {
        THintWindow* w = Application->HintWindow();
        return w && w->Widget() && w->Widget()->isVisible() ? w->Caption() : QString();
    }
    // Rests the mouse on the upper label until its hint shows (the long pause made short for that).
    void ShowUpperHint() {
        Application->SetHintPause(5);
        MouseTo(On(Upper));
        ASSERT_TRUE(QTest::qWaitFor([] { return !Shown().isEmpty(); }, 2000));
        ASSERT_EQ(Shown(), Upper->Hint());
        Application->SetHintPause(LongPause);
    }
    // The mouse goes from the upper label to `via` and on to the lower one: the lower label's hint
    // after 200 ms, or none.
    QString LowerHintAfterMovingVia(const QPoint& via) {
        ShowUpperHint();
        MouseTo(via);
        EXPECT_TRUE(Shown().isEmpty()) << "the upper label's hint outlived the mouse leaving it";
        MouseTo(On(Lower));
        QTest::qWait(200);
        return Shown();
    }
};
}  // namespace

TEST_F(HintMoves, StraightOntoAnotherHintedControlTheHintFollowsAfterTheShortPause) {
    ShowUpperHint();
    QElapsedTimer clock;
    clock.start();
    MouseTo(On(Lower));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Shown() == Lower->Hint(); }, LongPause / 2))
        << "the lower label's hint waited for the long pause";
    EXPECT_LT(clock.elapsed(), LongPause / 2);
}

TEST_F(HintMoves, ByWayOfASpotWithoutAHintTheNextHintWaitsTheLongPause) {
    EXPECT_EQ(LowerHintAfterMovingVia(Form.Widget()->mapToGlobal(QPoint(200, 150))), QString())
        << "shown after the short pause, though the mouse crossed the window's bare background";
    EXPECT_EQ(LowerHintAfterMovingVia({1, 1}), QString())
        << "shown after the short pause, though the mouse left the window";
}

TEST_F(HintMoves, ARightClickOrADoubleClickHidesTheHint) {
    ShowUpperHint();
    Click(Upper, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_TRUE(Shown().isEmpty()) << "a right press left the hint";
    Click(Upper, QEvent::MouseButtonRelease, Qt::RightButton);

    MouseTo({1, 1});
    ShowUpperHint();
    // The double click's own message, as the window system sends it for the second press.
    Click(Upper, QEvent::MouseButtonDblClick, Qt::LeftButton);
    EXPECT_TRUE(Shown().isEmpty()) << "a double click left the hint";
    Click(Upper, QEvent::MouseButtonRelease, Qt::LeftButton);

    MouseTo({1, 1});
    ShowUpperHint();
    Click(Upper, QEvent::MouseButtonDblClick, Qt::RightButton);
    EXPECT_TRUE(Shown().isEmpty()) << "a right double click left the hint";
}
