// The program's start side by side with the floor program, in one run on one X display: the time
// from starting a process to its first window being mapped and then painted, and its resident
// memory 4 s after the start. The two programs take turns, so both see the same load; the medians
// and their ratios are printed at the end.
//
//     bench_first_window [runs]        (DISPLAY must name an X server, such as Xvfb)
#include "StartWatch.h"

#include <set>
#include <thread>

using namespace startwatch;

namespace {

constexpr auto MemoryAfter = std::chrono::seconds(4);

struct TStart {
    double MappedMs = -1, PaintedMs = -1, RssMiB = -1;
};

// Runs `argv`, times its first window and reads its memory 4 s after the start; then ends it.
TStart Measure(TScreenWatch& watch, const std::vector<std::string>& argv) {
    watch.Drain();
    TStart result;
    const TClock::time_point t0 = TClock::now(), memoryAt = t0 + MemoryAfter;
    const pid_t pid = SpawnQuietly(argv);
    std::set<xcb_window_t> mapped;
    while (result.PaintedMs < 0 && TClock::now() < memoryAt) {
        xcb_generic_event_t* event = watch.NextEvent(memoryAt);
        if (!event) continue;
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            if (result.MappedMs < 0) result.MappedMs = MsSince(t0);
            mapped.insert(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
        } else if (watch.IsDamage(event)) {
            if (mapped.count(reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable))
                result.PaintedMs = MsSince(t0);
        }
        free(event);
    }
    std::this_thread::sleep_until(memoryAt);
    result.RssMiB = ResidentMiB(pid);
    EndProcess(pid);
    return result;
}

struct TSeries {
    std::vector<double> Mapped, Painted, Rss;
    void Add(const TStart& s) {
        Mapped.push_back(s.MappedMs);
        Painted.push_back(s.PaintedMs);
        Rss.push_back(s.RssMiB);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    TScreenWatch watch;
    TInstalledCopy veloria(VELORIA_BUILD_DIR, "now");
    const std::vector<std::string> programs[] = {{std::string(VELORIA_BUILD_DIR) + "/floor_window"},
                                                 {veloria.Program()}};
    const char* names[] = {"floor", "veloria"};
    TSeries series[2];
    std::printf("%-8s %4s %10s %11s %9s\n", "program", "run", "mapped ms", "painted ms", "RSS MiB");
    for (int run = 0; run < runs; ++run) {
        // Take turns, and change who goes first, so neither always starts on a warmer machine.
        for (int k = 0; k < 2; ++k) {
            const int which = (run + k) % 2;
            const TStart s = Measure(watch, programs[which]);
            series[which].Add(s);
            std::printf("%-8s %4d %10.1f %11.1f %9.1f\n", names[which], run + 1, s.MappedMs, s.PaintedMs,
                        s.RssMiB);
            std::fflush(stdout);
        }
    }
    std::printf("\nmedians of %d runs\n%-8s %10s %11s %9s\n", runs, "program", "mapped ms", "painted ms",
                "RSS MiB");
    for (int which = 0; which < 2; ++which)
        std::printf("%-8s %10.1f %11.1f %9.1f\n", names[which], Median(series[which].Mapped),
                    Median(series[which].Painted), Median(series[which].Rss));
    std::printf("%-8s %10.2f %11.2f %9.2f\n", "ratio", Median(series[1].Mapped) / Median(series[0].Mapped),
                Median(series[1].Painted) / Median(series[0].Painted),
                Median(series[1].Rss) / Median(series[0].Rss));
    return 0;
}
