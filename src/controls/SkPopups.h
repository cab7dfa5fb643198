// Drop-down content: a hidden pop-up panel holds controls (a calendar, a clock, a calculator, or any
// others) and shows them next to a control in a temporary window of its own, waiting until the content
// reports a choice or the user dismisses it. And the painting of the captioned buttons that the
// calendar, the time picker and the calculator share.
#pragma once

#include "SkPanel.h"

class TSkPopup;
class TDropDownLoop;

// The message that ends a pop-up's loop when posted to the pop-up; dispatched later, it frees the
// pop-up.
constexpr unsigned SK_POPUPRELEASE = 0x2423;

// A styled panel with the pop-up's frame: 2 pixels of border inside the pop-up frame; hidden.
class TSkCustomPopup : public TSkCustomPanel {
    Q_OBJECT
public:
    explicit TSkCustomPopup(TComponent* AOwner);
    // What the frames and the band inside them take on each side (Left, Top, Right, Bottom).
    TRect FrameInsets();

protected:
    // Children sit inside the frames.
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
};

// The hidden panel whose children drop down at a control.
class TSkPopupPanel : public TSkCustomPopup {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor BorderHighlight READ BorderHighlight WRITE SetBorderHighlight)
    Q_PROPERTY(TFrameStyleEx BorderInner READ BorderInner WRITE SetBorderInner)
    Q_PROPERTY(TFrameStyleEx BorderOuter READ BorderOuter WRITE SetBorderOuter)
    Q_PROPERTY(TColor BorderShadow READ BorderShadow WRITE SetBorderShadow)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor FlatColor READ FlatColor WRITE SetFlatColor)
    Q_PROPERTY(int FlatColorAdjustment READ FlatColorAdjustment WRITE SetFlatColorAdjustment)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_CLASSINFO("Alignment", "= taRightJustify")
    Q_CLASSINFO("AutoSize", "= False")
    Q_CLASSINFO("BevelWidth", "= 1")
    Q_CLASSINFO("BorderColor", "TColor = clBtnFace")
    Q_CLASSINFO("BorderHighlight", "TColor = clBtnHighlight")
    Q_CLASSINFO("BorderInner", "= fsNone")
    // Declared raised, so a stored form always records the pop-up frame the constructor sets.
    Q_CLASSINFO("BorderOuter", "= fsRaised")
    Q_CLASSINFO("BorderShadow", "TColor = clBtnShadow")
    Q_CLASSINFO("BorderWidth", "= 0")
    Q_CLASSINFO("Color", "TColor")
    Q_CLASSINFO("FlatColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FlatColorAdjustment", "= 0")
    Q_CLASSINFO("ParentColor", "= False")
public:
    // 100 x 100, right-aligned pop-ups, sized to its content.
    explicit TSkPopupPanel(TComponent* AOwner);
    ~TSkPopupPanel() override;

    // Shows the children at Control, X and Y pixels right of and below its top-left corner on the
    // screen (both -1: below it, placed by Alignment), and waits. True when the content called Close,
    // false when the user dismissed it or the panel is popped up already. When the panel itself is
    // freed meanwhile, the pop-up ends as dismissed and the caller must not touch the panel again.
    bool PopupAt(TControl* Control, int X, int Y);
    bool Popup(TControl* Control) { return PopupAt(Control, -1, -1); }
    // The content's choice: ends a running pop-up with true; nothing otherwise.
    void Close();

    // While popped up: the control it was opened at, and the window showing the children.
    TControl* PopupControl() const { return FPopupControl; }
    TSkPopup* PopupHost() const { return FPopupHost; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    // The pop-up's size: with AutoSize the extent of the visible children with the frames and the
    // band round them (the children are moved inside them while shown), else the panel's.
    TSize PopupSize() const;

    TNotifyEvent OnPopup, OnClose;

private:
    // A handler bound to the content's completion event.
    void CloseHandler(TObject*) { Close(); }
    TControl* FPopupControl = nullptr;
    TSkPopup* FPopupHost = nullptr;
    bool FAutoSize = true;
    friend class TSkPopup;
};

// The temporary window a pop-up panel shows its children in; it frees itself once it is over.
class TSkPopup : public TSkCustomPopup {
    Q_OBJECT
public:
    // Owned by the panel, which it serves; colour, font and hint from the panel.
    explicit TSkPopup(TSkPopupPanel* Panel);
    ~TSkPopup() override;

    TSkPopupPanel* PopupPanel() const { return FPopupPanel; }
    // The child that receives the keys (the first enabled, visible window control), or nullptr.
    TWinControl* ActiveChild() const { return FActiveChild; }
    // True from the moment it shows until the panel's Close.
    bool Canceled() const { return FCanceled; }

    // Takes the panel's children, shows them at Control and runs the loop; true unless canceled.
    bool Popup(TControl* Control, TAlignment Alignment, int X, int Y);
    // Where the pop-up goes: its top-left corner on the screen for a pop-up of W x H at the
    // control's screen rectangle C, kept inside the work area `Area`.
    // Unmoved: at the offsets, or below the control by Alignment; then moved into the work area
    // (left to meet its right edge, above the control past its bottom, held at its left and top).
    static TPoint Position(const TRect& C, int W, TAlignment Alignment, int X, int Y);
    static TPoint KeptInWorkArea(TPoint P, const TRect& C, int W, int H, const TRect& Area);
    static TPoint Placement(const TRect& C, int W, int H, TAlignment Alignment, int X, int Y,
                            const TRect& Area);

    // Framework and tests: pop-ups alive now.
    static int LiveCount();

protected:
    void WndProc(TMessage& Message) override;

private:
    // Keys of the whole application while open: Escape cancels; all go to the active child.
    TWinControl* KeyTarget(unsigned short Key, bool Press);
    // Ends a running loop (the panel is going).
    void Abandon();
    void MoveChildren(TWinControl* From, TWinControl* To, TPoint Shift);
    TSkPopupPanel* FPopupPanel;
    TWinControl* FActiveChild = nullptr;
    bool FCanceled = true;
    TDropDownLoop* FLoop = nullptr;
    friend class TSkPopupPanel;
};

// A captioned button of the calendar, time picker and calculator: the theme's push button, or a
// classic frame by colour and state, the face filled in Color and Caption centred in FontColor
// (shifted 1 pixel right and down while Down).
void DrawPopupButton(TCanvas* Canvas, TRect Rect, const QString& Caption, TColor Color, TColor FontColor,
                     bool Flat, bool Down, bool ThemeAware);
