#include "Forms.h"
#include "PopupLoop.h"
#include "RecordingServices.h"
#include "SkPopups.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {
// Drop-down content that records the keys it gets; a left press on it reports a choice.
class TContent : public TCustomControl {
public:
    explicit TContent(TComponent* AOwner) : TCustomControl(AOwner) {}
    std::vector<unsigned> Keys;
    std::function<void()> OnPress;
    bool ThrowOnKey = false;
    bool ThrowOnMove = false;

protected:
    void WMMouseMove(TWMMouse& Message) override {
        if (ThrowOnMove) throw std::runtime_error("moved over a failing control");
        TCustomControl::WMMouseMove(Message);
    }
    void WMKeyDown(TWMKey& Message) override {
        Keys.push_back(Message.CharCode);
        if (ThrowOnKey) throw std::runtime_error("content failed");
    }
    void WMLButtonDown(TWMMouse& Message) override {
        if (OnPress) OnPress();
        TCustomControl::WMLButtonDown(Message);
    }
};

// Runs `step` inside the pop-up's loop, once the loop waits for events.
void WhileOpen(std::function<void()> step) {
    QMetaObject::invokeMethod(qApp, std::move(step), Qt::QueuedConnection);
}

void SendKey(QWidget* to, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(to, &press);
}

void SendMove(QWidget* to, const QPoint& at) {
    QMouseEvent move(QEvent::MouseMove, at, to->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(to, &move);
}

void SendPress(QWidget* to, const QPoint& at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, to->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(to, &press);
}

// A form with an edit that has the focus, and a hidden pop-up panel holding one content control.
struct SkPopupsHostTest : testing::Test {
    std::unique_ptr<TForm> Form;
    TEdit* Edit = nullptr;
    TEdit* Other = nullptr;
    TSkPopupPanel* Panel = nullptr;
    TContent* Content = nullptr;
    int FormPresses = 0;

    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Form->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ++FormPresses; };
        Edit = new TEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(20, 20, 120, 22);
        Other = new TEdit(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(20, 200, 120, 22);
        Panel = new TSkPopupPanel(Form.get());
        Panel->SetParent(Form.get());
        Content = new TContent(Panel);
        Content->SetParent(Panel);
        Content->SetBounds(0, 0, 150, 120);
        Form->Show();
        Form->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
        Edit->SetFocus();
        ASSERT_TRUE(Edit->Focused());
    }
    void TearDown() override {
        Form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    void ExpectClosedCleanly() {
        EXPECT_EQ(Panel->PopupHost(), nullptr);
        EXPECT_EQ(Panel->PopupControl(), nullptr);
        ASSERT_EQ(Panel->ControlCount(), 1);
        EXPECT_EQ(Content->Parent(), Panel);
        EXPECT_TRUE(Edit->Focused());
    }
};
}  // namespace

TEST(SkPopupsPlacement, FollowsAlignmentAndStaysInTheWorkArea) {
    const TRect area{0, 0, 800, 600};
    const TRect c{100, 50, 180, 70};
    EXPECT_EQ(TSkPopup::Placement(c, 60, 40, taLeftJustify, -1, -1, area), (TPoint{100, 70}));
    EXPECT_EQ(TSkPopup::Placement(c, 60, 40, taRightJustify, -1, -1, area), (TPoint{120, 70}));
    // (100 + 180 - 61) div 2 = 109; offsets count from the control's top-left corner.
    EXPECT_EQ(TSkPopup::Placement(c, 61, 40, taCenter, -1, -1, area), (TPoint{109, 70}));
    EXPECT_EQ(TSkPopup::Placement(c, 60, 40, taLeftJustify, 5, -3, area), (TPoint{105, 47}));
    // An odd negative sum truncates toward zero: (-101 + 0 - 0) div 2 = -50.
    EXPECT_EQ(TSkPopup::Placement({-101, 50, 0, 70}, 0, 40, taCenter, -1, -1, {-1000, 0, 800, 600}),
              (TPoint{-50, 70}));
    // Near the right edge it moves left to meet it; near the bottom it opens above the control; when
    // that leaves the top it is held at the top.
    EXPECT_EQ(TSkPopup::Placement({780, 50, 800, 70}, 60, 40, taLeftJustify, -1, -1, area),
              (TPoint{740, 70}));
    EXPECT_EQ(TSkPopup::Placement({100, 580, 180, 600}, 60, 40, taLeftJustify, -1, -1, area),
              (TPoint{100, 540}));
    EXPECT_EQ(TSkPopup::Placement({100, 10, 180, 30}, 60, 600, taLeftJustify, -1, -1, area),
              (TPoint{100, 0}));
    EXPECT_EQ(TSkPopup::Placement({-50, 50, 10, 70}, 60, 40, taRightJustify, -1, -1, area), (TPoint{0, 70}));
}

