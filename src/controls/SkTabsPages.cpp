#include "SkTabsPages.h"

#include "FocusWithin.h"
#include "Streaming.h"

#include <algorithm>
#include <utility>

// Tab sheets
// -------------------------------------------------------------------------------------------------
TSkTabSheet::TSkTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
    SetOffscreenPaint(true);
    ShowPage(false);
    SetAlign(alClient);
}

// A page being freed leaves quietly: its form may be going too, and no handler should run then.
TSkTabSheet::~TSkTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this, true);
}

void TSkTabSheet::SetPageControl(TSkPageControl* Value) {
    if (Value == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(Value);
    if (Value) Value->InsertPage(this);
}

void TSkTabSheet::SetParentComponent(TComponent* Value) {
    if (auto* pages = dynamic_cast<TSkPageControl*>(Value))
        SetPageControl(pages);
    else
        TCustomControl::SetParentComponent(Value);
}

int TSkTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TSkTabSheet::SetPageIndex(int Value) {
    if (!FPageControl) return;
    const int last = FPageControl->PageCount() - 1;
    if (Value < 0 || Value > last)
        throw ESkTabControlError(
            QStringLiteral("%1 is an invalid PageIndex value. PageIndex must be between 0 and %2")
                .arg(Value)
                .arg(last));
    FPageControl->MovePage(this, Value);
}

int TSkTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int index = 0;
    for (const TSkTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        if (page->FTabVisible) ++index;
    }
    return -1;
}

void TSkTabSheet::Changed() {
    if (FPageControl) FPageControl->TabsChanged();
}

void TSkTabSheet::SetTabEnabled(bool Value) {
    if (StoreChanged(FTabEnabled, Value)) Changed();
}

void TSkTabSheet::SetTabVisible(bool Value) {
    if (StoreChanged(FTabVisible, Value)) Changed();
}

void TSkTabSheet::SetImageIndex(int Value) {
    if (StoreChanged(FImageIndex, Value)) Changed();
}

void TSkTabSheet::SetDisabledIndex(int Value) {
    if (StoreChanged(FDisabledIndex, Value)) Changed();
}

void TSkTabSheet::SetColor(TColor Value) {
    if (Value != Color() && FPageControl && !FPageControl->UseColoredTabs() && FPageControl->Color() != Value)
        FPageControl->SetUseColoredTabs(true);
    TCustomControl::SetColor(Value);
    Changed();
}

void TSkTabSheet::SetVisible(bool Value) {
    // An old stream may carry the value: reading it changes nothing.
    if (ComponentState() & csReading) return;
    (void)Value;
    throw ESkTabControlError(QStringLiteral("You cannot change the Visible property of a page"));
}

void TSkTabSheet::AssignTo(TPersistent* Dest) {
    auto* tab = dynamic_cast<TSkTabData*>(Dest);
    if (!tab) return TCustomControl::AssignTo(Dest);
    tab->Caption = Caption();
    tab->Color = Color();
    tab->Enabled = FTabEnabled;
    tab->Visible = FTabVisible;
    tab->Hint = Hint();
    tab->ImageIndex = FImageIndex;
    tab->DisabledIndex = FDisabledIndex;
}

void TSkTabSheet::Paint() {
    const TRect r = Rect(0, 0, Width(), Height());
    bool handled = false;
    if (OnPaintBackground) FireEvent(OnPaintBackground, this, Canvas(), r, handled);
    if (handled) return;
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
}

void TSkTabSheet::CMTextChanged(TMessage& Message) {
    TCustomControl::CMTextChanged(Message);
    Changed();
}

void TSkTabSheet::ShowPage(bool Value) {
    FShowingPage = true;
    FShowingChanged = false;
    TCustomControl::SetVisible(Value);
    FShowingPage = false;
    if (std::exchange(FShowingChanged, false)) FireShowingEvent();
}

void TSkTabSheet::CMShowingChanged(TMessage& Message) {
    TCustomControl::CMShowingChanged(Message);
    if (FShowingPage)
        FShowingChanged = true;
    else
        FireShowingEvent();
}

