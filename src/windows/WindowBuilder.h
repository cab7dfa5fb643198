// Small helpers for building a window's controls in code.
#pragma once

#include "Controls.h"
#include "Menus.h"
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

// A menu item under `parent` (a pop-up menu's items or a sub-menu).
inline TMenuItem* AddMenuItem(TComponent* owner, TMenuItem* parent, const QString& name, const QString& caption,
                              TNotifyEvent onClick) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

inline TMenuItem* AddMenuItem(TComponent* owner, TPopupMenu* menu, const QString& name, const QString& caption,
                              TNotifyEvent onClick) {
    return AddMenuItem(owner, menu->Items(), name, caption, std::move(onClick));
}
