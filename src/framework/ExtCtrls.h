// Panels, images and timers.
#pragma once

#include "GraphicsImage.h"
#include "StdCtrls.h"
#include "TimerClock.h"

#include <memory>

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
    // The timer runs on the clock that is current when it is made (TimerClock).
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return FInterval; }
    void SetInterval(int ms);
    TNotifyEvent OnTimer;

private:
    void Update();
    std::unique_ptr<TTimerTick> FTick;
    bool FEnabled = true;
    int FInterval = 1000;
};

// Shows a picture (any registered format, loaded with Picture()->LoadFromFile). Where the picture
// does not cover the control, the parent shows through.
class TImage : public TControl {
    Q_OBJECT
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() { return &FPicture; }
    // Stretch fills the control; Proportional keeps the picture's shape (and only shrinks one that
    // is too large unless Stretch is set too); Center centres what is drawn.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool proportional);
    bool Center() const { return FCenter; }
    void SetCenter(bool center);
    // A transparent bitmap leaves out the pixels of its transparent colour.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    // The control takes the picture's size whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;
    // Framework use: paints the picture.
    void PaintImage(QPainter& painter);

private:
    void PictureChanged();
    TPicture FPicture;
    TCanvas FCanvas;
    bool FStretch = false, FProportional = false, FCenter = false, FTransparent = false, FAutoSize = false;
};
