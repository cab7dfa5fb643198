// The tab strip: tabs in one of six shapes on any side of a card, on one scrolled line or in rows,
// with images, coloured tabs, gradients, hot tracking, per-tab hints, dragging a tab to a new place, a
// scroller, close buttons and a menu of the tabs. The page control (SkTabsPages.h) builds on it.
#pragma once

#include "ImgList.h"
#include "Overlay.h"
#include "SkTabsLayout.h"
#include "SkTabsModel.h"

#include <QPointer>
#include <memory>

class TSkTabScroller;
class TSkTabControlCloseButton;
class TSkActiveTabCloseButton;
class TSkTabMenuButton;
class TTimer;
class TBitmap;

class TSkCustomTabControl : public TCustomControl, private ISkTabTextMetrics {
    Q_OBJECT
public:
    // 300 x 100, no tabs.
    explicit TSkCustomTabControl(TComponent* AOwner);
    ~TSkCustomTabControl() override;

    // Properties: each setter stores a changed value, then relayouts or repaints --------------------------
    bool AlignTabs() const { return FOptions.AlignTabs; }
    void SetAlignTabs(bool Value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value);
    bool ParentBackgroundColor() const { return FParentBackgroundColor; }
    void SetParentBackgroundColor(bool Value);
    Q_INVOKABLE bool IsBackgroundColorStored() const { return !FParentBackgroundColor; }
    bool BoldCurrentTab() const { return FOptions.BoldCurrentTab; }
    void SetBoldCurrentTab(bool Value);
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    bool UseColoredTabs() const { return FUseColoredTabs; }
    virtual void SetUseColoredTabs(bool Value);
    int CutCornerSize() const { return FOptions.CutCornerSize; }
    void SetCutCornerSize(int Value);
    TColor DragIndicatorColor() const { return FDragIndicatorColor; }
    void SetDragIndicatorColor(TColor Value) { FDragIndicatorColor = Value; }
    bool AllowTabDragging() const { return FAllowTabDragging; }
    void SetAllowTabDragging(bool Value) { FAllowTabDragging = Value; }
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor Value);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int Value);
    // The outline colour of the tabs and the card, and the frame colour of the buttons.
    TColor FrameColor() const { return AdjustColor(FFlatColor, FFlatColorAdjustment); }
    TSkImagePosition ImagePosition() const { return FOptions.ImagePosition; }
    void SetImagePosition(TSkImagePosition Value);
    TSkHorizontalAlignment ImageAlignment() const { return FImageAlignment; }
    void SetImageAlignment(TSkHorizontalAlignment Value);
    TSkVerticalAlignment ImageAlignmentVertical() const { return FImageAlignmentVertical; }
    void SetImageAlignmentVertical(TSkVerticalAlignment Value);
    int ImageMargin() const { return FOptions.ImageMargin; }
    void SetImageMargin(int Value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor Value);
    TSkTabHotTrackColorSource HotTrackColorSource() const { return FHotTrackColorSource; }
    void SetHotTrackColorSource(TSkTabHotTrackColorSource Value);
    TSkHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TSkHotTrackColorType Value);
    TSkTabHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    void SetHotTrackStyle(TSkTabHotTrackStyle Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    int Margin() const { return FOptions.Margin; }
    void SetMargin(int Value);
    bool MultiLine() const { return FOptions.MultiLine; }
    void SetMultiLine(bool Value);
    int RowIndent() const { return FOptions.RowIndent; }
    void SetRowIndent(int Value);
    int RowOverlap() const { return FOptions.RowOverlap; }
    void SetRowOverlap(int Value);
    bool ShowCardFrame() const { return FOptions.ShowCardFrame; }
    void SetShowCardFrame(bool Value);
    bool ShowFullFrame() const { return FOptions.ShowFullFrame; }
    void SetShowFullFrame(bool Value);
    bool ShowCloseButton() const { return FOptions.ShowCloseButton; }
    void SetShowCloseButton(bool Value);
    bool ShowCloseButtonOnActiveTab() const { return FOptions.ShowCloseButtonOnActiveTab; }
    void SetShowCloseButtonOnActiveTab(bool Value);
    bool ShowMenuButton() const { return FOptions.ShowMenuButton; }
    void SetShowMenuButton(bool Value);
    bool SortTabMenu() const { return FSortTabMenu; }
    void SetSortTabMenu(bool Value) { FSortTabMenu = Value; }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value);
    bool ShowShadow() const { return FOptions.ShowShadow; }
    void SetShowShadow(bool Value);
    bool SoftCorners() const { return FOptions.SoftCorners; }
    void SetSoftCorners(bool Value);
    int TabOverlap() const { return FOptions.TabOverlap; }
    void SetTabOverlap(int Value);
    TOrientation TextOrientation() const { return FOptions.TextOrientation; }
    void SetTextOrientation(TOrientation Value);
    TSkTabColors* TabColors() { return &FTabColors; }
    void SetTabColors(TSkTabColors* Value) { FTabColors.Assign(Value); }
    TSkTextColors* TextColors() { return &FTextColors; }
    void SetTextColors(TSkTextColors* Value) { FTextColors.Assign(Value); }
    int TabHeight() const { return FOptions.TabHeight; }
    void SetTabHeight(int Value);
    bool TabHints() const { return FTabHints; }
    void SetTabHints(bool Value);
    int TabIndex() const { return FLayout.TabIndex; }
    // Selects a tab: see the rules at SetTabIndex in SkTabsSelection.cpp.
    void SetTabIndex(int Value);
    TSkTabOrientation TabOrientation() const { return FOptions.TabOrientation; }
    void SetTabOrientation(TSkTabOrientation Value);
    TSkTabSequence TabSequence() const { return FOptions.TabSequence; }
    void SetTabSequence(TSkTabSequence Value);
    TSkTabStyle TabStyle() const { return FOptions.TabStyle; }
    void SetTabStyle(TSkTabStyle Value);
    int TabWidth() const { return FOptions.TabWidth; }
    void SetTabWidth(int Value);
    TSkHorizontalAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TSkHorizontalAlignment Value);
    TSkVerticalAlignment TextAlignmentVertical() const { return FTextAlignmentVertical; }
    void SetTextAlignmentVertical(TSkVerticalAlignment Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool UseGradients() const { return FUseGradients; }
    void SetUseGradients(bool Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }

    // Unpublished state -----------------------------------------------------------------------------------
    // The depth of one row of tabs; streamed, so a form loads with the depth it was saved with.
    int FixedDimension() const { return FLayout.FixedDimension; }
    bool ShowCard() const { return FOptions.ShowCard; }
    void SetShowCard(bool Value);
    int RegionCacheCapacity() const { return FLayout.RegionCacheCapacity(); }
    // -1 or above 0; other values are ignored.
    void SetRegionCacheCapacity(int Value);
    int RowCount() const { return FLayout.RowCount; }
    int FirstVisibleTab() const { return FLayout.FirstVisibleTab; }
    TSkTabDataList* Tabs() { return &FTabs; }
    TSkTabLayout& Layout() { return FLayout; }
    const TSkTabLayout& Layout() const { return FLayout; }

    // Operations
    // ----------------------------------------------------------------------------------------------
    // Brings the layout up to date when a change flagged it, and hands the selection on from a tab
    // that can no longer hold it (which asks OnChanging). False when a handler freed the control.
    bool UpdateLayout();
    // The queries below and painting bring only the tabs' places up to date: no handler runs inside
    // them. A selection left on a hidden or disabled tab moves on once the running event is over.
    int TabAtPos(int X, int Y);
    TRect GetTabRect(int Index);
    bool TabFullyShown(int Index);
    // Whether the selection may move to NewIndex: a visible, enabled tab that OnChanging allows.
    bool CanChange(int NewIndex);
    // Scrolls a single line one tab on (forward) or back; repaints and fires OnScrolledTabs.
    void ScrollTabs(bool Forward);
    // Closes the selected tab when OnClose allows it (the close buttons do this).
    void CloseActiveTab();
    // The tab under the mouse while hot tracking, -1 when none.
    int HotTab() const { return FHotTab; }
    // The area the pages take.
    TRect CardClientRect();
    // Relayout: the tab list may be rebuilt, the layout is flagged and the control repaints.
    void TabsChanged() { RebuildTabs(); }

    // The auxiliary controls, once made (nullptr before).
    TSkTabScroller* Scroller() const;
    TSkTabControlCloseButton* CloseButton() const;
    TSkActiveTabCloseButton* ActiveTabCloseButton() const;
    TSkTabMenuButton* MenuButton() const;
    // The marker shown while a tab is dragged over another.
    const TControlOverlay& DragIndicator() const { return FDragIndicator; }
    // Tests: the delays of dragging's auto-scroll.
    TTimer* DragScrollTimer() const { return FDragTimer; }

    TSkTabChangingEvent OnChanging;
    TNotifyEvent OnChange, OnPageChange, OnTabClick, OnScrolledTabs, OnAlignControls;
    TSkTabCloseEvent OnClose;
    TSkGetTextColorEvent OnGetTextColor;
    TSkPaintBackgroundEvent OnPaintBackground;
    TSkPaintCardBackgroundEvent OnPaintCardBackground;
    TSkPaintTabBackgroundEvent OnPaintTabBackground;
    TSkTabDraggingEvent OnTabDragging;
    TSkTabOrderChangeEvent OnTabOrderChange;

    // Framework use: dragging a tab over this control and dropping it.
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;

protected:
    // Notifications and hooks a subclass (the page control) takes over.
    virtual void DoChanging(int NewIndex, bool& AllowChange);
    virtual void DoGetTextColor(int ATabIndex, TSkTabTextStyle AStyle, TColor& AColor, bool& Handled);
    // The tabs changed: the page control rebuilds the list from its pages first.
    virtual void RebuildTabs();
    virtual void DoTabClick();
    // Invalidates everything, forgetting a pending repaint of the hot tab only.
    virtual void RepaintTabs();
    virtual void DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled);
    virtual void DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled);
    virtual void DoPaintTabBackground(TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled);
    virtual void DrawDragIndicator(const TRect& Rect);
    virtual void CloseTab() {}
    virtual void MoveTab(int NewIndex);
    virtual void DoChange();
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}
    virtual void DoPageChange();
    virtual void DoTabOrderChange(int OldIndex, int NewIndex);
    virtual bool CanDragTab(int Index);
    virtual bool CanCloseTab();
    // A tab the user picks may hide what holds the focus: the focus leaves it first, and false (the
    // tab is not selected) when a control there refuses to let it go. Nothing hides here.
    virtual bool ReleaseFocusFor(int NewIndex) {
        (void)NewIndex;
        return true;
    }

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void AlignControls(TRect& Rect) override;

    void WMSize(TWMSize& Message) override;
    void WMSetFocus(TWMFocus& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
    void WMEraseBkgnd(TWMPaint& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMNCHitTest(TWMPosition& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMRButtonDown(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMTimer(TWMTimer& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMDialogChar(TWMKey& Message) override;

    // Set while keyboard navigation selects a tab its own check allowed already.
    bool FSkipChangeCheck = false;
    // Set once the control has painted.
    bool FPainted = false;

private:
    friend class TSkTabPainter;
    // ISkTabTextMetrics, in the work font.
    TSize TextExtent(const QString& Text, bool Bold) override;
    int FontHeight() override;
    void Relayout();
    // The tabs' places, rows and scrolling; no handler runs.
    void UpdateGeometry();
    void Recalculate();
    // A selected tab that was hidden or disabled hands the selection to the next selectable one, or
    // to the one before at the end. False when a handler freed the control.
    bool KeepSelectableTabSelected();
    void MouseDown(TMouseButton Button, int X, int Y);
    void EndHotTracking();
    void HotTrackAt(int X, int Y);
    void StartTabDrag();
    void DragScrollTimerTick();
    void PlaceButtons();
    void UpdateButtonColors();
    void UpdateActiveTabCloseButton();
    // Makes each auxiliary control on first need.
    TSkTabScroller* RequireScroller();
    TSkTabControlCloseButton* RequireCloseButton();
    TSkActiveTabCloseButton* RequireActiveTabCloseButton();
    TSkTabMenuButton* RequireMenuButton();
    // Selecting by keyboard: the found tab, or -1.
    int KeyTarget(unsigned short Key);

    TSkTabDataList FTabs;
    TSkTabLayoutOptions FOptions;
    TSkTabLayout FLayout{FOptions, FTabs, *this};
    bool FLayoutDirty = true;
    // The layout changed since the selection was last checked; a check is posted once from a query.
    bool FSelectionToCheck = false, FSelectionCheckPosted = false;
    TRect FAlignedCard{-1, -1, -1, -1};
    int FStreamedTabIndex = -1;

    TColor FBackgroundColor = clBtnFace;
    bool FParentBackgroundColor = true;
    TColor FButtonColor = clBtnFace;
    bool FUseColoredTabs = false;
    TColor FDragIndicatorColor = RGB(80, 80, 80);
    bool FAllowTabDragging = false;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 0;
    TSkHorizontalAlignment FImageAlignment = haCenter;
    TSkVerticalAlignment FImageAlignmentVertical = vaCenter;
    bool FHotTrack = true;
    TColor FHotTrackColor = RGB(240, 155, 20);
    TSkTabHotTrackColorSource FHotTrackColorSource = htcsTabColor;
    TSkHotTrackColorType FHotTrackColorType = htctActual;
    TSkTabHotTrackStyle FHotTrackStyle = htsTab;
    TImageList* FImages = nullptr;
    TChangeLink FImageChangeLink;
    bool FSortTabMenu = true;
    bool FShowFocusRect = true;
    TSkTabColors FTabColors{[this] { RepaintTabs(); }};
    TSkTextColors FTextColors{[this] { RepaintTabs(); }};
    bool FTabHints = false;
    TSkHorizontalAlignment FTextAlignment = haCenter;
    TSkVerticalAlignment FTextAlignmentVertical = vaCenter;
    bool FTransparent = false;
    bool FUseGradients = true;
    bool FTabStop = true;

    // Hot tracking and hints.
    int FHotTab = -1;
    bool FHotOnly = false;  // the next paint redraws the strip only
    bool FHotTimer = false;
    bool FOwnHintKept = false;
    QString FOwnHint;
    TPoint FLastHitTest;
    // Dragging.
    int FPressedTab = -1;
    TTimer* FDragTimer = nullptr;
    std::uint16_t FDragFirstDelay = 400, FDragRepeatDelay = 300;
    int FDropTarget = -1;
    TControlOverlay FDragIndicator;

    // The work font, plain and bold, made on first need.
    std::unique_ptr<TTextMeasurer> FMeasure, FMeasureBold;

    QPointer<TSkTabScroller> FScroller;
    QPointer<TSkTabControlCloseButton> FCloseButton;
    QPointer<TSkActiveTabCloseButton> FActiveTabCloseButton;
    QPointer<TSkTabMenuButton> FMenuButton;
};
