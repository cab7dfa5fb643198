// Framework use: the widget of a control that paints itself.
#pragma once

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <functional>

// Its paint event hands a painter and the part of the widget that needs painting to the control.
class TPaintWidget : public QWidget {
public:
    using TPaint = std::function<void(QPainter&, const QRegion&)>;
    explicit TPaintWidget(TPaint paint) : FPaint(std::move(paint)) {}
    // Off for a control that repaints what the focus changes itself: the widget then leaves the rest.
    bool RepaintOnFocus = true;

protected:
    void focusInEvent(QFocusEvent* event) override {
        if (RepaintOnFocus) QWidget::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        if (RepaintOnFocus) QWidget::focusOutEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        FPaint(painter, event->region());
    }

private:
    TPaint FPaint;
};
