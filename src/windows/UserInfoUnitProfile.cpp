// The personal centre's profile page: the read-only view, the editor and the profile save.
#include "UserInfoUnit.h"

#include "Dialogs.h"
#include "FieldRules.h"
#include "IniFiles.h"
#include "NumericFields.h"
#include "RecordKeys.h"
#include "UnitMain.h"
#include "WNDES.h"
#include "WindowBuilder.h"
#include "WindowChoices.h"
#include "WindowGrids.h"

#include <limits>

namespace {

// The logged-in user's state, kept so a failed save can give it back.
struct TUserState {
    QString UID, UName, UName1, UPWD, Sex, HT, SG, TZ, Bth, DayKcal;
    double Age = 0;
    static TUserState Take() {
        return {DM->UID, DM->UName, DM->UName1, DM->UPWD,    DM->Sex, DM->HT,
                DM->SG,  DM->TZ,    DM->Bth,    DM->DayKcal, DM->Age};
    }
    void Restore() const {
        DM->UID = UID;
        DM->UName = UName;
        DM->UName1 = UName1;
        DM->UPWD = UPWD;
        DM->Sex = Sex;
        DM->HT = HT;
        DM->SG = SG;
        DM->TZ = TZ;
        DM->Bth = Bth;
        DM->DayKcal = DayKcal;
        DM->Age = Age;
    }
};

}  // namespace

QString AgeLevelRefusal(double age, int level) {
    if (age < 18 && level > 0) return "18岁以下活动类型只能设置为极轻";
    if (age >= 18 && age < 60 && level == 0) return "18岁到60岁之间的活动类型不能设置为极轻";
    if (age >= 60 && age < 80 && (level == 0 || level == 3))
        return "60岁到80岁之间的活动类型不能设置为极轻或重度";
    if (age >= 80 && level > 0) return "80岁以上的活动类型只能设置为极轻。";
    return QString();
}

void TFrm_UInfo::BuildProfilePage() {
    gbInfo = Place<TSkGroupBox>(this, TabSheet1, "gbInfo", 40, 16, 580, 400);
    gbInfo->SetCaption("个人基本信息");
    const char* captions[] = {"登陆名称：", "登陆密码：", "姓    名：", "性    别：",
                              "出生日期：", "身高(cm)：", "活动类型："};
    TLabel** values[] = {&lblUID, &lblPWD, &lblName, &lblSex, &lblBthDay, &lblSG, &lblHD};
    const char* valueNames[] = {"lblUID", "lblPWD", "lblName", "lblSex", "lblBthDay", "lblSG", "lblHD"};
    for (int i = 0; i < 7; ++i) {
        PlaceLabel(this, gbInfo, QString(), captions[i], 60, 40 + i * 38);
        *values[i] = PlaceLabel(this, gbInfo, valueNames[i], QString(), 150, 40 + i * 38);
        (*values[i])->Font()->SetColor(0x8B3A00);
    }
    Label4 = PlaceLabel(this, gbInfo, "Label4", "体力活动类型说明", 330, 268);
    Label20 = PlaceLabel(this, gbInfo, "Label20", "体质指数说明", 330, 306);
    for (TLabel* l : {Label4, Label20})
        MakeHoverLink(l);
    Label4->OnClick = [this](TObject* s) { Label4Click(s); };
    Label20->OnClick = [this](TObject* s) { Label20Click(s); };
    btnModifyInfo = PlaceButton<TSkButton>(this, gbInfo, "btnModifyInfo", "修改>>>", 60, 340, 100, 30,
                                           [this](TObject* s) { btnModifyInfoClick(s); });

    gbM = Place<TSkGroupBox>(this, TabSheet1, "gbM", 40, 16, 580, 400);
    gbM->SetCaption("个人资料修改");
    // The editor lies over the view and hides it.
    for (TSkGroupBox* g : {gbInfo, gbM})
        g->SetColor(clWhite);
    gbM->SetVisible(false);
    const char* editCaptions[] = {"用 户 名：", "登陆密码：", "姓    名：", "性    别：",
                                  "出生日期：", "身高(cm)：", "活动类型："};
    for (int i = 0; i < 7; ++i)
        PlaceLabel(this, gbM, QString(), editCaptions[i], 60, 40 + i * 38);
    edtUID = Place<TSkEdit>(this, gbM, "edtUID", 150, 36, 200, 24);
    edtPwd = Place<TSkEdit>(this, gbM, "edtPwd", 150, 74, 200, 24);
    EdtName = Place<TSkEdit>(this, gbM, "EdtName", 150, 112, 200, 24);
    cbbSex = PlaceChoiceBox(this, gbM, "cbbSex", 150, 150, 80, 24, {"男", "女"});
    edtBthday = Place<TSkEdit>(this, gbM, "edtBthday", 150, 188, 120, 24);
    PlaceLabel(this, gbM, QString(), "格式：1980-01-31", 280, 192)->Font()->SetColor(clGray);
    edtSG = Place<TMeasureEdit>(this, gbM, "edtSG", 150, 226, 80, 24);
    edtSG->SetMax(250);
    cbbHD = PlaceChoiceBox(this, gbM, "cbbHD", 150, 264, 160, 24, {"极轻", "轻度/久坐工作", "中度", "重度"});
    for (TSkEdit* e : {edtUID, edtPwd, EdtName, edtBthday, static_cast<TSkEdit*>(edtSG)}) {
        // The flat frame the mouse turns bold.
        e->SetFrameVisible(true);
        e->OnMouseEnter = [this](TObject* s) { edtSGMouseEnter(s); };
        e->OnMouseLeave = [this](TObject* s) { edtSGMouseLeave(s); };
    }
    // The frame shows, so that the mouse over a box can make it bold.
    for (TSkComboBox* c : {cbbSex, cbbHD}) {
        c->SetFrameVisible(true);
        c->OnMouseEnter = [c](TObject*) { c->SetFrameStyle(fsFlatBold); };
        c->OnMouseLeave = [c](TObject*) { c->SetFrameStyle(fsFlat); };
    }
    btn_SaveInfo = PlaceButton<TSkButton>(this, gbM, "btn_SaveInfo", "保存信息", 150, 330, 90, 30,
                                          [this](TObject* s) { btn_SaveInfoClick(s); });
    SkButton2 = PlaceButton<TSkButton>(this, gbM, "SkButton2", "关闭", 260, 330, 90, 30,
                                       [this](TObject* s) { SkButton2Click(s); });

    SkGroupBox3 = Place<TSkGroupBox>(this, TabSheet1, "SkGroupBox3", 40, 16, 580, 400);
    SkGroupBox3->SetCaption("个人列表");
    SkGroupBox3->SetVisible(false);
    SG_INfo = PlaceStringGrid(this, SkGroupBox3, "SG_INfo", 10, 22, 560, 360);
    SG_INfo->SetColCount(3);
    SG_INfo->SetFixedCols(0);
    SG_INfo->SetRowCount(2);
    SG_INfo->SetOptions(SG_INfo->Options() | goRowSelect);
    SG_INfo->OnClick = [this](TObject* s) { SG_INfoClick(s); };
}

