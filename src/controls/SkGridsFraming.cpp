#include "SkGridsFraming.h"

#include "FocusWithin.h"

void TSkGridsFraming::SetDisabledColor(TColor Value) {
    if (StoreChanged(FBlock.DisabledColor, Value) && !FControl->Enabled()) UpdateColors();
}

void TSkGridsFraming::SetFocusColor(TColor Value) {
    if (StoreChanged(FBlock.FocusColor, Value) && HasFocus()) UpdateColors();
}

void TSkGridsFraming::SetFrameColor(TColor Value) {
    if (StoreChanged(FBlock.FrameColor, Value)) RepaintFrame();
}

void TSkGridsFraming::SetFrameController(TSkFrameController* Value) {
    SetFrameControllerOf(FControl, FFrameController, Value);
}

void TSkGridsFraming::SetFrameHotColor(TColor Value) {
    if (StoreChanged(FBlock.FrameHotColor, Value)) RepaintFrame();
}

void TSkGridsFraming::SetFrameHotTrack(bool Value) {
    if (!StoreChanged(FBlock.FrameHotTrack, Value)) return;
    if (Value) {
        SetFrameVisible(true);
        if (!Loading()) FBlock.FrameSides = AllSides;
    }
    RepaintFrame();
    FControl->Invalidate();
}

void TSkGridsFraming::SetFrameHotStyle(TFrameStyleEx Value) {
    if (StoreChanged(FBlock.FrameHotStyle, Value)) RepaintFrame();
}

void TSkGridsFraming::SetFrameSides(TSides Value) {
    if (StoreChanged(FBlock.FrameSides, Value)) RepaintFrame();
}

void TSkGridsFraming::SetFrameStyle(TFrameStyleEx Value) {
    if (StoreChanged(FBlock.FrameStyle, Value)) RepaintFrame();
}

void TSkGridsFraming::SetFrameVisible(bool Value) {
    if (StoreChanged(FBlock.FrameVisible, Value)) FrameVisibleChanged();
}

void TSkGridsFraming::SetFramingPreference(TFramingPreference Value) {
    if (StoreChanged(FBlock.FramingPreference, Value) && Value == fpCustomFraming) RepaintFrame();
}

bool TSkGridsFraming::UseThemes() const {
    return FBlock.FramingPreference == fpXPThemes && IsThemeActive() && IsAppThemed();
}

bool TSkGridsFraming::HasFocus() const {
    return FocusWithin(FControl);
}

bool TSkGridsFraming::Loading() const {
    return FControl->ComponentState() & csLoading;
}

void TSkGridsFraming::FrameVisibleChanged() {
    FControl->Invalidate();
}

void TSkGridsFraming::UpdateColors() {
    if (Loading()) return;
    const TColor color = !FControl->Enabled() ? FBlock.DisabledColor
                         : HasFocus()         ? FBlock.FocusColor
                                              : FNormalColor;
    // The same colour again would repaint the whole grid for nothing (each time the focus comes or goes).
    if (color == FControl->Color()) return;
    FUpdatingColor = true;
    FControl->SetColor(color);
    FUpdatingColor = false;
}

void TSkGridsFraming::UpdateFrame(bool ViaMouse, bool Over) {
    if (ViaMouse) FMouseOver = Over;
    if (FBlock.FrameHotTrack) RepaintFrame();
    UpdateColors();
}

void TSkGridsFraming::RepaintFrame() {
    RepaintControlFrame(FControl, Rect(0, 0, FControl->Width(), FControl->Height()));
}

bool TSkGridsFraming::FrameToDraw(TFrameStyleEx& Style, TColor& Color, TSides& Sides,
                                  bool ThemeBorder) const {
    if (FBlock.FrameVisible && !UseThemes()) {
        const bool hot = FBlock.FrameHotTrack && (HasFocus() || FMouseOver);
        Style = hot ? FBlock.FrameHotStyle : FBlock.FrameStyle;
        Color = hot ? FBlock.FrameHotColor : FBlock.FrameColor;
        Sides = FBlock.FrameSides;
        return true;
    }
    if (!ThemeBorder || !IsThemeActive() || !IsAppThemed()) return false;
    Style = fsFlat;
    Color = GetXPThemeColor(0);
    Sides = AllSides;
    return true;
}

void TSkGridsFraming::FramingLoaded() {
    UpdateColors();
    UpdateFrame(false, false);
}

void TSkGridsFraming::FramingMouseEntered() {
    if (FControl->ComponentState() & csDesigning) return;
    if (!FocusInsideChild(FControl)) UpdateFrame(true, true);
}

void TSkGridsFraming::FramingMouseLeft() {
    if (FControl->ComponentState() & csDesigning) return;
    if (!FocusInsideChild(FControl)) UpdateFrame(true, false);
}

void TSkGridsFraming::FramingColorChanged() {
    if (!FUpdatingColor) {
        if (FBlock.FocusColor == FNormalColor) FBlock.FocusColor = FControl->Color();
        FNormalColor = FControl->Color();
    }
    if (FBlock.FrameVisible && !UseThemes()) RepaintFrame();
}

void TSkGridsFraming::FramingNotification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
}

bool TSkGridsFraming::FramingColorStored() const {
    return FControl->Enabled() && !FControl->ParentColor() && FramingStored(fcpColor);
}

bool TSkGridsFraming::FramingFocusColorStored() const {
    return ColorToRGB(FBlock.FocusColor) != ColorToRGB(FControl->Color()) && FramingStored(fcpFocusColor);
}
