#include "Actions.h"

#include "Controls.h"

bool TComponent::ExecuteAction(TBasicAction* Action) {
    if (!Action || !Action->HandlesTarget(this)) return false;
    Action->ExecuteTarget(this);
    return true;
}

QString GetShortHint(const QString& Hint) {
    const int bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.left(bar);
}

QString GetLongHint(const QString& Hint) {
    const int bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.mid(bar + 1);
}

namespace {
bool OfferToShowing(TControl* control, TBasicAction* action) {
    if (!control->Visible()) return false;
    if (control->ExecuteAction(action)) return true;
    if (auto* win = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < win->ControlCount(); ++i)
            if (OfferToShowing(win->Controls(i), action)) return true;
    return false;
}

TWinControl* FocusedIn(TControl* control) {
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) return nullptr;
    if (win->Focused()) return win;
    for (int i = 0; i < win->ControlCount(); ++i)
        if (TWinControl* focused = FocusedIn(win->Controls(i))) return focused;
    return nullptr;
}
}  // namespace

bool ExecuteActionInWindow(TControl* Control, TBasicAction* Action) {
    if (!Control || !Action) return false;
    TControl* top = Control;
    while (top->Parent())
        top = top->Parent();
    if (TWinControl* focused = FocusedIn(top))
        if (focused->ExecuteAction(Action)) return true;
    return OfferToShowing(top, Action);
}

void ShowApplicationHint(TControl* Control) {
    QString hint;
    for (TControl* c = Control; c && hint.isEmpty(); c = c->Parent())
        hint = c->Hint();
    THintAction action;
    action.SetHint(GetLongHint(hint));
    ExecuteActionInWindow(Control, &action);
}
