// Controls: a component that owns a widget, with the framework's geometry, alignment and events.
#pragma once

#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"
#include "SysUtils.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class QPalette;
class QImage;
class QPainter;
class QEvent;
class QKeyEvent;
class TWinControl;
class TPopupMenu;
class TControlActionLink;
class TDockTree;
struct TScaleState;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// The scroll bars a grid or memo shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TCursor {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crHandPoint = -21,
    crDrag = -12,
    crNoDrop = -13,
    crHourGlass = -11,
    crSizeAll = -22
};

// A set of shift keys and mouse buttons.
using TShiftState = unsigned;
enum : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};

// Virtual key codes the windows test for.
enum : unsigned short {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_APPS = 93,
    VK_ADD = 107,       // numeric keypad "+"
    VK_SUBTRACT = 109,  // numeric keypad "-"
    VK_F2 = 113,
    VK_F4 = 115,
    VK_F10 = 121,
    VK_DECIMAL = 110
};

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// Setting Key to 0 drops the key.
using TKeyEvent = std::function<void(TObject* Sender, unsigned short& Key, TShiftState Shift)>;
// Setting Key to QChar(0) drops the character.
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// A pointer to a control's widget that becomes null when the window system destroys the widget.
class TWidgetRef {
public:
    void Reset(QWidget* widget, QObject* asObject) {
        FRaw = widget;
        FGuard = asObject;
    }
    QWidget* data() const { return FGuard ? FRaw : nullptr; }
    operator QWidget*() const { return data(); }
    QWidget* operator->() const { return data(); }
    explicit operator bool() const { return data() != nullptr; }

private:
    QWidget* FRaw = nullptr;
    QPointer<QObject> FGuard;
};

// A procedure messages go through: a control's WindowProc.
using TWndMethod = std::function<void(TMessage& Message)>;

// Runs an event handler; an exception that escapes it is shown in a box instead of ending the program.
void DispatchEvent(const std::function<void()>& handler);

// Runs code that Qt called: an exception from it must not unwind through Qt's frames, which clean
// nothing up on the way. It ends the innermost drop-down loop running now, whose caller gets it;
// with no loop running it is shown in a box as DispatchEvent does.
void CatchEventException(const std::function<void()>& code);

template <class THandler, class... TArgs> void FireEvent(const THandler& handler, TArgs&&... args) {
    if (handler) DispatchEvent([&] { handler(std::forward<TArgs>(args)...); });
}

