// Balloon hints: a component that makes the application's hints speech balloons with rounded corners
// and a tail pointing at the mouse (or at the centre of a small control), or plain framed boxes. The
// component carries the settings and passes each change on to the live hint window; the hint window,
// made by the application, finds the component itself.
#pragma once

#include "Forms.h"
#include "GraphicsImage.h"
#include "HintWindow.h"
#include "SkCommon.h"
#include "StdCtrls.h"

#include <QPointer>
#include <functional>
#include <memory>

// Where the balloon lies from the point its tail touches; hcNone has no tail.
enum TSkHintCorner { hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight, hcNone };

using TSkSetHintWinSizeEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int& Width, int& Height,
                                                  const QString& Hint, TSkHintCorner Corner)>;
using TSkSetHintRectEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect& Rect,
                                               const QString& Hint, TSkHintCorner Corner)>;

class TSkBalloonHints;

// One picture per corner, drawn in place of the balloon when any is set.
class TSkBalloonBitmaps : public TPersistent {
public:
    TSkBalloonBitmaps();
    TBitmap* LowerRight() const { return FPictures[hcLowerRight].get(); }
    TBitmap* LowerLeft() const { return FPictures[hcLowerLeft].get(); }
    TBitmap* UpperLeft() const { return FPictures[hcUpperLeft].get(); }
    TBitmap* UpperRight() const { return FPictures[hcUpperRight].get(); }
    // Copies the picture (when it differs) and tells OnChange.
    void SetLowerRight(const TBitmap* Value) { SetPicture(hcLowerRight, Value); }
    void SetLowerLeft(const TBitmap* Value) { SetPicture(hcLowerLeft, Value); }
    void SetUpperLeft(const TBitmap* Value) { SetPicture(hcUpperLeft, Value); }
    void SetUpperRight(const TBitmap* Value) { SetPicture(hcUpperRight, Value); }
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value);
    // The picture for a corner (nullptr for hcNone).
    TBitmap* Picture(TSkHintCorner Corner) const;
    bool AnyPicture() const;
    TNotifyEvent OnChange;

private:
    void SetPicture(TSkHintCorner Corner, const TBitmap* Value);
    std::unique_ptr<TBitmap> FPictures[4];
    TColor FTransparentColor = clOlive;
};

class TSkCustomHintWindow : public THintWindow {
    Q_OBJECT
public:
    explicit TSkCustomHintWindow(TComponent* AOwner);
    ~TSkCustomHintWindow() override;

    int CaptionWidth() const { return FCaptionWidth; }
    void SetCaptionWidth(int Value);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TSkHintCorner Corner() const { return FCorner; }
    void SetCorner(TSkHintCorner Value);
    bool ShowBalloon() const { return FShowBalloon; }
    void SetShowBalloon(bool Value);
    int CenterThreshold() const { return FCenterThreshold; }
    void SetCenterThreshold(int Value) { FCenterThreshold = Value; }
    TSkSetHintWinSizeEvent OnSetHintWinSize;
    TSkSetHintRectEvent OnSetHintRect;

    // The corner of the hint showing, after the moves that keep it on the monitor.
    TSkHintCorner CornerInUse() const { return FCornerInUse; }
    // The window's rectangle on the screen, and whether a hint shows.
    TRect WindowRect() const { return FWindowRect; }
    bool Active() const { return FActive; }
    // The control of the hint showing (nullptr once it is freed).
    TControl* HintControl() const { return FHintControl; }
    TSkBalloonHints* Component() const { return FComponent; }

    void ActivateHint(TRect Rect, const QString& AHint) override;
    // Hidden, however the application hides it, no hint shows.
    void SetVisible(bool visible) override;
    // Takes the component's settings, pictures, events and font.
    void TakeSettings(TSkBalloonHints* Component);
    // The component forgets this window; framework use.
    void ForgetComponent() { FComponent = nullptr; }

    // The client area less the tail band, for a window of `client` with this corner.
    static TRect BodyRect(const TRect& Client, TSkHintCorner Corner, bool ShowBalloon);
    // The tail's base start, tip and base end.
    static std::vector<TPoint> TailPoints(const TRect& Client, const TRect& Body, TSkHintCorner Corner);
    // The balloon's window region: the body with rounded corners and the tail.
    static HRGN CreateBalloonRegion(const TRect& Client, TSkHintCorner Corner);

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void CMTextChanged(TMessage& Message) override;
    void WMNCCalcSize(TWMNCCalcSize& Message) override;
    void WMNCPaint(TWMPaint& Message) override;

private:
    void AppShowHint(QString& HintStr, bool& CanShow, THintInfo& HintInfo);
    TRect TextRect(TRect Body) const;
    TRect ClientArea() const;
    void DrawBalloon(TCanvas* Canvas, const TRect& Body);

