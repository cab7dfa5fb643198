#include "SkSpnEdt.h"

#include "ExtCtrls.h"
#include "GraphicsImage.h"
#include "Streaming.h"
#include "Themes.h"

#include <algorithm>
#include <climits>

namespace {
struct TSpinnerClass {
    TSpinnerClass() {
        RegisterSkCommonTypes();
        RegisterClass<TSkSpinner>();
    }
};
const TSpinnerClass SpinnerClass;

bool ThemedDrawing(bool ThemeAware) {
    return ThemeAware && IsThemeActive() && IsAppThemed();
}

// Theme states of the spin buttons.
enum { SpinNormal = 1, SpinHot = 2, SpinPressed = 3, SpinDisabled = 4 };
}  // namespace

TSkSpinner::TSkSpinner(TComponent* AOwner) : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    SetOffscreenPaint(true);
    SetMouseTracking(true);
    FColor = clWindow;
    SetParentColor(false);
    SetTabStop(true);
    SetBounds(Left(), Top(), 85, 21);
    FImageChangeLink.OnChange = [this](TObject*) { FitImages(); };
}

TSkSpinner::~TSkSpinner() {
    SetFrameController(nullptr);
}

// Value -------------------------------------------------------------------------------------------
int TSkSpinner::CheckValue(int V) const {
    if (FMin == FMax && !FCheckRange) return V;
    return std::clamp(V, FMin, FMax);
}

void TSkSpinner::SetValue(int V) {
    V = CheckValue(V);
    if (V == FValue || !CanChange(V)) return;
    FValue = V;
    Invalidate();
    Change();
}

bool TSkSpinner::CanChange(int NewValue) {
    bool allow = true;
    FireEvent(OnChanging, this, NewValue, allow);
    return allow;
}

void TSkSpinner::Change() {
    FireEvent(OnChange, this);
}

void TSkSpinner::SetMax(int V) {
    if (V == FMax) return;
    FMax = V;
    if (FMin > V) FMin = V;
    SetValue(FValue);
    Invalidate();
}

void TSkSpinner::SetMin(int V) {
    if (V == FMin) return;
    FMin = V;
    if (FMax < V) FMax = V;
    SetValue(FValue);
    Invalidate();
}

void TSkSpinner::SetCheckRange(bool V) {
    FCheckRange = V;
    SetValue(FValue);
}

void TSkSpinner::StepBy(long long Amount, const TSkSpinnerIncDecEvent& Event, int Reported) {
    const int before = FValue;
    SetValue(int(std::clamp<long long>(FValue + Amount, INT_MIN, INT_MAX)));
    if (FValue != before) FireEvent(Event, this, Reported);
}

void TSkSpinner::Increment(int Amount) {
    StepBy(Amount, OnIncrement, Amount);
}

void TSkSpinner::Decrement(int Amount) {
    StepBy(-static_cast<long long>(Amount), OnDecrement, Amount);
}

QString TSkSpinner::ValueText() const {
    if (!FShowHexValue) return QString::number(FValue);
    // As "%x" prints it: the 32-bit pattern, so -1 shows as ffffffff.
    return FHexValuePrefix + QString::number(static_cast<unsigned>(FValue), 16);
}

// Appearance --------------------------------------------------------------------------------------
void TSkSpinner::SetShowHexValue(bool V) {
    if (StoreChanged(FShowHexValue, V)) Invalidate();
}

void TSkSpinner::SetHexValuePrefix(const QString& V) {
    if (StoreChanged(FHexValuePrefix, V)) Invalidate();
}

void TSkSpinner::SetFrameColor(TColor V) {
    if (StoreChanged(FFrameColor, V)) Invalidate();
}

void TSkSpinner::SetButtonColor(TColor V) {
    if (StoreChanged(FButtonColor, V)) Invalidate();
}

void TSkSpinner::SetButtonWidth(int V) {
    if (StoreChanged(FButtonWidth, V)) Invalidate();
}

