// The page control and its sheets as the windows use them: switching pages by tab and by index,
// hidden tabs, one-pixel tabs, moving pages, closing the active page, colours and streaming.
#include "DragDrop.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ModalMessageService.h"
#include "PaintRecorder.h"
#include "SkEditDateTime.h"
#include "SkEditNumeric.h"
#include "SkTabsPages.h"
#include "StdCtrls.h"
#include "Streaming.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <functional>
#include <utility>
#include <gtest/gtest.h>

namespace {
struct SkTabsPagesTest : testing::Test {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TSkPageControl* Pages = new TSkPageControl(Form.get());
    std::vector<TSkTabSheet*> Sheets;
    std::vector<QString> Events;

    void SetUp() override {
        Pages->SetParent(Form.get());
        Pages->SetBounds(0, 0, 300, 150);
        for (const char* caption : {"今日", "历史", "分析"}) {
            auto* sheet = new TSkTabSheet(Form.get());
            sheet->SetCaption(QString::fromUtf8(caption));
            sheet->SetPageControl(Pages);
            Sheets.push_back(sheet);
        }
        Pages->OnChanging = [this](TObject*, int i, bool&) {
            Events.push_back(QStringLiteral("changing %1").arg(i));
        };
        Pages->OnChange = [this](TObject*) { Events.push_back(QStringLiteral("change")); };
        Pages->OnPageChange = [this](TObject*) { Events.push_back(QStringLiteral("page")); };
    }
    void TearDown() override { Form.reset(); }
    void ShowForm() {
        Form->SetBounds(0, 0, 320, 200);
        Form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
    }
    TPoint TabCentre(int index) {
        const TRect tab = Pages->GetTabRect(index);
        return {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2};
    }
    std::vector<bool> Shown() const {
        std::vector<bool> shown;
        for (TSkTabSheet* sheet : Sheets)
            shown.push_back(sheet->Visible());
        return shown;
    }
};
}  // namespace

