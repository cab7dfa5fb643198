// Helpers of the codec's tests: load and save through memory, and what a picture shows.
#pragma once

#include "LibpngReference.h"
#include "pngpicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <gtest/gtest.h>
#include <cmath>
#include <memory>

inline std::unique_ptr<TPngPicture> LoadPng(const QByteArray& bytes) {
    auto png = std::make_unique<TPngPicture>();
    TMemoryStream stream;
    stream.SetBytes(bytes);
    png->LoadFromStream(&stream);
    return png;
}

inline QByteArray SavePng(TPngPicture& png) {
    TMemoryStream stream;
    png.SaveToStream(&stream);
    return stream.Bytes();
}

inline QByteArray ReadFileBytes(const QString& fileName) {
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    return stream.Bytes();
}

// The colour each pixel shows (palette and grey resolved) and its alpha (255 where there is none).
struct TShownImage {
    QImage Colors;
    std::vector<std::uint8_t> Alpha;
};

inline TShownImage Shown(const TPngPicture& png) {
    const TChunkIHDR* h = png.Header();
    TShownImage shown{h->ImageData.ToImage(), std::vector<std::uint8_t>(size_t(h->Width) * h->Height, 255)};
    if (!h->ImageAlpha.empty()) shown.Alpha = h->ImageAlpha;
    const TChunktRNS* trns = png.Chunks().Find<TChunktRNS>();
    if (h->ColorType == 3 && trns) {
        const int bits = PixelFormatBits(h->ImageData.PixelFormat());
        for (std::uint32_t y = 0; y < h->Height; ++y) {
            const std::uint8_t* row = h->ImageData.ScanLine(int(y));
            for (std::uint32_t x = 0; x < h->Width; ++x) {
                const int index = (row[x * bits / 8] >> (8 - bits - (x * bits) % 8)) & ((1 << bits) - 1);
                shown.Alpha[size_t(y) * h->Width + x] = trns->PaletteAlpha[size_t(index)];
            }
        }
    }
    return shown;
}

// Builds a PNG file from chunks given as name and data.
class TPngBuilder {
public:
    TPngBuilder() { Bytes.append(reinterpret_cast<const char*>(PngSignature), 8); }
    TPngBuilder& Chunk(const QByteArray& name, const QByteArray& data) {
        std::uint8_t head[4];
        WriteBigEndian32(head, std::uint32_t(data.size()));
        Bytes.append(reinterpret_cast<const char*>(head), 4).append(name).append(data);
        WriteBigEndian32(head, ChunkCrc(name, reinterpret_cast<const std::uint8_t*>(data.constData()),
                                        size_t(data.size())));
        Bytes.append(reinterpret_cast<const char*>(head), 4);
        return *this;
    }
    TPngBuilder& Header(std::uint32_t width, std::uint32_t height, int depth, int colorType,
                        int interlace = 0) {
        QByteArray data(13, 0);
        WriteBigEndian32(reinterpret_cast<std::uint8_t*>(data.data()), width);
        WriteBigEndian32(reinterpret_cast<std::uint8_t*>(data.data()) + 4, height);
        data[8] = char(depth);
        data[9] = char(colorType);
        data[12] = char(interlace);
        return Chunk("IHDR", data);
    }
    // Rows given with their filter bytes, compressed as one zlib stream.
    TPngBuilder& ImageData(const QByteArray& filteredRows) { return Chunk("IDAT", Zlib(filteredRows)); }
    TPngBuilder& End() { return Chunk("IEND", QByteArray()); }
    static QByteArray Zlib(const QByteArray& raw) { return DeflateBuffer(raw, 6); }
    QByteArray Bytes;
};

// What is drawn ----------------------------------------------------------------------------------
// A background of a different colour at every pixel, so a pixel drawn in the wrong place, left out
// or blended wrongly shows.
inline TColor PatternAt(int x, int y) {
    return RGB((x * 37 + y * 11) & 0xFF, (x * 5 + y * 53 + 64) & 0xFF, (x * 91 + y * 29 + 128) & 0xFF);
}

// One channel of a pixel of alpha a drawn over a background channel, by the drawing rule.
inline int Compose(int source, int alpha, int background) {
    if (alpha == 0) return background;
    if (alpha > 254) return source;
    return (source * alpha + 255 + (255 - alpha) * background) >> 8;
}

// The sample mapping of a gAMA value: round(255 x (i / 255) ^ (1 / (gamma / 100000 x 2.2))).
using TGammaTable = std::array<std::uint8_t, 256>;
inline TGammaTable GammaTableOf(std::uint32_t gamma) {
    TGammaTable table;
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = std::uint8_t(
            gamma == 0 ? i : std::lround(255.0 * std::pow(i / 255.0, 1.0 / (gamma / 100000.0 * 2.2))));
    return table;
}

