// The personal centre's activity page: the activity calendar, the minutes of the user's own activities
// on one day with their energy, the save, and the activity history.
#include "UserInfoUnit.h"

#include "Dialogs.h"
#include "FieldRules.h"
#include "IntakeGrid.h"
#include "RecordKeys.h"
#include "UnitMain.h"
#include "UnitSetHT.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"

#include <cmath>
#include <vector>

namespace {

// Columns of the activity grid: 1 title, 2 minutes, 3 kcal; hidden 7 kcal per minute, 8 id, 10 saved flag.
enum : int { ColTitle = 1, ColMinutes = 2, ColKcal = 3, ColRate = 7, ColId = 8, ColSaved = 10 };

}  // namespace

void TFrm_UInfo::BuildActivityPage() {
    TWinControl* page = TabSheet4;
    SGHD = BuildCalendarPanel(page, "pnlHDCla", pnlHDCla, "SGHD", 2, [this](TObject* s) { SGHDDblClick(s); });

    pnlHDJL = PlacePanel(this, page, "pnlHDJL", 0, 0, 667, 460, clWhite);
    pnlHDJL->SetAlign(alClient);
    pnlHDJL->SetVisible(false);
    PlaceLabel(this, pnlHDJL, QString(), "日期", 10, 12);
    edtDT4 = Place<TSkEdit>(this, pnlHDJL, "edtDT4", 42, 8, 100, 24);
    edtDT4->SetReadOnly(true);
    Btn_SaveHT = PlaceButton<TSkButton>(this, pnlHDJL, "Btn_SaveHT", "保存", 160, 6, 70, 28,
                                        [this](TObject* s) { Btn_SaveHTClick(s); });
    btnClearHD = PlaceButton<TSkButton>(this, pnlHDJL, "btnClearHD", "清空", 240, 6, 70, 28,
                                        [this](TObject* s) { btnClearHDClick(s); });
    Label82 = PlaceLabel(this, pnlHDJL, "Label82", "[活动注意事项]", 330, 12);
    MakeHoverLink(Label82);
    Label82->OnClick = [this](TObject* s) { Label82Click(s); };
    PlaceLabel(this, pnlHDJL, QString(), "说明：录入活动时间，软件自动计算活动大概消耗的热量。", 10, 42)
        ->Font()
        ->SetColor(clGray);
    SG1 = PlaceStringGrid(this, pnlHDJL, "SG1", 6, 66, 655, 340);
    SG1->SetColCount(4);
    SG1->SetRowCount(2);
    SG1->SetFixedCols(1);
    SG1->SetFixedRows(1);
    SG1->SetColWidths(0, 20);
    SG1->SetColWidths(1, 260);
    SG1->SetColWidths(2, 150);
    SG1->SetColWidths(3, 150);
    SG1->OnClick = [this](TObject* s) { SG1Click(s); };
    SG1->OnKeyPress = [](TObject*, QChar& key) { KeepNumberKeys(key); };
    SG1->OnSetEditText = [this](TObject* s, int c, int r, const QString& v) { SG1SetEditText(s, c, r, v); };

    const THistoryParts h =
        BuildHistoryPanel(page, {"pnlHdCX", "DT5", "DT6", "btn_HTSearch", "SkDBGrid2", "AdoHD", "DSHD"},
                          false, {{"DT", "活动日期"}, {"KCal1", "消耗热量(Kcal)"}},
                          "说明：查看某一天的明细记录，根据日期选择记录双击即可。");
    pnlHdCX = h.Panel;
    DT5 = h.Start;
    DT6 = h.End;
    btn_HTSearch = h.Search;
    SkDBGrid2 = h.Grid;
    AdoHD = h.Query;
    DSHD = h.Source;
    btn_HTSearch->OnClick = [this](TObject* s) { btn_HTSearchClick(s); };
    ActOnDoubleClickOrEnter(SkDBGrid2, [this](TObject* s) { SkDBGrid2DblClick(s); });
}

