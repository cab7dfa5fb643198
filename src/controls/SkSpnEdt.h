// The spinner: an integer shown between a minus button on the left and a plus button on the right.
// Clicking, holding (a repeat after 400 ms, then every 100 ms), the arrow and page keys and the mouse
// wheel step it by Increment or PageSize, within Min and Max.
#pragma once

#include "ImgList.h"
#include "SkCommonFraming.h"

#include <QPointer>
#include <functional>
#include <memory>

class TTimer;
class TBitmap;

// Asked before the value changes; clearing AllowChange keeps the old value.
using TSkSpinnerEvent = std::function<void(TObject* Sender, int NewValue, bool& AllowChange)>;
// Told after a step changed the value, with the step's amount.
using TSkSpinnerIncDecEvent = std::function<void(TObject* Sender, int Amount)>;

class TSkSpinner : public TCustomControl, public ISkCustomFramingNotification {
    Q_OBJECT
    Q_PROPERTY(TColor ButtonColor READ ButtonColor WRITE SetButtonColor)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)
    Q_PROPERTY(bool CheckRange READ CheckRange WRITE SetCheckRange)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(TSkFrameController* FrameController READ FrameController WRITE SetFrameController)
    Q_PROPERTY(TSkFrameControllerNotifications FrameControllerNotifications READ FrameControllerNotifications
                   WRITE SetFrameControllerNotifications)
    Q_PROPERTY(QString HexValuePrefix READ HexValuePrefix WRITE SetHexValuePrefix)
    Q_PROPERTY(TCustomImageList* Images READ Images WRITE SetImages)
    Q_PROPERTY(int ImageIndexMinus READ ImageIndexMinus WRITE SetImageIndexMinus)
    Q_PROPERTY(int ImageIndexPlus READ ImageIndexPlus WRITE SetImageIndexPlus)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(bool ShowHexValue READ ShowHexValue WRITE SetShowHexValue)
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)
    Q_PROPERTY(bool ThemeAware READ ThemeAware WRITE SetThemeAware)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_CLASSINFO("ButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("ButtonWidth", "= 18")
    Q_CLASSINFO("CheckRange", "= False")
    Q_CLASSINFO("Color", "TColor = clWindow")
    Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")
    Q_CLASSINFO("ImageIndexMinus", "= -1")
    Q_CLASSINFO("ImageIndexPlus", "= -1")
    Q_CLASSINFO("Increment", "= 1")
    Q_CLASSINFO("Max", "= 100")
    Q_CLASSINFO("Min", "= 0")
    Q_CLASSINFO("PageSize", "= 10")
    Q_CLASSINFO("ParentColor", "= False")
    Q_CLASSINFO("ShowFocusRect", "= True")
    Q_CLASSINFO("ShowHexValue", "= False")
    Q_CLASSINFO("TabOnEnter", "= False")
    Q_CLASSINFO("ThemeAware", "= True")
    Q_CLASSINFO("Value", "= 0")
public:
    // 85 x 21, a tab stop, in the window colour.
    explicit TSkSpinner(TComponent* AOwner);
    ~TSkSpinner() override;

    // Hit test results and the image index selectors.
    enum TButton { sbNone = 0, sbMinus = 1, sbPlus = 2 };

    int Value() const { return FValue; }
    // Clamped by CheckValue; a changed value is asked of OnChanging, stored, repainted and announced.
    virtual void SetValue(int V);
    int Min() const { return FMin; }
    virtual void SetMin(int V);
    int Max() const { return FMax; }
    virtual void SetMax(int V);
    int Increment() const { return FIncrement; }
    void SetIncrement(int V) { FIncrement = V; }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int V) { FPageSize = V; }
    bool CheckRange() const { return FCheckRange; }
    virtual void SetCheckRange(bool V);
    // V within [Min, Max]; with Min = Max and no CheckRange, V as it is.
    virtual int CheckValue(int V) const;

    // The value stepped up or down by Amount; the sum stops at the ends of the integer range.
    // OnIncrement or OnDecrement follows only when the value changed.
    virtual void Increment(int Amount);
    virtual void Decrement(int Amount);

    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool V) { FTabOnEnter = V; }
    bool ShowHexValue() const { return FShowHexValue; }
    virtual void SetShowHexValue(bool V);
    QString HexValuePrefix() const { return FHexValuePrefix; }
    virtual void SetHexValuePrefix(const QString& V);
    Q_INVOKABLE bool IsHexValuePrefixStored() const { return FHexValuePrefix != QLatin1String("$"); }
    // The text between the buttons: decimal, or the prefix and lower-case hexadecimal digits.
    QString ValueText() const;

    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor V);
    TColor ButtonColor() const { return FButtonColor; }
    virtual void SetButtonColor(TColor V);
    int ButtonWidth() const { return FButtonWidth; }
    virtual void SetButtonWidth(int V);
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool V);
    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool V);

    TCustomImageList* Images() const { return FImages; }
    // Grows the buttons and the control to fit the images, now and after every change of the list.
    virtual void SetImages(TCustomImageList* V);
    int ImageIndexMinus() const { return ImageIndex(sbMinus); }
    void SetImageIndexMinus(int V) { SetImageIndex(sbMinus, V); }
    int ImageIndexPlus() const { return ImageIndex(sbPlus); }
    void SetImageIndexPlus(int V) { SetImageIndex(sbPlus, V); }
    virtual int ImageIndex(int Which) const;
    virtual void SetImageIndex(int Which, int V);
    // The glyph bitmap kept for forms of earlier versions; never stored.
    TBitmap* GlyphMinus() const { return FGlyph.get(); }
    TBitmap* GlyphPlus() const { return FGlyph.get(); }

    TSkFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TSkFrameController* V);
    TSkFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications V) { FNotifications = V; }
    // Takes the controller's frame colour, flat-button colour, Color and ParentColor, as the
    // notifications let through.
    void CustomFramingChanged() override { UpdateFrameControllerProperties(FFrameController); }
    Q_INVOKABLE bool IsColorStored() const { return !ParentColor() && Stored(fcpColor); }
    Q_INVOKABLE bool IsParentColorStored() const { return Stored(fcpParentColor); }
    Q_INVOKABLE bool IsFrameColorStored() const { return Stored(fcpFrameColor); }
    Q_INVOKABLE bool IsButtonColorStored() const { return Stored(fcpFlatButtonColor); }

    // Which button a client point is over.
    TButton ButtonAt(int X, int Y) const;
    TButton HotButton() const { return FHotButton; }
    bool MinusPressed() const { return FMinusPressed; }
    bool PlusPressed() const { return FPlusPressed; }
    // The delays of holding a button: the first repeat, then every further one (milliseconds).
    int InitialDelay() const { return FInitialDelay; }
    int RepeatDelay() const { return FRepeatDelay; }

    TNotifyEvent OnChange;
    TSkSpinnerEvent OnChanging;
    TSkSpinnerIncDecEvent OnIncrement, OnDecrement;

