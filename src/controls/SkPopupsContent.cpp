#include "SkPopupsContent.h"

TSkPopupContent::TSkPopupContent(TComponent* AOwner) : TSkCustomPanel(AOwner) {
    SetColor(clWindow);
    SetBorderOuter(fsLowered);
    SetFlatColorAdjustment(0);
    MeasureDigits();
}

void TSkPopupContent::SetThemeAware(bool Value) {
    if (StoreChanged(FThemeAware, Value)) Invalidate();
}

void TSkPopupContent::SetPopupMode(bool Value) {
    if (StoreChanged(FPopupMode, Value)) Invalidate();
}

void TSkPopupContent::SetAutoSize(bool Value) {
    if (StoreChanged(FAutoSize, Value)) SetBounds(Left(), Top(), Width(), Height());
}

void TSkPopupContent::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const TSize preferred = PreferredSize();
    if (FAutoSize) {
        AWidth = preferred.cx;
        AHeight = preferred.cy;
    }
    TSkCustomPanel::SetBounds(ALeft, ATop, std::max(AWidth, preferred.cx), std::max(AHeight, preferred.cy));
}

void TSkPopupContent::MeasureDigits() {
    Canvas()->Font()->Assign(*Font());
    const TSize digit = Canvas()->TextExtent(QStringLiteral("0"));
    FDigitWidth = digit.cx;
    FDigitHeight = digit.cy;
}

void TSkPopupContent::UpdateMetrics() {
    MeasureDigits();
    SetBounds(Left(), Top(), Width(), Height());
    Invalidate();
}

void TSkPopupContent::PaintBackground() {
    HTHEME theme = FThemeAware ? OpenThemeData(QStringLiteral("EDIT")) : nullptr;
    if (!theme) {
        TSkCustomPanel::Paint();
        return;
    }
    TColor frame = FlatColor();
    GetThemeColor(theme, 0, 0, TMT_BORDERCOLOR, frame);
    CloseThemeData(theme);
    const TRect inner = DrawBox(Canvas(), GetControlRect(), frame);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(inner);
}

bool TSkPopupContent::FlatBorder() const {
    return BorderOuter() == fsFlat || BorderOuter() == fsFlatBold || BorderOuter() == fsFlatRounded;
}

void TSkPopupContent::PaintBand(TRect Band, TColor Color) {
    if (!FlatBorder()) Band = DrawBevelAllSides(Canvas(), Band, fsPopup);
    Canvas()->Brush()->SetColor(Color);
    Canvas()->FillRect(Band);
}

void TSkPopupContent::CMFontChanged(TMessage& Message) {
    TSkCustomPanel::CMFontChanged(Message);
    UpdateMetrics();
}

void TSkPopupContent::CMMouseEnter(TMessage& Message) {
    Invalidate();
    TSkCustomPanel::CMMouseEnter(Message);
}

void TSkPopupContent::CMMouseLeave(TMessage& Message) {
    Invalidate();
    TSkCustomPanel::CMMouseLeave(Message);
}

void TSkPopupContent::WMSetFocus(TWMFocus& Message) {
    Invalidate();
    TSkCustomPanel::WMSetFocus(Message);
}

void TSkPopupContent::WMKillFocus(TWMFocus& Message) {
    Invalidate();
    TSkCustomPanel::WMKillFocus(Message);
}
