// The time picker: an analogue clock face on a styled panel. A left click or drag on the face sets the
// hour, a right click or drag the minute (rounded to a step with Ctrl held or RestrictMinutes on), AM
// and PM radio buttons switch the half day, an optional Set button confirms, and a band at the top
// shows the time as text.
#pragma once

#include "SkPopupsContent.h"

class THintWindow;

// The face's five colours by index: Face, Hands, Numbers, HourTicks, MinuteTicks.
using TSkClockFaceColors = TSkIndexedColors<5>;
// The colours a new clock face starts with.
const std::array<TColor, 5>& DefaultClockFaceColors();

enum : int { cfFace, cfHands, cfNumbers, cfHourTicks, cfMinuteTicks };

class TSkTimePicker : public TSkPopupContent {
    Q_OBJECT
    Q_PROPERTY(double Time READ Time WRITE SetTime)
    Q_PROPERTY(QString Format READ Format WRITE SetFormat)
    Q_PROPERTY(QString CaptionAM READ CaptionAM WRITE SetCaptionAM)
    Q_PROPERTY(QString CaptionPM READ CaptionPM WRITE SetCaptionPM)
    Q_PROPERTY(QString CaptionSet READ CaptionSet WRITE SetCaptionSet)
    Q_PROPERTY(TColor ButtonColor READ ButtonColor WRITE SetButtonColor)
    Q_PROPERTY(TColor ButtonFontColor READ ButtonFontColor WRITE SetButtonFontColor)
    Q_PROPERTY(bool RestrictMinutes READ RestrictMinutes WRITE SetRestrictMinutes)
    Q_PROPERTY(int RestrictMinutesBy READ RestrictMinutesBy WRITE SetRestrictMinutesBy)
    Q_PROPERTY(bool ShowHowToUseHint READ ShowHowToUseHint WRITE SetShowHowToUseHint)
    Q_PROPERTY(QString HowToUseMsg READ HowToUseMsg WRITE SetHowToUseMsg)
    Q_PROPERTY(bool ShowSetButton READ ShowSetButton WRITE SetShowSetButton)
    Q_PROPERTY(bool ShowTime READ ShowTime WRITE SetShowTime)
    Q_PROPERTY(bool ThemeAware READ ThemeAware WRITE SetThemeAware)
    Q_CLASSINFO("Time", "TDateTime")
    Q_CLASSINFO("ButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("ButtonFontColor", "TColor = clWindowText")
    Q_CLASSINFO("RestrictMinutes", "= False")
    Q_CLASSINFO("RestrictMinutesBy", "= 5")
    Q_CLASSINFO("ShowHowToUseHint", "= True")
    Q_CLASSINFO("ShowSetButton", "= False")
    Q_CLASSINFO("ShowTime", "= True")
    Q_CLASSINFO("ThemeAware", "= True")
public:
    // 160 x 190 (grown to the preferred size), window colour, lowered frame, 00:00.
    explicit TSkTimePicker(TComponent* AOwner);
    ~TSkTimePicker() override;

    // The time of day; only hours and minutes are kept.
    double Time() const { return FTime; }
    virtual void SetTime(double Value);
    int Hour() const { return FMinutes / 60; }
    int Minute() const { return FMinutes % 60; }
    bool IsPM() const { return FIsPM; }
    QString Format() const { return FFormat; }
    virtual void SetFormat(const QString& Value);
    QString CaptionAM() const { return FCaptionAM; }
    virtual void SetCaptionAM(const QString& Value);
    QString CaptionPM() const { return FCaptionPM; }
    virtual void SetCaptionPM(const QString& Value);
    QString CaptionSet() const { return FCaptionSet; }
    virtual void SetCaptionSet(const QString& Value);
    TColor ButtonColor() const { return FButtonColor; }
    virtual void SetButtonColor(TColor Value);
    TColor ButtonFontColor() const { return FButtonFontColor; }
    virtual void SetButtonFontColor(TColor Value);
    TSkClockFaceColors* ClockFaceColors() { return &FFaceColors; }
    virtual void SetClockFaceColors(TSkClockFaceColors* Value) { FFaceColors.Assign(Value); }
    bool RestrictMinutes() const { return FRestrictMinutes; }
    void SetRestrictMinutes(bool Value) { FRestrictMinutes = Value; }
    int RestrictMinutesBy() const { return FRestrictMinutesBy; }
    // Held to 1..60: the step divides the hour.
    void SetRestrictMinutesBy(int Value);
    bool ShowHowToUseHint() const { return FShowHowToUseHint; }
    void SetShowHowToUseHint(bool Value) { FShowHowToUseHint = Value; }
    QString HowToUseMsg() const { return FHowToUseMsg; }
    void SetHowToUseMsg(const QString& Value) { FHowToUseMsg = Value; }
    // The hint over the face: HowToUseMsg, or the three standard lines with the minute step.
    QString HowToUseText() const;
    // The window showing that hint (nullptr until first needed).
    THintWindow* HowToUseHintWindow() const { return FHintWindow; }
    bool ShowSetButton() const { return FShowSetButton; }
    virtual void SetShowSetButton(bool Value);
    bool ShowTime() const { return FShowTime; }
    virtual void SetShowTime(bool Value);

    // The text of the time band.
    QString TimeText() const;
    // Layout: the band, the AM, PM and Set buttons, the face's centre and radius.
    TRect TimeBandRect() const;
    TRect AMRect() const;
    TRect PMRect() const;
    TRect SetButtonRect() const;
    TPoint FaceCentre() const;
    int FaceRadius() const;
    TSize PreferredSize() const override;

    // The hour (1..12) and the minute (0..59, stepped when Restricted) that a point on the face means.
    int HourAt(const TPoint& P) const;
    int MinuteAt(const TPoint& P, bool Restricted) const;

    TNotifyEvent OnChange, OnSetBtnClick, OnSetTime;

protected:
    virtual void DrawClockFace();
    virtual void Change();
    void Paint() override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMRButtonDown(TWMMouse& Message) override;
    void WMRButtonUp(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void CMDialogChar(TWMKey& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMTimer(TWMTimer& Message) override;

private:
    // Shows the how-to-use hint below the control while P is over the face, else hides it.
    void UpdateHowToUseHint(const TPoint& P);
    void HideHowToUseHint();
    void SetHourFromFace(int H);
    void SetMinute(int M);
    void StepMinutes(int Delta);
    void SwitchHalf(bool PM);
    void SetAction();
    bool InFace(const TPoint& P) const;
    // The top of the AM, PM and Set row: the face fits above it, whatever the captions' widths.
    int ButtonRowTop() const { return Height() - 5 - (DigitHeight() + 4); }
    QString ShownCaption(const QString& Caption, const char* Default) const;

    TSkClockFaceColors FFaceColors;
    double FTime = 0;
    int FMinutes = 0;  // since midnight
    bool FIsPM = false;
    QString FFormat, FCaptionAM, FCaptionPM, FCaptionSet, FHowToUseMsg;
    TColor FButtonColor = clBtnFace, FButtonFontColor = clWindowText;
    bool FRestrictMinutes = false;
    int FRestrictMinutesBy = 5;
    bool FShowHowToUseHint = true, FShowSetButton = false, FShowTime = true;
    // Presses under way.
    bool FLeftDown = false, FRightDown = false, FAMDown = false, FPMDown = false, FSetDown = false,
         FFaceDown = false;
    int FLastMinute = 0;
    THintWindow* FHintWindow = nullptr;
    TPoint FHintPos{-1, -1};
};

// A time of day as text by a picture of h, hh, n, nn, m and mm (minutes after an hour), s, ss and
// ampm, am/pm or a/p (a 12-hour clock); text in quotes is copied.
QString FormatTimeOfDay(const QString& Format, int Hour, int Minute, int Second = 0);
