#include "NativeFrame.h"

#include "Controls.h"

#include <QFrame>
#include <QLineEdit>
#include <QVariant>

namespace {
// The widget's own border while a band covers it: its style and line width.
constexpr const char* KeptBorder = "veloriaKeptBorder";
}  // namespace

void SetNativeFrameVisible(TWinControl* Control, bool Visible) {
    QWidget* widget = Control ? Control->Widget() : nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setFrame(Visible);
    else if (auto* frame = qobject_cast<QFrame*>(widget))
        frame->setFrameShape(Visible ? QFrame::StyledPanel : QFrame::NoFrame);
}

bool FitNativeFrameToBand(TWinControl* Control) {
    auto* frame = qobject_cast<QFrame*>(Control->Widget());
    if (!frame) return false;
    // A frame widget's margins are its border's width: Qt sets them back to it on every layout of a
    // scroll area, so margins of another width would start the next layout, and so on for ever.
    const TRect band = Control->NonClientMargins();
    if (band.Left != band.Top || band.Left != band.Right || band.Left != band.Bottom) return false;
    const QVariant kept = frame->property(KeptBorder);
    if (band.Left > 0) {
        if (!kept.isValid())
            frame->setProperty(KeptBorder, QVariantList{frame->frameStyle(), frame->lineWidth()});
        // A plain box is as wide as its line.
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(band.Left);
    } else if (kept.isValid()) {
        const QVariantList border = kept.toList();
        frame->setProperty(KeptBorder, QVariant());
        frame->setFrameStyle(border[0].toInt());
        frame->setLineWidth(border[1].toInt());
    }
    return true;
}
