#include "SkGrafx.h"

#include "Controls.h"
#include "Forms.h"
#include "GraphicsImage.h"

#include <algorithm>
#include <cmath>

namespace {
// 16.16 fixed-point colour channels.
struct TFixedColor {
    int R = 0, G = 0, B = 0;
    static TFixedColor Of(TColor c) {
        const TColor rgb = ColorToRGB(c);
        return {GetRValue(rgb) << 16, GetGValue(rgb) << 16, GetBValue(rgb) << 16};
    }
    TColor Color() const { return RGB(R >> 16, G >> 16, B >> 16); }
    void Add(const TFixedColor& d) {
        R += d.R;
        G += d.G;
        B += d.B;
    }
    // Per-channel steps from `from` to `to` in `n` steps, truncating.
    static TFixedColor Delta(const TFixedColor& from, const TFixedColor& to, int n) {
        n = std::max(1, n);
        return {(to.R - from.R) / n, (to.G - from.G) / n, (to.B - from.B) / n};
    }
};

int MinBand(std::uint8_t steps, int over) {
    if (steps <= 8) return std::max<int>(1, steps);
    return over / steps + 1;
}

void Fill(HDC dc, int left, int top, int right, int bottom, TColor color) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    dc->FillRect(Rect(left, top, right, bottom), TLogBrush{bsSolid, color, {}, false});
}

void FillPolygon(HDC dc, const std::vector<TPoint>& points, TColor color) {
    dc->Brush = TLogBrush{bsSolid, color, {}, false};
    dc->Polygon(points);
}
}  // namespace

void PaintGradient(TCanvas* Canvas, TRect Rect, TGradientDirection Direction, TColor StartColor,
                   TColor StopColor, std::uint8_t ColorSteps) {
    PaintGradientEx(Canvas, Rect, Direction, StartColor, StopColor, ColorSteps);
}

namespace {
// One direction drawn into the area (0, 0, w, h) of a context whose pen draws nothing.
void PaintGradientArea(HDC dc, int w, int h, TGradientDirection Direction, TColor s, TColor e,
                       std::uint8_t ColorSteps) {
    auto fillWith = [&](TColor c) { Fill(dc, 0, 0, w, h, c); };
    switch (Direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
        if (s == e)
            fillWith(s);
        else
            PaintDiagonalGradient(dc, Direction == gdDiagonalUp ? w : -w, h, s, e, ColorSteps);
        break;
    case gdHorizontalEnd:
    case gdHorizontalCenter:
        PaintLinearGradient(dc, 0, Direction == gdHorizontalEnd ? -1 : h / 2, s, e, ColorSteps, h);
        TileBlt(dc, 0, 0, 8, h, w, h, SRCCOPY);
        break;
    case gdVerticalEnd:
    case gdVerticalCenter:
        // A centre one pixel from the left edge (W div 2 = 0) would read as no split along x at all,
        // turning the bands across: such a narrow area is all centre, in the stop colour.
        PaintLinearGradient(dc, Direction == gdVerticalEnd || w / 2 == 0 ? -1 : w / 2, 0, s, e, ColorSteps,
                            w);
        TileBlt(dc, 0, 0, w, 8, w, h, SRCCOPY);
        break;
    case gdHorizontalBox:
        fillWith(s);
        PaintBoxGradient(dc, w, h, s, e, ColorSteps, 0, w / 4);
        MirrorBlt(dc, 0, 0, w, h, SRCCOPY);
        break;
    case gdVerticalBox:
        PaintBoxGradient(dc, w, h, s, e, ColorSteps, h / 4, 0);
        MirrorBlt(dc, 0, 0, w, h, SRCCOPY);
        break;
    case gdSquareBox:
        fillWith(s);
        PaintBoxGradient(dc, w, h, s, e, ColorSteps, 0, 0);
        MirrorBlt(dc, 0, 0, w, h, SRCCOPY);
        break;
    case gdBigSquareBox:
        PaintBoxGradient(dc, w, h, s, e, ColorSteps, h / 4, w / 4);
        MirrorBlt(dc, 0, 0, w, h, SRCCOPY);
        break;
    }
}

// The canvas's context narrowed to the gradient's area, as a bitmap of that size would be, for as
// long as the gradient is drawn.
class TAreaContext {
public:
    TAreaContext(HDC dc, const TRect& area) : FDC(dc), FSaved(dc->SaveDC()) {
        dc->ViewportOrg = {dc->ViewportOrg.X + area.Left, dc->ViewportOrg.Y + area.Top};
        dc->IntersectClipRect(0, 0, area.Width(), area.Height());
        dc->Pen = TLogPen{psClear, 1, clBlack};
        dc->Brush = TLogBrush{bsSolid, clWhite, {}, false};
        dc->Rop2 = R2_COPYPEN;
        dc->PolyFillMode = ALTERNATE;
    }
    ~TAreaContext() { FDC->RestoreDC(FSaved); }
    TAreaContext(const TAreaContext&) = delete;
    TAreaContext& operator=(const TAreaContext&) = delete;

private:
    HDC FDC;
    int FSaved;
};
}  // namespace

