// Messages: Perform and the dispatch to the named handlers, their base behaviour, and the one place
// where Qt's events become messages.
#include "Controls.h"
#include "DeviceContext.h"
#include "DockTree.h"
#include "Forms.h"
#include "NativeFrame.h"
#include "TimerClock.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {
template <class TTyped, class THandler> void Call(TMessage& m, THandler handler) {
    TTyped typed(m);
    handler(typed);
    m.Result = typed.Result;
    m.CallDefault = typed.CallDefault;
}

unsigned MouseKeys(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
    unsigned keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (mods & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

unsigned MouseMessage(QEvent::Type type, Qt::MouseButton button) {
    const unsigned base = button == Qt::RightButton    ? WM_RBUTTONDOWN
                          : button == Qt::MiddleButton ? WM_MBUTTONDOWN
                                                       : WM_LBUTTONDOWN;
    switch (type) {
    case QEvent::MouseButtonPress:
        return base;
    case QEvent::MouseButtonRelease:
        return base + 1;
    case QEvent::MouseButtonDblClick:
        return base + 2;
    default:
        return WM_MOUSEMOVE;
    }
}

// The outermost control of the window the control sits in: dialog keys and focus changes go there.
TControl* TopControl(TControl* control) {
    TControl* top = control;
    while (top->Parent())
        top = top->Parent();
    return top;
}

bool IsDialogKey(unsigned short vk) {
    return vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || (vk >= VK_LEFT && vk <= VK_DOWN);
}

bool HasFrame(const TRect& margins) {
    return margins.Left || margins.Top || margins.Right || margins.Bottom;
}

// A press tells the window controls around the pressed one, outermost first, that the mouse is
// activating what lies in them; false when the pressed control did not survive it.
bool ActivateParents(TControl* control) {
    QPointer<QObject> alive(control);
    std::vector<QPointer<TWinControl>> parents;
    for (TWinControl* p = control->Parent(); p; p = p->Parent())
        parents.emplace_back(p);
    for (auto it = parents.rbegin(); it != parents.rend() && alive; ++it)
        if (*it) (*it)->Perform(WM_MOUSEACTIVATE, reinterpret_cast<std::intptr_t>(control));
    return bool(alive);
}

// The widget a focus change is heading for while the control it leaves decides: it has the focus
// inside Qt but was never entered, so losing it (to the control taking the focus back, or to a box
// shown on the way) is no leaving either.
QPointer<QWidget> gRefusedFocus;

// How many TForcedFocusMove exist.
int gForcedFocusMoves = 0;

// Drops the press whose focus change was refused (it is on its way to the pressed widget now) and,
// when the next button event is its release, that too; then goes.
class TRefusedClick : public QObject {
public:
    TRefusedClick() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        const QEvent::Type t = e->type();
        const bool press = t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick;
        if ((!press && t != QEvent::MouseButtonRelease) || !receiver->isWidgetType() || FDone) return false;
        const bool dropped = press ? !FPressDropped : FPressDropped;
        FDone = !press || FPressDropped;
        FPressDropped = true;
        if (FDone) deleteLater();
        return dropped;
    }

private:
    bool FPressDropped = false, FDone = false;
};

void SendToTree(TControl* control, unsigned msg) {
    control->Perform(msg);
    if (auto* win = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < win->ControlCount(); ++i)
            SendToTree(win->Controls(i), msg);
}
}  // namespace

// Bit 29 is Alt, as the classic key data has it; Shift and Ctrl ride above the classic bits.
std::intptr_t ShiftKeyData(TShiftState Shift) {
    return ((Shift & ssAlt) ? std::intptr_t(1) << 29 : 0) | ((Shift & ssShift) ? std::intptr_t(1) << 32 : 0) |
           ((Shift & ssCtrl) ? std::intptr_t(1) << 33 : 0);
}

TShiftState KeyDataShift(std::intptr_t KeyData) {
    return ((KeyData >> 29) & 1 ? ssAlt : 0) | ((KeyData >> 32) & 1 ? ssShift : 0) |
           ((KeyData >> 33) & 1 ? ssCtrl : 0);
}

