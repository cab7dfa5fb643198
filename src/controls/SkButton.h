// The push button: an owner-painted button window that takes the mouse and the space bar, follows the
// mouse (hot tracking) and the visual style, draws its caption raised, recessed or with a shadow, and
// can let its parent show round its face. The push button built on it presses on Enter as its window's
// default button and on Escape as its cancel button, sets its window's modal result, and stays down
// in a group of buttons (GroupIndex) drawn with a checkered pattern.
#pragma once

#include "Actions.h"
#include "SkCommon.h"
#include "StdCtrls.h"

#include <cstdint>

class TBitmap;
class TFiler;

// Sent to every control of a grouped button's parent when the button goes down or its group
// changes: WParam the group index, LParam the button.
constexpr unsigned SK_BUTTONGROUP = 0x2421;

class TSkCustomButton : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(TBasicAction* Action READ Action WRITE SetAction)
    Q_PROPERTY(TAlignmentVertical AlignmentVertical READ AlignmentVertical WRITE SetAlignmentVertical)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TColor HighlightColor READ HighlightColor WRITE SetHighlightColor)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
    Q_PROPERTY(TColor HotTrackColor READ HotTrackColor WRITE SetHotTrackColor)
    Q_PROPERTY(TSkHotTrackColorType HotTrackColorType READ HotTrackColorType WRITE SetHotTrackColorType)
    Q_PROPERTY(bool LightTextStyle READ LightTextStyle WRITE SetLightTextStyle)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TColor TextHighlightColor READ TextHighlightColor WRITE SetTextHighlightColor)
    Q_PROPERTY(TColor TextShadowColor READ TextShadowColor WRITE SetTextShadowColor)
    Q_PROPERTY(int TextShadowDepth READ TextShadowDepth WRITE SetTextShadowDepth)
    Q_PROPERTY(TTextStyle TextStyle READ TextStyle WRITE SetTextStyle)
    Q_PROPERTY(bool ThemeAware READ ThemeAware WRITE SetThemeAware)
    Q_CLASSINFO("AlignmentVertical", "= avCenter")
    Q_CLASSINFO("Color", "TColor = clBtnFace")
    Q_CLASSINFO("ParentColor", "= False")
    Q_CLASSINFO("HighlightColor", "TColor = clHighlight")
    Q_CLASSINFO("HotTrack", "= False")
    Q_CLASSINFO("HotTrackColor", "TColor = 1350640")  // $149BF0
    Q_CLASSINFO("HotTrackColorType", "= htctActual")
    Q_CLASSINFO("LightTextStyle", "= False")
    Q_CLASSINFO("TabStop", "= True")
    Q_CLASSINFO("TextHighlightColor", "TColor = clBtnHighlight")
    Q_CLASSINFO("TextShadowColor", "TColor = clBtnShadow")
    Q_CLASSINFO("TextShadowDepth", "= 2")
    Q_CLASSINFO("TextStyle", "= tsNormal")
    Q_CLASSINFO("ThemeAware", "= True")
public:
    // 115 x 17, a tab stop.
    explicit TSkCustomButton(TComponent* AOwner);

    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical Value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor Value) { FHotTrackColor = Value; }
    TSkHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TSkHotTrackColorType Value) { FHotTrackColorType = Value; }
    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor Value);
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool Value);
    bool LightTextStyle() const { return FLightTextStyle; }
    virtual void SetLightTextStyle(bool Value);
    TTextStyle TextStyle() const { return FTextStyle; }
    virtual void SetTextStyle(TTextStyle Value);
    TColor TextHighlightColor() const { return FTextHighlightColor; }
    virtual void SetTextHighlightColor(TColor Value);
    TColor TextShadowColor() const { return FTextShadowColor; }
    virtual void SetTextShadowColor(TColor Value);
    int TextShadowDepth() const { return FTextShadowDepth; }
    virtual void SetTextShadowDepth(int Value);
    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    // The left button went down on the button and has not come up; the mouse is over it; it shows
    // pressed (mouse or space bar).
    bool Tracking() const { return FTracking; }
    bool MouseOver() const { return FMouseOver; }
    bool Pressed() const { return FPressed; }
    // ThemeAware with visual styles active.
    virtual bool UseThemes() const;

