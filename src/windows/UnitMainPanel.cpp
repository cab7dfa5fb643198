// The main window's right-hand panel: today's energy, body type and the skins.
#include "UnitMain.h"

#include "UintDM.h"

#include <cmath>

namespace {

TLabel* PanelLabel(TComponent* owner, TWinControl* parent, const QString& name, const QString& caption, int left,
                   int top) {
    auto* l = new TLabel(owner);
    l->SetName(name);
    l->SetParent(parent);
    l->SetBounds(left, top, 0, 0);
    l->SetCaption(caption);
    return l;
}

const QString MealClasses[] = {"早餐", "早加餐", "午餐", "午加餐", "晚餐", "晚加餐"};

}  // namespace

void TMainFrm::BuildTodayPanel() {
    SkGroupBox1 = new TSkGroupBox(this);
    SkGroupBox1->SetName("SkGroupBox1");
    SkGroupBox1->SetParent(pnlMain);
    SkGroupBox1->SetBounds(6, 4, 224, 338);
    SkGroupBox1->SetCaption("今日热量");
    Panel4 = new TPanel(this);
    Panel4->SetName("Panel4");
    Panel4->SetParent(SkGroupBox1);
    Panel4->SetBounds(4, 20, 216, 312);
    Panel4->SetBevelOuter(bvNone);
    Panel4->SetColor(pnlMain->Color());
    auto caption = [this](const QString& text, int left, int top) {
        return PanelLabel(this, Panel4, QString(), text, left, top);
    };
    auto value = [this](const QString& name, const QString& text, int left, int top) {
        auto* l = PanelLabel(this, Panel4, name, text, left, top);
        l->Font()->SetColor(clBlue);
        return l;
    };
    caption("每日所需热量：", 4, 4);
    lblDayKcal = value("lblDayKcal", "0Kcal", 110, 4);
    caption("早餐推荐(30%)：", 4, 30);
    lblZC = value("lblZC", "早餐30%", 110, 30);
    caption("早餐已摄入：", 4, 48);
    lblZC1 = value("lblZC1", "0Kcal", 110, 48);
    lblT1 = caption("(未录入）", 160, 48);
    caption("早加餐：", 4, 66);
    lblZC11 = value("lblZC11", "0Kcal", 110, 66);
    caption("午餐推荐(40%)：", 4, 92);
    lblWC = value("lblWC", "午餐40%", 110, 92);
    caption("午餐已摄入：", 4, 110);
    lblWC1 = value("lblWC1", "0Kcal", 110, 110);
    lblT2 = caption("(未录入）", 160, 110);
    caption("午加餐：", 4, 128);
    lblWC11 = value("lblWC11", "0Kcal", 110, 128);
    caption("晚餐推荐(30%)：", 4, 154);
    lblNC = value("lblNC", "晚餐30%", 110, 154);
    caption("晚餐已摄入：", 4, 172);
    lblNC1 = value("lblNC1", "0Kcal", 110, 172);
    lblT3 = caption("(未录入）", 160, 172);
    caption("晚加餐：", 4, 190);
    lblNC11 = value("lblNC11", "0Kcal", 110, 190);
    caption("已摄入总热量：", 4, 216);
    lblSumKcal = value("lblSumKcal", "0Kcal", 110, 216);
    caption("基础代谢：", 4, 238);
    lblJCDX = value("lblJCDX", "0", 110, 238);
    caption("工作消耗：", 4, 256);
    lblGZXH = value("lblGZXH", "0KCal", 110, 256);
    caption("活动消耗：", 4, 274);
    lblHDXH = value("lblHDXH", "0Kcal", 110, 274);
    lblKcalHInt = PanelLabel(this, Panel4, "lblKcalHInt", "至少还需补充热量：", 4, 294);
    lblKcalHInt->Font()->SetStyle(FontStyle(fsBold));
    lblKcalHInt->Font()->SetColor(clRed);
    lblT1->SetName("lblT1");
    lblT2->SetName("lblT2");
    lblT3->SetName("lblT3");
    for (TLabel* l : {lblT1, lblT2, lblT3}) l->Font()->SetColor(clGray);

    lblZJ = PanelLabel(this, pnlMain, "lblZJ", "体型 ", 10, 348);
    lblZJ->Font()->SetStyle(FontStyle(fsBold));
    PanelLabel(this, pnlMain, QString(), "体重：", 150, 348);
    lblTZ = PanelLabel(this, pnlMain, "lblTZ", "Kg", 186, 348);
}

