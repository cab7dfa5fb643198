// Texts whose sign or direction matters, worked out by hand: the today panel's work and activity
// energy and its balance line at the one-kcal limits, the analysis's day states and balance arrows,
// and the food day-detail window with a recipe that has left the book.
#include "PersonalCentreFixture.h"
#include "UnitYSMX.h"

namespace {

class TodayPanel : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowSession::SetUp();
        TIniFile(Db.Folder() + "UInfo.ini").WriteInteger("UINFO", "RunCon", 1);
        Start();
        Login();
        Today = DateToISO(Date());
    }
    // A man of 70 kg and 175 cm aged 30 with the day's target `target`.
    void Man(const QString& target) {
        DM->Sex = "男";
        DM->TZ = "70";
        DM->SG = "175";
        DM->Age = 30;
        DM->DayKcal = target;
    }
    void Eat(double kcal, const QString& meal = "午餐") {
        Db.Exec(
            "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, :M, 1, 100, :K, :D, 1)",
            {{"U", DM->UID}, {"M", meal}, {"K", kcal}, {"D", Today}});
    }
    void Move(int activity, double kcal) {
        Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, :A, 30, :K)",
                {{"U", DM->UID}, {"A", activity}, {"K", kcal}, {"D", Today}});
    }
    QString Today;
};

}  // namespace

TEST_F(TodayPanel, WorkEnergyIsTheTargetLessTheBasalEnergyWithItsSign) {
    // Basal energy 67 + 13.73 x 70 + 5 x 175 - 6.9 x 30 = 1696.1.
    Man("2000");
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblJCDX->Caption(), "1696");
    EXPECT_EQ(MainFrm->lblGZXH->Caption(), "304KCal");  // 2000 - 1696.1
    Man("1500");
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblGZXH->Caption(), "-196KCal");  // below the basal energy: negative
    // A woman of 60 kg and 165 cm aged 30: 655 + 9.6 x 60 + 1.72 x 165 - 4.7 x 30 = 1373.8.
    DM->Sex = "女";
    DM->TZ = "60";
    DM->SG = "165";
    DM->DayKcal = "2000";
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblJCDX->Caption(), "1374");
    EXPECT_EQ(MainFrm->lblGZXH->Caption(), "626KCal");
    // Without a weight there is no basal energy, and the work energy keeps its last text.
    DM->TZ = "";
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblJCDX->Caption(), "0");
    EXPECT_EQ(MainFrm->lblGZXH->Caption(), "626KCal");
}

TEST_F(TodayPanel, ActivityEnergyIsTheDaysRoundedSumAndRaisesWhatMayBeEaten) {
    Man("2000");
    Move(1, 30.4);
    Move(2, 30.4);
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblHDXH->Caption(), "61Kcal");  // 60.8 rounded
    EXPECT_EQ(MainFrm->lblKcalHInt->Caption(), "还需补充：2061Kcal");
    // Yesterday's activity counts neither in the label nor in the balance.
    Db.Exec("update SPRcd set DT = '2000-01-01'");
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblHDXH->Caption(), "0Kcal");
    EXPECT_EQ(MainFrm->lblKcalHInt->Caption(), "还需补充：2000Kcal");
}

TEST_F(TodayPanel, TheBalanceLineTurnsAtOneKcalEitherWay) {
    Man("2000");
    // What is left R = target + activity - intake: at least 1 still to eat, at most -1 too much.
    const struct {
        double Intake;
        const char* Line;
    } cases[] = {
        {1999, "还需补充：1Kcal"},      // R 1
        {1999.01, "热量平衡"},          // R 0.99
        {2000.99, "热量平衡"},          // R -0.99
        {2001, "热量超过：1Kcal"},      // R -1
        {2250.5, "热量超过：251Kcal"},  // R -250.5
    };
    for (const auto& c : cases) {
        Db.Exec("delete from CKRcd");
        Eat(c.Intake);
        MainFrm->RefreshTodayIntake();
        EXPECT_EQ(MainFrm->lblKcalHInt->Caption(), QString::fromUtf8(c.Line)) << c.Intake;
        EXPECT_EQ(MainFrm->lblWC1->Caption(), QString::number(std::lround(c.Intake)) + "Kcal");
    }
}

