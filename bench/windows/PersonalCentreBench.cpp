// The personal centre's heaviest steps on a year of records: saving a meal of 20 foods, building a
// month calendar, and the analysis of one year (365 days x 6 meals x 5 foods and one activity a day);
// the analysis of one year and the data module's opening (with its start-up checks) also on 10 and 30
// years of such records.
#include "DeliveredCopy.h"
#include "DirectSql.h"
#include "FoodTable.h"
#include "IntakeGrid.h"
#include "SilentBoxes.h"
#include "UintDM.h"
#include "UserInfoUnit.h"

#include <benchmark/benchmark.h>

namespace {

// A private copy of the delivered database with the delivered user logged in, and the window on it.
class TCentreOnCopy {
public:
    TCentreOnCopy() {
        LoadFoodTables();
        SetMessageService(&FBoxes);
        FModule = std::make_unique<TDM>();
        DM = FModule.get();
        DM->ExePath = ProgramFolder();
        Exec("update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1");
        DM->UID = Value("select UID from UInfo");
        DM->DayKcal = "2200";
        Centre = std::make_unique<TFrm_UInfo>(nullptr);
        Centre->ShowForm();
    }
    ~TCentreOnCopy() {
        Centre.reset();
        DM = nullptr;
        FModule.reset();
        SetMessageService(nullptr);
    }
    void Exec(const QString& sql, const QVariantMap& params = {}) { ExecOnModule(sql, params); }
    QString Value(const QString& sql) { return ValueOnModule(sql); }
    // `years` of records ending today, as SeedYear makes them, written by one statement a table.
    void SeedYears(int years) {
        const QVariantMap params{{"U", DM->UID}, {"Days", years * 365}, {"Today", DateToISO(Date())}};
        // Each day D of the history, ending today.
        const QString days = "with recursive N(I, D) as (select 0, :Today union all select I + 1, "
                             "date(:Today, '-' || (I + 1) || ' days') from N where I + 1 < :Days) ";
        const QString meals = "(select 0 as K, '早餐' as C union all select 1, '早加餐' union all "
                              "select 2, '午餐' union all select 3, '午加餐' union all select 4, '晚餐' "
                              "union all select 5, '晚加餐') M";
        const QString foods = "(select 1 as F union all select 2 union all select 3 union all select 4 "
                              "union all select 5) F";
        Exec(days +
                 "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) "
                 "select :U, M.C, M.K * 5 + F.F, 100, 80, 3, 2, 12, D, 1 from N, " +
                 meals + ", " + foods,
             params);
        Exec(days + "insert into SPRcd (DT, UID, SPID, SPTime, KCal) select D, :U, 1, 30, 60 from N", params);
        Exec(days + "insert or ignore into BDKcal (KCal, UID, WRDate) select 2200, :U, D from N", params);
    }
    // A year of records ending today: six meals of five foods and one activity a day.
    void SeedYear() {
        DM->Transaction([&] {
            for (int d = 0; d < 365; ++d) {
                const QString date = DateToISO(Date() - d);
                const char* meals[] = {"早餐", "早加餐", "午餐", "午加餐", "晚餐", "晚加餐"};
                for (int m = 0; m < 6; ++m)
                    for (int f = 1; f <= 5; ++f)
                        DM->Exec(
                            "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) "
                            "values (:U, :M, :F, 100, 80, 3, 2, 12, :D, 1)",
                            {{"U", DM->UID}, {"M", meals[m]}, {"F", f + m * 5}, {"D", date}});
                DM->Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, 1, 30, 60)",
                         {{"U", DM->UID}, {"D", date}});
                DM->Exec("insert or ignore into BDKcal (KCal, UID, WRDate) values (2200, :U, :D)",
                         {{"U", DM->UID}, {"D", date}});
            }
        });
    }

    std::unique_ptr<TFrm_UInfo> Centre;

private:
    TDeliveredCopy FCopy;
    TSilentBoxes FBoxes;
    std::unique_ptr<TDM> FModule;
};

void SaveMealOf20Foods(benchmark::State& state) {
    TCentreOnCopy copy;
    copy.SeedYear();
    TFrm_UInfo& centre = *copy.Centre;
    centre.pnlTC->SetCaption("早餐");
    centre.edtDT2->SetText(DateToISO(Date() + 1));
    for (auto _ : state) {
        state.PauseTiming();
        copy.Exec("delete from CKRcd where CKDate = :D", {{"D", centre.edtDT2->Text()}});
        DM->ClearGrid(centre.SG2, 1);
        for (int food = 1; food <= 20; ++food) {
            const int row = AddIntakeItem(centre.SG2, FoodNameByID(food), QString::number(food), "1");
            centre.SG2->SetCells(icGrams, row, "100");
            ComputeIntakeRow(centre.SG2, row);
        }
        state.ResumeTiming();
        centre.Btn_SaveSWClick(nullptr);
    }
    state.counters["rows"] =
        copy.Value("select count(*) from CKRcd where CKDate = '" + centre.edtDT2->Text() + "'").toDouble();
}
BENCHMARK(SaveMealOf20Foods)->Unit(benchmark::kMillisecond);

void BuildMonthCalendar(benchmark::State& state) {
    TCentreOnCopy copy;
    copy.SeedYear();
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    for (auto _ : state)
        copy.Centre->LoadMonthCalendar(y, m, 3);
}
BENCHMARK(BuildMonthCalendar)->Unit(benchmark::kMillisecond);

// The last year of a history of state.range(0) years.
void AnalyseOneYear(benchmark::State& state) {
    TCentreOnCopy copy;
    copy.SeedYears(int(state.range(0)));
    TFrm_UInfo& centre = *copy.Centre;
    centre.DT9->SetDate(Date() - 364);
    centre.DT10->SetDate(Date());
    for (auto _ : state)
        centre.btn_AnaClick(nullptr);
    state.counters["days"] = centre.qryAna->RecordCount();
}
BENCHMARK(AnalyseOneYear)->ArgName("years")->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// Opening the data module on a history of state.range(0) years, the start-up checks of its file included.
void OpenDataModule(benchmark::State& state) {
    TCentreOnCopy copy;
    copy.SeedYears(int(state.range(0)));
    for (auto _ : state) {
        TDM module;
        benchmark::DoNotOptimize(module.Conn);
    }
}
BENCHMARK(OpenDataModule)->ArgName("years")->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace
