// The chunk layer: CRC, byte order, the registry of chunk classes, and the small chunks.
#include "pngchunks.h"
#include "pngpicture.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

const std::uint8_t PngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// CRC ---------------------------------------------------------------------------------------------
// zlib's CRC-32 is the PNG one; the register is kept uncomplemented here, as the chunk layer
// starts it at 0xFFFFFFFF and complements the result itself.
std::uint32_t UpdateCrc(std::uint32_t crc, const std::uint8_t* buffer, std::size_t length) {
    return ~std::uint32_t(crc32_z(~crc & 0xFFFFFFFFu, buffer, length));
}

std::uint32_t ChunkCrc(const QByteArray& name, const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = UpdateCrc(0xFFFFFFFFu, reinterpret_cast<const std::uint8_t*>(name.constData()), 4);
    if (length) crc = UpdateCrc(crc, data, length);
    return ~crc;
}

// Adler-32 --------------------------------------------------------------------------------------
std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* p, std::size_t n) {
    constexpr std::uint32_t Base = 65521;
    std::uint64_t a = adler & 0xFFFF, b = adler >> 16;
#if defined(__SSE2__)
    // Blocks of 16 bytes: a grows by their sum; b by 16 times a as it was before the block, plus
    // each byte weighted by 16 less its place. 347 blocks between reductions keep the lanes
    // within 32 bits.
    const __m128i zero = _mm_setzero_si128();
    const __m128i firstWeights = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i lastWeights = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    auto total = [](__m128i v) {
        alignas(16) std::uint32_t lanes[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), v);
        return std::uint64_t(lanes[0]) + lanes[1] + lanes[2] + lanes[3];
    };
    while (n >= 16) {
        const std::size_t blocks = std::min<std::size_t>(n / 16, 347);
        n -= blocks * 16;
        __m128i sums = zero, sumsBefore = zero, weighted = zero;
        for (std::size_t k = 0; k < blocks; ++k, p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            sumsBefore = _mm_add_epi32(sumsBefore, sums);
            sums = _mm_add_epi32(sums, _mm_sad_epu8(v, zero));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(v, zero), firstWeights));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(v, zero), lastWeights));
        }
        b = (b + 16 * blocks * a + 16 * total(sumsBefore) + total(weighted)) % Base;
        a = (a + total(sums)) % Base;
    }
#endif
    for (; n > 0; --n) {
        a += *p++;
        b += a;
    }
    return std::uint32_t((b % Base) << 16 | (a % Base));
}

// Byte order ------------------------------------------------------------------------------------
std::uint32_t SwapBytes32(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
}

std::uint16_t SwapBytes16(std::uint16_t v) {
    return std::uint16_t((v >> 8) | (v << 8));
}

std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

void WriteBigEndian32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v >> 24);
    p[1] = std::uint8_t(v >> 16);
    p[2] = std::uint8_t(v >> 8);
    p[3] = std::uint8_t(v);
}

int ChannelsOf(int colorType) {
    switch (colorType) {
    case 0:
    case 3:
        return 1;
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 0;
    }
}

std::int64_t BytesForPixels(std::int64_t pixels, int colorType, int bitDepth) {
    return (pixels * bitDepth * ChannelsOf(colorType) + 7) / 8;
}

int FilterOffset(int colorType, int bitDepth) {
    return std::max(1, ChannelsOf(colorType) * bitDepth / 8);
}

// Registry --------------------------------------------------------------------------------------
namespace {
std::vector<TChunkClass>& ChunkClasses() {
    static std::vector<TChunkClass> classes;
    return classes;
}
}  // namespace

void RegisterChunkClass(TChunkClass chunkClass) {
    ChunkClasses().push_back(chunkClass);
}

void ClearChunkClasses() {
    ChunkClasses().clear();
}

