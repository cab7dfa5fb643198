// The main window: its parts, the start-up and the login.
#include "UnitMain.h"

#include "WindowBuilder.h"
#include "Dialogs.h"
#include "FieldRules.h"
#include "EnergyTargets.h"
#include "FoodTable.h"
#include "IniFiles.h"
#include "ShellAPI.h"
#include "SiteAddresses.h"
#include "UintDM.h"
#include "WNDES.h"

#include <algorithm>

TMainFrm* MainFrm = nullptr;

namespace {

const QString Section = QStringLiteral("UINFO");

}  // namespace

void MakeHoverLink(TLabel* label) {
    label->SetCursor(crHandPoint);
    label->OnMouseEnter = [label](TObject*) {
        label->Font()->SetStyle(label->Font()->Style() | FontStyle(fsUnderline));
        label->Font()->SetColor(clBlue);
    };
    label->OnMouseLeave = [label](TObject*) {
        label->Font()->SetStyle(label->Font()->Style() & ~FontStyle(fsUnderline));
        label->Font()->SetColor(clBlack);
    };
}

TMainFrm::TMainFrm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("MainFrm"));
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetClientWidth(1007);
    SetClientHeight(654);
    SetCaption(Application->Title());
    SetColor(clWhite);
    BuildHintsAndMenuLook();  // before any menu item, so the controller draws them all
    // What shows from the start; the rest waits for BuildHiddenParts.
    BuildFrame();
    BuildNavigation();
    BuildTodayPanel();
    BuildInfoLabels();
    Timer1 = new TTimer(this);
    Timer1->SetName(QStringLiteral("Timer1"));
    Timer1->SetEnabled(false);
    Timer1->SetInterval(2000);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    FormCreate(this);
}

void TMainFrm::BuildHiddenParts() {
    if (gbPro) return;
    BuildGuidePanel();
    BuildMenus();
    BuildLogin();
    FormShow(this);
}

void TMainFrm::BuildHintsAndMenuLook() {
    // Hints as blue balloons that come almost at once.
    SkBalloonHints1 = new TSkBalloonHints(this);
    SkBalloonHints1->SetName(QStringLiteral("SkBalloonHints1"));
    SkBalloonHints1->SetCaptionWidth(200);
    SkBalloonHints1->SetCenterThreshold(0);
    SkBalloonHints1->SetFrameColor(0x0080FF);
    SkBalloonHints1->SetHintPause(100);
    TFont font;
    font.Assign(*SkBalloonHints1->Font());
    font.SetColor(clBlue);
    font.SetHeight(-14);
    SkBalloonHints1->SetFont(font);
    SkMenuController1 = new TSkMenuController(this);
    SkMenuController1->SetName(QStringLiteral("SkMenuController1"));
}

