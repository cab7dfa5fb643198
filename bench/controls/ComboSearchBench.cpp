// One keystroke of a combo box's search over 2 000 food names, through the whole key path (the key
// event, the search of the items, the choice and its events): in a drop-down list the incremental
// search, where the typed letter leads to the last item or to none; in an editable box the completion
// of typed text.
#include "MessageBeep.h"
#include "SkCmboBx.h"
#include "TimerClock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// 1 999 names "食物 0001" ... and, last, one beginning with "z".
struct TFoodCombo {
    TManualClock Clock;
    std::unique_ptr<TSkComboBox> Box;
    explicit TFoodCombo(TComboBoxStyle style) {
        SetTimerClock(&Clock);
        Box = std::make_unique<TSkComboBox>(nullptr);
        Box->SetStyle(style);
        QStringList names;
        for (int i = 1; i < 2000; ++i)
            names << QStringLiteral("食物 %1").arg(i, 4, 10, QLatin1Char('0'));
        names << QStringLiteral("zucchini");
        Box->Items()->Assign(names);
    }
    ~TFoodCombo() {
        Box.reset();
        SetTimerClock(nullptr);
    }
    void Type(QChar ch) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(Box->Widget(), &press);
    }
};

// Arg 0: the letter finds the last item; 1: it finds none (every item compared).
void ListSearchKeystroke(benchmark::State& state) {
    TFoodCombo combo(csDropDownList);
    const QChar letter = state.range(0) == 0 ? QLatin1Char('z') : QLatin1Char('q');
    for (auto _ : state) {
        combo.Type(letter);
        combo.Clock.Advance(int(SearchResetDelay));  // the prefix is forgotten: each key searches anew
    }
}
BENCHMARK(ListSearchKeystroke)->ArgName("miss")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void TypeAheadKeystroke(benchmark::State& state) {
    TFoodCombo combo(csDropDown);
    for (auto _ : state) {
        combo.Box->SetText(QString());
        combo.Type(QLatin1Char('z'));
    }
}
BENCHMARK(TypeAheadKeystroke)->Unit(benchmark::kMicrosecond);
}  // namespace
