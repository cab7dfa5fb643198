// The PNG codec against libpng and libspng in one run: decode and encode times (wall and CPU of all
// threads), file sizes, and the peak memory of a decode. Ratios (ours / theirs) of the medians are
// printed after the runs.
#include "LibpngReference.h"
#include "SpngReference.h"
#include "pngpicture.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <algorithm>
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
constexpr int AllFilters = 0xF8, NoneOnly = 0x08, SubOnly = 0x10, AverageOnly = 0x40, PaethOnly = 0x80,
              Adaptive = -1;

// What the pixels show: a photograph (smooth shapes and noise), a drawing (flat areas and lines),
// or a photograph dithered to the few levels or colours of the layout.
enum TContent { Photo, Drawing, DitheredPhoto };

struct TCase {
    const char* Name;
    int Width, Height, ColorType, Depth;
    bool Interlaced;
    TContent Content;
    int FileFilters;    // how the decoded file was written (libpng's mask, or its adaptive choice)
    int EncodeFilters;  // the filter set both encoders get
};
constexpr TCase Cases[] = {
    {"photo_4000x3000_rgb8", 4000, 3000, 2, 8, false, Photo, Adaptive, SubOnly},
    {"average_2048x2048_rgb8", 2048, 2048, 2, 8, false, Photo, AverageOnly, AllFilters},
    {"paeth_2048x2048_rgb8", 2048, 2048, 2, 8, false, Photo, PaethOnly, AllFilters},
    {"rgba8_4096x4096", 4096, 4096, 6, 8, false, Photo, Adaptive, SubOnly},
    {"adam7_2048x2048_rgb8", 2048, 2048, 2, 8, true, Photo, Adaptive, SubOnly},
    {"rgba16_1024x1024", 1024, 1024, 6, 16, false, Photo, Adaptive, SubOnly},
    {"grey8_2048x2048", 2048, 2048, 0, 8, false, Photo, Adaptive, AllFilters},
    {"drawing_2048x2048_palette8", 2048, 2048, 3, 8, false, Drawing, Adaptive, AllFilters},
    {"photo_2048x2048_palette8", 2048, 2048, 3, 8, false, DitheredPhoto, Adaptive, AllFilters},
    // Below 8 bits libpng writes without filters unless told otherwise; the program filters with Sub.
    {"grey1_4096x4096", 4096, 4096, 0, 1, false, DitheredPhoto, NoneOnly, SubOnly},
    {"grey2_4096x4096", 4096, 4096, 0, 2, false, DitheredPhoto, NoneOnly, SubOnly},
    {"grey4_4096x4096", 4096, 4096, 0, 4, false, DitheredPhoto, NoneOnly, SubOnly},
    {"palette1_4096x4096", 4096, 4096, 3, 1, false, Drawing, NoneOnly, SubOnly},
    {"palette2_4096x4096", 4096, 4096, 3, 2, false, Drawing, NoneOnly, SubOnly},
    {"palette4_4096x4096", 4096, 4096, 3, 4, false, DitheredPhoto, NoneOnly, SubOnly},
    // A small picture: what a save costs besides deflating.
    {"small_300x1500_rgb8", 300, 1500, 2, 8, false, Photo, Adaptive, SubOnly},
};

int Channels(int colorType) {
    return colorType == 2 ? 3 : colorType == 6 ? 4 : colorType == 4 ? 2 : 1;
}

constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// A drawing, as palette images mostly are: flat bands, discs and grid lines, and a gradient in
// ordered dither; indices below `entries`.
std::vector<std::uint8_t> DrawingIndices(const TCase& c, int entries) {
    std::vector<std::uint8_t> indices(size_t(c.Width) * c.Height);
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x) {
            int index = (x / 128 + y / 96) % 8;
            for (int k = 0; k < 6; ++k) {
                const int cx = (k * 577) % c.Width, cy = (k * 331 + 200) % c.Height, r = 90 + 40 * k;
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r) index = 8 + k;
            }
            if (y > c.Height * 3 / 4) index = 16 + (x * 32 / c.Width * 16 + Bayer[y % 4][x % 4]) / 16;
            if (x % 64 == 0 || y % 64 == 0) index = 100;
            indices[size_t(y) * c.Width + x] = std::uint8_t(index % entries);
        }
    return indices;
}