TEST_F(SkTabsPagesTest, OnePageShowsAtATimeChosenByCodeOrByItsTab) {
    Pages->SetActivePage(Sheets[0]);
    Events.clear();
    Pages->SetActivePage(Sheets[0]);  // the active page again: nothing to tell
    EXPECT_TRUE(Events.empty());
    Pages->SetActivePage(Sheets[1]);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_EQ(Events, (std::vector<QString>{"changing 1", "change", "page"}));
    // A click on the third tab.
    const TRect tab = Pages->GetTabRect(2);
    Pages->Perform(WM_LBUTTONDOWN, MK_LBUTTON,
                   MakeLParam((tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
    // The page fills the card, less its frame and the shadow.
    const TRect card = Pages->CardClientRect();
    EXPECT_EQ(Sheets[2]->BoundsRect(), card);
    // OnChanging may refuse; then nothing moves.
    Pages->OnChanging = [](TObject*, int, bool& allow) { allow = false; };
    Pages->SetActivePageIndex(0);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
    // An index one past the last page selects no tab and leaves the page.
    Events.clear();
    Pages->SetActivePageIndex(3);
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(Events.empty());
}

TEST_F(SkTabsPagesTest, WithEveryTabHiddenPagesStillSwitchByIndex) {
    for (TSkTabSheet* sheet : Sheets)
        sheet->SetTabVisible(false);
    EXPECT_EQ(Pages->Tabs()->Count(), 0);
    Events.clear();
    Pages->SetActivePageIndex(2);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Events, (std::vector<QString>{"page"}));  // neither OnChanging nor OnChange
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    // Out of range: no tab, the page stays.
    Pages->SetActivePageIndex(3);
    Pages->SetActivePageIndex(-1);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_EQ(Pages->TabIndex(), -1);
}

TEST_F(SkTabsPagesTest, OnePixelTabsLeaveThePagesAlmostTheWholeControl) {
    Pages->SetTabHeight(1);
    Pages->SetActivePageIndex(0);
    Pages->UpdateLayout();
    // Strip 1 deep: the card from row 1; the page inside its frame and shadow: (1, 2) to (297, 147).
    EXPECT_EQ(Sheets[0]->BoundsRect(), Rect(1, 2, 297, 147));
    Pages->SetTabIndex(2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
}

TEST_F(SkTabsPagesTest, PagesMoveInTheListAndRefusePlacesOutsideIt) {
    std::pair<int, int> moved{-1, -1};
    Pages->OnTabOrderChange = [&](TObject*, int from, int to) { moved = {from, to}; };
    Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(Pages->Pages(0), Sheets[2]);
    EXPECT_EQ(Sheets[0]->PageIndex(), 1);
    EXPECT_EQ(moved, std::make_pair(2, 0));
    EXPECT_EQ(Pages->Tabs()->Items(0)->Caption, QStringLiteral("分析"));
    try {
        Sheets[0]->SetPageIndex(5);
        ADD_FAILURE();
    } catch (const ESkTabControlError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("5 is an invalid PageIndex value. PageIndex must be between 0 and 2"));
    }
    EXPECT_EQ(Sheets[0]->PageIndex(), 1);
    Sheets[2]->SetPageIndex(2);  // the first page to the end
    EXPECT_EQ(Pages->Pages(2), Sheets[2]);
    EXPECT_EQ(moved, std::make_pair(0, 2));
    Sheets[0]->SetPageControl(nullptr);  // out of the control: no place at all
    EXPECT_EQ(Sheets[0]->PageIndex(), -1);
}

TEST_F(SkTabsPagesTest, ClosingFreesTheActivePageOnceOnCloseReturnedAndSelectsTheTabToItsLeft) {
    Pages->SetActivePage(Sheets[1]);
    Pages->OnClose = [](TObject*, bool& allow) { allow = true; };
    QPointer<QObject> second(Sheets[1]);
    Pages->CloseActiveTab();
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);

    // A handler that frees the page itself: nothing is freed twice, the other page stays.
    QPointer<QObject> first(Sheets[0]);
    Pages->OnClose = [&](TObject*, bool& allow) {
        delete Sheets[0];
        allow = true;
    };
    Pages->CloseActiveTab();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(Pages->PageCount(), 1);
    EXPECT_EQ(Pages->Pages(0), Sheets[2]);
}

TEST_F(SkTabsPagesTest, FreeingTheActivePageRunsNoHandler) {
    Pages->SetActivePage(Sheets[1]);
    Events.clear();
    delete Sheets[1];
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_EQ(Pages->Tabs()->Count(), 2);
}

TEST_F(SkTabsPagesTest, ADisabledTabIsRefusedExceptWhileDesigning) {
    Pages->SetActivePageIndex(0);
    Sheets[1]->SetTabEnabled(false);
    Pages->SetTabIndex(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    Pages->SetDesigning(true);
    Pages->SetTabIndex(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
}

TEST_F(SkTabsPagesTest, ASheetsOwnColourTurnsColouredTabsOn) {
    Sheets[0]->SetColor(Pages->Color());
    EXPECT_FALSE(Pages->UseColoredTabs());
    Sheets[1]->SetColor(clInfoBk);
    EXPECT_TRUE(Pages->UseColoredTabs());
    EXPECT_EQ(Pages->Tabs()->Items(1)->Color, clInfoBk);
    Pages->SetUseColoredTabs(false);  // the pages take the control's colour again
    EXPECT_EQ(Sheets[1]->Color(), Pages->Color());
}

TEST_F(SkTabsPagesTest, OnlyThePageControlShowsAndHidesPages) {
    try {
        Sheets[0]->SetVisible(true);
        ADD_FAILURE();
    } catch (const ESkTabControlError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("You cannot change the Visible property of a page"));
    }
    // Streaming a form's page control and its pages never touches that setter.
    Pages->SetName(QStringLiteral("PC"));
    for (size_t i = 0; i < Sheets.size(); ++i)
        Sheets[i]->SetName(QStringLiteral("TabSheet%1").arg(i + 1));
    Pages->SetActivePage(Sheets[1]);
    Pages->SetActivePageDefault(Sheets[2]);
    Form->SetName(QStringLiteral("Frm"));
    const QString text = ComponentToText(Form.get());
    EXPECT_EQ(text.count(QStringLiteral(" Visible = ")), 1) << qPrintable(text);  // the form's own
    auto copy = std::make_unique<TForm>(nullptr);
    EXPECT_NO_THROW(TextToComponent(text, copy.get()));
    auto* pages = dynamic_cast<TSkPageControl*>(copy->FindComponent(QStringLiteral("PC")));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 3);
    // The page made active by default wins over the one streamed as active.
    EXPECT_EQ(pages->ActivePage(), pages->Pages(2));
    EXPECT_TRUE(pages->Pages(2)->Visible());
    EXPECT_FALSE(pages->Pages(1)->Visible());

    // The active page starts and stops showing with its page control, and says so.
    ShowForm();
    std::vector<QString> seen;
    Sheets[1]->OnShow = [&](TObject*) { seen.push_back(QStringLiteral("show")); };
    Sheets[1]->OnHide = [&](TObject*) { seen.push_back(QStringLiteral("hide")); };
    Pages->SetVisible(false);
    Pages->SetVisible(true);
    EXPECT_EQ(seen, (std::vector<QString>{"hide", "show"}));
}

// The focus shows on the strip as soon as the page control takes it: the screen shows what a full repaint
// shows.
TEST_F(SkTabsPagesTest, TheFocusShowsOnTheStripAtOnce) {
    Pages->SetActivePage(Sheets[0]);
    ShowForm();
    Form->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
    const QImage before = OnScreen(*Form);
    Pages->SetFocus();
    const QImage focused = OnScreen(*Form);
    EXPECT_NE(focused, before);
    EXPECT_EQ(focused, Repainted(*Form));
}

TEST_F(SkTabsPagesTest, CtrlTabCyclesThePagesWithVisibleTabs) {
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Sheets[2]);
    auto* other = new TEdit(Form.get());
    other->SetParent(Sheets[0]);
    Pages->SetActivePageIndex(2);
    Form->Show();
    Form->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Pages->Perform(CM_DIALOGKEY, VK_TAB, ShiftKeyData(ssCtrl)), 1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);  // from the last round to the first
    EXPECT_TRUE(other->Focused());              // the focus went along to the new page
    Pages->Perform(CM_DIALOGKEY, VK_TAB, ShiftKeyData(ssCtrl | ssShift));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);              // backwards from the first round to the last
    EXPECT_EQ(Pages->Perform(CM_DIALOGKEY, VK_TAB, 0), 0);  // Tab alone is not the page control's
    // As the keyboard sends it (Shift+Tab comes as Backtab): back from the last page is the middle one,
    // where forward would wrap round to the first.
    Sheets[1]->SetTabVisible(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
}