void TSkSpinner::SetShowFocusRect(bool V) {
    if (StoreChanged(FShowFocusRect, V)) Invalidate();
}

void TSkSpinner::SetThemeAware(bool V) {
    if (StoreChanged(FThemeAware, V)) Invalidate();
}

// Images ------------------------------------------------------------------------------------------
void TSkSpinner::SetImages(TCustomImageList* V) {
    if (!FollowImageList(this, FImages, V, FImageChangeLink)) return;
    FitImages();
    Invalidate();
}

void TSkSpinner::FitImages() {
    if (!FImages) return;
    if (FImages->Width() + 4 > FButtonWidth) FButtonWidth = FImages->Width() + 4;
    if (FImages->Height() + 4 > Height()) SetHeight(FImages->Height() + 4);
    Invalidate();
}

int TSkSpinner::ImageIndex(int Which) const {
    return Which == sbMinus ? FImageIndexMinus : FImageIndexPlus;
}

void TSkSpinner::SetImageIndex(int Which, int V) {
    int& field = Which == sbMinus ? FImageIndexMinus : FImageIndexPlus;
    if (StoreChanged(field, V)) Invalidate();
}

// Frame controller and streaming ------------------------------------------------------------------
void TSkSpinner::SetFrameController(TSkFrameController* V) {
    SetFrameControllerOf(this, FFrameController, V);
}

void TSkSpinner::UpdateFrameControllerProperties(TSkFrameController* Controller) {
    if (!Controller) return;
    if (FNotifications & FrameControllerBit(fcpFrameColor)) FFrameColor = Controller->FrameColor();
    if (FNotifications & FrameControllerBit(fcpFlatButtonColor)) FButtonColor = Controller->FlatButtonColor();
    if (FNotifications & FrameControllerBit(fcpColor)) SetColor(Controller->Color());
    if (FNotifications & FrameControllerBit(fcpParentColor)) SetParentColor(Controller->ParentColor());
    Invalidate();
}

void TSkSpinner::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFrameController) FFrameController = nullptr;
    if (AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
}

void TSkSpinner::DefineProperties(TFiler* Filer) {
    TCustomControl::DefineProperties(Filer);
    Filer->DefineProperty(QStringLiteral("NumGlyphsMinus"), TSkOldPropReader::ReadOldIntegerProp, nullptr,
                          false);
    Filer->DefineProperty(QStringLiteral("NumGlyphsPlus"), TSkOldPropReader::ReadOldIntegerProp, nullptr,
                          false);
    Filer->DefineProperty(QStringLiteral("Flat"), TSkOldPropReader::ReadOldBooleanProp, nullptr, false);
}

// Mouse -------------------------------------------------------------------------------------------
TSkSpinner::TButton TSkSpinner::ButtonAt(int X, int Y) const {
    const TPoint p{X, Y};
    if (PtInRect(Rect(0, 0, FButtonWidth, Height()), p)) return sbMinus;
    if (PtInRect(Rect(Width() - FButtonWidth, 0, Width(), Height()), p)) return sbPlus;
    return sbNone;
}

void TSkSpinner::StepButton(TButton Which) {
    if (Which == sbPlus)
        Increment(FIncrement);
    else if (Which == sbMinus)
        Decrement(FIncrement);
}

void TSkSpinner::WMLButtonDown(TWMMouse& Message) {
    const bool designing = ComponentState() & csDesigning;
    if (!designing && CanFocus()) SetFocus();
    // In the designer Shift+Ctrl leaves the click to the designer.
    if (designing && (Message.Keys & MK_SHIFT) && (Message.Keys & MK_CONTROL)) return DefaultHandler(Message);
    FMousePos = {Message.XPos, Message.YPos};
    const TButton which = ButtonAt(Message.XPos, Message.YPos);
    if (which == sbNone) return;
    (which == sbMinus ? FMinusPressed : FPlusPressed) = true;
    RestartTimer(FRepeatTimer, this, FInitialDelay, [this] { RepeatTimerTick(); });
    Invalidate();
}