void TMainFrm::RefreshTodayIntake() {
    // One target throughout: the day's target the user holds.
    double target = 0;
    TryStrToFloat(DM->DayKcal, target);
    lblDayKcal->SetCaption(DM->DayKcal + "Kcal");
    lblZC->SetCaption(FormatFloat("0", target * 0.3) + "Kcal");
    lblWC->SetCaption(FormatFloat("0", target * 0.4) + "Kcal");
    lblNC->SetCaption(FormatFloat("0", target * 0.3) + "Kcal");

    // Yesterday's figures never stay on screen.
    TLabel* mealLabels[] = {lblZC1, lblZC11, lblWC1, lblWC11, lblNC1, lblNC11};
    for (TLabel* l : mealLabels) l->SetCaption("0Kcal");
    for (TLabel* l : {lblT1, lblT2, lblT3}) l->Show();

    double intake = 0;
    const QString today = DateToISO(Date());
    try {
        TADOQuery* q = DM->Qry_Open;
        q->Close();
        q->SQL()->SetText("SELECT CKCLS, sum(KCal) as K from CKRcd where UID=:UID and CKDate=:D group by CKCLS");
        q->Parameters().Assign({{"UID", DM->UID}, {"D", today}});
        q->Open();
        for (; !q->Eof(); q->Next()) {
            const QString meal = q->FieldByName("CKCLS")->AsString();
            const double k = q->FieldByName("K")->AsFloat();
            for (int i = 0; i < 6; ++i) {
                if (meal != MealClasses[i]) continue;
                intake += k;
                mealLabels[i]->SetCaption(FormatFloat("0", k) + "Kcal");
                if (i % 2 == 0) (i == 0 ? lblT1 : i == 2 ? lblT2 : lblT3)->Hide();
            }
        }
        q->Close();
    } catch (const std::exception&) {
        // The figures read so far stay.
    }
    lblSumKcal->SetCaption(FormatFloat("0", intake) + "Kcal");

    const double basal = DM->CalcBMR();
    lblJCDX->SetCaption(FormatFloat("0", basal));
    if (basal > 0) lblGZXH->SetCaption(FormatFloat("0", target - basal) + "KCal");
    const double activity = SumActivityKcal(today).toDouble();

    // Activity energy raises what may still be eaten.
    const double rest = target + activity - intake;
    if (rest >= 1) lblKcalHInt->SetCaption("还需补充：" + FormatFloat("0", rest) + "Kcal");
    else if (rest <= -1) lblKcalHInt->SetCaption("热量超过：" + FormatFloat("0", -rest) + "Kcal");
    else lblKcalHInt->SetCaption("热量平衡");
}

QString TMainFrm::SumActivityKcal(const QString& date) {
    QString result = "0";
    try {
        TADOQuery* q = DM->Qry_Open;
        q->Close();
        q->SQL()->SetText("Select sum(KCal) as K From SPRcd Where UID=:UID And DT=:D");
        q->Parameters().Assign({{"UID", DM->UID}, {"D", date}});
        q->Open();
        result = FormatFloat("0", std::round(q->FieldByName("K")->AsFloat()));
        q->Close();
    } catch (const std::exception&) {
        result = "0";
    }
    lblHDXH->SetCaption(result + "Kcal");
    return result;
}

void TMainFrm::ApplySkin(int skinNo, const QString& formName) {
    if (formName.compare("MainFrm", Qt::CaseInsensitive) == 0) {
        ApplySkinTo(skinNo, this);
        return;
    }
    TForm* form = nullptr;
    for (int i = 0; i < Application->ComponentCount() && !form; ++i)
        if (Application->Components(i)->Name().compare(formName, Qt::CaseInsensitive) == 0)
            form = dynamic_cast<TForm*>(Application->Components(i));
    ApplySkinTo(skinNo, form);
}

void TMainFrm::ApplySkinTo(int skinNo, TForm* form) {
    if (skinNo != 1 && skinNo != 2) return;
    const TColor color = skinNo == 1 ? BlueColor : PinkColor;
    for (TPanel* p : {pnlLeft1, pnlLeft2, pnlBM, pnlBtm, pnlRight2, pnlRight1, pnlTit}) p->SetColor(color);
    const auto& images = skinNo == 1 ? BlueImages : PinkImages;
    for (const QString& file : images)
        if (!FileExists(file)) return;  // colours change, images stay
    try {
        if (form == this) {
            imgMtop->Picture()->LoadFromFile(images[1]);
            img4->Picture()->LoadFromFile(images[0]);
            return;
        }
        if (!form) return;
        const char* parts[] = {"imgLeft", "imgCenter", "imgRight"};
        for (int i = 0; i < 3; ++i)
            if (auto* img = dynamic_cast<TImage*>(form->FindComponent(parts[i])))
                img->Picture()->LoadFromFile(images[2 + i]);
    } catch (const Exception&) {
        // A damaged skin image leaves the window as it was.
    }
}
