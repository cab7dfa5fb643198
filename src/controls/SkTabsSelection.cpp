// How the selected tab changes (by code, keyboard, access key, mouse and the tab menu), scrolling a
// line of tabs, closing the selected tab, hot tracking with per-tab hints, and dragging a tab.
#include "ExtCtrls.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "SkTabs.h"
#include "SkTabsButtons.h"

namespace {
// The window timer that notices the mouse leaving the tabs without a further move.
constexpr unsigned HotTrackTimerId = 1;
constexpr int HotTrackInterval = 60;

// The access key of a caption: the character after its first single "&".
QChar AcceleratorOf(const QString& Caption) {
    for (int i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != QLatin1Char('&')) continue;
        if (Caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return Caption[i + 1];
    }
    return {};
}
}  // namespace

// Selecting
// ---------------------------------------------------------------------------------------------------
bool TSkCustomTabControl::CanChange(int NewIndex) {
    if (NewIndex < 0 || NewIndex >= FTabs.Count()) return false;
    const TSkTabData* tab = FTabs.Items(NewIndex);
    if (!tab->Visible) return false;
    bool allow = tab->Enabled || (ComponentState() & csDesigning);
    if (allow && NewIndex != TabIndex()) DoChanging(NewIndex, allow);
    return allow;
}

void TSkCustomTabControl::DoChanging(int NewIndex, bool& AllowChange) {
    FireEvent(OnChanging, this, NewIndex, AllowChange);
}

// While loading only the value is kept. A tab in range is selected when it is the current one, when
// keyboard navigation checked it already, or when CanChange allows it; any other value selects no tab
// and tells no one (it never indexes the tab list). A single line then scrolls the tab into view, rows
// turn so its row touches the card.
void TSkCustomTabControl::SetTabIndex(int Value) {
    if (ComponentState() & (csLoading | csReading)) {
        FLayout.TabIndex = Value;
        return;
    }
    QPointer<QObject> alive(this);
    if (!UpdateLayout()) return;
    const int old = TabIndex(), oldFirst = FLayout.FirstVisibleTab;
    bool moved = false;
    if (Value >= 0 && Value < FTabs.Count()) {
        const bool allowed = Value == old || FSkipChangeCheck || CanChange(Value);
        if (!alive) return;
        if (allowed) {
            FLayout.TabIndex = Value;
            if (FLayout.ScrollNeeded)
                FLayout.ScrollIntoView(Value);
            else
                FLayout.RotateRows(Value);
            moved = true;
        }
    } else {
        FLayout.TabIndex = -1;
        RepaintTabs();
    }
    // Only this call's own move is told: a handler that selected another tab has told of that.
    const bool changed = moved && TabIndex() != old;
    if (moved || FLayout.FirstVisibleTab != oldFirst) {
        RepaintTabs();
        if (FScroller) FScroller->Invalidate();
    }
    if (changed) {
        DoChange();
        if (!alive) return;
        DoPageChange();
        if (!alive) return;
        NotifyDesignerModified(this);
    }
    if (FCloseButton && FOptions.ShowCloseButton) FCloseButton->Invalidate();
    UpdateActiveTabCloseButton();
    if (FMenuButton) FMenuButton->Invalidate();
}

void TSkCustomTabControl::DoChange() {
    FireEvent(OnChange, this);
}

void TSkCustomTabControl::DoPageChange() {
    FireEvent(OnPageChange, this);
}

void TSkCustomTabControl::DoTabClick() {
    FireEvent(OnTabClick, this);
}

void TSkCustomTabControl::DoGetTextColor(int ATabIndex, TSkTabTextStyle AStyle, TColor& AColor,
                                         bool& Handled) {
    if (OnGetTextColor) FireEvent(OnGetTextColor, this, ATabIndex, AStyle, AColor, Handled);
}

void TSkCustomTabControl::DoTabOrderChange(int OldIndex, int NewIndex) {
    FireEvent(OnTabOrderChange, this, OldIndex, NewIndex);
}

