// Two builds of the program side by side, in one run on one X display: the time from starting the
// process to its login panel being on the screen, and its resident memory after a login. Each run
// installs the build afresh (delivered database; settings that remember the delivered user "user"
// without a password and skip the start-up tip and the guide panel), watches the main window's
// drawing, clicks "登 陆" with xdotool as a user would once the login panel's title bar shows in the
// skin's blue, waits for the panel to go, and reads the memory 2 s later. The builds take turns and
// change who goes first each run; the medians, their ratios and the memory difference come last.
//
// Columns: "painted" the main window's first drawing; "box" the loading box's (the start-up timer has
// fired); "panel" the login panel's; "box-panel" from the loading box to the login panel (its 300 ms
// pause, the food table and the panel); "login" from the click to the panel gone; all in ms from the
// start but the last two. The start-up timer's 2000 ms are coarse (Qt may fire it up to 5 % early or
// late), so "panel" varies by that much from run to run: compare medians of many runs.
//
//     bench_start_to_login BEFORE_BUILD [AFTER_BUILD] [--runs N]
//
// A build folder is a configured and built tree (the program, delivered/CommAPI.db, the skins and the
// font); AFTER_BUILD defaults to the build this tool belongs to, N to 11. DISPLAY must name an X server
// with DAMAGE and XTEST (Xvfb has both), and xdotool must be installed. For example:
//
//     Xvfb :94 -screen 0 1280x1024x24 &
//     DISPLAY=:94 build/bench_start_to_login /tmp/before/build --runs 21
//
// An earlier state of the program is built outside the repository, for instance:
//
//     mkdir /tmp/before && git archive COMMIT | tar -x -C /tmp/before
//     options="-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELORIA_TESTS=OFF -DVELORIA_BENCH=OFF"
//     cmake -S /tmp/before -B /tmp/before/build $options
//     cmake --build /tmp/before/build --target veloria delivered_database skins ui_font
#include "StartWatch.h"

#include <array>
#include <cstring>
#include <memory>
#include <thread>

using namespace startwatch;

namespace {

constexpr auto GiveUpAfter = std::chrono::seconds(20);
constexpr auto MemoryAfterLogin = std::chrono::seconds(2);
// Drawing over the loading box's place this long after the start is the loading box: the start-up
// timer fires only 2000 ms after the first drawing.
constexpr double BoxNotBeforeMs = 1000;

// The main window and, in its coordinates: the loading box; a patch of the login panel's title bar
// clear of its caption and close button, and the title bar's blue; the middle of the login button.
constexpr int MainWidth = 1007, MainHeight = 654;
constexpr xcb_rectangle_t Box{353, 292, 300, 70};
constexpr xcb_rectangle_t Probe{357, 224, 16, 20};
constexpr uint8_t SkinRed = 0x00, SkinGreen = 0xB6, SkinBlue = 0xF8;
constexpr int LoginButtonX = 353 + 60 + 40, LoginButtonY = 220 + 156 + 14;

// The table's figures, in its columns' order.
using TFigures = std::array<double, 6>;

struct TRun {
    double PaintedMs = -1, BoxMs = -1, PanelMs = -1, LoginMs = -1, RssMiB = -1;
    double BoxToPanelMs() const { return BoxMs < 0 || PanelMs < 0 ? -1 : PanelMs - BoxMs; }
    TFigures Figures() const { return {PaintedMs, BoxMs, PanelMs, BoxToPanelMs(), LoginMs, RssMiB}; }
};

std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin";
    for (size_t start = 0; start <= dirs.size();) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
        start = end + 1;
    }
    Fail(name + " is not installed (apt-get install " + name + ")");
}

bool Overlap(const xcb_rectangle_t& a, const xcb_rectangle_t& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Whether the probe patch shows the title bar's blue throughout (24-bit pixels, blue byte first).
bool ProbeShowsTitleBar(xcb_connection_t* conn, xcb_window_t window) {
    std::unique_ptr<xcb_get_image_reply_t, decltype(&free)> image(
        xcb_get_image_reply(conn,
                            xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, window, Probe.x, Probe.y,
                                          Probe.width, Probe.height, ~0u),
                            nullptr),
        &free);
    const int pixels = Probe.width * Probe.height;
    if (!image || xcb_get_image_data_length(image.get()) < pixels * 4) return false;
    const uint8_t* p = xcb_get_image_data(image.get());
    for (int i = 0; i < pixels; ++i, p += 4)
        if (p[0] != SkinBlue || p[1] != SkinGreen || p[2] != SkinRed) return false;
    return true;
}

bool IsMainWindow(xcb_connection_t* conn, xcb_window_t window) {
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> g(
        xcb_get_geometry_reply(conn, xcb_get_geometry(conn, window), nullptr), &free);
    return g && g->width == MainWidth && g->height == MainHeight;
}

class TLoginRun {
public:
    TLoginRun(TScreenWatch& watch, const std::string& xdotool) : FWatch(watch), FXdotool(xdotool) {}

