// Saves of every size: the image data is deflated in segments on several threads, in rounds of
// one segment a thread; whatever the threads and wherever the data ends, the stream is one valid
// zlib stream, the same for any number of threads, and hardly longer than one deflated whole.
#include "LibpngReference.h"
#include "PngTestSupport.h"
#include "pngdeflater.h"

#include <gtest/gtest.h>
#include <random>

namespace {
constexpr std::size_t Segment = 256 * 1024;  // the smallest segment

// Data whose pieces repeat what came 20 KB before, slightly changed, between runs of noise: a
// segment deflated without the bytes before it as its dictionary comes out much longer.
std::vector<std::uint8_t> EchoingData(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> data(size);
    constexpr std::size_t Piece = 4096, Echo = 20 * 1024;
    for (std::size_t at = 0; at < size; at += Piece) {
        const bool noise = at < Echo || random() % 4 == 0;
        for (std::size_t i = at; i < std::min(size, at + Piece); ++i)
            data[i] = noise || random() % 100 == 0 ? std::uint8_t(random()) : data[i - Echo];
    }
    return data;
}

// The IDAT chunks a deflater writes: their data lengths and their data joined.
struct TWritten {
    std::vector<std::uint32_t> Lengths;
    QByteArray Data;
};

TWritten Deflated(const std::vector<std::uint8_t>& input, int level, std::size_t threads, std::size_t piece) {
    TMemoryStream stream;
    TIdatDeflater deflater(&stream, level, 65535, input.size(), threads);
    for (std::size_t at = 0; at < input.size(); at += piece)
        deflater.Write(input.data() + at, std::min(piece, input.size() - at));
    deflater.Finish();
    TWritten written;
    const QByteArray bytes = stream.Bytes();
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    for (qsizetype at = 0; at + 12 <= bytes.size();) {
        const std::uint32_t length = ReadBigEndian32(p + at);
        EXPECT_EQ(bytes.mid(at + 4, 4), "IDAT");
        EXPECT_EQ(ReadBigEndian32(p + at + 8 + length), ChunkCrc("IDAT", p + at + 8, length));
        written.Lengths.push_back(length);
        written.Data.append(bytes.mid(at + 8, qsizetype(length)));
        at += 12 + qsizetype(length);
    }
    return written;
}
}  // namespace

TEST(PngSaveSizes, TheDeflatedStreamIsTheSameForAnyNumberOfThreads) {
    // Ends inside a round, on a segment's end, on a round's end for 1, 2, 3 and 4 threads, one
    // byte past them, and sizes whose segments are larger than the smallest.
    const std::size_t totals[] = {
        1000,        Segment - 1,     Segment,         Segment + 1, 2 * Segment,      3 * Segment,
        4 * Segment, 4 * Segment + 1, 6 * Segment + 7, 8 * Segment, 9 * Segment + 123};
    unsigned seed = 1;
    for (std::size_t total : totals) {
        SCOPED_TRACE(testing::Message() << total << " bytes");
        const std::vector<std::uint8_t> input = EchoingData(total, seed++);
        const int level = total > Segment ? 1 : 7;  // the rounds are the same at every level
        const TWritten one = Deflated(input, level, 1, 1001);
        // zlib reads it back whole, its checksum included.
        QByteArray inflated;
        ASSERT_TRUE(InflateBuffer(reinterpret_cast<const std::uint8_t*>(one.Data.constData()),
                                  size_t(one.Data.size()), inflated, total + 1));
        EXPECT_TRUE(inflated == QByteArray(reinterpret_cast<const char*>(input.data()), qsizetype(total)));
        // Full chunks up to the last.
        for (size_t i = 0; i + 1 < one.Lengths.size(); ++i)
            EXPECT_EQ(one.Lengths[i], 65535u);
        EXPECT_GT(one.Lengths.back(), 0u);
        EXPECT_LE(one.Lengths.back(), 65535u);
        // Each segment starts from the 32 KB before it: hardly longer than one deflated whole.
        const QByteArray whole = DeflateBuffer(inflated, level);
        EXPECT_LE(double(one.Data.size()), whole.size() * 1.01 + 16);
        for (std::size_t threads : {2, 3, 4}) {
            const TWritten many = Deflated(input, level, threads, threads == 3 ? total : 777);
            EXPECT_TRUE(many.Data == one.Data) << threads << " threads";
        }
    }
}

namespace {
// A picture of type colorType and the given size, its rows stored with every filter type in turn:
// gradients, edges and noise, so the encoder's filters meet all kinds of bytes.
QByteArray PictureOfSize(int colorType, int width, int height) {
    const int channels = colorType == 2 ? 3 : colorType == 6 ? 4 : 1;
    std::mt19937 random(unsigned(width * 31 + colorType));
    QByteArray rows;
    rows.reserve(qsizetype(height) * (width * channels + 1));
    for (int y = 0; y < height; ++y) {
        rows.append(char(y % 5));  // libpng and zlib undo any filter: take them all
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                int v = (x * (c + 1) + y * (3 - c % 3)) & 0xFF;
                if ((x / 64 + y / 48) % 3 == 0) v = int(random() & 0xFF);
                if (c == 3) v = (x + y) % 7 == 0 ? 0 : 255 - (y & 0x7F);
                rows.append(char(v));
            }
    }
    return TPngBuilder()
        .Header(std::uint32_t(width), std::uint32_t(height), 8, colorType)
        .Chunk("IDAT", DeflateBuffer(rows, 1))
        .End()
        .Bytes;
}

// Saved and read back by the codec and by libpng, every pixel as it was.
void ExpectSavedWhole(int colorType, int width, int height) {
    SCOPED_TRACE(testing::Message() << "type " << colorType << " " << width << "x" << height);
    const QByteArray source = PictureOfSize(colorType, width, height);
    auto png = LoadPng(source);
    const QByteArray saved = SavePng(*png);
    auto again = LoadPng(saved);
    const TChunkIHDR *before = png->Header(), *after = again->Header();
    EXPECT_TRUE(before->ImageData.ToImage() == after->ImageData.ToImage());
    EXPECT_TRUE(before->ImageAlpha == after->ImageAlpha);
    const TReferenceImage want = DecodeWithLibpng(source), got = DecodeWithLibpng(saved);
    ASSERT_TRUE(got.Ok()) << got.Error;
    EXPECT_TRUE(got.Rgba == want.Rgba);
}

// Rows of about 256 KB, 500 KB, 1 MB, 2 MB and 4 MB in all.
constexpr int RgbSides[][2] = {{300, 290}, {410, 410}, {580, 580}, {820, 820}, {1160, 1160}};
constexpr int RgbaSides[][2] = {{260, 250}, {355, 355}, {502, 502}, {710, 710}, {1004, 1004}};
constexpr int GreySides[][2] = {{512, 510}, {710, 710}, {1004, 1004}, {1420, 1420}, {2008, 2008}};
}  // namespace

TEST(PngSaveSizes, RgbPicturesOfEverySizeClassComeBackWhole) {
    for (const auto& side : RgbSides)
        ExpectSavedWhole(2, side[0], side[1]);
}

TEST(PngSaveSizes, RgbaPicturesOfEverySizeClassComeBackWhole) {
    for (const auto& side : RgbaSides)
        ExpectSavedWhole(6, side[0], side[1]);
}

TEST(PngSaveSizes, GreyPicturesOfEverySizeClassComeBackWhole) {
    for (const auto& side : GreySides)
        ExpectSavedWhole(0, side[0], side[1]);
}