void TSkCustomTabControl::ScrollTabs(bool Forward) {
    if (!UpdateLayout()) return;
    if (FLayout.ScrollTabs(Forward)) {
        RepaintTabs();
        if (FScroller) FScroller->Invalidate();
    }
    UpdateActiveTabCloseButton();
    FireEvent(OnScrolledTabs, this);
}

// Closing
// ------------------------------------------------------------------------------------------------------
bool TSkCustomTabControl::CanCloseTab() {
    bool allow = false;
    FireEvent(OnClose, this, allow);
    return allow;
}

// A handler may free this control or its owner: nothing of it is touched after that.
void TSkCustomTabControl::CloseActiveTab() {
    if (TabIndex() == -1) return;
    QPointer<QObject> alive(this);
    const bool allow = CanCloseTab();
    if (!alive || !allow || TabIndex() == -1) return;
    CloseTab();
}

// Keyboard
// -------------------------------------------------------------------------------------------------------
// OnChanging may free the control: the search ends there with no tab.
int TSkCustomTabControl::KeyTarget(unsigned short Key) {
    const int count = FTabs.Count();
    const bool standard = FOptions.TabSequence == tsStandard, left = FOptions.TabOrientation == toLeft;
    QPointer<QObject> alive(this);
    auto allowed = [&](int i) { return CanChange(i) && alive; };
    if (Key == VK_HOME || Key == VK_END) {
        const bool swap = left == standard;
        const bool fromStart = (Key == VK_HOME) != swap;
        for (int step = 0; step < count && alive; ++step) {
            const int i = fromStart ? step : count - 1 - step;
            if (i == TabIndex()) return -1;
            if (allowed(i)) return i;
        }
        return -1;
    }
    if (Key < VK_LEFT || Key > VK_DOWN) return -1;
    bool next = Key == VK_RIGHT || Key == VK_DOWN;
    if (!standard) next = !next;
    if (left) next = !next;
    const int start = TabIndex();
    int i = start < 0 ? (next ? count - 1 : 0) : start;
    for (int step = 0; step < count && alive; ++step) {
        i = next ? (i + 1 == count ? 0 : i + 1) : (i == 0 ? count - 1 : i - 1);
        if (i == start) return -1;
        if (allowed(i)) return i;
    }
    return -1;
}

void TSkCustomTabControl::WMKeyDown(TWMKey& Message) {
    TCustomControl::WMKeyDown(Message);
    if (FTabs.Count() == 0) return;
    QPointer<QObject> alive(this);
    const int target = KeyTarget(static_cast<unsigned short>(Message.CharCode));
    if (!alive || target < 0 || target == TabIndex()) return;
    FSkipChangeCheck = true;
    SetTabIndex(target);
    if (!alive) return;
    FSkipChangeCheck = false;
    DoTabClick();
}

void TSkCustomTabControl::CMDialogChar(TWMKey& Message) {
    const QChar key = QChar(char16_t(Message.CharCode)).toUpper();
    if (CanFocus())
        for (int i = 0; i < FTabs.Count(); ++i) {
            const TSkTabData* tab = FTabs.Items(i);
            if (!tab->Visible || !tab->Enabled || AcceleratorOf(tab->Caption).toUpper() != key) continue;
            Message.Result = 1;
            QPointer<QObject> alive(this);
            SetFocus();  // a field leaving the page may free this control
            if (!alive) return;
            SetTabIndex(i);
            if (alive && TabIndex() == i) DoTabClick();
            return;
        }
    TCustomControl::CMDialogChar(Message);
}

// Mouse
// -------------------------------------------------------------------------------------------------------------
void TSkCustomTabControl::WMLButtonDown(TWMMouse& Message) {
    TCustomControl::WMLButtonDown(Message);
    MouseDown(mbLeft, Message.XPos, Message.YPos);
}

void TSkCustomTabControl::WMRButtonDown(TWMMouse& Message) {
    TCustomControl::WMRButtonDown(Message);
    MouseDown(mbRight, Message.XPos, Message.YPos);
}

