#include "UnitYYSCK.h"

#include "UintDM.h"
#include "WindowBuilder.h"
#include "UnitMain.h"

TYYSCKFrm::TYYSCKFrm(TComponent* AOwner)
    : TSkinnedSmallForm(AOwner, "YYSCKFrm", "今日所需要营养素", 530, 330, false, "Label1", "SpeedButton2") {
    PlaceAtPopupOrigin(this);

    // Each group is wide enough for its longest amount, such as "2400.00kcal" beside "碳水化合物：".
    auto group = [this](const char* name, const char* caption, int left) {
        auto* g = Place<TSkGroupBox>(this, this, name, left, 40, 166, 240);
        g->SetCaption(caption);
        return g;
    };
    // A row of a group: the nutrient's name, and beside it the label that shows its amount.
    auto row = [this](TWinControl* parent, const char* name, const char* caption, int index) {
        PlaceLabel(this, parent, QString(), QString::fromUtf8(caption) + "：", 12, 24 + index * 22);
        auto* value = PlaceLabel(this, parent, name, QString(), 90, 24 + index * 22);
        value->Font()->SetColor(clBlue);
        return value;
    };
    auto* energy = group("gbEnergy", "热量及其它", 10);
    LC_E = row(energy, "LC_E", "热量", 0);
    LC_Pro = row(energy, "LC_Pro", "蛋白质", 1);
    LC_Fat = row(energy, "LC_Fat", "脂肪", 2);
    LC_Cho = row(energy, "LC_Cho", "碳水化合物", 3);
    auto* vitamins = group("gbVitamins", "维生素", 182);
    LC_Va = row(vitamins, "LC_Va", "维生素A", 0);
    LC_S = row(vitamins, "LC_S", "硫胺素", 1);
    LC_H = row(vitamins, "LC_H", "核黄素", 2);
    LC_VC = row(vitamins, "LC_VC", "维生素C", 3);
    LC_Ve = row(vitamins, "LC_Ve", "维生素E", 4);
    auto* minerals = group("gbMinerals", "微量元素", 354);
    LC_P = row(minerals, "LC_P", "磷", 0);
    LC_K = row(minerals, "LC_K", "钾", 1);
    LC_Na = row(minerals, "LC_Na", "钠", 2);
    LC_Mg = row(minerals, "LC_Mg", "镁", 3);
    LC_Ca = row(minerals, "LC_Ca", "钙", 4);
    LC_Fe = row(minerals, "LC_Fe", "铁", 5);
    LC_Cu = row(minerals, "LC_Cu", "铜", 6);
    LC_Zn = row(minerals, "LC_Zn", "锌", 7);
    LC_Se = row(minerals, "LC_Se", "硒", 8);

    Btn_SaveSW =
        PlaceButton(this, this, "Btn_SaveSW", "关闭", 225, 290, 80, 28, [this](TObject*) { Close(); });

    SetAlphaBlend(true);
    SetAlphaBlendValue(100);
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(300);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TYYSCKFrm::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    SetAlphaBlendValue(255);
}

void TYYSCKFrm::FormClose(TObject*, TCloseAction&) {
    SetAlphaBlendValue(150);
    Application->Wait(300);
}

void TYYSCKFrm::ShowDailyNeeds(const QString& level, double age) {
    QString kcal, protein, fat, carbohydrate;
    DM->GetEnergyNeeds(DM->Sex, level, age, kcal, protein, fat, carbohydrate);
    LC_E->SetCaption(kcal + "kcal");
    LC_Pro->SetCaption(protein + "g");
    LC_Fat->SetCaption(fat + "g");
    LC_Cho->SetCaption(carbohydrate + "g");
    QString a, thiamine, riboflavin, c, e;
    DM->GetVitaminNeeds(DM->Sex, age, a, thiamine, riboflavin, c, e);
    LC_Va->SetCaption(a + "ug");
    LC_S->SetCaption(thiamine + "mg");
    LC_H->SetCaption(riboflavin + "mg");
    LC_VC->SetCaption(c + "mg");
    LC_Ve->SetCaption(e + "mg");
    QString values[9];
    DM->GetMineralNeeds(DM->Sex, age, values[0], values[1], values[2], values[3], values[4], values[5],
                        values[6], values[7], values[8]);
    TLabel* labels[] = {LC_P, LC_K, LC_Na, LC_Mg, LC_Ca, LC_Fe, LC_Cu, LC_Zn};
    for (int i = 0; i < 8; ++i)
        labels[i]->SetCaption(values[i] + "mg");
    LC_Se->SetCaption(values[8] + "ug");
}
