// The pixels of a one-pixel line by Bresenham's rule, for the canvas on a painter and the device
// context alike.
#pragma once

#include "Graphics.h"

#include <cstdlib>

// Calls plot(x, y) for each pixel from `from` towards `to`; the end pixel only with includeEnd.
template <class TPlot> void WalkLine(TPoint from, TPoint to, bool includeEnd, TPlot plot) {
    int x = from.X, y = from.Y;
    const int dx = std::abs(to.X - x), dy = -std::abs(to.Y - y);
    const int sx = x < to.X ? 1 : -1, sy = y < to.Y ? 1 : -1;
    int err = dx + dy;
    while (x != to.X || y != to.Y) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (includeEnd) plot(x, y);
}
