#include "SkBHints.h"

#include "SkCommonFraming.h"
#include "SkGrafx.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <cstdlib>

namespace {
struct TBalloonHintTypes {
    TBalloonHintTypes() {
        RegisterEnumType<TSkHintCorner>(
            {"hcLowerRight", "hcLowerLeft", "hcUpperLeft", "hcUpperRight", "hcNone"});
        RegisterClass<TSkBalloonHints>();
    }
};
const TBalloonHintTypes BalloonHintTypes;

constexpr int TailBand = 20;  // the height the tail adds to the balloon
constexpr int MinWidth = 55;
constexpr int TailOffset = 10;  // from the body's side to the tail's straight edge
constexpr int TailBase = 30;    // from the body's side to the tail's far base corner

bool IsLower(TSkHintCorner c) {
    return c == hcLowerRight || c == hcLowerLeft;
}
bool IsUpper(TSkHintCorner c) {
    return c == hcUpperLeft || c == hcUpperRight;
}
// The tail leaves the body near its right side (else near its left side).
bool TailAtRight(TSkHintCorner c) {
    return c == hcLowerLeft || c == hcUpperLeft;
}

// The work area of the monitor holding the point, or of the whole desktop.
TRect WorkAreaAt(const TPoint& p) {
    if (const auto monitor = MonitorAtPoint(p)) return GetMonitorWorkArea(*monitor);
    TRect all{};
    for (int i = 0; i < ScreenMonitorCount(); ++i) {
        const TRect r = GetMonitorWorkArea(ScreenMonitor(i));
        all = i == 0 ? r
                     : Rect(std::min(all.Left, r.Left), std::min(all.Top, r.Top),
                            std::max(all.Right, r.Right), std::max(all.Bottom, r.Bottom));
    }
    return all;
}
}  // namespace

// Pictures -------------------------------------------------------------------------------------------

TSkBalloonBitmaps::TSkBalloonBitmaps() {
    for (auto& picture : FPictures)
        picture = std::make_unique<TBitmap>();
}

void TSkBalloonBitmaps::SetPicture(TSkHintCorner Corner, const TBitmap* Value) {
    TBitmap* picture = FPictures[Corner].get();
    if (Value == picture) return;
    const bool same = Value ? Value->ToImage() == picture->ToImage() : picture->Empty();
    if (same) return;
    if (Value)
        picture->Assign(Value);
    else
        picture->SetSize(0, 0);
    FireEvent(OnChange, this);
}

void TSkBalloonBitmaps::SetTransparentColor(TColor Value) {
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    FireEvent(OnChange, this);
}

TBitmap* TSkBalloonBitmaps::Picture(TSkHintCorner Corner) const {
    return Corner == hcNone ? nullptr : FPictures[Corner].get();
}

bool TSkBalloonBitmaps::AnyPicture() const {
    for (const auto& picture : FPictures)
        if (!picture->Empty()) return true;
    return false;
}

// The hint window -------------------------------------------------------------------------------------

TSkCustomHintWindow::TSkCustomHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
    FOwnedByApplication = AOwner && AOwner == Application;
    if (FOwnedByApplication) {
        QPointer<TSkCustomHintWindow> self(this);
        Application->OnShowHint = [self](QString& HintStr, bool& CanShow, THintInfo& HintInfo) {
            if (self) self->AppShowHint(HintStr, CanShow, HintInfo);
        };
    }
    Font()->SetSize(8);
    Canvas()->Brush()->SetStyle(bsClear);
    if (!FOwnedByApplication || (ComponentState() & csDesigning)) return;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TForm*>(Application->Components(i));
        if (!form) continue;
        for (int j = 0; j < form->ComponentCount(); ++j)
            if (auto* hints = dynamic_cast<TSkBalloonHints*>(form->Components(j))) {
                hints->SetHintWindow(this);
                TakeSettings(hints);
            }
    }
}

TSkCustomHintWindow::~TSkCustomHintWindow() {
    if (FComponent) FComponent->SetHintWindow(nullptr);
}

void TSkCustomHintWindow::TakeSettings(TSkBalloonHints* Component) {
    FComponent = Component;
    FCaptionWidth = Component->CaptionWidth();
    SetColor(Component->Color());
    FCorner = Component->Corner();
    SetShowBalloon(Component->ShowBalloon());
    FAlignment = Component->Alignment();
    OnSetHintWinSize = Component->OnSetHintWinSize();
    OnSetHintRect = Component->OnSetHintRect();
    Font()->Assign(*Component->Font());
    // A window made after the settings were changed still takes all of them.
    FFrameColor = Component->FrameColor();
    FCenterThreshold = Component->CenterThreshold();
    Invalidate();
}

