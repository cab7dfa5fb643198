// Panels, bevels and timers.
#pragma once

#include "StdCtrls.h"

class QTimer;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
    Q_OBJECT
public:
    explicit TPanel(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut bevel);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // Framework use: paints the panel's bevel and caption.
    void PaintPanel(QPainter& painter);

protected:
    void ColorChanged() override;

private:
    TBevelCut FBevelOuter = bvRaised, FBevelInner = bvNone;
    TAlignment FAlignment = taCenter;
};

// A timer fires OnTimer every Interval milliseconds while enabled; Interval 0 stops it.
class TTimer : public TComponent {
    Q_OBJECT
public:
    explicit TTimer(TComponent* AOwner);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return FInterval; }
    void SetInterval(int ms);
    TNotifyEvent OnTimer;

private:
    void Update();
    QTimer* FTimer;
    bool FEnabled = true;
    int FInterval = 1000;
};
