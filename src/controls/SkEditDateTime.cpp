#include "SkEditDateTime.h"

#include "SkEditDropDown.h"
#include "SkPopupsParsing.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {
struct TDateTimeEditTypes {
    TDateTimeEditTypes() {
        RegisterEnumType<TSkDTEditType>({"etDate", "etTime"});
        RegisterClass<TSkDateTimeEdit>();
    }
};
const TDateTimeEditTypes DateTimeEditTypes;

// The program's separators: typed, they are text, not steps.
const QChar DateSeparator = QLatin1Char('-');
const QChar TimeSeparator = QLatin1Char(':');

double WholeDays(TDateTime V) {
    return std::trunc(V);
}
double DayFraction(TDateTime V) {
    return std::fabs(V - std::trunc(V));
}
}  // namespace

TSkDateTimeEdit::TSkDateTimeEdit(TComponent* AOwner)
    : TSkEdit(AOwner), FCalendarColors(nullptr, DefaultCalendarColors()),
      FClockFaceColors(nullptr, DefaultClockFaceColors()) {
    SetDropButtonVisible(true);
}

// Values ----------------------------------------------------------------------------------------------------
double TSkDateTimeEdit::GetDate() const {
    return WholeDays(FValue);
}

double TSkDateTimeEdit::GetTime() const {
    return DayFraction(FValue);
}

// The value itself is held against the bounds: MaxDate at noon lies past MaxDate.
void TSkDateTimeEdit::SetDate(double Value) {
    const QScopedValueRollback<bool> assigning(FAssigningDate, true);
    CheckCalendarDate(Value);
    CheckDateBounds(Value, FMinDate, FMaxDate);
    FValue = Value;
    FDateSet = true;
    FEditType = etDate;  // no check of the text: it is replaced
    NotifyChange();
    UpdateText();
}

void TSkDateTimeEdit::SetTime(double Value) {
    const QScopedValueRollback<bool> assigning(FAssigningTime, true);
    CheckCalendarDate(Value);
    FValue = Value;
    FTimeSet = true;
    FEditType = etTime;
    NotifyChange();
    UpdateText();
}

void TSkDateTimeEdit::Clear() {
    ShowText(QString());
    FValue = 0;
    NotifyChange();
    FDateSet = FTimeSet = false;
    UpdateText();
}

void TSkDateTimeEdit::NotifyChange() {
    const bool changed = FEditType == etDate ? WholeDays(FPrevious) != WholeDays(FValue)
                                             : DayFraction(FPrevious) != DayFraction(FValue);
    if (!changed) return;
    FPrevious = FValue;
    DateTimeChange();
}

void TSkDateTimeEdit::SetMinDate(double Value) {
    CheckCalendarDate(Value);
    const double d = WholeDays(Value);
    if (d != 0 && FMaxDate != 0 && d > FMaxDate) throw ESkCalendarError(DateExceedsMaximumText(FMaxDate));
    if (d == FMinDate) return;
    FMinDate = d;
    BringIntoRange();
}

void TSkDateTimeEdit::SetMaxDate(double Value) {
    CheckCalendarDate(Value);
    const double d = WholeDays(Value);
    if (d != 0 && FMinDate != 0 && d < FMinDate) throw ESkCalendarError(DateBelowMinimumText(FMinDate));
    if (d == FMaxDate) return;
    FMaxDate = d;
    BringIntoRange();
}

// The bounds are stored first, so the move itself is within them.
void TSkDateTimeEdit::BringIntoRange() {
    if (FEditType != etDate || Date() == 0) return;
    if (FMinDate != 0 && FMinDate > Date())
        SetDate(FMinDate);
    else if (FMaxDate != 0 && FMaxDate < Date())
        SetDate(FMaxDate);
}

void TSkDateTimeEdit::SetEditType(TSkDTEditType Value) {
    if (Value == FEditType) return;
    FEditType = Value;
    if (ValidateOnExit()) SetFocus();
}