    TRun Measure(const TInstalledCopy& copy) {
        copy.ResetDatabase();
        std::ofstream(copy.Folder() / "UInfo.ini") << "[UINFO]\nUID=user\nPWD=\nRunCon=1\nRunHelp=1\n";
        FWatch.Drain();
        FRun = TRun{};
        FMain = 0;
        FT0 = TClock::now();
        const TClock::time_point giveUp = FT0 + GiveUpAfter;
        const pid_t pid = SpawnQuietly({copy.Program()});
        FClicker = -1;
        while (TClock::now() < giveUp && FRun.LoginMs < 0) {
            xcb_generic_event_t* event = FWatch.NextEvent(giveUp);
            if (!event) continue;
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const xcb_window_t w = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                if (!FMain && IsMainWindow(FWatch.Connection(), w)) FMain = w;
            } else if (FWatch.IsDamage(event)) {
                const auto* d = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (FMain && d->drawable == FMain) MainWindowDrawn(d->area);
            }
            free(event);
        }
        if (FRun.LoginMs >= 0) {
            std::this_thread::sleep_for(MemoryAfterLogin);
            FRun.RssMiB = ResidentMiB(pid);
        }
        EndProcess(pid);
        if (FClicker > 0) waitpid(FClicker, nullptr, 0);
        return FRun;
    }

private:
    void MainWindowDrawn(const xcb_rectangle_t& area) {
        const double now = MsSince(FT0);
        if (FRun.PaintedMs < 0) FRun.PaintedMs = now;
        if (FRun.BoxMs < 0 && now >= BoxNotBeforeMs && Overlap(area, Box)) FRun.BoxMs = now;
        if (!Overlap(area, Probe)) return;
        const bool panel = ProbeShowsTitleBar(FWatch.Connection(), FMain);
        if (panel && FRun.PanelMs < 0) {
            FRun.PanelMs = now;
            FClicked = TClock::now();
            FClicker = ClickLoginButton();
        } else if (!panel && FRun.PanelMs >= 0) {
            FRun.LoginMs = MsSince(FClicked);
        }
    }

    // Clicks the login button where the main window lies on the screen.
    pid_t ClickLoginButton() {
        xcb_connection_t* conn = FWatch.Connection();
        std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> at(
            xcb_translate_coordinates_reply(conn, xcb_translate_coordinates(conn, FMain, FWatch.Root(), 0, 0),
                                            nullptr),
            &free);
        if (!at) return -1;
        return SpawnQuietly({FXdotool, "mousemove", std::to_string(at->dst_x + LoginButtonX),
                             std::to_string(at->dst_y + LoginButtonY), "click", "1"});
    }

    TScreenWatch& FWatch;
    std::string FXdotool;
    TRun FRun;
    xcb_window_t FMain = 0;
    TClock::time_point FT0, FClicked;
    pid_t FClicker = -1;
};

// One column per figure, the runs' values in each.
struct TSeries {
    std::vector<double> Figures[6];
    int Failed = 0;
    void Add(const TRun& r) {
        if (r.RssMiB < 0) ++Failed;
        const TFigures values = r.Figures();
        for (int i = 0; i < 6; ++i)
            Figures[i].push_back(values[i]);
    }
};

void PrintHeader(const char* first) {
    std::printf("%-7s %4s %9s %8s %8s %10s %7s %8s\n", "build", first, "painted", "box", "panel", "box-panel",
                "login", "RSS MiB");
}
void PrintRow(const char* name, const std::string& run, const TFigures& v) {
    std::printf("%-7s %4s %9.1f %8.1f %8.1f %10.1f %7.1f %8.1f\n", name, run.c_str(), v[0], v[1], v[2], v[3],
                v[4], v[5]);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> builds;
    int runs = 11;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            builds.push_back(argv[i]);
    }
    if (builds.empty() || builds.size() > 2)
        Fail("usage: bench_start_to_login BEFORE_BUILD [AFTER_BUILD] [--runs N]");
    if (builds.size() == 1) builds.push_back(VELORIA_BUILD_DIR);

    const std::string xdotool = FindOnPath("xdotool");
    TScreenWatch watch(XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    TLoginRun measure(watch, xdotool);
    const TInstalledCopy copies[] = {{builds[0], "before"}, {builds[1], "after"}};
    const char* names[] = {"before", "after"};
    std::printf("before: %s\nafter:  %s\n\n", builds[0].c_str(), builds[1].c_str());
    PrintHeader("run");
    TSeries series[2];
    for (int run = 0; run < runs; ++run)
        for (int k = 0; k < 2; ++k) {
            const int which = (run + k) % 2;
            const TRun r = measure.Measure(copies[which]);
            series[which].Add(r);
            PrintRow(names[which], std::to_string(run + 1), r.Figures());
            std::fflush(stdout);
        }
    std::printf("\nmedians of %d runs (ms; memory 2 s after the login)\n", runs);
    PrintHeader("");
    TFigures medians[2];
    for (int which = 0; which < 2; ++which) {
        for (int i = 0; i < 6; ++i)
            medians[which][i] = Median(series[which].Figures[i]);
        PrintRow(names[which], "", medians[which]);
        if (series[which].Failed)
            std::printf("        (%d of its runs did not get past the login)\n", series[which].Failed);
    }
    std::printf("%-7s %4s %9.2f %8.2f %8.2f %10.2f %7.2f %+8.1f  (after / before; memory: after - before)\n",
                "change", "", medians[1][0] / medians[0][0], medians[1][1] / medians[0][1],
                medians[1][2] / medians[0][2], medians[1][3] / medians[0][3], medians[1][4] / medians[0][4],
                medians[1][5] - medians[0][5]);
    return 0;
}
