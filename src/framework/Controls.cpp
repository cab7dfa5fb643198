#include "Controls.h"

#include "Actions.h"
#include "Dialogs.h"
#include "DockTree.h"
#include "DragDrop.h"
#include "Menus.h"
#include "PaintWidget.h"
#include "PopupLoop.h"
#include "Regions.h"
#include "Scaling.h"
#include "TextDraw.h"
#include "TypInfo.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <utility>

// Events ----------------------------------------------------------------------------------------

void DispatchEvent(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Exception& e) {
        MessageBox(e.Message(), QStringLiteral("信息提示"), MB_OK);
    } catch (const std::exception& e) {
        MessageBox(QString::fromUtf8(e.what()), QStringLiteral("信息提示"), MB_OK);
    }
}

void CatchEventException(const std::function<void()>& code) {
    try {
        code();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (!TDropDownLoop::EndInnermostWith(error)) DispatchEvent([&] { std::rethrow_exception(error); });
    }
}

void SetTextAreaColor(QWidget* widget, TColor color) {
    if (!widget) return;
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    widget->setPalette(pal);
    widget->update();
}

namespace {

QHash<const QWidget*, TControl*>& WidgetRegistry() {
    // Never freed: controls of objects that go at the program's exit (the application's hint window)
    // still sign off here after the registry's own turn to go would have come.
    static auto* registry = new QHash<const QWidget*, TControl*>;
    return *registry;
}

TShiftState ShiftOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton) {
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier) s |= ssShift;
    if (mods & Qt::AltModifier) s |= ssAlt;
    if (mods & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

// Whether a mouse event at `p` of `receiver` lies over another control inside it: the event came up
// from that control, which ignored it. Mouse clicks belong to the control under the mouse only.
bool OverChildControl(const QWidget* receiver, const QPoint& p) {
    for (const QWidget* w = receiver->childAt(p); w && w != receiver; w = w->parentWidget())
        if (WidgetRegistry().contains(w)) return true;
    return false;
}

TMouseButton ButtonOf(Qt::MouseButton b) {
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

unsigned short VirtualKeyOf(const QKeyEvent* e) {
    const int k = e->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<unsigned short>(k);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<unsigned short>(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return static_cast<unsigned short>(112 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:  // Shift+Tab, as the keyboard sends it
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Period:
        return (e->modifiers() & Qt::KeypadModifier) ? VK_DECIMAL : 190;
    case Qt::Key_Plus:
        return (e->modifiers() & Qt::KeypadModifier) ? VK_ADD : 0;
    case Qt::Key_Minus:
        return (e->modifiers() & Qt::KeypadModifier) ? VK_SUBTRACT : 0;
    default:
        return 0;
    }
}

// A key event that a key-press handler replaced; it passes the handlers untouched.
bool gReplayingKey = false;

struct TControlTypes {
    TControlTypes() {
        RegisterEnumType<TAlign>({"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    }
};
const TControlTypes ControlTypes;

}  // namespace

void PostKeyDown(TWinControl* Control, unsigned short VirtualKey) {
    if (!Control || !Control->Widget()) return;
    int key = 0;
    for (int k : {int(Qt::Key_Tab), int(Qt::Key_Return), int(Qt::Key_Escape), int(Qt::Key_Space),
                  int(Qt::Key_Left), int(Qt::Key_Up), int(Qt::Key_Right), int(Qt::Key_Down)}) {
        QKeyEvent probe(QEvent::KeyPress, k, Qt::NoModifier);
        if (VirtualKeyOf(&probe) == VirtualKey) key = k;
    }
    if (key == 0 && VirtualKey >= 'A' && VirtualKey <= 'Z') key = VirtualKey;
    if (key == 0) return;
    QCoreApplication::postEvent(Control->Widget(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

bool IsAccel(unsigned CharCode, const QString& Caption) {
    int underline = -1;
    const QString shown = StripPrefix(Caption, &underline);
    return underline >= 0 && underline < shown.size() &&
           shown.at(underline).toUpper() == QChar(char16_t(CharCode)).toUpper();
}

unsigned short KeyEventVirtualKey(const QKeyEvent* e) {
    return VirtualKeyOf(e);
}

QChar KeyCharOf(const QKeyEvent* e) {
    const int k = e->key();
    const bool ctrlOnly = (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (ctrlOnly && k >= Qt::Key_A && k <= Qt::Key_Z) return QChar(k - Qt::Key_A + 1);
    const QString text = e->text();
    return text.isEmpty() ? QChar() : text.at(0);
}

// TControl --------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this](TObject*) {
        FontChanged();
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl() {
    FFont.OnChange = nullptr;
    if (Dragging()) TDragManager::Instance().Cancel();
    // Owned controls go first, while this control is still whole.
    DestroyComponents();
    if (FParent) {
        if (FParent->FDockManager) FParent->FDockManager->RemoveControl(this);
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        FParent = nullptr;
    }
    if (FMouseWidget) FMouseWidget->removeEventFilter(this);
    if (FWidget) {
        FWidget->removeEventFilter(this);
        WidgetRegistry().remove(FWidget.data());
        FreeControlWidget(FWidget.data());
    }
}

TControl* TControl::FromWidget(const QWidget* widget) {
    return WidgetRegistry().value(widget, nullptr);
}

void TControl::SetWidget(QWidget* widget) {
    FWidget.Reset(widget, widget);
    WidgetRegistry().insert(widget, this);
    // However the widget goes, its address no longer leads here.
    QObject::connect(widget, &QObject::destroyed, [widget] { WidgetRegistry().remove(widget); });
    widget->installEventFilter(this);
    widget->setFont(FFont.ToQFont());
    const QSize size = widget->size();
    if (FWidth == 0 && FHeight == 0) {
        FWidth = size.width();
        FHeight = size.height();
    }
    FontChanged();
}

void TControl::SetMouseWidget(QWidget* inner) {
    FMouseWidget = inner;
    inner->installEventFilter(this);
}

QWidget* TControl::ClientAreaWidget() const {
    return FMouseWidget ? FMouseWidget.data() : FWidget.data();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (FParent) {
        if (FParent->FDockManager) FParent->FDockManager->RemoveControl(this);
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    TWinControl* old = FParent;
    FParent = parent;
    if (FParent) FParent->FControls.push_back(this);
    if (FWidget) {
        FWidget->setParent(FParent ? FParent->ClientWidget() : nullptr);
        FWidget->setGeometry(WidgetGeometry());
        ApplyVisibility();
    }
    if (old && FAlign != alNone) old->Realign();
    if (FParent && FAlign != alNone) FParent->Realign();
    if (FParent && FParentColor) Perform(CM_PARENTCOLORCHANGED);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::ApplyVisibility() {
    if (FWidget && FParent) FWidget->setVisible(FVisible);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ApplyBounds(left, top, width, height);
    if (FAlign != alNone && FParent) FParent->Realign();
}

void TControl::ApplyBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    const bool resized = width != FWidth || height != FHeight;
    if (resized || left != FLeft || top != FTop) {
        TWindowPos pos{left, top, width, height};
        Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<std::intptr_t>(&pos));
    }
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FWidget && FWidget->geometry() != WidgetGeometry()) {
        FInSetBounds = true;
        if (FWidget->isWindow()) {
            FWidget->move(left, top);
            FWidget->resize(width, height);
        } else {
            FWidget->setGeometry(WidgetGeometry());
        }
        FInSetBounds = false;
    }
    if (resized) {
        Resized();
        FireEvent(OnResize, this);
    }
}

QRect TControl::WidgetGeometry() const {
    const bool framed = FParent && FWidget && !FWidget->isWindow();
    const int dx = framed ? FParent->FNonClient.Left : 0, dy = framed ? FParent->FNonClient.Top : 0;
    return QRect(FLeft + dx, FTop + dy, FWidth, FHeight);
}

void TControl::ChangeScale(int M, int D) {
    if (M == D || D == 0) return;
    if (!FScale) FScale = std::make_unique<TScaleState>();
    const int left = FScale->Left.Scale(FLeft, M, D), top = FScale->Top.Scale(FTop, M, D);
    const int width = FScale->Width.Scale(FWidth, M, D), height = FScale->Height.Scale(FHeight, M, D);
    SetBounds(left, top, width, height);
    FFont.SetHeight(FScale->FontHeight.Scale(FFont.Height(), M, D));
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    FAlign = align;
    if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible && (!FWidget || FWidget->isVisibleTo(FWidget->parentWidget()) == visible)) return;
    FVisible = visible;
    ApplyVisibility();
    if (FAlign != alNone && FParent) FParent->Realign();
    Perform(CM_VISIBLECHANGED, visible);
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    const bool changed = enabled != FEnabled;
    FEnabled = enabled;
    if (FWidget) FWidget->setEnabled(enabled);
    if (changed) Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
    const bool changed = color != FColor;
    FColor = color;
    FParentColor = false;
    ColorChanged();
    if (changed) Perform(CM_COLORCHANGED);
}

void TControl::ColorChanged() {
    if (!FWidget) return;
    QPalette pal = FWidget->palette();
    pal.setColor(QPalette::Window, ToQColor(FColor));
    FWidget->setPalette(pal);
}

void TControl::FontChanged() {
    if (!FWidget) return;
    FWidget->setFont(FFont.ToQFont());
    QPalette pal = FWidget->palette();
    FontPalette(pal);
    FWidget->setPalette(pal);
}

void TControl::FontPalette(QPalette& pal) const {
    const QColor c = ToQColor(FFont.Color());
    // The disabled look keeps the system's grey text, so a disabled control never looks enabled.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            pal.setColor(group, role, c);
}

void TControl::SetCaption(const QString& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetHint(const QString& hint) {
    FHint = hint;
}

void TControl::SetShowHint(bool show) {
    FShowHint = show;
    // The hint follows the mouse over the control, buttons up or down.
    if (show && FWidget) FWidget->setMouseTracking(true);
    if (show && FMouseWidget) FMouseWidget->setMouseTracking(true);
}

void TControl::SetCursor(TCursor cursor) {
    FCursor = cursor;
    if (!FWidget) return;
    switch (cursor) {
    case crHandPoint:
        FWidget->setCursor(Qt::PointingHandCursor);
        break;
    case crIBeam:
        FWidget->setCursor(Qt::IBeamCursor);
        break;
    case crCross:
        FWidget->setCursor(Qt::CrossCursor);
        break;
    case crHourGlass:
        FWidget->setCursor(Qt::WaitCursor);
        break;
    case crSizeAll:
        FWidget->setCursor(Qt::SizeAllCursor);
        break;
    default:
        FWidget->unsetCursor();
    }
}

void TControl::BringToFront() {
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.push_back(this);
    }
    if (FWidget) FWidget->raise();
}

void TControl::SendToBack() {
    if (FWidget) FWidget->lower();
}

void TControl::Repaint() {
    if (FWidget) FWidget->repaint();
}

void TControl::Invalidate() {
    if (FWidget) FWidget->update();
}

void TControl::InvalidateRect(const TRect& r) {
    if (!FWidget) return;
    // Client coordinates start inside the non-client frame.
    const auto* win = dynamic_cast<const TWinControl*>(this);
    const TRect nc = win ? win->NonClientMargins() : TRect{};
    FWidget->update(ToQRect(r).translated(nc.Left, nc.Top));
}

void TControl::SetMouseTracking(bool on) {
    if (FWidget) FWidget->setMouseTracking(on);
    if (FMouseWidget) FMouseWidget->setMouseTracking(on);
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
    QWidget* client = ClientAreaWidget();
    if (!client) return p;
    const QPoint g = client->mapToGlobal(QPoint(p.X, p.Y));
    return {g.x(), g.y()};
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
    QWidget* client = ClientAreaWidget();
    if (!client) return p;
    const QPoint l = client->mapFromGlobal(QPoint(p.X, p.Y));
    return {l.x(), l.y()};
}

void TControl::BeginDrag(bool immediate, int threshold) {
    TDragManager::Instance().Begin(this, immediate, threshold);
}
bool TControl::Dragging() const {
    return TDragManager::Instance().Source() == this;
}
void TControl::EndDrag(bool drop) {
    if (Dragging()) TDragManager::Instance().Finish(drop);
}

void TControl::Click() {
    if (OnClick)
        FireEvent(OnClick, this);
    else if (FActionLink && !(ComponentState() & csDesigning))
        DispatchEvent([this] { FActionLink->Execute(this); });
}

TBasicAction* TControl::Action() const {
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* Value) {
    if (Value == Action()) return;
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = CreateActionLink();
    FActionLink->SetAction(Value);
    FActionLink->OnChange = [this](TObject* Sender) {
        if (Sender == Action()) ActionChange(Sender, false);
    };
    ActionChange(Value, Value->ComponentState() & csLoading);
    Value->FreeNotification(this);
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
    return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action) return;
    if (!CheckDefaults || Caption().isEmpty() || Caption() == Name()) SetCaption(action->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!CheckDefaults || Hint().isEmpty()) SetHint(action->Hint());
    if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FActionLink && AComponent == FActionLink->Action()) FActionLink.reset();
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = bool(OnDragOver);
    if (OnDragOver) FireEvent(OnDragOver, this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    FireEvent(OnDragDrop, this, source, x, y);
}
void TControl::DoEndDrag(TObject* target, int x, int y) {
    FireEvent(OnEndDrag, this, target, x, y);
}

void TControl::FirePendingMouseUp() {
    if (const auto fire = std::exchange(FPendingMouseUp, nullptr)) fire();
}

bool TControl::WidgetEvent(QEvent*) {
    return false;
}

bool TControl::eventFilter(QObject* watched, QEvent* event) {
    bool handled = true;  // a handler that failed had the event
    CatchEventException([&] { handled = FilterWidgetEvent(watched, event); });
    return handled;
}

bool TControl::FilterWidgetEvent(QObject* watched, QEvent* event) {
    if (!FWidget) return false;
    if (watched != FWidget.data()) {
        if (!FMouseWidget || watched != FMouseWidget.data()) return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::ContextMenu:
            break;
        default:
            return false;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick && !DoubleClicks()) {
        auto* e = static_cast<QMouseEvent*>(event);
        QMouseEvent press(QEvent::MouseButtonPress, e->position(), e->scenePosition(), e->globalPosition(),
                          e->button(), e->buttons(), e->modifiers(), e->pointingDevice());
        return FilterWidgetEvent(watched, &press);
    }
    QWidget* const receiver = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (OverChildControl(receiver, static_cast<QMouseEvent*>(event)->position().toPoint())) return true;
        break;
    default:
        break;
    }
    // A handler may free this control and its widget; the event then ends here, untouched.
    QPointer<QObject> alive(this);
    if (event->type() == QEvent::Enter && watched == FWidget.data()) {
        ShowApplicationHint(this);
        if (!alive) return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        FPendingMouseUp = [this, button = ButtonOf(e->button()),
                           shift = ShiftOf(e->modifiers(), e->buttons()), p = e->position().toPoint()] {
            FireEvent(OnMouseUp, this, button, shift, p.x(), p.y());
        };
    }
    // A handler that consumes the release without its base has no OnMouseUp.
    if (DispatchWidgetEvent(watched, event)) {
        if (alive) FPendingMouseUp = nullptr;
        return true;
    }
    if (!alive) return true;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        FMousePressed = e->button() == Qt::LeftButton;
        const bool handled = WidgetEvent(event);
        if (!alive) return true;
        FireEvent(OnMouseDown, this, ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(),
                  p.y());
        if (!alive) return true;
        if (FDragMode == dmAutomatic && e->button() == Qt::LeftButton) BeginDrag(false);
        return handled;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        const bool wasPressed = FMousePressed && e->button() == Qt::LeftButton;
        FMousePressed = false;
        const bool handled = WidgetEvent(event);
        if (!alive) return true;
        FirePendingMouseUp();
        if (!alive) return true;
        if (wasPressed && ClickOnMouseUp() && receiver->rect().contains(p)) Click();
        return handled || !alive;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        const bool handled = WidgetEvent(event);
        if (!alive) return true;
        if (e->button() == Qt::LeftButton) FireEvent(OnDblClick, this);
        if (!alive) return true;
        FireEvent(OnMouseDown, this, ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()) | ssDouble,
                  p.x(), p.y());
        return handled || !alive;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        const bool handled = WidgetEvent(event);
        if (!alive) return true;
        FireEvent(OnMouseMove, this, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
        return handled || !alive;
    }
    case QEvent::Enter:
        FireEvent(OnMouseEnter, this);
        return WidgetEvent(event);
    case QEvent::Leave:
        FireEvent(OnMouseLeave, this);
        return WidgetEvent(event);
    case QEvent::ContextMenu:
        if (FPopupMenu) {
            auto* e = static_cast<QContextMenuEvent*>(event);
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(e->globalPos().x(), e->globalPos().y());
            return true;
        }
        return WidgetEvent(event);
    case QEvent::Resize:
        if (!FInSetBounds) {
            const QSize s = FWidget->size();
            if (s.width() != FWidth || s.height() != FHeight) {
                FWidth = s.width();
                FHeight = s.height();
                Resized();
                FireEvent(OnResize, this);
            }
        }
        return WidgetEvent(event);
    case QEvent::Move:
        if (!FInSetBounds && FWidget->isWindow()) {
            FLeft = FWidget->x();
            FTop = FWidget->y();
        }
        return WidgetEvent(event);
    default:
        return WidgetEvent(event);
    }
}

// TWinControl -----------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // The dock manager goes first: it gives the site its window procedure back.
    FDockManager.reset();
    // Owned controls go first, while this control is still whole.
    DestroyComponents();
    // Children owned elsewhere (a docked window) outlive this control: they lose their parent, and
    // their widgets leave this one's so that each goes only with its own control.
    for (TControl* child : FControls) {
        child->FParent = nullptr;
        if (child->FWidget) {
            child->FWidget->hide();
            child->FWidget->setParent(nullptr);
        }
    }
    FControls.clear();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    TComponent::GetChildren(Proc, Root);
    for (TControl* child : FControls)
        if (child->Owner() == Root) Proc(child);
}

void TWinControl::SetFocus() {
    if (FWidget) FocusWidget(FWidget, Qt::OtherFocusReason);
}

bool TWinControl::Focused() const {
    return FWidget && FWidget->hasFocus();
}

bool TWinControl::HasWindowFocus() const {
    return FWidget && (FWidget->hasFocus() || FWidget->window()->focusWidget() == FWidget.data());
}
bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

bool TWinControl::TabStop() const {
    return FWidget && (FWidget->focusPolicy() & Qt::TabFocus);
}

void TWinControl::SetTabStop(bool Value) {
    if (!FWidget) return;
    const Qt::FocusPolicy policy = FWidget->focusPolicy();
    FWidget->setFocusPolicy(Value ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                  : Qt::FocusPolicy(policy & ~Qt::TabFocus));
}

void TWinControl::Realign() {
    TRect area = ClientRect();
    AdjustClientRect(area);
    AlignControls(area);
}

void TWinControl::AlignControls(TRect& Rect) {
    if (FDockManager) FDockManager->ResetBounds(false);
    int left = Rect.Left, top = Rect.Top, right = Rect.Right, bottom = Rect.Bottom;
    auto placeAll = [&](TAlign align, auto less) {
        std::vector<TControl*> group;
        for (TControl* c : FControls)
            if (c->FAlign == align && c->FVisible) group.push_back(c);
        std::stable_sort(group.begin(), group.end(), less);
        for (TControl* c : group) {
            switch (align) {
            case alTop:
                c->ApplyBounds(left, top, right - left, c->FHeight);
                top += c->FHeight;
                break;
            case alBottom:
                c->ApplyBounds(left, bottom - c->FHeight, right - left, c->FHeight);
                bottom -= c->FHeight;
                break;
            case alLeft:
                c->ApplyBounds(left, top, c->FWidth, bottom - top);
                left += c->FWidth;
                break;
            case alRight:
                c->ApplyBounds(right - c->FWidth, top, c->FWidth, bottom - top);
                right -= c->FWidth;
                break;
            default:
                c->ApplyBounds(left, top, right - left, bottom - top);
            }
        }
    };
    placeAll(alTop, [](TControl* a, TControl* b) { return a->FTop < b->FTop; });
    placeAll(alBottom, [](TControl* a, TControl* b) { return a->FTop + a->FHeight > b->FTop + b->FHeight; });
    placeAll(alLeft, [](TControl* a, TControl* b) { return a->FLeft < b->FLeft; });
    placeAll(alRight, [](TControl* a, TControl* b) { return a->FLeft + a->FWidth > b->FLeft + b->FWidth; });
    placeAll(alClient, [](TControl*, TControl*) { return false; });
}

void TWinControl::ChangeScale(int M, int D) {
    TControl::ChangeScale(M, D);
    const std::vector<TControl*> children = FControls;
    for (TControl* child : children)
        child->ChangeScale(M, D);
}

// Docking ---------------------------------------------------------------------------------------
void TWinControl::SetDockSite(bool Value) {
    if (Value == FDockSite) return;
    FDockSite = Value;
    UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool Value) {
    if (Value == FUseDockManager) return;
    FUseDockManager = Value;
    UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
    if (FDockSite && FUseDockManager) {
        TDockTree* manager = CreateDockManager();
        if (manager != FDockManager.get()) FDockManager.reset(manager);
    } else {
        FDockManager.reset();
    }
    Realign();
    Invalidate();
}

TDockTree* TWinControl::CreateDockManager() {
    if (!FDockManager && FDockSite && FUseDockManager) return new TDockTree(this);
    return FDockManager.get();
}

bool TWinControl::WidgetEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return HandleKeyPress(event);
    case QEvent::KeyRelease: {
        if (gReplayingKey || !OnKeyUp) return false;
        auto* e = static_cast<QKeyEvent*>(event);
        unsigned short key = VirtualKeyOf(e);
        FireEvent(OnKeyUp, this, key, ShiftOf(e->modifiers()));
        return key == 0 && VirtualKeyOf(e) != 0;
    }
    case QEvent::FocusIn:
        FireEvent(OnEnter, this);
        return false;
    case QEvent::FocusOut:
        FireEvent(OnExit, this);
        return false;
    default:
        return false;
    }
}

