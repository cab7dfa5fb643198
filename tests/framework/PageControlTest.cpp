// Page controls and date pickers driven as a user drives them.
#include "ComCtrls.h"
#include "Forms.h"

#include <QDateEdit>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PageControlTest : public testing::Test {
  protected:
    PageControlTest() : Form(nullptr) {
        Form.SetBounds(0, 0, 500, 400);
        PC = new TPageControl(&Form);
        PC->SetParent(&Form);
        PC->SetBounds(0, 0, 400, 300);
        for (const char* caption : {"食谱列表", "第1步", "第2步"}) {
            auto* sheet = new TTabSheet(&Form);
            sheet->SetPageControl(PC);
            sheet->SetCaption(QString::fromUtf8(caption));
            Sheets.push_back(sheet);
        }
        OnSecond = new TButton(&Form);
        OnSecond->SetParent(Sheets[1]);
        PC->OnChanging = [this](TObject*, bool& allow) {
            ++Changing;
            allow = Allow;
        };
        PC->OnChange = [this](TObject*) { ++Changes; };
    }
    QTabBar* Tabs() const { return PC->Widget()->findChild<QTabBar*>(); }

    TForm Form;
    TPageControl* PC;
    std::vector<TTabSheet*> Sheets;
    TButton* OnSecond;
    int Changing = 0, Changes = 0;
    bool Allow = true;
};

} // namespace

TEST_F(PageControlTest, CodeSwitchesPagesWithoutEventsAndHiddenTabsLeaveNoStrip) {
    Form.ShowForm();
    EXPECT_EQ(PC->PageCount(), 3);
    EXPECT_EQ(PC->ActivePage(), Sheets[0]); // the first page inserted becomes the active one
    EXPECT_TRUE(Tabs()->isVisible());
    EXPECT_GT(Sheets[0]->Top(), 0); // below the tabs
    EXPECT_FALSE(OnSecond->Widget()->isVisible());

    PC->SetActivePage(Sheets[1]);
    EXPECT_TRUE(OnSecond->Widget()->isVisible());
    EXPECT_FALSE(Sheets[0]->Widget()->isVisible());
    EXPECT_EQ(PC->ActivePageIndex(), 1);
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    PC->SetActivePageIndex(7); // outside the pages: nothing changes
    EXPECT_EQ(PC->ActivePageIndex(), 1);
    EXPECT_EQ(Changing + Changes, 0);

    for (TTabSheet* sheet : Sheets)
        sheet->SetTabVisible(false);
    EXPECT_FALSE(Tabs()->isVisible());
    EXPECT_EQ(Sheets[2]->BoundsRect(), Rect(0, 0, 400, 300));
    EXPECT_EQ(Sheets[1]->TabIndex(), -1);
    PC->SetActivePageIndex(2); // a page without a tab can still be shown
    EXPECT_TRUE(Sheets[2]->Widget()->isVisible());
    EXPECT_EQ(PC->ActivePageIndex(), 2);

    Sheets[1]->SetTabVisible(true);
    PC->SetTabHeight(1);
    EXPECT_EQ(Sheets[2]->BoundsRect(), Rect(0, 1, 400, 300));
    EXPECT_EQ(Sheets[1]->TabIndex(), 0);
    PC->SetBounds(0, 0, 450, 320);
    EXPECT_EQ(Sheets[0]->BoundsRect(), Rect(0, 1, 450, 320));
}

TEST_F(PageControlTest, TheUserChangesPagesThroughTheTabs) {
    Form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Widget()));
    QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(2).center());
    EXPECT_EQ(PC->ActivePage(), Sheets[2]);
    EXPECT_EQ(Changing, 1);
    EXPECT_EQ(Changes, 1);

    Allow = false;
    QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(0).center());
    EXPECT_EQ(PC->ActivePage(), Sheets[2]);
    EXPECT_EQ(Tabs()->currentIndex(), 2);
    EXPECT_EQ(Changes, 1);

    // Ctrl+Tab walks the pages with a visible tab and wraps around.
    Allow = true;
    Sheets[0]->SetTabVisible(false);
    PC->SelectNextPage(true);
    EXPECT_EQ(PC->ActivePage(), Sheets[1]);
    PC->SelectNextPage(false);
    EXPECT_EQ(PC->ActivePage(), Sheets[2]);
    EXPECT_EQ(Changes, 3);
    Form.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.Widget()));
    Tabs()->setFocus();
    QTest::keyClick(Tabs(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(PC->ActivePage(), Sheets[1]);
    EXPECT_EQ(Changes, 4);
}

TEST_F(PageControlTest, PagesMoveAndFreeingTheActivePageShowsTheNext) {
    Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(PC->Pages(0), Sheets[2]);
    EXPECT_EQ(Sheets[0]->PageIndex(), 1);
    EXPECT_EQ(Tabs()->tabText(0), "第2步");
    EXPECT_THROW(Sheets[2]->SetPageIndex(3), Exception);

    PC->SetActivePage(Sheets[0]);
    delete Sheets[0];
    EXPECT_EQ(PC->PageCount(), 2);
    EXPECT_EQ(PC->ActivePage(), Sheets[1]);
    delete PC; // the sheets outlive it and can still be freed
    EXPECT_EQ(Sheets[1]->PageControl(), nullptr);
}

TEST(DateTimePicker, TextIsTheIsoDateAndOnlyTheUserFiresOnChange) {
    TForm form(nullptr);
    auto* picker = new TDateTimePicker(&form);
    picker->SetParent(&form);
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    picker->SetDate(EncodeDate(2024, 3, 5));
    EXPECT_EQ(picker->Text(), "2024-03-05");
    picker->SetText("2024-3-7");
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 3, 7));
    picker->SetText("not a date");
    EXPECT_EQ(picker->Text(), "2024-03-07");
    EXPECT_EQ(changes, 0);

    form.ShowForm();
    auto* editor = static_cast<QDateEdit*>(picker->Widget());
    editor->setFocus();
    editor->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(picker->Text(), "2024-03-08");
    EXPECT_EQ(changes, 1);
}