    bool FOwnedByApplication = false;
    QPointer<TSkBalloonHints> FComponent;
    int FCaptionWidth = 100;
    TColor FFrameColor = clInfoText;
    THintInfo FHintInfo;
    // The hint control may be freed while its hint shows: the window never touches it afterwards.
    QPointer<TControl> FHintControl;
    TAlignment FAlignment = taLeftJustify;
    TSkHintCorner FCorner = hcUpperRight;
    bool FShowBalloon = true;
    int FCenterThreshold = 80;
    TSkHintCorner FCornerInUse = hcUpperRight;
    TRect FWindowRect;
    bool FActive = false;
};

class TSkBalloonHints : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int CaptionWidth READ CaptionWidth WRITE SetCaptionWidth)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TSkHintCorner Corner READ Corner WRITE SetCorner)
    Q_PROPERTY(bool ShowBalloon READ ShowBalloon WRITE SetShowBalloon)
    Q_PROPERTY(int HintPause READ HintPause WRITE SetHintPause)
    Q_PROPERTY(int HintShortPause READ HintShortPause WRITE SetHintShortPause)
    Q_PROPERTY(int CenterThreshold READ CenterThreshold WRITE SetCenterThreshold)
    Q_PROPERTY(TFont* Font READ Font)
    Q_CLASSINFO("CaptionWidth", "= 100")
    Q_CLASSINFO("Color", "TColor = clInfoBk")
    Q_CLASSINFO("FrameColor", "TColor = clInfoText")
    Q_CLASSINFO("Alignment", "= taLeftJustify")
    Q_CLASSINFO("Corner", "= hcUpperRight")
    Q_CLASSINFO("ShowBalloon", "= True")
    Q_CLASSINFO("CenterThreshold", "= 80")
public:
    explicit TSkBalloonHints(TComponent* AOwner);
    ~TSkBalloonHints() override;

    TSkBalloonBitmaps* Bitmaps() { return &FBitmaps; }
    int CaptionWidth() const { return FCaptionWidth; }
    void SetCaptionWidth(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    TFont* Font() { return &FFont; }
    // Copies the font and passes it on.
    void SetFont(const TFont& Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TSkHintCorner Corner() const { return FCorner; }
    void SetCorner(TSkHintCorner Value);
    bool ShowBalloon() const { return FShowBalloon; }
    void SetShowBalloon(bool Value);
    int CenterThreshold() const { return FCenterThreshold; }
    void SetCenterThreshold(int Value);
    // In the designer the component's own values; at run time the application's.
    int HintPause() const;
    void SetHintPause(int Value);
    int HintShortPause() const;
    void SetHintShortPause(int Value);

    TSkSetHintWinSizeEvent OnSetHintWinSize() const { return FOnSetHintWinSize; }
    void SetOnSetHintWinSize(TSkSetHintWinSizeEvent Value);
    TSkSetHintRectEvent OnSetHintRect() const { return FOnSetHintRect; }
    void SetOnSetHintRect(TSkSetHintRectEvent Value);
    TShowHintEvent OnShowHint;

    // The live hint window registered with the component, if any.
    TSkCustomHintWindow* HintWindow() const { return FHintWindow; }
    // Framework use: the hint window registers and leaves.
    void SetHintWindow(TSkCustomHintWindow* Window) { FHintWindow = Window; }

protected:
    // Reads the names of earlier versions and drops them: "BalloonStyle" and "Shadow".
    void DefineProperties(TFiler* Filer) override;

private:
    template <class TApply> void PassOn(TApply apply) {
        if (FHintWindow) apply(FHintWindow.data());
    }
    THintWindowClass FSavedHintWindowClass = nullptr;
    bool FReplacedHintWindowClass = false;
    TSkBalloonBitmaps FBitmaps;
    int FCaptionWidth = 100;
    TColor FColor = clInfoBk;
    TColor FFrameColor = clInfoText;
    TFont FFont;
    TAlignment FAlignment = taLeftJustify;
    TSkHintCorner FCorner = hcUpperRight;
    bool FShowBalloon = true;
    int FHintPause = 500, FHintShortPause = 50;
    TSkSetHintWinSizeEvent FOnSetHintWinSize;
    TSkSetHintRectEvent FOnSetHintRect;
    int FCenterThreshold = 80;
    QPointer<TSkCustomHintWindow> FHintWindow;
};
