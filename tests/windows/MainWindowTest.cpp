#include "IniFiles.h"
#include "MainWindowSession.h"
#include "UnitBKSet.h"
#include "UnitFoodList.h"
#include "UnitHelath.h"
#include "UnitMain.h"
#include "UnitMsg.h"
#include "UnitYYSCK.h"
#include "UserInfoUnit.h"
#include "WNDES.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

// The main window on a private database, with message boxes and modal windows answered by the test.
class MainWindow : public MainWindowSession {
protected:
    QString Ini(const QString& key) {
        return TIniFile(Db.Folder() + "UInfo.ini").ReadString("UINFO", key, "<none>");
    }
};

}  // namespace

TEST_F(MainWindow, FirstRunShowsTheTipThenTheGuideAfterLogin) {
    Start();
    EXPECT_EQ(MainFrm->edtUID->Text(), "");
    EXPECT_FALSE(MainFrm->chk_UP->Checked());
    EXPECT_TRUE(MainFrm->pnlLoad->Visible());
    EXPECT_FALSE(MainFrm->gbPro->Visible());
    ASSERT_EQ(Tips.size(), 1u);
    EXPECT_EQ(Tips[0], "提示说明");
    EXPECT_FALSE(MainFrm->pnlCenter->Enabled());
    Login("user", "");
    EXPECT_TRUE(Boxes.Boxes.empty()) << Boxes.LastText().toStdString();
    EXPECT_FALSE(MainFrm->pnlLoad->Visible());
    EXPECT_TRUE(MainFrm->pnlCenter->Enabled());
    EXPECT_TRUE(MainFrm->PanelHelp->Visible());
    EXPECT_EQ(DM->UName1, "user");
    EXPECT_NE(DM->UID, "0");
    // Today's target row was written once.
    EXPECT_EQ(Db.Scalar("select count(*) from BDKcal where UID = :U", {{"U", DM->UID}}), "1");
}

TEST_F(MainWindow, WrongPasswordAndInjectionAreRefused) {
    Start();
    Login("user", "secret");
    EXPECT_EQ(Boxes.LastText(), "用户名或密码错误");
    EXPECT_EQ(Boxes.LastCaption(), "信息提示");
    Login("' or 1=1 or '", "' or 1=1 or '");
    EXPECT_EQ(Boxes.Boxes.size(), 2u);
    EXPECT_EQ(Boxes.LastText(), "用户名或密码错误");
    EXPECT_EQ(DM->UID, "0");
    EXPECT_TRUE(MainFrm->pnlLoad->Visible());
}

TEST_F(MainWindow, RememberedLoginIsWrittenAndCleared) {
    Db.Exec("update UInfo set UPWD = :P where UName1 = 'user'",
            {{"P", DesEncryptToHex("密码1", PasswordKey)}});
    Start();
    Login("  user ", "密码1", true);
    EXPECT_EQ(Ini("UID"), "user");  // trimmed by the settings file's own rules
    EXPECT_EQ(DesDecryptFromHex(Ini("PWD"), PasswordKey), "密码1");
    EXPECT_EQ(DM->UPWD, "密码1");
    delete MainFrm;
    // Next start: the remembered name and password fill the panel.
    MainFrm = new TMainFrm(Application);
    MainFrm->ShowForm();
    MainFrm->BuildHiddenParts();  // as the program does once the window is on the screen
    EXPECT_EQ(MainFrm->edtUID->Text(), "user");
    EXPECT_EQ(MainFrm->edtPWD->Text(), "密码1");
    EXPECT_TRUE(MainFrm->chk_UP->Checked());
    MainFrm->LoadingWaitMs = 0;
    MainFrm->Timer1Timer(nullptr);
    Login("user", "密码1", false);
    EXPECT_EQ(Ini("UID"), "");
    EXPECT_EQ(Ini("PWD"), "");
}

