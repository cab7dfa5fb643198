// The frame controller pushing its whole block by name to 200 registered framed controls (goal under
// 2 ms), and one changed property.
#include "ExtCtrls.h"
#include "SkFramedTestControl.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {
struct TFramedForm {
    std::unique_ptr<TPanel> Form = std::make_unique<TPanel>(nullptr);
    TSkFrameController* Controller = new TSkFrameController(Form.get());
    TFramedForm() {
        for (int i = 0; i < 200; ++i) {
            auto* control = new TSkFramedTestControl(Form.get());
            control->SetParent(Form.get());
            control->SetBounds(0, i * 2, 100, 20);
            control->Recording = false;
            control->SetFrameController(Controller);
        }
    }
};

void UpdateControlsAll(benchmark::State& state) {
    TFramedForm form;
    for (auto _ : state) {
        form.Controller->UpdateControls(fcpAll);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(UpdateControlsAll)->Unit(benchmark::kMillisecond);

void OnePropertyChanged(benchmark::State& state) {
    TFramedForm form;
    bool red = false;
    for (auto _ : state) {
        form.Controller->SetFrameColor((red = !red) ? clRed : clBlue);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(OnePropertyChanged)->Unit(benchmark::kMicrosecond);
}  // namespace
