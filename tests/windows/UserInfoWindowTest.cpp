// The personal centre window as a whole: its navigation bar, the main window's way in, the guide steps
// and the keyboard page change.
#include "PersonalCentreFixture.h"
#include "UnitHDMX.h"
#include "UnitOftenFood.h"

TEST_F(PersonalCentre, TheNavigationBarShowsEachPageWithItsTitleAndDateBar) {
    struct TPage {
        TSpeedButton* Button;
        int Index;
        QString Title;
        bool DateBar, ActivityLink;
    };
    const TPage pages[] = {{Centre->btnNet, 1, "个人体重记录", true, false},
                           {Centre->btnSPLst, 2, "每日活动热量消耗", true, true},
                           {Centre->btnFdLst, 3, "每日饮食热量", true, false},
                           {Centre->btnAna, 4, "饮食热量和活动热量分析", false, false},
                           {Centre->btnBase, 0, "个人基本信息", false, false}};
    for (const TPage& p : pages) {
        Centre->lblDate->SetCaption("2020-1-1");
        Centre->lblLSTop->SetCaption("x");
        QTest::mouseClick(p.Button->Widget(), Qt::LeftButton);
        EXPECT_EQ(Centre->PC3->ActivePageIndex(), p.Index);
        EXPECT_EQ(Centre->lblTop->Caption(), p.Title);
        EXPECT_EQ(Centre->lblLSTop->Caption(), "");
        EXPECT_EQ(Centre->imgCheck->Top(), p.Button->Top());
        EXPECT_EQ(Centre->pnlClaDate->Visible(), p.DateBar);
        EXPECT_EQ(Centre->lblSetHD->Visible(), p.ActivityLink);
        EXPECT_FALSE(Centre->pnlBack->Visible());
        EXPECT_EQ(Centre->lblDate->Caption(), p.DateBar ? TodayISO() : QString("2020-1-1"));
    }
}

TEST_F(PersonalCentre, TheMainWindowOpensItOnceAndItsGuideStepsOpenItsPages) {
    MainFrm->Btn_PerInfo->Click();
    EXPECT_EQ(Frm_UInfo, Centre);
    EXPECT_EQ(Centre->HostDockSite(), MainFrm->Panel2);
    EXPECT_TRUE(MainFrm->lblDA->Font()->HasStyle(fsBold));

    MainFrm->Label16->Click();
    EXPECT_EQ(Centre->PC3->ActivePageIndex(), 0);
    EXPECT_TRUE(Centre->gbM->Showing());
    const std::pair<TLabel*, int> steps[] = {
        {MainFrm->Label17, 1}, {MainFrm->Label18, 2}, {MainFrm->Label19, 3}, {MainFrm->Label20, 4}};
    for (const auto& [step, page] : steps) {
        step->Click();
        EXPECT_EQ(Centre->PC3->ActivePageIndex(), page);
    }
    MainFrm->Label4->Click();
    EXPECT_EQ(Centre->PC3->ActivePageIndex(), 2);
    EXPECT_EQ(Modals.back(), "SetHTFrm");
    MainFrm->Label29->Click();
    EXPECT_EQ(Boxes.LastText(), "操作提示：如果设置了食谱套餐，直接点击【食谱套餐】按钮选择套餐，双击添加。");
}

// The navigation bar is the one way between the pages: Ctrl+Tab, as the keyboard sends it, turns none.
TEST_F(PersonalCentre, CtrlTabTurnsNoPageBehindTheNavigationsBack) {
    Centre->btnSPLst->Click();
    HDMXFrm = new THDMXFrm(Centre);
    HDMXFrm->ShowForm();
    Centre->SG1->SetFocus();
    ASSERT_TRUE(Centre->SG1->Focused());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Centre->PC3->ActivePageIndex(), 2);
    EXPECT_TRUE(Centre->TabSheet4->Showing());
    EXPECT_EQ(Centre->lblTop->Caption(), "每日活动热量消耗");
    EXPECT_NE(HDMXFrm, nullptr);  // the page did not change: its day details stay
    EXPECT_TRUE(Boxes.Boxes.empty());
    if (HDMXFrm) HDMXFrm->Close();

    // Without tabs the page frame's top line runs even from its left end: no notch of a tab is left.
    const QImage frame = Centre->PC3->Widget()->grab().toImage();
    int top = 0;
    while (top < 10 && frame.pixel(200, top) == frame.pixel(200, 20))
        ++top;
    ASSERT_LT(top, 10);
    for (int y = top; y < top + 3; ++y)
        for (int x = 1; x < 16; ++x)
            EXPECT_EQ(frame.pixel(x, y), frame.pixel(200, y)) << x << "," << y;
}

TEST_F(PersonalCentre, TheFrequentlyUsedWindowIsKeptAndTheCloseButtonClosesTheCentre) {
    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, Today());
    Centre->btnBreakfast->Click();
    Centre->lbl11->Click();
    TOftenFoodFrm* often = OftenFoodFrm;
    ASSERT_NE(often, nullptr);
    EXPECT_EQ(often->FormStyle(), fsStayOnTop);
    often->SpeedButton1->Click();
    EXPECT_FALSE(often->Visible());
    Centre->lbl12->Click();
    EXPECT_EQ(OftenFoodFrm, often);
    EXPECT_TRUE(often->Visible());
    EXPECT_EQ(often->Mode, 1);

    MainFrm->Btn_Close->Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Frm_UInfo, nullptr);
    EXPECT_EQ(OftenFoodFrm, nullptr);
}
