#include "pngpackedrows.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void CopyPackedSamples(const std::uint8_t* from, std::uint8_t* to, std::int64_t count, int bits,
                       bool keepRest) {
    const std::int64_t whole = count * bits / 8;
    std::memcpy(to, from, size_t(whole));
    if (const int used = int(count * bits % 8)) {
        const auto mask = std::uint8_t(0xFF << (8 - used));
        to[whole] = std::uint8_t((from[whole] & mask) | (keepRest ? to[whole] & ~mask : 0));
    }
}

namespace {
// A byte's four samples v0..v3 as v0 << 4 | v1 in the low byte and v2 << 4 | v3 in the high byte; a
// grey level v becomes v << 2 | v. The same in 16-bit lanes of a vector below.
inline std::uint16_t WidenedPair(unsigned b, bool grey) {
    const unsigned w = (b >> 2 & 0x30) | (b >> 4 & 0x03) | (b << 10 & 0x3000) | (b << 8 & 0x0300);
    return std::uint16_t(grey ? w | w << 2 : w);
}
}  // namespace

void WidenTwoBitSamples(const std::uint8_t* from, std::uint8_t* to, std::int64_t count, bool grey) {
    const std::int64_t whole = count / 4;
    std::int64_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), high = _mm_set1_epi16(0x30), low = _mm_set1_epi16(0x03),
                  highUp = _mm_set1_epi16(0x3000), lowUp = _mm_set1_epi16(0x0300);
    auto widen = [&](__m128i b) {
        const __m128i w = _mm_or_si128(
            _mm_or_si128(_mm_and_si128(_mm_srli_epi16(b, 2), high), _mm_and_si128(_mm_srli_epi16(b, 4), low)),
            _mm_or_si128(_mm_and_si128(_mm_slli_epi16(b, 10), highUp),
                         _mm_and_si128(_mm_slli_epi16(b, 8), lowUp)));
        return grey ? _mm_or_si128(w, _mm_slli_epi16(w, 2)) : w;
    };
    for (; i + 16 <= whole; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * i), widen(_mm_unpacklo_epi8(bytes, zero)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * i + 16), widen(_mm_unpackhi_epi8(bytes, zero)));
    }
#endif
    for (; i < whole; ++i) {
        const std::uint16_t pair = WidenedPair(from[i], grey);
        to[2 * i] = std::uint8_t(pair);
        to[2 * i + 1] = std::uint8_t(pair >> 8);
    }
    // The last one to three samples: whole 4-bit pairs first, then a lone sample's high half.
    if (const int rest = int(count % 4)) {
        const std::uint16_t pair = WidenedPair(from[whole], grey);
        std::uint8_t* out = to + 2 * whole;
        if (rest >= 2) *out++ = std::uint8_t(pair);
        if (rest != 2) {
            const auto lone = std::uint8_t(rest == 1 ? pair : pair >> 8);
            *out = std::uint8_t((lone & 0xF0) | (*out & 0x0F));
        }
    }
}
