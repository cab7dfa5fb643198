// A control that in the classic framework has no window of its own: it paints over its parent and the
// controls beneath it, stays beneath its windowed siblings, never takes the focus, and lets the mouse
// through wherever it does not claim the point (CM_HITTEST answers HTNOWHERE), so clicks there reach
// the control beneath.
#pragma once

#include "Controls.h"

#include <QPointer>

class TGraphicControl : public TCustomControl {
    Q_OBJECT
public:
    // Painted off screen; 0 x 0 until sized.
    explicit TGraphicControl(TComponent* AOwner);
    // Its widget goes beneath the windowed controls of the new parent.
    void SetParent(TWinControl* parent) override;

protected:
    // On screen only its own pixels are painted: where it draws nothing the parent and the controls
    // beneath show. The off-screen image (PaintOffscreen) has the parent's background there instead.
    void PaintWidget(QPainter& Painter, const QRegion& Region) override;
    // What it leaves unpainted shows the parent and the controls beneath.
    bool PaintsEveryPixel() const override { return false; }
    // The parent's background under the control (its own Color without a parent).
    void WMEraseBkgnd(TWMPaint& Message) override;
    bool FilterWidgetEvent(QObject* watched, QEvent* event) override;

private:
    // Sends a mouse event the control does not claim to the widget beneath it.
    bool PassOn(QEvent* event);
    // The widget that took the press the control let through: it gets the rest of that click.
    QPointer<QWidget> FPassTarget;
};
