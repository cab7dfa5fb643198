#include "HintWindow.h"

#include "DeviceContext.h"
#include "Forms.h"
#include "GraphicsImage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetOffscreenPaint(true);
    FVisible = false;
    QWidget* w = Widget();
    w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    // Mouse moves over the hint reach it with the buttons up too.
    w->setMouseTracking(true);
    FColor = clInfoBk;
    Font()->SetColor(clInfoText);
    RecalcNonClientArea();
}

THintWindow::~THintWindow() = default;

void THintWindow::SetVisible(bool visible) {
    FVisible = visible;
    QWidget* w = Widget();
    if (!w) return;
    if (visible) {
        w->show();
        w->raise();
    } else {
        w->hide();
    }
}

void THintWindow::ActivateHint(TRect Rect, const QString& AHint) {
    SetCaption(AHint);
    const TRect area = Screen->WorkAreaAt(Rect.TopLeft());
    if (Rect.Right > area.Right) OffsetRect(Rect, area.Right - Rect.Right, 0);
    if (Rect.Left < area.Left) OffsetRect(Rect, area.Left - Rect.Left, 0);
    if (Rect.Bottom > area.Bottom) OffsetRect(Rect, 0, area.Bottom - Rect.Bottom);
    if (Rect.Top < area.Top) OffsetRect(Rect, 0, area.Top - Rect.Top);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    RecalcNonClientArea();
    SetVisible(true);
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const QString& AHint, void*) {
    ActivateHint(Rect, AHint);
}

TCanvas* THintWindow::MeasureCanvas() {
    if (!FMeasure) FMeasure = std::make_unique<TBitmap>(1, 1);
    TCanvas* canvas = FMeasure->Canvas();
    canvas->Font()->Assign(*Font());
    return canvas;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const QString& AHint, void*) {
    TRect r = Rect(0, 0, MaxWidth, 0);
    MeasureCanvas()->DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    // The border and two pixels of room on each side, one under the text.
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
}

void THintWindow::Paint() {
    const TRect nc = NonClientMargins();
    TRect r = Rect(2, 2, Width() - nc.Left - nc.Right, Height() - nc.Top - nc.Bottom);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->DrawText(Caption(), r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::WMNCCalcSize(TWMNCCalcSize& Message) {
    InflateRect(*Message.CalcRect, -1, -1);
}

void THintWindow::WMNCPaint(TWMPaint& Message) {
    if (Message.DC)
        Message.DC->FrameRect(Rect(0, 0, Width(), Height()), TLogBrush{bsSolid, clWindowFrame, {}, false});
}

void SendMouseMessage(TControl* control, unsigned msg, unsigned keys, const TPoint& clientPos) {
    QWidget* target = control ? control->Widget() : nullptr;
    if (!target) return;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        type = QEvent::MouseButtonPress;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        type = QEvent::MouseButtonRelease;
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        type = QEvent::MouseButtonDblClick;
        break;
    default:
        break;
    }
    if (msg >= WM_LBUTTONDOWN && msg <= WM_LBUTTONDBLCLK) button = Qt::LeftButton;
    if (msg >= WM_RBUTTONDOWN && msg <= WM_RBUTTONDBLCLK) button = Qt::RightButton;
    if (msg >= WM_MBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) button = Qt::MiddleButton;
    Qt::MouseButtons buttons;
    if (keys & MK_LBUTTON) buttons |= Qt::LeftButton;
    if (keys & MK_RBUTTON) buttons |= Qt::RightButton;
    if (keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) buttons |= button;
    Qt::KeyboardModifiers modifiers;
    if (keys & MK_SHIFT) modifiers |= Qt::ShiftModifier;
    if (keys & MK_CONTROL) modifiers |= Qt::ControlModifier;
    const TPoint screen = control->ClientToScreen(clientPos);
    QWidget* inner = target;
    QPoint local = target->mapFromGlobal(QPoint(screen.X, screen.Y));
    if (QWidget* child = target->childAt(local)) {
        inner = child;
        local = child->mapFromGlobal(QPoint(screen.X, screen.Y));
    }
    QMouseEvent e(type, QPointF(local), QPointF(screen.X, screen.Y), button, buttons, modifiers);
    QApplication::sendEvent(inner, &e);
}
