// The styled list box: frame block, colours, group headers, incremental search, item hints and the
// horizontal extent. The tabbed list box is in SkLstBoxTabbed.cpp.
#include "SkLstBox.h"

#include "Forms.h"
#include "GraphicsImage.h"
#include "HintWindow.h"
#include "MessageBeep.h"
#include "Platform.h"
#include "SkCommon.h"
#include "SkGrafx.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <algorithm>
#include <utility>

namespace {
struct TListBoxTypes {
    TListBoxTypes() {
        RegisterSkCommonTypes();
        RegisterEnumType<TSkTabStopsMode>({"tsmManual", "tsmAutomatic"});
        RegisterClass<TSkListBox>();
    }
};
const TListBoxTypes ListBoxTypes;

// Keys that move the caret end a search.
bool EndsSearch(unsigned short Key) {
    switch (Key) {
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

// The group font of a list whose group font was not set apart: its own font, bold, in the
// highlight colour.
void MakeGroupFont(TFont& GroupFont, const TFont& Font) {
    GroupFont.Assign(Font);
    GroupFont.SetStyle(GroupFont.Style() | FontStyle(fsBold));
    GroupFont.SetColor(clHighlight);
}
}  // namespace

TSkCustomListBox::TSkCustomListBox(TComponent* AOwner) : TSkFramedControl<TListBox>(AOwner) {
    RegisterSkCommonTypes();
    // Neither the timer nor the hint window is one of the form's components: they are not streamed.
    FSearchTimer = std::make_unique<TTimer>(nullptr);
    FSearchTimer->SetEnabled(false);
    FSearchTimer->SetInterval(int(SearchResetDelay));
    FSearchTimer->OnTimer = [this](TObject*) { SearchTimerFired(); };
    MakeGroupFont(FGroupFont, *Font());
    FGroupFont.OnChange = [this](TObject*) {
        FGroupFontChanged = true;
        if (FShowGroups) AdjustItemHeight();
        InvalidateItems();
    };
    SetMouseTracking(true);
}

TSkCustomListBox::~TSkCustomListBox() {
    FGroupFont.OnChange = nullptr;
    FItemHintWindow.reset();
}

// Frame ---------------------------------------------------------------------------------------------------

void TSkCustomListBox::FrameVisibleChanged() {
    RecalcNonClientArea();
    RepaintFrame();
}

void TSkCustomListBox::SetFramingPreference(TFramingPreference Value) {
    if (Value == FramingPreference()) return;
    TSkFramedControl::SetFramingPreference(Value);
    FrameVisibleChanged();
}

void TSkCustomListBox::WMNCCalcSize(TWMNCCalcSize& Message) {
    // The frame takes the place of the list's sunken client edge.
    const bool framed = FrameVisible() && !UseThemes();
    if (framed && Message.CalcRect) {
        TRect& r = *Message.CalcRect;
        r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
        return;
    }
    TListBox::WMNCCalcSize(Message);
}

void TSkCustomListBox::WMNCPaint(TWMPaint& Message) {
    TFrameStyleEx style;
    TColor color;
    TSides sides;
    if (!Message.DC || !FrameToDraw(style, color, sides, false)) return TListBox::WMNCPaint(Message);
    TCanvas canvas;
    canvas.BeginPaint(Message.DC);
    DrawControlFrame(&canvas, Width(), Height(), style, Color(), color, sides);
    canvas.EndPaint();
}

// Colours ---------------------------------------------------------------------------------------------

void TSkCustomListBox::CMParentColorChanged(TMessage& Message) {
    TListBox::CMParentColorChanged(Message);
    // A parent's colour taken on is the list's normal colour, as one set from outside.
    if (!FUpdatingColor && ParentColor()) {
        if (FBlock.FocusColor == FNormalColor) FBlock.FocusColor = Color();
        FNormalColor = Color();
    }
}

void TSkCustomListBox::CMMouseLeave(TMessage& Message) {
    TSkFramedControl::CMMouseLeave(Message);
    HideItemHint();
}

// Incremental search ------------------------------------------------------------------------------------

void TSkCustomListBox::Beep() const {
    if (FBeepOnInvalidKey) MessageBeep(0);
}

void TSkCustomListBox::KeyPressed(QChar Key) {
    FireEvent(OnKeyPress, this, Key);
}

int TSkCustomListBox::FindItem(const QString& S) const {
    const TStringList& items = *const_cast<TSkCustomListBox*>(this)->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (items[i].startsWith(S, Qt::CaseInsensitive)) return i;
    return -1;
}

void TSkCustomListBox::SearchFor(const QString& S) {
    const int found = FindItem(S);
    if (found < 0) {
        Beep();
        return;
    }
    SetItemIndex(found);
    FSearchString = S;
    if (!S.isEmpty()) KeyPressed(S.back());
    FireEvent(OnMatch, this);
}

void TSkCustomListBox::WMChar(TWMKey& Message) {
    if (!FIncrementalSearch) return TListBox::WMChar(Message);
    const QChar key(Message.CharCode);
    switch (Message.CharCode) {
    case VK_BACK:
        if (FSearchString.isEmpty()) {
            Beep();
            return;
        }
        if (FSearchString.size() == 1) {
            SetItemIndex(0);
            Click();
            FSearchString.clear();
            KeyPressed(key);
            return;
        }
        SearchFor(FSearchString.left(FSearchString.size() - 1));
        return;
    case VK_RETURN:
        if (FTabOnEnter)
            PostKeyDown(this, VK_TAB);
        else
            KeyPressed(key);
        return;
    case VK_ESCAPE:
        SetItemIndex(-1);
        return;
    default:
        break;
    }
    if (Message.CharCode <= 31) return TListBox::WMChar(Message);
    FSearching = true;
    SearchFor(FSearchString + key);
    FSearchTimer->SetEnabled(false);
    FSearchTimer->SetEnabled(true);
    FSearching = false;
}

void TSkCustomListBox::SearchTimerFired() {
    if (FSearching) return;
    FSearchTimer->SetEnabled(false);
    FSearchString.clear();
}

void TSkCustomListBox::WMKeyDown(TWMKey& Message) {
    if (EndsSearch(Message.CharCode)) FSearchString.clear();
    TListBox::WMKeyDown(Message);
}

void TSkCustomListBox::WMLButtonDown(TWMMouse& Message) {
    FSearchString.clear();
    TListBox::WMLButtonDown(Message);
}

// Owner drawing and group headers ----------------------------------------------------------------------

bool TSkCustomListBox::IsGroupItem(int Index) const {
    auto* self = const_cast<TSkCustomListBox*>(this);
    return Index >= 0 && Index < self->Count() && !FGroupPrefix.isEmpty() &&
           self->Items()->Strings(Index).startsWith(FGroupPrefix);
}

int TSkCustomListBox::GroupHeaderOf(int Index) const {
    for (int i = std::min(Index, const_cast<TSkCustomListBox*>(this)->Count() - 1); i >= 0; --i)
        if (IsGroupItem(i)) return i;
    return -1;
}

int TSkCustomListBox::GroupNumberOf(int Index) const {
    if (!IsGroupItem(Index)) return -1;
    int before = 0;
    for (int i = 0; i < Index; ++i)
        if (IsGroupItem(i)) ++before;
    return before;
}

QString TSkCustomListBox::DisplayText(int Index) const {
    const QString text = const_cast<TSkCustomListBox*>(this)->Items()->Strings(Index);
    return IsGroupItem(Index) ? text.mid(FGroupPrefix.size()) : text;
}

void TSkCustomListBox::CNDrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (FShowGroups && IsGroupItem(Index)) return DrawGroupItem(Index, Rect, State);
    TRect rest = Rect;
    const int indent = Style() == lbStandard ? 0 : GetOwnerDrawIndent();
    if (indent > 0) {
        TRect strip = Rect;
        strip.Right = std::min(Rect.Right, Rect.Left + indent);
        Canvas()->FillRect(strip);
        rest.Left = strip.Right;
    }
    DrawItem(Index, rest, State);
}

void TSkCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem)
        FireEvent(OnDrawItem, this, Index, Rect, State);
    else
        DrawItemText(Index, Rect, State);
}

