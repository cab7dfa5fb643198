#include "Scaling.h"

#include <cstdlib>
#include <numeric>

namespace {
std::int64_t MulDiv64(std::int64_t Number, std::int64_t Numerator, std::int64_t Denominator) {
    const std::int64_t product = Number * Numerator;
    const bool negative = (product < 0) != (Denominator < 0);
    const std::int64_t magnitude =
        (std::llabs(product) + std::llabs(Denominator) / 2) / std::llabs(Denominator);
    return negative ? -magnitude : magnitude;
}
}  // namespace

int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    return int(MulDiv64(Number, Numerator, Denominator));
}

bool TScaleRatio::Fits(int M, int D) const {
    constexpr std::int64_t Limit = std::int64_t(1) << 30;
    return std::llabs(FM * M) <= Limit && std::llabs(FD * D) <= Limit;
}

void TScaleRatio::Multiply(int M, int D) {
    FM *= M;
    FD *= D;
    const std::int64_t common = std::gcd(FM, FD);
    FM /= common;
    FD /= common;
}

int TScaleRatio::Apply(int Value) const {
    return int(MulDiv64(Value, FM, FD));
}

int TScaleMemory::Scale(int Current, int M, int D) {
    if (D == 0 || M == D) return Current;
    // Ratios that no longer fit start afresh from where the value is.
    if (!FStarted || Current != FLast || !FRatio.Fits(M, D)) {
        FBase = Current;
        FRatio = TScaleRatio();
        FStarted = true;
    }
    FRatio.Multiply(M, D);
    FLast = FRatio.Apply(FBase);
    return FLast;
}