protected:
    // Paints the parent's image where the button lets it show (nothing here).
    virtual void DrawTransparentBackground(HDC DC);
    virtual void RepaintButton() {}
    virtual void RepaintFocus() { Repaint(); }
    // The area that changes as the mouse comes and goes.
    virtual TRect GetHotTrackRect() { return ClientRect(); }
    // The caption in Rect by Flags, placed by AlignmentVertical, in the text style.
    virtual void DrawCaptionText(TCanvas* Canvas, TRect Rect, unsigned Flags);
    // Rect cut to the caption's height where AlignmentVertical puts it (in the canvas's font).
    TRect PlaceCaption(TCanvas* Canvas, TRect Rect);
    // A click of the mouse or the space bar.
    virtual void ButtonClick() = 0;
    // The space bar came up: the button shows up again and, when the space bar went down on it
    // (SpaceDown, cleared here), clicks. False when the click freed the button.
    bool SpaceReleased(bool& SpaceDown);

    // The light and dark colours of the hot-track glow.
    void HotTrackColors(TColor& Light, TColor& Dark) const;

    bool ClickOnMouseUp() const override { return false; }
    void WMGetDlgCode(TMessage& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    // The second press of a double click presses the button again: each click counts.
    void WMLButtonDblClk(TWMMouse& Message) override { WMLButtonDown(Message); }
    void WMMouseMove(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    TAlignmentVertical FAlignmentVertical = avCenter;
    TColor FHotTrackColor = RGB(240, 155, 20);
    TSkHotTrackColorType FHotTrackColorType = htctActual;
    TColor FHighlightColor = clHighlight;
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsNormal;
    TColor FTextHighlightColor = clBtnHighlight;
    TColor FTextShadowColor = clBtnShadow;
    int FTextShadowDepth = 2;
    bool FTracking = false;
    bool FHotTrack = false;
    bool FMouseOver = false;
    bool FPressed = false;
    bool FTransparent = false;
    bool FThemeAware = true;
};

class TSkButton : public TSkCustomButton {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(bool DropDownOnEnter READ DropDownOnEnter WRITE SetDropDownOnEnter)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool ShowDownPattern READ ShowDownPattern WRITE SetShowDownPattern)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    // Follows HotTrack; not stored.
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent STORED false)
    Q_CLASSINFO("Width", "= 75")
    Q_CLASSINFO("Height", "= 25")
    Q_CLASSINFO("Alignment", "= taCenter")
    Q_CLASSINFO("AllowAllUp", "= False")
    Q_CLASSINFO("Cancel", "= False")
    Q_CLASSINFO("Default", "= False")
    Q_CLASSINFO("Down", "= False")
    Q_CLASSINFO("DropDownOnEnter", "= True")
    Q_CLASSINFO("FrameColor", "TColor = cl3DDkShadow")
    Q_CLASSINFO("GroupIndex", "= 0")
    Q_CLASSINFO("ModalResult", "= 0")
    Q_CLASSINFO("ShowDownPattern", "= True")
    Q_CLASSINFO("ShowFocusRect", "= True")
public:
    // 75 x 25 in clBtnFace.
    explicit TSkButton(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    bool Default() const { return FDefault; }
    virtual void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    bool DropDownOnEnter() const { return FDropDownOnEnter; }
    void SetDropDownOnEnter(bool Value) { FDropDownOnEnter = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    virtual void SetAllowAllUp(bool Value);
    bool Down() const { return FDown; }
    virtual void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    virtual void SetGroupIndex(int Value);
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor Value);
    bool ShowDownPattern() const { return FShowDownPattern; }
    virtual void SetShowDownPattern(bool Value);
    bool ShowFocusRect() const { return FShowFocusRect; }
    virtual void SetShowFocusRect(bool Value);
    // With the hot-track look the parent shows round the cut corners.
    void SetHotTrack(bool Value) override;

    // Enter presses this button now; 0 up, 3 down (a grouped button); a click comes from the keyboard
    // with DropDownOnEnter off; ButtonClick is running Click.
    bool Active() const { return FActive; }
    std::uint8_t State() const { return FState; }
    bool KeyboardClick() const { return FKeyboardClick; }
    bool InClick() const { return FInClick; }
    bool SpaceDown() const { return FSpaceDown; }

    // Sets the window's modal result to ModalResult, then OnClick or the action.
    void Click() override;

protected:
    void ButtonClick() override;
    void RepaintButton() override { Invalidate(); }
    void DrawTransparentBackground(HDC DC) override;
    // The client rectangle inset by 5; in the classic look one pixel right and down while down.
    virtual void GetTextRect(TRect& Rect);
    virtual void DrawCaption();
    // 8 x 8 in Color with every other pixel grey, checkered.
    virtual void BuildDownPattern(TBitmap* Bitmap);
    void Paint() override;

    void DefineProperties(TFiler* Filer) override;
    void WndProc(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMSetFocus(TWMFocus& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
    void WMEraseBkgnd(TWMPaint& Message) override;
    void CMDialogKey(TWMKey& Message) override;
    void CMDialogChar(TWMKey& Message) override;
    void CMFocusChanged(TWMFocus& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

private:
    bool DrawnDown() const { return (FGroupIndex != 0 && FState == 3) || FPressed; }
    // The default or focused look: a frame (classic) or glow (hot track) shows Enter presses it.
    bool ShowsDefault() const { return FGroupIndex == 0 && (FActive || Focused()) && !FPressed; }
    void NotifyGroup();
    void GroupChanged(int Index, TSkButton* Sender);
    void PaintHotTrackLook(TRect& R);
    void PaintClassicLook(TRect& R);
    void PaintHotTrackFace(const TRect& R);

    TAlignment FAlignment = taCenter;
    bool FInClick = false;
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    int FModalResult = 0;
    bool FSpaceDown = false;
    bool FAllowAllUp = false;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FShowDownPattern = true;
    bool FShowFocusRect = true;
    bool FDropDownOnEnter = true;
    TColor FFrameColor = cl3DDkShadow;
    std::uint8_t FState = 0;
    bool FKeyboardClick = false;
};
