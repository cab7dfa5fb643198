#include "SkPopupsCalendar.h"

#include "ExtCtrls.h"
#include "Menus.h"
#include "SkCommon.h"
#include "SkPopups.h"
#include "TextDraw.h"
#include "Themes.h"
#include "TypInfo.h"

#include <QLocale>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

struct TCalendarTypes {
    TCalendarTypes() {
        RegisterEnumType<TSkFirstDayOfWeek>({"fdowMonday", "fdowTuesday", "fdowWednesday", "fdowThursday",
                                             "fdowFriday", "fdowSaturday", "fdowSunday", "fdowLocale"});
        RegisterEnumType<TSkCalendarElement>({"ceYear", "ceMonth", "ceArrows", "ceWeekNumbers",
                                              "ceDaysOfWeek", "ceFillDays", "ceTodayButton",
                                              "ceClearButton"});
        RegisterSetType(QStringLiteral("TSkCalendarElements"), QStringLiteral("TSkCalendarElement"));
    }
};
const TCalendarTypes CalendarTypes;

std::function<TDateTime()> gToday;

constexpr unsigned ArrowTimerId = 1;
constexpr int ArrowRepeatMs = 50;

// The days a date can name: 0001-01-01 .. 9999-12-31.
bool Representable(TDateTime d) {
    return IsCalendarDateTime(d);
}

TDateTime FirstOfMonth(TDateTime d) {
    int y, m, day;
    DecodeDate(d, y, m, day);
    return d - (day - 1);
}

int MonthOf(TDateTime d) {
    int y, m, day;
    DecodeDate(d, y, m, day);
    return m;
}

int YearOf(TDateTime d) {
    int y, m, day;
    DecodeDate(d, y, m, day);
    return y;
}

// The date Months months on (the day kept where the month has it, else its last day); may leave the
// representable days, which callers check.
TDateTime IncMonth(TDateTime d, int Months) {
    return FromQDate(ToQDate(d).addMonths(Months));
}

QString LongMonthName(int Month) {
    return QLocale().standaloneMonthName(Month, QLocale::LongFormat);
}

// n: 1 = Sunday .. 7 = Saturday.
QString ShortDayName(int n) {
    return QLocale().dayName(n == 1 ? 7 : n - 1, QLocale::ShortFormat);
}

QString NarrowDayName(int n) {
    return QLocale().dayName(n == 1 ? 7 : n - 1, QLocale::NarrowFormat);
}

}  // namespace

const std::array<TColor, 7>& DefaultCalendarColors() {
    static const std::array<TColor, 7> colors = {clWindowText, clBtnShadow,     clWindowText, clBtnShadow,
                                                 clHighlight,  clHighlightText, TColor(128)};
    return colors;
}

QString DateExceedsMaximumText(TDateTime MaxDate) {
    return QStringLiteral("Date exceeds maximum of %1").arg(DateToISO(MaxDate));
}

QString DateBelowMinimumText(TDateTime MinDate) {
    return QStringLiteral("Date is less than minimum of %1").arg(DateToISO(MinDate));
}

void CheckCalendarDate(TDateTime Value) {
    if (!IsCalendarDateTime(Value)) throw ESkCalendarError(DateOutsideCalendarText());
}

QString DateOutsideCalendarText() {
    return QStringLiteral("Date must lie between 0001-01-01 and 9999-12-31");
}

void CheckDateBounds(TDateTime Day, TDateTime MinDate, TDateTime MaxDate) {
    if (MaxDate != 0 && Day > MaxDate) throw ESkCalendarError(DateExceedsMaximumText(MaxDate));
    if (MinDate != 0 && Day < MinDate) throw ESkCalendarError(DateBelowMinimumText(MinDate));
}

void SetCalendarToday(std::function<TDateTime()> Today) {
    gToday = std::move(Today);
}

TDateTime CalendarToday() {
    return std::trunc(gToday ? gToday() : Date());
}

// TSkYearSpinner ----------------------------------------------------------------------------------

TSkYearSpinner::TSkYearSpinner(TComponent* AOwner) : TSkSpinner(AOwner) {
    SetVisible(false);
    SetTabStop(false);
    SetMin(0);
    SetMax(9999);
}

void TSkYearSpinner::Hide() {
    if (!Visible()) return;
    SetVisible(false);
    FireEvent(OnHide, this);
}

void TSkYearSpinner::WMKeyDown(TWMKey& Message) {
    switch (Message.CharCode) {
    case VK_TAB:
    case 'C':
        return;
    case VK_RETURN:
    case VK_ESCAPE:
        Hide();
        return;
    default:
        TSkSpinner::WMKeyDown(Message);
    }
}

