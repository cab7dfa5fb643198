// The application's hints: resting the mouse on a control shows its hint after the pause, what the
// control (CM_HINTSHOW) and OnShowHint are told and may change, the hint window class, and the window
// itself: a top-level window that takes no focus, framed, with the text two pixels in.
#include "ExtCtrls.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "HintWindow.h"
#include "Regions.h"
#include "StdCtrls.h"

#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// A label that records what CM_HINTSHOW tells it, and may refuse the hint or change its text.
class THintLabel : public TLabel {
public:
    using TLabel::TLabel;
    THintInfo Seen;
    int Shows = 0;
    bool Refuse = false;
    QString Replace;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_HINTSHOW) {
            ++Shows;
            TCMHintShow msg(m);
            Seen = *msg.HintInfo;
            if (!Replace.isEmpty()) msg.HintInfo->HintStr = Replace;
            m.Result = Refuse ? 1 : 0;
            return;
        }
        TLabel::WndProc(m);
    }
};

class THintTestWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
};

// A window at (200, 150) with a hint label at (10, 10) of 120 x 30, hints after 5 ms.
struct HintFixture : testing::Test {
    TForm Form{nullptr};
    THintLabel* Label = new THintLabel(&Form);
    int SavedPause = Application->HintPause();

    void SetUp() override {
        Form.SetBounds(200, 150, 300, 200);
        Label->SetParent(&Form);
        Label->SetAutoSize(false);
        Label->SetBounds(10, 10, 120, 30);
        Label->SetCaption(QStringLiteral("基础代谢"));
        Label->SetHint(QStringLiteral("点击查看营养素含量合计"));
        Label->SetShowHint(true);  // from now on the label follows the mouse
        Form.ShowForm();
        Application->SetHintPause(5);
        Application->SetHintShortPause(5);
    }
    void TearDown() override {
        Application->CancelHint();
        Application->SetHintPause(SavedPause);
        Application->SetHintShortPause(50);
        Application->OnShowHint = nullptr;
    }
    void MoveTo(const QPoint& p) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(Label->Widget()->mapToGlobal(p)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Label->Widget(), &e);
    }
    bool HintShows() {
        THintWindow* w = Application->HintWindow();
        return w && w->Widget() && w->Widget()->isVisible();
    }
};
}  // namespace

TEST_F(HintFixture, RestingOnAControlShowsItsHintBelowTheMouseAfterThePause) {
    MoveTo(QPoint(5, 6));
    EXPECT_FALSE(HintShows());
    ASSERT_TRUE(QTest::qWaitFor([&] { return HintShows(); }, 2000));
    THintWindow* w = Application->HintWindow();
    EXPECT_EQ(w->Caption(), QStringLiteral("点击查看营养素含量合计"));
    const TPoint mouse = Label->ClientToScreen({5, 6});
    // 20 pixels below the mouse, the height of the arrow cursor.
    EXPECT_EQ(w->Left(), mouse.X);
    EXPECT_EQ(w->Top(), mouse.Y + 20);
    EXPECT_EQ(Label->Shows, 1);
    EXPECT_EQ(Label->Seen.HintControl, Label);
    EXPECT_EQ(Label->Seen.CursorPos, Point(5, 6));
    EXPECT_EQ(Label->Seen.CursorRect, Rect(0, 0, 120, 30));
    EXPECT_EQ(Label->Seen.HintColor, clInfoBk);
    EXPECT_EQ(Label->Seen.HideTimeout, Application->HintHidePause());
    EXPECT_EQ(Label->Seen.HintWindowClass, HintWindowClass);
    // A click hides it.
    QTest::mouseClick(Label->Widget(), Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_FALSE(HintShows());
}

TEST_F(HintFixture, EnteringAControlTakesTheMouseFromTheEnterAndLeavingOthersKeepsItsHint) {
    // The pointer the window system reports lies off the window; the enter says where the mouse came in.
    QCursor::setPos(0, 0);
    const TPoint entered = Label->ClientToScreen({7, 8});
    QEnterEvent enter(QPointF(7, 8), QPointF(7, 8), QPointF(entered.X, entered.Y));
    QApplication::sendEvent(Label->Widget(), &enter);
    ASSERT_TRUE(QTest::qWaitFor([&] { return HintShows(); }, 2000));
    EXPECT_EQ(Label->Seen.CursorPos, Point(7, 8));
    EXPECT_EQ(Application->HintWindow()->Left(), entered.X);
    EXPECT_EQ(Application->HintWindow()->Top(), entered.Y + 20);
    // Another control the mouse leaves has no say over the label's hint.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Form.Widget(), &leave);
    EXPECT_TRUE(HintShows());
}

TEST_F(HintFixture, TheControlAndOnShowHintMayChangeOrStopTheHint) {
    Label->Replace = QStringLiteral("换了");
    QString seenByHandler;
    Application->OnShowHint = [&](QString& text, bool& canShow, THintInfo& info) {
        seenByHandler = text;
        info.HintColor = clYellow;
        canShow = text != QStringLiteral("不给看");
    };
    Application->ActivateHint(Label->ClientToScreen({4, 4}));
    EXPECT_EQ(seenByHandler, QStringLiteral("换了"));
    ASSERT_TRUE(HintShows());
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("换了"));
    EXPECT_EQ(Application->HintWindow()->Color(), clYellow);
    Label->Replace = QStringLiteral("不给看");
    Application->ActivateHint(Label->ClientToScreen({4, 4}));
    EXPECT_FALSE(HintShows());
    Label->Replace.clear();
    Label->Refuse = true;
    Application->OnShowHint = nullptr;
    Application->ActivateHint(Label->ClientToScreen({4, 4}));
    EXPECT_FALSE(HintShows());
}