void TSkCustomHintWindow::SetCaptionWidth(int Value) {
    FCaptionWidth = Value;
    Invalidate();
}

void TSkCustomHintWindow::SetFrameColor(TColor Value) {
    FFrameColor = Value;
    Invalidate();
}

void TSkCustomHintWindow::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Invalidate();
}

void TSkCustomHintWindow::SetCorner(TSkHintCorner Value) {
    FCorner = Value;
    Invalidate();
}

void TSkCustomHintWindow::SetShowBalloon(bool Value) {
    FShowBalloon = Value;
    RecalcNonClientArea();
    Invalidate();
}

void TSkCustomHintWindow::AppShowHint(QString& HintStr, bool& CanShow, THintInfo& HintInfo) {
    HintInfo.HintColor = FComponent ? FComponent->Color() : Color();
    CanShow = true;
    HintInfo.HintMaxWidth = FCaptionWidth;
    if (FComponent && FComponent->OnShowHint) {
        QPointer<TSkCustomHintWindow> self(this);
        FireEvent(FComponent->OnShowHint, HintStr, CanShow, HintInfo);
        if (!self) return;
    }
    FHintInfo = HintInfo;
    FHintControl = HintInfo.HintControl;
    SetColor(HintInfo.HintColor);
}

// Geometry ----------------------------------------------------------------------------------------------

TRect TSkCustomHintWindow::BodyRect(const TRect& Client, TSkHintCorner Corner, bool ShowBalloon) {
    TRect body = Client;
    if (!ShowBalloon) return body;
    if (IsLower(Corner)) body.Top += TailBand;
    if (IsUpper(Corner)) body.Bottom -= TailBand;
    return body;
}

std::vector<TPoint> TSkCustomHintWindow::TailPoints(const TRect& C, const TRect& Bd, TSkHintCorner Corner) {
    switch (Corner) {
    case hcLowerRight:
        return {{Bd.Left + TailOffset, Bd.Top + 1},
                {Bd.Left + TailOffset, C.Top + 1},
                {Bd.Left + TailBase, Bd.Top + 1}};
    case hcLowerLeft:
        return {{Bd.Right - TailOffset, Bd.Top + 1},
                {Bd.Right - TailOffset, C.Top + 1},
                {Bd.Right - TailBase, Bd.Top + 1}};
    case hcUpperLeft:
        return {{Bd.Right - TailOffset, Bd.Bottom - 2},
                {Bd.Right - TailOffset, C.Bottom - 2},
                {Bd.Right - TailBase, Bd.Bottom - 2}};
    case hcUpperRight:
        return {{Bd.Left + TailOffset, Bd.Bottom - 2},
                {Bd.Left + TailOffset, C.Bottom - 2},
                {Bd.Left + TailBase, Bd.Bottom - 2}};
    default:
        return {};
    }
}

