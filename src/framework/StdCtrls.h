// Standard controls: labels, buttons, edits, check boxes, radio buttons, group boxes, combo boxes,
// list boxes and memos.
#pragma once

#include "Controls.h"

class QLabel;
class QComboBox;
class QImage;
class QListView;
class QPlainTextEdit;
class QPainter;
class QRect;
class QPoint;
class TStringListModel;
class QPushButton;
class QLineEdit;
class QCheckBox;
class QRadioButton;
class QGroupBox;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TControl {
    Q_OBJECT
public:
    explicit TLabel(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout layout);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    // A transparent label lets its parent's colour show; otherwise it fills with Color.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    // A label that works as a link can be a keyboard stop: Tab reaches it, a dotted frame shows it has
    // the focus, and Space or Enter clicks it. A mouse click does not take the focus.
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);

protected:
    void FontChanged() override;
    void FontPalette(QPalette& palette) const override;
    void ColorChanged() override;
    void CMEnabledChanged(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;

private:
    // A label keeps its font's colour while a container around it is disabled, as the classic label
    // does; only its own Enabled turns it grey.
    void UpdateDisabledColor();
    void UpdateText();
    void AdjustSize();
    QLabel* Label() const;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true, FWordWrap = false, FTransparent = true, FTabStop = false;
};

// A push button. Enter anywhere in its window presses the focused push button, or the Default one
// when the focus is on another kind of control; Escape presses a Cancel button; Alt and the letter
// after "&" in the caption press it too.
class TButton : public TWinControl {
    Q_OBJECT
public:
    explicit TButton(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    // Clicking the button also sets its window's ModalResult.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // Whether Enter presses this button now.
    bool Active() const { return FActive; }
    void Click() override;

protected:
    bool ClickOnMouseUp() const override { return false; }
    void WMGetDlgCode(TMessage& Message) override;
    void CMDialogKey(TWMKey& Message) override;
    void CMDialogChar(TWMKey& Message) override;
    void CMFocusChanged(TWMFocus& Message) override;

private:
    int FModalResult = 0;
    bool FDefault = false, FCancel = false, FActive = false;
};

// Whether a control is a push button (it says so in its dialog code): Enter presses the focused one.
bool IsPushButton(TControl* Control);

class TEdit : public TWinControl {
    Q_OBJECT
public:
    explicit TEdit(TComponent* AOwner);
    QString Caption() const override;
    void SetCaption(const QString& text) override;
    // The character shown for each typed one (a password edit); QChar() shows the text.
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar ch);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    int MaxLength() const;
    void SetMaxLength(int length);
    void SelectAll();
    int SelStart() const;
    void SetSelStart(int position);
    int SelLength() const;
    QString SelText() const;
    // EM_REPLACESEL: the text takes the selection's place (typed there when nothing is selected).
    void SetSelText(const QString& text);
    // Where the text sits in the field (the edit's ES_LEFT, ES_RIGHT, ES_CENTER).
    TAlignment TextAlignment() const;
    void SetTextAlignment(TAlignment alignment);
    // The grey hint shown while the field is empty (EM_SETCUEBANNER; empty shows none).
    QString CueBanner() const;
    void SetCueBanner(const QString& text);
    TNotifyEvent OnChange;

protected:
    // The text changed (typed or set): fires OnChange.
    virtual void Change() { FireEvent(OnChange, this); }
    void ColorChanged() override;
    QLineEdit* Edit() const;

private:
    QChar FPasswordChar;
};

class TCheckBox : public TWinControl {
    Q_OBJECT
public:
    explicit TCheckBox(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    bool Checked() const;
    // Changing the state by code also fires OnClick, as a click would.
    void SetChecked(bool checked);

protected:
    bool ClickOnMouseUp() const override { return false; }
    void ColorChanged() override;

private:
    QCheckBox* Box() const;
};

// Radio buttons with the same parent exclude one another.
class TRadioButton : public TWinControl {
    Q_OBJECT
public:
    explicit TRadioButton(TComponent* AOwner);
    void SetCaption(const QString& caption) override;
    bool Checked() const;
    // Checking by code also fires OnClick, as a click would.
    void SetChecked(bool checked);

protected:
    bool ClickOnMouseUp() const override { return false; }
    void ColorChanged() override;

private:
    QRadioButton* Button() const;
};

class TGroupBox : public TWinControl {
    Q_OBJECT
public:
    explicit TGroupBox(TComponent* AOwner);
    void SetCaption(const QString& caption) override;

protected:
    void ColorChanged() override;
};

// Combo boxes ----------------------------------------------------------------------------------

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// The box shows its Items as they change. OnChange and OnSelect come from the user only: a choice in
// the list fires OnClick and then OnSelect (OnChange when there is no OnSelect); typing into an
// editable box fires OnChange.
class TComboBox : public TWinControl {
    Q_OBJECT
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    TStringList* Items() { return &FItems; }
    const TStringList* Items() const { return &FItems; }
    // -1 when nothing is chosen; setting an index outside the items chooses nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The shown text; in a drop-down list setting it chooses the item with that text.
    QString Caption() const override;
    void SetCaption(const QString& text) override;
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count);
    // Empties the items and the text.
    void Clear();

