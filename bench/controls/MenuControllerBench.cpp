// One pop-up menu of 12 items drawn by the menu controller, as its window paints it: every item with
// its icon bar, one selected, one checked, a separator and shortcuts; and the same menu measured and
// laid out first, as it is each time it opens.
#include "Forms.h"
#include "MenuWindow.h"
#include "Menus.h"
#include "SkCommon.h"

#include <benchmark/benchmark.h>

namespace {
struct TTwelveItemMenu {
    TForm Form{nullptr};
    TPopupMenu* Menu = new TPopupMenu(&Form);
    TTwelveItemMenu() {
        new TSkMenuController(&Form);  // hooks each item as it is made
        const char* const captions[] = {"早餐(&B)", "早加餐",      "午餐(&L)", "午加餐",
                                        "晚餐(&D)", "晚加餐",      "-",        "蓝色皮肤",
                                        "粉色皮肤", "检查更新...", "在线帮助", "关于"};
        for (int i = 0; i < 12; ++i) {
            auto* item = new TMenuItem(&Form);
            item->SetCaption(QString::fromUtf8(captions[i]));
            if (i < 6) item->SetShortCut(TShortCut(scCtrl | ('1' + i)));
            item->SetChecked(i == 7);
            Menu->Items()->Add(item);
        }
    }
};

void PaintTwelveItemMenu(benchmark::State& state) {
    TTwelveItemMenu menu;
    const TMenuLevel level(menu.Menu->Items());
    QImage image;
    for (auto _ : state) {
        level.Paint(image, 2, true);
        benchmark::DoNotOptimize(image.pixel(0, 0));
    }
}
BENCHMARK(PaintTwelveItemMenu)->Unit(benchmark::kMillisecond);

void MeasureAndPaintTwelveItemMenu(benchmark::State& state) {
    TTwelveItemMenu menu;
    QImage image;
    for (auto _ : state) {
        const TMenuLevel level(menu.Menu->Items());
        level.Paint(image, 2, true);
        benchmark::DoNotOptimize(image.pixel(0, 0));
    }
}
BENCHMARK(MeasureAndPaintTwelveItemMenu)->Unit(benchmark::kMillisecond);
}  // namespace