bool TWinControl::HandleKeyPress(QEvent* event) {
    auto* e = static_cast<QKeyEvent*>(event);
    return HandleKeyDown(e) || HandleKeyChar(e);
}

bool TWinControl::HandleKeyDown(QKeyEvent* e) {
    if (gReplayingKey) return false;
    const unsigned short vk = VirtualKeyOf(e);
    if (!OnKeyDown || vk == 0) return false;
    unsigned short key = vk;
    QPointer<QObject> alive(this);
    FireEvent(OnKeyDown, this, key, ShiftOf(e->modifiers()));
    return !alive || key == 0;
}

bool TWinControl::HandleKeyChar(QKeyEvent* e) {
    if (gReplayingKey) return false;
    QChar ch = KeyCharOf(e);
    if (!OnKeyPress || ch.isNull()) return false;
    const QChar typed = ch;
    QPointer<QObject> alive(this);
    FireEvent(OnKeyPress, this, ch);
    if (!alive || ch.isNull()) return true;
    if (ch == typed) return false;
    // The handler replaced the character: hand the widget the new one instead.
    QKeyEvent replaced(QEvent::KeyPress, 0, e->modifiers(), QString(ch));
    gReplayingKey = true;
    QApplication::sendEvent(FWidget, &replaced);
    gReplayingKey = false;
    return true;
}

