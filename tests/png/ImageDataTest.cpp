// Image data: the buffers rows land in, IDAT splitting, interlacing and the encoder's filters.
#include "LibpngReference.h"
#include "PngTestSupport.h"
#include "pngfilters.h"
#include "pngidatreader.h"

#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <random>
#include <zlib.h>

namespace {
// The IDAT chunks of a file: their data lengths, and their data joined and inflated.
struct TIdatChunks {
    std::vector<std::uint32_t> Lengths;
    QByteArray Inflated;
};

TIdatChunks ReadIdat(const QByteArray& file) {
    TIdatChunks result;
    QByteArray joined;
    for (int at = 8; at + 12 <= file.size();) {
        const std::uint32_t length =
            ReadBigEndian32(reinterpret_cast<const std::uint8_t*>(file.constData()) + at);
        if (file.mid(at + 4, 4) == "IDAT") {
            result.Lengths.push_back(length);
            joined.append(file.mid(at + 8, int(length)));
        }
        at += 12 + int(length);
    }
    InflateBuffer(reinterpret_cast<const std::uint8_t*>(joined.constData()), size_t(joined.size()),
                  result.Inflated, 1 << 26);
    return result;
}

QByteArray RgbaRows2x2() {
    // Row 0: red opaque, green alpha 0x40; row 1: blue alpha 0x80, white alpha 0.
    return QByteArray("\0\xFF\0\0\xFF\0\xFF\0\x40"
                      "\0\0\0\xFF\x80\xFF\xFF\xFF\0",
                      18);
}
}  // namespace