void TSkYearSpinner::WMChar(TWMKey& Message) {
    if (Message.CharCode == '\t' || Message.CharCode == '\r' || Message.CharCode == 27) return;
    TSkSpinner::WMChar(Message);
}

void TSkYearSpinner::WMKillFocus(TWMFocus& Message) {
    TSkSpinner::WMKillFocus(Message);
    Hide();
}

// TSkCalendar -------------------------------------------------------------------------------------

TSkCalendar::TSkCalendar(TComponent* AOwner)
    : TSkPopupContent(AOwner), FCalendarColors(this, DefaultCalendarColors()) {
    SetTabStop(true);
    SetMouseTracking(true);

    FMonthMenu = new TPopupMenu(this);
    for (int m = 1; m <= 12; ++m) {
        auto* item = new TMenuItem(FMonthMenu);
        item->SetCaption(LongMonthName(m));
        item->SetTag(m);
        item->OnClick = [this, m](TObject*) { SetViewDate(IncMonth(FViewDate, m - MonthOf(FViewDate))); };
        FMonthMenu->Items()->Add(item);
    }

    FYearSpinner = new TSkYearSpinner(this);
    FYearSpinner->SetParent(this);
    FYearSpinner->OnIncrement = [this](TObject*, int Amount) { YearSpinnerStep(Amount); };
    FYearSpinner->OnDecrement = [this](TObject*, int Amount) { YearSpinnerStep(-Amount); };
    FYearSpinner->OnHide = [this](TObject*) {
        FYearSpinnerShown = false;
        if (CanFocus()) SetFocus();
    };

    FTodayDate = CalendarToday();
    FTodayTimer = new TTimer(this);
    FTodayTimer->SetInterval(1000);
    FTodayTimer->OnTimer = [this](TObject*) {
        const TDateTime today = CalendarToday();
        if (today == FTodayDate) return;
        FTodayDate = today;
        Invalidate();
    };

    ApplyFirstDayOfWeek();
    ForcedSetDate(FTodayDate);
    MeasureCaptions();
    SetBounds(Left(), Top(), 147, 159);
}

TSkCalendar::~TSkCalendar() = default;

// Properties --------------------------------------------------------------------------------------

void TSkCalendar::SetButtonColor(TColor Value) {
    if (StoreChanged(FButtonColor, Value)) Invalidate();
}

void TSkCalendar::SetButtonFontColor(TColor Value) {
    if (StoreChanged(FButtonFontColor, Value)) Invalidate();
}

void TSkCalendar::SetCaptionClearBtn(const QString& Value) {
    if (StoreChanged(FCaptionClearBtn, Value)) MeasureCaptions();
}

void TSkCalendar::SetCaptionTodayBtn(const QString& Value) {
    if (StoreChanged(FCaptionTodayBtn, Value)) MeasureCaptions();
}

void TSkCalendar::SetElements(TSkCalendarElements Value) {
    if (StoreChanged(FElements, Value & 0xFF)) MeasureCaptions();
}

void TSkCalendar::SetShowDays(bool Value) {
    if (StoreChanged(FShowDays, Value)) MeasureCaptions();
}

QString TSkCalendar::TodayCaption() const {
    return FCaptionTodayBtn.isEmpty() ? QStringLiteral("Today") : FCaptionTodayBtn;
}

QString TSkCalendar::ClearCaption() const {
    return FCaptionClearBtn.isEmpty() ? QStringLiteral("Clear") : FCaptionClearBtn;
}

void TSkCalendar::MeasureCaptions() {
    Canvas()->Font()->Assign(*Font());
    FTodayCaptionWidth = Canvas()->TextWidth(StripPrefix(TodayCaption(), nullptr));
    FClearCaptionWidth = Canvas()->TextWidth(StripPrefix(ClearCaption(), nullptr));
    UpdateMetrics();
}

void TSkCalendar::CMFontChanged(TMessage& Message) {
    TSkPopupContent::CMFontChanged(Message);
    MeasureCaptions();
}

TSize TSkCalendar::PreferredSize() const {
    const int w = DigitWidth(), h = DigitHeight();
    int height = 4;
    if (HasElement(ceYear) || HasElement(ceMonth)) height += h + 5;
    if (!FShowDays) return {Width(), height};
    const int row = h + 2;
    height += 6 * row + 1;
    if (HasElement(ceDaysOfWeek)) height += row + 1;
    int width = 7 * (2 * w + 5);
    if (HasElement(ceWeekNumbers)) width += 2 * w + 5;
    const bool today = HasElement(ceTodayButton), clear = HasElement(ceClearButton);
    if (today || clear) {
        height += h + 17;
        const int buttons = today && clear ? 39 + FTodayCaptionWidth + FClearCaptionWidth
                            : today        ? 34 + FTodayCaptionWidth
                                           : 34 + FClearCaptionWidth;
        width = std::max(width, buttons);
    }
    return {width + 4 * w, height};
}

