// The small glyphs of the common unit: drop-down and direction arrows, the close "x", and the check
// box and radio button images. Every glyph is clipped to its rectangle.
#include "SkCommon.h"

#include "GraphicsImage.h"
#include "SkGrafx.h"
#include "Themes.h"

#include <array>

namespace {
// Runs `draw` with the canvas clipped to `r`; the clip before comes back afterwards, and so do the
// pen and brush the context held, which the canvas is told of so that it selects its own again.
template <class TDraw> void ClippedTo(TCanvas* c, const TRect& r, TDraw draw) {
    TDeviceContext* dc = c->Handle();
    const int saved = dc ? dc->SaveDC() : 0;
    c->IntersectClipRect(r);
    draw();
    if (dc) {
        dc->RestoreDC(saved);
        c->Refresh();
    } else {
        c->ResetClip();
    }
}

// The pixel a themed part shows at (x, y) when drawn into a scratch bitmap.
TColor ThemedPixel(const char* className, int part, int width, int height, const TRect& partRect, int x,
                   int y) {
    TBitmap scratch(width, height);
    if (HTHEME theme = OpenThemeData(QString::fromLatin1(className))) {
        DrawThemeBackground(theme, scratch.Canvas()->Handle(), part, 1, partRect);
        CloseThemeData(theme);
    }
    return scratch.Canvas()->Pixels(x, y);
}

// The glyph colour of the arrow routines (their step 2).
TColor GlyphColor(TCanvas* c, int style, bool enabled, bool spin) {
    if (!enabled) return clBtnShadow;
    const bool themed = spin ? style == 2 : style == 1;
    if (!themed) return ColorsTooClose(clBlack, c->Brush()->Color()) ? cl3DDkShadow : clBlack;
    const TColor pixel = spin ? ThemedPixel("SPIN", SPNP_UP, 13, 10, Rect(0, 0, 13, 10), 6, 4)
                              : ThemedPixel("COMBOBOX", CP_DROPDOWNBUTTON, 17, 21, Rect(0, 0, 16, 20), 8, 10);
    return ColorsTooClose(pixel, clWindow) ? cl3DDkShadow : pixel;
}

TPoint CentreOf(const TRect& r) {
    TPoint c{r.Left + (r.Right - r.Left) / 2, r.Top + (r.Bottom - r.Top) / 2};
    if ((r.Bottom - r.Top) % 2 == 0) --c.Y;
    return c;
}

// A filled polygon without outline in `color`; pen and brush come back as they were.
void FillGlyph(TCanvas* c, const TRect& clip, TColor color, const std::vector<TPoint>& points) {
    const TColor brush = c->Brush()->Color();
    const TBrushStyle brushStyle = c->Brush()->Style();
    const TPenStyle pen = c->Pen()->Style();
    c->Brush()->SetColor(color);
    c->Pen()->SetStyle(psClear);
    ClippedTo(c, clip, [&] { c->Polygon(points); });
    c->Pen()->SetStyle(pen);
    c->Brush()->SetColor(brush);
    c->Brush()->SetStyle(brushStyle);
}
}  // namespace

void DrawDropDownArrowButton(TCanvas* Canvas, const TRect& Rect, int Style, bool Enabled) {
    if (RunningAtLeast(wvWinVista)) Style = 2;
    const TColor color = GlyphColor(Canvas, Style, Enabled, false);
    const TPoint c = CentreOf(Rect);
    if (Style == 1)
        FillGlyph(Canvas, Rect, color,
                  {{c.X, c.Y + 4},
                   {c.X - 4, c.Y - 1},
                   {c.X - 3, c.Y - 3},
                   {c.X, c.Y + 1},
                   {c.X + 3, c.Y - 3},
                   {c.X + 5, c.Y - 1}});
    else
        FillGlyph(Canvas, Rect, color, {{c.X, c.Y + 2}, {c.X - 3, c.Y - 2}, {c.X + 4, c.Y - 2}});
}