void TMainFrm::BuildFrame() {
    Panel_Top = Place<TPanel>(this, this, "Panel_Top", 0, 0, 1007, 96);
    Panel_Top->SetAlign(alTop);
    Panel_Top->SetBevelOuter(bvNone);
    imgMtop = Place<TImage>(this, Panel_Top, "imgMtop", 0, 0, 1007, 96);
    imgMtop->SetAlign(alClient);
    imgMtop->SetStretch(true);
    img4 = Place<TImage>(this, this, "img4", 0, 96, 1007, 4);
    img4->SetAlign(alTop);
    img4->SetStretch(true);
    Label25 = PlaceLabel(this, Panel_Top, "Label25", Application->Title(), 18, 12);
    Label25->Font()->SetSize(16);
    Label25->Font()->SetStyle(FontStyle(fsBold));
    Label25->Font()->SetColor(clWhite);
    Label3 = PlaceLabel(this, Panel_Top, "Label3", WebSiteHost, 20, 44);
    Label3->Font()->SetColor(clWhite);
    Label3->SetCursor(crHandPoint);
    Label3->OnClick = [this](TObject* s) { Label3Click(s); };
    Label22 = PlaceLabel(this, Panel_Top, "Label22", "帮助", 884, 8);
    lbl2 = PlaceLabel(this, Panel_Top, "lbl2", "设置", 920, 8);
    for (TLabel* l : {Label22, lbl2}) {
        l->Font()->SetColor(clWhite);
        l->SetCursor(crHandPoint);
    }
    Btn_Min = Place<TSpeedButton>(this, Panel_Top, "Btn_Min", 955, 4, 22, 20);
    Btn_Min->SetCaption("－");
    Btn_Min->SetFlat(true);
    Btn_Min->OnClick = [this](TObject* s) { Btn_MinClick(s); };
    Btn_Close = Place<TSpeedButton>(this, Panel_Top, "Btn_Close", 979, 4, 22, 20);
    Btn_Close->SetCaption("×");
    Btn_Close->SetFlat(true);
    Btn_Close->OnClick = [this](TObject* s) { Btn_CloseClick(s); };
    for (TControl* c : std::initializer_list<TControl*>{imgMtop, Label25})
        c->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            imgMtopMouseDown(s, b, sh, x, y);
        };

    // The frame strips take the skin's colour.
    pnlLeft1 = Place<TPanel>(this, this, "pnlLeft1", 0, 100, 4, 550);
    pnlLeft1->SetAlign(alLeft);
    pnlRight1 = Place<TPanel>(this, this, "pnlRight1", 1003, 100, 4, 550);
    pnlRight1->SetAlign(alRight);
    pnlBtm = Place<TPanel>(this, this, "pnlBtm", 0, 650, 1007, 4);
    pnlBtm->SetAlign(alBottom);
    pnlCenter = Place<TPanel>(this, this, "pnlCenter", 4, 100, 999, 550);
    pnlCenter->SetAlign(alClient);
    pnlCenter->SetEnabled(false);
    pnlBM = Place<TPanel>(this, pnlCenter, "pnlBM", 0, 528, 999, 22);
    pnlBM->SetAlign(alBottom);
    pnlLeft2 = Place<TPanel>(this, pnlCenter, "pnlLeft2", 0, 0, 2, 528);
    pnlLeft2->SetAlign(alLeft);
    pnlRight2 = Place<TPanel>(this, pnlCenter, "pnlRight2", 997, 0, 2, 528);
    pnlRight2->SetAlign(alRight);
    for (TPanel* p : {pnlLeft1, pnlRight1, pnlBtm, pnlBM, pnlLeft2, pnlRight2, Panel_Top})
        p->SetBevelOuter(bvNone);
    pnlMain = Place<TPanel>(this, pnlCenter, "pnlMain", 761, 0, 236, 528);
    pnlMain->SetAlign(alRight);
    pnlMain->SetBevelOuter(bvNone);
    pnlMain->SetColor(0xFCF6EE);
    Panel2 = Place<TPanel>(this, pnlCenter, "Panel2", 2, 0, 759, 528);
    Panel2->SetAlign(alClient);
    Panel2->SetBevelOuter(bvNone);
    Panel2->SetColor(clWhite);
    Label6 = PlaceLabel(this, pnlBM, "Label6",
                        QStringLiteral("联系我们：QQ %1    E-Mail %2").arg(ContactQQ, ContactEMail), 8, 4);
    Label6->Font()->SetColor(clWhite);
}

