// The application's hint machinery: which control the mouse rests on, the pause before its hint
// shows, CM_HINTSHOW and OnShowHint, the hint window of the current class, and hiding it again.
#include "Forms.h"
#include "HintWindow.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

THintWindowClass HintWindowClass = &NewHintWindow<THintWindow>;

namespace {
// How far below the mouse's hot spot a hint starts: the height of the arrow cursor.
constexpr int CursorHeightMargin = 20;

// The control under a screen point: the innermost widget there that belongs to a control.
TControl* ControlAt(const TPoint& p) {
    for (QWidget* w = QApplication::widgetAt(p.X, p.Y); w; w = w->parentWidget())
        if (TControl* c = TControl::FromWidget(w)) return c;
    return nullptr;
}

// The control whose hint shows for a control under the mouse: the nearest with a Hint, itself or a
// parent, when that one shows hints.
TControl* HintControlOf(TControl* c) {
    while (c && c->Hint().isEmpty())
        c = c->Parent();
    return c && c->ShowHint() ? c : nullptr;
}

bool IsHintWindow(const TControl* c) {
    return dynamic_cast<const THintWindow*>(c) != nullptr;
}

// Whether a move the control received at a screen point is its own: Qt hands a move that a child
// widget leaves unhandled on to the parent, and such a move counts for the innermost control only.
// A point on the control is looked up among its own widgets, without walking every window on the
// screen; only a point off it (the mouse held down and dragged away) asks the screen.
bool InnermostAt(TControl* control, const TPoint& p) {
    QWidget* const root = control->Widget();
    const QPoint local = root ? root->mapFromGlobal(QPoint(p.X, p.Y)) : QPoint();
    if (!root || !root->rect().contains(local)) {
        TControl* under = ControlAt(p);
        return !under || under == control;
    }
    for (QWidget* w = root->childAt(local); w && w != root; w = w->parentWidget())
        if (TControl* c = TControl::FromWidget(w)) return c == control;
    return true;
}
}  // namespace

class THintState {
public:
    bool ShowHint = true;
    int Pause = 500, ShortPause = 50, HidePause = 2500;
    TColor Color = clInfoBk;
    QPointer<THintWindow> Window;
    THintWindowClass WindowClass = nullptr;  // the class Window was made of
    QPointer<TControl> Control;              // the hint control the mouse rests on
    TPoint Cursor;                           // the mouse on the screen, from the last message
    TRect CursorRect;                        // where the showing hint may stay, on the screen
    bool Showing = false;
    // A hint has shown since the mouse came onto hinted controls: the next control's hint follows after
    // the short pause. Hiding a hint keeps it; a spot without a hint or a click forgets it.
    bool Active = false;
    QPointer<QTimer> PauseTimer, HideTimer;

    QTimer* Timer(QPointer<QTimer>& timer, const std::function<void()>& tick) {
        if (!timer && qApp) {
            // Owned by the Qt application, so the timer goes while Qt is still there.
            timer = new QTimer(qApp);
            timer->setSingleShot(true);
            QObject::connect(timer, &QTimer::timeout, tick);
        }
        return timer;
    }

    void MakeWindow(TApplication* owner, THintWindowClass windowClass) {
        delete Window.data();
        Window = windowClass ? windowClass(owner) : nullptr;
        WindowClass = windowClass;
    }
};

THintState& TApplication::Hints() const {
    if (!FHints) FHints = new THintState;
    return *FHints;
}

TApplication::~TApplication() {
    delete FHints;
}

bool TApplication::ShowHint() const {
    return Hints().ShowHint;
}

void TApplication::SetShowHint(bool show) {
    THintState& h = Hints();
    if (show == h.ShowHint) return;
    h.ShowHint = show;
    if (!show) {
        CancelHint();
        delete h.Window.data();
    } else if (qApp) {
        h.MakeWindow(this, HintWindowClass);
    }
}

int TApplication::HintPause() const {
    return Hints().Pause;
}
void TApplication::SetHintPause(int ms) {
    Hints().Pause = ms;
}
int TApplication::HintShortPause() const {
    return Hints().ShortPause;
}
void TApplication::SetHintShortPause(int ms) {
    Hints().ShortPause = ms;
}
int TApplication::HintHidePause() const {
    return Hints().HidePause;
}
void TApplication::SetHintHidePause(int ms) {
    Hints().HidePause = ms;
}
TColor TApplication::HintColor() const {
    return Hints().Color;
}
void TApplication::SetHintColor(TColor color) {
    Hints().Color = color;
}
THintWindow* TApplication::HintWindow() const {
    return Hints().Window;
}

void TApplication::HideHint() {
    THintState& h = Hints();
    if (h.HideTimer) h.HideTimer->stop();
    if (h.Window) h.Window->ReleaseHandle();
    h.Showing = false;
}

