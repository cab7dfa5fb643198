// What the two day-detail windows share: their grid under the title and the total line below it.
#pragma once

#include "SkControls.h"

// A read-only grid of `widths.size()` columns whose header row holds `titles` from column 1 on.
TSkStringGrid* MakeDayDetailGrid(TForm* form, const QString& name, const std::vector<int>& widths,
                                 const QStringList& titles);
// The total's caption and value labels along the window's bottom.
TLabel* MakeDayDetailTotal(TForm* form, const QString& caption, const QString& valueName);
// Empties the grid's data rows (columns 0 to 20) and leaves one empty data row.
void ClearDayDetailGrid(TStringGrid* grid);