// Dates -------------------------------------------------------------------------------------------

bool TSkCalendar::InBounds(TDateTime Value) const {
    return (FMinDate == 0 || Value >= FMinDate) && (FMaxDate == 0 || Value <= FMaxDate);
}

TDateTime TSkCalendar::MinViewDate() const {
    return FMinDate == 0 ? 0 : FirstOfMonth(FMinDate);
}

TDateTime TSkCalendar::MaxViewDate() const {
    return FMaxDate == 0 ? 0 : FirstOfMonth(FMaxDate);
}

void TSkCalendar::ForcedSetDate(TDateTime Value) {
    // Put back by hand, not by a scoped rollback: OnChange may free the calendar on the way.
    struct TForced {
        TSkCalendar* Calendar;
        QPointer<QObject> Alive{Calendar};
        bool Was = std::exchange(Calendar->FForceDateChange, true);
        ~TForced() {
            if (Alive) Calendar->FForceDateChange = Was;
        }
    } forced{this};
    SetDateInternal(Value);
}

void TSkCalendar::SetDateInternal(TDateTime Value) {
    const TDateTime v = std::trunc(Value);
    if (!FForceDateChange && (v == FDate || !InBounds(v))) return;
    if (v != 0 && !Representable(v)) return;
    FDate = v;
    SetViewDate(v == 0 ? CalendarToday() : v);
    QPointer<QObject> alive(this);
    Change();  // may free the calendar
    if (alive) Invalidate();
}

void TSkCalendar::SetDate(TDateTime Value) {
    CheckCalendarDate(Value);
    const TDateTime v = std::trunc(Value);
    CheckDateBounds(v, FMinDate, FMaxDate);
    SetDateInternal(v);
}

void TSkCalendar::BringDateInto(TDateTime Min, TDateTime Max) {
    if (FDate == 0) return;
    if (Min != 0 && FDate < Min) SetDateInternal(Min);
    if (Max != 0 && FDate > Max) SetDateInternal(Max);
}

void TSkCalendar::SetMinDate(TDateTime Value) {
    CheckCalendarDate(Value);
    const TDateTime v = std::trunc(Value);
    if (v != 0 && FMaxDate != 0 && v > FMaxDate) throw ESkCalendarError(DateExceedsMaximumText(FMaxDate));
    if (v == FMinDate) return;
    BringDateInto(v, FMaxDate);
    FMinDate = v;
    Invalidate();
}

void TSkCalendar::SetMaxDate(TDateTime Value) {
    CheckCalendarDate(Value);
    const TDateTime v = std::trunc(Value);
    if (v != 0 && FMinDate != 0 && v < FMinDate) throw ESkCalendarError(DateBelowMinimumText(FMinDate));
    if (v == FMaxDate) return;
    BringDateInto(FMinDate, v);
    FMaxDate = v;
    Invalidate();
}

void TSkCalendar::SetViewDate(TDateTime Value) {
    if (!Representable(Value)) return;
    const TDateTime m = FirstOfMonth(Value);
    if (!FForceDateChange) {
        if (m == FViewDate) return;
        if (FMinDate != 0 && m < MinViewDate()) return;
        if (FMaxDate != 0 && m > MaxViewDate()) return;
    }
    FViewDate = m;
    DoViewDateChange(m);
    const TDateTime previous = m - 1;
    FFirstShownDate = previous - ((DayOfWeek(previous) + 5 - FFirstDayIndex) % 7);
    Invalidate();
}

void TSkCalendar::ApplyFirstDayOfWeek() {
    FFirstDayIndex =
        FFirstDayOfWeek == fdowLocale ? int(QLocale().firstDayOfWeek()) - 1 : int(FFirstDayOfWeek);
}

void TSkCalendar::SetFirstDayOfWeek(TSkFirstDayOfWeek Value) {
    FFirstDayOfWeek = Value;
    ApplyFirstDayOfWeek();
    ForcedSetDate(FDate);
}

void TSkCalendar::TodayAction() {
    if (DoToday()) ForcedSetDate(CalendarToday());
}

void TSkCalendar::ClearAction() {
    if (DoClear()) ForcedSetDate(0);
}

void TSkCalendar::Change() {
    FireEvent(OnChange, this);
}

std::uint32_t TSkCalendar::DoGetBoldDays(int Year, int Month) {
    std::uint32_t mask = 0;
    if (OnGetBoldDays) OnGetBoldDays(this, Year, Month, mask);
    return mask;
}

