#include "SkTabsButtons.h"

#include "ExtCtrls.h"
#include "Forms.h"
#include "SkGrafx.h"

#include <algorithm>

void DrawTabButtonFace(TCanvas* Canvas, const TRect& Rect, TSkCustomTabControl* TabControl, bool Enabled,
                       TColor FrameColor, bool Hot, bool Down) {
    Canvas->Pen()->SetColor(FrameColor);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
    if (!Enabled) {
        Canvas->Brush()->SetColor(LighterColor(clBtnShadow, 30));
        Canvas->Rectangle(Rect);
        return;
    }
    const TColor face = TabControl->ButtonColor();
    auto shade = [&](TColor c) { return Down ? DarkerColor(c, 30) : Hot ? LighterColor(c, 30) : c; };
    if (TabControl->UseGradients()) {
        TRect inside = Rect;
        InflateRect(inside, -1, -1);
        PaintGradient(Canvas, inside, gdHorizontalEnd, shade(DarkerColor(face, 20)),
                      shade(LighterColor(face, 20)), 1);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(Rect);
        Canvas->Brush()->SetStyle(bsSolid);
    } else {
        Canvas->Brush()->SetColor(shade(face));
        Canvas->Rectangle(Rect);
    }
}

// Scroller -------------------------------------------------------------------------------------------------
TSkTabScroller::TSkTabScroller(TSkCustomTabControl* AOwner) : TCustomControl(AOwner), FTabControl(AOwner) {
    SetOffscreenPaint(true);
    SetMouseTracking(true);
    SetBounds(0, 0, 33, 17);
}

void TSkTabScroller::SetFrameColor(TColor Value) {
    if (StoreChanged(FFrameColor, Value)) Invalidate();
}

void TSkTabScroller::SetOrientation(TOrientation Value) {
    if (StoreChanged(FOrientation, Value)) Invalidate();
}

int TSkTabScroller::HalfAt(int X, int Y) const {
    return FOrientation == orHorizontal ? (X >= Width() / 2 ? 1 : 0) : (Y <= Height() / 2 ? 1 : 0);
}

TRect TSkTabScroller::HalfRect(int Half) const {
    const int w = Width(), h = Height();
    if (FOrientation == orHorizontal) return Half == 1 ? Rect(w / 2, 0, w, h) : Rect(0, 0, (w + 1) / 2, h);
    return Half == 1 ? Rect(0, 0, w, (h + 1) / 2) : Rect(0, h / 2, w, h);
}

namespace {
// Whether the up/right half scrolls the tabs forward: on top, left and bottom strips it does in the
// standard sequence; on a right strip the halves swap.
bool UpRightIsForward(const TSkCustomTabControl* tabs) {
    const bool standard = tabs->TabSequence() == tsStandard;
    return tabs->TabOrientation() == toRight ? !standard : standard;
}
}  // namespace

bool TSkTabScroller::HalfEnabled(int Half) const {
    const bool forward = (Half == 1) == UpRightIsForward(FTabControl);
    TSkTabLayout& layout = FTabControl->Layout();
    if (forward) {
        const int last = layout.LastVisibleIndex();
        return last >= 0 && !layout.TabFullyShown(last);
    }
    return layout.FirstVisibleTab > 0;
}

void TSkTabScroller::Paint() {
    const bool vertical = FOrientation == orVertical;
    for (int half = 0; half <= 1; ++half) {
        const TRect r = HalfRect(half);
        DrawTabButtonFace(Canvas(), r, FTabControl, true, LighterColor(FFrameColor, 30),
                          FHot && FHotHalf == half, FPressedHalf == half && FPressing && FPressedInside);
        const int direction = vertical ? (half == 1 ? 0 : 1) : (half == 1 ? 3 : 2);
        DrawArrow(Canvas(), r, 0, HalfEnabled(half), direction);
    }
}

void TSkTabScroller::WMLButtonDown(TWMMouse& Message) {
    FPressedHalf = HalfAt(Message.XPos, Message.YPos);
    FPressing = FPressedInside = true;
    Invalidate();
    RestartTimer(FTimer, this, FInitialDelay, [this] { TimerTick(); });
}

