#include "SkEditMemo.h"

#include "Clipbrd.h"
#include "Streaming.h"

#include <QPointer>

namespace {
struct TMemoTypes {
    TMemoTypes() {
        RegisterSkCommonTypes();
        RegisterClass<TSkMemo>();
        RegisterClass<TSkRichEdit>();
    }
};
const TMemoTypes MemoTypes;
}  // namespace

TSkCustomMemo::TSkCustomMemo(TComponent* AOwner) : TSkFramedEdit<TCustomMemo>(AOwner) {
    SetWantTabs(false);
}

int TSkCustomMemo::Line() {
    return LineFromChar(CaretPos()) + 1;
}

int TSkCustomMemo::Column() {
    const int caret = CaretPos();
    const int start = LineIndex(LineFromChar(caret));
    return start < 0 ? 1 : caret - start + 1;
}

// The caret goes to the start of the line, which becomes the first one shown.
void TSkCustomMemo::SetLine(int Value) {
    const int start = Value >= 1 ? LineIndex(Value - 1) : -1;
    if (start < 0) return;
    SetSel(start, start);
    if (LineFromChar(CaretPos()) != Value - 1) return;
    LineScroll(Value - 1 - FirstVisibleLine());
    LineColChange();
}

// Columns run from 1 to one past the line's last character.
void TSkCustomMemo::SetColumn(int Value) {
    const int line = LineFromChar(CaretPos());
    if (Value < 1 || Value > LineLength(line) + 1) return;
    const int position = LineIndex(line) + Value - 1;
    SetSel(position, position);
    LineColChange();
}

void TSkCustomMemo::LineColChange() {
    QPointer<QObject> alive(this);
    if (OnLineColChange) FireEvent(OnLineColChange, this, Line(), Column());
    if (alive) ClipboardChange();
}

void TSkCustomMemo::ClipboardChange() {
    if (OnClipboardChange)
        FireEvent(OnClipboardChange, this, SelLength() > 0, Clipboard()->HasFormat(CF_TEXT));
}

void TSkCustomMemo::Change() {
    QPointer<QObject> alive(this);
    TSkFramedEdit<TCustomMemo>::Change();
    if (alive) LineColChange();
}

void TSkCustomMemo::Click() {
    QPointer<QObject> alive(this);
    TSkFramedEdit<TCustomMemo>::Click();
    if (alive) LineColChange();
}

void TSkCustomMemo::WMKeyDown(TWMKey& Message) {
    TSkFramedEdit<TCustomMemo>::WMKeyDown(Message);
    LineColChange();
}

void TSkCustomMemo::WMKeyUp(TWMKey& Message) {
    TSkFramedEdit<TCustomMemo>::WMKeyUp(Message);
    LineColChange();
}

void TSkCustomMemo::WMLButtonUp(TWMMouse& Message) {
    TSkFramedEdit<TCustomMemo>::WMLButtonUp(Message);
    ClipboardChange();
}

void TSkCustomMemo::CMShowingChanged(TMessage& Message) {
    TSkFramedEdit<TCustomMemo>::CMShowingChanged(Message);
    if (FShownOnce || !Showing()) return;
    FShownOnce = true;
    QPointer<QObject> alive(this);
    LineColChange();
    if (alive) ClipboardChange();
}
