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

// The frame block's values (all but Color and ParentColor, which controls keep as such), with the
// defaults every framed control starts from.
struct TSkFrameBlock {
    TColor DisabledColor = clBtnFace;
    TColor FocusColor = clWindow;
    TColor ReadOnlyColor = clInfoBk;
    bool ReadOnlyColorOnFocus = false;
    TColor FlatButtonColor = clBtnFace;
    bool FlatButtons = false;
    TColor FrameColor = clBtnShadow;
    TColor FrameHotColor = clBtnShadow;
    bool FrameHotTrack = false;
    TFrameStyleEx FrameHotStyle = fsFlatBold;
    TSides FrameSides = AllSides;
    TFrameStyleEx FrameStyle = fsFlat;
    bool FrameVisible = false;
    TFramingPreference FramingPreference = fpXPThemes;
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
    TColor FlatButtonColor() const { return FBlock.FlatButtonColor; }
    virtual void SetFlatButtonColor(TColor Value) {
        Change(FBlock.FlatButtonColor, Value, fcpFlatButtonColor);
    }
    bool FlatButtons() const { return FBlock.FlatButtons; }
    virtual void SetFlatButtons(bool Value) { Change(FBlock.FlatButtons, Value, fcpFlatButtons); }
    TColor DisabledColor() const { return FBlock.DisabledColor; }
    virtual void SetDisabledColor(TColor Value) { Change(FBlock.DisabledColor, Value, fcpDisabledColor); }
    TColor ReadOnlyColor() const { return FBlock.ReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value) { Change(FBlock.ReadOnlyColor, Value, fcpReadOnlyColor); }
    bool ReadOnlyColorOnFocus() const { return FBlock.ReadOnlyColorOnFocus; }
    virtual void SetReadOnlyColorOnFocus(bool Value) {
        Change(FBlock.ReadOnlyColorOnFocus, Value, fcpReadOnlyColorOnFocus);
    }
    TColor FocusColor() const { return FBlock.FocusColor; }
    virtual void SetFocusColor(TColor Value) { Change(FBlock.FocusColor, Value, fcpFocusColor); }
    TColor FrameColor() const { return FBlock.FrameColor; }
    virtual void SetFrameColor(TColor Value) { Change(FBlock.FrameColor, Value, fcpFrameColor); }
    TColor FrameHotColor() const { return FBlock.FrameHotColor; }
    virtual void SetFrameHotColor(TColor Value) { Change(FBlock.FrameHotColor, Value, fcpFrameHotColor); }
    bool FrameHotTrack() const { return FBlock.FrameHotTrack; }
    virtual void SetFrameHotTrack(bool Value);
    TFrameStyleEx FrameHotStyle() const { return FBlock.FrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyleEx Value) {
        Change(FBlock.FrameHotStyle, Value, fcpFrameHotStyle);
    }
    TSides FrameSides() const { return FBlock.FrameSides; }
    virtual void SetFrameSides(TSides Value) { Change(FBlock.FrameSides, Value, fcpFrameSides); }
    TFrameStyleEx FrameStyle() const { return FBlock.FrameStyle; }
    virtual void SetFrameStyle(TFrameStyleEx Value) { Change(FBlock.FrameStyle, Value, fcpFrameStyle); }
    bool FrameVisible() const { return FBlock.FrameVisible; }
    virtual void SetFrameVisible(bool Value) { Change(FBlock.FrameVisible, Value, fcpFrameVisible); }
    TFramingPreference FramingPreference() const { return FBlock.FramingPreference; }
    virtual void SetFramingPreference(TFramingPreference Value) {
        Change(FBlock.FramingPreference, Value, fcpFramingPreference);
    }
    TSkRegIniFile* RegIniFile() const { return FRegIniFile; }
    virtual void SetRegIniFile(TSkRegIniFile* Value);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;

private:
    void WriteProperty(const TPropTarget& Target, const TPropInfo& Info, TSkFrameControllerProperty Property);
    // Stores a changed value and pushes it.
    template <class T> void Change(T& Field, T Value, TSkFrameControllerProperty Property) {
        if (Field == Value) return;
        Field = Value;
        UpdateControls(Property);
    }
    TColor FColor = clWindow;
    bool FParentColor = false;
    std::vector<TComponent*> FControls;
    TSkFrameBlock FBlock = {.FlatButtons = true};
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

// The published frame block with its declared defaults (moc expands the macro).
#define SK_FRAME_BLOCK_PROPERTIES                                                                            \
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)                                                       \
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)                                       \
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)                               \
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)                                        \
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)                                        \
    Q_PROPERTY(TSkFrameController* FrameController READ FrameController WRITE SetFrameController)            \
    Q_PROPERTY(TSkFrameControllerNotifications FrameControllerNotifications READ                             \
                   FrameControllerNotifications WRITE SetFrameControllerNotifications)                       \
    Q_PROPERTY(TColor FrameHotColor READ FrameHotColor WRITE SetFrameHotColor)                               \
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)                                 \
    Q_PROPERTY(TFrameStyleEx FrameHotStyle READ FrameHotStyle WRITE SetFrameHotStyle)                        \
    Q_PROPERTY(TSides FrameSides READ FrameSides WRITE SetFrameSides)                                        \
    Q_PROPERTY(TFrameStyleEx FrameStyle READ FrameStyle WRITE SetFrameStyle)                                 \
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)                                    \
    Q_PROPERTY(TFramingPreference FramingPreference READ FramingPreference WRITE SetFramingPreference)       \
    Q_CLASSINFO("Color", "TColor = clWindow")                                                                \
    Q_CLASSINFO("ParentColor", "= False")                                                                    \
    Q_CLASSINFO("DisabledColor", "TColor = clBtnFace")                                                       \
    Q_CLASSINFO("FocusColor", "TColor = clWindow")                                                           \
    Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")                                                        \
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")                   \
    Q_CLASSINFO("FrameHotColor", "TColor = clBtnShadow")                                                     \
    Q_CLASSINFO("FrameHotTrack", "= False")                                                                  \
    Q_CLASSINFO("FrameHotStyle", "= fsFlatBold")                                                             \
    Q_CLASSINFO("FrameSides", "TSides = [sdLeft, sdTop, sdRight, sdBottom]")                                 \
    Q_CLASSINFO("FrameStyle", "= fsFlat")                                                                    \
    Q_CLASSINFO("FrameVisible", "= False")                                                                   \
    Q_CLASSINFO("FramingPreference", "= fpXPThemes")
