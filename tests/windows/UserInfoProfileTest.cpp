// The personal centre's profile page: the view, the editor's rules and messages, and the save.
#include "PersonalCentreFixture.h"
#include "WNDES.h"
#include "WidgetInput.h"

namespace {

class ProfilePage : public PersonalCentre {
protected:
    void Fill(const QString& login, const QString& name, const QString& sex, const QString& birth,
              const QString& height, int level, const QString& password = QString()) {
        Centre->btnModifyInfo->Click();
        Centre->edtUID->SetText(login);
        Centre->edtPwd->SetText(password);
        Centre->EdtName->SetText(name);
        Centre->cbbSex->SetItemIndex(Centre->cbbSex->Items()->IndexOf(sex));
        Centre->edtBthday->SetText(birth);
        Centre->edtSG->SetText(height);
        Centre->cbbHD->SetItemIndex(level);
    }
    // Saves with the confirmation answered OK and gives the last box's text.
    QString Save() {
        Boxes.Boxes.clear();
        Centre->btn_SaveInfo->Click();
        return Boxes.LastText();
    }
    static QString DaysAgo(int days) { return DateToISO(Date() - days); }
    QString Stored(const QString& column) {
        return Scalar("select " + column + " from UInfo where UID = :U");
    }
};

}  // namespace

TEST_F(ProfilePage, TheViewShowsTheProfileAndTheEditorLiesOverIt) {
    EXPECT_EQ(Centre->PC3->ActivePageIndex(), 0);
    EXPECT_EQ(Centre->lblTop->Caption(), "个人基本信息");
    EXPECT_FALSE(Centre->pnlClaDate->Visible());
    EXPECT_EQ(Centre->lblUID->Caption(), "user");
    EXPECT_EQ(Centre->lblName->Caption(), "新用户");
    EXPECT_EQ(Centre->lblSex->Caption(), "男");
    EXPECT_EQ(Centre->lblBthDay->Caption(), "1990-01-01");
    EXPECT_EQ(Centre->lblSG->Caption(), "175");
    EXPECT_EQ(Centre->lblHD->Caption(), "轻度/久坐工作");
    EXPECT_FALSE(Centre->gbM->Visible());
    Centre->btnModifyInfo->Click();
    EXPECT_TRUE(Centre->gbM->Showing());
    Centre->SkButton2->Click();
    EXPECT_FALSE(Centre->gbM->Visible());
    Centre->Label4->Click();
    EXPECT_EQ(Modals.back(), "MsgFrm");
}

TEST_F(ProfilePage, EachMissingOrWrongFieldIsRefusedWithItsMessage) {
    const QString before = Stored("UName || Sex || Bth || SG || HT");
    struct TCase {
        QString Login, Sex, Birth, Height;
        int Level;
        QString Message;
    };
    const TCase cases[] = {
        {"", "男", "1990-01-01", "175", 1, "登陆名称没有填写"},
        {"user", "", "1990-01-01", "175", 1, "性别没有填写"},
        {"user", "男", "1990-01-01", "0", 1, "身高没有填写"},
        {"user", "男", "1990-01-01", "", 1, "身高没有填写"},
        {"user", "男", "1990-13-01", "175", 1, "出生日期不正确"},
        {"user", "男", "一九九〇年", "175", 1, "出生日期不正确"},
        {"user", "男", DaysAgo(-1), "175", 1, "出生日期不正确"},
        {"user", "男", "1990-01-01", "175", -1, "活动类型没有选择"},
    };
    for (const TCase& c : cases) {
        Fill(c.Login, "张三", c.Sex, c.Birth, c.Height, c.Level);
        EXPECT_EQ(Save(), c.Message);
        EXPECT_EQ(Boxes.Boxes.front().Text, "是否修改新用户的信息");
        EXPECT_EQ(Boxes.LastCaption(), "信息提示");
    }
    // Cancel on the question leaves everything as it was.
    Fill("user", "张三", "男", "1990-01-01", "175", 1);
    Boxes.Answers = {IDCANCEL};
    Save();
    EXPECT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Stored("UName || Sex || Bth || SG || HT"), before);
}

