// What the calculator, the time picker and the calendar have in common as drop-down content: a
// styled panel that is never smaller than the size its font asks for (exactly that size while
// AutoSize), measures its digits, knows whether it runs in a pop-up, paints its background as a
// themed box or as the panel, and keeps a set of colours by index.
#pragma once

#include "SkPanel.h"

#include <array>

class TSkPopupContent : public TSkCustomPanel {
    Q_OBJECT
public:
    // Window colour, lowered frame, no flat-colour adjustment; sized by the subclass.
    explicit TSkPopupContent(TComponent* AOwner);

    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool Value);
    bool PopupMode() const { return FPopupMode; }
    void SetPopupMode(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // The smallest size, and the size while AutoSize.
    virtual TSize PreferredSize() const { return {0, 0}; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // The size of "0" in Font.
    int DigitWidth() const { return FDigitWidth; }
    int DigitHeight() const { return FDigitHeight; }
    // Measures the digits again and keeps the size rule.
    void UpdateMetrics();
    // The themed box in the theme's colour filled with Color, or the panel's painting.
    void PaintBackground();
    // A flat outer frame: buttons and bands drawn in it are flat too.
    bool FlatBorder() const;
    // A band (the calendar's header, the clock's time) filled with Color, bevelled unless FlatBorder.
    void PaintBand(TRect Band, TColor Color);
    void WMEraseBkgnd(TWMPaint& Message) override { Message.Result = 1; }
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_WANTARROWS; }
    void CMFontChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMSetFocus(TWMFocus& Message) override;
    void WMKillFocus(TWMFocus& Message) override;

private:
    void MeasureDigits();
    bool FThemeAware = true, FPopupMode = false, FAutoSize = true;
    int FDigitWidth = 0, FDigitHeight = 0;
};

// A control's fixed set of N colours by index; a change repaints the control.
template <int N> class TSkIndexedColors : public TPersistent {
public:
    TSkIndexedColors(TControl* Owner, const std::array<TColor, N>& Defaults)
        : FOwner(Owner), FColors(Defaults) {}
    // Copies a set of the same size.
    void Assign(TPersistent* Source) override {
        if (auto* other = dynamic_cast<TSkIndexedColors<N>*>(Source)) {
            FColors = other->FColors;
            if (FOwner) FOwner->Invalidate();
            return;
        }
        TPersistent::Assign(Source);
    }
    // clNone outside 0..N-1.
    TColor GetColor(int Index) const { return Index >= 0 && Index < N ? FColors[Index] : clNone; }
    void SetColor(int Index, TColor Value) {
        if (Index < 0 || Index >= N) return;
        FColors[Index] = Value;
        if (FOwner) FOwner->Invalidate();
    }

private:
    TControl* FOwner;
    std::array<TColor, N> FColors;
};