TEST(PngImageData, RgbaPixelsAndAlphaLandInTheirBuffers) {
    auto png = LoadPng(TPngBuilder().Header(2, 2, 8, 6).ImageData(RgbaRows2x2()).End().Bytes);
    const TChunkIHDR* h = png->Header();
    EXPECT_EQ(h->ImageData.PixelFormat(), pf24bit);
    const std::uint8_t* top = h->ImageData.ScanLine(0);
    EXPECT_EQ(top[0], 0);  // blue-green-red
    EXPECT_EQ(top[2], 0xFF);
    const std::uint8_t* bottom = h->ImageData.ScanLine(1);
    EXPECT_EQ(bottom[0], 0xFF);
    EXPECT_EQ(h->ImageAlpha, (std::vector<std::uint8_t>{0xFF, 0x40, 0x80, 0x00}));
    EXPECT_EQ(png->GetPixels(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(png->GetPixels(2, 0), 0u);
    EXPECT_EQ(png->TransparencyMode(), ptmPartial);
}

TEST(PngImageData, DibRowsArePaddedToFourBytes) {
    auto png = LoadPng(TPngBuilder().Header(3, 1, 8, 2).ImageData(QByteArray(10, 0)).End().Bytes);
    EXPECT_EQ(png->Header()->ImageData.BytesPerScanLine(), 12);
}

TEST(PngImageData, DataSplitOverSeveralChunks) {
    QByteArray rows;
    for (int y = 0; y < 8; ++y)
        rows.append(char(0)).append(QByteArray(8, char(y * 30)));
    const QByteArray z = TPngBuilder::Zlib(rows);
    const int third = z.size() / 3;
    const QByteArray parts[3] = {z.left(third), z.mid(third, third), z.mid(2 * third)};
    auto split = [&](const QByteArray& between) {
        TPngBuilder b;
        b.Header(8, 8, 8, 0).Chunk("IDAT", parts[0]);
        if (!between.isEmpty()) b.Chunk(between, QByteArray("Title\0x", 7));
        return b.Chunk("IDAT", parts[1]).Chunk("IDAT", parts[2]).End().Bytes;
    };
    auto whole = LoadPng(TPngBuilder().Header(8, 8, 8, 0).ImageData(rows).End().Bytes);
    auto pieces = LoadPng(split({}));
    EXPECT_TRUE(whole->Header()->ImageData.ToImage() == pieces->Header()->ImageData.ToImage());
    // The second chunk's CRC broken.
    QByteArray bad = split({});
    const int second = bad.indexOf("IDAT", bad.indexOf("IDAT") + 4);
    bad[second + 4 + parts[1].size()] = char(bad[second + 4 + parts[1].size()] ^ 0x80);
    EXPECT_THROW(LoadPng(bad), EPngInvalidCRC);
    // Another chunk while rows are still missing.
    EXPECT_THROW(LoadPng(split("tEXt")), EPNGMissingMultipleIDAT);
}

TEST(PngImageData, AnInterlacedSinglePixelComesFromTheFirstPass) {
    auto png =
        LoadPng(TPngBuilder().Header(1, 1, 8, 2, 1).ImageData(QByteArray("\0\x11\x22\x33", 4)).End().Bytes);
    EXPECT_EQ(png->InterlaceMethod, 1);
    EXPECT_EQ(png->GetPixels(0, 0), RGB(0x11, 0x22, 0x33));
}

TEST(PngImageData, TheDefaultEncoderFiltersEveryRowWithSub) {
    std::vector<std::uint8_t> rows(3 * 5 * 4);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = std::uint8_t(i * 7);
    auto png = LoadPng(EncodeWithLibpng(5, 4, 2, 8, false, rows));
    const TIdatChunks idat = ReadIdat(SavePng(*png));
    ASSERT_EQ(idat.Inflated.size(), 4 * 16);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(idat.Inflated[16 * y], 1);
}

TEST(PngImageData, FilterChoiceByScore) {
    // A flat image: Sub and Up score the same on every row and Sub, tried first, wins.
    auto png = LoadPng(TPngBuilder().Header(16, 3, 8, 0).ImageData(QByteArray(17 * 3, 0)).End().Bytes);
    png->Filters = FilterSet(pfSub) | FilterSet(pfUp);
    TIdatChunks idat = ReadIdat(SavePng(*png));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(idat.Inflated[17 * y], 1);
    png->Filters = FilterSet(pfPaeth);
    idat = ReadIdat(SavePng(*png));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(idat.Inflated[17 * y], 4);
    png->Filters = FilterSet(pfNone);
    idat = ReadIdat(SavePng(*png));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(idat.Inflated[17 * y], 0);
    // Every filter allowed: whatever is chosen decodes to the same image, and libpng agrees.
    std::mt19937 random(7);
    std::vector<std::uint8_t> rows(40 * 40 * 4);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = std::uint8_t(i % 40 < 20 ? i / 160 : random() % 4);
    const QByteArray source = EncodeWithLibpng(40, 40, 6, 8, true, rows);
    auto all = LoadPng(source);
    all->Filters = 0x1F;
    const QByteArray saved = SavePng(*all);
    EXPECT_TRUE(DecodeWithLibpng(saved).Rgba == DecodeWithLibpng(source).Rgba);
}

// The bits after a row's last sample are not part of the picture: whatever a file holds there, a
// save writes zeros, as libpng does.
TEST(PngImageData, BitsAfterTheLastSampleAreSavedAsZero) {
    struct TCase {
        int Depth;
        QByteArray Row;       // three samples, then set bits
        QByteArray SavedRow;  // at the depth held: 2-bit grey v as 5v in 4 bits
    };
    const TCase cases[] = {
        {1, QByteArray("\xBF", 1), QByteArray("\xA0", 1)},
        {2, QByteArray("\x6F", 1), QByteArray("\x5A\xF0", 2)},
        {4, QByteArray("\x12\x3F", 2), QByteArray("\x12\x30", 2)},
    };
    for (const TCase& c : cases) {
        QByteArray rows;
        for (int y = 0; y < 2; ++y)
            rows.append(char(0)).append(c.Row);
        auto png = LoadPng(TPngBuilder().Header(3, 2, c.Depth, 0).ImageData(rows).End().Bytes);
        png->Filters = FilterSet(pfNone);
        const QByteArray saved = ReadIdat(SavePng(*png)).Inflated;
        EXPECT_EQ(saved, (QByteArray(1, 0) + c.SavedRow).repeated(2)) << "depth " << c.Depth;
    }
}

// Second rows built so that one filter leaves only bytes of magnitude 1 (0x01 or 0xFF) and the
// others larger ones: chosen by the least sum of magnitudes, where the least unsigned sum or the
// most bytes repeating a neighbour would choose other filters. Each row counts whole and by its
// first half (the sums run 16 bytes at a time, and byte by byte after).
TEST(PngImageData, TheFilterLeavingTheSmallestSignedBytesIsChosen) {
    struct TCase {
        const char* Name;
        std::array<std::uint8_t, 16> First, Second;
        int Chosen;
    };
    const TCase cases[] = {
        // Each byte one below the one above; Paeth predicts the byte above too: the tie goes to Up.
        {"up",
         {3, 63, 123, 183, 243, 47, 107, 167, 227, 31, 91, 151, 211, 15, 75, 135},
         {2, 62, 122, 182, 242, 46, 106, 166, 226, 30, 90, 150, 210, 14, 74, 134},
         pfUp},
        // Each byte one below the mean of its left and upper neighbours.
        {"average",
         {202, 202, 52, 202, 52, 202, 52, 202, 52, 202, 52, 202, 52, 202, 52, 202},
         {100, 150, 100, 150, 100, 150, 100, 150, 100, 150, 100, 150, 100, 150, 100, 150},
         pfAverage},
        // Each byte one off the Paeth prediction, which is the left, the upper or the upper-left
        // byte in turn.
        {"paeth",
         {90, 140, 0, 0, 0, 90, 0, 140, 140, 250, 0, 40, 140, 140, 140, 200},
         {91, 141, 255, 254, 255, 0, 255, 0, 255, 0, 255, 254, 255, 254, 253, 254},
         pfPaeth},
    };
    for (const TCase& c : cases)
        for (int width : {16, 8}) {
            QByteArray rows;
            rows.append(char(0)).append(reinterpret_cast<const char*>(c.First.data()), width);
            rows.append(char(0)).append(reinterpret_cast<const char*>(c.Second.data()), width);
            auto png =
                LoadPng(TPngBuilder().Header(std::uint32_t(width), 2, 8, 0).ImageData(rows).End().Bytes);
            png->Filters = 0x1F;
            const TIdatChunks idat = ReadIdat(SavePng(*png));
            ASSERT_EQ(idat.Inflated.size(), 2 * (width + 1));
            EXPECT_EQ(idat.Inflated[width + 1], c.Chosen) << c.Name << " " << width;
            for (int i = width + 2; i < 2 * (width + 1); ++i)
                EXPECT_TRUE(idat.Inflated[i] == 1 || idat.Inflated[i] == char(0xFF))
                    << c.Name << " byte " << i;
        }
}

TEST(PngImageData, LargeDataIsSplitIntoChunksOfTheSizeLimit) {
    std::mt19937 random(1);
    std::vector<std::uint8_t> rows(160 * 160 * 3);
    for (auto& b : rows)
        b = std::uint8_t(random());
    auto png = LoadPng(EncodeWithLibpng(160, 160, 2, 8, false, rows));
    png->SetMaxIdatSize(1000);
    EXPECT_EQ(png->IdatSizeLimit(), 65535u);
    const TIdatChunks idat = ReadIdat(SavePng(*png));
    ASSERT_EQ(idat.Lengths.size(), 2u);
    EXPECT_EQ(idat.Lengths[0], 65535u);
    EXPECT_GT(idat.Lengths[1], 0u);
    png->SetMaxIdatSize(100000);
    EXPECT_EQ(ReadIdat(SavePng(*png)).Lengths.size(), 1u);
}

TEST(PngImageData, SavingKeepsTheChunkOrderAndReencodes) {
    TPngBuilder b;
    b.Header(4, 4, 8, 0).Chunk("tEXt", QByteArray("A\0b", 3)).Chunk("prVt", "x");
    b.Chunk("IDAT", TPngBuilder::Zlib(QByteArray(20, 0))).Chunk("tIME", QByteArray(7, 1)).End();
    auto png = LoadPng(b.Bytes);
    const QByteArray saved = SavePng(*png);
    EXPECT_TRUE(saved.startsWith(QByteArray(reinterpret_cast<const char*>(PngSignature), 8)));
    const int text = saved.indexOf("tEXt"), priv = saved.indexOf("prVt"), idat = saved.indexOf("IDAT"),
              time = saved.indexOf("tIME"), end = saved.indexOf("IEND");
    EXPECT_LT(saved.indexOf("IHDR"), text);
    EXPECT_LT(text, priv);
    EXPECT_LT(priv, idat);
    EXPECT_LT(idat, time);
    EXPECT_LT(time, end);
    const TIdatChunks data = ReadIdat(saved);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(data.Inflated[5 * y], 1);
}

TEST(PngImageData, EveryFilterReversesExactlyForEveryPixelSize) {
    std::mt19937 random(9);
    for (int bpp : {1, 2, 3, 4, 6, 8})
        for (int type = 1; type <= 4; ++type)
            for (size_t n : {size_t(bpp), size_t(bpp * 2), size_t(bpp * 5), size_t(bpp * 64 + bpp)}) {
                std::vector<std::uint8_t> prev(n), raw(n), filtered(n);
                for (auto& b : prev)
                    b = std::uint8_t(random());
                for (auto& b : raw)
                    b = std::uint8_t(random());
                FilterRow(type, raw.data(), prev.data(), filtered.data(), n, bpp);
                ASSERT_TRUE(UnfilterRow(type, filtered.data(), prev.data(), n, bpp));
                EXPECT_EQ(filtered, raw) << "bpp " << bpp << " filter " << type << " bytes " << n;
            }
    std::uint8_t row[4] = {}, prev[4] = {};
    EXPECT_FALSE(UnfilterRow(5, row, prev, 4, 1));
    EXPECT_EQ(PaethPredictor(10, 20, 15), 15);
    EXPECT_EQ(PaethPredictor(10, 20, 10), 20);
    EXPECT_EQ(PaethPredictor(10, 20, 20), 10);
}

namespace {
// An image large enough to be inflated on another thread, in IDAT chunks of 20,000 bytes.
QByteArray LargeImage(bool interlaced, std::vector<std::uint8_t>& rows) {
    std::mt19937 random(12);
    rows.resize(700 * 600 * 3);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = std::uint8_t(i % 2100 < 1000 ? random() % 8 : i / 5000);
    const QByteArray file = EncodeWithLibpng(700, 600, 2, 8, interlaced, rows);
    QByteArray joined;
    for (int at = 8; at + 12 <= file.size();) {
        const std::uint32_t length =
            ReadBigEndian32(reinterpret_cast<const std::uint8_t*>(file.constData()) + at);
        if (file.mid(at + 4, 4) == "IDAT") joined.append(file.mid(at + 8, int(length)));
        at += 12 + int(length);
    }
    TPngBuilder b;
    b.Header(700, 600, 8, 2, interlaced ? 1 : 0);
    for (int at = 0; at < joined.size(); at += 20000)
        b.Chunk("IDAT", joined.mid(at, 20000));
    return b.End().Bytes;
}
}  // namespace

TEST(PngImageData, LargeImagesInflatedAheadDecodeAsLibpngDoes) {
    for (bool interlaced : {false, true}) {
        std::vector<std::uint8_t> rows;
        const QByteArray file = LargeImage(interlaced, rows);
        // Read from a file, as pictures are, not only from memory.
        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("large.png"));
        TMemoryStream bytes;
        bytes.SetBytes(file);
        bytes.SaveToFile(name);
        TPngPicture png;
        png.LoadFromFile(name);
        EXPECT_TRUE(png.Header()->ImageData.ToImage() == LoadPng(file)->Header()->ImageData.ToImage());
        const TReferenceImage want = DecodeWithLibpng(file);
        ASSERT_TRUE(want.Ok());
        const QImage got = png.Header()->ImageData.ToImage();
        int wrong = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 700; ++x) {
                const std::uint8_t* w = &want.Rgba[size_t(4 * (y * 700 + x))];
                const QRgb g = got.pixel(x, y);
                wrong += qRed(g) != w[0] || qGreen(g) != w[1] || qBlue(g) != w[2];
            }
        EXPECT_EQ(wrong, 0) << (interlaced ? "interlaced" : "");
    }
}

