// The small controls a tab strip makes on first need at the end of its strip: a pair of arrow buttons
// that scroll a line of tabs that does not fit, a button that closes the selected tab, a close glyph on
// the selected tab itself, and a button that drops a menu of every tab.
#pragma once

#include "ExtCtrls.h"
#include "GraphicControl.h"
#include "Menus.h"
#include "SkTabs.h"

class TTimer;

// The face every tab button is drawn with: a gradient or a plain fill in the strip's ButtonColor,
// darker while down, lighter while hot, framed in FrameColor; a flat grey box when disabled.
void DrawTabButtonFace(TCanvas* Canvas, const TRect& Rect, TSkCustomTabControl* TabControl, bool Enabled,
                       TColor FrameColor, bool Hot, bool Down);

// Where the close glyph of the selected tab goes, in the room measuring left at the trailing end of
// its content rectangle; empty where the text runs across the strip and no room was left.
TRect ActiveTabCloseBounds(const TSkTabLayout& Layout, const TRect& Content);

// Pressing, hot tracking and clicking as the close and menu buttons share them: a click is a release
// over the button after a press on it.
template <class TBase> class TSkTabButtonBase : public TBase {
public:
    TSkTabButtonBase(TSkCustomTabControl* AOwner) : TBase(AOwner), FTabControl(AOwner) {}
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) {
        if (StoreChanged(FFrameColor, Value)) this->Invalidate();
    }
    bool Hot() const { return FHot; }
    bool Down() const { return FDown; }
    TNotifyEvent OnClose;

protected:
    // The release that completes a click.
    virtual void Clicked() { FireEvent(OnClose, this); }
    void WMLButtonDown(TWMMouse&) override {
        FPressing = FDown = true;
        this->Invalidate();
    }
    // The second press of a double click presses the button again: each click counts.
    void WMLButtonDblClk(TWMMouse& Message) override { WMLButtonDown(Message); }
    void WMMouseMove(TWMMouse& Message) override {
        if (FPressing) {
            if (StoreChanged(FDown, PtInRect(this->ClientRect(), {Message.XPos, Message.YPos})))
                this->Invalidate();
        } else if (!FHot) {
            this->Perform(CM_MOUSEENTER);
        }
    }
    void WMLButtonUp(TWMMouse&) override {
        FPressing = false;
        if (!FDown) return;
        FDown = false;
        // The click may free the tab control, and this button with it.
        QPointer<QObject> alive(this);
        Clicked();
        if (alive) this->Invalidate();
    }
    void CMMouseEnter(TMessage&) override {
        if (this->ComponentState() & csDesigning) return;
        FHot = true;
        this->Invalidate();
    }
    void CMMouseLeave(TMessage&) override {
        FHot = false;
        this->Invalidate();
    }
    void WMEraseBkgnd(TWMPaint& Message) override { Message.Result = 1; }

    TSkCustomTabControl* FTabControl;
    TColor FFrameColor = clBtnShadow;
    bool FPressing = false, FDown = false, FHot = false;
};

// Two arrow buttons side by side (or one above the other for left and right strips); holding one
// repeats its click, first after 400 ms, then every 100 ms, and once more on release over it.
class TSkTabScroller : public TCustomControl {
    Q_OBJECT
public:
    explicit TSkTabScroller(TSkCustomTabControl* AOwner);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value);
    // The half under a point: 1 the up or right half, 0 the down or left half.
    int HalfAt(int X, int Y) const;
    // The two halves' rectangles, overlapping by one pixel.
    TRect HalfRect(int Half) const;
    // Whether a half's arrow may scroll now.
    bool HalfEnabled(int Half) const;
    bool Pressing() const { return FPressing; }
    TTimer* RepeatTimer() const { return FTimer; }

    TNotifyEvent OnUpRightClick, OnDownLeftClick;

protected:
    void Paint() override;
    void WMLButtonDown(TWMMouse& Message) override;
    // The second press of a double click scrolls again: each click counts.
    void WMLButtonDblClk(TWMMouse& Message) override { WMLButtonDown(Message); }
    void WMMouseMove(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMEraseBkgnd(TWMPaint& Message) override { Message.Result = 1; }
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    void ClickHalf();
    void TimerTick();
    TSkCustomTabControl* FTabControl;
    TColor FFrameColor = clBtnShadow;
    TOrientation FOrientation = orHorizontal;
    bool FPressing = false, FPressedInside = false, FHot = false;
    int FHotHalf = -1, FPressedHalf = 0;
    TTimer* FTimer = nullptr;
    std::uint16_t FInitialDelay = 400, FRepeatDelay = 100;
};

// Closes the selected tab.
class TSkTabControlCloseButton : public TSkTabButtonBase<TCustomControl> {
public:
    explicit TSkTabControlCloseButton(TSkCustomTabControl* AOwner);

protected:
    void Paint() override;
};

// The close glyph on the selected tab: only the glyph until the mouse is over it.
class TSkActiveTabCloseButton : public TSkTabButtonBase<TGraphicControl> {
public:
    explicit TSkActiveTabCloseButton(TSkCustomTabControl* AOwner);

protected:
    void Paint() override;
    // The whole button takes the mouse.
    void CMHitTest(TMessage& Message) override { Message.Result = HTCLIENT; }
    void Clicked() override;
};

// Drops a menu of the visible tabs; choosing one selects it.
class TSkTabMenuButton : public TSkTabButtonBase<TCustomControl> {
public:
    explicit TSkTabMenuButton(TSkCustomTabControl* AOwner);
    TPopupMenu* PopupMenu() const { return FMenu; }
    // Fills the menu from the tabs and shows it at the button's corner towards the card.
    void BuildMenu();
    TNotifyEvent OnDisplayMenu;

protected:
    void Paint() override;
    void Clicked() override { BuildMenu(); }

private:
    TPopupMenu* FMenu;
};
