// Scaling of sizes by a ratio, as forms are scaled to another screen resolution.
#pragma once

#include <cstdint>

// Number * Numerator / Denominator rounded half away from zero; -1 when Denominator is 0.
int MulDiv(int Number, int Numerator, int Denominator);

// The product of a run of scaling ratios, in lowest terms.
class TScaleRatio {
public:
    // Whether the product still fits once multiplied by M/D; a run that would not starts afresh.
    bool Fits(int M, int D) const;
    void Multiply(int M, int D);
    bool IsOne() const { return FM == FD; }
    // Value times the product, rounded as MulDiv rounds.
    int Apply(int Value) const;

private:
    std::int64_t FM = 1, FD = 1;
};

// A value that is scaled again and again: each result is worked out from the value the run of
// scalings started from, with the ratios multiplied, so that scaling there and back returns the
// value unchanged. A value that was changed by other means since the last scaling starts a new run.
class TScaleMemory {
public:
    int Scale(int Current, int M, int D);

private:
    int FBase = 0, FLast = 0;
    TScaleRatio FRatio;
    bool FStarted = false;
};

// The values of a control that ChangeScale scales.
struct TScaleState {
    TScaleMemory Left, Top, Width, Height, FontHeight;
};