// The view shows what is stored: the texts without their surrounding blanks.
void TFrm_UInfo::ShowProfileView() {
    lblUID->SetCaption(edtUID->Text().trimmed());
    lblPWD->SetCaption(edtPwd->Text().trimmed());
    lblName->SetCaption(EdtName->Text().trimmed());
    lblSex->SetCaption(cbbSex->Text());
    lblHD->SetCaption(cbbHD->Text());
    lblBthDay->SetCaption(edtBthday->Text());
    lblSG->SetCaption(edtSG->Text());
}

// The keyboard follows the editor: into its first field as it opens, back to 修改>>> as it closes.
void TFrm_UInfo::btnModifyInfoClick(TObject*) {
    ShowInFront(gbM);
    gbM->SelectFirst();
}

void TFrm_UInfo::SkButton2Click(TObject*) {
    gbM->Hide();
    FocusIfCan(btnModifyInfo);
}

void TFrm_UInfo::Label4Click(TObject*) {
    if (MainFrm) MainFrm->ShowMsgByTitle("体力活动类型说明");
}

void TFrm_UInfo::Label20Click(TObject*) {
    if (MainFrm) MainFrm->ShowMsgByTitle("体质指数说明");
}

void TFrm_UInfo::edtSGMouseEnter(TObject* Sender) {
    if (auto* e = dynamic_cast<TSkEdit*>(Sender)) e->SetFrameStyle(fsFlatBold);
}

void TFrm_UInfo::edtSGMouseLeave(TObject* Sender) {
    if (auto* e = dynamic_cast<TSkEdit*>(Sender)) e->SetFrameStyle(fsFlat);
}

void TFrm_UInfo::SG_INfoClick(TObject*) {
    if (SG_INfo->Cells(0, 1).isEmpty()) return;
    const int row = SG_INfo->Row();
    EdtName->SetText(SG_INfo->Cells(0, row));
    cbbSex->SetText(SG_INfo->Cells(1, row));
    edtSG->SetText(SG_INfo->Cells(7, row));
    const int level = cbbHD->Items()->IndexOf(SG_INfo->Cells(9, row));
    if (level >= 0) cbbHD->SetItemIndex(level);
    DM->UID = SG_INfo->Cells(3, row);
}

