#include "SkBckgnd.h"

#include "GraphicsImage.h"
#include "SkCommonFraming.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <algorithm>

namespace {
struct TBckgndTypes {
    TBckgndTypes() {
        RegisterSkCommonTypes();
        RegisterEnumType<TSkHighlightLocation>({"hlCenter", "hlUpperLeft", "hlLowerRight"});
        RegisterClass<TSkSeparator>();
    }
};
const TBckgndTypes BckgndTypes;
}  // namespace

TSkSeparator::TSkSeparator(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 200, 2);
    SetParentColor(true);
    UpdateGradient();
}

void TSkSeparator::SetHighlightColor(TColor Value) {
    if (!StoreChanged(FHighlightColor, Value)) return;
    UpdateGradient();
    Invalidate();
}

void TSkSeparator::SetHighlightLocation(TSkHighlightLocation Value) {
    if (!StoreChanged(FHighlightLocation, Value)) return;
    UpdateGradient();
    Invalidate();
}

void TSkSeparator::SetOrientation(TOrientation Value) {
    if (!StoreChanged(FOrientation, Value)) return;
    if (!(ComponentState() & csLoading)) SetBounds(Left(), Top(), Height(), Width());
    UpdateGradient();
    Invalidate();
}

void TSkSeparator::SetShowGradient(bool Value) {
    if (StoreChanged(FShowGradient, Value)) Invalidate();
}

// Horizontal bars fade across their width, vertical ones down their height; the centre location
// puts the highlight in the middle, the others at one end.
void TSkSeparator::UpdateGradient() {
    const bool horizontal = FOrientation == orHorizontal;
    if (FHighlightLocation == hlCenter) {
        FDirection = horizontal ? gdVerticalCenter : gdHorizontalCenter;
        FStartColor = Color();
        FStopColor = FHighlightColor;
    } else {
        FDirection = horizontal ? gdVerticalEnd : gdHorizontalEnd;
        const bool upperLeft = FHighlightLocation == hlUpperLeft;
        FStartColor = upperLeft ? FHighlightColor : Color();
        FStopColor = upperLeft ? Color() : FHighlightColor;
    }
}

void TSkSeparator::CMColorChanged(TMessage& Message) {
    TGraphicControl::CMColorChanged(Message);
    UpdateGradient();
    Invalidate();
}

void TSkSeparator::Paint() {
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    if (!FShowGradient) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
        return;
    }
    if (!HighColorDisplay) {
        canvas->Brush()->SetColor(FStopColor);
        canvas->FillRect(client);
        return;
    }
    const int width = std::max(1, client.Width()), height = std::max(1, client.Height());
    TBitmap bar(width, height);
    PaintGradient(bar.Canvas(), Rect(0, 0, width, height), FDirection, FStartColor, FStopColor, 1);
    canvas->SetCopyMode(SRCCOPY);
    canvas->Draw(0, 0, &bar);
}
