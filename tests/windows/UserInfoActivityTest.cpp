// The personal centre's activity page and the activity catalogue window.
#include "PersonalCentreFixture.h"
#include "UnitHDMX.h"
#include "UnitSetHT.h"
#include "WidgetInput.h"

#include <QContextMenuEvent>

namespace {

class ActivityPage : public PersonalCentre {
protected:
    void SetUp() override {
        PersonalCentre::SetUp();
        // 洗碗 (2 kcal a minute) and 站立 (1.5); the rest of the list is no activity.
        Db.Exec("update UInfo set SPID = '1, 3,abc,999' where UID = :U", {{"U", Uid}});
    }
    void OpenToday() {
        Centre->btnSPLst->Click();
        OpenDay(Centre->SGHD, Today());
    }
    TStringGrid* Grid() const { return Centre->SG1; }
    QString Stored(int activity) {
        const QVariantMap key{{"U", Uid}, {"S", activity}, {"D", TodayISO()}};
        const QString where = " from SPRcd where UID = :U and SPID = :S and DT = :D";
        return Db.Scalar("select SPTime" + where, key) + "|" + Db.Scalar("select KCal" + where, key);
    }
};

// The catalogue shown beside the personal centre, as its link shows it.
class Catalogue : public PersonalCentre {
protected:
    void SetUp() override {
        PersonalCentre::SetUp();
        Form = new TSetHTFrm(Centre);
        Form->ShowForm();
    }
    // The list and index showing an activity.
    std::pair<TSkCheckList*, int> Find(const QString& title) {
        for (TSkCheckList* list : {Form->RC_A, Form->RC_B, Form->RC_C, Form->RC_D})
            if (const int i = list->Items()->IndexOf(title); i >= 0) return {list, i};
        return {nullptr, -1};
    }
    void Popup(const QString& title, TMenuItem* item) {
        const auto [list, index] = Find(title);
        ASSERT_NE(list, nullptr) << title.toStdString();
        list->SetItemIndex(index);
        Form->PopupMenu1->SetPopupComponent(list);
        item->Click();
    }
    QString Edit(int type, const QString& title, const QString& kcal) {
        Form->cbbHT->SetItemIndex(type - 1);
        Form->edtHT->SetText(title);
        Form->edtXH->SetText(kcal);
        Boxes.Boxes.clear();
        Form->SkButton1->Click();
        return Boxes.LastText();
    }
    TSetHTFrm* Form = nullptr;
};

}  // namespace

TEST_F(ActivityPage, ADayIsSavedReloadedMergedAndReplaced) {
    OpenToday();
    EXPECT_TRUE(Centre->pnlHDJL->Showing());
    EXPECT_EQ(Centre->edtDT4->Text(), TodayISO());
    ASSERT_EQ(Grid()->RowCount(), 4);  // two activities and the empty row
    EXPECT_EQ(Grid()->Cells(1, 1), "洗碗");
    EXPECT_EQ(Grid()->Cells(1, 2), "站立");
    EXPECT_EQ(Grid()->Cells(7, 2), "1.5");
    EXPECT_EQ(Grid()->Cells(10, 1), "1");

    TypeIntoCell(Grid(), 2, 1, "30");
    EXPECT_EQ(Grid()->Cells(3, 1), "60.0");
    EXPECT_EQ(Grid()->Cells(10, 1), "");
    // No minutes spent is no activity: refused, and nothing is stored.
    TypeIntoCell(Grid(), 2, 2, "0");
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.LastText(), "【站立】活动时间不正确");
    EXPECT_EQ(Scalar("select count(*) from SPRcd"), "0");
    Grid()->SetCells(2, 2, QString());
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Stored(1), "30|60");
    EXPECT_EQ(Stored(3), "|");
    EXPECT_EQ(MainFrm->lblHDXH->Caption(), "60Kcal");

    // Back to the calendar and in again: the day's minutes and energy come back.
    Centre->btn1->Click();
    EXPECT_TRUE(Centre->pnlHDCla->Showing());
    int col = 0, row = 0;
    ASSERT_TRUE(FindDay(Centre->SGHD, Today(), col, row));
    EXPECT_EQ(dynamic_cast<TCLA*>(Centre->SGHD->Objects(col, row))->value, "60");
    OpenDay(Centre->SGHD, Today());
    EXPECT_EQ(Grid()->Cells(2, 1), "30");
    EXPECT_EQ(Grid()->Cells(3, 1), "60");
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.LastText(), "没有录入新记录，不用保存。");

    TypeIntoCell(Grid(), 2, 1, "10");
    Boxes.Boxes.clear();
    Boxes.Answers = {IDOK};
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.Boxes.front().Text,
              TodayISO() + "的【洗碗】时间30分钟 已录入。点击“确定”合拼记录；点击“取消”替换记录");
    EXPECT_EQ(Stored(1), "40|80");
    TypeIntoCell(Grid(), 2, 1, "5");
    Boxes.Answers = {IDCANCEL};
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Stored(1), "5|10");
    EXPECT_EQ(MainFrm->lblHDXH->Caption(), "10Kcal");

    Centre->btnClearHD->Click();
    EXPECT_EQ(Grid()->Cells(2, 1), "");
    EXPECT_EQ(Grid()->Cells(1, 1), "洗碗");
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.LastText(), "没有录入活动时间，不能保存");
}

