// A text field's caret blinking as the window system blinks it: the field's own blink timer fires and
// what it marks for repainting is painted and put on the screen, as after each half period.
#pragma once

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimerEvent>
#include <QWidget>

class TCaretBlink : public QObject {
public:
    // The line edit of `field` (the field itself, or the one inside it).
    explicit TCaretBlink(QWidget* field)
        : FEdit(qobject_cast<QLineEdit*>(field) ? qobject_cast<QLineEdit*>(field) : field->findChild<QLineEdit*>()) {
        if (FEdit) FEdit->installEventFilter(this);
    }
    QLineEdit* Edit() const { return FEdit; }

    // Gives the field the keyboard focus in its active window, which starts its blink timer.
    bool Focus() {
        if (!FEdit) return false;
        QWidget* window = FEdit->window();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        FEdit->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        return FEdit->hasFocus() && BlinkTimer() != 0;
    }

    // One blink; the nanoseconds it took, or -1 when the field did not repaint its caret.
    qint64 Blink() {
        const int timer = BlinkTimer();
        if (timer == 0) return -1;
        const int before = FPaints;
        QElapsedTimer clock;
        clock.start();
        QTimerEvent tick(timer);
        QCoreApplication::sendEvent(FControl, &tick);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        const qint64 ns = clock.nsecsElapsed();
        return FPaints > before ? ns : -1;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++FPaints;
        return false;
    }

private:
    // The timer of the object inside the line edit that keeps its text and caret.
    int BlinkTimer() {
        FControl = nullptr;
        for (QObject* child : FEdit->children()) {
            const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(child);
            if (!timers.isEmpty() && child->metaObject()->className() == QByteArray("QWidgetLineControl")) {
                FControl = child;
                return timers.first().timerId;
            }
        }
        return 0;
    }
    QLineEdit* FEdit;
    QObject* FControl = nullptr;
    int FPaints = 0;
};
