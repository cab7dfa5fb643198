// The data grid: a read-only grid that shows every record of a query, one row each, under a title row.
#pragma once

#include "DB.h"
#include "Grids.h"

#include <memory>

class TDBGrid;
class TColumn;

class TColumnTitle {
public:
    explicit TColumnTitle(TColumn* column) : FColumn(column) {}
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);

private:
    TColumn* FColumn;
    QString FCaption;
};

// One column of a data grid: which field it shows, under what title, how wide.
class TColumn : public TObject {
public:
    explicit TColumn(TDBGrid* grid) : FGrid(grid), FTitle(this) {}
    TDBGrid* Grid() const { return FGrid; }
    QString FieldName() const { return FFieldName; }
    void SetFieldName(const QString& name);
    TColumnTitle* Title() { return &FTitle; }
    int Width() const { return FWidth; }
    void SetWidth(int width);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // The column's field in the grid's data set (its current record), or nullptr.
    TField* Field() const;

    // Framework use: tells the grid that the column changed.
    void Changed();

private:
    TDBGrid* FGrid;
    TColumnTitle FTitle;
    QString FFieldName;
    int FWidth = 64;
    bool FVisible = true;
};

class TDBGridColumns {
public:
    explicit TDBGridColumns(TDBGrid* grid) : FGrid(grid) {}
    TColumn* Add();
    int Count() const { return int(FItems.size()); }
    TColumn* Items(int index) const { return FItems.at(index).get(); }
    TColumn* operator[](int index) const { return Items(index); }
    void Clear();

private:
    TDBGrid* FGrid;
    std::vector<std::unique_ptr<TColumn>> FItems;
};

using TDBGridOptions = unsigned;
enum : unsigned {
    dgTitles = 1u << 0,
    dgIndicator = 1u << 1,
    dgColumnResize = 1u << 2,
    dgColLines = 1u << 3,
    dgRowLines = 1u << 4,
    dgTabs = 1u << 5,
    dgRowSelect = 1u << 6,
};

using TDrawColumnCellEvent = std::function<void(TObject* Sender, const TRect& Rect, int DataCol,
                                                TColumn* Column, TGridDrawState State)>;
using TDBGridClickEvent = std::function<void(TColumn* Column)>;

class TDBGrid : public TCustomGrid {
    Q_OBJECT
public:
    explicit TDBGrid(TComponent* AOwner);
    ~TDBGrid() override;

    TDataSource* DataSource() const { return FLink.DataSource(); }
    void SetDataSource(TDataSource* source) { FLink.SetDataSource(source); }

    // Without columns of its own the grid shows every field of the data set.
    TDBGridColumns* Columns() { return &FColumns; }

    TDBGridOptions Options() const { return FDBOptions; }
    void SetOptions(TDBGridOptions options);

    // The text of a column for the record being drawn (while painting) or else the current record.
    QString DisplayText(int DataCol) const;
    // Writes the column's text into the cell with the canvas as prepared.
    void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);

    TDBGridClickEvent OnCellClick;
    TDrawColumnCellEvent OnDrawColumnCell;

    // Framework use: the columns or the data changed; reads the records again.
    void RefreshData();

protected:
    // Every data cell after the default drawing; fires OnDrawColumnCell.
    virtual void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
    // Paints one data cell of a record (counted from 0) with the canvas prepared by the grid: the
    // default drawing when DefaultDrawing is set, then DrawColumnCell. DisplayText reads that record.
    virtual void DrawDataCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State,
                              int Record);
    // The first record on screen (counted from 0).
    int TopRecord() const { return TopRow() - TitleOffset(); }
    void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) override;
    bool CanEditShow() const override { return false; }
    bool FocusShowsInCells() const override { return TCustomGrid::FocusShowsInCells() || bool(OnDrawColumnCell); }
    void CurrentMoved() override;
    void ColWidthChanged(int col) override;
    bool WidgetEvent(QEvent* event) override;

private:
    class TGridDataLink : public TDataLink {
    public:
        explicit TGridDataLink(TDBGrid* grid) : FGrid(grid) {}

    protected:
        void ActiveChanged() override { FGrid->RefreshData(); }
        void RecordMoved() override { FGrid->FollowRecord(); }

    private:
        TDBGrid* FGrid;
    };

    // The columns on screen: the grid's own, or one per field.
    std::vector<TColumn*> ShownColumns() const;
    int ShownColumnCount() const;
    TColumn* ShownColumn(int dataCol) const;  // nullptr where there is none
    int IndicatorOffset() const { return FDBOptions & dgIndicator ? 1 : 0; }
    int TitleOffset() const { return FDBOptions & dgTitles ? 1 : 0; }
    int RecordCount() const { return int(FTexts.size()); }
    void ReadRecords(const std::vector<TColumn*>& columns);
    void FollowRecord();
    void DrawIndicator(const TRect& rect);

    TGridDataLink FLink;
    TDBGridColumns FColumns;
    std::vector<std::unique_ptr<TColumn>> FFieldColumns;
    TDBGridOptions FDBOptions = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs;
    std::vector<std::vector<QString>> FTexts;
    int FDrawingRecord = -1;
    bool FReading = false, FMovingRecord = false;
};
