#include "TabOrder.h"

#include "Controls.h"
#include "WidgetApplication.h"

#include <QRegion>
#include <QWidget>
#include <algorithm>

namespace {

// Rows first, then columns; ties keep the order the items came in.
template <class T, class TRectOf> void SortReading(std::vector<T>& items, TRectOf rectOf) {
    std::stable_sort(items.begin(), items.end(),
                     [&](const T& a, const T& b) { return rectOf(a).top() < rectOf(b).top(); });
    for (auto row = items.begin(); row != items.end();) {
        const QRect first = rectOf(*row);
        const int rowLimit = first.top() + first.height() / 2;
        auto end = std::find_if(row + 1, items.end(), [&](const T& t) { return rectOf(t).top() > rowLimit; });
        std::stable_sort(row, end,
                         [&](const T& a, const T& b) { return rectOf(a).left() < rectOf(b).left(); });
        row = end;
    }
}

bool IsWindowControl(const QWidget* w) {
    return dynamic_cast<TWinControl*>(TControl::FromWidget(w)) != nullptr;
}

bool TakesTabFocus(const QWidget* w) {
    return !w->focusProxy() && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled();
}

// The widgets under `parent`, depth first, with whether each is a stop. Inside a stop, a widget that
// is no control of its own (an editor a control opens) is only a part. The containers that hold a stop
// or the focus are visited in reading order; the rest (pictures, labels) after them, so that a
// picture behind a row of buttons does not make the row one with everything beside it.
struct TVisit {
    QWidget* Widget;
    bool Stop;
};
std::vector<TVisit> Collect(QWidget* parent, bool insideStop, const QWidget* focus) {
    struct TChild {
        QWidget* Widget;
        std::vector<TVisit> Visits;
    };
    std::vector<TChild> ordered, rest;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || w->isHidden()) continue;
        const bool control = TControl::FromWidget(w) != nullptr;
        const bool stop = (control || !insideStop) && TakesTabFocus(w) && !CoveredInWindow(w);
        std::vector<TVisit> visits{{w, stop}};
        std::vector<TVisit> inside = Collect(w, insideStop || stop, focus);
        visits.insert(visits.end(), inside.begin(), inside.end());
        const bool matters = std::any_of(visits.begin(), visits.end(),
                                         [focus](const TVisit& v) { return v.Stop || v.Widget == focus; });
        (matters ? ordered : rest).push_back({w, std::move(visits)});
    }
    SortReading(ordered, [](const TChild& c) { return c.Widget->geometry(); });
    std::vector<TVisit> out;
    for (auto* list : {&ordered, &rest})
        for (TChild& c : *list)
            out.insert(out.end(), c.Visits.begin(), c.Visits.end());
    return out;
}

}  // namespace

std::vector<TControl*> InReadingOrder(std::vector<TControl*> Controls) {
    SortReading(Controls, [](TControl* c) { return QRect(c->Left(), c->Top(), c->Width(), c->Height()); });
    return Controls;
}

QWidget* FirstTabStop(QWidget* Within, bool WindowControlsOnly) {
    for (const TVisit& visit : Collect(Within, false, nullptr)) {
        if (!visit.Stop) continue;
        const QWidget* own = visit.Widget;
        while (own != Within && !TControl::FromWidget(own))
            own = own->parentWidget();
        if (!WindowControlsOnly || IsWindowControl(own)) return visit.Widget;
    }
    return nullptr;
}

bool CoveredInWindow(const QWidget* Widget) {
    const QWidget* window = Widget->window();
    QRegion seen(QRect(Widget->mapTo(window, QPoint(0, 0)), Widget->size()));
    for (const QWidget* w = Widget; w != window && !seen.isEmpty(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        const QPoint origin = parent->mapTo(window, QPoint(0, 0));
        seen &= QRect(origin, parent->size());
        // Siblings later in the stacking order lie in front.
        const QObjectList& siblings = parent->children();
        for (auto i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i < siblings.size(); ++i) {
            auto* s = qobject_cast<QWidget*>(siblings.at(i));
            if (s && !s->isWindow() && !s->isHidden() && IsWindowControl(s))
                seen -= s->geometry().translated(origin);
        }
    }
    return seen.isEmpty();
}

QWidget* NextTabStop(QWidget* Window, bool Forward) {
    const std::vector<TVisit> visits = Collect(Window, false, Window->focusWidget());
    if (visits.empty()) return nullptr;
    const int count = int(visits.size());
    // Where the focus is: its widget, or the control the focused part belongs to.
    int at = Forward ? -1 : count;
    for (const QWidget* f = Window->focusWidget(); f && f != Window && at == (Forward ? -1 : count);
         f = f->parentWidget())
        for (int i = 0; i < count; ++i)
            if (visits[i].Widget == f) at = i;
    for (int step = 1; step <= count; ++step) {
        const int i = ((at + (Forward ? step : -step)) % count + count) % count;
        if (visits[i].Stop && i != at) return visits[i].Widget;
    }
    return nullptr;
}

bool TWinControl::SelectFirst() {
    QWidget* first = FWidget ? FirstTabStop(FWidget, true) : nullptr;
    if (first) FocusWidget(first, Qt::TabFocusReason);
    return first != nullptr;
}
