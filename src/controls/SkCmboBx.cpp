// The styled combo box: properties, state colours, hot tracking, the list's width and the wheel.
#include "SkCmboBx.h"

#include "ExtCtrls.h"
#include "Platform.h"
#include "SkEditFraming.h"
#include "Streaming.h"
#include "SystemMetrics.h"
#include "TypInfo.h"

#include <QPointer>
#include <memory>

namespace {
struct TSkCmboBxTypes {
    TSkCmboBxTypes() {
        RegisterSkCommonTypes();
        RegisterEnumType<TComboBoxStyle>(
            {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
        RegisterClass<TSkComboBox>();
    }
} const SkCmboBxTypes;
}  // namespace

TSkCustomComboBox::TSkCustomComboBox(TComponent* AOwner) : TSkFramedControl<TComboBox>(AOwner) {
    // Not owned as a component: a form would otherwise stream it as one of the box's children.
    FSearchTimer = std::make_unique<TTimer>(nullptr);
    FSearchTimer->SetEnabled(false);
    FSearchTimer->SetInterval(int(SearchResetDelay));
    FSearchTimer->OnTimer = [this](TObject* Sender) { SearchTimerFired(Sender); };
    FCanvas = new TCanvas;
    SetMouseTracking(true);
    SetPaintOver(true);
    SetNativeCompletion(false);
}

TSkCustomComboBox::~TSkCustomComboBox() {
    delete FCanvas;
}

// Properties ----------------------------------------------------------------------------------------
void TSkCustomComboBox::SetReadOnly(bool Value) {
    if (!StoreChanged(FReadOnly, Value)) return;
    if (Editable()) SetEditReadOnly(Value);
    UpdateColors();
    Invalidate();
}

void TSkCustomComboBox::SetTextHint(const QString& Value) {
    if (!StoreChanged(FTextHint, Value)) return;
    if (!(ComponentState() & csLoading)) UpdateTextHint();
}

// Cue banners are drawn by the visual style only, so without themes the hint stays unseen; on XP
// only the edit field has one.
void TSkCustomComboBox::UpdateTextHint() {
    if (!IsThemeActive() || !RunningAtLeast(wvWinXP)) return;
    SetCueBanner(FTextHint);
}

void TSkCustomComboBox::SetFlatButtons(bool Value) {
    if (StoreChanged(FBlock.FlatButtons, Value)) Invalidate();
}
void TSkCustomComboBox::SetFlatButtonColor(TColor Value) {
    if (StoreChanged(FBlock.FlatButtonColor, Value)) Invalidate();
}
void TSkCustomComboBox::SetReadOnlyColor(TColor Value) {
    if (StoreChanged(FBlock.ReadOnlyColor, Value) && FReadOnly) UpdateColors();
}
void TSkCustomComboBox::SetReadOnlyColorOnFocus(bool Value) {
    if (StoreChanged(FBlock.ReadOnlyColorOnFocus, Value) && FReadOnly && FFocused) UpdateColors();
}
void TSkCustomComboBox::SetFrameHotTrack(bool Value) {
    if (StoreChanged(FBlock.FrameHotTrack, Value)) Invalidate();
}
void TSkCustomComboBox::SetFramingPreference(TFramingPreference Value) {
    if (StoreChanged(FBlock.FramingPreference, Value)) Invalidate();
}

bool TSkCustomComboBox::UseThemes() const {
    return EditUsesThemes(FBlock);
}

void TSkCustomComboBox::SetCaption(const QString& text) {
    if (text == Caption()) return;
    TComboBox::SetCaption(text);
    Perform(CM_TEXTCHANGED);
}

void TSkCustomComboBox::SetTextWithoutCompletion(const QString& S) {
    TComboBox::SetCaption(S);
}

// Colours and hot tracking --------------------------------------------------------------------------
// The edits' rule, with the box's read-only mode.
void TSkCustomComboBox::UpdateColors() {
    if (ComponentState() & csLoading) return;
    FUpdatingColor = true;
    SetColor(EditStateColor(FBlock, FNormalColor, Enabled(), FFocused, FReadOnly));
    FUpdatingColor = false;
}

void TSkCustomComboBox::UpdateFrame(bool ViaMouse, bool Value) {
    (ViaMouse ? FMouseOver : FFocused) = Value;
    const bool vistaThemed = RunningAtLeast(wvWinVista) && IsThemeActive();
    if (((FBlock.FlatButtons && !vistaThemed) || FBlock.FrameHotTrack) && !DroppedDown()) {
        if (FBlock.FrameHotTrack)
            Invalidate();
        else
            RepaintButtonArea();
    }
    UpdateColors();
}

void TSkCustomComboBox::RepaintButtonArea() {
    const int w = GetSystemMetrics(SM_CXVSCROLL) + 2;
    InvalidateRect(Rect(Width() - w, 0, Width(), Height()));
}

// Leaving and the mouse go straight to the framework box: leaving may free the box (a handler) and
// reports a text not in the list, and the mouse over the edit field still counts as over the box.
void TSkCustomComboBox::CMExit(TMessage& Message) {
    QPointer<QObject> alive(this);
    TComboBox::CMExit(Message);
    if (!alive) return;
    UpdateFrame(false, false);
    const QString text = Text();
    if (Style() == csDropDown && !text.isEmpty() && IndexOf(text) < 0) FireEvent(OnNotInList, this);
}

void TSkCustomComboBox::CMMouseEnter(TMessage& Message) {
    TComboBox::CMMouseEnter(Message);
    if (!(ComponentState() & csDesigning)) UpdateFrame(true, true);
}

void TSkCustomComboBox::CMMouseLeave(TMessage& Message) {
    TComboBox::CMMouseLeave(Message);
    if (!(ComponentState() & csDesigning)) UpdateFrame(true, false);
}

// The list ------------------------------------------------------------------------------------------
// The list is as wide as DropDownWidth, or fits the widest item (and the scroll bar when the items
// outnumber the rows shown), never narrower than the box.
void TSkCustomComboBox::DropDown() {
    QPointer<QObject> alive(this);
    TComboBox::DropDown();
    if (!alive) return;
    int width = FDropDownWidth;
    if (width < 1) {
        FCanvas->Font()->Assign(*Font());
        int widest = 0;
        for (int i = 0; i < Items()->Count(); ++i)
            widest = std::max(widest, FCanvas->TextWidth(Items()->Strings(i)));
        if (Items()->Count() > DropDownCount()) widest += GetSystemMetrics(SM_CXVSCROLL);
        width = std::max(widest + 8, Width());
    }
    FListWidth = width;
    SetDroppedWidth(width);
}

void TSkCustomComboBox::CloseUp() {
    QPointer<QObject> alive(this);
    TComboBox::CloseUp();
    if (!alive) return;
    FTextSetByList = false;
    Invalidate();
}

void TSkCustomComboBox::SelEndOk() {
    FTextSetByList = true;
    FireEvent(OnSelEndOk, this);
}

void TSkCustomComboBox::SelEndCancel() {
    FireEvent(OnSelEndCancel, this);
}

// Open, the wheel scrolls the list; closed, it steps through the items. A read-only box keeps its item.
bool TSkCustomComboBox::MouseWheel(int Delta) {
    if (FReadOnly || Delta == 0) return true;
    if (DroppedDown()) {
        const int lines = WheelScrollLines();
        SetTopIndex(std::max(0, TopIndex() + (Delta < 0 ? lines : -lines)));
        return true;
    }
    const int index = ItemIndex();
    const int next = Delta < 0 ? std::min(index + 1, Items()->Count() - 1) : std::max(index - 1, 0);
    if (next < 0) return true;
    SetItemIndex(next);
    QPointer<QObject> alive(this);
    Click();
    if (alive) Change();
    return true;
}

// TSkComboBox -----------------------------------------------------------------------------------------
TSkComboBox::TSkComboBox(TComponent* AOwner) : TSkCustomComboBox(AOwner) {
    FValues.OnChange = [this] { ValuesChanged(); };
}

TSkComboBox::~TSkComboBox() {
    FValues.OnChange = nullptr;
}

QString TSkComboBox::GetItemValue(int Index) const {
    if (Index < 0) return QString();
    if (Index < FValues.Count() && !FValues.Strings(Index).isEmpty()) return FValues.Strings(Index);
    if (Index < Items()->Count()) return Items()->Strings(Index);
    return QString();
}

QString TSkComboBox::Value() const {
    int index;
    if (Style() == csDropDown || Style() == csSimple)
        index = Text().isEmpty() ? -1 : IndexOf(Text());
    else
        index = ItemIndex();
    if (index >= 0 && index < FValues.Count() && !FValues.Strings(index).isEmpty())
        return FValues.Strings(index);
    return Text();
}

void TSkComboBox::SetValue(const QString& V) {
    if (V == Value() && !FValuesChanged) return;
    FValuesChanged = false;
    FSelectingByValue = true;
    int found = -1;
    for (int i = 0; i < Items()->Count() && found < 0; ++i)
        if (GetItemValue(i) == V) found = i;
    SetItemIndex(found);
    FSelectingByValue = false;
    FValue = V;
}

// A change to the values chooses again the item that holds the value in use.
void TSkComboBox::ValuesChanged() {
    FValuesChanging = true;
    FValuesChanged = true;
    SetValue(FValue);
    FValuesChanging = false;
}

// A streamed item index waits for the streamed items.
void TSkComboBox::SetStreamedItemIndex(int Value) {
    if (ComponentState() & csReading)
        FStreamedItemIndex = Value;
    else
        SetItemIndex(Value);
}

void TSkComboBox::Loaded() {
    TSkCustomComboBox::Loaded();
    if (FStreamedItemIndex >= 0) SetItemIndex(FStreamedItemIndex);
    FStreamedItemIndex = -1;
}

void TSkComboBox::SetItemHeight(int Value) {
    if (OwnerDrawn()) TSkCustomComboBox::SetItemHeight(Value);
}

void TSkComboBox::Change() {
    if (FSelectingByValue || FValuesChanging) return;
    QPointer<QObject> alive(this);
    TSkCustomComboBox::Change();
    if (alive && ItemIndex() >= 0) FValue = GetItemValue(ItemIndex());
}

void TSkComboBox::Click() {
    if (FSelectingByValue || FValuesChanging) return;
    QPointer<QObject> alive(this);
    TSkCustomComboBox::Click();
    if (alive && ItemIndex() >= 0) FValue = GetItemValue(ItemIndex());
}

void TSkComboBox::DefineProperties(TFiler* Filer) {
    TSkCustomComboBox::DefineProperties(Filer);
    auto strings = [Filer](const QString& name, TStringList* list) {
        Filer->DefineProperty(
            name,
            [list](TReader& Reader) {
                QStringList lines;
                Reader.ReadListBegin();
                while (!Reader.EndOfList())
                    lines << Reader.ReadString();
                Reader.ReadListEnd();
                list->Assign(lines);
            },
            [list](TWriter& Writer) {
                Writer.WriteListBegin();
                for (int i = 0; i < list->Count(); ++i)
                    Writer.WriteString(list->Strings(i));
                Writer.WriteListEnd();
            },
            list->Count() > 0);
    };
    strings(QStringLiteral("Items"), Items());
    strings(QStringLiteral("Values"), &FValues);
}
