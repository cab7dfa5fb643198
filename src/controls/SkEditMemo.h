// The framed memo and rich edit: multi-line fields with the framed edit's frame block and state
// colours, Enter as Tab, and the caret's line and column (1-based) with events when they or the
// selection change.
#pragma once

#include "SkEditFraming.h"
#include "StdCtrls.h"

#include <functional>

using TLineColChangeEvent = std::function<void(TObject* Sender, int Line, int Column)>;
using TClipboardChangeEvent = std::function<void(TObject* Sender, bool Selected, bool ClipboardHasText)>;

class TSkCustomMemo : public TSkFramedEdit<TCustomMemo> {
    Q_OBJECT
public:
    explicit TSkCustomMemo(TComponent* AOwner);

    // The caret's line and column, from 1. A line or column outside the text is ignored.
    virtual int Line();
    virtual void SetLine(int Value);
    virtual int Column();
    virtual void SetColumn(int Value);

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;

    void Click() override;

    Q_INVOKABLE bool IsColorStored() const { return ColorStored(); }
    Q_INVOKABLE bool IsFocusColorStored() const { return FocusColorStored(); }
    Q_INVOKABLE bool IsDisabledColorStored() const { return FrameStored(fcpDisabledColor); }
    Q_INVOKABLE bool IsReadOnlyColorStored() const { return FrameStored(fcpReadOnlyColor); }
    Q_INVOKABLE bool IsReadOnlyColorOnFocusStored() const { return FrameStored(fcpReadOnlyColorOnFocus); }
    Q_INVOKABLE bool IsFrameColorStored() const { return FrameStored(fcpFrameColor); }
    Q_INVOKABLE bool IsFrameHotColorStored() const { return FrameStored(fcpFrameHotColor); }
    Q_INVOKABLE bool IsFrameHotTrackStored() const { return FrameStored(fcpFrameHotTrack); }
    Q_INVOKABLE bool IsFrameHotStyleStored() const { return FrameStored(fcpFrameHotStyle); }
    Q_INVOKABLE bool IsFrameSidesStored() const { return FrameStored(fcpFrameSides); }
    Q_INVOKABLE bool IsFrameStyleStored() const { return FrameStored(fcpFrameStyle); }
    Q_INVOKABLE bool IsFrameVisibleStored() const { return FrameStored(fcpFrameVisible); }
    Q_INVOKABLE bool IsFramingPreferenceStored() const { return FrameStored(fcpFramingPreference); }

protected:
    // Tells OnLineColChange where the caret is, then OnClipboardChange.
    virtual void LineColChange();
    // Tells OnClipboardChange whether text is selected and whether the clipboard holds text.
    virtual void ClipboardChange();
    void Change() override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
};

class TSkMemo : public TSkCustomMemo {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)
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
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_CLASSINFO("Color", "TColor = clWindow")
    Q_CLASSINFO("ParentColor", "= False")
    Q_CLASSINFO("DisabledColor", "TColor = clBtnFace")
    Q_CLASSINFO("FocusColor", "TColor = clWindow")
    Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")
    Q_CLASSINFO("FrameHotColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameHotTrack", "= False")
    Q_CLASSINFO("FrameHotStyle", "= fsFlatBold")
    Q_CLASSINFO("FrameSides", "TSides = [sdLeft, sdTop, sdRight, sdBottom]")
    Q_CLASSINFO("FrameStyle", "= fsFlat")
    Q_CLASSINFO("FrameVisible", "= False")
    Q_CLASSINFO("FramingPreference", "= fpXPThemes")
    Q_CLASSINFO("ReadOnly", "= False")
    Q_CLASSINFO("ReadOnlyColor", "TColor = clInfoBk")
    Q_CLASSINFO("ReadOnlyColorOnFocus", "= False")
    Q_CLASSINFO("TabOnEnter", "= False")
    Q_CLASSINFO("WordWrap", "= True")
public:
    using TSkCustomMemo::TSkCustomMemo;
};

// The rich edit's text is plain here; PlainText is kept for the forms that set it.
class TSkRichEdit : public TSkCustomMemo {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)
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
    Q_PROPERTY(bool PlainText READ PlainText WRITE SetPlainText)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_CLASSINFO("Color", "TColor = clWindow")
    Q_CLASSINFO("ParentColor", "= False")
    Q_CLASSINFO("DisabledColor", "TColor = clBtnFace")
    Q_CLASSINFO("FocusColor", "TColor = clWindow")
    Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")
    Q_CLASSINFO("FrameHotColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameHotTrack", "= False")
    Q_CLASSINFO("FrameHotStyle", "= fsFlatBold")
    Q_CLASSINFO("FrameSides", "TSides = [sdLeft, sdTop, sdRight, sdBottom]")
    Q_CLASSINFO("FrameStyle", "= fsFlat")
    Q_CLASSINFO("FrameVisible", "= False")
    Q_CLASSINFO("FramingPreference", "= fpXPThemes")
    Q_CLASSINFO("PlainText", "= False")
    Q_CLASSINFO("ReadOnly", "= False")
    Q_CLASSINFO("ReadOnlyColor", "TColor = clInfoBk")
    Q_CLASSINFO("ReadOnlyColorOnFocus", "= False")
    Q_CLASSINFO("TabOnEnter", "= False")
    Q_CLASSINFO("WordWrap", "= True")
public:
    using TSkCustomMemo::TSkCustomMemo;
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }

private:
    bool FPlainText = false;
};