// The properties every control publishes; a control class that publishes Color, ParentColor and the
// like declares them itself (Color stored only without ParentColor: IsColorStored).
class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(TFont* Font READ Font)
    Q_CLASSINFO("Align", "= alNone")
    Q_CLASSINFO("Visible", "= True")
    Q_CLASSINFO("Enabled", "= True")
    Q_CLASSINFO("ShowHint", "= False")
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // The widget that shows this control (nullptr once the window system has destroyed it).
    QWidget* Widget() const { return FWidget; }
    // The control a widget belongs to, or nullptr.
    static TControl* FromWidget(const QWidget* widget);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    // Moves and sizes the control; an aligned control then has its parent lay out its children again.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    TRect ClientRect() const { return GetClientRect(); }
    // The client area in client coordinates; a control that draws frames inside it may shrink it.
    virtual TRect GetClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    void SetClientWidth(int v) { SetWidth(v + FWidth - ClientWidth()); }
    void SetClientHeight(int v) { SetHeight(v + FHeight - ClientHeight()); }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible with every parent up to its window.
    bool Showing() const;

    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return FColor; }
    virtual void SetColor(TColor color);
    TFont* Font() { return &FFont; }

    virtual QString Caption() const { return FCaption; }
    virtual void SetCaption(const QString& caption);
    QString Text() const { return Caption(); }
    void SetText(const QString& text) { SetCaption(text); }

    QString Hint() const { return FHint; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);

    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu) { FPopupMenu = menu; }

    void BringToFront();
    void SendToBack();
    void Repaint();
    void Invalidate();
    // Marks only part of the control for repainting (client coordinates).
    void InvalidateRect(const TRect& r);
    void Refresh() { Repaint(); }
    // Mouse moves reach the control also while no button is held (hot tracking).
    void SetMouseTracking(bool on);

    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;

    // Dragging between controls, also across windows.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode mode) { FDragMode = mode; }
    void BeginDrag(bool immediate, int threshold = -1);
    bool Dragging() const;
    void EndDrag(bool drop);

    // Acts as if the user clicked the control: OnClick, or without one the action.
    virtual void Click();

    // The action the control carries out when clicked; the control follows the action's caption,
    // enabled state, hint and visibility. Freeing the action clears it.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }

    // Sends a message to the control's handlers and gives the handler's result.
    std::intptr_t Perform(unsigned msg, std::intptr_t wparam = 0, std::intptr_t lparam = 0);
    // The procedure every message of the control goes through: WndProc until something hooks in
    // (a dock manager on its site). A hook keeps the procedure it replaced and hands messages on to it;
    // setting an empty one returns to WndProc.
    TWndMethod WindowProc();
    void SetWindowProc(TWndMethod proc) { FWindowProc = std::move(proc); }

    // Scales position, size and font by M / D (a form shown at another resolution). A value is worked
    // out from what it was before a run of scalings, so scaling there and back gives it back unchanged.
    virtual void ChangeScale(int M, int D);
    // With ParentColor the control takes its parent's Color whenever that changes.
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    Q_INVOKABLE bool IsColorStored() const { return !FParentColor; }

    // Streaming: a control is written and read as a child of its parent.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    TNotifyEvent OnClick, OnDblClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter, OnMouseLeave;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TNotifyEvent OnResize;

    // Framework use: called while dragging over this control; by default asks OnDragOver.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    virtual void DoEndDrag(TObject* target, int x, int y);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The link a new action gets; controls with more to follow (a check box's Checked) make their own.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    // The action changed (or was just assigned): the control takes its values; with CheckDefaults
    // only where the control still has its own defaults.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Messages: WndProc hands each one to Dispatch, which calls the handler named after it.
    virtual void WndProc(TMessage& Message);
    void Dispatch(TMessage& Message);
    // What a handler's base does: the Qt event behind the message goes on as usual.
    virtual void DefaultHandler(TMessage& Message) { Message.CallDefault = true; }
    virtual void WMLButtonDown(TWMMouse& Message) { DefaultHandler(Message); }
    // The framework's handling of a button coming up includes OnMouseUp, so a control that reacts
    // after calling it (a styled button's click) comes after the handler, as the user's code expects.
    virtual void WMLButtonUp(TWMMouse& Message) {
        DefaultHandler(Message);
        FirePendingMouseUp();
    }
    virtual void WMLButtonDblClk(TWMMouse& Message) { DefaultHandler(Message); }
    virtual void WMRButtonDown(TWMMouse& Message) { DefaultHandler(Message); }
    virtual void WMRButtonUp(TWMMouse& Message) {
        DefaultHandler(Message);
        FirePendingMouseUp();
    }
    virtual void WMRButtonDblClk(TWMMouse& Message) { DefaultHandler(Message); }
    virtual void WMMButtonDown(TWMMouse& Message) { DefaultHandler(Message); }
    virtual void WMMButtonUp(TWMMouse& Message) {
        DefaultHandler(Message);
        FirePendingMouseUp();
    }
    virtual void WMMButtonDblClk(TWMMouse& Message) { DefaultHandler(Message); }
    virtual void WMMouseMove(TWMMouse& Message) { DefaultHandler(Message); }
    virtual void WMContextMenu(TWMPosition& Message) { DefaultHandler(Message); }
    // Hands the turn to DoMouseWheelDown or DoMouseWheelUp; one that takes it consumes the event.
    virtual void WMMouseWheel(TWMMouseWheel& Message);
    virtual bool DoMouseWheelDown(TShiftState, const TPoint&) { return false; }
    virtual bool DoMouseWheelUp(TShiftState, const TPoint&) { return false; }
    virtual void WMTimer(TWMTimer& Message) { DefaultHandler(Message); }
    virtual void WMSize(TWMSize& Message) { DefaultHandler(Message); }
    virtual void WMSetFocus(TWMFocus& Message) { DefaultHandler(Message); }
    virtual void WMKillFocus(TWMFocus& Message) { DefaultHandler(Message); }
    virtual void WMKeyDown(TWMKey& Message) { DefaultHandler(Message); }
    virtual void WMKeyUp(TWMKey& Message) { DefaultHandler(Message); }
    virtual void WMChar(TWMKey& Message) { DefaultHandler(Message); }
    virtual void WMGetDlgCode(TMessage& Message);
    virtual void WMEraseBkgnd(TWMPaint& Message);
    virtual void WMPaint(TWMPaint& Message);
    virtual void WMPrintClient(TWMPaint& Message);
    virtual void WMNCCalcSize(TWMNCCalcSize& Message) { DefaultHandler(Message); }
    virtual void WMNCPaint(TWMPaint& Message) { DefaultHandler(Message); }
    virtual void WMNCHitTest(TWMPosition& Message);
    virtual void WMThemeChanged(TMessage& Message) { DefaultHandler(Message); }
    // The control is about to take the bounds in the message; Left .. Height are still the old ones.
    virtual void WMWindowPosChanged(TWMWindowPosChanged& Message) { DefaultHandler(Message); }
    virtual void CMMouseEnter(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMMouseLeave(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMSysColorChange(TMessage& Message);
    virtual void CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }
    virtual void CMEnter(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMExit(TMessage& Message) { DefaultHandler(Message); }
    virtual void CMFocusChanged(TWMFocus& Message);
    virtual void CMDialogKey(TWMKey& Message);
    virtual void CMDialogChar(TWMKey& Message);
    // Framework use: feeds a Qt event in as its message; true when a handler consumed the event.
    bool DispatchWidgetEvent(QObject* watched, QEvent* event);
    // Framework use: hands the message to WindowProc.
    void SendToWindowProc(TMessage& Message);

    // Subclasses make their widget in their constructor and hand it over here.
    void SetWidget(QWidget* widget);
    // Scroll views take the mouse on an inner widget (their viewport): its mouse events count as the
    // control's, and client coordinates are the inner widget's.
    void SetMouseWidget(QWidget* inner);
    QWidget* ClientAreaWidget() const;
    // The control's filter of its widgets' events: an exception from a handler stops here, since Qt's
    // own code lies between it and whoever sent the event (see CatchEventException).
    bool eventFilter(QObject* watched, QEvent* event) final;
    // What eventFilter does; subclasses that sort widget events first override this.
    virtual bool FilterWidgetEvent(QObject* watched, QEvent* event);
    // Widget events not handled by the common filter; return true to swallow the event.
    virtual bool WidgetEvent(QEvent* event);
    virtual void FontChanged();
    // The font's colour as the widget's palette shows it; a control may colour other roles too.
    virtual void FontPalette(QPalette& palette) const;
    virtual void ColorChanged();
    virtual void Resized() {}
    // A click on controls that have no click signal of their own comes from a press and release inside.
    virtual bool ClickOnMouseUp() const { return true; }
    // Whether the control takes double clicks as such; one that does not gets the second press of a
    // double click as a plain press.
    virtual bool DoubleClicks() const { return true; }
    void ApplyVisibility();
    // Sets the bounds without asking the parent to realign (the parent's own layout uses it).
    void ApplyBounds(int left, int top, int width, int height);
    // Where the widget goes in its parent's widget: the bounds moved past the parent's non-client frame.
    QRect WidgetGeometry() const;

    TWinControl* FParent = nullptr;
    TWidgetRef FWidget;
    QPointer<QWidget> FMouseWidget;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true, FEnabled = true;
    TColor FColor = clBtnFace;
    TFont FFont;
    QString FCaption, FHint;
    bool FShowHint = false;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
    bool FMousePressed = false;
    // OnMouseUp of the release being handled, fired once: by the handlers' base or after them.
    std::function<void()> FPendingMouseUp;
    void FirePendingMouseUp();
    bool FInSetBounds = false;
    bool FParentColor = false;
    std::unique_ptr<TControlActionLink> FActionLink;
    TWndMethod FWindowProc;
    std::unique_ptr<TScaleState> FScale;

    friend class TWinControl;
    friend class TDragManager;
    friend class TDockTree;
};

class TWinControl : public TControl {
    Q_OBJECT
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(index); }

    void SetFocus();
    bool Focused() const;
    // Called while leaving (from CMExit): the leaving is not completed. The focus stays here, the
    // control it was moving to is never entered (nor left), and a click that moved it is dropped.
    // False when the control cannot keep it (hidden, disabled, or inside a TForcedFocusMove): the
    // keyboard never stays where the user cannot see or use it, and the leaving completes.
    bool KeepFocusOnExit();
    // Whether the focus of the control's window lies on it, also while the window is not active.
    bool HasWindowFocus() const;
    // Showing and enabled, with every parent.
    bool CanFocus() const;
    // Focuses the first field or button inside the control in reading order; false when none can
    // take the focus.
    bool SelectFirst();
    // Whether Tab stops at the control.
    bool TabStop() const;
    void SetTabStop(bool Value);
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int order) { FTabOrder = order; }

    // Lays out the aligned children, and the docked ones, inside the client area (AdjustClientRect may
    // narrow it).
    void Realign();
    void ChangeScale(int M, int D) override;

    // Docking: a dock site whose dock manager is in use places the controls docked into it and paints
    // their frames (a caption bar each); without one a docked window fills the site.
    bool DockSite() const { return FDockSite; }
    virtual void SetDockSite(bool Value);
    bool UseDockManager() const { return FUseDockManager; }
    virtual void SetUseDockManager(bool Value);
    // The dock manager in use (nullptr unless DockSite and UseDockManager).
    TDockTree* DockManager() const { return FDockManager.get(); }
    // Streaming: the child controls that Root owns.
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
    // Sends the message to every child until one answers it (a non-zero result).
    void Broadcast(TMessage& Message);
    // Asks WM_NCCALCSIZE for the client area again: the rest of the widget is the non-client frame,
    // painted through WM_NCPAINT; a native widget keeps its content inside the client area.
    void RecalcNonClientArea();
    // The non-client frame's widths on each side (all 0 without a frame).
    TRect NonClientMargins() const { return FNonClient; }

    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter, OnExit;

