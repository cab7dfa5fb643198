// A group box of 400 x 300 holding 20 controls, 10 styled push buttons and 10 styled check boxes, as a
// window repaints it: the group box's own painting, and the group box with every control in it
// rendered into one image; in the flat, standard and banner styles.
#include "SkButton.h"
#include "SkPanel.h"
#include "SkRadChk.h"

#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {
struct TFullGroupBox {
    TSkGroupBox Box{nullptr};
    explicit TFullGroupBox(TSkGroupBoxStyle style) {
        Box.SetBounds(0, 0, 400, 300);
        Box.SetCaption(QStringLiteral("饮食记录(&F)"));
        Box.SetGroupStyle(style);
        Box.SetGradientColorStyle(gcsCustom);
        Box.SetGradientColorStop(0xF8B600);
        for (int i = 0; i < 20; ++i) {
            const int left = 12 + (i % 4) * 96, top = 40 + (i / 4) * 50;
            TWinControl* control = nullptr;
            if (i % 2 == 0) {
                auto* button = new TSkButton(&Box);
                button->SetCaption(QStringLiteral("保存 %1").arg(i));
                button->SetHotTrack(i % 4 == 0);  // as most of the windows' buttons
                control = button;
            } else {
                auto* check = new TSkCheckBox(&Box);
                check->SetCaption(QStringLiteral("早餐 %1").arg(i));
                check->SetChecked(i % 3 == 0);
                control = check;
            }
            control->SetParent(&Box);
            control->SetBounds(left, top, 88, 24);
        }
    }
};

void GroupBoxPaint(benchmark::State& state) {
    TFullGroupBox full(TSkGroupBoxStyle(state.range(0)));
    for (auto _ : state) {
        const QImage& image = full.Box.PaintOffscreen();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(GroupBoxPaint)->Arg(gsFlat)->Arg(gsStandard)->Arg(gsBanner)->Unit(benchmark::kMillisecond);

void GroupBoxWithChildrenRepaint(benchmark::State& state) {
    TFullGroupBox full(TSkGroupBoxStyle(state.range(0)));
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        full.Box.Widget()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(GroupBoxWithChildrenRepaint)
    ->Arg(gsFlat)
    ->Arg(gsStandard)
    ->Arg(gsBanner)
    ->Unit(benchmark::kMillisecond);
}  // namespace