TEST_F(MainWindow, ARememberedPasswordThatIsNotHexIsIgnored) {
    TIniFile(Db.Folder() + "UInfo.ini").WriteString("UINFO", "PWD", "ZZ-not-hex");
    TIniFile(Db.Folder() + "UInfo.ini").WriteString("UINFO", "UID", "user");
    Start();
    EXPECT_EQ(MainFrm->edtPWD->Text(), "");
    EXPECT_EQ(MainFrm->edtUID->Text(), "user");
}

TEST_F(MainWindow, TodayPanelSplitsTheTargetAndBalancesActivity) {
    Db.Exec(
        "update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1 where UName1 = 'user'");
    Start();
    Login("user", "");
    const QString today = DateToISO(Date());
    DM->DayKcal = "2000";
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values "
            "(:U, '早餐', 1, 100, 500.4, :D, 1), (:U, '午加餐', 2, 50, 200, :D, 1)",
            {{"U", DM->UID}, {"D", today}});
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblDayKcal->Caption(), "2000Kcal");
    EXPECT_EQ(MainFrm->lblZC->Caption(), "600Kcal");
    EXPECT_EQ(MainFrm->lblWC->Caption(), "800Kcal");
    EXPECT_EQ(MainFrm->lblNC->Caption(), "600Kcal");
    EXPECT_EQ(MainFrm->lblZC1->Caption(), "500Kcal");
    EXPECT_EQ(MainFrm->lblWC11->Caption(), "200Kcal");
    EXPECT_EQ(MainFrm->lblNC1->Caption(), "0Kcal");
    EXPECT_FALSE(MainFrm->lblT1->Visible());
    EXPECT_TRUE(MainFrm->lblT2->Visible());
    EXPECT_EQ(MainFrm->lblSumKcal->Caption(), "700Kcal");
    EXPECT_EQ(MainFrm->lblKcalHInt->Caption(), "还需补充：1300Kcal");
    // Activity energy raises what may still be eaten.
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, 1, 30, 60)",
            {{"U", DM->UID}, {"D", today}});
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblHDXH->Caption(), "60Kcal");
    EXPECT_EQ(MainFrm->lblKcalHInt->Caption(), "还需补充：1360Kcal");
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '晚餐', 3, 100, "
            "1359.6, :D, 1)",
            {{"U", DM->UID}, {"D", today}});
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblKcalHInt->Caption(), "热量平衡");
    Db.Exec("update CKRcd set KCal = 1500 where CKCLS = '晚餐'");
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblKcalHInt->Caption(), "热量超过：140Kcal");
    // Another day's records never stay on the panel.
    Db.Exec("update CKRcd set CKDate = '2000-01-01'");
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblZC1->Caption(), "0Kcal");
    EXPECT_TRUE(MainFrm->lblT1->Visible());
}

TEST_F(MainWindow, ActivityEnergyIsPerUser) {
    Start();
    Login("user", "");
    Db.Exec("insert into UInfo (UName, UName1, HT) values ('other', 'other', 1)");
    const QString other = Db.Scalar("select UID from UInfo where UName1 = 'other'");
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, 1, 30, 99)",
            {{"U", other}, {"D", DateToISO(Date())}});
    EXPECT_EQ(MainFrm->SumActivityKcal(DateToISO(Date())), "0");
}

TEST_F(MainWindow, SkinsChangeColoursAndImagesOnlyWhenAllFilesExist) {
    Start();
    MainFrm->ApplySkin(2, "MainFrm");
    EXPECT_EQ(MainFrm->pnlLeft1->Color(), MainFrm->PinkColor);
    EXPECT_EQ(MainFrm->imgMtop->Picture()->Width(), 0);  // no skin files in this folder
    QDir().mkpath(Db.Folder() + "Red");
    for (const char* f : {"PLine.Jpg", "MTop.jpg", "CTopLeft.jpg", "CTopCenter.jpg", "CTopcRight.jpg"})
        QFile::copy(QString(VELORIA_SOURCE_DIR "/data/skins/Red/") + f, Db.Folder() + "Red/" + f);
    MainFrm->ApplySkin(2, "MainFrm");
    EXPECT_EQ(MainFrm->imgMtop->Picture()->Width(), 1007);
    QFile::remove(Db.Folder() + "Red/CTopcRight.jpg");
    MainFrm->ApplySkin(1, "mainfrm");
    EXPECT_EQ(MainFrm->pnlLeft1->Color(), MainFrm->BlueColor);
}

