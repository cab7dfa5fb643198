#include "SkStatus.h"

#include "Actions.h"
#include "DeviceContext.h"
#include "GraphicsImage.h"
#include "Streaming.h"

namespace {
struct TStatusTypes {
    TStatusTypes() {
        RegisterSkCommonTypes();
        RegisterClass<TSkStatusPane>();
    }
};
const TStatusTypes StatusTypes;
}  // namespace

TSkCustomStatusPane::TSkCustomStatusPane(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 100, 20);
    SetParentColor(true);
    FFillColor = Color();
    FNormalColor = Font()->Color();
    FPaintColor = FNormalColor;
    RequireBlinkingControlsList()->AddControl(this);
    RegisterHintActionTarget(this);
}

TSkCustomStatusPane::~TSkCustomStatusPane() {
    UnregisterHintActionTarget(this);
    SetFrameController(nullptr);
    if (BlinkingControlsList) BlinkingControlsList->RemoveControl(this);
    ReleaseBlinkingControlsList();
}

// Properties --------------------------------------------------------------------------------------
void TSkCustomStatusPane::SetAlignment(TAlignment Value) {
    if (StoreChanged(FAlignment, Value)) Invalidate();
}

void TSkCustomStatusPane::SetAutoSize(bool Value) {
    if (!StoreChanged(FAutoSize, Value)) return;
    AdjustSize();
}

void TSkCustomStatusPane::SetDefaultWidth(int Value) {
    if (StoreChanged(FDefaultWidth, Value)) Invalidate();
}

void TSkCustomStatusPane::SetBlinkColor(TColor Value) {
    if (StoreChanged(FBlinkColor, Value)) Invalidate();
}

void TSkCustomStatusPane::SetBlinking(bool Value) {
    if (!StoreChanged(FBlinking, Value)) return;
    if (!Value) {
        FPaintColor = FNormalColor;
        FBlinkPhase = true;
        Invalidate();
    }
}

std::uint16_t TSkCustomStatusPane::BlinkIntervalOff() const {
    return RequireBlinkingControlsList()->OffInterval();
}

void TSkCustomStatusPane::SetBlinkIntervalOff(std::uint16_t Value) {
    RequireBlinkingControlsList()->SetOffInterval(Value);
}

std::uint16_t TSkCustomStatusPane::BlinkIntervalOn() const {
    return RequireBlinkingControlsList()->OnInterval();
}

void TSkCustomStatusPane::SetBlinkIntervalOn(std::uint16_t Value) {
    RequireBlinkingControlsList()->SetOnInterval(Value);
}

void TSkCustomStatusPane::SetBorderWidth(int Value) {
    if (StoreChanged(FBorderWidth, Value)) Invalidate();
}

void TSkCustomStatusPane::SetCaptionOffset(int Value) {
    if (!StoreChanged(FCaptionOffset, Value)) return;
    Invalidate();
    AdjustSize();
}

void TSkCustomStatusPane::SetFillColor(TColor Value) {
    FParentFillColor = false;
    if (StoreChanged(FFillColor, Value)) Invalidate();
}

void TSkCustomStatusPane::SetParentFillColor(bool Value) {
    if (!StoreChanged(FParentFillColor, Value)) return;
    if (Value) Perform(CM_PARENTCOLORCHANGED);
}

void TSkCustomStatusPane::SetFlatColor(TColor Value) {
    if (StoreChanged(FFlatColor, Value)) Invalidate();
}

void TSkCustomStatusPane::SetFlatColorAdjustment(int Value) {
    if (StoreChanged(FFlatColorAdjustment, Value)) Invalidate();
}

void TSkCustomStatusPane::SetFrameStyle(TFrameStyleEx Value) {
    if (StoreChanged(FFrameStyle, Value)) Invalidate();
}

void TSkCustomStatusPane::SetFrameController(TSkFrameController* Value) {
    SetFrameControllerOf(this, FFrameController, Value);
}

void TSkCustomStatusPane::SetTransparent(bool Value) {
    if (StoreChanged(FTransparent, Value)) Invalidate();
}

// The frame controller and hints ---------------------------------------------------------------------
void TSkCustomStatusPane::CustomFramingChanged() {
    if (!FFrameController || !FFrameController->FrameVisible()) return;
    const TSkFrameControllerNotifications bits = FFrameControllerNotifications;
    if (bits & FrameControllerBit(fcpFrameStyle)) SetFrameStyle(FFrameController->FrameStyle());
    if (bits & FrameControllerBit(fcpFrameColor)) {
        SetFlatColor(FFrameController->FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (bits & FrameControllerBit(fcpColor)) SetFillColor(FFrameController->Color());
    if (bits & FrameControllerBit(fcpParentColor)) SetParentColor(FFrameController->ParentColor());
    Invalidate();
}

bool TSkCustomStatusPane::ExecuteAction(TBasicAction* Action) {
    if (auto* hint = dynamic_cast<THintAction*>(Action); hint && FAutoHint) {
        SetCaption(hint->Hint());
        return true;
    }
    return TGraphicControl::ExecuteAction(Action);
}

void TSkCustomStatusPane::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
}

// Loading, messages ------------------------------------------------------------------------------------
void TSkCustomStatusPane::Loaded() {
    TGraphicControl::Loaded();
    if (!ParentColor()) SetTransparent(false);
    FNormalColor = Font()->Color();
    FPaintColor = FNormalColor;
    AdjustSize();
}

void TSkCustomStatusPane::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case SK_BLINKQUERY:
        Message.Result = FBlinking ? 1 : 0;
        return;
    case SK_BLINKSTATE:
        if (FBlinking) BlinkStateChanged(Message.WParam != 0);
        return;
    default:
        TGraphicControl::WndProc(Message);
    }
}