TEST(PngImageData, LargeImagesInflatedAheadRaiseTheErrorsOfSmallOnes) {
    std::vector<std::uint8_t> rows;
    const QByteArray file = LargeImage(false, rows);
    const int last = file.lastIndexOf("IDAT") - 4;
    const std::uint32_t lastLength =
        ReadBigEndian32(reinterpret_cast<const std::uint8_t*>(file.constData()) + last);
    // A CRC broken in a chunk past the middle.
    QByteArray bad = file;
    const int middle = bad.indexOf("IDAT", bad.size() / 2);
    const int crcAt =
        middle + 4 +
        int(ReadBigEndian32(reinterpret_cast<const std::uint8_t*>(bad.constData()) + middle - 4));
    bad[crcAt] = char(bad[crcAt] ^ 1);
    EXPECT_THROW(LoadPng(bad), EPngInvalidCRC);
    // The last chunk gone: rows are missing.
    EXPECT_THROW(LoadPng(file.left(last) + file.mid(last + 12 + int(lastLength))), EPNGMissingMultipleIDAT);
    // The file cut inside the data.
    EXPECT_THROW(LoadPng(file.left(file.size() / 2)), EPngUnexpectedEnd);
    // The checksum broken (its last byte ends the last chunk's data).
    QByteArray sum = file;
    const int sumAt = last + 8 + int(lastLength) - 1;
    sum[sumAt] = char(sum[sumAt] ^ 1);
    sum.replace(last + 8 + int(lastLength), 4, QByteArray(4, 0));
    const std::uint32_t crc =
        ChunkCrc("IDAT", reinterpret_cast<const std::uint8_t*>(sum.constData()) + last + 8, lastLength);
    WriteBigEndian32(reinterpret_cast<std::uint8_t*>(sum.data()) + last + 8 + lastLength, crc);
    EXPECT_THROW(LoadPng(sum), EPNGZLIBError);
}