// The colour in the middle of a picture, as drawn.
TColor MiddleOf(TPicture* picture) {
    if (!picture->Graphic()) return clNone;
    TBitmap canvas;
    canvas.SetPixelFormat(pf24bit);
    canvas.SetSize(picture->Width(), picture->Height());
    canvas.Canvas()->Draw(0, 0, picture->Graphic());
    return canvas.Canvas()->Pixels(picture->Width() / 2, picture->Height() / 2);
}

TEST_F(MainWindow, TheEnergyMethodWindowWearsTheSkinOfTheMomentEachTimeItOpens) {
    for (const char* skin : {"Blue", "Red"}) {
        QDir().mkpath(Db.Folder() + skin);
        const QDir source(QString(VELORIA_SOURCE_DIR "/data/skins/") + skin);
        for (const QFileInfo& file : source.entryInfoList(QDir::Files))
            QFile::copy(file.filePath(), Db.Folder() + skin + "/" + file.fileName());
    }
    TPicture blue, pink;
    blue.LoadFromFile(Db.Folder() + "Blue/CTopLeft.jpg");
    pink.LoadFromFile(Db.Folder() + "Red/CTopLeft.jpg");
    ASSERT_NE(MiddleOf(&blue), MiddleOf(&pink));
    Start();
    Login("user", "");
    std::vector<TColor> titles;
    QPointer<TForm> kept;
    OnModal = [&](TForm* form) {
        auto* method = dynamic_cast<TBKSetFrm*>(form);
        ASSERT_NE(method, nullptr);
        titles.push_back(MiddleOf(method->imgLeft->Picture()));
        if (!kept) kept = form;
        EXPECT_EQ(form, kept.data());
    };
    MainFrm->N6->Click();  // pink
    MainFrm->N3->Click();
    MainFrm->N5->Click();  // blue again
    MainFrm->N3->Click();
    EXPECT_EQ(titles, (std::vector<TColor>{MiddleOf(&pink), MiddleOf(&blue)}));
    // The one window kept between uses goes with the main window that keeps it.
    delete MainFrm;
    MainFrm = nullptr;
    EXPECT_TRUE(kept.isNull());
}

TEST_F(MainWindow, GuidePanelStaysHiddenOnceDismissed) {
    Start();
    Login("user", "");
    ASSERT_TRUE(MainFrm->PanelHelp->Visible());
    QTest::mouseClick(MainFrm->chkHint->Widget(), Qt::LeftButton);
    EXPECT_FALSE(MainFrm->PanelHelp->Visible());
    EXPECT_EQ(Ini("RunHelp"), "1");
    delete MainFrm;
    Start();
    Login("user", "");
    EXPECT_FALSE(MainFrm->PanelHelp->Visible());
}

