// The main window's navigation, tip and health labels, guide panel and menus.
#include "UnitMain.h"

#include "Clipbrd.h"
#include "Dialogs.h"
#include "IniFiles.h"
#include "ShellAPI.h"
#include "SiteAddresses.h"
#include "UintDM.h"
#include "UnitBKSet.h"
#include "UnitFoodList.h"
#include "UnitHelath.h"
#include "UnitMsg.h"
#include "UnitSetHT.h"
#include "UnitShiPu.h"
#include "UnitTaoCan.h"
#include "UnitYYSCK.h"
#include "UnitYYSTop.h"
#include "UserInfoUnit.h"
#include "VersionInfo.h"
#include "WindowBuilder.h"

namespace {

const QString Section = QStringLiteral("UINFO");

// The guide's steps stand one under the other; an arrow of the steps' column fills the gap below one.
constexpr int GuideStepTop = 44, GuideStepPitch = 54;
constexpr int GuideArrowLeft = 32, GuideArrowTop = GuideStepTop + 14;

TSpeedButton* NavButton(TComponent* owner, TWinControl* parent, const QString& name, const QString& caption,
                        int left, int top, int width, int height) {
    auto* b = Place<TSpeedButton>(owner, parent, name, left, top, width, height);
    b->SetCaption(caption);
    b->SetFlat(true);
    return b;
}

// Creates a child window on first use, docked into the centre panel; brings it to the front later.
template <class TChild> TChild* ShowDocked(TChild*& form, TWinControl* host) {
    if (!form) {
        form = new TChild(Application);
        form->ManualDock(host);
    }
    form->ShowForm();
    return form;
}

// Closes a child window that exists and forgets it.
template <class TChild> void CloseChild(TChild*& form) {
    if (!form) return;
    form->Close();
    form = nullptr;
}

}  // namespace

void TMainFrm::BuildNavigation() {
    struct TNav {
        TSpeedButton** Button;
        TSpeedButton** Twin;
        TLabel** Tab;
        const char *ButtonName, *TwinName, *TabName, *Caption, *Glyph;
        void (TMainFrm::*Handler)(TObject*);
    };
    const TNav items[] = {
        {&Btn_CF, &SpeedButton1, &lblCF, "Btn_CF", "SpeedButton1", "lblCF", "食物成分", "◆",
         &TMainFrm::Btn_CFClick},
        {&Btn_SP, &SpeedButton2, &lblSP, "Btn_SP", "SpeedButton2", "lblSP", "食谱列表", "◆",
         &TMainFrm::Btn_SPClick},
        {&btnTaoCan, &SpeedButton3, &lblTC, "btnTaoCan", "SpeedButton3", "lblTC", "饮食套餐", "◆",
         &TMainFrm::btnTaoCanClick},
        {&Btn_PerInfo, &SpeedButton4, &lblDA, "Btn_PerInfo", "SpeedButton4", "lblDA", "个人档案", "◆",
         &TMainFrm::Btn_PerInfoClick},
        {&SpeedButton5, &SpeedButton6, &lblYYS, "SpeedButton5", "SpeedButton6", "lblYYS", "营养排行", "◆",
         &TMainFrm::SpeedButton5Click},
    };
    int x = 330;
    for (const TNav& n : items) {
        *n.Button = NavButton(this, Panel_Top, n.ButtonName, n.Caption, x, 40, 96, 30);
        (*n.Button)->Font()->SetColor(clWhite);
        (*n.Button)->Font()->SetSize(11);
        (*n.Button)->Font()->SetStyle(FontStyle(fsBold));
        *n.Twin = NavButton(this, Panel_Top, n.TwinName, n.Glyph, x + 2, 72, 16, 18);
        (*n.Twin)->Font()->SetColor(clWhite);
        *n.Tab = PlaceLabel(this, Panel_Top, n.TabName, n.Caption, x + 22, 74);
        const auto handler = n.Handler;
        (*n.Button)->OnClick = (*n.Twin)->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
        x += 112;
    }
    SetActiveTab(nullptr);
}

