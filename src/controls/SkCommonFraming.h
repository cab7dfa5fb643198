// The common unit's frame controller: one copy of the frame and colour properties that framed
// controls carry (the frame block), pushed by name to every control registered with it, each taking
// only the properties its FrameControllerNotifications lets through. Also the readers of the frame
// block's names of earlier versions, and the helpers a framed control uses to follow a controller.
#pragma once

#include "SkCommon.h"
#include "SkCommonRegIni.h"

#include <cstdint>
#include <vector>

class TFiler;
class TReader;
struct TPropInfo;
struct TPropTarget;

enum TSkFrameControllerProperty {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference,
    fcpAll
};
// A set of fcpColor .. fcpFramingPreference: bit n stands for property n.
using TSkFrameControllerNotifications = std::uint16_t;
constexpr TSkFrameControllerNotifications AllFrameControllerNotifications = 0xFFFF;
constexpr TSkFrameControllerNotifications FrameControllerBit(TSkFrameControllerProperty Property) {
    return TSkFrameControllerNotifications(1u << Property);
}

// Registers the names of the common unit's enumerations and sets for streaming and run-time type
// information; every unit that publishes them calls it (more than once does no harm).
void RegisterSkCommonTypes();

// A control that takes the controller's values itself: told of every change, it gets no property
// written by the controller.
class ISkCustomFramingNotification {
public:
    virtual ~ISkCustomFramingNotification() = default;
    virtual void CustomFramingChanged() = 0;
};

class TSkFrameController : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)
    Q_PROPERTY(TColor FlatButtonColor READ FlatButtonColor WRITE SetFlatButtonColor)
    Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(TColor FrameHotColor READ FrameHotColor WRITE SetFrameHotColor)
    Q_PROPERTY(TFrameStyleEx FrameHotStyle READ FrameHotStyle WRITE SetFrameHotStyle)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(TSides FrameSides READ FrameSides WRITE SetFrameSides)
    Q_PROPERTY(TFrameStyleEx FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(TFramingPreference FramingPreference READ FramingPreference WRITE SetFramingPreference)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TSkRegIniFile* RegIniFile READ RegIniFile WRITE SetRegIniFile)
    Q_CLASSINFO("Color", "TColor = clWindow")
    Q_CLASSINFO("DisabledColor", "TColor = clBtnFace")
    Q_CLASSINFO("ReadOnlyColor", "TColor = clInfoBk")
    Q_CLASSINFO("ReadOnlyColorOnFocus", "= False")
    Q_CLASSINFO("FlatButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("FlatButtons", "= True")
    Q_CLASSINFO("FocusColor", "TColor = clWindow")
    Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameHotColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameHotStyle", "= fsFlatBold")
    Q_CLASSINFO("FrameHotTrack", "= False")
    Q_CLASSINFO("FrameSides", "TSides = [sdLeft, sdTop, sdRight, sdBottom]")
    Q_CLASSINFO("FrameStyle", "= fsFlat")
    Q_CLASSINFO("FrameVisible", "= False")
    Q_CLASSINFO("FramingPreference", "= fpXPThemes")
    Q_CLASSINFO("ParentColor", "= False")
public:
    explicit TSkFrameController(TComponent* AOwner);
    ~TSkFrameController() override;

    // Registers a control once and pushes every property to it at once.
    void AddControl(TComponent* Control);
    void RemoveControl(TComponent* Control);
    int ControlCount() const { return int(FControls.size()); }
    TComponent* Controls(int Index) const { return FControls.at(Index); }

    // While updates are open nothing is pushed; closing the last pushes everything once.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    virtual void UpdateControl(TComponent* Control, TSkFrameControllerProperty Property);
    virtual void UpdateControls(TSkFrameControllerProperty Property);

    // From another controller: its published values, pushed once; the controls registered with it
    // stay with it.
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    virtual void SetColor(TColor Value);
    Q_INVOKABLE bool IsColorStored() const { return !FParentColor; }
    bool ParentColor() const { return FParentColor; }
    virtual void SetParentColor(bool Value);
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    virtual void SetFlatButtonColor(TColor Value);
    bool FlatButtons() const { return FFlatButtons; }
    virtual void SetFlatButtons(bool Value);
    TColor DisabledColor() const { return FDisabledColor; }
    virtual void SetDisabledColor(TColor Value);
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value);
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    virtual void SetReadOnlyColorOnFocus(bool Value);
    TColor FocusColor() const { return FFocusColor; }
    virtual void SetFocusColor(TColor Value);
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor Value);
    TColor FrameHotColor() const { return FFrameHotColor; }
    virtual void SetFrameHotColor(TColor Value);
    bool FrameHotTrack() const { return FFrameHotTrack; }
    virtual void SetFrameHotTrack(bool Value);
    TFrameStyleEx FrameHotStyle() const { return FFrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyleEx Value);
    TSides FrameSides() const { return FFrameSides; }
    virtual void SetFrameSides(TSides Value);
    TFrameStyleEx FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyleEx Value);
    bool FrameVisible() const { return FFrameVisible; }
    virtual void SetFrameVisible(bool Value);
    TFramingPreference FramingPreference() const { return FFramingPreference; }
    virtual void SetFramingPreference(TFramingPreference Value);
    TSkRegIniFile* RegIniFile() const { return FRegIniFile; }
    virtual void SetRegIniFile(TSkRegIniFile* Value);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;

