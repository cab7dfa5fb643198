#include "KeyPost.h"

#include "Controls.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
int QtKeyOf(unsigned short key) {
    switch (key) {
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    default:
        return 0;
    }
}
}  // namespace

void PostKeyDown(TControl* Control, unsigned short Key, unsigned Shift) {
    const int qtKey = QtKeyOf(Key);
    QWidget* widget = Control ? Control->Widget() : nullptr;
    if (!widget || qtKey == 0) return;
    const Qt::KeyboardModifiers mods = (Shift & ssShift) ? Qt::ShiftModifier : Qt::NoModifier;
    const int key = qtKey == Qt::Key_Tab && (Shift & ssShift) ? int(Qt::Key_Backtab) : qtKey;
    const QString text = key == Qt::Key_Tab ? QStringLiteral("\t") : QString();
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, mods, text));
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
}