void PaintGradientEx(TCanvas* Canvas, const TRect& Rect, TGradientDirection Direction, TColor StartColor,
                     TColor StopColor, std::uint8_t ColorSteps) {
    const int w = std::abs(Rect.Right - Rect.Left), h = std::abs(Rect.Bottom - Rect.Top);
    if (w == 0 || h == 0) return;
    const TColor s = ColorToRGB(StartColor), e = ColorToRGB(StopColor);
    // A canvas over an off-screen image that takes a plain copy of the whole area gets the gradient
    // straight into its pixels: the pixels the bitmap would bring, without a second pass over them.
    const TRect area = Bounds(Rect.Left, Rect.Top, w, h);
    if (HDC target = Canvas->Handle();
        target && !target->Monochrome() && Canvas->CopyMode() == SRCCOPY && target->RectWhollyVisible(area)) {
        {
            const TAreaContext inArea(target, area);
            PaintGradientArea(target, w, h, Direction, s, e, ColorSteps);
        }
        if (Canvas->OnChange) Canvas->OnChange(Canvas);
        return;
    }
    // The off-screen bitmap is kept from call to call: every direction paints all of it.
    static TBitmap bitmap;
    bitmap.SetSize(w, h);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psClear);
    canvas->Pen()->SetMode(pmCopy);
    canvas->Brush()->SetStyle(bsSolid);
    PaintGradientArea(canvas->Handle(), w, h, Direction, s, e, ColorSteps);
    Canvas->Draw(Rect.Left, Rect.Top, &bitmap);
}

// Runs from the far position down to the near one, band by band; with a split a second run paints
// the far half from the far edge toward the centre.
void PaintLinearGradient(HDC DC, int SplitX, int SplitY, TColor StartColor, TColor StopColor,
                         std::uint8_t ColorSteps, int Length) {
    const bool alongX = SplitX != 0;
    const int split = alongX ? SplitX : SplitY;
    const int minBand = MinBand(ColorSteps, 255);
    TFixedColor from = TFixedColor::Of(StopColor), to = TFixedColor::Of(StartColor);
    auto run = [&](int far, int lower) {
        const TFixedColor delta = TFixedColor::Delta(from, to, far - lower + 1);
        TFixedColor c = from;
        int position = far;
        while (position >= lower) {
            const TColor band = c.Color();
            const int previous = position;
            int counter = minBand - 1;
            do {
                c.Add(delta);
                --position;
                --counter;
            } while (!((c.Color() != band && counter < 0) || position < lower));
            if (alongX)
                Fill(DC, position, 0, previous, 8, band);
            else
                Fill(DC, 0, position, 8, previous, band);
        }
    };
    run(split == -1 ? Length : split + 1, 1);
    if (split == -1) return;
    std::swap(from, to);
    run(Length, split + 2);
}

void PaintBoxGradient(HDC DC, int Width, int Height, TColor StartColor, TColor StopColor,
                      std::uint8_t ColorSteps, int InsetY, int InsetX) {
    if (StartColor == StopColor || Width < 5 || Height <= 4) {
        Fill(DC, 0, 0, Width + 1, Height + 1, StartColor);
        return;
    }
    const int hx = (Width - 1) >> 1, hy = (Height - 1) >> 1;
    const int cx = hx + 1, cy = hy + 1;
    const int ex = hx - InsetX, ey = hy - InsetY;
    const int n = std::max(ex, ey) + 1;
    const int minBand = MinBand(ColorSteps, 256);
    TFixedColor c = TFixedColor::Of(StopColor);
    const TFixedColor delta = TFixedColor::Delta(c, TFixedColor::Of(StartColor), n);
    int x = ex << 16, y = ey << 16;
    const int dx = (ex << 16) / n, dy = (ey << 16) / n;
    int previousX = cx, previousY = cy;
    while (true) {
        const TColor band = c.Color();
        int counter = minBand - 1;
        do {
            c.Add(delta);
            x -= dx;
            y -= dy;
            --counter;
        } while (!((c.Color() != band && counter < 0) || x < 0));
        if (x < 0 && y < 0) {
            // What is left outside the last band takes the start colour, so no part of an area that
            // was not filled first stays unpainted.
            Fill(DC, 0, 0, cx, previousY, StartColor);
            Fill(DC, 0, previousY, previousX, cy, StartColor);
            return;
        }
        const int ix = x >> 16, iy = y >> 16;
        if (iy != previousY) Fill(DC, ix, iy, cx, previousY, band);
        if (ix != previousX) Fill(DC, ix, previousY, previousX, cy, band);
        previousX = ix;
        previousY = iy;
        if (x < 0) return;
    }
}