TEST_F(SkPopupsHostTest, OpensBelowTheControlAndAChoiceInsideEndsItWithTrue) {
    Content->OnPress = [this] { Panel->Close(); };
    int popups = 0, closes = 0;
    Panel->OnPopup = [&](TObject*) { ++popups; };
    Panel->OnClose = [&](TObject*) { ++closes; };
    TRect shown{};
    TWinControl* active = nullptr;
    WhileOpen([&] {
        TSkPopup* host = Panel->PopupHost();
        ASSERT_NE(host, nullptr);
        shown = host->BoundsRect();
        active = host->ActiveChild();
        EXPECT_EQ(Panel->PopupControl(), Edit);
        EXPECT_FALSE(Edit->Focused());  // the focus left the edit while open
        EXPECT_EQ(Content->Parent(), host);
        SendPress(Content->Widget(), QPoint(10, 10));
    });
    EXPECT_TRUE(Panel->Popup(Edit));
    const TPoint edit = Edit->ClientToScreen({0, 0});
    // Right-aligned below the edit: the content with the 1-pixel pop-up frame and the 2-pixel band
    // round it.
    EXPECT_EQ(shown, (TRect{edit.X + 120 - 156, edit.Y + 22, edit.X + 120, edit.Y + 22 + 126}));
    EXPECT_EQ(active, Content);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(closes, 1);
    ExpectClosedCleanly();
}

// The content sits inside the host's frame and band, which stay the host's own to paint: a white
// and grey pop-up frame, the band in the panel's colour, then the content.
TEST_F(SkPopupsHostTest, TheContentSitsInsideTheHostsFrameAndBand) {
    Content->SetColor(clRed);
    Content->OnPaint = [this](TObject*) {
        Content->Canvas()->Brush()->SetColor(clRed);
        Content->Canvas()->FillRect(Content->ClientRect());
    };
    TRect inHost{};
    QImage shown;
    WhileOpen([&] {
        inHost = Content->BoundsRect();
        shown = Panel->PopupHost()->Widget()->grab().toImage();
        Panel->Close();
    });
    EXPECT_TRUE(Panel->Popup(Edit));
    EXPECT_EQ(inHost, (TRect{3, 3, 153, 123}));
    EXPECT_EQ(Content->BoundsRect(), (TRect{0, 0, 150, 120}));  // back in the panel where it was
    ASSERT_EQ(shown.size(), QSize(156, 126));
    auto at = [&](int x, int y) { return shown.pixelColor(x, y).rgb() & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);      // the frame's highlight, top-left
    EXPECT_EQ(at(155, 125), 0x808080u);  // its shadow, bottom-right
    EXPECT_EQ(at(1, 1), 0xD4D0C8u);      // the band in the panel's colour
    EXPECT_EQ(at(2, 60), 0xD4D0C8u);
    EXPECT_EQ(at(3, 3), 0xFF0000u);  // the content
    EXPECT_EQ(at(152, 122), 0xFF0000u);
    EXPECT_EQ(at(153, 60), 0xD4D0C8u);
}

// A press on the form behind the pop-up, as the window system delivers it (to the form's window,
// before Qt gives the pressed control the focus), ends the pop-up and goes no further: the pressed
// control is neither entered nor left, and the focus comes back to the edit.
TEST_F(SkPopupsHostTest, APressOnTheFormBehindEndsThePopupWithoutFocusingWhatWasPressed) {
    int enters = 0, exits = 0;
    Other->OnEnter = [&](TObject*) { ++enters; };
    Other->OnExit = [&](TObject*) { ++exits; };
    QWindow* window = Form->Widget()->windowHandle();
    const QPoint onOther = Other->Widget()->mapTo(Form->Widget(), QPoint(10, 10));
    WhileOpen([&] { QTest::mouseClick(window, Qt::LeftButton, {}, onOther); });
    EXPECT_FALSE(Panel->Popup(Edit));
    QApplication::processEvents();
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(exits, 0);
    EXPECT_FALSE(Other->Focused());
    ExpectClosedCleanly();
}

