// The personal centre's weight page: the weight calendar, the entry of one weighing with its trends
// against the first and the latest weighing, and the weight history.
#include "UserInfoUnit.h"

#include "Dialogs.h"
#include "NumericFields.h"
#include "RecordKeys.h"
#include "UnitMain.h"
#include "WindowBuilder.h"

#include <cmath>

namespace {

// "↑" or "↓" followed by the difference (a loss keeps its minus sign), "〓" for none.
QString TrendText(double difference) {
    // Thousandths, so 70.5 - 70.2 reads 0.3.
    const double d = std::round(difference * 1000) / 1000;
    if (d > 0) return "↑" + FloatToStr(d);
    if (d < 0) return "↓" + FloatToStr(d);
    return "〓";
}

// The weight of the user's first or latest weighing; false when there is none. Raises on failure.
bool WeighingAt(TADOQuery* query, bool latest, double& weight) {
    query->Close();
    query->SQL()->SetText(QStringLiteral("Select TZ1 From TZ Where UID=:UID Order By CDT %1 Limit 1")
                              .arg(latest ? "DESC" : "ASC"));
    query->Parameters().Assign({{"UID", CurrentUserId()}});
    query->Open();
    const bool found = !query->IsEmpty();
    if (found) weight = query->FieldByName("TZ1")->AsFloat();
    query->Close();
    return found;
}

}  // namespace

void TFrm_UInfo::BuildWeightPage() {
    TWinControl* page = TabSheet3;
    SGTZ = BuildCalendarPanel(page, "pnlTZCla", pnlTZCla, "SGTZ", 1, [this](TObject* s) { SGTZDblClick(s); });

    pnlTZLR = Place<TPanel>(this, pnlTZCla, "pnlTZLR", 190, 90, 290, 200);
    pnlTZLR->SetColor(0xFCF6EE);
    pnlTZLR->SetVisible(false);
    auto* title = PlacePanel(this, pnlTZLR, "pnlTZLRTit", 1, 1, 288, 26, 0xF8B600);
    title->SetCaption("体重录入");
    title->Font()->SetColor(clWhite);
    title->Font()->SetStyle(FontStyle(fsBold));
    PlaceLabel(this, pnlTZLR, QString(), "测量日期", 30, 48);
    edtDT1 = Place<TSkEdit>(this, pnlTZLR, "edtDT1", 100, 44, 120, 24);
    edtDT1->SetReadOnly(true);
    PlaceLabel(this, pnlTZLR, QString(), "体    重", 30, 86);
    edt_TZ = Place<TMeasureEdit>(this, pnlTZLR, "edt_TZ", 100, 82, 80, 24);
    PlaceLabel(this, pnlTZLR, QString(), "Kg", 186, 86);
    btn_SaveTZ = PlaceButton<TSkButton>(this, pnlTZLR, "btn_SaveTZ", "保存", 60, 122, 70, 28,
                                        [this](TObject* s) { btn_SaveTZClick(s); });
    btnCTZLR = PlaceButton<TSkButton>(this, pnlTZLR, "btnCTZLR", "关闭", 150, 122, 70, 28,
                                      [this](TObject* s) { btnCTZLRClick(s); });
    PlaceLabel(this, pnlTZLR, QString(), "禁忌：不要每天测量体重。", 30, 166)->Font()->SetColor(clRed);

    const THistoryParts h = BuildHistoryPanel(
        page, {"pnlTZCX", "DT2", "DT3", "Btn_SearchTZ", "bgTZ", "AdoTZ", "dsTZ"}, true,
        {{"CDT", "日期"}, {"TZ1", "体重"}, {"TZ3", "与最近一次体重比较"}, {"TZ2", "与首次体重比较"}},
        "说明：〓（相等）、↓（减少）、↑（增加）");
    pnlTZCX = h.Panel;
    DT2 = h.Start;
    DT3 = h.End;
    Btn_SearchTZ = h.Search;
    bgTZ = h.Grid;
    AdoTZ = h.Query;
    dsTZ = h.Source;
    Btn_SearchTZ->OnClick = [this](TObject* s) { Btn_SearchTZClick(s); };
}

void TFrm_UInfo::SGTZDblClick(TObject*) {
    if (!CalendarDay(SGTZ, SGTZ->Col(), SGTZ->Row())) return;
    edtDT1->SetText(IsoDate(lblDate->Caption()));
    SGTZ->SetEnabled(false);
    ShowInFront(pnlTZLR);
    FocusIfCan(edt_TZ);  // the weight is what the user came to type
}

void TFrm_UInfo::btnCTZLRClick(TObject*) {
    pnlTZLR->Hide();
    SGTZ->SetEnabled(true);
    FocusIfCan(SGTZ);
}

void TFrm_UInfo::btn_SaveTZClick(TObject*) {
    const QString date = IsoDate(edtDT1->Text());
    if (date.isEmpty()) return void(MessageBox("称体重日期不正确", InfoCaption, MB_OK));
    double weight = 0;
    if (!ReadNumericField(edt_TZ, WeightRange, weight))
        return void(MessageBox("输入的体重不正确", InfoCaption, MB_OK));

    bool firstWeighing = false;
    const bool saved = DM->Transaction([&] {
        double first = 0, latest = 0;
        firstWeighing = !WeighingAt(Qry, false, first);
        QVariantMap params{{"D", date}, {"W", weight}, {"UID", CurrentUserId()}};
        if (firstWeighing) {
            DM->Exec("Insert Into TZ(CDT,TZ1,UID) Values(:D,:W,:UID)", params);
        } else {
            WeighingAt(Qry, true, latest);
            params.insert("TZ2", TrendText(weight - first));
            params.insert("TZ3", TrendText(weight - latest));
            DM->Exec("Insert Into TZ(CDT,TZ1,TZ2,TZ3,UID) Values(:D,:W,:TZ2,:TZ3,:UID) "
                     "On Conflict(UID,CDT) Do Update Set TZ1=excluded.TZ1,TZ2=excluded.TZ2,TZ3=excluded.TZ3",
                     params);
        }
        // The profile's weight follows only a weighing that was stored.
        DM->Exec("Update UInfo Set TZ=:W Where UID=:UID", {{"W", weight}, {"UID", CurrentUserId()}});
    });
    if (saved) {
        RefreshCalendar();
        MessageBox(firstWeighing ? "保存成功。" : "保存成功", InfoCaption, MB_OK);
        DM->TZ = FloatToStr(weight);
        if (MainFrm) {
            MainFrm->lblTZ->SetCaption(DM->TZ + "KG");
            MainFrm->ClassifyBodyType(DM->TZ, DM->SG, DM->Age);
        }
    } else {
        MessageBox("保存失败，请重新保存。", InfoCaption, MB_OK);
    }
    DM->RunSql(AdoTZ, "Select * From TZ Where UID=:UID Order By CDT Asc", false, {{"UID", CurrentUserId()}});
}

void TFrm_UInfo::Btn_SearchTZClick(TObject*) {
    const QString from = IsoDate(DT2->Text()), to = IsoDate(DT3->Text());
    if (from.isEmpty()) return void(MessageBox("起始日期不正确", InfoCaption, MB_OK));
    if (to.isEmpty()) return void(MessageBox("终止日期不正确", InfoCaption, MB_OK));
    if (to < from) return void(MessageBox("起始日期不能大于终止日期不正确", InfoCaption, MB_OK));
    DM->RunSql(AdoTZ, "Select * From TZ Where UID=:UID And CDT>=:D1 And CDT<=:D2 Order By CDT ASC", false,
               {{"UID", CurrentUserId()}, {"D1", from}, {"D2", to}});
}
