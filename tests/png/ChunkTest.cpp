// The chunk layer: CRCs, header checks, palettes, transparency, gamma, text and the registry.
#include "LibpngReference.h"
#include "PngTestSupport.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {
QByteArray GreyRows(int width, int height, char value = 0) {
    QByteArray rows;
    for (int y = 0; y < height; ++y)
        rows.append(char(0)).append(QByteArray(width, value));
    return rows;
}

QByteArray SmallGrey(const QByteArray& extraChunkName = {}, const QByteArray& extraData = {}) {
    TPngBuilder b;
    b.Header(2, 2, 8, 0);
    if (!extraChunkName.isEmpty()) b.Chunk(extraChunkName, extraData);
    return b.ImageData(GreyRows(2, 2)).End().Bytes;
}

QByteArray PaletteImage(const QByteArray& plte, const QByteArray& trns = {}) {
    TPngBuilder b;
    b.Header(4, 1, 8, 3).Chunk("PLTE", plte);
    if (!trns.isNull()) b.Chunk("tRNS", trns);
    return b.ImageData(QByteArray("\0\0\1\2\3", 5)).End().Bytes;
}

QByteArray Be32(std::uint32_t v) {
    QByteArray b(4, 0);
    WriteBigEndian32(reinterpret_cast<std::uint8_t*>(b.data()), v);
    return b;
}
}  // namespace

TEST(PngChunks, CrcIsThePngCrc) {
    const QByteArray data("IEND");
    EXPECT_EQ(ChunkCrc("IEND", nullptr, 0), 0xAE426082u);
    const QByteArray text = QByteArray("123456789");
    EXPECT_EQ(~UpdateCrc(0xFFFFFFFFu, reinterpret_cast<const std::uint8_t*>(text.constData()), 9),
              0xCBF43926u);
    EXPECT_EQ(SwapBytes32(0x11223344), 0x44332211u);
    EXPECT_EQ(SwapBytes16(0x1122), 0x2211);
    EXPECT_EQ(BytesForPixels(3, 2, 8), 9);
    EXPECT_EQ(BytesForPixels(5, 0, 1), 1);
    EXPECT_EQ(BytesForPixels(3, 6, 16), 24);
    EXPECT_EQ(BytesForPixels(3, 7, 8), 0);
}

TEST(PngChunks, AChunkWithOneBitOfItsCrcChangedIsRefused) {
    QByteArray bytes = SmallGrey("tEXt", QByteArray("Title\0Veloria", 13));
    const int crcAt = bytes.indexOf("tEXt") + 4 + 13;
    bytes[crcAt] = char(bytes[crcAt] ^ 0x01);
    EXPECT_THROW(LoadPng(bytes), EPngInvalidCRC);
}

TEST(PngChunks, HeaderChecks) {
    auto header = [](std::uint32_t w, std::uint32_t h, int depth, int type, int compression, int filter,
                     int interlace) {
        QByteArray d = Be32(w) + Be32(h);
        d.append(char(depth))
            .append(char(type))
            .append(char(compression))
            .append(char(filter))
            .append(char(interlace));
        return TPngBuilder().Chunk("IHDR", d).ImageData(GreyRows(1, 1)).End().Bytes;
    };
    EXPECT_THROW(LoadPng(TPngBuilder().Chunk("IHDR", QByteArray(12, 1)).End().Bytes), EPngInvalidIHDR);
    EXPECT_THROW(LoadPng(header(65536, 1, 8, 0, 0, 0, 0)), EPNGSizeExceeds);
    EXPECT_THROW(LoadPng(header(1, 65536, 8, 0, 0, 0, 0)), EPNGSizeExceeds);
    EXPECT_THROW(LoadPng(header(0, 5, 8, 0, 0, 0, 0)), EPngInvalidIHDR);
    EXPECT_THROW(LoadPng(header(5, 0, 8, 0, 0, 0, 0)), EPngInvalidIHDR);
    EXPECT_THROW(LoadPng(header(1, 1, 8, 0, 0, 0, 2)), EPNGUnknownInterlace);
    EXPECT_THROW(LoadPng(header(1, 1, 8, 0, 1, 0, 0)), EPNGUnknownCompression);
    EXPECT_THROW(LoadPng(header(1, 1, 8, 0, 0, 1, 0)), EPngInvalidIHDR);
    // Illegal colour types and type / depth pairs.
    for (auto [type, depth] :
         {std::pair{1, 8}, {5, 8}, {7, 8}, {2, 4}, {3, 16}, {4, 4}, {6, 1}, {0, 3}, {0, 32}})
        EXPECT_THROW(LoadPng(header(1, 1, depth, type, 0, 0, 0)), EPngInvalidIHDR) << type << "/" << depth;
    // A second header.
    const QByteArray twice =
        TPngBuilder().Header(1, 1, 8, 0).Header(1, 1, 8, 0).ImageData(GreyRows(1, 1)).End().Bytes;
    EXPECT_THROW(LoadPng(twice), EPngInvalidIHDR);
    // The picture's size cap.
    EXPECT_THROW(LoadPng(header(65535, 65535, 8, 6, 0, 0, 0)), EPNGOutMemory);
}