bool TSkCalendar::DoGetDayFormat(TDateTime DayDate, int Year, int Month, int Day, TColor& DayColor,
                                 TColor& DayFontColor, TFontStyles& DayFontStyle) {
    if (!OnGetDayFormat) return false;
    OnGetDayFormat(this, DayDate, Year, Month, Day, DayColor, DayFontColor, DayFontStyle);
    return true;
}

void TSkCalendar::DoViewDateChange(TDateTime Value) {
    if (OnViewDateChange) OnViewDateChange(this, Value);
}

bool TSkCalendar::DoToday() {
    bool allow = true;
    if (OnToday) OnToday(this, allow);
    return allow;
}

bool TSkCalendar::DoClear() {
    bool allow = true;
    if (OnClear) OnClear(this, allow);
    return allow;
}

int TSkCalendar::RowWeekNumber(int Row) {
    int week = ToQDate(CellDate(Row, 1)).weekNumber();
    if (OnGetWeekNumber) OnGetWeekNumber(this, CellDate(Row, 6) + 1, week);
    return week;
}

// Layout ------------------------------------------------------------------------------------------

QString TSkCalendar::HeaderText() const {
    QString text = LongMonthName(MonthOf(FViewDate));
    if (HasElement(ceYear)) text += QLatin1Char(' ') + QString::number(YearOf(FViewDate));
    return text;
}

TSkCalendar::TLayout TSkCalendar::Layout() {
    TLayout L;
    const int w = DigitWidth(), h = DigitHeight();
    TRect r = GetClientRect();
    Canvas()->Font()->Assign(*Font());
    if (HasElement(ceYear) || HasElement(ceMonth)) {
        L.Header = Rect(r.Left, r.Top, r.Right, r.Top + h + 5);
        L.Rects[ecYear] = L.Header;
        const QString text = HeaderText();
        const int textWidth = Canvas()->TextWidth(text);
        const int textLeft = L.Header.Left + (L.Header.Width() - textWidth) / 2;
        const int yearWidth =
            HasElement(ceYear) ? Canvas()->TextWidth(QString::number(YearOf(FViewDate))) : 0;
        if (HasElement(ceMonth))
            L.Rects[ecMonth] =
                Rect(L.Header.Left, L.Header.Top, textLeft + textWidth - yearWidth, L.Header.Bottom);
        if (HasElement(ceArrows)) {
            L.Rects[ecPrevArrow] = Bounds(L.Header.Left, L.Header.Top, h + 5, h + 5);
            L.Rects[ecNextArrow] =
                Rect(L.Header.Right - (h + 5), L.Header.Top, L.Header.Right, L.Header.Top + h + 5);
        }
        r.Top = L.Header.Bottom;
    }
    if (!FShowDays) return L;
    r.Left += 2 * w - 1;
    r.Right -= 2 * w + 1;
    const bool today = HasElement(ceTodayButton), clear = HasElement(ceClearButton);
    if (today || clear) {
        L.ButtonBand = Rect(r.Left, r.Bottom - (h + 18), r.Right, r.Bottom);
        const TRect& band = L.ButtonBand;
        auto centred = [&](int left, int right, int captionWidth) {
            const int bw = captionWidth + 17, bh = h + 7;
            return Bounds(left + (right - left - bw) / 2, band.Top + (band.Height() - bh) / 2, bw, bh);
        };
        if (today && clear) {
            const int split = (band.Left + band.Right - FTodayCaptionWidth - FClearCaptionWidth - 5) / 2 +
                              FTodayCaptionWidth;
            L.Rects[ecToday] = centred(band.Left, split, FTodayCaptionWidth);
            L.Rects[ecClear] = centred(split + 5, band.Right, FClearCaptionWidth);
        } else if (today) {
            L.Rects[ecToday] = centred(band.Left, band.Right, FTodayCaptionWidth);
        } else {
            L.Rects[ecClear] = centred(band.Left, band.Right, FClearCaptionWidth);
        }
        r.Bottom = band.Top + 1;
    }
    TRect grid = r;
    if (HasElement(ceWeekNumbers)) {
        L.Rects[ecWeekNumbers] = Rect(r.Left, r.Top, r.Left + 2 * w + 10, r.Bottom);
        grid.Left = L.Rects[ecWeekNumbers].Right;
    }
    const bool dayNames = HasElement(ceDaysOfWeek);
    L.CellWidth = grid.Width() / 7;
    L.CellHeight = (grid.Height() - (dayNames ? 2 : 1)) / (dayNames ? 7 : 6);
    TRect days = grid;
    if (dayNames) {
        L.Rects[ecDayNames] = Rect(grid.Left, grid.Top, grid.Right, grid.Top + L.CellHeight);
        if (HasElement(ceWeekNumbers)) L.Rects[ecWeekNumbers].Top = grid.Top + L.CellHeight;
        days.Top = grid.Top + L.CellHeight + 2;
    }
    L.Rects[ecDays] = days;
    return L;
}