// The second press of a double click presses the button again, so quick clicks each count.
void TSkSpinner::WMLButtonDblClk(TWMMouse& Message) {
    WMLButtonDown(Message);
}

void TSkSpinner::RepeatTimerTick() {
    FRepeatTimer->SetInterval(FRepeatDelay);
    StepButton(ButtonAt(FMousePos.X, FMousePos.Y));
}

void TSkSpinner::WMLButtonUp(TWMMouse& Message) {
    FMousePos = {Message.XPos, Message.YPos};
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    FMinusPressed = FPlusPressed = false;
    QPointer<QObject> alive(this);
    StepButton(ButtonAt(Message.XPos, Message.YPos));
    if (alive) Invalidate();
}

void TSkSpinner::SetHotButton(TButton Which) {
    if (StoreChanged(FHotButton, Which)) Invalidate();
}

void TSkSpinner::WMMouseMove(TWMMouse& Message) {
    FMousePos = {Message.XPos, Message.YPos};
    SetHotButton(ButtonAt(Message.XPos, Message.YPos));
    DefaultHandler(Message);
}

void TSkSpinner::CMMouseEnter(TMessage& Message) {
    SetHotButton(ButtonAt(FMousePos.X, FMousePos.Y));
    DefaultHandler(Message);
}

void TSkSpinner::CMMouseLeave(TMessage& Message) {
    FMousePos = {-1, -1};
    SetHotButton(sbNone);
    DefaultHandler(Message);
}

bool TSkSpinner::DoMouseWheelDown(TShiftState Shift, const TPoint&) {
    Decrement((Shift & ssCtrl) ? FPageSize : FIncrement);
    return true;
}

bool TSkSpinner::DoMouseWheelUp(TShiftState Shift, const TPoint&) {
    Increment((Shift & ssCtrl) ? FPageSize : FIncrement);
    return true;
}

// Keys and focus ----------------------------------------------------------------------------------
void TSkSpinner::WMKeyDown(TWMKey& Message) {
    unsigned short key = static_cast<unsigned short>(Message.CharCode);
    const bool stepKey = key == VK_UP || key == VK_RIGHT || key == VK_ADD || key == VK_DOWN ||
                         key == VK_LEFT || key == VK_SUBTRACT || key == VK_PRIOR || key == VK_NEXT;
    const bool enterAsTab = key == VK_RETURN && FTabOnEnter;
    if (!stepKey && !enterAsTab) return DefaultHandler(Message);
    // The program's key handler comes first and may take the key away.
    QPointer<QObject> alive(this);
    FireEvent(OnKeyDown, this, key, KeyDataShift(Message.KeyData));
    if (!alive || key == 0) return;
    switch (key) {
    case VK_UP:
    case VK_RIGHT:
    case VK_ADD:
        Increment(FIncrement);
        break;
    case VK_DOWN:
    case VK_LEFT:
    case VK_SUBTRACT:
        Decrement(FIncrement);
        break;
    case VK_PRIOR:
        Increment(FPageSize);
        break;
    case VK_NEXT:
        Decrement(FPageSize);
        break;
    case VK_RETURN:
        if (FTabOnEnter) PostKeyDown(this, VK_TAB);
        break;
    default:
        break;
    }
}

void TSkSpinner::WMSetFocus(TWMFocus& Message) {
    Invalidate();
    DefaultHandler(Message);
}

void TSkSpinner::WMKillFocus(TWMFocus& Message) {
    Invalidate();
    DefaultHandler(Message);
}

void TSkSpinner::CMEnabledChanged(TMessage& Message) {
    TCustomControl::CMEnabledChanged(Message);
    Invalidate();
}

// Painting ----------------------------------------------------------------------------------------
void TSkSpinner::Paint() {
    DrawFrame();
    DrawValue();
    DrawButton(sbMinus, FMinusPressed, ButtonRect(sbMinus));
    DrawButton(sbPlus, FPlusPressed, ButtonRect(sbPlus));
    if (Focused() && FShowFocusRect) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->DrawFocusRect(Rect(FButtonWidth + 1, 2, Width() - FButtonWidth - 1, Height() - 2));
    }
}

