// PNG chunks: the chunk record with its CRC, the registry of chunk classes, and each chunk class.
#pragma once

#include "GraphicsImage.h"
#include "Streams.h"
#include "pngmessages.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TPngPicture;

extern const std::uint8_t PngSignature[8];

// CRC-32 of the PNG format (reflected polynomial 0xEDB88320).
std::uint32_t UpdateCrc(std::uint32_t crc, const std::uint8_t* buffer, std::size_t length);
// The CRC stored after a chunk: over the four name bytes, then the data.
std::uint32_t ChunkCrc(const QByteArray& name, const std::uint8_t* data, std::size_t length);
// The Adler-32 that ends a zlib stream, over n more bytes (1 to start).
std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* data, std::size_t n);

std::uint32_t SwapBytes32(std::uint32_t value);
std::uint16_t SwapBytes16(std::uint16_t value);
std::uint32_t ReadBigEndian32(const std::uint8_t* p);
void WriteBigEndian32(std::uint8_t* p, std::uint32_t value);
// Samples per pixel of a colour type; 0 for an unknown one.
int ChannelsOf(int colorType);
// Bytes that `pixels` pixels take in a PNG row; 0 for an unknown colour type.
std::int64_t BytesForPixels(std::int64_t pixels, int colorType, int bitDepth);
// Bytes of one complete pixel, at least 1: how far back the row filters look.
int FilterOffset(int colorType, int bitDepth);

// A chunk name is four letters; bit 5 of the first one clear marks a critical chunk.
inline bool IsCriticalChunk(const QByteArray& name) {
    return !name.isEmpty() && !(name[0] & 0x20);
}

class TChunk : public TObject {
public:
    explicit TChunk(TPngPicture* owner) : FOwner(owner) {}
    ~TChunk() override = default;

    // The name the class stands for: its class name from the seventh character on.
    static QByteArray GetName() { return QByteArray(); }
    virtual void Assign(const TChunk* source);
    // Reads size bytes of data and the CRC that follows (EPngInvalidCRC on a mismatch). Returns
    // False to stop loading.
    virtual bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size);
    virtual bool SaveToStream(TStream* stream);
    // A malformed ancillary chunk is dropped after loading instead of being applied or kept.
    bool Discarded() const { return FDiscarded; }

    void ResizeData(std::uint32_t size);
    void WriteChunk(TStream* stream);
    // Writes the chunk with other data than it holds.
    void WriteChunk(TStream* stream, const std::vector<std::uint8_t>& data);

    std::vector<std::uint8_t> Data;
    std::uint32_t DataSize() const { return std::uint32_t(Data.size()); }
    TPngPicture* Owner() const { return FOwner; }
    QByteArray Name;

protected:
    TPngPicture* FOwner;
    bool FDiscarded = false;
};

// A chunk class as the registry holds it.
struct TChunkClassInfo {
    QByteArray Name;
    TChunk* (*Create)(TPngPicture* owner);
};
using TChunkClass = const TChunkClassInfo*;

template <class T> TChunkClass ChunkClassOf() {
    static const TChunkClassInfo info{T::GetName(),
                                      [](TPngPicture* owner) -> TChunk* { return new T(owner); }};
    return &info;
}

void RegisterChunkClass(TChunkClass chunkClass);
void RegisterStandardChunks();
void ClearChunkClasses();
// An object of the first registered class for the name, else a plain TChunk; it carries the name.
std::unique_ptr<TChunk> CreateChunkForName(TPngPicture* owner, const QByteArray& name);

class TChunkIEND : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "IEND"; }
};

// The header; it owns the image: a bitmap in the device-independent layout of the colour type
// and depth, the alpha of types 4 and 6, and the low bytes of 16-bit samples.
class TChunkIHDR : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "IHDR"; }
    void Assign(const TChunk* source) override;
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    bool SaveToStream(TStream* stream) override;

    // Makes the buffers for Width x Height (EPNGOutMemory beyond the pixel limit).
    void CreateImageBuffers();
    // The buffers' format, without pixels: the pixels wait until the image data shows it can fill
    // them (EPNGOutMemory beyond the pixel limit).
    void PrepareImageBuffers();
    // The pixels, alpha and low bytes of Width x Height; the palette stays.
    void AllocateImageBuffers();
    // Sets the colour key's alpha of an area from the pixels as they would be saved (nothing
    // without a grey or RGB key).
    void MarkKeyedPixels(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height);
    // The depth the pixels are held at: 2-bit images are held at 4 bits.
    int StoredBitDepth() const { return BitDepth == 2 ? 4 : BitDepth; }
    TPixelFormat DibFormat() const;

    std::uint32_t Width = 0, Height = 0;
    std::uint8_t BitDepth = 0, ColorType = 0, CompressionMethod = 0, FilterMethod = 0, InterlaceMethod = 0;

    TBitmap ImageData;  // the pixels (palette indices, grey levels or blue-green-red)
    // Types 4 and 6: the alpha, Width x Height, top row first. Grey and RGB images with a colour
    // key: 0 where the stored samples hold the key, 255 elsewhere (gamma may show other pixels in
    // the key's colour).
    std::vector<std::uint8_t> ImageAlpha;
    std::vector<std::uint8_t> ExtraImageData;  // depth 16: low bytes, laid out like ImageData
};