TEST_F(ProfilePage, TheActivityLevelMustSuitTheAgeAtEachBoundary) {
    const QString under18 = DaysAgo(6573), at18 = DaysAgo(6575), under60 = DaysAgo(21914),
                  at60 = DaysAgo(21915), at80 = DaysAgo(29220);
    struct TCase {
        QString Birth;
        int Level;
        QString Message;
    };
    const TCase cases[] = {
        {under18, 1, "18岁以下活动类型只能设置为极轻"},
        {under18, 0, "信息保存成功"},
        {at18, 0, "18岁到60岁之间的活动类型不能设置为极轻"},
        {at18, 3, "信息保存成功"},
        {under60, 3, "信息保存成功"},
        {at60, 3, "60岁到80岁之间的活动类型不能设置为极轻或重度"},
        {at60, 0, "60岁到80岁之间的活动类型不能设置为极轻或重度"},
        {at60, 2, "信息保存成功"},
        {at80, 0, "信息保存成功"},
        {at80, 1, "80岁以上的活动类型只能设置为极轻。"},
    };
    for (const TCase& c : cases) {
        Fill("user", "新用户", "男", c.Birth, "175", c.Level);
        EXPECT_EQ(Save(), c.Message) << c.Birth.toStdString() << " level " << c.Level;
    }
    EXPECT_EQ(Stored("Bth"), at80);
    EXPECT_EQ(Stored("HT"), "0");
}

TEST_F(ProfilePage, ASaveStoresTheProfileTheDaysTargetAndTheRememberedName) {
    TIniFile(Db.Folder() + "UInfo.ini").WriteString("UINFO", "UID", "user");
    Fill(" li ", "李四", "女", "1985-05-20", "160", 2, "密码'1");
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("UName1"), "li");
    EXPECT_EQ(Stored("UName"), "李四");
    EXPECT_EQ(Stored("Sex"), "女");
    EXPECT_EQ(Stored("Bth"), "1985-05-20");
    EXPECT_EQ(Stored("SG"), "160");
    EXPECT_EQ(Stored("HT"), "2");
    EXPECT_EQ(DesDecryptFromHex(Stored("UPWD"), PasswordKey), "密码'1");
    // The profile in memory and today's target follow what was stored.
    EXPECT_EQ(DM->SG, "160");
    EXPECT_EQ(DM->HT, "2");
    EXPECT_EQ(DM->Sex, "女");
    EXPECT_EQ(DM->UName1, "li");
    EXPECT_NEAR(DM->Age, YearSpan(Date(), EncodeDate(1985, 5, 20)), 1e-9);
    EXPECT_EQ(DM->DayKcal, FormatFloat("0", DM->GetDailyKcal(DM->GetKcalMode())));
    EXPECT_EQ(
        Db.Scalar("select KCal from BDKcal where UID = :U and WRDate = :D", {{"U", Uid}, {"D", TodayISO()}}),
        DM->DayKcal);
    EXPECT_EQ(Db.Scalar("select count(*) from BDKcal where UID = :U", {{"U", Uid}}), "1");
    EXPECT_EQ(Centre->lblUID->Caption(), "li");
    EXPECT_EQ(Centre->lblHD->Caption(), "中度");
    EXPECT_EQ(MainFrm->lblTZ->Caption(), "70KG");
    EXPECT_EQ(MainFrm->lblDayKcal->Caption(),
              DM->DayKcal + "Kcal");  // the today panel follows the new target
    EXPECT_EQ(TIniFile(Db.Folder() + "UInfo.ini").ReadString("UINFO", "UID", ""), "li");
    // The question names the logged-in user.
    Boxes.Answers = {IDCANCEL};
    Save();
    EXPECT_EQ(Boxes.LastText(), "是否修改李四的信息");

    // A login name that was not remembered stays unremembered.
    TIniFile(Db.Folder() + "UInfo.ini").WriteString("UINFO", "UID", "");
    Fill("wang", "李四", "女", "1985-05-20", "160", 2);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(TIniFile(Db.Folder() + "UInfo.ini").ReadString("UINFO", "UID", "<none>"), "");
}