// The wheel turned over another control while the pop-up is open changes nothing there and leaves
// the pop-up open.
TEST_F(SkPopupsHostTest, TheWheelOverTheFormBehindGoesNowhere) {
    auto* box = new TComboBox(Form.get());
    box->SetParent(Form.get());
    box->SetBounds(200, 20, 120, 22);
    box->SetStyle(csDropDownList);
    box->Items()->Assign(QStringList{"A", "B", "C"});
    box->SetItemIndex(0);
    QWindow* window = Form->Widget()->windowHandle();
    const QPoint onBox = box->Widget()->mapTo(Form->Widget(), QPoint(10, 10));
    bool stillOpen = false;
    WhileOpen([&] {
        for (QObject* receiver : {static_cast<QObject*>(window), static_cast<QObject*>(box->Widget())}) {
            const QPoint at = receiver == window ? onBox : QPoint(10, 10);
            QWheelEvent wheel(at, Form->Widget()->mapToGlobal(onBox), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(receiver, &wheel);
        }
        QApplication::processEvents();
        stillOpen = Panel->PopupHost() != nullptr;
        Panel->Close();
    });
    EXPECT_TRUE(Panel->Popup(Edit));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(box->ItemIndex(), 0);
    ExpectClosedCleanly();
}

TEST_F(SkPopupsHostTest, ItStaysOpenWhileTheApplicationRunsAndTheFocusStaysAway) {
    Content->OnPress = [this] { Panel->Close(); };
    bool focusAway = false;
    // Later, after the window system had time to show and activate what it would.
    QTimer::singleShot(100, [&] {
        focusAway = !Edit->Focused() && !Other->Focused();
        SendPress(Content->Widget(), QPoint(10, 10));
    });
    EXPECT_TRUE(Panel->Popup(Edit));
    EXPECT_TRUE(focusAway);
    ExpectClosedCleanly();
}

TEST_F(SkPopupsHostTest, AClickOutsideCancelsAndNeverReachesTheForm) {
    WhileOpen([&] { SendPress(Form->Widget(), QPoint(300, 250)); });
    EXPECT_FALSE(Panel->Popup(Edit));
    EXPECT_EQ(FormPresses, 0);
    ExpectClosedCleanly();
    // Afterwards the form has its clicks again.
    SendPress(Form->Widget(), QPoint(300, 250));
    EXPECT_EQ(FormPresses, 1);
}

TEST_F(SkPopupsHostTest, KeysAimedAnywhereReachTheContentAndEscapeCancels) {
    WhileOpen([&] {
        SendKey(Form->Widget(), Qt::Key_Up);
        SendKey(Other->Widget(), Qt::Key_Right);
        SendKey(Form->Widget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(Panel->Popup(Edit));
    EXPECT_EQ(Content->Keys, (std::vector<unsigned>{VK_UP, VK_RIGHT, VK_ESCAPE}));
    ExpectClosedCleanly();
}

TEST_F(SkPopupsHostTest, FocusMovingElsewhereOrTheApplicationLosingActivationCancels) {
    WhileOpen([&] { Other->SetFocus(); });
    EXPECT_FALSE(Panel->Popup(Edit));
    EXPECT_EQ(Panel->PopupHost(), nullptr);
    EXPECT_EQ(Content->Parent(), Panel);

    Edit->SetFocus();
    WhileOpen([] {
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(qApp, &deactivate);
    });
    EXPECT_FALSE(Panel->Popup(Edit));
    EXPECT_EQ(Content->Parent(), Panel);
}

TEST_F(SkPopupsHostTest, AThrowingHandlerInsideTheLoopStillRestoresEverything) {
    Content->ThrowOnKey = true;
    WhileOpen([&] { SendKey(Form->Widget(), Qt::Key_Down); });
    EXPECT_THROW(Panel->Popup(Edit), std::runtime_error);
    ExpectClosedCleanly();
    EXPECT_FALSE(Panel->PopupHost());
    // The panel can drop down again.
    Content->ThrowOnKey = false;
    Content->OnPress = [this] { Panel->Close(); };
    WhileOpen([&] { SendPress(Content->Widget(), QPoint(5, 5)); });
    EXPECT_TRUE(Panel->Popup(Edit));
}

// What the loop does not deliver itself fails there too: a control behind it that throws as the mouse
// moves over it ends the pop-up, and the error passes on to the caller with no loop left running.
TEST_F(SkPopupsHostTest, AnExceptionFromAnEventTheLoopLetsThroughEndsItAndLeavesNoLoopBehind) {
    auto* behind = new TContent(Form.get());
    behind->SetParent(Form.get());
    behind->SetBounds(200, 20, 80, 80);
    behind->ThrowOnMove = true;
    behind->Widget()->setMouseTracking(true);  // plain moves reach it
    WhileOpen([&] { SendMove(behind->Widget(), QPoint(5, 5)); });
    EXPECT_THROW(Panel->Popup(Edit), std::runtime_error);
    EXPECT_EQ(TDropDownLoop::Innermost(), nullptr);
    ExpectClosedCleanly();

    Content->OnPress = [this] { Panel->Close(); };
    WhileOpen([&] { SendPress(Content->Widget(), QPoint(5, 5)); });
    EXPECT_TRUE(Panel->Popup(Edit));
    EXPECT_EQ(TDropDownLoop::Innermost(), nullptr);
}

TEST_F(SkPopupsHostTest, AThrowingOnPopupHandlerPassesOnAfterTheCleanUp) {
    Panel->OnPopup = [](TObject*) { throw std::runtime_error("no"); };
    EXPECT_THROW(Panel->Popup(Edit), std::runtime_error);
    EXPECT_EQ(Panel->PopupHost(), nullptr);
    EXPECT_EQ(Panel->PopupControl(), nullptr);
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(SkPopupsHostTest, ASecondPopupWhileOpenIsRefused) {
    bool nested = true;
    WhileOpen([&] {
        nested = Panel->PopupAt(Other, 0, 0);
        Panel->Close();
    });
    EXPECT_TRUE(Panel->Popup(Edit));
    EXPECT_FALSE(nested);
}

TEST_F(SkPopupsHostTest, ThePopupFreesItselfOnceOverAndAFreedPanelTakesItAlong) {
    const int before = TSkPopup::LiveCount();
    WhileOpen([&] { Panel->Close(); });
    EXPECT_TRUE(Panel->Popup(Edit));
    EXPECT_EQ(TSkPopup::LiveCount(), before + 1);  // its release is still on its way
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TSkPopup::LiveCount(), before);
    EXPECT_EQ(Panel->ComponentCount(), 1);  // the content alone

    // The edits free the panel as soon as Popup returns: the release on its way is dropped, not
    // delivered to the freed pop-up.
    WhileOpen([&] { Panel->Close(); });
    EXPECT_TRUE(Panel->Popup(Edit));
    delete Panel;
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TSkPopup::LiveCount(), before);
}

TEST_F(SkPopupsHostTest, FreeingThePanelWhileOpenEndsThePopupAsACancel) {
    const int before = TSkPopup::LiveCount();
    QPointer<TSkPopup> host;
    QPointer<TContent> content(Content);
    WhileOpen([&] {
        host = Panel->PopupHost();
        delete Panel;
    });
    EXPECT_FALSE(Panel->Popup(Edit));
    EXPECT_TRUE(content.isNull());  // it went with the panel that owned it
    ASSERT_FALSE(host.isNull());    // still unwinding its loop: it goes by itself
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(host.isNull());
    EXPECT_EQ(TSkPopup::LiveCount(), before);
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(SkPopupsHostTest, FreeingTheOwnerFormWhileOpenEndsThePopup) {
    const int before = TSkPopup::LiveCount();
    WhileOpen([&] { Form.reset(); });
    EXPECT_FALSE(Panel->Popup(Edit));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TSkPopup::LiveCount(), before);
}