namespace {
// A numeric edit on the first page holding 300 against Max 250, whose range handler keeps the value and
// the focus; an edit in a panel on the second page.
struct SkTabsPagesFocusTest : SkTabsPagesTest {
    TSkNumericEdit* Field = nullptr;
    TEdit* Far = nullptr;
    int Errors = 0, Enters = 0, Exits = 0;
    std::function<void()> OnRefusing;

    void SetUp() override {
        SkTabsPagesTest::SetUp();
        Field = new TSkNumericEdit(Form.get());
        Field->SetParent(Sheets[0]);
        Field->SetBounds(10, 10, 100, 21);
        Field->SetMax(250);
        Field->OnRangeError = [this](TObject*, double, double, bool& autoCorrect) {
            ++Errors;
            if (OnRefusing) OnRefusing();
            autoCorrect = false;
        };
        Field->OnEnter = [this](TObject*) { ++Enters; };
        Field->OnExit = [this](TObject*) { ++Exits; };
        auto* panel = new TPanel(Form.get());
        panel->SetParent(Sheets[1]);
        panel->SetBounds(0, 0, 200, 60);
        Far = new TEdit(Form.get());
        Far->SetParent(panel);
        Far->SetBounds(10, 10, 100, 21);
        Pages->SetActivePage(Sheets[0]);
        ShowForm();
        Form->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
        Field->SetFocus();
        QTest::keyClicks(Field->Widget(), "300");
        Events.clear();
        Enters = 0;
    }
    void ClickTab(int index) {
        const TPoint at = TabCentre(index);
        QTest::mouseClick(Pages->Widget(), Qt::LeftButton, {}, QPoint(at.X, at.Y));
    }
    // Types into whatever has the keyboard.
    void TypeSeven() {
        ASSERT_TRUE(QApplication::focusWidget());
        QTest::keyClicks(QApplication::focusWidget(), "7");
    }
};
}  // namespace

