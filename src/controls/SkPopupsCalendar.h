// The month calendar: a header with the month name, the year and two arrows, the short day names, an
// optional column of week numbers, six weeks of seven days and optional Today and Clear buttons. The
// user turns the months with the arrows (held: repeated), a menu of month names, a year spinner laid
// over the year or the keyboard, and picks a day with a click, always within MinDate and MaxDate.
#pragma once

#include "SkPopupsContent.h"
#include "SkSpnEdt.h"
#include "SysUtils.h"

#include <cstdint>
#include <functional>

class TPopupMenu;
class TTimer;

enum TSkCalendarElement {
    ceYear,
    ceMonth,
    ceArrows,
    ceWeekNumbers,
    ceDaysOfWeek,
    ceFillDays,
    ceTodayButton,
    ceClearButton
};
using TSkCalendarElements = unsigned;
constexpr TSkCalendarElements CalendarElement(TSkCalendarElement e) {
    return 1u << e;
}
// Every element but the week numbers.
constexpr TSkCalendarElements DefaultCalendarElements = 0xFF & ~CalendarElement(ceWeekNumbers);

enum TSkFirstDayOfWeek {
    fdowMonday,
    fdowTuesday,
    fdowWednesday,
    fdowThursday,
    fdowFriday,
    fdowSaturday,
    fdowSunday,
    fdowLocale
};

// The calendar's seven colours, by index (the TSkCalendarColorIndex names).
using TSkCalendarColors = TSkIndexedColors<7>;
const std::array<TColor, 7>& DefaultCalendarColors();
enum TSkCalendarColorIndex {
    cciDays,
    cciFillDays,
    cciDaysOfWeek,
    cciLines,
    cciSelectedDateBack,
    cciSelectedDateFore,
    cciTodaysDateFrame
};

// Raised by the bounded writes of Date, MinDate and MaxDate; the value is not stored.
class ESkCalendarError : public Exception {
public:
    using Exception::Exception;
};
// Its texts, with the bound as yyyy-mm-dd.
QString DateExceedsMaximumText(TDateTime MaxDate);
QString DateBelowMinimumText(TDateTime MinDate);
// Raises it when Day lies above MaxDate or below MinDate (a bound of 0 is open).
void CheckDateBounds(TDateTime Day, TDateTime MinDate, TDateTime MaxDate);
// Raises it, with the text below, for a value outside 0001-01-01 .. 9999-12-31 (NaN and the
// infinities too): the dates, bounds and times the calendar and the date edit take.
void CheckCalendarDate(TDateTime Value);
QString DateOutsideCalendarText();

using TSkGetBoldDaysEvent = std::function<void(TObject* Sender, int Year, int Month, std::uint32_t& Bitmask)>;
using TSkGetDayFormatEvent =
    std::function<void(TObject* Sender, TDateTime DayDate, int Year, int Month, int Day, TColor& DayColor,
                       TColor& DayFontColor, TFontStyles& DayFontStyle)>;
using TSkGetWeekNumberEvent = std::function<void(TObject* Sender, TDateTime WeekDate, int& WeekNumber)>;
using TSkViewDateChangeEvent = std::function<void(TObject* Sender, TDateTime ViewDate)>;
using TSkCalendarTodayEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TSkCalendarClearEvent = std::function<void(TObject* Sender, bool& AllowClear)>;

// The date the calendars take for today; nullptr returns to the computer's date (tests fix it).
void SetCalendarToday(std::function<TDateTime()> Today);
TDateTime CalendarToday();

// The small spinner laid over the calendar's year: hidden until the year is clicked, no tab stop,
// years 0 to 9999. Enter, Escape and the loss of the focus put it away again.
class TSkYearSpinner : public TSkSpinner {
    Q_OBJECT
public:
    explicit TSkYearSpinner(TComponent* AOwner);
    // Called when the spinner is put away.
    TNotifyEvent OnHide;
    void Hide();

protected:
    void WMGetDlgCode(TMessage& Message) override {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
    }
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
};

