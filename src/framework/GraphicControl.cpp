#include "GraphicControl.h"

#include "DeviceContext.h"

#include <QApplication>
#include <QPainter>
#include <QMouseEvent>
#include <QWidget>

TGraphicControl::TGraphicControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetOffscreenPaint(true);
    SetBounds(0, 0, 0, 0);
}

void TGraphicControl::SetParent(TWinControl* parent) {
    TCustomControl::SetParent(parent);
    QWidget* self = Widget();
    QWidget* parentWidget = self ? self->parentWidget() : nullptr;
    if (!parentWidget) return;
    // Children are listed bottom first: go under the lowest windowed one.
    for (QObject* child : parentWidget->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget == self) continue;
        TControl* control = TControl::FromWidget(widget);
        if (dynamic_cast<TWinControl*>(control) && !dynamic_cast<TGraphicControl*>(control)) {
            self->stackUnder(widget);
            return;
        }
    }
}

void TGraphicControl::PaintWidget(QPainter& Painter, const QRegion& Region) {
    const QRegion part = Region.intersected(QRect(0, 0, Width(), Height()));
    if (part.isEmpty()) return;
    const QRect bounds = part.boundingRect();
    QImage image(bounds.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        TDeviceContext dc(&image);
        TRegion clip(part.translated(-bounds.topLeft()));
        dc.SelectClipRgn(&clip);
        dc.ViewportOrg = {-bounds.left(), -bounds.top()};
        Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&dc));
    }
    Painter.drawImage(bounds.topLeft(), image);
}

void TGraphicControl::WMEraseBkgnd(TWMPaint& Message) {
    if (Parent()) {
        PaintParentBackground(this, Message.DC);
        Message.Result = 1;
    } else {
        TCustomControl::WMEraseBkgnd(Message);
    }
}

bool TGraphicControl::FilterWidgetEvent(QObject* watched, QEvent* event) {
    if (watched == Widget()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            FPassTarget = nullptr;
            if (Perform(CM_HITTEST, 0, MakeLParam(p.x(), p.y())) == HTNOWHERE) return PassOn(event);
            break;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            if (FPassTarget) {
                const bool release = event->type() == QEvent::MouseButtonRelease;
                PassOn(event);
                if (release) FPassTarget = nullptr;
                return true;
            }
            break;
        default:
            break;
        }
    }
    return TCustomControl::FilterWidgetEvent(watched, event);
}

bool TGraphicControl::PassOn(QEvent* event) {
    auto* e = static_cast<QMouseEvent*>(event);
    QWidget* self = Widget();
    QWidget* parent = self ? self->parentWidget() : nullptr;
    if (!parent) return true;
    if (!FPassTarget) {
        // The widget under the point once this one is out of the way.
        self->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        QWidget* below = parent->childAt(self->mapToParent(e->position().toPoint()));
        self->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        FPassTarget = below ? below : parent;
    }
    const QPointF global = e->globalPosition();
    QMouseEvent copy(e->type(), FPassTarget->mapFromGlobal(global), global, e->button(), e->buttons(),
                     e->modifiers());
    QApplication::sendEvent(FPassTarget, &copy);
    return true;
}
