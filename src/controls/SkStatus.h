// The status pane: one line of text in a framed, optionally filled area, that can size itself to its
// caption, take the hint of the control under the mouse as its caption, and blink its text colour in
// the rhythm of the common blinking service.
#pragma once

#include "GraphicControl.h"
#include "SkCommonBlinking.h"
#include "SkCommonFraming.h"
#include "StdCtrls.h"

#include <cstdint>

class TSkCustomStatusPane : public TGraphicControl, public ISkCustomFramingNotification {
    Q_OBJECT
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(TColor FlatColor READ FlatColor WRITE SetFlatColor)
    Q_PROPERTY(int FlatColorAdjustment READ FlatColorAdjustment WRITE SetFlatColorAdjustment)
    Q_PROPERTY(TFrameStyleEx FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(TSkFrameControllerNotifications FrameControllerNotifications READ FrameControllerNotifications
                   WRITE SetFrameControllerNotifications)
    Q_PROPERTY(TSkFrameController* FrameController READ FrameController WRITE SetFrameController)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFillColor READ ParentFillColor WRITE SetParentFillColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_CLASSINFO("BorderWidth", "= 1")
    Q_CLASSINFO("Color", "TColor")
    Q_CLASSINFO("FillColor", "TColor")
    Q_CLASSINFO("FlatColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FlatColorAdjustment", "= 30")
    Q_CLASSINFO("FrameStyle", "= fsFlat")
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")  // all
    Q_CLASSINFO("ParentColor", "= True")
    Q_CLASSINFO("ParentFillColor", "= True")
    Q_CLASSINFO("Transparent", "= True")
public:
    // 100 x 20, taking its parent's colour; joins the blinking service.
    explicit TSkCustomStatusPane(TComponent* AOwner);
    ~TSkCustomStatusPane() override;

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }
    int DefaultWidth() const { return FDefaultWidth; }
    virtual void SetDefaultWidth(int Value);
    TColor BlinkColor() const { return FBlinkColor; }
    virtual void SetBlinkColor(TColor Value);
    bool Blinking() const { return FBlinking; }
    virtual void SetBlinking(bool Value);
    // The shared service's phase lengths: every pane blinks in one rhythm.
    std::uint16_t BlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(std::uint16_t Value);
    std::uint16_t BlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(std::uint16_t Value);
    int BorderWidth() const { return FBorderWidth; }
    virtual void SetBorderWidth(int Value);
    int CaptionOffset() const { return FCaptionOffset; }
    virtual void SetCaptionOffset(int Value);
    TColor FillColor() const { return FFillColor; }
    virtual void SetFillColor(TColor Value);
    Q_INVOKABLE bool IsFillColorStored() const { return !FParentFillColor; }
    bool ParentFillColor() const { return FParentFillColor; }
    virtual void SetParentFillColor(bool Value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int Value);
    TFrameStyleEx FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyleEx Value);
    TSkFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TSkFrameController* Value);
    TSkFrameControllerNotifications FrameControllerNotifications() const {
        return FFrameControllerNotifications;
    }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications Value) {
        FFrameControllerNotifications = Value;
    }
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    // The colour the caption is drawn in now: the font's, or BlinkColor in the on phase.
    TColor PaintColor() const { return FPaintColor; }

    // The controller's values, taken when it shows frames.
    void CustomFramingChanged() override;
    // With AutoHint, a hint action becomes the caption.
    bool ExecuteAction(TBasicAction* Action) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    virtual void PaintFrame();
    virtual void PaintCaption();
    // The service switched phase: BlinkColor in the on phase, the normal colour in the off phase.
    virtual void BlinkStateChanged(bool On);
    // With AutoSize: wide enough for the caption (not while a designer loads the pane).
    void AdjustSize();
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = false;
    bool FAutoHint = false;
    int FDefaultWidth = 40;
    TColor FBlinkColor = clHighlight;
    bool FBlinkPhase = true;  // the normal colour shows
    bool FBlinking = false;
    TColor FNormalColor = clWindowText;
    int FBorderWidth = 1;
    int FCaptionOffset = 2;
    bool FParentFillColor = true;
    TColor FFillColor = clBtnFace;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TFrameStyleEx FFrameStyle = fsFlat;
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
    bool FTransparent = true;
    TColor FPaintColor = clWindowText;
};

class TSkStatusPane : public TSkCustomStatusPane {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoHint READ AutoHint WRITE SetAutoHint)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Blinking READ Blinking WRITE SetBlinking)
    Q_PROPERTY(TColor BlinkColor READ BlinkColor WRITE SetBlinkColor)
    Q_PROPERTY(ushort BlinkIntervalOff READ BlinkIntervalOff WRITE SetBlinkIntervalOff)
    Q_PROPERTY(ushort BlinkIntervalOn READ BlinkIntervalOn WRITE SetBlinkIntervalOn)
    Q_PROPERTY(int CaptionOffset READ CaptionOffset WRITE SetCaptionOffset)
    Q_PROPERTY(int DefaultWidth READ DefaultWidth WRITE SetDefaultWidth)
    Q_CLASSINFO("Alignment", "= taLeftJustify")
    Q_CLASSINFO("AutoHint", "= False")
    Q_CLASSINFO("AutoSize", "= False")
    Q_CLASSINFO("Blinking", "= False")
    Q_CLASSINFO("BlinkColor", "TColor = clHighlight")
    Q_CLASSINFO("BlinkIntervalOff", "= 500")
    Q_CLASSINFO("BlinkIntervalOn", "= 500")
    Q_CLASSINFO("CaptionOffset", "= 2")
    Q_CLASSINFO("DefaultWidth", "= 40")
public:
    using TSkCustomStatusPane::TSkCustomStatusPane;
};