void TFrm_UInfo::btn_SaveInfoClick(TObject*) {
    const bool existing = DM->UID != "0";
    if (existing && MessageBox("是否修改" + DM->UName + "的信息", InfoCaption, MB_OKCANCEL) != IDOK) return;
    auto refuse = [](const QString& text) { MessageBox(text, InfoCaption, MB_OK); };
    const QString login = edtUID->Text().trimmed();
    if (login.isEmpty()) return refuse("登陆名称没有填写");
    const QString password = edtPwd->Text().trimmed();
    const QString userName = EdtName->Text().trimmed();
    for (const QString& refusal :
         {TextFieldRefusal("登陆名称", login, NameLength::Login), TextFieldRefusal("登陆密码", password),
          TextFieldRefusal("姓名", userName, NameLength::User)})
        if (!refusal.isEmpty()) return refuse(refusal);
    const QString sex = cbbSex->Text().trimmed();
    if (sex.isEmpty()) return refuse("性别没有填写");
    // The height is read once, as typed or as the edit shows it; that figure is stored and used.
    constexpr double largest = std::numeric_limits<double>::max();
    double height = 0;
    if (!edtSG->Text().trimmed().isEmpty() && !ReadNumericField(edtSG, {-largest, true, largest}, height))
        return refuse("身高不正确");
    if (height <= 0) return refuse("身高没有填写");
    if (height > HeightRange.Max) return refuse("身高不能超过250厘米");
    TDateTime birth = 0;
    if (!TryISOToDate(edtBthday->Text().trimmed(), birth) || birth > Date()) return refuse("出生日期不正确");
    const int level = cbbHD->ItemIndex();
    if (level < 0) return refuse("活动类型没有选择");
    const QString ageRefusal = AgeLevelRefusal(YearSpan(Now(), birth), level);
    if (!ageRefusal.isEmpty()) return refuse(ageRefusal);

    // Login names differ without regard to case, for a new profile as for a renamed one.
    if (!DM->RunSql(DM->Qry_Open,
                    "Select UID From UInfo Where UID <> :UID And UName1 = :UName1 COLLATE NOCASE", false,
                    {{"UID", CurrentUserId()}, {"UName1", login}}))
        return;
    const bool duplicate = !DM->Qry_Open->IsEmpty();
    DM->Qry_Open->Close();
    if (duplicate) return refuse("用户名重复，不能修改");

    const TUserState before = TUserState::Take();
    const QString birthText = DateToISO(birth);
    const bool saved = DM->Transaction([&] {
        QVariantMap params{{"UName", userName},
                           {"Sex", sex},
                           {"Bth", birthText},
                           {"SG", height},
                           {"HT", level},
                           {"UName1", login},
                           {"UPWD", DesEncryptToHex(password, PasswordKey)}};
        if (existing) {
            params.insert("UID", CurrentUserId());
            const int changed = DM->Exec(
                "Update UInfo Set UName=:UName,Sex=:Sex,Bth=:Bth,SG=:SG,HT=:HT,UName1=:UName1,UPWD=:UPWD "
                "Where UID=:UID",
                params);
            if (changed == 0) throw EDatabaseError("用户不存在");
        } else {
            DM->Exec("Insert Into UInfo(UName,UName1,UPWD,Sex,Bth,SG,HT) "
                     "Values(:UName,:UName1,:UPWD,:Sex,:Bth,:SG,:HT)",
                     params);
            DM->UID = QString::number(DM->Conn->LastInsertRowId());
            DM->TZ.clear();
        }
        // The profile in memory follows what was stored, so the target is the new profile's.
        DM->UName = userName;
        DM->UName1 = login;
        DM->UPWD = password;
        DM->Sex = sex;
        DM->Bth = birthText;
        DM->SG = FloatToStr(height);
        DM->HT = QString::number(level);
        DM->Age = YearSpan(Date(), birth);
        DM->DayKcal = FormatFloat("0", DM->GetDailyKcal(DM->GetKcalMode()));
        DM->Exec("Insert Into BDKcal(KCal,UID,WRDate) Values(:KCal,:UID,:D) "
                 "On Conflict(UID,WRDate) Do Update Set KCal=excluded.KCal",
                 {{"KCal", StrToFloat(DM->DayKcal)}, {"UID", CurrentUserId()}, {"D", DateToISO(Date())}});
    });
    if (saved) {
        DM->FillUserGrid(SG_INfo);
        // The fields show what was stored: a two-digit year with its century, the height as read.
        edtBthday->SetText(birthText);
        edtSG->SetText(DM->SG);
        ShowProfileView();
        try {
            // A remembered login follows a rename and a new password, both at once; a login not
            // remembered stays so.
            TIniFile ini(DM->SettingsFile());
            if (existing && !ini.ReadString("UINFO", "UID", "").isEmpty())
                ini.WriteStrings("UINFO", {{"UID", login}, {"PWD", DesEncryptToHex(password, PasswordKey)}});
        } catch (const Exception& e) {
            MessageBox(e.Message(), InfoCaption, MB_OK);
        }
        MessageBox("信息保存成功", InfoCaption, MB_OK);
    } else {
        before.Restore();
        MessageBox("信息保存失败!请重新保存.", InfoCaption, MB_OK);
    }
    if (MainFrm) {
        MainFrm->lblTZ->SetCaption(DM->TZ + "KG");
        if (!DM->TZ.isEmpty() && !DM->SG.isEmpty()) MainFrm->ClassifyBodyType(DM->TZ, DM->SG, DM->Age);
        // The saved profile may change the day's target: the today panel shows the new one.
        if (saved) MainFrm->RefreshTodayIntake();
    }
}