TEST_F(TodayPanel, EachMainMealHidesOnlyItsOwnNotEnteredMark) {
    Man("2000");
    const struct {
        const char* Meal;
        bool Breakfast, Lunch, Dinner;  // whether each (未录入） mark still shows
    } cases[] = {
        {"早加餐", true, true, true}, {"午加餐", true, true, true}, {"晚加餐", true, true, true},
        {"早餐", false, true, true},  {"午餐", true, false, true},  {"晚餐", true, true, false},
    };
    for (const auto& c : cases) {
        Db.Exec("delete from CKRcd");
        Eat(100, QString::fromUtf8(c.Meal));
        MainFrm->RefreshTodayIntake();
        EXPECT_EQ(MainFrm->lblT1->Visible(), c.Breakfast) << c.Meal;
        EXPECT_EQ(MainFrm->lblT2->Visible(), c.Lunch) << c.Meal;
        EXPECT_EQ(MainFrm->lblT3->Visible(), c.Dinner) << c.Meal;
    }
}

namespace {

class PeriodAnalysis : public PersonalCentre {};

}  // namespace

TEST_F(PeriodAnalysis, DayStatesAt900KcalAndTheBalanceArrows) {
    RecordDay("2024-07-01", 800, 899, 0);      // below 900: too little, whatever the balance
    RecordDay("2024-07-02", 800, 900, 100);    // 900 eaten, 900 spent
    RecordDay("2024-07-03", 800, 950.4, 150);  // 0.4 more eaten than spent
    RecordDay("2024-07-04", 1000, 1200, 100);  // 100 more eaten
    RecordDay("2024-07-05", 1500, 1200, 100);  // 400 more spent
    Centre->btnAna->Click();
    Centre->DT9->SetCaption("2024-07-01");
    Centre->DT10->SetCaption("2024-07-31");
    Centre->btn_Ana->Click();
    std::map<QString, std::pair<QString, QString>> days;  // state, balance
    for (TADOQuery* q = Centre->qryAna; !q->Eof(); q->Next())
        days[q->FieldByName("CKDate")->AsString()] = {q->FieldByName("CKCAL")->AsString(),
                                                      q->FieldByName("DKCAL")->AsString()};
    using TDay = std::pair<QString, QString>;
    EXPECT_EQ(days["2024-07-01"], TDay("热量摄入不足", "99↑"));
    EXPECT_EQ(days["2024-07-02"], TDay("热量平衡", "0="));
    EXPECT_EQ(days["2024-07-03"], TDay("吸收热量", "0="));  // the arrow follows the rounded figure
    EXPECT_EQ(days["2024-07-04"], TDay("吸收热量", "100↑"));
    EXPECT_EQ(days["2024-07-05"], TDay("消耗热量", "-400↓"));
    // The period: 5149.4 eaten, 4900 basal, 450 activity: 200.6 spent beyond what was eaten.
    EXPECT_EQ(Centre->edtSKCal->Text(), "5149.40KCal");
    EXPECT_EQ(Centre->edtOKcal->Text(), "4900.00KCal");
    EXPECT_EQ(Centre->edtHKCal->Text(), "450.00KCal");
    EXPECT_EQ(Centre->edtFat->Text(), "消耗-201KCal");
    EXPECT_EQ(Centre->edtFat->Font()->Color(), clBlack);
}

TEST_F(PeriodAnalysis, TheFoodDayDetailListsFoodsThenRecipesAndARecipeThatIsGone) {
    Db.Exec("insert into SPInfo (ID, SPCls, SPName) values (9001, '汤类', '番茄汤'), (9002, '米饭', '炒饭')");
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '晚餐', 9001, 200, 80.4, 2.6, 1.4, 12.5, '2024-07-09', 2), "
            "(:U, '早餐', 1, 50, 169, 5.95, 0.65, 37.6, '2024-07-09', 1), "
            "(:U, '午餐', 9002, 300, 450.5, 12, 15, 60, '2024-07-09', 2), "
            "(:U, '午餐', 1, 100, 338, 11.9, 1.3, 75.2, '2024-07-10', 1)",
            {{"U", Uid}});
    Db.Exec("delete from SPInfo where ID = 9002");
    YSMXFrm = new TYSMXFrm(Centre);
    YSMXFrm->LoadDay("2024-7-9");
    const QStringList rows[] = {{"早餐", "小麦", "50克", "169Kcal", "1克", "6克", "38克"},
                                {"晚餐", "番茄汤", "200克", "80Kcal", "1克", "3克", "13克"},
                                {"午餐", "(已删除的食谱)", "300克", "451Kcal", "15克", "12克", "60克"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 7; ++c)
            EXPECT_EQ(YSMXFrm->SGYS->Cells(c, r), rows[r - 1][c - 1]) << r << "," << c;
    EXPECT_EQ(YSMXFrm->SGYS->RowCount(), 5);             // one empty row after the records
    EXPECT_EQ(YSMXFrm->lblYSSum->Caption(), "700KCal");  // 169 + 80 + 451
    YSMXFrm->Close();
}
