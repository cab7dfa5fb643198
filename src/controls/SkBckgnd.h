// The separator: a thin bar whose colour fades from the control's Color to a highlight colour.
#pragma once

#include "GraphicControl.h"
#include "SkCommon.h"
#include "SkGrafx.h"

enum TSkHighlightLocation { hlCenter, hlUpperLeft, hlLowerRight };

class TSkSeparator : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor HighlightColor READ HighlightColor WRITE SetHighlightColor)
    Q_PROPERTY(TSkHighlightLocation HighlightLocation READ HighlightLocation WRITE SetHighlightLocation)
    Q_PROPERTY(TOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(bool ShowGradient READ ShowGradient WRITE SetShowGradient)
    Q_CLASSINFO("Color", "TColor")
    Q_CLASSINFO("HighlightColor", "TColor = clHighlight")
    Q_CLASSINFO("HighlightLocation", "= hlCenter")
    Q_CLASSINFO("Orientation", "= orHorizontal")
    Q_CLASSINFO("ShowGradient", "= True")
public:
    // 200 x 2, taking its parent's colour.
    explicit TSkSeparator(TComponent* AOwner);

    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor Value);
    TSkHighlightLocation HighlightLocation() const { return FHighlightLocation; }
    virtual void SetHighlightLocation(TSkHighlightLocation Value);
    // Turning it exchanges Width and Height (not while loading).
    TOrientation Orientation() const { return FOrientation; }
    virtual void SetOrientation(TOrientation Value);
    bool ShowGradient() const { return FShowGradient; }
    virtual void SetShowGradient(bool Value);

    // The gradient the bar is painted with (from Orientation, HighlightLocation and the colours).
    TGradientDirection GradientDirection() const { return FDirection; }
    TColor StartColor() const { return FStartColor; }
    TColor StopColor() const { return FStopColor; }

protected:
    void Paint() override;
    void CMColorChanged(TMessage& Message) override;

private:
    void UpdateGradient();
    TColor FHighlightColor = clHighlight;
    TSkHighlightLocation FHighlightLocation = hlCenter;
    TOrientation FOrientation = orHorizontal;
    bool FShowGradient = true;
    TGradientDirection FDirection = gdVerticalCenter;
    TColor FStartColor = clBtnFace;
    TColor FStopColor = clHighlight;
};
