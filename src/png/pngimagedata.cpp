// Image data: inflating the IDAT stream row by row into the header's buffers, and back.
#include "pngchunks.h"
#include "pngfilters.h"
#include "pngpicture.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {
struct TAdam7Pass {
    int StartRow, StartColumn, RowIncrement, ColumnIncrement;
};
constexpr TAdam7Pass Adam7[7] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                 {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};

constexpr std::uint32_t MaxChunkLength = 0x7FFFFFFF;

// Writes packed index bits into a 1- or 4-bit DIB row at pixel x.
inline void PutBits(std::uint8_t* row, std::int64_t x, int bits, int value) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * int(x % perByte + 1);
    std::uint8_t& byte = row[x / perByte];
    const int mask = ((1 << bits) - 1) << shift;
    byte = std::uint8_t((byte & ~mask) | ((value << shift) & mask));
}

inline int GetBits(const std::uint8_t* row, std::int64_t x, int bits) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * int(x % perByte + 1);
    return (row[x / perByte] >> shift) & ((1 << bits) - 1);
}

// Moves pixels between PNG rows and the header's buffers.
class TPixelMover {
public:
    TPixelMover(TChunkIHDR* header, TPngPicture* owner)
        : H(header), G(owner->GammaTable), Inv(owner->InverseGammaTable), Width(header->Width),
          Identity(owner->GammaIsIdentity()) {}