void TSkTabScroller::WMMouseMove(TWMMouse& Message) {
    const int x = Message.XPos, y = Message.YPos;
    if (FPressing) {
        const bool inside = PtInRect(ClientRect(), {x, y}) && HalfAt(x, y) == FPressedHalf;
        if (StoreChanged(FPressedInside, inside)) Invalidate();
        return;
    }
    if (StoreChanged(FHotHalf, HalfAt(x, y))) Invalidate();
    if (!FHot) Perform(PtInRect(ClientRect(), {x, y}) ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TSkTabScroller::WMLButtonUp(TWMMouse&) {
    if (FTimer) FTimer->SetEnabled(false);
    FPressing = false;
    if (!FPressedInside) return;
    FPressedInside = false;
    QPointer<QObject> alive(this);
    ClickHalf();
    if (alive) Invalidate();
}

void TSkTabScroller::TimerTick() {
    FTimer->SetInterval(FRepeatDelay);
    if (FPressedInside && Enabled()) ClickHalf();
}

void TSkTabScroller::ClickHalf() {
    if (FPressedHalf == 1)
        FireEvent(OnUpRightClick, this);
    else
        FireEvent(OnDownLeftClick, this);
}

void TSkTabScroller::CMMouseEnter(TMessage&) {
    if (ComponentState() & csDesigning) return;
    FHot = true;
    Invalidate();
}

void TSkTabScroller::CMMouseLeave(TMessage&) {
    FHot = false;
    FHotHalf = -1;
    Invalidate();
}

// Close buttons --------------------------------------------------------------------------------------------
TSkTabControlCloseButton::TSkTabControlCloseButton(TSkCustomTabControl* AOwner) : TSkTabButtonBase(AOwner) {
    SetOffscreenPaint(true);
    SetMouseTracking(true);
    SetBounds(0, 0, 17, 17);
}

void TSkTabControlCloseButton::Paint() {
    DrawTabButtonFace(Canvas(), ClientRect(), FTabControl, true, LighterColor(FFrameColor, 30), FHot, FDown);
    DrawCloseButton(Canvas(), ClientRect(), 0, true);
}

TSkActiveTabCloseButton::TSkActiveTabCloseButton(TSkCustomTabControl* AOwner) : TSkTabButtonBase(AOwner) {
    SetMouseTracking(true);
    SetBounds(0, 0, 15, 13);
}

void TSkActiveTabCloseButton::Paint() {
    if (FHot) {
        DrawTabButtonFace(Canvas(), ClientRect(), FTabControl, true, FFrameColor, true, FDown);
        DrawCloseGlyph(Canvas(), ClientRect(), FTabControl->TabColors()->HighlightBar());
    } else {
        DrawCloseGlyph(Canvas(), ClientRect(), FFrameColor);
    }
}

void TSkActiveTabCloseButton::Clicked() {
    QPointer<QObject> alive(this);
    FireEvent(OnClose, this);
    if (!alive) return;
    // The selection moved under the mouse: see whether it is still over the button.
    const TPoint p = ScreenToClient(Mouse->CursorPos());
    FHot = PtInRect(ClientRect(), p) && Visible();
}

// Menu button
// --------------------------------------------------------------------------------------------------
TSkTabMenuButton::TSkTabMenuButton(TSkCustomTabControl* AOwner)
    : TSkTabButtonBase(AOwner), FMenu(new TPopupMenu(this)) {
    SetOffscreenPaint(true);
    SetMouseTracking(true);
    SetBounds(0, 0, 17, 17);
}

void TSkTabMenuButton::Paint() {
    DrawTabButtonFace(Canvas(), ClientRect(), FTabControl, true, LighterColor(FFrameColor, 30), FHot, FDown);
    static const int towardsCard[] = {1, 3, 0, 2};  // top, left, bottom, right strips
    DrawArrow(Canvas(), ClientRect(), 0, true, towardsCard[FTabControl->TabOrientation()]);
}

void TSkTabMenuButton::BuildMenu() {
    TMenuItem* items = FMenu->Items();
    for (int i = items->Count() - 1; i >= 0; --i)
        delete items->Items(i);
    FMenu->SetImages(FTabControl->Images());
    struct TEntry {
        QString Caption;
        int Index;
    };
    std::vector<TEntry> entries;
    TSkTabDataList* tabs = FTabControl->Tabs();
    for (int i = 0; i < tabs->Count(); ++i)
        if (tabs->Items(i)->Visible) entries.push_back({tabs->Items(i)->Caption, i});
    if (FTabControl->SortTabMenu())
        std::stable_sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
            return a.Caption.localeAwareCompare(b.Caption) < 0;
        });
    TComponent* itemOwner = FTabControl->Owner() ? FTabControl->Owner() : FTabControl;
    QPointer<TSkCustomTabControl> tabControl(FTabControl);
    for (const TEntry& entry : entries) {
        const TSkTabData* tab = tabs->Items(entry.Index);
        auto* item = new TMenuItem(itemOwner);
        item->SetCaption(entry.Caption);
        item->SetEnabled(tab->Enabled);
        item->SetChecked(entry.Index == FTabControl->TabIndex());
        item->SetImageIndex(!tab->Enabled && tab->DisabledIndex != -1 ? tab->DisabledIndex : tab->ImageIndex);
        item->SetTag(entry.Index);
        item->OnClick = [tabControl, item](TObject*) {
            if (tabControl) tabControl->SetTabIndex(item->Tag());
        };
        items->Add(item);
        if (item->IsOwnerDrawn()) FMenu->SetOwnerDraw(true);
    }
    FireEvent(OnDisplayMenu, this);
    TPoint corner;
    TPopupAlignment alignment = paLeft;
    const bool standard = FTabControl->TabSequence() == tsStandard;
    switch (FTabControl->TabOrientation()) {
    case toTop:
        corner = standard ? TPoint{Width() - 1, Height()} : TPoint{0, Height()};
        alignment = standard ? paRight : paLeft;
        break;
    case toLeft:
        corner = {Width(), 0};
        break;
    case toBottom:
        corner = standard ? TPoint{Width(), 0} : TPoint{0, 0};
        alignment = standard ? paRight : paLeft;
        break;
    case toRight:
        corner = {0, 0};
        alignment = paRight;
        break;
    }
    const TPoint screen = ClientToScreen(corner);
    FMenu->SetAlignment(alignment);
    FMenu->SetPopupComponent(FTabControl);
    FMenu->Popup(screen.X, screen.Y);
}