void TSkTabSheet::FireShowingEvent() {
    if (Showing())
        FireEvent(OnShow, this);
    else
        FireEvent(OnHide, this);
}

// Page control
// ------------------------------------------------------------------------------------------------
TSkPageControl::TSkPageControl(TComponent* AOwner) : TSkCustomTabControl(AOwner) {
    static const bool registered = [] {
        RegisterClass<TSkTabSheet>();
        RegisterClass<TSkPageControl>();
        return true;
    }();
    (void)registered;
    SetHeight(150);
}

TSkPageControl::~TSkPageControl() {
    // The pages belong to their owner; they only forget this control.
    for (TSkTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

void TSkPageControl::InsertPage(TSkTabSheet* Page) {
    FPages.push_back(Page);
    Page->FPageControl = this;
    RebuildTabs();
}

void TSkPageControl::RemovePage(TSkTabSheet* Page, bool Quietly) {
    if (Page == FActivePage && !Quietly) SetActivePage(nullptr);
    if (Page == FActivePage) {
        FActivePage = nullptr;
        Layout().TabIndex = -1;
    }
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    if (Page == FActivePageDefault) FActivePageDefault = nullptr;
    Page->FPageControl = nullptr;
    RebuildTabs();
}

void TSkPageControl::MovePage(TSkTabSheet* Page, int NewIndex) {
    const int old = Page->PageIndex();
    if (old < 0 || old == NewIndex) return;
    FPages.erase(FPages.begin() + old);
    FPages.insert(FPages.begin() + NewIndex, Page);
    RebuildTabs();
    DoTabOrderChange(old, NewIndex);
}

void TSkPageControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    TComponent::GetChildren(Proc, Root);
    for (TSkTabSheet* page : FPages)
        if (page->Owner() == Root) Proc(page);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Owner() == Root && !dynamic_cast<TSkTabSheet*>(child)) Proc(child);
    }
}

// The tabs are the pages whose tab shows, in page order.
void TSkPageControl::RebuildTabs() {
    TSkTabDataList* tabs = Tabs();
    tabs->Clear();
    for (TSkTabSheet* page : FPages)
        if (page->TabVisible()) {
            auto* tab = new TSkTabData;
            tab->Assign(page);
            tabs->Add(tab);
        }
    if (FActivePage && !(ComponentState() & (csLoading | csReading))) {
        if (FActivePage->TabVisible() && FActivePage->TabIndex() != TabIndex())
            SetTabIndex(FActivePage->TabIndex());
        else if (!FActivePage->TabVisible())
            SetTabIndex(-1);
    }
    TSkCustomTabControl::RebuildTabs();
}

void TSkPageControl::SetActivePage(TSkTabSheet* Page) {
    if (Page && Page->PageControl() != this) return;
    if (ComponentState() & (csLoading | csReading)) {
        if (Page) Page->ShowPage(true);
        FActivePage = Page;
        return;
    }
    const int t = Page ? Page->TabIndex() : -1;
    QPointer<QObject> alive(this);
    // Without a tab, or with its tab selected already, there is no change to ask about, only the page
    // to show; a handler that turned to another page meanwhile has set the strip for that page.
    if (t < 0 || t == TabIndex()) {
        ChangeActivePage(Page);
        if (!alive || FActivePage != Page) return;
        if (t < 0 && !FInLoaded) DoPageChange();
    }
    if (alive) SetTabIndex(t);
}

void TSkPageControl::SetActivePageDefault(TSkTabSheet* Value) {
    if (Value == FActivePageDefault) return;
    if (FActivePageDefault) FActivePageDefault->RemoveFreeNotification(this);
    FActivePageDefault = Value;
    if (Value) Value->FreeNotification(this);
}

int TSkPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TSkPageControl::SetActivePageIndex(int Index) {
    if (Index >= 0 && Index < PageCount())
        SetActivePage(FPages[Index]);
    else
        SetTabIndex(-1);
}