    // Unfiltered PNG row (count pixels) into image row y at columns x0, x0 + dx, ...
    void Store(const std::uint8_t* s, std::int64_t y, std::int64_t x0, std::int64_t dx, std::int64_t count) {
        std::uint8_t* d = H->ImageData.ScanLine(int(y));
        std::uint8_t* e = H->ExtraImageData.empty() ? nullptr : H->ExtraImageData.data() + y * Stride();
        std::uint8_t* a = H->ImageAlpha.empty() ? nullptr : H->ImageAlpha.data() + y * Width;
        std::int64_t x = x0;
        switch (Kind()) {
        case 0x208:
            if (Identity)
                for (std::int64_t k = 0; k < count; ++k, x += dx, s += 3) {
                    std::uint8_t* p = d + 3 * x;
                    p[0] = s[2], p[1] = s[1], p[2] = s[0];
                }
            else
                for (std::int64_t k = 0; k < count; ++k, x += dx, s += 3) {
                    std::uint8_t* p = d + 3 * x;
                    p[0] = G[s[2]], p[1] = G[s[1]], p[2] = G[s[0]];
                }
            break;
        case 0x608:
            if (Identity)
                for (std::int64_t k = 0; k < count; ++k, x += dx, s += 4) {
                    std::uint8_t* p = d + 3 * x;
                    p[0] = s[2], p[1] = s[1], p[2] = s[0];
                    a[x] = s[3];
                }
            else
                for (std::int64_t k = 0; k < count; ++k, x += dx, s += 4) {
                    std::uint8_t* p = d + 3 * x;
                    p[0] = G[s[2]], p[1] = G[s[1]], p[2] = G[s[0]];
                    a[x] = s[3];
                }
            break;
        case 0x210:
        case 0x610: {
            const int step = H->ColorType == 6 ? 8 : 6;
            if (Identity)
                for (std::int64_t k = 0; k < count; ++k, x += dx, s += step) {
                    std::uint8_t* p = d + 3 * x;
                    std::uint8_t* q = e + 3 * x;
                    p[0] = s[4], p[1] = s[2], p[2] = s[0];
                    q[0] = s[5], q[1] = s[3], q[2] = s[1];
                    if (a) a[x] = s[6];
                }
            else
                for (std::int64_t k = 0; k < count; ++k, x += dx, s += step) {
                    std::uint8_t* p = d + 3 * x;
                    std::uint8_t* q = e + 3 * x;
                    p[0] = G[s[4]], p[1] = G[s[2]], p[2] = G[s[0]];
                    q[0] = G[s[5]], q[1] = G[s[3]], q[2] = G[s[1]];
                    if (a) a[x] = s[6];
                }
            break;
        }
        case 0x008:
        case 0x308:
            for (std::int64_t k = 0; k < count; ++k, x += dx)
                d[x] = s[k];
            break;
        case 0x010:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 2)
                d[x] = s[0], e[x] = s[1];
            break;
        case 0x408:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 2)
                d[x] = s[0], a[x] = s[1];
            break;
        case 0x410:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 4)
                d[x] = s[0], e[x] = s[1], a[x] = s[2];
            break;
        default: {
            // 1, 2 and 4-bit grey or palette; 2-bit pixels are held in 4 bits, grey levels as
            // v * 5 so the 16-entry ramp shows them as 0, 85, 170 and 255.
            const int depth = H->BitDepth, held = H->StoredBitDepth();
            const bool grey2 = depth == 2 && H->ColorType == 0;
            for (std::int64_t k = 0; k < count; ++k, x += dx) {
                const int v = GetBits(s, k, depth);
                PutBits(d, x, held, grey2 ? v * 5 : v);
            }
        }
        }
    }

    // Image row y at columns x0, x0 + dx, ... into a PNG row at the held depth.
    void Load(std::uint8_t* s, std::int64_t y, std::int64_t x0, std::int64_t dx, std::int64_t count) {
        const std::uint8_t* d = H->ImageData.ScanLine(int(y));
        const std::uint8_t* e = H->ExtraImageData.empty() ? nullptr : H->ExtraImageData.data() + y * Stride();
        const std::uint8_t* a = H->ImageAlpha.empty() ? nullptr : H->ImageAlpha.data() + y * Width;
        std::int64_t x = x0;
        switch (Kind()) {
        case 0x208:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 3) {
                const std::uint8_t* p = d + 3 * x;
                s[0] = Inv[p[2]], s[1] = Inv[p[1]], s[2] = Inv[p[0]];
            }
            break;
        case 0x608:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 4) {
                const std::uint8_t* p = d + 3 * x;
                s[0] = Inv[p[2]], s[1] = Inv[p[1]], s[2] = Inv[p[0]], s[3] = a[x];
            }
            break;
        case 0x210:
        case 0x610: {
            const int step = H->ColorType == 6 ? 8 : 6;
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += step) {
                const std::uint8_t* p = d + 3 * x;
                const std::uint8_t* q = e + 3 * x;
                s[0] = Inv[p[2]], s[1] = Inv[q[2]], s[2] = Inv[p[1]], s[3] = Inv[q[1]];
                s[4] = Inv[p[0]], s[5] = Inv[q[0]];
                if (a) s[6] = s[7] = a[x];  // alpha keeps only its high byte: repeat it
            }
            break;
        }
        case 0x008:
        case 0x308:
            for (std::int64_t k = 0; k < count; ++k, x += dx)
                s[k] = d[x];
            break;
        case 0x010:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 2)
                s[0] = d[x], s[1] = e[x];
            break;
        case 0x408:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 2)
                s[0] = d[x], s[1] = a[x];
            break;
        case 0x410:
            for (std::int64_t k = 0; k < count; ++k, x += dx, s += 4)
                s[0] = d[x], s[1] = e[x], s[2] = s[3] = a[x];
            break;
        default: {
            const int held = H->StoredBitDepth();
            std::memset(s, 0, size_t((count * held + 7) / 8));
            for (std::int64_t k = 0; k < count; ++k, x += dx)
                PutBits(s, k, held, GetBits(d, x, held));
        }
        }
    }

private:
    int Kind() const { return H->ColorType << 8 | H->BitDepth; }
    std::int64_t Stride() const { return H->ImageData.BytesPerScanLine(); }
    TChunkIHDR* H;
    const std::array<std::uint8_t, 256>& G;
    const std::array<std::uint8_t, 256>& Inv;
    std::int64_t Width;
    bool Identity;  // no gamma: samples are copied, not looked up
};

// Alpha 0 for the pixels of a row of samples that hold the key, 255 for the others.
void MarkKeyedRow(const TColourKey& key, const std::uint8_t* samples, std::uint8_t* alpha, std::int64_t x0,
                  std::int64_t dx, std::int64_t count) {
    for (std::int64_t k = 0, x = x0; k < count; ++k, x += dx)
        alpha[x] = key.Matches(samples, k) ? 0 : 255;
}

