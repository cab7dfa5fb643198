// The personal centre's month calendars, month buttons, history lists with their day-detail windows,
// and the analysis of a period.
#include "ContrastRatio.h"
#include "PersonalCentreFixture.h"
#include "UnitHDMX.h"
#include "UnitYSMX.h"

#include <QImage>

namespace {

class Calendars : public PersonalCentre {
protected:
    // Shows the month of a date on the intake page.
    void ShowMonth(const QString& date) {
        Centre->btnFdLst->Click();
        Centre->lblDate->SetCaption(date);
        Centre->RefreshCalendar();
    }
    QString DayAt(int col, int row) {
        auto* cell = dynamic_cast<TCLA*>(Centre->SGYS->Objects(col, row));
        return cell ? cell->day : QString();
    }
    TCLA* Cell(TStringGrid* grid, int day) {
        int col = 0, row = 0;
        return FindDay(grid, day, col, row) ? dynamic_cast<TCLA*>(grid->Objects(col, row)) : nullptr;
    }
    // Whether red text was drawn into the cell of a day.
    bool RedTextIn(TStringGrid* grid, int day) {
        int col = 0, row = 0;
        if (!FindDay(grid, day, col, row)) return false;
        const QImage shot = grid->Widget()->grab().toImage();
        const TRect r = grid->CellRect(col, row);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 90 && c.blue() < 90) return true;
            }
        return false;
    }
    QStringList Rows(TSkDBGrid* grid, int columns) {
        QStringList rows;
        for (int r = 1; r < grid->RowCount(); ++r) {
            QStringList cells;
            for (int c = 1; c <= columns; ++c) {
                grid->SetRow(r);
                cells << grid->DisplayText(c - 1);
            }
            rows << cells.join('|');
        }
        return rows;
    }
};

}  // namespace

TEST_F(Calendars, AMonthStartingOnSaturdayTakesSixWeekRows) {
    ShowMonth("2022-10-15");
    EXPECT_EQ(Centre->SGYS->Cells(0, 0), "星期日");
    EXPECT_EQ(Centre->SGYS->Cells(6, 0), "星期六");
    EXPECT_EQ(DayAt(6, 1), "1");
    EXPECT_EQ(DayAt(0, 2), "2");
    EXPECT_EQ(DayAt(1, 6), "31");
    EXPECT_EQ(DayAt(0, 1), "");
    // The date label's day is the chosen cell; building the month leaves the label alone.
    EXPECT_EQ(DayAt(Centre->SGYS->Col(), Centre->SGYS->Row()), "15");
    EXPECT_EQ(Centre->lblDate->Caption(), "2022-10-15");
}

TEST_F(Calendars, February29IsShownOnlyInLeapYears) {
    int col = 0, row = 0;
    ShowMonth("2024-2-10");
    EXPECT_TRUE(FindDay(Centre->SGYS, 29, col, row));
    ShowMonth("2023-2-10");
    EXPECT_TRUE(FindDay(Centre->SGYS, 28, col, row));
    EXPECT_FALSE(FindDay(Centre->SGYS, 29, col, row));
    ShowMonth("2100-2-10");
    EXPECT_FALSE(FindDay(Centre->SGYS, 29, col, row));
    // Rebuilding frees the old day cells: three calendars hold one cell per day of their month.
    ShowMonth("2024-1-10");
    const int alive = TCLA::Alive;
    for (int i = 0; i < 20; ++i)
        Centre->RefreshCalendar();
    EXPECT_EQ(TCLA::Alive, alive);
}

TEST_F(Calendars, TheMonthButtonsKeepTheDayWithinTheNewMonth) {
    ShowMonth("2024-3-31");
    Centre->btnLDate->Click();
    EXPECT_EQ(Centre->lblDate->Caption(), "2024-2-29");
    Centre->btnLDate->Click();
    Centre->btnLDate->Click();
    EXPECT_EQ(Centre->lblDate->Caption(), "2023-12-29");
    Centre->btnRDate->Click();
    EXPECT_EQ(Centre->lblDate->Caption(), "2024-1-29");
    ShowMonth("2024-5-31");
    Centre->btnLDate->Click();
    EXPECT_EQ(Centre->lblDate->Caption(), "2024-4-30");
    EXPECT_EQ(DayAt(Centre->SGYS->Col(), Centre->SGYS->Row()), "30");
    ShowMonth("2024-12-31");
    Centre->btnRDate->Click();
    EXPECT_EQ(Centre->lblDate->Caption(), "2025-1-31");
}

