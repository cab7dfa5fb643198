// The tab strip's life, its properties and the messages it answers.
#include "SkTabs.h"

#include "ExtCtrls.h"
#include "GraphicsImage.h"
#include "SkTabsButtons.h"
#include "Streaming.h"

TSkCustomTabControl::TSkCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner) {
    RegisterSkTabsTypes();
    SetOffscreenPaint(true);
    SetMouseTracking(true);
    SetBounds(0, 0, 300, 100);
    SetParentColor(true);
    FLayoutDirty = true;
    // New pictures, or pictures of another size, take a new layout.
    FImageChangeLink.OnChange = [this](TObject*) { TSkCustomTabControl::RebuildTabs(); };
}

TSkCustomTabControl::~TSkCustomTabControl() {
    EndHotTracking();
    FDragIndicator.Hide();
    // The buttons go before the tabs they read.
    DestroyComponents();
}

// The work font: the control's, bold where asked ---------------------------------------------------------
TSize TSkCustomTabControl::TextExtent(const QString& Text, bool Bold) {
    std::unique_ptr<TTextMeasurer>& measurer = Bold ? FMeasureBold : FMeasure;
    if (!measurer) {
        HFONT font = CreateRotatedFont(Font(), 0);
        if (Bold) font->Weight = 700;
        measurer = std::make_unique<TTextMeasurer>(*font);
        DeleteObject(font);
    }
    return measurer->Extent(Text);
}

int TSkCustomTabControl::FontHeight() {
    return std::abs(Font()->Height());
}

// Layout ---------------------------------------------------------------------------------------------------
void TSkCustomTabControl::RebuildTabs() {
    FLayoutDirty = true;
    RepaintTabs();
}

void TSkCustomTabControl::Relayout() {
    RebuildTabs();
}

void TSkCustomTabControl::RepaintTabs() {
    FHotOnly = false;
    Invalidate();
}

bool TSkCustomTabControl::UpdateLayout() {
    if (FLayoutDirty) Recalculate();
    if (!FSelectionToCheck) return true;
    FSelectionToCheck = false;
    return KeepSelectableTabSelected();
}

// A query may come from painting or from the framework's aligning, where no handler may free the
// control: the selection is checked once the event that asked is over.
void TSkCustomTabControl::UpdateGeometry() {
    if (FLayoutDirty) Recalculate();
    if (!FSelectionToCheck || FSelectionCheckPosted) return;
    FSelectionCheckPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FSelectionCheckPosted = false;
            UpdateLayout();
        },
        Qt::QueuedConnection);
}

void TSkCustomTabControl::Recalculate() {
    FLayoutDirty = false;
    FOptions.ClientWidth = Width();
    FOptions.ClientHeight = Height();
    FOptions.HasImages = FImages != nullptr;
    FOptions.ImageWidth = FImages ? FImages->Width() : 0;
    FOptions.ImageHeight = FImages ? FImages->Height() : 0;
    FLayout.Arrange();
    // The shapes have moved.
    FLayout.RegionCache().Clear();

    FLayout.SettleFirstVisibleTab(FLayout.FirstVisibleTab);
    // A new layout puts the rows in their order again: the selected tab's row goes back next to the card.
    if (FOptions.MultiLine) FLayout.RotateRows(TabIndex());
    FSelectionToCheck = true;

    const TRect card = FLayout.PageRect();
    if (card != FAlignedCard) Realign();
}

bool TSkCustomTabControl::KeepSelectableTabSelected() {
    const int count = FTabs.Count();
    if (FLayout.FirstVisibleIndex() < 0 || TabIndex() < 0) return true;
    // OnChanging may free the control: the walk stops there.
    QPointer<QObject> alive(this);
    auto refused = [&](int t) { return !CanChange(t) && alive; };
    int t = TabIndex();
    while (t < count && refused(t))
        ++t;
    if (!alive) return false;
    if (t >= count) {
        t = TabIndex() == count ? TabIndex() - 1 : TabIndex();
        while (t >= 0 && refused(t))
            --t;
        if (!alive) return false;
    }
    if (t == TabIndex()) return true;
    FSkipChangeCheck = true;
    SetTabIndex(t);
    if (!alive) return false;
    FSkipChangeCheck = false;
    return true;
}

