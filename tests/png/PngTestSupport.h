// Helpers of the codec's tests: load and save through memory, and what a picture shows.
#pragma once

#include "pngpicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>
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