protected:
    // The dock manager the site is to use: a new one when it has none yet, else the one it has.
    virtual TDockTree* CreateDockManager();
    bool WidgetEvent(QEvent* event) override;
    void Resized() override { Realign(); }
    // The area the aligned children share: the client rectangle, less what a subclass keeps for itself.
    virtual void AdjustClientRect(TRect&) {}
    // Places the aligned children inside Rect, after the dock manager has placed the docked ones.
    virtual void AlignControls(TRect& Rect);
    // The widget children are placed in (the widget itself unless a subclass has an inner area).
    virtual QWidget* ClientWidget() const { return FWidget; }
    // Runs the key handlers; returns true when the key must not reach the widget.
    bool HandleKeyPress(QEvent* event);
    // The two halves of HandleKeyPress: OnKeyDown for the key, OnKeyPress for the character it types.
    bool HandleKeyDown(QKeyEvent* e);
    bool HandleKeyChar(QKeyEvent* e);

    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMDialogKey(TWMKey& Message) override;
    void CMDialogChar(TWMKey& Message) override;
    void CMFocusChanged(TWMFocus& Message) override;
    void WMNCHitTest(TWMPosition& Message) override;
    TRect FNonClient;

private:
    void UpdateDockManager();
    // Takes back the focus whose leaving CMExit refused.
    void TakeFocusBack(bool ByClick);
    std::vector<TControl*> FControls;
    int FTabOrder = -1;
    bool FDockSite = false, FUseDockManager = false;
    // The next focus-in is the focus coming back after a refused leaving, no entering.
    bool FKeepFocusOnExit = false, FFocusReturning = false;
    std::unique_ptr<TDockTree> FDockManager;
    friend class TControl;
    friend class TDockTree;
};