// While the field refuses its leaving, a click on another tab and Ctrl+Tab are refused as any click
// that would take the focus is: the page stays, the page control tells of no change, and what the user
// types lands in the field, which was neither left nor entered again. Once mended, a tab click turns
// the page and the focus goes along.
TEST_F(SkTabsPagesFocusTest, ATabClickOrCtrlTabIsRefusedWhileAFieldOnThePageKeepsTheFocus) {
    ClickTab(1);
    QTest::keyClick(Field->Widget(), Qt::Key_Tab, Qt::ControlModifier);
    // The handler shows a box as it refuses: the page stays while the window is away too.
    TModalMessageService boxes;
    OnRefusing = [] { MessageBox(QStringLiteral("超出范围"), QStringLiteral("信息提示")); };
    ClickTab(1);
    ASSERT_TRUE(TModalMessageService::Reactivate(Form->Widget()));
    EXPECT_EQ(Errors, 3);  // once for each
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(Events.empty());
    TypeSeven();
    EXPECT_EQ(Field->Text(), QStringLiteral("3007"));
    EXPECT_EQ(Far->Text(), QString());
    EXPECT_EQ(Enters, 0);
    EXPECT_EQ(Exits, 0);

    OnRefusing = nullptr;
    Field->SetText(QStringLiteral("200"));
    ClickTab(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_EQ(Events, (std::vector<QString>{"changing 1", "change", "page"}));
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(QApplication::focusWidget(), Far->Widget());
    // With one tab left, Ctrl+Tab leaves the field on it the keyboard.
    Pages->SetActivePage(Sheets[0]);
    Sheets[1]->SetTabVisible(false);
    Sheets[2]->SetTabVisible(false);
    Field->SetFocus();
    QTest::keyClick(Field->Widget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), Field->Widget());
}

// A page turned by the program ends the keeping: the field leaves once with the text it holds, and
// the focus goes to the new page's first control, where typing lands.
TEST_F(SkTabsPagesFocusTest, APageTurnedByCodeTakesTheFocusFromAFieldThatKeepsIt) {
    Pages->SetActivePage(Sheets[1]);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_EQ(Events, (std::vector<QString>{"changing 1", "change", "page"}));
    EXPECT_EQ(Errors, 1);
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(Field->Text(), QStringLiteral("300"));
    TypeSeven();
    EXPECT_EQ(Far->Text(), QStringLiteral("7"));
    EXPECT_EQ(Field->Text(), QStringLiteral("300"));
    // With the keyboard outside the page control, a page turned by code leaves it there.
    auto* outside = new TEdit(Form.get());
    outside->SetParent(Form.get());
    outside->SetBounds(10, 160, 100, 21);
    outside->SetFocus();
    Pages->SetActivePage(Sheets[2]);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    TypeSeven();
    EXPECT_EQ(outside->Text(), QStringLiteral("7"));
}