TRect TSkSpinner::ButtonRect(TButton Which) const {
    const int w = Width(), h = Height();
    if (RunningAtLeast(wvWinVista))
        return Which == sbMinus ? Rect(-1, -1, FButtonWidth, h) : Rect(w - FButtonWidth, -1, w + 1, h);
    return Which == sbMinus ? Rect(1, 1, FButtonWidth - 1, h - 1)
                            : Rect(w - FButtonWidth + 1, 1, w - 1, h - 1);
}

void TSkSpinner::DrawFrame() {
    TCanvas* canvas = Canvas();
    const int w = Width(), h = Height();
    TColor separator = Enabled() ? FFrameColor : clBtnShadow;
    HTHEME theme = ThemedDrawing(FThemeAware) ? OpenThemeData(QStringLiteral("EDIT")) : nullptr;
    if (theme) {
        // The themed edit border, and its colour for the separators.
        GetThemeColor(theme, 0, Enabled() ? 1 : 3, TMT_BORDERCOLOR, separator);
        CloseThemeData(theme);
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(separator);
    canvas->Rectangle(Rect(0, 0, w, h));
    canvas->MoveTo(FButtonWidth - 1, 1);
    canvas->LineTo(FButtonWidth - 1, h - 1);
    canvas->MoveTo(w - FButtonWidth, 1);
    canvas->LineTo(w - FButtonWidth, h - 1);
}

void TSkSpinner::DrawValue() {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    if (!Enabled()) canvas->Font()->SetColor(clBtnShadow);
    const QString text = ValueText();
    const TRect area = Rect(FButtonWidth, 1, Width() - FButtonWidth, Height() - 1);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(Width() / 2 - canvas->TextWidth(text) / 2,
                    area.Top + (area.Height() - canvas->TextHeight(text)) / 2, text);
    canvas->Brush()->SetStyle(bsSolid);
}

void TSkSpinner::DrawButton(TButton Which, bool Pressed, const TRect& R) {
    TCanvas* canvas = Canvas();
    const bool hot = FHotButton == Which && !Pressed;
    if (HTHEME theme = ThemedDrawing(FThemeAware) ? OpenThemeData(QStringLiteral("SPIN")) : nullptr) {
        const int state = !Enabled() ? SpinDisabled : Pressed ? SpinPressed : hot ? SpinHot : SpinNormal;
        DrawThemeBackground(theme, canvas->Handle(), Which == sbMinus ? SPNP_DOWNHORZ : SPNP_UPHORZ, state,
                            R);
        CloseThemeData(theme);
        if (!RunningAtLeast(wvWinVista)) {
            canvas->Pen()->SetColor(clWindow);
            // On the button's inner edge, so the frame's separator stays.
            const int x = Which == sbMinus ? R.Right - 1 : R.Left;
            canvas->MoveTo(x, R.Top);
            canvas->LineTo(x, R.Bottom);
        }
        return;
    }
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetColor(clWindow);
    TColor face = FButtonColor;
    if (Pressed)
        face = DarkerColor(FButtonColor, 20);
    else if (!Enabled())
        face = clBtnFace;
    else if (hot) {
        face = LighterColor(FButtonColor, 10);
        canvas->Pen()->SetColor(DarkerColor(FButtonColor, 20));
    }
    canvas->Brush()->SetColor(face);
    canvas->Rectangle(R);
    const int index = ImageIndex(Which);
    if (FImages && index >= 0 && index < FImages->Count()) {
        const TRect at = CenterRect(R, FImages->Width(), FImages->Height());
        FImages->Draw(canvas, at.Left, at.Top, index, Enabled());
    } else {
        DrawArrow(canvas, R, 0, Enabled(), Which == sbMinus ? 2 : 3);
    }
}
