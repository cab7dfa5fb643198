// The mouse moved over styled controls the way the window system moves it: a hot-track button
// repaints its glow as the mouse comes and goes, the window's hint shows after the pause, and a framed
// list settles under it.
#define QTEST_QPA_MOUSE_HANDLING
#include "SkButton.h"
#include "SkButtonFixture.h"
#include "HintWindow.h"
#include "SkChkLst.h"
#include "SkCommon.h"
#include "SkLstBox.h"

#include <QTest>

namespace {
struct MouseOver : SkButtonWindow {
    TSkButton* Button = nullptr;
    void SetUp() override {
        SkButtonWindow::SetUp();
        Button = Place<TSkButton>(40, 40);
        Button->SetHotTrack(true);
        QApplication::processEvents();
    }
    // The button as the window shows it now.
    QImage Shown() {
        QApplication::processEvents();
        return Form->Widget()->grab(QRect(40, 40, 75, 25)).toImage();
    }
    void MoveTo(const QPoint& p) {
        QTest::mouseMove(Form->Widget(), p);
        QApplication::processEvents();
    }
};
}  // namespace

TEST_F(MouseOver, TheHotFrameIsRepaintedAsTheMouseComesAndGoes) {
    MoveTo(QPoint(5, 5));
    const TColor glow = 0x149BF0, face = DarkerColor(clBtnFace, 30);
    EXPECT_EQ(Pixel(Shown(), 10, 22), face);
    MoveTo(QPoint(60, 50));
    EXPECT_TRUE(Button->MouseOver());
    EXPECT_EQ(Pixel(Shown(), 10, 22), glow);
    MoveTo(QPoint(62, 51));  // a move inside changes nothing
    EXPECT_EQ(Pixel(Shown(), 10, 22), glow);
    MoveTo(QPoint(5, 5));
    EXPECT_FALSE(Button->MouseOver());
    EXPECT_EQ(Pixel(Shown(), 10, 22), face);
}

TEST_F(MouseOver, TheHintShowsAfterThePauseAndGoesWithTheMouse) {
    const int savedPause = Application->HintPause();
    Application->SetHintPause(5);
    Button->SetHint(QStringLiteral("保存今天的记录"));
    Button->SetShowHint(true);
    auto shows = [] {
        THintWindow* w = Application->HintWindow();
        return w && w->Widget() && w->Widget()->isVisible();
    };
    MoveTo(QPoint(60, 50));
    EXPECT_FALSE(shows());
    EXPECT_TRUE(QTest::qWaitFor(shows, 2000));
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("保存今天的记录"));
    MoveTo(QPoint(5, 5));
    EXPECT_FALSE(shows());
    Application->CancelHint();
    Application->SetHintPause(savedPause);
}

namespace {
// A list that counts how often it works out its non-client area.
template <class TList> struct TCountingList : TList {
    using TList::TList;
    int Calcs = 0;

protected:
    void WMNCCalcSize(TWMNCCalcSize& Message) override {
        ++Calcs;
        TList::WMNCCalcSize(Message);
    }
};

// A framed list with an item, on a shown window with the mouse away from it.
template <class TList> struct FramedList : SkButtonWindow {
    TCountingList<TList>* List = nullptr;
    void SetUp() override {
        SkButtonWindow::SetUp();
        // Two moves, so the window has the mouse wherever an earlier test left it.
        QTest::mouseMove(Form->Widget(), QPoint(4, 4));
        QTest::mouseMove(Form->Widget(), QPoint(5, 5));
        List = new TCountingList<TList>(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(40, 20, 200, 160);
        List->Items()->Add(QStringLiteral("慢跑"));
        List->SetFrameVisible(true);
        QTest::qWait(50);
    }
};
using FramedListKinds = testing::Types<TSkListBox, TSkCheckList>;
TYPED_TEST_SUITE(FramedList, FramedListKinds);
}  // namespace

// The frame's band is the list's border to the view inside it: the view lays its items out within the
// client area, so showing the list works its frame out a few times only, and the mouse coming in works
// nothing out again.
TYPED_TEST(FramedList, ShowingAndEnteringItWorkTheFrameOutAFewTimes) {
    auto* list = this->List;
    EXPECT_LE(list->Calcs, 4);
    const int shown = list->Calcs;
    QTest::mouseMove(this->Form->Widget(), QPoint(140, 100));
    QTest::qWait(100);
    EXPECT_TRUE(list->MouseOverFrame());
    EXPECT_EQ(list->Calcs, shown);
    // The item is as wide as the list within the frame's band of 2 pixels on either side.
    EXPECT_EQ(list->ItemRect(0).Right, 200 - 2 * 2);
}