private:
    void WriteProperty(const TPropTarget& Target, const TPropInfo& Info, TSkFrameControllerProperty Property);
    TColor FColor = clWindow;
    bool FParentColor = false;
    std::vector<TComponent*> FControls;
    TColor FFlatButtonColor = clBtnFace;
    bool FFlatButtons = true;
    TColor FDisabledColor = clBtnFace;
    TColor FReadOnlyColor = clInfoBk;
    bool FReadOnlyColorOnFocus = false;
    TColor FFocusColor = clWindow;
    TColor FFrameColor = clBtnShadow;
    TColor FFrameHotColor = clBtnShadow;
    bool FFrameHotTrack = false;
    TFrameStyleEx FFrameHotStyle = fsFlatBold;
    TSides FFrameSides = AllSides;
    TFrameStyleEx FFrameStyle = fsFlat;
    bool FFrameVisible = false;
    TFramingPreference FFramingPreference = fpXPThemes;
    int FUpdateCount = 0;
    TSkRegIniFile* FRegIniFile = nullptr;
};

// A framed control's side of the controller -------------------------------------------------------
// Leaves the old controller, joins the new one (which pushes its values at once) and asks to hear
// when it goes; Field is the control's own reference.
void SetFrameControllerOf(TControl* Control, TSkFrameController*& Field, TSkFrameController* Value);
// Whether a frame block property is written to a form: not while a controller supplies it.
bool FrameBlockStored(const TSkFrameController* Controller, TSkFrameControllerNotifications Notifications,
                      TSkFrameControllerProperty Property);

// Names of earlier versions --------------------------------------------------------------------
// The readers that take an obsolete value off a stream and drop it.
class TSkOldPropReader {
public:
    static void ReadOldBooleanProp(TReader& Reader);
    static void ReadOldIdentProp(TReader& Reader);
    static void ReadOldIntegerProp(TReader& Reader);
    // Strings until an empty one, or a list of strings.
    static void ReadOldStringsProp(TReader& Reader);
};

// Reads, never writes, the frame block's old names into the published properties of Instance:
// "FrameFlat" (True: FrameHotTrack on, FrameStyle fsStatus, FrameHotStyle fsLowered; False:
// FrameHotTrack off), "FrameFocusStyle" (into FrameHotStyle) and "FrameFlatStyle" (dropped).
void DefineOldFrameProperties(TFiler* Filer, QObject* Instance);