void RegisterStandardChunks() {
    RegisterChunkClass(ChunkClassOf<TChunkIEND>());
    RegisterChunkClass(ChunkClassOf<TChunkIHDR>());
    RegisterChunkClass(ChunkClassOf<TChunkIDAT>());
    RegisterChunkClass(ChunkClassOf<TChunkPLTE>());
    RegisterChunkClass(ChunkClassOf<TChunkgAMA>());
    RegisterChunkClass(ChunkClassOf<TChunktRNS>());
    RegisterChunkClass(ChunkClassOf<TChunkpHYs>());
    RegisterChunkClass(ChunkClassOf<TChunktIME>());
    RegisterChunkClass(ChunkClassOf<TChunktEXt>());
    RegisterChunkClass(ChunkClassOf<TChunkzTXt>());
}

std::unique_ptr<TChunk> CreateChunkForName(TPngPicture* owner, const QByteArray& name) {
    std::unique_ptr<TChunk> chunk;
    for (TChunkClass c : ChunkClasses())
        if (c->Name == name) {
            chunk.reset(c->Create(owner));
            break;
        }
    if (!chunk) chunk = std::make_unique<TChunk>(owner);
    chunk->Name = name;
    return chunk;
}

// TChunk ----------------------------------------------------------------------------------------
void TChunk::Assign(const TChunk* source) {
    Name = source->Name;
    Data = source->Data;
}

void TChunk::ResizeData(std::uint32_t size) {
    Data.resize(size);
    if (size == 0) Data.shrink_to_fit();
}

bool TChunk::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    // The size was checked against what the stream still holds before anything is allocated.
    if (std::int64_t(size) + 4 > stream->Size() - stream->Position()) RaisePngError<EPngUnexpectedEnd>();
    ResizeData(size);
    std::uint8_t crc[4];
    if (stream->Read(Data.data(), size) != size || stream->Read(crc, 4) != 4)
        RaisePngError<EPngUnexpectedEnd>();
    if (ReadBigEndian32(crc) != ChunkCrc(name, Data.data(), Data.size())) RaisePngError<EPngInvalidCRC>();
    return true;
}

bool TChunk::SaveToStream(TStream* stream) {
    WriteChunk(stream);
    return true;
}

void TChunk::WriteChunk(TStream* stream) {
    WriteChunk(stream, Data);
}

void TChunk::WriteChunk(TStream* stream, const std::vector<std::uint8_t>& data) {
    std::uint8_t head[8];
    WriteBigEndian32(head, std::uint32_t(data.size()));
    std::memcpy(head + 4, Name.constData(), 4);
    stream->WriteBuffer(head, 8);
    if (!data.empty()) stream->WriteBuffer(data.data(), std::int64_t(data.size()));
    std::uint8_t crc[4];
    WriteBigEndian32(crc, ChunkCrc(Name, data.data(), data.size()));
    stream->WriteBuffer(crc, 4);
}

// TPNGList --------------------------------------------------------------------------------------
TChunk* TPNGList::Add(std::unique_ptr<TChunk> chunk) {
    FItems.push_back(std::move(chunk));
    return FItems.back().get();
}

void TPNGList::Insert(int index, std::unique_ptr<TChunk> chunk) {
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, std::move(chunk));
}

void TPNGList::Remove(TChunk* chunk) {
    std::erase_if(FItems, [&](const std::unique_ptr<TChunk>& c) { return c.get() == chunk; });
}

namespace {
template <class T> const T* SameClass(const TChunk* source) {
    auto* same = dynamic_cast<const T*>(source);
    if (!same || typeid(*source) != typeid(T)) RaisePngError<EPngError>(EPNGCannotAssignChunkText);
    return same;
}
}  // namespace

// PLTE ------------------------------------------------------------------------------------------
void TChunkPLTE::Assign(const TChunk* source) {
    FCount = SameClass<TChunkPLTE>(source)->FCount;
    TChunk::Assign(source);
}