TEST_F(MainWindow, TheGuidesFourArrowsPointDownInGapsBetweenItsSteps) {
    Start();
    Login("user", "");
    std::vector<TLabel*> steps;  // 第一步 .. 第六步, top to bottom
    for (const QString& name : {"第一步", "第二步", "第三步", "第四步", "第五步", "第六步"})
        for (int i = 0; i < MainFrm->PanelHelp->ControlCount(); ++i)
            if (auto* l = dynamic_cast<TLabel*>(MainFrm->PanelHelp->Controls(i)); l && l->Caption() == name)
                steps.push_back(l);
    ASSERT_EQ(steps.size(), 6u);
    std::set<int> gaps;
    for (TSkLine* arrow : {MainFrm->SkLine1, MainFrm->SkLine2, MainFrm->SkLine3, MainFrm->SkLine4}) {
        EXPECT_EQ(arrow->Parent(), MainFrm->PanelHelp);
        EXPECT_EQ(arrow->Width(), 20);
        EXPECT_EQ(arrow->Height(), 40);
        EXPECT_EQ(arrow->ShowArrows(), saEnd);
        // Straight down the middle, from 10 pixels in at the top to the tip 10 above the bottom.
        EXPECT_EQ(arrow->StartPoint(), Point(10, 10));
        EXPECT_EQ(arrow->EndPoint(), Point(10, 30));
        const int x = arrow->Left() + 10, top = arrow->Top() + 10, tip = arrow->Top() + 30;
        int gap = -1;
        for (int i = 0; i + 1 < 6; ++i)
            if (top > steps[i]->Top() + steps[i]->Height() && tip < steps[i + 1]->Top()) gap = i;
        EXPECT_GE(gap, 0) << "an arrow from y " << top << " to " << tip << " lies between no two steps";
        if (gap < 0) continue;
        gaps.insert(gap);
        EXPECT_GT(x, steps[gap]->Left());
        EXPECT_LT(x, steps[gap]->Left() + steps[gap]->Width());
    }
    EXPECT_EQ(gaps.size(), 4u);  // each in a gap of its own
}

TEST_F(MainWindow, TipsAndMenusSayTheRightThings) {
    TRecordingShellService shell;
    Start();
    Login("user", "");
    Tips.clear();
    MainFrm->Label9->Click();
    MainFrm->lbl3->Click();
    EXPECT_EQ(Tips, (std::vector<QString>{"基础代谢的定义", "警告"}));
    MainFrm->ShowMsgByTitle("没有这个标题");  // an empty tip window, no error
    EXPECT_EQ(Tips.back(), "没有这个标题");
    MainFrm->Label10->Click();
    EXPECT_EQ(Boxes.LastText(), "操作提示：选择自己经常食用的食物，再点击【设为常用食物】按钮设置为常用食物");
    MainFrm->QQ1->Click();
    EXPECT_EQ(Boxes.LastText(), "QQ号复制成功");
    MainFrm->N1->Click();
    ASSERT_EQ(shell.Opened.size(), 1u);
    EXPECT_TRUE(shell.Opened[0].endsWith("/buy/ChkVersion.aspx?CurV=1.0.0.1"));
    // A health label makes every tab label plain.
    MainFrm->Btn_CF->Click();
    MainFrm->Label12->Click();
    for (TLabel* l : {MainFrm->lblCF, MainFrm->lblSP, MainFrm->lblTC, MainFrm->lblDA, MainFrm->lblYYS})
        EXPECT_FALSE(l->Font()->HasStyle(fsBold));
    EXPECT_FALSE(MainFrm->pnlMain->Visible());
}

TEST_F(MainWindow, EnergyMethodChangesTheTargetOnlyOnOK) {
    Db.Exec(
        "update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1 where UName1 = 'user'");
    Start();
    Login("user", "");
    const QString before = DM->DayKcal;
    TBKSetFrm form(Application);
    form.ShowForm();
    EXPECT_TRUE(form.rb1->Checked());
    form.rb2->SetChecked(true);
    EXPECT_EQ(form.lbl2->Caption(), FormatFloat("0", DM->CalcKcalByActivity()) + "KCal");
    EXPECT_EQ(DM->DayKcal, before);  // "关闭" now would leave the target as it was
    form.btnOK->Click();
    EXPECT_EQ(DM->DayKcal, FormatFloat("0", DM->CalcKcalByActivity()));
    EXPECT_EQ(Ini("BKFLG"), "2");
    EXPECT_EQ(Boxes.LastText(), "设置成功");
    TIniFile(Db.Folder() + "UInfo.ini").WriteInteger("UINFO", "BKFLG", 7);
    form.ShowForm();
    EXPECT_FALSE(form.rb1->Checked());
    EXPECT_FALSE(form.rb2->Checked());
    form.btnOK->Click();
    EXPECT_EQ(Ini("BKFLG"), "0");
}