void TSkCustomTabControl::MouseDown(TMouseButton Button, int X, int Y) {
    const bool designing = ComponentState() & csDesigning;
    if (designing ? Button != mbLeft : !Enabled()) return;
    const int i = TabAtPos(X, Y);
    FPressedTab = i;
    if (i < 0 || !FTabs.Items(i)->Enabled) return;
    QPointer<QObject> alive(this);
    if (FTabStop && i == TabIndex() && !designing) {
        SetFocus();
        if (!alive || !Focused()) return;
    }
    // Refused like any click that would take the focus: nothing changes, not even a drag starts.
    if (i != TabIndex() && !designing && !ReleaseFocusFor(i)) {
        if (alive) FPressedTab = -1;
        return;
    }
    SetTabIndex(i);
    if (alive && TabIndex() == i) DoTabClick();
}

void TSkCustomTabControl::WMMouseMove(TWMMouse& Message) {
    TCustomControl::WMMouseMove(Message);
    const int x = Message.XPos, y = Message.YPos;
    if (FAllowTabDragging && (Message.Keys & MK_LBUTTON) && FPressedTab >= 0 && FPressedTab < FTabs.Count() &&
        FTabs.Items(FPressedTab)->Enabled && !Dragging()) {
        if (CanDragTab(FPressedTab)) BeginDrag(false);
    }
    if (!(ComponentState() & csDesigning) && (FHotTrack || FTabHints)) HotTrackAt(x, y);
}

// Hot tracking and tab hints
// -----------------------------------------------------------------------------------------
void TSkCustomTabControl::HotTrackAt(int X, int Y) {
    const int i = TabAtPos(X, Y);
    const TRect strip = FLayout.StripRect();
    const bool inStrip = PtInRect(strip, {X, Y});
    if (i < 0) {
        if (FTabHints && (FHotTab >= 0 || inStrip)) Application->CancelHint();
        EndHotTracking();
        return;
    }
    if (i == FHotTab) return;
    FHotTab = i;
    if (FHotTrack) {
        FHotOnly = true;
        InvalidateRect(strip);
    }
    if (FTabHints) {
        Application->CancelHint();
        if (!FOwnHintKept) {
            FOwnHint = Hint();
            FOwnHintKept = true;
        }
        SetHint(FTabs.Items(i)->Hint);
    }
    if (!FHotTimer) {
        SetTimer(this, HotTrackTimerId, HotTrackInterval);
        FHotTimer = true;
    }
}

void TSkCustomTabControl::EndHotTracking() {
    if (FHotTimer) {
        KillTimer(this, HotTrackTimerId);
        FHotTimer = false;
    }
    if (FHotTab != -1) {
        FHotTab = -1;
        FHotOnly = true;
        InvalidateRect(FLayout.StripRect());
    }
    if (FOwnHintKept) {
        SetHint(FOwnHint);
        FOwnHintKept = false;
    }
}

void TSkCustomTabControl::WMTimer(TWMTimer& Message) {
    if (Message.TimerID != HotTrackTimerId || !FHotTimer) return TCustomControl::WMTimer(Message);
    const TPoint p = ScreenToClient(Mouse->CursorPos());
    if (TabAtPos(p.X, p.Y) < 0) EndHotTracking();
}

// Dragging a tab
// ----------------------------------------------------------------------------------------------------------
bool TSkCustomTabControl::CanDragTab(int Index) {
    bool allow = true;
    FireEvent(OnTabDragging, this, Index, allow);
    return allow;
}

void TSkCustomTabControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    TCustomControl::DragOver(Source, X, Y, State, Accept);
    if (Source != this) return;
    if (!OnDragOver) Accept = true;
    if (State == dsDragLeave) {
        if (FDropTarget >= 0) DrawDragIndicator(FDragIndicator.Bounds());
        FDropTarget = -1;
        return;
    }
    const int t = TabAtPos(X, Y);
    if (t == -1) RestartTimer(FDragTimer, this, FDragFirstDelay, [this] { DragScrollTimerTick(); });
    const bool accepted = t >= 0 && t != TabIndex();
    Accept = Accept && accepted;
    if (t == FDropTarget) return;
    if (FDragIndicator.Showing()) DrawDragIndicator(FDragIndicator.Bounds());
    FDropTarget = t;
    if (!accepted) return;
    // Beside the tab's outer edge, at the edge where the dragged tab would go.
    const TRect tab = FLayout.StripTabRect(t);
    const bool towardsStart = (t < TabIndex()) == (FOptions.TabSequence == tsStandard);
    const TSkTabStyle style = FOptions.TabStyle;
    const bool slanted = style == tsSingleSlant || style == tsDoubleSlant || style == tsBackSlant;
    const int shift = slanted ? FLayout.FixedDimension / 2 : 0;
    const int centre = towardsStart ? tab.Left + shift : tab.Right - shift;
    const TRect marker = FLayout.MapRect(Rect(centre - 8, tab.Top - 11, centre + 8, tab.Top - 2));
    DrawDragIndicator(Bounds(marker.Left + Left(), marker.Top + Top(), marker.Width(), marker.Height()));
}

