#include "pngfilters.h"

#include <cstdlib>
#include <cstring>

std::uint8_t PaethPredictor(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    const int pa = std::abs(int(b) - c), pb = std::abs(int(a) - c), pc = std::abs(int(a) + b - 2 * c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

namespace {
// The loops are written once per pixel size so the compiler can keep the left neighbour in
// registers; Bpp 0 means "not known at compile time".
template <int Bpp>
void Unfilter(int type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n, int runtimeBpp) {
    const std::size_t bpp = Bpp ? std::size_t(Bpp) : std::size_t(runtimeBpp);
    switch (type) {
    case 1:
        for (std::size_t i = bpp; i < n; ++i) row[i] = std::uint8_t(row[i] + row[i - bpp]);
        break;
    case 2:
        for (std::size_t i = 0; i < n; ++i) row[i] = std::uint8_t(row[i] + prev[i]);
        break;
    case 3:
        for (std::size_t i = 0; i < bpp && i < n; ++i) row[i] = std::uint8_t(row[i] + (prev[i] >> 1));
        for (std::size_t i = bpp; i < n; ++i) row[i] = std::uint8_t(row[i] + ((row[i - bpp] + prev[i]) >> 1));
        break;
    case 4:
        for (std::size_t i = 0; i < bpp && i < n; ++i) row[i] = std::uint8_t(row[i] + prev[i]);
        for (std::size_t i = bpp; i < n; ++i) {
            const int a = row[i - bpp], b = prev[i], c = prev[i - bpp];
            const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
            const int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            row[i] = std::uint8_t(row[i] + pred);
        }
        break;
    default: break;
    }
}
}  // namespace

bool UnfilterRow(int type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n, int bpp) {
    if (type < 0 || type > 4) return false;
    if (type == 0) return true;
    switch (bpp) {
    case 1: Unfilter<1>(type, row, prev, n, bpp); break;
    case 2: Unfilter<2>(type, row, prev, n, bpp); break;
    case 3: Unfilter<3>(type, row, prev, n, bpp); break;
    case 4: Unfilter<4>(type, row, prev, n, bpp); break;
    case 6: Unfilter<6>(type, row, prev, n, bpp); break;
    case 8: Unfilter<8>(type, row, prev, n, bpp); break;
    default: Unfilter<0>(type, row, prev, n, bpp); break;
    }
    return true;
}

void FilterRow(int type, const std::uint8_t* row, const std::uint8_t* prev, std::uint8_t* out, std::size_t n,
               int bpp) {
    const std::size_t b = std::size_t(bpp);
    for (std::size_t i = 0; i < n; ++i) {
        const int left = i >= b ? row[i - b] : 0, up = prev[i], upLeft = i >= b ? prev[i - b] : 0;
        int pred = 0;
        switch (type) {
        case 1: pred = left; break;
        case 2: pred = up; break;
        case 3: pred = (left + up) >> 1; break;
        case 4: pred = PaethPredictor(std::uint8_t(left), std::uint8_t(up), std::uint8_t(upLeft)); break;
        default: break;
        }
        out[i] = std::uint8_t(row[i] - pred);
    }
}