TRect TSkCalendar::ElementRect(TElementCode Code) {
    return Code <= ecClear ? Layout().Rects[Code] : TRect{};
}

TSkCalendar::TElementCode TSkCalendar::ElementAt(int X, int Y) {
    const TLayout L = Layout();
    for (int code = ecClear; code >= ecYear; --code)
        if (code != ecNone && L.Rects[code].Contains(Point(X, Y))) return TElementCode(code);
    return ecNone;
}

TRect TSkCalendar::CellRect(int Row, int Column) {
    return CellRectIn(Layout(), Row, Column);
}

TRect TSkCalendar::CellRectIn(const TLayout& L, int Row, int Column) {
    const int left = L.Rects[ecDays].Left + Column * L.CellWidth;
    const int top = L.Rects[ecDays].Top + Row * L.CellHeight - 1;
    return Rect(left, top, left + L.CellWidth - 2, top + L.CellHeight);
}

TDateTime TSkCalendar::DateAt(int X, int Y) {
    const TLayout L = Layout();
    const TRect& days = L.Rects[ecDays];
    if (!days.Contains(Point(X, Y)) || L.CellWidth <= 0 || L.CellHeight <= 0) return 0;
    const int column = (X - days.Left) / L.CellWidth, row = (Y - days.Top) / L.CellHeight;
    if (column > 6 || row > 5) return 0;
    const TDateTime d = CellDate(row, column);
    if (!Representable(d)) return 0;
    if (!HasElement(ceFillDays) && FirstOfMonth(d) != FViewDate) return 0;
    return d;
}

// Hot and pressed elements ------------------------------------------------------------------------

void TSkCalendar::SetHotElement(TElementCode Value) {
    if (Value == FHotElement) return;
    const bool involved =
        FPressedElement != ecNone && (FHotElement == FPressedElement || Value == FPressedElement);
    FHotElement = Value;
    if (involved) InvalidateRect(FPressedRect);
}

void TSkCalendar::SetPressedElement(TElementCode Value) {
    if (Value == FPressedElement) return;
    FPressedElement = Value;
    InvalidateRect(FPressedRect);
}

// Mouse -------------------------------------------------------------------------------------------

void TSkCalendar::WMMouseMove(TWMMouse& Message) {
    SetHotElement(ElementAt(Message.XPos, Message.YPos));
    TSkPopupContent::WMMouseMove(Message);
}

void TSkCalendar::CMMouseLeave(TMessage& Message) {
    SetHotElement(ecNone);
    TSkPopupContent::CMMouseLeave(Message);
}

void TSkCalendar::WMLButtonDown(TWMMouse& Message) {
    TSkPopupContent::WMLButtonDown(Message);
    if (FYearSpinnerShown) {
        FYearSpinner->Hide();
        return;
    }
    // The handlers of the control losing the focus, and OnChange, may free this one.
    QPointer<QObject> alive(this);
    if (!(ComponentState() & csDesigning) && !PopupMode() && CanFocus()) SetFocus();
    if (!alive) return;
    SetHotElement(ElementAt(Message.XPos, Message.YPos));
    const TElementCode hot = FHotElement;
    FPressedRect = hot == ecDays || hot == ecToday || hot == ecClear ? ElementRect(hot) : TRect{};
    FSkipClick = false;
    SetPressedElement(hot);
    switch (hot) {
    case ecPrevArrow:
    case ecNextArrow:
        FRepeatCount = -1;
        ArrowStep();
        if (alive) SetTimer(this, ArrowTimerId, ArrowRepeatMs);
        break;
    case ecYear:
        ShowYearSpinner();
        break;
    case ecMonth: {
        for (int i = 0; i < FMonthMenu->Items()->Count(); ++i)
            FMonthMenu->Items()->Items(i)->SetChecked(i + 1 == MonthOf(FViewDate));
        const TPoint at = ClientToScreen(Point(Message.XPos, Message.YPos));
        FMonthMenu->Popup(at.X, at.Y);
        break;
    }
    case ecDays: {
        const TDateTime d = DateAt(Message.XPos, Message.YPos);
        if (d != 0 && InBounds(d)) {
            if (d != FDate) {
                FDate = d;
                Invalidate();
                Change();
            }
        } else {
            FSkipClick = true;
        }
        break;
    }
    default:
        break;
    }
}