HRGN TSkCustomHintWindow::CreateBalloonRegion(const TRect& Client, TSkHintCorner Corner) {
    const TRect b = BodyRect(Client, Corner, true);
    HRGN region = CreateRectRgn(b.Left, b.Top + 4, b.Right, b.Bottom - 4);
    for (const TRect& r : {Rect(b.Left + 4, b.Top, b.Right - 4, b.Bottom),
                           Rect(b.Left + 2, b.Top + 1, b.Right - 2, b.Bottom - 1),
                           Rect(b.Left + 1, b.Top + 2, b.Right - 1, b.Bottom - 2)}) {
        HRGN part = CreateRectRgnIndirect(r);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    if (Corner == hcNone) return region;
    // One pixel more toward the right or bottom, so the region covers the tail's drawn edge.
    std::vector<TPoint> tail = TailPoints(Client, b, Corner);
    tail[1].Y += IsLower(Corner) ? -1 : 1;
    if (TailAtRight(Corner)) {
        tail[0].X += 1;
        tail[1].X += 1;
    } else {
        tail[2].X += 1;
    }
    HRGN tailRegion = CreatePolygonRgn(tail, WINDING);
    CombineRgn(region, region, tailRegion, RGN_OR);
    DeleteObject(tailRegion);
    return region;
}

TRect TSkCustomHintWindow::ClientArea() const {
    const TRect nc = NonClientMargins();
    return Rect(0, 0, Width() - nc.Left - nc.Right, Height() - nc.Top - nc.Bottom);
}

void TSkCustomHintWindow::ActivateHint(TRect Rect, const QString& AHint) {
    FCornerInUse = FCorner;
    SetCaption(AHint);
    FireEvent(OnSetHintRect, this, MeasureCanvas(), Rect, AHint, FCornerInUse);
    const bool tail = FShowBalloon && FCornerInUse != hcNone;
    InflateRect(Rect, tail ? 4 : 2, tail ? 4 : 2);
    if (FShowBalloon) {
        if (IsLower(FCornerInUse)) Rect.Top -= TailBand;
        if (IsUpper(FCornerInUse)) Rect.Bottom += TailBand;
    }

    TPoint anchor;
    TControl* control = FHintControl;
    if (!control) {
        anchor = Mouse->CursorPos();
    } else if (FShowBalloon && control->Width() <= FCenterThreshold &&
               control->Height() <= FCenterThreshold) {
        anchor = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    } else {
        anchor = control->ClientToScreen(FHintInfo.CursorPos);
    }
    if (tail) OffsetRect(Rect, anchor.X - Rect.Left, anchor.Y - Rect.Top);

    int w = std::max(Rect.Width(), MinWidth), h = Rect.Height();
    FireEvent(OnSetHintWinSize, this, MeasureCanvas(), w, h, AHint, FCornerInUse);
    w = std::max(w, MinWidth);
    if (!FShowBalloon) FCornerInUse = hcLowerRight;

    int x = anchor.X - TailOffset, y = anchor.Y;
    switch (FCornerInUse) {
    case hcLowerLeft:
        x = anchor.X - w + TailOffset;
        break;
    case hcUpperLeft:
        x = anchor.X - w + TailOffset;
        y = anchor.Y - h;
        break;
    case hcUpperRight:
        y = anchor.Y - h;
        break;
    default:
        break;
    }
    // Kept on the monitor: the balloon turns to the other side of the anchor where it does not fit.
    const TRect area = WorkAreaAt(anchor);
    if (y < area.Top) {
        if (FCornerInUse == hcUpperRight) FCornerInUse = hcLowerRight;
        if (FCornerInUse == hcUpperLeft) FCornerInUse = hcLowerLeft;
        y = anchor.Y;
    }
    if (y + h > area.Bottom) {
        if (FCornerInUse == hcLowerRight) FCornerInUse = hcUpperRight;
        if (FCornerInUse == hcLowerLeft) FCornerInUse = hcUpperLeft;
        y = anchor.Y - h;
    }
    if (x + w > area.Right) {
        if (FCornerInUse == hcLowerRight) FCornerInUse = hcLowerLeft;
        if (FCornerInUse == hcUpperRight) FCornerInUse = hcUpperLeft;
        x = anchor.X - w - 1;
    }
    if (x < area.Left) {
        if (FCornerInUse == hcLowerLeft) FCornerInUse = hcLowerRight;
        if (FCornerInUse == hcUpperLeft) FCornerInUse = hcUpperRight;
        x = anchor.X + 1;
    }

    FWindowRect = Bounds(x, y, w, h);
    SetBounds(x, y, w, h);
    RecalcNonClientArea();
    // A plain box has no region: one left from an earlier balloon would cut it.
    SetWindowRgn(this, FShowBalloon ? CreateBalloonRegion(ClientArea(), FCornerInUse) : nullptr, false);
    SetVisible(true);
    Invalidate();
    FActive = true;
}

void TSkCustomHintWindow::SetVisible(bool visible) {
    if (!visible) FActive = false;
    THintWindow::SetVisible(visible);
}

void TSkCustomHintWindow::CMTextChanged(TMessage& Message) {
    THintWindow::CMTextChanged(Message);
    TRect r = Rect(0, 0, FCaptionWidth, 0);
    MeasureCanvas()->DrawText(Caption(), r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    FireEvent(OnSetHintRect, this, MeasureCanvas(), r, Caption(), FCornerInUse);
    int w = std::max(r.Width(), MinWidth), h = r.Height();
    FireEvent(OnSetHintWinSize, this, MeasureCanvas(), w, h, Caption(), FCornerInUse);
    SetBounds(Left(), Top(), std::max(w, MinWidth), h);
}

// Painting ----------------------------------------------------------------------------------------------

void TSkCustomHintWindow::WMNCCalcSize(TWMNCCalcSize& Message) {
    THintWindow::WMNCCalcSize(Message);
    if (FShowBalloon) InflateRect(*Message.CalcRect, 1, 1);
}

void TSkCustomHintWindow::WMNCPaint(TWMPaint& Message) {
    if (FShowBalloon || !Message.DC) return;
    TCanvas canvas;
    canvas.BeginPaint(Message.DC);
    DrawSides(&canvas, Rect(0, 0, Width(), Height()), FFrameColor, FFrameColor, AllSides);
    canvas.EndPaint();
}

void TSkCustomHintWindow::DrawBalloon(TCanvas* c, const TRect& b) {
    DrawBox(c, b, FFrameColor);
    const int L = b.Left, T = b.Top, R = b.Right, B = b.Bottom;
    const TPoint rounding[] = {{L + 1, T + 3}, {L + 1, T + 2}, {L + 2, T + 1}, {L + 3, T + 1},
                               {R - 4, T + 1}, {R - 3, T + 1}, {R - 2, T + 2}, {R - 2, T + 3},
                               {R - 2, B - 4}, {R - 2, B - 3}, {R - 3, B - 2}, {R - 4, B - 2},
                               {L + 3, B - 2}, {L + 2, B - 2}, {L + 1, B - 3}, {L + 1, B - 4}};
    for (const TPoint& p : rounding)
        c->SetPixels(p.X, p.Y, FFrameColor);
    if (FCornerInUse == hcNone) return;
    c->Pen()->SetColor(FFrameColor);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->Polygon(TailPoints(ClientArea(), b, FCornerInUse));
    // The tail's base line lies inside the body: a band of the balloon colour joins the two outlines.
    const int top = IsLower(FCornerInUse) ? T + 1 : B - 3;
    const int left = TailAtRight(FCornerInUse) ? R - TailBase : L + TailOffset;
    c->FillRect(Rect(left, top, left + TailBase - TailOffset + 1, top + 2));
}

TRect TSkCustomHintWindow::TextRect(TRect r) const {
    const bool plain = !FShowBalloon || FCornerInUse == hcNone;
    const int sign = FAlignment == taLeftJustify ? 1 : FAlignment == taRightJustify ? -1 : 0;
    if (plain)
        OffsetRect(r, 2 * sign, 2);
    else if (FAlignment == taCenter)
        OffsetRect(r, r.Width() > FCaptionWidth ? 8 : 0, 4);
    else
        OffsetRect(r, 8 * sign, 4);
    if (r.Width() > FCaptionWidth) {
        if (FAlignment == taRightJustify)
            r.Left = r.Right - FCaptionWidth;
        else
            r.Right = r.Left + FCaptionWidth;
    }
    return r;
}

void TSkCustomHintWindow::Paint() {
    TCanvas* c = Canvas();
    TRect body = BodyRect(ClientArea(), FCornerInUse, FShowBalloon);
    FireEvent(OnSetHintRect, this, c, body, Caption(), FCornerInUse);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(FFrameColor);
    c->Brush()->SetColor(Color());
    TSkBalloonBitmaps* bitmaps = FComponent ? FComponent->Bitmaps() : nullptr;
    if (bitmaps && bitmaps->AnyPicture()) {
        TBitmap* picture = bitmaps->Picture(FCornerInUse);
        if (picture && !picture->Empty())
            DrawTransparentBitmapEx(c, picture, ClientArea(), bitmaps->TransparentColor(),
                                    Rect(0, 0, picture->Width(), picture->Height()));
    } else if (FShowBalloon) {
        DrawBalloon(c, body);
    }
    const unsigned align = FAlignment == taRightJustify ? DT_RIGHT
                           : FAlignment == taCenter     ? DT_CENTER
                                                        : DT_LEFT;
    TRect text = TextRect(body);
    c->Brush()->SetStyle(bsClear);
    c->DrawText(Caption(), text, align | DT_WORDBREAK | DT_NOPREFIX);
}

// Messages ----------------------------------------------------------------------------------------------

void TSkCustomHintWindow::WndProc(TMessage& Message) {
    const unsigned msg = Message.Msg;
    if (msg == WM_SETFOCUS) {
        // The window never keeps the focus: it goes straight back.
        if (auto* lost = reinterpret_cast<TWinControl*>(Message.WParam)) lost->SetFocus();
        return;
    }
    if (msg != WM_MOUSEMOVE && !(msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK)) {
        THintWindow::WndProc(Message);
        return;
    }
    const TRect nc = NonClientMargins();
    const TPoint global =
        ClientToScreen({LoWordSigned(Message.LParam) + nc.Left, HiWordSigned(Message.LParam) + nc.Top});
    TControl* control = FHintControl;
    if (msg == WM_MOUSEMOVE && FActive) {
        // Off the ±2 pixel square round the hint's mouse position, the hint ends. A freed hint control
        // leaves no position to keep to.
        bool away = true;
        if (control) {
            const TPoint cursor = control->ClientToScreen(FHintInfo.CursorPos);
            away = std::abs(global.X - cursor.X) > 2 || std::abs(global.Y - cursor.Y) > 2;
        }
        if (away) {
            FActive = false;
            Application->CancelHint();
        }
    }
    // The mouse works the control beneath, at the point beneath.
    control = FHintControl;
    if (control) SendMouseMessage(control, msg, unsigned(Message.WParam), control->ScreenToClient(global));
}

// The component -----------------------------------------------------------------------------------------

TSkBalloonHints::TSkBalloonHints(TComponent* AOwner) : TComponent(AOwner) {
    FFont.SetName(QStringLiteral("Tahoma"));
    FFont.SetSize(8);
    FFont.SetColor(clInfoText);
    FBitmaps.OnChange = [this](TObject*) { PassOn([](TSkCustomHintWindow* w) { w->Invalidate(); }); };
    FHintPause = Application->HintPause();
    FHintShortPause = Application->HintShortPause();
    if (ComponentState() & csDesigning) return;
    // Turning hints off and on again makes the application's hint window one of ours.
    const bool show = Application->ShowHint();
    Application->SetShowHint(false);
    FSavedHintWindowClass = HintWindowClass;
    HintWindowClass = &NewHintWindow<TSkCustomHintWindow>;
    FReplacedHintWindowClass = true;
    Application->SetShowHint(show);
}

TSkBalloonHints::~TSkBalloonHints() {
    if (FHintWindow) FHintWindow->ForgetComponent();
    if (!FReplacedHintWindowClass || (Application->ComponentState() & csDestroying)) return;
    const bool show = Application->ShowHint();
    Application->SetShowHint(false);
    HintWindowClass = FSavedHintWindowClass;
    Application->SetShowHint(show);
}

void TSkBalloonHints::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(QStringLiteral("BalloonStyle"), TSkOldPropReader::ReadOldIdentProp, nullptr, false);
    Filer->DefineProperty(QStringLiteral("Shadow"), TSkOldPropReader::ReadOldBooleanProp, nullptr, false);
}

void TSkBalloonHints::SetCaptionWidth(int Value) {
    FCaptionWidth = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->SetCaptionWidth(Value); });
}

