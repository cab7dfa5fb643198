// The tab strip: laying out 200 tabs in rows, as every resize or tab change does, and painting a strip
// of 30 tabs whole into the control's off-screen image.
#include "SkTabs.h"

#include <benchmark/benchmark.h>

namespace {
std::unique_ptr<TSkCustomTabControl> StripOf(int count, int width, int height) {
    auto tabs = std::make_unique<TSkCustomTabControl>(nullptr);
    tabs->SetBounds(0, 0, width, height);
    tabs->SetMultiLine(true);
    for (int i = 0; i < count; ++i) {
        auto* tab = new TSkTabData;
        tab->Caption = QStringLiteral("食物 %1").arg(i + 1);
        tabs->Tabs()->Add(tab);
    }
    tabs->TabsChanged();
    tabs->SetTabIndex(count / 2);
    return tabs;
}

void LayoutTwoHundredTabsInRows(benchmark::State& state) {
    auto tabs = StripOf(200, 800, 600);
    for (auto _ : state) {
        tabs->TabsChanged();
        tabs->UpdateLayout();
        benchmark::DoNotOptimize(tabs->RowCount());
    }
}
BENCHMARK(LayoutTwoHundredTabsInRows)->Unit(benchmark::kMicrosecond);

void PaintThirtyTabs(benchmark::State& state) {
    auto tabs = StripOf(30, 600, 300);
    tabs->PaintOffscreen();
    for (auto _ : state) {
        const QImage& image = tabs->PaintOffscreen();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(PaintThirtyTabs)->Unit(benchmark::kMillisecond);
}  // namespace