void TSkCustomListBox::DrawItemText(int Index, const TRect& Rect, TOwnerDrawState) {
    TCanvas* canvas = Canvas();
    canvas->FillRect(Rect);
    if (Index < 0 || Index >= Count()) return;
    TRect r = Rect;
    r.Left += 2;
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(Items()->Strings(Index), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    canvas->Brush()->SetStyle(bsSolid);
}

void TSkCustomListBox::DrawGroupItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    PaintGroupBackground(Rect, State);
    TCanvas* canvas = Canvas();
    TRect r = Rect;
    r.Left += 2;
    canvas->IntersectClipRect(Rect);
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(DisplayText(Index), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    canvas->Brush()->SetStyle(bsSolid);
}

void TSkCustomListBox::PaintGroupBackground(const TRect& Rect, TOwnerDrawState State) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(FGroupFont);
    TColor text = FGroupFont.Color(), background = FGroupColor;
    if (IsAppThemed() && FGroupColorFromTheme) {
        text = GetXPThemeColor(5);
        background = GetXPThemeColor(4);
    }
    if (State & odSelected) {
        canvas->Font()->SetColor(clHighlightText);
        canvas->Brush()->SetColor(clHighlight);
        canvas->FillRect(Rect);
    } else {
        canvas->Font()->SetColor(text);
        if (FUseGradients && IsHighColorDisplay()) {
            PaintGradient(canvas, Rect, gdVerticalEnd, background, Color(), 255);
        } else {
            canvas->Brush()->SetColor(background);
            canvas->FillRect(Rect);
        }
    }
}