void TSkBalloonHints::SetColor(TColor Value) {
    FColor = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->SetColor(Value); });
}

void TSkBalloonHints::SetFrameColor(TColor Value) {
    FFrameColor = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->SetFrameColor(Value); });
}

void TSkBalloonHints::SetFont(const TFont& Value) {
    FFont.Assign(Value);
    PassOn([&](TSkCustomHintWindow* w) { w->Font()->Assign(FFont); });
}

void TSkBalloonHints::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->SetAlignment(Value); });
}

void TSkBalloonHints::SetCorner(TSkHintCorner Value) {
    FCorner = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->SetCorner(Value); });
}

void TSkBalloonHints::SetShowBalloon(bool Value) {
    FShowBalloon = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->SetShowBalloon(Value); });
}

void TSkBalloonHints::SetCenterThreshold(int Value) {
    FCenterThreshold = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->SetCenterThreshold(Value); });
}

void TSkBalloonHints::SetOnSetHintWinSize(TSkSetHintWinSizeEvent Value) {
    FOnSetHintWinSize = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->OnSetHintWinSize = Value; });
}

void TSkBalloonHints::SetOnSetHintRect(TSkSetHintRectEvent Value) {
    FOnSetHintRect = Value;
    PassOn([&](TSkCustomHintWindow* w) { w->OnSetHintRect = Value; });
}

int TSkBalloonHints::HintPause() const {
    return (ComponentState() & csDesigning) ? FHintPause : Application->HintPause();
}

void TSkBalloonHints::SetHintPause(int Value) {
    if (ComponentState() & csDesigning)
        FHintPause = Value;
    else
        Application->SetHintPause(Value);
}

int TSkBalloonHints::HintShortPause() const {
    return (ComponentState() & csDesigning) ? FHintShortPause : Application->HintShortPause();
}

void TSkBalloonHints::SetHintShortPause(int Value) {
    if (ComponentState() & csDesigning)
        FHintShortPause = Value;
    else
        Application->SetHintShortPause(Value);
}
