// The main window opens the recipe book and the set meals in its centre panel.
#include "MainWindowSession.h"
#include "UnitMain.h"
#include "UnitShiPu.h"
#include "UnitTaoCan.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class RecipeNavigation : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowSession::SetUp();
        Start();
        Login();
    }
    // Each grid lies whole inside what holds it, its right edge in sight.
    static void ExpectGridsWhole(std::initializer_list<TControl*> grids) {
        for (TControl* grid : grids)
            EXPECT_LE(grid->Left() + grid->Width(), grid->Parent()->ClientWidth())
                << grid->Name().toStdString();
    }
};

}  // namespace

TEST_F(RecipeNavigation, TheRecipeBookIsMadeOnceDockedAndShowsItsListAgain) {
    MainFrm->Btn_SP->Click();
    TFrm_ShiPu* book = Frm_ShiPu;
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->HostDockSite(), MainFrm->Panel2);
    EXPECT_TRUE(book->Visible());
    // Its pages fill the centre panel, their frame in sight.
    EXPECT_EQ(book->PC->Width(), MainFrm->Panel2->ClientWidth());
    EXPECT_EQ(book->PC->Height(), MainFrm->Panel2->ClientHeight());
    ExpectGridsWhole({book->SG_FDC, book->SG_YYS1});
    // It fills its recipe list by itself once shown (its timer hurried along here).
    book->Timer1->SetInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return book->TV_FD1->Items()->Count() > 0; }, 2000));
    EXPECT_TRUE(MainFrm->lblSP->Font()->HasStyle(fsBold));
    book->Btn_SaveSW->Click();
    EXPECT_EQ(book->PC->ActivePage(), book->T2);
    ExpectGridsWhole({book->SG_FD1});
    MainFrm->SpeedButton2->Click();  // the twin button does the same
    EXPECT_EQ(Frm_ShiPu, book);
    EXPECT_EQ(book->PC->ActivePageIndex(), 0);

    // Closed, it is made anew on the next use.
    book->Close();
    EXPECT_EQ(Frm_ShiPu, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MainFrm->Btn_SP->Click();
    ASSERT_NE(Frm_ShiPu, nullptr);
    EXPECT_EQ(Frm_ShiPu->HostDockSite(), MainFrm->Panel2);
    // The main window's close button closes it first.
    MainFrm->Btn_Close->Click();
    EXPECT_EQ(Frm_ShiPu, nullptr);
}

TEST_F(RecipeNavigation, TheSetMealsAreMadeOnceAndShowTheirListAgain) {
    MainFrm->btnTaoCan->Click();
    TFrm_TaoCan* meals = Frm_TaoCan;
    ASSERT_NE(meals, nullptr);
    EXPECT_EQ(meals->HostDockSite(), MainFrm->Panel2);
    EXPECT_TRUE(MainFrm->lblTC->Font()->HasStyle(fsBold));
    ExpectGridsWhole({meals->SG_FDC});
    EXPECT_FALSE(MainFrm->lblSP->Font()->HasStyle(fsBold));
    meals->btnMakeTC->Click();
    ExpectGridsWhole({meals->SG_FD1});
    MainFrm->btnTaoCan->Click();
    EXPECT_EQ(Frm_TaoCan, meals);
    EXPECT_EQ(meals->PC->ActivePageIndex(), 0);
}

TEST_F(RecipeNavigation, GuideStepsOpenTheWindowsWithTheirHints) {
    MainFrm->Label11->Click();
    EXPECT_NE(Frm_ShiPu, nullptr);
    EXPECT_EQ(Boxes.LastText(), "操作提示：选择自己经常食用的食谱，再点击【设为常用食谱】按钮设置为常用食谱");
    MainFrm->Label21->Click();
    EXPECT_NE(Frm_TaoCan, nullptr);
    EXPECT_EQ(Boxes.LastText(), "操作提示：请点击【制作套餐】按钮设置饮食套餐");
}