void TMainFrm::BuildLogin() {
    gbPro = Place<TSkGroupBox>(this, this, "gbPro", 353, 292, 300, 70);
    gbPro->SetVisible(false);
    pnlPro = Place<TPanel>(this, gbPro, "pnlPro", 10, 20, 280, 40);
    pnlPro->SetCaption("正在加载食物成份... ..");
    pnlPro->SetBevelOuter(bvNone);

    pnlLoad = Place<TPanel>(this, this, "pnlLoad", 353, 220, 300, 210);
    pnlLoad->SetVisible(false);
    pnlLoad->SetColor(clWhite);
    pnlTit = Place<TPanel>(this, pnlLoad, "pnlTit", 0, 0, 300, 28);
    pnlTit->SetAlign(alTop);
    pnlTit->SetCaption("登陆窗口");
    pnlTit->SetBevelOuter(bvNone);
    pnlTit->SetColor(SkinColor());
    pnlTit->Font()->SetColor(SkinTextColor(SkinNo));
    pnlTit->Font()->SetStyle(FontStyle(fsBold));
    btn1 = Place<TSpeedButton>(this, pnlTit, "btn1", 274, 3, 22, 22);
    btn1->SetCaption("×");
    btn1->SetFlat(true);
    PlaceLabel(this, pnlLoad, "Label7", "用户名", 40, 54);
    PlaceLabel(this, pnlLoad, "Label8", "密  码", 40, 88);
    edtUID = Place<TSkEdit>(this, pnlLoad, "edtUID", 96, 50, 160, 24);
    edtPWD = Place<TSkEdit>(this, pnlLoad, "edtPWD", 96, 84, 160, 24);
    edtPWD->SetPasswordChar('*');
    for (TSkEdit* e : {edtUID, edtPWD}) {
        // A flat frame that turns bold under the mouse and while the field has the focus.
        e->SetFrameHotTrack(true);
        e->OnMouseEnter = [this](TObject* s) { edtUIDMouseEnter(s); };
        e->OnMouseLeave = [this](TObject* s) { edtPWDMouseLeave(s); };
    }
    chk_UP = Place<TSkCheckBox>(this, pnlLoad, "chk_UP", 96, 118, 170, 20);
    chk_UP->SetCaption("记住用户名和密码");
    btnLoad = Place<TSkButton>(this, pnlLoad, "btnLoad", 60, 156, 80, 28);
    btnLoad->SetCaption("登 陆");
    btnLoad->SetDefault(true);
    btnLoad->OnClick = [this](TObject* s) { btnLoadClick(s); };
    btnClose = Place<TSkButton>(this, pnlLoad, "btnClose", 160, 156, 80, 28);
    btnClose->SetCaption("退 出");
    btn1->OnClick = btnClose->OnClick = [this](TObject* s) { Btn_CloseClick(s); };
}

TPoint TMainFrm::PopupOrigin() const {
    return {Left(), Top() + Panel_Top->Height()};
}

void PlaceAtPopupOrigin(TForm* form) {
    if (!MainFrm) return;
    const TPoint origin = MainFrm->PopupOrigin();
    const TRect area = Screen->WorkAreaAt(origin);
    // A window larger than the screen keeps its top-left corner on it.
    const int left = std::max(area.Left, std::min(origin.X, area.Right - form->Width()));
    const int top = std::max(area.Top, std::min(origin.Y, area.Bottom - form->Height()));
    form->SetBounds(left, top, form->Width(), form->Height());
}

void TMainFrm::FormCreate(TObject*) {
    SkinNo = 1;
    const QString folder = ProgramFolder();
    BlueImages = {folder + "Blue/PLine.Jpg", folder + "Blue/MTop.jpg", folder + "Blue/CTopLeft.jpg",
                  folder + "Blue/CTopCenter.jpg", folder + "Blue/CTopRight.jpg"};
    PinkImages = {folder + "Red/PLine.Jpg", folder + "Red/MTop.jpg", folder + "Red/CTopLeft.jpg",
                  folder + "Red/CTopCenter.jpg", folder + "Red/CTopcRight.jpg"};
    TDM::SetFormRegion(this, Width(), Height());
    ApplySkin(SkinNo, Name());
}

void TMainFrm::FormShow(TObject*) {
    TIniFile ini(DM->SettingsFile());
    edtUID->SetText(ini.ReadString(Section, "UID", ""));
    // A remembered password that does not decipher is treated as none.
    edtPWD->SetText(DesDecryptFromHexOrEmpty(ini.ReadString(Section, "PWD", ""), PasswordKey));
    chk_UP->SetChecked(!edtUID->Text().isEmpty());
}

void TMainFrm::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    BuildHiddenParts();
    gbPro->Show();
    gbPro->BringToFront();
    gbPro->Repaint();
    Application->Wait(LoadingWaitMs);
    try {
        LoadFoodTables();
    } catch (const std::exception&) {
        // The foods read so far stay; the program goes on.
    }
    gbPro->Hide();
    pnlLoad->Show();
    pnlLoad->BringToFront();
    edtUID->SetFocus();
    if (TIniFile(DM->SettingsFile()).ReadInteger(Section, "RunCon", 0) == 0) ShowMsgByTitle("提示说明");
}