TEST_F(ActivityPage, MinutesThatAreNoNumberAreRefusedAndAFailedSaveStoresNothing) {
    OpenToday();
    TypeIntoCell(Grid(), 2, 1, "1.2.3");
    TypeIntoCell(Grid(), 2, 2, "20");
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.LastText(), "【洗碗】活动时间不正确");
    EXPECT_EQ(Scalar("select count(*) from SPRcd"), "0");

    TypeIntoCell(Grid(), 2, 1, "15");
    Db.Exec("create trigger NoStanding before insert on SPRcd when new.SPID = 3 begin select raise(abort, "
            "'no'); end");
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.LastText(), "保存失败，请重新保存。");
    EXPECT_EQ(Scalar("select count(*) from SPRcd"), "0");
    EXPECT_EQ(Grid()->Cells(10, 1), "");
}

TEST_F(ActivityPage, ClipboardKeysWorkInTheMinutesEditorAndNowhereElse) {
    OpenToday();
    ClickCell(Grid(), 2, 1);
    CheckClipboardKeysInCell(Grid(), "25");
    EXPECT_EQ(Grid()->Cells(3, 1), "50505050.0");  // 2 kcal a minute
}

TEST_F(ActivityPage, PastedMinutesMustLieFrom0Point1UpTo100000) {
    OpenToday();
    auto paste = [&](const QString& minutes) {
        Grid()->SetCells(2, 1, minutes);
        Centre->SG1SetEditText(Grid(), 2, 1, minutes);
    };
    for (const QString& minutes : {QString("0"), QString("-30"), QString("100001"), QString("1e308"),
                                   QString("1e999"), QString("nan"), QString("1,5")}) {
        paste(minutes);
        Centre->Btn_SaveHT->Click();
        EXPECT_EQ(Boxes.LastText(), "【洗碗】活动时间不正确") << minutes.toStdString();
    }
    // The records keep one decimal: a positive amount below 0.1 would be stored as 0.
    for (const QString& minutes : {QString("4.9e-324"), QString("0.09")}) {
        PasteIntoCell(Grid(), 2, 1, minutes);
        EXPECT_EQ(Grid()->Cells(2, 1), minutes);
        ClickOn(Centre->Btn_SaveHT);
        EXPECT_EQ(Boxes.LastText(), "【洗碗】活动时间不正确") << minutes.toStdString();
    }
    EXPECT_EQ(Scalar("select count(*) from SPRcd"), "0");
    paste("100000");
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Stored(1), "100000|200000");
}