// Bands as quadrilaterals between successive lines across the diagonal: first from the bottom corner
// up to the top edge, then from the top edge on to the opposite top corner.
void PaintDiagonalGradient(HDC DC, int Width, int Height, TColor StartColor, TColor StopColor,
                           std::uint8_t ColorSteps) {
    const bool rising = Width > 0;
    const int w = std::abs(Width), h = Height;
    TFixedColor c = TFixedColor::Of(rising ? StartColor : StopColor);
    const TFixedColor end = TFixedColor::Of(rising ? StopColor : StartColor);
    const int length = int(std::sqrt(double(w) * w + double(h) * h)) + 1;
    const TFixedColor delta = TFixedColor::Delta(c, end, length);
    const int half = std::max(1, length >> 1);
    const int stepX = int((std::int64_t(w) << 16) / half), stepY = int((std::int64_t(h) << 16) / half);
    const int minBand = MinBand(ColorSteps, 255);
    // Mirrors x for the falling diagonal, which starts at the lower-right corner.
    auto X = [&](int fixedX) { return rising ? fixedX >> 16 : w - (fixedX >> 16); };
    auto advance = [&](int& a, int& b, int limit) {
        const TColor band = c.Color();
        int counter = minBand - 1;
        do {
            c.Add(delta);
            a += stepY;
            b += stepX;
            --counter;
        } while (!((c.Color() != band && counter < 0) || a > limit));
        return band;
    };
    // Phase 1: the edge point climbs the near side (a = distance from the bottom), the bottom point
    // runs across (b).
    int a = 0, b = 0, prevA = 0, prevB = 0;
    while (true) {
        const TColor band = advance(a, b, h << 16);
        if (a > (h << 16)) {
            FillPolygon(DC, {{X(0), h - (prevA >> 16)}, {X(prevB), h}, {X(w << 16), h}, {X(0), 0}}, band);
            break;
        }
        FillPolygon(DC, {{X(0), h - (prevA >> 16)}, {X(prevB), h}, {X(b), h}, {X(0), h - (a >> 16)}}, band);
        prevA = a;
        prevB = b;
    }
    // Phase 2: the top point runs across (b), the far-side point climbs (a).
    a = b = prevA = prevB = 0;
    while (true) {
        const TColor band = advance(a, b, h << 16);
        if (a > (h << 16) || b > (w << 16)) {
            FillPolygon(DC, {{X(prevB), 0}, {X(w << 16), h - (prevA >> 16)}, {X(w << 16), 0}}, band);
            break;
        }
        FillPolygon(DC,
                    {{X(prevB), 0}, {X(w << 16), h - (prevA >> 16)}, {X(w << 16), h - (a >> 16)}, {X(b), 0}},
                    band);
        prevA = a;
        prevB = b;
    }
}

void TileBlt(HDC DC, int X, int Y, int TileWidth, int TileHeight, int TotalWidth, int TotalHeight,
             unsigned Rop) {
    int w = std::min(TileWidth, TotalWidth), h = std::min(TileHeight, TotalHeight);
    if (w <= 0 || h <= 0) return;
    if (h == TotalHeight && w < TotalWidth) {
        // Growing sideways only, every copy stays within its rows: the rows are done band by band,
        // each band doubled across while its pixels are still in the processor's nearest cache.
        constexpr int BandBytes = 32 * 1024;
        const int band = std::max(1, BandBytes / (4 * TotalWidth));
        for (int top = 0; top < TotalHeight; top += band)
            for (int width = w; width < TotalWidth; width += std::min(width, TotalWidth - width))
                DC->BitBlt(X + width, Y + top, std::min(width, TotalWidth - width),
                           std::min(band, TotalHeight - top), DC, X, Y + top, Rop);
        return;
    }
    bool vertical = h < TotalHeight;
    while (h < TotalHeight || w < TotalWidth) {
        if (vertical && h >= TotalHeight) vertical = false;
        if (!vertical && w >= TotalWidth) vertical = true;
        if (vertical) {
            const int add = std::min(h, TotalHeight - h);
            DC->BitBlt(X, Y + h, w, add, DC, X, Y, Rop);
            h += add;
            vertical = w >= TotalWidth;
        } else {
            const int add = std::min(w, TotalWidth - w);
            DC->BitBlt(X + w, Y, add, h, DC, X, Y, Rop);
            w += add;
            vertical = h < TotalHeight;
        }
    }
}

