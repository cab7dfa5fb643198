// The framed single-line edit: the framework's edit with the frame block, state colours, a text hint
// (cue banner), Enter as Tab and the machinery of a drop-down button in the non-client area, which
// the numeric and date/time edits turn on to open their pop-ups.
#pragma once

#include "SkEditFraming.h"
#include "StdCtrls.h"

class TSkCustomEdit : public TSkFramedEdit<TEdit> {
    Q_OBJECT
public:
    explicit TSkCustomEdit(TComponent* AOwner);

    // The edit's text: what the windows read and write.
    QString Text() const { return Caption(); }
    void SetText(const QString& Value) { SetCaption(Value); }
    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // Used by descendants' key filters.
    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool Value) { FBeepOnInvalidKey = Value; }
    // The hint the empty field shows; only under an active visual style on XP or later.
    QString TextHint() const { return FTextHint; }
    void SetTextHint(const QString& Value);
    bool TextHintVisibleOnFocus() const { return FTextHintVisibleOnFocus; }
    void SetTextHintVisibleOnFocus(bool Value);
    virtual void UpdateTextHint();

    // The drop-down button: wanted by a descendant (DropButtonVisible), present unless read-only.
    bool DropButtonVisible() const { return FDropButtonVisible; }
    virtual void SetDropButtonVisible(bool Value);
    bool ButtonPresent() const { return FButtonPresent; }
    bool FlatButtons() const { return FBlock.FlatButtons; }
    virtual void SetFlatButtons(bool Value);
    TColor FlatButtonColor() const { return FBlock.FlatButtonColor; }
    void SetFlatButtonColor(TColor Value);
    // 0 normal, 2 pressed.
    int ButtonState() const { return FButtonState; }
    virtual void SetButtonState(int Value);
    bool OverButton() const { return FOverButton; }
    bool Dropping() const { return FDropping; }
    // The button's rectangle in the control's own coordinates (empty without a button).
    TRect DropButtonRect() const;
    // Presses the button: DropDown (where a descendant runs its pop-up), then CloseUp.
    void DropDownSequence();

    TNotifyEvent OnDropDown, OnCloseUp;

    // The frame block's stored predicates, for every published descendant.
    SK_FRAME_BLOCK_STORED_PREDICATES

protected:
    // Descendants that own a drop-down turn the button on.
    virtual void SetButtonPresent(bool Value);
    virtual void DrawDropDownButton(TCanvas* Canvas, const TRect& Rect);
    virtual void DropDown() { FireEvent(OnDropDown, this); }
    virtual void CloseUp() { FireEvent(OnCloseUp, this); }
    // The warning for a key a descendant's filter refuses.
    void InvalidKeyBeep();

    void Loaded() override;
    void ReadOnlyChanged() override;
    void HotStateChanged() override;
    bool EnterKey() override;
    void TypeInstead(QChar Key) override { SetSelText(QString(Key)); }
    void PaintNonClientExtras(TCanvas* Canvas) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void WMNCCalcSize(TWMNCCalcSize& Message) override;
    void WMNCHitTest(TWMPosition& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void WMRButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    bool WidgetEvent(QEvent* Event) override;

private:
    void ButtonMouseDown(TWMMouse& Message);
    void ResetButton();
    TAlignment FAlignment = taLeftJustify;
    QString FTextHint;
    bool FTextHintVisibleOnFocus = false, FBeepOnInvalidKey = true, FAutoSelect = true;
    bool FDropButtonVisible = false, FButtonPresent = false, FOverButton = false, FDropping = false;
    // Set by a key down that must go no further than the edit.
    bool FKeyEndsHere = false;
    int FButtonState = 0;
};

// The edit the windows place: publishes the framed edit's properties.
class TSkEdit : public TSkCustomEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    SK_FRAMED_EDIT_PROPERTIES
    Q_PROPERTY(QString TextHint READ TextHint WRITE SetTextHint)
    Q_PROPERTY(bool TextHintVisibleOnFocus READ TextHintVisibleOnFocus WRITE SetTextHintVisibleOnFocus)
    Q_CLASSINFO("Alignment", "= taLeftJustify")
    Q_CLASSINFO("AutoSelect", "= True")
    Q_CLASSINFO("TextHintVisibleOnFocus", "= False")
public:
    using TSkCustomEdit::TSkCustomEdit;
};
