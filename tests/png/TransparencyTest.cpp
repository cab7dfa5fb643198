// Transparency as it is drawn: palette alpha per pixel or one keyed palette index, grey and RGB
// keys compared on the stored samples, and every PngSuite image with transparency against
// libpng's pixels composed the same way.
#include "PngTestSupport.h"
#include "SharedData.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
QByteArray Be32(std::uint32_t v) {
    QByteArray b(4, 0);
    WriteBigEndian32(reinterpret_cast<std::uint8_t*>(b.data()), v);
    return b;
}

// An 8-bit palette image of one row of the given indices.
QByteArray PaletteRow(const QByteArray& plte, const QByteArray& trns, const QByteArray& indices) {
    return TPngBuilder()
        .Header(std::uint32_t(indices.size()), 1, 8, 3)
        .Chunk("PLTE", plte)
        .Chunk("tRNS", trns)
        .ImageData(QByteArray(1, 0) + indices)
        .End()
        .Bytes;
}

// Loads the file, checks its mode and that it draws as libpng shows it.
void ExpectDrawnAsLibpng(const QByteArray& file, TPNGTransparencyMode mode) {
    auto png = LoadPng(file);
    EXPECT_EQ(png->TransparencyMode(), mode);
    const QImage want = ExpectedOverPattern(file);
    ASSERT_FALSE(want.isNull());
    std::string first;
    EXPECT_EQ(DifferingPixels(DrawnOverPattern(*png), want, &first), 0) << first;
}

// A grey or RGB image with a colour key (and gamma before it when given) draws as libpng shows it.
struct TLayout {
    std::uint32_t Width, Height;
    int Depth, ColorType, Interlace = 0;
};
void ExpectKeyDrawnAsLibpng(const TLayout& l, const QByteArray& trns, const QByteArray& rows,
                            std::uint32_t gamma = 0) {
    TPngBuilder b;
    b.Header(l.Width, l.Height, l.Depth, l.ColorType, l.Interlace);
    if (gamma) b.Chunk("gAMA", Be32(gamma));
    ExpectDrawnAsLibpng(b.Chunk("tRNS", trns).ImageData(rows).End().Bytes, ptmBit);
}

const QByteArray RedGreenBlueBlack("\xFF\0\0\0\xFF\0\0\0\xFF\0\0\0", 12);
}  // namespace

TEST(PngTransparency, PaletteAlphaBetweenTransparentAndOpaqueIsDrawnPerPixel) {
    // Entry 0 half transparent, entry 1 transparent, 2 and 3 opaque.
    const QByteArray file = PaletteRow(RedGreenBlueBlack, QByteArray("\x80\0", 2), QByteArray("\0\1\2\3", 4));
    ExpectDrawnAsLibpng(file, ptmPartial);
    const QImage drawn = DrawnOverPattern(*LoadPng(file));
    EXPECT_EQ(qRed(drawn.pixel(0, 0)), Compose(255, 0x80, GetRValue(PatternAt(0, 0))));
    EXPECT_EQ(qGreen(drawn.pixel(1, 0)), GetGValue(PatternAt(1, 0)));
    EXPECT_EQ(drawn.pixel(3, 0) & 0xFFFFFF, 0u);  // opaque black stays black
}

TEST(PngTransparency, TwoTransparentPaletteEntriesBothVanish) {
    ExpectDrawnAsLibpng(PaletteRow(RedGreenBlueBlack, QByteArray("\0\0", 2), QByteArray("\0\1\2\3", 4)),
                        ptmPartial);
}

TEST(PngTransparency, OneTransparentEntryIsKeyedByItsIndexNotItsColour) {
    // Entries 0 and 1 are both red; only entry 0 is transparent.
    const QByteArray plte("\xFF\0\0\xFF\0\0\0\0\0", 9);
    const QByteArray file = PaletteRow(plte, QByteArray("\0\xFF\xFF", 3), QByteArray("\0\1\2\0", 4));
    ExpectDrawnAsLibpng(file, ptmBit);
    EXPECT_EQ(LoadPng(file)->TransparentColor(), clRed);
}

TEST(PngTransparency, HalfTransparentEntriesWithoutATransparentOneKeepBlackPixels) {
    ExpectDrawnAsLibpng(PaletteRow(RedGreenBlueBlack, QByteArray("\x80", 1), QByteArray("\0\3\3\0", 4)),
                        ptmPartial);
}

TEST(PngTransparency, SixteenBitKeysCompareAllSixteenBits) {
    // Grey: 0x1234 is the key, 0x12FF shares its high byte and stays.
    ExpectKeyDrawnAsLibpng({2, 1, 16, 0}, QByteArray("\x12\x34", 2), QByteArray("\0\x12\x34\x12\xFF", 5));
    // RGB: only the blue low byte differs.
    ExpectKeyDrawnAsLibpng({2, 1, 16, 2}, QByteArray("\x10\x01\x20\x02\x30\x03", 6),
                           QByteArray("\0\x10\x01\x20\x02\x30\x03\x10\x01\x20\x02\x30\x04", 13));
}

TEST(PngTransparency, KeysCompareBeforeGamma) {
    // With gAMA 1.0 the levels 254 and 255 both show as 255 (255 x (254/255)^(1/2.2) = 254.55);
    // only the stored 255 is the key.
    const TGammaTable g = GammaTableOf(100000);
    ASSERT_EQ(g[254], g[255]);
    ExpectKeyDrawnAsLibpng({2, 1, 8, 2}, QByteArray("\0\xFF\0\xFF\0\xFF", 6),
                           QByteArray("\0\xFF\xFF\xFF\xFE\xFE\xFE", 7), 100000);
    ExpectKeyDrawnAsLibpng({2, 1, 8, 0}, QByteArray("\0\xFE", 2), QByteArray("\0\xFF\xFE", 3), 100000);
}

TEST(PngTransparency, LowDepthGreyKeys) {
    // Two-bit grey: level 2 is the key.
    ExpectKeyDrawnAsLibpng({4, 1, 2, 0}, QByteArray("\0\x02", 2), QByteArray("\0\x1B", 2));
    // One-bit grey, interlaced, black keyed out.
    ExpectKeyDrawnAsLibpng({3, 3, 1, 0, 1}, QByteArray("\0\0", 2),
                           QByteArray("\0\x80\0\x00\0\x40\0\x80\0\x00\0\xA0", 12));
}

TEST(PngTransparency, EveryPngSuiteImageWithTransparencyDrawsAsLibpngShowsIt) {
    const QString folder = QStringLiteral(VELORIA_TESTDATA_DIR "/pngsuite");
    REQUIRE_SHARED_DATA(folder);
    int checked = 0;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        if (name.startsWith('x')) continue;
        const QByteArray file = ReadFileBytes(folder + '/' + name);
        auto png = LoadPng(file);
        if (png->TransparencyMode() == ptmNone) continue;
        SCOPED_TRACE(name.toStdString());
        ++checked;
        std::string first;
        EXPECT_EQ(DifferingPixels(DrawnOverPattern(*png), ExpectedOverPattern(file), &first), 0) << first;
    }
    EXPECT_GE(checked, 28);
}