// The tab control's side
// ---------------------------------------------------------------------------------------
TSkTabScroller* TSkCustomTabControl::Scroller() const {
    return FScroller;
}
TSkTabControlCloseButton* TSkCustomTabControl::CloseButton() const {
    return FCloseButton;
}
TSkActiveTabCloseButton* TSkCustomTabControl::ActiveTabCloseButton() const {
    return FActiveTabCloseButton;
}
TSkTabMenuButton* TSkCustomTabControl::MenuButton() const {
    return FMenuButton;
}

namespace {
// An auxiliary control made on first need: the tab control's child in its frame colour.
template <class TButton> TButton* Require(QPointer<TButton>& Field, TSkCustomTabControl* Owner) {
    if (!Field) {
        Field = new TButton(Owner);
        Field->SetParent(Owner);
        Field->SetFrameColor(Owner->FrameColor());
    }
    return Field;
}
}  // namespace

TSkTabScroller* TSkCustomTabControl::RequireScroller() {
    if (!FScroller) {
        Require(FScroller, this);
        FScroller->OnUpRightClick = [this](TObject*) { ScrollTabs(UpRightIsForward(this)); };
        FScroller->OnDownLeftClick = [this](TObject*) { ScrollTabs(!UpRightIsForward(this)); };
    }
    FScroller->SetOrientation(FLayout.Vertical() ? orVertical : orHorizontal);
    return FScroller;
}

TSkTabControlCloseButton* TSkCustomTabControl::RequireCloseButton() {
    if (!FCloseButton) Require(FCloseButton, this)->OnClose = [this](TObject*) { CloseActiveTab(); };
    return FCloseButton;
}

TSkActiveTabCloseButton* TSkCustomTabControl::RequireActiveTabCloseButton() {
    if (!FActiveTabCloseButton) {
        Require(FActiveTabCloseButton, this)->SetVisible(false);
        FActiveTabCloseButton->OnClose = [this](TObject*) { CloseActiveTab(); };
    }
    return FActiveTabCloseButton;
}