class TChunkPLTE : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "PLTE"; }
    void Assign(const TChunk* source) override;
    // Refuses an empty or second palette; one after the image data or in a grey image is
    // dropped, as it cannot colour pixels already read or pixels that are grey levels.
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    bool SaveToStream(TStream* stream) override;
    int Count() const { return FCount; }
    // The entries a save writes: those the pixels can reach.
    int SavedCount() const;
    // The palette colour at index (EPngError beyond Count).
    TColor Item(int index) const;
    void SetCount(int count) { FCount = count; }

private:
    int FCount = 0;
};

// A grey or RGB colour key as the samples of a PNG row at Depth bits hold it.
struct TColourKey {
    int Channels = 0, Depth = 0;
    std::uint16_t Sample[3] = {};
    // Whether pixel k of a row of samples at Depth holds the key.
    bool Matches(const std::uint8_t* row, std::int64_t k) const;
};

class TChunktRNS : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "tRNS"; }
    void Assign(const TChunk* source) override;
    // A tRNS after the image data, or one that does not fit the colour type or the palette the
    // pixels can reach, is dropped: it cannot apply to pixels already read.
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    bool SaveToStream(TStream* stream) override;
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    // The grey or RGB key at the image's depth (samples held at `depth`, 4 for 2-bit grey, scale
    // it there), bits beyond the depth ignored.
    TColourKey Key(int depth) const;

    // Set for a palette image when exactly one entry is transparent and every other one opaque:
    // that entry's index is keyed out. Grey and RGB keys always set it.
    bool ColorKeyTransparency = false;
    std::array<std::uint8_t, 256> PaletteAlpha{};
};

class TChunkgAMA : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "gAMA"; }
    void Assign(const TChunk* source) override;
    // Gamma after a PLTE or the image data is kept but not applied: the colours read before it
    // are not gamma-mapped, so a save must not map them back either.
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    std::uint32_t Gamma() const;
    void SetGamma(std::uint32_t gamma);
};

class TChunkpHYs : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "pHYs"; }
    void Assign(const TChunk* source) override;
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    bool SaveToStream(TStream* stream) override;
    std::uint32_t PPUnitX = 0, PPUnitY = 0;
    std::uint8_t UnitType = 0;
};

class TChunktIME : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "tIME"; }
    void Assign(const TChunk* source) override;
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    bool SaveToStream(TStream* stream) override;
    std::uint16_t Year = 0;
    std::uint8_t Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

class TChunktEXt : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "tEXt"; }
    void Assign(const TChunk* source) override;
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    bool SaveToStream(TStream* stream) override;
    QByteArray Keyword, Text;  // Latin-1 bytes as stored
};

class TChunkzTXt : public TChunktEXt {
public:
    using TChunktEXt::TChunktEXt;
    static QByteArray GetName() { return "zTXt"; }
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    bool SaveToStream(TStream* stream) override;
};

// Largest text a zTXt chunk may inflate to; a larger one is ignored.
constexpr std::size_t MaxInflatedTextSize = 1 << 20;

// zlib in one call, for text chunks: false when the data is not a complete stream or would
// inflate beyond limit bytes.
bool InflateBuffer(const std::uint8_t* data, std::size_t size, QByteArray& out, std::size_t limit);
QByteArray DeflateBuffer(const QByteArray& data, int level);

class TChunkIDAT : public TChunk {
public:
    using TChunk::TChunk;
    static QByteArray GetName() { return "IDAT"; }
    // Decodes all image data that starts here, reading on through the IDAT chunks that follow.
    bool LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) override;
    // Encodes the image as one or more IDAT chunks.
    bool SaveToStream(TStream* stream) override;
};

// The chunks of one image in file order; owns them.
class TPNGList : public TObject {
public:
    explicit TPNGList(TPngPicture* owner) : FOwner(owner) {}
    int Count() const { return int(FItems.size()); }
    TChunk* Item(int index) const { return FItems.at(size_t(index)).get(); }
    TChunk* Add(std::unique_ptr<TChunk> chunk);
    void Insert(int index, std::unique_ptr<TChunk> chunk);
    void Remove(TChunk* chunk);
    void Clear() { FItems.clear(); }
    // The first chunk of a class, or nullptr.
    template <class T> T* Find() const {
        for (const auto& c : FItems)
            if (auto* t = dynamic_cast<T*>(c.get())) return t;
        return nullptr;
    }
    TPngPicture* Owner() const { return FOwner; }

private:
    TPngPicture* FOwner;
    std::vector<std::unique_ptr<TChunk>> FItems;
};
