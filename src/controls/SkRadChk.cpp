#include "SkRadChk.h"

#include "Streaming.h"
#include "TabOrder.h"

#include <QPointer>
#include <algorithm>

namespace {
struct TRadChkTypes {
    TRadChkTypes() {
        RegisterSkCommonTypes();
        RegisterClass<TSkCheckBox>();
        RegisterClass<TSkRadioButton>();
    }
};
const TRadChkTypes RadChkTypes;
}  // namespace

// TSkCheckedActionLink -----------------------------------------------------------------------------------
TSkCheckedActionLink::TSkCheckedActionLink(TSkCustomGlyphButton* Client)
    : TControlActionLink(Client), FGlyphClient(Client) {}

bool TSkCheckedActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && FGlyphClient->Checked() == CustomAction()->Checked();
}

void TSkCheckedActionLink::SetChecked(bool Value) {
    if (!IsCheckedLinked()) return;
    FGlyphClient->SetClicksDisabled(true);
    FGlyphClient->SetChecked(Value);
    FGlyphClient->SetClicksDisabled(false);
}

// TSkCustomGlyphButton --------------------------------------------------------------------------------------
TSkCustomGlyphButton::TSkCustomGlyphButton(TComponent* AOwner, int NumGlyphs)
    : TSkCustomButton(AOwner), FNumGlyphs(NumGlyphs), FCustomGlyphs(std::make_unique<TBitmap>()) {
    SetColor(clWindow);
    FAlignmentVertical = avTop;
    FImageChangeLink.OnChange = [this](TObject*) { CustomGlyphsChanged(); };
    AdjustBounds();
}

TSkCustomGlyphButton::~TSkCustomGlyphButton() {
    SetFrameController(nullptr);
}

