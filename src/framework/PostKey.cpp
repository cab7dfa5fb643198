#include "PostKey.h"

#include "Controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void PostTabKey(TControl* Control, bool Backward) {
    QWidget* widget = Control ? Control->Widget() : nullptr;
    if (!widget) return;
    const Qt::KeyboardModifiers shift = Backward ? Qt::ShiftModifier : Qt::NoModifier;
    QApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, Backward ? Qt::Key_Backtab : Qt::Key_Tab,
                                                  shift, QStringLiteral("\t")));
}