// OnClick and the Today and Clear actions' handlers may free the calendar.
void TSkCalendar::WMLButtonUp(TWMMouse& Message) {
    SetHotElement(ElementAt(Message.XPos, Message.YPos));
    const TElementCode pressed = FPressedElement;
    QPointer<QObject> alive(this);
    if (pressed != ecNone && pressed == FHotElement) {
        switch (pressed) {
        case ecDays:
            if (!FSkipClick) {
                if (FDate != 0 && FirstOfMonth(FDate) != FViewDate) SetViewDate(FDate);
                if (alive) Click();
            }
            break;
        case ecToday:
            TodayAction();
            if (alive) Click();
            break;
        case ecClear:
            ClearAction();
            if (alive) Click();
            break;
        default:
            break;
        }
    }
    if (!alive) return;
    SetPressedElement(ecNone);
    KillTimer(this, ArrowTimerId);
    TSkPopupContent::WMLButtonUp(Message);
}

void TSkCalendar::WMLButtonDblClk(TWMMouse& Message) {
    const TElementCode hot = ElementAt(Message.XPos, Message.YPos);
    if (hot != ecDays && hot != ecToday && hot != ecClear) return;  // no OnDblClick elsewhere
    WMLButtonDown(Message);
}

void TSkCalendar::WMTimer(TWMTimer& Message) {
    if (Message.TimerID != ArrowTimerId) {
        TSkPopupContent::WMTimer(Message);
        return;
    }
    if (FPressedElement != ecPrevArrow && FPressedElement != ecNextArrow) {
        KillTimer(this, ArrowTimerId);
        return;
    }
    ArrowStep();
}

void TSkCalendar::ArrowStep() {
    ++FRepeatCount;
    const bool due = FRepeatCount < 20    ? FRepeatCount % 5 == 0
                     : FRepeatCount < 200 ? FRepeatCount % 2 == 0
                                          : true;
    if (!due || FHotElement != FPressedElement) return;
    const TDateTime target = IncMonth(FViewDate, FPressedElement == ecPrevArrow ? -1 : 1);
    if (Representable(target)) SetViewDate(target);
}

// Year spinner ------------------------------------------------------------------------------------

void TSkCalendar::ShowYearSpinner() {
    const TLayout L = Layout();
    FYearSpinner->SetCheckRange(true);
    FYearSpinner->SetMin(FMinDate != 0 ? YearOf(FMinDate) : 1);
    FYearSpinner->SetMax(FMaxDate != 0 ? YearOf(FMaxDate) : 9999);
    FYearSpinner->SetValue(YearOf(FViewDate));
    Canvas()->Font()->Assign(*Font());
    const int blank = Canvas()->TextWidth(QStringLiteral(" "));
    const int yearWidth = Canvas()->TextWidth(QString::number(YearOf(FViewDate)));
    const int left = L.Rects[ecMonth].Right - FYearSpinner->ButtonWidth() - blank;
    FYearSpinner->SetBounds(left, L.Header.Top - 1, yearWidth + 2 * blank + 2 * FYearSpinner->ButtonWidth(),
                            L.Header.Height() + 2);
    FYearSpinnerShown = true;
    FYearSpinner->SetVisible(true);
    FYearSpinner->SetFocus();
}

void TSkCalendar::YearSpinnerStep(int Years) {
    if (Years < 0 && YearOf(FViewDate) + Years <= 0) return;
    TDateTime target = IncMonth(FViewDate, 12 * Years);
    if (Years < 0 && FMinDate != 0) target = std::max(target, MinViewDate());
    if (Years > 0 && FMaxDate != 0) target = std::min(target, MaxViewDate());
    if (Representable(target)) SetViewDate(target);
}

// Keyboard ----------------------------------------------------------------------------------------

TDateTime TSkCalendar::ClampToRange(TDateTime Value, TDateTime From) const {
    const TDateTime low = FMinDate != 0 ? std::max(FMinDate, FirstCalendarDay) : FirstCalendarDay;
    const TDateTime high = FMaxDate != 0 ? std::min(FMaxDate, LastCalendarDay) : LastCalendarDay;
    TDateTime v = std::clamp(Value, low, high);
    // 0 stands for "no date": a move passes over that day.
    if (v == 0) v = Value < From ? -1 : 1;
    return std::clamp(v, low, high);
}

void TSkCalendar::MoveDateByKey(TDateTime Target, TDateTime From) {
    const TDateTime v = ClampToRange(Target, From);
    if (v != 0) SetDateInternal(v);
}