TEST_F(Calendars, EachCalendarShowsTheDaysValueOfTheUserOnly) {
    Db.Exec("insert into TZ (CDT, TZ1, UID) values ('2024-06-03', 68.6, :U)", {{"U", Uid}});
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values ('2024-06-04', :U, 1, 30, 60), "
            "('2024-06-04', :U, 2, 10, 20.4), ('2024-06-05', :U, 3, 0, 0)",
            {{"U", Uid}});
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '早餐', 1, 100, 338, "
            "'2024-06-06', 1)",
            {{"U", Uid}});
    Db.Exec("insert into UInfo (UName, UName1, HT) values ('别人', 'other', 1)");
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values "
            "((select UID from UInfo where UName1 = 'other'), '早餐', 1, 100, 338, '2024-06-07', 1)");

    Centre->btnNet->Click();
    Centre->lblDate->SetCaption("2024-6-1");
    Centre->RefreshCalendar();
    ASSERT_NE(Cell(Centre->SGTZ, 3), nullptr);
    EXPECT_EQ(Cell(Centre->SGTZ, 3)->value, "69");
    EXPECT_EQ(Cell(Centre->SGTZ, 4)->flag, 0);
    EXPECT_TRUE(RedTextIn(Centre->SGTZ, 3));
    EXPECT_FALSE(RedTextIn(Centre->SGTZ, 4));

    Centre->btnSPLst->Click();
    Centre->lblDate->SetCaption("2024-6-1");
    Centre->RefreshCalendar();
    EXPECT_EQ(Cell(Centre->SGHD, 4)->value, "80");
    EXPECT_EQ(Cell(Centre->SGHD, 5)->flag, 1);  // a day that adds up to 0 was still recorded
    EXPECT_EQ(Cell(Centre->SGHD, 5)->value, "0");

    ShowMonth("2024-6-1");
    EXPECT_EQ(Cell(Centre->SGYS, 6)->value, "338");
    EXPECT_EQ(Cell(Centre->SGYS, 7)->flag, 0);  // another user's day
}

TEST_F(Calendars, ChoosingADayWritesTheDateLabelAndDoubleClickingOpensIt) {
    ShowMonth("2024-6-1");
    int col = 0, row = 0;
    ASSERT_TRUE(FindDay(Centre->SGYS, 9, col, row));
    ClickCell(Centre->SGYS, col, row);
    EXPECT_EQ(Centre->lblDate->Caption(), "2024-6-9");
    ASSERT_TRUE(FindDay(Centre->SGYS, 12, col, row));
    DblClickCell(Centre->SGYS, col, row);
    EXPECT_EQ(Centre->edtDT2->Text(), "2024-06-12");  // the date as the tables keep it
    EXPECT_TRUE(Centre->pnlAddSP->Showing());
    EXPECT_FALSE(Centre->pnlClaDate->Visible());
    EXPECT_TRUE(Centre->pnlBack->Visible());
    // Back twice: the meals, then the calendar with the same day chosen.
    Centre->btnBreakfast->Click();
    Centre->btn1->Click();
    Centre->btn1->Click();
    EXPECT_TRUE(Centre->pnlYSCla->Showing());
    EXPECT_TRUE(Centre->pnlClaDate->Showing());
    EXPECT_EQ(DayAt(Centre->SGYS->Col(), Centre->SGYS->Row()), "12");
}

