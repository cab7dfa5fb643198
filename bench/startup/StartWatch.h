// What the start-up measurements share: an X display that reports every new top-level window and its
// drawing, programs started quietly on it, their resident memory, and an installed copy of a build.
#pragma once

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace startwatch {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

[[noreturn]] inline void Fail(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::exit(2);
}

inline double MsSince(TClock::time_point t0) {
    return std::chrono::duration<double, std::milli>(TClock::now() - t0).count();
}

inline double ResidentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

// The median of the runs that gave a figure (negative means none).
inline double Median(std::vector<double> values) {
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Starts `argv` with its output thrown away (it would only mix with the table).
inline pid_t SpawnQuietly(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &quiet, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) Fail("cannot start " + argv[0]);
    return pid;
}

inline void EndProcess(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// The display named by DISPLAY, watching its top-level windows: each new one is given a damage
// object at once, so its first drawing is seen however soon it follows the mapping.
class TScreenWatch {
public:
    explicit TScreenWatch(uint8_t damageLevel = XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY)
        : FConn(xcb_connect(nullptr, nullptr)), FDamageLevel(damageLevel) {
        if (xcb_connection_has_error(FConn)) Fail("cannot open the X display named by DISPLAY");
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(FConn, &xcb_damage_id);
        if (!damage || !damage->present) Fail("the X server has no DAMAGE extension");
        FDamageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(FConn, xcb_damage_query_version(FConn, 1, 1), nullptr));
        FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConn)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(FConn, FRoot, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(FConn);
    }
    ~TScreenWatch() { xcb_disconnect(FConn); }
    TScreenWatch(const TScreenWatch&) = delete;
    TScreenWatch& operator=(const TScreenWatch&) = delete;

    // Forgets what happened before a new program starts.
    void Drain() {
        while (xcb_generic_event_t* e = xcb_poll_for_event(FConn))
            free(e);
    }

    // The next event, or nullptr once `until` has passed. New windows get their damage object here.
    xcb_generic_event_t* NextEvent(TClock::time_point until) {
        xcb_generic_event_t* e = xcb_poll_for_event(FConn);
        if (!e) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - TClock::now()).count();
            if (left <= 0) return nullptr;
            pollfd fd{xcb_get_file_descriptor(FConn), POLLIN, 0};
            poll(&fd, 1, int(left));
            e = xcb_poll_for_event(FConn);
        }
        if (e && (e->response_type & 0x7F) == XCB_CREATE_NOTIFY) {
            xcb_damage_create(FConn, xcb_generate_id(FConn),
                              reinterpret_cast<xcb_create_notify_event_t*>(e)->window, FDamageLevel);
            xcb_flush(FConn);
        }
        return e;
    }

    bool IsDamage(const xcb_generic_event_t* e) const { return (e->response_type & 0x7F) == FDamageEvent; }
    xcb_connection_t* Connection() const { return FConn; }
    xcb_window_t Root() const { return FRoot; }

private:
    xcb_connection_t* FConn;
    uint8_t FDamageLevel;
    uint8_t FDamageEvent = 0;
    xcb_window_t FRoot = 0;
};

// A build's program in a folder of its own with the delivered database, skins and font, as a user
// installs it.
class TInstalledCopy {
public:
    TInstalledCopy(const fs::path& build, const std::string& tag) : FBuild(build) {
        if (!fs::exists(build / "veloria") || !fs::exists(build / "delivered" / "CommAPI.db"))
            Fail(build.string() + " holds no built program with its delivered database");
        FFolder = fs::temp_directory_path() / ("veloria-start-" + tag + "-" + std::to_string(getpid()));
        fs::create_directories(FFolder);
        fs::copy_file(build / "veloria", FFolder / "veloria", fs::copy_options::overwrite_existing);
        ResetDatabase();
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

    // The delivered database again, as before a run that writes to it.
    void ResetDatabase() const {
        fs::copy_file(FBuild / "delivered" / "CommAPI.db", FFolder / "CommAPI.db",
                      fs::copy_options::overwrite_existing);
    }
    std::string Program() const { return (FFolder / "veloria").string(); }
    fs::path Folder() const { return FFolder; }

private:
    fs::path FBuild, FFolder;
};

}  // namespace startwatch