void TSkCalendar::WMKeyDown(TWMKey& Message) {
    if (KeyDataShift(Message.KeyData) & (ssShift | ssCtrl | ssAlt)) {
        TSkPopupContent::WMKeyDown(Message);
        return;
    }
    const TDateTime d = FDate != 0 ? FDate : CalendarToday();
    switch (Message.CharCode) {
    case VK_UP:
        MoveDateByKey(d - 7, d);
        break;
    case VK_DOWN:
        MoveDateByKey(d + 7, d);
        break;
    case VK_LEFT:
        MoveDateByKey(d - 1, d);
        break;
    case VK_RIGHT:
        MoveDateByKey(d + 1, d);
        break;
    case VK_HOME:
        MoveDateByKey(FirstOfMonth(d), d);
        break;
    case VK_END:
        MoveDateByKey(IncMonth(FirstOfMonth(d), 1) - 1, d);
        break;
    case VK_PRIOR:
        if (!HasElement(ceMonth)) return TSkPopupContent::WMKeyDown(Message);
        MoveDateByKey(IncMonth(d, -1), d);
        break;
    case VK_NEXT:
        if (!HasElement(ceMonth)) return TSkPopupContent::WMKeyDown(Message);
        MoveDateByKey(IncMonth(d, 1), d);
        break;
    case VK_RETURN:
        Click();
        break;
    default:
        TSkPopupContent::WMKeyDown(Message);
    }
}

void TSkCalendar::CMDialogChar(TWMKey& Message) {
    if (Enabled() && HasElement(ceClearButton) && IsAccel(Message.CharCode, FCaptionClearBtn)) {
        ClearAction();
        Message.Result = 1;
        return;
    }
    if (Enabled() && HasElement(ceTodayButton) && IsAccel(Message.CharCode, FCaptionTodayBtn)) {
        TodayAction();
        Message.Result = 1;
        return;
    }
    TSkPopupContent::CMDialogChar(Message);
}

// Painting ----------------------------------------------------------------------------------------

void TSkCalendar::Paint() {
    const TLayout L = Layout();
    PaintBackground();
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    if (!L.Header.IsEmpty()) PaintHeader(L);
    if (!FShowDays) return;
    if (HasElement(ceTodayButton))
        DrawPopupButton(Canvas(), L.Rects[ecToday], TodayCaption(), FButtonColor, FButtonFontColor,
                        FlatBorder(), FPressedElement == ecToday && FHotElement == ecToday, ThemeAware());
    if (HasElement(ceClearButton))
        DrawPopupButton(Canvas(), L.Rects[ecClear], ClearCaption(), FButtonColor, FButtonFontColor,
                        FlatBorder(), FPressedElement == ecClear && FHotElement == ecClear, ThemeAware());
    if (HasElement(ceDaysOfWeek)) PaintDayNames(L);
    if (HasElement(ceWeekNumbers)) PaintWeekNumbers(L);
    PaintDays(L);
    if (!L.ButtonBand.IsEmpty()) {
        canvas->Pen()->SetColor(FCalendarColors.GetColor(cciLines));
        canvas->MoveTo(L.ButtonBand.Left, L.ButtonBand.Top - 1);
        canvas->LineTo(L.ButtonBand.Right, L.ButtonBand.Top - 1);
    }
}

void TSkCalendar::PaintHeader(const TLayout& L) {
    TCanvas* canvas = Canvas();
    if (FShowDays) PaintBand(L.Header, FButtonColor);
    canvas->Brush()->SetStyle(bsClear);
    if (HasElement(ceArrows)) {
        canvas->Font()->SetName(QStringLiteral("Marlett"));
        canvas->Font()->SetSize(Font()->Size() + 4);
        canvas->Font()->SetColor(FButtonFontColor);
        DrawStringCentered(canvas, QStringLiteral("3"), L.Rects[ecPrevArrow]);
        DrawStringCentered(canvas, QStringLiteral("4"), L.Rects[ecNextArrow]);
        canvas->Font()->Assign(*Font());
    }
    canvas->Font()->SetColor(FButtonFontColor);
    DrawStringCentered(canvas, HeaderText(), L.Header);
    canvas->Brush()->SetStyle(bsSolid);
}

QStringList TSkCalendar::DayNames() {
    return DayNames(Layout().CellWidth);
}

QStringList TSkCalendar::DayNames(int ColumnWidth) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    canvas->Font()->SetSize(Font()->Size() - 1);
    QStringList names;
    int widest = 0;
    int dayNumbers[7];  // 1 = Sunday .. 7 = Saturday
    for (int i = 0; i < 7; ++i) {
        int n = FFirstDayIndex + i + 2;
        if (n > 7) n -= 7;
        dayNumbers[i] = n;
        names << ShortDayName(n);
        widest = std::max(widest, canvas->TextWidth(names[i]));
    }
    if (widest > ColumnWidth) {
        int widestTwo = 0;
        for (QString& name : names) {
            name = name.left(2);
            widestTwo = std::max(widestTwo, canvas->TextWidth(name));
        }
        // One character: the locale's narrow name, the first letter where that tells the days apart
        // and the telling one where it does not (Chinese "周一" becomes "一", not "周").
        if (widestTwo > ColumnWidth)
            for (int i = 0; i < 7; ++i)
                names[i] = NarrowDayName(dayNumbers[i]);
    }
    return names;
}

