#include "FocusWithin.h"

#include "Controls.h"

#include <QApplication>
#include <QWidget>

TWinControl* FocusedControl() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (auto* control = dynamic_cast<TWinControl*>(TControl::FromWidget(w))) return control;
    return nullptr;
}

bool FocusWithin(const TControl* control) {
    QWidget* focus = QApplication::focusWidget();
    QWidget* own = control ? control->Widget() : nullptr;
    return focus && own && (focus == own || own->isAncestorOf(focus));
}

bool FocusInsideChild(const TControl* control) {
    return FocusWithin(control) && QApplication::focusWidget() != control->Widget();
}