// Without tabs, the page control hands a focus it gets to the first control of its page, the edit in
// the panel there (a panel would take the focus and do nothing with it).
TEST_F(SkTabsPagesFocusTest, APageControlWithoutTabsHandsItsFocusToItsPage) {
    Field->SetText(QStringLiteral("200"));
    for (TSkTabSheet* sheet : Sheets)
        sheet->SetTabVisible(false);
    Pages->SetActivePage(Sheets[1]);
    Pages->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Far->Widget());
}

// The field's OnExit may free the page control as the focus leaves the page, whether a tab click or
// the program turns it: nothing of it is touched after that. It may free the page being turned to:
// the old page stays.
TEST_F(SkTabsPagesFocusTest, AFieldLeavingThePageMayFreeThePageControl) {
    Field->SetText(QStringLiteral("200"));
    QPointer<QObject> pages(Pages);
    Field->OnExit = [this](TObject*) { delete Pages; };
    const TPoint at = TabCentre(1);
    QTest::mousePress(Pages->Widget(), Qt::LeftButton, {}, QPoint(at.X, at.Y));  // no release: it is gone
    EXPECT_TRUE(pages.isNull());

    Pages = new TSkPageControl(Form.get());
    pages = Pages;
    auto* first = new TSkTabSheet(Form.get());
    first->SetPageControl(Pages);
    auto* second = new TSkTabSheet(Form.get());
    second->SetPageControl(Pages);
    auto* edit = new TEdit(Form.get());
    edit->SetParent(first);
    (new TEdit(Form.get()))->SetParent(second);
    Pages->SetParent(Form.get());
    Pages->SetActivePage(first);
    // The page the focus is going to may go as the control leaves: the old page stays in place.
    auto* third = new TSkTabSheet(Form.get());
    third->SetPageControl(Pages);
    (new TEdit(Form.get()))->SetParent(third);
    QPointer<QObject> gone(second);
    edit->SetFocus();
    edit->OnExit = [gone](TObject*) { delete gone.data(); };
    Pages->SetActivePage(second);
    ASSERT_TRUE(gone.isNull());
    EXPECT_EQ(Pages->ActivePage(), first);
    EXPECT_TRUE(first->Visible());
    edit->SetFocus();
    edit->OnExit = [this](TObject*) { delete Pages; };
    Pages->SetActivePage(third);
    EXPECT_TRUE(pages.isNull());
}

// Alt with a tab's letter, pressed in a field whose leaving frees the page control (its OnExit, the
// numeric edit's range error, the date edit's invalid date): the key ends quietly there.
TEST_F(SkTabsPagesFocusTest, AFieldLeftByATabsAcceleratorMayFreeThePageControl) {
    auto freePages = [this] { delete std::exchange(Pages, nullptr); };
    for (int way = 0; way < 3; ++way) {
        if (way > 0) {
            TearDown();
            Form = std::make_unique<TForm>(nullptr);
            Pages = new TSkPageControl(Form.get());
            Sheets.clear();
            OnRefusing = nullptr;
            SetUp();
        }
        Sheets[1]->SetCaption(QStringLiteral("历史(&H)"));
        TWinControl* field = Field;
        if (way != 1) Field->SetText(QStringLiteral("200"));
        if (way == 0) {
            Field->OnExit = [&](TObject*) { freePages(); };
        } else if (way == 1) {
            OnRefusing = freePages;
        } else {
            auto* date = new TSkDateTimeEdit(Form.get());
            date->SetParent(Sheets[0]);
            date->SetBounds(10, 40, 100, 21);
            date->SetFocus();
            QTest::keyClicks(date->Widget(), "2023-2-30");
            date->OnInvalidDate = [&](TObject*, bool&, bool&, TDateTime&) { freePages(); };
            field = date;
        }
        QPointer<QObject> pages(Pages);
        QTest::keyClick(field->Widget(), Qt::Key_H, Qt::AltModifier);
        EXPECT_TRUE(pages.isNull()) << way;
        QTest::qWait(1);
    }
}

