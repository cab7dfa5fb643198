// Every colour type and depth, with and without transparency, plain and interlaced: rows are read
// and written within their own bytes, and the picture survives loading, drawing and saving.
#include "LibpngReference.h"
#include "PngTestSupport.h"
#include "pngpixels.h"

#include <gtest/gtest.h>
#include <random>

namespace {
struct TLayout {
    int ColorType, Depth;
};
constexpr TLayout Layouts[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                               {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

int Channels(int colorType) {
    return colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
}

std::string Describe(const TLayout& layout, bool keyed, bool interlaced, int width, int height) {
    return "type " + std::to_string(layout.ColorType) + " depth " + std::to_string(layout.Depth) +
           (keyed ? " with tRNS" : "") + (interlaced ? " interlaced " : " ") + std::to_string(width) + "x" +
           std::to_string(height);
}

// A random picture made by libpng; with `keyed`, a tRNS chunk (types 0, 2 and 3) whose key the
// first pixel holds. 16-bit alpha gets equal bytes: it is held at 8 bits.
QByteArray MadeByLibpng(const TLayout& layout, bool keyed, bool interlaced, int width, int height,
                        std::mt19937& random) {
    const int bits = layout.Depth * Channels(layout.ColorType);
    const size_t rowBytes = size_t((width * bits + 7) / 8);
    std::vector<std::uint8_t> rows(rowBytes * size_t(height)), palette, trns;
    for (auto& b : rows)
        b = std::uint8_t(random());
    if (layout.ColorType >= 4 && layout.Depth == 16)
        for (size_t y = 0; y < size_t(height); ++y)
            for (size_t x = 0; x < size_t(width); ++x) {
                std::uint8_t* alpha = &rows[y * rowBytes + (x + 1) * size_t(bits / 8) - 2];
                alpha[1] = alpha[0];
            }
    if (layout.ColorType == 3)
        for (int i = 0; i < 3 << layout.Depth; ++i)
            palette.push_back(std::uint8_t(random()));
    if (keyed && layout.ColorType == 3) {
        for (int i = 0; i < std::min(3, 1 << layout.Depth); ++i)
            trns.push_back(std::uint8_t(std::array{0, 0x80, 255}[size_t(i)]));
    } else if (keyed) {
        // The first pixel's samples, each as two bytes.
        for (int c = 0; c < Channels(layout.ColorType); ++c) {
            int sample;
            if (layout.Depth == 16)
                sample = rows[size_t(2 * c)] << 8 | rows[size_t(2 * c + 1)];
            else if (layout.Depth == 8)
                sample = rows[size_t(c)];
            else
                sample = rows[0] >> (8 - layout.Depth);
            trns.push_back(std::uint8_t(sample >> 8));
            trns.push_back(std::uint8_t(sample));
        }
    }
    return EncodeWithLibpng(width, height, layout.ColorType, layout.Depth, interlaced, rows, palette, trns);
}

// The pixels of one row as the picture holds them: bitmap row, alpha row and low bytes.
std::vector<std::uint8_t> HeldRow(const TChunkIHDR* h, int y) {
    const std::uint8_t* bitmap = h->ImageData.ScanLine(y);
    std::vector<std::uint8_t> held(bitmap, bitmap + h->ImageData.BytesPerScanLine());
    if (!h->ImageAlpha.empty())
        held.insert(held.end(), h->ImageAlpha.begin() + std::ptrdiff_t(y) * h->Width,
                    h->ImageAlpha.begin() + std::ptrdiff_t(y + 1) * h->Width);
    if (!h->ExtraImageData.empty()) {
        const auto* low = h->ExtraImageData.data() + std::ptrdiff_t(y) * h->ImageData.BytesPerScanLine();
        held.insert(held.end(), low, low + h->ImageData.BytesPerScanLine());
    }
    return held;
}
}  // namespace

// What lies after a row's last byte is never read into the picture, and saving a row never writes
// past it: checked with guard bytes, so a fault shows without a sanitizer too.
TEST(PngPixelLayouts, RowsAreReadAndWrittenWithinTheirBytes) {
    std::mt19937 random(31);
    struct TSpan {
        int X0, Dx;
    };
    // A whole row, and the columns of Adam7 passes 2, 4 and 6.
    constexpr TSpan Spans[] = {{0, 1}, {4, 8}, {2, 4}, {1, 2}};
    constexpr int Guard = 16;
    for (const TLayout& layout : Layouts)
        for (bool keyed : {false, true}) {
            if (keyed && layout.ColorType >= 4) continue;
            for (int width : {1, 2, 3, 5, 7, 8, 9, 13}) {
                SCOPED_TRACE(Describe(layout, keyed, false, width, 2));
                auto png = LoadPng(MadeByLibpng(layout, keyed, false, width, 2, random));
                TChunkIHDR* h = png->Header();
                const int held = h->StoredBitDepth();
                for (const TSpan& span : Spans) {
                    if (span.X0 >= width) continue;
                    const std::int64_t count = (width - span.X0 + span.Dx - 1) / span.Dx;
                    const size_t bytes = size_t(BytesForPixels(count, layout.ColorType, held));
                    TPixelMover mover(h, png.get());
                    // Saving: the bytes after the row stay as they were.
                    std::vector<std::uint8_t> out(bytes + Guard, 0xA5);
                    mover.Load(out.data(), 1, span.X0, span.Dx, count);
                    EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + std::ptrdiff_t(bytes), out.end()),
                              std::vector<std::uint8_t>(Guard, 0xA5))
                        << "columns from " << span.X0 << " by " << span.Dx;
                    // Loading: the same row followed by other bytes stores the same pixels.
                    std::vector<std::uint8_t> stored[2];
                    for (int pass = 0; pass < 2; ++pass) {
                        std::fill(out.begin() + std::ptrdiff_t(bytes), out.end(), pass ? 0xFF : 0x00);
                        mover.Store(out.data(), 0, span.X0, span.Dx, count);
                        stored[pass] = HeldRow(h, 0);
                    }
                    EXPECT_EQ(stored[0], stored[1]) << "columns from " << span.X0 << " by " << span.Dx;
                }
            }
        }
}

// Run under the address sanitizer, this is the check that no layout reads or writes outside its
// rows on the way through the codec.
TEST(PngPixelLayouts, EveryLayoutKeepsItsPictureThroughLoadDrawAndSave) {
    std::mt19937 random(2027);
    constexpr int Sizes[][2] = {{1, 1}, {3, 9}, {5, 2}, {8, 5}, {9, 9}, {17, 4}};
    for (const TLayout& layout : Layouts)
        for (bool keyed : {false, true}) {
            if (keyed && layout.ColorType >= 4) continue;
            for (bool interlaced : {false, true})
                for (const auto& size : Sizes) {
                    SCOPED_TRACE(Describe(layout, keyed, interlaced, size[0], size[1]));
                    const QByteArray file = MadeByLibpng(layout, keyed, interlaced, size[0], size[1], random);
                    ASSERT_FALSE(file.isEmpty());
                    ExpectPictureKeptBySaves(file);
                }
        }
}
