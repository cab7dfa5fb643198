#include "Forms.h"

#include "DockTree.h"
#include "FocusWithin.h"
#include "TabOrder.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QMouseEvent>
#include <QPolygon>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

TModalHook gModalHook;

// The top-level widget of a form: a close request goes through the form's rules.
class TFormWidget : public QWidget {
public:
    std::function<bool()> CloseRequest;

protected:
    // Tab and Shift+Tab visit what the user can see, in reading order; a form docked inside another
    // window leaves that to the window.
    bool focusNextPrevChild(bool next) override {
        if (!isWindow()) return QWidget::focusNextPrevChild(next);
        QWidget* stop = NextTabStop(this, next);
        if (stop) FocusWidget(stop, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return stop != nullptr;
    }
    // A window that has no focus yet takes it on its first field or button; with none (all of them
    // hidden or disabled) the window keeps the focus itself rather than handing it to a title button.
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && isWindow() && !focusWidget()) {
            if (QWidget* first = FirstTabStop(this, true))
                FocusWidget(first, Qt::ActiveWindowFocusReason);
            else
                setFocus(Qt::ActiveWindowFocusReason);
        }
        return QWidget::event(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (CloseRequest && !CloseRequest())
            e->ignore();
        else
            e->accept();
    }
};

// Moves a window with the mouse until the button is let go, for window systems that cannot do it
// themselves (no window manager). Frees itself when done or when the window goes.
class TWindowMover : public QObject {
public:
    TWindowMover(QWidget* window, const QPoint& grab)
        : QObject(window), FWindow(window), FOffset(grab - window->pos()) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const auto* e = static_cast<QMouseEvent*>(event);
            if (!(e->buttons() & Qt::LeftButton)) {
                deleteLater();  // the release went elsewhere
                return false;
            }
            FWindow->move(e->globalPosition().toPoint() - FOffset);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) deleteLater();
        return false;
    }

private:
    QWidget* FWindow;
    QPoint FOffset;  // from the window's corner to the point where the mouse took it
};

}  // namespace

void SetModalHook(TModalHook hook) {
    gModalHook = std::move(hook);
}

// TForm -----------------------------------------------------------------------------------------

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    auto* w = new TFormWidget;
    w->CloseRequest = [this] { return HandleCloseRequest(); };
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setAutoFillBackground(true);
    SetWidget(w);
    FVisible = false;
    SetBounds(0, 0, 640, 480);
    ColorChanged();
}

TForm::~TForm() {
    if (FModalLoop) FModalLoop->quit();
    FireEvent(OnDestroy, this);
    if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

QString TForm::Caption() const {
    return FWidget ? FWidget->windowTitle() : FCaption;
}

void TForm::SetCaption(const QString& caption) {
    FCaption = caption;
    if (FWidget) FWidget->setWindowTitle(caption);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    FBorderStyle = style;
    ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle style) {
    FFormStyle = style;
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
    if (!FWidget || FHostDockSite) return;
    const bool wasVisible = FWidget->isVisible();
    Qt::WindowFlags flags = Qt::Window;
    if (FBorderStyle == bsNone) flags |= Qt::FramelessWindowHint;
    if (FBorderStyle == bsDialog || FBorderStyle == bsSingle)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) flags = Qt::Tool;
    if (FFormStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
    FWidget->setWindowFlags(flags);
    if (wasVisible) FWidget->show();
}

void TForm::SetVisible(bool visible) {
    FVisible = visible;
    if (!FWidget) return;
    if (!visible) {
        FWidget->hide();
        return;
    }
    if (FHostDockSite) {
        FWidget->show();
        if (FParent) FParent->Realign();
        return;
    }
    if (!FShownOnce) {
        FShownOnce = true;
        if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
            FPosition == poOwnerFormCenter) {
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            SetBounds(screen.x() + (screen.width() - FWidth) / 2,
                      screen.y() + (screen.height() - FHeight) / 2, FWidth, FHeight);
        }
    }
    FWidget->show();
    FWidget->raise();
    FWidget->activateWindow();
}