void TMainFrm::BuildInfoLabels() {
    struct TTip {
        TLabel** Label;
        const char *Name, *Caption, *Title;
        int Left, Top;
    };
    const TTip tips[] = {
        {&Label9, "Label9", "什么是基础代谢", "基础代谢的定义", 12, 386},
        {&Label75, "Label75", "生理热价", "生理热价", 130, 386},
        {&Label1, "Label1", "热量如何分配", "三餐热量分配", 12, 408},
        {&Label26, "Label26", "热量消耗计算", "活动热量消耗计算", 130, 408},
        {&lbl3, "lbl3", "警告", "警告", 12, 430},
    };
    for (const TTip& t : tips) {
        *t.Label = PlaceLabel(this, pnlMain, t.Name, t.Caption, t.Left, t.Top);
        MakeHoverLink(*t.Label);
        const QString title = QString::fromUtf8(t.Title);
        (*t.Label)->OnClick = [this, title](TObject*) { ShowMsgByTitle(title); };
    }
    Label65 = PlaceLabel(this, pnlMain, "Label65", "今日营养素参考", 130, 430);
    MakeHoverLink(Label65);
    Label65->OnClick = [this](TObject* s) { Label65Click(s); };

    PlaceLabel(this, pnlMain, QString(), "健康资讯：", 12, 460)->Font()->SetStyle(FontStyle(fsBold));
    const char* health[][2] = {
        {"Label12", "食物功效"}, {"Label27", "中药作用"}, {"Label33", "保健食谱"}, {"lbl7", "养生茶疗"}};
    TLabel** healthLabels[] = {&Label12, &Label27, &Label33, &lbl7};
    for (int i = 0; i < 4; ++i) {
        *healthLabels[i] =
            PlaceLabel(this, pnlMain, health[i][0], health[i][1], 12 + (i % 2) * 118, 482 + (i / 2) * 22);
        (*healthLabels[i])->SetTag(i + 1);
        MakeHoverLink(*healthLabels[i]);
        (*healthLabels[i])->OnClick = [this](TObject* s) { Label12Click(s); };
    }
}

void TMainFrm::BuildGuidePanel() {
    PanelHelp = Place<TPanel>(this, pnlCenter, "PanelHelp", 120, 40, 480, 400);
    PanelHelp->SetColor(0xFFF8F0);
    PanelHelp->SetVisible(false);
    auto* title = PlacePanel(this, PanelHelp, "pnlHelpTit", 0, 0, 480, 30, SkinColor());
    auto* caption = PlaceLabel(this, title, "Label14", "操作提示", 16, 7);
    caption->Font()->SetStyle(FontStyle(fsBold));
    caption->Font()->SetColor(clWhite);
    Label15 = PlaceLabel(this, title, "Label15", "关闭", 436, 7);
    Label15->Font()->SetColor(clWhite);
    MakeLink(Label15);
    Label15->OnClick = [this](TObject*) { PanelHelp->Hide(); };
    struct TStep {
        TLabel** Label;
        const char *Name, *Caption;
        int Left, Top;
    };
    const char* stepNames[] = {"第一步", "第二步", "第三步", "第四步", "第五步", "第六步"};
    for (int i = 0; i < 6; ++i)
        PlaceLabel(this, PanelHelp, QString(), stepNames[i], 24, GuideStepTop + i * GuideStepPitch)
            ->Font()
            ->SetStyle(FontStyle(fsBold));
    // The setting up (steps one and two) and the daily records (three to six) each run downwards; the
    // second step's two rows end right above the third, so no arrow leads from one part to the other.
    TSkLine** arrows[] = {&SkLine1, &SkLine2, &SkLine3, &SkLine4};
    const int arrowAfterStep[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        *arrows[i] = Place<TSkLine>(this, PanelHelp, QString("SkLine%1").arg(i + 1), GuideArrowLeft,
                                    GuideArrowTop + arrowAfterStep[i] * GuideStepPitch, 20, 40);
        (*arrows[i])->SetShowArrows(saEnd);
    }
    const TStep steps[] = {
        {&Label16, "Label16", "填写个人信息", 100, 44},  {&Label4, "Label4", "设置活动项目", 100, 98},
        {&Label10, "Label10", "设置常用食物", 196, 98},  {&Label11, "Label11", "设置常用食谱", 292, 98},
        {&Label21, "Label21", "制作饮食套餐", 100, 122}, {&Label17, "Label17", "录入体重记录", 100, 152},
        {&Label18, "Label18", "录入活动记录", 100, 206}, {&Label19, "Label19", "录入饮食记录", 100, 260},
        {&Label20, "Label20", "数据分析", 100, 314},
    };
    for (const TStep& s : steps) {
        *s.Label = PlaceLabel(this, PanelHelp, s.Name, s.Caption, s.Left, s.Top);
        MakeHoverLink(*s.Label);
        (*s.Label)->OnClick = [this](TObject* sender) { GuideStepClick(sender); };
    }
    Label29 = PlaceLabel(this, PanelHelp, "Label29", "[说明]", 196, 260);
    MakeHoverLink(Label29);
    Label29->OnClick = [](TObject*) {
        MessageBox("操作提示：如果设置了食谱套餐，直接点击【食谱套餐】按钮选择套餐，双击添加。", InfoCaption,
                   MB_OK);
    };
    Label24 = PlaceLabel(this, PanelHelp, "Label24", "[说明]", 196, 122);
    MakeHoverLink(Label24);
    Label24->OnClick = [this](TObject*) { ShowMsgByTitle("饮食套餐说明"); };
    chkHint = Place<TSkCheckBox>(this, PanelHelp, "chkHint", 24, 362, 220, 20);
    chkHint->SetCaption("我知道了，不要再提示");
    chkHint->SetTransparent(true);  // on the guide's own colour
    chkHint->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        chkHintMouseUp(s, b, sh, x, y);
    };
    // Space ticks the box as a click does, and does what the click does; it comes up after the tick.
    chkHint->OnKeyUp = [this](TObject*, unsigned short& key, TShiftState) {
        if (key == VK_SPACE && chkHint->Checked()) HideGuideForGood();
    };
}