void TSkCustomGlyphButton::SetAlignment(TAlignment Value) {
    if (StoreChanged(FAlignment, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetAutoSize(bool Value) {
    FAutoSize = Value;
    AdjustBounds();
}

void TSkCustomGlyphButton::SetWordWrap(bool Value) {
    FWordWrap = Value;
    AdjustBounds();
}

void TSkCustomGlyphButton::SetFrameColor(TColor Value) {
    if (StoreChanged(FFrameColor, Value)) Invalidate();
}

// A strip holds at least one glyph: no count divides its width by zero or less.
void TSkCustomGlyphButton::SetNumGlyphs(int Value) {
    if (StoreChanged(FNumGlyphs, std::max(1, Value)) && FUseCustomGlyphs) SetUseCustomGlyphs(true);
}

void TSkCustomGlyphButton::SetCustomGlyphs(const TBitmap* Value) {
    if (Value)
        FCustomGlyphs->Assign(Value);
    else
        FCustomGlyphs = std::make_unique<TBitmap>();
    CustomGlyphsChanged();
}

void TSkCustomGlyphButton::SetCustomGlyphImages(TCustomImageList* Value) {
    if (FollowImageList(this, FCustomGlyphImages, Value, FImageChangeLink)) CustomGlyphsChanged();
}

void TSkCustomGlyphButton::CustomGlyphsChanged() {
    const TCustomImageList* list = FCustomGlyphImages;
    const bool listGlyphs = list && list->Width() >= 1 && list->Height() >= 1 && list->Count() >= 1;
    SetUseCustomGlyphs(listGlyphs || !FCustomGlyphs->Empty());
    FBackgroundDirty = true;
}

// The glyph size follows the glyphs in use.
void TSkCustomGlyphButton::SetUseCustomGlyphs(bool Value) {
    FUseCustomGlyphs = Value;
    const TCustomImageList* list = FCustomGlyphImages;
    if (Value && list && list->Width() >= 1 && list->Height() >= 1 && list->Count() >= 1) {
        FGlyphWidth = list->Width();
        FGlyphHeight = list->Height();
    } else if (Value) {
        FGlyphWidth = FCustomGlyphs->Width() / FNumGlyphs;
        FGlyphHeight = FCustomGlyphs->Height();
    } else if (UseThemes()) {
        FGlyphWidth = FThemedGlyphWidth;
        FGlyphHeight = FThemedGlyphHeight;
    } else {
        FGlyphWidth = FGlyphHeight = 13;
    }
    if (!(ComponentState() & csLoading)) AdjustBounds();
    Invalidate();
}

void TSkCustomGlyphButton::SetTransparentColor(TColor Value) {
    if (StoreChanged(FTransparentColor, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetWinMaskColor(TColor Value) {
    if (StoreChanged(FWinMaskColor, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetFillColor(TColor Value) {
    if (StoreChanged(FFillColor, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetFocusColor(TColor Value) {
    if (StoreChanged(FFocusColor, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetDisabledColor(TColor Value) {
    if (StoreChanged(FDisabledColor, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetReadOnly(bool Value) {
    if (StoreChanged(FReadOnly, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetReadOnlyColorOnFocus(bool Value) {
    if (StoreChanged(FReadOnlyColorOnFocus, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetReadOnlyColor(TColor Value) {
    if (StoreChanged(FReadOnlyColor, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetHotTrackStyle(TSkButtonHotTrackStyle Value) {
    if (StoreChanged(FHotTrackStyle, Value)) Invalidate();
}

void TSkCustomGlyphButton::SetTransparent(bool Value) {
    FBackgroundDirty = true;
    TSkCustomButton::SetTransparent(Value);
}

void TSkCustomGlyphButton::SetFrameController(TSkFrameController* Value) {
    SetFrameControllerOf(this, FFrameController, Value);
}

// The frame controller and the action ---------------------------------------------------------------------
void TSkCustomGlyphButton::CustomFramingChanged() {
    UpdateFrameControllerProperties();
}

void TSkCustomGlyphButton::UpdateFrameControllerProperties() {
    TSkFrameController* c = FFrameController;
    if (!c || !c->FrameVisible()) return;
    auto takes = [this](TSkFrameControllerProperty p) {
        return FFrameControllerNotifications & FrameControllerBit(p);
    };
    SetHotTrack(true);
    if (takes(fcpColor)) FFillColor = c->Color();
    if (takes(fcpFrameColor)) FFrameColor = c->FrameColor();
    if (takes(fcpFocusColor)) FFocusColor = c->FocusColor();
    if (takes(fcpDisabledColor)) FDisabledColor = c->DisabledColor();
    if (takes(fcpReadOnlyColor)) FReadOnlyColor = c->ReadOnlyColor();
    if (takes(fcpReadOnlyColorOnFocus)) FReadOnlyColorOnFocus = c->ReadOnlyColorOnFocus();
    if (takes(fcpFrameHotTrack)) FHotTrackStyle = c->FrameHotTrack() ? htsFrame : htsInterior;
    if (takes(fcpFrameHotColor) && FHotTrackStyle == htsFrame) FHotTrackColor = c->FrameHotColor();
    Invalidate();
}

bool TSkCustomGlyphButton::IsCheckedStored() const {
    return !ActionLink() || !ActionLink()->IsCheckedLinked();
}

std::unique_ptr<TControlActionLink> TSkCustomGlyphButton::CreateActionLink() {
    return std::make_unique<TSkCheckedActionLink>(this);
}

// A Checked that comes from the action is no click.
void TSkCustomGlyphButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TSkCustomButton::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action || (CheckDefaults && Checked())) return;
    const bool disabled = FClicksDisabled;
    FClicksDisabled = true;
    SetChecked(action->Checked());
    FClicksDisabled = disabled;
}

// Component life -------------------------------------------------------------------------------------------
void TSkCustomGlyphButton::Loaded() {
    TSkCustomButton::Loaded();
    if (Height() > GetMinFontHeight(Font())) FWordWrap = true;
    AdjustBounds();
}

void TSkCustomGlyphButton::Notification(TComponent* AComponent, TOperation Operation) {
    TSkCustomButton::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFrameController) FFrameController = nullptr;
    if (AComponent == FCustomGlyphImages) {
        FCustomGlyphImages = nullptr;
        if (!(ComponentState() & csDestroying)) CustomGlyphsChanged();
    }
}

// "Flat" of earlier versions is the hot-track look.
void TSkCustomGlyphButton::DefineProperties(TFiler* Filer) {
    TSkCustomButton::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("Flat"), [this](TReader& Reader) { SetHotTrack(Reader.ReadBoolean()); }, nullptr,
        false);
}

// The visual style's glyph grows with the window, one pixel short of the ratio. Each size is worked
// out from the unscaled one with all ratios so far, so scaling there and back does not drift.
void TSkCustomGlyphButton::ChangeScale(int M, int D) {
    TSkCustomButton::ChangeScale(M, D);
    if (!UseThemes() || M == D || D == 0) return;
    // Ratios that grew too long start a new run from the present size.
    if (!FGlyphScale.Fits(M, D)) {
        FUnscaledGlyphWidth = FThemedGlyphWidth;
        FUnscaledGlyphHeight = FThemedGlyphHeight;
        FGlyphScale = TScaleRatio();
    }
    FGlyphScale.Multiply(M, D);
    const auto scaled = [this](int Unscaled) {
        return FGlyphScale.IsOne() ? Unscaled : FGlyphScale.Apply(Unscaled) - 1;
    };
    FThemedGlyphWidth = scaled(FUnscaledGlyphWidth);
    FThemedGlyphHeight = scaled(FUnscaledGlyphHeight);
    // Custom glyphs keep the size their strip or image list gives them.
    if (FUseCustomGlyphs) return;
    FGlyphWidth = FThemedGlyphWidth;
    FGlyphHeight = FThemedGlyphHeight;
    AdjustBounds();
    Invalidate();
}

// Messages -------------------------------------------------------------------------------------------------
void TSkCustomGlyphButton::Resized() {
    FBackgroundDirty = true;
    TSkCustomButton::Resized();
}

// The whole control is painted from its background snapshot: nothing to erase.
void TSkCustomGlyphButton::WMEraseBkgnd(TWMPaint& Message) {
    FBackgroundDirty = true;
    Message.Result = 1;
}

void TSkCustomGlyphButton::WMLButtonDown(TWMMouse& Message) {
    FMouseDownFlag = true;
    TSkCustomButton::WMLButtonDown(Message);
}

void TSkCustomGlyphButton::WMLButtonUp(TWMMouse& Message) {
    QPointer<QObject> alive(this);
    TSkCustomButton::WMLButtonUp(Message);
    if (alive) FMouseDownFlag = false;
}

void TSkCustomGlyphButton::WMSetFocus(TWMFocus& Message) {
    TSkCustomButton::WMSetFocus(Message);
    RepaintFocus();
}

void TSkCustomGlyphButton::WMKillFocus(TWMFocus& Message) {
    TSkCustomButton::WMKillFocus(Message);
    if (!(ComponentState() & csDestroying)) RepaintFocus();
}

// Enter with TabOnEnter moves on to the next control.
void TSkCustomGlyphButton::WMChar(TWMKey& Message) {
    if (Message.CharCode == '\r' && FTabOnEnter) {
        PostKeyDown(this, VK_TAB);
        return;
    }
    TSkCustomButton::WMChar(Message);
}

void TSkCustomGlyphButton::CMEnabledChanged(TMessage& Message) {
    FBackgroundDirty = true;
    TSkCustomButton::CMEnabledChanged(Message);
}

void TSkCustomGlyphButton::CMColorChanged(TMessage& Message) {
    FBackgroundDirty = true;
    TSkCustomButton::CMColorChanged(Message);
}

void TSkCustomGlyphButton::CMParentColorChanged(TMessage& Message) {
    FBackgroundDirty = true;
    TSkCustomButton::CMParentColorChanged(Message);
}

void TSkCustomGlyphButton::CMTextChanged(TMessage& Message) {
    TSkCustomButton::CMTextChanged(Message);
    AdjustBounds();
}

void TSkCustomGlyphButton::CMFontChanged(TMessage& Message) {
    TSkCustomButton::CMFontChanged(Message);
    AdjustBounds();
}

// TSkRadioButton ------------------------------------------------------------------------------------------
TSkRadioButton::TSkRadioButton(TComponent* AOwner) : TSkCustomGlyphButton(AOwner, 6) {
    SetTabStop(false);
}

template <class TEach> void TSkRadioButton::ForOtherRadios(TEach Each) {
    if (!FParent) return;
    for (int i = 0; i < FParent->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TSkRadioButton*>(FParent->Controls(i)))
            if (other != this) Each(other);
}

void TSkRadioButton::SetChecked(bool Value) {
    if (!StoreChanged(FChecked, Value)) return;
    SetTabStop(Value);
    RepaintButton();
    if (!Value) return;
    ForOtherRadios([](TSkRadioButton* other) { other->SetChecked(false); });
    if (!FClicksDisabled) Click();
}

void TSkRadioButton::SetReadOnly(bool Value) {
    if (Value == ReadOnly()) return;
    TSkCustomGlyphButton::SetReadOnly(Value);
    RepaintButton();
    ForOtherRadios([Value](TSkRadioButton* other) { other->SetReadOnly(Value); });
}

void TSkRadioButton::ButtonClick() {
    if (!FChecked && !ReadOnly()) SetChecked(true);
}

void TSkRadioButton::WndProc(TMessage& Message) {
    if (Message.Msg == BM_GETCHECK) {
        Message.Result = FChecked ? 1 : 0;
        return;
    }
    TSkCustomGlyphButton::WndProc(Message);
}

// The keyboard's focus checks the button; the mouse's checks it through the click.
void TSkRadioButton::WMSetFocus(TWMFocus& Message) {
    TSkCustomGlyphButton::WMSetFocus(Message);
    if (!FMouseDownFlag && !ReadOnly()) SetChecked(true);
}

void TSkRadioButton::CMDialogChar(TWMKey& Message) {
    if (!IsAccel(Message.CharCode, Caption()) || !CanFocus())
        return TSkCustomGlyphButton::CMDialogChar(Message);
    SetFocus();
    Message.Result = 1;
}

// An arrow key on the focused button moves the focus, and with it the check, to the next (Right,
// Down) or previous (Left, Up) radio button of the parent that can take it, in reading order, round
// from the last to the first. (Dialog keys reach every control of the window, so only the button
// that has the focus answers them.)
void TSkRadioButton::CMDialogKey(TWMKey& Message) {
    const unsigned short key = Message.CharCode;
    const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
    if (!arrow || KeyDataShift(Message.KeyData) != 0 || !CanFocus() || !Focused() || !FParent)
        return TSkCustomGlyphButton::CMDialogKey(Message);
    std::vector<TControl*> radios;
    for (int i = 0; i < FParent->ControlCount(); ++i)
        if (auto* radio = dynamic_cast<TSkRadioButton*>(FParent->Controls(i)); radio && radio->CanFocus())
            radios.push_back(radio);
    radios = InReadingOrder(std::move(radios));
    const int count = int(radios.size());
    const int at = int(std::find(radios.begin(), radios.end(), this) - radios.begin());
    const int step = key == VK_RIGHT || key == VK_DOWN ? 1 : -1;
    Message.Result = 1;
    if (count > 1) static_cast<TSkRadioButton*>(radios[(at + step + count) % count])->SetFocus();
}

// TSkCustomCheckBox -----------------------------------------------------------------------------------------
TSkCustomCheckBox::TSkCustomCheckBox(TComponent* AOwner) : TSkCustomGlyphButton(AOwner, 9) {}

void TSkCustomCheckBox::SetState(TCheckBoxState Value) {
    if (!StoreChanged(FState, Value)) return;
    RepaintButton();
    if (!FClicksDisabled) Click();
}

void TSkCustomCheckBox::ButtonClick() {
    if (ReadOnly()) return;
    switch (FState) {
    case cbUnchecked:
        SetState(AllowGrayed() ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TSkCustomCheckBox::WndProc(TMessage& Message) {
    if (Message.Msg == BM_GETCHECK) {
        Message.Result = FState;
        return;
    }
    TSkCustomGlyphButton::WndProc(Message);
}

void TSkCustomCheckBox::WMKeyDown(TWMKey& Message) {
    TSkCustomGlyphButton::WMKeyDown(Message);
    if (ReadOnly()) return;
    if (Message.CharCode == VK_SPACE) {
        FSpaceDown = true;
        FPressed = true;
        RepaintButton();
    } else if (Message.CharCode == VK_ESCAPE) {
        FSpaceDown = false;
        FPressed = false;
        RepaintButton();
    }
}

void TSkCustomCheckBox::WMKeyUp(TWMKey& Message) {
    TSkCustomGlyphButton::WMKeyUp(Message);
    if (ReadOnly() || Message.CharCode != VK_SPACE) return;
    SpaceReleased(FSpaceDown);
}

void TSkCustomCheckBox::WMKillFocus(TWMFocus& Message) {
    TSkCustomGlyphButton::WMKillFocus(Message);
    if (ComponentState() & csDestroying) return;
    FPressed = false;
    RepaintButton();
}

void TSkCustomCheckBox::CMDialogChar(TWMKey& Message) {
    if (!IsAccel(Message.CharCode, Caption()) || !CanFocus())
        return TSkCustomGlyphButton::CMDialogChar(Message);
    SetFocus();
    if (HasWindowFocus() && !ReadOnly()) {
        QPointer<QObject> alive(this);
        ButtonClick();
        if (alive) RepaintButton();
    }
    Message.Result = 1;
}