// Decoding ----------------------------------------------------------------------------------------
// Reads the zlib stream across consecutive IDAT chunks, checking each chunk's CRC.
class TIdatReader {
public:
    TIdatReader(TStream* stream, std::uint32_t firstLength) : FStream(stream) {
        static const QByteArray idat("IDAT");
        FCrc = UpdateCrc(0xFFFFFFFFu, reinterpret_cast<const std::uint8_t*>(idat.constData()), 4);
        FChunkLeft = firstLength;
        FInChunk = true;
        if (inflateInit(&FZ) != Z_OK) RaisePngError<EPNGOutMemory>();
    }
    ~TIdatReader() { inflateEnd(&FZ); }

    bool StreamEnded() const { return FStreamEnded; }

    // Up to n bytes of image data. Fewer only when the zlib stream ended or, when mayEnd is set,
    // the IDAT chunks ended; with mayEnd clear a chunk of another name raises.
    std::int64_t Read(std::uint8_t* out, std::int64_t n, bool mayEnd) {
        FZ.next_out = out;
        FZ.avail_out = uInt(n);
        while (FZ.avail_out > 0 && !FStreamEnded) {
            if (FZ.avail_in == 0) {
                if (FChunkLeft == 0) {
                    FinishChunk();
                    if (!NextChunk(mayEnd)) break;
                    continue;
                }
                const std::int64_t k = std::min<std::int64_t>(FChunkLeft, sizeof FInput);
                if (FStream->Read(FInput, k) != k) RaisePngError<EPngUnexpectedEnd>();
                FCrc = UpdateCrc(FCrc, FInput, size_t(k));
                FChunkLeft -= k;
                FZ.next_in = FInput;
                FZ.avail_in = uInt(k);
            }
            const int result = inflate(&FZ, Z_NO_FLUSH);
            if (result == Z_STREAM_END)
                FStreamEnded = true;
            else if (result == Z_BUF_ERROR && FZ.avail_in == 0)
                continue;
            else if (result != Z_OK)
                throw EPNGZLIBError(ZLibErrorText(result));
        }
        return n - FZ.avail_out;
    }

    // Skips what is left of the current chunk and checks its CRC.
    void Close() {
        while (FInChunk && FChunkLeft > 0) {
            const std::int64_t k = std::min<std::int64_t>(FChunkLeft, sizeof FInput);
            if (FStream->Read(FInput, k) != k) RaisePngError<EPngUnexpectedEnd>();
            FCrc = UpdateCrc(FCrc, FInput, size_t(k));
            FChunkLeft -= k;
        }
        if (FInChunk) FinishChunk();
    }

private:
    void FinishChunk() {
        std::uint8_t crc[4];
        if (FStream->Read(crc, 4) != 4) RaisePngError<EPngUnexpectedEnd>();
        if (ReadBigEndian32(crc) != ~FCrc) RaisePngError<EPngInvalidCRC>();
        FInChunk = false;
    }

    bool NextChunk(bool mayEnd) {
        std::uint8_t head[8];
        if (FStream->Read(head, 8) != 8) {
            if (mayEnd) return false;
            RaisePngError<EPngUnexpectedEnd>();
        }
        if (std::memcmp(head + 4, "IDAT", 4) != 0) {
            FStream->Seek(-8, soCurrent);  // not ours: the picture reads it next
            if (mayEnd) return false;
            RaisePngError<EPNGMissingMultipleIDAT>();
        }
        const std::uint32_t length = ReadBigEndian32(head);
        if (length > MaxChunkLength || std::int64_t(length) + 4 > FStream->Size() - FStream->Position())
            RaisePngError<EPngUnexpectedEnd>();
        FCrc = UpdateCrc(0xFFFFFFFFu, head + 4, 4);
        FChunkLeft = length;
        FInChunk = true;
        return true;
    }