TEST_F(Calendars, TheHistoryListsRefuseAReversedRangeAndOpenTheDaysDetails) {
    Db.Exec("insert into SpSet (ID, sType, tit, Kcal, sysFlg) values (900, 2, '自定义活动', 3, 0)");
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values ('2024-06-04', :U, 1, 30, 60), "
            "('2024-06-04', :U, 900, 10, 30.4), ('2024-06-08', :U, 2, 10, 23)",
            {{"U", Uid}});
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '早餐', 1, 100, 338, 11.9, 1.3, 75.2, '2024-06-06', 1), "
            "(:U, '晚餐', 3, 50.4, 170, 5, 1, 36, '2024-06-06', 1)",
            {{"U", Uid}});

    Centre->btnSPLst->Click();
    Centre->lblLSJL->Click();
    EXPECT_TRUE(Centre->pnlHdCX->Showing());
    EXPECT_EQ(Centre->lblLSTop->Caption(), ">> 历史活动记录");
    EXPECT_FALSE(Centre->pnlClaDate->Visible());
    EXPECT_EQ(Centre->DT5->Date(), Date() - 30);
    Centre->DT5->SetCaption("2024-06-30");
    Centre->DT6->SetCaption("2024-06-01");
    Centre->btn_HTSearch->Click();
    EXPECT_EQ(Boxes.LastText(), "截止日期不能小于起始日期");
    Centre->DT5->SetCaption("2024-06-01");
    Centre->DT6->SetCaption("2024-06-30");
    Centre->btn_HTSearch->Click();
    EXPECT_EQ(Rows(Centre->SkDBGrid2, 2), (QStringList{"2024-06-08|23", "2024-06-04|90"}));
    DblClickCell(Centre->SkDBGrid2, 1, 2);
    ASSERT_NE(HDMXFrm, nullptr);
    EXPECT_EQ(HDMXFrm->SGHD->Cells(1, 0), "活动名称");
    EXPECT_EQ(HDMXFrm->SGHD->Cells(1, 2), "自定义活动");
    EXPECT_EQ(HDMXFrm->SGHD->Cells(3, 1), "60Kcal");
    EXPECT_EQ(HDMXFrm->SGHD->RowCount(), 4);  // one empty row after the records
    EXPECT_EQ(HDMXFrm->lblSPSum->Caption(), "90Kcal");
    Centre->btn1->Click();
    EXPECT_TRUE(Centre->pnlHDCla->Showing());

    Centre->btnFdLst->Click();
    EXPECT_EQ(HDMXFrm, nullptr);  // leaving the page closes the detail window
    Centre->lblLSJL->Click();
    Centre->DT7->SetCaption("2024-06-10");
    Centre->DT8->SetCaption("2024-06-09");
    Centre->btn_SearchSW->Click();
    EXPECT_EQ(Boxes.LastText(), "截止日期不能小于起始日期");
    Centre->DT7->SetCaption("2024-06-01");
    Centre->btn_SearchSW->Click();
    EXPECT_EQ(Rows(Centre->SkDBGrid3, 6), (QStringList{"2024-06-06|150|508|17|2|111"}));
    DblClickCell(Centre->SkDBGrid3, 1, 1);
    ASSERT_NE(YSMXFrm, nullptr);
    EXPECT_EQ(YSMXFrm->SGYS->Cells(1, 1), "早餐");
    EXPECT_EQ(YSMXFrm->SGYS->Cells(2, 1), "小麦");
    EXPECT_EQ(YSMXFrm->SGYS->Cells(3, 2), "50.4克");
    EXPECT_EQ(YSMXFrm->lblYSSum->Caption(), "508KCal");
    Centre->btn1->Click();
    EXPECT_TRUE(Centre->pnlYSCla->Showing());
}

// Each row shows its energy rounded to a whole kcal; 100.5 shows as 101, so the rows below add up to
// 101 + 101 + 21 = 223 kcal of food and 31 + 31 = 62 kcal of activity, and so do the totals.
TEST_F(Calendars, ADayDetailsTotalIsTheSumOfItsRowsAsShown) {
    Db.Exec("insert into SPInfo (ID, SPCls, SPP, SPName, PY, CFlg) values (9001, '米饭', '蒸', '自家饭', "
            "'ZJF', 1)");
    Db.Exec(
        "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
        "(:U, '早餐', 1, 30, 100.5, 3, 0.4, 22.5, :D, 1), (:U, '午餐', 3, 30, 100.5, 3, 0.4, 22.5, :D, 1), "
        "(:U, '晚餐', 9001, 20, 20.5, 1, 0.5, 4, :D, 2)",
        {{"U", Uid}, {"D", TodayISO()}});
    Db.Exec(
        "insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, 1, 15, 30.5), (:D, :U, 2, 13, 30.5)",
        {{"U", Uid}, {"D", TodayISO()}});
    struct TPage {
        TSpeedButton* Button;
        TSkButton* Search;
        TSkDBGrid* List;
        std::function<TStringGrid*()> Detail;
        std::function<TLabel*()> Total;
        int KcalColumn;
        QString Expected;
    };
    for (const TPage& page : {TPage{Centre->btnFdLst, Centre->btn_SearchSW, Centre->SkDBGrid3,
                                    []() -> TStringGrid* { return YSMXFrm ? YSMXFrm->SGYS : nullptr; },
                                    [] { return YSMXFrm->lblYSSum; }, 4, "223KCal"},
                              TPage{Centre->btnSPLst, Centre->btn_HTSearch, Centre->SkDBGrid2,
                                    []() -> TStringGrid* { return HDMXFrm ? HDMXFrm->SGHD : nullptr; },
                                    [] { return HDMXFrm->lblSPSum; }, 3, "62Kcal"}}) {
        ClickOn(page.Button);
        ClickOn(Centre->lblLSJL);
        ClickOn(page.Search);  // the last 30 days
        DblClickCell(page.List, 1, 1);
        TStringGrid* rows = page.Detail();
        ASSERT_NE(rows, nullptr);
        qint64 sum = 0;
        for (int r = 1; r < rows->RowCount() - 1; ++r)
            sum += rows->Cells(page.KcalColumn, r).chopped(4).toLongLong();
        EXPECT_EQ(page.Total()->Caption(), page.Expected);
        EXPECT_EQ(page.Total()->Caption().chopped(4).toLongLong(), sum);
    }
}

