// The month calendar painting one month off screen, as it repaints after every move: the default
// elements, and with week numbers and bold days asked of a handler.
#include "SkPopupsCalendar.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {
void CalendarMonthPaint(benchmark::State& state) {
    TSkCalendar calendar(nullptr);
    calendar.SetDate(EncodeDate(2024, 5, 15));
    if (state.range(0)) {
        calendar.SetElements(calendar.Elements() | CalendarElement(ceWeekNumbers));
        calendar.OnGetBoldDays = [](TObject*, int, int, std::uint32_t& mask) { mask = 0x01010101; };
    }
    for (auto _ : state) {
        const QImage& image = calendar.PaintOffscreen();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(CalendarMonthPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
}  // namespace
