// The header chunk: its checks, and the image buffers it owns.
#include "pngchunks.h"
#include "pngpicture.h"

#include <algorithm>

namespace {
bool LegalDepth(int colorType, int depth) {
    switch (colorType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}
}  // namespace

TPalette GreyRamp(const TPngPicture* owner, int entries) {
    TPalette ramp;
    ramp.resize(size_t(entries));
    for (int i = 0; i < entries; ++i) {
        const int level = owner->GammaTable[size_t((i * 255 + (entries - 1) / 2) / (entries - 1))];
        ramp[size_t(i)] = RGB(level, level, level);
    }
    return ramp;
}

TPixelFormat TChunkIHDR::DibFormat() const {
    if (ColorType == 2 || ColorType == 6) return pf24bit;
    switch (BitDepth) {
    case 1:
        return pf1bit;
    case 2:
    case 4:
        return pf4bit;
    default:
        return pf8bit;
    }
}

bool TChunkIHDR::LoadFromStream(TStream* stream, const QByteArray& name, std::uint32_t size) {
    TChunk::LoadFromStream(stream, name, size);
    if (size != 13) RaisePngError<EPngInvalidIHDR>();
    Width = ReadBigEndian32(Data.data());
    Height = ReadBigEndian32(Data.data() + 4);
    BitDepth = Data[8];
    ColorType = Data[9];
    CompressionMethod = Data[10];
    FilterMethod = Data[11];
    InterlaceMethod = Data[12];
    if (Width == 0 || Height == 0) RaisePngError<EPngInvalidIHDR>();
    if (Width >= 65536 || Height >= 65536) RaisePngError<EPNGSizeExceeds>();
    if (!LegalDepth(ColorType, BitDepth)) RaisePngError<EPngInvalidIHDR>();
    if (CompressionMethod != 0) RaisePngError<EPNGUnknownCompression>();
    if (FilterMethod != 0) RaisePngError<EPngInvalidIHDR>();
    if (InterlaceMethod > 1) RaisePngError<EPNGUnknownInterlace>();
    FOwner->InterlaceMethod = InterlaceMethod;
    PrepareImageBuffers();
    return true;
}

bool TChunkIHDR::SaveToStream(TStream* stream) {
    ResizeData(13);
    WriteBigEndian32(Data.data(), Width);
    WriteBigEndian32(Data.data() + 4, Height);
    Data[8] = std::uint8_t(StoredBitDepth());
    Data[9] = ColorType;
    Data[10] = CompressionMethod;
    Data[11] = FilterMethod;
    Data[12] = FOwner->InterlaceMethod;
    return TChunk::SaveToStream(stream);
}

void TChunkIHDR::CreateImageBuffers() {
    PrepareImageBuffers();
    AllocateImageBuffers();
}

void TChunkIHDR::PrepareImageBuffers() {
    if (std::int64_t(Width) * std::int64_t(Height) > MaxPngPixels) RaisePngError<EPNGOutMemory>();
    ImageData.Assign(nullptr);
    ImageData.SetPixelFormat(DibFormat());
}

void TChunkIHDR::AllocateImageBuffers() {
    try {
        ImageData.SetSize(int(Width), int(Height));
        const size_t pixels = size_t(Width) * Height;
        ImageAlpha.assign(ColorType == 4 || ColorType == 6 ? pixels : 0, 0);
        ExtraImageData.assign(BitDepth == 16 ? size_t(ImageData.BytesPerScanLine()) * Height : 0, 0);
    } catch (const std::bad_alloc&) {
        RaisePngError<EPNGOutMemory>();
    }
}

void TChunkIHDR::Assign(const TChunk* source) {
    const auto* header = dynamic_cast<const TChunkIHDR*>(source);
    if (!header) RaisePngError<EPngError>(EPNGCannotAssignChunkText);
    TChunk::Assign(source);
    Width = header->Width;
    Height = header->Height;
    BitDepth = header->BitDepth;
    ColorType = header->ColorType;
    CompressionMethod = header->CompressionMethod;
    FilterMethod = header->FilterMethod;
    InterlaceMethod = header->InterlaceMethod;
    ImageData.Assign(&header->ImageData);
    ImageAlpha = header->ImageAlpha;
    ExtraImageData = header->ExtraImageData;
}