TEST_F(ActivityPage, AnEmptyActivityListShowsNoRows) {
    Db.Exec("update UInfo set SPID = '' where UID = :U", {{"U", Uid}});
    OpenToday();
    EXPECT_EQ(Grid()->RowCount(), 2);
    EXPECT_EQ(Grid()->Cells(1, 1), "");
    // The link opens the catalogue, anew and modally.
    Centre->btnSPLst->Click();
    EXPECT_TRUE(Centre->lblSetHD->Showing());
    Centre->lblSetHD->Click();
    EXPECT_EQ(Modals.back(), "SetHTFrm");
    MainFrm->N2->Click();
    EXPECT_EQ(Modals.size(), 2u);
}

TEST_F(ActivityPage, AMergedRowShowsWhatIsStoredAndTheDayDetailTotalsItsRowsAsShown) {
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, 1, 15.2, 30.4), (:D, :U, 3, "
            "20.3, 30.4)",
            {{"U", Uid}, {"D", TodayISO()}});
    OpenToday();
    TypeIntoCell(Grid(), 2, 1, "10");
    Boxes.Answers = {IDOK};
    Centre->Btn_SaveHT->Click();
    EXPECT_EQ(Stored(1), "25.2|50.4");
    EXPECT_EQ(Grid()->Cells(2, 1), "25.2");
    EXPECT_EQ(Grid()->Cells(3, 1), "50");
    EXPECT_EQ(Grid()->Cells(10, 1), "1");
    THDMXFrm detail(Centre);
    detail.LoadDay(TodayISO());
    EXPECT_EQ(detail.SGHD->Cells(3, 1), "50Kcal");
    EXPECT_EQ(detail.SGHD->Cells(3, 2), "30Kcal");
    EXPECT_EQ(detail.lblSPSum->Caption(), "80Kcal");  // 50 + 30 as listed, not 50.4 + 30.4 rounded
}

TEST_F(ActivityPage, TheDayDetailListsARecordWhoseActivityIsGone) {
    Db.Exec("pragma foreign_keys = off");
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values ('2024-06-04', :U, 1, 30, 60), "
            "('2024-06-04', :U, 4242, 20, 40)",
            {{"U", Uid}});
    Db.Exec("pragma foreign_keys = on");
    THDMXFrm detail(Centre);
    detail.LoadDay("2024-6-4");
    EXPECT_EQ(detail.SGHD->Cells(1, 1), "洗碗");
    EXPECT_EQ(detail.SGHD->Cells(1, 2), "(已删除的活动)");
    EXPECT_EQ(detail.SGHD->Cells(3, 2), "40Kcal");
    EXPECT_EQ(detail.lblSPSum->Caption(), "100Kcal");
    detail.LoadDay("2024-06-05");
    EXPECT_EQ(detail.SGHD->RowCount(), 2);
    EXPECT_EQ(detail.lblSPSum->Caption(), "0Kcal");
}

TEST_F(Catalogue, TheListsGoByTypeAndTickTheUsersActivities) {
    Db.Exec("update UInfo set SPID = '20,1,999' where UID = :U", {{"U", Uid}});
    Form->LoadLists();
    // The delivered catalogue: 11 very light, 8 light, 17 moderate and 18 heavy activities.
    EXPECT_EQ(Form->RC_A->Count(), 11);
    EXPECT_EQ(Form->RC_B->Count(), 8);
    EXPECT_EQ(Form->RC_C->Count(), 17);
    EXPECT_EQ(Form->RC_D->Count(), 18);
    EXPECT_EQ(Form->RC_A->Items()->Strings(0), "洗碗");
    EXPECT_TRUE(Form->RC_A->ItemChecked(0));
    const auto [list, index] = Find("下楼梯");
    EXPECT_EQ(list, Form->RC_C);
    EXPECT_TRUE(list->ItemChecked(index));
    EXPECT_FALSE(Form->RC_A->ItemChecked(1));
    // Stored in list order; nothing ticked stores nothing.
    Form->RC_A->SetItemChecked(1, true);
    Form->SkButton7->Click();
    EXPECT_EQ(Scalar("select SPID from UInfo where UID = :U"), "1,2,20");
    EXPECT_FALSE(Form->Visible());
    Form->ShowForm();
    for (TSkCheckList* l : {Form->RC_A, Form->RC_B, Form->RC_C, Form->RC_D})
        for (int i = 0; i < l->Count(); ++i)
            l->SetItemChecked(i, false);
    Form->SkButton7->Click();
    EXPECT_EQ(Scalar("select SPID from UInfo where UID = :U"), "");
}

