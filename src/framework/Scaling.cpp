#include "Scaling.h"

#include <cstdlib>
#include <numeric>

std::int64_t MulDiv64(std::int64_t Number, std::int64_t Numerator, std::int64_t Denominator) {
    const std::int64_t product = Number * Numerator;
    const bool negative = (product < 0) != (Denominator < 0);
    const std::int64_t magnitude =
        (std::llabs(product) + std::llabs(Denominator) / 2) / std::llabs(Denominator);
    return negative ? -magnitude : magnitude;
}

int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    return int(MulDiv64(Number, Numerator, Denominator));
}

int TScaleMemory::Scale(int Current, int M, int D) {
    if (D == 0 || M == D) return Current;
    // Ratios that no longer fit start afresh from where the value is.
    constexpr std::int64_t Limit = std::int64_t(1) << 30;
    if (!FStarted || Current != FLast || std::llabs(FM * M) > Limit || std::llabs(FD * D) > Limit) {
        FBase = Current;
        FM = FD = 1;
        FStarted = true;
    }
    FM *= M;
    FD *= D;
    const std::int64_t common = std::gcd(FM, FD);
    FM /= common;
    FD /= common;
    const std::int64_t scaled = MulDiv64(FBase, FM, FD);
    FLast = int(scaled);
    return FLast;
}
