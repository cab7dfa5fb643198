#include "DayDetailGrid.h"

#include "WindowBuilder.h"

TSkStringGrid* MakeDayDetailGrid(TForm* form, const QString& name, const std::vector<int>& widths,
                                 const QStringList& titles) {
    auto* grid =
        Place<TSkStringGrid>(form, form, name, 6, 34, form->ClientWidth() - 12, form->ClientHeight() - 70);
    grid->SetColCount(int(widths.size()));
    grid->SetRowCount(2);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetOptions(grid->Options() | goRowSelect);
    for (int c = 0; c < int(widths.size()); ++c)
        grid->SetColWidths(c, widths[c]);
    for (int c = 0; c < titles.size(); ++c)
        grid->SetCells(c + 1, 0, titles[c]);
    return grid;
}

TLabel* MakeDayDetailTotal(TForm* form, const QString& caption, const QString& valueName) {
    const int top = form->ClientHeight() - 28;
    PlaceLabel(form, form, QString(), caption, 12, top)->Font()->SetStyle(FontStyle(fsBold));
    auto* value = PlaceLabel(form, form, valueName, "0", 80, top);
    value->Font()->SetColor(clRed);
    value->Font()->SetStyle(FontStyle(fsBold));
    return value;
}

void ClearDayDetailGrid(TStringGrid* grid) {
    for (int r = 1; r < grid->RowCount(); ++r)
        for (int c = 0; c <= 20; ++c)
            grid->SetCells(c, r, QString());
    grid->SetRowCount(2);
}
