// Scaling of sizes by a ratio, as forms are scaled to another screen resolution.
#pragma once

#include <cstdint>

// Number * Numerator / Denominator rounded half away from zero; -1 when Denominator is 0.
int MulDiv(int Number, int Numerator, int Denominator);
// The same in 64 bits, for ratios multiplied over a run of scalings; Denominator must not be 0.
std::int64_t MulDiv64(std::int64_t Number, std::int64_t Numerator, std::int64_t Denominator);

// A value that is scaled again and again: each result is worked out from the value the run of
// scalings started from, with the ratios multiplied, so that scaling there and back returns the
// value unchanged. A value that was changed by other means since the last scaling starts a new run.
class TScaleMemory {
public:
    int Scale(int Current, int M, int D);

private:
    int FBase = 0, FLast = 0;
    std::int64_t FM = 1, FD = 1;
    bool FStarted = false;
};

// The values of a control that ChangeScale scales.
struct TScaleState {
    TScaleMemory Left, Top, Width, Height, FontHeight;
};