TEST_F(HintFixture, ControlsWithoutShowHintShowNothingAndLeavingTheControlHidesTheHint) {
    Label->SetShowHint(false);  // the label keeps following the mouse, without a hint
    MoveTo(QPoint(5, 6));
    QTest::qWait(40);
    EXPECT_FALSE(HintShows());
    Label->SetShowHint(true);
    MoveTo(QPoint(6, 6));
    ASSERT_TRUE(QTest::qWaitFor([&] { return HintShows(); }, 2000));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Label->Widget(), &leave);
    EXPECT_FALSE(HintShows());
}

TEST_F(HintFixture, TurningHintsOffAndOnMakesAWindowOfTheCurrentClass) {
    const THintWindowClass saved = HintWindowClass;
    HintWindowClass = &NewHintWindow<THintTestWindow>;
    Application->SetShowHint(false);
    EXPECT_EQ(Application->HintWindow(), nullptr);
    Application->ActivateHint(Label->ClientToScreen({4, 4}));
    EXPECT_FALSE(HintShows());
    Application->SetShowHint(true);
    EXPECT_NE(dynamic_cast<THintTestWindow*>(Application->HintWindow()), nullptr);
    HintWindowClass = saved;
    // The next hint asks for the class again and gets a window of it.
    Application->ActivateHint(Label->ClientToScreen({4, 4}));
    EXPECT_EQ(dynamic_cast<THintTestWindow*>(Application->HintWindow()), nullptr);
    EXPECT_TRUE(HintShows());
}

TEST(HintWindow, IsAFramedTopLevelWindowThatTakesNoFocusAndKeepsOnTheScreen) {
    THintWindow window(nullptr);
    QWidget* w = window.Widget();
    EXPECT_TRUE(w->isWindow());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
    window.SetColor(RGB(255, 255, 225));
    const TRect r = window.CalcHintRect(300, QStringLiteral("提示"), nullptr);
    EXPECT_EQ(r.Left, 0);
    EXPECT_GT(r.Width(), 6);
    const TRect area = Screen->WorkAreaAt({0, 0});
    TRect placed = r;
    OffsetRect(placed, area.Right - 5, 40);  // running off the right edge
    window.ActivateHint(placed, QStringLiteral("提示"));
    EXPECT_EQ(window.Left() + window.Width(), area.Right);
    EXPECT_EQ(window.Top(), 40);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isActiveWindow());
    const QImage& image = window.PaintOffscreen();
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));  // the border, in the window frame colour
    EXPECT_EQ(image.pixel(r.Width() - 1, r.Height() - 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 225));
    SetWindowRgn(&window, CreateRectRgn(0, 0, 4, 4), false);
    EXPECT_EQ(w->mask(), QRegion(0, 0, 4, 4));
    window.ReleaseHandle();
    EXPECT_FALSE(w->isVisible());
}

// A move over a control inside another counts for the inner one, also where Qt hands it on to the
// outer one; on the outer one's own part the outer hint shows.
TEST_F(HintFixture, TheInnermostControlUnderTheMouseGivesTheHint) {
    auto* outer = new TPanel(&Form);
    outer->SetParent(&Form);
    outer->SetBounds(10, 60, 200, 100);
    outer->SetHint(QStringLiteral("外"));
    outer->SetShowHint(true);
    auto* inner = new TPanel(&Form);
    inner->SetParent(outer);
    inner->SetBounds(20, 20, 60, 40);
    inner->SetHint(QStringLiteral("内"));
    inner->SetShowHint(true);
    QApplication::processEvents();
    auto moveOver = [](TControl* control, const QPoint& p) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(control->Widget()->mapToGlobal(p)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control->Widget(), &e);
    };
    moveOver(inner, QPoint(5, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return HintShows(); }, 2000));
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("内"));
    // The same move handed on to the outer panel: inside the inner panel it is not the outer's, and
    // the inner hint stays.
    moveOver(outer, QPoint(25, 25));
    EXPECT_TRUE(HintShows());
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("内"));
    Application->CancelHint();
    moveOver(outer, QPoint(150, 80));
    ASSERT_TRUE(QTest::qWaitFor([&] { return HintShows(); }, 2000));
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("外"));
}
