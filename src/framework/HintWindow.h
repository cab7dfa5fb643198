// Hints: the small top-level window that shows a control's Hint near the mouse, and what the
// application tells the control (CM_HINTSHOW) and its OnShowHint handler before showing one. The
// window never takes the focus and is never activated; a window region shapes it.
#pragma once

#include "Controls.h"

#include <QString>
#include <functional>

class THintWindow;

// The class of the application's hint window: a function that makes one for an owner.
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);
template <class T> THintWindow* NewHintWindow(TComponent* AOwner) {
    return new T(AOwner);
}

// What the application is about to show; the control (CM_HINTSHOW) and OnShowHint may change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass = nullptr;
    TPoint HintPos;  // the window's top-left corner, on the screen
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;  // the hint stays while the mouse is inside, in the control's client coordinates
    TPoint CursorPos;  // the mouse, in the control's client coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    QString HintStr;
    void* HintData = nullptr;
};

// CM_HINTSHOW: LParam points at the THintInfo; a non-zero result keeps the hint from showing.
struct TCMHintShow : TMessage {
    explicit TCMHintShow(const TMessage& m) : TMessage(m), HintInfo(reinterpret_cast<THintInfo*>(m.LParam)) {}
    THintInfo* HintInfo;
};

using TShowHintEvent = std::function<void(QString& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class THintWindow : public TCustomControl {
    Q_OBJECT
public:
    explicit THintWindow(TComponent* AOwner);
    ~THintWindow() override;

    // Shows the window with the text at Rect (screen coordinates), kept on the monitor's work area.
    virtual void ActivateHint(TRect Rect, const QString& AHint);
    virtual void ActivateHintData(const TRect& Rect, const QString& AHint, void* AData);
    // The rectangle at (0, 0) the text needs, broken into lines at most MaxWidth wide.
    virtual TRect CalcHintRect(int MaxWidth, const QString& AHint, void* AData);
    // Hides the window.
    virtual void ReleaseHandle();

    void SetVisible(bool visible) override;

protected:
    void Paint() override;
    // A one-pixel border in the window frame colour.
    void WMNCCalcSize(TWMNCCalcSize& Message) override;
    void WMNCPaint(TWMPaint& Message) override;
    // Framework use: the canvas text is measured on while the window does not paint.
    TCanvas* MeasureCanvas();

private:
    std::unique_ptr<class TBitmap> FMeasure;
};

// Framework use: sends a mouse message to a control as if the mouse did it at `clientPos` there: the
// control's handlers and then its widget see it.
void SendMouseMessage(TControl* control, unsigned msg, unsigned keys, const TPoint& clientPos);