// While one exists, the focus moves the program makes cannot be refused: a control being left
// completes its leaving (KeepFocusOnExit is false). For moving the focus out of what is being hidden.
class TForcedFocusMove {
public:
    TForcedFocusMove();
    ~TForcedFocusMove();
    TForcedFocusMove(const TForcedFocusMove&) = delete;
    TForcedFocusMove& operator=(const TForcedFocusMove&) = delete;
};

// A window control that paints itself on a canvas (Paint), for owner-drawn controls.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() { return &FCanvas; }
    TNotifyEvent OnPaint;
    // With off-screen painting the control paints into an image of its own size through a device
    // context (WM_ERASEBKGND, then WM_PAINT, with the classic pixel rules), which then goes onto
    // the widget in one piece; the image keeps its pixels from one paint to the next.
    bool OffscreenPaint() const { return FOffscreenPaint; }
    void SetOffscreenPaint(bool value);
    // A control that paints every pixel each time can let its image go once it is on the widget:
    // the widget keeps the picture, and a large panel need not hold a second copy of it.
    bool KeepsOffscreenImage() const { return FKeepsOffscreenImage; }
    void SetKeepsOffscreenImage(bool value) { FKeepsOffscreenImage = value; }
    // Framework and tests: the last image painted off screen (nullptr before the first paint).
    const QImage* OffscreenImage() const { return FOffscreen.get(); }
    // Paints the whole control off screen now and gives the image.
    const QImage& PaintOffscreen();

