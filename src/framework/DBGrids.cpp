#include "DBGrids.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

// Columns -----------------------------------------------------------------------------------------

void TColumnTitle::SetCaption(const QString& caption) {
    FCaption = caption;
    FColumn->Changed();
}

void TColumn::SetFieldName(const QString& name) {
    FFieldName = name;
    Changed();
}

void TColumn::SetWidth(int width) {
    FWidth = width;
    Changed();
}

void TColumn::SetVisible(bool visible) {
    FVisible = visible;
    Changed();
}

TField* TColumn::Field() const {
    TADOQuery* query = FGrid->DataSource() ? FGrid->DataSource()->DataSet() : nullptr;
    return query && query->Active() ? query->FindField(FFieldName) : nullptr;
}

void TColumn::Changed() {
    FGrid->RefreshData();
}

TColumn* TDBGridColumns::Add() {
    FItems.push_back(std::make_unique<TColumn>(FGrid));
    FGrid->RefreshData();
    return FItems.back().get();
}

void TDBGridColumns::Clear() {
    FItems.clear();
    FGrid->RefreshData();
}

// TDBGrid -----------------------------------------------------------------------------------------

TDBGrid::TDBGrid(TComponent* AOwner) : TCustomGrid(AOwner), FLink(this), FColumns(this) {
    SetDefaultRowHeight(18);
    RefreshData();
}

// The link leaves its data source as it goes.
TDBGrid::~TDBGrid() = default;

void TDBGrid::SetOptions(TDBGridOptions options) {
    FDBOptions = options;
    RefreshData();
}

int TDBGrid::ShownColumnCount() const {
    return FColumns.Count() > 0 ? FColumns.Count() : int(FFieldColumns.size());
}

TColumn* TDBGrid::ShownColumn(int dataCol) const {
    if (dataCol < 0 || dataCol >= ShownColumnCount()) return nullptr;
    return FColumns.Count() > 0 ? FColumns.Items(dataCol) : FFieldColumns[dataCol].get();
}

std::vector<TColumn*> TDBGrid::ShownColumns() const {
    std::vector<TColumn*> columns;
    for (int i = 0; i < ShownColumnCount(); ++i)
        columns.push_back(ShownColumn(i));
    return columns;
}

// Reads the texts of every record; the query's current record stays where it is.
void TDBGrid::ReadRecords(const std::vector<TColumn*>& columns) {
    FTexts.clear();
    TADOQuery* query = FLink.DataSet();
    if (!query || !query->Active()) return;
    std::vector<int> fieldIndexes;
    for (TColumn* column : columns) {
        const TField* field = query->FindField(column->FieldName());
        fieldIndexes.push_back(field ? field->Index() : -1);
    }
    FTexts.reserve(query->RecordCount());
    for (int record = 0; record < query->RecordCount(); ++record) {
        std::vector<QString> texts;
        texts.reserve(fieldIndexes.size());
        for (int index : fieldIndexes)
            texts.push_back(index >= 0 ? FieldText(query->Value(record, index)) : QString());
        FTexts.push_back(std::move(texts));
    }
}

void TDBGrid::RefreshData() {
    if (FReading) return;
    FReading = true;
    TADOQuery* query = FLink.DataSet();
    if (FColumns.Count() == 0) {
        FFieldColumns.clear();
        if (query && query->Active())
            for (int i = 0; i < query->FieldCount(); ++i) {
                auto column = std::make_unique<TColumn>(this);
                column->SetFieldName(query->Fields(i)->FieldName());
                FFieldColumns.push_back(std::move(column));
            }
    }
    const std::vector<TColumn*> columns = ShownColumns();
    ReadRecords(columns);

    const int indicator = IndicatorOffset(), titles = TitleOffset();
    SetColCount(indicator + std::max<int>(1, int(columns.size())));
    SetRowCount(titles + std::max(1, RecordCount()));
    SetFixedCols(indicator);
    SetFixedRows(titles);
    if (indicator) SetColWidths(0, 11);
    for (int i = 0; i < int(columns.size()); ++i)
        SetColWidths(indicator + i, columns[i]->Visible() ? columns[i]->Width() : -1);

    TGridOptions options = 0;
    if (FDBOptions & dgColLines) options |= goFixedVertLine | goVertLine;
    if (FDBOptions & dgRowLines) options |= goFixedHorzLine | goHorzLine;
    if (FDBOptions & dgRowSelect) options |= goRowSelect;
    if (FDBOptions & dgColumnResize) options |= goColSizing;
    if (FDBOptions & dgTabs) options |= goTabs;
    TCustomGrid::SetOptions(options);
    FReading = false;
    FollowRecord();
    Invalidate();
}

