#include "SkGrids.h"

#include "Streaming.h"

namespace {
struct TRegistration {
    TRegistration() {
        RegisterSkCommonTypes();
        RegisterClass<TSkStringGrid>();
    }
} gRegistration;
}  // namespace

TColor GridLineColorOn(TColor LineColor, TColor CellColor) {
    return ColorToRGB(LineColor) == ColorToRGB(CellColor) ? DarkerColor(LineColor, 50) : LineColor;
}

void PaintGridFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx Style, TColor FrameColor,
                    TSides Sides, TColor FixedColor, TColor Color) {
    const TRect r = Rect(0, 0, Width, Height);
    DrawBorderSides(Canvas, r, FixedColor, Color, AllSides, 2);
    if (Style == fsFlat)
        DrawSides(Canvas, r, FrameColor, FrameColor, Sides);
    else if (Style == fsFlatBold)
        DrawBorderSides(Canvas, r, FrameColor, FrameColor, Sides, 2);
    else
        DrawBevel(Canvas, r, Style, Sides);
}

TSkStringGrid::TSkStringGrid(TComponent* AOwner) : TSkFramedGrid<TStringGrid>(AOwner) {
    SetDefaultColWidth(60);
    SetDefaultRowHeight(18);
}
