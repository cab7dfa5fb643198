// Small helpers for building a window's controls in code.
#pragma once

#include "Controls.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "StdCtrls.h"

// A control owned by `owner`, placed on `parent` with its name and bounds.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const QString& name, int left, int top, int width, int height) {
    auto* control = new T(owner);
    if (!name.isEmpty()) control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A label sized to its caption.
inline TLabel* PlaceLabel(TComponent* owner, TWinControl* parent, const QString& name, const QString& caption,
                          int left, int top) {
    auto* label = Place<TLabel>(owner, parent, name, left, top, 0, 0);
    label->SetCaption(caption);
    return label;
}

// A panel without bevel, of a colour.
inline TPanel* PlacePanel(TComponent* owner, TWinControl* parent, const QString& name, int left, int top,
                          int width, int height, TColor color) {
    auto* panel = Place<TPanel>(owner, parent, name, left, top, width, height);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(color);
    return panel;
}

// A grid that only shows figures: its chosen cell is drawn like any other.
inline void ShowNoSelection(TStringGrid* grid) {
    grid->OnDrawCell = [grid](TObject*, int col, int row, TRect rect, TGridDrawState state) {
        if (!(state & gdSelected) || (state & gdFixed)) return;
        TCanvas* canvas = grid->Canvas();
        canvas->Brush()->SetColor(grid->Color());
        canvas->Font()->Assign(*grid->Font());
        canvas->TextRect(rect, rect.Left + 2, rect.Top + 2, grid->Cells(col, row));
    };
}