TEST(PngImageData, TheStreamChecksumIsZlibsAdler32) {
    std::mt19937 random(3);
    std::vector<std::uint8_t> data(20000);
    for (auto& b : data)
        b = std::uint8_t(random());
    for (size_t n : {size_t(0), size_t(1), size_t(15), size_t(16), size_t(17), size_t(5551), size_t(5552),
                     size_t(5553), size_t(20000)})
        for (std::uint32_t start : {1u, 0xFFF0FFF0u, 0x12345678u}) {
            const auto want = std::uint32_t(adler32_z(start, data.data(), n));
            EXPECT_EQ(Adler32(start, data.data(), n), want) << n << " from " << start;
        }
    // All bytes 255: the sums grow fastest.
    std::vector<std::uint8_t> full(100000, 255);
    EXPECT_EQ(Adler32(0xFFF0FFF0u, full.data(), full.size()),
              std::uint32_t(adler32_z(0xFFF0FFF0u, full.data(), full.size())));
}

TEST(PngImageData, LargeImagesAreSavedAsOneStreamDeflatedInSegments) {
    std::vector<std::uint8_t> rows;
    const QByteArray file = LargeImage(false, rows);
    auto png = LoadPng(file);
    png->Filters = 0x1F;
    const QByteArray saved = SavePng(*png);
    // zlib itself reads the stream, checksum included, and libpng sees the same pixels.
    const TIdatChunks idat = ReadIdat(saved);
    ASSERT_EQ(idat.Inflated.size(), 600 * (1 + 700 * 3));
    EXPECT_TRUE(DecodeWithLibpng(saved).Rgba == DecodeWithLibpng(file).Rgba);
    // Hardly longer than the same bytes deflated as one whole.
    std::uint64_t deflated = 0;
    for (std::uint32_t length : idat.Lengths)
        deflated += length;
    const QByteArray whole = DeflateBuffer(idat.Inflated, 7);
    EXPECT_LE(double(deflated), whole.size() * 1.005);
}