void TDBGrid::FollowRecord() {
    if (FReading || FMovingRecord) return;
    TADOQuery* query = FLink.DataSet();
    if (!query || !query->Active() || query->RecordCount() == 0) return;
    SetCurrentQuietly(Col(), TitleOffset() + query->RecNo() - 1);
    Invalidate();
}

void TDBGrid::CurrentMoved() {
    TADOQuery* query = FLink.DataSet();
    if (FReading || !query || !query->Active()) return;
    const int recNo = Row() - TitleOffset() + 1;
    if (recNo < 1 || recNo > query->RecordCount() || recNo == query->RecNo()) return;
    FMovingRecord = true;
    QPointer<QObject> alive(this);
    query->SetRecNo(recNo);
    if (alive) FMovingRecord = false;
}

void TDBGrid::ColWidthChanged(int col) {
    const int dataCol = col - IndicatorOffset();
    if (FColumns.Count() > 0 && dataCol >= 0 && dataCol < FColumns.Count()) {
        FReading = true;
        FColumns.Items(dataCol)->SetWidth(ColWidths(col));
        FReading = false;
    }
}

QString TDBGrid::DisplayText(int DataCol) const {
    int record = FDrawingRecord;
    if (record < 0) {
        TADOQuery* query = FLink.DataSet();
        record = query && query->Active() ? query->RecNo() - 1 : -1;
    }
    if (record < 0 || record >= RecordCount() || DataCol < 0 || DataCol >= int(FTexts[record].size()))
        return {};
    return FTexts[record][DataCol];
}

void TDBGrid::DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn*, TGridDrawState) {
    Canvas()->TextRect(Rect, Rect.Left + 2, Rect.Top + 2, DisplayText(DataCol));
}

void TDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) {
    FireEvent(OnDrawColumnCell, this, Rect, DataCol, Column, State);
}

void TDBGrid::DrawIndicator(const TRect& rect) {
    // A small arrow pointing at the current record.
    QPainter* p = Canvas()->Painter();
    const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
    for (int i = 0; i < 4; ++i)
        p->fillRect(QRect(cx - 2 + i, cy - 3 + i, 1, 7 - 2 * i), ToQColor(clBlack));
}

void TDBGrid::DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) {
    const int indicator = IndicatorOffset(), titles = TitleOffset();
    if (ACol < indicator) {
        if (ARow >= titles && ARow == Row() && RecordCount() > 0) DrawIndicator(rect);
        return;
    }
    const int dataCol = ACol - indicator;
    TColumn* column = ShownColumn(dataCol);
    if (ARow < titles) {
        if (DefaultDrawing() && column) {
            const QString caption = column->Title()->Caption();
            Canvas()->TextRect(rect, rect.Left + 2, rect.Top + 2,
                               caption.isEmpty() ? column->FieldName() : caption);
        }
        return;
    }
    const int record = ARow - titles;
    if (!column || record >= RecordCount()) return;
    FDrawingRecord = record;
    DrawDataCell(rect, dataCol, column, state, record);
    FDrawingRecord = -1;
}

void TDBGrid::DrawDataCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State, int) {
    if (DefaultDrawing()) DefaultDrawColumnCell(Rect, DataCol, Column, State);
    DrawColumnCell(Rect, DataCol, Column, State);
}

bool TDBGrid::WidgetEvent(QEvent* event) {
    const bool handled = TCustomGrid::WidgetEvent(event);
    if (event->type() != QEvent::MouseButtonRelease) return handled;
    auto* e = static_cast<QMouseEvent*>(event);
    if (e->button() != Qt::LeftButton || !OnCellClick) return handled;
    const QPoint p = e->position().toPoint();
    const TGridCoord cell = MouseCoord(p.x(), p.y());
    TColumn* column = ShownColumn(cell.X - IndicatorOffset());
    if (cell.Y >= TitleOffset() && column) FireEvent(OnCellClick, column);
    return handled;
}