void TMainFrm::btnLoadClick(TObject*) {
    TIniFile ini(DM->SettingsFile());
    const int mode = DM->GetKcalMode();
    const QString name = edtUID->Text().trimmed();
    const QString password = edtPWD->Text().trimmed();
    // The name and password may be remembered in the settings file: a pasted line break must not reach it.
    for (const QString& refusal :
         {TextFieldRefusal("登陆名称", name), TextFieldRefusal("登陆密码", password)})
        if (!refusal.isEmpty()) return void(MessageBox(refusal, InfoCaption, MB_OK));
    const QString cipher = DesEncryptToHex(password, PasswordKey);
    DM->RunSql(DM->Qry_Open, "Select * from UInfo Where UName1=:UName1 And UPWD=:UPWD", false,
               {{"UName1", name}, {"UPWD", cipher}});
    TADOQuery* q = DM->Qry_Open;
    if (!q->Active() || q->IsEmpty()) {
        MessageBox("用户名或密码错误", InfoCaption, MB_OK);
        return;
    }
    DM->UName = q->FieldByName("UName")->AsString();
    DM->UID = q->FieldByName("UID")->AsString();
    DM->UPWD = DesDecryptFromHexOrEmpty(q->FieldByName("UPWD")->AsString(), PasswordKey);
    DM->HT = q->FieldByName("HT")->AsString();
    DM->Sex = q->FieldByName("Sex")->AsString();
    const TDateTime birth = q->FieldByName("Bth")->AsDateTime();
    DM->Age = birth > 0 ? YearSpan(Now(), birth) : 0;
    DM->SG = q->FieldByName("SG")->AsString();
    DM->TZ = q->FieldByName("TZ")->AsString();
    DM->Bth = q->FieldByName("Bth")->AsString();
    DM->UName1 = q->FieldByName("UName1")->AsString();
    q->Close();

    DM->DayKcal = FormatFloat("0", DM->GetDailyKcal(mode));
    // Today's target row is written once; a row that is already there, from another login of the
    // day, stays as it is.
    DM->RunSql(DM->Qry_Exec,
               "Insert Into BDKcal(KCal,UID,WRDate) Values(:KCal,:UID,:D) On Conflict(UID,WRDate) Do Nothing",
               true, {{"KCal", StrToFloat(DM->DayKcal)}, {"UID", DM->UID}, {"D", DateToISO(Date())}});

    try {
        // Name and password are remembered, or forgotten, together.
        if (chk_UP->Checked())
            ini.WriteStrings(Section, {{"UID", name}, {"PWD", cipher}});
        else
            ini.WriteStrings(Section, {{"UID", ""}, {"PWD", ""}});
    } catch (const Exception& e) {
        MessageBox(e.Message(), InfoCaption, MB_OK);  // the login goes on without remembering
    }
    const int runHelp = ini.ReadInteger(Section, "RunHelp", 0);

    pnlCenter->SetEnabled(true);
    ClassifyBodyType(DM->TZ, DM->SG, DM->Age);
    pnlLoad->Hide();
    RefreshTodayIntake();
    Btn_PerInfo->Click();
    lblTZ->SetCaption(DM->TZ + "Kg");
    PanelHelp->SetVisible(runHelp == 0);
    if (runHelp == 0) PanelHelp->BringToFront();
    // The keyboard goes on in the main area, not on a title button.
    pnlCenter->SelectFirst();
}

void TMainFrm::ClassifyBodyType(const QString& weight, const QString& height, double age) {
    TBodyType type;
    try {
        type = ::ClassifyBodyType(weight, height, age);
    } catch (const EConvertError&) {
        type = ::ClassifyBodyType(0.0, 0.0, age);
    }
    lblZJ->SetCaption(type.Caption);
    lblZJ->Font()->SetColor(type.FontColor);
}

void TMainFrm::imgMtopMouseDown(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == mbLeft) DM->DragForm(this);
}

void TMainFrm::Btn_MinClick(TObject*) {
    Application->Minimize();
}

void TMainFrm::Label3Click(TObject*) {
    ShellOpen(Label3->Caption());
}

void TMainFrm::edtUIDMouseEnter(TObject* Sender) {
    if (auto* e = dynamic_cast<TSkEdit*>(Sender)) e->SetFrameStyle(fsFlatBold);
}

void TMainFrm::edtPWDMouseLeave(TObject* Sender) {
    if (auto* e = dynamic_cast<TSkEdit*>(Sender)) e->SetFrameStyle(fsFlat);
}
