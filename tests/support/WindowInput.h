// Input delivered through the window, as the window system delivers it: Qt itself makes the events a
// widget gets (two quick clicks give a press, a release, a double click and a release).
#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

// Two clicks in quick succession at `pos` of a widget in a shown window.
inline void DoubleClick(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* window = widget->window();
    QTest::mouseDClick(window->windowHandle(), button, {}, widget->mapTo(window, pos));
}

// A press at `pos` of a widget in a shown window; the window makes the rest (a right press also asks
// for the context menu).
inline void PressThroughWindow(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* window = widget->window();
    QTest::mousePress(window->windowHandle(), button, {}, widget->mapTo(window, pos));
}