    // The first item from After + 1 on (going round to the start) that begins with Prefix, whatever
    // the case; -1 when none does or Prefix is empty.
    int FindString(const QString& Prefix, int After = -1) const;
    // Whether the list is open; opening it runs DropDown first, closing it CloseUp.
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    // The list's least width while open (0: the box's own width).
    int DroppedWidth() const { return FDroppedWidth; }
    void SetDroppedWidth(int width);
    // The first item the open list shows.
    int TopIndex() const;
    void SetTopIndex(int index);
    // The edit field's selection and length limit (editable styles; a list has neither).
    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length);
    // Stops typing into the edit field, as a read-only edit does (selecting and copying stay).
    void SetEditReadOnly(bool readOnly);
    // The grey hint the empty edit field shows (EM_SETCUEBANNER); a list has no edit field.
    void SetCueBanner(const QString& text);
    QString CueBanner() const;
    // The edit field's clipboard commands (WM_PASTE, WM_CUT); OnChange fires as for typing.
    void PasteFromClipboard();
    void CutToClipboard();

    TNotifyEvent OnChange, OnSelect, OnDropDown, OnCloseUp;

    // Owner-drawn styles (csOwnerDrawFixed, csOwnerDrawVariable): OnDrawItem draws item Index in Rect
    // on Canvas, whose brush and font are set for the item's state (odComboBoxEdit: the box's own
    // face); every row is ItemHeight high, or, for csOwnerDrawVariable, what OnMeasureItem makes it.
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)> OnDrawItem;
    std::function<void(TWinControl* Control, int Index, int& Height)> OnMeasureItem;
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);
    TCanvas* Canvas() { return &FCanvas; }

    // Framework use: the box's picture, the native one with WM_PAINT's drawing over it when the box
    // paints over (children, the edit field, not included).
    QImage PaintImage();

protected:
    void ColorChanged() override;
    bool FilterWidgetEvent(QObject* watched, QEvent* event) override;
    bool ClickOnMouseUp() const override { return false; }
    // Typing, and a choice in the list without OnSelect.
    virtual void Change();
    // A choice in the list: OnSelect, or Change.
    virtual void Select();
    // The list is about to open; the list has closed.
    virtual void DropDown();
    virtual void CloseUp();
    // The list closed with a choice (a click or Enter on an item), or without one.
    virtual void SelEndOk() {}
    virtual void SelEndCancel() {}
    // The mouse wheel turned by Delta (120 a notch, positive away from the user); true when handled,
    // else the native box scrolls its items.
    virtual bool MouseWheel(int) { return false; }
    // A left press in the edit field of an editable box (the field then places its caret as usual).
    virtual void EditFieldMouseDown() {}
    bool OwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    // Draws an owner-drawn item on Canvas: the highlight colours when selected, DrawItem, and a focus
    // rectangle round a selected item; without an item (Index -1) a focus rectangle or the brush.
    void PaintItem(TDeviceContext* DC, int Index, const TRect& Rect, TOwnerDrawState State);
    // OnDrawItem, or the item's text on the brush colour.
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    // With PaintOver the box is painted natively and then WM_PAINT gets a device context on that
    // picture, so a subclass can draw over the native frame and button.
    void SetPaintOver(bool value);
    bool PaintOver() const { return FPaintOver; }
    // Whether the edit field completes typed text by itself (on by default); a subclass that
    // completes text its own way turns it off.
    void SetNativeCompletion(bool value);

private:
    class TComboWidget;
    friend class TComboWidget;
    QComboBox* Box() const;
    void ItemsSpliced(int index, int removed, int inserted);
    void UserChose();
    TStringList FItems;
    TStringListModel* FModel;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FDroppedWidth = 0;
    int FMaxLength = 0;
    int FItemHeight = 16;
    TCanvas FCanvas;
    bool FPaintOver = false, FEditReadOnly = false, FNativeCompletion = true, FQuietEdit = false;
    // Qt has moved the focus into the open list; the box was never left.
    bool FListHasFocus = false;
};