TEST_F(ProfilePage, TheSexAndLevelChosenWithTheKeyboardAreStoredAndTheMouseMakesTheirFramesBold) {
    Fill("user", "新用户", "男", "1985-05-20", "175", 1);
    // The arrow key moves to the next item; a typed character finds the item it begins.
    PressKey(Centre->cbbSex->Widget(), Qt::Key_Down);
    PressKey(Centre->cbbHD->Widget(), Qt::Key_unknown, "重");
    EXPECT_EQ(Centre->cbbSex->Text(), "女");
    EXPECT_EQ(Centre->cbbHD->ItemIndex(), 3);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("Sex"), "女");
    EXPECT_EQ(Stored("HT"), "3");
    EXPECT_EQ(Centre->lblSex->Caption(), "女");
    EXPECT_EQ(Centre->lblHD->Caption(), "重度");

    for (TSkComboBox* box : {Centre->cbbSex, Centre->cbbHD}) {
        EXPECT_TRUE(box->FrameVisible());
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(box->Widget(), &enter);
        EXPECT_EQ(box->FrameStyle(), fsFlatBold);
        QApplication::sendEvent(box->Widget(), &leave);
        EXPECT_EQ(box->FrameStyle(), fsFlat);
    }
}

TEST_F(ProfilePage, ANewPasswordOutlivesTheCentreBeingClosedAndOpenedAgain) {
    Fill("user", "新用户", "男", "1990-01-01", "175", 1, "新密码");
    EXPECT_EQ(Save(), "信息保存成功");
    Centre->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Frm_UInfo, nullptr);
    MainFrm->Btn_PerInfo->Click();
    ASSERT_NE(Frm_UInfo, nullptr);
    Centre = Frm_UInfo;
    EXPECT_EQ(Centre->edtPwd->Text(), "新密码");
    // Saving another change keeps the new password.
    Centre->btnModifyInfo->Click();
    Centre->edtSG->SetText("180");
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("SG"), "180");
    EXPECT_EQ(DesDecryptFromHex(Stored("UPWD"), PasswordKey), "新密码");
}

TEST_F(ProfilePage, AFailedSaveKeepsThePasswordInMemory) {
    Db.Exec("create trigger NoTarget before update on BDKcal begin select raise(abort, 'no target'); end");
    const QString password = DM->UPWD;
    Fill("user", "新用户", "男", "1990-01-01", "175", 1, "别的密码");
    EXPECT_EQ(Save(), "信息保存失败!请重新保存.");
    EXPECT_EQ(DM->UPWD, password);
}

TEST_F(ProfilePage, ALoginNameOfAnotherUserIsRefusedWhateverItsCase) {
    Db.Exec("insert into UInfo (UName, UName1, HT) values ('别人', 'Other', 1)");
    Fill("OTHER", "改名", "男", "1990-01-01", "175", 1);
    EXPECT_EQ(Save(), "用户名重复，不能修改");
    EXPECT_EQ(Stored("UName1"), "user");
    EXPECT_EQ(Stored("UName"), "新用户");
    // The user's own name in another case is no duplicate.
    Fill("USER", "改名", "男", "1990-01-01", "175", 1);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("UName1"), "USER");
}

TEST_F(ProfilePage, QuotesAndSqlInEveryFieldAreStoredAsTyped) {
    const QString sql = "' or 1=1 --";
    Fill(sql, "O'Neil 的早餐", "男", "1990-01-01", "175", 1, sql);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("UName1"), sql);
    EXPECT_EQ(Stored("UName"), "O'Neil 的早餐");
    EXPECT_EQ(DesDecryptFromHex(Stored("UPWD"), PasswordKey), sql);
    EXPECT_EQ(Scalar("select count(*) from UInfo"), "1");
    // The next login finds the profile by exactly that name and password.
    MainFrm->edtUID->SetText(sql);
    MainFrm->edtPWD->SetText(sql);
    MainFrm->btnLoad->Click();
    EXPECT_EQ(DM->UName, "O'Neil 的早餐");
}