bool TChunkPLTE::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    if (size == 0 || size % 3 != 0 || size / 3 > 256) RaisePngError<EPNGInvalidPalette>();
    const TPNGList& chunks = FOwner->Chunks();
    if (chunks.Find<TChunkPLTE>() != this) RaisePngError<EPNGInvalidPalette>();
    const int colorType = FOwner->Header()->ColorType;
    if (chunks.Find<TChunkIDAT>() || colorType == 0 || colorType == 4) {
        FDiscarded = true;
        return true;
    }
    FCount = int(size / 3);
    TPalette palette;
    palette.resize(size_t(FCount));
    const auto& g = FOwner->GammaTable;
    for (int i = 0; i < FCount; ++i)
        palette[size_t(i)] = RGB(g[Data[3 * i]], g[Data[3 * i + 1]], g[Data[3 * i + 2]]);
    FOwner->SetPalette(palette);
    return true;
}

int TChunkPLTE::SavedCount() const {
    const int held = int(FOwner->Palette().size());
    return FCount == 0 ? held : std::min(FCount, held);
}

bool TChunkPLTE::SaveToStream(TStream* stream) {
    const TPalette palette = FOwner->Palette();
    // A true-colour image's suggested palette is not held by the pixels: it goes back as read.
    if (palette.empty()) return TChunk::SaveToStream(stream);
    FCount = SavedCount();
    ResizeData(std::uint32_t(FCount * 3));
    const auto& inv = FOwner->InverseGammaTable;
    for (int i = 0; i < FCount; ++i) {
        Data[3 * i] = inv[GetRValue(palette[size_t(i)])];
        Data[3 * i + 1] = inv[GetGValue(palette[size_t(i)])];
        Data[3 * i + 2] = inv[GetBValue(palette[size_t(i)])];
    }
    return TChunk::SaveToStream(stream);
}

TColor TChunkPLTE::Item(int index) const {
    if (index < 0 || index >= FCount) RaisePngError<EPngError>(EPNGNoPaletteEntryText);
    const TPalette palette = FOwner->Palette();
    return size_t(index) < palette.size() ? palette[size_t(index)] : clBlack;
}

// tRNS ------------------------------------------------------------------------------------------
void TChunktRNS::Assign(const TChunk* source) {
    const auto* s = SameClass<TChunktRNS>(source);
    ColorKeyTransparency = s->ColorKeyTransparency;
    PaletteAlpha = s->PaletteAlpha;
    TChunk::Assign(source);
}

bool TChunktRNS::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    if (size > 256) RaisePngError<EPNGInvalidPalette>();
    const TChunkIHDR* header = FOwner->Header();
    // A size that does not fit the colour type is ignored rather than applied in part; so are
    // more alpha values than the palette entries the pixels can reach.
    bool fits = false;
    switch (header->ColorType) {
    case 0:
        fits = size == 2;
        break;
    case 2:
        fits = size == 6;
        break;
    case 3: {
        const TChunkPLTE* plte = FOwner->Chunks().Find<TChunkPLTE>();
        fits = plte && size >= 1 && int(size) <= std::min(plte->Count(), 1 << header->BitDepth);
        break;
    }
    default:
        break;
    }
    if (!fits || FOwner->Chunks().Find<TChunkIDAT>()) {
        FDiscarded = true;
        return true;
    }
    PaletteAlpha.fill(255);
    std::memcpy(PaletteAlpha.data(), Data.data(), size);
    if (header->ColorType == 3) {
        // One transparent entry among opaque ones is a key; anything else is alpha per pixel.
        const auto transparent = std::count(Data.begin(), Data.end(), std::uint8_t(0));
        const auto opaque = std::count(Data.begin(), Data.end(), std::uint8_t(255));
        ColorKeyTransparency = transparent == 1 && transparent + opaque == std::int64_t(size);
    } else {
        ColorKeyTransparency = true;
    }
    return true;
}