void TFrm_UInfo::SGHDDblClick(TObject*) {
    if (!CalendarDay(SGHD, SGHD->Col(), SGHD->Row())) return;
    pnlClaDate->Hide();
    pnlHDCla->Hide();
    ShowInFront(pnlHDJL);
    pnlBack->Show();
    edtDT4->SetText(IsoDate(lblDate->Caption()));
    LoadDayActivities(edtDT4->Text());
    FocusIfCan(SG1);
}

void TFrm_UInfo::LoadDayActivities(const QString& date) {
    DM->ClearGrid(SG1, 1);
    QStringList placeholders;
    QVariantMap params{{"UID", CurrentUserId()}, {"D", IsoDate(date)}};
    for (qlonglong id : UserActivityIds()) {
        const QString name = QStringLiteral("I%1").arg(placeholders.size());
        placeholders << QLatin1Char(':') + name;
        params.insert(name, id);
    }
    if (placeholders.isEmpty()) return;
    // Each of the user's activities with the day's record of it, when there is one.
    if (!DM->RunSql(DM->Qry_Open,
                    "Select S.ID, S.tit, S.Kcal, R.SPTime, Round(R.KCal,0) as KCal1 From SpSet S "
                    "Left Join SPRcd R On R.SPID = S.ID And R.UID = :UID And R.DT = :D "
                    "Where S.ID in (" +
                        placeholders.join(',') + ") Order By S.ID",
                    false, params))
        return;
    for (TADOQuery* q = DM->Qry_Open; !q->Eof(); q->Next()) {
        const int r = SG1->RowCount() - 1;
        SG1->SetCells(ColTitle, r, q->FieldByName("tit")->AsString());
        SG1->SetCells(ColMinutes, r, q->FieldByName("SPTime")->AsString());
        SG1->SetCells(ColKcal, r, q->FieldByName("KCal1")->AsString());
        SG1->SetCells(ColRate, r, FloatToStr(q->FieldByName("Kcal")->AsFloat()));
        SG1->SetCells(ColId, r, q->FieldByName("ID")->AsString());
        SG1->SetCells(ColSaved, r, "1");
        SG1->SetRowCount(SG1->RowCount() + 1);
    }
    DM->Qry_Open->Close();
}

void TFrm_UInfo::SG1Click(TObject*) {
    EditOnlyColumn(SG1, SG1->Col(), SG1->Row(), ColMinutes);
}

void TFrm_UInfo::SG1SetEditText(TObject*, int, int ARow, const QString&) {
    const int r = ARow;
    if (r < 1) return;
    const double kcal = CellNumber(SG1, ColMinutes, r) * CellNumber(SG1, ColRate, r);
    SG1->SetCells(ColKcal, r, FormatFloat("0.0", kcal));
    SG1->SetCells(ColSaved, r, QString());
}

bool TFrm_UInfo::FindActivityRecord(const QString& id, const QString& date, double& kcal, double& minutes) {
    Qry->Close();
    Qry->SQL()->SetText("Select KCal, SPTime From SPRcd Where UID=:UID And DT=:D And SPID=:SPID");
    Qry->Parameters().Assign({{"UID", CurrentUserId()}, {"D", date}, {"SPID", id.toLongLong()}});
    Qry->Open();
    const bool found = !Qry->IsEmpty();
    if (found) {
        kcal = Qry->FieldByName("KCal")->AsFloat();
        minutes = Qry->FieldByName("SPTime")->AsFloat();
    }
    Qry->Close();
    return found;
}

