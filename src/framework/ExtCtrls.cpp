#include "ExtCtrls.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class TPanelWidget : public QWidget {
public:
    explicit TPanelWidget(TPanel* panel) : FPanel(panel) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        FPanel->PaintPanel(painter);
    }

private:
    TPanel* FPanel;
};

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
    SetWidget(new TPanelWidget(this));
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

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(new QTimer(this)) {
    QObject::connect(FTimer, &QTimer::timeout, this, [this] { FireEvent(OnTimer, this); });
    Update();
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
    if (FEnabled && FInterval > 0) FTimer->start(FInterval);
    else FTimer->stop();
}
