// Panels, images and timers.
#pragma once

#include "GraphicsImage.h"
#include "StdCtrls.h"
#include "TimerClock.h"

#include <memory>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A panel: a raised or lowered bevel (outer, then inner, each BevelWidth wide, with BorderWidth of
// its colour between them), its colour inside and a one-line caption; its aligned children share
// the area inside bevels and border. It paints off screen with the classic pixel rules.
class TCustomPanel : public TCustomControl {
    Q_OBJECT
public:
    // 185 x 41, raised, its caption centred, a dock site's dock manager in use.
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    virtual void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    virtual void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }
    virtual void SetBevelWidth(int Value);  // at least 1
    int BorderWidth() const { return FBorderWidth; }
    virtual void SetBorderWidth(int Value);  // at least 0
    // A resized panel repaints whole; without it only the strips along the moved edges, unless it
    // shows a caption.
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }

protected:
    // Removes BorderWidth and the bevels.
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void PaintWidget(QPainter& Painter, const QRegion& Region) override;
    void WMWindowPosChanged(TWMWindowPosChanged& Message) override;

private:
    // Bevels and border run round the edge: their width on each side.
    int EdgeWidth() const;
    // A panel of the framework's own without a caption, frame, docked clients or hooked messages
    // paints nothing but filled rectangles: its edges and its colour.
    bool PaintsOnlyRectangles() const;
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone, FBevelOuter = bvRaised;
    int FBevelWidth = 1, FBorderWidth = 0;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
    Q_OBJECT
public:
    explicit TPanel(TComponent* AOwner);
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

// Starts a timer made on first need (owned by Owner) anew with Interval: a held button's repeat.
void RestartTimer(TTimer*& Timer, TComponent* Owner, int Interval, const std::function<void()>& OnTick);

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