void TSkCustomListBox::AdjustItemHeight() {
    SetItemHeight(std::max(GetMinFontHeight(Font()), GetMinFontHeight(&FGroupFont)));
}

void TSkCustomListBox::SetShowGroups(bool Value) {
    if (!StoreChanged(FShowGroups, Value)) return;
    if (Value) {
        SetStyle(lbOwnerDrawFixed);
        AdjustItemHeight();
    }
    InvalidateItems();
}

void TSkCustomListBox::SetGroupPrefix(const QString& Value) {
    if (StoreChanged(FGroupPrefix, Value)) InvalidateItems();
}

void TSkCustomListBox::SetGroupColor(TColor Value) {
    if (StoreChanged(FGroupColor, Value)) InvalidateItems();
}

void TSkCustomListBox::SetGroupColorFromTheme(bool Value) {
    if (StoreChanged(FGroupColorFromTheme, Value)) InvalidateItems();
}

void TSkCustomListBox::SetUseGradients(bool Value) {
    if (StoreChanged(FUseGradients, Value)) InvalidateItems();
}

void TSkCustomListBox::SetGroupFont(TFont* Value) {
    if (Value) FGroupFont.Assign(*Value);
}

void TSkCustomListBox::SetOwnerDrawIndent(int Value) {
    if (StoreChanged(FOwnerDrawIndent, Value)) InvalidateItems();
}

void TSkCustomListBox::FontChanged() {
    FExtentMeasurer.reset();
    TListBox::FontChanged();
    if (!FGroupFontChanged) {
        MakeGroupFont(FGroupFont, *Font());
        FGroupFontChanged = false;  // following the list's font is no change of its own
    }
    if (FShowGroups) AdjustItemHeight();
    ItemFontChanged();
    if (FHorzScrollBar) UpdateHorzExtent();
}

// Horizontal extent ------------------------------------------------------------------------------------

