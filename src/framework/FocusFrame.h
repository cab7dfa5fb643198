#pragma once

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

// A widget that shows it has the keyboard's focus with a dotted frame in its text's colour, `Inset`
// pixels in from its edges, over what it draws itself.
template <class TBase, QPalette::ColorRole TextRole, int Inset> class TFocusFramed : public TBase {
protected:
    void paintEvent(QPaintEvent* event) override {
        TBase::paintEvent(event);
        if (!this->hasFocus()) return;
        QPainter painter(this);
        painter.setPen(QPen(this->palette().color(TextRole), 1, Qt::DotLine));
        painter.drawRect(this->rect().adjusted(Inset, Inset, -1 - Inset, -1 - Inset));
    }
};