void TApplication::CancelHint() {
    THintState& h = Hints();
    if (h.PauseTimer) h.PauseTimer->stop();
    HideHint();
    h.Control = nullptr;
    h.Active = false;
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
    THintState& h = Hints();
    h.Cursor = CursorPos;
    TControl* under = ControlAt(CursorPos);
    h.Control = under && !IsHintWindow(under) ? HintControlOf(under) : nullptr;
    if (h.PauseTimer) h.PauseTimer->stop();
    TControl* control = h.Control;
    if (!control || !h.ShowHint) {
        HideHint();
        return;
    }
    const TRect area = Screen->WorkAreaAt(CursorPos);
    THintInfo info;
    info.HintControl = control;
    info.HintWindowClass = HintWindowClass;
    info.HintPos = {CursorPos.X, CursorPos.Y + CursorHeightMargin};
    info.HintMaxWidth = area.Width();
    info.HintColor = h.Color;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(CursorPos);
    info.HideTimeout = h.HidePause;
    info.HintStr = control->Hint();
    QPointer<TControl> alive(control);
    if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<std::intptr_t>(&info)) != 0 || !alive) {
        HideHint();
        return;
    }
    bool canShow = true;
    FireEvent(OnShowHint, info.HintStr, canShow, info);
    if (!canShow || info.HintStr.isEmpty() || !alive || !h.ShowHint) {
        HideHint();
        return;
    }
    // A window of another class than the one in the information gives way to a new one.
    if (!h.Window || h.WindowClass != info.HintWindowClass) h.MakeWindow(this, info.HintWindowClass);
    if (!h.Window) return;
    h.Window->SetColor(info.HintColor);
    TRect r = h.Window->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    h.Window->ActivateHintData(r, info.HintStr, info.HintData);
    h.Showing = true;
    h.Active = true;
    const TPoint origin = alive ? control->ClientToScreen({0, 0}) : TPoint{};
    h.CursorRect = info.CursorRect;
    OffsetRect(h.CursorRect, origin.X, origin.Y);
    if (info.HideTimeout > 0)
        if (QTimer* t = h.Timer(h.HideTimer, [this] { HideHint(); })) t->start(info.HideTimeout);
}

void TApplication::HintMouseMessage(TControl* Control, const TMessage& Message,
                                    std::optional<TPoint> cursor) {
    if (!Control || IsHintWindow(Control)) return;
    THintState& h = Hints();
    if (Message.Msg == CM_MOUSELEAVE) {
        // Off the control: unless the mouse went onto the hint itself, the hint goes. Gone straight onto
        // another hinted control, that one's hint follows after the short pause; anywhere else (the
        // window's bare background, which reports no moves, or outside) the next hint waits the long one.
        // Only the control whose hint is pending asks where the mouse went: each asking waits on the
        // window system, and a window opening under the mouse makes many controls leave at once.
        if (h.Control != Control) return;
        const TPoint at = cursor ? *cursor : Mouse->CursorPos();
        if (h.Window && h.Window->Visible() && h.Window->BoundsRect().Contains(at)) return;
        TControl* next = ControlAt(at);
        next = next && !IsHintWindow(next) ? HintControlOf(next) : nullptr;
        const bool moveOn = h.Active && next && next != Control;
        CancelHint();
        h.Active = moveOn;
        return;
    }
    if (Message.Msg >= WM_LBUTTONDOWN && Message.Msg <= WM_MBUTTONDBLCLK) {
        CancelHint();
        return;
    }
    if (Message.Msg != WM_MOUSEMOVE && Message.Msg != CM_MOUSEENTER) return;
    TControl* hintControl = HintControlOf(Control);
    if (!hintControl && !h.Control && !h.Showing && !h.Active) return;
    // Entering a control counts as a move: a widget without mouse tracking reports no other.
    const TPoint at =
        Message.Msg != CM_MOUSEENTER
            ? Control->ClientToScreen({LoWordSigned(Message.LParam), HiWordSigned(Message.LParam)})
        : cursor ? *cursor
                 : Mouse->CursorPos();
    if (!InnermostAt(Control, at)) return;
    h.Cursor = at;
    if (!hintControl) h.Active = false;  // a spot without a hint: the next hint waits the long pause
    if (hintControl != h.Control) {
        const bool moveOn = h.Showing || h.Active;
        HideHint();
        h.Control = hintControl;
        if (!hintControl || !h.ShowHint) {
            if (h.PauseTimer) h.PauseTimer->stop();
            return;
        }
        if (QTimer* t = h.Timer(h.PauseTimer, [this] { ActivateHint(Hints().Cursor); }))
            t->start(moveOn ? h.ShortPause : h.Pause);
        return;
    }
    if (h.Showing && !h.CursorRect.Contains(at)) {
        HideHint();
        if (QTimer* t = h.Timer(h.PauseTimer, [this] { ActivateHint(Hints().Cursor); }))
            t->start(h.ShortPause);
    }
}
