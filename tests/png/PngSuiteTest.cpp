// PngSuite: every valid image shows the pixels libpng decodes; every corrupt one is refused with
// the matching error.
#include "LibpngReference.h"
#include "PngTestSupport.h"
#include "SharedData.h"

#include <QDir>
#include <gtest/gtest.h>
#include <functional>
#include <map>

namespace {
QString SuiteFolder() {
    return QStringLiteral(VELORIA_TESTDATA_DIR "/pngsuite");
}

QStringList SuiteFiles(bool corrupt) {
    QStringList files = QDir(SuiteFolder()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    QStringList chosen;
    for (const QString& f : files)
        if (f.startsWith('x') == corrupt) chosen << f;
    return chosen;
}

#define SKIP_WITHOUT_SUITE() REQUIRE_SHARED_DATA(SuiteFolder())
}  // namespace

TEST(PngSuite, ValidImagesShowTheSamePixelsAsLibpng) {
    SKIP_WITHOUT_SUITE();
    const QStringList files = SuiteFiles(false);
    ASSERT_GT(files.size(), 150);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = ReadFileBytes(SuiteFolder() + '/' + name);
        const TReferenceImage reference = DecodeWithLibpng(bytes);
        ASSERT_TRUE(reference.Ok()) << reference.Error;
        std::unique_ptr<TPngPicture> png;
        ASSERT_NO_THROW(png = LoadPng(bytes));
        ASSERT_EQ(png->Width(), reference.Width);
        ASSERT_EQ(png->Height(), reference.Height);
        const TShownImage shown = Shown(*png);
        const TGammaTable g = FileGamma(bytes);
        const bool alphaHeld = png->Header()->ColorType >= 4 ||
                               (png->Header()->ColorType == 3 && png->Chunks().Find<TChunktRNS>());
        int mismatches = 0;
        for (int y = 0; y < reference.Height && mismatches < 5; ++y)
            for (int x = 0; x < reference.Width && mismatches < 5; ++x) {
                const std::uint8_t* want = &reference.Rgba[size_t(4 * (y * reference.Width + x))];
                const QRgb got = shown.Colors.pixel(x, y);
                const int alpha = shown.Alpha[size_t(y * reference.Width + x)];
                if (qRed(got) != g[want[0]] || qGreen(got) != g[want[1]] || qBlue(got) != g[want[2]] ||
                    (alphaHeld && alpha != want[3])) {
                    ++mismatches;
                    ADD_FAILURE() << "pixel " << x << "," << y << ": got " << qRed(got) << " " << qGreen(got)
                                  << " " << qBlue(got) << " " << alpha << ", libpng " << int(want[0]) << " "
                                  << int(want[1]) << " " << int(want[2]) << " " << int(want[3]);
                }
            }
    }
}

TEST(PngSuite, CorruptImagesAreRefusedWithTheMatchingError) {
    SKIP_WITHOUT_SUITE();
    using Check = std::function<void(const QByteArray&)>;
    auto expect = [](auto exceptionTag) -> Check {
        using E = decltype(exceptionTag);
        return [](const QByteArray& bytes) { EXPECT_THROW(LoadPng(bytes), E); };
    };
    const std::map<QString, Check> expected = {
        {"xs1n0g01.png", expect(EPNGInvalidFileHeader())}, {"xs2n0g01.png", expect(EPNGInvalidFileHeader())},
        {"xs4n0g01.png", expect(EPNGInvalidFileHeader())}, {"xs7n0g01.png", expect(EPNGInvalidFileHeader())},
        {"xcrn0g04.png", expect(EPNGInvalidFileHeader())}, {"xlfn0g04.png", expect(EPNGInvalidFileHeader())},
        {"xhdn0g08.png", expect(EPngInvalidCRC())},        {"xcsn0g01.png", expect(EPngInvalidCRC())},
        {"xc1n0g08.png", expect(EPngInvalidIHDR())},       {"xc9n2c08.png", expect(EPngInvalidIHDR())},
        {"xd0n2c08.png", expect(EPngInvalidIHDR())},       {"xd3n2c08.png", expect(EPngInvalidIHDR())},
        {"xd9n2c08.png", expect(EPngInvalidIHDR())},       {"xdtn0g01.png", expect(EPNGNoImageData())},
    };
    const QStringList files = SuiteFiles(true);
    ASSERT_EQ(files.size(), int(expected.size()));
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = ReadFileBytes(SuiteFolder() + '/' + name);
        EXPECT_FALSE(DecodeWithLibpng(bytes).Ok());
        ASSERT_TRUE(expected.count(name));
        expected.at(name)(bytes);
        TPngPicture png;
        TMemoryStream stream;
        stream.SetBytes(bytes);
        EXPECT_ANY_THROW(png.LoadFromStream(&stream));
        EXPECT_TRUE(png.Empty()) << "a failed load leaves the picture empty";
    }
}