TRect TSkCustomTabControl::CardClientRect() {
    UpdateGeometry();
    return FLayout.PageRect();
}

void TSkCustomTabControl::AdjustClientRect(TRect& Rect) {
    UpdateGeometry();
    Rect = FLayout.PageRect();
}

void TSkCustomTabControl::AlignControls(TRect& Rect) {
    PlaceButtons();
    TCustomControl::AlignControls(Rect);
    FAlignedCard = Rect;
    FireEvent(OnAlignControls, this);
}

int TSkCustomTabControl::TabAtPos(int X, int Y) {
    UpdateGeometry();
    return FLayout.TabAtPos(X, Y);
}

TRect TSkCustomTabControl::GetTabRect(int Index) {
    UpdateGeometry();
    return FLayout.GetTabRect(Index);
}

bool TSkCustomTabControl::TabFullyShown(int Index) {
    UpdateGeometry();
    return FLayout.TabFullyShown(Index);
}

// Properties
// ----------------------------------------------------------------------------------------------------
namespace {
// Values below 0 are ignored.
bool StoreNonNegative(int& Field, int Value) {
    return Value >= 0 && StoreChanged(Field, Value);
}
}  // namespace

void TSkCustomTabControl::SetAlignTabs(bool Value) {
    if (StoreChanged(FOptions.AlignTabs, Value) && FOptions.MultiLine) Relayout();
}

