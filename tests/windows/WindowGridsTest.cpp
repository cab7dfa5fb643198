// The personal centre's grids, as a user sees them on a recorded day: every text of a row shows whole,
// and every title fits its column.
#include "GridInk.h"
#include "PersonalCentreFixture.h"
#include "UnitHDMX.h"
#include "UnitYSMX.h"

namespace {

class WindowGrids : public PersonalCentre {
protected:
    void SetUp() override {
        PersonalCentre::SetUp();
        // 洗碗 and 站立 on the activity list; today (its target written afresh) a lunch of food 1 (小麦)
        // and 30 minutes of 洗碗.
        Db.Exec("update UInfo set SPID = '1,3' where UID = :U", {{"U", Uid}});
        Db.Exec("delete from BDKcal where UID = :U and WRDate = :D", {{"U", Uid}, {"D", TodayISO()}});
        RecordDay(TodayISO(), 1800, 650, 240);
    }
};

}  // namespace

// The cells looked at are not the current ones: a selected cell is dark all over.
TEST_F(WindowGrids, TheDaysGridsShowTheirChineseTextWhole) {
    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, Today());
    ASSERT_TRUE(Centre->SGSC->Showing());
    ExpectWholeText(Centre->SGSC, 1, 0);  // 已摄入热量
    ExpectWholeText(Centre->SGSC, 0, 2);  // 早加餐
    ExpectWholeText(Centre->SGSC, 1, 3);  // 650KCal

    Centre->btnLunch->Click();
    ASSERT_TRUE(Centre->SG2->Showing());
    ASSERT_EQ(Centre->SG2->Cells(1, 1), "小麦");
    Centre->SG2->SetRow(2);
    ExpectWholeText(Centre->SG2, 6, 0);  // 碳水化合物(g)
    ExpectWholeText(Centre->SG2, 1, 1);
    ExpectWholeText(Centre->SG21, 1, 0);  // 合计

    Centre->btnSPLst->Click();
    OpenDay(Centre->SGHD, Today());
    ASSERT_TRUE(Centre->SG1->Showing());
    ASSERT_EQ(Centre->SG1->Cells(1, 2), "站立");
    ExpectWholeText(Centre->SG1, 1, 0);  // 活动项目名称
    ExpectWholeText(Centre->SG1, 1, 2);

    YSMXFrm = new TYSMXFrm(Centre);
    YSMXFrm->ShowForm();
    YSMXFrm->LoadDay(TodayISO());
    ASSERT_EQ(YSMXFrm->SGYS->Cells(2, 1), "小麦");
    YSMXFrm->SGYS->SetRow(2);
    ExpectWholeText(YSMXFrm->SGYS, 7, 0);  // 碳水化合物
    ExpectWholeText(YSMXFrm->SGYS, 2, 1);
    HDMXFrm = new THDMXFrm(Centre);
    HDMXFrm->ShowForm();
    HDMXFrm->LoadDay(TodayISO());
    ASSERT_EQ(HDMXFrm->SGHD->Cells(1, 1), "洗碗");
    HDMXFrm->SGHD->SetRow(2);
    ExpectWholeText(HDMXFrm->SGHD, 1, 1);
    YSMXFrm->Close();
    HDMXFrm->Close();

    Centre->btnFdLst->Click();
    Centre->lblLSJL->Click();
    Centre->btn_SearchSW->Click();
    ASSERT_TRUE(Centre->SkDBGrid3->Showing());
    ExpectWholeText(Centre->SkDBGrid3, 6, 0);  // 碳水化合物(克)
}

// Titles, dates and the day's states start 2 pixels into their cell and must end inside it; every column
// shows without scrolling.
TEST_F(WindowGrids, TheAnalysisTitlesAndStatesFitTheirColumns) {
    Centre->btnAna->Click();
    TSkDBGrid* days = Centre->DBS;
    TCanvas* canvas = days->Canvas();
    canvas->Font()->Assign(*days->Font());
    const int columns = days->Columns()->Count();
    for (int i = 0; i < columns; ++i) {
        TColumn* column = days->Columns()->Items(i);
        EXPECT_LE(2 + canvas->TextWidth(column->Title()->Caption()), column->Width())
            << column->Title()->Caption().toStdString();
    }
    EXPECT_LE(2 + canvas->TextWidth("2024-06-30"), days->Columns()->Items(0)->Width());
    TColumn* state = days->Columns()->Items(columns - 1);
    for (const char* text : {"饮食未记录", "热量摄入不足", "消耗热量", "热量平衡", "吸收热量"})
        EXPECT_LE(2 + canvas->TextWidth(text), state->Width()) << text;
    // The grid's first column is its indicator.
    EXPECT_LE(days->CellRect(columns, 0).Right, days->ClientWidth());
}

// While a weighing is typed the calendar behind it is disabled and shows the grid's disabled colour;
// closing the entry brings back the calendar's own colour and its double-click.
TEST_F(WindowGrids, TheWeightCalendarGreysWhileAWeighingIsTypedAndComesBackAfter) {
    Centre->btnNet->Click();
    OpenDay(Centre->SGTZ, Today());
    ASSERT_TRUE(Centre->pnlTZLR->Showing());
    EXPECT_EQ(Centre->SGTZ->Color(), clBtnFace);
    Centre->btnCTZLR->Click();
    EXPECT_TRUE(Centre->SGTZ->Enabled());
    EXPECT_EQ(Centre->SGTZ->Color(), clWindow);
    OpenDay(Centre->SGTZ, Today());
    EXPECT_TRUE(Centre->pnlTZLR->Showing());
}
