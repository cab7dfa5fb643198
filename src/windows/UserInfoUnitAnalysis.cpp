// The personal centre's analysis page: intake against basal and activity expenditure over a period.
#include "UserInfoUnit.h"

#include "Dialogs.h"
#include "RecordKeys.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"

#include <cmath>

namespace {

// The period's days as the database's stored query CntKCal defines them (each day of the user with an
// intake, an activity or a target: the target as OKCAL, the energy eaten as SKCAL and the energy spent
// in activities as HKCAL), built from the user's records of the period only: the stored query builds
// every day of every user before it can be filtered, so a year's analysis would grow with the whole
// history. One pass gives each day's state for the day grid, its balance with an arrow for the hidden
// grid, and whether it counts in the period's sums (all three figures 0 or more).
const QString PeriodSql =
    "With Days (CKDate) As ("
    "Select CKDate From CKRcd Where UID = :UID And CKDate Between :D1 And :D2 "
    "Union Select DT From SPRcd Where UID = :UID And DT Between :D1 And :D2 "
    "Union Select WRDate From BDKcal Where UID = :UID And WRDate Between :D1 And :D2), "
    "P As Materialized (Select :UID As UID, d.CKDate As CKDate, "
    "coalesce((Select b.KCal From BDKcal b Where b.UID = :UID And b.WRDate = d.CKDate), 0) As OKCAL, "
    "coalesce((Select sum(c.KCal) From CKRcd c Where c.UID = :UID And c.CKDate = d.CKDate), 0) As SKCAL, "
    "coalesce((Select sum(s.KCal) From SPRcd s Where s.UID = :UID And s.DT = d.CKDate), 0) As HKCAL "
    "From Days d) "
    "Select UID, CKDate, OKCAL, SKCAL, HKCAL, "
    "CASE WHEN SKCAL = 0 THEN '饮食未记录' WHEN SKCAL > 0 THEN "
    "CASE WHEN SKCAL < 900 THEN '热量摄入不足' WHEN OKCAL + HKCAL > SKCAL THEN '消耗热量' "
    "WHEN OKCAL + HKCAL = SKCAL THEN '热量平衡' ELSE '吸收热量' END END AS CKCAL, "
    "CAST(CAST(round(SKCAL-OKCAL-HKCAL) AS INTEGER) AS TEXT) || "
    "CASE WHEN round(SKCAL-OKCAL-HKCAL) > 0 THEN '↑' WHEN round(SKCAL-OKCAL-HKCAL) < 0 THEN '↓' ELSE '=' END "
    "AS DKCAL, "
    "OKCAL >= 0 And SKCAL >= 0 And HKCAL >= 0 AS Counted "
    "From P Order By CKDate Desc";

}  // namespace

