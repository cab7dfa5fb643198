// The rows of a day's food grid, shared by the personal centre and the windows that feed it.
// Columns: 0 row number, 1 name, 2 grams, 3 kcal, 4 protein, 5 fat, 6 carbohydrate; beyond the visible
// ones 8 the item id, 9 the kind ("1" food, "2" recipe), 10 the saved flag ("1" stored and
// unchanged, empty when the row must be saved) and 11 to 15 the stored grams, kcal, protein, fat and
// carbohydrate behind a stored row's rounded figures, so that totals round only once. One empty row
// stays at the end.
#pragma once

#include "Grids.h"

#include <array>

enum TIntakeColumn : int {
    icNo = 0,
    icName = 1,
    icGrams = 2,
    icKcal = 3,
    icProtein = 4,
    icFat = 5,
    icCho = 6,
    icId = 8,
    icKind = 9,
    icSaved = 10,
    icStoredGrams = 11,
    icStoredCho = 15
};

// The five stored figures of a row: grams, kcal, protein, fat, carbohydrate.
using TStoredIntake = std::array<double, 5>;

// Whether a data row already holds the item of that id and kind.
bool IntakeGridHasItem(TStringGrid* grid, const QString& id, const QString& kind);
// Writes the item into the first free data row and keeps one empty row at the end; gives the row.
int AddIntakeItem(TStringGrid* grid, const QString& name, const QString& id, const QString& kind);
// As AddIntakeItem, but an item already in the grid is refused with "已选择,不能重复。"; gives the row or -1.
int PickIntakeItem(TStringGrid* grid, const QString& name, const QString& id, const QString& kind);
// Adds a row when the last one holds a name.
void KeepEmptyLastRow(TStringGrid* grid);

// The row's energy and nutrients for its grams (0 when the grams are no number), from the food table
// for a food and from the recipe's ingredients for a recipe.
void ComputeIntakeRow(TStringGrid* grid, int row);
// Shows a row as it is stored: grams as "0", kcal as "0" and the nutrients rounded to whole grams as
// "0.0", keeping the stored figures beside them.
void ShowStoredIntake(TStringGrid* grid, int row, const TStoredIntake& stored);
// Sums columns 2 to 6 of the rows with a name and grams into cells 2 to 6 of `totals`' row 0, each
// formatted "0"; a stored row counts with its stored figures.
void SumIntakeRows(TStringGrid* grid, TStringGrid* totals);
// The number in a cell; 0 when it holds none.
double CellNumber(TStringGrid* grid, int col, int row);

// Entry grids (food and activity) -------------------------------------------------------------------

// Amounts are typed as digits and "."; any other character is dropped. Keys that type no character
// (backspace, Tab, Ctrl+V) pass.
void KeepNumberKeys(QChar& key);
// Switches editing on only in the amount column of a data row.
void EditOnlyColumn(TStringGrid* grid, int col, int row, int amountColumn);
