#include "UnitBKSet.h"

#include "Dialogs.h"
#include "IniFiles.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "WindowBuilder.h"

TBKSetFrm::TBKSetFrm(TComponent* AOwner)
    : TSkinnedSmallForm(AOwner, "BKSetFrm", "每日所需热量计算方式设置", 440, 220, false, "lbl1", "btn1") {
    // The two methods lie on one panel: the checked one is the group's stop in the Tab order, where the
    // group begins, before the [说明] beside the first.
    auto* methods = Place<TPanel>(this, this, QString(), 24, 50, 340, 54);
    methods->SetBevelOuter(bvNone);
    methods->SetParentColor(true);
    auto radio = [this, methods](const char* name, const char* caption, int top) {
        auto* r = Place<TSkRadioButton>(this, methods, name, 0, top, 340, 22);
        r->SetCaption(caption);
        return r;
    };
    rb1 = radio("rb1", "营养学每日推荐热量", 0);
    rb2 = radio("rb2", "根据基础代谢率和活动强度指数计算热量", 32);
    rb1->OnClick = [this](TObject* s) { rb1Click(s); };
    rb2->OnClick = [this](TObject* s) { rb2Click(s); };
    auto link = [this](const char* name, int top) {
        auto* l = PlaceLabel(this, this, name, "[说明]", 370, top + 3);
        MakeHoverLink(l);
        return l;
    };
    lbl3 = link("lbl3", 50);
    lbl4 = link("lbl4", 82);
    lbl3->OnClick = [](TObject*) { MainFrm->ShowMsgByTitle("每日热量说明1"); };
    lbl4->OnClick = [](TObject*) { MainFrm->ShowMsgByTitle("每日热量说明2"); };
    PlaceLabel(this, this, QString(), "每日所需热量：", 24, 124);
    lbl2 = PlaceLabel(this, this, "lbl2", "2400KCal", 130, 120);
    lbl2->Font()->SetName("宋体");
    lbl2->Font()->SetSize(12);
    lbl2->Font()->SetStyle(FontStyle(fsBold));
    btnOK = PlaceButton(this, this, "btnOK", "确定", 130, 170, 80, 28, [this](TObject* s) { btnOKClick(s); });
    btnClose = PlaceButton(this, this, "btnClose", "关闭", 230, 170, 80, 28, [this](TObject*) { Close(); });
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TBKSetFrm::FormShow(TObject*) {
    // The main window keeps this window between uses; the skin or the main window's place may have
    // changed meanwhile.
    ApplyMainSkin(this);
    PlaceAtPopupOrigin(this);
    int method = TIniFile(DM->SettingsFile()).ReadInteger("UINFO", "BKFLG", 0);
    if (method == 0) method = 1;
    rb1->SetChecked(method == 1);
    rb2->SetChecked(method == 2);
    if (method != 1 && method != 2) {
        rb1->SetChecked(false);
        rb2->SetChecked(false);
    }
    // A button that stays checked gives no click: the figure is written anew for the current profile.
    if (rb1->Checked())
        rb1Click(rb1);
    else if (rb2->Checked())
        rb2Click(rb2);
    else
        lbl2->SetCaption(DM->DayKcal + "KCal");
    // Each showing starts on the checked method, not where the last one left the keyboard.
    SelectFirst();
}

// A choice only previews its target; the user's target changes on "确定".
void TBKSetFrm::rb1Click(TObject*) {
    lbl2->SetCaption(FormatFloat("0", DM->LookupDailyKcal()) + "KCal");
}
void TBKSetFrm::rb2Click(TObject*) {
    lbl2->SetCaption(FormatFloat("0", DM->CalcKcalByActivity()) + "KCal");
}

void TBKSetFrm::btnOKClick(TObject*) {
    const int method = rb1->Checked() ? 1 : rb2->Checked() ? 2 : 0;
    TIniFile(DM->SettingsFile()).WriteInteger("UINFO", "BKFLG", method);
    if (method == 1) DM->DayKcal = FormatFloat("0", DM->LookupDailyKcal());
    if (method == 2) DM->DayKcal = FormatFloat("0", DM->CalcKcalByActivity());
    MessageBox("设置成功", InfoCaption, MB_OK);
    if (MainFrm) MainFrm->RefreshTodayIntake();
    Close();
}
