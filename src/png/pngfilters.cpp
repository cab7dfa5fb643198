#include "pngfilters.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// Paeth's choice among the left (a), upper (b) and upper-left (c) bytes.
inline int PaethOf(int a, int b, int c) {
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}
}  // namespace

std::uint8_t PaethPredictor(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return std::uint8_t(PaethOf(a, b, c));
}

namespace {
// The loops are written once per pixel size so the compiler can keep the left neighbour in
// registers; Bpp 0 means "not known at compile time".
template <int Bpp>
void Unfilter(int type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n, int runtimeBpp) {
    const std::size_t bpp = Bpp ? std::size_t(Bpp) : std::size_t(runtimeBpp);
    switch (type) {
    case 1:
        for (std::size_t i = bpp; i < n; ++i)
            row[i] = std::uint8_t(row[i] + row[i - bpp]);
        break;
    case 2:
        for (std::size_t i = 0; i < n; ++i)
            row[i] = std::uint8_t(row[i] + prev[i]);
        break;
    case 3:
        for (std::size_t i = 0; i < bpp && i < n; ++i)
            row[i] = std::uint8_t(row[i] + (prev[i] >> 1));
        for (std::size_t i = bpp; i < n; ++i)
            row[i] = std::uint8_t(row[i] + ((row[i - bpp] + prev[i]) >> 1));
        break;
    case 4:
        for (std::size_t i = 0; i < bpp && i < n; ++i)
            row[i] = std::uint8_t(row[i] + prev[i]);
        for (std::size_t i = bpp; i < n; ++i)
            row[i] = std::uint8_t(row[i] + PaethOf(row[i - bpp], prev[i], prev[i - bpp]));
        break;
    default:
        break;
    }
}
#if defined(__SSE2__)
// Average and Paeth depend on the pixel just decoded, so they cannot run across a row; they can
// run across a pixel's bytes at once, 16 bits a byte in one register. Pixels of 3 and 6 bytes
// are read as 4 and 8 with the extra lanes left unchanged, so every load and store is one move.
template <int Width> inline __m128i LoadPixel(const std::uint8_t* p) {
    if constexpr (Width == 4) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(v)), _mm_setzero_si128());
    } else {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        return _mm_unpacklo_epi8(_mm_cvtsi64_si128(std::int64_t(v)), _mm_setzero_si128());
    }
}

template <int Width> inline void StorePixel(std::uint8_t* p, __m128i v) {
    const __m128i packed = _mm_packus_epi16(v, v);
    if constexpr (Width == 4) {
        const std::uint32_t w = std::uint32_t(_mm_cvtsi128_si32(packed));
        std::memcpy(p, &w, 4);
    } else {
        const std::uint64_t w = std::uint64_t(_mm_cvtsi128_si64(packed));
        std::memcpy(p, &w, 8);
    }
}

inline __m128i Abs16(__m128i v) {
    return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v));
}

// Paeth on 8 bytes widened to 16 bits each.
inline __m128i PaethWide(__m128i a, __m128i b, __m128i c) {
    const __m128i pa = Abs16(_mm_sub_epi16(b, c)), pb = Abs16(_mm_sub_epi16(a, c)),
                  pc = Abs16(_mm_add_epi16(_mm_sub_epi16(b, c), _mm_sub_epi16(a, c)));
    const __m128i takeC = _mm_cmpgt_epi16(pb, pc);
    const __m128i bOrC = _mm_or_si128(_mm_and_si128(takeC, c), _mm_andnot_si128(takeC, b));
    const __m128i notA = _mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc));
    return _mm_or_si128(_mm_and_si128(notA, bOrC), _mm_andnot_si128(notA, a));
}

inline __m128i Load8(const std::uint8_t* p) {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
}

template <int Bpp> void UnfilterWide(int type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n) {
    constexpr int Width = Bpp <= 4 ? 4 : 8;
    alignas(16) std::int16_t lanes[8];
    for (int k = 0; k < 8; ++k)
        lanes[k] = k < Bpp ? std::int16_t(0xFF) : 0;
    const __m128i keep = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes));
    __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
    std::size_t i = 0;
    // The next pixel is read before this one is written: a read overlapping a write just made
    // (3-byte pixels written 4 bytes wide) would stall the processor.
    __m128i next = Width <= n ? LoadPixel<Width>(row) : _mm_setzero_si128();
    for (; i + Width <= n; i += Bpp) {
        const __m128i b = LoadPixel<Width>(prev + i);
        __m128i x = next;
        if (i + Bpp + Width <= n) next = LoadPixel<Width>(row + i + Bpp);
        __m128i pred;
        if (type == 3) {
            pred = _mm_srli_epi16(_mm_add_epi16(a, b), 1);
        } else {
            pred = PaethWide(a, b, c);
        }
        // Lanes past the pixel add nothing, so the neighbour's bytes are written back unchanged.
        x = _mm_and_si128(_mm_add_epi16(x, _mm_and_si128(pred, keep)), _mm_set1_epi16(0xFF));
        StorePixel<Width>(row + i, x);
        a = x;
        c = b;
    }
    // The last pixel, when a wide read would run past the row.
    for (; i < n; ++i) {
        const int left = i >= Bpp ? row[i - Bpp] : 0, up = prev[i], upLeft = i >= Bpp ? prev[i - Bpp] : 0;
        row[i] = std::uint8_t(row[i] + (type == 3 ? (left + up) >> 1
                                                  : PaethPredictor(std::uint8_t(left), std::uint8_t(up),
                                                                   std::uint8_t(upLeft))));
    }
}
#endif
}  // namespace

