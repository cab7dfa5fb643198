// The visual style's push buttons, radio buttons and check boxes: rounded faces in two shades with a
// dark blue rim, an orange glow under the mouse and a blue one on the default button; round and square
// glyphs with a green mark.
#include "Themes.h"

namespace {
constexpr TColor Rim = 0x743C00, RimDisabled = 0xB5C8C9, GlyphRim = 0x80511C, FaceLight = 0xFFFFFF,
                 FaceDark = 0xE3EBEC, FacePressed = 0xD9DFE1, HotGlow = 0x30B4F8, DefaultGlow = 0xEFBE98,
                 Mark = 0x21A121, MarkDisabled = 0xC0C0C0, GlyphFill = 0xFFFFFF, GlyphFillPressed = 0xD4E1E3,
                 GlyphFillDisabled = 0xF4F8F8;

TLogBrush Solid(TColor color) {
    return TLogBrush{bsSolid, color, {}, false};
}

void Fill(HDC dc, int l, int t, int r, int b, TColor color) {
    dc->FillRect(Rect(l, t, r, b), Solid(color));
}

// A frame one pixel wide with its corner pixels left out.
void RoundedFrame(HDC dc, const TRect& r, TColor color) {
    Fill(dc, r.Left + 1, r.Top, r.Right - 1, r.Top + 1, color);
    Fill(dc, r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom, color);
    Fill(dc, r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1, color);
    Fill(dc, r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1, color);
}

void PushButton(HDC dc, int state, const TRect& r) {
    const bool disabled = state == PBS_DISABLED, pressed = state == PBS_PRESSED;
    TRect face = r;
    InflateRect(face, -1, -1);
    const int middle = face.Top + face.Height() / 2;
    Fill(dc, face.Left, face.Top, face.Right, middle, pressed ? FacePressed : FaceLight);
    Fill(dc, face.Left, middle, face.Right, face.Bottom, pressed ? FacePressed : FaceDark);
    RoundedFrame(dc, r, disabled ? RimDisabled : Rim);
    if (state == PBS_HOT || state == PBS_DEFAULTED) {
        const TColor glow = state == PBS_HOT ? HotGlow : DefaultGlow;
        for (int ring = 0; ring < 2; ++ring) {
            RoundedFrame(dc, face, glow);
            InflateRect(face, -1, -1);
        }
    }
}

// Radio (round) and check (square) glyphs: states 1..4 unchecked, 5..8 checked, 9..12 mixed, each
// normal, hot, pressed, disabled.
void Glyph(HDC dc, bool radio, int state, const TRect& r) {
    const int look = (state - 1) % 4, mark = (state - 1) / 4;
    const bool disabled = look == 3;
    const TColor fill = disabled ? GlyphFillDisabled : look == 2 ? GlyphFillPressed : GlyphFill;
    const TRect box = Bounds(r.Left, r.Top, 13, 13);
    if (radio) {
        Fill(dc, box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1, fill);
        dc->Pen = TLogPen{psSolid, 1, disabled ? RimDisabled : GlyphRim};
        dc->Brush = TLogBrush{bsClear, 0, {}, false};
        dc->Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    } else {
        Fill(dc, box.Left, box.Top, box.Right, box.Bottom, disabled ? RimDisabled : GlyphRim);
        Fill(dc, box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1, fill);
    }
    if (look == 1) RoundedFrame(dc, Rect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1), HotGlow);
    const TColor ink = disabled ? MarkDisabled : Mark;
    if (mark == 1 && radio) {
        Fill(dc, box.Left + 5, box.Top + 4, box.Left + 8, box.Top + 9, ink);
        Fill(dc, box.Left + 4, box.Top + 5, box.Left + 9, box.Top + 8, ink);
    } else if (mark == 1) {
        static constexpr int firstRow[7] = {5, 6, 7, 6, 5, 4, 3};
        for (int col = 0; col < 7; ++col)
            Fill(dc, box.Left + 3 + col, box.Top + firstRow[col], box.Left + 4 + col,
                 box.Top + firstRow[col] + 3, ink);
    } else if (mark == 2) {
        Fill(dc, box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3, ink);
    }
}
}  // namespace

bool DrawThemeButton(HDC dc, int part, int state, const TRect& rect) {
    if (!dc || rect.IsEmpty()) return false;
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(rect.Left, rect.Top, rect.Right, rect.Bottom);
    bool drawn = true;
    switch (part) {
    case BP_PUSHBUTTON:
        PushButton(dc, state, rect);
        break;
    case BP_RADIOBUTTON:
    case BP_CHECKBOX:
        Glyph(dc, part == BP_RADIOBUTTON, state, rect);
        break;
    default:
        drawn = false;
    }
    dc->RestoreDC(saved);
    return drawn;
}
