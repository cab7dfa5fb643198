// Windows BMP files for TBitmap: the pixel layout on disk is the bitmap's own, bottom-up.
#include "GraphicsImage.h"

#include <QImage>
#include <algorithm>
#include <cstring>

namespace {
std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
void PutLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}
void PutLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

[[noreturn]] void InvalidBitmap() {
    throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
}

enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };
}  // namespace

void TBitmap::LoadFromStream(TStream* stream) {
    const std::int64_t available = stream->Size() - stream->Position();
    if (available < 14 + 12) InvalidBitmap();
    std::uint8_t fileHeader[14];
    stream->ReadBuffer(fileHeader, 14);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') InvalidBitmap();
    const std::int64_t start = stream->Position() - 14;
    const std::int64_t bitsOffset = Le32(fileHeader + 10);

    std::uint8_t info[124] = {};
    stream->ReadBuffer(info, 4);
    const std::uint32_t infoSize = Le32(info);
    if (infoSize != 12 && (infoSize < 40 || infoSize > 124)) InvalidBitmap();
    stream->ReadBuffer(info + 4, infoSize - 4);

    std::int64_t width, height;
    int bitCount;
    std::uint32_t compression = BI_RGB, colorsUsed = 0;
    if (infoSize == 12) {
        width = Le16(info + 4);
        height = std::int16_t(Le16(info + 6));
        bitCount = Le16(info + 10);
    } else {
        width = std::int32_t(Le32(info + 4));
        height = std::int32_t(Le32(info + 8));
        bitCount = Le16(info + 14);
        compression = Le32(info + 16);
        colorsUsed = Le32(info + 32);
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width * height > MaxBitmapPixels) InvalidBitmap();

    TPixelFormat format;
    switch (bitCount) {
    case 1:
        format = pf1bit;
        break;
    case 4:
        format = pf4bit;
        break;
    case 8:
        format = pf8bit;
        break;
    case 16:
        format = pf15bit;
        break;
    case 24:
        format = pf24bit;
        break;
    case 32:
        format = pf32bit;
        break;
    default:
        InvalidBitmap();
    }
    std::uint32_t masks[3] = {0, 0, 0};
    if (compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32)) {
        if (infoSize >= 52) {
            for (int i = 0; i < 3; ++i)
                masks[i] = Le32(info + 40 + 4 * i);
        } else {
            std::uint8_t m[12];
            stream->ReadBuffer(m, 12);
            for (int i = 0; i < 3; ++i)
                masks[i] = Le32(m + 4 * i);
        }
        if (bitCount == 16 && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F)
            format = pf16bit;
        else if (!(bitCount == 16 && masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F) &&
                 !(bitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF))
            compression = ~0u;  // other masks: let the general reader convert
    }

    if (compression != BI_RGB && compression != BI_BITFIELDS) {
        // Run-length and odd bit-field files: decoded by Qt into 24 bits.
        stream->Seek(start, soBeginning);
        QByteArray bytes(int(std::min<std::int64_t>(available, 1 << 30)), Qt::Uninitialized);
        const std::int64_t n = stream->Read(bytes.data(), bytes.size());
        bytes.truncate(int(n));
        const QImage image = QImage::fromData(bytes, "BMP");
        if (image.isNull()) InvalidBitmap();
        TBitmap decoded;
        decoded.SetPixelFormat(pf24bit);
        decoded.FromImage(image);
        Assign(&decoded);
        return;
    }

    TPalette palette;
    if (bitCount <= 8) {
        const std::uint32_t entries =
            colorsUsed ? std::min<std::uint32_t>(colorsUsed, 1u << bitCount) : 1u << bitCount;
        const int entrySize = infoSize == 12 ? 3 : 4;
        std::vector<std::uint8_t> table(size_t(entries) * entrySize);
        stream->ReadBuffer(table.data(), std::int64_t(table.size()));
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = table.data() + size_t(i) * entrySize;
            palette.push_back(RGB(e[2], e[1], e[0]));
        }
    }

    TBitmap loaded;
    loaded.FPalette = palette;
    loaded.Allocate(int(width), int(height), format);
    if (!palette.empty()) loaded.FPalette = palette;
    if (bitsOffset > 0) stream->Seek(start + bitsOffset, soBeginning);
    if (stream->Size() - stream->Position() < std::int64_t(loaded.FStride) * height) InvalidBitmap();
    for (std::int64_t row = 0; row < height; ++row) {
        const std::int64_t y = topDown ? row : height - 1 - row;
        stream->ReadBuffer(loaded.FBits.data() + size_t(y) * loaded.FStride, loaded.FStride);
    }
    if (format == pf32bit) {
        // Alpha counts only when some pixel has it.
        bool anyAlpha = false;
        for (size_t i = 3; i < loaded.FBits.size() && !anyAlpha; i += 4)
            anyAlpha = loaded.FBits[i] != 0;
        loaded.FAlphaFormat = anyAlpha ? afDefined : afIgnored;
    }
    Assign(&loaded);
}

void TBitmap::SaveToStream(TStream* stream) {
    ReleaseCanvas();
    const TPixelFormat format = FPixelFormat == pfDevice ? pf32bit : FPixelFormat;
    const int bits = PixelFormatBits(format);
    const std::uint32_t paletteEntries = IsPaletteFormat(format) ? std::uint32_t(FPalette.size()) : 0;
    const bool bitFields = format == pf16bit;
    const std::uint32_t headerSize = 14 + 40 + (bitFields ? 12 : 0) + paletteEntries * 4;
    const std::uint32_t imageSize = std::uint32_t(FStride) * std::uint32_t(FHeight);

    std::vector<std::uint8_t> header(headerSize, 0);
    header[0] = 'B';
    header[1] = 'M';
    PutLe32(&header[2], headerSize + imageSize);
    PutLe32(&header[10], headerSize);
    std::uint8_t* info = &header[14];
    PutLe32(info, 40);
    PutLe32(info + 4, std::uint32_t(FWidth));
    PutLe32(info + 8, std::uint32_t(FHeight));
    PutLe16(info + 12, 1);
    PutLe16(info + 14, std::uint16_t(bits));
    PutLe32(info + 16, bitFields ? BI_BITFIELDS : BI_RGB);
    PutLe32(info + 20, imageSize);
    PutLe32(info + 24, 3780);  // 96 dpi in pixels per metre
    PutLe32(info + 28, 3780);
    PutLe32(info + 32, paletteEntries);
    std::uint8_t* extra = info + 40;
    if (bitFields) {
        PutLe32(extra, 0xF800);
        PutLe32(extra + 4, 0x07E0);
        PutLe32(extra + 8, 0x001F);
        extra += 12;
    }
    for (std::uint32_t i = 0; i < paletteEntries; ++i) {
        extra[4 * i] = std::uint8_t(GetBValue(FPalette[i]));
        extra[4 * i + 1] = std::uint8_t(GetGValue(FPalette[i]));
        extra[4 * i + 2] = std::uint8_t(GetRValue(FPalette[i]));
    }
    stream->WriteBuffer(header.data(), std::int64_t(header.size()));
    for (int y = FHeight - 1; y >= 0; --y)
        stream->WriteBuffer(FBits.data() + size_t(y) * FStride, FStride);
}
