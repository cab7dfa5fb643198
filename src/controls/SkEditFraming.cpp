#include "SkEditFraming.h"

#include "FrameControls.h"
#include "Platform.h"
#include "Themes.h"

TColor EditStateColor(const TSkFrameBlock& Block, TColor NormalColor, bool Enabled, bool Focused,
                      bool ReadOnly) {
    if (!Enabled) return Block.DisabledColor;
    if (Focused) return ReadOnly && Block.ReadOnlyColorOnFocus ? Block.ReadOnlyColor : Block.FocusColor;
    return ReadOnly ? Block.ReadOnlyColor : NormalColor;
}

bool EditUsesThemes(const TSkFrameBlock& Block) {
    return Block.FramingPreference == fpXPThemes && IsThemeActive() && IsAppThemed();
}

TRect DrawFlatDropButtonFace(TCanvas* Canvas, const TRect& Rect, TColor Face, bool Pressed) {
    TRect inner;
    if (Face != clBtnFace)
        inner = DrawBorderAllSides(Canvas, Rect, Face, Pressed ? fsStatus : fsPopup);
    else
        inner = Pressed ? DrawSides(Canvas, Rect, clBtnShadow, clBtnHighlight, AllSides)
                        : DrawSides(Canvas, Rect, clBtnHighlight, clBtnShadow, AllSides);
    Canvas->Brush()->SetColor(Face);
    Canvas->FillRect(inner);
    return inner;
}

void PaintEditFrame(TCanvas* Canvas, int Width, int Height, const TSkFrameBlock& Block, TColor Color,
                    bool Hot) {
    TRect r = Rect(0, 0, Width, Height);
    const bool themed = EditUsesThemes(Block);
    if (themed) {
        // The visual style's edit: a one-pixel line in the style's border colour, the field inside.
        TColor border = clBtnShadow;
        if (HTHEME theme = OpenThemeData(QStringLiteral("EDIT"))) {
            GetThemeColor(theme, 0, 0, TMT_BORDERCOLOR, border);
            CloseThemeData(theme);
        }
        DrawSides(Canvas, DrawSides(Canvas, r, border, border, AllSides), Color, Color, AllSides);
        return;
    }
    if (!Block.FrameVisible) {
        DrawEdge(Canvas->Handle(), r, EDGE_SUNKEN, BF_RECT);
        return;
    }
    DrawControlFrame(Canvas, Width, Height, Hot ? Block.FrameHotStyle : Block.FrameStyle, Color,
                     Hot ? Block.FrameHotColor : Block.FrameColor, Block.FrameSides);
}
