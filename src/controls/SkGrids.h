// The styled string grid: the framework's string grid with the frame block drawn over its border,
// colours that change with focus and enabling, and separate line colours for the fixed cells and for
// the scrolling cells.
#pragma once

#include "Grids.h"
#include "SkGridsFraming.h"

// The grids' common painting -------------------------------------------------------------------------

// The colour the lines between scrolling cells are drawn in: LineColor, or 50 darker when it is the
// cell colour itself.
TColor GridLineColorOn(TColor LineColor, TColor CellColor);
// The frame over a grid's two-pixel border: the border in FixedColor (upper left) and Color (lower
// right), then the frame style's lines.
void PaintGridFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx Style, TColor FrameColor,
                    TSides Sides, TColor FixedColor, TColor Color);

// What the string grid and the data grid share on top of their framework grid: the frame block, the
// line colours and the messages that drive them. Each subclass publishes the properties.
template <class TGrid> class TSkFramedGrid : public TSkFramedControl<TGrid> {
public:
    explicit TSkFramedGrid(TComponent* AOwner) : TSkFramedControl<TGrid>(AOwner) {
        this->SetOffscreenPaint(true);
        this->FFixedLineColor = clBtnShadow;
        this->SetBounds(this->Left(), this->Top(), 325, 125);
    }

    // Lines between the scrolling cells; the same colour as the cells is drawn 50 darker.
    TColor LineColor() const { return FLineColorValue; }
    virtual void SetLineColor(TColor Value) {
        if (StoreChanged(FLineColorValue, Value)) this->Invalidate();
    }
    // Lines of the fixed cells.
    TColor FixedLineColor() const { return this->FFixedLineColor; }
    virtual void SetFixedLineColor(TColor Value) {
        if (StoreChanged(this->FFixedLineColor, Value)) this->Invalidate();
    }

protected:
    void Paint() override {
        this->FLineColor = GridLineColorOn(FLineColorValue, this->Color());
        TGrid::Paint();
        TFrameStyleEx style;
        TColor color;
        TSides sides;
        if (this->BorderStyle() != bsNone && this->FrameToDraw(style, color, sides, true))
            PaintGridFrame(this->Canvas(), this->Width(), this->Height(), style, color, sides,
                           this->FixedColor(), this->Color());
    }

private:
    TColor FLineColorValue = clBtnFace;
};

class TSkStringGrid : public TSkFramedGrid<TStringGrid> {
    Q_OBJECT
    SK_FRAME_BLOCK_PROPERTIES
    Q_PROPERTY(TColor LineColor READ LineColor WRITE SetLineColor)
    Q_PROPERTY(TColor FixedLineColor READ FixedLineColor WRITE SetFixedLineColor)
    Q_CLASSINFO("LineColor", "TColor = clBtnFace")
    Q_CLASSINFO("FixedLineColor", "TColor = clBtnShadow")
public:
    explicit TSkStringGrid(TComponent* AOwner);
    SK_GRIDS_FRAMING_STORED
};
