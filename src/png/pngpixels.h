// Pixels between PNG rows and the header's buffers: the decoder stores unfiltered rows, the
// encoder loads rows to filter.
#pragma once

#include "pngchunks.h"

#include <array>
#include <cstdint>

class TPngPicture;

// Packed samples of 1, 2 or 4 bits, high bits first.
inline int GetBits(const std::uint8_t* row, std::int64_t x, int bits) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * int(x % perByte + 1);
    return (row[x / perByte] >> shift) & ((1 << bits) - 1);
}

inline void PutBits(std::uint8_t* row, std::int64_t x, int bits, int value) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * int(x % perByte + 1);
    std::uint8_t& byte = row[x / perByte];
    const int mask = ((1 << bits) - 1) << shift;
    byte = std::uint8_t((byte & ~mask) | ((value << shift) & mask));
}

class TPixelMover {
public:
    TPixelMover(TChunkIHDR* header, const TPngPicture* owner);

    // Unfiltered PNG row (count pixels) into image row y at columns x0, x0 + dx, ...
    void Store(const std::uint8_t* s, std::int64_t y, std::int64_t x0, std::int64_t dx, std::int64_t count);
    // Image row y at columns x0, x0 + dx, ... into a PNG row at the held depth.
    void Load(std::uint8_t* s, std::int64_t y, std::int64_t x0, std::int64_t dx, std::int64_t count) const;

private:
    // 16-bit RGB pixels of Step bytes (6, or 8 with alpha when `a` is given) into the bitmap's
    // high bytes and the extra buffer's low bytes.
    template <int Step>
    void StoreWide(std::uint8_t* d, std::uint8_t* e, std::uint8_t* a, const std::uint8_t* s, std::int64_t x,
                   std::int64_t dx, std::int64_t count) const;
    // One 16-bit RGB pixel's six sample bytes from its high (p) and low (q) bytes.
    void LoadWidePixel(std::uint8_t* s, const std::uint8_t* p, const std::uint8_t* q) const {
        s[0] = Inv[p[2]], s[1] = Inv[q[2]], s[2] = Inv[p[1]], s[3] = Inv[q[1]];
        s[4] = Inv[p[0]], s[5] = Inv[q[0]];
    }
    int Kind() const { return H->ColorType << 8 | H->BitDepth; }
    std::int64_t Stride() const { return H->ImageData.BytesPerScanLine(); }
    TChunkIHDR* H;
    const std::array<std::uint8_t, 256>& G;
    const std::array<std::uint8_t, 256>& Inv;
    std::int64_t Width;
    bool Identity;  // no gamma: samples are copied, not looked up
};