void TSkDateTimeEdit::SetFormat(const QString& Value) {
    if (Value == FFormat) return;
    TakeOverText();
    FFormat = Value;
    UpdateText();
}

// Text ------------------------------------------------------------------------------------------------------
void TSkDateTimeEdit::ShowText(const QString& Text) {
    const QScopedValueRollback<bool> updating(FUpdatingText, true);
    SetText(Text);
}

// A value of 0 shows as an empty field unless it was set (typed, assigned or chosen in the pop-up);
// a set 0 whose text was emptied stays empty.
void TSkDateTimeEdit::UpdateText() {
    const bool date = FEditType == etDate;
    const QString format = !FFormat.isEmpty() ? FFormat
                           : date             ? QStringLiteral("ddddd")
                                              : QStringLiteral("t");
    const bool assigning = date ? FAssigningDate : FAssigningTime;
    const bool set = date ? FDateSet : FTimeSet;
    const bool accepted = date ? FDateAccepted : FTimeAccepted;
    const bool empty = !assigning && FValue == 0 && (!set || (Text().isEmpty() && !accepted));
    ShowText(empty ? QString() : FormatDateTime(format, FValue));
    FModified = false;
}

void TSkDateTimeEdit::Change() {
    if (!FUpdatingText) {
        FModified = true;
        TakeOverText();
    }
    TSkEdit::Change();
}

// Typed text becomes the value as it is typed; whether it made sense is the leaving's business.
void TSkDateTimeEdit::TakeOverText() {
    if (!FModified) return;
    FModified = false;
    TDateTime v = 0;
    if (FEditType == etDate) {
        ParseDateText(Text(), v);
        FDateSet = true;
    } else {
        ParseTimeText(Text(), v);
        FTimeSet = true;
    }
    FValue = v;
    NotifyChange();
}

void TSkDateTimeEdit::InvalidDate(bool& KeepFocus, bool& KeepText, TDateTime& NewDate) {
    if (OnInvalidDate) OnInvalidDate(this, KeepFocus, KeepText, NewDate);
}

void TSkDateTimeEdit::InvalidTime(bool& KeepFocus, bool& KeepText, TDateTime& NewTime) {
    if (OnInvalidTime) OnInvalidTime(this, KeepFocus, KeepText, NewTime);
}

bool TSkDateTimeEdit::ValidateOnExit() {
    if (FValidating || (ComponentState() & csDestroying)) return false;
    const QScopedValueRollback<bool> validating(FValidating, true);
    TakeOverText();
    const bool date = FEditType == etDate;
    const QString typed = Text();
    TDateTime parsed = 0;
    bool keepFocus = false, keepText = false;
    if (!(date ? ParseDateText(typed, parsed) : ParseTimeText(typed, parsed))) {
        TDateTime replacement = 0;
        if (date)
            InvalidDate(keepFocus, keepText, replacement);
        else
            InvalidTime(keepFocus, keepText, replacement);
        FValue = replacement;
        NotifyChange();
        if (keepText)
            ShowText(typed);  // left for the user to mend
        else if (replacement == 0)
            ShowText(QString());
        (date ? FDateSet : FTimeSet) = false;
    }
    if (date && Date() != 0) PutBoundIn();
    if (!keepFocus && !keepText) UpdateText();
    return keepFocus || keepText;
}

// A typed date past a bound does not stay: the bound takes its place, and the error says why.
void TSkDateTimeEdit::PutBoundIn() {
    const bool above = FMaxDate != 0 && Date() > FMaxDate;
    const bool below = !above && FMinDate != 0 && Date() < FMinDate;
    if (!above && !below) return;
    FValue = above ? FMaxDate : FMinDate;
    FDateSet = true;
    NotifyChange();
    UpdateText();
    throw ESkCalendarError(above ? DateExceedsMaximumText(FMaxDate) : DateBelowMinimumText(FMinDate));
}

