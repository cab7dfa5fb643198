#include "MainWindowSession.h"
#include "SiteAddresses.h"
#include "UnitFoodList.h"
#include "UnitHelath.h"
#include "UnitMain.h"
#include "UnitYYSTop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

// The main window after login, with the food browser, rankings and health windows opened from it.
class FoodWindowsNavigation : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowSession::SetUp();
        Start();
        Login();
    }
    TRecordingShellService Shell;
};

TEST_F(FoodWindowsNavigation, TabsCreateTheirWindowOnceDockedInTheCentre) {
    MainFrm->Btn_CF->Click();
    ASSERT_NE(Frm_FD, nullptr);
    TFrm_FD* browser = Frm_FD;
    EXPECT_EQ(browser->HostDockSite(), MainFrm->Panel2);
    EXPECT_TRUE(MainFrm->lblCF->Font()->HasStyle(fsBold));
    MainFrm->SpeedButton5->Click();
    ASSERT_NE(Frm_FDYY, nullptr);
    EXPECT_EQ(Frm_FDYY->HostDockSite(), MainFrm->Panel2);
    EXPECT_TRUE(MainFrm->lblYYS->Font()->HasStyle(fsBold));
    EXPECT_FALSE(MainFrm->lblCF->Font()->HasStyle(fsBold));
    EXPECT_EQ(Frm_FDYY->Lst_YYS->Count(), 26);
    MainFrm->SpeedButton1->Click();  // the twin of "食物成分"
    EXPECT_EQ(Frm_FD, browser);
    EXPECT_TRUE(Frm_FD->Showing());
}

TEST_F(FoodWindowsNavigation, HealthLabelsOpenTheirListAndItsFirstPage) {
    TLabel* labels[] = {MainFrm->Label12, MainFrm->Label27, MainFrm->Label33, MainFrm->lbl7};
    const char* paths[] = {"/zhongyao/0", "/2/", "/ShiPu/", "/Cha/"};
    THelathFrm* window = nullptr;
    for (int kind = 1; kind <= 4; ++kind) {
        labels[kind - 1]->Click();
        ASSERT_NE(HelathFrm, nullptr);
        if (!window) window = HelathFrm;
        EXPECT_EQ(HelathFrm, window);
        EXPECT_EQ(HelathFrm->HostDockSite(), MainFrm->Panel2);
        EXPECT_FALSE(MainFrm->pnlMain->Visible());
        EXPECT_EQ(HelathFrm->Lst_FD->Tag(), kind);
        EXPECT_EQ(HelathFrm->Lst_FD->Count(), int(HealthEntries(kind).size()));
        if (!HealthEntries(kind).empty()) {
            EXPECT_EQ(HelathFrm->Web->LocationURL(),
                      InfoSiteRoot() + paths[kind - 1] + HealthEntries(kind)[0].Code + ".htm");
        }
    }
    MainFrm->Btn_CF->Click();
    EXPECT_TRUE(MainFrm->pnlMain->Visible());
}

TEST_F(FoodWindowsNavigation, GuideStepOpensTheFoodBrowserWithItsHint) {
    MainFrm->Label10->Click();
    EXPECT_NE(Frm_FD, nullptr);
    EXPECT_EQ(Boxes.LastText(), "操作提示：选择自己经常食用的食物，再点击【设为常用食物】按钮设置为常用食物");
}

TEST_F(FoodWindowsNavigation, CloseButtonFreesTheWindows) {
    MainFrm->Btn_CF->Click();
    MainFrm->SpeedButton5->Click();
    MainFrm->Label33->Click();
    QPointer<TForm> browser = Frm_FD, rankings = Frm_FDYY, health = HelathFrm;
    MainFrm->Btn_CloseClick(MainFrm->Btn_Close);
    EXPECT_EQ(Frm_FD, nullptr);
    EXPECT_EQ(Frm_FDYY, nullptr);
    EXPECT_EQ(HelathFrm, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(browser.isNull());
    EXPECT_TRUE(rankings.isNull());
    EXPECT_TRUE(health.isNull());
}

}  // namespace