void TFrm_UInfo::Btn_SaveHTClick(TObject*) {
    auto hasMinutes = [this](int r) { return !SG1->Cells(ColMinutes, r).trimmed().isEmpty(); };
    bool any = false;
    for (int r = 1; r < SG1->RowCount(); ++r)
        any = any || hasMinutes(r);
    if (!any) return void(MessageBox("没有录入活动时间，不能保存", InfoCaption, MB_OK));
    auto toSave = [&](int r) {
        return !SG1->Cells(ColTitle, r).isEmpty() && hasMinutes(r) && SG1->Cells(ColSaved, r) != "1";
    };
    for (int r = 1; r < SG1->RowCount(); ++r) {
        double minutes = 0;
        if (toSave(r) && !ParseFieldNumber(SG1->Cells(ColMinutes, r), AmountRange, minutes))
            return void(MessageBox("【" + SG1->Cells(ColTitle, r) + "】活动时间不正确", InfoCaption, MB_OK));
    }

    const QString date = IsoDate(edtDT4->Text());
    struct TWritten {
        int Row;
        double Minutes, Kcal;
    };
    std::vector<TWritten> written;
    const bool saved = !date.isEmpty() && DM->Transaction([&] {
        written.clear();
        for (int r = 1; r < SG1->RowCount(); ++r) {
            if (!toSave(r)) continue;
            const QString id = SG1->Cells(ColId, r);
            double minutes = StrToFloat(SG1->Cells(ColMinutes, r).trimmed());
            // The energy is minutes times the activity's rate, whatever the cell shows.
            double kcal = StrToFloat(FormatFloat("0.0", minutes * CellNumber(SG1, ColRate, r)));
            double storedKcal = 0, storedMinutes = 0;
            const bool found = FindActivityRecord(id, date, storedKcal, storedMinutes);
            if (found &&
                MessageBox(date + "的【" + SG1->Cells(ColTitle, r) + "】时间" + FloatToStr(storedMinutes) +
                               "分钟 已录入。点击“确定”合拼记录；点击“取消”替换记录",
                           InfoCaption, MB_OKCANCEL) == IDOK) {
                kcal += storedKcal;
                minutes += storedMinutes;
            }
            const QVariantMap params{{"K", kcal},
                                     {"T", minutes},
                                     {"UID", CurrentUserId()},
                                     {"SPID", id.toLongLong()},
                                     {"D", date}};
            DM->Exec(found ? "Update SPRcd Set KCal=:K,SPTime=:T Where UID=:UID And SPID=:SPID And DT=:D"
                           : "Insert Into SPRcd(DT,UID,SPID,SPTime,KCal) Values(:D,:UID,:SPID,:T,:K)",
                     params);
            written.push_back({r, minutes, kcal});
        }
    });
    if (!saved) return void(MessageBox("保存失败，请重新保存。", InfoCaption, MB_OK));
    // The grid shows what is stored now, a merged row its new sum, as a reopened day shows it.
    for (const TWritten& w : written) {
        SG1->SetCells(ColMinutes, w.Row, FloatToStr(w.Minutes));
        SG1->SetCells(ColKcal, w.Row, FloatToStr(std::round(w.Kcal)));
    }
    for (int r = 1; r < SG1->RowCount(); ++r)
        if (!SG1->Cells(ColTitle, r).isEmpty() && hasMinutes(r)) SG1->SetCells(ColSaved, r, "1");
    MessageBox(written.empty() ? "没有录入新记录，不用保存。" : "保存成功", InfoCaption, MB_OK);
    if (MainFrm) MainFrm->RefreshTodayIntake();
}

void TFrm_UInfo::btnClearHDClick(TObject*) {
    for (int r = 1; r < SG1->RowCount(); ++r)
        for (int c = ColMinutes; c <= 4; ++c)
            SG1->SetCells(c, r, QString());
}

void TFrm_UInfo::Label82Click(TObject*) {
    if (MainFrm) MainFrm->ShowMsgByTitle("活动注意事项");
}

void TFrm_UInfo::lblSetHDClick(TObject*) {
    auto* form = new TSetHTFrm(this);
    form->ShowModal();
    form->Release();
}
