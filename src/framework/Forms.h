// Windows (forms), the application object and the screen.
#pragma once

#include "Controls.h"

#include <functional>
#include <optional>
#include <vector>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class QEventLoop;
class THintWindow;
class THintState;
struct THintInfo;
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);
using TShowHintEvent = std::function<void(QString& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TForm : public TWinControl {
    Q_OBJECT
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    QString Caption() const override;
    void SetCaption(const QString& caption) override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }

    void SetVisible(bool visible) override;
    // Shows the window in front (or, when docked, brings it to the front of its host).
    void ShowForm();
    // Shows the window and waits until it closes or ModalResult is set; gives ModalResult.
    int ShowModal();
    bool Modal() const { return FModal; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result);

    // Asks OnCloseQuery and OnClose, then hides, frees or minimises the window as OnClose decides.
    void Close();
    // Frees the window once the event being handled is over.
    void Release();
    void Minimize();

    // Window opacity: when AlphaBlend is set, AlphaBlendValue 0 is invisible and 255 opaque.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool on);
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int value);

    // The window's outline: only the inside of the polygon is part of the window.
    void SetWindowRegion(const std::vector<TPoint>& polygon);
    // Lets the window move with the mouse while its button is held: the window system moves it, or, where
    // it cannot, the window follows the mouse itself.
    void StartSystemMove();

    // Puts the window inside a host control, filling it; a host whose dock manager is in use places
    // it under a caption bar beside the windows docked there before.
    void ManualDock(TWinControl* host);
    TWinControl* HostDockSite() const { return FHostDockSite; }

    // The control of this window that has the keyboard focus, or nullptr.
    TWinControl* ActiveControl() const;
    // When the focus lies in Control (or in a child of it), the window itself takes it instead.
    void DefocusControl(TWinControl* Control, bool Removing);

    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool preview) { FKeyPreview = preview; }
    bool Active() const;

    TNotifyEvent OnShow, OnHide, OnActivate, OnDestroy;
    // Fires as the window paints itself, before its controls; what it queues runs once they are drawn too.
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    bool WidgetEvent(QEvent* event) override;
    void ApplyWindowFlags();

private:
    bool HandleCloseRequest();  // true when the window may go
    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    bool FModal = false, FShownOnce = false, FAlphaBlend = false, FKeyPreview = false, FClosing = false;
    int FModalResult = mrNone, FAlphaBlendValue = 255;
    TWinControl* FHostDockSite = nullptr;
    // The wait of ShowModal; ModalResult, hiding or freeing the window ends it.
    QEventLoop* FModalLoop = nullptr;
};

// The window a control sits on: the outermost form (a docked window's host), or with TopForm false
// the nearest; nullptr when there is none.
TForm* GetParentForm(TControl* Control, bool TopForm = true);

class TApplication : public TComponent {
    Q_OBJECT
public:
    TApplication();
    ~TApplication() override;

    // Readies the running application: the standard texts of Qt's own dialogs, buttons and context
    // menus in Simplified Chinese, from the translations Qt installs beside itself (English when those
    // are not there). Call once, after the QApplication exists.
    void Initialize();

    QString Title() const { return FTitle; }
    void SetTitle(const QString& title);
    QString ExeName() const;

    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* form) { FMainForm = form; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <class TFormClass> void CreateForm(TFormClass*& reference) {
        reference = new TFormClass(this);
        if (!FMainForm)
            if (auto* form = dynamic_cast<TForm*>(reference)) FMainForm = form;
    }

    // Runs the event loop until the main form closes; then frees every form.
    int Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void Minimize();
    // Restores a minimized main window and raises it, with the modal window open over it, if any.
    void BringToFront();
    void ProcessMessages();
    // Runs `call` once the events waiting now have been handled and what they painted is on the screen.
    void Queue(std::function<void()> call);
    // Lets the user interface run for `ms` milliseconds (a wait that keeps the windows alive).
    void Wait(int ms);

    // Hints: the Hint of a control with ShowHint shows in the hint window once the mouse has rested on
    // the control for HintPause ms (HintShortPause when moving on from a showing hint), for
    // HintHidePause ms at most. Turning ShowHint off frees the hint window; turning it on makes a new
    // one of the class in HintWindowClass.
    bool ShowHint() const;
    void SetShowHint(bool show);
    int HintPause() const;
    void SetHintPause(int ms);
    int HintShortPause() const;
    void SetHintShortPause(int ms);
    int HintHidePause() const;
    void SetHintHidePause(int ms);
    TColor HintColor() const;
    void SetHintColor(TColor color);
    TShowHintEvent OnShowHint;
    // Shows the hint of the control under a screen point now.
    void ActivateHint(const TPoint& CursorPos);
    // Hides the hint; it shows again once the mouse rests on a hint control anew.
    void CancelHint();
    void HideHint();
    // The hint window (nullptr while hints are off or none has been needed yet).
    THintWindow* HintWindow() const;
    // Framework use: every control's mouse messages pass here first. `cursor` is where the mouse is
    // when the event that brought the message says so; otherwise the window system is asked.
    void HintMouseMessage(TControl* Control, const TMessage& Message,
                          std::optional<TPoint> cursor = std::nullopt);

private:
    THintState& Hints() const;
    mutable THintState* FHints = nullptr;  // made on first use, freed with the application
    QString FTitle;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
};

extern TApplication* Application;

class TScreen {
public:
    int Width() const;
    int Height() const;
    // The work area (the screen less its panels) of the monitor holding the point; the primary
    // monitor's when none does.
    TRect WorkAreaAt(const TPoint& p) const;
};

extern TScreen* Screen;

class TMouse {
public:
    // Where the mouse is on the screen.
    TPoint CursorPos() const;
};

extern TMouse* Mouse;

// The class of hint window the application makes when hints are turned on.
extern THintWindowClass HintWindowClass;

// Tests and scripted use: a modal window is handed to this hook instead of waiting for the user; the
// hook drives it (sets ModalResult or closes it). nullptr restores waiting.
using TModalHook = std::function<void(TForm* form)>;
void SetModalHook(TModalHook hook);