void DrawArrow(TCanvas* Canvas, const TRect& Rect, int Style, bool Enabled, int Direction) {
    const TColor color = GlyphColor(Canvas, Style, Enabled, Style == 2);
    TPoint c = CentreOf(Rect);
    const bool vertical = Direction < 2;
    switch (Style) {
    case 1:
        if (Direction == 0)
            c.Y += 4;
        else if (Direction == 1)
            c.Y += 2;
        else if (Direction == 2)
            c.X -= 1;
        else
            c.X -= 3;
        break;
    default:
        if (vertical)
            c.Y += 1;
        else
            c.X -= 2;
    }
    const int x = c.X, y = c.Y;
    std::vector<TPoint> p;
    if (Style == 1) {
        switch (Direction) {
        case 0:
            p = {{x, y - 5}, {x + 4, y}, {x + 1, y}, {x, y - 2}, {x - 1, y}, {x - 4, y}};
            break;
        case 1:
            p = {{x, y}, {x - 3, y - 4}, {x, y - 4}, {x, y - 3}, {x + 1, y - 4}, {x + 4, y - 4}};
            break;
        case 2:
            p = {{x, y}, {x + 4, y - 4}, {x + 4, y - 1}, {x + 3, y}, {x + 4, y + 1}, {x + 4, y + 4}};
            break;
        default:
            p = {{x + 4, y}, {x, y + 4}, {x, y + 1}, {x + 1, y}, {x, y - 1}, {x, y - 4}};
        }
    } else if (Style == 2) {
        switch (Direction) {
        case 0:
            p = {{x, y - 3}, {x + 3, y + 1}, {x - 3, y + 1}};
            break;
        case 1:
            p = {{x, y}, {x - 2, y - 3}, {x + 3, y - 3}};
            break;
        case 2:
            p = {{x + 1, y}, {x + 4, y - 3}, {x + 4, y + 3}};
            break;
        default:
            p = {{x + 3, y}, {x, y + 3}, {x, y - 3}};
        }
    } else {
        switch (Direction) {
        case 0:
            p = {{x, y - 5}, {x + 4, y}, {x - 4, y}};
            break;
        case 1:
            p = {{x, y + 1}, {x - 3, y - 3}, {x + 4, y - 3}};
            break;
        case 2:
            p = {{x, y}, {x + 4, y - 4}, {x + 4, y + 4}};
            break;
        default:
            p = {{x + 4, y}, {x, y + 4}, {x, y - 4}};
        }
    }
    FillGlyph(Canvas, Rect, color, p);
}

void DrawCloseGlyph(TCanvas* Canvas, const TRect& Rect, TColor Color) {
    const TPoint c = CentreOf(Rect);
    const int x = c.X, y = c.Y;
    if (Rect.Width() >= 11 && Rect.Height() >= 9)
        FillGlyph(Canvas, Rect, Color,
                  {{x, y - 1},
                   {x + 2, y - 3},
                   {x + 5, y - 3},
                   {x + 2, y},
                   {x + 5, y + 4},
                   {x + 2, y + 3},
                   {x, y + 1},
                   {x - 2, y + 4},
                   {x - 4, y + 3},
                   {x - 1, y},
                   {x - 4, y - 3},
                   {x - 1, y - 3}});
    else
        FillGlyph(Canvas, Rect, Color,
                  {{x, y - 1},
                   {x + 1, y - 2},
                   {x + 3, y - 2},
                   {x + 1, y},
                   {x + 3, y + 3},
                   {x + 1, y + 2},
                   {x, y + 1},
                   {x - 3, y + 3},
                   {x - 3, y + 2},
                   {x - 1, y},
                   {x - 3, y - 2},
                   {x - 1, y - 2},
                   {x - 1, y - 1}});
}

void DrawCloseButton(TCanvas* Canvas, const TRect& Rect, int Style, bool Enabled) {
    TColor color = clBlack;
    if (!Enabled)
        color = clBtnShadow;
    else if (Style == 1)
        color = GlyphColor(Canvas, 1, true, false);
    DrawCloseGlyph(Canvas, Rect, color);
}

namespace {
// The inside's colour by state: pressed, disabled, focused, read-only or plain.
TColor FillFor(int drawState, bool focused, TColor fill, TColor focus, TColor disabled, bool readOnly,
               bool readOnlyOnFocus, TColor readOnlyColor) {
    if (drawState == 1) return DarkerColor(focus, 20);
    if (drawState == 3) return disabled;
    if (focused) return readOnly && readOnlyOnFocus ? readOnlyColor : focus;
    return readOnly ? readOnlyColor : fill;
}
}  // namespace