TEST_F(ProfilePage, AFailedSaveRollsBackAndSaysSo) {
    Db.Exec("create trigger NoTarget before update on BDKcal begin select raise(abort, 'no target'); end");
    const QString target = DM->DayKcal;
    Fill("li", "李四", "女", "1985-05-20", "160", 2);
    EXPECT_EQ(Save(), "信息保存失败!请重新保存.");
    EXPECT_EQ(Stored("UName1"), "user");
    EXPECT_EQ(Stored("SG"), "175");
    EXPECT_EQ(DM->SG, "175");
    EXPECT_EQ(DM->Sex, "男");
    EXPECT_EQ(DM->DayKcal, target);
    EXPECT_EQ(Centre->lblUID->Caption(), "user");
}

TEST_F(ProfilePage, ANewProfileBecomesTheLoggedInUser) {
    DM->UID = "0";
    Fill("new", "新人", "女", "2000-02-29", "158", 1);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Boxes.Boxes.size(), 1u);  // no question for a new profile
    ASSERT_NE(DM->UID, "0");
    EXPECT_NE(DM->UID, Uid);
    EXPECT_EQ(Db.Scalar("select UName1 from UInfo where UID = :U", {{"U", DM->UID}}), "new");
    EXPECT_EQ(DM->UName, "新人");
    EXPECT_EQ(DM->Bth, "2000-02-29");
    EXPECT_EQ(Db.Scalar("select count(*) from BDKcal where UID = :U", {{"U", DM->UID}}), "1");
    // The same login name, differing in case, cannot be given to another new profile.
    DM->UID = "0";
    Fill("NEW", "又一个", "女", "2000-02-29", "158", 1);
    EXPECT_EQ(Save(), "用户名重复，不能修改");
}

TEST_F(ProfilePage, ControlCharactersAndOverlongNamesAreRefusedBeforeAnythingIsStored) {
    TIniFile(Db.Folder() + "UInfo.ini").WriteString("UINFO", "UID", "user");
    const QString before = Stored("UName1 || '|' || UName || '|' || UPWD");
    const QString nul(QChar(0));
    struct TCase {
        QString Login, Name, Password, Message;
    };
    const TCase cases[] = {
        {"user\n[UINFO]\nBKFLG=2", "新用户", "", "登陆名称不能包含换行符等控制字符"},
        {"us" + nul + "er", "新用户", "", "登陆名称不能包含换行符等控制字符"},
        {"user", "新\r用户", "", "姓名不能包含换行符等控制字符"},
        {"user", "新用户", "pw\x1b", "登陆密码不能包含换行符等控制字符"},
        {"user", "新用户", "pw" + nul, "登陆密码不能包含换行符等控制字符"},
        {QString(21, 'u'), "新用户", "", "登陆名称不能超过20个字"},
        {"user", QString(21, QChar(0x5F20)), "", "姓名不能超过20个字"},
    };
    for (const TCase& c : cases) {
        Fill(c.Login, c.Name, "男", "1990-01-01", "175", 1, c.Password);
        EXPECT_EQ(Save(), c.Message) << c.Login.toStdString();
    }
    EXPECT_EQ(Stored("UName1 || '|' || UName || '|' || UPWD"), before);
    EXPECT_EQ(TIniFile(Db.Folder() + "UInfo.ini").ReadString("UINFO", "UID", ""), "user");
    // Twenty characters are a name.
    Fill(QString(20, 'u'), QString(20, QChar(0x5F20)), "男", "1990-01-01", "175", 1);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("length(UName1) || '|' || length(UName)"), "20|20");
}