// A day chosen in the calendar before must not come back as a meal of the page behind the detail.
TEST_F(Calendars, AHistoryDoubleClickOpensOnlyTheDayDetailAndLeavesThePageAsItWas) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '早餐', 1, 100, 338, 11.9, 1.3, 75.2, '2024-06-07', 1)",
            {{"U", Uid}});
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values ('2024-06-07', :U, 1, 30, 60)",
            {{"U", Uid}});
    struct TPage {
        TSpeedButton* Button;
        TStringGrid* Calendar;
        TPanel *History, *Entry;
        TWinControl *Start, *End;
        TSkButton* Search;
        TSkDBGrid* List;
        std::function<TLabel*()> DetailTotal;
        QString Total;
    };
    for (const TPage& page : {TPage{Centre->btnFdLst, Centre->SGYS, Centre->pnlYSCX, Centre->pnlYSJL,
                                    Centre->DT7, Centre->DT8, Centre->btn_SearchSW, Centre->SkDBGrid3,
                                    [] { return YSMXFrm ? YSMXFrm->lblYSSum : nullptr; }, "338KCal"},
                              TPage{Centre->btnSPLst, Centre->SGHD, Centre->pnlHdCX, Centre->pnlHDJL,
                                    Centre->DT5, Centre->DT6, Centre->btn_HTSearch, Centre->SkDBGrid2,
                                    [] { return HDMXFrm ? HDMXFrm->lblSPSum : nullptr; }, "60Kcal"}}) {
        page.Button->Click();
        Centre->lblDate->SetCaption("2024-06-06");
        Centre->RefreshCalendar();
        int col = 0, row = 0;
        ASSERT_TRUE(FindDay(page.Calendar, 6, col, row));
        ClickCell(page.Calendar, col, row);
        Centre->lblLSJL->Click();
        page.Start->SetCaption("2024-06-01");
        page.End->SetCaption("2024-06-30");
        page.Search->Click();
        DblClickCell(page.List, 1, 1);
        EXPECT_TRUE(page.History->Showing());
        EXPECT_FALSE(page.Entry->Visible());
        ASSERT_NE(page.DetailTotal(), nullptr);
        EXPECT_EQ(page.DetailTotal()->Caption(), page.Total);
    }
}

