// Plain copies and solid fills go a shorter way than other raster operations; each must leave
// exactly the pixels the general way leaves. The general way is reached with the copy's own truth
// table under a code the short way does not take (0x00CC0000), and with a one-pixel pattern brush.
#include "DeviceContext.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned GeneralCopy = 0x00CC0000;

QImage Pattern(int width, int height, int seed, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgba((x * 11 + seed) & 0xFF, (y * 13 + seed) & 0xFF, ((x ^ y) * 7) & 0xFF,
                                 (x * 40 + y) & 0xFF));
    return image;
}

// The first pixel where two images differ, as "x,y", or empty.
std::string FirstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

enum TClipCase { NoClip, RectClip, RegionClip };

void Clip(TDeviceContext& dc, TClipCase clip) {
    if (clip == RectClip) dc.IntersectClipRect(3, 2, 31, 25);
    if (clip == RegionClip) {
        dc.IntersectClipRect(1, 1, 36, 27);
        dc.ExcludeClipRect(10, 8, 17, 14);
    }
}

// The same drawing on two copies of one image under one clip, once as given and once the general
// way: the first pixel where they differ.
template <class TDraw> std::string Compare(int seed, TClipCase clip, TDraw draw) {
    QImage fast = Pattern(40, 30, seed), general = fast.copy();
    TDeviceContext fastDC(&fast), generalDC(&general);
    Clip(fastDC, clip);
    Clip(generalDC, clip);
    draw(fastDC, false);
    draw(generalDC, true);
    return FirstDifference(fast, general);
}

struct TBlit {
    int X, Y, Width, Height, SX, SY, SW, SH;
};

// Source areas inside and across every edge of the source, destinations across every edge of the
// destination, equal and negative extents, and stretches that read beyond the source.
const TBlit Blits[] = {
    {0, 0, 23, 17, 0, 0, 23, 17},  {5, 4, 10, 6, 2, 3, 10, 6},     {-4, -3, 12, 9, 0, 0, 12, 9},
    {30, 22, 12, 9, 5, 5, 12, 9},  {6, 6, 14, 10, -5, -4, 14, 10}, {2, 2, 20, 12, 10, 9, 20, 12},
    {12, 3, -7, -5, 9, 8, -7, -5}, {1, 1, 1, 1, 22, 16, 1, 1},     {3, 5, 12, 9, 0, 0, 7, 4},
    {25, 20, -12, 9, -2, 1, 7, 5}, {4, 4, 9, 11, 20, 12, 6, 8},    {10, 2, 5, 30, 1, 1, 5, -6},
};
}  // namespace

TEST(DeviceContextCopy, PlainCopiesLeaveWhatTheRasterOperationPathLeaves) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        QImage sourceImage = Pattern(23, 17, 5, format);
        TDeviceContext source(&sourceImage);
        for (TClipCase clip : {NoClip, RectClip, RegionClip})
            for (const TBlit& b : Blits)
                ASSERT_EQ(Compare(90, clip,
                                  [&](TDeviceContext& dc, bool general) {
                                      dc.StretchBlt(b.X, b.Y, b.Width, b.Height, &source, b.SX, b.SY, b.SW,
                                                    b.SH, general ? GeneralCopy : SRCCOPY);
                                  }),
                          "")
                    << "format " << format << ", clip " << clip << ", blit at " << b.X << "," << b.Y;
    }
}

TEST(DeviceContextCopy, CopiesWithinOneImageReadTheAreaAsItWasBeforeTheCopy) {
    // Overlapping areas in every direction, and the copy a tiling makes next to its source.
    const TBlit blits[] = {{3, 2, 20, 15, 0, 0, 20, 15},
                           {0, 0, 20, 15, 3, 2, 20, 15},
                           {8, 0, 8, 30, 0, 0, 8, 30},
                           {0, 5, 40, 20, 0, 0, 40, 20},
                           {2, 9, 30, 12, 5, 7, 30, 12}};
    for (TClipCase clip : {NoClip, RectClip, RegionClip})
        for (const TBlit& b : blits)
            ASSERT_EQ(Compare(17, clip,
                              [&](TDeviceContext& dc, bool general) {
                                  dc.BitBlt(b.X, b.Y, b.Width, b.Height, &dc, b.SX, b.SY,
                                            general ? GeneralCopy : SRCCOPY);
                              }),
                      "")
                << "clip " << clip << ", blit at " << b.X << "," << b.Y;
    // By hand: a row shifted right by one within itself keeps its first pixel and repeats the rest;
    // pixel x of the pattern is (11x, 0, 7x).
    QImage row = Pattern(4, 1, 0);
    TDeviceContext dc(&row);
    dc.BitBlt(1, 0, 3, 1, &dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(3, 0), RGB(22, 0, 14));
}

TEST(DeviceContextCopy, SolidFillsLeaveWhatAPatternOfTheirColourLeaves) {
    const TColor colour = RGB(12, 200, 77);
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.setPixel(0, 0, qRgb(12, 200, 77));
    const TLogBrush solid{bsSolid, colour, {}, false}, pattern{bsSolid, colour, dot, false};
    for (TClipCase clip : {NoClip, RectClip, RegionClip})
        for (int left = -2; left < 5; ++left)
            for (int width = 1; width <= 40; width += 3)
                ASSERT_EQ(Compare(3, clip,
                                  [&](TDeviceContext& dc, bool general) {
                                      dc.FillRect(Rect(left, left + 1, left + width, 29),
                                                  general ? pattern : solid);
                                  }),
                          "")
                    << "clip " << clip << ", left " << left << ", width " << width;
}
