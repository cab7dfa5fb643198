// How the push button looks: the classic, hot-track and visual-style faces, the checkered pattern of
// a grouped button that is down, the caption in its text style, and the parent round the corners.
#include "SkButton.h"

#include "GraphicsImage.h"
#include "SkGrafx.h"
#include "Themes.h"

namespace {
void FillWith(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

// A frame one pixel wide whose four corner pixels are left out.
void CutCornerFrame(TCanvas* Canvas, const TRect& R, TColor Color) {
    FillWith(Canvas, Rect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), Color);
    FillWith(Canvas, Rect(R.Left + 1, R.Top, R.Right - 1, R.Top + 1), Color);
    FillWith(Canvas, Rect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), Color);
    FillWith(Canvas, Rect(R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom), Color);
}

// The outermost ring of the hot-track look: sides two pixels short of the corners, dark at the left
// and top, light at the right and bottom, and a pixel inside each corner.
void OuterRing(TCanvas* Canvas, const TRect& R, TColor Dark, TColor Light) {
    FillWith(Canvas, Rect(R.Left, R.Top + 2, R.Left + 1, R.Bottom - 2), Dark);
    FillWith(Canvas, Rect(R.Left + 2, R.Top, R.Right - 2, R.Top + 1), Dark);
    FillWith(Canvas, Rect(R.Right - 1, R.Top + 2, R.Right, R.Bottom - 2), Light);
    FillWith(Canvas, Rect(R.Left + 2, R.Bottom - 1, R.Right - 2, R.Bottom), Light);
    Canvas->SetPixels(R.Left + 1, R.Top + 1, Dark);
    Canvas->SetPixels(R.Right - 2, R.Top + 1, Dark);
    Canvas->SetPixels(R.Left + 1, R.Bottom - 2, Dark);
    Canvas->SetPixels(R.Right - 2, R.Bottom - 2, Light);
}

unsigned HorizontalFlag(TAlignment Alignment) {
    return Alignment == taLeftJustify ? DT_LEFT : Alignment == taRightJustify ? DT_RIGHT : DT_CENTER;
}
}  // namespace

// The caption ------------------------------------------------------------------------------------------
TRect TSkCustomButton::PlaceCaption(TCanvas* Canvas, TRect Rect) {
    TRect measured = Rect;
    Canvas->DrawText(Caption(), measured,
                     DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
    const int h = measured.Height();
    switch (FAlignmentVertical) {
    case avTop:
        Rect.Bottom = Rect.Top + h;
        break;
    case avCenter:
        Rect.Top = (Rect.Top + Rect.Bottom - h) / 2;
        Rect.Bottom = Rect.Top + h;
        break;
    case avBottom:
        Rect.Top = Rect.Bottom - h - 1;
        break;
    }
    return Rect;
}

void TSkCustomButton::DrawCaptionText(TCanvas* Canvas, TRect Rect, unsigned Flags) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->Assign(*Font());
    Rect = PlaceCaption(Canvas, Rect);
    if (Enabled()) {
        auto copyAt = [&](int dx, int dy, TColor color) {
            TRect r = Rect;
            OffsetRect(r, dx, dy);
            Canvas->Font()->SetColor(color);
            Canvas->DrawText(Caption(), r, Flags);
        };
        const int depth = FTextShadowDepth;
        switch (FTextStyle) {
        case tsRaised:
            if (!FLightTextStyle) copyAt(1, 1, FTextShadowColor);
            copyAt(-1, -1, FTextHighlightColor);
            break;
        case tsRecessed:
            copyAt(1, 1, FTextHighlightColor);
            if (!FLightTextStyle) copyAt(-1, -1, FTextShadowColor);
            break;
        case tsShadow:
            // Right-aligned, the caption moves left instead, so its shadow stays inside the rectangle.
            copyAt((Flags & DT_RIGHT) ? 0 : depth, depth, FTextShadowColor);
            if (Flags & DT_RIGHT) OffsetRect(Rect, -depth, 0);
            break;
        default:
            break;
        }
        Canvas->Font()->SetColor(Font()->Color());
    } else {
        Canvas->Font()->SetColor(ColorsTooClose(Color(), clGrayText) ? cl3DDkShadow : clGrayText);
    }
    Canvas->DrawText(Caption(), Rect, Flags);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TSkButton::GetTextRect(TRect& Rect) {
    Rect = ClientRect();
    InflateRect(Rect, -5, -5);
    if (!FHotTrack && !UseThemes() && (FState == 3 || FPressed)) OffsetRect(Rect, 1, 1);
}

void TSkButton::DrawCaption() {
    TRect r;
    GetTextRect(r);
    DrawCaptionText(Canvas(), r, HorizontalFlag(FAlignment) | DT_EXPANDTABS | DT_WORDBREAK);
}

// The face --------------------------------------------------------------------------------------------------
void TSkButton::BuildDownPattern(TBitmap* Bitmap) {
    Bitmap->SetSize(8, 8);
    TCanvas* c = Bitmap->Canvas();
    FillWith(c, Rect(0, 0, 8, 8), Color());
    const TColor dot = ColorToRGB(Color()) == 0xC0C0C0 ? 0x808080 : 0xC0C0C0;
    for (int y = 0; y < 8; ++y)
        for (int x = y % 2; x < 8; x += 2)
            c->SetPixels(x, y, dot);
}

void TSkButton::DrawTransparentBackground(HDC DC) {
    if (!FTransparent || !DC) return;
    TRect face = ClientRect();
    const int inset = Enabled() ? 1 : 2;
    InflateRect(face, -inset, -inset);
    const int saved = DC->SaveDC();
    DC->ExcludeClipRect(face.Left, face.Top, face.Right, face.Bottom);
    DC->ExcludeClipRect(face.Left - 1, face.Top + 1, face.Right + 1, face.Bottom - 1);
    DC->ExcludeClipRect(face.Left + 1, face.Top - 1, face.Right - 1, face.Bottom + 1);
    DrawParentImageDC(this, DC, false);
    DC->RestoreDC(saved);
}

void TSkButton::PaintHotTrackFace(const TRect& R) {
    TCanvas* c = Canvas();
    FillWith(c, Rect(R.Left, R.Bottom - 2, R.Right, R.Bottom - 1), DarkerColor(Color(), 20));
    FillWith(c, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), DarkerColor(Color(), 30));
    const TRect rest = Rect(R.Left, R.Top, R.Right, R.Bottom - 2);
    if (HighColorDisplay)
        PaintGradient(c, rest, gdHorizontalEnd, LighterColor(Color(), 30), DarkerColor(Color(), 10), 1);
    else
        FillWith(c, rest, Color());
}

