#include "ExtCtrls.h"

#include "PaintWidget.h"

#include <QPainter>
#include <QWidget>

namespace {

void DrawBevel(QPainter& painter, QRect& r, TBevelCut cut) {
    if (cut != bvLowered && cut != bvRaised) return;
    const QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
    const QColor topLeft = cut == bvRaised ? light : dark, bottomRight = cut == bvRaised ? dark : light;
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    painter.setPen(bottomRight);
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    r.adjust(1, 1, -1, -1);
}

}  // namespace

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
    SetWidget(new TPaintWidget([this](QPainter& painter) { PaintPanel(painter); }));
    SetBounds(0, 0, 185, 41);
    ColorChanged();
}

void TPanel::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    FBevelOuter = bevel;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
    FBevelInner = bevel;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Invalidate();
}

void TPanel::ColorChanged() {
    if (!FWidget) return;
    QPalette pal = FWidget->palette();
    pal.setColor(QPalette::Window, ToQColor(FColor));
    FWidget->setPalette(pal);
    FWidget->setAutoFillBackground(true);
    FWidget->update();
}

void TPanel::PaintPanel(QPainter& painter) {
    QRect r = FWidget->rect();
    DrawBevel(painter, r, FBevelOuter);
    DrawBevel(painter, r, FBevelInner);
    if (FCaption.isEmpty()) return;
    painter.setFont(FFont.ToQFont());
    painter.setPen(ToQColor(FFont.Color()));
    const Qt::Alignment h = FAlignment == taCenter ? Qt::AlignHCenter : FAlignment == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(r, int(h | Qt::AlignVCenter), FCaption);
}

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FTick(TimerClock()->CreateTick([this] { FireEvent(OnTimer, this); })) {
    Update();
}

TTimer::~TTimer() = default;

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
    SetWidget(new TPaintWidget([this](QPainter& painter) { PaintImage(painter); }));
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

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
