// A pop-up opened at an edit of a form and closed again by its content, as a drop-down button does:
// the children moved into the pop-up window, the window placed and shown, the loop run until the
// content's choice, and everything handed back; with a calculator and with a time picker as content.
#include "Forms.h"
#include "SkPopups.h"
#include "SkPopupsCalculator.h"
#include "SkPopupsClock.h"
#include "StdCtrls.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
template <class TContent> void OpenAndClose(benchmark::State& state) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 300);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(20, 20, 120, 22);
    auto* panel = new TSkPopupPanel(form.get());
    panel->SetParent(form.get());
    auto* content = new TContent(panel);
    content->SetParent(panel);
    form->Show();
    for (auto _ : state) {
        QMetaObject::invokeMethod(
            qApp, [panel] { panel->Close(); }, Qt::QueuedConnection);
        benchmark::DoNotOptimize(panel->Popup(edit));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void PopupOpenCloseCalculator(benchmark::State& state) {
    OpenAndClose<TSkCalculator>(state);
}
void PopupOpenCloseTimePicker(benchmark::State& state) {
    OpenAndClose<TSkTimePicker>(state);
}
}  // namespace

BENCHMARK(PopupOpenCloseCalculator)->Unit(benchmark::kMillisecond);
BENCHMARK(PopupOpenCloseTimePicker)->Unit(benchmark::kMillisecond);
