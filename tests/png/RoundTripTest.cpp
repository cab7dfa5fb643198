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

// Transparency and gamma through saves -------------------------------------------------------------
namespace {
QByteArray Be32(std::uint32_t v) {
    QByteArray b(4, 0);
    WriteBigEndian32(reinterpret_cast<std::uint8_t*>(b.data()), v);
    return b;
}

// Samples near the top of their range, where gamma 1.0 shows neighbouring levels alike, and a key
// that some pixels hold and others miss by one level or by the low byte only.
QByteArray KeyedImage(TFormat format, bool interlaced, std::mt19937& random) {
    const int width = 9, height = 7, channels = Channels(format.ColorType), depth = format.Depth;
    const int top = (1 << std::min(depth, 8)) - 1;
    auto sample = [&] { return top - int(random() % std::min(top + 1, 6)); };
    std::vector<std::uint8_t> rows(size_t((width * depth * channels + 7) / 8 * height));
    std::vector<std::uint8_t> palette, trns;
    if (format.ColorType == 3) {
        for (int i = 0; i < 3 * (1 << depth) && i < 48; ++i)
            palette.push_back(std::uint8_t(250 + random() % 6));
        // Alpha 0, half and opaque entries; a run of seeds also gives exactly one transparent entry.
        for (int i = 0; i < std::min(1 << depth, 3); ++i)
            trns.push_back(std::uint8_t(std::array{0, 0x80, 255}[random() % 3]));
    } else {
        for (int c = 0; c < channels; ++c) {
            const int v = sample();
            trns.push_back(std::uint8_t(depth == 16 ? v : 0));
            trns.push_back(std::uint8_t(depth == 16 ? random() % 2 : v));
        }
    }
    // Pixels: a third take the key, the rest are near it.
    const int rowBytes = (width * depth * channels + 7) / 8;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool keyed = random() % 3 == 0;
            for (int c = 0; c < channels; ++c) {
                int v;
                if (format.ColorType == 3)
                    v = int(random() % std::min(1 << depth, int(palette.size() / 3)));
                else if (depth == 16)
                    v = keyed ? trns[size_t(2 * c)] << 8 | trns[size_t(2 * c + 1)]
                              : (sample() << 8) | int(random() % 2);
                else
                    v = keyed ? trns[size_t(2 * c + 1)] : sample();
                std::uint8_t* row = &rows[size_t(y * rowBytes)];
                if (depth == 16) {
                    row[2 * (x * channels + c)] = std::uint8_t(v >> 8);
                    row[2 * (x * channels + c) + 1] = std::uint8_t(v);
                } else {
                    const int bit = (x * channels + c) * depth;
                    row[bit / 8] |= std::uint8_t(v << (8 - depth - bit % 8));
                }
            }
        }
    return EncodeWithLibpng(width, height, format.ColorType, depth, interlaced, rows, palette, trns);
}
}  // namespace

TEST(PngRoundTrip, TransparencyAndGammaInEveryPlaceKeepThePicture) {
    std::mt19937 random(1312);
    enum { NoGamma, BeforeData, AfterPalette, AfterImageData };
    for (const TFormat& format : Formats) {
        if (format.ColorType >= 4) continue;  // alpha channels: covered above
        for (int where : {NoGamma, BeforeData, AfterPalette, AfterImageData})
            for (bool interlaced : {false, true}) {
                if (where == AfterPalette && format.ColorType != 3) continue;
                SCOPED_TRACE(testing::Message()
                             << "type " << format.ColorType << " depth " << format.Depth << " gamma place "
                             << where << (interlaced ? " interlaced" : ""));
                QByteArray file = KeyedImage(format, interlaced, random);
                ASSERT_FALSE(file.isEmpty());
                const QByteArray gamma = Be32(100000);
                if (where == BeforeData)
                    file = WithChunkBefore(file, format.ColorType == 3 ? "PLTE" : "tRNS", "gAMA", gamma);
                if (where == AfterPalette) file = WithChunkBefore(file, "tRNS", "gAMA", gamma);
                if (where == AfterImageData) file = WithChunkBefore(file, "IEND", "gAMA", gamma);
                ExpectPictureKeptBySaves(file);
            }
    }
}

TEST(PngRoundTrip, TwoBitGreyKeepsItsKey) {
    auto png = LoadPng(EncodeWithLibpng(4, 1, 0, 2, false, {0b00011011}, {}, {0, 2}));
    ASSERT_EQ(png->TransparencyMode(), ptmBit);
    const TReferenceImage saved = DecodeWithLibpng(SavePng(*png));
    ASSERT_TRUE(saved.Ok());
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(saved.Rgba[size_t(4 * x + 3)], x == 2 ? 0 : 255) << x;
}

TEST(PngRoundTrip, PaletteLayoutsOutsideTheRulesKeepThePictureOrAreRefused) {
    std::mt19937 random(5);
    std::vector<std::uint8_t> rows(8 * 2);
    for (auto& b : rows)
        b = std::uint8_t(random());
    // A grey image with a PLTE after its data: the palette does not recolour it.
    const QByteArray grey = EncodeWithLibpng(8, 8, 0, 2, false, rows);
    ExpectPictureKeptBySaves(WithChunkBefore(grey, "IEND", "PLTE", QByteArray("\xFF\0\0\0\xFF\0", 6)));
    ExpectPictureKeptBySaves(WithChunkBefore(grey, "IDAT", "PLTE", QByteArray("\xFF\0\0\0\xFF\0", 6)));
    // An interlaced 1-bit image with 16 palette entries and 3 alpha values: two entries are
    // usable, so the alpha values are more than the palette has.
    const QByteArray oneBit =
        EncodeWithLibpng(8, 8, 3, 1, true, std::vector<std::uint8_t>(rows.begin(), rows.begin() + 8),
                         {10, 20, 30, 200, 210, 220});
    QByteArray entries;
    for (int i = 0; i < 48; ++i)
        entries.append(char(i * 5));
    const QByteArray wide = WithChunkReplaced(oneBit, "PLTE", entries);
    ExpectPictureKeptBySaves(WithChunkBefore(wide, "IDAT", "tRNS", QByteArray("\0\x80\xFF", 3)));
    ExpectPictureKeptBySaves(WithChunkBefore(oneBit, "IDAT", "tRNS", QByteArray("\0\x80", 2)));
    // No palette, an empty one or two: refused as libpng refuses them.
    const QByteArray palette =
        EncodeWithLibpng(8, 8, 3, 2, false, rows, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const qsizetype plteAt = palette.indexOf("PLTE") - 4;
    EXPECT_THROW(LoadPng(palette.left(plteAt) + palette.mid(plteAt + 12 + 12)), EPNGInvalidPalette);
    EXPECT_THROW(LoadPng(WithChunkReplaced(palette, "PLTE", QByteArray())), EPNGInvalidPalette);
    EXPECT_THROW(LoadPng(WithChunkBefore(palette, "IDAT", "PLTE", QByteArray(6, 1))), EPNGInvalidPalette);
    EXPECT_THROW(LoadPng(WithChunkBefore(palette, "IEND", "PLTE", QByteArray(6, 1))), EPNGInvalidPalette);
}