TEST(PngChunks, ChunkOrderAndPresence) {
    EXPECT_THROW(LoadPng(QByteArray("\x89PNG\r\n")), EPNGInvalidFileHeader);
    EXPECT_THROW(LoadPng(QByteArray("GIF89a-not-a-png-file")), EPNGInvalidFileHeader);
    EXPECT_THROW(LoadPng(TPngBuilder().Header(1, 1, 8, 0).Bytes), EPngUnexpectedEnd);
    EXPECT_THROW(LoadPng(TPngBuilder().Header(1, 1, 8, 0).End().Bytes), EPNGNoImageData);
    EXPECT_THROW(LoadPng(TPngBuilder().Chunk("gAMA", Be32(45455)).Header(1, 1, 8, 0).End().Bytes),
                 EPNGIHDRNotFirst);
    EXPECT_THROW(LoadPng(SmallGrey("ABCD", "x")), EPNGUnknownCriticalChunk);
    // Unknown ancillary chunks are kept and written back unchanged.
    auto png = LoadPng(SmallGrey("prVt", "private"));
    EXPECT_TRUE(SavePng(*png).contains(QByteArray("prVt") + "private"));
}

TEST(PngChunks, RegistryMapsNamesToClasses) {
    EXPECT_NE(dynamic_cast<TChunktEXt*>(CreateChunkForName(nullptr, "tEXt").get()), nullptr);
    EXPECT_NE(dynamic_cast<TChunkzTXt*>(CreateChunkForName(nullptr, "zTXt").get()), nullptr);
    const auto other = CreateChunkForName(nullptr, "prVt");
    EXPECT_EQ(typeid(*other), typeid(TChunk));
    EXPECT_EQ(other->Name, QByteArray("prVt"));
    EXPECT_EQ(TChunkIHDR::GetName(), QByteArray("IHDR"));
}