TEST_F(Catalogue, TicksGivenWithTheMouseAndTheSpaceBarAreWhatIsStored) {
    Db.Exec("update UInfo set SPID = '1' where UID = :U", {{"U", Uid}});
    Form->LoadLists();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
    auto click = [](TSkCheckList* list, int index, int x) {
        const TRect r = list->ItemRect(index);
        QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, QPoint(r.Left + x, (r.Top + r.Bottom) / 2));
    };
    click(Form->RC_A, 0, 8);    // 洗碗 (1) off, on its box
    click(Form->RC_A, 2, 8);    // 站立 (3) on
    click(Form->RC_A, 4, 100);  // the text of 织毛衣 makes it current and ticks nothing
    EXPECT_EQ(Form->RC_A->ItemIndex(), 4);
    const auto [list, index] = Find("下楼梯");  // 20
    ASSERT_NE(list, nullptr);
    list->SetItemIndex(index);
    QTest::keyClick(list->Widget(), Qt::Key_Space);
    Form->SkButton7->Click();
    EXPECT_EQ(Scalar("select SPID from UInfo where UID = :U"), "3,20");
}

TEST_F(Catalogue, TheMenuActsOnTheItemRightClicked) {
    Db.Exec("insert into SpSet (ID, sType, tit, Kcal, sysFlg) values (900, 2, '遛狗', 3, 0)");
    Form->LoadLists();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
    const auto [list, index] = Find("遛狗");
    ASSERT_EQ(list, Form->RC_B);
    list->SetItemIndex(0);  // 走路散步, built in, was current before the click
    TMenuItem* chosen = Form->N1;
    SetPopupHook([&](TPopupMenu* menu, int, int) {
        EXPECT_EQ(menu, Form->PopupMenu1);
        chosen->Click();
    });
    // A right click, and the context menu the desktop asks for after it.
    const TRect r = list->ItemRect(index);
    const QPoint at(r.Left + 40, (r.Top + r.Bottom) / 2);
    QWidget* viewport = Viewport(list);
    auto rightClick = [&] {
        QTest::mouseClick(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent menuAsked(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &menuAsked);
    };
    rightClick();
    EXPECT_EQ(Form->edtHT->Text(), "遛狗");
    EXPECT_TRUE(Form->gb->Showing());
    chosen = Form->N2;
    list->SetItemIndex(0);
    rightClick();
    SetPopupHook(nullptr);
    EXPECT_TRUE(Boxes.Boxes.empty()) << Boxes.LastText().toStdString();
    EXPECT_EQ(Scalar("select count(*) from SpSet where ID = 900"), "0");
    EXPECT_EQ(Find("遛狗").first, nullptr);
}

TEST_F(Catalogue, ItemsAreAddedAndRenamedWithUniqueTitles) {
    Form->SkButton3->Click();
    EXPECT_TRUE(Form->gb->Showing());
    EXPECT_EQ(Edit(0, "爬山", "6.5"), "请选择活动类型");
    EXPECT_EQ(Edit(3, "  ", "6.5"), "活动名称没有填写");
    for (const QString& kcal : {QString("abc"), QString("0"), QString("-1"), QString("1.2.3"), QString("")})
        EXPECT_EQ(Edit(3, "爬山", kcal), "热量消耗不正确") << kcal.toStdString();
    EXPECT_EQ(Edit(3, "爬山", "6.5"), "保存成功");
    EXPECT_GE(Find("爬山").second, 0);
    EXPECT_EQ(Find("爬山").first, Form->RC_C);
    EXPECT_EQ(Scalar("select sType || '|' || Kcal || '|' || sysFlg from SpSet where tit = '爬山'"),
              "3|6.5|0");
    EXPECT_EQ(Edit(1, "洗碗", "2"), "已有同名称，不能保存");
    EXPECT_EQ(Boxes.LastCaption(), "信息提示。");
    EXPECT_EQ(Edit(2, "Yoga", "3"), "保存成功");
    EXPECT_EQ(Edit(2, "YOGA", "3"), "已有同名称，不能保存");
    EXPECT_EQ(Edit(2, "O'Neil' or 1=1", "3"), "保存成功");
    EXPECT_GE(Find("O'Neil' or 1=1").second, 0);

    // Renaming starts from the item's own type and figures.
    Form->cbbHT->SetItemIndex(0);
    Popup("爬山", Form->N1);
    EXPECT_EQ(Form->edtHT->Text(), "爬山");
    EXPECT_EQ(Form->edtXH->Text(), "6.5");
    EXPECT_EQ(Form->cbbHT->ItemIndex(), 2);
    EXPECT_EQ(Edit(3, "爬山", "7"), "保存成功");  // its own title is no duplicate
    Popup("爬山", Form->N1);
    EXPECT_EQ(Edit(4, "洗碗", "7"), "已有同名称，不能修改");
    EXPECT_EQ(Boxes.LastCaption(), "信息提示。");
    EXPECT_EQ(Edit(4, "登山", "8"), "保存成功");
    EXPECT_EQ(Find("登山").first, Form->RC_D);
    EXPECT_EQ(Find("爬山").first, nullptr);
}

TEST_F(Catalogue, TitlesAndEnergiesAreCheckedBeforeAnItemIsStored) {
    Form->SkButton3->Click();
    const QString nul(QChar(0));
    EXPECT_EQ(Edit(3, "爬" + nul + "山", "6"), "活动名称不能包含换行符等控制字符");
    EXPECT_EQ(Edit(3, "爬\n山", "6"), "活动名称不能包含换行符等控制字符");
    EXPECT_EQ(Edit(3, QString(15, QChar(0x8DD1)), "6"), "活动名称不能超过14个字");
    for (const QString& kcal :
         {QString("100.1"), QString("1e308"), QString("1e999"), QString("inf"), QString("6,5")})
        EXPECT_EQ(Edit(3, "冲刺", kcal), "热量消耗不正确") << kcal.toStdString();
    EXPECT_EQ(Scalar("select count(*) from SpSet where tit like '%冲%' or length(tit) > 14"), "0");
    EXPECT_EQ(Edit(3, QString(14, QChar(0x8DD1)), "100"), "保存成功");
}

TEST_F(Catalogue, OnlyUnusedItemsOfUsersCanBeDeletedAndTheyLeaveEveryList) {
    Db.Exec("insert into SpSet (ID, sType, tit, Kcal, sysFlg) values (900, 2, '遛狗', 3, 0), (901, 2, "
            "'跳舞机', 5, 0)");
    Db.Exec("insert into UInfo (UName, UName1, HT, SPID) values ('别人', 'other', 1, '900,1')");
    Db.Exec("update UInfo set SPID = '1,900,3' where UID = :U", {{"U", Uid}});
    Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values ('2024-06-04', :U, 901, 10, 50)",
            {{"U", Uid}});
    Form->LoadLists();

    Popup("洗碗", Form->N2);
    EXPECT_EQ(Boxes.LastText(), "不能删除系统自带的运动项目");
    Popup("跳舞机", Form->N2);
    EXPECT_EQ(Boxes.LastText(), "此活动项已有活动记录，不能删除。");
    EXPECT_EQ(Scalar("select count(*) from SpSet where ID in (1, 901)"), "2");

    Boxes.Boxes.clear();
    Popup("遛狗", Form->N2);
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_EQ(Scalar("select count(*) from SpSet where ID = 900"), "0");
    EXPECT_EQ(Scalar("select SPID from UInfo where UID = :U"), "1,3");
    EXPECT_EQ(Scalar("select SPID from UInfo where UName1 = 'other'"), "1");
    EXPECT_EQ(Find("遛狗").first, nullptr);
}