// A channel of a photograph at (x, y), 0 to 1: smooth shapes with sensor-like noise.
double PhotoSample(int x, int y, int ch, std::mt19937& random) {
    const double base = 0.5 + 0.25 * std::sin(x * 0.004 * (ch + 1) + y * 0.003) +
                        0.2 * std::cos((x + y) * 0.0021 * (3 - ch % 3));
    return std::clamp(base + (int(random() % 9) - 4) / 255.0, 0.0, 1.0);
}

// A sample of 0 to levels - 1 in ordered dither.
int Dithered(double v, int levels, int x, int y) {
    return std::min(levels - 1, int(v * (levels - 1) + (Bayer[y % 4][x % 4] + 0.5) / 16));
}

// Compresses the way a photograph does.
std::vector<std::uint8_t> PhotoRows(const TCase& c) {
    std::mt19937 random(42);
    const int channels = Channels(c.ColorType), bytes = c.Depth / 8;
    std::vector<std::uint8_t> rows(size_t(c.Width) * c.Height * channels * bytes);
    size_t at = 0;
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x)
            for (int ch = 0; ch < channels; ++ch) {
                double v = PhotoSample(x, y, ch, random);
                if (ch == 3) v = std::clamp(0.6 + 0.4 * std::sin(x * 0.01) * std::cos(y * 0.013), 0.0, 1.0);
                int level = int(v * (bytes == 2 ? 65535 : 255));
                // Alpha is held at 8 bits: give 16-bit alpha equal bytes so both encoders see one image.
                if (ch == 3 && bytes == 2) level = (level >> 8) * 257;
                if (bytes == 2) rows[at++] = std::uint8_t(level >> 8);
                rows[at++] = std::uint8_t(level);
            }
    return rows;
}

// Grey levels, or indices into the colour cube of PaletteOf, one byte a pixel.
std::vector<std::uint8_t> DitheredPhotoSamples(const TCase& c) {
    std::mt19937 random(42);
    std::vector<std::uint8_t> samples(size_t(c.Width) * c.Height);
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x) {
            int sample;
            if (c.ColorType == 0) {
                sample = Dithered(PhotoSample(x, y, 0, random), 1 << c.Depth, x, y);
            } else if (c.Depth == 8) {
                sample = Dithered(PhotoSample(x, y, 0, random), 6, x, y) * 42 +
                         Dithered(PhotoSample(x, y, 1, random), 7, x, y) * 6 +
                         Dithered(PhotoSample(x, y, 2, random), 6, x, y);
            } else {
                sample = Dithered(PhotoSample(x, y, 1, random), 1 << c.Depth, x, y);
            }
            samples[size_t(y) * c.Width + x] = std::uint8_t(sample);
        }
    return samples;
}

// One sample a byte into PNG rows of `depth` bits a sample.
std::vector<std::uint8_t> Packed(const std::vector<std::uint8_t>& samples, int width, int height, int depth) {
    if (depth == 8) return samples;
    const size_t rowBytes = size_t((width * depth + 7) / 8);
    std::vector<std::uint8_t> rows(rowBytes * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int bit = x * depth;
            rows[size_t(y) * rowBytes + size_t(bit / 8)] |=
                std::uint8_t(samples[size_t(y) * width + x] << (8 - depth - bit % 8));
        }
    return rows;
}

std::vector<std::uint8_t> RowsOf(const TCase& c) {
    switch (c.Content) {
    case Drawing:
        return Packed(DrawingIndices(c, 1 << c.Depth), c.Width, c.Height, c.Depth);
    case DitheredPhoto:
        return Packed(DitheredPhotoSamples(c), c.Width, c.Height, c.Depth);
    default:
        return PhotoRows(c);
    }
}

