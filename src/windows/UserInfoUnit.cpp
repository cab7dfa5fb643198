// The personal centre window: its navigation bar, title and date bars, pages and the back and history
// links that move between a page's calendar, entry and history panels.
#include "UserInfoUnit.h"

#include "ConstTables.h"
#include "Dialogs.h"
#include "MealEditing.h"
#include "UintDM.h"
#include "UnitHDMX.h"
#include "UnitMain.h"
#include "UnitYSMX.h"
#include "WindowBuilder.h"

TFrm_UInfo* Frm_UInfo = nullptr;

namespace {

const TColor NavColor = 0xF7EEE4;
const TColor TitleColor = 0xFCF6EE;

// The pointer beside the chosen navigation button: a notch in the colour of the pages.
void DrawCheckMark(TImage* image) {
    TBitmap* bmp = image->Picture()->Bitmap();
    bmp->SetSize(image->Width(), image->Height());
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(NavColor);
    c->FillRect(Rect(0, 0, image->Width(), image->Height()));
    c->Brush()->SetColor(clWhite);
    c->Pen()->SetColor(clWhite);
    const int w = image->Width(), mid = image->Height() / 2;
    c->Polygon({{w, mid - 10}, {w - 10, mid}, {w, mid + 10}});
}

}  // namespace