// Perform and dispatch ------------------------------------------------------------------------------
std::intptr_t TControl::Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) {
    TMessage m{msg, wparam, lparam, 0, false};
    SendToWindowProc(m);
    return m.Result;
}

void TControl::SendToWindowProc(TMessage& Message) {
    if (FWindowProc)
        FWindowProc(Message);
    else
        WndProc(Message);
}

TWndMethod TControl::WindowProc() {
    if (FWindowProc) return FWindowProc;
    return [this](TMessage& Message) { WndProc(Message); };
}

void TControl::WndProc(TMessage& Message) {
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMLButtonDown(t); });
        break;
    case WM_LBUTTONUP:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMLButtonUp(t); });
        break;
    case WM_LBUTTONDBLCLK:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMLButtonDblClk(t); });
        break;
    case WM_RBUTTONDOWN:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMRButtonDown(t); });
        break;
    case WM_RBUTTONUP:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMRButtonUp(t); });
        break;
    case WM_RBUTTONDBLCLK:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMRButtonDblClk(t); });
        break;
    case WM_MBUTTONDOWN:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMMButtonDown(t); });
        break;
    case WM_MBUTTONUP:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMMButtonUp(t); });
        break;
    case WM_MBUTTONDBLCLK:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMMButtonDblClk(t); });
        break;
    case WM_MOUSEMOVE:
        Call<TWMMouse>(m, [this](TWMMouse& t) { WMMouseMove(t); });
        break;
    case WM_CONTEXTMENU:
        Call<TWMPosition>(m, [this](TWMPosition& t) { WMContextMenu(t); });
        break;
    case WM_MOUSEWHEEL:
        Call<TWMMouseWheel>(m, [this](TWMMouseWheel& t) { WMMouseWheel(t); });
        break;
    case WM_TIMER:
        Call<TWMTimer>(m, [this](TWMTimer& t) { WMTimer(t); });
        break;
    case WM_SIZE:
        Call<TWMSize>(m, [this](TWMSize& t) { WMSize(t); });
        break;
    case WM_SETFOCUS:
        Call<TWMFocus>(m, [this](TWMFocus& t) { WMSetFocus(t); });
        break;
    case WM_KILLFOCUS:
        Call<TWMFocus>(m, [this](TWMFocus& t) { WMKillFocus(t); });
        break;
    case WM_KEYDOWN:
        Call<TWMKey>(m, [this](TWMKey& t) { WMKeyDown(t); });
        break;
    case WM_KEYUP:
        Call<TWMKey>(m, [this](TWMKey& t) { WMKeyUp(t); });
        break;
    case WM_CHAR:
        Call<TWMKey>(m, [this](TWMKey& t) { WMChar(t); });
        break;
    case WM_GETDLGCODE:
        WMGetDlgCode(m);
        break;
    case WM_ERASEBKGND:
        Call<TWMPaint>(m, [this](TWMPaint& t) { WMEraseBkgnd(t); });
        break;
    case WM_PAINT:
        Call<TWMPaint>(m, [this](TWMPaint& t) { WMPaint(t); });
        break;
    case WM_PRINTCLIENT:
        Call<TWMPaint>(m, [this](TWMPaint& t) { WMPrintClient(t); });
        break;
    case WM_NCCALCSIZE:
        Call<TWMNCCalcSize>(m, [this](TWMNCCalcSize& t) { WMNCCalcSize(t); });
        break;
    case WM_NCPAINT:
        Call<TWMPaint>(m, [this](TWMPaint& t) { WMNCPaint(t); });
        break;
    case WM_NCHITTEST:
        Call<TWMPosition>(m, [this](TWMPosition& t) { WMNCHitTest(t); });
        break;
    case WM_THEMECHANGED:
        WMThemeChanged(m);
        break;
    case WM_WINDOWPOSCHANGED:
        Call<TWMWindowPosChanged>(m, [this](TWMWindowPosChanged& t) { WMWindowPosChanged(t); });
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(m);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(m);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(m);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(m);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(m);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(m);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(m);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(m);
        break;
    case CM_SHOWINGCHANGED:
        CMShowingChanged(m);
        break;
    case CM_SYSCOLORCHANGE:
        CMSysColorChange(m);
        break;
    case CM_HITTEST:
        CMHitTest(m);
        break;
    case CM_ENTER:
        CMEnter(m);
        break;
    case CM_EXIT:
        CMExit(m);
        break;
    case CM_FOCUSCHANGED:
        Call<TWMFocus>(m, [this](TWMFocus& t) { CMFocusChanged(t); });
        break;
    case CM_DIALOGKEY:
        Call<TWMKey>(m, [this](TWMKey& t) { CMDialogKey(t); });
        break;
    case CM_DIALOGCHAR:
        Call<TWMKey>(m, [this](TWMKey& t) { CMDialogChar(t); });
        break;
    default:
        DefaultHandler(m);
    }
}

