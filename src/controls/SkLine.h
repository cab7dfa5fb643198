// The line: a straight line corner to corner across the control, with optional arrow heads and a
// centred caption; the mouse goes through it everywhere but near the line.
#pragma once

#include "GraphicControl.h"

enum TSkLineSlope { lsDown, lsUp };
enum TSkShowArrows { saNone, saStart, saEnd, saBoth };

class TSkLine : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(int ArrowLength READ ArrowLength WRITE SetArrowLength)
    Q_PROPERTY(TColor LineColor READ LineColor WRITE SetLineColor)
    Q_PROPERTY(TSkLineSlope LineSlope READ LineSlope WRITE SetLineSlope)
    Q_PROPERTY(TPenStyle LineStyle READ LineStyle WRITE SetLineStyle)
    Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
    Q_PROPERTY(TSkShowArrows ShowArrows READ ShowArrows WRITE SetShowArrows)
    Q_CLASSINFO("ArrowLength", "= 10")
    Q_CLASSINFO("LineColor", "TColor = clWindowText")
    Q_CLASSINFO("LineSlope", "= lsDown")
    Q_CLASSINFO("LineStyle", "= psSolid")
    Q_CLASSINFO("LineWidth", "= 1")
    Q_CLASSINFO("ShowArrows", "= saNone")
public:
    // 20 x 20 (twice the margin of 10), taking its parent's colour for the caption's background.
    explicit TSkLine(TComponent* AOwner);

    int ArrowLength() const { return FArrowLength; }
    // The margin becomes half the length and the control grows to twice the margin; a negative
    // length counts as 0.
    virtual void SetArrowLength(int Value);
    TColor LineColor() const { return FLineColor; }
    virtual void SetLineColor(TColor Value);
    TSkLineSlope LineSlope() const { return FLineSlope; }
    virtual void SetLineSlope(TSkLineSlope Value);
    TPenStyle LineStyle() const { return FLineStyle; }
    virtual void SetLineStyle(TPenStyle Value);
    int LineWidth() const { return FLineWidth; }
    // At least 1; with arrows an even width moves by one in the direction of the change.
    virtual void SetLineWidth(int Value);
    TSkShowArrows ShowArrows() const { return FShowArrows; }
    virtual void SetShowArrows(TSkShowArrows Value);

    // The inset of the line's ends and the ends themselves, in client coordinates.
    int Margin() const { return FMargin; }
    TPoint StartPoint() const { return FStart; }
    TPoint EndPoint() const { return FEnd; }

protected:
    void Loaded() override;
    void Resized() override;
    void Paint() override;
    // Claims a point only near the line.
    void CMHitTest(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    // Grows the control to twice the margin each way and places the ends again.
    void AdjustBounds();
    void PlaceEnds();
    int FMargin = 10;
    TPoint FStart, FEnd;
    TColor FLineColor = clWindowText;
    TSkLineSlope FLineSlope = lsDown;
    TPenStyle FLineStyle = psSolid;
    int FLineWidth = 1;
    int FArrowLength = 10;
    TSkShowArrows FShowArrows = saNone;
};
