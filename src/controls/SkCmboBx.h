// The styled combo box: the framework's combo with a flat frame and a flat drop button painted over the
// native control, background colours that follow its state, a read-only mode, completion of typed text
// against the items, incremental search in drop-down lists, a list as wide as its widest item, and
// (TSkComboBox) a list of stored values beside the items.
#pragma once

#include "SkCommonFraming.h"
#include "SkEditFraming.h"
#include "SkGridsFraming.h"
#include "StdCtrls.h"

#include <memory>

class TTimer;
class TFiler;

// The frame block, its controller and the state colours come from the framing the grids, tree and list
// box share; the box adds the read-only colours and flat buttons, and repaints itself whole.
class TSkCustomComboBox : public TSkFramedControl<TComboBox> {
    Q_OBJECT
public:
    explicit TSkCustomComboBox(TComponent* AOwner);
    ~TSkCustomComboBox() override;

    bool AutoCloseUp() const { return FAutoCloseUp; }
    void SetAutoCloseUp(bool Value) { FAutoCloseUp = Value; }
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    bool AllowEdit() const { return FAllowEdit; }
    void SetAllowEdit(bool Value) { FAllowEdit = Value; }
    bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool Value) { FBeepOnInvalidKey = Value; }
    bool KeepSearchCase() const { return FKeepSearchCase; }
    void SetKeepSearchCase(bool Value) { FKeepSearchCase = Value; }
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
    // The open list's width; 0 fits it to the widest item (never narrower than the box).
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value) { FDropDownWidth = Value; }
    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool Value);
    QString TextHint() const { return FTextHint; }
    void SetTextHint(const QString& Value);

    bool FlatButtons() const { return FBlock.FlatButtons; }
    virtual void SetFlatButtons(bool Value);
    TColor FlatButtonColor() const { return FBlock.FlatButtonColor; }
    virtual void SetFlatButtonColor(TColor Value);
    TColor ReadOnlyColor() const { return FBlock.ReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value);
    bool ReadOnlyColorOnFocus() const { return FBlock.ReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value);
    // Hot tracking neither shows the frame nor changes its sides here.
    void SetFrameHotTrack(bool Value) override;
    // Any change repaints: the visual style's box and the classic one differ all over.
    void SetFramingPreference(TFramingPreference Value) override;
    // True when the visual style draws the box (fpXPThemes while themes are active).
    bool UseThemes() const override;

    // The colour for the state: disabled, focused, read-only or normal; sets Color.
    void UpdateColors() override;
    // Notes focus (ViaMouse false) or the mouse over the box, and repaints what hot tracking changes.
    void UpdateFrame(bool ViaMouse, bool Value) override;
    // The frame is painted with the box, so the whole box repaints.
    void RepaintFrame() override { Invalidate(); }
    // The sound of a refused key, when BeepOnInvalidKey.
    virtual void InvalidKeyBeep();
    // Incremental search: selects the first item beginning with S, else beeps.
    virtual void SelectMatch(const QString& S);
    // Type-ahead: completes the text to the first item beginning with S, selecting the added tail.
    virtual bool CompleteText(const QString& S);
    // The first item beginning with S, whatever its case; -1 when none.
    virtual int FindItem(const QString& S) const;
    virtual void UpdateTextHint();
    // Sets the text without the completion a changed text otherwise runs.
    void SetTextWithoutCompletion(const QString& S);
    int IndexOf(const QString& S) const { return Items()->IndexOf(S); }
    // The prefix typed so far (type-ahead and incremental search).
    QString SearchString() const { return FSearchString; }
    // The width the list was last opened with.
    int ListWidth() const { return FListWidth; }

    void SetCaption(const QString& text) override;

    TNotifyEvent OnMatch, OnNotInList, OnSelEndCancel, OnSelEndOk;

    // Framework and tests: the box's button strip and the area left to the text, in client coordinates.
    TRect ButtonRect() const;