// Base handlers ---------------------------------------------------------------------------------------
void TControl::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TControl::WMEraseBkgnd(TWMPaint& Message) {
    if (Message.DC) Message.DC->FillRect(ClientRect(), TLogBrush{bsSolid, FColor, {}, false});
    Message.Result = 1;
}

void TControl::WMPaint(TWMPaint& Message) {
    DefaultHandler(Message);
}

// A native widget draws itself (without its children) into the context.
void TControl::WMPrintClient(TWMPaint& Message) {
    if (!Message.DC || !FWidget) return;
    QPainter* painter = Message.DC->Painter();
    FWidget->render(painter, QPoint(0, 0), QRegion(), QWidget::DrawWindowBackground);
    Message.DC->EndPainter();
}

void TControl::WMNCHitTest(TWMPosition& Message) {
    Message.Result = HTCLIENT;
}

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}
void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}
void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}
void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}
void TControl::CMVisibleChanged(TMessage&) {}
void TControl::CMSysColorChange(TMessage&) {
    Invalidate();
}
void TControl::CMFocusChanged(TWMFocus&) {}
void TControl::CMDialogKey(TWMKey&) {}

void TControl::WMMouseWheel(TWMMouseWheel& Message) {
    TShiftState shift = 0;
    if (Message.Keys & MK_SHIFT) shift |= ssShift;
    if (Message.Keys & MK_CONTROL) shift |= ssCtrl;
    const TPoint at{Message.XPos, Message.YPos};
    const bool taken = Message.WheelDelta < 0 ? DoMouseWheelDown(shift, at) : DoMouseWheelUp(shift, at);
    if (taken)
        Message.Result = 1;
    else
        DefaultHandler(Message);
}
void TControl::CMDialogChar(TWMKey&) {}