// The window is kept between openings; each opening shows the figure of today's profile.
TEST_F(MainWindow, TheEnergyMethodWindowShowsTheCurrentTargetEachTimeItOpens) {
    Db.Exec(
        "update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1 where UName1 = 'user'");
    Start();
    Login("user", "");
    QStringList shown;
    OnModal = [&](TForm* form) {
        auto* energy = dynamic_cast<TBKSetFrm*>(form);
        ASSERT_NE(energy, nullptr);
        shown << energy->lbl2->Caption();
        if (shown.size() == 1) {
            energy->rb2->SetChecked(true);
            energy->btnOK->Click();
        }
    };
    MainFrm->N3->Click();
    const QString at70 = FormatFloat("0", DM->CalcKcalByActivity()) + "KCal";
    // Ten kilograms more, as the profile page stores them.
    DM->TZ = "80";
    DM->DayKcal = FormatFloat("0", DM->GetDailyKcal(DM->GetKcalMode()));
    MainFrm->N3->Click();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], FormatFloat("0", DM->LookupDailyKcal()) + "KCal");
    EXPECT_EQ(shown[1], DM->DayKcal + "KCal");
    EXPECT_NE(shown[1], at70);
}

TEST_F(MainWindow, DailyNeedsShowTheUsersReferenceIntakes) {
    Db.Exec(
        "update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1 where UName1 = 'user'");
    Start();
    Login("user", "");
    QString kcal, protein, fat, carbohydrate, a, b1, b2, c, e;
    DM->GetEnergyNeeds(DM->Sex, DM->HT, DM->Age, kcal, protein, fat, carbohydrate);
    DM->GetVitaminNeeds(DM->Sex, DM->Age, a, b1, b2, c, e);
    ASSERT_FALSE(kcal.isEmpty());
    QStringList shown;
    QString title;
    OnModal = [&](TForm* form) {
        auto* needs = dynamic_cast<TYYSCKFrm*>(form);
        ASSERT_NE(needs, nullptr);
        title = needs->Label1->Caption();
        for (TLabel* l : {needs->LC_E, needs->LC_Pro, needs->LC_Va, needs->LC_Ca, needs->LC_Se})
            shown << l->Caption();
        needs->SpeedButton2->Click();
    };
    MainFrm->Label65->Click();
    EXPECT_EQ(title, "今日所需要营养素");
    ASSERT_EQ(shown.size(), 5);
    EXPECT_EQ(shown[0], kcal + "kcal");
    EXPECT_EQ(shown[1], protein + "g");
    EXPECT_EQ(shown[2], a + "ug");
    EXPECT_TRUE(shown[3].endsWith("mg")) << shown[3].toStdString();
    EXPECT_TRUE(shown[4].endsWith("ug")) << shown[4].toStdString();
}

TEST_F(MainWindow, TipFadesInFromATimer) {
    TMsgFrm tip(Application);
    EXPECT_EQ(tip.AlphaBlendValue(), 5);
    // The timer raises it by 25 a tick, in the event loop: the program goes on between the steps
    // instead of freezing for the second the fade takes. A busy machine only makes the ticks late.
    std::set<int> seen;
    QDeadlineTimer deadline(10000);
    while (tip.AlphaBlendValue() < 255 && !deadline.hasExpired()) {
        QTest::qWait(5);
        seen.insert(tip.AlphaBlendValue());
    }
    EXPECT_EQ(tip.AlphaBlendValue(), 255);
    for (int value : seen)
        EXPECT_TRUE(value == 255 || (value - 5) % 25 == 0) << value;
    EXPECT_GE(std::count_if(seen.begin(), seen.end(), [](int v) { return v > 5 && v < 255; }), 1)
        << "no step of the fade was seen between its ends";
    tip.chckbx1->Show();
    QTest::mouseClick(tip.chckbx1->Widget(), Qt::LeftButton);
    QTest::mouseClick(tip.chckbx1->Widget(), Qt::LeftButton);
    EXPECT_EQ(Ini("RunCon"), "1");
}

