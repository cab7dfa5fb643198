// One keyed select through the data module's shared runner, as the windows run them.
#include "UintDM.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void KeyedSelectThroughRunSql(benchmark::State& state) {
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(VELORIA_BUILD_DIR "/delivered/CommAPI.db"), dir.filePath(DatabaseFileName));
    QFile::setPermissions(dir.filePath(DatabaseFileName), QFile::ReadOwner | QFile::WriteOwner);
    SetProgramFolder(dir.path());
    TDM dm;
    int id = 1;
    for (auto _ : state) {
        dm.RunSql(dm.Qry_Open, QStringLiteral("Select * From Food Where ID=:ID"), false, {{QStringLiteral("ID"), id}});
        benchmark::DoNotOptimize(dm.Qry_Open->FieldByName(QStringLiteral("Food_Name"))->AsString());
        id = id % 1849 + 1;
    }
    SetProgramFolder(QString());
}
BENCHMARK(KeyedSelectThroughRunSql)->Unit(benchmark::kMicrosecond);

}  // namespace