void TControl::CMParentColorChanged(TMessage&) {
    if (!FParentColor || !FParent) return;
    SetColor(FParent->Color());
    FParentColor = true;
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor) return;
    FParentColor = value;
    if (value) Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::Broadcast(TMessage& Message) {
    const std::vector<TControl*> children = FControls;
    for (TControl* child : children) {
        child->SendToWindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::CMColorChanged(TMessage& Message) {
    TControl::CMColorChanged(Message);
    const std::vector<TControl*> children = FControls;
    for (TControl* child : children)
        child->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    TControl::CMFontChanged(Message);
}
void TWinControl::CMDialogKey(TWMKey& Message) {
    Broadcast(Message);
}
void TWinControl::CMDialogChar(TWMKey& Message) {
    Broadcast(Message);
}
void TWinControl::CMFocusChanged(TWMFocus& Message) {
    Broadcast(Message);
}

void TWinControl::WMNCHitTest(TWMPosition& Message) {
    const TPoint p = FWidget ? [&] {
        const QPoint local = FWidget->mapFromGlobal(QPoint(Message.XPos, Message.YPos));
        return TPoint{local.x(), local.y()};
    }()
                             : TPoint{Message.XPos, Message.YPos};
    const TRect client{FNonClient.Left, FNonClient.Top, FWidth - FNonClient.Right,
                       FHeight - FNonClient.Bottom};
    Message.Result = client.Contains(p) ? HTCLIENT : HTNOWHERE;
}

// Qt's events as messages -------------------------------------------------------------------------------
bool TControl::DispatchWidgetEvent(QObject* watched, QEvent* event) {
    QPointer<QObject> alive(this);
    const bool own = watched == FWidget.data();
    auto* win = dynamic_cast<TWinControl*>(this);
    auto send = [&](unsigned msg, std::intptr_t w = 0, std::intptr_t l = 0) {
        TMessage m{msg, w, l, 0, false};
        SendToWindowProc(m);
        return m;
    };
    // The event goes on unless the handler consumed it (and the control still exists).
    auto consumed = [&](const TMessage& m) { return !alive || !m.CallDefault; };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        QPoint p = e->position().toPoint();
        if (own && win && HasFrame(win->FNonClient)) {
            const QPoint global = e->globalPosition().toPoint();
            if (Perform(WM_NCHITTEST, 0, MakeLParam(global.x(), global.y())) != HTCLIENT) return false;
            p -= QPoint(win->FNonClient.Left, win->FNonClient.Top);
        }
        const unsigned msg = MouseMessage(event->type(), e->button());
        if (event->type() == QEvent::MouseButtonPress && !ActivateParents(this)) return true;
        const TMessage m{msg, MouseKeys(e->modifiers(), e->buttons()), MakeLParam(p.x(), p.y()), 0, false};
        Application->HintMouseMessage(this, m);
        if (!alive) return true;
        return consumed(send(m.Msg, m.WParam, m.LParam));
    }
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(event);
        const int delta = e->angleDelta().y();
        if (delta == 0) return false;
        const QPoint g = e->globalPosition().toPoint();
        return consumed(send(WM_MOUSEWHEEL, MakeLParam(int(MouseKeys(e->modifiers(), e->buttons())), delta),
                             MakeLParam(g.x(), g.y())));
    }
    case QEvent::Enter: {
        // An enter from the window system says where the mouse is; asking again would wait on it.
        std::optional<TPoint> cursor;
        if (const auto* e = dynamic_cast<const QEnterEvent*>(event)) {
            const QPoint g = e->globalPosition().toPoint();
            cursor = TPoint{g.x(), g.y()};
        }
        Application->HintMouseMessage(this, TMessage{CM_MOUSEENTER, 0, 0, 0, false}, cursor);
        if (!alive) return true;
        return consumed(send(CM_MOUSEENTER));
    }
    case QEvent::Leave:
        Application->HintMouseMessage(this, TMessage{CM_MOUSELEAVE, 0, 0, 0, false});
        if (!alive) return true;
        return consumed(send(CM_MOUSELEAVE));
    case QEvent::ContextMenu: {
        if (!own && watched != FMouseWidget.data()) return false;
        const QPoint g = static_cast<QContextMenuEvent*>(event)->globalPos();
        return consumed(send(WM_CONTEXTMENU, 0, MakeLParam(g.x(), g.y())));
    }
    default:
        break;
    }
    if (!own) return false;
    switch (event->type()) {
    case QEvent::FocusIn: {
        // The focus coming back after a refused leaving is no entering: the control was never left.
        // Neither OnEnter nor the widget hears of it, as neither heard of the leaving.
        const bool returning = win && std::exchange(win->FFocusReturning, false);
        const TMessage m = send(WM_SETFOCUS);
        if (!alive) return true;
        if (!returning) send(CM_ENTER);
        if (!alive) return true;
        if (win) TopControl(this)->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(win));
        return returning || consumed(m);
    }
    case QEvent::FocusOut: {
        if (gRefusedFocus == FWidget.data()) return true;
        // Until this leaving is decided, the control the focus is heading for has not been entered.
        QWidget* heading = QApplication::focusWidget();
        if (heading && heading->window() != FWidget->window()) heading = nullptr;
        const QPointer<QWidget> outer = std::exchange(gRefusedFocus, heading);
        const TMessage m = send(WM_KILLFOCUS);
        if (alive && win) win->FKeepFocusOnExit = false;
        if (alive) send(CM_EXIT);
        gRefusedFocus = outer;
        if (!alive) return true;
        if (win && std::exchange(win->FKeepFocusOnExit, false)) {
            win->TakeFocusBack(static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason);
            return true;
        }
        return consumed(m);
    }
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        const unsigned short vk = KeyEventVirtualKey(e);
        const bool alt = e->modifiers() & Qt::AltModifier;
        const std::intptr_t keyData =
            ShiftKeyData((alt ? ssAlt : 0) | (e->modifiers() & Qt::ShiftModifier ? ssShift : 0) |
                         (e->modifiers() & Qt::ControlModifier ? ssCtrl : 0));
        const unsigned code = unsigned(Perform(WM_GETDLGCODE));
        if (!alive) return true;
        if (IsDialogKey(vk)) {
            const bool arrow = vk >= VK_LEFT && vk <= VK_DOWN;
            const bool wanted = (code & DLGC_WANTALLKEYS) || (arrow && (code & DLGC_WANTARROWS)) ||
                                (vk == VK_TAB && (code & DLGC_WANTTAB));
            if (!wanted && TopControl(this)->Perform(CM_DIALOGKEY, vk, keyData) != 0) return true;
            if (!alive) return true;
        }
        if (vk != 0 && consumed(send(WM_KEYDOWN, vk, keyData))) return true;
        // The character typed, control characters (Ctrl+C) included; only printable ones can be a
        // dialog character.
        const QChar ch = KeyCharOf(e);
        if (ch.isNull()) return false;
        if (ch.isPrint() && (alt || !(code & DLGC_WANTCHARS)) &&
            TopControl(this)->Perform(CM_DIALOGCHAR, ch.unicode(), keyData) != 0)
            return true;
        if (!alive) return true;
        // Alt with a letter is a system key: one that no accelerator took is typed nowhere.
        if (alt) return true;
        return consumed(send(WM_CHAR, ch.unicode(), keyData));
    }
    case QEvent::KeyRelease: {
        // A held key repeats its key-down only; it comes up once, when let go.
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->isAutoRepeat()) return false;
        const unsigned short vk = KeyEventVirtualKey(e);
        return vk != 0 && consumed(send(WM_KEYUP, vk));
    }
    case QEvent::Resize: {
        if (win) win->RecalcNonClientArea();
        const QSize s = FWidget->size();
        return consumed(send(WM_SIZE, 0, MakeLParam(s.width(), s.height())));
    }
    case QEvent::Show:
    case QEvent::Hide:
        return consumed(send(CM_SHOWINGCHANGED));
    case QEvent::ContentsRectChange: {
        // A frame widget (a scroll area) resets its margins to its own border when reparented or
        // restyled, which is the band unless the band differs by side; the non-client frame keeps its
        // place.
        const TRect nc = win ? win->FNonClient : TRect{};
        const QMargins kept(nc.Left, nc.Top, nc.Right, nc.Bottom);
        if (win && !dynamic_cast<TCustomControl*>(this) && HasFrame(nc) && FWidget->contentsMargins() != kept)
            FWidget->setContentsMargins(kept);
        return false;
    }
    case QEvent::Paint: {
        if (!win || dynamic_cast<TCustomControl*>(this)) return false;
        const TRect nc = win->FNonClient;
        if (!HasFrame(nc)) return false;
        // The widget paints its client area, then the frame goes round it.
        static_cast<QObject*>(FWidget.data())->event(event);
        QImage frame(FWidget->size(), QImage::Format_RGB32);
        frame.fill(ToQColor(FParent ? FParent->Color() : FColor));
        {
            TDeviceContext dc(&frame);
            dc.ExcludeClipRect(nc.Left, nc.Top, FWidth - nc.Right, FHeight - nc.Bottom);
            Perform(WM_NCPAINT, reinterpret_cast<std::intptr_t>(&dc));
        }
        QPainter painter(FWidget);
        painter.setClipRegion(QRegion(0, 0, FWidth, FHeight)
                                  .subtracted(QRegion(nc.Left, nc.Top, FWidth - nc.Left - nc.Right,
                                                      FHeight - nc.Top - nc.Bottom)));
        painter.drawImage(0, 0, frame);
        return true;
    }
    default:
        return false;
    }
}