void TForm::ShowForm() {
    SetVisible(true);
    BringToFront();
    // A docked window brought over the one that has the keyboard takes it: what is typed next must not
    // go on in a window the user no longer sees.
    if (!FHostDockSite || !FWidget || !FHostDockSite->Widget()) return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != FWidget && !FWidget->isAncestorOf(focus) &&
        FHostDockSite->Widget()->isAncestorOf(focus))
        SelectFirst();
}

int TForm::ShowModal() {
    FModalResult = mrNone;
    FModal = true;
    if (FWidget && !FHostDockSite) FWidget->setWindowModality(Qt::ApplicationModal);
    ShowForm();
    QPointer<QObject> alive(this);
    if (gModalHook) {
        gModalHook(this);
        if (alive && FModalResult == mrNone) FModalResult = mrCancel;
    } else if (FModalResult == mrNone && FWidget && FWidget->isVisible()) {
        QEventLoop loop;
        FModalLoop = &loop;
        loop.exec();
        if (alive) FModalLoop = nullptr;
    }
    if (!alive) return mrCancel;
    FModal = false;
    if (FModalResult == mrNone) FModalResult = mrCancel;
    const int result = FModalResult;
    if (FWidget) {
        FWidget->hide();
        FWidget->setWindowModality(Qt::NonModal);
    }
    FVisible = false;
    return result;
}

void TForm::SetModalResult(int result) {
    FModalResult = result;
    if (FModalLoop && result != mrNone) FModalLoop->quit();
    if (FModal && result != mrNone) {
        // The modal wait ends; OnClose still runs as for a closed window.
        TCloseAction action = caHide;
        FireEvent(OnClose, this, action);
    }
}

bool TForm::HandleCloseRequest() {
    if (FClosing) return true;
    bool canClose = true;
    FireEvent(OnCloseQuery, this, canClose);
    if (!canClose) return false;
    TCloseAction action = caHide;
    FireEvent(OnClose, this, action);
    switch (action) {
    case caNone:
        return false;
    case caMinimize:
        Minimize();
        return false;
    case caFree:
        FVisible = false;
        if (FModal) FModalResult = mrCancel;
        Release();
        return true;
    default:
        FVisible = false;
        if (FModal) FModalResult = mrCancel;
        return true;
    }
}

