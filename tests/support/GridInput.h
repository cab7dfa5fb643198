// A grid driven as the user does: clicks on cells, and keys sent where the keyboard sends them, to
// whatever has the focus (Ctrl goes down on its own first).
#pragma once

#include "Grids.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

inline QPoint CellCentre(TCustomGrid* grid, int col, int row) {
    const TRect r = grid->CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}
// A click activates the grid's window, as it does on a desktop.
inline void ClickCell(TCustomGrid* grid, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    QApplication::setActiveWindow(grid->Widget()->window());
    QTest::mouseClick(grid->Widget(), button, {}, CellCentre(grid, col, row));
}
inline void DblClickCell(TCustomGrid* grid, int col, int row) {
    ClickCell(grid, col, row);
    QTest::mouseDClick(grid->Widget(), Qt::LeftButton, {}, CellCentre(grid, col, row));
}

inline void PressWithCtrl(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
}

// In the open cell editor of the grid's current cell: types `digits`, cuts them (Ctrl+A, Ctrl+X),
// pastes them twice (Ctrl+V), copies all (Ctrl+A, Ctrl+C), pastes that at the end and ends the edit
// with Enter: the cell then holds `digits` four times. A paste after that, outside the editor, opens
// none and changes nothing.
inline void CheckClipboardKeysInCell(TStringGrid* grid, const QString& digits) {
    const int col = grid->Col(), row = grid->Row();
    auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    for (QChar c : digits)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    for (Qt::Key key : {Qt::Key_A, Qt::Key_X, Qt::Key_V, Qt::Key_V, Qt::Key_A, Qt::Key_C})
        PressWithCtrl(key);
    press(Qt::Key_End);
    PressWithCtrl(Qt::Key_V);
    press(Qt::Key_Return);
    const QString typed = digits.repeated(4);
    EXPECT_EQ(grid->Cells(col, row), typed);
    PressWithCtrl(Qt::Key_V);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(col, row), typed);
}
