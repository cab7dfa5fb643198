// The check list: per-item state, toggling by mouse and space bar, sizes and areas.
#include "SkChkLst.h"

#include "SkCommon.h"
#include "SysUtils.h"

#include <QPointer>

TSkCheckList::TSkCheckList(TComponent* AOwner) : TSkCustomTabbedListBox(AOwner) {
    FItems = std::make_unique<TSkCheckListStrings>(this);
    SetStyle(lbOwnerDrawFixed);
    AdjustItemHeight();
}

TSkCheckList::~TSkCheckList() = default;

void TSkCheckList::SetItems(const TSkCheckListStrings* Value) {
    FItems->Assign(Value);
}

void TSkCheckList::ItemsSpliced(int Index, int Removed, int Inserted) {
    TSkCustomTabbedListBox::ItemsSpliced(Index, Removed, Inserted);
    if (FItems) FItems->Spliced(Index, Removed, Inserted);
}

void TSkCheckList::ItemsChanged() {
    if (FItems && FItems->Updating()) {
        FItemsChangedPending = true;
        return;
    }
    TSkCustomTabbedListBox::ItemsChanged();
}

void TSkCheckList::ItemsUpdated() {
    if (FItemsChangedPending) {
        FItemsChangedPending = false;
        ItemsChanged();
    }
    InvalidateItems();
}

TPacket& TSkCheckList::PacketAt(int Index) const {
    return FItems->Packets(Index);
}

// Items ----------------------------------------------------------------------------------------------

bool TSkCheckList::GetItemChecked(int Index) const {
    return PacketAt(Index).State == cbChecked;
}

void TSkCheckList::SetItemCheckedAt(int Index, bool Value) {
    SetItemState(Index, Value ? cbChecked : cbUnchecked);
}

bool TSkCheckList::ItemEnabled(int Index) const {
    return PacketAt(Index).Enabled != 0;
}

void TSkCheckList::SetItemEnabled(int Index, bool Value) {
    PacketAt(Index).Enabled = Value ? 1 : 0;
    InvalidateItems();
}

TCheckBoxState TSkCheckList::ItemState(int Index) const {
    return TCheckBoxState(PacketAt(Index).State);
}

void TSkCheckList::SetItemState(int Index, TCheckBoxState Value) {
    if (StoreChanged(PacketAt(Index).State, std::uint8_t(Value))) InvalidateItemPart(Index, GlyphPart());
}

int TSkCheckList::ItemImageIndex(int Index) const {
    return PacketAt(Index).ImageIndex;
}

void TSkCheckList::SetItemImageIndex(int Index, int Value) {
    if (StoreChanged(PacketAt(Index).ImageIndex, Value) && FImages) InvalidateItemPart(Index, ImagePart());
}

int TSkCheckList::ItemDisabledIndex(int Index) const {
    return PacketAt(Index).DisabledIndex;
}

void TSkCheckList::SetItemDisabledIndex(int Index, int Value) {
    if (StoreChanged(PacketAt(Index).DisabledIndex, Value) && FImages) InvalidateItemPart(Index, ImagePart());
}

// A group prefix makes a header only where group headers are shown; elsewhere the item is drawn,
// and ticked, like any other. OnChanging and OnChange may free the list.
void TSkCheckList::ToggleItem() {
    const int index = ItemIndex();
    if (index < 0 || index >= FItems->Count() || !ItemEnabled(index) || (ShowGroups() && IsGroupItem(index)))
        return;
    const TCheckBoxState next = NextToggleState(ItemState(index), FAllowGrayed);
    bool allow = true;
    FToggleArmed = false;
    QPointer<QObject> alive(this);
    if (OnChanging) OnChanging(this, index, next, allow);
    if (!alive || !allow) return;
    SetItemState(index, next);
    if (OnChange) OnChange(this, index, next);
}

// Mouse and keys -------------------------------------------------------------------------------------

bool TSkCheckList::InGlyphZone(int Index, const TPoint& Point) const {
    const TRect item = ItemRect(Index);
    return Point.X >= item.Left && Point.X < item.Left + FGlyphWidth + 4;
}

void TSkCheckList::WMLButtonDown(TWMMouse& Message) {
    // The pressed item becomes the current one in the list's own handling below.
    const TPoint point{Message.XPos, Message.YPos};
    const int index = ItemAtPos(point, true);
    if (index >= 0 && (FToggleOnItemClick || InGlyphZone(index, point))) {
        FToggleArmed = true;
        FArmedIndex = index;
    }
    TSkCustomTabbedListBox::WMLButtonDown(Message);
}

void TSkCheckList::WMLButtonUp(TWMMouse& Message) {
    const TRect client = ClientRect();
    const bool toggle = FToggleArmed && ItemIndex() == FArmedIndex && Message.XPos >= client.Left &&
                        Message.XPos < client.Right && Message.YPos >= client.Top &&
                        Message.YPos < client.Bottom;
    FToggleArmed = false;
    QPointer<QObject> alive(this);
    if (toggle) ToggleItem();
    if (alive) TSkCustomTabbedListBox::WMLButtonUp(Message);
}

void TSkCheckList::WMRButtonDown(TWMMouse& Message) {
    const int index = ItemAtPos({Message.XPos, Message.YPos}, true);
    if (index >= 0 && index != ItemIndex()) {
        SetItemIndex(index);
        UserPicked();
    }
    TSkCustomTabbedListBox::WMRButtonDown(Message);
}