TEST_F(ProfilePage, TheHeightIsReadOnceAndMustLieUpTo250Centimetres) {
    struct TCase {
        QString Height, Message;
    };
    const TCase refused[] = {
        {"251", "身高不能超过250厘米"}, {"999", "身高不能超过250厘米"}, {"1e308", "身高不能超过250厘米"},
        {"1,5", "身高不正确"},          {"1e999", "身高不正确"},        {"inf", "身高不正确"},
        {"nan", "身高不正确"},          {"-170", "身高没有填写"},       {"(5)", "身高没有填写"}};
    // "(5)" is how the field shows -5.
    for (const TCase& c : refused) {
        Fill("user", "新用户", "男", "1990-01-01", c.Height, 1);
        EXPECT_EQ(Save(), c.Message) << c.Height.toStdString();
        EXPECT_EQ(Boxes.Boxes.size(), 2u) << c.Height.toStdString();  // the question and the refusal only
    }
    EXPECT_EQ(Stored("SG"), "175");
    Fill("user", "新用户", "男", "1990-01-01", "250", 1);
    EXPECT_EQ(Save(), "信息保存成功");
    Fill("user", "新用户", "男", "1990-01-01", " 172.5 ", 1);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Boxes.Boxes.size(), 2u);
    EXPECT_EQ(Stored("SG"), "172.5");
    EXPECT_EQ(DM->SG, "172.5");
    EXPECT_EQ(Centre->lblSG->Caption(), "172.5");
}

TEST_F(ProfilePage, ATwoDigitBirthYearIsReadInTheWindow1950To2049) {
    Fill("user", "新用户", "男", "90-1-31", "175", 1);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("Bth"), "1990-01-31");
    EXPECT_EQ(Centre->lblBthDay->Caption(), "1990-01-31");
    Fill("user", "新用户", "男", "05-6-1", "175", 1);
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(Stored("Bth"), "2005-06-01");
}

TEST_F(ProfilePage, ANewPasswordIsWhatTheRememberedLoginHolds) {
    TIniFile ini(Db.Folder() + "UInfo.ini");
    ini.WriteString("UINFO", "UID", "user");
    ini.WriteString("UINFO", "PWD", DesEncryptToHex("", PasswordKey));
    Fill("user", "新用户", "男", "1990-01-01", "175", 1, "新密码");
    EXPECT_EQ(Save(), "信息保存成功");
    EXPECT_EQ(DesDecryptFromHex(ini.ReadString("UINFO", "PWD", ""), PasswordKey), "新密码");
    // The next start fills the login panel with it, and the login is accepted.
    delete MainFrm;
    Start();
    EXPECT_EQ(MainFrm->edtPWD->Text(), "新密码");
    Boxes.Boxes.clear();
    MainFrm->btnLoad->Click();
    EXPECT_TRUE(Boxes.Boxes.empty()) << Boxes.LastText().toStdString();
    EXPECT_EQ(DM->UName1, "user");
}

// The age rules of the activity level at their exact limits: under 18 only 极轻 (level 0); from 18 to
// under 60 anything but 极轻; from 60 to under 80 neither 极轻 nor 重度 (level 3); from 80 only 极轻.
TEST(AgeLevelRules, EachLimitBelongsToTheOlderBand) {
    const QString under18 = "18岁以下活动类型只能设置为极轻",
                  adult = "18岁到60岁之间的活动类型不能设置为极轻",
                  senior = "60岁到80岁之间的活动类型不能设置为极轻或重度",
                  aged = "80岁以上的活动类型只能设置为极轻。";
    const struct {
        double Age;
        QString Levels[4];  // the refusal of levels 0, 1, 2 and 3
    } cases[] = {
        {17.99, {"", under18, under18, under18}},
        {18, {adult, "", "", ""}},
        {59.99, {adult, "", "", ""}},
        {60, {senior, "", "", senior}},
        {79.99, {senior, "", "", senior}},
        {80, {"", aged, aged, aged}},
    };
    for (const auto& c : cases)
        for (int level = 0; level < 4; ++level)
            EXPECT_EQ(AgeLevelRefusal(c.Age, level), c.Levels[level]) << c.Age << " level " << level;
}