void TMainFrm::BuildMenus() {
    pm1 = new TPopupMenu(this);
    pm1->SetName("pm1");
    ddd1 = AddMenuItem(this, pm1->Items(), "ddd1", "在线帮助", [this](TObject* s) { ddd1Click(s); });
    ss1 = AddMenuItem(this, pm1->Items(), "ss1", "操作导航", [this](TObject* s) { ss1Click(s); });
    N1 = AddMenuItem(this, pm1->Items(), "N1", "检查新版本", [this](TObject* s) { N1Click(s); });
    pm3 = new TPopupMenu(this);
    pm3->SetName("pm3");
    N3 = AddMenuItem(this, pm3->Items(), "N3", "每次基础热量设置", [this](TObject* s) { N3Click(s); });
    N2 = AddMenuItem(this, pm3->Items(), "N2", "活动项设置", [this](TObject* s) { N2Click(s); });
    N4 = AddMenuItem(this, pm3->Items(), "N4", "皮肤设置", nullptr);
    N5 = AddMenuItem(this, N4, "N5", "蓝色", [this](TObject* s) { SkinItemClick(s); });
    N6 = AddMenuItem(this, N4, "N6", "粉红", [this](TObject* s) { SkinItemClick(s); });
    pm2 = new TPopupMenu(this);
    pm2->SetName("pm2");
    QQ1 = AddMenuItem(this, pm2->Items(), "QQ1", "复制QQ号", [this](TObject* s) { QQ1Click(s); });
    EMail1 = AddMenuItem(this, pm2->Items(), "EMail1", "复制E-Mail", [this](TObject* s) { EMail1Click(s); });
    Label6->SetPopupMenu(pm2);
    Label22->OnClick = [this](TObject*) { PopupBelow(pm1, Label22); };
    lbl2->OnClick = [this](TObject*) { PopupBelow(pm3, lbl2); };
}

void TMainFrm::PopupBelow(TPopupMenu* menu, TLabel* label) {
    const TPoint p = label->ClientToScreen({0, label->Height()});
    menu->SetPopupComponent(label);
    menu->Popup(p.X, p.Y);
}

// Navigation ------------------------------------------------------------------------------------

void TMainFrm::SetActiveTab(TLabel* active) {
    for (TLabel* l : {lblCF, lblSP, lblTC, lblDA, lblYYS}) {
        const bool on = l == active;
        l->Font()->SetStyle(on ? FontStyle(fsBold) : 0);
        l->Font()->SetColor(on ? clBlue : clBlack);
    }
}

void TMainFrm::ShowChildArea() {
    pnlMain->Show();
    PanelHelp->SendToBack();  // the window the user asked for comes before the guide
}

void TMainFrm::Btn_CFClick(TObject*) {
    SetActiveTab(lblCF);
    ShowChildArea();
    // What is typed next is a food to look up.
    ShowDocked(Frm_FD, Panel2)->SelectFirst();
}

void TMainFrm::Btn_SPClick(TObject*) {
    SetActiveTab(lblSP);
    ShowChildArea();
    ShowDocked(Frm_ShiPu, Panel2)->PC->SetActivePageIndex(0);
}

void TMainFrm::btnTaoCanClick(TObject*) {
    SetActiveTab(lblTC);
    ShowChildArea();
    ShowDocked(Frm_TaoCan, Panel2)->PC->SetActivePageIndex(0);
}

void TMainFrm::Btn_PerInfoClick(TObject*) {
    SetActiveTab(lblDA);
    ShowChildArea();
    if (!Frm_UInfo) {
        Frm_UInfo = new TFrm_UInfo(this);
        Frm_UInfo->ManualDock(Panel2);
        Frm_UInfo->ShowForm();
    } else {
        Frm_UInfo->BringToFront();
    }
}

void TMainFrm::SpeedButton5Click(TObject*) {
    SetActiveTab(lblYYS);
    ShowChildArea();
    ShowDocked(Frm_FDYY, Panel2);
}

void TMainFrm::Label12Click(TObject* Sender) {
    pnlMain->Hide();
    PanelHelp->SendToBack();
    // The label's tag names the list, as on the health window's own links.
    ShowDocked(HelathFrm, Panel2)->lbl1Click(Sender);
    // Every tab label becomes plain: none of the five windows is the active one.
    SetActiveTab(nullptr);
}

