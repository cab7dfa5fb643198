// The program's start side by side with the floor program, in one run on one X display: the time
// from starting a process to its first window being mapped and then painted, and its resident
// memory 4 s after the start. The two programs take turns, so both see the same load; the medians
// and their ratios are printed at the end.
//
//     bench_first_window [runs]        (DISPLAY must name an X server, such as Xvfb)
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/poll.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

constexpr auto MemoryAfter = std::chrono::seconds(4);

struct TStart {
    double MappedMs = -1, PaintedMs = -1, RssMiB = -1;
};

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "bench_first_window: %s\n", why.c_str());
    std::exit(2);
}

double MsSince(TClock::time_point t0) {
    return std::chrono::duration<double, std::milli>(TClock::now() - t0).count();
}

double ResidentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

// Watches the screen's top-level windows: each new one gets a damage report at once, so its first
// drawing is seen however soon it follows the mapping.
class TScreenWatch {
public:
    TScreenWatch() : FConn(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(FConn)) Fail("cannot open the X display named by DISPLAY");
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(FConn, &xcb_damage_id);
        if (!damage || !damage->present) Fail("the X server has no DAMAGE extension");
        FDamageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(FConn, xcb_damage_query_version(FConn, 1, 1), nullptr));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(FConn)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(FConn, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(FConn);
    }
    ~TScreenWatch() { xcb_disconnect(FConn); }
    TScreenWatch(const TScreenWatch&) = delete;
    TScreenWatch& operator=(const TScreenWatch&) = delete;

    // Runs `argv`, times its first window and reads its memory 4 s after the start; then ends it.
    TStart Measure(const std::vector<std::string>& argv) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(FConn))
            free(e);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        TStart result;
        const TClock::time_point t0 = TClock::now(), memoryAt = t0 + MemoryAfter;
        // What the programs print would only mix with the table.
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, args[0], &quiet, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&quiet);
        if (spawned != 0) Fail("cannot start " + argv[0]);
        std::set<xcb_window_t> mapped;
        while (result.PaintedMs < 0 && TClock::now() < memoryAt) {
            xcb_generic_event_t* event = NextEvent(memoryAt);
            if (!event) continue;
            const uint8_t type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
                xcb_damage_create(FConn, xcb_generate_id(FConn), e->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(FConn);
            } else if (type == XCB_MAP_NOTIFY) {
                if (result.MappedMs < 0) result.MappedMs = MsSince(t0);
                mapped.insert(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            } else if (type == FDamageEvent) {
                if (mapped.count(reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable))
                    result.PaintedMs = MsSince(t0);
            }
            free(event);
        }
        std::this_thread::sleep_until(memoryAt);
        result.RssMiB = ResidentMiB(pid);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return result;
    }

private:
    xcb_generic_event_t* NextEvent(TClock::time_point until) {
        if (xcb_generic_event_t* e = xcb_poll_for_event(FConn)) return e;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - TClock::now()).count();
        if (left <= 0) return nullptr;
        pollfd fd{xcb_get_file_descriptor(FConn), POLLIN, 0};
        poll(&fd, 1, int(left));
        return xcb_poll_for_event(FConn);
    }

    xcb_connection_t* FConn;
    uint8_t FDamageEvent = 0;
};

// The program in a folder of its own with the delivered database, skins and font, as a user installs it.
class TInstalledCopy {
public:
    TInstalledCopy() {
        const fs::path build = VELORIA_BUILD_DIR;
        FFolder = fs::temp_directory_path() / ("veloria-start-" + std::to_string(getpid()));
        fs::create_directories(FFolder);
        fs::copy_file(build / "veloria", FFolder / "veloria", fs::copy_options::overwrite_existing);
        fs::copy_file(build / "delivered" / "CommAPI.db", FFolder / "CommAPI.db",
                      fs::copy_options::overwrite_existing);
        for (const char* folder : {"Blue", "Red", "fonts"})
            if (fs::exists(build / folder))
                fs::copy(build / folder, FFolder / folder,
                         fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    ~TInstalledCopy() {
        std::error_code ignored;
        fs::remove_all(FFolder, ignored);
    }
    TInstalledCopy(const TInstalledCopy&) = delete;
    TInstalledCopy& operator=(const TInstalledCopy&) = delete;

    std::string Program() const { return (FFolder / "veloria").string(); }

private:
    fs::path FFolder;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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
    TInstalledCopy veloria;
    const std::vector<std::string> programs[] = {{std::string(VELORIA_BUILD_DIR) + "/floor_window"},
                                                 {veloria.Program()}};
    const char* names[] = {"floor", "veloria"};
    TSeries series[2];
    std::printf("%-8s %4s %10s %11s %9s\n", "program", "run", "mapped ms", "painted ms", "RSS MiB");
    for (int run = 0; run < runs; ++run) {
        // Take turns, and change who goes first, so neither always starts on a warmer machine.
        for (int k = 0; k < 2; ++k) {
            const int which = (run + k) % 2;
            const TStart s = watch.Measure(programs[which]);
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
