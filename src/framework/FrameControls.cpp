#include "FrameControls.h"

#include "SymbolFont.h"

#include <algorithm>

namespace {
// One pass of an edge: the left and top lines in `lt`, the right and bottom lines (which own the
// top-right and bottom-left corners) in `rb`; the rectangle shrinks on each side drawn.
void EdgePass(HDC dc, TRect& r, TColor lt, TColor rb, unsigned sides) {
    if (r.IsEmpty()) return;
    const TLogBrush ltBrush{bsSolid, lt, {}, false}, rbBrush{bsSolid, rb, {}, false};
    // A lower-right line that is not drawn leaves its corner to the upper-left line.
    const int leftEnd = (sides & BF_BOTTOM) ? r.Bottom - 1 : r.Bottom,
              topEnd = (sides & BF_RIGHT) ? r.Right - 1 : r.Right;
    if (sides & BF_LEFT) dc->FillRect(Rect(r.Left, r.Top, r.Left + 1, leftEnd), ltBrush);
    if (sides & BF_TOP) dc->FillRect(Rect(r.Left, r.Top, topEnd, r.Top + 1), ltBrush);
    if (sides & BF_RIGHT) dc->FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), rbBrush);
    if (sides & BF_BOTTOM) dc->FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), rbBrush);
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
}

void Fill(HDC dc, const TRect& r, TColor color) {
    dc->FillRect(r, TLogBrush{bsSolid, color, {}, false});
}

void Pixel(HDC dc, int x, int y, TColor color) {
    dc->SetPixel(x, y, color);
}

// Runs `draw` with the context clipped to `r`, so a glyph never reaches outside its rectangle.
template <class TDraw> void Clipped(HDC dc, const TRect& r, TDraw draw) {
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
    draw();
    dc->RestoreDC(saved);
}

// A 50 % dither of two colours, as the classic desktop fills a grayed or checked face.
void FillDither(HDC dc, const TRect& r, TColor a, TColor b) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            Pixel(dc, x, y, ((x + y) & 1) ? b : a);
}

// The check mark of a 13 x 13 check box: seven columns of three pixels, from (3, 5) down to (5, 7)
// and up to (9, 3), offsets from the box's corner.
void CheckMark(HDC dc, int left, int top, TColor color) {
    static constexpr int firstRow[7] = {5, 6, 7, 6, 5, 4, 3};
    for (int c = 0; c < 7; ++c)
        for (int k = 0; k < 3; ++k)
            Pixel(dc, left + 3 + c, top + firstRow[c] + k, color);
}

// The 7 x 7 menu check mark, its rows as bit masks (the high bit of 7 leftmost).
void MenuCheck(HDC dc, int left, int top, TColor color) {
    static constexpr int rows[7] = {0x01, 0x03, 0x47, 0x6E, 0x7C, 0x38, 0x10};
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (rows[y] & (0x40 >> x)) Pixel(dc, left + x, top + y, color);
}

// An arrow of `rows` rows (1, 3, 5 ... pixels) pointing `direction` (0 up, 1 down, 2 left, 3 right),
// its box's top-left at (x, y).
void Arrow(HDC dc, int x, int y, int rows, int direction, TColor color) {
    for (int i = 0; i < rows; ++i) {
        const int length = 2 * (rows - i) - 1;
        switch (direction) {
        case 0:
            Fill(dc, Rect(x + i, y + rows - 1 - i, x + i + length, y + rows - i), color);
            break;
        case 1:
            Fill(dc, Rect(x + i, y + i, x + i + length, y + i + 1), color);
            break;
        case 2:
            Fill(dc, Rect(x + rows - 1 - i, y + i, x + rows - i, y + i + length), color);
            break;
        default:
            Fill(dc, Rect(x + i, y + i, x + i + 1, y + i + length), color);
            break;
        }
    }
}

int ArrowRows(const TRect& r) {
    return std::max(1, (std::min(r.Width(), r.Height()) + 2) / 4);
}

