// The frame block as the grids, the tree, the list box and the combo box carry it on a framework
// control: the frame and colour properties, the colour that follows focus and enabling, hot tracking of
// the frame under the mouse, and the frame controller. A control derives from TSkFramedControl<its framework class>
// and publishes the properties itself (SK_FRAME_BLOCK_PROPERTIES, SK_GRIDS_FRAMING_STORED).
#pragma once

#include "SkCommonFraming.h"

class TSkGridsFraming {
public:
    virtual ~TSkGridsFraming() = default;

    TColor DisabledColor() const { return FBlock.DisabledColor; }
    virtual void SetDisabledColor(TColor Value);
    TColor FocusColor() const { return FBlock.FocusColor; }
    virtual void SetFocusColor(TColor Value);
    TColor FrameColor() const { return FBlock.FrameColor; }
    virtual void SetFrameColor(TColor Value);
    TSkFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TSkFrameController* Value);
    TSkFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications Value) { FNotifications = Value; }
    TColor FrameHotColor() const { return FBlock.FrameHotColor; }
    virtual void SetFrameHotColor(TColor Value);
    // Turned on it shows the frame, at run time on all four sides.
    bool FrameHotTrack() const { return FBlock.FrameHotTrack; }
    virtual void SetFrameHotTrack(bool Value);
    TFrameStyleEx FrameHotStyle() const { return FBlock.FrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyleEx Value);
    TSides FrameSides() const { return FBlock.FrameSides; }
    virtual void SetFrameSides(TSides Value);
    TFrameStyleEx FrameStyle() const { return FBlock.FrameStyle; }
    virtual void SetFrameStyle(TFrameStyleEx Value);
    bool FrameVisible() const { return FBlock.FrameVisible; }
    virtual void SetFrameVisible(bool Value);
    TFramingPreference FramingPreference() const { return FBlock.FramingPreference; }
    virtual void SetFramingPreference(TFramingPreference Value);

    // The visual style draws the border instead of the control.
    virtual bool UseThemes() const;
    // The colour shown while neither focused nor disabled: the last one the program set.
    TColor NormalColor() const { return FNormalColor; }
    bool MouseOver() const { return FMouseOver; }

    // Disabled: DisabledColor; focused: FocusColor; otherwise the normal colour. Not while loading.
    virtual void UpdateColors();
    virtual void UpdateFrame(bool ViaMouse, bool Over);
    // Repaints the frame band only.
    virtual void RepaintFrame();

protected:
    explicit TSkGridsFraming(TWinControl* Control) : FControl(Control) {}

    // The focus is on the control or on a window inside it.
    virtual bool HasFocus() const;
    // The frame was switched on or off: the control re-creates its border.
    virtual void FrameVisibleChanged();
    // The frame to draw now, or false when the control draws none: with FrameVisible and no visual
    // style the hot or the plain style and colour; with a visual style active a flat line in the
    // theme's colour, when ThemeBorder.
    bool FrameToDraw(TFrameStyleEx& Style, TColor& Color, TSides& Sides, bool ThemeBorder) const;

    // The steps the control's handlers call.
    void FramingLoaded();
    void FramingEntered() { UpdateFrame(false, true); }
    void FramingExited() { UpdateFrame(false, false); }
    void FramingMouseEntered();
    void FramingMouseLeft();
    // After the control's Color changed: follows it unless the control set it itself.
    void FramingColorChanged();
    void FramingNotification(TComponent* AComponent, TOperation Operation);
    bool FramingStored(TSkFrameControllerProperty Property) const {
        return FrameBlockStored(FFrameController, FNotifications, Property);
    }
    // Color is written only while the control is enabled; FocusColor when it differs from Color.
    bool FramingColorStored() const;
    bool FramingFocusColorStored() const;
    bool Loading() const;

    TWinControl* const FControl;
    TSkFrameBlock FBlock;
    TColor FNormalColor = clWindow;
    bool FUpdatingColor = false, FMouseOver = false;
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
};

// A framework control with the frame block: the messages that drive the block, the frame
// controller's registration and the old names of the frame properties.
template <class TBase> class TSkFramedControl : public TBase, public TSkGridsFraming {
public:
    explicit TSkFramedControl(TComponent* AOwner) : TBase(AOwner), TSkGridsFraming(this) {
        FNormalColor = this->Color();
    }
    ~TSkFramedControl() override { SetFrameController(nullptr); }

protected:
    void Loaded() override {
        TBase::Loaded();
        FramingLoaded();
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TBase::Notification(AComponent, Operation);
        FramingNotification(AComponent, Operation);
    }
    void DefineProperties(TFiler* Filer) override {
        TBase::DefineProperties(Filer);
        DefineOldFrameProperties(Filer, this);
    }
    void CMEnter(TMessage& Message) override {
        FramingEntered();
        TBase::CMEnter(Message);
    }
    void CMExit(TMessage& Message) override {
        TBase::CMExit(Message);
        FramingExited();
    }
    void CMEnabledChanged(TMessage& Message) override {
        TBase::CMEnabledChanged(Message);
        UpdateColors();
    }
    void CMMouseEnter(TMessage& Message) override {
        TBase::CMMouseEnter(Message);
        FramingMouseEntered();
    }
    void CMMouseLeave(TMessage& Message) override {
        TBase::CMMouseLeave(Message);
        FramingMouseLeft();
    }
    void CMColorChanged(TMessage& Message) override {
        TBase::CMColorChanged(Message);
        FramingColorChanged();
    }
    void WMSize(TWMSize& Message) override {
        TBase::WMSize(Message);
        if (FrameVisible() && !UseThemes()) RepaintFrame();
    }
};

// The stored rules of the published frame block: the controller's values are not written.
#define SK_GRIDS_FRAMING_STORED                                                                              \
    Q_INVOKABLE bool IsColorStored() const {                                                                 \
        return FramingColorStored();                                                                         \
    }                                                                                                        \
    Q_INVOKABLE bool IsParentColorStored() const {                                                           \
        return FramingStored(fcpParentColor);                                                                \
    }                                                                                                        \
    Q_INVOKABLE bool IsDisabledColorStored() const {                                                         \
        return FramingStored(fcpDisabledColor);                                                              \
    }                                                                                                        \
    Q_INVOKABLE bool IsFocusColorStored() const {                                                            \
        return FramingFocusColorStored();                                                                    \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameColorStored() const {                                                            \
        return FramingStored(fcpFrameColor);                                                                 \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameHotColorStored() const {                                                         \
        return FramingStored(fcpFrameHotColor);                                                              \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameHotTrackStored() const {                                                         \
        return FramingStored(fcpFrameHotTrack);                                                              \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameHotStyleStored() const {                                                         \
        return FramingStored(fcpFrameHotStyle);                                                              \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameSidesStored() const {                                                            \
        return FramingStored(fcpFrameSides);                                                                 \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameStyleStored() const {                                                            \
        return FramingStored(fcpFrameStyle);                                                                 \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameVisibleStored() const {                                                          \
        return FramingStored(fcpFrameVisible);                                                               \
    }                                                                                                        \
    Q_INVOKABLE bool IsFramingPreferenceStored() const {                                                     \
        return FramingStored(fcpFramingPreference);                                                          \
    }