// A drawing's colours, or the 6 x 7 x 6 colour cube of a dithered photograph.
std::vector<std::uint8_t> PaletteOf(const TCase& c) {
    std::vector<std::uint8_t> palette;
    if (c.ColorType != 3) return palette;
    for (int i = 0; i < 1 << c.Depth; ++i)
        if (c.Content == DitheredPhoto && c.Depth == 8)
            palette.insert(palette.end(), {std::uint8_t(i / 42 % 6 * 51), std::uint8_t(i / 6 % 7 * 42),
                                           std::uint8_t(i % 6 * 51)});
        else
            palette.insert(palette.end(), {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
    return palette;
}

// 2-bit pictures are held and saved at 4 bits (grey v as 5v): the rows a save of the picture writes.
std::vector<std::uint8_t> HeldRows(const TCase& c, const std::vector<std::uint8_t>& rows) {
    if (c.Depth != 2) return {};
    const size_t rowBytes = size_t((c.Width * 2 + 7) / 8);
    std::vector<std::uint8_t> samples(size_t(c.Width) * c.Height);
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x) {
            const int v = rows[size_t(y) * rowBytes + size_t(x / 4)] >> (6 - 2 * (x % 4)) & 3;
            samples[size_t(y) * c.Width + x] = std::uint8_t(c.ColorType == 0 ? 5 * v : v);
        }
    return Packed(samples, c.Width, c.Height, 4);
}

struct TPrepared {
    std::vector<std::uint8_t> Rows, Palette;
    std::vector<std::uint8_t> HeldRows;  // the 4-bit rows of a 2-bit picture
    QByteArray File;  // written by libpng at level 6 with its own strategy: a file as users have them
};

const TPrepared& Prepared(const TCase& c) {
    static std::map<std::string, TPrepared> cache;
    auto it = cache.find(c.Name);
    if (it != cache.end()) return it->second;
    TPrepared p;
    p.Rows = RowsOf(c);
    p.Palette = PaletteOf(c);
    p.HeldRows = HeldRows(c, p.Rows);
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

// libpng writing the case's rows, or (held) the rows our save writes, where they differ.
template <bool Held> void EncodeLibpng(benchmark::State& state, const TCase& c) {
    const TPrepared& p = Prepared(c);
    TReferenceEncoding settings;
    settings.Level = 7;
    settings.Filters = c.EncodeFilters;
    const int depth = Held ? 4 : c.Depth;
    std::int64_t size = 0;
    for (auto _ : state)
        size = EncodeWithLibpng(c.Width, c.Height, c.ColorType, depth, c.Interlaced,
                                Held ? p.HeldRows : p.Rows, p.Palette, {}, settings)
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

// Collects every repetition's wall and CPU time to print ours / theirs ratios of the medians. The
// CPU time is that of the whole process, every thread of it: per core, ours against libpng's one.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate || run.error_occurred) continue;
            const std::string& name = run.run_name.function_name;
            Wall[name].push_back(run.GetAdjustedRealTime());
            Cpu[name].push_back(run.GetAdjustedCPUTime());
            if (auto it = run.counters.find("file_MB"); it != run.counters.end())
                Sizes[name] = {it->second.value};
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() {
        std::printf(
            "\nours / theirs, medians of the repetitions; cpu: the CPU time of all threads (per core), "
            "wall: elapsed\n");
        std::printf("%-28s %9s %9s %9s %9s %9s %9s %9s %9s\n", "image", "dec/png", "dec/png", "dec/spng",
                    "dec/spng", "enc/png", "enc/png", "enc size", "enc/held");
        std::printf("%-28s %9s %9s %9s %9s %9s %9s %9s %9s\n", "", "cpu", "wall", "cpu", "wall", "cpu",
                    "wall", "", "cpu");
        for (const TCase& c : Cases) {
            const std::string n = c.Name;
            std::printf("%-28s %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f", c.Name,
                        Ratio(Cpu, "decode/ours/" + n, "decode/libpng/" + n),
                        Ratio(Wall, "decode/ours/" + n, "decode/libpng/" + n),
                        Ratio(Cpu, "decode/ours/" + n, "decode/spng/" + n),
                        Ratio(Wall, "decode/ours/" + n, "decode/spng/" + n),
                        Ratio(Cpu, "encode/ours/" + n, "encode/libpng/" + n),
                        Ratio(Wall, "encode/ours/" + n, "encode/libpng/" + n),
                        Ratio(Sizes, "encode/ours/" + n, "encode/libpng/" + n));
            // 2-bit pictures are saved at 4 bits: against libpng writing those same rows.
            if (c.Depth == 2)
                std::printf(" %9.3f", Ratio(Cpu, "encode/ours/" + n, "encode/libpng-held/" + n));
            std::printf("\n");
        }
        std::printf("%-28s %9.3f %9.3f %9.3f %9.3f\n", "icons_from_files",
                    Ratio(Cpu, "icons/ours", "icons/libpng"), Ratio(Wall, "icons/ours", "icons/libpng"),
                    Ratio(Cpu, "icons/ours", "icons/spng"), Ratio(Wall, "icons/ours", "icons/spng"));
    }

private:
    using TSamples = std::map<std::string, std::vector<double>>;
    static double Median(std::vector<double> v) {
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    static double Ratio(const TSamples& m, const std::string& ours, const std::string& theirs) {
        auto a = m.find(ours), b = m.find(theirs);
        if (a == m.end() || b == m.end() || a->second.empty() || b->second.empty()) return NAN;
        const double theirMedian = Median(b->second);
        return theirMedian > 0 ? Median(a->second) / theirMedian : NAN;
    }
    TSamples Wall, Cpu, Sizes;
};
}  // namespace

// Without flags of its own, each benchmark runs 7 times with the runs of all of them interleaved at
// random, so a slow spell of the machine falls on both sides of a ratio alike.
int main(int argc, char** argv) {
    auto add = [](const std::string& name, auto function, const TCase& c) {
        benchmark::RegisterBenchmark(name.c_str(), function, c)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    };
    for (const TCase& c : Cases) {
        add(std::string("decode/ours/") + c.Name, DecodeOurs, c);
        add(std::string("decode/libpng/") + c.Name, DecodeReference<DecodeRawWithLibpng>, c);
        add(std::string("decode/spng/") + c.Name, DecodeReference<DecodeRawWithSpng>, c);
        add(std::string("encode/ours/") + c.Name, EncodeOurs, c);
        add(std::string("encode/libpng/") + c.Name, EncodeLibpng<false>, c);
        if (c.Depth == 2) add(std::string("encode/libpng-held/") + c.Name, EncodeLibpng<true>, c);
    }
    using TIconRun = void (*)(benchmark::State&);
    const std::pair<const char*, TIconRun> icons[] = {{"icons/ours", IconsOurs},
                                                      {"icons/libpng", IconsReference<DecodeFileWithLibpng>},
                                                      {"icons/spng", IconsReference<DecodeFileWithSpng>}};
    for (const auto& [name, function] : icons)
        benchmark::RegisterBenchmark(name, function)
            ->Unit(benchmark::kMicrosecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=7",
                interleave = "--benchmark_enable_random_interleaving=true";
    auto given = [&](const std::string& flag) {
        const std::string key = flag.substr(0, flag.find('='));
        return std::any_of(args.begin() + 1, args.end(),
                           [&](char* a) { return std::string(a).rfind(key, 0) == 0; });
    };
    if (!given(repetitions)) args.push_back(repetitions.data());
    if (!given(interleave)) args.push_back(interleave.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
