#include "SkButton.h"

#include "Forms.h"
#include "Platform.h"
#include "SkCommonFraming.h"
#include "Streaming.h"

#include <QPointer>

namespace {
struct TButtonTypes {
    TButtonTypes() {
        RegisterSkCommonTypes();
        RegisterClass<TSkButton>();
    }
};
const TButtonTypes ButtonTypes;

bool Inside(const TControl* control, int x, int y) {
    return x >= 0 && x < control->ClientWidth() && y >= 0 && y < control->ClientHeight();
}
}  // namespace

// TSkCustomButton ------------------------------------------------------------------------------------
TSkCustomButton::TSkCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetOffscreenPaint(true);
    SetBounds(0, 0, 115, 17);
    SetTabStop(true);
}

void TSkCustomButton::SetAlignmentVertical(TAlignmentVertical Value) {
    if (StoreChanged(FAlignmentVertical, Value)) Invalidate();
}

void TSkCustomButton::SetHighlightColor(TColor Value) {
    if (StoreChanged(FHighlightColor, Value)) Invalidate();
}

void TSkCustomButton::SetHotTrack(bool Value) {
    if (StoreChanged(FHotTrack, Value)) Invalidate();
}

void TSkCustomButton::SetLightTextStyle(bool Value) {
    if (StoreChanged(FLightTextStyle, Value)) Invalidate();
}

void TSkCustomButton::SetTextStyle(TTextStyle Value) {
    if (StoreChanged(FTextStyle, Value)) Invalidate();
}

void TSkCustomButton::SetTextHighlightColor(TColor Value) {
    if (StoreChanged(FTextHighlightColor, Value)) Invalidate();
}

void TSkCustomButton::SetTextShadowColor(TColor Value) {
    if (StoreChanged(FTextShadowColor, Value)) Invalidate();
}

void TSkCustomButton::SetTextShadowDepth(int Value) {
    if (StoreChanged(FTextShadowDepth, Value)) Invalidate();
}

void TSkCustomButton::SetThemeAware(bool Value) {
    if (StoreChanged(FThemeAware, Value)) Invalidate();
}

void TSkCustomButton::SetTransparent(bool Value) {
    if (StoreChanged(FTransparent, Value)) Invalidate();
}

bool TSkCustomButton::UseThemes() const {
    return FThemeAware && IsThemeActive() && IsAppThemed();
}

void TSkCustomButton::DrawTransparentBackground(HDC) {}

void TSkCustomButton::HotTrackColors(TColor& Light, TColor& Dark) const {
    if (FHotTrackColorType == htctActual) {
        Dark = FHotTrackColor;
        Light = BlendColors(clWhite, FHotTrackColor, 190);
    } else {
        Light = ComplementaryColor(FHotTrackColor, 180);
        Dark = DarkerColor(Light, 30);
    }
}

// A button takes no characters and no arrows: they are its window's dialog keys and accelerators.
void TSkCustomButton::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_BUTTON;
}

void TSkCustomButton::WMLButtonDown(TWMMouse& Message) {
    TCustomControl::WMLButtonDown(Message);
    if (!CanFocus()) return;
    // The window may become active only after the press (then its focus lies here already).
    // The control losing the focus may free, hide or disable this one as it goes.
    QPointer<QObject> alive(this);
    SetFocus();
    if (!alive || !CanFocus() || !HasWindowFocus()) return;
    FPressed = true;
    RepaintButton();
    FTracking = true;
}

void TSkCustomButton::WMMouseMove(TWMMouse& Message) {
    TCustomControl::WMMouseMove(Message);
    if (!FTracking) return;
    const bool inside = Inside(this, Message.XPos, Message.YPos);
    if (inside == FPressed) return;
    FPressed = inside;
    RepaintButton();
}

void TSkCustomButton::WMLButtonUp(TWMMouse& Message) {
    TCustomControl::WMLButtonUp(Message);
    if (!FTracking) return;
    FTracking = false;
    FPressed = false;
    QPointer<QObject> alive(this);
    if (Inside(this, Message.XPos, Message.YPos)) ButtonClick();
    if (alive) RepaintButton();
}

bool TSkCustomButton::SpaceReleased(bool& SpaceDown) {
    FPressed = false;
    QPointer<QObject> alive(this);
    if (SpaceDown) {
        SpaceDown = false;
        ButtonClick();
        if (!alive) return false;
    }
    RepaintButton();
    return true;
}

void TSkCustomButton::CMMouseEnter(TMessage& Message) {
    if (ComponentState() & csDesigning) return TCustomControl::CMMouseEnter(Message);
    FMouseOver = true;
    TCustomControl::CMMouseEnter(Message);
    if (FHotTrack || UseThemes()) InvalidateRect(GetHotTrackRect());
}

void TSkCustomButton::CMMouseLeave(TMessage& Message) {
    if (ComponentState() & csDesigning) return TCustomControl::CMMouseLeave(Message);
    FMouseOver = false;
    TCustomControl::CMMouseLeave(Message);
    if (FHotTrack || UseThemes()) InvalidateRect(GetHotTrackRect());
}

// TSkButton --------------------------------------------------------------------------------------------
TSkButton::TSkButton(TComponent* AOwner) : TSkCustomButton(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
}

void TSkButton::SetAlignment(TAlignment Value) {
    if (StoreChanged(FAlignment, Value)) Invalidate();
}

void TSkButton::SetDefault(bool Value) {
    FDefault = Value;
    // Every button of the window works out again which one Enter presses.
    if (TForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(form->ActiveControl()));
    else
        FActive = FDefault;
}