TEST_F(Calendars, TheAnalysisSumsThePeriodAndNamesEachDaysState) {
    RecordDay("2024-06-01", 2000, 0, 100);     // 饮食未记录
    RecordDay("2024-06-02", 2000, 800, 0);     // 热量摄入不足
    RecordDay("2024-06-03", 2000, 1500, 100);  // 消耗热量
    RecordDay("2024-06-04", 1800, 2000, 200);  // 热量平衡
    RecordDay("2024-06-05", 1500, 2500, 0);    // 吸收热量
    RecordDay("2024-06-06", 1500, -50, 0);     // left out of the sums, not out of the days

    Centre->btnAna->Click();
    EXPECT_EQ(Centre->lblTop->Caption(), "饮食热量和活动热量分析");
    Centre->DT9->SetCaption("2024-06-01");
    Centre->DT10->SetCaption("2024-06-30");
    Centre->btn_Ana->Click();
    EXPECT_EQ(Centre->edtSKCal->Text(), "6800.00KCal");
    EXPECT_EQ(Centre->edtOKcal->Text(), "9300.00KCal");
    EXPECT_EQ(Centre->edtHKCal->Text(), "400.00KCal");
    EXPECT_EQ(Centre->edtFat->Text(), "消耗-2900KCal");
    EXPECT_EQ(Centre->edtFat->Font()->Color(), clBlack);
    EXPECT_FALSE(Centre->Panel_ana->Visible());
    std::map<QString, QString> states;
    for (TADOQuery* q = Centre->qryAna; !q->Eof(); q->Next())
        states[q->FieldByName("CKDate")->AsString()] = q->FieldByName("CKCAL")->AsString();
    EXPECT_EQ(states["2024-06-01"], "饮食未记录");
    EXPECT_EQ(states["2024-06-02"], "热量摄入不足");
    EXPECT_EQ(states["2024-06-03"], "消耗热量");
    EXPECT_EQ(states["2024-06-04"], "热量平衡");
    EXPECT_EQ(states["2024-06-05"], "吸收热量");
    EXPECT_EQ(states.size(), 6u);
    EXPECT_EQ(Centre->DBS->RowCount(), 7);

    Centre->DT9->SetCaption("2024-06-05");
    Centre->DT10->SetCaption("2024-06-05");
    Centre->btn_Ana->Click();
    EXPECT_EQ(Centre->edtFat->Text(), "吸收1000KCal");
    EXPECT_EQ(Centre->edtFat->Font()->Color(), TColor(0x0000FF));

    // A period without records reads as a balance.
    Centre->DT9->SetCaption("2023-01-01");
    Centre->DT10->SetCaption("2023-01-31");
    Centre->btn_Ana->Click();
    EXPECT_EQ(Centre->edtSKCal->Text(), "0.00KCal");
    EXPECT_EQ(Centre->edtFat->Text(), "热量平衡");

    // A failed analysis leaves no figures of the last period and says why.
    Centre->DT9->SetCaption("2024-06-01");
    Centre->DT10->SetCaption("2024-06-30");
    Centre->btn_Ana->Click();
    Db.Exec("drop table SPRcd");
    Boxes.Boxes.clear();
    bool busyShown = false;  // the analysis says it is at work until it ends
    Boxes.WhileShown = [&] { busyShown = Centre->Panel_ana->Visible(); };
    Centre->btn_Ana->Click();
    Boxes.WhileShown = nullptr;
    EXPECT_TRUE(busyShown);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_TRUE(Boxes.LastText().startsWith("操作出现异常错误，请重新操作。错误原因："));
    EXPECT_EQ(Centre->edtSKCal->Text(), "");
    EXPECT_EQ(Centre->edtFat->Text(), "");
    EXPECT_FALSE(Centre->qryAna->Active());
    EXPECT_EQ(Centre->DBS->RowCount(), 2);
    EXPECT_FALSE(Centre->Panel_ana->Visible());
}

