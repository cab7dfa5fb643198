// Framework use: the Qt application the program runs on. It knows which objects Qt is delivering an
// event to at the moment, so that a control a handler frees never frees a widget that Qt's own code
// goes on using once the handler returns.
#pragma once

#include <QApplication>

class TWidgetApplication : public QApplication {
public:
    TWidgetApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Frees a control's widget: at once, or, while Qt is still delivering an event to the widget or to an
// object inside it, hidden now and deleted by the event loop.
void FreeControlWidget(QWidget* widget);

// Moves the focus to the widget. The handlers the move runs (the last control's leaving) may free the
// widget's control: the widget then stays whole until Qt is done with the move.
void FocusWidget(QWidget* widget, Qt::FocusReason reason);
