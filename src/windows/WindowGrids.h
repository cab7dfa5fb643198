// The windows' grids: the styled string and data grids, placed like any control and given the one look
// every window shares.
#pragma once

#include "SkDBGrid.h"
#include "SkGrids.h"
#include "WindowBuilder.h"

// A flat frame in light green round every grid, and every line between its cells in the same green:
// calmer than a second colour beside the windows' striped rows.
inline constexpr TColor WindowGridColor = 8579227;
// The styled grid starts with 18-pixel rows and 60-pixel columns, too low for a line of Chinese text in
// the windows' font with the cell's margins; a window that sets no sizes of its own gets these.
inline constexpr int WindowGridRowHeight = 24;
inline constexpr int WindowGridColWidth = 64;

template <class TGrid> TGrid* FrameWindowGrid(TGrid* grid) {
    grid->SetFrameVisible(true);
    grid->SetFrameColor(WindowGridColor);
    grid->SetFixedLineColor(WindowGridColor);
    grid->SetLineColor(WindowGridColor);
    return grid;
}

inline TSkStringGrid* PlaceStringGrid(TComponent* owner, TWinControl* parent, const QString& name, int left,
                                      int top, int width, int height) {
    auto* grid = FrameWindowGrid(Place<TSkStringGrid>(owner, parent, name, left, top, width, height));
    grid->SetDefaultRowHeight(WindowGridRowHeight);
    grid->SetDefaultColWidth(WindowGridColWidth);
    return grid;
}

inline TSkDBGrid* PlaceDBGrid(TComponent* owner, TWinControl* parent, const QString& name, int left, int top,
                              int width, int height) {
    return FrameWindowGrid(Place<TSkDBGrid>(owner, parent, name, left, top, width, height));
}
