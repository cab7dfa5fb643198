// Random images of every colour type and depth, interlaced or not, at awkward sizes: what libpng
// writes we read exactly, what we write reads back identically, and libpng reads it too.
#include "LibpngReference.h"
#include "PngTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {
struct TFormat {
    int ColorType, Depth;
};
constexpr TFormat Formats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                               {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
constexpr int Sizes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 31, 33, 257};

int Channels(int colorType) {
    return colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
}

struct TSource {
    int Width, Height;
    TFormat Format;
    std::vector<std::uint8_t> Rows, Palette;
    QByteArray File;
};

TSource RandomImage(int width, int height, TFormat format, bool interlaced, std::mt19937& random) {
    TSource s{width, height, format, {}, {}, {}};
    const size_t rowBytes = size_t((std::int64_t(width) * format.Depth * Channels(format.ColorType) + 7) / 8);
    s.Rows.resize(rowBytes * size_t(height));
    for (auto& b : s.Rows)
        b = std::uint8_t(random());
    // Alpha of 16-bit images is held at 8 bits: give it equal bytes so it survives exactly.
    if (format.ColorType >= 4 && format.Depth == 16) {
        const int pixelBytes = 2 * Channels(format.ColorType);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* a = &s.Rows[size_t(y) * rowBytes + size_t(x * pixelBytes + pixelBytes - 2)];
                a[1] = a[0];
            }
    }
    if (format.ColorType == 3)
        for (int i = 0; i < 3 * (1 << format.Depth); ++i)
            s.Palette.push_back(std::uint8_t(random()));
    s.File = EncodeWithLibpng(width, height, format.ColorType, format.Depth, interlaced, s.Rows, s.Palette);
    return s;
}

// Both decoded by libpng at full precision must agree sample for sample.
void ExpectSamePixels(const QByteArray& a, const QByteArray& b) {
    const TReferenceImage x = DecodeWithLibpng(a, true), y = DecodeWithLibpng(b, true);
    ASSERT_TRUE(x.Ok()) << x.Error;
    ASSERT_TRUE(y.Ok()) << y.Error;
    ASSERT_EQ(x.Width, y.Width);
    ASSERT_EQ(x.Height, y.Height);
    ASSERT_EQ(x.BytesPerSample, y.BytesPerSample);
    EXPECT_TRUE(x.Rgba == y.Rgba);
}
}  // namespace

TEST(PngRoundTrip, EveryFormatAndSizeComesBackIdentically) {
    std::mt19937 random(20261207);
    for (const TFormat& format : Formats)
        for (bool interlaced : {false, true})
            for (size_t i = 0; i < std::size(Sizes); ++i) {
                const int width = Sizes[i], height = Sizes[(i + 5) % std::size(Sizes)];
                SCOPED_TRACE(testing::Message()
                             << "type " << format.ColorType << " depth " << format.Depth
                             << (interlaced ? " interlaced " : " ") << width << "x" << height);
                const TSource source = RandomImage(width, height, format, interlaced, random);
                ASSERT_FALSE(source.File.isEmpty());
                auto png = LoadPng(source.File);
                EXPECT_EQ(png->InterlaceMethod, interlaced ? 1 : 0);
                const QByteArray saved = SavePng(*png);
                // libpng reads what we wrote and finds the pixels it wrote itself.
                ExpectSamePixels(source.File, saved);
                // And we read back exactly what we held.
                auto again = LoadPng(saved);
                const TChunkIHDR *h1 = png->Header(), *h2 = again->Header();
                EXPECT_EQ(h1->ImageAlpha, h2->ImageAlpha);
                EXPECT_EQ(h1->ExtraImageData, h2->ExtraImageData);
                EXPECT_TRUE(h1->ImageData.ToImage() == h2->ImageData.ToImage());
            }
}

TEST(PngRoundTrip, TwoBitGreyShowsItsTrueLevelsAndKeepsThemWhenSaved) {
    // One row of the four levels.
    const std::vector<std::uint8_t> row = {0b00011011};
    const QByteArray file = EncodeWithLibpng(4, 1, 0, 2, false, row);
    auto png = LoadPng(file);
    const QImage shown = png->Header()->ImageData.ToImage();
    EXPECT_EQ(qRed(shown.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(shown.pixel(1, 0)), 85);
    EXPECT_EQ(qRed(shown.pixel(2, 0)), 170);
    EXPECT_EQ(qRed(shown.pixel(3, 0)), 255);
    const TReferenceImage saved = DecodeWithLibpng(SavePng(*png));
    ASSERT_TRUE(saved.Ok());
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(saved.Rgba[size_t(4 * x)], x * 85);
}

TEST(PngRoundTrip, SixteenBitSamplesKeepTheirLowBytes) {
    const std::vector<std::uint8_t> row = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    auto png = LoadPng(EncodeWithLibpng(1, 1, 2, 16, false, row));
    const TReferenceImage saved = DecodeWithLibpng(SavePng(*png), true);
    ASSERT_TRUE(saved.Ok());
    const std::vector<std::uint8_t> rgb(saved.Rgba.begin(), saved.Rgba.begin() + 6);
    EXPECT_EQ(rgb, row);
}