void DrawCheckBoxImage(TCanvas* Canvas, const TRect& Rect, int State, int DrawState, bool Focused,
                       TSkButtonHotTrackStyle HotStyle, TColor FrameColor, TColor HighlightColor,
                       TColor FillColor, TColor FocusColor, TColor DisabledColor, TColor HotColorA,
                       TColor HotColorB, bool ReadOnly, bool ReadOnlyColorOnFocus, TColor ReadOnlyColor) {
    ClippedTo(Canvas, Rect, [&] {
        const bool hot = DrawState == 2;
        const TRect inside = DrawBox(Canvas, Rect, hot && HotStyle == htsFrame ? HotColorB : FrameColor);
        const TColor check = DrawState == 3 ? TColor(clBtnShadow) : HighlightColor;
        Canvas->Brush()->SetColor(FillFor(DrawState, Focused, FillColor, FocusColor, DisabledColor, ReadOnly,
                                          ReadOnlyColorOnFocus, ReadOnlyColor));
        Canvas->FillRect(inside);
        if (State == 1) {
            static constexpr int firstRow[7] = {5, 6, 7, 6, 5, 4, 3};
            for (int col = 0; col < 7; ++col)
                for (int k = 0; k < 3; ++k)
                    Canvas->SetPixels(Rect.Left + 3 + col, Rect.Top + firstRow[col] + k, check);
        } else if (State == 2) {
            TRect grayed = inside;
            InflateRect(grayed, -2, -2);
            Canvas->Brush()->SetColor(check);
            Canvas->FillRect(grayed);
        }
        if (hot && HotStyle == htsInterior)
            PaintButtonFace(Canvas, inside, gdDiagonalDown, HotColorA, HotColorB);
        else if (hot)
            DrawBox(Canvas, Rect, HotColorB);
    });
}

namespace {
// The mouse over a radio button in the interior style: a ring two pixels wide just inside the rim,
// in a diagonal gradient of the two hot colours; the centre and the cross through it keep the fill.
void HotInteriorRing(TCanvas* Canvas, TColor Light, TColor Dark) {
    TBitmap gradient(13, 13);
    PaintGradient(gradient.Canvas(), ::Rect(0, 0, 13, 13), gdDiagonalDown, Light, Dark, 1);
    for (int y = 1; y < 12; ++y)
        for (int x = 1; x < 12; ++x) {
            const int dx = x - 6, dy = y - 6, d2 = dx * dx + dy * dy;
            if (d2 > 9 && d2 <= 26) Canvas->SetPixels(x, y, gradient.Canvas()->Pixels(x, y));
        }
}
}  // namespace

