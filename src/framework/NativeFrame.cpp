#include "NativeFrame.h"

#include "Controls.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>

void SetNativeFrameVisible(TWinControl* Control, bool Visible) {
    QWidget* widget = Control ? Control->Widget() : nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setFrame(Visible);
    else if (auto* frame = qobject_cast<QFrame*>(widget))
        frame->setFrameShape(Visible ? QFrame::StyledPanel : QFrame::NoFrame);
}

void PostKeyDown(TWinControl* Control, unsigned short VirtualKey) {
    QWidget* widget = Control ? Control->Widget() : nullptr;
    if (!widget) return;
    int key = 0;
    switch (VirtualKey) {
    case VK_TAB:
        key = Qt::Key_Tab;
        break;
    case VK_RETURN:
        key = Qt::Key_Return;
        break;
    case VK_ESCAPE:
        key = Qt::Key_Escape;
        break;
    case VK_LEFT:
        key = Qt::Key_Left;
        break;
    case VK_UP:
        key = Qt::Key_Up;
        break;
    case VK_RIGHT:
        key = Qt::Key_Right;
        break;
    case VK_DOWN:
        key = Qt::Key_Down;
        break;
    default:
        return;
    }
    // A key without its character, as a posted key-down message is.
    QApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}
