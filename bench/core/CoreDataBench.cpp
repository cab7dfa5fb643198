// The diet data core's start-up and lookup costs: the food table, pinyin initials, the cipher.
#include "FoodTable.h"
#include "GetPY.h"
#include "WNDES.h"

#include <QCoreApplication>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

// A password of 16 bytes: two cipher blocks.
const QString Password16 = QStringLiteral("0123456789abcdef");

// What start-up pays once: the GBK code table and the letter table.
void FirstPinyinLookupTables(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(GetPYInitials(QStringLiteral("小麦")));
}
BENCHMARK(FirstPinyinLookupTables)->Iterations(1)->Unit(benchmark::kMillisecond);

void LoadFoodTableFromText(benchmark::State& state) {
    LoadFoodTables(); // the first use builds the GBK and letter tables once
    for (auto _ : state)
        LoadFoodTables();
    benchmark::DoNotOptimize(FoodTable[0].Name);
}
BENCHMARK(LoadFoodTableFromText)->Unit(benchmark::kMillisecond);

void PinyinOfEveryFoodName(benchmark::State& state) {
    LoadFoodTables();
    QStringList names;
    for (const TFdRcd& food : FoodTable)
        if (food.ID) names << food.Name;
    for (auto _ : state)
        for (const QString& name : names)
            benchmark::DoNotOptimize(GetPYInitials(name));
    state.counters["names"] = double(names.size());
}
BENCHMARK(PinyinOfEveryFoodName)->Unit(benchmark::kMillisecond);

void EncipherPassword16(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(DesEncryptToHex(Password16, PasswordKey));
}
BENCHMARK(EncipherPassword16)->Unit(benchmark::kMicrosecond);

void DecipherPassword16(benchmark::State& state) {
    const QString hex = DesEncryptToHex(Password16, PasswordKey);
    for (auto _ : state)
        benchmark::DoNotOptimize(DesDecryptFromHex(hex, PasswordKey));
}
BENCHMARK(DecipherPassword16)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the food and letter tables are program resources
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
