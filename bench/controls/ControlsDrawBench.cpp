// The styled library's drawing against Qt's own: a 1000 x 1000 linear gradient, the non-client
// frame of a 200 x 24 edit, and a 40-character line of Chinese text.
#include "GraphicsImage.h"
#include "SkCommon.h"
#include "SkGrafx.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
const QString CJKLine =
    QStringLiteral("膳食能量管家记录每一餐的能量与营养素，对照基础代谢和活动消耗，显示今天的能量平衡");

void GradientSkGrafx(benchmark::State& state) {
    TBitmap bitmap(1000, 1000);
    for (auto _ : state) {
        PaintGradient(bitmap.Canvas(), Rect(0, 0, 1000, 1000), gdHorizontalEnd, 0xFFE0C0, 0x803000, 1);
        benchmark::DoNotOptimize(bitmap.Canvas()->Pixels(0, 0));
    }
}
BENCHMARK(GradientSkGrafx)->Unit(benchmark::kMillisecond);

void GradientQPainter(benchmark::State& state) {
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 0, 1000);
        gradient.setColorAt(0, QColor(0xC0, 0xE0, 0xFF));
        gradient.setColorAt(1, QColor(0x00, 0x30, 0x80));
        painter.fillRect(image.rect(), gradient);
        painter.end();
        benchmark::DoNotOptimize(image.pixel(0, 0));
    }
}
BENCHMARK(GradientQPainter)->Unit(benchmark::kMillisecond);

void ControlFrame(benchmark::State& state) {
    TBitmap bitmap(200, 24);
    TCanvas* canvas = bitmap.Canvas();
    const TFrameStyleEx style = TFrameStyleEx(state.range(0));
    for (auto _ : state) {
        DrawControlFrame(canvas, 200, 24, style, clWindow, clBtnShadow, AllSides);
        benchmark::DoNotOptimize(canvas->Pixels(0, 0));
    }
}
BENCHMARK(ControlFrame)->Arg(fsFlat)->Arg(fsLowered)->Arg(fsGroove)->Unit(benchmark::kMicrosecond);

void TextDrawText(benchmark::State& state) {
    TBitmap bitmap(800, 24);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetHeight(-12);
    canvas->Brush()->SetStyle(bsClear);
    for (auto _ : state) {
        TRect r = Rect(0, 0, 800, 24);
        canvas->DrawText(CJKLine, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(TextDrawText)->Unit(benchmark::kMicrosecond);

void TextQPainter(benchmark::State& state) {
    QImage image(800, 24, QImage::Format_RGB32);
    TFont font;
    font.SetHeight(-12);
    const QFont qfont = font.ToQFont();
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(qfont);
        painter.drawText(QRect(0, 0, 800, 24), Qt::AlignLeft | Qt::AlignVCenter, CJKLine);
        painter.end();
        benchmark::DoNotOptimize(image.pixel(0, 0));
    }
}
BENCHMARK(TextQPainter)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
