#include "NativeFrame.h"

#include "Controls.h"

#include <QFrame>
#include <QLineEdit>

void SetNativeFrameVisible(TWinControl* Control, bool Visible) {
    QWidget* widget = Control ? Control->Widget() : nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setFrame(Visible);
    else if (auto* frame = qobject_cast<QFrame*>(widget))
        frame->setFrameShape(Visible ? QFrame::StyledPanel : QFrame::NoFrame);
}
