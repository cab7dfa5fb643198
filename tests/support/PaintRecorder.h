// Collects the areas a widget repaints, and reads what the screen shows of a window, for tests of what a
// change repaints.
#pragma once

#include "Forms.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

class TPaintRecorder : public QObject {
public:
    explicit TPaintRecorder(QWidget* widget) : FWidget(widget) { widget->installEventFilter(this); }
    ~TPaintRecorder() override {
        if (FWidget) FWidget->removeEventFilter(this);
    }
    QRegion Painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    QWidget* FWidget;
};

// A panel of 120 x 80 at (10, 10) in a shown form, painted once, that repaints on a resize only what
// its own rules invalidate.
template <class TPanelClass> TPanelClass* ShowResizablePanel(TForm& form) {
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanelClass(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 120, 80);
    panel->SetFullRepaint(false);
    form.ShowForm();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    QApplication::processEvents();
    return panel;
}

// Everything waiting is handled and painted: what the window system marks for painting while it
// handles one event goes out with the next round.
inline void FlushPainting() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

// What the screen shows of a window, from the window system's own copy, after what waits is painted.
inline QImage OnScreen(TForm& form) {
    FlushPainting();
    return form.Widget()->screen()->grabWindow(form.Widget()->winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// The window painted anew, whole: what the screen must show.
inline QImage Repainted(TForm& form) {
    return form.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