// Focus -----------------------------------------------------------------------------------------------------
bool TSkDateTimeEdit::PopupOpen() const {
    return FPopupPanel && FPopupPanel->PopupHost();
}

void TSkDateTimeEdit::CMEnter(TMessage& Message) {
    if (!PopupOpen()) UpdateText();
    TSkEdit::CMEnter(Message);
}

// Leaving never throws: a bound error is shown in the program's box and the focus goes on. The
// pop-up taking the focus is no leaving. Text an OnInvalidDate/Time handler keeps (or the focus it
// keeps) ends the leaving here: the focus stays and the next control is never entered; an edit being
// hidden or disabled cannot keep it and leaves with the text as it stands.
void TSkDateTimeEdit::CMExit(TMessage& Message) {
    QPointer<QObject> alive(this);
    bool keep = false;
    if (!PopupOpen()) DispatchEvent([&] { keep = ValidateOnExit(); });
    if (!alive || (keep && KeepFocusOnExit())) return;
    TSkEdit::CMExit(Message);
}

// Keys ------------------------------------------------------------------------------------------------------
void TSkDateTimeEdit::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// A step stops at the last day the bounds and the calendar allow.
void TSkDateTimeEdit::StepDate(int Days, int Months, int Years) {
    const TDateTime start = FValue != 0 ? FValue : CalendarToday();
    const QDate day = ToQDate(start).addYears(Years).addMonths(Months).addDays(Days);
    const TDateTime low = FMinDate != 0 ? std::max(FMinDate, FirstCalendarDay) : FirstCalendarDay;
    const TDateTime high = FMaxDate != 0 ? std::min(FMaxDate, LastCalendarDay) : LastCalendarDay;
    const TDateTime stepped = day.isValid() ? FromQDate(day) + DayFraction(start) : Years + Months + Days > 0 ? high : low;
    FValue = std::clamp(stepped, low, high);
    FDateSet = true;
    NotifyChange();
    UpdateText();
}

void TSkDateTimeEdit::StepTime(int Minutes) {
    TDateTime v = (FValue != 0 ? FValue : Now()) + Minutes / 1440.0;
    if (v < 0) v += 1;
    if (!IsCalendarDateTime(v)) return;  // no step out of the calendar
    FValue = v;
    FTimeSet = true;
    NotifyChange();
    UpdateText();
}

void TSkDateTimeEdit::WMKeyDown(TWMKey& Message) {
    const TShiftState shift = KeyDataShift(Message.KeyData);
    const bool dropKey = (Message.CharCode == VK_DOWN && shift == ssAlt) || Message.CharCode == VK_F4;
    if (!dropKey && !ReadOnly()) {
        const int key = Message.CharCode;
        const int page = key == VK_PRIOR ? 1 : key == VK_NEXT ? -1 : 0;
        const int line = key == VK_UP ? 1 : key == VK_DOWN ? -1 : 0;
        if (FEditType == etDate) {
            if (page != 0 && (shift & ssShift))
                StepDate(0, 0, page);
            else if (page != 0)
                StepDate(0, page, 0);
            else if (line != 0)
                StepDate(line, 0, 0);
        } else if (page != 0 || line != 0) {
            StepTime(page * 60 + line);
        }
    }
    TSkEdit::WMKeyDown(Message);
}