// A sheet may free itself as the page switch shows or hides it: a sheet gone as it showed leaves the
// old page in place; one gone as it hid leaves the new page shown with its tab selected where the
// tabs now stand.
TEST_F(SkTabsPagesTest, ASheetMayFreeItselfAsItIsShownOrHidden) {
    ShowForm();
    Pages->SetActivePage(Sheets[0]);
    auto clickTab = [this](int index) {
        const TPoint at = TabCentre(index);
        Pages->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(at.X, at.Y));
    };
    QPointer<QObject> second(Sheets[1]), first(Sheets[0]);
    Sheets[1]->OnShow = [this](TObject*) { delete Sheets[1]; };
    clickTab(1);
    ASSERT_TRUE(second.isNull());
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_TRUE(Sheets[0]->Visible());
    EXPECT_EQ(Pages->TabIndex(), 0);

    Sheets[0]->OnHide = [this](TObject*) { delete Sheets[0]; };
    Events.clear();
    clickTab(1);  // the third sheet's tab
    ASSERT_TRUE(first.isNull());
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_TRUE(Sheets[2]->Visible());
    EXPECT_EQ(Pages->TabIndex(), 0);  // the only tab left
    EXPECT_EQ(Events.back(), QStringLiteral("page"));
}

// A page whose OnShow turns to another page: the strip and the pages agree on where it ended, by a
// click and by code.
TEST_F(SkTabsPagesTest, APageThatTurnsToAnotherAsItShowsLeavesStripAndPageAgreeing) {
    ShowForm();
    Pages->SetActivePage(Sheets[0]);
    Sheets[1]->OnShow = [this](TObject*) { Pages->SetActivePage(Sheets[2]); };
    const TPoint at = TabCentre(1);
    Pages->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(at.X, at.Y));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Pages->TabIndex(), 2);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));

    // By code, the turning page with a tab and without one.
    for (bool tab : {true, false}) {
        Pages->SetActivePage(Sheets[0]);
        Sheets[1]->SetTabVisible(tab);
        Pages->SetActivePageIndex(1);
        EXPECT_EQ(Pages->ActivePage(), Sheets[2]) << tab;
        EXPECT_EQ(Pages->TabIndex(), Sheets[2]->TabIndex()) << tab;
        EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true})) << tab;
    }
    // A page that turns to itself as it shows stays.
    Sheets[1]->SetTabVisible(true);
    Sheets[1]->OnShow = [this](TObject*) { Pages->SetActivePage(Sheets[1]); };
    Pages->SetActivePageIndex(0);
    Pages->SetActivePageIndex(1);
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, false}));
}

// A tab dropped on another puts its page where that tab's page stands, pages without a tab included.
TEST_F(SkTabsPagesTest, ADroppedTabMovesItsPageToThePageOfTheTabDroppedOn) {
    auto* hidden = new TSkTabSheet(Form.get());
    hidden->SetCaption(QStringLiteral("隐藏"));
    hidden->SetTabVisible(false);
    hidden->SetPageControl(Pages);
    hidden->SetPageIndex(0);  // pages: 隐藏 (no tab), 今日, 历史, 分析
    Pages->SetAllowTabDragging(true);
    ShowForm();
    Pages->SetActivePage(Sheets[0]);
    const TPoint from = TabCentre(0), to = TabCentre(2);
    Pages->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(from.X, from.Y));
    Pages->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(from.X + 10, from.Y));
    const TPoint screen = Pages->ClientToScreen(to);
    TDragManager::Instance().MoveTo(QPoint(screen.X, screen.Y));
    TDragManager::Instance().Finish(true);
    EXPECT_EQ(Pages->Pages(3), Sheets[0]);  // where 分析 stood
    EXPECT_EQ(Pages->Pages(0), hidden);
    EXPECT_EQ(Pages->Tabs()->Items(2)->Caption, QStringLiteral("今日"));
    EXPECT_EQ(Pages->TabIndex(), 2);
}
