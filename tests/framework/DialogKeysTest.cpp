// Keys a window handles for its buttons (Enter, Escape, accelerators), modal results, actions that
// controls carry out and follow, and image lists that tell who follows them of each change.
#include "Actions.h"
#include "ControlProbes.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "ImgList.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct DialogKeys : testing::Test {
    TForm Form{nullptr};
    TEdit* Edit = Place<TEdit>(10);
    TButton* Ok = Place<TButton>(40);
    TButton* Other = Place<TButton>(70);
    TButton* Cancel = Place<TButton>(100);
    int OkClicks = 0, OtherClicks = 0, CancelClicks = 0;

    template <class T> T* Place(int top) { return ::Place<T>(Form, 10, top, 80, 25); }
    void SetUp() override {
        Ok->SetCaption(QStringLiteral("&OK"));
        Ok->SetDefault(true);
        Cancel->SetCancel(true);
        Ok->OnClick = [this](TObject*) { ++OkClicks; };
        Other->OnClick = [this](TObject*) { ++OtherClicks; };
        Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
        Form.Show();
        Form.Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.Widget()));
    }
    void Focus(TWinControl* control) {
        control->SetFocus();
        ASSERT_TRUE(control->Focused());
    }
    static void Key(TWinControl* control, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(control->Widget(), key, mods);
    }
};
}  // namespace

TEST_F(DialogKeys, EnterPressesTheDefaultButtonWhereverTheFocusIsUnlessAButtonHasIt) {
    Focus(Edit);
    Key(Edit, Qt::Key_Return);
    EXPECT_EQ(OkClicks, 1);
    Key(Edit, Qt::Key_Return, Qt::ShiftModifier);  // only the plain key
    EXPECT_EQ(OkClicks, 1);

    Focus(Other);  // a focused button takes Enter from the default one
    EXPECT_FALSE(Ok->Active());
    Key(Other, Qt::Key_Return);
    EXPECT_EQ(OtherClicks, 1);
    EXPECT_EQ(OkClicks, 1);

    Focus(Edit);
    EXPECT_TRUE(Ok->Active());
    Ok->SetEnabled(false);  // a button that cannot take the focus presses nothing
    Key(Edit, Qt::Key_Return);
    EXPECT_EQ(OkClicks, 1);
}