void TSkCalendar::PaintDayNames(const TLayout& L) {
    TCanvas* canvas = Canvas();
    const TRect& row = L.Rects[ecDayNames];
    const QStringList names = DayNames(L.CellWidth);  // leaves the smaller font on the canvas
    canvas->Brush()->SetColor(Color());
    canvas->Font()->SetColor(FCalendarColors.GetColor(cciDaysOfWeek));
    canvas->Brush()->SetStyle(bsClear);
    for (int i = 0; i < 7; ++i) {
        const int left = row.Left + i * L.CellWidth;
        DrawString(canvas, names[i], Rect(left, row.Top, left + L.CellWidth - 2, row.Top + L.CellHeight),
                   DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Font()->Assign(*Font());
    const int lineLeft = HasElement(ceWeekNumbers) ? L.Rects[ecWeekNumbers].Right - 5 : row.Left;
    canvas->Pen()->SetColor(FCalendarColors.GetColor(cciLines));
    canvas->MoveTo(lineLeft, row.Bottom);
    canvas->LineTo(row.Right, row.Bottom);
}

void TSkCalendar::PaintWeekNumbers(const TLayout& L) {
    TCanvas* canvas = Canvas();
    const TRect& column = L.Rects[ecWeekNumbers];
    canvas->Pen()->SetColor(FCalendarColors.GetColor(cciLines));
    canvas->MoveTo(column.Right - 5, column.Top);
    canvas->LineTo(column.Right - 5, column.Bottom);
    canvas->Brush()->SetColor(Color());
    canvas->Font()->SetColor(FCalendarColors.GetColor(cciDaysOfWeek));
    for (int row = 0; row < 6; ++row) {
        const int top = L.Rects[ecDays].Top + row * L.CellHeight - 1;
        DrawStringCentered(canvas, QString::number(RowWeekNumber(row)),
                           Rect(column.Left, top, column.Right - 5, top + L.CellHeight));
    }
}

void TSkCalendar::PaintDays(const TLayout& L) {
    TCanvas* canvas = Canvas();
    const bool fill = HasElement(ceFillDays);
    const int viewYear = YearOf(FViewDate), viewMonth = MonthOf(FViewDate);
    std::uint32_t masks[3] = {0, 0, 0};  // previous, shown, next month
    masks[1] = DoGetBoldDays(viewYear, viewMonth);
    if (fill) {
        const TDateTime before = IncMonth(FViewDate, -1), after = IncMonth(FViewDate, 1);
        if (Representable(before)) masks[0] = DoGetBoldDays(YearOf(before), MonthOf(before));
        if (Representable(after)) masks[2] = DoGetBoldDays(YearOf(after), MonthOf(after));
    }
    for (int i = 0; i < 42; ++i) {
        const TDateTime d = FFirstShownDate + i;
        if (!Representable(d)) continue;
        int year, month, day;
        DecodeDate(d, year, month, day);
        const int which = d < FViewDate ? 0 : month == viewMonth && year == viewYear ? 1 : 2;
        if (which != 1 && !fill) continue;
        TRect box = CellRectIn(L, i / 7, i % 7);
        TColor cellColor = Color();
        TColor fontColor = FCalendarColors.GetColor(which == 1 ? cciDays : cciFillDays);
        TFontStyles style = 0;
        if (!DoGetDayFormat(d, year, month, day, cellColor, fontColor, style) &&
            (masks[which] >> (day - 1) & 1))
            style = FontStyle(fsBold);
        TRect wide = box;
        InflateRect(wide, 1, 0);
        if (cellColor != Color()) {
            canvas->Brush()->SetColor(cellColor);
            canvas->FillRect(wide);
        }
        if (d == FDate) {
            canvas->Brush()->SetColor(FCalendarColors.GetColor(cciSelectedDateBack));
            canvas->FillRect(wide);
            fontColor = FCalendarColors.GetColor(cciSelectedDateFore);
            if (Focused()) canvas->DrawFocusRect(wide);
        }
        canvas->Font()->SetColor(fontColor);
        canvas->Font()->SetStyle(style);
        canvas->Brush()->SetStyle(bsClear);
        DrawString(canvas, QString::number(day), box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        canvas->Brush()->SetStyle(bsSolid);
        if (d == FTodayDate) {
            TRect frame = wide;
            InflateRect(frame, 0, 1);
            canvas->Brush()->SetColor(FCalendarColors.GetColor(cciTodaysDateFrame));
            canvas->FrameRect(frame);
        }
    }
    canvas->Font()->Assign(*Font());
}