bool TWinControl::KeepFocusOnExit() {
    if (gForcedFocusMoves > 0 || !FWidget || !FWidget->isVisible() || !FWidget->isEnabled()) return false;
    FKeepFocusOnExit = true;
    return true;
}

TForcedFocusMove::TForcedFocusMove() {
    ++gForcedFocusMoves;
}

TForcedFocusMove::~TForcedFocusMove() {
    --gForcedFocusMoves;
}

// Inside Qt the focus has gone to the next widget already (nothing told it yet); it comes back here at
// once, so the next control hears neither of it nor of losing it. A window no longer active (a box
// was shown on the way) gets this control as its focus for when it comes back.
void TWinControl::TakeFocusBack(bool ByClick) {
    QWidget* heading = QApplication::focusWidget();
    if (heading == FWidget.data()) return;
    if (ByClick) new TRefusedClick;
    QPointer<QObject> alive(this);
    FFocusReturning = true;
    const QPointer<QWidget> outer = std::exchange(gRefusedFocus, heading);
    FocusWidget(FWidget, Qt::OtherFocusReason);
    gRefusedFocus = outer;
    // Arrived, or it arrives when the window comes back.
    if (alive && FWidget->isActiveWindow()) FFocusReturning = false;
}

// Non-client area, off-screen painting ----------------------------------------------------------------
void TWinControl::RecalcNonClientArea() {
    TRect client = Rect(0, 0, FWidth, FHeight);
    Perform(WM_NCCALCSIZE, 0, reinterpret_cast<std::intptr_t>(&client));
    const TRect margins{client.Left, client.Top, FWidth - client.Right, FHeight - client.Bottom};
    if (margins == FNonClient) return;
    FNonClient = margins;
    if (FWidget && !dynamic_cast<TCustomControl*>(this) && !FitNativeFrameToBand(this))
        FWidget->setContentsMargins(margins.Left, margins.Top, margins.Right, margins.Bottom);
    // Children sit in the client area, inside the frame.
    for (TControl* child : FControls)
        if (child->FWidget) child->FWidget->setGeometry(child->WidgetGeometry());
    Invalidate();
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::SetOffscreenPaint(bool value) {
    if (value == FOffscreenPaint) return;
    FOffscreenPaint = value;
    UpdateOpaquePainting();
    Invalidate();
}

void TCustomControl::UpdateOpaquePainting() {
    // Nothing beneath an opaque widget is painted: not its parent, not the siblings it covers.
    if (FWidget) FWidget->setAttribute(Qt::WA_OpaquePaintEvent, PaintsEveryPixel());
}

QImage& TCustomControl::SizedOffscreenImage() {
    const QSize size(std::max(1, FWidth), std::max(1, FHeight));
    if (!FOffscreen || FOffscreen->size() != size) {
        auto image = std::make_unique<QImage>(size, QImage::Format_RGB32);
        image->fill(ToQColor(FColor));
        if (FOffscreen) {
            QPainter keep(image.get());
            keep.drawImage(0, 0, *FOffscreen);
        }
        FOffscreen = std::move(image);
    }
    return *FOffscreen;
}

const QImage& TCustomControl::PaintOffscreen() {
    QImage& image = SizedOffscreenImage();
    PaintOffscreenInto(image, QPoint(), QRegion(image.rect()));
    return image;
}

void TCustomControl::PaintOffscreenInto(QImage& Image, const QPoint& Origin, const QRegion& Region) {
    const TRect nc = FNonClient;
    const QRect client(nc.Left, nc.Top, FWidth - nc.Left - nc.Right, FHeight - nc.Top - nc.Bottom);
    const QRegion inside = Region.intersected(client);
    if (!inside.isEmpty()) {
        TDeviceContext dc(&Image);
        TRegion clip(inside.translated(-Origin));
        dc.SelectClipRgn(&clip);
        dc.ViewportOrg = {nc.Left - Origin.x(), nc.Top - Origin.y()};
        const int saved = dc.SaveDC();
        Perform(WM_ERASEBKGND, reinterpret_cast<std::intptr_t>(&dc));
        dc.RestoreDC(saved);
        Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&dc));
    }
    const QRegion frame = Region.subtracted(client);
    if (HasFrame(nc) && !frame.isEmpty()) {
        TDeviceContext dc(&Image);
        TRegion clip(frame.translated(-Origin));
        dc.SelectClipRgn(&clip);
        dc.ViewportOrg = {-Origin.x(), -Origin.y()};
        Perform(WM_NCPAINT, reinterpret_cast<std::intptr_t>(&dc));
    }
}

