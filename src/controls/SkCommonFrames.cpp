// Frames, bevels, borders and boxes of the common unit. Each draws one-pixel lines with the canvas's
// pen and returns the rectangle left inside them, so frames nest.
#include "SkCommon.h"

#include "SkGrafx.h"

#include <QVariant>
#include <QWidget>

namespace {
void Line(TCanvas* c, TColor color, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

TRect Shrunk(TRect r, TSides sides, int by) {
    if (sides & sdLeft) r.Left += by;
    if (sides & sdTop) r.Top += by;
    if (sides & sdRight) r.Right -= by;
    if (sides & sdBottom) r.Bottom -= by;
    return r;
}

struct TBevelColors {
    TColor UL, LR;
};

// Bevel colours of DrawBevel by style (fsNone .. fsFlatBold).
TBevelColors BevelColors(TFrameStyleEx style) {
    switch (style) {
    case fsFlat:
        return {cl3DDkShadow, cl3DDkShadow};
    case fsGroove:
        return {clBtnShadow, clBtnHighlight};
    case fsBump:
        return {clBtnHighlight, clBtnShadow};
    case fsStatus:
        return {clBtnShadow, clBtnHighlight};
    case fsPopup:
        return {clBtnHighlight, clBtnShadow};
    case fsFlatBold:
        return {clBtnShadow, clBtnShadow};
    default:
        return {clNone, clNone};
    }
}

// Two nested one-pixel passes, each in its upper-left and lower-right colour.
TRect TwoPasses(TCanvas* c, TRect r, TSides sides, TBevelColors outer, TBevelColors inner) {
    r = DrawSides(c, r, outer.UL, outer.LR, sides);
    return DrawSides(c, r, inner.UL, inner.LR, sides);
}

// The etched frame of the groove and bump styles: corner pixels, then two offset passes.
TRect DrawEtched(TCanvas* c, TRect r, TColor a, TColor b, TSides sides) {
    const bool left = sides & sdLeft, top = sides & sdTop, right = sides & sdRight, bottom = sides & sdBottom;
    if (right)
        c->SetPixels(r.Right - 1, r.Top, b);
    else if (top)
        c->SetPixels(r.Right - 1, r.Top, a);
    if (bottom)
        c->SetPixels(r.Left, r.Bottom - 1, b);
    else if (left)
        c->SetPixels(r.Left, r.Bottom - 1, a);
    if (top && !left) c->SetPixels(r.Left, r.Top + 1, b);
    if (left && !top) c->SetPixels(r.Left + 1, r.Top, b);
    if (bottom && !right) c->SetPixels(r.Right - 1, r.Bottom - 2, a);
    if (right && !bottom) c->SetPixels(r.Right - 2, r.Bottom - 1, a);
    DrawSides(c, Rect(r.Left + 1, r.Top + 1, r.Right, r.Bottom), b, b, sides);
    DrawSides(c, Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), a, a, sides);
    return Shrunk(r, sides, 2);
}
}  // namespace