void TSkPageControl::DoChanging(int NewIndex, bool& AllowChange) {
    QPointer<QObject> alive(this);
    if (!FInLoaded) TSkCustomTabControl::DoChanging(NewIndex, AllowChange);
    if (!alive || !AllowChange) return;
    TSkTabSheet* page = PageOfTab(NewIndex);
    QPointer<TSkTabSheet> target(page);
    ChangeActivePage(page);
    if (!alive) return;
    // A page that freed itself as it showed leaves the old one in place.
    if (page && (!target || FActivePage != page)) {
        AllowChange = false;
        return;
    }
    // The old page freed itself as it hid: the tabs after it moved down, and the new page's tab is
    // selected where it now is.
    if (page && page->TabIndex() != NewIndex) {
        AllowChange = false;
        FSkipChangeCheck = true;
        SetTabIndex(page->TabIndex());
        if (alive) FSkipChangeCheck = false;
    }
}

TSkTabSheet* TSkPageControl::PageOfTab(int TabIndex) const {
    if (TabIndex < 0) return nullptr;
    for (TSkTabSheet* page : FPages)
        if (page->TabIndex() == TabIndex) return page;
    return nullptr;
}

namespace {
// Gives the focus to the first control inside that takes it. A container that is no tab stop (a
// panel) would take the focus and do nothing with it: the controls inside it are looked at instead.
// Handlers run on the way (OnExit of the control left, OnEnter) may free the controls.
bool FocusFirst(TWinControl* Control) {
    QPointer<QObject> alive(Control);
    for (int i = 0; alive && i < Control->ControlCount(); ++i) {
        QPointer<TWinControl> child(dynamic_cast<TWinControl*>(Control->Controls(i)));
        if (!child || !child->CanFocus()) continue;
        if (child->TabStop()) child->SetFocus();
        if (child && (child->HasWindowFocus() || FocusFirst(child))) return true;
    }
    return false;
}
}  // namespace

bool TSkPageControl::ReleaseFocusFor(int NewIndex) {
    return FocusLeavesActivePage(PageOfTab(NewIndex));
}

bool TSkPageControl::FocusLeavesActivePage(TSkTabSheet* Page) {
    if (!FActivePage || Page == FActivePage || !WindowFocusInsideChild(FActivePage)) return true;
    QPointer<QObject> alive(this);
    QPointer<TSkTabSheet> active(FActivePage);
    active->SetFocus();
    return alive && (!active || !WindowFocusInsideChild(active));
}

// The pages' OnShow and OnHide may free them, or this control with them. The focus goes to the new
// page before the old one hides, and a control there that refuses its leaving cannot keep it: the
// keyboard never stays on a page out of sight.
void TSkPageControl::ChangeActivePage(TSkTabSheet* Page) {
    if (Page == FActivePage) return;
    QPointer<QObject> alive(this);
    QPointer<TSkTabSheet> shown(Page), hidden(FActivePage);
    const bool focusInOld = hidden && WindowFocusWithin(hidden);
    if (Page) {
        Page->BringToFront();
        Page->ShowPage(true);
        if (!alive || !shown) return;
        // A handler turned to another page as this one showed: that turn stands.
        if (FActivePage != hidden) {
            if (FActivePage != Page) Page->ShowPage(false);
            return;
        }
    }
    bool moved = false;
    if (focusInOld && Page) {
        TForcedFocusMove forced;
        // With nothing on it to take the focus, the new page holds it until it goes to this control.
        moved = FocusFirst(Page);
        if (alive && shown && !moved) Page->SetFocus();
        if (!alive || !shown) return;
    }
    if (hidden) hidden->ShowPage(false);
    if (!alive) return;
    if (Page && !shown) return;
    FActivePage = Page;
    if (focusInOld && Page && !moved) SetFocus();
}

TSkTabSheet* TSkPageControl::FindNextPage(TSkTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    auto found = std::find(FPages.begin(), FPages.end(), CurPage);
    const int start = found != FPages.end() ? int(found - FPages.begin()) : (GoForward ? count - 1 : 0);
    int i = start;
    do {
        if (GoForward) {
            if (++i == count) i = 0;
        } else {
            if (i == 0) i = count;
            --i;
        }
        TSkTabSheet* page = FPages[i];
        if (!CheckTabVisible || page->TabVisible()) return page;
    } while (i != start);
    return nullptr;
}