void MirrorBlt(HDC DC, int X, int Y, int Width, int Height, unsigned Rop) {
    const int halfW = Width >> 1, halfH = Height >> 1;
    DC->StretchBlt(X, Y + Height - 1, halfW + 1, -halfH, DC, X, Y, halfW, halfH, Rop);
    DC->StretchBlt(X + Width - 1, Y, -(halfW + (Width & 1)), Height, DC, X, Y, halfW & ~1, Height, Rop);
}

namespace {
// The source area stretched to the destination's size, and its mask: white where the transparent
// colour was.
struct TMaskedCopy {
    TBitmap Color, Mask;
    TMaskedCopy(TBitmap* bitmap, const TRect& dest, const TRect& source, TColor transparent) {
        const int dw = dest.Width(), dh = dest.Height();
        Color.SetSize(dw, dh);
        Mask.SetPixelFormat(pf1bit);
        Mask.SetSize(dw, dh);
        Color.Canvas()->CopyRect(Rect(0, 0, dw, dh), bitmap->Canvas(), source);
        HDC colorDC = Color.Canvas()->Handle();
        colorDC->BkColor = transparent;
        Mask.Canvas()->Handle()->BitBlt(0, 0, dw, dh, colorDC, 0, 0, SRCCOPY);
    }
};
}  // namespace

// Copies the stretched area into DestRect through its mask: the transparent pixels leave the canvas.
void DrawStretchedTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect,
                                    TColor TransparentColor, const TRect& SourceRect) {
    if (!Bitmap || DestRect.IsEmpty() || SourceRect.IsEmpty()) return;
    TMaskedCopy copy(Bitmap, DestRect, SourceRect, TransparentColor);
    HDC dc = Canvas->Handle();
    if (!dc) return;
    const int dw = DestRect.Width(), dh = DestRect.Height();
    HDC colorDC = copy.Color.Canvas()->Handle();
    colorDC->TextColor = clWhite;
    colorDC->BkColor = clBlack;
    colorDC->BitBlt(0, 0, dw, dh, copy.Mask.Canvas()->Handle(), 0, 0, SRCAND);
    const int saved = dc->SaveDC();
    dc->TextColor = clBlack;
    dc->BkColor = clWhite;
    dc->BitBlt(DestRect.Left, DestRect.Top, dw, dh, copy.Mask.Canvas()->Handle(), 0, 0, SRCAND);
    dc->BitBlt(DestRect.Left, DestRect.Top, dw, dh, colorDC, 0, 0, SRCPAINT);
    dc->RestoreDC(saved);
}

void DrawTransparentBitmapEx(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor,
                             const TRect& SourceRect) {
    if (!Bitmap || DestRect.IsEmpty() || SourceRect.IsEmpty()) return;
    TMaskedCopy copy(Bitmap, DestRect, SourceRect, TransparentColor);
    if (ColorToRGB(TransparentColor) != clBlack) {
        HDC colorDC = copy.Color.Canvas()->Handle();
        colorDC->TextColor = clWhite;
        colorDC->BkColor = clBlack;
        colorDC->BitBlt(0, 0, DestRect.Width(), DestRect.Height(), copy.Mask.Canvas()->Handle(), 0, 0,
                        SRCAND);
    }
    // The canvas's copy mode is the caller's again afterwards.
    const unsigned keep = Canvas->CopyMode();
    Canvas->SetCopyMode(SRCAND);
    Canvas->StretchDraw(DestRect, &copy.Mask);
    Canvas->SetCopyMode(SRCPAINT);
    Canvas->StretchDraw(DestRect, &copy.Color);
    Canvas->SetCopyMode(keep);
}

void DrawParentImage(TControl* Control, TCanvas* Canvas, bool InvalidateParent) {
    DrawParentImageDC(Control, Canvas ? Canvas->Handle() : nullptr, InvalidateParent);
}

void DrawParentImageDC(TControl* Control, HDC DC, bool InvalidateParent) {
    if (!Control || !Control->Parent() || !DC) return;
    PaintParentBackground(Control, DC);
    TWinControl* parent = Control->Parent();
    if (InvalidateParent && !dynamic_cast<TCustomControl*>(parent) && !dynamic_cast<TForm*>(parent))
        parent->Invalidate();
}
