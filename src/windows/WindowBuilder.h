// Small helpers that windows use to build their controls in code.
#pragma once

#include "ExtCtrls.h"
#include "Grids.h"
#include "StdCtrls.h"

// A control named `name`, owned by `owner`, placed on `parent` at the given bounds.
template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const QString& name, int left, int top, int width,
               int height) {
    auto* c = new T(owner);
    if (!name.isEmpty()) c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

// A label sized to its caption.
inline TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const QString& name, const QString& caption,
                         int left, int top) {
    auto* l = MakeControl<TLabel>(owner, parent, name, left, top, 0, 0);
    l->SetCaption(caption);
    return l;
}

// A panel without bevel, of a colour.
inline TPanel* MakePlainPanel(TComponent* owner, TWinControl* parent, const QString& name, int left, int top,
                              int width, int height, TColor color) {
    auto* p = MakeControl<TPanel>(owner, parent, name, left, top, width, height);
    p->SetBevelOuter(bvNone);
    p->SetColor(color);
    return p;
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