void TCustomControl::WMPaint(TWMPaint& Message) {
    if (!Message.DC) return;
    FCanvas.BeginPaint(Message.DC);
    FCanvas.Font()->Assign(*Font());
    FCanvas.Brush()->SetColor(Color());
    DispatchEvent([this] { Paint(); });
    FCanvas.EndPaint();
    // A dock site paints the frames of the controls docked into it over its own painting.
    if (TDockTree* manager = DockManager()) {
        const int saved = Message.DC->SaveDC();
        DispatchEvent([&] { manager->PaintSite(Message.DC); });
        Message.DC->RestoreDC(saved);
    }
}

void TCustomControl::WMPrintClient(TWMPaint& Message) {
    WMPaint(Message);
}

// Timers, window regions, parents' backgrounds, broadcasts -------------------------------------------
namespace {
// A control's timer: a child object that keeps the tick of the current timer clock, so tests step
// window timers as they step TTimer.
class TControlTimer : public QObject {
public:
    TControlTimer(TControl* control, unsigned id) : QObject(control), Id(id) {
        QPointer<TControl> guard(control);
        FTick = TimerClock()->CreateTick([guard, id] {
            if (guard) DispatchEvent([&] { guard->Perform(WM_TIMER, id); });
        });
    }
    void Start(int interval) { FTick->Start(std::max(1, interval)); }
    void Stop() { FTick->Stop(); }
    const unsigned Id;

private:
    std::unique_ptr<TTimerTick> FTick;
};

TControlTimer* FindTimer(TControl* control, unsigned id) {
    for (QObject* child : control->children())
        if (auto* timer = dynamic_cast<TControlTimer*>(child); timer && timer->Id == id) return timer;
    return nullptr;
}
}  // namespace

