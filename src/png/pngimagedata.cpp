// Image data: inflating the IDAT stream row by row into the header's buffers, and back.
#include "pngchunks.h"
#include "pngdeflater.h"
#include "pngfilters.h"
#include "pngidatreader.h"
#include "pngpicture.h"
#include "pngpixels.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <span>

namespace {
// The rows of one pass: the first and the step between rows and between pixels, the pixels and
// bytes of a row (at the depth coded), and the number of rows.
struct TPass {
    std::int64_t Y0, Dy, X0, Dx, Pixels, RowBytes, Rows;
};

// The passes of the image data, without empty ones: one, or the seven of Adam7.
std::vector<TPass> PassesOf(const TChunkIHDR* header, int interlace, int depth) {
    struct TAdam7Pass {
        int StartRow, StartColumn, RowIncrement, ColumnIncrement;
    };
    static constexpr TAdam7Pass Adam7[7] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                            {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};
    static constexpr TAdam7Pass Whole = {0, 0, 1, 1};
    const std::int64_t width = header->Width, height = header->Height;
    std::vector<TPass> passes;
    for (const TAdam7Pass& a : interlace == 1 ? std::span(Adam7) : std::span(&Whole, 1)) {
        const std::int64_t pixels =
            width > a.StartColumn ? (width - a.StartColumn + a.ColumnIncrement - 1) / a.ColumnIncrement : 0;
        const std::int64_t rowBytes = BytesForPixels(pixels, header->ColorType, depth);
        if (rowBytes > 0 && a.StartRow < height)
            passes.push_back({a.StartRow, a.RowIncrement, a.StartColumn, a.ColumnIncrement, pixels, rowBytes,
                              (height - a.StartRow + a.RowIncrement - 1) / a.RowIncrement});
    }
    return passes;
}

// Rows are inflated in batches of about this many bytes; an image of at least InflateAheadBytes
// of rows is inflated on another thread while this one unfilters and stores, when its pixels have
// InflateAheadPixelBytes or more. Smaller pixels leave this thread too little to do: handing the
// batches over would cost more than it overlaps.
constexpr std::int64_t BatchBytes = 1 << 17;
constexpr std::int64_t InflateAheadBytes = 1 << 20;
constexpr int InflateAheadPixelBytes = 3;
// The most bytes one byte of deflate data can inflate to: a longest match of 258 bytes takes at
// least two bits.
constexpr std::int64_t MaxInflateRatio = 1032;

// Alpha 0 for the pixels of a row of samples that hold the key, 255 for the others.
void MarkKeyedRow(const TColourKey& key, const std::uint8_t* samples, std::uint8_t* alpha, std::int64_t x0,
                  std::int64_t dx, std::int64_t count) {
    for (std::int64_t k = 0, x = x0; k < count; ++k, x += dx)
        alpha[x] = key.Matches(samples, k) ? 0 : 255;
}

}  // namespace

void TChunkIHDR::MarkKeyedPixels(std::int64_t left, std::int64_t top, std::int64_t width,
                                 std::int64_t height) {
    const TChunktRNS* trns = FOwner->Chunks().Find<TChunktRNS>();
    if (!trns || (ColorType != 0 && ColorType != 2)) return;
    if (ImageAlpha.empty()) ImageAlpha.assign(size_t(Width) * Height, 255);
    const TColourKey key = trns->Key(StoredBitDepth());
    TPixelMover mover(this, FOwner);
    std::vector<std::uint8_t> samples(size_t(BytesForPixels(width, ColorType, StoredBitDepth())));
    for (std::int64_t y = top; y < top + height; ++y) {
        mover.Load(samples.data(), y, left, 1, width);
        MarkKeyedRow(key, samples.data(), ImageAlpha.data() + y * Width, left, 1, width);
    }
}