    TStream* FStream;
    z_stream FZ{};
    std::uint32_t FCrc = 0;
    std::int64_t FChunkLeft = 0;
    bool FInChunk = false;
    bool FStreamEnded = false;
    std::uint8_t FInput[65535];
};
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
    if (header->ColorType == 0 || header->ColorType == 4)
        header->ImageData.SetPalette(GreyRamp(FOwner, 1 << PixelFormatBits(header->ImageData.PixelFormat())));
    // A grey or RGB key is compared on the samples as stored, before gamma.
    const TChunktRNS* trns =
        header->ColorType == 0 || header->ColorType == 2 ? FOwner->Chunks().Find<TChunktRNS>() : nullptr;
    const TColourKey key = trns ? trns->Key(header->BitDepth) : TColourKey();
    if (trns) header->ImageAlpha.assign(size_t(header->Width) * header->Height, 255);

    auto reader = std::make_unique<TIdatReader>(stream, size);
    TPixelMover mover(header, FOwner);
    const int bpp = FilterOffset(header->ColorType, header->BitDepth);
    const std::int64_t width = header->Width, height = header->Height;
    const std::int64_t maxRowBytes = BytesForPixels(width, header->ColorType, header->BitDepth);
    // Rows are inflated a batch at a time (about 256 KB), so zlib spends its time in its fast
    // loop rather than finishing a row every few thousand bytes; each row is unfiltered in place.
    const std::int64_t stride = maxRowBytes + 1;
    const std::int64_t batchRows = std::max<std::int64_t>(1, 65536 / stride);
    std::vector<std::uint8_t> batch(static_cast<size_t>(stride * batchRows)),
        previous(static_cast<size_t>(stride));

    auto decodeRows = [&](std::int64_t y0, std::int64_t dy, std::int64_t x0, std::int64_t dx) {
        const std::int64_t pixels = width > x0 ? (width - x0 + dx - 1) / dx : 0;
        const std::int64_t rowBytes = BytesForPixels(pixels, header->ColorType, header->BitDepth);
        if (rowBytes == 0 || y0 >= height) return;
        const std::int64_t rowSize = rowBytes + 1;
        std::fill(previous.begin(), previous.end(), 0);
        const std::uint8_t* above = previous.data();
        for (std::int64_t y = y0; y < height;) {
            const std::int64_t rows = std::min(batchRows, (height - y + dy - 1) / dy);
            if (reader->Read(batch.data(), rows * rowSize, false) != rows * rowSize)
                RaisePngError<EPNGMissingMultipleIDAT>();
            for (std::int64_t r = 0; r < rows; ++r, y += dy) {
                std::uint8_t* row = batch.data() + r * rowSize;
                if (!UnfilterRow(row[0], row + 1, above + 1, size_t(rowBytes), bpp))
                    throw EPNGZLIBError(QStringLiteral("invalid filter type (%1)").arg(row[0]));
                mover.Store(row + 1, y, x0, dx, pixels);
                if (trns) MarkKeyedRow(key, row + 1, header->ImageAlpha.data() + y * width, x0, dx, pixels);
                above = row;
            }
            // The batch is refilled next: keep its last row as the row above.
            std::memcpy(previous.data(), above, size_t(rowSize));
            above = previous.data();
        }
    };
    if (header->InterlaceMethod == 1)
        for (const TAdam7Pass& pass : Adam7)
            decodeRows(pass.StartRow, pass.RowIncrement, pass.StartColumn, pass.ColumnIncrement);
    else
        decodeRows(0, 1, 0, 1);

    // The stream must end with the last row: anything more is corrupt data, not a picture, and a
    // stream cut before its end and checksum is as incomplete as one cut inside the rows.
    if (!reader->StreamEnded()) {
        std::uint8_t extra;
        if (reader->Read(&extra, 1, true) != 0) throw EPNGZLIBError(ZLibErrorText(Z_DATA_ERROR));
        if (!reader->StreamEnded()) RaisePngError<EPNGMissingMultipleIDAT>();
    }
    reader->Close();
    return true;
}

