// Reading a form's text of many sibling components: the time should grow with the count, so 10,000
// panels take about ten times as long as 1,000.
#include "ExtCtrls.h"
#include "Streaming.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

QString SiblingPanels(int count) {
    QString text = QStringLiteral("object Form1: TPanel\n  Width = 800\n  Height = 600\n");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral(
                    "  object Panel%1: TPanel\n    Left = %2\n    Top = %3\n    Caption = 'p%1'\n  end\n")
                    .arg(i)
                    .arg(i % 700)
                    .arg(i % 500);
    return text + QStringLiteral("end\n");
}

void BM_ReadSiblingPanels(benchmark::State& state) {
    RegisterClass<TPanel>();
    const QString text = SiblingPanels(int(state.range(0)));
    for (auto _ : state) {
        std::unique_ptr<TComponent> form(TextToComponent(text));
        benchmark::DoNotOptimize(form->ComponentCount());
        state.PauseTiming();  // freeing the form is not reading it
        form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadSiblingPanels)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
