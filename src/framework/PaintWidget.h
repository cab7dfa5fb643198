// Framework use: the widget of a control that paints itself.
#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>

// Its paint event hands a painter to the control.
class TPaintWidget : public QWidget {
public:
    explicit TPaintWidget(std::function<void(QPainter&)> paint) : FPaint(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        FPaint(painter);
    }

private:
    std::function<void(QPainter&)> FPaint;
};