protected:
    // What the published class stores of the frame block (the framed fields' rules).
    bool FrameStored(TSkFrameControllerProperty Property) const { return FramingStored(Property); }
    bool ColorStored() const { return FramingColorStored(); }
    bool FocusColorStored() const { return FramingFocusColorStored(); }
    // The focus as the box last heard of it (its edit field counts).
    bool HasFocus() const override { return FFocused; }

    void WMPaint(TWMPaint& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void EditFieldMouseDown() override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void CMExit(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

    void DropDown() override;
    void CloseUp() override;
    void SelEndOk() override;
    void SelEndCancel() override;
    bool MouseWheel(int Delta) override;

private:
    bool Editable() const { return Style() == csDropDown || Style() == csSimple; }
    bool Hot() const { return FFocused || FMouseOver; }
    void RepaintButtonArea();
    void PaintButton(TCanvas* Canvas, const TRect& Strip);
    void PaintFrame(TCanvas* Canvas, const TRect& Client);
    // Key handling: what read-only lets through, the box's own key press, type-ahead and search.
    bool ReadOnlyKeyDown(unsigned short Key, TShiftState Shift);
    bool KeyPressSteps(QChar& Key);
    bool TypeAheadKeyDown(unsigned short Key, TShiftState Shift);
    // OnKeyDown of the key being handled, for a key the framework will not deliver; false when the
    // handler dropped the key (or freed the box).
    bool FireTakenKeyDown();
    void TypeAheadChar(QChar Key);
    void TypeAheadBackspace();
    void SearchChar(QChar Key);
    void SearchBackspace();
    void RestartSearchTimer();
    void SearchTimerFired(TObject* Sender);
    void ShowCompletion(const QString& S, int Index);

    std::unique_ptr<TTimer> FSearchTimer;
    TCanvas* FCanvas;
    QString FSearchString, FTextHint;
    int FDropDownWidth = 0, FListWidth = 0;
    bool FAutoCloseUp = false, FAutoComplete = true, FAllowEdit = true, FBeepOnInvalidKey = true;
    bool FAutoDropDown = false, FKeepSearchCase = false, FTabOnEnter = false, FReadOnly = false;
    bool FTyping = false, FTextSetByList = false, FEnterSeen = false;
    bool FFocused = false, FShowFocus = true;
    // The key of the key press being handled, so its OnKeyDown can fire when the character is taken.
    unsigned short FPendingKey = 0;
    TShiftState FPendingShift = 0;
};

// The combo box the windows use: publishes the styled box's properties and maps each item to a value.
class TSkComboBox : public TSkCustomComboBox {
    Q_OBJECT
    SK_FRAMED_EDIT_PROPERTIES
    Q_PROPERTY(bool AutoCloseUp READ AutoCloseUp WRITE SetAutoCloseUp)
    Q_PROPERTY(bool AutoComplete READ AutoComplete WRITE SetAutoComplete)
    Q_PROPERTY(bool AllowEdit READ AllowEdit WRITE SetAllowEdit)
    Q_PROPERTY(bool AutoDropDown READ AutoDropDown WRITE SetAutoDropDown)
    Q_PROPERTY(bool BeepOnInvalidKey READ BeepOnInvalidKey WRITE SetBeepOnInvalidKey)
    Q_PROPERTY(TColor FlatButtonColor READ FlatButtonColor WRITE SetFlatButtonColor)
    Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
    Q_PROPERTY(bool KeepSearchCase READ KeepSearchCase WRITE SetKeepSearchCase)
    Q_PROPERTY(QString TextHint READ TextHint WRITE SetTextHint)
    Q_PROPERTY(TComboBoxStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)
    Q_PROPERTY(int DropDownWidth READ DropDownWidth WRITE SetDropDownWidth)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetStreamedItemIndex)
    Q_CLASSINFO("AutoCloseUp", "= False")
    Q_CLASSINFO("AutoComplete", "= True")
    Q_CLASSINFO("AllowEdit", "= True")
    Q_CLASSINFO("AutoDropDown", "= False")
    Q_CLASSINFO("BeepOnInvalidKey", "= True")
    Q_CLASSINFO("FlatButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("FlatButtons", "= False")
    Q_CLASSINFO("KeepSearchCase", "= False")
    Q_CLASSINFO("Style", "= csDropDown")
    Q_CLASSINFO("DropDownCount", "= 8")
    Q_CLASSINFO("DropDownWidth", "= 0")
    Q_CLASSINFO("ItemHeight", "= 16")
    Q_CLASSINFO("MaxLength", "= 0")
    Q_CLASSINFO("ItemIndex", "= -1")
public:
    explicit TSkComboBox(TComponent* AOwner);
    ~TSkComboBox() override;

    // Each item's stored value: Values[i] where that is given and not empty, else the item's text.
    TStringList* Values() { return &FValues; }
    void SetValues(const QStringList& Lines) { FValues.Assign(Lines); }
    QString GetItemValue(int Index) const;
    // The chosen item's value (the text when it has none); setting it chooses the first item with it.
    QString Value() const;
    void SetValue(const QString& V);

    // Item heights are the box's own unless it is owner-drawn.
    void SetItemHeight(int Value);

    SK_FRAME_BLOCK_STORED_PREDICATES
    Q_INVOKABLE bool IsParentColorStored() const { return FrameStored(fcpParentColor); }

    void Click() override;
    void SetStreamedItemIndex(int Value);

protected:
    void Loaded() override;
    void Change() override;
    // Items and Values are written as lists of strings.
    void DefineProperties(TFiler* Filer) override;

private:
    void ValuesChanged();
    TStringList FValues;
    QString FValue;
    int FStreamedItemIndex = -1;
    bool FSelectingByValue = false, FValuesChanging = false, FValuesChanged = false;
};
