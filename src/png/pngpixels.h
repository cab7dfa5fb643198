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
    int Kind() const { return H->ColorType << 8 | H->BitDepth; }
    std::int64_t Stride() const { return H->ImageData.BytesPerScanLine(); }
    TChunkIHDR* H;
    const std::array<std::uint8_t, 256>& G;
    const std::array<std::uint8_t, 256>& Inv;
    std::int64_t Width;
    bool Identity;  // no gamma: samples are copied, not looked up
};