// The gamma a file's picture is shown with: its first gAMA of 4 bytes, when that comes before
// any PLTE and IDAT; otherwise none.
inline TGammaTable FileGamma(const QByteArray& file) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.constData());
    for (qsizetype at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = ReadBigEndian32(bytes + at);
        const QByteArray name = file.mid(at + 4, 4);
        if (name == "PLTE" || name == "IDAT") break;
        if (name == "gAMA" && length == 4) return GammaTableOf(ReadBigEndian32(bytes + at + 8));
        at += 12 + qsizetype(length);
    }
    return GammaTableOf(0);
}

// The picture drawn over the pattern.
inline QImage DrawnOverPattern(TPngPicture& png) {
    TBitmap canvas;
    canvas.SetPixelFormat(pf24bit);
    canvas.SetSize(png.Width(), png.Height());
    for (int y = 0; y < png.Height(); ++y)
        for (int x = 0; x < png.Width(); ++x)
            canvas.Canvas()->SetPixels(x, y, PatternAt(x, y));
    canvas.Canvas()->Draw(0, 0, &png);
    return canvas.ToImage().convertToFormat(QImage::Format_RGB32);
}

// libpng's pixels of a file (transparency as alpha), through the file's gamma and composed over
// the pattern: what the picture must look like. A null image when libpng refuses the file.
inline QImage ExpectedOverPattern(const QByteArray& file) {
    const TReferenceImage reference = DecodeWithLibpng(file);
    if (!reference.Ok()) return QImage();
    const TGammaTable g = FileGamma(file);
    QImage image(reference.Width, reference.Height, QImage::Format_RGB32);
    for (int y = 0; y < reference.Height; ++y)
        for (int x = 0; x < reference.Width; ++x) {
            const std::uint8_t* p = &reference.Rgba[size_t(4 * (y * reference.Width + x))];
            const TColor bg = PatternAt(x, y);
            image.setPixel(x, y,
                           qRgb(Compose(g[p[0]], p[3], GetRValue(bg)), Compose(g[p[1]], p[3], GetGValue(bg)),
                                Compose(g[p[2]], p[3], GetBValue(bg))));
        }
    return image;
}

// How many pixels differ, with the first few described.
inline int DifferingPixels(const QImage& got, const QImage& want, std::string* first = nullptr) {
    if (got.size() != want.size()) return -1;
    int count = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if ((got.pixel(x, y) & 0xFFFFFF) != (want.pixel(x, y) & 0xFFFFFF)) {
                if (first && count < 3)
                    *first += "(" + std::to_string(x) + "," + std::to_string(y) + ") got " +
                              QString::number(got.pixel(x, y) & 0xFFFFFF, 16).toStdString() + " want " +
                              QString::number(want.pixel(x, y) & 0xFFFFFF, 16).toStdString() + "; ";
                ++count;
            }
    return count;
}

// A picture that libpng shows like this loads showing it, and each of two saves in a row writes a
// file that libpng and the codec show the same.
inline void ExpectPictureKeptBySaves(const QByteArray& file) {
    const QImage want = ExpectedOverPattern(file);
    ASSERT_FALSE(want.isNull()) << "libpng refuses the file";
    auto png = LoadPng(file);
    std::string first;
    EXPECT_EQ(DifferingPixels(DrawnOverPattern(*png), want, &first), 0) << "as loaded: " << first;
    for (int save = 1; save <= 2; ++save) {
        const QByteArray saved = SavePng(*png);
        first.clear();
        EXPECT_EQ(DifferingPixels(ExpectedOverPattern(saved), want, &first), 0)
            << "libpng reading save " << save << ": " << first;
        png = LoadPng(saved);
        first.clear();
        EXPECT_EQ(DifferingPixels(DrawnOverPattern(*png), want, &first), 0)
            << "reloaded after save " << save << ": " << first;
    }
}

// The file with a chunk put in front of the first chunk named `before`.
inline QByteArray WithChunkBefore(const QByteArray& file, const QByteArray& before, const QByteArray& name,
                                  const QByteArray& data) {
    TPngBuilder chunk;
    chunk.Chunk(name, data);
    QByteArray result = file;
    result.insert(file.indexOf(before) - 4, chunk.Bytes.mid(8));
    return result;
}

// The file with the data of its first chunk named `name` replaced.
inline QByteArray WithChunkReplaced(const QByteArray& file, const QByteArray& name, const QByteArray& data) {
    const qsizetype at = file.indexOf(name) - 4;
    const std::uint32_t length =
        ReadBigEndian32(reinterpret_cast<const std::uint8_t*>(file.constData()) + at);
    TPngBuilder chunk;
    chunk.Chunk(name, data);
    QByteArray result = file;
    result.replace(at, 12 + qsizetype(length), chunk.Bytes.mid(8));
    return result;
}