bool TChunktRNS::SaveToStream(TStream* stream) {
    const TChunkIHDR* header = FOwner->Header();
    if (header->ColorType == 3) {
        // The alphas live in PaletteAlpha; no more of them than the palette entries written.
        const TChunkPLTE* plte = FOwner->Chunks().Find<TChunkPLTE>();
        const size_t count = std::min<size_t>(DataSize(), plte ? size_t(plte->SavedCount()) : 0);
        Data.assign(PaletteAlpha.begin(), PaletteAlpha.begin() + std::ptrdiff_t(count));
    } else if (header->ColorType == 0 && header->BitDepth == 2 && DataSize() == 2) {
        // Two-bit grey is written at four bits: its key goes with the pixels.
        const std::uint16_t key = Key(4).Sample[0];
        WriteChunk(stream, {std::uint8_t(key >> 8), std::uint8_t(key)});
        return true;
    }
    return TChunk::SaveToStream(stream);
}

TColourKey TChunktRNS::Key(int depth) const {
    const TChunkIHDR* header = FOwner->Header();
    TColourKey key;
    key.Channels = header->ColorType == 2 ? 3 : 1;
    key.Depth = depth;
    if (DataSize() < std::uint32_t(2 * key.Channels)) return key;
    const int mask = header->BitDepth == 16 ? 0xFFFF : (1 << header->BitDepth) - 1;
    for (int c = 0; c < key.Channels; ++c) {
        int value = ((Data[size_t(2 * c)] << 8) | Data[size_t(2 * c + 1)]) & mask;
        if (depth == 4 && header->BitDepth == 2) value *= 5;
        key.Sample[c] = std::uint16_t(value);
    }
    return key;
}

bool TColourKey::Matches(const std::uint8_t* row, std::int64_t k) const {
    switch (Depth) {
    case 16:
        for (int c = 0; c < Channels; ++c) {
            const std::uint8_t* s = row + 2 * (k * Channels + c);
            if (((s[0] << 8) | s[1]) != Sample[c]) return false;
        }
        return true;
    case 8:
        for (int c = 0; c < Channels; ++c)
            if (row[k * Channels + c] != Sample[c]) return false;
        return true;
    default: {
        const int perByte = 8 / Depth;
        const int shift = 8 - Depth * int(k % perByte + 1);
        return ((row[k / perByte] >> shift) & ((1 << Depth) - 1)) == Sample[0];
    }
    }
}

TColor TChunktRNS::TransparentColor() const {
    const TChunkIHDR* header = FOwner->Header();
    const auto& g = FOwner->GammaTable;
    auto sample = [&](int i) {
        // The key is stored at the image's depth; scale it to the 8-bit level the pixels show.
        const int v = (Data[2 * i] << 8) | Data[2 * i + 1];
        switch (header->BitDepth) {
        case 1:
            return (v & 1) * 255;
        case 2:
            return (v & 3) * 85;
        case 4:
            return (v & 15) * 17;
        case 16:
            return v >> 8;
        default:
            return v & 0xFF;
        }
    };
    switch (header->ColorType) {
    case 0:
        if (DataSize() >= 2) {
            const int level = g[sample(0)];
            return RGB(level, level, level);
        }
        break;
    case 2:
        if (DataSize() >= 6) return RGB(g[sample(0)], g[sample(1)], g[sample(2)]);
        break;
    case 3: {
        const TPalette palette = FOwner->Palette();
        for (std::uint32_t i = 0; i < DataSize() && i < palette.size(); ++i)
            if (Data[i] == 0) return palette[i];
        break;
    }
    default:
        break;
    }
    return 0;
}