// Encoding ----------------------------------------------------------------------------------------
namespace {
class TIdatWriter {
public:
    TIdatWriter(TStream* stream, int level, std::uint32_t limit) : FStream(stream), FOutput(limit) {
        if (deflateInit(&FZ, std::clamp(level, 0, 9)) != Z_OK) RaisePngError<EPNGOutMemory>();
        Reset();
    }
    ~TIdatWriter() { deflateEnd(&FZ); }

    void DeflateRow(const std::uint8_t* data, std::size_t size) {
        FZ.next_in = const_cast<Bytef*>(data);
        FZ.avail_in = uInt(size);
        while (FZ.avail_in > 0) {
            if (deflate(&FZ, Z_NO_FLUSH) == Z_STREAM_ERROR)
                throw EPNGZLIBError(ZLibErrorText(Z_STREAM_ERROR));
            if (FZ.avail_out == 0) {
                WriteIDAT(FOutput.size());
                Reset();
            }
        }
    }

    void FinishDeflate() {
        int result;
        do {
            result = deflate(&FZ, Z_FINISH);
            if (result == Z_STREAM_ERROR) throw EPNGZLIBError(ZLibErrorText(result));
            if (FZ.avail_out == 0 || result == Z_STREAM_END) {
                const size_t used = FOutput.size() - FZ.avail_out;
                if (used) WriteIDAT(used);
                Reset();
            }
        } while (result != Z_STREAM_END);
    }

private:
    void Reset() {
        FZ.next_out = FOutput.data();
        FZ.avail_out = uInt(FOutput.size());
    }
    void WriteIDAT(std::size_t size) {
        static const QByteArray name("IDAT");
        std::uint8_t head[8];
        WriteBigEndian32(head, std::uint32_t(size));
        std::memcpy(head + 4, "IDAT", 4);
        FStream->WriteBuffer(head, 8);
        FStream->WriteBuffer(FOutput.data(), std::int64_t(size));
        WriteBigEndian32(head, ChunkCrc(name, FOutput.data(), size));
        FStream->WriteBuffer(head, 4);
    }
    TStream* FStream;
    z_stream FZ{};
    std::vector<std::uint8_t> FOutput;
};

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
}  // namespace

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

bool TChunkIDAT::SaveToStream(TStream* stream) {
    TChunkIHDR* header = FOwner->Header();
    TPixelMover mover(header, FOwner);
    const int depth = header->StoredBitDepth();
    const int bpp = FilterOffset(header->ColorType, depth);
    const std::int64_t width = header->Width, height = header->Height;
    const std::int64_t maxRowBytes = BytesForPixels(width, header->ColorType, depth);
    const size_t n = size_t(maxRowBytes);
    std::vector<std::uint8_t> raw(n), previous(n), first(n + 1), second(n + 1);
    std::uint8_t *out = first.data(), *scratch = second.data();
    TIdatWriter writer(stream, FOwner->CompressionLevel, FOwner->IdatSizeLimit());
    const TKeyKeeper keyKeeper(header, FOwner);

    auto encodeRows = [&](std::int64_t y0, std::int64_t dy, std::int64_t x0, std::int64_t dx) {
        const std::int64_t pixels = width > x0 ? (width - x0 + dx - 1) / dx : 0;
        const std::int64_t rowBytes = BytesForPixels(pixels, header->ColorType, depth);
        if (rowBytes == 0 || y0 >= height) return;
        std::fill(previous.begin(), previous.end(), 0);
        for (std::int64_t y = y0; y < height; y += dy) {
            mover.Load(raw.data(), y, x0, dx, pixels);
            keyKeeper.Apply(raw.data(), y, x0, dx, pixels);
            ChooseRowFilter(FOwner->Filters, raw.data(), previous.data(), out, scratch, size_t(rowBytes),
                            bpp);
            writer.DeflateRow(out, size_t(rowBytes + 1));
            raw.swap(previous);
        }
    };
    if (FOwner->InterlaceMethod == 1)
        for (const TAdam7Pass& pass : Adam7)
            encodeRows(pass.StartRow, pass.RowIncrement, pass.StartColumn, pass.ColumnIncrement);
    else
        encodeRows(0, 1, 0, 1);
    writer.FinishDeflate();
    return true;
}
