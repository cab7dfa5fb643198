// Small helpers for building a window's controls in code.
#pragma once

#include "Controls.h"
#include "DBGrids.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "Menus.h"
#include "SkButton.h"
#include "StdCtrls.h"

// A control owned by `owner`, placed on `parent` with its name and bounds.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const QString& name, int left, int top, int width,
         int height) {
    auto* control = new T(owner);
    if (!name.isEmpty()) control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// Shows a control over its siblings.
inline void ShowInFront(TControl* control) {
    control->Show();
    control->BringToFront();
}

// Puts the keyboard on a control the user is about to use, when it can take it.
inline void FocusIfCan(TWinControl* control) {
    if (control && control->CanFocus()) control->SetFocus();
}

// What a double click does on a list, tree or grid, Enter does from the keyboard; a key handler the
// control has already runs first.
inline void ActOnDoubleClickOrEnter(TWinControl* control, TNotifyEvent handler) {
    control->OnDblClick = handler;
    control->OnKeyDown = [handler, earlier = control->OnKeyDown](TObject* sender, unsigned short& key,
                                                                 TShiftState shift) {
        if (earlier) earlier(sender, key, shift);
        if (key != VK_RETURN || shift != 0) return;
        key = 0;
        handler(sender);  // may free the control: nothing of it is used after
    };
}

// A label sized to its caption.
inline TLabel* PlaceLabel(TComponent* owner, TWinControl* parent, const QString& name, const QString& caption,
                          int left, int top) {
    auto* label = Place<TLabel>(owner, parent, name, left, top, 0, 0);
    label->SetCaption(caption);
    return label;
}

// A label that works as a link: the hand cursor over it, and a keyboard stop that Space or Enter clicks.
inline void MakeLink(TLabel* label) {
    label->SetCursor(crHandPoint);
    label->SetTabStop(true);
}

// A button with its caption and click handler; the windows' buttons are 90 by 28 unless said otherwise.
template <class TButtonClass = TSkButton>
TButtonClass* PlaceButton(TComponent* owner, TWinControl* parent, const QString& name, const QString& caption,
                          int left, int top, int width = 90, int height = 28,
                          TNotifyEvent onClick = nullptr) {
    auto* button = Place<TButtonClass>(owner, parent, name, left, top, width, height);
    button->SetCaption(caption);
    button->OnClick = std::move(onClick);
    return button;
}

// A query on a connection, and a data source that shows it.
inline TADOQuery* MakeQuery(TComponent* owner, TADOConnection* connection, const QString& name) {
    auto* query = new TADOQuery(owner);
    query->SetName(name);
    query->SetConnection(connection);
    return query;
}
inline TDataSource* MakeDataSource(TComponent* owner, const QString& name, TADOQuery* query) {
    auto* source = new TDataSource(owner);
    source->SetName(name);
    source->SetDataSet(query);
    return source;
}

// The columns of a data grid: field, title and width (0 keeps the default).
struct TColumnSpec {
    const char* Field;
    const char* Title;
    int Width = 0;
};
inline void AddColumns(TDBGrid* grid, std::initializer_list<TColumnSpec> columns) {
    for (const TColumnSpec& wanted : columns) {
        TColumn* column = grid->Columns()->Add();
        column->SetFieldName(wanted.Field);
        column->Title()->SetCaption(wanted.Title);
        if (wanted.Width > 0) column->SetWidth(wanted.Width);
    }
}

// A panel without bevel, of a colour.
inline TPanel* PlacePanel(TComponent* owner, TWinControl* parent, const QString& name, int left, int top,
                          int width, int height, TColor color) {
    auto* panel = Place<TPanel>(owner, parent, name, left, top, width, height);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(color);
    return panel;
}

// A styled field that only shows a text: read-only, yet white like a field one types in, since it
// is no input the user is kept from.
template <class TField> void ShowTextOnly(TField* field) {
    field->SetReadOnly(true);
    field->SetReadOnlyColor(clWindow);
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

// A menu item under `parent` (a pop-up menu's items or a sub-menu).
inline TMenuItem* AddMenuItem(TComponent* owner, TMenuItem* parent, const QString& name,
                              const QString& caption, TNotifyEvent onClick) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

inline TMenuItem* AddMenuItem(TComponent* owner, TPopupMenu* menu, const QString& name,
                              const QString& caption, TNotifyEvent onClick) {
    return AddMenuItem(owner, menu->Items(), name, caption, std::move(onClick));
}
