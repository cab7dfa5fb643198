// The personal centre's weight page: weighings with their trends, the profile's weight and the history.
#include "PersonalCentreFixture.h"

#include <QWidget>

namespace {

class WeightPage : public PersonalCentre {
protected:
    void SetUp() override {
        PersonalCentre::SetUp();
        Centre->btnNet->Click();
        Centre->lblDate->SetCaption("2024-6-1");
        Centre->RefreshCalendar();
    }
    // Opens a day of June 2024, types the weight and saves; gives the box's text.
    QString Weigh(int day, const QString& weight) {
        OpenDay(Centre->SGTZ, day);
        Centre->edt_TZ->SetText(weight);
        Centre->btn_SaveTZ->Click();
        const QString said = Boxes.LastText();
        Centre->btnCTZLR->Click();
        return said;
    }
    QString Trends(int day) {
        return Db.Scalar(
            "select coalesce(TZ2, '') || '|' || coalesce(TZ3, '') from TZ where UID = :U and CDT = :D",
            {{"U", Uid}, {"D", QStringLiteral("2024-06-%1").arg(day, 2, 10, QLatin1Char('0'))}});
    }
};

}  // namespace

TEST_F(WeightPage, WeighingsCarryTrendsAgainstTheFirstAndTheLatestWeighing) {
    OpenDay(Centre->SGTZ, 3);
    EXPECT_EQ(Centre->edtDT1->Text(), "2024-06-03");
    EXPECT_TRUE(Centre->pnlTZLR->Showing());
    EXPECT_FALSE(Centre->SGTZ->Enabled());
    Centre->btnCTZLR->Click();
    EXPECT_TRUE(Centre->SGTZ->Enabled());

    EXPECT_EQ(Weigh(3, "70"), "保存成功。");  // the first weighing has no trends
    EXPECT_EQ(Trends(3), "|");
    EXPECT_EQ(Weigh(10, "72.5"), "保存成功");
    EXPECT_EQ(Trends(10), "↑2.5|↑2.5");
    EXPECT_EQ(Weigh(20, "71"), "保存成功");
    EXPECT_EQ(Trends(20), "↑1|↓-1.5");
    // Again on the latest day: the latest weighing is that day's own, unchanged.
    EXPECT_EQ(Weigh(20, "71"), "保存成功");
    EXPECT_EQ(Trends(20), "↑1|〓");
    // An earlier day compares with the latest weighing all the same.
    EXPECT_EQ(Weigh(5, "69.7"), "保存成功");
    EXPECT_EQ(Trends(5), "↓-0.3|↓-1.3");
    EXPECT_EQ(Scalar("select count(*) from TZ where UID = :U"), "4");

    EXPECT_EQ(Scalar("select TZ from UInfo where UID = :U"), "69.7");
    EXPECT_EQ(DM->TZ, "69.7");
    EXPECT_EQ(MainFrm->lblTZ->Caption(), "69.7KG");
    auto* cell = dynamic_cast<TCLA*>(Centre->SGTZ->Objects(Centre->SGTZ->Col(), Centre->SGTZ->Row()));
    ASSERT_NE(cell, nullptr);
    int col = 0, row = 0;
    ASSERT_TRUE(FindDay(Centre->SGTZ, 10, col, row));
    EXPECT_EQ(dynamic_cast<TCLA*>(Centre->SGTZ->Objects(col, row))->value, "73");
}

TEST_F(WeightPage, AWeightThatIsNoNumberOrBelowThreeIsRefused) {
    for (const QString& weight : {QString("2.9"), QString("1.2.3"), QString(""), QString("七十")}) {
        EXPECT_EQ(Weigh(3, weight), "输入的体重不正确") << weight.toStdString();
    }
    EXPECT_EQ(Scalar("select count(*) from TZ"), "0");
    EXPECT_EQ(Scalar("select TZ from UInfo where UID = :U"), "70");
    EXPECT_EQ(Weigh(3, "3.0"), "保存成功。");
    EXPECT_EQ(Scalar("select TZ1 from TZ where UID = :U"), "3");
}

