// The page control: a tab strip whose tabs come from its pages, one page shown at a time in the card
// area; and the tab sheet, the page. Windows switch pages from code, often with the tabs hidden
// (TabVisible off on every sheet, or TabHeight 1).
#pragma once

#include "SkTabs.h"

#include <vector>

class TSkPageControl;

class TSkTabSheet : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int DisabledIndex READ DisabledIndex WRITE SetDisabledIndex)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(int PageIndex READ PageIndex WRITE SetPageIndex STORED false)
    Q_PROPERTY(bool TabEnabled READ TabEnabled WRITE SetTabEnabled)
    Q_PROPERTY(bool TabVisible READ TabVisible WRITE SetTabVisible)
    Q_CLASSINFO("Color", "TColor = clBtnFace")
    Q_CLASSINFO("DisabledIndex", "= -1")
    Q_CLASSINFO("ImageIndex", "= -1")
    Q_CLASSINFO("TabEnabled", "= True")
    Q_CLASSINFO("TabVisible", "= True")
public:
    // Hidden, aligned to fill its page control's card.
    explicit TSkTabSheet(TComponent* AOwner);
    ~TSkTabSheet() override;

    TSkPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TSkPageControl* Value);
    int PageIndex() const;
    // Moves the page in its control's list; outside 0 .. count - 1 raises ESkTabControlError.
    void SetPageIndex(int Value);
    // The index of its tab among the visible tabs; -1 while its tab is hidden.
    int TabIndex() const;
    bool TabEnabled() const { return FTabEnabled; }
    void SetTabEnabled(bool Value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(int Value);
    // A colour other than the page control's turns its coloured tabs on.
    void SetColor(TColor Value) override;
    // The page control alone shows and hides its pages: setting Visible raises ESkTabControlError.
    void SetVisible(bool Value) override;
    // Streams never store or restore a page's visibility.
    Q_INVOKABLE bool IsVisibleStored() const { return false; }
    // Framework use: the page control's way of showing and hiding the page. OnShow or OnHide runs
    // once the window system is done with the page, so a handler may free it.
    void ShowPage(bool Value);
    // A page read from a stream joins the page control it is read into.
    void SetParentComponent(TComponent* Value) override;

    TSkPaintBackgroundEvent OnPaintBackground;
    TNotifyEvent OnShow, OnHide;

protected:
    void AssignTo(TPersistent* Dest) override;
    void Paint() override;
    void WMEraseBkgnd(TWMPaint& Message) override { Message.Result = 1; }
    void CMTextChanged(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;

private:
    friend class TSkPageControl;
    void Changed();
    void FireShowingEvent();
    TSkPageControl* FPageControl = nullptr;
    // While ShowPage runs, a change of showing is noted and told when it returns.
    bool FShowingPage = false, FShowingChanged = false;
    int FImageIndex = -1, FDisabledIndex = -1;
    bool FTabEnabled = true, FTabVisible = true;
};

class TSkPageControl : public TSkCustomTabControl {
    Q_OBJECT
    Q_PROPERTY(TSkTabSheet* ActivePage READ ActivePage WRITE SetActivePage)
    Q_PROPERTY(TSkTabSheet* ActivePageDefault READ ActivePageDefault WRITE SetActivePageDefault)
    Q_PROPERTY(bool SaveResources READ SaveResources WRITE SetSaveResources)
    Q_PROPERTY(bool DblClickUndocks READ DblClickUndocks WRITE SetDblClickUndocks)
    Q_PROPERTY(bool AlignTabs READ AlignTabs WRITE SetAlignTabs)
    Q_PROPERTY(bool AllowTabDragging READ AllowTabDragging WRITE SetAllowTabDragging)
    Q_PROPERTY(TColor BackgroundColor READ BackgroundColor WRITE SetBackgroundColor)
    Q_PROPERTY(bool BoldCurrentTab READ BoldCurrentTab WRITE SetBoldCurrentTab)
    Q_PROPERTY(TColor ButtonColor READ ButtonColor WRITE SetButtonColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int CutCornerSize READ CutCornerSize WRITE SetCutCornerSize)
    Q_PROPERTY(TColor DragIndicatorColor READ DragIndicatorColor WRITE SetDragIndicatorColor)
    Q_PROPERTY(TColor FlatColor READ FlatColor WRITE SetFlatColor)
    Q_PROPERTY(int FlatColorAdjustment READ FlatColorAdjustment WRITE SetFlatColorAdjustment)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
    Q_PROPERTY(TColor HotTrackColor READ HotTrackColor WRITE SetHotTrackColor)
    Q_PROPERTY(
        TSkTabHotTrackColorSource HotTrackColorSource READ HotTrackColorSource WRITE SetHotTrackColorSource)
    Q_PROPERTY(TSkHotTrackColorType HotTrackColorType READ HotTrackColorType WRITE SetHotTrackColorType)
    Q_PROPERTY(TSkTabHotTrackStyle HotTrackStyle READ HotTrackStyle WRITE SetHotTrackStyle)
    Q_PROPERTY(TSkHorizontalAlignment ImageAlignment READ ImageAlignment WRITE SetImageAlignment)
    Q_PROPERTY(TSkVerticalAlignment ImageAlignmentVertical READ ImageAlignmentVertical WRITE
                   SetImageAlignmentVertical)
    Q_PROPERTY(int ImageMargin READ ImageMargin WRITE SetImageMargin)
    Q_PROPERTY(TSkImagePosition ImagePosition READ ImagePosition WRITE SetImagePosition)
    Q_PROPERTY(TImageList* Images READ Images WRITE SetImages)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE SetMultiLine)
    Q_PROPERTY(bool ParentBackgroundColor READ ParentBackgroundColor WRITE SetParentBackgroundColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(int RowIndent READ RowIndent WRITE SetRowIndent)
    Q_PROPERTY(int RowOverlap READ RowOverlap WRITE SetRowOverlap)
    Q_PROPERTY(bool ShowCardFrame READ ShowCardFrame WRITE SetShowCardFrame)
    Q_PROPERTY(bool ShowCloseButton READ ShowCloseButton WRITE SetShowCloseButton)
    Q_PROPERTY(
        bool ShowCloseButtonOnActiveTab READ ShowCloseButtonOnActiveTab WRITE SetShowCloseButtonOnActiveTab)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(bool ShowFullFrame READ ShowFullFrame WRITE SetShowFullFrame)
    Q_PROPERTY(bool ShowMenuButton READ ShowMenuButton WRITE SetShowMenuButton)
    Q_PROPERTY(bool ShowShadow READ ShowShadow WRITE SetShowShadow)
    Q_PROPERTY(bool SoftCorners READ SoftCorners WRITE SetSoftCorners)
    Q_PROPERTY(bool SortTabMenu READ SortTabMenu WRITE SetSortTabMenu)
    Q_PROPERTY(TSkTabColors* TabColors READ TabColors)
    Q_PROPERTY(int TabHeight READ TabHeight WRITE SetTabHeight)
    Q_PROPERTY(bool TabHints READ TabHints WRITE SetTabHints)
    Q_PROPERTY(int TabIndex READ TabIndex WRITE SetTabIndex)
    Q_PROPERTY(TSkTabOrientation TabOrientation READ TabOrientation WRITE SetTabOrientation)
    Q_PROPERTY(int TabOverlap READ TabOverlap WRITE SetTabOverlap)
    Q_PROPERTY(TSkTabSequence TabSequence READ TabSequence WRITE SetTabSequence)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TSkTabStyle TabStyle READ TabStyle WRITE SetTabStyle)
    Q_PROPERTY(int TabWidth READ TabWidth WRITE SetTabWidth)
    Q_PROPERTY(TSkHorizontalAlignment TextAlignment READ TextAlignment WRITE SetTextAlignment)
    Q_PROPERTY(
        TSkVerticalAlignment TextAlignmentVertical READ TextAlignmentVertical WRITE SetTextAlignmentVertical)
    Q_PROPERTY(TSkTextColors* TextColors READ TextColors)
    Q_PROPERTY(TOrientation TextOrientation READ TextOrientation WRITE SetTextOrientation)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool UseColoredTabs READ UseColoredTabs WRITE SetUseColoredTabs)
    Q_PROPERTY(bool UseGradients READ UseGradients WRITE SetUseGradients)
    Q_CLASSINFO("SaveResources", "= False")
    Q_CLASSINFO("DblClickUndocks", "= True")
    Q_CLASSINFO("AlignTabs", "= False")
    Q_CLASSINFO("AllowTabDragging", "= False")
    Q_CLASSINFO("BackgroundColor", "TColor = clBtnFace")
    Q_CLASSINFO("BoldCurrentTab", "= False")
    Q_CLASSINFO("ButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("Color", "TColor = clBtnFace")
    Q_CLASSINFO("CutCornerSize", "= 6")
    Q_CLASSINFO("DragIndicatorColor", "TColor = 5263440")
    Q_CLASSINFO("FlatColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FlatColorAdjustment", "= 0")
    Q_CLASSINFO("HotTrack", "= True")
    Q_CLASSINFO("HotTrackColor", "TColor = 1350640")
    Q_CLASSINFO("HotTrackColorSource", "= htcsTabColor")
    Q_CLASSINFO("HotTrackColorType", "= htctActual")
    Q_CLASSINFO("HotTrackStyle", "= htsTab")
    Q_CLASSINFO("ImageAlignment", "= haCenter")
    Q_CLASSINFO("ImageAlignmentVertical", "= vaCenter")
    Q_CLASSINFO("ImageMargin", "= 2")
    Q_CLASSINFO("ImagePosition", "= ipLeft")
    Q_CLASSINFO("Margin", "= 0")
    Q_CLASSINFO("MultiLine", "= False")
    Q_CLASSINFO("ParentBackgroundColor", "= True")
    Q_CLASSINFO("ParentColor", "= True")
    Q_CLASSINFO("RowIndent", "= 5")
    Q_CLASSINFO("RowOverlap", "= 5")
    Q_CLASSINFO("ShowCardFrame", "= True")
    Q_CLASSINFO("ShowCloseButton", "= False")
    Q_CLASSINFO("ShowCloseButtonOnActiveTab", "= False")
    Q_CLASSINFO("ShowFocusRect", "= True")
    Q_CLASSINFO("ShowFullFrame", "= True")
    Q_CLASSINFO("ShowMenuButton", "= False")
    Q_CLASSINFO("ShowShadow", "= True")
    Q_CLASSINFO("SoftCorners", "= False")
    Q_CLASSINFO("SortTabMenu", "= True")
    Q_CLASSINFO("TabHeight", "= 0")
    Q_CLASSINFO("TabHints", "= False")
    Q_CLASSINFO("TabIndex", "= -1")
    Q_CLASSINFO("TabOrientation", "= toTop")
    Q_CLASSINFO("TabOverlap", "= -1")
    Q_CLASSINFO("TabSequence", "= tsStandard")
    Q_CLASSINFO("TabStop", "= True")
    Q_CLASSINFO("TabStyle", "= tsSingleSlant")
    Q_CLASSINFO("TabWidth", "= 0")
    Q_CLASSINFO("TextAlignment", "= haCenter")
    Q_CLASSINFO("TextAlignmentVertical", "= vaCenter")
    Q_CLASSINFO("TextOrientation", "= orHorizontal")
    Q_CLASSINFO("Transparent", "= False")
    Q_CLASSINFO("UseColoredTabs", "= False")
    Q_CLASSINFO("UseGradients", "= True")
public:
    // 300 x 150, no pages.
    explicit TSkPageControl(TComponent* AOwner);
    ~TSkPageControl() override;

    int PageCount() const { return int(FPages.size()); }
    TSkTabSheet* Pages(int Index) const { return FPages.at(Index); }
    TSkTabSheet* ActivePage() const { return FActivePage; }
    // Shows the page; a page whose tab shows is selected through its tab (OnChanging may refuse it).
    virtual void SetActivePage(TSkTabSheet* Page);
    TSkTabSheet* ActivePageDefault() const { return FActivePageDefault; }
    void SetActivePageDefault(TSkTabSheet* Value);
    int ActivePageIndex() const;
    // Out of range: no tab is selected and the page shown stays.
    void SetActivePageIndex(int Index);
    bool SaveResources() const { return FSaveResources; }
    void SetSaveResources(bool Value) { FSaveResources = Value; }
    bool DblClickUndocks() const { return FDblClickUndocks; }
    void SetDblClickUndocks(bool Value) { FDblClickUndocks = Value; }
    // The next page round the list from CurPage (nullptr when there is none).
    TSkTabSheet* FindNextPage(TSkTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward);

    // Framework use: the sheets' ways in and out.
    void InsertPage(TSkTabSheet* Page);
    // Quietly (a page being freed): no event, the selection is settled by the next layout or the caller.
    void RemovePage(TSkTabSheet* Page, bool Quietly = false);
    void MovePage(TSkTabSheet* Page, int NewIndex);
    // Children stream in page order.
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
    void SetUseColoredTabs(bool Value) override;

protected:
    void RebuildTabs() override;
    void DoChanging(int NewIndex, bool& AllowChange) override;
    void DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled) override;
    // Frees the selected page (once OnClose allowed it) and selects the tab to its left.
    void CloseTab() override;
    void MoveTab(int NewIndex) override;
    void HideAllTabs() override;
    void ShowAllTabs() override;
    void DoPageChange() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMColorChanged(TMessage& Message) override;
    void CMDialogKey(TWMKey& Message) override;
    void WMSetFocus(TWMFocus& Message) override;
    bool ReleaseFocusFor(int NewIndex) override;

private:
    friend class TSkTabSheet;
    void ChangeActivePage(TSkTabSheet* Page);
    // The page whose tab is TabIndex (nullptr for none).
    TSkTabSheet* PageOfTab(int TabIndex) const;
    // The focus inside the active page leaves it for the page itself (still shown) before Page
    // replaces it; false when a control there refuses its leaving.
    bool FocusLeavesActivePage(TSkTabSheet* Page);
    std::vector<TSkTabSheet*> FPages;
    TSkTabSheet* FActivePage = nullptr;
    TSkTabSheet* FActivePageDefault = nullptr;
    bool FSaveResources = false;
    bool FDblClickUndocks = true;
    bool FInLoaded = false;
};
