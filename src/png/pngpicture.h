// TPngPicture: reads, draws and writes PNG pictures chunk by chunk.
#pragma once

#include "GraphicsImage.h"
#include "pngchunks.h"
#include "pngmessages.h"

#include <array>
#include <cstdint>

// Row filters of the encoder; a set holds filter n as bit n.
enum TFilter { pfNone, pfSub, pfUp, pfAverage, pfPaeth };
using TFilters = std::uint8_t;
constexpr TFilters FilterSet(TFilter f) {
    return TFilters(1u << f);
}

// How a picture is transparent: not at all, by one colour, or by alpha per pixel.
enum TPNGTransparencyMode { ptmNone, ptmBit, ptmPartial };

// The most pixels a picture may have; larger ones fail with EPNGOutMemory.
constexpr std::int64_t MaxPngPixels = std::int64_t(1) << 26;

class TPngPicture : public TGraphic {
public:
    TPngPicture();
    ~TPngPicture() override;

    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TGraphic* source) override;
    void AssignTo(TGraphic* dest) const override;
    void Draw(TCanvas* canvas, const TRect& r) override;

    bool Empty() const override { return FChunks.Count() == 0; }
    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override { Resize(width, Height()); }
    void SetHeight(int height) override { Resize(Width(), height); }
    bool Transparent() const override { return TransparencyMode() != ptmNone; }
    TPalette Palette() const override;
    void SetPalette(const TPalette& palette) override;

    void LoadFromStream(TStream* stream) override;  // a failed load leaves the picture empty
    // Reads the file at once, with as few calls to the system as the C library's own reading.
    void LoadFromFile(const QString& fileName) override;
    // EPNGNoImageData for an empty picture, EPNGInvalidPalette for a palette image without one.
    void SaveToStream(TStream* stream) override;
    void LoadFromClipboardFormat(unsigned format) override;
    void SaveToClipboardFormat(unsigned& format) override;

    virtual TColor GetPixels(int x, int y) const;
    virtual void SetPixels(int x, int y, TColor color);

    void ClearChunks();
    TChunkIHDR* Header() const;  // EPNGHeaderNotPresent without one
    TPNGTransparencyMode TransparencyMode() const;
    TColor TransparentColor() const;  // 0 without a tRNS chunk
    void Resize(int width, int height);
    void AssignFromBitmap(const TBitmap* bitmap, bool transparent, TColor transparentColor);
    void CopyChunksFrom(const TPngPicture* source);
    // Drawing on the canvas changes the picture's pixels (not its alpha).
    TCanvas* Canvas();

    TPNGList& Chunks() { return FChunks; }
    const TPNGList& Chunks() const { return FChunks; }

    // Bytes per PNG row and per complete pixel (at least 1) of the header's format.
    void GetRowInfo(std::int64_t& rowBytes, int& filterOffset) const;

    std::array<std::uint8_t, 256> GammaTable{}, InverseGammaTable{};
    bool GammaIsIdentity() const;
    void ResetGamma();

    TFilters Filters = FilterSet(pfSub);
    std::uint8_t CompressionLevel = 7;
    std::uint8_t InterlaceMethod = 0;
    std::uint32_t IdatSizeLimit() const { return FIdatSizeLimit; }
    void SetMaxIdatSize(std::uint32_t size) { FIdatSizeLimit = size < 65535 ? 65535 : size; }

    // Draws each source pixel's alpha (or its colour key as alpha 0) over what the canvas shows in r.
    void DrawAlphaBlended(TCanvas* canvas, const TRect& r);

private:
    TPNGList FChunks{this};
    std::uint32_t FIdatSizeLimit = 65535;
};

// Makes sure the PNG format is registered with TPicture (it registers itself at start-up).
void RegisterPngFormat();

// The grey palette of `entries` levels through the picture's gamma table.
TPalette GreyRamp(const TPngPicture* owner, int entries);
