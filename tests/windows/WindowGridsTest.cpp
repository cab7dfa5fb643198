// The personal centre's grids, as a user sees them on a recorded day: every text of a row shows whole,
// every title fits its column, and the pages' labels, fields and grids line up.
#include "GridInk.h"
#include "PersonalCentreFixture.h"
#include "UnitHDMX.h"
#include "UnitYSMX.h"

#include <set>

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

    // How far below its field's top each label stands, for the labels with a field to their right.
    static std::set<int> LabelDrops(TWinControl* page) {
        std::set<int> drops;
        for (int i = 0; i < page->ControlCount(); ++i) {
            auto* label = dynamic_cast<TLabel*>(page->Controls(i));
            if (!label) continue;
            const int middle = label->Top() + label->Height() / 2;
            TWinControl* field = nullptr;
            for (int j = 0; j < page->ControlCount(); ++j) {
                auto* c = dynamic_cast<TWinControl*>(page->Controls(j));
                if (c && c->Visible() && c->Left() > label->Left() && c->Top() <= middle &&
                    middle < c->Top() + c->Height() && (!field || c->Left() < field->Left()))
                    field = c;
            }
            if (field) drops.insert(label->Top() - field->Top());
        }
        return drops;
    }
    static TLabel* LabelOf(TWinControl* parent, const QString& caption) {
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* label = dynamic_cast<TLabel*>(parent->Controls(i));
                label && label->Caption() == caption)
                return label;
        return nullptr;
    }
    // Each control's value of `edge` is the first one's.
    template <class Edge> static void ExpectLinedUp(std::initializer_list<TControl*> controls, Edge edge) {
        for (TControl* c : controls)
            EXPECT_EQ(edge(c), edge(*controls.begin())) << c->Name().toStdString();
    }
    static int Top(TControl* c) { return c->Top(); }
    static int Left(TControl* c) { return c->Left(); }
    static int Width(TControl* c) { return c->Width(); }
    static int Height(TControl* c) { return c->Height(); }
    static int Middle(TControl* c) { return 2 * c->Top() + c->Height(); }  // twice the vertical centre
    // A cell as drawn.
    static QImage CellImage(TCustomGrid* grid, int col, int row) {
        const TRect r = grid->CellRect(col, row);
        return grid->Widget()->grab().toImage().copy(r.Left, r.Top, r.Width(), r.Height());
    }
    // The colour at the lower right inside a cell, where no text reaches.
    static QColor Ground(TCustomGrid* grid, int col, int row) {
        const TRect r = grid->CellRect(col, row);
        return grid->Widget()->grab().toImage().pixelColor(r.Right - 3, r.Bottom - 3);
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

// Each label stands as far down against its field as the others; fields, buttons and grids of a row or a
// column line up and are evenly spaced; like figures get columns of one width; the meal summary shows its
// rows whole under the first meal button, the totals lie under the food grid's columns, filling their one
// row; a grid that only shows figures draws its current cell like the others.
TEST_F(WindowGrids, ThePagesLineUpAndTheFigureGridsShowNoCurrentCell) {
    Centre->btnAna->Click();
    EXPECT_EQ(LabelDrops(Centre->TabSheet22).size(), 1u);
    ExpectLinedUp({Centre->DT9, Centre->DT10}, Width);
    ExpectLinedUp({Centre->DT9, Centre->DT10, Centre->btn_Ana}, Middle);
    ExpectLinedUp({Centre->edtDT, Centre->DBS}, Top);
    ExpectLinedUp({Centre->edtDT, Centre->memoAnaNote, LabelOf(Centre->TabSheet22, "起始日期"),
                   LabelOf(Centre->TabSheet22, "饮食提供热量"), LabelOf(Centre->TabSheet22, "热量平衡状态")},
                  Left);
    ExpectLinedUp({Centre->edtSKCal, Centre->edtOKcal, Centre->edtHKCal, Centre->edtDKcal, Centre->edtFat},
                  Left);
    EXPECT_LE(std::abs(2 * Centre->Panel_ana->Left() + Centre->Panel_ana->Width() -
                       Centre->TabSheet22->ClientWidth()),
              1);  // the busy notice in the middle
    const TSkEdit* results[] = {Centre->edtDT,    Centre->edtSKCal, Centre->edtOKcal,
                                Centre->edtHKCal, Centre->edtDKcal, Centre->edtFat};
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(results[i]->Top() - results[i - 1]->Top(), results[1]->Top() - results[0]->Top()) << i;
    for (TControl* c :
         std::initializer_list<TControl*>{Centre->edtSKCal, Centre->edtFat, Centre->memoAnaNote})
        EXPECT_EQ(c->Left() + c->Width(), Centre->edtDT->Left() + Centre->edtDT->Width())
            << c->Name().toStdString();
    for (int i = 2; i <= 3; ++i)  // 饮食热量, 日常耗能, 运动耗能
        EXPECT_EQ(Centre->DBS->Columns()->Items(i)->Width(), Centre->DBS->Columns()->Items(1)->Width());

    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, Today());
    EXPECT_EQ(Centre->SGSC->Left(), Centre->btnBreakfast->Left());
    TSkButton* meals[] = {Centre->btnBreakfast,    Centre->btnBreakFastAddtion, Centre->btnLunch,
                          Centre->btnLunchAddtion, Centre->btnSupper,           Centre->btnSupperAddtion};
    for (int i = 1; i < 6; ++i) {
        ExpectLinedUp({meals[0], meals[i]}, Top);
        ExpectLinedUp({meals[0], meals[i]}, Width);
        ExpectLinedUp({meals[0], meals[i]}, Height);
        EXPECT_EQ(meals[i]->Left() - meals[i - 1]->Left(), meals[1]->Left() - meals[0]->Left()) << i;
    }
    int rows = 0, cols = 0;  // each row and column with its line
    for (int r = 0; r < Centre->SGSC->RowCount(); ++r)
        rows += Centre->SGSC->RowHeights(r) + 1;
    for (int c = 0; c < Centre->SGSC->ColCount(); ++c)
        cols += Centre->SGSC->ColWidths(c) + 1;
    EXPECT_EQ(Centre->SGSC->ClientHeight(), rows);
    EXPECT_LE(cols, Centre->SGSC->ClientWidth());
    EXPECT_EQ(Centre->SGSC->ColWidths(2), Centre->SGSC->ColWidths(1));
    ASSERT_EQ(Centre->SGSC->Row(), 1);
    EXPECT_EQ(Ground(Centre->SGSC, Centre->SGSC->Col(), 1), Ground(Centre->SGSC, Centre->SGSC->Col(), 2));
    ASSERT_EQ(Centre->SGSC->Cells(1, 3), "650KCal");
    const QImage lunch = CellImage(Centre->SGSC, 1, 3);
    Centre->SGSC->SetRow(3);
    EXPECT_EQ(CellImage(Centre->SGSC, 1, 3), lunch);
    Centre->SGSC->SetRow(1);
    Centre->btnLunch->Click();
    EXPECT_EQ(LabelDrops(Centre->pnlYSJLTxt).size(), 1u);
    TWinControl* meal = Centre->pnlYSJLTxt;
    ExpectLinedUp({Centre->pnlTC, Centre->Btn_SaveSW, Centre->btnClearSP}, Top);
    ExpectLinedUp({Centre->pnlTC, Centre->Btn_SaveSW, Centre->btnClearSP}, Height);
    ExpectLinedUp({Centre->pnlTC, Centre->edtDT2}, Middle);
    ExpectLinedUp({Centre->Btn_SaveSW, Centre->btnClearSP}, Width);
    ExpectLinedUp({LabelOf(meal, "日期"), Centre->Label83}, Top);
    ExpectLinedUp({LabelOf(meal, "添加食物方法："), Centre->lbl11, Centre->lbl12, Centre->lbl13}, Top);
    EXPECT_EQ(Centre->lbl13->Left() - Centre->lbl12->Left(), Centre->lbl12->Left() - Centre->lbl11->Left());
    ExpectLinedUp(
        {LabelOf(meal, "添加食物方法："), LabelOf(meal, "说明：需输入食物重量，其他数值由软件自动生成。")},
        Left);
    ExpectLinedUp({Centre->pnlTC, Centre->SG2, Centre->SG21}, Left);
    ExpectLinedUp({Centre->SG2, Centre->SG21}, Width);
    EXPECT_EQ(*LabelDrops(Centre->pnlYSJLTxt).begin(), *LabelDrops(Centre->TabSheet22).begin());
    for (int c = 4; c <= 5; ++c)  // 热量, 蛋白质, 脂肪
        EXPECT_EQ(Centre->SG2->ColWidths(c), Centre->SG2->ColWidths(3));
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(Centre->SG21->Widget()->mapToGlobal(QPoint(Centre->SG21->CellRect(c, 0).Left, 0)).x(),
                  Centre->SG2->Widget()->mapToGlobal(QPoint(Centre->SG2->CellRect(c, 0).Left, 0)).x())
            << c;
    EXPECT_EQ(Centre->SG21->ClientHeight(), Centre->SG21->RowHeights(0));
    ASSERT_NE(Centre->SG2->Col(), 6);
    for (int c : {0, Centre->SG21->Col(), 6})  // no fixed cell among the totals
        EXPECT_EQ(Ground(Centre->SG21, c, 0), Ground(Centre->SG2, 6, 1)) << c;
}
