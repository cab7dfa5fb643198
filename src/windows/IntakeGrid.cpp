#include "IntakeGrid.h"

#include "Dialogs.h"
#include "NutrientSums.h"
#include "UintDM.h"

#include <cmath>

bool IntakeGridHasItem(TStringGrid* grid, const QString& id, const QString& kind) {
    for (int r = 1; r < grid->RowCount(); ++r)
        if (grid->Cells(icId, r) == id && grid->Cells(icKind, r) == kind) return true;
    return false;
}

void KeepEmptyLastRow(TStringGrid* grid) {
    if (!grid->Cells(icName, grid->RowCount() - 1).isEmpty()) grid->SetRowCount(grid->RowCount() + 1);
}

int AddIntakeItem(TStringGrid* grid, const QString& name, const QString& id, const QString& kind) {
    // A free row is one without a name; loaded rows are never written over.
    const int row = DM->FindFreeGridRow(grid, 1);
    for (int c = 0; c <= icStoredCho; ++c)
        grid->SetCells(c, row, QString());
    grid->SetCells(icNo, row, QString::number(row));
    grid->SetCells(icName, row, name);
    grid->SetCells(icId, row, id);
    grid->SetCells(icKind, row, kind);
    KeepEmptyLastRow(grid);
    return row;
}

int PickIntakeItem(TStringGrid* grid, const QString& name, const QString& id, const QString& kind) {
    if (IntakeGridHasItem(grid, id, kind)) {
        MessageBox(QStringLiteral("已选择,不能重复。"), InfoCaption, MB_OK);
        return -1;
    }
    return AddIntakeItem(grid, name, id, kind);
}

double CellNumber(TStringGrid* grid, int col, int row) {
    double value = 0;
    return TryStrToFloat(grid->Cells(col, row).trimmed(), value) ? value : 0;
}

namespace {

int StoredColumn(int col) {
    return col - icGrams + icStoredGrams;
}

}  // namespace

void ComputeIntakeRow(TStringGrid* grid, int row) {
    // The row's figures are its own from now on.
    for (int c = icStoredGrams; c <= icStoredCho; ++c)
        grid->SetCells(c, row, QString());
    const double grams = CellNumber(grid, icGrams, row);
    const QString id = grid->Cells(icId, row).trimmed();
    if (grid->Cells(icKind, row) == QLatin1String("1")) {
        TIntakeTotals totals{};
        int foodId = 0;
        if (TryStrToInt(id, foodId)) AddFoodNutrients(id, grams, totals);
        const QString f = QStringLiteral("0.00");
        grid->SetCells(icKcal, row, FormatFloat(f, totals[inKcal]));
        grid->SetCells(icProtein, row, FormatFloat(f, totals[inProtein]));
        grid->SetCells(icFat, row, FormatFloat(f, totals[inFat]));
        grid->SetCells(icCho, row, FormatFloat(f, totals[inCarbohydrate]));
        return;
    }
    if (grid->Cells(icGrams, row).isEmpty()) return;
    TStringList portion;
    portion.Add(QLatin1Char(',') + FloatToStr(grams) + QLatin1Char(',') + id);
    const TNutrientTexts texts = SumRecipeListNutrients(portion);
    // The sums come as energy, kJ, carbohydrate, protein, fat.
    grid->SetCells(icKcal, row, texts[0]);
    grid->SetCells(icProtein, row, texts[3]);
    grid->SetCells(icFat, row, texts[4]);
    grid->SetCells(icCho, row, texts[2]);
}

void ShowStoredIntake(TStringGrid* grid, int row, const TStoredIntake& stored) {
    grid->SetCells(icGrams, row, FormatFloat(QStringLiteral("0"), stored[0]));
    grid->SetCells(icKcal, row, FormatFloat(QStringLiteral("0"), std::round(stored[1])));
    for (int c = icProtein; c <= icCho; ++c)
        grid->SetCells(c, row, FormatFloat(QStringLiteral("0.0"), std::round(stored[c - icGrams])));
    for (int c = icGrams; c <= icCho; ++c)
        grid->SetCells(StoredColumn(c), row, FloatToStr(stored[c - icGrams]));
}

void SumIntakeRows(TStringGrid* grid, TStringGrid* totals) {
    double sums[5] = {0, 0, 0, 0, 0};
    for (int r = 1; r < grid->RowCount(); ++r) {
        if (grid->Cells(icName, r).isEmpty() || grid->Cells(icGrams, r).isEmpty()) continue;
        for (int c = icGrams; c <= icCho; ++c) {
            const bool stored = !grid->Cells(StoredColumn(c), r).isEmpty();
            sums[c - icGrams] += CellNumber(grid, stored ? StoredColumn(c) : c, r);
        }
    }
    for (int c = icGrams; c <= icCho; ++c)
        totals->SetCells(c, 0, FormatFloat(QStringLiteral("0"), sums[c - icGrams]));
}

void KeepNumberKeys(QChar& key) {
    // A key that types nothing (Tab, Ctrl+C, Ctrl+V) passes: it moves on or acts in the cell editor.
    if (key.isPrint() && !key.isDigit() && key != QLatin1Char('.')) key = QChar(0);
}

void EditOnlyColumn(TStringGrid* grid, int col, int row, int amountColumn) {
    const TGridOptions base = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    grid->SetOptions(row > 0 && col == amountColumn ? base | goEditing : base);
}