// The period's days are those of the user's records within it, each with its target, intake and
// activity summed, as the database's stored query gives them.
TEST_F(Calendars, TheAnalysisReadsOnlyTheUsersDaysOfThePeriodAsTheStoredQueryDoes) {
    Db.Exec("insert into UInfo (UName, UName1, Sex, Bth, SG, HT, TZ) values ('其他', 'other', '女', "
            "'1980-01-01', "
            "160, 1, 55)");
    const QString other = Db.Scalar("select UID from UInfo where UName1 = 'other'");
    auto day = [&](const QString& uid, const QString& date, double target, std::vector<double> intake,
                   std::vector<double> activity) {
        if (target != 0)
            Db.Exec("insert into BDKcal (KCal, UID, WRDate) values (:K, :U, :D)",
                    {{"K", target}, {"U", uid}, {"D", date}});
        int food = 1;
        for (double k : intake)
            Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '午餐', :F, "
                    "100, :K, :D, 1)",
                    {{"U", uid}, {"F", food++}, {"K", k}, {"D", date}});
        int sport = 1;
        for (double k : activity)
            Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, :S, 30, :K)",
                    {{"U", uid}, {"S", sport++}, {"K", k}, {"D", date}});
    };
    day(Uid, "2024-07-09", 2000, {1000}, {});  // before the period
    day(Uid, "2024-07-10", 2000, {500, 700}, {100, 50});
    day(Uid, "2024-07-11", 1800, {}, {});     // a target alone
    day(Uid, "2024-07-12", 0, {}, {300});     // an activity alone
    day(Uid, "2024-07-13", 0, {2500.4}, {});  // food without a target
    day(Uid, "2024-07-14", 2100, {2100}, {});
    day(Uid, "2024-07-15", 2000, {3000}, {});       // after the period
    day(other, "2024-07-10", 9999, {9999}, {999});  // another user's
    day(other, "2024-07-16", 2000, {2000}, {});

    // The logged-in user's analysis of a period: target, intake and activity.
    auto analyse = [](const QString& from, const QString& to) {
        ClickOn(Frm_UInfo->btnAna);
        Frm_UInfo->DT9->SetCaption(from);
        Frm_UInfo->DT10->SetCaption(to);
        ClickOn(Frm_UInfo->btn_Ana);
        return QStringList{Frm_UInfo->edtOKcal->Text(), Frm_UInfo->edtSKCal->Text(),
                           Frm_UInfo->edtHKCal->Text()};
    };
    // Targets 2000 + 1800 + 2100, intake 1200 + 2500.4 + 2100, activity 150 + 300.
    EXPECT_EQ(analyse("2024-07-10", "2024-07-14"), (QStringList{"5900.00KCal", "5800.40KCal", "450.00KCal"}));
    EXPECT_EQ(Centre->edtDKcal->Text(), "-549.60KCal");
    EXPECT_EQ(Centre->edtFat->Text(), "消耗-550KCal");
    auto rows = [](TADOQuery* q, std::initializer_list<const char*> fields) {
        QStringList list;
        for (q->First(); !q->Eof(); q->Next()) {
            QStringList cells;
            for (const char* f : fields)
                cells << q->FieldByName(f)->AsString();
            list << cells.join('|');
        }
        return list;
    };
    EXPECT_EQ(
        rows(Centre->qryAna, {"UID", "CKDate", "OKCAL", "SKCAL", "HKCAL", "CKCAL", "DKCAL"}),
        (QStringList{
            Uid + "|2024-07-14|2100|2100|0|热量平衡|0=", Uid + "|2024-07-13|0|2500.4|0|吸收热量|2500↑",
            Uid + "|2024-07-12|0|0|300|饮食未记录|-300↓", Uid + "|2024-07-11|1800|0|0|饮食未记录|-1800↓",
            Uid + "|2024-07-10|2000|1200|150|消耗热量|-950↓"}));
    // The stored query agrees, day by day.
    TADOQuery stored;
    stored.SetConnection(DM->Conn);
    stored.SQL()->SetText(
        "select * from CntKCal where UID = :U and CKDate between '2024-07-10' and '2024-07-14' "
        "order by CKDate desc");
    stored.Parameters().Assign({{"U", Uid}});
    stored.Open();
    const auto figures = {"UID", "CKDate", "OKCAL", "SKCAL", "HKCAL"};
    EXPECT_EQ(rows(Centre->qryAna, figures), rows(&stored, figures));

    // The other user, logged in, finds their own target on the day both recorded.
    stored.Close();
    delete MainFrm;
    Start();
    Login("other");
    ASSERT_NE(Frm_UInfo, nullptr);
    ASSERT_EQ(DM->UID, other);
    EXPECT_EQ(analyse("2024-07-10", "2024-07-10"), (QStringList{"9999.00KCal", "9999.00KCal", "999.00KCal"}));
}

TEST_F(Calendars, TheChosenDayStaysReadable) {
    ShowMonth("2024-6-12");
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '早餐', 1, 100, 338, "
            "'2024-06-12', 1)",
            {{"U", Uid}});
    Centre->RefreshCalendar();
    int col = 0, row = 0;
    ASSERT_TRUE(FindDay(Centre->SGYS, 13, col, row));
    ClickCell(Centre->SGYS, col, row);  // chosen with the grid focused, as a user does
    ASSERT_EQ(Centre->lblDate->Caption(), "2024-6-13");
    const QImage shot = Centre->SGYS->Widget()->grab().toImage();
    const TRect chosen = Centre->SGYS->CellRect(col, row);
    const QColor ground = shot.pixelColor(chosen.Left + 3, chosen.Bottom - 3);
    // The day numbers are blue ($FF0000), the values red ($0000FF): both stay readable on the chosen day.
    EXPECT_GE(ContrastRatio(ground, QColor(0, 0, 255)), 4.5) << ground.name().toStdString();
    EXPECT_GE(ContrastRatio(ground, QColor(255, 0, 0)), 3.0) << ground.name().toStdString();
    // and the chosen day still stands out from the others.
    const TRect other = Centre->SGYS->CellRect(col == 0 ? 1 : 0, row);
    EXPECT_NE(ground, shot.pixelColor(other.Left + 3, other.Bottom - 3));
    // A recorded day chosen: its value is drawn on the same ground.
    ASSERT_TRUE(FindDay(Centre->SGYS, 12, col, row));
    ClickCell(Centre->SGYS, col, row);
    EXPECT_TRUE(RedTextIn(Centre->SGYS, 12));
}