void TSkCustomTabControl::DragDrop(TObject* Source, int X, int Y) {
    TCustomControl::DragDrop(Source, X, Y);
}

void TSkCustomTabControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (FDragTimer) FDragTimer->SetEnabled(false);
    if (FDragIndicator.Showing()) DrawDragIndicator(FDragIndicator.Bounds());
    FDropTarget = -1;
    FPressedTab = -1;
    QPointer<QObject> alive(this);
    TCustomControl::DoEndDrag(Target, X, Y);
    if (!alive || Target != this) return;
    const int t = TabAtPos(X, Y);
    if (t != -1) MoveTab(t);
}

void TSkCustomTabControl::MoveTab(int NewIndex) {
    (void)NewIndex;
}

void TSkCustomTabControl::DragScrollTimerTick() {
    FDragTimer->SetInterval(FDragRepeatDelay);
    if (!Dragging()) {
        FDragTimer->SetEnabled(false);
        return;
    }
    const TPoint p = ScreenToClient(Mouse->CursorPos());
    int direction = 0;  // 1 forward, -1 backward
    switch (FOptions.TabOrientation) {
    case toTop:
    case toBottom:
        direction = p.X > Width() ? 1 : p.X < 0 ? -1 : 0;
        break;
    case toLeft:
        direction = p.Y < 0 ? 1 : p.Y > Height() ? -1 : 0;
        break;
    case toRight:
        direction = p.Y > Height() ? 1 : p.Y < 0 ? -1 : 0;
        break;
    }
    if (FOptions.TabSequence == tsReverse) direction = -direction;
    if (direction != 0) ScrollTabs(direction > 0);
}

// The marker: a triangle pointing at the tabs in DragIndicatorColor, shown over the parent. A second
// call at the same place takes it away, as drawing it twice with an exclusive-or would.
void TSkCustomTabControl::DrawDragIndicator(const TRect& Rect) {
    if (FDragIndicator.Showing() && FDragIndicator.Bounds() == Rect) {
        FDragIndicator.Hide();
        return;
    }
    if (!Parent()) return;
    const TColor parentColor = ColorToRGB(Parent()->Color());
    // What an exclusive-or of the marker onto the parent leaves: black changes nothing, the rest
    // shows the indicator colour.
    const TColor shown = XorColors(XorColors(FDragIndicatorColor, parentColor), parentColor);
    TBitmap picture(Rect.Width(), Rect.Height());
    TCanvas* canvas = picture.Canvas();
    canvas->Brush()->SetColor(shown);
    canvas->FillRect(::Rect(0, 0, Rect.Width(), Rect.Height()));
    // The top strip's picture, turned for the other sides: along runs 0..15, across 0..8 from the
    // outside towards the tabs.
    const auto turn = [this](int along, int across) -> TPoint {
        switch (FOptions.TabOrientation) {
        case toTop:
            return {along, across};
        case toBottom:
            return {along, 8 - across};
        case toLeft:
            return {across, 15 - along};
        case toRight:
            return {8 - across, along};
        }
        return {along, across};
    };
    canvas->Brush()->SetColor(clBlack);
    canvas->Pen()->SetColor(clBlack);
    canvas->Polygon({turn(0, 0), turn(8, 8), turn(0, 8)});
    canvas->Polygon({turn(7, 8), turn(15, 0), turn(15, 8)});
    FDragIndicator.Show(Parent(), Rect, picture, clBlack);
}
