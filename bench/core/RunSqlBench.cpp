// One keyed select through the data module's shared runner, as the windows run them.
#include "DeliveredCopy.h"
#include "UintDM.h"

#include <benchmark/benchmark.h>

namespace {

void KeyedSelectThroughRunSql(benchmark::State& state) {
    TDeliveredCopy copy;
    TDM dm;
    int id = 1;
    for (auto _ : state) {
        dm.RunSql(dm.Qry_Open, QStringLiteral("Select * From Food Where ID=:ID"), false,
                  {{QStringLiteral("ID"), id}});
        benchmark::DoNotOptimize(dm.Qry_Open->FieldByName(QStringLiteral("Food_Name"))->AsString());
        id = id % 1849 + 1;
    }
}
BENCHMARK(KeyedSelectThroughRunSql)->Unit(benchmark::kMicrosecond);

}  // namespace
