// A control that refuses its leaving keeps the focus: the control the focus was heading for never
// hears of it, the keeping control is neither left nor entered again, a box shown on the way leaves the
// focus where it belongs when the window comes back, and the program hiding, disabling or moving past
// the control ends the keeping.
#include "ComCtrls.h"
#include "ControlProbes.h"
#include "Forms.h"
#include "ModalMessageService.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {
// An edit that refuses to be left while Refuse is set, as a field holding a value it cannot take does.
class TRefusingEdit : public TEdit {
public:
    using TEdit::TEdit;
    bool Refuse = false;
    bool Kept = false;  // what KeepFocusOnExit answered on the last leaving
    int CMEnters = 0, CMExits = 0;
    std::function<void()> WhileLeaving;  // a box, or freeing a control, before the leaving is decided

protected:
    void CMEnter(TMessage& Message) override {
        ++CMEnters;
        TEdit::CMEnter(Message);
    }
    void CMExit(TMessage& Message) override {
        ++CMExits;
        QPointer<QObject> alive(this);
        if (const auto leaving = WhileLeaving) leaving();
        if (!alive) return;
        Kept = Refuse && KeepFocusOnExit();
        TEdit::CMExit(Message);
    }
};

struct KeptFocus : testing::Test {
    TForm Form{nullptr};
    TRefusingEdit* Keeper = Place<TRefusingEdit>(10);
    TEdit* Other = Place<TEdit>(40);
    TButton* Button = Place<TButton>(70);
    int Enters = 0, Exits = 0, OtherEnters = 0, OtherExits = 0, Clicks = 0;

    template <class T> T* Place(int top) { return ::Place<T>(Form, 10, top, 80, 25); }
    void SetUp() override {
        Form.SetBounds(0, 0, 300, 200);
        Keeper->OnEnter = [this](TObject*) { ++Enters; };
        Keeper->OnExit = [this](TObject*) { ++Exits; };
        Other->OnEnter = [this](TObject*) { ++OtherEnters; };
        Other->OnExit = [this](TObject*) { ++OtherExits; };
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Form.Show();
        Form.Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.Widget()));
        Keeper->SetFocus();
        ASSERT_TRUE(Keeper->Focused());
        Keeper->SetText(QStringLiteral("300"));
        Keeper->SetSelStart(3);
        Enters = Keeper->CMEnters = 0;
    }
    // Typed where the keyboard is now.
    static void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
};
}  // namespace

