#include "FocusWithin.h"

#include "Controls.h"

#include <QApplication>
#include <QWidget>

TWinControl* FocusedControl() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (auto* control = dynamic_cast<TWinControl*>(TControl::FromWidget(w))) return control;
    return nullptr;
}

namespace {
bool Within(const QWidget* focus, const TControl* control) {
    QWidget* own = control ? control->Widget() : nullptr;
    return focus && own && (focus == own || own->isAncestorOf(focus));
}

QWidget* WindowFocus(const TControl* control) {
    QWidget* own = control ? control->Widget() : nullptr;
    return own ? own->window()->focusWidget() : nullptr;
}
}  // namespace

bool FocusWithin(const TControl* control) {
    return Within(QApplication::focusWidget(), control);
}

bool FocusInsideChild(const TControl* control) {
    return FocusWithin(control) && QApplication::focusWidget() != control->Widget();
}

bool WindowFocusWithin(const TControl* control) {
    return Within(WindowFocus(control), control);
}

bool WindowFocusInsideChild(const TControl* control) {
    return WindowFocusWithin(control) && WindowFocus(control) != control->Widget();
}