TEST_F(DialogKeys, EscapePressesTheCancelButtonAndAltWithTheUnderlinedLetterItsButton) {
    Focus(Edit);
    Key(Edit, Qt::Key_Escape);
    EXPECT_EQ(CancelClicks, 1);
    Key(Edit, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(OkClicks, 1);
    Focus(Other);  // a button takes no characters: the plain letter is its window's too
    Key(Other, Qt::Key_O);
    EXPECT_EQ(OkClicks, 2);
    Focus(Edit);  // an edit keeps its characters
    Key(Edit, Qt::Key_O);
    EXPECT_EQ(OkClicks, 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("o"));
}

// A label made a keyboard stop: Tab reaches it between the controls around it, Space and Enter click it
// (Enter does not go on to the default button, Escape still reaches the cancel one), a mouse click takes no
// focus, and a click that frees the label is safe.
TEST_F(DialogKeys, ALinkLabelIsATabStopThatSpaceAndEnterClick) {
    auto* link = new TLabel(&Form);
    link->SetParent(&Form);
    link->SetCaption(QStringLiteral("link"));
    link->SetBounds(10, 55, 40, 14);  // between OK and Other
    int linkClicks = 0;
    link->OnClick = [&](TObject*) { ++linkClicks; };
    Focus(Ok);
    QTest::keyClick(Ok->Widget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Other->Widget());  // not a stop until asked
    link->SetTabStop(true);
    Focus(Ok);
    QTest::keyClick(Ok->Widget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link->Widget());
    QTest::keyClick(link->Widget(), Qt::Key_Space);
    QTest::keyClick(link->Widget(), Qt::Key_Return);
    EXPECT_EQ(linkClicks, 2);
    EXPECT_EQ(OkClicks, 0);
    QTest::keyClick(link->Widget(), Qt::Key_Escape);  // still the window's
    EXPECT_EQ(CancelClicks, 1);
    QTest::keyClick(link->Widget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Other->Widget());

    QTest::mouseClick(link->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(linkClicks, 3);
    EXPECT_EQ(QApplication::focusWidget(), Other->Widget());

    link->OnClick = [link](TObject*) { delete link; };
    link->Widget()->setFocus(Qt::TabFocusReason);
    QPointer<QWidget> widget = link->Widget();
    QTest::keyClick(widget, Qt::Key_Space);
    QTest::qWait(1);  // a widget freed while its key is delivered goes with the next events
    EXPECT_TRUE(widget.isNull());
}

TEST(DialogKeysModal, EnterOnTheDefaultButtonEndsTheModalWaitWithItsResult) {
    TForm dialog(nullptr);
    auto* edit = new TEdit(&dialog);
    edit->SetParent(&dialog);
    auto* ok = new TButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetTop(40);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* no = new TButton(&dialog);
    no->SetParent(&dialog);
    no->SetTop(80);
    no->SetCancel(true);
    no->SetModalResult(mrNo);
    QTimer::singleShot(0, [&] {
        edit->SetFocus();
        QTest::keyClick(edit->Widget(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    QTimer::singleShot(0, [&] {
        edit->SetFocus();
        QTest::keyClick(edit->Widget(), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), mrNo);
}

TEST(Actions, AControlFollowsItsActionAndRunsItWhenClickedWithoutAHandlerOfItsOwn) {
    TForm form(nullptr);
    auto* action = new TAction(&form);
    action->SetCaption(QStringLiteral("保存"));
    action->SetHint(QStringLiteral("保存记录"));
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), QStringLiteral("保存"));
    EXPECT_EQ(button->Hint(), QStringLiteral("保存记录"));

    action->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    action->SetEnabled(true);
    button->SetCaption(QStringLiteral("另存"));  // the control's own caption ends following it
    action->SetCaption(QStringLiteral("存"));
    EXPECT_EQ(button->Caption(), QStringLiteral("存"));  // a change refreshes every value, as when assigned

    button->Click();
    EXPECT_EQ(runs, 1);
    int own = 0;
    button->OnClick = [&](TObject*) { ++own; };
    button->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(runs, 1);

    delete action;  // the control forgets a freed action
    EXPECT_EQ(button->Action(), nullptr);
    button->Click();
    EXPECT_EQ(own, 2);
}

TEST(ImageLists, ChangeLinksHearOfEveryChangeUntilEitherGoes) {
    auto* list = new TImageList(nullptr);
    list->SetWidth(4);
    list->SetHeight(4);
    TChangeLink link;
    int changes = 0;
    link.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, list);
        ++changes;
    };
    list->RegisterChanges(&link);
    TBitmap strip(12, 4);
    EXPECT_EQ(list->Add(&strip), 0);
    EXPECT_EQ(list->Count(), 3);
    list->Delete(1);
    list->Clear();
    EXPECT_EQ(changes, 3);
    {
        TChangeLink gone;
        list->RegisterChanges(&gone);
    }  // unregisters itself
    list->AddImage(QImage(4, 4, QImage::Format_ARGB32));
    EXPECT_EQ(changes, 4);
    delete list;
    EXPECT_EQ(link.Sender(), nullptr);
}

namespace {
class TKeyUpProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Downs = 0, Ups = 0;

protected:
    void WMKeyDown(TWMKey& m) override {
        Downs += m.CharCode == VK_SPACE;
        TCustomControl::WMKeyDown(m);
    }
    void WMKeyUp(TWMKey& m) override {
        Ups += m.CharCode == VK_SPACE;
        TCustomControl::WMKeyUp(m);
    }
};
}  // namespace

TEST(KeyMessages, AHeldKeyRepeatsItsKeyDownAndComesUpOnce) {
    TKeyUpProbe probe(nullptr);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), i > 0);
        QApplication::sendEvent(probe.Widget(), &press);
        if (i < 2) {
            QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
            QApplication::sendEvent(probe.Widget(), &repeat);
        }
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), false);
    QApplication::sendEvent(probe.Widget(), &release);
    EXPECT_EQ(probe.Downs, 3);
    EXPECT_EQ(probe.Ups, 1);
}
