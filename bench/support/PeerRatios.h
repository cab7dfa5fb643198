// Side-by-side benchmarks: a case registered twice, as "Case/ours" and "Case/peer", is measured in
// alternating rounds (random interleaving of its repetitions), and after the runs the reporter prints
// for each pair the median CPU time per iteration of either side and their ratio, ours / peer.
// Measure on one core: `taskset -c N bench_controls --benchmark_filter=...`.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Rounds of each side of a pair; the median of them is compared.
constexpr int PeerRounds = 7;

class TPeerRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        benchmark::ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                FTimes[run.run_name.str()].push_back(run.GetAdjustedCPUTime() * UnitScale(run.time_unit));
    }

    void Finalize() override {
        benchmark::ConsoleReporter::Finalize();
        bool header = false;
        for (auto& [name, ours] : FTimes) {
            const size_t at = name.find("/ours");
            if (at == std::string::npos) continue;
            std::string peerName = name;
            peerName.replace(at, 5, "/peer");
            const auto peer = FTimes.find(peerName);
            if (peer == FTimes.end()) continue;
            if (!header) std::printf("\nRatios, ours / peer (median CPU time per iteration over the rounds):\n");
            header = true;
            const double a = Median(ours), b = Median(peer->second);
            std::string label = name;
            label.erase(at, 5);
            std::printf("  %-48s ours %11.4f ms  peer %11.4f ms  ratio %6.2f  (%zu/%zu rounds)\n",
                        label.c_str(), a, b, b > 0 ? a / b : 0.0, ours.size(), peer->second.size());
        }
        std::fflush(stdout);
    }

private:
    // Milliseconds per unit the run reports in.
    static double UnitScale(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond: return 1e-6;
        case benchmark::kMicrosecond: return 1e-3;
        case benchmark::kMillisecond: return 1.0;
        default: return 1e3;
        }
    }
    static double Median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const size_t n = values.size();
        return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    }
    std::map<std::string, std::vector<double>> FTimes;
};

// Registers one case for both sides, each repeated PeerRounds times; returns the two benchmarks so
// the caller can give them the same arguments.
inline std::vector<benchmark::internal::Benchmark*> RegisterPeerPair(
    const std::string& name, const std::function<void(benchmark::State&)>& ours,
    const std::function<void(benchmark::State&)>& peer) {
    return {benchmark::RegisterBenchmark((name + "/ours").c_str(), ours)->Repetitions(PeerRounds),
            benchmark::RegisterBenchmark((name + "/peer").c_str(), peer)->Repetitions(PeerRounds)};
}

// Runs the benchmarks with the reporter above; the rounds of all benchmarks are interleaved at
// random unless the command line says otherwise.
inline int RunWithPeerRatios(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    const bool given = std::any_of(args.begin(), args.end(), [](const char* a) {
        return std::strncmp(a, "--benchmark_enable_random_interleaving", 38) == 0;
    });
    if (!given) args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    TPeerRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