bool TChunkIDAT::LoadFromStream(TStream* stream, const QByteArray&, std::uint32_t size) {
    TChunkIHDR* header = FOwner->Header();
    if (std::int64_t(size) + 4 > stream->Size() - stream->Position()) RaisePngError<EPngUnexpectedEnd>();
    if (header->ColorType == 3 && !FOwner->Chunks().Find<TChunkPLTE>()) RaisePngError<EPNGInvalidPalette>();

    // Rows are inflated a batch at a time, so zlib spends its time in its fast loop rather than
    // finishing a row every few thousand bytes.
    const int bpp = FilterOffset(header->ColorType, header->BitDepth);
    const std::int64_t width = header->Width;
    const std::int64_t stride = BytesForPixels(width, header->ColorType, header->BitDepth) + 1;
    const std::vector<TPass> passes = PassesOf(header, header->InterlaceMethod, header->BitDepth);
    const std::int64_t batchRows = std::max<std::int64_t>(1, BatchBytes / stride);
    std::vector<std::int64_t> plan;
    std::int64_t total = 0;
    for (const TPass& p : passes)
        for (std::int64_t done = 0; done < p.Rows; done += batchRows) {
            plan.push_back(std::min(batchRows, p.Rows - done) * (p.RowBytes + 1));
            total += plan.back();
        }
    // The pixels are made only when the data present can fill them: a few bytes claiming a large
    // picture are refused before they cost its memory.
    if (IdatBytesPresent(stream, size) * MaxInflateRatio < total) RaisePngError<EPNGMissingMultipleIDAT>();
    header->AllocateImageBuffers();

    if (header->ColorType == 0 || header->ColorType == 4)
        header->ImageData.SetPalette(GreyRamp(FOwner, 1 << PixelFormatBits(header->ImageData.PixelFormat())));
    // A grey or RGB key is compared on the samples as stored, before gamma.
    const TChunktRNS* trns =
        header->ColorType == 0 || header->ColorType == 2 ? FOwner->Chunks().Find<TChunktRNS>() : nullptr;
    const TColourKey key = trns ? trns->Key(header->BitDepth) : TColourKey();
    if (trns) header->ImageAlpha.assign(size_t(header->Width) * header->Height, 255);

    TPixelMover mover(header, FOwner);
    TBatchInflater inflater(stream, size, plan, total >= InflateAheadBytes && bpp >= InflateAheadPixelBytes);
    std::vector<std::uint8_t> previous(size_t(stride), 0);
    for (const TPass& p : passes) {
        const std::int64_t rowSize = p.RowBytes + 1;
        std::fill(previous.begin(), previous.end(), 0);
        const std::uint8_t* above = previous.data();
        for (std::int64_t done = 0, y = p.Y0; done < p.Rows;) {
            const std::int64_t rows = std::min(batchRows, p.Rows - done);
            std::uint8_t* batch = inflater.Next();
            for (std::int64_t r = 0; r < rows; ++r, ++done, y += p.Dy) {
                std::uint8_t* row = batch + r * rowSize;
                if (!UnfilterRow(row[0], row + 1, above + 1, size_t(p.RowBytes), bpp))
                    throw EPNGZLIBError(QStringLiteral("invalid filter type (%1)").arg(row[0]));
                mover.Store(row + 1, y, p.X0, p.Dx, p.Pixels);
                if (trns)
                    MarkKeyedRow(key, row + 1, header->ImageAlpha.data() + y * width, p.X0, p.Dx, p.Pixels);
                above = row;
            }
            // The batch is given back next: keep its last row as the row above.
            std::memcpy(previous.data(), above, size_t(rowSize));
            above = previous.data();
        }
    }
    inflater.Finish();
    return true;
}

// Encoding ----------------------------------------------------------------------------------------
namespace {
// Keeps a keyed RGB image's transparency through a save: its samples go back through the inverse
// gamma, which may turn an opaque pixel into the key's samples or a keyed one into others.
// Transparent pixels are written as the key; an opaque one that would read as the key takes
// another stored level that shows the same.
class TKeyKeeper {
public:
    TKeyKeeper(const TChunkIHDR* header, const TPngPicture* owner) : H(header) {
        const TChunktRNS* trns = owner->Chunks().Find<TChunktRNS>();
        Active = header->ColorType == 2 && trns && !header->ImageAlpha.empty();
        if (!Active) return;
        Key = trns->Key(header->BitDepth);
        const auto& g = owner->GammaTable;
        for (int i = 0; i < 256; ++i) {
            Twin[size_t(i)] = -1;
            for (int j = 0; j < 256 && Twin[size_t(i)] < 0; ++j)
                if (j != i && g[size_t(j)] == g[size_t(i)]) Twin[size_t(i)] = j;
        }
    }