class TSkCalendar : public TSkPopupContent {
    Q_OBJECT
    Q_PROPERTY(TColor ButtonColor READ ButtonColor WRITE SetButtonColor)
    Q_PROPERTY(TColor ButtonFontColor READ ButtonFontColor WRITE SetButtonFontColor)
    Q_PROPERTY(QString CaptionClearBtn READ CaptionClearBtn WRITE SetCaptionClearBtn)
    Q_PROPERTY(QString CaptionTodayBtn READ CaptionTodayBtn WRITE SetCaptionTodayBtn)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(double Date READ Date WRITE SetDate)
    Q_PROPERTY(double MinDate READ MinDate WRITE SetMinDate)
    Q_PROPERTY(double MaxDate READ MaxDate WRITE SetMaxDate)
    Q_PROPERTY(TSkFirstDayOfWeek FirstDayOfWeek READ FirstDayOfWeek WRITE SetFirstDayOfWeek)
    Q_PROPERTY(TSkCalendarElements Elements READ Elements WRITE SetElements)
    Q_PROPERTY(bool ShowDays READ ShowDays WRITE SetShowDays)
    Q_PROPERTY(bool ThemeAware READ ThemeAware WRITE SetThemeAware)
    Q_PROPERTY(TFrameStyleEx BorderOuter READ BorderOuter WRITE SetBorderOuter)
    Q_PROPERTY(TFrameStyleEx BorderInner READ BorderInner WRITE SetBorderInner)
    Q_CLASSINFO("ButtonColor", "TColor = clBtnFace")
    Q_CLASSINFO("ButtonFontColor", "TColor = clWindowText")
    Q_CLASSINFO("Color", "TColor = clWindow")
    Q_CLASSINFO("Date", "TDateTime")
    Q_CLASSINFO("MinDate", "TDateTime = 0")
    Q_CLASSINFO("MaxDate", "TDateTime = 0")
    Q_CLASSINFO("FirstDayOfWeek", "= fdowLocale")
    Q_CLASSINFO("Elements", "TSkCalendarElements = 247")
    Q_CLASSINFO("ShowDays", "= True")
    Q_CLASSINFO("ThemeAware", "= True")
    Q_CLASSINFO("BorderOuter", "= fsStatus")
    Q_CLASSINFO("BorderInner", "= fsNone")
public:
    // The parts of the calendar, as hit testing names them.
    enum TElementCode : std::uint8_t {
        ecYear = 0,
        ecMonth = 1,
        ecPrevArrow = 2,
        ecNextArrow = 3,
        ecWeekNumbers = 4,
        ecDays = 5,
        ecDayNames = 6,
        ecNone = 7,
        ecToday = 8,
        ecClear = 9
    };

    // Today's month, today selected; 147 x 159 (sized by the font while AutoSize).
    explicit TSkCalendar(TComponent* AOwner);
    ~TSkCalendar() override;

    TColor ButtonColor() const { return FButtonColor; }
    virtual void SetButtonColor(TColor Value);
    TColor ButtonFontColor() const { return FButtonFontColor; }
    virtual void SetButtonFontColor(TColor Value);
    TSkCalendarColors* CalendarColors() { return &FCalendarColors; }
    virtual void SetCalendarColors(TSkCalendarColors* Value) { FCalendarColors.Assign(Value); }
    QString CaptionClearBtn() const { return FCaptionClearBtn; }
    virtual void SetCaptionClearBtn(const QString& Value);
    QString CaptionTodayBtn() const { return FCaptionTodayBtn; }
    virtual void SetCaptionTodayBtn(const QString& Value);

    // The selected day (whole days), 0 for none.
    TDateTime Date() const { return FDate; }
    // Raises ESkCalendarError outside MinDate..MaxDate.
    virtual void SetDate(TDateTime Value);
    TDateTime MinDate() const { return FMinDate; }
    virtual void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    virtual void SetMaxDate(TDateTime Value);
    TSkFirstDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    virtual void SetFirstDayOfWeek(TSkFirstDayOfWeek Value);
    TSkCalendarElements Elements() const { return FElements; }
    virtual void SetElements(TSkCalendarElements Value);
    bool HasElement(TSkCalendarElement E) const { return FElements & CalendarElement(E); }
    bool ShowDays() const { return FShowDays; }
    virtual void SetShowDays(bool Value);

    // The first day of the month shown, and the day in the grid's top-left cell.
    TDateTime ViewDate() const { return FViewDate; }
    virtual void SetViewDate(TDateTime Value);
    TDateTime FirstShownDate() const { return FFirstShownDate; }
    // The effective first day of the week, 0 = Monday .. 6 = Sunday.
    int FirstDayIndex() const { return FFirstDayIndex; }
    // The day in grid cell (Row 0..5, Column 0..6).
    TDateTime CellDate(int Row, int Column) const { return FFirstShownDate + Row * 7 + Column; }
    // The day names over the columns: the locale's short names, cut to two characters when one is
    // wider than a cell, and to the locale's narrow names when two are still too wide.
    QStringList DayNames();
    // The week number shown for a grid row (the ISO week of its second day, or the handler's).
    int RowWeekNumber(int Row);

