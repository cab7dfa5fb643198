#include "ExtCtrls.h"

#include "PaintWidget.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <typeinfo>

namespace {
// Width lines round r, the left and top ones in `topLeft`, the right and bottom ones (owning the
// top-right and bottom-left corners) in `bottomRight`; r shrinks to the inside.
void Frame3D(TCanvas* canvas, TRect& r, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && !r.IsEmpty(); ++i) {
        canvas->Brush()->SetColor(topLeft);
        canvas->FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
        canvas->FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
        canvas->Brush()->SetColor(bottomRight);
        canvas->FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
        canvas->FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
        InflateRect(r, -1, -1);
    }
}
}  // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 185, 41);
    SetOffscreenPaint(true);
    // A panel erases and paints all of itself (or its parent's picture) every time.
    SetKeepsOffscreenImage(false);
    SetUseDockManager(true);
    // What a resize repaints is decided here (WM_WINDOWPOSCHANGED), not by the window system.
    if (Widget()) Widget()->setAttribute(Qt::WA_StaticContents);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    if (Value == FBevelInner) return;
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    if (Value == FBevelOuter) return;
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value) {
    Value = std::max(1, Value);
    if (Value == FBevelWidth) return;
    FBevelWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
    Value = std::max(0, Value);
    if (Value == FBorderWidth) return;
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

int TCustomPanel::EdgeWidth() const {
    return FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) +
           (FBevelInner != bvNone ? FBevelWidth : 0);
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    InflateRect(Rect, -EdgeWidth(), -EdgeWidth());
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        const TColor light = cut == bvSpace ? Color() : TColor(clBtnHighlight);
        const TColor dark = cut == bvSpace ? Color() : TColor(clBtnShadow);
        Frame3D(canvas, r, cut == bvLowered ? dark : light, cut == bvLowered ? light : dark, FBevelWidth);
    };
    bevel(FBevelOuter);
    Frame3D(canvas, r, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    if (Caption().isEmpty()) return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(*Font());
    const unsigned horizontal = FAlignment == taCenter         ? DT_CENTER
                                : FAlignment == taRightJustify ? DT_RIGHT
                                                               : DT_LEFT;
    canvas->DrawText(Caption(), r, DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | horizontal);
    canvas->Brush()->SetStyle(bsSolid);
}

bool TCustomPanel::PaintsOnlyRectangles() const {
    return typeid(*this) == typeid(TPanel) && Caption().isEmpty() && !FWindowProc && !DockManager() &&
           NonClientMargins() == TRect{};
}

void TCustomPanel::PaintWidget(QPainter& Painter, const QRegion& Region) {
    // Filled rectangles come out the same on the widget as off screen; the large panels behind a
    // window's controls then need no image of their own size, filled three times and copied across.
    if (!PaintsOnlyRectangles()) return TCustomControl::PaintWidget(Painter, Region);
    Canvas()->BeginPaint(&Painter);
    Paint();
    Canvas()->EndPaint();
}

void TCustomPanel::WMWindowPosChanged(TWMWindowPosChanged& Message) {
    const TWindowPos& to = *Message.WindowPos;
    if (to.cx == Width() && to.cy == Height()) {
        // Moved only: the picture moves with it.
    } else if (FFullRepaint || !Caption().isEmpty()) {
        Invalidate();
    } else {
        // The edges that moved: the strip inside the nearer of the old and new edge, out to the farther.
        const int edge = EdgeWidth();
        const int right = std::max(Width(), to.cx), bottom = std::max(Height(), to.cy);
        if (to.cx != Width()) InvalidateRect(Rect(std::min(Width(), to.cx) - edge, 0, right, bottom));
        if (to.cy != Height()) InvalidateRect(Rect(0, std::min(Height(), to.cy) - edge, right, bottom));
    }
    TCustomControl::WMWindowPosChanged(Message);
}

TPanel::TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FTick(TimerClock()->CreateTick([this] { FireEvent(OnTimer, this); })) {
    Update();
}

TTimer::~TTimer() = default;

void RestartTimer(TTimer*& Timer, TComponent* Owner, int Interval, const std::function<void()>& OnTick) {
    if (!Timer) {
        Timer = new TTimer(Owner);
        Timer->OnTimer = [OnTick](TObject*) { OnTick(); };
    }
    Timer->SetEnabled(false);
    Timer->SetInterval(Interval);
    Timer->SetEnabled(true);
}

void TTimer::SetEnabled(bool enabled) {
    FEnabled = enabled;
    Update();
}

void TTimer::SetInterval(int ms) {
    FInterval = ms;
    Update();
}

void TTimer::Update() {
    if (FEnabled && FInterval > 0)
        FTick->Start(FInterval);
    else
        FTick->Stop();
}

// TImage ---------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TControl(AOwner) {
    SetWidget(new TPaintWidget([this](QPainter& painter, const QRegion&) { PaintImage(painter); }));
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() {
    FPicture.OnChange = nullptr;
}

void TImage::SetStretch(bool stretch) {
    FStretch = stretch;
    Invalidate();
}

void TImage::SetProportional(bool proportional) {
    FProportional = proportional;
    Invalidate();
}

void TImage::SetCenter(bool center) {
    FCenter = center;
    Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    FTransparent = transparent;
    PictureChanged();
}

void TImage::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    PictureChanged();
}

void TImage::PictureChanged() {
    if (FAutoSize && FPicture.Width() > 0 && FPicture.Height() > 0)
        SetBounds(FLeft, FTop, FPicture.Width(), FPicture.Height());
    if (TGraphic* graphic = FPicture.Graphic()) graphic->SetTransparent(FTransparent);
    Invalidate();
}

TRect TImage::DestRect() const {
    int w = FPicture.Width(), h = FPicture.Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double aspect = double(w) / h;
            if (w > h) {
                w = cw;
                h = int(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = int(ch * aspect);
                }
            } else {
                h = ch;
                w = int(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = int(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::PaintImage(QPainter& painter) {
    TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty()) return;
    FCanvas.BeginPaint(&painter);
    graphic->Draw(&FCanvas, DestRect());
    FCanvas.EndPaint();
}