int TSkCustomListBox::ItemTextExtent(const TTextMeasurer& Measure, const QString& Text) {
    return Measure.AdvanceWidth(Text);
}

const TTextMeasurer& TSkCustomListBox::ExtentMeasurer() {
    if (!FExtentMeasurer) {
        HFONT font = CreateRotatedFont(Font(), 0);
        FExtentMeasurer = std::make_unique<TTextMeasurer>(*font);
        DeleteObject(font);
    }
    return *FExtentMeasurer;
}

void TSkCustomListBox::UpdateHorzExtent() {
    FItemExtents.assign(size_t(Count()), Unmeasured);
    FUnmeasuredFrom = 0;
    FUnmeasuredTo = FItemExtents.size();
    FItemExtentsKept = true;
    MeasureNewItems(true);
}

TCanvas* TSkCustomListBox::MeasureCanvas(const TFont& Font) {
    // One canvas for all the measuring: making one per item cost more than measuring.
    if (!FMeasureBitmap) FMeasureBitmap = std::make_unique<TBitmap>(1, 1);
    TCanvas* canvas = FMeasureBitmap->Canvas();
    canvas->Font()->Assign(Font);
    return canvas;
}

void TSkCustomListBox::MeasureNewItems(bool Rescan) {
    if (Rescan) FWidestItem = 0;
    const size_t to = std::min(FUnmeasuredTo, FItemExtents.size());
    if (FUnmeasuredFrom < to) {
        const TTextMeasurer& measure = ExtentMeasurer();
        const QString tail = QStringLiteral("x") + GetIndentText();
        for (size_t i = FUnmeasuredFrom; i < to; ++i)
            if (FItemExtents[i] == Unmeasured)
                FItemExtents[i] = ItemTextExtent(measure, Items()->Strings(int(i)) + tail);
    }
    if (Rescan)
        for (int extent : FItemExtents)
            FWidestItem = std::max(FWidestItem, extent);
    else
        for (size_t i = FUnmeasuredFrom; i < to; ++i)
            FWidestItem = std::max(FWidestItem, FItemExtents[i]);
    FUnmeasuredFrom = FUnmeasuredTo = 0;
    SetHorzExtent(FWidestItem);
}

// Keeps the measured widths in step with the items: the items that came (or changed) wait to be
// measured; when the widest one went, the others are looked through again.
void TSkCustomListBox::SpliceItemExtents(int Index, int Removed, int Inserted) {
    if (!FItemExtentsKept) return;
    if (Removed == 0 && Inserted == 0) Removed = Inserted = 1;  // one item changed in place
    if (Index < 0 || size_t(Index) + size_t(Removed) > FItemExtents.size()) {
        FItemExtentsKept = false;
        return;
    }
    const auto from = FItemExtents.begin() + Index;
    if (std::find_if(from, from + Removed, [this](int e) { return e >= FWidestItem; }) != from + Removed)
        FRescanExtents = true;
    FItemExtents.erase(from, from + Removed);
    FItemExtents.insert(FItemExtents.begin() + Index, size_t(Inserted), Unmeasured);
    // The span that waits to be measured moves with the items after the change and takes in the new ones.
    const size_t at = size_t(Index), removedEnd = at + size_t(Removed);
    auto moved = [&](size_t p) { return p <= at ? p : p >= removedEnd ? p - Removed + Inserted : at; };
    if (FUnmeasuredFrom >= FUnmeasuredTo) {
        FUnmeasuredFrom = at;
        FUnmeasuredTo = at + size_t(Inserted);
    } else {
        FUnmeasuredFrom = std::min(moved(FUnmeasuredFrom), at);
        FUnmeasuredTo = std::max(moved(FUnmeasuredTo), at + size_t(Inserted));
    }
}

