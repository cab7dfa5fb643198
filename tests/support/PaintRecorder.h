// Collects the areas a widget repaints, for tests of what a change invalidates.
#pragma once

#include "Forms.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
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
