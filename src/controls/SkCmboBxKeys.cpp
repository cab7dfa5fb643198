// The styled combo box's keys: the read-only filter, Enter as Tab, completion of typed text in the
// editable styles and incremental search in the drop-down list.
#include "SkCmboBx.h"

#include "ExtCtrls.h"
#include "MessageBeep.h"

#include <QPointer>

namespace {
constexpr QChar Backspace(8), CtrlC(3), CarriageReturn(13), Tab(9), Escape(27);

// A character that types (code above 31).
bool Printable(QChar C) {
    return C.unicode() > 31 && C.unicode() != 127;
}

bool IsNavigationKey(unsigned short Key) {
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
}
}  // namespace

void TSkCustomComboBox::InvalidKeyBeep() {
    if (FBeepOnInvalidKey) MessageBeep(0);
}

int TSkCustomComboBox::FindItem(const QString& S) const {
    return FindString(S, -1);
}

// Key downs ---------------------------------------------------------------------------------------------
void TSkCustomComboBox::WMKeyDown(TWMKey& Message) {
    const auto key = static_cast<unsigned short>(Message.CharCode);
    const TShiftState shift = KeyDataShift(Message.KeyData);
    FPendingKey = key;
    FPendingShift = shift;
    bool take = false;
    if (FReadOnly)
        take = ReadOnlyKeyDown(key, shift);
    else if (Editable() && FAutoComplete)
        take = TypeAheadKeyDown(key, shift);
    else if (Style() == csDropDownList && (key == VK_ESCAPE || IsNavigationKey(key) || key == VK_END ||
                                           key == VK_HOME || key == VK_LEFT || key == VK_RIGHT))
        FSearchString.clear();
    if (!take) {
        TComboBox::WMKeyDown(Message);
        return;
    }
    // A key taken here never reaches the framework's key events, so its OnKeyDown fires now (before
    // what the key does, where it does something).
    if (FPendingKey != 0) FireTakenKeyDown();
}

bool TSkCustomComboBox::FireTakenKeyDown() {
    unsigned short key = FPendingKey;
    FPendingKey = 0;
    QPointer<QObject> alive(this);
    FireEvent(OnKeyDown, this, key, FPendingShift);
    return alive && key != 0;
}

// A text the list or a navigation key chose comes with no text-changed notice here, so the mark that
// keeps such a text from being matched again ends with the key.
void TSkCustomComboBox::WMKeyUp(TWMKey& Message) {
    FTextSetByList = false;
    TComboBox::WMKeyUp(Message);
}

// True for the keys a read-only box swallows: in a list every key; in the edit field the keys that
// would open the list or step through the items, and system keys but Alt+F4.
bool TSkCustomComboBox::ReadOnlyKeyDown(unsigned short Key, TShiftState Shift) {
    if (Key == VK_RETURN && FTabOnEnter && !DroppedDown()) {
        PostKeyDown(this, VK_TAB);
        return true;
    }
    if (!Editable()) return true;
    if (IsNavigationKey(Key) || Key == VK_F4) return true;
    return (Shift & ssAlt) != 0;
}

// The edit field's keys while completing: true for a key taken here.
bool TSkCustomComboBox::TypeAheadKeyDown(unsigned short Key, TShiftState Shift) {
    const bool ctrl = Shift & ssCtrl, shiftKey = Shift & ssShift;
    const bool paste = (ctrl && Key == 'V') || (shiftKey && Key == VK_INSERT);
    const bool cut = (ctrl && Key == 'X') || (shiftKey && Key == VK_DELETE);
    if (paste || cut) {
        if (!FAllowEdit) return true;
        QPointer<QObject> alive(this);
        if (!FireTakenKeyDown()) return true;
        if (paste)
            PasteFromClipboard();
        else
            CutToClipboard();
        if (!alive) return true;
        FSearchString = Text();
        CompleteText(FSearchString);
        return true;
    }
    switch (Key) {
    case VK_DELETE: {
        const int start = SelStart(), length = SelLength();
        QString rest = Text();
        const int textLength = int(rest.size());
        rest.remove(start, length > 0 ? length : 1);
        if (!FAllowEdit && textLength > length) return true;
        FSearchString = rest;
        return false;
    }
    case VK_INSERT:
        return !FAllowEdit && !ctrl;
    case VK_ESCAPE:
        FSearchString.clear();
        return !DroppedDown();
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        FSearchString.clear();
        FTextSetByList = true;
        return false;
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
        FSearchString = Text();
        return false;
    case VK_RETURN:
        if (DroppedDown()) FireEvent(OnSelEndOk, this);
        FEnterSeen = true;
        return false;
    default:
        return false;
    }
}

