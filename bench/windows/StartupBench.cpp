// From a started process to the login panel: the data module, the main window, the food table and the
// panel, leaving out the start-up timer's 2000 ms and the loading box's 300 ms, which only wait.
#include "DeliveredCopy.h"
#include "FoodTable.h"
#include "IniFiles.h"
#include "MainWindowStart.h"
#include "Platform.h"
#include "PeerRatios.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

void StartToLoginPanel(benchmark::State& state) {
    TDeliveredCopy copy;
    TIniFile(copy.FilePath(SettingsFileName)).WriteInteger("UINFO", "RunCon", 1);  // no start-up tip
    for (auto _ : state) {
        Application->CreateForm(DM);
        StartMainWindow();
        QApplication::processEvents();
        benchmark::DoNotOptimize(MainFrm->pnlLoad->Visible());
        state.PauseTiming();
        FreeMainWindowAndModule();
        state.ResumeTiming();
    }
}
BENCHMARK(StartToLoginPanel)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TWidgetApplication app(argc, argv);
    ApplyClassicPalette();  // as the program does at start-up
    const qint64 applicationMs = sinceStart.elapsed();
    benchmark::AddCustomContext("application_start_ms", std::to_string(applicationMs));
    return RunWithPeerRatios(argc, argv);
}
