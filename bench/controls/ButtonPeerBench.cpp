// A push button of 75 x 25 with a Chinese caption repainted into an image, side by side with Qt's
// push button: the classic face, and the hot-track face the windows use (on a coloured panel whose
// background shows round the cut corners).
#include "ExtCtrls.h"
#include "Forms.h"
#include "PeerRatios.h"
#include "SkButton.h"

#include <QImage>
#include <QPushButton>

namespace {

// Argument: 1 for the hot-track face.
void SkButtonRepaint(benchmark::State& state) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetColor(0xF5E6D8);
    auto* button = new TSkButton(&form);
    button->SetParent(panel);
    button->SetBounds(20, 20, 75, 25);
    button->SetCaption(QStringLiteral("保存"));
    if (state.range(0)) {
        button->SetHotTrack(true);
        button->SetColor(0xE8C9A0);
    }
    QImage image(75, 25, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        button->Widget()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void QPushButtonRepaint(benchmark::State& state) {
    QWidget panel;
    panel.resize(200, 100);
    QPushButton button(QStringLiteral("保存"), &panel);
    button.setGeometry(20, 20, 75, 25);
    QImage image(75, 25, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        button.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

const bool Registered = [] {
    for (auto* b : RegisterPeerPair("PushButtonRepaint", SkButtonRepaint, QPushButtonRepaint))
        b->ArgName("hot")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