void TSkButton::PaintHotTrackLook(TRect& R) {
    TCanvas* c = Canvas();
    const TColor parent = FParent ? FParent->Color() : clBtnFace;
    if (!Enabled()) {
        OuterRing(c, R, parent, parent);
        InflateRect(R, -1, -1);
        CutCornerFrame(c, R, Color() == clBtnFace ? LighterColor(clBtnShadow, 30) : DarkerColor(Color(), 80));
        InflateRect(R, -1, -1);
        FillWith(c, R, Color());
        return;
    }
    OuterRing(c, R, DarkerColor(parent, 20), LighterColor(parent, 20));
    InflateRect(R, -1, -1);
    CutCornerFrame(c, R, FFrameColor);
    InflateRect(R, -1, -1);
    if (DrawnDown()) {
        FillWith(c, R, DarkerColor(Color(), 10));
    } else if (FMouseOver) {
        TColor light, dark;
        HotTrackColors(light, dark);
        PaintHotTrackFace(R);
        PaintButtonFace(c, R, gdHorizontalEnd, light, dark);
    } else if (ShowsDefault()) {
        const TColor s = LighterColor(Color(), 30);
        const TColor h =
            ColorsTooClose(FHighlightColor, clBtnFace) ? DarkerColor(FHighlightColor, 30) : FHighlightColor;
        PaintHotTrackFace(R);
        PaintButtonFace(c, R, gdHorizontalEnd, BlendColors(h, s, 60), BlendColors(h, s, 160));
    } else {
        PaintHotTrackFace(R);
    }
}

void TSkButton::PaintClassicLook(TRect& R) {
    TCanvas* c = Canvas();
    if (ShowsDefault() || (FGroupIndex == 0 && FInClick))
        R = DrawSides(c, R, clWindowFrame, clWindowFrame, AllSides);
    if (Color() == clBtnFace) {
        if (FGroupIndex == 0)
            R = DrawButtonBorderAllSides(c, R, FPressed);
        else
            R = DrawBevelAllSides(c, R, DrawnDown() ? fsLowered : fsButtonUp);
    } else if (FGroupIndex == 0) {
        R = DrawColorBorderAllSides(c, R, Color(), FPressed);
    } else if (DrawnDown()) {
        R = DrawBorderAllSides(c, R, Color(), fsLowered);
    } else {
        R = DrawColorBorderAllSides(c, R, Color(), false);
    }
    FillWith(c, R, Color());
}

void TSkButton::Paint() {
    TCanvas* c = Canvas();
    const bool themed = UseThemes();
    TRect focus = ClientRect();
    const int inset = FHotTrack || themed ? 3 : 4;
    InflateRect(focus, -inset, -inset);
    if (FGroupIndex != 0 && DrawnDown()) OffsetRect(focus, 1, 1);
    TRect r = ClientRect();

    if (themed) {
        const int state = !Enabled()       ? PBS_DISABLED
                          : DrawnDown()    ? PBS_PRESSED
                          : FMouseOver     ? PBS_HOT
                          : ShowsDefault() ? PBS_DEFAULTED
                                           : PBS_NORMAL;
        DrawParentImage(this, c, false);
        if (HTHEME theme = OpenThemeData(QStringLiteral("BUTTON"))) {
            DrawThemeBackground(theme, c->Handle(), BP_PUSHBUTTON, state, r);
            CloseThemeData(theme);
        }
    } else if (FHotTrack) {
        PaintHotTrackLook(r);
    } else {
        PaintClassicLook(r);
    }

    if (FGroupIndex != 0 && FState == 3 && FShowDownPattern) {
        TBitmap pattern;
        BuildDownPattern(&pattern);
        c->Brush()->SetBitmap(&pattern);
        c->FillRect(r);
        c->Brush()->SetBitmap(nullptr);
    }
    c->Font()->Assign(*Font());
    c->Brush()->SetColor(Color());
    DrawCaption();
    if (Focused() && FShowFocusRect) DrawDottedBorder(c, focus);
}