void TSkCustomTabControl::SetBackgroundColor(TColor Value) {
    FParentBackgroundColor = false;
    if (StoreChanged(FBackgroundColor, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetParentBackgroundColor(bool Value) {
    if (!StoreChanged(FParentBackgroundColor, Value)) return;
    if (Value && Parent()) Perform(CM_PARENTCOLORCHANGED);
}

void TSkCustomTabControl::SetBoldCurrentTab(bool Value) {
    if (StoreChanged(FOptions.BoldCurrentTab, Value)) Relayout();
}

void TSkCustomTabControl::SetButtonColor(TColor Value) {
    if (!StoreChanged(FButtonColor, Value)) return;
    RepaintTabs();
    for (TControl* button : std::initializer_list<TControl*>{Scroller(), CloseButton(), MenuButton()})
        if (button) button->Invalidate();
}

void TSkCustomTabControl::SetUseColoredTabs(bool Value) {
    if (StoreChanged(FUseColoredTabs, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetCutCornerSize(int Value) {
    if (StoreNonNegative(FOptions.CutCornerSize, Value) && FOptions.TabStyle == tsCutCorner) Relayout();
}

void TSkCustomTabControl::SetFlatColor(TColor Value) {
    if (!StoreChanged(FFlatColor, Value)) return;
    UpdateButtonColors();
    RepaintTabs();
}

void TSkCustomTabControl::SetFlatColorAdjustment(int Value) {
    if (!StoreChanged(FFlatColorAdjustment, Value)) return;
    UpdateButtonColors();
    RepaintTabs();
}

void TSkCustomTabControl::SetImagePosition(TSkImagePosition Value) {
    if (StoreChanged(FOptions.ImagePosition, Value)) Relayout();
}

void TSkCustomTabControl::SetImageAlignment(TSkHorizontalAlignment Value) {
    if (StoreChanged(FImageAlignment, Value)) Relayout();
}

void TSkCustomTabControl::SetImageAlignmentVertical(TSkVerticalAlignment Value) {
    if (StoreChanged(FImageAlignmentVertical, Value)) Relayout();
}

void TSkCustomTabControl::SetImageMargin(int Value) {
    if (StoreNonNegative(FOptions.ImageMargin, Value)) Relayout();
}

void TSkCustomTabControl::SetHotTrack(bool Value) {
    if (StoreChanged(FHotTrack, Value) && !Value && !FTabHints) EndHotTracking();
}

void TSkCustomTabControl::SetHotTrackColor(TColor Value) {
    if (StoreChanged(FHotTrackColor, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetHotTrackColorSource(TSkTabHotTrackColorSource Value) {
    if (StoreChanged(FHotTrackColorSource, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetHotTrackColorType(TSkHotTrackColorType Value) {
    if (StoreChanged(FHotTrackColorType, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetHotTrackStyle(TSkTabHotTrackStyle Value) {
    if (StoreChanged(FHotTrackStyle, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetImages(TImageList* Value) {
    if (Value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages) {
        FImages->RegisterChanges(&FImageChangeLink);
        FImages->FreeNotification(this);
    }
    Relayout();
}

void TSkCustomTabControl::SetMargin(int Value) {
    if (StoreNonNegative(FOptions.Margin, Value)) Relayout();
}

void TSkCustomTabControl::SetMultiLine(bool Value) {
    if (StoreChanged(FOptions.MultiLine, Value)) Relayout();
}

void TSkCustomTabControl::SetRowIndent(int Value) {
    if (StoreNonNegative(FOptions.RowIndent, Value)) Relayout();
}

void TSkCustomTabControl::SetRowOverlap(int Value) {
    if (StoreNonNegative(FOptions.RowOverlap, Value)) Relayout();
}

void TSkCustomTabControl::SetShowCard(bool Value) {
    if (StoreChanged(FOptions.ShowCard, Value)) Relayout();
}

void TSkCustomTabControl::SetShowCardFrame(bool Value) {
    if (StoreChanged(FOptions.ShowCardFrame, Value)) Relayout();
}

void TSkCustomTabControl::SetShowFullFrame(bool Value) {
    if (!StoreChanged(FOptions.ShowFullFrame, Value)) return;
    if (!Value) FOptions.ShowShadow = false;
    Relayout();
}

void TSkCustomTabControl::SetShowShadow(bool Value) {
    if (!StoreChanged(FOptions.ShowShadow, Value)) return;
    if (Value) FOptions.ShowFullFrame = true;
    Relayout();
}

void TSkCustomTabControl::SetShowCloseButton(bool Value) {
    if (!StoreChanged(FOptions.ShowCloseButton, Value)) return;
    if (Value || FCloseButton) RequireCloseButton()->SetVisible(Value);
    Relayout();
}

void TSkCustomTabControl::SetShowCloseButtonOnActiveTab(bool Value) {
    if (!StoreChanged(FOptions.ShowCloseButtonOnActiveTab, Value)) return;
    if (Value || FActiveTabCloseButton) RequireActiveTabCloseButton()->SetVisible(Value && TabIndex() >= 0);
    Relayout();
}

void TSkCustomTabControl::SetShowMenuButton(bool Value) {
    if (!StoreChanged(FOptions.ShowMenuButton, Value)) return;
    if (Value || FMenuButton) RequireMenuButton()->SetVisible(Value);
    Relayout();
}

void TSkCustomTabControl::SetShowFocusRect(bool Value) {
    if (StoreChanged(FShowFocusRect, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetSoftCorners(bool Value) {
    if (StoreChanged(FOptions.SoftCorners, Value)) Relayout();
}

void TSkCustomTabControl::SetTabOverlap(int Value) {
    if (StoreChanged(FOptions.TabOverlap, Value)) Relayout();
}

void TSkCustomTabControl::SetTextOrientation(TOrientation Value) {
    if (!StoreChanged(FOptions.TextOrientation, Value)) return;
    // Only outline fonts turn.
    if (!(ComponentState() & csLoading) && !IsTrueTypeFont(Font()))
        Font()->SetName(QStringLiteral("Verdana"));
    Relayout();
}

void TSkCustomTabControl::SetTabHeight(int Value) {
    if (StoreNonNegative(FOptions.TabHeight, Value)) Relayout();
}

void TSkCustomTabControl::SetTabHints(bool Value) {
    if (StoreChanged(FTabHints, Value) && !Value && !FHotTrack) EndHotTracking();
}

void TSkCustomTabControl::SetTabOrientation(TSkTabOrientation Value) {
    if (!StoreChanged(FOptions.TabOrientation, Value)) return;
    if (FScroller) FScroller->SetOrientation(FLayout.Vertical() ? orVertical : orHorizontal);
    if (!(ComponentState() & (csLoading | csReading))) Relayout();
}

void TSkCustomTabControl::SetTabSequence(TSkTabSequence Value) {
    if (StoreChanged(FOptions.TabSequence, Value)) Relayout();
}

void TSkCustomTabControl::SetTabStyle(TSkTabStyle Value) {
    if (StoreChanged(FOptions.TabStyle, Value)) Relayout();
}

void TSkCustomTabControl::SetTabWidth(int Value) {
    if (StoreNonNegative(FOptions.TabWidth, Value)) Relayout();
}

void TSkCustomTabControl::SetTextAlignment(TSkHorizontalAlignment Value) {
    if (StoreChanged(FTextAlignment, Value)) Relayout();
}

void TSkCustomTabControl::SetTextAlignmentVertical(TSkVerticalAlignment Value) {
    if (StoreChanged(FTextAlignmentVertical, Value)) Relayout();
}

void TSkCustomTabControl::SetTransparent(bool Value) {
    if (StoreChanged(FTransparent, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetUseGradients(bool Value) {
    if (StoreChanged(FUseGradients, Value)) RepaintTabs();
}

void TSkCustomTabControl::SetRegionCacheCapacity(int Value) {
    if (Value != -1 && Value < 1) return;
    if (Value != RegionCacheCapacity()) FLayout.RegionCache().SetCapacity(Value);
}

// Life cycle
// -------------------------------------------------------------------------------------------------
void TSkCustomTabControl::DefineProperties(TFiler* Filer) {
    TCustomControl::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("FixedDimension"),
        [this](TReader& Reader) { FLayout.FixedDimension = Reader.ReadInt32(); },
        [this](TWriter& Writer) { Writer.WriteInteger(FLayout.FixedDimension); }, true);
}

void TSkCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    FOwnHint = Hint();
    FLayoutDirty = true;
    const int streamed = FLayout.TabIndex;
    if (FOptions.TextOrientation == orVertical && !IsTrueTypeFont(Font()))
        Font()->SetName(QStringLiteral("Verdana"));
    FLayout.TabIndex = -1;
    SetTabIndex(streamed);
}

void TSkCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        Relayout();
    }
}

// Messages
// ---------------------------------------------------------------------------------------------------
void TSkCustomTabControl::CMFontChanged(TMessage& Message) {
    FMeasure.reset();
    FMeasureBold.reset();
    Relayout();
    TCustomControl::CMFontChanged(Message);
}

void TSkCustomTabControl::WMSize(TWMSize& Message) {
    TCustomControl::WMSize(Message);
    Relayout();
}

void TSkCustomTabControl::WMSetFocus(TWMFocus& Message) {
    RepaintTabs();
    TCustomControl::WMSetFocus(Message);
}

void TSkCustomTabControl::WMKillFocus(TWMFocus& Message) {
    RepaintTabs();
    TCustomControl::WMKillFocus(Message);
}

void TSkCustomTabControl::WMEraseBkgnd(TWMPaint& Message) {
    Message.Result = 1;
}

void TSkCustomTabControl::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS;
}

void TSkCustomTabControl::WMNCHitTest(TWMPosition& Message) {
    TCustomControl::WMNCHitTest(Message);
    FLastHitTest = {Message.XPos, Message.YPos};
}

void TSkCustomTabControl::CMColorChanged(TMessage& Message) {
    if (!FUseColoredTabs) {
        TCustomControl::CMColorChanged(Message);
        RepaintTabs();
    } else {
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->Perform(CM_PARENTCOLORCHANGED);
    }
}

void TSkCustomTabControl::CMParentColorChanged(TMessage& Message) {
    TCustomControl::CMParentColorChanged(Message);
    if (FParentBackgroundColor && Parent()) {
        SetBackgroundColor(Parent()->Color());
        FParentBackgroundColor = true;
    }
}