// Characters ----------------------------------------------------------------------------------------------
void TSkCustomComboBox::WMChar(TWMKey& Message) {
    QChar key(static_cast<char16_t>(Message.CharCode));
    if (FReadOnly) {
        if (key == CtrlC) TComboBox::WMChar(Message);
        return;
    }
    if (!KeyPressSteps(key)) return;
    const bool completing = Editable() && FAutoComplete;
    const bool searching = Style() == csDropDownList;
    if (!(completing || searching) || !(Printable(key) || key == Backspace)) {
        if (FAutoDropDown && key != Backspace && key != Escape && key != Tab && !DroppedDown())
            SetDroppedDown(true);
        TComboBox::WMChar(Message);
        return;
    }
    // The character is typed here, not by the native box, so the key's events fire now: OnKeyDown
    // (left undelivered by the taken character) and OnKeyPress.
    QPointer<QObject> alive(this);
    if (FPendingKey != 0 && !FireTakenKeyDown()) return;
    FireEvent(OnKeyPress, this, key);
    if (!alive || key.isNull()) return;
    if (FAutoDropDown && key != Backspace && !DroppedDown()) SetDroppedDown(true);
    if (!alive) return;
    if (completing)
        key == Backspace ? TypeAheadBackspace() : TypeAheadChar(key);
    else
        key == Backspace ? SearchBackspace() : SearchChar(key);
}

// The box's own key press before any completion: Enter as Tab, and the length limit. False when the
// character ends here.
bool TSkCustomComboBox::KeyPressSteps(QChar& Key) {
    if (FTabOnEnter && Key == CarriageReturn && !DroppedDown()) {
        PostKeyDown(this, VK_TAB);
        return false;
    }
    if (Style() == csDropDown && MaxLength() >= 1 && Printable(Key) && Text().size() >= MaxLength() &&
        SelLength() == 0) {
        InvalidKeyBeep();
        return false;
    }
    return true;
}

// Type-ahead ------------------------------------------------------------------------------------------------
void TSkCustomComboBox::TypeAheadChar(QChar Key) {
    const int start = SelStart(), length = SelLength();
    QString typed = FSearchString;
    if (length > 0 && start < typed.size()) typed.remove(start, length);
    typed.insert(std::min(start, int(typed.size())), Key);
    const QString before = FSearchString;
    FSearchString = typed;
    QPointer<QObject> alive(this);
    if (CompleteText(typed) || !alive) return;
    if (!FAllowEdit) {
        InvalidKeyBeep();
        FSearchString = before;
        return;
    }
    // No item begins so: the character goes in as typed.
    QString text = Text();
    text.replace(start, length, Key);
    SetTextWithoutCompletion(text);
    SetSelection(start + 1, 0);
    Change();
}

void TSkCustomComboBox::TypeAheadBackspace() {
    if (FSearchString.isEmpty()) {
        InvalidKeyBeep();
        return;
    }
    const int start = SelStart(), length = SelLength();
    QString typed = FSearchString;
    if (FAllowEdit && length > 0 && start < typed.size())
        typed.remove(start, length);
    else if (start > 0 && start < typed.size())
        typed.remove(start - 1, 1);
    else
        typed.chop(1);
    const QString before = FSearchString;
    FSearchString = typed;
    QPointer<QObject> alive(this);
    Change();
    if (!alive) return;
    if (typed.isEmpty()) {
        SetItemIndex(-1);
        SetTextWithoutCompletion(QString());
        Click();
        if (alive) Change();
        return;
    }
    if (CompleteText(typed) || !alive) return;
    if (!FAllowEdit) {
        InvalidKeyBeep();
        FSearchString = before;
        return;
    }
    SetTextWithoutCompletion(typed);
    SetSelection(int(typed.size()), 0);
}