void TSkDateTimeEdit::KeyPress(QChar& Key) {
    const bool plus = Key == QLatin1Char('+') || Key == QLatin1Char('=');
    const bool minus = Key == QLatin1Char('-') || Key == QLatin1Char('_');
    if (ReadOnly() && (plus || minus)) {
        Key = QChar();
        return;
    }
    if (FEditType == etTime && Key.isLetter()) {
        // The half-day words may be typed: A, M, P, and the characters of the program's own.
        const TSkDateTimeLocale& locale = ProgramDateTimeLocale();
        const QChar upper = Key.toUpper();
        const bool halfDay = upper == QLatin1Char('A') || upper == QLatin1Char('M') ||
                             upper == QLatin1Char('P') || locale.TimeAMString.contains(Key) ||
                             locale.TimePMString.contains(Key);
        if (!halfDay) {
            Key = QChar();
            InvalidKeyBeep();
            return;
        }
    }
    const QChar separator = FEditType == etDate ? DateSeparator : TimeSeparator;
    if ((plus || minus) && Key != separator) {
        if (FEditType == etDate)
            StepDate(plus ? 1 : -1, 0, 0);
        else
            StepTime(plus ? 60 : -60);
        Key = QChar();
        return;
    }
    TSkEdit::KeyPress(Key);
}

// Drop-downs ------------------------------------------------------------------------------------------------
void TSkDateTimeEdit::DropDown() {
    if (ReadOnly()) return;
    TSkEdit::DropDown();
    TEnterExitHeldBack heldBack(this);
    if (FEditType == etDate)
        CalendarDropDown();
    else
        ClockDropDown();
}

void TSkDateTimeEdit::CalendarDropDown() {
    RunEditDropDown<TSkCalendar>(
        this, FPopupPanel,
        [this](TSkCalendar* calendar, TSkPopupPanel* panel) {
            calendar->SetButtonColor(FPopupButtonColor);
            calendar->SetButtonFontColor(FPopupButtonFontColor);
            calendar->SetElements(FCalendarElements);
            calendar->SetFirstDayOfWeek(FFirstDayOfWeek);
            calendar->SetCaptionClearBtn(FCaptionClearBtn);
            calendar->SetCaptionTodayBtn(FCaptionTodayBtn);
            calendar->OnGetBoldDays = OnGetBoldDays;
            calendar->OnGetDayFormat = OnGetDayFormat;
            calendar->OnGetWeekNumber = OnGetWeekNumber;
            calendar->OnViewDateChange = OnViewDateChange;
            calendar->SetMinDate(FMinDate);
            calendar->SetMaxDate(FMaxDate);
            // An empty edit opens at today, held within the bounds (the calendar refuses a date outside).
            double d = Date() != 0 ? Date() : CalendarToday();
            if (FMaxDate != 0 && d > FMaxDate) d = FMaxDate;
            if (FMinDate != 0 && d < FMinDate) d = FMinDate;
            calendar->SetDate(d);
            calendar->SetCalendarColors(&FCalendarColors);
            calendar->OnClick = [panel](TObject*) { panel->Close(); };
        },
        [this](TSkCalendar* calendar) {
            const QScopedValueRollback<bool> accepted(FDateAccepted, true);
            if (calendar->Date() == 0)
                Clear();
            else
                SetDate(calendar->Date());
        });
}

void TSkDateTimeEdit::ClockDropDown() {
    RunEditDropDown<TSkTimePicker>(
        this, FPopupPanel,
        [this](TSkTimePicker* clock, TSkPopupPanel* panel) {
            clock->SetButtonColor(FPopupButtonColor);
            clock->SetButtonFontColor(FPopupButtonFontColor);
            clock->SetCaptionAM(FCaptionAM);
            clock->SetCaptionPM(FCaptionPM);
            clock->SetCaptionSet(FCaptionSet);
            clock->SetTime(Time());
            clock->SetClockFaceColors(&FClockFaceColors);
            clock->SetFormat(FFormat);
            clock->SetShowSetButton(true);
            clock->SetShowHowToUseHint(FShowHowToUseHint);
            clock->SetHowToUseMsg(FHowToUseMsg);
            clock->SetRestrictMinutes(FRestrictMinutes);
            clock->OnSetBtnClick = [panel](TObject*) { panel->Close(); };
        },
        [this](TSkTimePicker* clock) {
            const QScopedValueRollback<bool> accepted(FTimeAccepted, true);
            SetTime(clock->Time());
        });
}
