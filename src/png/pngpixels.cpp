#include "pngpixels.h"
#include "pngpackedrows.h"
#include "pngpicture.h"

#include <cstring>

TPixelMover::TPixelMover(TChunkIHDR* header, const TPngPicture* owner)
    : H(header), G(owner->GammaTable), Inv(owner->InverseGammaTable), Width(header->Width),
      Identity(owner->GammaIsIdentity()) {}

template <int Step>
void TPixelMover::StoreWide(std::uint8_t* d, std::uint8_t* e, std::uint8_t* a, const std::uint8_t* s,
                            std::int64_t x, std::int64_t dx, std::int64_t count) const {
    auto copy = [&](auto map) {
        for (std::int64_t k = 0; k < count; ++k, x += dx, s += Step) {
            std::uint8_t* p = d + 3 * x;
            std::uint8_t* q = e + 3 * x;
            p[0] = map(s[4]), p[1] = map(s[2]), p[2] = map(s[0]);
            q[0] = map(s[5]), q[1] = map(s[3]), q[2] = map(s[1]);
            if constexpr (Step == 8) a[x] = s[6];
        }
    };
    if (Identity)
        copy([](std::uint8_t v) { return v; });
    else
        copy([this](std::uint8_t v) { return G[v]; });
}

void TPixelMover::Store(const std::uint8_t* s, std::int64_t y, std::int64_t x0, std::int64_t dx,
                        std::int64_t count) {
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
        StoreWide<6>(d, e, nullptr, s, x, dx, count);
        break;
    case 0x610:
        StoreWide<8>(d, e, a, s, x, dx, count);
        break;
    case 0x008:
    case 0x308:
        if (dx == 1)
            std::memcpy(d + x, s, size_t(count));
        else
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
        if (dx == 1 && x0 * held % 8 == 0) {  // whole rows: byte by byte
            std::uint8_t* to = d + x0 * held / 8;
            if (depth == held)
                CopyPackedSamples(s, to, count, held, true);
            else
                WidenTwoBitSamples(s, to, count, grey2);
            break;
        }
        for (std::int64_t k = 0; k < count; ++k, x += dx) {
            const int v = GetBits(s, k, depth);
            PutBits(d, x, held, grey2 ? v * 5 : v);
        }
    }
    }
}

void TPixelMover::Load(std::uint8_t* s, std::int64_t y, std::int64_t x0, std::int64_t dx,
                       std::int64_t count) const {
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
        for (std::int64_t k = 0; k < count; ++k, x += dx, s += 6)
            LoadWidePixel(s, d + 3 * x, e + 3 * x);
        break;
    case 0x610:
        for (std::int64_t k = 0; k < count; ++k, x += dx, s += 8) {
            LoadWidePixel(s, d + 3 * x, e + 3 * x);
            s[6] = s[7] = a[x];  // alpha keeps only its high byte: repeat it
        }
        break;
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
        if (dx == 1 && x0 * held % 8 == 0) {
            CopyPackedSamples(d + x0 * held / 8, s, count, held, false);
            break;
        }
        std::memset(s, 0, size_t((count * held + 7) / 8));
        for (std::int64_t k = 0; k < count; ++k, x += dx)
            PutBits(s, k, held, GetBits(d, x, held));
    }
    }
}