TEST_F(WeightPage, AWeightAbove1000KgOrNotFiniteIsRefused) {
    for (const QString& weight : {QString("1000.1"), QString("1e308"), QString("1e999"), QString("inf"),
                                  QString("nan"), QString("70,5"), QString("-70")})
        EXPECT_EQ(Weigh(3, weight), "输入的体重不正确") << weight.toStdString();
    EXPECT_EQ(Scalar("select count(*) from TZ"), "0");
    EXPECT_EQ(Scalar("select TZ from UInfo where UID = :U"), "70");
    EXPECT_EQ(DM->DayKcal, FormatFloat("0", DM->GetDailyKcal(DM->GetKcalMode())));
    EXPECT_EQ(Weigh(3, "1000"), "保存成功。");
}

TEST_F(WeightPage, AWeighingThatCannotBeStoredLeavesTheProfilesWeight) {
    Db.Exec("create trigger NoWeight before insert on TZ begin select raise(abort, 'no weight'); end");
    const QString bodyType = MainFrm->lblZJ->Caption();
    EXPECT_EQ(Weigh(3, "90"), "保存失败，请重新保存。");
    EXPECT_EQ(Scalar("select TZ from UInfo where UID = :U"), "70");
    EXPECT_EQ(DM->TZ, "70");
    EXPECT_EQ(MainFrm->lblZJ->Caption(), bodyType);
}

TEST_F(WeightPage, TheHistoryListsTheWeighingsOfARange) {
    Db.Exec("insert into TZ (CDT, TZ1, TZ2, TZ3, UID) values ('2024-06-01', 70, '', '', :U), "
            "('2024-06-10', 71, '↑1', '↑1', :U), ('2024-06-20', 69, '↓-1', '↓-2', :U)",
            {{"U", Uid}});
    Centre->lblLSJL->Click();
    EXPECT_TRUE(Centre->pnlTZCX->Showing());
    EXPECT_EQ(Centre->lblLSTop->Caption(), ">> 历史体重记录");
    Centre->DT2->SetCaption("2024-06-20");
    Centre->DT3->SetCaption("2024-06-10");
    Centre->Btn_SearchTZ->Click();
    EXPECT_EQ(Boxes.LastText(), "起始日期不能大于终止日期不正确");
    Centre->DT2->SetCaption("2024-06-10");
    Centre->DT3->SetCaption("2024-06-10");
    Centre->Btn_SearchTZ->Click();
    EXPECT_EQ(Centre->AdoTZ->RecordCount(), 1);
    Centre->DT2->SetCaption("2024-06-01");
    Centre->DT3->SetCaption("2024-06-30");
    Centre->Btn_SearchTZ->Click();
    ASSERT_EQ(Centre->AdoTZ->RecordCount(), 3);
    EXPECT_EQ(Centre->bgTZ->Columns()->Items(2)->Title()->Caption(), "与最近一次体重比较");
    Centre->bgTZ->SetRow(3);
    EXPECT_EQ(Centre->bgTZ->DisplayText(0), "2024-06-20");
    EXPECT_EQ(Centre->bgTZ->DisplayText(2), "↓-2");
    EXPECT_EQ(Centre->bgTZ->DisplayText(3), "↓-1");
    Centre->btn1->Click();
    EXPECT_TRUE(Centre->pnlTZCla->Showing());
    // The calendar is in front again, over the history.
    QWidget* days = Centre->SGTZ->Widget();
    QWidget* page = Centre->pnlTZCla->Parent()->Widget();
    QWidget* seen = page->childAt(days->mapTo(page, days->rect().center()));
    EXPECT_TRUE(seen == days || days->isAncestorOf(seen));
    EXPECT_TRUE(Centre->pnlClaDate->Showing());
}
