// The PNG codec against libpng and libspng in one run: decode and encode times, file sizes, and
// the peak memory of a decode. Ratios (ours / theirs) are printed after the runs.
#include "LibpngReference.h"
#include "SpngReference.h"
#include "pngpicture.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>

// Peak heap use, counted through the global allocation functions while Counting is set (only in
// a run of its own: the counting would slow the timed runs down) ------------------------------
namespace {
std::atomic<bool> Counting{false};
std::atomic<std::int64_t> HeapInUse{0}, HeapPeak{0};
}  // namespace

void* operator new(std::size_t size) {
    auto* block = static_cast<std::int64_t*>(std::malloc(size + 16));
    if (!block) throw std::bad_alloc();
    block[0] = Counting ? std::int64_t(size) : 0;
    if (block[0]) {
        const std::int64_t now = HeapInUse += block[0];
        std::int64_t peak = HeapPeak.load();
        while (now > peak && !HeapPeak.compare_exchange_weak(peak, now)) {
        }
    }
    return block + 2;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    auto* block = static_cast<std::int64_t*>(p) - 2;
    if (block[0]) HeapInUse -= block[0];
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
// PNG filter masks as libpng takes them.
constexpr int AllFilters = 0xF8, SubOnly = 0x10, AverageOnly = 0x40, PaethOnly = 0x80, Adaptive = -1;

struct TCase {
    const char* Name;
    int Width, Height, ColorType, Depth;
    bool Interlaced;
    int FileFilters;    // how the decoded file was written (libpng's mask, or its adaptive choice)
    int EncodeFilters;  // the filter set both encoders get
};
constexpr TCase Cases[] = {
    {"photo_4000x3000_rgb8", 4000, 3000, 2, 8, false, Adaptive, SubOnly},
    {"average_2048x2048_rgb8", 2048, 2048, 2, 8, false, AverageOnly, AllFilters},
    {"paeth_2048x2048_rgb8", 2048, 2048, 2, 8, false, PaethOnly, AllFilters},
    {"rgba8_4096x4096", 4096, 4096, 6, 8, false, Adaptive, SubOnly},
    {"adam7_2048x2048_rgb8", 2048, 2048, 2, 8, true, Adaptive, SubOnly},
    {"rgba16_1024x1024", 1024, 1024, 6, 16, false, Adaptive, SubOnly},
    {"grey8_2048x2048", 2048, 2048, 0, 8, false, Adaptive, AllFilters},
    {"drawing_2048x2048_palette8", 2048, 2048, 3, 8, false, Adaptive, AllFilters},
};

int Channels(int colorType) {
    return colorType == 2 ? 3 : colorType == 6 ? 4 : 1;
}

// A drawing, as palette images mostly are: flat bands, discs and grid lines, and a gradient in
// ordered dither.
std::vector<std::uint8_t> DrawingRows(const TCase& c) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    std::vector<std::uint8_t> rows(size_t(c.Width) * c.Height);
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x) {
            int index = (x / 128 + y / 96) % 8;
            for (int k = 0; k < 6; ++k) {
                const int cx = (k * 577) % c.Width, cy = (k * 331 + 200) % c.Height, r = 90 + 40 * k;
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r) index = 8 + k;
            }
            if (y > c.Height * 3 / 4) index = 16 + (x * 32 / c.Width * 16 + bayer[y % 4][x % 4]) / 16;
            if (x % 64 == 0 || y % 64 == 0) index = 100;
            rows[size_t(y) * c.Width + x] = std::uint8_t(index);
        }
    return rows;
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

