// A small bitmap to draw on and ways to count and box the pixels of one colour.
#pragma once

#include "GraphicsImage.h"

#include <gtest/gtest.h>

struct SkCanvasTest : testing::Test {
    static constexpr TColor Paper = 0x102030;  // a background no routine draws
    TBitmap Bitmap{40, 40};
    TCanvas* Canvas = Bitmap.Canvas();
    void SetUp() override {
        Canvas->Brush()->SetColor(Paper);
        Canvas->FillRect(Rect(0, 0, 40, 40));
        Canvas->Brush()->SetColor(clWhite);
    }
    TColor At(int x, int y) { return Canvas->Pixels(x, y); }
    int Count(TColor color, TRect* box = nullptr) {
        const TColor rgb = ColorToRGB(color);
        int n = 0;
        TRect b{100, 100, -1, -1};
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (At(x, y) == rgb) {
                    ++n;
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                         std::max(b.Bottom, y + 1)};
                }
        if (box) *box = b;
        return n;
    }
};
