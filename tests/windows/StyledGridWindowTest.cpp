// The food entry grid of the personal centre, built once from the framework's grid and once as the
// windows build their styled grids, and driven the same way: both must end the same.
#include "Forms.h"
#include "GridInput.h"
#include "IntakeGrid.h"
#include "WindowGrids.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TEntryRun {
    QStringList Cells, Edits;
    int Col = 0, Row = 0, RowCount = 0;
};

template <class TGrid> TEntryRun DriveFoodEntryGrid(TGrid* grid) {
    TEntryRun run;
    const int widths[] = {36, 190, 70, 82, 82, 82, 100};
    grid->SetBounds(6, 70, 655, 300);
    grid->SetColCount(7);
    grid->SetRowCount(2);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetDefaultRowHeight(24);
    for (int c = 0; c < 7; ++c)
        grid->SetColWidths(c, widths[c]);
    grid->OnSelectCell = [grid](TObject*, int c, int r, bool&) { EditOnlyColumn(grid, c, r, icGrams); };
    grid->OnKeyPress = [](TObject*, QChar& key) { KeepNumberKeys(key); };
    grid->OnSetEditText = [&run](TObject*, int c, int r, const QString& v) {
        run.Edits << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(v);
    };
    grid->SetCells(icName, 1, "米饭");
    grid->SetCells(icId, 1, "12");
    KeepEmptyLastRow(grid);
    grid->SetCells(icName, 2, "牛奶");
    KeepEmptyLastRow(grid);

    ClickCell(grid, icGrams, 1);
    for (const char* key : {"1", "a", "5", ".", "0"})
        QTest::keyClick(QApplication::focusWidget(), key[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    for (const char* key : {"2", "0"})
        QTest::keyClick(QApplication::focusWidget(), key[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ClickCell(grid, icName, 2);
    QTest::keyClick(QApplication::focusWidget(), '9');  // the name column does not edit

    for (int r = 0; r < grid->RowCount(); ++r)
        run.Cells << grid->Rows(r).join('|');
    run.Col = grid->Col();
    run.Row = grid->Row();
    run.RowCount = grid->RowCount();
    return run;
}

TEST(StyledGridWindowTest, FoodEntryGridBehavesTheSameBuiltFromTheStyledGrid) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 700, 420);
    auto* plain = new TStringGrid(&form);
    plain->SetParent(&form);
    TSkStringGrid* styled = PlaceStringGrid(&form, &form, "SG2", 6, 70, 655, 300);
    form.ShowForm();
    QApplication::setActiveWindow(form.Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));

    styled->Hide();
    const TEntryRun expected = DriveFoodEntryGrid(plain);
    plain->Hide();
    styled->Show();
    const TEntryRun actual = DriveFoodEntryGrid(styled);
    EXPECT_EQ(actual.Cells, expected.Cells);
    EXPECT_EQ(actual.Edits, expected.Edits);
    EXPECT_EQ(actual.Col, expected.Col);
    EXPECT_EQ(actual.Row, expected.Row);
    EXPECT_EQ(actual.RowCount, expected.RowCount);
    // The run did what the window relies on: grams typed as a number, nothing in the name column.
    EXPECT_EQ(plain->Cells(icGrams, 1), "15.0");
    EXPECT_EQ(plain->Cells(icGrams, 2), "20");
    EXPECT_EQ(plain->Cells(icName, 2), "牛奶");
}

}  // namespace
