#include "Buttons.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace {
// A speed button that Tab reached shows it: a dotted frame in its caption's colour.
class TSpeedButtonWidget : public QToolButton {
protected:
    void paintEvent(QPaintEvent* event) override {
        QToolButton::paintEvent(event);
        if (!hasFocus()) return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
};
}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner) : TControl(AOwner) {
    auto* button = new TSpeedButtonWidget;
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QObject::connect(button, &QToolButton::clicked, this, [this] { Click(); });
    SetWidget(button);
    SetBounds(0, 0, 23, 22);
}

QToolButton* TSpeedButton::Button() const { return static_cast<QToolButton*>(FWidget.data()); }

void TSpeedButton::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    if (Button()) Button()->setText(QString(caption).replace(QLatin1Char('&'), QLatin1String("&&")));
}

void TSpeedButton::SetFlat(bool flat) {
    FFlat = flat;
    if (!Button()) return;
    Button()->setAutoRaise(flat);
    // A flat button shows its parent through it and only a thin frame under the mouse, so its own
    // caption colour stays readable on any background.
    Button()->setStyleSheet(flat ? QStringLiteral("QToolButton { background: transparent; border: 1px solid transparent; }"
                                                  "QToolButton:hover { border: 1px solid rgba(128, 128, 128, 160); }"
                                                  "QToolButton:pressed, QToolButton:checked {"
                                                  " border: 1px solid rgba(64, 64, 64, 180); }")
                                 : QString());
}

void TSpeedButton::SetDown(bool down) {
    if (FGroupIndex == 0) down = false;
    if (down == FDown) return;
    if (!down && !FAllowAllUp) return;  // a group keeps one button down
    FDown = down;
    if (Button()) {
        Button()->setCheckable(FGroupIndex != 0);
        Button()->setChecked(down);
    }
    if (down && FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TSpeedButton*>(FParent->Controls(i)))
                if (other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
                    other->FDown = false;
                    if (other->Button()) other->Button()->setChecked(false);
                }
}

void TSpeedButton::SetGlyph(const QImage& image) {
    if (Button()) Button()->setIcon(QIcon(QPixmap::fromImage(image)));
}

void TSpeedButton::Click() {
    if (!FEnabled) return;
    if (FGroupIndex != 0) SetDown(!FDown || !FAllowAllUp);
    TControl::Click();
}
