// The PNG codec against libpng in one run: decode and encode times, file sizes, and the peak
// memory of a decode. Ratios (ours / libpng) are printed after the runs.
#include "LibpngReference.h"
#include "pngpicture.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>

// Peak heap use, counted through the global allocation functions -----------------------------
namespace {
std::atomic<std::int64_t> HeapInUse{0}, HeapPeak{0};
}

void* operator new(std::size_t size) {
    auto* block = static_cast<std::int64_t*>(std::malloc(size + 16));
    if (!block) throw std::bad_alloc();
    block[0] = std::int64_t(size);
    const std::int64_t now = HeapInUse += std::int64_t(size);
    std::int64_t peak = HeapPeak.load();
    while (now > peak && !HeapPeak.compare_exchange_weak(peak, now)) {
    }
    return block + 2;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    auto* block = static_cast<std::int64_t*>(p) - 2;
    HeapInUse -= block[0];
    std::free(block);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {
struct TCase {
    const char* Name;
    int Width, Height, ColorType, Depth;
    bool Interlaced;
};
constexpr TCase Cases[] = {
    {"photo_4000x3000_rgb8", 4000, 3000, 2, 8, false},
    {"rgba8_4096x4096", 4096, 4096, 6, 8, false},
    {"adam7_2048x2048_rgb8", 2048, 2048, 2, 8, true},
    {"rgba16_1024x1024", 1024, 1024, 6, 16, false},
};

int Channels(int colorType) {
    return colorType == 2 ? 3 : colorType == 6 ? 4 : 1;
}

// Smooth shapes with sensor-like noise: compresses the way a photograph does.
std::vector<std::uint8_t> PhotoLikeRows(const TCase& c) {
    std::mt19937 random(42);
    const int channels = Channels(c.ColorType), bytes = c.Depth / 8;
    std::vector<std::uint8_t> rows(size_t(c.Width) * c.Height * channels * bytes);
    size_t at = 0;
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x)
            for (int ch = 0; ch < channels; ++ch) {
                const double base = 0.5 + 0.25 * std::sin(x * 0.004 * (ch + 1) + y * 0.003) +
                                    0.2 * std::cos((x + y) * 0.0021 * (3 - ch % 3));
                double v = std::clamp(base + (int(random() % 9) - 4) / 255.0, 0.0, 1.0);
                if (ch == 3) v = std::clamp(0.6 + 0.4 * std::sin(x * 0.01) * std::cos(y * 0.013), 0.0, 1.0);
                int level = int(v * (bytes == 2 ? 65535 : 255));
                // Alpha is held at 8 bits: give 16-bit alpha equal bytes so both encoders see one image.
                if (ch == 3 && bytes == 2) level = (level >> 8) * 257;
                if (bytes == 2) rows[at++] = std::uint8_t(level >> 8);
                rows[at++] = std::uint8_t(level);
            }
    return rows;
}

struct TPrepared {
    std::vector<std::uint8_t> Rows;
    QByteArray File;  // libpng's own adaptive filtering: the kind of file a user has
    std::int64_t ImageBytes = 0;
};

const TPrepared& Prepared(const TCase& c) {
    static std::map<std::string, TPrepared> cache;
    auto it = cache.find(c.Name);
    if (it != cache.end()) return it->second;
    TPrepared p;
    p.Rows = PhotoLikeRows(c);
    TReferenceEncoding adaptive;
    adaptive.Level = 6;
    adaptive.DefaultStrategy = false;
    p.File =
        EncodeWithLibpng(c.Width, c.Height, c.ColorType, c.Depth, c.Interlaced, p.Rows, {}, {}, adaptive);
    return cache.emplace(c.Name, std::move(p)).first->second;
}

std::unique_ptr<TPngPicture> LoadOurs(const QByteArray& file) {
    auto png = std::make_unique<TPngPicture>();
    TMemoryStream stream;
    stream.SetBytes(file);
    png->LoadFromStream(&stream);
    return png;
}

void DecodeOurs(benchmark::State& state, const TCase& c) {
    const TPrepared& p = Prepared(c);
    TMemoryStream stream;
    stream.SetBytes(p.File);
    std::int64_t imageBytes = 0, peak = 0;
    for (auto _ : state) {
        stream.SetPosition(0);
        const std::int64_t before = HeapInUse;
        HeapPeak = before;
        TPngPicture png;
        png.LoadFromStream(&stream);
        peak = HeapPeak - before;
        const TChunkIHDR* h = png.Header();
        imageBytes = std::int64_t(h->ImageData.BytesPerScanLine()) * h->Height +
                     std::int64_t(h->ImageAlpha.size()) + std::int64_t(h->ExtraImageData.size());
        benchmark::DoNotOptimize(h);
    }
    state.counters["image_MB"] = double(imageBytes) / 1e6;
    state.counters["peak_over_image_KB"] = double(peak - imageBytes) / 1e3;
    state.SetBytesProcessed(state.iterations() * p.File.size());
}

void DecodeLibpng(benchmark::State& state, const TCase& c) {
    const TPrepared& p = Prepared(c);
    std::vector<std::uint8_t> rows;
    for (auto _ : state) {
        rows.clear();
        rows.shrink_to_fit();  // each round allocates its image, as ours does
        if (!DecodeRawWithLibpng(p.File, rows)) state.SkipWithError("libpng refused the file");
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetBytesProcessed(state.iterations() * p.File.size());
}

// Equal settings for both encoders: level 7, Sub on every row, zlib's default strategy.
void EncodeOurs(benchmark::State& state, const TCase& c) {
    auto png = LoadOurs(Prepared(c).File);
    png->InterlaceMethod = c.Interlaced ? 1 : 0;
    std::int64_t size = 0;
    for (auto _ : state) {
        TMemoryStream out;
        png->SaveToStream(&out);
        size = out.Size();
    }
    state.counters["file_MB"] = double(size) / 1e6;
}

void EncodeLibpng(benchmark::State& state, const TCase& c) {
    const TPrepared& p = Prepared(c);
    TReferenceEncoding settings;
    settings.Level = 7;
    settings.Filters = 0x10;  // PNG_FILTER_SUB
    std::int64_t size = 0;
    for (auto _ : state)
        size =
            EncodeWithLibpng(c.Width, c.Height, c.ColorType, c.Depth, c.Interlaced, p.Rows, {}, {}, settings)
                .size();
    state.counters["file_MB"] = double(size) / 1e6;
}

// Collects the runs to print ours / libpng ratios at the end.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate) continue;
            // The fastest repetition: the least disturbed by whatever else the machine runs.
            const double time = run.GetAdjustedRealTime();
            auto [it, added] = Times.emplace(run.run_name.function_name, time);
            if (!added) it->second = std::min(it->second, time);
            if (auto it = run.counters.find("file_MB"); it != run.counters.end())
                Sizes[run.run_name.function_name] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() {
        std::printf("\n%-26s %14s %14s %14s\n", "image", "decode ratio", "encode ratio", "size ratio");
        for (const TCase& c : Cases) {
            auto ratio = [&](std::map<std::string, double>& m, const char* kind) {
                const std::string ours = std::string(kind) + "/ours/" + c.Name,
                                  theirs = std::string(kind) + "/libpng/" + c.Name;
                return m.count(ours) && m.count(theirs) && m[theirs] > 0 ? m[ours] / m[theirs] : NAN;
            };
            std::printf("%-26s %14.3f %14.3f %14.3f\n", c.Name, ratio(Times, "decode"),
                        ratio(Times, "encode"), ratio(Sizes, "encode"));
        }
    }

private:
    std::map<std::string, double> Times, Sizes;
};
}  // namespace

// Run with --benchmark_repetitions=5 (the ratios take each side's fastest run); the per-run
// lines are needed for that, so do not ask for aggregates only.
int main(int argc, char** argv) {
    for (const TCase& c : Cases) {
        benchmark::RegisterBenchmark((std::string("decode/ours/") + c.Name).c_str(), DecodeOurs, c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("decode/libpng/") + c.Name).c_str(), DecodeLibpng, c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("encode/ours/") + c.Name).c_str(), EncodeOurs, c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("encode/libpng/") + c.Name).c_str(), EncodeLibpng, c)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
