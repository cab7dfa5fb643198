// Whether a grid shows a cell's text whole: the dark pixels in the cell as it is, against the same cell
// with room all round.
#pragma once

#include "Grids.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

// The dark pixels drawn into the shown part of a grid cell.
inline int InkIn(TCustomGrid* grid, int col, int row) {
    const QImage shot = grid->Widget()->grab().toImage();
    const TRect r = grid->CellRect(col, row);
    int ink = 0;
    for (int y = qMax(r.Top, 0); y < qMin(r.Bottom, shot.height()); ++y)
        for (int x = qMax(r.Left, 0); x < qMin(r.Right, shot.width()); ++x)
            ink += qGray(shot.pixel(x, y)) < 128;
    return ink;
}

// The cell must hold text and must not be selected (a selected cell is dark all over). Whole means as
// much ink as with the row far higher than any text and the grid far wider than its columns.
inline void ExpectWholeText(TCustomGrid* grid, int col, int row) {
    const int shown = InkIn(grid, col, row);
    const int height = grid->RowHeights(row), width = grid->Width();
    grid->SetRowHeights(row, 60);
    grid->SetWidth(width + 400);
    const int whole = InkIn(grid, col, row);
    grid->SetRowHeights(row, height);
    grid->SetWidth(width);
    EXPECT_GT(whole, 0) << grid->Name().toStdString() << " " << col << "," << row;
    EXPECT_EQ(shown, whole) << grid->Name().toStdString() << " " << col << "," << row;
}