// List boxes -----------------------------------------------------------------------------------

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// Draws item Index in Rect on the list's Canvas, whose brush and font are set for the item's state.
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// A single-choice list of texts, each with an object the list does not own. OnClick comes when the
// user picks an item with the mouse or the keyboard; setting ItemIndex by code fires nothing.
class TListBox : public TWinControl {
    Q_OBJECT
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    TStringList* Items() { return &FItems; }
    int Count() const { return FItems.Count(); }
    void Clear() { FItems.Clear(); }
    // -1 when no item is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);

    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle style);
    // The height of every item of an owner-drawn list.
    int ItemHeight() const;
    void SetItemHeight(int height);

    // The item at a point of the client area; without one, -1 when `existing` is set, else Count().
    int ItemAtPos(const TPoint& pos, bool existing) const;
    // The item's rectangle in client coordinates (empty when it is outside the items).
    TRect ItemRect(int index) const;
    int TopIndex() const;
    void SetTopIndex(int index);

    // The canvas items are drawn on, while OnDrawItem runs.
    TCanvas* Canvas() { return &FCanvas; }
    TDrawItemEvent OnDrawItem;

    // Framework use: the list widget hands over painting, presses and keys.
    void PaintItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focused);
    // The width every item is laid out with, for a horizontal scroll bar (0: the list's width).
    int HorizontalExtent() const { return FHorizontalExtent; }
    virtual void ItemPressed(int, const QPoint&) {}
    virtual void KeyOnItem(int, int) {}
    void UserPicked();
    // Repaints the items within r (client coordinates); an empty r repaints them all.
    void InvalidateItems(const TRect& r = TRect());
    // Repaints `part` of item Index, in the item's own coordinates (its top-left corner is 0, 0),
    // without laying the items out first.
    void InvalidateItemPart(int Index, const TRect& part);

protected:
    // The owner-drawing step for one item, its canvas prepared for the item's state: DrawItem here;
    // a subclass may divide the rectangle first.
    virtual void CNDrawItem(int index, const TRect& rect, TOwnerDrawState state) {
        DrawItem(index, rect, state);
    }
    // Draws one item: OnDrawItem, or the item's text on the brush colour.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    // Items wider than the list scroll sideways up to Extent pixels when the bar is on.
    void SetHorizontalScrolling(bool bar, int extent);
    // The part of an item's rectangle left to DrawItem (a check list keeps its check box).
    virtual TRect ItemTextRect(const TRect& itemRect) const { return itemRect; }
    virtual void DrawItemFrame(QPainter&, int, const TRect&, TOwnerDrawState) {}
    // The state flags of an item beyond selection and focus.
    virtual TOwnerDrawState ItemDrawState(int) const { return 0; }
    // Keeps per-item state in step with the items.
    virtual void ItemsSpliced(int, int, int) {}
    void ColorChanged() override;
    void FontChanged() override;
    bool ClickOnMouseUp() const override { return false; }
    QListView* View() const;

private:
    void UpdateItemHeight();
    TStringList FItems;
    TStringListModel* FModel;
    TCanvas FCanvas;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    int FStandardItemHeight = 16;
    int FHorizontalExtent = 0;
};

// Memos ----------------------------------------------------------------------------------------

// Multi-line text kept in Lines. Lines is what the memo holds: a change to it shows in the memo (once
// the memo is on screen, so a hidden memo can carry thousands of lines cheaply), and typing changes it.
class TCustomMemo : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStringList* Lines() { return &FLines; }
    // The lines joined by line ends, without one after the last line.
    QString Caption() const override;
    void SetCaption(const QString& text) override;
    void Clear() { FLines.Clear(); }

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle bars);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    // Without WantTabs, Tab moves the focus on instead of typing a tab.
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool want);

    // Fires for typing and for changes made by code.
    TNotifyEvent OnChange;

    // The caret and the lines as the edit messages give them, 0-based; a line is a line of Lines.
    // The caret is where a selection ends (EM_GETSEL).
    int CaretPos();
    int SelStart();
    int SelLength();
    // EM_SETSEL: selects from Start to End, the caret at End; both are kept inside the text.
    void SetSel(int Start, int End);
    // EM_LINEFROMCHAR: the line holding the character (the last line past the end).
    int LineFromChar(int Index);
    // EM_LINEINDEX: the index of the line's first character; -1 for a line that does not exist.
    int LineIndex(int Line);
    // The number of characters on the line; 0 for a line that does not exist.
    int LineLength(int Line);
    // EM_GETFIRSTVISIBLELINE and EM_LINESCROLL (a positive count scrolls towards the end).
    int FirstVisibleLine();
    void LineScroll(int Lines);

protected:
    bool WidgetEvent(QEvent* event) override;
    void ColorChanged() override;
    // Fires OnChange: the text changed by typing or by code.
    virtual void Change();
    QPlainTextEdit* Editor() const;

private:
    void LinesChanged();
    // Brings the editor up to date with Lines when a change waits to be shown.
    void SyncEditor();
    void ShowLines();
    void Typed();
    TStringList FLines;
    bool FStale = false, FShowing = false, FTaking = false;
    bool FReadOnly = false, FWordWrap = true, FWantTabs = true;
    TScrollStyle FScrollBars = ssNone;
};

class TMemo : public TCustomMemo {
    Q_OBJECT
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