void DrawRadioButtonImage(TCanvas* Canvas, const TRect& Rect, bool Checked, int DrawState, bool Focused,
                          TSkButtonHotTrackStyle HotStyle, TColor FrameColor, TColor HighlightColor,
                          TColor FillColor, TColor FocusColor, TColor DisabledColor, TColor HotColorA,
                          TColor HotColorB, TColor Color, bool Transparent, TColor TransparentKey,
                          bool ReadOnly, bool ReadOnlyColorOnFocus, TColor ReadOnlyColor) {
    if (Rect.IsEmpty()) return;
    TBitmap image(Rect.Width(), Rect.Height());
    TCanvas* c = image.Canvas();
    const bool hotFrame = DrawState == 2 && HotStyle == htsFrame;
    const bool hotInterior = DrawState == 2 && HotStyle == htsInterior;
    const TColor fill = FillFor(DrawState, Focused, FillColor, FocusColor, DisabledColor, ReadOnly,
                                ReadOnlyColorOnFocus, ReadOnlyColor);
    const TColor f = hotFrame ? HotColorB : FrameColor;
    const TColor f2 = HighColorDisplay ? LighterColor(f, 10) : f;
    const TColor k = Transparent ? TransparentKey : Color;
    c->Brush()->SetColor(fill);
    c->FillRect(::Rect(0, 0, Rect.Width(), Rect.Height()));
    if (hotInterior) HotInteriorRing(c, HotColorA, HotColorB);
    using TPts = std::vector<std::array<int, 2>>;
    auto set = [&](const TPts& pts, TColor color) {
        for (const auto& p : pts)
            c->SetPixels(p[0], p[1], color);
    };
    auto blend = [&](const TPts& pts, std::uint8_t weight) {
        for (const auto& p : pts)
            c->SetPixels(p[0], p[1], BlendColors(f, c->Pixels(p[0], p[1]), weight));
    };
    // Outside the circle.
    set({{0, 0},  {1, 0},   {2, 0},   {10, 0},  {11, 0}, {12, 0}, {0, 12}, {1, 12},
         {2, 12}, {10, 12}, {11, 12}, {12, 12}, {0, 1},  {1, 1},  {11, 1}, {12, 1},
         {0, 11}, {1, 11},  {11, 11}, {12, 11}, {0, 2},  {12, 2}, {0, 10}, {12, 10}},
        k);
    // The outer rim.
    set({{6, 0},
         {3, 1},
         {9, 1},
         {1, 3},
         {11, 3},
         {0, 6},
         {12, 6},
         {1, 9},
         {11, 9},
         {3, 11},
         {9, 11},
         {6, 12}},
        f);
    set({{5, 0},
         {7, 0},
         {2, 2},
         {10, 2},
         {0, 5},
         {0, 7},
         {12, 5},
         {12, 7},
         {2, 10},
         {10, 10},
         {5, 12},
         {7, 12}},
        f2);
    const TPts rim128{{4, 0}, {8, 0},  {2, 1},  {10, 1},  {1, 2},  {11, 2},  {0, 4},  {12, 4},
                      {0, 8}, {12, 8}, {1, 10}, {11, 10}, {2, 11}, {10, 11}, {4, 12}, {8, 12}};
    const TPts rim40{{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}};
    if (Transparent) {
        set(rim128, k);
        set(rim40, k);
    } else if (HighColorDisplay) {
        set(rim128, BlendColors(f, Color, 128));
        set(rim40, BlendColors(f, Color, 40));
    } else {
        set(rim128, f);
        set(rim40, f);
    }
    // The inner edge.
    const TPts in128{{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}};
    const TPts in80{{5, 1}, {7, 1},  {3, 2}, {9, 2},  {2, 3},  {10, 3}, {1, 5},  {11, 5},
                    {1, 7}, {11, 7}, {2, 9}, {10, 9}, {3, 10}, {9, 10}, {5, 11}, {7, 11}};
    const TPts in40{{6, 1}, {1, 6}, {11, 6}, {6, 11}};
    if (!HighColorDisplay) {
        set(in128, f);
        set(in80, 0xC0C0C0);
        set(in40, 0xC0C0C0);
    } else if (hotFrame) {
        // A partial ring inside the rim: its middle pixels in F, its ends in F'.
        for (int i = 4; i <= 8; ++i) {
            const TColor ring = i >= 5 && i <= 7 ? f : f2;
            set({{i, 1}, {1, i}, {11, i}, {i, 11}}, ring);
        }
        blend({{3, 2}, {9, 2}, {2, 3}, {10, 3}, {2, 9}, {10, 9}, {3, 10}, {9, 10}}, 150);
        blend({{4, 2}, {8, 2}, {2, 4}, {10, 4}, {2, 8}, {10, 8}, {4, 10}, {8, 10}}, 80);
    } else {
        blend(in128, 128);
        blend(in80, 80);
        blend(in40, 40);
    }
    if (Checked) {
        const TColor dot = DrawState == 3 ? TColor(clBtnShadow) : HighlightColor;
        c->Brush()->SetColor(dot);
        c->FillRect(::Rect(5, 5, 8, 8));
        set({{6, 4}, {4, 6}, {8, 6}, {6, 8}}, dot);
        const TPts edge{{5, 4}, {7, 4}, {4, 5}, {8, 5}, {4, 7}, {8, 7}, {5, 8}, {7, 8}};
        if (HighColorDisplay)
            for (const auto& p : edge)
                c->SetPixels(p[0], p[1], BlendColors(dot, c->Pixels(p[0], p[1]), 153));
        else
            set(edge, dot);
    }
    ClippedTo(Canvas, Rect, [&] { Canvas->Draw(Rect.Left, Rect.Top, &image); });
}
