// Controls: a component that owns a widget, with the framework's geometry, alignment and events.
#pragma once

#include "Classes.h"
#include "Graphics.h"
#include "SysUtils.h"

#include <QPointer>
#include <functional>
#include <vector>

class QWidget;
class QEvent;
class QKeyEvent;
class TWinControl;
class TPopupMenu;

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
    VK_F2 = 113,
    VK_F4 = 115,
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

// Runs an event handler; an exception that escapes it is shown in a box instead of ending the program.
void DispatchEvent(const std::function<void()>& handler);

template <class THandler, class... TArgs> void FireEvent(const THandler& handler, TArgs&&... args) {
    if (handler) DispatchEvent([&] { handler(std::forward<TArgs>(args)...); });
}

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
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
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
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
    void Refresh() { Repaint(); }

    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;

    // Dragging between controls, also across windows.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode mode) { FDragMode = mode; }
    void BeginDrag(bool immediate, int threshold = -1);
    bool Dragging() const;
    void EndDrag(bool drop);

    // Acts as if the user clicked the control.
    virtual void Click();

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
    // Subclasses make their widget in their constructor and hand it over here.
    void SetWidget(QWidget* widget);
    // Scroll views take the mouse on an inner widget (their viewport): its mouse events count as the
    // control's, and client coordinates are the inner widget's.
    void SetMouseWidget(QWidget* inner);
    QWidget* ClientAreaWidget() const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Widget events not handled by the common filter; return true to swallow the event.
    virtual bool WidgetEvent(QEvent* event);
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void Resized() {}
    // A click on controls that have no click signal of their own comes from a press and release inside.
    virtual bool ClickOnMouseUp() const { return true; }
    void ApplyVisibility();
    // Sets the bounds without asking the parent to realign (the parent's own layout uses it).
    void ApplyBounds(int left, int top, int width, int height);

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
    bool FInSetBounds = false;

    friend class TWinControl;
    friend class TDragManager;
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
    bool CanFocus() const;
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int order) { FTabOrder = order; }

    // Lays out the aligned children inside the client area.
    void Realign();

    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter, OnExit;

protected:
    bool WidgetEvent(QEvent* event) override;
    void Resized() override { Realign(); }
    // The widget children are placed in (the widget itself unless a subclass has an inner area).
    virtual QWidget* ClientWidget() const { return FWidget; }
    // Runs the key handlers; returns true when the key must not reach the widget.
    bool HandleKeyPress(QEvent* event);
    // The two halves of HandleKeyPress: OnKeyDown for the key, OnKeyPress for the character it types.
    bool HandleKeyDown(QKeyEvent* e);
    bool HandleKeyChar(QKeyEvent* e);

private:
    std::vector<TControl*> FControls;
    int FTabOrder = -1;
    friend class TControl;
};

// A window control that paints itself on a canvas (Paint), for owner-drawn controls.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(TComponent* AOwner);
    TCanvas* Canvas() { return &FCanvas; }
    TNotifyEvent OnPaint;

protected:
    virtual void Paint();

private:
    TCanvas FCanvas;
};

// A windowless control that paints itself: the paint box.
class TPaintBox : public TCustomControl {
    Q_OBJECT
public:
    explicit TPaintBox(TComponent* AOwner);
};

// Framework use: paints the text area of a widget (the inside of an edit, list or tree) in `color`;
// nothing when the widget is gone.
void SetTextAreaColor(QWidget* widget, TColor color);

// The character a key press types, as a key-press handler sees it: Ctrl with a letter types its
// control character (Ctrl+C is #3), whatever text the window system attached; no character is null.
QChar KeyCharOf(const QKeyEvent* e);
