#include "PopupLoop.h"

#include "Forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <vector>

// Drop-down windows ---------------------------------------------------------------------------------

namespace {
// Keeps the activation where it was when the drop-down showed: where the window system activates the
// drop-down all the same (on a click, or on showing it), the activation goes back.
class TActivationKeeper : public QObject {
public:
    explicit TActivationKeeper(QWidget* dropDown) : QObject(dropDown), FDropDown(dropDown) {
        dropDown->installEventFilter(this);
    }
    void Shown() { FActive = QApplication::activeWindow(); }
    void Hidden() {
        if (FActive && FActive->isVisible() && (!QApplication::activeWindow() || FDropDown->isActiveWindow()))
            FActive->activateWindow();
    }
    static TActivationKeeper* Of(QWidget* w) {
        for (QObject* child : w->children())
            if (auto* keeper = dynamic_cast<TActivationKeeper*>(child)) return keeper;
        return nullptr;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == FDropDown && e->type() == QEvent::WindowActivate && FActive && FActive->isVisible())
            FActive->activateWindow();
        return false;
    }

private:
    QWidget* FDropDown;
    QPointer<QWidget> FActive;
};
}  // namespace

void MakeDropDownWindow(TWinControl* Control, TWinControl* Owner) {
    QWidget* w = Control->Widget();
    if (!w) return;
    // A tool-tip window: never activated when shown, never given the keyboard, above the others.
    w->setParent(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                              Qt::NoDropShadowWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    w->winId();
    // Kept above the owner's window without being its child widget, so that freeing the owner's
    // widgets never frees the drop-down's.
    if (Owner && Owner->Widget() && Owner->Widget()->window()->windowHandle())
        w->windowHandle()->setTransientParent(Owner->Widget()->window()->windowHandle());
    if (!TActivationKeeper::Of(w)) new TActivationKeeper(w);
}

void ShowDropDownWindow(TWinControl* Control) {
    QWidget* w = Control->Widget();
    if (!w) return;
    if (auto* keeper = TActivationKeeper::Of(w)) keeper->Shown();
    w->setGeometry(Control->Left(), Control->Top(), Control->Width(), Control->Height());
    w->show();
}

void HideDropDownWindow(TWinControl* Control) {
    QWidget* w = Control->Widget();
    if (!w) return;
    w->hide();
    if (auto* keeper = TActivationKeeper::Of(w)) keeper->Hidden();
}

void ClearKeyboardFocus() {
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
}

bool ApplicationActive() {
    return QApplication::activeWindow() != nullptr;
}

// Posted messages -----------------------------------------------------------------------------------

namespace {
// A message on its way to a control; Qt drops it when the control is freed first.
class TPostedMessageEvent : public QEvent {
public:
    explicit TPostedMessageEvent(const TMessage& m) : QEvent(Type()), Message(m) {}
    static QEvent::Type Type() {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    TMessage Message;
};

// Delivers posted messages to the control they are posted to.
class TPostedMessageReceiver : public QObject {
public:
    explicit TPostedMessageReceiver(TControl* control) : QObject(control), FControl(control) {}
    bool event(QEvent* e) override {
        if (e->type() != TPostedMessageEvent::Type()) return QObject::event(e);
        TMessage m = static_cast<TPostedMessageEvent*>(e)->Message;
        DispatchEvent([&] { FControl->Perform(m.Msg, m.WParam, m.LParam); });
        return true;
    }

private:
    TControl* FControl;
};

TPostedMessageReceiver* ReceiverOf(TControl* control) {
    for (QObject* child : control->children())
        if (auto* r = dynamic_cast<TPostedMessageReceiver*>(child)) return r;
    return new TPostedMessageReceiver(control);
}

const TPostedMessageEvent* AsPostedMessage(QEvent* e) {
    return e->type() == TPostedMessageEvent::Type() ? static_cast<TPostedMessageEvent*>(e) : nullptr;
}
}  // namespace

void PostMessage(TControl* Control, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
    if (!Control) return;
    QCoreApplication::postEvent(ReceiverOf(Control),
                                new TPostedMessageEvent({Msg, WParam, LParam, 0, false}));
}

// The loop ------------------------------------------------------------------------------------------

namespace {
// The loops running now, the innermost last.
std::vector<TDropDownLoop*> RunningLoops;
}  // namespace

class TDropDownLoop::TFilter : public QObject {
public:
    TFilter(TDropDownLoop* loop, TWinControl* host, unsigned release)
        : FLoop(loop), FHost(host), FRelease(release) {}

    TDropDownLoopEnd Run() {
        FHow = dleRunning;
        QEventLoop loop;
        FEventLoop = &loop;
        FStarted.start();
        {
            // Code that throws through the event loop ends the loop too: it is then no longer sorting
            // the application's events nor counted as running.
            const TRunning running(this);
            if (!Application->Terminated()) loop.exec();
        }
        if (FHow == dleRunning) FHow = dleTerminated;
        if (FHow == dleRelease && FHost) PostMessage(FHost, FRelease);
        if (FException) std::rethrow_exception(std::exchange(FException, nullptr));
        return FHow;
    }

    void Fail(std::exception_ptr error) {
        if (!FException) FException = std::move(error);
        End(dleEnded);
    }

    void End(TDropDownLoopEnd how) {
        if (FHow != dleRunning) return;
        FHow = how;
        if (FEventLoop) FEventLoop->exit();
    }

    bool Running() const { return FEventLoop && FHow == dleRunning; }
    std::int64_t RunningMilliseconds() const { return Running() ? FStarted.elapsed() : 0; }

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        if (FHow != dleRunning) return false;
        if (std::find(FPassing.begin(), FPassing.end(), e) != FPassing.end()) return false;
        if (Application->Terminated()) {
            End(dleTerminated);
            return false;
        }
        switch (e->type()) {
        case QEvent::ApplicationDeactivate:
            End(dleDeactivated);
            return false;
        case QEvent::ApplicationStateChange:
            if (QApplication::applicationState() != Qt::ApplicationActive) End(dleDeactivated);
            return false;
        default:
            break;
        }
        if (const auto* posted = AsPostedMessage(e)) {
            if (posted->Message.Msg != FRelease || !FHost || receiver->parent() != FHost.data()) return false;
            End(dleRelease);
            return true;  // posted again once the loop is over
        }
        if (receiver->isWindowType()) return WindowStage(static_cast<QWindow*>(receiver), e);
        if (!receiver->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(receiver);
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            if (!Inside(widget)) {
                End(dleOutsideClick);
                return true;
            }
            return Deliver(widget, e);
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return Inside(widget) && Deliver(widget, e);
        case QEvent::Wheel:
            return !Inside(widget) || Deliver(widget, e);
        case QEvent::ShortcutOverride:
            // No shortcut of the windows behind takes a key while the drop-down has the keys.
            e->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const unsigned short key = KeyEventVirtualKey(static_cast<QKeyEvent*>(e));
            TWinControl* target = nullptr;
            Guarded(
                [&] { target = FLoop->OnKey ? FLoop->OnKey(key, e->type() == QEvent::KeyPress) : nullptr; });
            if (target && target->Widget() && FHow == dleRunning) Deliver(target->Widget(), e);
            return true;
        }
        case QEvent::FocusIn:
            if (!Inside(widget)) End(dleFocusLost);
            return false;
        default:
            return false;
        }
    }

private:
    // While the loop runs: registered, and sorting the application's events.
    class TRunning {
    public:
        explicit TRunning(TFilter* filter) : FFilter(filter) {
            RunningLoops.push_back(filter->FLoop);
            qApp->installEventFilter(filter);
        }
        ~TRunning() {
            qApp->removeEventFilter(FFilter);
            RunningLoops.erase(std::find(RunningLoops.begin(), RunningLoops.end(), FFilter->FLoop));
            FFilter->FEventLoop = nullptr;
        }
        TRunning(const TRunning&) = delete;
        TRunning& operator=(const TRunning&) = delete;

    private:
        TFilter* FFilter;
    };

    // The window system's events reach a window before Qt hands them to the widget under the mouse,
    // and before a press or a wheel turn gives that widget the focus: over another window, a press
    // ends the drop-down there and a wheel turn goes nowhere, so no control behind it is entered,
    // pressed or turned.
    bool WindowStage(QWindow* window, QEvent* e) {
        QWidget* host = FHost ? FHost->Widget() : nullptr;
        if (host && host->windowHandle() == window) return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            End(dleOutsideClick);
            return true;
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }
    bool Inside(QWidget* w) const {
        QWidget* host = FHost ? FHost->Widget() : nullptr;
        return host && (w == host || host->isAncestorOf(w));
    }
    // Runs `f`; an exception ends the loop and goes on to the caller of Run once the loop is over.
    template <class F> void Guarded(F&& f) {
        try {
            f();
        } catch (...) {
            Fail(std::current_exception());
        }
    }
    // Hands the event to the widget now, past this filter. A control's handler that fails ends the
    // loop from the control's own filter, before Qt's frames; what else throws is caught here.
    bool Deliver(QWidget* widget, QEvent* e) {
        FPassing.push_back(e);
        Guarded([&] { QCoreApplication::sendEvent(widget, e); });
        FPassing.erase(std::find(FPassing.begin(), FPassing.end(), e));
        return true;
    }

    TDropDownLoop* FLoop;
    QPointer<TWinControl> FHost;
    unsigned FRelease;
    QEventLoop* FEventLoop = nullptr;
    QElapsedTimer FStarted;
    TDropDownLoopEnd FHow = dleEnded;
    std::vector<QEvent*> FPassing;
    std::exception_ptr FException;
};

TDropDownLoop::TDropDownLoop(TWinControl* Host, unsigned ReleaseMessage)
    : FFilter(std::make_unique<TFilter>(this, Host, ReleaseMessage)) {}

TDropDownLoop::~TDropDownLoop() = default;

TDropDownLoopEnd TDropDownLoop::Run() {
    return FFilter->Run();
}

void TDropDownLoop::End(TDropDownLoopEnd How) {
    FFilter->End(How);
}

bool TDropDownLoop::Running() const {
    return FFilter->Running();
}

TDropDownLoop* TDropDownLoop::Innermost() {
    return RunningLoops.empty() ? nullptr : RunningLoops.back();
}

bool TDropDownLoop::EndInnermostWith(std::exception_ptr Error) {
    if (RunningLoops.empty()) return false;
    RunningLoops.back()->FFilter->Fail(std::move(Error));
    return true;
}

std::int64_t TDropDownLoop::RunningMilliseconds() const {
    return FFilter->RunningMilliseconds();
}
