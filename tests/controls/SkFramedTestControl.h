// A control that publishes the whole frame block as the framed controls do, and records every value
// the frame controller writes into it; and one that takes the controller's values itself.
#pragma once

#include "SkCommonFraming.h"
#include "Streaming.h"

#include <QStringList>

class TSkFramedTestControl : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)
    Q_PROPERTY(TColor FlatButtonColor READ FlatButtonColor WRITE SetFlatButtonColor)
    Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(TSkFrameControllerNotifications FrameControllerNotifications READ FrameControllerNotifications
                   WRITE SetFrameControllerNotifications)
    Q_PROPERTY(TSkFrameController* FrameController READ FrameController WRITE SetFrameController)
    Q_PROPERTY(TColor FrameHotColor READ FrameHotColor WRITE SetFrameHotColor)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(TFrameStyleEx FrameHotStyle READ FrameHotStyle WRITE SetFrameHotStyle)
    Q_PROPERTY(TSides FrameSides READ FrameSides WRITE SetFrameSides)
    Q_PROPERTY(TFrameStyleEx FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(TFramingPreference FramingPreference READ FramingPreference WRITE SetFramingPreference)
    Q_CLASSINFO("Color", "TColor = clWindow")
    Q_CLASSINFO("ParentColor", "= False")
    Q_CLASSINFO("DisabledColor", "TColor = clBtnFace")
    Q_CLASSINFO("FocusColor", "TColor = clWindow")
    Q_CLASSINFO("ReadOnlyColor", "TColor = clInfoBk")
    Q_CLASSINFO("ReadOnlyColorOnFocus", "= False")
    Q_CLASSINFO("FlatButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("FlatButtons", "= False")
    Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")  // all
    Q_CLASSINFO("FrameHotColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameHotTrack", "= False")
    Q_CLASSINFO("FrameHotStyle", "= fsFlatBold")
    Q_CLASSINFO("FrameSides", "TSides = [sdLeft, sdTop, sdRight, sdBottom]")
    Q_CLASSINFO("FrameStyle", "= fsFlat")
    Q_CLASSINFO("FrameVisible", "= False")
    Q_CLASSINFO("FramingPreference", "= fpXPThemes")
public:
    explicit TSkFramedTestControl(TComponent* AOwner) : TCustomControl(AOwner) { FColor = clWindow; }
    ~TSkFramedTestControl() override { SetFrameController(nullptr); }

    // "Name=value" of every write through a setter, in order (unless Recording is off).
    QStringList Writes;
    bool Recording = true;
    void Wrote(const char* name, qint64 value) {
        if (Recording) Writes << QStringLiteral("%1=%2").arg(name).arg(value);
    }

    void SetColor(TColor v) override {
        Wrote("Color", v);
        TCustomControl::SetColor(v);
    }
    void SetParentColor(bool v) {
        Wrote("ParentColor", v);
        TCustomControl::SetParentColor(v);
    }
    TColor DisabledColor() const { return FBlock.DisabledColor; }
    void SetDisabledColor(TColor v) { Wrote("DisabledColor", FBlock.DisabledColor = v); }
    TColor FocusColor() const { return FBlock.FocusColor; }
    void SetFocusColor(TColor v) { Wrote("FocusColor", FBlock.FocusColor = v); }
    TColor ReadOnlyColor() const { return FBlock.ReadOnlyColor; }
    void SetReadOnlyColor(TColor v) { Wrote("ReadOnlyColor", FBlock.ReadOnlyColor = v); }
    bool ReadOnlyColorOnFocus() const { return FBlock.ReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool v) { Wrote("ReadOnlyColorOnFocus", FBlock.ReadOnlyColorOnFocus = v); }
    TColor FlatButtonColor() const { return FBlock.FlatButtonColor; }
    void SetFlatButtonColor(TColor v) { Wrote("FlatButtonColor", FBlock.FlatButtonColor = v); }
    bool FlatButtons() const { return FBlock.FlatButtons; }
    void SetFlatButtons(bool v) { Wrote("FlatButtons", FBlock.FlatButtons = v); }
    TColor FrameColor() const { return FBlock.FrameColor; }
    void SetFrameColor(TColor v) { Wrote("FrameColor", FBlock.FrameColor = v); }
    TColor FrameHotColor() const { return FBlock.FrameHotColor; }
    void SetFrameHotColor(TColor v) { Wrote("FrameHotColor", FBlock.FrameHotColor = v); }
    bool FrameHotTrack() const { return FBlock.FrameHotTrack; }
    // As the edits do: turned on it shows the frame, at run time on all four sides.
    void SetFrameHotTrack(bool v) {
        Wrote("FrameHotTrack", FBlock.FrameHotTrack = v);
        if (!v) return;
        FBlock.FrameVisible = true;
        if (!(ComponentState() & csLoading)) FBlock.FrameSides = AllSides;
    }
    TFrameStyleEx FrameHotStyle() const { return FBlock.FrameHotStyle; }
    void SetFrameHotStyle(TFrameStyleEx v) { Wrote("FrameHotStyle", FBlock.FrameHotStyle = v); }
    TSides FrameSides() const { return FBlock.FrameSides; }
    void SetFrameSides(TSides v) { Wrote("FrameSides", FBlock.FrameSides = v); }
    TFrameStyleEx FrameStyle() const { return FBlock.FrameStyle; }
    void SetFrameStyle(TFrameStyleEx v) { Wrote("FrameStyle", FBlock.FrameStyle = v); }
    bool FrameVisible() const { return FBlock.FrameVisible; }
    void SetFrameVisible(bool v) { Wrote("FrameVisible", FBlock.FrameVisible = v); }
    TFramingPreference FramingPreference() const { return FBlock.FramingPreference; }
    void SetFramingPreference(TFramingPreference v) {
        Wrote("FramingPreference", FBlock.FramingPreference = v);
    }
    TSkFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TSkFrameController* v) { SetFrameControllerOf(this, FFrameController, v); }
    TSkFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications v) { FNotifications = v; }

    // The block is written only where no controller supplies it.
    Q_INVOKABLE bool IsColorStored() const { return Stored(fcpColor) && !ParentColor(); }
    Q_INVOKABLE bool IsParentColorStored() const { return Stored(fcpParentColor); }
    Q_INVOKABLE bool IsDisabledColorStored() const { return Stored(fcpDisabledColor); }
    Q_INVOKABLE bool IsFocusColorStored() const { return Stored(fcpFocusColor); }
    Q_INVOKABLE bool IsReadOnlyColorStored() const { return Stored(fcpReadOnlyColor); }
    Q_INVOKABLE bool IsReadOnlyColorOnFocusStored() const { return Stored(fcpReadOnlyColorOnFocus); }
    Q_INVOKABLE bool IsFlatButtonColorStored() const { return Stored(fcpFlatButtonColor); }
    Q_INVOKABLE bool IsFlatButtonsStored() const { return Stored(fcpFlatButtons); }
    Q_INVOKABLE bool IsFrameColorStored() const { return Stored(fcpFrameColor); }
    Q_INVOKABLE bool IsFrameHotColorStored() const { return Stored(fcpFrameHotColor); }
    Q_INVOKABLE bool IsFrameHotTrackStored() const { return Stored(fcpFrameHotTrack); }
    Q_INVOKABLE bool IsFrameHotStyleStored() const { return Stored(fcpFrameHotStyle); }
    Q_INVOKABLE bool IsFrameSidesStored() const { return Stored(fcpFrameSides); }
    Q_INVOKABLE bool IsFrameStyleStored() const { return Stored(fcpFrameStyle); }
    Q_INVOKABLE bool IsFrameVisibleStored() const { return Stored(fcpFrameVisible); }
    Q_INVOKABLE bool IsFramingPreferenceStored() const { return Stored(fcpFramingPreference); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TCustomControl::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
    }
    void DefineProperties(TFiler* Filer) override {
        TCustomControl::DefineProperties(Filer);
        DefineOldFrameProperties(Filer, this);
    }

private:
    bool Stored(TSkFrameControllerProperty p) const { return FrameBlockStored(FFrameController, FNotifications, p); }
    TSkFrameBlock FBlock;
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
};

// Publishes the same block but takes the controller's values itself when told.
class TSkCustomFramedTestControl : public TSkFramedTestControl, public ISkCustomFramingNotification {
    Q_OBJECT
public:
    using TSkFramedTestControl::TSkFramedTestControl;
    int Told = 0;
    void CustomFramingChanged() override { ++Told; }
};

inline void RegisterFramedTestControls() {
    RegisterClass<TSkFramedTestControl>();
    RegisterClass<TSkCustomFramedTestControl>();
}