// TCustomControl --------------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetWidget(
        new TPaintWidget([this](QPainter& painter, const QRegion& region) { PaintWidget(painter, region); }));
}

void TCustomControl::PaintWidget(QPainter& painter, const QRegion& region) {
    if (FOffscreenPaint) {
        const QRegion part = region.intersected(QRect(0, 0, FWidth, FHeight));
        if (part.isEmpty()) return;
        const QRect bounds = part.boundingRect();
        if (FKeepsOffscreenImage) {
            QImage& image = SizedOffscreenImage();
            PaintOffscreenInto(image, QPoint(), part);
            painter.drawImage(bounds.topLeft(), image, bounds);
            return;
        }
        // Only the part asked for, in an image of its size.
        FOffscreen.reset();
        QImage image(bounds.size(), QImage::Format_RGB32);
        image.fill(ToQColor(FColor));
        PaintOffscreenInto(image, bounds.topLeft(), part);
        painter.drawImage(bounds.topLeft(), image);
        return;
    }
    FCanvas.BeginPaint(&painter);
    FCanvas.Font()->Assign(*Font());
    FCanvas.Brush()->SetColor(Color());
    DispatchEvent([this] { Paint(); });
    FCanvas.EndPaint();
}

void TCustomControl::Paint() {
    FireEvent(OnPaint, this);
}

TPaintBox::TPaintBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 105, 105);
}