    TElementCode HotElement() const { return FHotElement; }
    virtual void SetHotElement(TElementCode Value);
    TElementCode PressedElement() const { return FPressedElement; }
    virtual void SetPressedElement(TElementCode Value);
    // Where each element lies now (empty when not shown), and which lies under a client point.
    TRect ElementRect(TElementCode Code);
    TElementCode ElementAt(int X, int Y);
    // The rectangle of grid cell (Row, Column): CellWidth - 2 wide, from one pixel above the row.
    TRect CellRect(int Row, int Column);
    int CellWidth() { return Layout().CellWidth; }
    int CellHeight() { return Layout().CellHeight; }

    // The Today and Clear buttons' actions, as a click runs them.
    void TodayAction();
    void ClearAction();

    TPopupMenu* MonthMenu() const { return FMonthMenu; }
    TSkYearSpinner* YearSpinner() const { return FYearSpinner; }
    bool YearSpinnerShown() const { return FYearSpinnerShown; }
    TTimer* TodayTimer() const { return FTodayTimer; }
    // The date the last timer tick saw as today.
    TDateTime TodayDate() const { return FTodayDate; }

    TSize PreferredSize() const override;

    TNotifyEvent OnChange;
    TSkGetBoldDaysEvent OnGetBoldDays;
    TSkGetDayFormatEvent OnGetDayFormat;
    TSkGetWeekNumberEvent OnGetWeekNumber;
    TSkViewDateChangeEvent OnViewDateChange;
    TSkCalendarTodayEvent OnToday;
    TSkCalendarClearEvent OnClear;

protected:
    // Takes V (whole days) as the date unless it equals Date or lies outside the bounds (both
    // skipped while forced); shows its month (today's for 0), announces the change and repaints.
    virtual void SetDateInternal(TDateTime Value);
    virtual void Change();
    virtual std::uint32_t DoGetBoldDays(int Year, int Month);
    // Whether a handler is there to format the day.
    virtual bool DoGetDayFormat(TDateTime DayDate, int Year, int Month, int Day, TColor& DayColor,
                                TColor& DayFontColor, TFontStyles& DayFontStyle);
    virtual void DoViewDateChange(TDateTime Value);
    virtual bool DoToday();
    virtual bool DoClear();

    void Paint() override;
    bool ClickOnMouseUp() const override { return false; }
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMTimer(TWMTimer& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMDialogChar(TWMKey& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    struct TLayout {
        TRect Rects[10];
        TRect Header, ButtonBand;
        int CellWidth = 0, CellHeight = 0;
    };
    // Worked out from the size, font and elements whenever it is needed.
    TLayout Layout();
    static TRect CellRectIn(const TLayout& L, int Row, int Column);
    void MeasureCaptions();
    // The day names for columns ColumnWidth wide.
    QStringList DayNames(int ColumnWidth);
    QString HeaderText() const;
    QString TodayCaption() const;
    QString ClearCaption() const;
    // The date under a client point of the day grid, 0 when none counts there.
    TDateTime DateAt(int X, int Y);
    bool InBounds(TDateTime Value) const;
    // The first days of the months of MinDate and MaxDate (0: open).
    TDateTime MinViewDate() const;
    TDateTime MaxViewDate() const;
    // V moved into [MinDate, MaxDate] and the representable days, never onto the "no date" 0.
    TDateTime ClampToRange(TDateTime Value, TDateTime From) const;
    void MoveDateByKey(TDateTime Target, TDateTime From);
    void ForcedSetDate(TDateTime Value);
    void BringDateInto(TDateTime Min, TDateTime Max);
    void ApplyFirstDayOfWeek();
    void ArrowStep();
    void ShowYearSpinner();
    void YearSpinnerStep(int Years);
    void PaintHeader(const TLayout& L);
    void PaintDayNames(const TLayout& L);
    void PaintWeekNumbers(const TLayout& L);
    void PaintDays(const TLayout& L);

    TColor FButtonColor = clBtnFace, FButtonFontColor = clWindowText;
    TSkCalendarColors FCalendarColors;
    QString FCaptionClearBtn, FCaptionTodayBtn;
    TDateTime FDate = 0, FMinDate = 0, FMaxDate = 0;
    TDateTime FViewDate = 0, FFirstShownDate = 0, FTodayDate = 0;
    TSkFirstDayOfWeek FFirstDayOfWeek = fdowLocale;
    int FFirstDayIndex = 0;
    TSkCalendarElements FElements = DefaultCalendarElements;
    bool FShowDays = true;
    TElementCode FHotElement = ecNone, FPressedElement = ecNone;
    TRect FPressedRect;
    int FTodayCaptionWidth = 0, FClearCaptionWidth = 0;
    int FRepeatCount = 0;
    bool FYearSpinnerShown = false, FForceDateChange = false, FSkipClick = false;
    TPopupMenu* FMonthMenu = nullptr;
    TSkYearSpinner* FYearSpinner = nullptr;
    TTimer* FTodayTimer = nullptr;
};
