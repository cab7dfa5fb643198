// A picture shown over a window's controls without being one of them: it takes no mouse and no focus,
// and only its picture's opaque pixels cover what lies beneath. It stands in for drawing straight onto
// the screen (markers while dragging), which leaves no trace once taken away.
#pragma once

#include "Graphics.h"

#include <QImage>
#include <QPointer>

class QWidget;
class TWinControl;
class TBitmap;

class TControlOverlay {
public:
    TControlOverlay() = default;
    ~TControlOverlay();
    TControlOverlay(const TControlOverlay&) = delete;
    TControlOverlay& operator=(const TControlOverlay&) = delete;

    // Shows the picture at Bounds (in Parent's client coordinates), above all of Parent's children;
    // its pixels of TransparentColor let what lies beneath show.
    void Show(TWinControl* Parent, const TRect& Bounds, TBitmap& Picture, TColor TransparentColor);
    void Hide();
    bool Showing() const;
    // Where it shows, in its parent's client coordinates (empty when hidden).
    TRect Bounds() const;
    // The colour shown at a point of the overlay (clNone where it lets the parent show).
    TColor PixelAt(int X, int Y) const;

private:
    QPointer<QWidget> FWidget;
    QImage FPicture;
};
