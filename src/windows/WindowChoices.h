// The windows' choice boxes: the styled combo box as a drop-down list with the flat drop button, filled
// with its items.
#pragma once

#include "SkCmboBx.h"
#include "WindowBuilder.h"

#include <initializer_list>

template <class TItems>
TSkComboBox* PlaceChoiceBox(TComponent* owner, TWinControl* parent, const QString& name, int left, int top,
                            int width, int height, const TItems& items) {
    auto* box = Place<TSkComboBox>(owner, parent, name, left, top, width, height);
    box->SetStyle(csDropDownList);
    box->SetFlatButtons(true);
    for (const auto& item : items)
        box->Items()->Add(item);
    return box;
}

inline TSkComboBox* PlaceChoiceBox(TComponent* owner, TWinControl* parent, const QString& name, int left,
                                   int top, int width, int height, std::initializer_list<QString> items) {
    return PlaceChoiceBox<std::initializer_list<QString>>(owner, parent, name, left, top, width, height,
                                                          items);
}