void TSkCheckList::WMKeyDown(TWMKey& Message) {
    if (Message.CharCode == VK_SPACE && ItemIndex() >= 0) {
        FToggleArmed = true;
        FArmedIndex = ItemIndex();
    }
    TSkCustomTabbedListBox::WMKeyDown(Message);
}

void TSkCheckList::WMKeyUp(TWMKey& Message) {
    QPointer<QObject> alive(this);
    if (Message.CharCode == VK_SPACE && FToggleArmed) ToggleItem();
    if (alive) TSkCustomTabbedListBox::WMKeyUp(Message);
}

void TSkCheckList::WMChar(TWMKey& Message) {
    // The space bar toggles; it searches nothing.
    if (Message.CharCode == ' ') return;
    TSkCustomTabbedListBox::WMChar(Message);
}

void TSkCheckList::CMEnabledChanged(TMessage& Message) {
    TSkCustomTabbedListBox::CMEnabledChanged(Message);
    for (int i = 0; i < FItems->Count(); ++i)
        PacketAt(i).Enabled = Enabled() ? 1 : 0;
    InvalidateItems();
}

void TSkCheckList::FontChanged() {
    TSkCustomTabbedListBox::FontChanged();
    AdjustItemHeight();
}

// Sizes and areas ------------------------------------------------------------------------------------

void TSkCheckList::AdjustItemHeight() {
    SetItemHeight(std::max(FGlyphHeight + 4, GetMinFontHeight(Font())));
}

int TSkCheckList::TextIndent() const {
    return FGlyphWidth + 8 + (FImages ? FImages->Width() + 4 : 0);
}

TRect TSkCheckList::GlyphPart() const {
    const int margin = (ItemHeight() - FGlyphHeight) / 2;
    return Rect(0, margin, FGlyphWidth + 4, ItemHeight() - margin);
}

TRect TSkCheckList::ImagePart() const {
    if (!FImages) return {};
    const int margin = (ItemHeight() - FImages->Height()) / 2;
    return Rect(FGlyphWidth + 4, margin, TextIndent(), ItemHeight() - margin);
}

namespace {
TRect PartOfItem(const TRect& Item, const TRect& Part) {
    if (Item.IsEmpty() || Part.IsEmpty()) return {};
    return Rect(Item.Left + Part.Left, Item.Top + Part.Top, Item.Left + Part.Right, Item.Top + Part.Bottom);
}
}  // namespace

TRect TSkCheckList::GlyphArea(int Index) const {
    return PartOfItem(ItemRect(Index), GlyphPart());
}

TRect TSkCheckList::ImageArea(int Index) const {
    return PartOfItem(ItemRect(Index), ImagePart());
}

// Glyph and image settings ---------------------------------------------------------------------------

void TSkCheckList::StoreAndInvalidate(TColor& Field, TColor Value) {
    if (StoreChanged(Field, Value)) InvalidateItems();
}

void TSkCheckList::SetCustomGlyphs(const TBitmap* Value) {
    if (Value)
        FCustomGlyphs.Assign(Value);
    else
        FCustomGlyphs.SetSize(0, 0);
    if (!(ComponentState() & csLoading)) SetUseCustomGlyphs(!FCustomGlyphs.Empty());
    InvalidateItems();
}

void TSkCheckList::SetCustomGlyphImages(TImageList* Value) {
    if (FCustomGlyphImages == Value) return;
    if (FCustomGlyphImages) FCustomGlyphImages->RemoveFreeNotification(this);
    FCustomGlyphImages = Value;
    if (Value) Value->FreeNotification(this);
    // The glyph size follows the new source even when custom glyphs were on already.
    FUseCustomGlyphs = !FUseCustomGlyphs;
    SetUseCustomGlyphs(Value && Value->Count() > 0);
}

void TSkCheckList::SetUseCustomGlyphs(bool Value) {
    if (!StoreChanged(FUseCustomGlyphs, Value)) return;
    if (Value && FCustomGlyphImages) {
        FGlyphWidth = FCustomGlyphImages->Width();
        FGlyphHeight = FCustomGlyphImages->Height();
    } else if (Value) {
        FGlyphWidth = FCustomGlyphs.Width() / FNumGlyphs;
        FGlyphHeight = FCustomGlyphs.Height();
    } else {
        FGlyphWidth = FGlyphHeight = 13;
    }
    AdjustItemHeight();
    InvalidateItems();
}

void TSkCheckList::SetImages(TImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    InvalidateItems();
}

void TSkCheckList::Notification(TComponent* AComponent, TOperation Operation) {
    TSkCustomTabbedListBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) {
        FImages = nullptr;
        InvalidateItems();
    }
    if (AComponent == FCustomGlyphImages) {
        FCustomGlyphImages = nullptr;
        SetUseCustomGlyphs(false);
    }
}

// Re-creation ----------------------------------------------------------------------------------------

void TSkCheckList::RecreateItemsWindow() {
    DestroyItemsWindow();
    CreateItemsWindow();
}

void TSkCheckList::DestroyItemsWindow() {
    if (ComponentState() & csLoading || FItems->Count() == 0) return;
    FSaveItems = std::make_unique<TPacketStringList>();
    FSaveItems->AddStrings(FItems.get());
    FSaveTopIndex = TopIndex();
    FSaveItemIndex = ItemIndex();
    FItems->Clear();
}

void TSkCheckList::CreateItemsWindow() {
    if (!FSaveItems) return;
    FItems->Assign(FSaveItems.get());
    SetTopIndex(FSaveTopIndex);
    SetItemIndex(FSaveItemIndex);
    FSaveItems.reset();
}