    void Apply(std::uint8_t* samples, std::int64_t y, std::int64_t x0, std::int64_t dx,
               std::int64_t count) const {
        if (!Active) return;
        const std::uint8_t* alpha = H->ImageAlpha.data() + y * std::int64_t(H->Width);
        const bool wide = Key.Depth == 16;
        for (std::int64_t k = 0, x = x0; k < count; ++k, x += dx) {
            std::uint8_t* s = samples + (wide ? 6 : 3) * k;
            if (alpha[x] == 0) {
                for (int c = 0; c < 3; ++c)
                    if (wide)
                        s[2 * c] = std::uint8_t(Key.Sample[c] >> 8),
                              s[2 * c + 1] = std::uint8_t(Key.Sample[c]);
                    else
                        s[c] = std::uint8_t(Key.Sample[c]);
            } else if (Key.Matches(samples, k)) {
                if (wide) {
                    s[5] ^= 1;  // the low byte is not shown
                    continue;
                }
                for (int c = 0; c < 3; ++c)
                    if (Twin[s[c]] >= 0) {
                        s[c] = std::uint8_t(Twin[s[c]]);
                        break;
                    }
            }
        }
    }

private:
    const TChunkIHDR* H;
    bool Active = false;
    TColourKey Key;
    std::array<int, 256> Twin{};  // another level of the same gamma-mapped value, or -1
};

// Chooses the filter for the raw row: out receives the filter byte and the filtered row (the
// buffers may be swapped on the way). One allowed filter is taken as it is; among several, the
// one whose bytes, read as signed, sum to the least magnitude wins, the lower type on a tie.
void ChooseRowFilter(TFilters filters, const std::uint8_t* raw, const std::uint8_t* previous,
                     std::uint8_t*& out, std::uint8_t*& scratch, std::size_t n, int bpp) {
    int allowed = 0, only = pfNone;
    for (int f = pfSub; f <= pfPaeth; ++f)
        if (filters & FilterSet(TFilter(f))) ++allowed, only = f;
    int chosen = pfNone;
    if (allowed == 1 && !(filters & FilterSet(pfNone))) {
        chosen = only;
        FilterRow(chosen, raw, previous, out + 1, n, bpp);
    } else if (allowed > 0) {
        std::uint64_t best = UINT64_MAX;
        for (int f = pfNone; f <= pfPaeth; ++f) {
            if (!(filters & FilterSet(TFilter(f)))) continue;
            const std::uint8_t* candidate = raw;
            if (f != pfNone) {
                FilterRow(f, raw, previous, scratch + 1, n, bpp);
                candidate = scratch + 1;
            }
            const std::uint64_t cost = FilteredRowCost(candidate, n);
            if (cost < best) {
                best = cost;
                chosen = f;
                if (f != pfNone) std::swap(out, scratch);
            }
        }
    }
    if (chosen == pfNone) std::memcpy(out + 1, raw, n);
    out[0] = std::uint8_t(chosen);
}
}  // namespace

bool TChunkIDAT::SaveToStream(TStream* stream) {
    TChunkIHDR* header = FOwner->Header();
    TPixelMover mover(header, FOwner);
    const int depth = header->StoredBitDepth();
    const int bpp = FilterOffset(header->ColorType, depth);
    const size_t n = size_t(BytesForPixels(header->Width, header->ColorType, depth));
    std::vector<std::uint8_t> raw(n), previous(n), first(n + 1), second(n + 1);
    std::uint8_t *out = first.data(), *scratch = second.data();
    const std::vector<TPass> passes = PassesOf(header, FOwner->InterlaceMethod, depth);
    std::uint64_t total = 0;
    for (const TPass& p : passes)
        total += std::uint64_t(p.Rows * (p.RowBytes + 1));
    TIdatDeflater deflater(stream, FOwner->CompressionLevel, FOwner->IdatSizeLimit(), total);
    const TKeyKeeper keyKeeper(header, FOwner);
    for (const TPass& p : passes) {
        std::fill(previous.begin(), previous.end(), 0);
        for (std::int64_t r = 0, y = p.Y0; r < p.Rows; ++r, y += p.Dy) {
            mover.Load(raw.data(), y, p.X0, p.Dx, p.Pixels);
            keyKeeper.Apply(raw.data(), y, p.X0, p.Dx, p.Pixels);
            ChooseRowFilter(FOwner->Filters, raw.data(), previous.data(), out, scratch, size_t(p.RowBytes),
                            bpp);
            deflater.Write(out, size_t(p.RowBytes + 1));
            raw.swap(previous);
        }
    }
    deflater.Finish();
    return true;
}