void TChunktRNS::SetTransparentColor(TColor color) {
    const TChunkIHDR* header = FOwner->Header();
    color = ColorToRGB(color);
    switch (header->ColorType) {
    case 0: {
        ResizeData(2);
        const int level = GetRValue(color);
        const int v = header->BitDepth == 16 ? level << 8 : level >> (8 - header->StoredBitDepth());
        Data = {std::uint8_t(v >> 8), std::uint8_t(v)};
        break;
    }
    case 2: {
        const int shift = header->BitDepth == 16 ? 8 : 0;
        const int r = GetRValue(color) << shift, g = GetGValue(color) << shift, b = GetBValue(color) << shift;
        Data = {std::uint8_t(r >> 8), std::uint8_t(r),      std::uint8_t(g >> 8),
                std::uint8_t(g),      std::uint8_t(b >> 8), std::uint8_t(b)};
        break;
    }
    case 3: {
        const TPalette palette = FOwner->Palette();
        const auto it = std::find(palette.begin(), palette.end(), color);
        if (it == palette.end()) return;
        const size_t index = size_t(it - palette.begin());
        Data.assign(index + 1, 255);
        Data[index] = 0;
        PaletteAlpha.fill(255);
        PaletteAlpha[index] = 0;
        break;
    }
    default:
        return;
    }
    ColorKeyTransparency = true;
}

// gAMA ------------------------------------------------------------------------------------------
void TChunkgAMA::Assign(const TChunk* source) {
    SameClass<TChunkgAMA>(source);
    TChunk::Assign(source);
}

std::uint32_t TChunkgAMA::Gamma() const {
    return DataSize() == 4 ? ReadBigEndian32(Data.data()) : 0;
}

void TChunkgAMA::SetGamma(std::uint32_t gamma) {
    ResizeData(4);
    WriteBigEndian32(Data.data(), gamma);
}

bool TChunkgAMA::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    if (size != 4) {
        FDiscarded = true;  // a malformed gamma would darken every pixel: ignore it
        return true;
    }
    const TPNGList& chunks = FOwner->Chunks();
    if (chunks.Find<TChunkPLTE>() || chunks.Find<TChunkIDAT>()) return true;
    const std::uint32_t gamma = Gamma();
    if (gamma != 0) {
        FOwner->ResetGamma();
        const double exponent = 1.0 / (gamma / 100000.0 * 2.2);
        for (int i = 0; i < 256; ++i) {
            const double base = i / 255.0;
            const int g =
                std::clamp(int(std::lround(255.0 * (base == 0 ? 0.0 : std::pow(base, exponent)))), 0, 255);
            FOwner->GammaTable[size_t(i)] = std::uint8_t(g);
            FOwner->InverseGammaTable[size_t(g)] = std::uint8_t(i);
        }
    }
    return true;
}

// pHYs and tIME ---------------------------------------------------------------------------------
void TChunkpHYs::Assign(const TChunk* source) {
    const auto* s = SameClass<TChunkpHYs>(source);
    PPUnitX = s->PPUnitX;
    PPUnitY = s->PPUnitY;
    UnitType = s->UnitType;
    TChunk::Assign(source);
}

bool TChunkpHYs::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    if (size == 9) {
        PPUnitX = ReadBigEndian32(Data.data());
        PPUnitY = ReadBigEndian32(Data.data() + 4);
        UnitType = Data[8];
    }
    return true;
}

bool TChunkpHYs::SaveToStream(TStream* stream) {
    if (DataSize() == 9 || PPUnitX || PPUnitY || UnitType) {
        ResizeData(9);
        WriteBigEndian32(Data.data(), PPUnitX);
        WriteBigEndian32(Data.data() + 4, PPUnitY);
        Data[8] = UnitType;
    }
    return TChunk::SaveToStream(stream);
}

void TChunktIME::Assign(const TChunk* source) {
    const auto* s = SameClass<TChunktIME>(source);
    Year = s->Year;
    Month = s->Month;
    Day = s->Day;
    Hour = s->Hour;
    Minute = s->Minute;
    Second = s->Second;
    TChunk::Assign(source);
}

