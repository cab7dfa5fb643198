// Input sent straight to a control's widgets, as the window system delivers it: a key pressed and let go
// with the text it types, and the viewport of a scrolling control where clicks on its items land.
#pragma once

#include "Controls.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>

// `text` is what the key types: a character, or one committed in its place (a Chinese one with
// Qt::Key_unknown).
inline void PressKey(QWidget* widget, Qt::Key key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

inline QWidget* Viewport(TControl* control) {
    return static_cast<QAbstractScrollArea*>(control->Widget())->viewport();
}
