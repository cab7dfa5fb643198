// Tab and Shift+Tab in a window: reading order (rows from top to bottom, a row taking every control that
// starts above the middle of its first one, each row from left to right), container by container and
// round the window, over what cannot be seen or used; and where a window or a panel takes the focus.
#include "Buttons.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "TabOrder.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {
struct TabOrder : testing::Test {
    TForm Form{nullptr};

    void SetUp() override { Form.SetBounds(100, 100, 420, 300); }
    void Show() {
        Form.Show();
        Form.Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.Widget()));
    }
    // A control of 60 x 24 (half its height: 12) named `name`, in the form or in `parent`.
    template <class T>
    T* Place(const char* name, int left, int top, TWinControl* parent = nullptr, int width = 60,
             int height = 24) {
        auto* control = new T(&Form);
        control->SetName(QString::fromLatin1(name));
        control->SetParent(parent ? parent : &Form);
        control->SetBounds(left, top, width, height);
        return control;
    }
    static std::string Focused() {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (TControl* c = TControl::FromWidget(w)) return c->Name().toStdString();
        return "<none>";
    }
    // The controls that Tab (or Shift+Tab) reaches from the focused one, one per press.
    static std::vector<std::string> Presses(int count, bool back = false) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            names.push_back(Focused());
        }
        return names;
    }
    using Names = std::vector<std::string>;
};
}  // namespace

TEST_F(TabOrder, TabGoesRowByRowFromLeftToRightAndRoundTheWindowAndShiftTabGoesBack) {
    // Made out of reading order. The first row starts at 10 and takes what starts at 22 or above;
    // f, one pixel lower, starts a row of its own before a further down.
    Place<TEdit>("a", 10, 50);
    Place<TEdit>("e", 10, 90);
    Place<TEdit>("f", 300, 23);
    Place<TEdit>("d", 200, 22);
    Place<TEdit>("b", 100, 10);
    Place<TEdit>("g", 5, 22);
    Place<TEdit>("c", 10, 10);
    Show();
    EXPECT_EQ(Focused(), "g");  // the window opens on its first stop
    EXPECT_EQ(Presses(7), (Names{"c", "b", "d", "f", "a", "e", "g"}));
    EXPECT_EQ(Presses(7, true), (Names{"e", "a", "f", "d", "b", "c", "g"}));
    // The same order for controls that are not in a window yet (radio groups use it).
    std::vector<TControl*> all;
    for (int i = 0; i < Form.ControlCount(); ++i)
        all.push_back(Form.Controls(i));
    Names read;
    for (TControl* c : InReadingOrder(all))
        read.push_back(c->Name().toStdString());
    EXPECT_EQ(read, (Names{"g", "c", "b", "d", "f", "a", "e"}));
    // Of two controls starting level, the one made first is the row's first and sets its middle.
    TForm tied(nullptr);
    std::vector<TControl*> level;
    for (auto [name, left, top, height] :
         {std::tuple{"tall", 200, 10, 60}, {"short", 10, 10, 24}, {"mid", 100, 30, 24}}) {
        auto* edit = new TEdit(&tied);
        edit->SetName(QString::fromLatin1(name));
        edit->SetBounds(left, top, 60, height);
        level.push_back(edit);
    }
    read.clear();
    for (TControl* c : InReadingOrder(level))
        read.push_back(c->Name().toStdString());
    EXPECT_EQ(read, (Names{"short", "mid", "tall"}));
}

TEST_F(TabOrder, AContainersControlsComeTogetherWhereTheContainerStandsAndABackdropOrdersNothing) {
    // A panel as large as the window, behind everything, with no stop of its own: were it ordered, its
    // middle would make one row of all.
    auto* backdrop = Place<TPanel>("backdrop", 0, 0, nullptr, 420, 300);
    Place<TButton>("right", 200, 20);
    auto* box = Place<TPanel>("box", 10, 10, nullptr, 150, 60);
    Place<TEdit>("lower", 80, 30, box);
    Place<TEdit>("upper", 10, 5, box);
    auto* quiet = Place<TButton>("quiet", 10, 80);
    quiet->SetTabStop(false);
    Place<TButton>("below", 10, 120);
    Show();
    (void)backdrop;
    EXPECT_EQ(Focused(), "upper");
    EXPECT_EQ(Presses(4), (Names{"lower", "right", "below", "upper"}));
    // From a control that is no stop (given the focus by a click), Tab goes on from where it stands.
    quiet->SetFocus();
    EXPECT_EQ(Presses(1), Names{"below"});
    quiet->SetFocus();
    EXPECT_EQ(Presses(1, true), Names{"right"});
}