void TSkButton::SetAllowAllUp(bool Value) {
    FAllowAllUp = Value;
    NotifyGroup();
}

void TSkButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp && FGroupIndex != 0) return;  // the group keeps one button down
    FDown = Value;
    FState = Value ? 3 : 0;
    Invalidate();
    if (Value) NotifyGroup();
}

void TSkButton::SetGroupIndex(int Value) {
    FGroupIndex = Value;
    NotifyGroup();
}

void TSkButton::SetFrameColor(TColor Value) {
    if (StoreChanged(FFrameColor, Value)) Invalidate();
}

void TSkButton::SetShowDownPattern(bool Value) {
    if (StoreChanged(FShowDownPattern, Value)) Invalidate();
}

void TSkButton::SetShowFocusRect(bool Value) {
    if (StoreChanged(FShowFocusRect, Value)) Invalidate();
}

void TSkButton::SetHotTrack(bool Value) {
    TSkCustomButton::SetHotTrack(Value);
    SetTransparent(FHotTrack);
    Invalidate();
}

// Groups ------------------------------------------------------------------------------------------------
void TSkButton::NotifyGroup() {
    if (FGroupIndex == 0 || !FParent) return;
    TMessage message{SK_BUTTONGROUP, FGroupIndex, reinterpret_cast<std::intptr_t>(this), 0, false};
    FParent->Broadcast(message);
}

void TSkButton::GroupChanged(int Index, TSkButton* Sender) {
    if (Sender == this || Index != FGroupIndex) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = 0;
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

void TSkButton::WndProc(TMessage& Message) {
    if (Message.Msg == SK_BUTTONGROUP) {
        GroupChanged(int(Message.WParam), reinterpret_cast<TSkButton*>(Message.LParam));
        return;
    }
    TSkCustomButton::WndProc(Message);
}

// Clicks -------------------------------------------------------------------------------------------------
void TSkButton::Click() {
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TSkCustomButton::Click();
}

void TSkButton::ButtonClick() {
    if (FGroupIndex != 0)
        SetDown(!FDown);
    else
        Invalidate();
    QPointer<QObject> alive(this);
    FInClick = true;
    Click();
    if (alive) FInClick = false;
}

// Keys and focus ------------------------------------------------------------------------------------------
void TSkButton::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void TSkButton::WMKeyDown(TWMKey& Message) {
    if (Message.CharCode == VK_SPACE && !(KeyDataShift(Message.KeyData) & ssAlt)) {
        FSpaceDown = true;
        FPressed = true;
        RepaintButton();
    }
    TSkCustomButton::WMKeyDown(Message);
}

void TSkButton::WMKeyUp(TWMKey& Message) {
    if (Message.CharCode == VK_SPACE && !SpaceReleased(FSpaceDown)) return;
    TSkCustomButton::WMKeyUp(Message);
}

void TSkButton::WMSetFocus(TWMFocus& Message) {
    TSkCustomButton::WMSetFocus(Message);
    RepaintFocus();
}

void TSkButton::WMKillFocus(TWMFocus& Message) {
    if (ComponentState() & csDestroying) return TSkCustomButton::WMKillFocus(Message);
    TSkCustomButton::WMKillFocus(Message);
    RepaintFocus();
    FSpaceDown = false;
    FPressed = false;
    RepaintButton();
}

void TSkButton::CMDialogKey(TWMKey& Message) {
    const bool key = (Message.CharCode == VK_RETURN && FActive) || (Message.CharCode == VK_ESCAPE && FCancel);
    if (!key || KeyDataShift(Message.KeyData) != 0 || !CanFocus())
        return TSkCustomButton::CMDialogKey(Message);
    QPointer<QObject> alive(this);
    const bool keyboard = !FDropDownOnEnter;
    if (keyboard) FKeyboardClick = true;
    Click();
    if (alive && keyboard) FKeyboardClick = false;
    Message.Result = 1;
}

void TSkButton::CMDialogChar(TWMKey& Message) {
    if (!IsAccel(Message.CharCode, Caption()) || !CanFocus()) return TSkCustomButton::CMDialogChar(Message);
    Click();
    Message.Result = 1;
}

void TSkButton::CMFocusChanged(TWMFocus& Message) {
    if (!(ComponentState() & csDestroying)) {
        const bool active = IsPushButton(Message.Control) ? Message.Control == this : FDefault;
        if (StoreChanged(FActive, active)) Invalidate();
    }
    TSkCustomButton::CMFocusChanged(Message);
}

void TSkButton::CMEnabledChanged(TMessage& Message) {
    if (!Enabled())
        if (TForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    TSkCustomButton::CMEnabledChanged(Message);
}

void TSkButton::CMTextChanged(TMessage& Message) {
    TSkCustomButton::CMTextChanged(Message);
    Invalidate();
}

void TSkButton::WMEraseBkgnd(TWMPaint& Message) {
    if (!FTransparent) return TSkCustomButton::WMEraseBkgnd(Message);
    DrawTransparentBackground(Message.DC);
    Message.Result = 1;
}

// Streaming ------------------------------------------------------------------------------------------------
// "FrameFlat" of earlier versions is the hot-track look.
void TSkButton::DefineProperties(TFiler* Filer) {
    TSkCustomButton::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("FrameFlat"), [this](TReader& Reader) { SetHotTrack(Reader.ReadBoolean()); }, nullptr,
        false);
}