void TMainFrm::GuideStepClick(TObject* Sender) {
    // The guide steps aside so the page it opens can be seen; "操作导航" brings it back to the front.
    PanelHelp->SendToBack();
    // The personal centre's steps open its page as its own navigation bar does.
    const std::pair<TLabel*, TSpeedButton * TFrm_UInfo::*> personalSteps[] = {
        {Label16, &TFrm_UInfo::btnBase},  {Label4, &TFrm_UInfo::btnSPLst},  {Label17, &TFrm_UInfo::btnNet},
        {Label18, &TFrm_UInfo::btnSPLst}, {Label19, &TFrm_UInfo::btnFdLst}, {Label20, &TFrm_UInfo::btnAna}};
    for (const auto& [step, page] : personalSteps) {
        if (Sender != step) continue;
        Btn_PerInfo->Click();
        (Frm_UInfo->*page)->Click();
        if (Sender == Label16) Frm_UInfo->btnModifyInfoClick(Sender);
        if (Sender == Label4) Frm_UInfo->lblSetHDClick(Sender);
        return;
    }
    if (Sender == Label10) {
        Btn_CF->Click();
        MessageBox("操作提示：选择自己经常食用的食物，再点击【设为常用食物】按钮设置为常用食物", InfoCaption,
                   MB_OK);
    } else if (Sender == Label11) {
        Btn_SP->Click();
        MessageBox("操作提示：选择自己经常食用的食谱，再点击【设为常用食谱】按钮设置为常用食谱", InfoCaption,
                   MB_OK);
    } else if (Sender == Label21) {
        btnTaoCan->Click();
        MessageBox("操作提示：请点击【制作套餐】按钮设置饮食套餐", InfoCaption, MB_OK);
    }
}

void TMainFrm::chkHintMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    if (!chkHint->Checked()) HideGuideForGood();
}

void TMainFrm::HideGuideForGood() {
    TIniFile(DM->SettingsFile()).WriteInteger(Section, "RunHelp", 1);
    PanelHelp->Hide();
}

void TMainFrm::Label65Click(TObject*) {
    auto* form = new TYYSCKFrm(Application);
    form->ShowDailyNeeds(DM->HT, DM->Age);
    form->SetAlphaBlendValue(180);
    form->ShowModal();
    form->Release();
}

void TMainFrm::ShowMsgByTitle(const QString& title) {
    QString text;
    if (DM->RunSql(DM->Qry_Open, "Select Msg From Msg Where tit =:tit", false, {{"tit", title}}) &&
        !DM->Qry_Open->IsEmpty())
        text = DM->Qry_Open->FieldByName("Msg")->AsString();
    DM->Qry_Open->Close();
    auto* tip = new TMsgFrm(Application);
    tip->edtMsg->Lines()->Add(text);
    tip->lblTit->SetCaption(title);
    tip->lblTit->Font()->SetColor(clWhite);
    const bool startTip = title == "提示说明";
    tip->pnl1->SetVisible(startTip);
    tip->chckbx1->SetVisible(startTip);
    tip->ShowModal();
    tip->Release();
}

// Menus -----------------------------------------------------------------------------------------

void TMainFrm::ddd1Click(TObject*) {
    ShellOpen(OnlineHelpAddress);
}

void TMainFrm::ss1Click(TObject*) {
    PanelHelp->Show();
    PanelHelp->BringToFront();
}

void TMainFrm::N1Click(TObject*) {
    ShellOpen(UpdateCheckAddress(GetFileVersionString()));
}

void TMainFrm::N3Click(TObject*) {
    // Kept between uses, and gone with the main window that keeps it.
    static QPointer<TBKSetFrm> form;
    if (!form) form = new TBKSetFrm(this);
    form->ShowModal();
}

void TMainFrm::N2Click(TObject*) {
    auto* form = new TSetHTFrm(this);
    form->ShowModal();
    form->Release();
}

void TMainFrm::SkinItemClick(TObject* Sender) {
    SkinNo = Sender == N6 ? 2 : 1;
    ApplySkin(SkinNo, Name());
    SkGroupBox1->Repaint();
}

void TMainFrm::QQ1Click(TObject*) {
    Clipboard()->SetAsText(ContactQQ);
    MessageBox("QQ号复制成功", InfoCaption, MB_OK);
}

void TMainFrm::EMail1Click(TObject*) {
    Clipboard()->SetAsText(ContactEMail);
    MessageBox("E-Mail复制成功", InfoCaption, MB_OK);
}

void TMainFrm::Btn_CloseClick(TObject*) {
    CloseChild(Frm_FD);
    CloseChild(Frm_FDYY);
    CloseChild(Frm_ShiPu);
    CloseChild(HelathFrm);
    CloseChild(Frm_UInfo);
    Close();
}