TEST_F(MainWindow, ALoginNameOrPasswordWithAControlCharacterIsRefusedAndNeverRemembered) {
    // Such a name may have been stored by an earlier version of the profile page.
    Db.Exec("insert into UInfo (UName, UName1, HT) values ('注入', :N, 1)", {{"N", "x\nRunHelp=1\n[Other]"}});
    TIniFile(Db.Folder() + "UInfo.ini").WriteInteger("UINFO", "BKFLG", 2);
    QFile file(Db.Folder() + "UInfo.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    Start();
    Login("x\nRunHelp=1\n[Other]", "", true);
    EXPECT_EQ(Boxes.LastText(), "登陆名称不能包含换行符等控制字符");
    EXPECT_EQ(DM->UID, "0");
    Login("user", QString("pw") + QChar(0), true);
    EXPECT_EQ(Boxes.LastText(), "登陆密码不能包含换行符等控制字符");
    EXPECT_EQ(DM->UID, "0");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(MainWindow, TodaysTargetWrittenByAnotherCopyMeanwhileIsKeptWithoutAnError) {
    // Another copy of the program stores today's row between this login's look and its write.
    Db.Exec(
        "create trigger OtherCopy before insert on BDKcal when not exists (select 1 from BDKcal where UID = "
        "new.UID and WRDate = new.WRDate) begin insert into BDKcal (KCal, UID, WRDate) values (1234, "
        "new.UID, "
        "new.WRDate); end");
    Start();
    Login();
    EXPECT_TRUE(Boxes.Boxes.empty()) << Boxes.LastText().toStdString();
    EXPECT_EQ(Db.Scalar("select count(*) from BDKcal where UID = :U", {{"U", DM->UID}}), "1");
    EXPECT_EQ(Db.Scalar("select KCal from BDKcal where UID = :U", {{"U", DM->UID}}), "1234");
}

TEST_F(MainWindow, HintsAreBlueBalloonsAndTheMenusAreDrawnInTheProgramsLook) {
    Start();
    // The application's hint window is a balloon that took the main window's settings.
    auto* hints = dynamic_cast<TSkCustomHintWindow*>(Application->HintWindow());
    ASSERT_NE(hints, nullptr);
    EXPECT_EQ(hints->CaptionWidth(), 200);
    EXPECT_EQ(hints->CenterThreshold(), 0);
    EXPECT_EQ(hints->FrameColor(), TColor(0x0080FF));
    EXPECT_EQ(hints->Font()->Color(), TColor(clBlue));
    // 14 pixels are 10.5 points; fonts here hold whole points.
    EXPECT_NEAR(hints->Font()->Size(), 10.5, 0.5);
    EXPECT_EQ(Application->HintPause(), 100);
    // Every item of the window's menus, made after the controller, is measured and drawn by it.
    for (TMenuItem* item : {MainFrm->ddd1, MainFrm->N3, MainFrm->N5, MainFrm->N6, MainFrm->QQ1})
        EXPECT_TRUE(item->OnAdvancedDrawItem && item->OnMeasureItem) << item->Name().toStdString();
}

// The personal centre can be opened before anyone logs in (it stays behind the disabled main area); after the
// login it shows the user who logged in, not the nobody it was opened for.
TEST_F(MainWindow, APersonalCentreOpenedBeforeTheLoginShowsTheUserAfterIt) {
    Start();
    QTest::mouseClick(MainFrm->Btn_PerInfo->Widget(), Qt::LeftButton);
    ASSERT_NE(Frm_UInfo, nullptr);
    EXPECT_EQ(Frm_UInfo->lblUID->Caption(), "");
    Login("user", "");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(Frm_UInfo, nullptr);
    EXPECT_EQ(Frm_UInfo->lblUID->Caption(), "user");
    EXPECT_EQ(Frm_UInfo->lblName->Caption(), "新用户");
}
