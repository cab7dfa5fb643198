// The framework's own dragging of one control onto another, also across windows.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class TControl;

class TDragManager : public QObject {
    Q_OBJECT
public:
    static TDragManager& Instance();

    // Starts tracking the mouse for `source`: at once, or once it has moved `threshold` pixels
    // (5 when negative) with the button held.
    void Begin(TControl* source, bool immediate, int threshold);
    // Ends the drag: drops on the control under the mouse when it accepts and `drop` is set.
    void Finish(bool drop);
    void Cancel() { Finish(false); }
    TControl* Source() const { return FSource; }

    // Moves the drag to a point on the screen, as a mouse move does.
    void MoveTo(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TControl* TargetAt(const QPoint& globalPos) const;
    void Leave();

    TControl* FSource = nullptr;
    QPointer<QObject> FTargetAlive;
    TControl* FTarget = nullptr;
    bool FStarted = false, FAccepted = false;
    QPoint FStart, FLast;
    int FThreshold = 5;
};
