// The date/time edit: a framed edit holding a date or a time of day in one TDateTime. Typed text is
// read forgivingly, keys step the value, the drop-down button opens a calendar or a clock, and the
// value is checked against MinDate and MaxDate when the focus leaves.
#pragma once

#include "SkEdit.h"
#include "SkPopupsCalendar.h"
#include "SkPopupsClock.h"

#include <functional>

class TSkPopupPanel;

enum TSkDTEditType { etDate, etTime };

using TSkDateTimeChangeEvent = std::function<void(TObject* Sender, TDateTime NewValue)>;
// Typed text that is no date (or time) on leaving: the handler may keep the focus, keep the typed
// text, or give the value to take instead (arrives 0: the field empties).
using TSkInvalidDateEvent =
    std::function<void(TObject* Sender, bool& KeepFocus, bool& KeepText, TDateTime& NewDate)>;
using TSkInvalidTimeEvent =
    std::function<void(TObject* Sender, bool& KeepFocus, bool& KeepText, TDateTime& NewTime)>;

class TSkDateTimeEdit : public TSkEdit {
    Q_OBJECT
    Q_PROPERTY(TSkDTEditType EditType READ EditType WRITE SetEditType)
    Q_PROPERTY(double Date READ Date WRITE SetDate)
    Q_PROPERTY(double Time READ Time WRITE SetTime)
    Q_PROPERTY(double MinDate READ MinDate WRITE SetMinDate)
    Q_PROPERTY(double MaxDate READ MaxDate WRITE SetMaxDate)
    Q_PROPERTY(QString Format READ Format WRITE SetFormat)
    Q_PROPERTY(TSkCalendarElements CalendarElements READ CalendarElements WRITE SetCalendarElements)
    Q_PROPERTY(QString CaptionClearBtn READ CaptionClearBtn WRITE SetCaptionClearBtn)
    Q_PROPERTY(QString CaptionTodayBtn READ CaptionTodayBtn WRITE SetCaptionTodayBtn)
    Q_PROPERTY(QString CaptionAM READ CaptionAM WRITE SetCaptionAM)
    Q_PROPERTY(QString CaptionPM READ CaptionPM WRITE SetCaptionPM)
    Q_PROPERTY(QString CaptionSet READ CaptionSet WRITE SetCaptionSet)
    Q_PROPERTY(TSkFirstDayOfWeek FirstDayOfWeek READ FirstDayOfWeek WRITE SetFirstDayOfWeek)
    Q_PROPERTY(bool RestrictMinutes READ RestrictMinutes WRITE SetRestrictMinutes)
    Q_PROPERTY(bool ShowHowToUseHint READ ShowHowToUseHint WRITE SetShowHowToUseHint)
    Q_PROPERTY(QString HowToUseMsg READ HowToUseMsg WRITE SetHowToUseMsg)
    Q_PROPERTY(TColor PopupButtonColor READ PopupButtonColor WRITE SetPopupButtonColor)
    Q_PROPERTY(TColor PopupButtonFontColor READ PopupButtonFontColor WRITE SetPopupButtonFontColor)
    Q_PROPERTY(bool DropButtonVisible READ DropButtonVisible WRITE SetDropButtonVisible)
    Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
    Q_PROPERTY(TColor FlatButtonColor READ FlatButtonColor WRITE SetFlatButtonColor)
    Q_PROPERTY(bool BeepOnInvalidKey READ BeepOnInvalidKey WRITE SetBeepOnInvalidKey)
    Q_CLASSINFO("EditType", "= etDate")
    Q_CLASSINFO("Date", "TDateTime")
    Q_CLASSINFO("Time", "TDateTime")
    Q_CLASSINFO("MinDate", "TDateTime = 0")
    Q_CLASSINFO("MaxDate", "TDateTime = 0")
    Q_CLASSINFO("CalendarElements", "TSkCalendarElements = 247")
    Q_CLASSINFO("FirstDayOfWeek", "= fdowLocale")
    Q_CLASSINFO("RestrictMinutes", "= False")
    Q_CLASSINFO("ShowHowToUseHint", "= True")
    Q_CLASSINFO("PopupButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("PopupButtonFontColor", "TColor = clWindowText")
    Q_CLASSINFO("DropButtonVisible", "= True")
    Q_CLASSINFO("FlatButtons", "= False")
    Q_CLASSINFO("FlatButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("BeepOnInvalidKey", "= True")
public:
    // A date edit with its drop-down button, empty.
    explicit TSkDateTimeEdit(TComponent* AOwner);

    TSkDTEditType EditType() const { return FEditType; }
    // A change checks the text as leaving does.
    virtual void SetEditType(TSkDTEditType Value);
    // The value's whole days, and its fraction.
    virtual double GetDate() const;
    double Date() const { return GetDate(); }
    // Raises ESkCalendarError outside MinDate..MaxDate; the edit becomes a date edit.
    virtual void SetDate(double Value);
    virtual double GetTime() const;
    double Time() const { return GetTime(); }
    // The edit becomes a time edit.
    virtual void SetTime(double Value);
    TDateTime Value() const { return FValue; }
    // Empties the field: the value is 0.
    void Clear();

    // 0 = no bound. Each is whole days; a bound past the other raises ESkCalendarError; the value
    // moves into the new range.
    double MinDate() const { return FMinDate; }
    virtual void SetMinDate(double Value);
    double MaxDate() const { return FMaxDate; }
    virtual void SetMaxDate(double Value);
    // Empty: "ddddd" (the short date) for dates, "t" (the short time) for times.
    QString Format() const { return FFormat; }
    virtual void SetFormat(const QString& Value);

    // What the calendar and the clock take when they drop down.
    TSkCalendarElements CalendarElements() const { return FCalendarElements; }
    void SetCalendarElements(TSkCalendarElements Value) { FCalendarElements = Value; }
    TSkCalendarColors* CalendarColors() { return &FCalendarColors; }
    virtual void SetCalendarColors(TSkCalendarColors* Value) { FCalendarColors.Assign(Value); }
    TSkClockFaceColors* ClockFaceColors() { return &FClockFaceColors; }
    virtual void SetClockFaceColors(TSkClockFaceColors* Value) { FClockFaceColors.Assign(Value); }
    QString CaptionClearBtn() const { return FCaptionClearBtn; }
    void SetCaptionClearBtn(const QString& Value) { FCaptionClearBtn = Value; }
    QString CaptionTodayBtn() const { return FCaptionTodayBtn; }
    void SetCaptionTodayBtn(const QString& Value) { FCaptionTodayBtn = Value; }
    QString CaptionAM() const { return FCaptionAM; }
    void SetCaptionAM(const QString& Value) { FCaptionAM = Value; }
    QString CaptionPM() const { return FCaptionPM; }
    void SetCaptionPM(const QString& Value) { FCaptionPM = Value; }
    QString CaptionSet() const { return FCaptionSet; }
    void SetCaptionSet(const QString& Value) { FCaptionSet = Value; }
    TSkFirstDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TSkFirstDayOfWeek Value) { FFirstDayOfWeek = Value; }
    bool RestrictMinutes() const { return FRestrictMinutes; }
    void SetRestrictMinutes(bool Value) { FRestrictMinutes = Value; }
    bool ShowHowToUseHint() const { return FShowHowToUseHint; }
    void SetShowHowToUseHint(bool Value) { FShowHowToUseHint = Value; }
    QString HowToUseMsg() const { return FHowToUseMsg; }
    void SetHowToUseMsg(const QString& Value) { FHowToUseMsg = Value; }
    TColor PopupButtonColor() const { return FPopupButtonColor; }
    void SetPopupButtonColor(TColor Value) { FPopupButtonColor = Value; }
    TColor PopupButtonFontColor() const { return FPopupButtonFontColor; }
    void SetPopupButtonFontColor(TColor Value) { FPopupButtonFontColor = Value; }

    // While a calendar or clock is open: the panel it drops down from.
    TSkPopupPanel* PopupPanel() const { return FPopupPanel; }

    Q_INVOKABLE bool IsTextStored() const { return false; }
    Q_INVOKABLE bool IsDateStored() const { return FEditType == etDate; }
    Q_INVOKABLE bool IsTimeStored() const { return FEditType == etTime; }

    TSkGetBoldDaysEvent OnGetBoldDays;
    TSkGetDayFormatEvent OnGetDayFormat;
    TSkDateTimeChangeEvent OnDateTimeChange;
    TSkGetWeekNumberEvent OnGetWeekNumber;
    TSkViewDateChangeEvent OnViewDateChange;
    TSkInvalidDateEvent OnInvalidDate;
    TSkInvalidTimeEvent OnInvalidTime;

protected:
    virtual void CalendarDropDown();
    virtual void ClockDropDown();
    virtual void DateTimeChange() { FireEvent(OnDateTimeChange, this, FValue); }
    virtual void InvalidDate(bool& KeepFocus, bool& KeepText, TDateTime& NewDate);
    virtual void InvalidTime(bool& KeepFocus, bool& KeepText, TDateTime& NewTime);
    // Checks the text as leaving does: bad text through OnInvalidDate/Time, then the range; true
    // when a handler keeps the focus or the typed text.
    virtual bool ValidateOnExit();
    void DropDown() override;
    void Change() override;
    void KeyPress(QChar& Key) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

private:
    // Value to text, and typed text to value.
    void UpdateText();
    void TakeOverText();
    void ShowText(const QString& Text);
    // Fires OnDateTimeChange when the day (dates) or the time of day (times) changed.
    void NotifyChange();
    // Steps by whole days, months or years (dates) or by minutes (times), from today or now when
    // the value is 0.
    void StepDate(int Days, int Months, int Years);
    void StepTime(int Minutes);
    void BringIntoRange();
    // On leaving: a date past MinDate or MaxDate becomes the bound, then the bound error is raised.
    void PutBoundIn();
    // True while the drop-down's content has the focus.
    bool PopupOpen() const;

    TSkDTEditType FEditType = etDate;
    TDateTime FPrevious = 0, FValue = 0, FMinDate = 0, FMaxDate = 0;
    QString FFormat;
    bool FUpdatingText = false, FModified = false, FTimeSet = false, FAssigningTime = false;
    bool FTimeAccepted = false, FDateSet = false, FAssigningDate = false, FDateAccepted = false;
    bool FValidating = false;
    TSkCalendarElements FCalendarElements = DefaultCalendarElements;
    TSkCalendarColors FCalendarColors;
    TSkClockFaceColors FClockFaceColors;
    QString FCaptionClearBtn, FCaptionTodayBtn, FCaptionAM, FCaptionPM, FCaptionSet, FHowToUseMsg;
    TSkFirstDayOfWeek FFirstDayOfWeek = fdowLocale;
    bool FRestrictMinutes = false, FShowHowToUseHint = true;
    TColor FPopupButtonColor = clBtnFace, FPopupButtonFontColor = clWindowText;
    TSkPopupPanel* FPopupPanel = nullptr;
};