// Refused by the program's SetFocus, by Tab and by clicks: the focus stays and shows no change, the
// refused click reaches neither control (nor the next click's release, when its own went elsewhere),
// and typing goes on in the refusing edit. Let go, the edit is left once, as any edit is, and the next
// control entered once; coming back enters it once.
TEST_F(KeptFocus, ARefusedLeavingIsNeitherLeavingNorEnteringForAnyControl) {
    int mouse = 0, keeperMouse = 0;
    auto count = [](int& n) { return [&n](TObject*, TMouseButton, TShiftState, int, int) { ++n; }; };
    Keeper->OnMouseDown = Keeper->OnMouseUp = count(keeperMouse);
    Other->OnMouseDown = Other->OnMouseUp = Button->OnMouseDown = Button->OnMouseUp = count(mouse);
    Keeper->SelectAll();
    Keeper->Refuse = true;
    int tries = 0;
    auto expectKept = [&] {
        QApplication::processEvents();
        ++tries;
        EXPECT_TRUE(Keeper->Focused()) << tries;
        EXPECT_TRUE(Keeper->Kept) << tries;
        EXPECT_EQ(Keeper->CMExits, tries);  // asked each time
    };
    Other->SetFocus();
    expectKept();
    QTest::keyClick(Keeper->Widget(), Qt::Key_Tab);
    expectKept();
    EXPECT_EQ(Keeper->SelLength(), 3);  // it never heard of leaving
    // No click is dropped for a refusal by the keyboard.
    QTest::mouseClick(Keeper->Widget(), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(keeperMouse, 2);
    QTest::mouseClick(Button->Widget(), Qt::LeftButton, {}, QPoint(10, 10));
    expectKept();
    QTest::mouseClick(Other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    expectKept();
    QTest::mousePress(Button->Widget(), Qt::LeftButton, {}, QPoint(10, 10));
    expectKept();
    EXPECT_EQ(mouse + Clicks, 0);
    EXPECT_EQ(Enters + Exits + Keeper->CMEnters, 0);
    EXPECT_EQ(OtherEnters + OtherExits, 0);
    Keeper->SetText(QStringLiteral("300"));
    Keeper->SetSelStart(3);
    Type("7");
    EXPECT_EQ(Keeper->Text(), QStringLiteral("3007"));
    EXPECT_EQ(Other->Text(), QString());

    Keeper->Refuse = false;
    QTest::mouseClick(Button->Widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Button->Focused());
    EXPECT_EQ(Exits, 1);
    Keeper->SetFocus();
    Keeper->SelectAll();
    QTest::keyClick(Keeper->Widget(), Qt::Key_Tab);
    EXPECT_TRUE(Other->Focused());
    EXPECT_FALSE(Keeper->Kept);
    EXPECT_EQ(Keeper->SelLength(), 0);
    EXPECT_EQ(Exits, 2);
    EXPECT_EQ(OtherEnters, 1);
    EXPECT_EQ(Enters, 1);
    EXPECT_EQ(Keeper->CMEnters, 1);
}

// The keyboard never stays where the user cannot see or use it: a refusing edit hidden, disabled, its
// page turned away by the program, or left by a forced move cannot keep the focus; it is left once
// and typing goes to where the focus went.
TEST_F(KeptFocus, TheProgramHidingDisablingOrMovingPastTheEditEndsTheKeeping) {
    const std::function<void()> endings[] = {
        [&] { Keeper->SetVisible(false); },
        [&] { Keeper->SetEnabled(false); },
        [&] {
            TForcedFocusMove forced;
            Other->SetFocus();
        },
    };
    int tries = 0;
    for (const auto& end : endings) {
        ++tries;
        Keeper->SetVisible(true);
        Keeper->SetEnabled(true);
        Keeper->SetFocus();
        Other->SetText(QString());
        Exits = OtherEnters = 0;
        Keeper->Refuse = true;
        end();
        QApplication::processEvents();
        EXPECT_FALSE(Keeper->Kept) << tries;
        EXPECT_EQ(Keeper->CanFocus(), tries == 3) << tries;
        EXPECT_EQ(Exits, 1) << tries;
        EXPECT_TRUE(Other->Focused()) << tries;
        EXPECT_EQ(OtherEnters, 1) << tries;
        Type("7");
        EXPECT_EQ(Other->Text(), QStringLiteral("7")) << tries;
        EXPECT_EQ(Keeper->Text(), QStringLiteral("300")) << tries;
    }
    // Outside the forced move, the edit keeps it again.
    Keeper->SetVisible(true);
    Keeper->SetEnabled(true);
    Keeper->SetFocus();
    Other->SetFocus();
    EXPECT_TRUE(Keeper->Focused());
    EXPECT_TRUE(Keeper->Kept);

    auto* pages = new TPageControl(&Form);
    pages->SetParent(&Form);
    pages->SetBounds(100, 10, 180, 150);
    TTabSheet* sheets[2] = {new TTabSheet(&Form), new TTabSheet(&Form)};
    for (TTabSheet* sheet : sheets)
        sheet->SetPageControl(pages);
    auto* onPage = new TRefusingEdit(&Form);
    onPage->SetParent(sheets[0]);
    onPage->SetBounds(5, 5, 80, 25);
    auto* onNext = new TEdit(&Form);
    onNext->SetParent(sheets[1]);
    onNext->SetBounds(5, 5, 80, 25);
    int pageExits = 0;
    onPage->OnExit = [&](TObject*) { ++pageExits; };
    Keeper->Refuse = false;
    onPage->SetFocus();
    ASSERT_TRUE(onPage->Focused());
    onPage->Refuse = true;
    pages->SetActivePage(sheets[1]);
    QApplication::processEvents();
    EXPECT_FALSE(onPage->Kept);
    EXPECT_FALSE(onPage->CanFocus());
    EXPECT_EQ(pageExits, 1);
    EXPECT_FALSE(onPage->Focused());
    Type("7");
    EXPECT_EQ(onPage->Text(), QString());
}

// A box shown while the edit is being left takes the keyboard from the window for a moment. Left
// after it, the control the focus was heading for is entered when the window comes back, and never
// left; kept after it, the focus is back in the edit and neither control heard anything.
TEST_F(KeptFocus, ABoxShownWhileLeavingLeavesTheFocusWhereTheLeavingEnded) {
    TModalMessageService boxes;
    Keeper->WhileLeaving = [] { MessageBox(QStringLiteral("超出范围"), QStringLiteral("信息提示")); };
    QTest::keyClick(Keeper->Widget(), Qt::Key_Tab);
    ASSERT_TRUE(TModalMessageService::Reactivate(Form.Widget()));
    EXPECT_EQ(QApplication::focusWidget(), Other->Widget());
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(OtherEnters, 1);
    EXPECT_EQ(OtherExits, 0);

    Keeper->SetFocus();
    QApplication::processEvents();
    Enters = Exits = OtherEnters = OtherExits = Keeper->CMEnters = 0;
    Keeper->Refuse = true;
    const std::function<void()> leavings[] = {
        [&] { QTest::keyClick(Keeper->Widget(), Qt::Key_Tab); },
        [&] { QTest::mouseClick(Other->Widget(), Qt::LeftButton, {}, QPoint(5, 5)); },
    };
    for (const auto& leave : leavings) {
        leave();
        // The window's focus is back in the edit while the window waits to be active again.
        EXPECT_TRUE(Keeper->HasWindowFocus());
        EXPECT_FALSE(Other->HasWindowFocus());
        ASSERT_TRUE(TModalMessageService::Reactivate(Form.Widget()));
        EXPECT_EQ(QApplication::focusWidget(), Keeper->Widget());
    }
    EXPECT_EQ(boxes.Texts.size(), 3);
    EXPECT_EQ(Enters + Exits + Keeper->CMEnters, 0);
    EXPECT_EQ(OtherEnters + OtherExits, 0);
    Type("7");
    EXPECT_EQ(Keeper->Text(), QStringLiteral("3007"));
    EXPECT_EQ(Other->Text(), QString());
}

// A refusing edit that frees itself while it is being left: nothing touches it again, and the focus
// is with the control it was heading for, entered once.
TEST_F(KeptFocus, AnEditFreedWhileItsLeavingIsDecidedIsNeverTouchedAgain) {
    QPointer<TRefusingEdit> keeper(Keeper);
    Keeper->Refuse = true;
    Keeper->WhileLeaving = [this] { delete Keeper; };
    QTest::keyClick(Keeper->Widget(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_FALSE(keeper);
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(OtherEnters, 1);
    Type("7");
    EXPECT_EQ(Other->Text(), QStringLiteral("7"));
}