protected:
    void Paint() override;
    virtual void DrawFrame();
    virtual void DrawValue();
    virtual void DrawButton(TButton Which, bool Pressed, const TRect& Rect);
    virtual void UpdateFrameControllerProperties(TSkFrameController* Controller);
    // Asks OnChanging (AllowChange arrives true).
    virtual bool CanChange(int NewValue);
    virtual void Change();

    void WMEraseBkgnd(TWMPaint& Message) override { Message.Result = 1; }
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_WANTARROWS; }
    void WMKeyDown(TWMKey& Message) override;
    void WMSetFocus(TWMFocus& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Reads and drops "NumGlyphsMinus", "NumGlyphsPlus" and "Flat" of earlier versions.
    void DefineProperties(TFiler* Filer) override;

private:
    // Value + Amount, kept within the integer range.
    void StepBy(long long Amount, const TSkSpinnerIncDecEvent& Event, int Reported);
    void StepButton(TButton Which);
    void RepeatTimerTick();
    void SetHotButton(TButton Which);
    void FitImages();
    // The buttons' rectangles as drawn (Vista and later draw them over the frame).
    TRect ButtonRect(TButton Which) const;
    bool Stored(TSkFrameControllerProperty P) const {
        return FrameBlockStored(FFrameController, FNotifications, P);
    }

    int FValue = 0, FMin = 0, FMax = 100, FIncrement = 1, FPageSize = 10;
    bool FCheckRange = false, FTabOnEnter = false, FShowHexValue = false;
    QString FHexValuePrefix = QStringLiteral("$");
    TColor FFrameColor = clBtnShadow, FButtonColor = clBtnFace;
    int FButtonWidth = 18;
    bool FShowFocusRect = true, FThemeAware = true;
    bool FMinusPressed = false, FPlusPressed = false;
    TButton FHotButton = sbNone;
    // Where the mouse was last seen: the held button repeats only while the mouse is over it.
    TPoint FMousePos{-1, -1};
    TTimer* FRepeatTimer = nullptr;
    std::uint16_t FInitialDelay = 400, FRepeatDelay = 100;
    std::unique_ptr<TBitmap> FGlyph;
    TCustomImageList* FImages = nullptr;
    TChangeLink FImageChangeLink;
    int FImageIndexMinus = -1, FImageIndexPlus = -1;
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
};
