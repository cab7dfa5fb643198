#include "UnitBKSet.h"

#include "Dialogs.h"
#include "IniFiles.h"
#include "UintDM.h"
#include "UnitMain.h"

TBKSetFrm::TBKSetFrm(TComponent* AOwner) : TForm(AOwner) {
    SetName("BKSetFrm");
    SetCaption("每日所需热量计算方式设置");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetClientWidth(440);
    SetClientHeight(220);
    SetColor(clWhite);
    const TSkinnedTitle title = BuildSkinnedTitle(this, "pnlTit", "lbl1", "btn1", "每日所需热量计算方式设置");
    pnlTit = title.Panel;
    imgLeft = title.imgLeft;
    imgCenter = title.imgCenter;
    imgRight = title.imgRight;
    lbl1 = title.Title;
    btn1 = title.CloseButton;

    auto radio = [this](const char* name, const char* caption, int top) {
        auto* r = new TRadioButton(this);
        r->SetName(name);
        r->SetParent(this);
        r->SetBounds(24, top, 340, 22);
        r->SetCaption(caption);
        return r;
    };
    rb1 = radio("rb1", "营养学每日推荐热量", 50);
    rb2 = radio("rb2", "根据基础代谢率和活动强度指数计算热量", 82);
    rb1->OnClick = [this](TObject* s) { rb1Click(s); };
    rb2->OnClick = [this](TObject* s) { rb2Click(s); };
    auto link = [this](const char* name, int top) {
        auto* l = new TLabel(this);
        l->SetName(name);
        l->SetParent(this);
        l->SetBounds(370, top + 3, 0, 0);
        l->SetCaption("[说明]");
        MakeHoverLink(l);
        return l;
    };
    lbl3 = link("lbl3", 50);
    lbl4 = link("lbl4", 82);
    lbl3->OnClick = [](TObject*) { MainFrm->ShowMsgByTitle("每日热量说明1"); };
    lbl4->OnClick = [](TObject*) { MainFrm->ShowMsgByTitle("每日热量说明2"); };
    auto* caption = new TLabel(this);
    caption->SetParent(this);
    caption->SetBounds(24, 124, 0, 0);
    caption->SetCaption("每日所需热量：");
    lbl2 = new TLabel(this);
    lbl2->SetName("lbl2");
    lbl2->SetParent(this);
    lbl2->SetBounds(130, 120, 0, 0);
    lbl2->Font()->SetName("宋体");
    lbl2->Font()->SetSize(12);
    lbl2->Font()->SetStyle(FontStyle(fsBold));
    lbl2->SetCaption("2400KCal");
    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new TSkButton(this);
        b->SetName(name);
        b->SetParent(this);
        b->SetBounds(left, 170, 80, 28);
        b->SetCaption(caption);
        return b;
    };
    btnOK = button("btnOK", "确定", 130);
    btnClose = button("btnClose", "关闭", 230);
    btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
    btnClose->OnClick = [this](TObject*) { Close(); };
    OnShow = [this](TObject* s) { FormShow(s); };
    FormCreate(this);
}

void TBKSetFrm::FormCreate(TObject*) { DM->SetFormRegion(this, Width(), Height()); }

void TBKSetFrm::FormShow(TObject*) {
    int method = TIniFile(DM->SettingsFile()).ReadInteger("UINFO", "BKFLG", 0);
    if (method == 0) method = 1;
    rb1->SetChecked(method == 1);
    rb2->SetChecked(method == 2);
    if (method != 1 && method != 2) {
        rb1->SetChecked(false);
        rb2->SetChecked(false);
    }
}

// A choice only previews its target; the user's target changes on "确定".
void TBKSetFrm::rb1Click(TObject*) { lbl2->SetCaption(FormatFloat("0", DM->LookupDailyKcal()) + "KCal"); }
void TBKSetFrm::rb2Click(TObject*) { lbl2->SetCaption(FormatFloat("0", DM->CalcKcalByActivity()) + "KCal"); }

void TBKSetFrm::btnOKClick(TObject*) {
    const int method = rb1->Checked() ? 1 : rb2->Checked() ? 2 : 0;
    TIniFile(DM->SettingsFile()).WriteInteger("UINFO", "BKFLG", method);
    if (method == 1) DM->DayKcal = FormatFloat("0", DM->LookupDailyKcal());
    if (method == 2) DM->DayKcal = FormatFloat("0", DM->CalcKcalByActivity());
    MessageBox("设置成功", InfoCaption, MB_OK);
    if (MainFrm) MainFrm->RefreshTodayIntake();
    Close();
}
