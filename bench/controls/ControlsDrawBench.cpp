// The styled library's drawing against Qt's own: 1000 x 1000 gradients in every direction, the
// non-client frame of a 200 x 24 edit, and a 40-character line of Chinese text.
#include "GraphicsImage.h"
#include "PeerRatios.h"
#include "SkCommon.h"
#include "SkGrafx.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
const QString CJKLine =
    QStringLiteral("膳食能量管家记录每一餐的能量与营养素，对照基础代谢和活动消耗，显示今天的能量平衡");

// Every direction that tiles a strip or mirrors a quadrant; the diagonals, drawn as polygons, too.
void GradientSkGrafx(benchmark::State& state) {
    TBitmap bitmap(1000, 1000);
    const auto direction = TGradientDirection(state.range(0));
    for (auto _ : state) {
        PaintGradient(bitmap.Canvas(), Rect(0, 0, 1000, 1000), direction, 0xFFE0C0, 0x803000, 1);
        benchmark::DoNotOptimize(bitmap.Canvas()->Pixels(0, 0));
    }
}
BENCHMARK(GradientSkGrafx)
    ->ArgName("direction")
    ->DenseRange(gdDiagonalUp, gdBigSquareBox)
    ->Unit(benchmark::kMillisecond);

// Qt's linear gradient from top to bottom (0), left to right (1), and to the centre line and back
// down (2) or across (3).
void GradientQPainter(benchmark::State& state) {
    QImage image(1000, 1000, QImage::Format_RGB32);
    const bool across = state.range(0) & 1, centre = state.range(0) & 2;
    const QColor start(0xC0, 0xE0, 0xFF), stop(0x00, 0x30, 0x80);
    for (auto _ : state) {
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, across ? 1000 : 0, across ? 0 : 1000);
        gradient.setColorAt(0, start);
        gradient.setColorAt(centre ? 0.5 : 1, stop);
        if (centre) gradient.setColorAt(1, start);
        painter.fillRect(image.rect(), gradient);
        painter.end();
        benchmark::DoNotOptimize(image.pixel(0, 0));
    }
}
BENCHMARK(GradientQPainter)->ArgName("shape")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

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

const bool TextRegistered = [] {
    for (auto* b : RegisterPeerPair("ChineseLineDrawText", TextDrawText, TextQPainter))
        b->Unit(benchmark::kMicrosecond);
    return true;
}();
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TWidgetApplication app(argc, argv);
    return RunWithPeerRatios(argc, argv);
}