void TSkCustomStatusPane::BlinkStateChanged(bool On) {
    FBlinkPhase = !On;
    FPaintColor = On ? FBlinkColor : FNormalColor;
    Invalidate();
}

void TSkCustomStatusPane::CMFontChanged(TMessage& Message) {
    TGraphicControl::CMFontChanged(Message);
    if (ComponentState() & csLoading) return;
    FNormalColor = Font()->Color();
    if (!FBlinking) FPaintColor = FNormalColor;
    AdjustSize();
}

void TSkCustomStatusPane::CMColorChanged(TMessage& Message) {
    TGraphicControl::CMColorChanged(Message);
    if (FParentFillColor) FFillColor = Color();
    Invalidate();
}

void TSkCustomStatusPane::CMParentColorChanged(TMessage& Message) {
    TGraphicControl::CMParentColorChanged(Message);
    if (FParentFillColor) FFillColor = Color();
    Invalidate();
}

void TSkCustomStatusPane::CMTextChanged(TMessage& Message) {
    TGraphicControl::CMTextChanged(Message);
    Invalidate();
    AdjustSize();
}

void TSkCustomStatusPane::CMMouseEnter(TMessage&) {
    if (!(ComponentState() & csDesigning)) FireEvent(OnMouseEnter, this);
}

void TSkCustomStatusPane::CMMouseLeave(TMessage&) {
    FireEvent(OnMouseLeave, this);
}

void TSkCustomStatusPane::AdjustSize() {
    if (!FAutoSize || (ComponentState() & csLoading && ComponentState() & csDesigning)) return;
    int width = FDefaultWidth;
    if (!Caption().isEmpty()) {
        TBitmap measure(1, 1);
        measure.Canvas()->Font()->Assign(*Font());
        TRect r = Rect(0, 0, 0, 0);
        measure.Canvas()->DrawText(Caption(), r, DT_CALCRECT);
        width = 2 * FBorderWidth + r.Width() + FCaptionOffset + 6;
    }
    SetBounds(Left(), Top(), width, Height());
}

// Painting ------------------------------------------------------------------------------------------
void TSkCustomStatusPane::Paint() {
    PaintFrame();
    PaintCaption();
}

void TSkCustomStatusPane::PaintFrame() {
    TCanvas* canvas = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(r);
    }
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    if (FFrameStyle == fsFlat) {
        // Four lines that leave the corner pixels out.
        canvas->Pen()->SetColor(AdjustColor(FFlatColor, FFlatColorAdjustment));
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetStyle(psSolid);
        canvas->MoveTo(r.Left, r.Top + 1);
        canvas->LineTo(r.Left, r.Bottom - 1);
        canvas->MoveTo(r.Left + 1, r.Top);
        canvas->LineTo(r.Right - 1, r.Top);
        canvas->MoveTo(r.Right - 1, r.Top + 1);
        canvas->LineTo(r.Right - 1, r.Bottom - 1);
        canvas->MoveTo(r.Left + 1, r.Bottom - 1);
        canvas->LineTo(r.Right - 1, r.Bottom - 1);
    } else {
        DrawBevelAllSides(canvas, r, FFrameStyle);
    }
}

void TSkCustomStatusPane::PaintCaption() {
    TRect r = ClientRect();
    int inset = FBorderWidth;
    switch (FFrameStyle) {
    case fsFlat:
    case fsStatus:
    case fsPopup:
        inset += 1;
        break;
    case fsNone:
    case fsFlatRounded:
        break;
    default:  // fsGroove .. fsButtonUp, fsFlatBold
        inset += 2;
    }
    InflateRect(r, -inset, -inset);

    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    canvas->Font()->SetColor(Enabled() ? FPaintColor : clGrayText);
    canvas->Brush()->SetColor(FFillColor);
    canvas->Brush()->SetStyle(FTransparent ? bsClear : bsSolid);
    const int textHeight = canvas->TextHeight(QStringLiteral("Pp"));
    TDeviceContext* dc = canvas->Handle();
    if (!dc) return;
    int x = 0;
    switch (FAlignment) {
    case taLeftJustify:
        dc->TextAlign = TA_LEFT;
        x = r.Left + FCaptionOffset + 1;
        break;
    case taRightJustify:
        dc->TextAlign = TA_RIGHT;
        x = r.Right - FCaptionOffset - 1;
        break;
    case taCenter:
        dc->TextAlign = TA_CENTER;
        x = r.Left + (r.Right - r.Left) / 2;
        break;
    }
    const int y = r.Top + (r.Height() - textHeight) / 2;
    dc->TextColor = canvas->Font()->Color();
    dc->BkColor = FFillColor;
    dc->BkMode = FTransparent ? TRANSPARENT : OPAQUE;
    dc->ExtTextOut(x, y, ETO_CLIPPED | (FTransparent ? 0u : ETO_OPAQUE), &r, Caption());
    dc->TextAlign = TA_LEFT;
}