TEST(PngChunks, PaletteChecks) {
    EXPECT_THROW(LoadPng(PaletteImage(QByteArray(769, 0))), EPNGInvalidPalette);
    EXPECT_THROW(LoadPng(PaletteImage(QByteArray(771, 0))), EPNGInvalidPalette);
    auto png = LoadPng(PaletteImage(QByteArray("\xFF\0\0\0\xFF\0\0\0\xFF\x10\x20\x30", 12)));
    EXPECT_EQ(png->GetPixels(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(png->GetPixels(3, 0), RGB(0x10, 0x20, 0x30));
    const auto* plte = png->Chunks().Find<TChunkPLTE>();
    EXPECT_EQ(plte->Count(), 4);
    EXPECT_EQ(plte->Item(2), RGB(0, 0, 255));
    EXPECT_THROW(plte->Item(4), EPngError);
    EXPECT_FALSE(png->Transparent());
}

TEST(PngChunks, PaletteTransparency) {
    const QByteArray plte("\xFF\0\0\0\xFF\0\0\0\xFF\x10\x20\x30", 12);
    // Two alpha bytes: entries 0 and 1 take them, every other entry 255.
    auto png = LoadPng(PaletteImage(plte, QByteArray("\x80\0", 2)));
    const auto* trns = png->Chunks().Find<TChunktRNS>();
    ASSERT_NE(trns, nullptr);
    EXPECT_EQ(trns->PaletteAlpha[0], 0x80);
    EXPECT_EQ(trns->PaletteAlpha[1], 0);
    EXPECT_EQ(trns->PaletteAlpha[2], 255);
    EXPECT_EQ(trns->PaletteAlpha[255], 255);
    // A half transparent entry: alpha per pixel, not a colour key.
    EXPECT_FALSE(trns->ColorKeyTransparency);
    EXPECT_EQ(png->TransparencyMode(), ptmPartial);
    EXPECT_EQ(png->TransparentColor(), RGB(0, 255, 0));
    // Exactly one transparent entry and all others opaque: keyed.
    EXPECT_EQ(LoadPng(PaletteImage(plte, QByteArray("\xFF\0\xFF", 3)))->TransparencyMode(), ptmBit);
    // Only fully opaque entries: no colour key, alpha by entry.
    EXPECT_EQ(LoadPng(PaletteImage(plte, QByteArray("\xFF\xFF", 2)))->TransparencyMode(), ptmPartial);
    // More entries than the palette has, or a tRNS of a wrong size, is ignored, never half applied.
    EXPECT_EQ(LoadPng(PaletteImage(plte, QByteArray(5, 0)))->Chunks().Find<TChunktRNS>(), nullptr);
    EXPECT_THROW(LoadPng(PaletteImage(plte, QByteArray(257, 0))), EPNGInvalidPalette);
    TPngBuilder grey;
    grey.Header(1, 1, 8, 0).Chunk("tRNS", QByteArray(3, 0)).ImageData(GreyRows(1, 1)).End();
    EXPECT_EQ(LoadPng(grey.Bytes)->TransparencyMode(), ptmNone);
}

TEST(PngChunks, GreyColourKeyIsScaledToTheShownLevel) {
    TPngBuilder b;
    b.Header(2, 1, 4, 0).Chunk("tRNS", QByteArray("\0\x0F", 2)).ImageData(QByteArray("\0\xF0", 2)).End();
    auto png = LoadPng(b.Bytes);
    EXPECT_EQ(png->TransparencyMode(), ptmBit);
    EXPECT_EQ(png->TransparentColor(), clWhite);
    EXPECT_EQ(png->GetPixels(0, 0), clWhite);
}

TEST(PngChunks, Gamma) {
    auto png = LoadPng(SmallGrey("gAMA", Be32(45455)));
    for (int i = 0; i < 256; ++i)
        EXPECT_NEAR(png->GammaTable[size_t(i)], i, 1);
    auto dark = LoadPng(SmallGrey("gAMA", Be32(100000)));
    EXPECT_EQ(dark->GammaTable[0], 0);
    EXPECT_EQ(dark->GammaTable[255], 255);
    EXPECT_EQ(dark->GammaTable[128], int(std::lround(255 * std::pow(128 / 255.0, 1 / 2.2))));
    // A gAMA of the wrong size is ignored rather than taken as gamma 1/100000.
    auto odd = LoadPng(SmallGrey("gAMA", QByteArray(3, 1)));
    EXPECT_TRUE(odd->GammaIsIdentity());
    EXPECT_EQ(odd->Chunks().Find<TChunkgAMA>(), nullptr);
}

TEST(PngChunks, PhysicalSizeAndTime) {
    auto png = LoadPng(SmallGrey("pHYs", Be32(3780) + Be32(3781) + QByteArray(1, 1)));
    const auto* phys = png->Chunks().Find<TChunkpHYs>();
    EXPECT_EQ(phys->PPUnitX, 3780u);
    EXPECT_EQ(phys->PPUnitY, 3781u);
    EXPECT_EQ(phys->UnitType, 1);
    auto odd = LoadPng(SmallGrey("pHYs", QByteArray(8, 7)));
    EXPECT_EQ(odd->Chunks().Find<TChunkpHYs>()->PPUnitX, 0u);
    EXPECT_TRUE(SavePng(*odd).contains(QByteArray("pHYs") + QByteArray(8, 7)));
    auto time = LoadPng(SmallGrey("tIME", QByteArray("\x07\xEA\x0C\x07\x04\x35\x09", 7)));
    const auto* t = time->Chunks().Find<TChunktIME>();
    EXPECT_EQ(t->Year, 2026);
    EXPECT_EQ(t->Month, 12);
    EXPECT_EQ(t->Second, 9);
}

TEST(PngChunks, Text) {
    auto png = LoadPng(SmallGrey("tEXt", QByteArray("Title\0Veloria", 13)));
    const auto* text = png->Chunks().Find<TChunktEXt>();
    EXPECT_EQ(text->Keyword, QByteArray("Title"));
    EXPECT_EQ(text->Text, QByteArray("Veloria"));
    EXPECT_EQ(LoadPng(SmallGrey("tEXt", "no separator"))->Chunks().Find<TChunktEXt>(), nullptr);

    const QByteArray packed = DeflateBuffer("compressed words", 9);
    auto z = LoadPng(SmallGrey("zTXt", QByteArray("Comment\0\0", 9) + packed));
    const auto* ztxt = z->Chunks().Find<TChunkzTXt>();
    ASSERT_NE(ztxt, nullptr);
    EXPECT_EQ(ztxt->Text, QByteArray("compressed words"));
    auto again = LoadPng(SavePng(*z));
    EXPECT_EQ(again->Chunks().Find<TChunkzTXt>()->Text, QByteArray("compressed words"));
    // Broken or oversized compressed text is ignored.
    EXPECT_EQ(LoadPng(SmallGrey("zTXt", QByteArray("Comment\0\0xyz", 12)))->Chunks().Find<TChunkzTXt>(),
              nullptr);
    const QByteArray bomb = DeflateBuffer(QByteArray(int(MaxInflatedTextSize) + 1, 'a'), 9);
    EXPECT_EQ(LoadPng(SmallGrey("zTXt", QByteArray("Bomb\0\0", 6) + bomb))->Chunks().Find<TChunkzTXt>(),
              nullptr);
}

TEST(PngChunks, ChromaticityIsDroppedOnLoad) {
    auto png = LoadPng(SmallGrey("cHRM", QByteArray(32, 1)));
    EXPECT_FALSE(SavePng(*png).contains("cHRM"));
}

TEST(PngChunks, AnEmptyCompressedTextIsSavedAsOneBlank) {
    auto png = LoadPng(SmallGrey("zTXt", QByteArray("Comment\0\0", 9) + DeflateBuffer("words", 9)));
    png->Chunks().Find<TChunkzTXt>()->Text.clear();
    auto again = LoadPng(SavePng(*png));
    const auto* ztxt = again->Chunks().Find<TChunkzTXt>();
    ASSERT_NE(ztxt, nullptr);  // the chunk stays, with a text a reader can inflate
    EXPECT_EQ(ztxt->Keyword, QByteArray("Comment"));
    EXPECT_EQ(ztxt->Text, QByteArray(" "));
}