TFrm_UInfo::TFrm_UInfo(TComponent* AOwner) : TForm(AOwner) {
    SetName("Frm_UInfo");
    SetCaption("个人档案");
    SetBorderStyle(bsNone);
    SetClientWidth(759);
    SetClientHeight(528);
    SetColor(clWhite);
    AdoQry = MakeQuery(this, DM->Conn, "AdoQry");
    Qry = MakeQuery(this, DM->Conn, "Qry");
    QrySP = MakeQuery(this, DM->Conn, "QrySP");
    BuildNavigation();
    BuildProfilePage();
    BuildWeightPage();
    BuildActivityPage();
    BuildFoodPage();
    BuildAnalysisPage();
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

TFrm_UInfo::~TFrm_UInfo() {
    // The grids keep pointers to the day cells; they go first.
    for (TStringGrid* g : {SGTZ, SGHD, SGYS})
        FreeCalendarDays(g);
    if (Frm_UInfo == this) Frm_UInfo = nullptr;
}

void TFrm_UInfo::BuildNavigation() {
    pnlLeft = PlacePanel(this, this, "pnlLeft", 0, 0, 92, 528, NavColor);
    pnlLeft->SetAlign(alLeft);
    struct TNav {
        TSpeedButton** Button;
        const char *Name, *Glyph, *Caption;
        void (TFrm_UInfo::*Handler)(TObject*);
    };
    const TNav items[] = {
        {&btnBase, "btnBase", "资", "基本资料", &TFrm_UInfo::btnBaseClick},
        {&btnNet, "btnNet", "重", "体重记录", &TFrm_UInfo::btnNetClick},
        {&btnSPLst, "btnSPLst", "动", "活动记录", &TFrm_UInfo::btnSPLstClick},
        {&btnFdLst, "btnFdLst", "食", "饮食记录", &TFrm_UInfo::btnFdLstClick},
        {&btnAna, "btnAna", "析", "数据分析", &TFrm_UInfo::btnAnaClick},
    };
    int top = 20;
    for (const TNav& n : items) {
        auto* b = Place<TSpeedButton>(this, pnlLeft, n.Name, 20, top, 50, 46);
        b->SetCaption(n.Glyph);
        b->SetFlat(true);
        b->Font()->SetSize(18);
        b->Font()->SetStyle(FontStyle(fsBold));
        b->Font()->SetColor(0x8B5A2B);
        const auto handler = n.Handler;
        b->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
        auto* l = PlaceLabel(this, pnlLeft, QString(), n.Caption, 0, top + 50);
        l->SetAutoSize(false);
        l->SetBounds(0, top + 50, 90, 18);
        l->SetAlignment(taCenter);
        l->OnClick = b->OnClick;
        *n.Button = b;
        top += 96;
    }
    imgCheck = Place<TImage>(this, pnlLeft, "imgCheck", 80, btnBase->Top(), 12, 46);
    DrawCheckMark(imgCheck);

    pnlRight = PlacePanel(this, this, "pnlRight", 92, 0, 667, 528, clWhite);
    pnlRight->SetAlign(alClient);
    pnlTop = PlacePanel(this, pnlRight, "pnlTop", 0, 0, 667, 34, TitleColor);
    pnlTop->SetAlign(alTop);
    lblTop = PlaceLabel(this, pnlTop, "lblTop", "个人基本信息", 14, 8);
    lblTop->Font()->SetSize(12);
    lblTop->Font()->SetStyle(FontStyle(fsBold));
    lblTop->Font()->SetColor(0x8B3A00);
    lblLSTop = PlaceLabel(this, pnlTop, "lblLSTop", "", 200, 10);
    lblLSTop->Font()->SetColor(0x8B3A00);
    pnlBack = PlacePanel(this, pnlTop, "pnlBack", 580, 4, 80, 26, TitleColor);
    pnlBack->SetVisible(false);
    btn1 = Place<TSpeedButton>(this, pnlBack, "btn1", 0, 0, 80, 26);
    btn1->SetCaption("← 返回");
    btn1->SetFlat(true);
    btn1->OnClick = [this](TObject* s) { btn1Click(s); };

    pnlClaDate = PlacePanel(this, pnlRight, "pnlClaDate", 0, 34, 667, 32, clWhite);
    pnlClaDate->SetAlign(alTop);
    btnLDate = Place<TSpeedButton>(this, pnlClaDate, "btnLDate", 14, 4, 64, 24);
    btnLDate->SetCaption("◀ 上月");
    btnLDate->OnClick = [this](TObject* s) { btnLDateClick(s); };
    lblDate = PlaceLabel(this, pnlClaDate, "lblDate", DateToISO(Date()), 0, 7);
    lblDate->SetAutoSize(false);
    lblDate->SetBounds(84, 7, 110, 18);
    lblDate->SetAlignment(taCenter);
    lblDate->Font()->SetSize(11);
    lblDate->Font()->SetStyle(FontStyle(fsBold));
    btnRDate = Place<TSpeedButton>(this, pnlClaDate, "btnRDate", 200, 4, 64, 24);
    btnRDate->SetCaption("下月 ▶");
    btnRDate->OnClick = [this](TObject* s) { btnRDateClick(s); };
    lblSetHD = PlaceLabel(this, pnlClaDate, "lblSetHD", "设置活动项", 470, 8);
    lblSetHD->SetVisible(false);
    lblLSJL = PlaceLabel(this, pnlClaDate, "lblLSJL", "查看历史记录", 560, 8);
    for (TLabel* l : {lblSetHD, lblLSJL}) {
        MakeHoverLink(l);
        l->Font()->SetColor(clBlack);
    }
    lblSetHD->OnClick = [this](TObject* s) { lblSetHDClick(s); };
    lblLSJL->OnClick = [this](TObject* s) { lblLSJLClick(s); };

    PC3 = Place<TSkPageControl>(this, pnlRight, "PC3", 0, 66, 667, 462);
    PC3->SetAlign(alClient);
    // The pages are chosen by the navigation bar alone: they have no tabs, so Ctrl+Tab finds no page to
    // turn to behind the navigation's back, and the strip above the pages stays a single pixel.
    PC3->SetTabHeight(1);
    PC3->SetTabWidth(1);
    struct TPage {
        TSkTabSheet** Sheet;
        const char *Name, *Caption;
    };
    const TPage pages[] = {{&TabSheet1, "TabSheet1", "基本资料"},
                           {&TabSheet3, "TabSheet3", "体重记录"},
                           {&TabSheet4, "TabSheet4", "活动记录"},
                           {&TabSheet5, "TabSheet5", "饮食记录"},
                           {&TabSheet22, "TabSheet22", "数据分析"}};
    for (const TPage& p : pages) {
        *p.Sheet = new TSkTabSheet(this);
        (*p.Sheet)->SetName(p.Name);
        (*p.Sheet)->SetPageControl(PC3);
        (*p.Sheet)->SetCaption(p.Caption);
        (*p.Sheet)->SetTabVisible(false);
        (*p.Sheet)->SetColor(clWhite);
    }
    PC3->OnChange = [this](TObject* s) { PC3Change(s); };
}

// Lifecycle ---------------------------------------------------------------------------------------

void TFrm_UInfo::FormCreate(TObject*) {
    SGSC->SetCells(0, 0, "餐名");
    SGSC->SetCells(1, 0, "已摄入热量");
    SGSC->SetCells(2, 0, "推荐热量");
    for (int i = 0; i < int(MealClasses.size()); ++i)
        SGSC->SetCells(0, i + 1, MealClasses[i]);
    lblDate->SetCaption(DateToISO(Date()));
    int y = 0, m = 0, d = 0;
    DecodeDate(Date(), y, m, d);
    for (int kind = 1; kind <= 3; ++kind)
        LoadMonthCalendar(y, m, kind);
    PlaceAtPopupOrigin(this);

    EdtName->SetText(DM->UName);
    cbbSex->SetText(DM->Sex);
    edtSG->SetText(DM->SG);
    edtPwd->SetText(DM->UPWD);
    if (!DM->HT.isEmpty()) cbbHD->SetItemIndex(StrToIntDef(DM->HT, -1));
    TDateTime birth = 0;
    const bool validBirth = TryISOToDate(DM->Bth, birth);
    if (validBirth) edtBthday->SetText(DateToISO(birth));
    edtUID->SetText(DM->UName1);
    if (validBirth && DM->Age > 0 && !DM->TZ.isEmpty() && !DM->SG.isEmpty() && MainFrm)
        MainFrm->ClassifyBodyType(DM->TZ, DM->SG, DM->Age);
    PC3->SetActivePageIndex(0);
    btnBase->Click();
    ShowProfileView();
}

void TFrm_UInfo::FormShow(TObject*) {
    const TDateTime today = Date();
    for (TSkDateTimeEdit* start : {DT2, DT5, DT7, DT9})
        start->SetDate(today - 30);
    for (TSkDateTimeEdit* end : {DT3, DT6, DT8, DT10})
        end->SetDate(today);
    SG_INfo->SetCells(0, 0, "姓名");
    SG_INfo->SetCells(1, 0, "性别");
    SG_INfo->SetCells(2, 0, "年龄");
    SG1->SetCells(1, 0, "活动项目名称");
    SG1->SetCells(2, 0, "活动时间(分钟)");
    SG1->SetCells(3, 0, "消耗热量(Kcal)");
    const char* foodHeaders[] = {"食物名称",  "重量(g)", "热量(Kcal)",
                                 "蛋白质(g)", "脂肪(g)", "碳水化合物(g)"};
    for (int c = 1; c <= 6; ++c)
        SG2->SetCells(c, 0, foodHeaders[c - 1]);
    SG21->SetCells(1, 0, "    合计");
    DM->FillUserGrid(SG_INfo);
}

void TFrm_UInfo::FormClose(TObject*, TCloseAction& Action) {
    CloseDayDetails();
    Action = caFree;
    if (Frm_UInfo == this) Frm_UInfo = nullptr;
}

void TFrm_UInfo::CloseDayDetails() {
    if (HDMXFrm) HDMXFrm->Close();
    if (YSMXFrm) YSMXFrm->Close();
}

// The page-change event comes only from the keyboard: the navigation bar chooses pages by code.
void TFrm_UInfo::PC3Change(TObject*) {
    if (DM->UID == "0") {
        MessageBox("请录入个人基本信息", InfoCaption, MB_OK);
        PC3->SetActivePageIndex(0);
        return;
    }
    CloseDayDetails();
    const int page = PC3->ActivePageIndex();
    if (page == 0 && DM->Age > 0 && !DM->TZ.isEmpty() && !DM->SG.isEmpty() && MainFrm)
        MainFrm->ClassifyBodyType(DM->TZ, DM->SG, DM->Age);
    // The activity grid follows its own page and keeps the day it shows.
    if (page == 2 && !edtDT4->Text().isEmpty()) LoadDayActivities(edtDT4->Text());
}

// Navigation --------------------------------------------------------------------------------------

void TFrm_UInfo::ChoosePage(TSpeedButton* button, const QString& title, int page) {
    imgCheck->SetTop(button->Top());
    lblTop->SetCaption(title);
    lblLSTop->SetCaption(QString());
    PC3->SetActivePageIndex(page);
    // The day-detail windows belong to the history lists of the page left behind.
    CloseDayDetails();
}

// The profile and analysis pages have no date bar.
void TFrm_UInfo::ChoosePlainPage(TSpeedButton* button, const QString& title, int page) {
    ChoosePage(button, title, page);
    pnlBack->Hide();
    lblSetHD->Hide();
    pnlClaDate->Hide();
}

// The weight, activity and food pages open on today's month, their other panels hidden.
void TFrm_UInfo::ChooseCalendarPage(TSpeedButton* button, const QString& title, int page, TPanel* calendar,
                                    std::initializer_list<TPanel*> others) {
    ChoosePage(button, title, page);
    ShowInFront(calendar);
    for (TPanel* p : others)
        p->Hide();
    pnlBack->Hide();
    lblLSJL->Show();
    lblSetHD->SetVisible(page == 2);
    pnlClaDate->Show();
    lblDate->SetCaption(DateToISO(Date()));
    RefreshCalendar();
}

void TFrm_UInfo::btnBaseClick(TObject*) {
    ChoosePlainPage(btnBase, "个人基本信息", 0);
}

void TFrm_UInfo::btnNetClick(TObject*) {
    ChooseCalendarPage(btnNet, "个人体重记录", 1, pnlTZCla, {});
}

void TFrm_UInfo::btnSPLstClick(TObject*) {
    ChooseCalendarPage(btnSPLst, "每日活动热量消耗", 2, pnlHDCla, {pnlHdCX, pnlHDJL});
}

void TFrm_UInfo::btnFdLstClick(TObject*) {
    ChooseCalendarPage(btnFdLst, "每日饮食热量", 3, pnlYSCla, {pnlYSCX, pnlYSJL});
}

void TFrm_UInfo::btnAnaClick(TObject*) {
    ChoosePlainPage(btnAna, "饮食热量和活动热量分析", 4);
}

void TFrm_UInfo::lblLSJLClick(TObject*) {
    switch (PC3->ActivePageIndex()) {
    case 1:
        ShowInFront(pnlTZCX);
        lblLSTop->SetCaption(">> 历史体重记录");
        pnlBack->Show();
        pnlTZCX->SelectFirst();
        break;
    case 2:
        ShowInFront(pnlHdCX);
        lblLSTop->SetCaption(">> 历史活动记录");
        pnlBack->Show();
        pnlHdCX->SelectFirst();
        break;
    case 3:
        ShowInFront(pnlYSCX);
        lblLSTop->SetCaption(">> 历史饮食记录");
        pnlBack->Show();
        pnlYSCX->SelectFirst();
        break;
    default:
        break;
    }
    pnlClaDate->Hide();
}

void TFrm_UInfo::btn1Click(TObject*) {
    switch (PC3->ActivePageIndex()) {
    case 1:
        pnlClaDate->Show();
        ShowInFront(pnlTZCla);
        pnlBack->Hide();
        lblSetHD->Hide();
        RefreshCalendar();
        FocusIfCan(SGTZ);
        break;
    case 2:
        pnlClaDate->Show();
        pnlHdCX->Hide();
        pnlHDJL->Hide();
        ShowInFront(pnlHDCla);
        pnlBack->Hide();
        RefreshCalendar();
        FocusIfCan(SGHD);
        break;
    case 3:
        if (pnlYSJLTxt->Visible()) {
            pnlYSJLTxt->Hide();
            ShowInFront(pnlAddSP);
            pnlAddSP->SelectFirst();
        } else if (pnlAddSP->Visible() && pnlYSJL->Visible()) {
            pnlClaDate->Show();
            pnlYSJLTxt->Hide();
            pnlYSJL->Hide();
            ShowInFront(pnlYSCla);
            pnlBack->Hide();
            RefreshCalendar();
            FocusIfCan(SGYS);
        } else if (pnlYSCX->Visible()) {
            pnlYSCX->Hide();
            pnlClaDate->Show();
            ShowInFront(pnlYSCla);
            pnlBack->Hide();
            RefreshCalendar();
            FocusIfCan(SGYS);
        }
        break;
    default:
        break;
    }
    lblLSTop->SetCaption(QString());
}
