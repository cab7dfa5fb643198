#include "DragDrop.h"

#include "Controls.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

TDragManager& TDragManager::Instance() {
    static TDragManager manager;
    return manager;
}

void TDragManager::Begin(TControl* source, bool immediate, int threshold) {
    if (FSource) Cancel();
    FSource = source;
    FTarget = nullptr;
    FStarted = immediate;
    FAccepted = false;
    FThreshold = threshold < 0 ? 5 : threshold;
    FStart = FLast = QCursor::pos();
    qApp->installEventFilter(this);
    if (immediate) QApplication::setOverrideCursor(Qt::DragMoveCursor);
}

TControl* TDragManager::TargetAt(const QPoint& globalPos) const {
    for (QWidget* w = QApplication::widgetAt(globalPos); w; w = w->parentWidget())
        if (TControl* c = TControl::FromWidget(w)) return c;
    return nullptr;
}

void TDragManager::Leave() {
    if (FTarget && FTargetAlive) {
        bool accept = false;
        const TPoint p = FTarget->ScreenToClient({FLast.x(), FLast.y()});
        FTarget->DragOver(FSource, p.X, p.Y, dsDragLeave, accept);
    }
    FTarget = nullptr;
    FAccepted = false;
}

void TDragManager::MoveTo(const QPoint& globalPos) {
    if (!FSource) return;
    FLast = globalPos;
    if (!FStarted) {
        if ((globalPos - FStart).manhattanLength() < FThreshold) return;
        FStarted = true;
        QApplication::setOverrideCursor(Qt::DragMoveCursor);
    }
    TControl* target = TargetAt(globalPos);
    if (target != FTarget) {
        Leave();
        FTarget = target;
        FTargetAlive = target;
    }
    if (!FTarget) return;
    const TPoint p = FTarget->ScreenToClient({globalPos.x(), globalPos.y()});
    bool accept = false;
    FTarget->DragOver(FSource, p.X, p.Y, FAccepted ? dsDragMove : dsDragEnter, accept);
    FAccepted = accept;
    QApplication::changeOverrideCursor(accept ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void TDragManager::Finish(bool drop) {
    if (!FSource) return;
    qApp->removeEventFilter(this);
    if (FStarted) QApplication::restoreOverrideCursor();
    TControl* source = FSource;
    TControl* target = (FTargetAlive && FAccepted && FStarted && drop) ? FTarget : nullptr;
    const QPoint at = FLast;
    FSource = nullptr;
    FTarget = nullptr;
    const bool started = FStarted;
    FStarted = false;
    FAccepted = false;
    if (!started) return;  // a click that never became a drag
    source->FMousePressed = false;  // the release ends the drag; it is not a click
    TPoint p{0, 0};
    if (target) {
        p = target->ScreenToClient({at.x(), at.y()});
        target->DragDrop(source, p.X, p.Y);
    }
    source->DoEndDrag(target, p.X, p.Y);
}

bool TDragManager::eventFilter(QObject*, QEvent* event) {
    if (!FSource) return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        MoveTo(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return FStarted;
    case QEvent::MouseButtonRelease:
        FLast = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (FStarted) MoveTo(FLast);
        Finish(true);
        return false;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && FStarted) {
            Cancel();
            return true;
        }
        return false;
    default:
        return false;
    }
}