TRect DrawSides(TCanvas* Canvas, TRect Rect, TColor ULColor, TColor LRColor, TSides Sides) {
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    if (ULColor != clNone) {
        if (Sides & sdLeft) Line(Canvas, ULColor, Rect.Left, Rect.Top, Rect.Left, Rect.Bottom);
        if (Sides & sdTop) Line(Canvas, ULColor, Rect.Left, Rect.Top, Rect.Right, Rect.Top);
    }
    if (LRColor != clNone) {
        if (Sides & sdRight) Line(Canvas, LRColor, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
        if (Sides & sdBottom) Line(Canvas, LRColor, Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom - 1);
    }
    return Shrunk(Rect, Sides, 1);
}

TRect DrawBorderSides(TCanvas* Canvas, TRect Rect, TColor ULColor, TColor LRColor, TSides Sides, int Width) {
    Canvas->Pen()->SetWidth(1);
    for (int i = 0; i < Width; ++i)
        Rect = DrawSides(Canvas, Rect, ULColor, LRColor, Sides);
    return Rect;
}

TRect Draw3DBorder(TCanvas* Canvas, TRect Rect, bool Sunken, TSides Sides) {
    if (Sunken)
        return TwoPasses(Canvas, Rect, Sides, {clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight});
    return TwoPasses(Canvas, Rect, Sides, {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow});
}

TRect Draw3DBorderAllSides(TCanvas* Canvas, TRect Rect, bool Sunken) {
    return Draw3DBorder(Canvas, Rect, Sunken, AllSides);
}

TRect DrawButtonBorder(TCanvas* Canvas, TRect Rect, bool Down, TSides Sides) {
    if (Down) return TwoPasses(Canvas, Rect, Sides, {clBtnText, clBtnText}, {clBtnShadow, clBtnShadow});
    return TwoPasses(Canvas, Rect, Sides, {clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow});
}

TRect DrawButtonBorderAllSides(TCanvas* Canvas, TRect Rect, bool Down) {
    return DrawButtonBorder(Canvas, Rect, Down, AllSides);
}

TRect DrawColorBorder(TCanvas* Canvas, TRect Rect, TColor Color, TSides Sides, bool Down) {
    const TColor d100 = DarkerColor(Color, 100), d50 = DarkerColor(Color, 50);
    if (Down) return TwoPasses(Canvas, Rect, Sides, {d100, d100}, {d50, d50});
    return TwoPasses(Canvas, Rect, Sides, {LighterColor(Color, 100), d100}, {LighterColor(Color, 40), d50});
}

TRect DrawColorBorderAllSides(TCanvas* Canvas, TRect Rect, TColor Color, bool Down) {
    return DrawColorBorder(Canvas, Rect, Color, AllSides, Down);
}

TRect DrawBevel(TCanvas* Canvas, TRect Rect, TFrameStyleEx Style, TSides Sides) {
    const TBevelColors c = BevelColors(Style);
    switch (Style) {
    case fsNone:
        return Rect;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return DrawSides(Canvas, Rect, c.UL, c.LR, Sides);
    case fsFlatBold:
        return DrawBorderSides(Canvas, Rect, clBtnShadow, clBtnShadow, Sides, 2);
    case fsLowered:
        return Draw3DBorder(Canvas, Rect, true, Sides);
    case fsRaised:
        return Draw3DBorder(Canvas, Rect, false, Sides);
    case fsButtonDown:
        return DrawButtonBorder(Canvas, Rect, true, Sides);
    case fsButtonUp:
        return DrawButtonBorder(Canvas, Rect, false, Sides);
    case fsGroove:
    case fsBump:
        return DrawEtched(Canvas, Rect, c.UL, c.LR, Sides);
    // The bevel table has no row for it: a rounded box in the flat style's colour.
    case fsFlatRounded:
        return DrawRoundedBox(Canvas, Rect, cl3DDkShadow, Sides);
    }
    return Rect;
}

TRect DrawBevelAllSides(TCanvas* Canvas, TRect Rect, TFrameStyleEx Style) {
    return DrawBevel(Canvas, Rect, Style, AllSides);
}

TRect DrawBorder(TCanvas* Canvas, TRect Rect, TColor Color, TSides Sides, TFrameStyleEx Style) {
    const TColor d50 = DarkerColor(Color, 50), l100 = LighterColor(Color, 100);
    switch (Style) {
    case fsNone:
        return Rect;
    case fsFlat:
        return DrawSides(Canvas, Rect, d50, d50, Sides);
    case fsStatus:
        return DrawSides(Canvas, Rect, d50, l100, Sides);
    case fsPopup:
        return DrawSides(Canvas, Rect, l100, d50, Sides);
    case fsFlatBold:
        return DrawBorderSides(Canvas, Rect, d50, d50, Sides, 2);
    case fsLowered:
        return TwoPasses(Canvas, Rect, Sides, {d50, l100},
                         {DarkerColor(Color, 100), LighterColor(Color, 50)});
    case fsRaised:
        return TwoPasses(Canvas, Rect, Sides, {LighterColor(Color, 50), DarkerColor(Color, 100)},
                         {l100, d50});
    case fsButtonDown:
        return DrawColorBorder(Canvas, Rect, Color, Sides, true);
    case fsButtonUp:
        return DrawColorBorder(Canvas, Rect, Color, Sides, false);
    case fsGroove:
        return DrawEtched(Canvas, Rect, d50, l100, Sides);
    default:
        return DrawEtched(Canvas, Rect, l100, d50, Sides);
    }
}

TRect DrawBorderAllSides(TCanvas* Canvas, TRect Rect, TColor Color, TFrameStyleEx Style) {
    return DrawBorder(Canvas, Rect, Color, AllSides, Style);
}

TRect DrawBox(TCanvas* Canvas, TRect Rect, TColor Color) {
    DrawSides(Canvas, Rect, Color, Color, AllSides);
    InflateRect(Rect, -1, -1);
    return Rect;
}

TRect DrawDottedBorder(TCanvas* Canvas, TRect Rect) {
    for (int y = Rect.Top + 1; y < Rect.Bottom; y += 2) {
        Canvas->SetPixels(Rect.Left, y, clBlack);
        Canvas->SetPixels(Rect.Right - 1, y, clBlack);
    }
    for (int x = Rect.Left + 1; x < Rect.Right; x += 2) {
        Canvas->SetPixels(x, Rect.Top, clBlack);
        Canvas->SetPixels(x, Rect.Bottom - 1, clBlack);
    }
    InflateRect(Rect, -1, -1);
    return Rect;
}

TRect DrawRoundedBox(TCanvas* Canvas, TRect Rect, TColor Color, TSides Sides) {
    const bool left = Sides & sdLeft, top = Sides & sdTop, right = Sides & sdRight, bottom = Sides & sdBottom;
    const TRect& r = Rect;
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    if (left) Line(Canvas, Color, r.Left, r.Top + (top ? 2 : 0), r.Left, r.Bottom - (bottom ? 2 : 0));
    if (top) Line(Canvas, Color, r.Left + (left ? 2 : 0), r.Top, r.Right - (right ? 2 : 0), r.Top);
    if (right)
        Line(Canvas, Color, r.Right - 1, r.Top + (top ? 2 : 0), r.Right - 1, r.Bottom - (bottom ? 2 : 0));
    if (bottom)
        Line(Canvas, Color, r.Left + (left ? 2 : 0), r.Bottom - 1, r.Right - (right ? 2 : 0), r.Bottom - 1);
    if (left && top) Canvas->SetPixels(r.Left + 1, r.Top + 1, Color);
    if (top && right) Canvas->SetPixels(r.Right - 2, r.Top + 1, Color);
    if (right && bottom) Canvas->SetPixels(r.Right - 2, r.Bottom - 2, Color);
    if (left && bottom) Canvas->SetPixels(r.Left + 1, r.Bottom - 2, Color);
    return Shrunk(Rect, Sides, 2);
}

void DrawBoxFrame(TCanvas* Canvas, TRect Rect, TFrameStyleEx BorderOuter, TFrameStyleEx BorderInner,
                  int BorderWidth, TSides BorderSides, int BevelWidth, TColor BorderColor,
                  TColor BorderHighlight, TColor BorderShadow, TColor FlatColor, int FlatColorAdjustment,
                  TColor Color, TColor ParentColor, bool Transparent, bool FlatLines, TRect& Inner) {
    const TColor c = AdjustColor(FlatColor, FlatColorAdjustment);
    TRect r = Rect;
    // The passes before a rounded box colour its cut corners; the box itself is drawn on the
    // rectangle they started from.
    auto rounded = [&](TColor outerRing, TColor innerRing, bool drawOuter, bool drawInner) {
        if (drawOuter) DrawSides(Canvas, r, outerRing, outerRing, BorderSides);
        if (drawInner) DrawSides(Canvas, Shrunk(r, BorderSides, 1), innerRing, innerRing, BorderSides);
        r = DrawRoundedBox(Canvas, r, c, BorderSides);
    };
    auto style = [&](TFrameStyleEx s, bool inner) {
        switch (s) {
        case fsFlat:
            if (inner && FlatLines) {
                Canvas->Pen()->SetWidth(1);
                if (BorderSides & sdLeft) Line(Canvas, c, r.Left, r.Top, r.Left, r.Bottom);
                if (BorderSides & sdTop) Line(Canvas, c, r.Left, r.Top, r.Right, r.Top);
                if (BorderSides & sdRight) Line(Canvas, c, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
                if (BorderSides & sdBottom) Line(Canvas, c, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
                r = Shrunk(r, BorderSides, 1);
            } else {
                r = DrawBorderSides(Canvas, r, c, c, BorderSides, 1);
            }
            break;
        case fsFlatBold:
            r = DrawBorderSides(Canvas, r, c, c, BorderSides, 2);
            break;
        case fsFlatRounded:
            if (!inner) {
                if (!Transparent)
                    rounded(ParentColor, BorderWidth < 1 && BorderInner == fsNone ? Color : BorderColor, true,
                            true);
                else
                    rounded(clNone, BorderColor, false, BorderWidth > 0 || BorderInner != fsNone);
            } else {
                rounded(BorderColor, Color, true, !Transparent);
            }
            break;
        case fsPopup:
            r = DrawBorderSides(Canvas, r, BorderHighlight, BorderShadow, BorderSides, BevelWidth);
            break;
        case fsStatus:
            r = DrawBorderSides(Canvas, r, BorderShadow, BorderHighlight, BorderSides, BevelWidth);
            break;
        default:
            r = DrawBevel(Canvas, r, s, BorderSides);
            break;
        }
    };
    style(BorderOuter, false);
    if (BorderWidth > 0) r = DrawBorderSides(Canvas, r, BorderColor, BorderColor, BorderSides, BorderWidth);
    style(BorderInner, true);
    Inner = r;
}

void DrawControlFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx FrameStyle, TColor Color,
                      TColor FrameColor, TSides FrameSides, bool KeepOldFrame) {
    const TRect r = Rect(0, 0, Width, Height);
    if (!KeepOldFrame) DrawBorderSides(Canvas, r, Color, Color, AllSides, 2);
    if (FrameStyle == fsFlat)
        DrawSides(Canvas, r, FrameColor, FrameColor, FrameSides);
    else if (FrameStyle == fsFlatBold)
        DrawBorderSides(Canvas, r, FrameColor, FrameColor, FrameSides, 2);
    else if (Color != clWindow)
        DrawBorder(Canvas, r, Color, FrameSides, FrameStyle);
    else
        DrawBevel(Canvas, r, FrameStyle, FrameSides);
}

void RepaintControlFrame(TWinControl* Control, const TRect& Rect) {
    QWidget* w = Control ? Control->Widget() : nullptr;
    if (!w || !w->isVisible() || Rect.IsEmpty()) return;
    w->update(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
}

void InvalidateTransparentControls(TWinControl* Control) {
    if (!Control) return;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        const QVariant transparent = child->property("Transparent");
        if (transparent.isValid() && transparent.toBool()) child->Invalidate();
    }
}

void PaintButtonFace(TCanvas* Canvas, const TRect& Rect, int Direction, TColor StartColor, TColor StopColor) {
    if (!HighColorDisplay) return;
    TDeviceContext* dc = Canvas->Handle();
    const int saved = dc ? dc->SaveDC() : 0;
    TRect inside = Rect;
    InflateRect(inside, -2, -2);
    Canvas->ExcludeClipRect(inside);
    PaintGradient(Canvas, Rect, TGradientDirection(Direction), StartColor, StopColor, 1);
    // The clip region the caller had comes back (not merely cleared), with the context's own
    // selections, which the canvas is told of.
    if (dc) {
        dc->RestoreDC(saved);
        Canvas->Refresh();
    } else {
        Canvas->ResetClip();
    }
}