protected:
    virtual void Paint();
    // The widget's paint event for the part of the widget that needs it (widget pixels): that part of
    // the off-screen image, or Paint on the widget's painter.
    virtual void PaintWidget(QPainter& Painter, const QRegion& Region);
    // Paints `Region` of the control (its own pixels, the non-client frame included) into `Image`,
    // whose top left pixel is the control's point `Origin`; nothing outside the region changes.
    void PaintOffscreenInto(QImage& Image, const QPoint& Origin, const QRegion& Region);
    // Whether the off-screen picture covers every pixel of the control, so the window system need
    // paint nothing beneath it: true unless a control lets what lies below show through.
    virtual bool PaintsEveryPixel() const { return FOffscreenPaint; }
    // Tells the window system whether the widget is opaque (after PaintsEveryPixel changes).
    void UpdateOpaquePainting();
    void WMPaint(TWMPaint& Message) override;
    void WMPrintClient(TWMPaint& Message) override;

private:
    // The kept image at the control's size, its old pixels where they still fit.
    QImage& SizedOffscreenImage();
    TCanvas FCanvas;
    bool FOffscreenPaint = false;
    bool FKeepsOffscreenImage = true;
    std::unique_ptr<QImage> FOffscreen;
};

// A windowless control that paints itself: the paint box.
class TPaintBox : public TCustomControl {
    Q_OBJECT
public:
    explicit TPaintBox(TComponent* AOwner);
};

// Queues a press of the key for the control, as if typed there (Tab moves the focus on).
void PostKeyDown(TWinControl* Control, unsigned short VirtualKey);

// Whether the character is the caption's accelerator: the letter after a single "&" (any case).
bool IsAccel(unsigned CharCode, const QString& Caption);

// The shift keys held with a key message (CM_DIALOGKEY, WM_KEYDOWN): its KeyData carries them.
TShiftState KeyDataShift(std::intptr_t KeyData);
// Framework use: KeyData for a key pressed with these shift keys.
std::intptr_t ShiftKeyData(TShiftState Shift);

// Framework use: the virtual key of a Qt key event (0 for keys the windows never test).
unsigned short KeyEventVirtualKey(const QKeyEvent* e);

// Framework use: paints the text area of a widget (the inside of an edit, list or tree) in `color`;
// nothing when the widget is gone.
void SetTextAreaColor(QWidget* widget, TColor color);

// The character a key press types, as a key-press handler sees it: Ctrl with a letter types its
// control character (Ctrl+C is #3), whatever text the window system attached; no character is null.
QChar KeyCharOf(const QKeyEvent* e);
