#include "Overlay.h"

#include "Controls.h"
#include "GraphicsImage.h"
#include "Regions.h"

#include <QPainter>
#include <QWidget>

namespace {
class TOverlayWidget : public QWidget {
public:
    TOverlayWidget(QWidget* parent, const QImage* picture) : QWidget(parent), FPicture(picture) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, *FPicture);
    }

private:
    const QImage* FPicture;
};
}  // namespace

TControlOverlay::~TControlOverlay() {
    delete FWidget.data();
}

void TControlOverlay::Show(TWinControl* Parent, const TRect& Bounds, TBitmap& Picture,
                           TColor TransparentColor) {
    QWidget* host = Parent ? Parent->Widget() : nullptr;
    if (!host) return Hide();
    FPicture = WithColorTransparent(Picture.ToImage(), TransparentColor)
                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!FWidget || FWidget->parentWidget() != host) {
        delete FWidget.data();
        FWidget = new TOverlayWidget(host, &FPicture);
    }
    FWidget->setGeometry(ToQRect(Bounds));
    FWidget->raise();
    FWidget->show();
    FWidget->update();
}

void TControlOverlay::Hide() {
    if (FWidget) FWidget->hide();
}

bool TControlOverlay::Showing() const {
    return FWidget && !FWidget->isHidden();
}

TColor TControlOverlay::PixelAt(int X, int Y) const {
    if (!FPicture.valid(X, Y)) return clNone;
    const QRgb p = FPicture.pixel(X, Y);
    return qAlpha(p) == 0 ? clNone : RGB(qRed(p), qGreen(p), qBlue(p));
}

TRect TControlOverlay::Bounds() const {
    return Showing() ? FromQRect(FWidget->geometry()) : TRect{};
}