std::vector<std::uint8_t> PaletteOf(const TCase& c) {
    std::vector<std::uint8_t> palette;
    if (c.ColorType == 3)
        for (int i = 0; i < 256; ++i)
            palette.insert(palette.end(), {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
    return palette;
}

struct TPrepared {
    std::vector<std::uint8_t> Rows, Palette;
    QByteArray File;  // written by libpng at level 6 with its own strategy: a file as users have them
};

const TPrepared& Prepared(const TCase& c) {
    static std::map<std::string, TPrepared> cache;
    auto it = cache.find(c.Name);
    if (it != cache.end()) return it->second;
    TPrepared p;
    p.Rows = c.ColorType == 3 ? DrawingRows(c) : PhotoLikeRows(c);
    p.Palette = PaletteOf(c);
    TReferenceEncoding written;
    written.Level = 6;
    written.DefaultStrategy = false;
    written.Filters = c.FileFilters;
    p.File = EncodeWithLibpng(c.Width, c.Height, c.ColorType, c.Depth, c.Interlaced, p.Rows, p.Palette, {},
                              written);
    return cache.emplace(c.Name, std::move(p)).first->second;
}

void DecodeOurs(benchmark::State& state, const TCase& c) {
    const TPrepared& p = Prepared(c);
    TMemoryStream stream;
    stream.SetBytes(p.File);
    // One decode counted: the memory it needs beyond the image it makes.
    std::int64_t imageBytes = 0;
    {
        HeapInUse = 0;
        HeapPeak = 0;
        Counting = true;
        TPngPicture png;
        png.LoadFromStream(&stream);
        Counting = false;
        const TChunkIHDR* h = png.Header();
        imageBytes = std::int64_t(h->ImageData.BytesPerScanLine()) * h->Height +
                     std::int64_t(h->ImageAlpha.size()) + std::int64_t(h->ExtraImageData.size());
    }
    for (auto _ : state) {
        stream.SetPosition(0);
        TPngPicture png;
        png.LoadFromStream(&stream);
        benchmark::DoNotOptimize(png.Header());
    }
    state.counters["image_MB"] = double(imageBytes) / 1e6;
    state.counters["peak_over_image_KB"] = double(HeapPeak - imageBytes) / 1e3;
    state.SetBytesProcessed(state.iterations() * p.File.size());
}

// A reference decoder into the file's own layout, allocating its image each round as ours does.
template <bool (*Decode)(const QByteArray&, std::vector<std::uint8_t>&)>
void DecodeReference(benchmark::State& state, const TCase& c) {
    const TPrepared& p = Prepared(c);
    std::vector<std::uint8_t> rows;
    for (auto _ : state) {
        rows.clear();
        rows.shrink_to_fit();
        if (!Decode(p.File, rows)) state.SkipWithError("the reference refused the file");
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetBytesProcessed(state.iterations() * p.File.size());
}

// Equal settings for both encoders: level 7, the case's filter set, zlib's default strategy.
void EncodeOurs(benchmark::State& state, const TCase& c) {
    TPngPicture png;
    TMemoryStream in;
    in.SetBytes(Prepared(c).File);
    png.LoadFromStream(&in);
    png.InterlaceMethod = c.Interlaced ? 1 : 0;
    png.Filters = TFilters(c.EncodeFilters >> 3);  // libpng's NONE is bit 3
    std::int64_t size = 0;
    for (auto _ : state) {
        TMemoryStream out;
        png.SaveToStream(&out);
        size = out.Size();
    }
    state.counters["file_MB"] = double(size) / 1e6;
}

void EncodeLibpng(benchmark::State& state, const TCase& c) {
    const TPrepared& p = Prepared(c);
    TReferenceEncoding settings;
    settings.Level = 7;
    settings.Filters = c.EncodeFilters;
    std::int64_t size = 0;
    for (auto _ : state)
        size = EncodeWithLibpng(c.Width, c.Height, c.ColorType, c.Depth, c.Interlaced, p.Rows, p.Palette, {},
                                settings)
                   .size();
    state.counters["file_MB"] = double(size) / 1e6;
}

// The program's tree icons, each loaded from its file as the image lists load them.
QStringList IconFiles() {
    const QString folder = QStringLiteral(VELORIA_SOURCE_DIR "/data/icons/");
    QStringList files;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        files << folder + name;
    return files;
}

void IconsOurs(benchmark::State& state) {
    const QStringList files = IconFiles();
    for (auto _ : state)
        for (const QString& file : files) {
            TPicture picture;
            picture.LoadFromFile(file);
            benchmark::DoNotOptimize(picture.Graphic());
        }
    state.SetItemsProcessed(state.iterations() * files.size());
}

template <bool (*Decode)(const char*, std::vector<std::uint8_t>&)>
void IconsReference(benchmark::State& state) {
    std::vector<std::string> files;
    for (const QString& file : IconFiles())
        files.push_back(file.toStdString());
    std::vector<std::uint8_t> rows;
    for (auto _ : state)
        for (const std::string& file : files) {
            rows.clear();
            rows.shrink_to_fit();
            if (!Decode(file.c_str(), rows)) state.SkipWithError("the reference refused an icon");
            benchmark::DoNotOptimize(rows.data());
        }
    state.SetItemsProcessed(state.iterations() * std::int64_t(files.size()));
}

// Collects the runs to print ours / theirs ratios at the end.
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
        std::printf("\n%-26s %10s %10s %10s %10s\n", "image", "dec/libpng", "dec/spng", "enc time",
                    "enc size");
        auto ratio = [&](std::map<std::string, double>& m, const std::string& ours,
                         const std::string& theirs) {
            return m.count(ours) && m.count(theirs) && m[theirs] > 0 ? m[ours] / m[theirs] : NAN;
        };
        for (const TCase& c : Cases) {
            const std::string n = c.Name;
            std::printf("%-26s %10.3f %10.3f %10.3f %10.3f\n", c.Name,
                        ratio(Times, "decode/ours/" + n, "decode/libpng/" + n),
                        ratio(Times, "decode/ours/" + n, "decode/spng/" + n),
                        ratio(Times, "encode/ours/" + n, "encode/libpng/" + n),
                        ratio(Sizes, "encode/ours/" + n, "encode/libpng/" + n));
        }
        std::printf("%-26s %10.3f %10.3f\n", "icons_from_files", ratio(Times, "icons/ours", "icons/libpng"),
                    ratio(Times, "icons/ours", "icons/spng"));
    }

private:
    std::map<std::string, double> Times, Sizes;
};
}  // namespace

// Run with --benchmark_repetitions=5 (the ratios take each side's fastest run); the per-run
// lines are needed for that, so do not ask for aggregates only.
int main(int argc, char** argv) {
    auto add = [](const std::string& name, auto function, const TCase& c) {
        benchmark::RegisterBenchmark(name.c_str(), function, c)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    for (const TCase& c : Cases) {
        add(std::string("decode/ours/") + c.Name, DecodeOurs, c);
        add(std::string("decode/libpng/") + c.Name, DecodeReference<DecodeRawWithLibpng>, c);
        add(std::string("decode/spng/") + c.Name, DecodeReference<DecodeRawWithSpng>, c);
        add(std::string("encode/ours/") + c.Name, EncodeOurs, c);
        add(std::string("encode/libpng/") + c.Name, EncodeLibpng, c);
    }
    benchmark::RegisterBenchmark("icons/ours", IconsOurs)->Unit(benchmark::kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("icons/libpng", IconsReference<DecodeFileWithLibpng>)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("icons/spng", IconsReference<DecodeFileWithSpng>)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