TEST(PngSuite, EveryValidImageKeepsItsPictureThroughSaves) {
    SKIP_WITHOUT_SUITE();
    for (const QString& name : SuiteFiles(false)) {
        SCOPED_TRACE(name.toStdString());
        ExpectPictureKeptBySaves(ReadFileBytes(SuiteFolder() + '/' + name));
    }
}

namespace {
// Sample x of a row packed at `bits` bits a sample, high bits first.
int PackedSample(const std::uint8_t* row, int x, int bits) {
    return row[x * bits / 8] >> (8 - bits - x * bits % 8) & ((1 << bits) - 1);
}

// The file's samples as libpng reads them, row after row at the file's depth.
struct TRawImage {
    int Width = 0, Height = 0, Depth = 0, ColorType = 0;
    std::vector<std::uint8_t> Rows;
    int Sample(int x, int y) const {
        const int rowBytes = (Width * Depth + 7) / 8;
        return PackedSample(&Rows[size_t(y * rowBytes)], x, Depth);
    }
};

TRawImage RawWithLibpng(const QByteArray& file) {
    TRawImage raw;
    const auto* header = reinterpret_cast<const std::uint8_t*>(file.constData()) + 16;
    raw.Width = int(ReadBigEndian32(header));
    raw.Height = int(ReadBigEndian32(header + 4));
    raw.Depth = header[8];
    raw.ColorType = header[9];
    EXPECT_TRUE(DecodeRawWithLibpng(file, raw.Rows));
    return raw;
}
}  // namespace

// Grey and palette images of 1, 2 and 4 bits hold every sample libpng reads (2-bit ones at 4 bits,
// grey levels v as 5v, the same level of 16), and a save writes those samples.
TEST(PngSuite, LowBitImagesHoldAndSaveTheSamplesLibpngReads) {
    SKIP_WITHOUT_SUITE();
    int checked = 0;
    for (const QString& name : SuiteFiles(false)) {
        const QByteArray bytes = ReadFileBytes(SuiteFolder() + '/' + name);
        const TRawImage want = RawWithLibpng(bytes);
        if (want.Depth >= 8) continue;
        SCOPED_TRACE(name.toStdString());
        ++checked;
        auto png = LoadPng(bytes);
        const TChunkIHDR* h = png->Header();
        const int held = want.Depth == 2 ? 4 : want.Depth;
        ASSERT_EQ(PixelFormatBits(h->ImageData.PixelFormat()), held);
        auto heldSample = [&](int x, int y) {
            const int v = want.Sample(x, y);
            return want.Depth == 2 && want.ColorType == 0 ? 5 * v : v;
        };
        int wrong = 0;
        for (int y = 0; y < want.Height; ++y)
            for (int x = 0; x < want.Width; ++x)
                wrong += PackedSample(h->ImageData.ScanLine(y), x, held) != heldSample(x, y);
        EXPECT_EQ(wrong, 0) << "as loaded";
        const TRawImage saved = RawWithLibpng(SavePng(*png));
        ASSERT_EQ(saved.Depth, held);
        wrong = 0;
        for (int y = 0; y < want.Height; ++y)
            for (int x = 0; x < want.Width; ++x)
                wrong += saved.Sample(x, y) != heldSample(x, y);
        EXPECT_EQ(wrong, 0) << "as saved";
    }
    EXPECT_GE(checked, 20);
}