void TFrm_UInfo::BuildAnalysisPage() {
    TWinControl* page = TabSheet22;
    PlaceLabel(this, page, QString(), "起始日期", 16, 14);
    DT9 = PlaceDateField(page, "DT9", 76, 10, 120);
    PlaceLabel(this, page, QString(), "截止日期", 210, 14);
    DT10 = PlaceDateField(page, "DT10", 270, 10, 120);
    btn_Ana = PlaceButton<TSkButton>(this, page, "btn_Ana", "统计", 404, 8, 80, 28,
                                     [this](TObject* s) { btn_AnaClick(s); });

    edtDT = Place<TSkEdit>(this, page, "edtDT", 16, 48, 300, 24);
    edtDT->SetText("数据分析结果");
    ShowTextOnly(edtDT);
    edtDT->Font()->SetStyle(FontStyle(fsBold));
    struct TResult {
        TSkEdit** Edit;
        const char *Name, *Caption;
    };
    const TResult results[] = {{&edtSKCal, "edtSKCal", "饮食提供热量"},
                               {&edtOKcal, "edtOKcal", "代谢消耗热量"},
                               {&edtHKCal, "edtHKCal", "活动消耗热量"},
                               {&edtDKcal, "edtDKcal", "差值"},
                               {&edtFat, "edtFat", "热量平衡状态"}};
    int top = 80;
    for (const TResult& r : results) {
        PlaceLabel(this, page, QString(), r.Caption, 16, top + 4);
        *r.Edit = Place<TSkEdit>(this, page, r.Name, 110, top, 206, 24);
        ShowTextOnly(*r.Edit);
        top += 32;
    }
    memoAnaNote = Place<TSkMemo>(this, page, "memoAnaNote", 16, 246, 300, 64);
    memoAnaNote->Lines()->Add("统计结果以记录的数据为基础，");
    memoAnaNote->Lines()->Add("数据记录不全，会影响统计结果");
    memoAnaNote->Lines()->Add("或产生统计结果不合理的现象。");
    ShowTextOnly(memoAnaNote);
    memoAnaNote->Font()->SetColor(clGray);

    qryAna = MakeQuery(this, DM->Conn, "qryAna");
    dsAna = MakeDataSource(this, "dsAna", qryAna);
    DBS = PlaceDBGrid(this, page, "DBS", 330, 48, 330, 400);
    DBS->SetDataSource(dsAna);
    // Every column in sight, each wide enough for its title, a date and the longest state, "热量摄入不足".
    AddColumns(DBS, {{"CKDate", "日期", 70},
                     {"SKCal", "饮食热量", 52},
                     {"OKCal", "日常耗能", 52},
                     {"HKCal", "运动耗能", 52},
                     {"CKCAL", "热量平衡", 80}});
    DSKCAL = MakeDataSource(this, "DSKCAL", qryAna);
    dbDKCal = PlaceDBGrid(this, page, "dbDKCal", 16, 320, 300, 120);
    dbDKCal->SetVisible(false);
    dbDKCal->SetDataSource(DSKCAL);
    AddColumns(dbDKCal, {{"CKDate", "日期"},
                         {"SKCAL", "饮食提供热量"},
                         {"OKCAL", "代谢消耗热量"},
                         {"HKCAL", "活动消耗热量"},
                         {"DKCAL", "热量差值"}});

    Panel_ana = Place<TPanel>(this, page, "Panel_ana", 180, 180, 300, 50);
    Panel_ana->SetCaption("正在分析数据，请稍候... ...");
    Panel_ana->SetVisible(false);
}

void TFrm_UInfo::ClearAnalysis() {
    for (TSkEdit* e : {edtSKCal, edtOKcal, edtHKCal, edtDKcal, edtFat})
        e->SetText(QString());
    qryAna->Close();
}

void TFrm_UInfo::btn_AnaClick(TObject*) {
    const QString from = IsoDate(DT9->Text()), to = IsoDate(DT10->Text());
    if (from.isEmpty()) return void(MessageBox("开始日期错误", InfoCaption, MB_OK));
    if (to.isEmpty()) return void(MessageBox("截止日期错误", InfoCaption, MB_OK));
    ShowInFront(Panel_ana);
    Panel_ana->Repaint();
    // The grids read the days once, after the sums.
    dsAna->SetDataSet(nullptr);
    DSKCAL->SetDataSet(nullptr);
    const bool read =
        DM->RunSql(qryAna, PeriodSql, false, {{"UID", CurrentUserId()}, {"D1", from}, {"D2", to}});
    double basal = 0, intake = 0, activity = 0;
    for (; read && !qryAna->Eof(); qryAna->Next()) {
        if (!qryAna->FieldByName("Counted")->AsBoolean()) continue;
        basal += qryAna->FieldByName("OKCAL")->AsFloat();
        intake += qryAna->FieldByName("SKCAL")->AsFloat();
        activity += qryAna->FieldByName("HKCAL")->AsFloat();
    }
    if (read) qryAna->First();
    dsAna->SetDataSet(qryAna);
    DSKCAL->SetDataSet(qryAna);
    // A failed analysis leaves no figures of an earlier period on screen; the data module's box says why.
    if (!read) {
        ClearAnalysis();
        Panel_ana->Hide();
        return;
    }

    const double net = std::round((intake - basal - activity) * 100) / 100;
    edtOKcal->SetText(FormatFloat("0.00", basal) + "KCal");
    edtSKCal->SetText(FormatFloat("0.00", intake) + "KCal");
    edtHKCal->SetText(FormatFloat("0.00", activity) + "KCal");
    edtDKcal->SetText(FormatFloat("0.00", net) + "KCal");
    if (net > 0) {
        edtFat->SetText("吸收" + FormatFloat("0", net) + "KCal");
        edtFat->Font()->SetColor(0x0000FF);
    } else {
        edtFat->SetText(net == 0 ? QString("热量平衡") : "消耗" + FormatFloat("0", net) + "KCal");
        edtFat->Font()->SetColor(clBlack);
    }
    Panel_ana->Hide();
}