bool TSkCustomComboBox::CompleteText(const QString& S) {
    const int index = FindItem(S);
    if (index < 0) return false;
    const int before = ItemIndex();
    QPointer<QObject> alive(this);
    if (FKeepSearchCase) {
        SetTextWithoutCompletion(S + Items()->Strings(index).mid(S.size()));
    } else {
        SetItemIndex(-1);
        SetItemIndex(index);
    }
    Click();
    if (!alive) return true;
    Change();
    if (!alive) return true;
    ShowCompletion(S, index);
    if (ItemIndex() != before) FireEvent(OnMatch, this);
    return true;
}

// Selects the part of the item that completion added after S.
void TSkCustomComboBox::ShowCompletion(const QString& S, int Index) {
    const int full = int(Items()->Strings(Index).size());
    SetSelection(full, 0);
    SetSelection(int(S.size()), full - int(S.size()));
}

// A text set by the program is matched as typed text would be, unless the list or Enter set it.
void TSkCustomComboBox::CMTextChanged(TMessage& Message) {
    TComboBox::CMTextChanged(Message);
    if ((ComponentState() & csDesigning) || DroppedDown()) return;
    if (FTextSetByList) {
        FTextSetByList = false;
        return;
    }
    if (Style() != csDropDown) return;
    if (FEnterSeen) {
        FEnterSeen = false;
        return;
    }
    FSearchString = Text();
    if (!FAutoComplete || FSearchString.isEmpty()) return;
    const int index = FindItem(FSearchString);
    if (index < 0) return;
    if (!FKeepSearchCase) SetItemIndex(index);
    ShowCompletion(FSearchString, index);
}

// Incremental search ----------------------------------------------------------------------------------------
void TSkCustomComboBox::SelectMatch(const QString& S) {
    const int index = FindItem(S);
    if (index < 0) {
        InvalidKeyBeep();
        return;
    }
    SetItemIndex(index);
    FSearchString = S;
    QPointer<QObject> alive(this);
    Click();
    if (alive) Change();
}

void TSkCustomComboBox::SearchChar(QChar Key) {
    FTyping = true;
    QPointer<QObject> alive(this);
    SelectMatch(FSearchString + Key);
    if (!alive) return;
    RestartSearchTimer();
    FTyping = false;
}

void TSkCustomComboBox::SearchBackspace() {
    if (FSearchString.isEmpty()) {
        InvalidKeyBeep();
        return;
    }
    FSearchString.chop(1);
    if (!FSearchString.isEmpty()) {
        SelectMatch(FSearchString);
        return;
    }
    SetItemIndex(0);
    QPointer<QObject> alive(this);
    Click();
    if (alive) Change();
}

void TSkCustomComboBox::RestartSearchTimer() {
    FSearchTimer->SetEnabled(false);
    FSearchTimer->SetEnabled(true);
}

void TSkCustomComboBox::SearchTimerFired(TObject*) {
    if (FTyping) return;
    FSearchTimer->SetEnabled(false);
    FSearchString.clear();
}

// Focus and the mouse ---------------------------------------------------------------------------------------
void TSkCustomComboBox::WMKillFocus(TWMFocus& Message) {
    FSearchString.clear();
    TComboBox::WMKillFocus(Message);
}

void TSkCustomComboBox::WMLButtonDown(TWMMouse& Message) {
    if (FReadOnly) return;
    if (Style() == csDropDown) FSearchString = Text();
    TComboBox::WMLButtonDown(Message);
}

// A click in the edit field places the caret in the text shown: typing goes on from that text, not
// from the prefix that completed it.
void TSkCustomComboBox::EditFieldMouseDown() {
    if (Style() == csDropDown) FSearchString = Text();
}

void TSkCustomComboBox::WMLButtonDblClk(TWMMouse& Message) {
    if (!FReadOnly) TComboBox::WMLButtonDblClk(Message);
}