void TSkCustomListBox::SetHorzExtent(int Value) {
    Value = std::clamp(Value, 0, 0xFFFF);
    if (!StoreChanged(FHorzExtent, Value)) return;
    SetHorizontalScrolling(FHorzScrollBar, FHorzExtent);
}

void TSkCustomListBox::SetHorzScrollBar(bool Value) {
    if (!StoreChanged(FHorzScrollBar, Value)) return;
    SetHorizontalScrolling(FHorzScrollBar, FHorzExtent);
    if (Value)
        UpdateHorzExtent();
    else
        ForgetItemExtents();
}

void TSkCustomListBox::ForgetItemExtents() {
    FItemExtentsKept = false;
    FItemExtents = {};
}

void TSkCustomListBox::ItemsSpliced(int Index, int Removed, int Inserted) {
    TListBox::ItemsSpliced(Index, Removed, Inserted);
    HideItemHint();
    SpliceItemExtents(Index, Removed, Inserted);
    ItemsChanged();
}

void TSkCustomListBox::ItemsChanged() {
    if (!FHorzScrollBar) return;
    if (!FItemExtentsKept || FItemExtents.size() != size_t(Count())) return UpdateHorzExtent();
    MeasureNewItems(std::exchange(FRescanExtents, false));
}

void TSkCustomListBox::WMSize(TWMSize& Message) {
    TSkFramedControl::WMSize(Message);
    // The items keep their widths: only a list whose widths are not known yet is measured.
    if (FHorzScrollBar) ItemsChanged();
}

void TSkCustomListBox::Loaded() {
    TSkFramedControl::Loaded();
    if (FHorzScrollBar) {
        FHorzExtent = 0;
        UpdateHorzExtent();
    }
}

// Item hints ------------------------------------------------------------------------------------------

void TSkCustomListBox::WMMouseMove(TWMMouse& Message) {
    UpdateItemHint({Message.XPos, Message.YPos});
    TListBox::WMMouseMove(Message);
}

void TSkCustomListBox::HideItemHint() {
    if (FItemHintWindow && FItemHintWindow->Visible()) FItemHintWindow->ReleaseHandle();
    FItemHintRect = {};
}

void TSkCustomListBox::UpdateItemHint(const TPoint& Pos) {
    if (!FShowItemHints || (ComponentState() & csDesigning)) return HideItemHint();
    const int index = ItemAtPos(Pos, true);
    if (index < 0) return HideItemHint();
    const QString text = DisplayText(index);
    const int indent = GetOwnerDrawIndent();
    TCanvas* measure = MeasureCanvas(FShowGroups && IsGroupItem(index) ? FGroupFont : *Font());
    if (measure->TextWidth(text) + 2 <= ClientWidth() - indent) return HideItemHint();
    if (!FItemHintWindow) {
        FItemHintWindow = std::make_unique<THintWindow>(nullptr);
        FItemHintWindow->SetColor(Application->HintColor());
    }
    const QString hint = QString(text).replace(QLatin1Char('\t'), QString(8, QLatin1Char(' ')));
    const TRect item = ItemRect(index);
    TRect r = FItemHintWindow->CalcHintRect(Screen->Width(), hint, nullptr);
    const TPoint origin = ClientToScreen({item.Left + indent, item.Top});
    const int top = origin.Y + (item.Height() - r.Height()) / 2 - 2;
    r = Bounds(origin.X, top, r.Width(), r.Height());
    if (FItemHintWindow->Visible() && r == FItemHintRect) return;
    FItemHintRect = r;
    FItemHintWindow->ActivateHint(r, hint);
}

// Streaming -----------------------------------------------------------------------------------------------

void TSkCustomListBox::DefineProperties(TFiler* Filer) {
    TSkFramedControl::DefineProperties(Filer);
    Filer->DefineProperty(QStringLiteral("HorzExtent"), TSkOldPropReader::ReadOldIntegerProp, nullptr, false);
}

TSkListBox::TSkListBox(TComponent* AOwner) : TSkCustomListBox(AOwner) {}
