// The styled data grid: the framework's data grid with the string grid's frame, colours and line
// colours, alternate row shading and a quick-compare rule that colours the rows whose field value
// satisfies a comparison.
#pragma once

#include "DBGrids.h"
#include "SkGrids.h"

#include <QVariant>

class TSkDBGrid;

enum TSkQuickCompareOperation {
    qcoEqual,
    qcoLessThan,
    qcoLessThanOrEqual,
    qcoGreaterThan,
    qcoGreaterThanOrEqual,
    qcoNotEqual
};

// Whether Value compares with Reference by Operation. Numbers compare as numbers (also a number held
// as text against a number), texts as texts; Null or a pair that cannot be compared never matches.
bool QuickCompareMatches(const QVariant& Value, TSkQuickCompareOperation Operation,
                         const QVariant& Reference);

// The rule, owned by its grid; every change repaints the grid.
class TSkDBGridQuickCompare : public TPersistent {
public:
    explicit TSkDBGridQuickCompare(TSkDBGrid* Grid) : FGrid(Grid) {}
    void Assign(TPersistent* Source) override;

    bool Active() const { return FActive; }
    void SetActive(bool Value) { Change(FActive, Value); }
    QString FieldName() const { return FFieldName; }
    void SetFieldName(const QString& Value) { Change(FFieldName, Value); }
    // Null until set.
    QVariant FieldValue() const { return FFieldValue; }
    void SetFieldValue(const QVariant& Value);
    TSkQuickCompareOperation Operation() const { return FOperation; }
    void SetOperation(TSkQuickCompareOperation Value) { Change(FOperation, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Change(FColor, Value); }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { Change(FFontColor, Value); }

private:
    template <class T> void Change(T& Field, const T& Value) {
        if (StoreChanged(Field, Value)) Repaint();
    }
    void Repaint();

    TSkDBGrid* FGrid;
    bool FActive = false;
    QString FFieldName;
    QVariant FFieldValue;
    TSkQuickCompareOperation FOperation = qcoEqual;
    TColor FColor = 10053222;
    TColor FFontColor = 16777215;
};

class TSkDBGrid : public TSkFramedGrid<TDBGrid> {
    Q_OBJECT
    SK_FRAME_BLOCK_PROPERTIES
    Q_PROPERTY(TColor LineColor READ LineColor WRITE SetLineColor)
    Q_PROPERTY(TColor FixedLineColor READ FixedLineColor WRITE SetFixedLineColor)
    Q_PROPERTY(bool AltRowShading READ AltRowShading WRITE SetAltRowShading)
    Q_PROPERTY(TColor AltRowShadingColor READ AltRowShadingColor WRITE SetAltRowShadingColor)
    Q_PROPERTY(bool AltRowShadingFixed READ AltRowShadingFixed WRITE SetAltRowShadingFixed)
    Q_CLASSINFO("LineColor", "TColor = clBtnFace")
    Q_CLASSINFO("FixedLineColor", "TColor = clBtnShadow")
    Q_CLASSINFO("AltRowShading", "= False")
    Q_CLASSINFO("AltRowShadingColor", "TColor = 15463915")
    Q_CLASSINFO("AltRowShadingFixed", "= True")
public:
    explicit TSkDBGrid(TComponent* AOwner);
    SK_GRIDS_FRAMING_STORED

    TSkDBGridQuickCompare* QuickCompare() { return &FQuickCompare; }
    virtual void SetQuickCompare(TSkDBGridQuickCompare* Value) { FQuickCompare.Assign(Value); }

    // Every other row in AltRowShadingColor: the same screen rows (AltRowShadingFixed), or the records
    // with an odd record number, so the shading moves with them.
    bool AltRowShading() const { return FAltRowShading; }
    void SetAltRowShading(bool Value);
    TColor AltRowShadingColor() const { return FAltRowShadingColor; }
    void SetAltRowShadingColor(TColor Value);
    bool AltRowShadingFixed() const { return FAltRowShadingFixed; }
    void SetAltRowShadingFixed(bool Value);

    // Set: the grid writes each data cell; cleared with OnDrawColumnCell assigned, the handler alone
    // draws it (on the prepared brush and font).
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);

protected:
    void DrawDataCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State,
                      int Record) override;
    // While the data set is open the bar moves the current record: a line or a page of rows at a
    // time, to the first or last record, or to the record at the thumb's position.
    bool VertScrollAction(TGridScrollAction Action, int Position) override;

private:
    // The selection colour goes to selected cells, as the framework grid paints them.
    bool HighlightCell(TGridDrawState State) const;
    bool RowShaded(int Record) const;
    bool QuickCompareMatch(int Record) const;

    TSkDBGridQuickCompare FQuickCompare{this};
    bool FAltRowShading = false, FAltRowShadingFixed = true, FDefaultDrawing = true;
    TColor FAltRowShadingColor = 15463915;
};