void TSkPageControl::SelectNextPage(bool GoForward) {
    if (TSkTabSheet* page = FindNextPage(FActivePage, GoForward, true)) SetActivePage(page);
}

void TSkPageControl::HideAllTabs() {
    for (TSkTabSheet* page : std::vector<TSkTabSheet*>(FPages))
        page->SetTabVisible(false);
}

void TSkPageControl::ShowAllTabs() {
    for (TSkTabSheet* page : std::vector<TSkTabSheet*>(FPages))
        page->SetTabVisible(true);
}

void TSkPageControl::DoPageChange() {
    if (!FInLoaded) TSkCustomTabControl::DoPageChange();
}

// The close hook runs once OnClose has returned; the page is looked up then, so a handler that freed
// it itself leaves nothing to free twice.
void TSkPageControl::CloseTab() {
    TSkTabSheet* page = FActivePage;
    if (!page) return;
    int t = TabIndex();
    delete page;
    if (t > 0) --t;
    SetTabIndex(t);
}

// NewIndex counts tabs: the page goes where the page of that tab stands, pages without a tab
// counted too.
void TSkPageControl::MoveTab(int NewIndex) {
    if (!FActivePage) return;
    for (TSkTabSheet* page : FPages)
        if (page->TabIndex() == NewIndex) return FActivePage->SetPageIndex(page->PageIndex());
}

void TSkPageControl::Loaded() {
    TSkCustomTabControl::Loaded();
    FInLoaded = true;
    UpdateLayout();
    SetTabIndex(-1);
    TSkTabSheet* target = FActivePage;
    if (FActivePageDefault && FActivePageDefault != FActivePage) {
        if (FActivePage) FActivePage->ShowPage(false);
        target = FActivePageDefault;
    }
    FActivePage = nullptr;
    RebuildTabs();
    SetActivePage(target);
    FInLoaded = false;
}

void TSkPageControl::Notification(TComponent* AComponent, TOperation Operation) {
    TSkCustomTabControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FActivePageDefault) FActivePageDefault = nullptr;
}

void TSkPageControl::SetUseColoredTabs(bool Value) {
    TSkCustomTabControl::SetUseColoredTabs(Value);
    if (Parent() && !UseColoredTabs()) Perform(CM_COLORCHANGED);
}

void TSkPageControl::CMColorChanged(TMessage& Message) {
    if (!UseColoredTabs())
        for (TSkTabSheet* page : std::vector<TSkTabSheet*>(FPages))
            page->SetColor(Color());
    TSkCustomTabControl::CMColorChanged(Message);
}

void TSkPageControl::DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled) {
    TSkCustomTabControl::DoPaintCardBackground(ACanvas, ARow, ARect, Handled);
    if (Handled || ARow != 0 || TabIndex() < 0 || !FActivePage) return;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(FActivePage->Color());
    ACanvas->FillRect(ARect);
    Handled = true;
}

void TSkPageControl::CMDialogKey(TWMKey& Message) {
    TSkCustomTabControl::CMDialogKey(Message);
    if (Message.Result != 0) return;
    const TShiftState shift = KeyDataShift(Message.KeyData);
    if (Message.CharCode == VK_TAB && (shift & ssCtrl) && WindowFocusWithin(this)) {
        Message.Result = 1;
        // Refused, as a tab click is, while a control on the page refuses its leaving.
        TSkTabSheet* page = FindNextPage(FActivePage, !(shift & ssShift), true);
        if (page && FocusLeavesActivePage(page)) SetActivePage(page);
    }
}

void TSkPageControl::WMSetFocus(TWMFocus& Message) {
    TSkCustomTabControl::WMSetFocus(Message);
    if (FActivePage && !FActivePage->TabVisible() && FActivePage->ControlCount() > 0) FocusFirst(FActivePage);
}