bool UnfilterRow(int type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n, int bpp) {
    if (type < 0 || type > 4) return false;
    if (type == 0) return true;
#if defined(__SSE2__)
    if (type >= 3) {
        switch (bpp) {
        case 3:
            UnfilterWide<3>(type, row, prev, n);
            return true;
        case 4:
            UnfilterWide<4>(type, row, prev, n);
            return true;
        case 6:
            UnfilterWide<6>(type, row, prev, n);
            return true;
        case 8:
            UnfilterWide<8>(type, row, prev, n);
            return true;
        default:
            break;
        }
    }
#endif
    switch (bpp) {
    case 1:
        Unfilter<1>(type, row, prev, n, bpp);
        break;
    case 2:
        Unfilter<2>(type, row, prev, n, bpp);
        break;
    case 3:
        Unfilter<3>(type, row, prev, n, bpp);
        break;
    case 4:
        Unfilter<4>(type, row, prev, n, bpp);
        break;
    case 6:
        Unfilter<6>(type, row, prev, n, bpp);
        break;
    case 8:
        Unfilter<8>(type, row, prev, n, bpp);
        break;
    default:
        Unfilter<0>(type, row, prev, n, bpp);
        break;
    }
    return true;
}

namespace {
// out[i] = a[i] - b[i]: Sub and Up. Every byte stands alone, so 16 at a time.
void SubtractBytes(const std::uint8_t* a, const std::uint8_t* b, std::uint8_t* out, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i))));
#endif
    for (; i < n; ++i)
        out[i] = std::uint8_t(a[i] - b[i]);
}
}  // namespace

void FilterRow(int type, const std::uint8_t* row, const std::uint8_t* prev, std::uint8_t* out, std::size_t n,
               int bpp) {
    const std::size_t b = std::min(std::size_t(bpp), n);
    switch (type) {
    case 1:
        std::memcpy(out, row, b);
        SubtractBytes(row + b, row, out + b, n - b);
        break;
    case 2:
        SubtractBytes(row, prev, out, n);
        break;
    case 3:
        for (std::size_t i = 0; i < b; ++i)
            out[i] = std::uint8_t(row[i] - (prev[i] >> 1));
        for (std::size_t i = b; i < n; ++i)
            out[i] = std::uint8_t(row[i] - ((row[i - b] + prev[i]) >> 1));
        break;
    case 4: {
        for (std::size_t i = 0; i < b; ++i)
            out[i] = std::uint8_t(row[i] - prev[i]);
        std::size_t i = b;
#if defined(__SSE2__)
        for (; i + 8 <= n; i += 8) {
            const __m128i pred = PaethWide(Load8(row + i - b), Load8(prev + i), Load8(prev + i - b));
            const __m128i x = _mm_sub_epi16(Load8(row + i), pred);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i),
                             _mm_packus_epi16(_mm_and_si128(x, _mm_set1_epi16(0xFF)), _mm_setzero_si128()));
        }
#endif
        for (; i < n; ++i)
            out[i] = std::uint8_t(row[i] - PaethOf(row[i - b], prev[i], prev[i - b]));
        break;
    }
    default:
        std::memcpy(out, row, n);
        break;
    }
}

std::uint64_t FilteredRowCost(const std::uint8_t* row, std::size_t n) {
    std::uint64_t sum = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // |signed byte| is the smaller of the byte and its negation, read unsigned.
    __m128i total = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const __m128i magnitude = _mm_min_epu8(v, _mm_sub_epi8(_mm_setzero_si128(), v));
        total = _mm_add_epi64(total, _mm_sad_epu8(magnitude, _mm_setzero_si128()));
    }
    sum = std::uint64_t(_mm_cvtsi128_si64(total)) +
          std::uint64_t(_mm_cvtsi128_si64(_mm_unpackhi_epi64(total, total)));
#endif
    for (; i < n; ++i)
        sum += row[i] < 128 ? row[i] : 256 - row[i];
    return sum;
}