void SetTimer(TControl* control, unsigned id, int interval) {
    if (!control) return;
    TControlTimer* timer = FindTimer(control, id);
    if (!timer) timer = new TControlTimer(control, id);
    timer->Start(interval);
}

void KillTimer(TControl* control, unsigned id) {
    if (!control) return;
    // The tick may be the one firing now: it goes once the event is over.
    if (TControlTimer* timer = FindTimer(control, id)) {
        timer->Stop();
        timer->setParent(nullptr);
        timer->deleteLater();
    }
}

void SetWindowRgn(TWinControl* control, TRegion* region, bool redraw) {
    if (control && control->Widget()) {
        if (region)
            control->Widget()->setMask(region->Region());
        else
            control->Widget()->clearMask();
        if (redraw) control->Widget()->update();
    }
    delete region;
}

void PaintParentBackground(TControl* control, TDeviceContext* dc) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent || !dc) return;
    const int saved = dc->SaveDC();
    dc->ViewportOrg = {dc->ViewportOrg.X - control->Left(), dc->ViewportOrg.Y - control->Top()};
    dc->IntersectClipRect(0, 0, parent->ClientWidth(), parent->ClientHeight());
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<std::intptr_t>(dc));
    parent->Perform(WM_PRINTCLIENT, reinterpret_cast<std::intptr_t>(dc), PRF_CLIENT);
    dc->RestoreDC(saved);
}

void BroadcastToAllControls(unsigned msg) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (TControl* control = TControl::FromWidget(w)) SendToTree(control, msg);
}
