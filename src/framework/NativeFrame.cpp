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

void SetNativeFrameBand(TWinControl* Control, int Band) {
    auto* frame = qobject_cast<QFrame*>(Control ? Control->Widget() : nullptr);
    if (!frame) return;
    // A plain line as wide as the band, which the control's frame is painted over; or the area's own
    // sunken border.
    const int style = Band > 0 ? QFrame::Box | QFrame::Plain : QFrame::StyledPanel | QFrame::Sunken;
    const int width = Band > 0 ? Band : 1;
    frame->setFrameStyle(style);
    frame->setLineWidth(width);
}
