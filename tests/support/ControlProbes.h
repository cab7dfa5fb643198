// Probing controls in tests: a pixel's colour in an off-screen image, the text drawn in an area, and
// a plain child control to align.
#pragma once

#include "Controls.h"
#include "DeviceContext.h"
#include "Graphics.h"
#include "Messages.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>

inline TColor Pixel(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// The text drawn in `area`: the columns of the pixels that differ from the background, as
// [first, last] ({-1, -1} without any), and whether each of them is the background blended with
// `ink` (text is drawn smoothed).
struct TInk {
    int First = -1, Last = -1;
    bool OfColor = true;
    // Text there, all of it in the ink's colour.
    bool Shown() const { return First >= 0 && OfColor; }
};
inline TInk InkIn(const QImage& image, const TRect& area, TColor background, TColor ink) {
    const TColor bg = ColorToRGB(background), fg = ColorToRGB(ink);
    const int channels[3][2] = {
        {GetRValue(bg), GetRValue(fg)}, {GetGValue(bg), GetGValue(fg)}, {GetBValue(bg), GetBValue(fg)}};
    int widest = 0;
    for (int c = 1; c < 3; ++c)
        if (std::abs(channels[c][1] - channels[c][0]) > std::abs(channels[widest][1] - channels[widest][0]))
            widest = c;
    TInk result;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const TColor p = Pixel(image, x, y);
            if (p == bg) continue;
            if (result.First < 0 || x < result.First) result.First = x;
            result.Last = std::max(result.Last, x);
            const int values[3] = {GetRValue(p), GetGValue(p), GetBValue(p)};
            const double a =
                double(values[widest] - channels[widest][0]) / (channels[widest][1] - channels[widest][0]);
            for (int c = 0; c < 3; ++c)
                if (std::abs(values[c] - (channels[c][0] + a * (channels[c][1] - channels[c][0]))) > 3)
                    result.OfColor = false;
        }
    return result;
}

// A control of type T made and shown in `parent` at the bounds given.
template <class T> T* Place(TWinControl& parent, int left, int top, int width, int height) {
    auto* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A paint box in `parent`, aligned.
inline TPaintBox* AddChild(TWinControl* parent, TAlign align) {
    auto* child = new TPaintBox(parent);
    child->SetParent(parent);
    child->SetAlign(align);
    return child;
}

// The non-client band as the control paints it, on an image of its size (magenta where it paints
// nothing).
inline QImage NonClient(TWinControl* control) {
    QImage image(control->Width(), control->Height(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    TDeviceContext dc(&image);
    control->Perform(WM_NCPAINT, reinterpret_cast<std::intptr_t>(&dc));
    return image;
}