TSkTabMenuButton* TSkCustomTabControl::RequireMenuButton() {
    return Require(FMenuButton, this);
}

void TSkCustomTabControl::UpdateButtonColors() {
    const TColor color = FrameColor();
    if (FScroller) FScroller->SetFrameColor(color);
    if (FCloseButton) FCloseButton->SetFrameColor(color);
    if (FActiveTabCloseButton) FActiveTabCloseButton->SetFrameColor(color);
    if (FMenuButton) FMenuButton->SetFrameColor(color);
}

void TSkCustomTabControl::UpdateActiveTabCloseButton() {
    if (!FActiveTabCloseButton) return;
    const bool show =
        FOptions.ShowCloseButtonOnActiveTab && TabIndex() >= 0 && FLayout.TabFullyShown(TabIndex());
    FActiveTabCloseButton->SetVisible(show);
}

void TSkCustomTabControl::PlaceButtons() {
    if (ComponentState() & (csLoading | csReading)) return;
    const TRect strip = FLayout.StripRect();
    const int length = FLayout.ButtonLength(), depth = FLayout.ButtonDepth();
    const bool standard = FOptions.TabSequence == tsStandard, vertical = FLayout.Vertical();
    // The end of the strip where the run of tabs ends, and which way is inwards from it.
    int end = 0, inwards = 1;
    switch (FOptions.TabOrientation) {
    case toTop:
    case toBottom:
        end = standard ? strip.Right : strip.Left;
        inwards = standard ? -1 : 1;
        if (FOptions.TabOrientation == toTop && standard) end += FOptions.ShowShadow ? -1 : 1;
        break;
    case toLeft:
        end = standard ? strip.Top : strip.Bottom;
        inwards = standard ? 1 : -1;
        break;
    case toRight:
        end = standard ? strip.Bottom : strip.Top;
        inwards = standard ? -1 : 1;
        break;
    }
    // Across the strip every button sits 2 pixels from the card side.
    int across = 0;
    switch (FOptions.TabOrientation) {
    case toTop:
        across = strip.Bottom - 2 - depth;
        break;
    case toBottom:
        across = strip.Top + 2;
        break;
    case toLeft:
        across = strip.Right - 2 - depth;
        break;
    case toRight:
        across = strip.Left + 2;
        break;
    }
    int pos = FOptions.Margin;
    auto place = [&](TControl* control, int along) {
        const int from = inwards < 0 ? end - pos - along : end + pos;
        if (vertical)
            control->SetBounds(across, from, depth, along);
        else
            control->SetBounds(from, across, along, depth);
        pos += along + 2;
    };
    if (FOptions.ShowCloseButton && FCloseButton) place(FCloseButton, length);
    if (FOptions.ShowMenuButton && FMenuButton) place(FMenuButton, length);
    if (FLayout.ScrollNeeded) {
        RequireScroller();
        place(FScroller, 2 * length - 1);
        FScroller->SetEnabled(true);
    } else if (FScroller) {
        // Out of sight rather than hidden.
        FScroller->SetBounds(-FScroller->Width(), -FScroller->Height(), FScroller->Width(),
                             FScroller->Height());
    }
}

TRect ActiveTabCloseBounds(const TSkTabLayout& Layout, const TRect& Content) {
    // Only where measuring made room: text along the strip.
    if (!Layout.TextAlongStrip()) return {};
    const bool vertical = Layout.Vertical(), standard = !Layout.Reverse();
    const int across = vertical ? Content.Width() : Content.Height();
    const bool large = across >= (vertical ? 15 : 13);
    const int w = large ? 15 : 10, h = large ? 13 : 9;
    const int room = ActiveCloseGlyphRoom;
    if (!vertical) {
        const int top = (Content.Top + Content.Bottom) / 2 - (large ? 6 : 4);
        const int zone = standard ? Content.Right - room : Content.Left;
        return Bounds(zone + (room - w) / 2, top, w, h);
    }
    const int left = (Content.Left + Content.Right) / 2 - (large ? 7 : 5);
    const bool topEnd = (Layout.Options().TabOrientation == toLeft) == standard;
    const int zone = topEnd ? Content.Top : Content.Bottom - room;
    return Bounds(left, zone + (room - h) / 2, w, h);
}
