#include "SkOSInfo.h"

#include "SkCommon.h"

namespace {
struct TOSInfo {
    TOSVersionInfo Version = GetOSVersion();
    std::uint64_t ComCtl = 0, Shell = 0;
    TOSInfo() {
        GetDllFileVersion(QStringLiteral("comctl32.dll"), ComCtl);
        GetDllFileVersion(QStringLiteral("shell32.dll"), Shell);
    }
};

struct TComStartUp {
    bool Started = CoInitialize();
    ~TComStartUp() {
        if (Started) CoUninitialize();
    }
};

const TOSInfo& Info() {
    static const TOSInfo info;
    return info;
}

TComStartUp gComStartUp;
}  // namespace

const TOSVersionInfo& OSVersionInfo() {
    return Info().Version;
}
std::uint64_t ComCtlVersion() {
    return Info().ComCtl;
}
std::uint64_t ShellVersion() {
    return Info().Shell;
}
bool ComInitialized() {
    return gComStartUp.Started;
}