// The classic push-button face: raised, or sunken when pushed, or a flat shadow frame.
void ButtonFace(HDC dc, TRect& r, unsigned state) {
    unsigned flags = BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST;
    if (state & DFCS_FLAT) flags |= BF_FLAT;
    if (state & DFCS_MONO) flags |= BF_MONO;
    DrawEdge(dc, r, (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED, flags);
    if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED)) FillDither(dc, r, clBtnHighlight, clBtnFace);
}

bool CheckBox(HDC dc, const TRect& rect, unsigned state) {
    const int side = std::min(rect.Width(), rect.Height());
    TRect box = Bounds(rect.Left, rect.Top + (rect.Height() - side) / 2, side, side);
    Clipped(dc, rect, [&] {
        const TRect outer = box;
        if (state & (DFCS_FLAT | DFCS_MONO)) {
            EdgePass(dc, box, (state & DFCS_MONO) ? clWindowFrame : clBtnShadow,
                     (state & DFCS_MONO) ? clWindowFrame : clBtnShadow, BF_RECT);
        } else {
            DrawEdge(dc, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        }
        const bool grayed = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
        if (grayed)
            FillDither(dc, box, clBtnHighlight, clBtnFace);
        else
            Fill(dc, box, (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? clBtnFace : clWindow);
        if (state & DFCS_CHECKED) {
            const TColor ink = (grayed || (state & DFCS_INACTIVE)) ? clBtnShadow : clWindowText;
            // Centred on the box: at its corner for the classic 13 pixels.
            CheckMark(dc, outer.Left + (side - 13) / 2, outer.Top + (side - 13) / 2, ink);
        }
    });
    return true;
}

// The 12 x 12 radio circle: the outer and the inner ring as row spans, the rest inside.
void RadioButton(HDC dc, const TRect& rect, unsigned state) {
    static constexpr int outer[12][4] = {{4, 7, -1, -1}, {2, 3, 8, 9},   {1, 1, 10, 10}, {1, 1, 10, 10},
                                         {0, 0, 11, 11}, {0, 0, 11, 11}, {0, 0, 11, 11}, {0, 0, 11, 11},
                                         {1, 1, 10, 10}, {1, 1, 10, 10}, {2, 3, 8, 9},   {4, 7, -1, -1}};
    static constexpr int inner[12][4] = {{-1, -1, -1, -1}, {4, 7, -1, -1}, {2, 3, 8, 9},   {2, 2, 9, 9},
                                         {1, 1, 10, 10},   {1, 1, 10, 10}, {1, 1, 10, 10}, {1, 1, 10, 10},
                                         {2, 2, 9, 9},     {2, 3, 8, 9},   {4, 7, -1, -1}, {-1, -1, -1, -1}};
    const int side = std::min(rect.Width(), rect.Height());
    const int left = rect.Left + (side - 12) / 2, top = rect.Top + (rect.Height() - 12) / 2;
    const bool flat = state & (DFCS_FLAT | DFCS_MONO);
    const TColor face = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? clBtnFace : clWindow;
    // Upper-left pixels of a ring (above the rising diagonal) take the first colour.
    auto ring = [&](const int spans[12][4], TColor ul, TColor lr) {
        for (int y = 0; y < 12; ++y)
            for (int s = 0; s < 4; s += 2) {
                if (spans[y][s] < 0) continue;
                for (int x = spans[y][s]; x <= spans[y][s + 1]; ++x)
                    Pixel(dc, left + x, top + y, x + y < 11 ? ul : lr);
            }
    };
    Clipped(dc, rect, [&] {
        for (int y = 2; y < 10; ++y) {
            const int from = y < 4 || y > 7 ? 3 : 2, to = y < 4 || y > 7 ? 8 : 9;
            Fill(dc, Rect(left + from, top + y, left + to + 1, top + y + 1), face);
        }
        Fill(dc, Rect(left + 4, top + 2, left + 8, top + 3), face);
        Fill(dc, Rect(left + 4, top + 9, left + 8, top + 10), face);
        if (flat) {
            ring(outer, clBtnShadow, clBtnShadow);
        } else {
            ring(outer, clBtnShadow, clBtnHighlight);
            ring(inner, cl3DDkShadow, cl3DLight);
        }
        if (state & DFCS_CHECKED) {
            const TColor ink = (state & DFCS_INACTIVE) ? clBtnShadow : clWindowText;
            Fill(dc, Rect(left + 5, top + 4, left + 7, top + 8), ink);
            Fill(dc, Rect(left + 4, top + 5, left + 8, top + 7), ink);
        }
    });
}

bool ScrollButton(HDC dc, TRect& rect, unsigned state) {
    const unsigned kind = state & 0xFF;
    TRect face = rect;
    Clipped(dc, rect, [&] {
        if (kind == DFCS_SCROLLSIZEGRIP) {
            Fill(dc, rect, clBtnFace);
            for (int k = 0; k < 3; ++k)
                for (int i = 0; i < 12 - 4 * k; ++i) {
                    const int x = rect.Right - 1 - i, y = rect.Bottom - 12 + 4 * k + i;
                    if (i >= 12 - 4 * k - 1) continue;
                    Pixel(dc, x, y + 1, clBtnShadow);
                    Pixel(dc, x - 1, y + 1, clBtnShadow);
                    Pixel(dc, x - 2, y + 1, clBtnHighlight);
                }
            return;
        }
        ButtonFace(dc, face, state & ~DFCS_CHECKED);
        const int direction = kind == DFCS_SCROLLCOMBOBOX ? 1 : int(kind & 3);
        const int rows = ArrowRows(rect);
        const int across = 2 * rows - 1;
        const bool vertical = direction < 2;
        int x = rect.Left + (rect.Width() - (vertical ? across : rows)) / 2;
        int y = rect.Top + (rect.Height() - (vertical ? rows : across)) / 2;
        if (state & DFCS_PUSHED) {
            ++x;
            ++y;
        }
        if (state & DFCS_INACTIVE) {
            Arrow(dc, x + 1, y + 1, rows, direction, clBtnHighlight);
            Arrow(dc, x, y, rows, direction, clBtnShadow);
        } else {
            Arrow(dc, x, y, rows, direction, clBtnText);
        }
    });
    if (state & DFCS_ADJUSTRECT) rect = face;
    return kind <= DFCS_SCROLLRIGHT || kind == DFCS_SCROLLCOMBOBOX || kind == DFCS_SCROLLSIZEGRIP;
}

// A caption button: a push-button face with the close cross, embossed when inactive.
bool CaptionButton(HDC dc, TRect& rect, unsigned state) {
    if ((state & 0xFF) != DFCS_CAPTIONCLOSE) return false;
    TRect face = rect;
    Clipped(dc, rect, [&] {
        ButtonFace(dc, face, state & ~DFCS_CHECKED);
        TRect glyph = rect;
        if (state & DFCS_PUSHED) OffsetRect(glyph, 1, 1);
        const int size = std::min(rect.Width(), rect.Height()) - 2;
        if (state & DFCS_INACTIVE) {
            TRect light = glyph;
            OffsetRect(light, 1, 1);
            DrawSymbolGlyph(dc, light, QLatin1Char('r'), size, clBtnHighlight);
            DrawSymbolGlyph(dc, glyph, QLatin1Char('r'), size, clBtnShadow);
        } else {
            DrawSymbolGlyph(dc, glyph, QLatin1Char('r'), size, clBtnText);
        }
    });
    if (state & DFCS_ADJUSTRECT) rect = face;
    return true;
}

// Menu glyphs are drawn black on white, as masks for the caller to colour.
bool MenuGlyph(HDC dc, const TRect& rect, unsigned state) {
    const unsigned kind = state & 0xFF;
    Clipped(dc, rect, [&] {
        Fill(dc, rect, clWhite);
        const int cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
        if (kind == DFCS_MENUCHECK) {
            MenuCheck(dc, cx - 3, cy - 3, clBlack);
        } else if (kind == DFCS_MENUBULLET) {
            const int d = std::max(4, std::min(rect.Width(), rect.Height()) * 3 / 8);
            const QRegion dot = RoundRectPixels(Bounds(cx - d / 2, cy - d / 2, d, d), d, d);
            for (const QRect& q : dot)
                Fill(dc, FromQRect(q), clBlack);
        } else {
            const int rows = ArrowRows(rect);
            Arrow(dc, cx - rows / 2, cy - rows + 1, rows, 3, clBlack);
        }
    });
    return kind <= DFCS_MENUBULLET;
}
}  // namespace

bool DrawEdge(HDC dc, TRect& rect, unsigned edge, unsigned flags) {
    TRect r = rect;
    const unsigned sides = flags & BF_RECT;
    const bool soft = flags & BF_SOFT;
    TColor outerLT = clNone, outerRB = clNone, innerLT = clNone, innerRB = clNone;
    if (flags & BF_MONO) {
        outerLT = outerRB = clWindowFrame;
        innerLT = innerRB = clWindow;
    } else if (flags & BF_FLAT) {
        outerLT = outerRB = clBtnShadow;
        innerLT = innerRB = clBtnFace;
    } else {
        if (edge & BDR_RAISEDOUTER) {
            outerLT = soft ? clBtnHighlight : cl3DLight;
            outerRB = cl3DDkShadow;
        } else if (edge & BDR_SUNKENOUTER) {
            outerLT = soft ? cl3DDkShadow : clBtnShadow;
            outerRB = clBtnHighlight;
        }
        if (edge & BDR_RAISEDINNER) {
            innerLT = soft ? cl3DLight : clBtnHighlight;
            innerRB = clBtnShadow;
        } else if (edge & BDR_SUNKENINNER) {
            innerLT = soft ? clBtnShadow : cl3DDkShadow;
            innerRB = cl3DLight;
        }
    }
    if ((flags & (BF_MONO | BF_FLAT)) == 0 || (edge & BDR_OUTER)) {
        if (outerLT != clNone) EdgePass(dc, r, outerLT, outerRB, sides);
    }
    if ((flags & (BF_MONO | BF_FLAT)) == 0 || (edge & BDR_INNER)) {
        if (innerLT != clNone) EdgePass(dc, r, innerLT, innerRB, sides);
    }
    if (flags & BF_MIDDLE) Fill(dc, r, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST) rect = r;
    return true;
}

bool DrawFrameControl(HDC dc, TRect& rect, unsigned type, unsigned state) {
    if (rect.IsEmpty()) return false;
    switch (type) {
    case DFC_BUTTON:
        if (state & DFCS_BUTTONPUSH) {
            TRect face = rect;
            Clipped(dc, rect, [&] { ButtonFace(dc, face, state); });
            if (state & DFCS_ADJUSTRECT) rect = face;
            return true;
        }
        if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            RadioButton(dc, rect, state);
            return true;
        }
        return CheckBox(dc, rect, state);
    case DFC_CAPTION:
        return CaptionButton(dc, rect, state);
    case DFC_SCROLL:
        return ScrollButton(dc, rect, state);
    case DFC_MENU:
        return MenuGlyph(dc, rect, state);
    default:
        return false;
    }
}

void DrawDisabledImage(HDC dc, int x, int y, const QImage& image, TColor transparent) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQColor(transparent).rgb() & 0xFFFFFF;
    for (TColor color : {TColor(clBtnHighlight), TColor(clBtnShadow)}) {
        const int offset = color == clBtnHighlight ? 1 : 0;
        for (int py = 0; py < rgb.height(); ++py) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(py));
            for (int px = 0; px < rgb.width(); ++px) {
                const QRgb p = line[px] & 0xFFFFFF;
                if (p == key || qGray(p) >= 192) continue;
                dc->SetPixel(x + px + offset, y + py + offset, color);
            }
        }
    }
}
