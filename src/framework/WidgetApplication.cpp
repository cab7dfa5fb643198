#include "WidgetApplication.h"

#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

// The objects receiving an event now, innermost last. Only their addresses are compared: a handler
// may have freed one.
std::vector<const QObject*>& Receivers() {
    static std::vector<const QObject*> receivers;
    return receivers;
}

// Counts an object as receiving an event for as long as it lives.
class TReceiving {
public:
    explicit TReceiving(const QObject* receiver) { Receivers().push_back(receiver); }
    ~TReceiving() { Receivers().pop_back(); }
    TReceiving(const TReceiving&) = delete;
    TReceiving& operator=(const TReceiving&) = delete;
};

bool ReceivesAnEvent(QWidget* widget) {
    const auto& receivers = Receivers();
    if (receivers.empty()) return false;
    const auto receiving = [&](const QObject* object) {
        return std::find(receivers.begin(), receivers.end(), object) != receivers.end();
    };
    const QList<QObject*> inside = widget->findChildren<QObject*>();
    return receiving(widget) || std::any_of(inside.begin(), inside.end(), receiving);
}

}  // namespace

TWidgetApplication::TWidgetApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TWidgetApplication::notify(QObject* receiver, QEvent* event) {
    TReceiving receiving(receiver);
    return QApplication::notify(receiver, event);
}

void FocusWidget(QWidget* widget, Qt::FocusReason reason) {
    TReceiving receiving(widget);
    widget->setFocus(reason);
}

void FreeControlWidget(QWidget* widget) {
    if (!ReceivesAnEvent(widget)) {
        delete widget;
        return;
    }
    // Out of sight at once, so it paints no more; Qt's code finishing the event still finds it whole.
    // A parent freed on the way finds the event's receiver inside it and waits too.
    widget->hide();
    widget->deleteLater();
}