TEST_F(TabOrder, TabPassesOverWhatIsHiddenDisabledCoveredOrClippedAway) {
    Place<TEdit>("first", 10, 10);
    Place<TEdit>("hidden", 80, 10)->SetVisible(false);
    Place<TEdit>("disabled", 150, 10)->SetEnabled(false);
    Place<TEdit>("covered", 220, 10);
    Place<TPanel>("cover", 220, 10);  // in front, exactly as large
    Place<TEdit>("peeking", 300, 10);
    Place<TPanel>("half", 330, 10);  // leaves the left half seen
    // A label and a hidden panel in front hide nothing.
    Place<TEdit>("underLabel", 10, 50);
    Place<TLabel>("label", 10, 50);
    Place<TEdit>("underHidden", 80, 50);
    Place<TPanel>("hiddenCover", 80, 50)->SetVisible(false);
    // Inside a box: a field beyond its right edge cannot be seen; a box that is hidden or disabled
    // hides or disables what it holds, and one lying under another is covered with all it holds.
    auto* box = Place<TPanel>("box", 10, 90, nullptr, 100, 40);
    Place<TEdit>("inBox", 10, 5, box);
    Place<TEdit>("clipped", 100, 5, box);
    auto* hiddenBox = Place<TPanel>("hiddenBox", 150, 90, nullptr, 100, 40);
    Place<TEdit>("inHiddenBox", 10, 5, hiddenBox);
    hiddenBox->SetVisible(false);
    auto* offBox = Place<TPanel>("offBox", 260, 90, nullptr, 100, 40);
    Place<TEdit>("inOffBox", 10, 5, offBox);
    offBox->SetEnabled(false);
    auto* under = Place<TPanel>("under", 10, 150, nullptr, 100, 40);
    Place<TEdit>("inUnder", 10, 5, under);
    Place<TPanel>("over", 10, 150, nullptr, 100, 40);
    Show();
    EXPECT_EQ(Focused(), "first");
    EXPECT_EQ(Presses(5), (Names{"peeking", "underLabel", "underHidden", "inBox", "first"}));
    EXPECT_EQ(Presses(1, true), Names{"inBox"});
}

// A part lies in its control, after it: Tab goes on past the control, Shift+Tab back to the control
// itself (as from a grid's open cell editor to the grid).
TEST_F(TabOrder, APartOfAControlIsNoStopAndTabGoesOnFromWhereItLies) {
    Place<TEdit>("before", 10, 10);
    auto* host = Place<TPanel>("host", 80, 10, nullptr, 100, 24);
    host->SetTabStop(true);
    auto* part = new QLineEdit(host->Widget());  // as a grid's cell editor lies in the grid
    part->setGeometry(2, 2, 50, 20);
    part->show();
    Place<TEdit>("after", 200, 10);
    Show();
    EXPECT_EQ(Presses(3), (Names{"host", "after", "before"}));
    part->setFocus();
    ASSERT_TRUE(part->hasFocus());
    EXPECT_EQ(Presses(1), Names{"after"});
    part->setFocus();
    EXPECT_EQ(Presses(1, true), Names{"host"});
}

TEST_F(TabOrder, TheOnlyStopKeepsTheFocusAndAWindowWithoutAFocusedControlStartsAtEitherEnd) {
    auto* only = Place<TEdit>("only", 10, 10);
    Place<TLabel>("caption", 100, 10);
    Show();
    EXPECT_EQ(Presses(1), Names{"only"});
    EXPECT_EQ(Presses(1, true), Names{"only"});
    Form.Widget()->setFocus();
    EXPECT_EQ(NextTabStop(Form.Widget(), false), only->Widget());
    Place<TEdit>("second", 10, 50);
    Form.Widget()->setFocus();  // the window itself: Tab starts at the first stop, Shift+Tab at the last
    EXPECT_EQ(NextTabStop(Form.Widget(), true), only->Widget());
    Form.Widget()->setFocus();
    EXPECT_EQ(NextTabStop(Form.Widget(), false), Form.Controls(Form.ControlCount() - 1)->Widget());
    TForm empty(nullptr);
    EXPECT_EQ(NextTabStop(empty.Widget(), true), nullptr);
}

TEST_F(TabOrder, AWindowOrAPanelIsEnteredOnItsFirstFieldNotOnASpeedButton) {
    Place<TSpeedButton>("title", 10, 10);
    auto* box = Place<TPanel>("box", 10, 50, nullptr, 300, 100);
    Place<TSpeedButton>("tool", 10, 5, box);
    Place<TEdit>("field", 10, 40, box);
    Place<TButton>("button", 10, 200);
    Show();
    EXPECT_EQ(Focused(), "field");
    EXPECT_EQ(Presses(1, true), Names{"tool"});  // Tab still reaches speed buttons
    // A plain widget of a panel counts as the panel's own.
    auto* plain = new QLineEdit(box->Widget());
    plain->setGeometry(100, 5, 60, 24);
    plain->show();
    EXPECT_TRUE(box->SelectFirst());
    EXPECT_EQ(QApplication::focusWidget(), plain);
    EXPECT_EQ(Presses(1), Names{"field"});  // and is a stop between the panel's own controls
    Presses(1, true);
    EXPECT_EQ(QApplication::focusWidget(), plain);
    auto* tools = Place<TPanel>("tools", 10, 160, nullptr, 300, 30);
    Place<TSpeedButton>("onlyTool", 10, 5, tools);
    EXPECT_FALSE(tools->SelectFirst());
    EXPECT_EQ(QApplication::focusWidget(), plain);
}