bool TChunktIME::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    if (size == 7) {
        Year = std::uint16_t(Data[0] * 256 + Data[1]);
        Month = Data[2];
        Day = Data[3];
        Hour = Data[4];
        Minute = Data[5];
        Second = Data[6];
    }
    return true;
}

bool TChunktIME::SaveToStream(TStream* stream) {
    if (DataSize() == 7 || Year)
        Data = {std::uint8_t(Year >> 8), std::uint8_t(Year), Month, Day, Hour, Minute, Second};
    return TChunk::SaveToStream(stream);
}

// Text ------------------------------------------------------------------------------------------
void TChunktEXt::Assign(const TChunk* source) {
    const auto* s = dynamic_cast<const TChunktEXt*>(source);
    if (!s || typeid(*source) != typeid(*this)) RaisePngError<EPngError>(EPNGCannotAssignChunkText);
    Keyword = s->Keyword;
    Text = s->Text;
    TChunk::Assign(source);
}

namespace {
// The keyword's length (bytes before the zero byte), or -1 when the data holds no valid keyword.
int KeywordLength(const std::vector<std::uint8_t>& data) {
    const auto zero = std::find(data.begin(), data.end(), std::uint8_t(0));
    if (zero == data.end()) return -1;
    const int length = int(zero - data.begin());
    return length >= 1 && length <= 79 ? length : -1;
}
}  // namespace

bool TChunktEXt::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    const int keyLength = KeywordLength(Data);
    if (size < 3 || keyLength < 0) {
        FDiscarded = true;
        return true;
    }
    Keyword = QByteArray(reinterpret_cast<const char*>(Data.data()), keyLength);
    Text = QByteArray(reinterpret_cast<const char*>(Data.data()) + keyLength + 1, int(size) - keyLength - 1);
    return true;
}

bool TChunktEXt::SaveToStream(TStream* stream) {
    Data.assign(Keyword.begin(), Keyword.end());
    Data.push_back(0);
    Data.insert(Data.end(), Text.begin(), Text.end());
    return TChunk::SaveToStream(stream);
}

bool TChunkzTXt::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    const int keyLength = KeywordLength(Data);
    QByteArray text;
    // Keyword, zero byte, method 0, then a zlib stream that must inflate within the cap.
    if (size < 4 || keyLength < 0 || std::uint32_t(keyLength) + 2 > size ||
        Data[size_t(keyLength) + 1] != 0 ||
        !InflateBuffer(Data.data() + keyLength + 2, size - std::uint32_t(keyLength) - 2, text,
                       MaxInflatedTextSize)) {
        FDiscarded = true;
        return true;
    }
    Keyword = QByteArray(reinterpret_cast<const char*>(Data.data()), keyLength);
    Text = text;
    return true;
}

bool TChunkzTXt::SaveToStream(TStream* stream) {
    const QByteArray packed =
        DeflateBuffer(Text.isEmpty() ? QByteArray(" ") : Text, FOwner->CompressionLevel);
    Data.assign(Keyword.begin(), Keyword.end());
    Data.push_back(0);
    Data.push_back(0);
    Data.insert(Data.end(), packed.begin(), packed.end());
    return TChunk::SaveToStream(stream);
}

bool InflateBuffer(const std::uint8_t* data, std::size_t size, QByteArray& out, std::size_t limit) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size);
    out.clear();
    char buffer[16384];
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = sizeof buffer - z.avail_out;
        if (out.size() + produced > limit)
            result = Z_MEM_ERROR;
        else
            out.append(buffer, qsizetype(produced));
        if (result == Z_OK && produced == 0 && z.avail_in == 0) result = Z_BUF_ERROR;  // stream cut short
    }
    inflateEnd(&z);
    return result == Z_STREAM_END;
}

QByteArray DeflateBuffer(const QByteArray& data, int level) {
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()),
                  std::clamp(level, 0, 9)) != Z_OK)
        return QByteArray();
    out.truncate(qsizetype(size));
    return out;
}