void TForm::Close() {
    if (!FWidget) return;
    if (FModal && FModalResult == mrNone) {
        if (HandleCloseRequest()) {
            if (FModalResult == mrNone) FModalResult = mrCancel;
            FWidget->hide();
        }
        return;
    }
    if (!HandleCloseRequest()) return;
    FClosing = true;
    FWidget->hide();
    FClosing = false;
    if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::Release() {
    if (FWidget) FWidget->hide();
    deleteLater();
}

void TForm::Minimize() {
    if (FWidget) FWidget->showMinimized();
}

void TForm::SetAlphaBlend(bool on) {
    FAlphaBlend = on;
    if (FWidget) FWidget->setWindowOpacity(on ? FAlphaBlendValue / 255.0 : 1.0);
}

void TForm::SetAlphaBlendValue(int value) {
    FAlphaBlendValue = std::clamp(value, 0, 255);
    if (FAlphaBlend && FWidget) FWidget->setWindowOpacity(FAlphaBlendValue / 255.0);
}

void TForm::SetWindowRegion(const std::vector<TPoint>& polygon) {
    if (!FWidget) return;
    QPolygon poly;
    for (const TPoint& p : polygon)
        poly << QPoint(p.X, p.Y);
    FWidget->setMask(QRegion(poly, Qt::OddEvenFill));
}

void TForm::StartSystemMove() {
    if (!FWidget || !FWidget->isWindow()) return;
    if (FWidget->windowHandle() && FWidget->windowHandle()->startSystemMove()) return;
    new TWindowMover(FWidget, QCursor::pos());
}

void TForm::ManualDock(TWinControl* host) {
    FHostDockSite = host;
    if (FWidget) FWidget->setWindowFlags(Qt::Widget);
    // A site with a dock manager places the window under a caption bar; any other it fills.
    if (host && host->DockManager()) {
        SetAlign(alNone);
        host->DockManager()->InsertControl(this, alClient, nullptr);
        return;
    }
    SetParent(host);
    SetAlign(alClient);
    if (host) host->Realign();
}

TWinControl* TForm::ActiveControl() const {
    TWinControl* control = FocusedControl();
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return control;
    return nullptr;
}

void TForm::DefocusControl(TWinControl* Control, bool) {
    for (TControl* c = ActiveControl(); c; c = c->Parent())
        if (c == Control) {
            if (FWidget) FocusWidget(FWidget, Qt::OtherFocusReason);
            return;
        }
}

TForm* GetParentForm(TControl* Control, bool TopForm) {
    TForm* found = nullptr;
    for (TControl* c = Control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) {
            found = form;
            if (!TopForm) break;
        }
    return found;
}

bool TForm::Active() const {
    return FWidget && FWidget->isActiveWindow();
}

bool TForm::WidgetEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        FVisible = true;
        // The window system's own show events (a window mapped, restored from the task bar) are not the
        // program showing the window.
        if (!event->spontaneous()) FireEvent(OnShow, this);
        return false;
    case QEvent::Hide:
        if (FModalLoop && !FWidget->isVisible()) FModalLoop->quit();
        if (!event->spontaneous()) FireEvent(OnHide, this);
        return false;
    case QEvent::WindowActivate:
        FireEvent(OnActivate, this);
        return false;
    case QEvent::Paint:
        FireEvent(OnPaint, this);
        return TWinControl::WidgetEvent(event);
    default:
        return TWinControl::WidgetEvent(event);
    }
}

// TApplication ----------------------------------------------------------------------------------

namespace {
TApplication gApplication;
TScreen gScreen;
TMouse gMouse;
}  // namespace

TApplication* Application = &gApplication;
TScreen* Screen = &gScreen;
TMouse* Mouse = &gMouse;

TApplication::TApplication() : TComponent(nullptr) {}

void TApplication::Initialize() {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto* translator = new QTranslator(qApp);
    if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void TApplication::SetTitle(const QString& title) {
    FTitle = title;
    if (qApp) QApplication::setApplicationDisplayName(title);
}

QString TApplication::ExeName() const {
    return QCoreApplication::applicationFilePath();
}

int TApplication::Run() {
    int result = 0;
    if (FMainForm && !FTerminated) {
        FMainForm->ShowForm();
        result = QApplication::exec();
    }
    // The forms go with the application: nothing they undo on their way need be made again.
    SetComponentState(ComponentState() | csDestroying);
    DestroyComponents();
    return result;
}

void TApplication::Terminate() {
    FTerminated = true;
    QCoreApplication::exit(0);
}

void TApplication::Minimize() {
    if (FMainForm) FMainForm->Minimize();
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Queue(std::function<void()> call) {
    QTimer::singleShot(0, this, [call = std::move(call)] {
        // What has been painted goes to the screen first, not after the call.
        QGuiApplication::sync();
        DispatchEvent(call);
    });
}

void TApplication::Wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

void TApplication::BringToFront() {
    if (!FMainForm || !FMainForm->Widget()) return;
    QWidget* main = FMainForm->Widget();
    if (main->isMinimized()) main->showNormal();
    main->raise();
    main->activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

int TScreen::Width() const {
    return QGuiApplication::primaryScreen()->geometry().width();
}
int TScreen::Height() const {
    return QGuiApplication::primaryScreen()->geometry().height();
}

TRect TScreen::WorkAreaAt(const TPoint& p) const {
    const QScreen* screen = QGuiApplication::screenAt(QPoint(p.X, p.Y));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

TPoint TMouse::CursorPos() const {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}
