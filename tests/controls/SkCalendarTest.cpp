// The month calendar: the grid's first cell for every first weekday, week numbers at year ends, the
// bounds and their errors, keys (clamped at the bounds and the ends of the calendar), mouse presses
// on days, buttons, arrows (held on a stepped clock), the month menu and the year spinner, bold days,
// the today timer, and the pixels of one painted month.
#include "ControlProbes.h"
#include "ExtCtrls.h"
#include "GraphicsImage.h"
#include "Menus.h"
#include "PaintRecorder.h"
#include "SkCommon.h"
#include "SkPopupsCalendar.h"
#include "StdCtrls.h"
#include "TimerClock.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
TDateTime D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

struct SkCalendarTest : testing::Test {
    TManualClock Clock;
    TDateTime Today = D(2024, 5, 20);  // a Monday
    std::unique_ptr<TPaintBox> Parent = std::make_unique<TPaintBox>(nullptr);
    TSkCalendar* Cal = nullptr;
    QStringList Events;

    void SetUp() override {
        SetTimerClock(&Clock);
        SetCalendarToday([this] { return Today; });
        Parent->SetBounds(0, 0, 400, 300);
        Cal = new TSkCalendar(Parent.get());
        Cal->SetParent(Parent.get());
        Cal->SetFirstDayOfWeek(fdowMonday);
        Cal->OnChange = [this](TObject*) { Events << "change " + Shown(); };
        Cal->OnClick = [this](TObject*) { Events << "click " + Shown(); };
    }
    QString Shown() const { return Cal->Date() == 0 ? QStringLiteral("none") : DateToISO(Cal->Date()); }
    void TearDown() override {
        Parent.reset();
        SetCalendarToday(nullptr);
        SetTimerClock(nullptr);
    }
    TPoint CentreOf(const TRect& r) const { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    // The centre of the cell showing `day`.
    TPoint CentreOfDay(TDateTime day) {
        const int i = int(day - Cal->FirstShownDate());
        return CentreOf(Cal->CellRect(i / 7, i % 7));
    }
    void Move(TPoint p) { Cal->Perform(WM_MOUSEMOVE, 0, MakeLParam(p.X, p.Y)); }
    void Press(TPoint p) {
        Move(p);
        Cal->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(p.X, p.Y));
    }
    void Release(TPoint p) { Cal->Perform(WM_LBUTTONUP, 0, MakeLParam(p.X, p.Y)); }
    void ClickAt(TPoint p) {
        Press(p);
        Release(p);
    }
    void Key(unsigned short vk, TShiftState shift = 0) { Cal->Perform(WM_KEYDOWN, vk, ShiftKeyData(shift)); }
};
}  // namespace

TEST_F(SkCalendarTest, StartsOnTodayWithTheDefaultElementsColoursAndSize) {
    EXPECT_EQ(Cal->Date(), Today);
    EXPECT_EQ(Cal->ViewDate(), D(2024, 5, 1));
    EXPECT_EQ(Cal->Elements(), 247u);
    EXPECT_TRUE(Cal->ShowDays());
    EXPECT_TRUE(Cal->TabStop());
    EXPECT_EQ(Cal->MinDate(), 0);
    EXPECT_EQ(Cal->MaxDate(), 0);
    const TColor colours[7] = {clWindowText, clBtnShadow,     clWindowText, clBtnShadow,
                               clHighlight,  clHighlightText, TColor(128)};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Cal->CalendarColors()->GetColor(i), colours[i]) << i;
    EXPECT_EQ(Cal->CalendarColors()->GetColor(7), clNone);
    EXPECT_EQ(Cal->ButtonColor(), clBtnFace);
    EXPECT_EQ(Cal->ButtonFontColor(), clWindowText);
    EXPECT_EQ(Cal->YearSpinner()->Min(), 0);
    EXPECT_EQ(Cal->YearSpinner()->Max(), 9999);
    EXPECT_FALSE(Cal->YearSpinner()->Visible());
    EXPECT_FALSE(Cal->YearSpinner()->TabStop());
    EXPECT_EQ(Cal->MonthMenu()->Items()->Count(), 12);
    EXPECT_EQ(Cal->MonthMenu()->Items()->Items(11)->Tag(), 12);
    EXPECT_EQ(Cal->TodayTimer()->Interval(), 1000);
    EXPECT_TRUE(Cal->TodayTimer()->Enabled());
    // Auto-sized: the preferred size is also the smallest. By the rules, with w and h the size of "0":
    // a header h + 5, six weeks and the day names h + 2 each (plus a line each), the buttons h + 17,
    // and 4 for the frame; seven day columns 2w + 5 wide or the two buttons, whichever is wider, and 4w.
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(*Cal->Font());
    const int w = probe.Canvas()->TextWidth("0"), h = probe.Canvas()->TextHeight("0");
    const int buttons = 39 + probe.Canvas()->TextWidth("Today") + probe.Canvas()->TextWidth("Clear");
    EXPECT_EQ(Cal->Height(), 4 + (h + 5) + 7 * (h + 2) + 2 + (h + 17));
    EXPECT_EQ(Cal->Width(), std::max(7 * (2 * w + 5), buttons) + 4 * w);
    // Captions wider than the days widen it: one button alone by its caption + 34.
    Cal->SetElements(Cal->Elements() & ~CalendarElement(ceTodayButton));
    Cal->SetCaptionClearBtn(QStringLiteral("清除所选的日期并关闭日历"));
    const int alone = 34 + probe.Canvas()->TextWidth(QStringLiteral("清除所选的日期并关闭日历"));
    ASSERT_GT(alone, 7 * (2 * w + 5));
    EXPECT_EQ(Cal->Width(), alone + 4 * w);
    Cal->SetElements(Cal->Elements() | CalendarElement(ceTodayButton));
    Cal->SetCaptionTodayBtn(QStringLiteral("回到今天的日期"));
    Cal->SetCaptionClearBtn(QStringLiteral("清除所选的日期"));
    const int wide = 39 + probe.Canvas()->TextWidth(QStringLiteral("回到今天的日期")) +
                     probe.Canvas()->TextWidth(QStringLiteral("清除所选的日期"));
    ASSERT_GT(wide, 7 * (2 * w + 5));
    EXPECT_EQ(Cal->Width(), wide + 4 * w);
    const TSize preferred = Cal->PreferredSize();
    EXPECT_EQ(Cal->Width(), preferred.cx);
    EXPECT_EQ(Cal->Height(), preferred.cy);
    Cal->SetAutoSize(false);
    Cal->SetBounds(0, 0, 50, 50);
    EXPECT_EQ(Cal->Width(), preferred.cx);
    EXPECT_EQ(Cal->Height(), preferred.cy);
}

TEST_F(SkCalendarTest, TheGridBeginsOnTheFirstDayOfWeekWithAtLeastOneDayOfThePreviousMonth) {
    // Months of 2024 that begin on Monday .. Sunday.
    const int monthStartingOn[7] = {1, 10, 5, 2, 3, 6, 9};
    for (int first = fdowMonday; first <= fdowSunday; ++first) {
        Cal->SetFirstDayOfWeek(TSkFirstDayOfWeek(first));
        EXPECT_EQ(Cal->FirstDayIndex(), first);
        for (int weekday = 0; weekday < 7; ++weekday) {
            const TDateTime start = D(2024, monthStartingOn[weekday], 1);
            Cal->SetDate(start + 10);
            ASSERT_EQ(Cal->ViewDate(), start);
            const TDateTime cell = Cal->FirstShownDate();
            // DayOfWeek: 1 Sunday .. 7 Saturday; the index: 0 Monday .. 6 Sunday.
            EXPECT_EQ((DayOfWeek(cell) + 5) % 7, first) << first << " " << weekday;
            const int before = int(start - cell);
            EXPECT_GE(before, 1);
            EXPECT_LE(before, 7);
            // The month begins on `weekday`: it stands in column (weekday - first) mod 7, in the
            // second row when that column is the first.
            const int column = (weekday - first + 7) % 7;
            EXPECT_EQ(before, column == 0 ? 7 : column) << first << " " << weekday;
        }
    }
    // By hand: January 2024 (a Monday) with Monday first shows 25 December 2023 top left;
    // September 2024 (a Sunday) with Sunday first shows 25 August.
    Cal->SetFirstDayOfWeek(fdowMonday);
    Cal->SetDate(D(2024, 1, 10));
    EXPECT_EQ(Cal->FirstShownDate(), D(2023, 12, 25));
    EXPECT_EQ(Cal->CellDate(5, 6), D(2024, 2, 4));
    Cal->SetFirstDayOfWeek(fdowSunday);
    Cal->SetDate(D(2024, 9, 10));
    EXPECT_EQ(Cal->FirstShownDate(), D(2024, 8, 25));
}

TEST_F(SkCalendarTest, TheLocaleFirstDayFollowsTheProgramsLocaleAndRelaysTheGrid) {
    Events.clear();
    Cal->SetFirstDayOfWeek(fdowSunday);
    EXPECT_EQ(Cal->FirstShownDate(), D(2024, 4, 28));
    EXPECT_EQ(Events, QStringList{"change 2024-05-20"});  // the forced re-lay announces itself
    Cal->SetFirstDayOfWeek(fdowLocale);
    EXPECT_EQ(Cal->FirstDayIndex(), int(QLocale().firstDayOfWeek()) - 1);
}

TEST_F(SkCalendarTest, WeekNumbersAreTheIsoWeeksOfEachRowsSecondDayAcrossYearEnds) {
    Cal->SetElements(Cal->Elements() | CalendarElement(ceWeekNumbers));
    // December 2026 from Monday 30 November: 2026 has 53 weeks, the last row is week 1 of 2027.
    Cal->SetDate(D(2026, 12, 15));
    EXPECT_EQ(Cal->FirstShownDate(), D(2026, 11, 30));
    const int december[6] = {49, 50, 51, 52, 53, 1};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(Cal->RowWeekNumber(row), december[row]) << row;
    // January 2021 begins in week 53 of 2020.
    Cal->SetDate(D(2021, 1, 15));
    EXPECT_EQ(Cal->FirstShownDate(), D(2020, 12, 28));
    EXPECT_EQ(Cal->RowWeekNumber(0), 53);
    EXPECT_EQ(Cal->RowWeekNumber(1), 1);
    // A handler gets the number and the day after the row's last cell, and may change it.
    QList<TDateTime> asked;
    Cal->OnGetWeekNumber = [&](TObject*, TDateTime weekDate, int& number) {
        asked << weekDate;
        number += 100;
    };
    EXPECT_EQ(Cal->RowWeekNumber(0), 153);
    EXPECT_EQ(asked, QList<TDateTime>{D(2021, 1, 4)});
}

TEST_F(SkCalendarTest, BoundedWritesRaiseAndBoundsMoveTheDate) {
    Cal->SetMaxDate(D(2024, 6, 30));
    Cal->SetMinDate(D(2024, 5, 1));
    try {
        Cal->SetDate(D(2024, 7, 1));
        FAIL() << "no error above the maximum";
    } catch (const ESkCalendarError& e) {
        EXPECT_EQ(e.Message(), "Date exceeds maximum of 2024-06-30");
    }
    try {
        Cal->SetDate(D(2024, 4, 30));
        FAIL() << "no error below the minimum";
    } catch (const ESkCalendarError& e) {
        EXPECT_EQ(e.Message(), "Date is less than minimum of 2024-05-01");
    }
    EXPECT_EQ(Cal->Date(), Today);
    EXPECT_THROW(Cal->SetMinDate(D(2024, 7, 1)), ESkCalendarError);
    EXPECT_THROW(Cal->SetMaxDate(D(2024, 4, 1)), ESkCalendarError);
    EXPECT_EQ(Cal->MinDate(), D(2024, 5, 1));
    EXPECT_EQ(Cal->MaxDate(), D(2024, 6, 30));

    // A minimum above the date brings the date up to it, and says so; a maximum below brings it down.
    Events.clear();
    Cal->SetMinDate(D(2024, 6, 3) + 0.75);  // whole days only
    EXPECT_EQ(Cal->MinDate(), D(2024, 6, 3));
    EXPECT_EQ(Cal->Date(), D(2024, 6, 3));
    EXPECT_EQ(Cal->ViewDate(), D(2024, 6, 1));
    Cal->SetMaxDate(D(2024, 6, 10));
    Cal->SetDate(D(2024, 6, 9));
    Cal->SetMaxDate(D(2024, 6, 5));
    EXPECT_EQ(Cal->Date(), D(2024, 6, 5));
    EXPECT_EQ(Events, (QStringList{"change 2024-06-03", "change 2024-06-09", "change 2024-06-05"}));

    // Months outside the bounds are never shown: the arrows stop at June.
    const TRect next = Cal->ElementRect(TSkCalendar::ecNextArrow),
                prev = Cal->ElementRect(TSkCalendar::ecPrevArrow);
    ClickAt(CentreOf(next));
    EXPECT_EQ(Cal->ViewDate(), D(2024, 6, 1));
    ClickAt(CentreOf(prev));
    EXPECT_EQ(Cal->ViewDate(), D(2024, 6, 1));
    // A day outside the bounds is not taken, and its click does not count.
    Events.clear();
    ClickAt(CentreOfDay(D(2024, 6, 20)));
    EXPECT_EQ(Cal->Date(), D(2024, 6, 5));
    EXPECT_TRUE(Events.isEmpty());
    // Going back from a later month reaches the minimum's month, and no further.
    Cal->SetMaxDate(D(2024, 8, 31));
    Cal->SetDate(D(2024, 8, 1));
    for (TDateTime month : {D(2024, 7, 1), D(2024, 6, 1), D(2024, 6, 1)}) {
        ClickAt(CentreOf(prev));
        EXPECT_EQ(Cal->ViewDate(), month);
    }
}

TEST_F(SkCalendarTest, KeysMoveTheDateByDaysWeeksAndMonths) {
    Cal->SetDate(D(2024, 5, 15));
    Key(VK_UP);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 8));
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 22));
    Key(VK_LEFT);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 21));
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 23));
    Key(VK_END);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 31));
    Key(VK_NEXT);  // 31 May + one month: the last of June
    EXPECT_EQ(Cal->Date(), D(2024, 6, 30));
    EXPECT_EQ(Cal->ViewDate(), D(2024, 6, 1));
    Key(VK_HOME);
    EXPECT_EQ(Cal->Date(), D(2024, 6, 1));
    Key(VK_PRIOR);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 1));
    Key(VK_LEFT);
    EXPECT_EQ(Cal->Date(), D(2024, 4, 30));
    EXPECT_EQ(Cal->ViewDate(), D(2024, 4, 1));
    // Shifted keys are not moves; without the month element the page keys are not either.
    Key(VK_LEFT, ssShift);
    Key(VK_UP, ssCtrl);
    EXPECT_EQ(Cal->Date(), D(2024, 4, 30));
    Cal->SetElements(Cal->Elements() & ~CalendarElement(ceMonth));
    Key(VK_NEXT);
    EXPECT_EQ(Cal->Date(), D(2024, 4, 30));
    // Enter clicks; with no date the keys start from today.
    Events.clear();
    Key(VK_RETURN);
    EXPECT_EQ(Events, QStringList{"click 2024-04-30"});
    Cal->ClearAction();
    EXPECT_EQ(Cal->Date(), 0);
    EXPECT_EQ(Cal->ViewDate(), D(2024, 5, 1));
    Key(VK_DOWN);
    EXPECT_EQ(Cal->Date(), Today + 7);
}

TEST_F(SkCalendarTest, KeyMovesStopAtMinDateMaxDateAndTheEndsOfTheCalendar) {
    Cal->SetMinDate(D(2024, 5, 10));
    Cal->SetMaxDate(D(2024, 5, 25));
    Cal->SetDate(D(2024, 5, 13));
    Key(VK_UP);  // a week back would be the 6th: it stops at the minimum
    EXPECT_EQ(Cal->Date(), D(2024, 5, 10));
    Key(VK_LEFT);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 10));
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);  // 17th, 24th, then the maximum
    EXPECT_EQ(Cal->Date(), D(2024, 5, 25));
    Key(VK_END);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 25));
    Key(VK_PRIOR);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 10));

    // Without bounds, the moves stay within the days a date can name.
    Cal->SetMinDate(0);
    Cal->SetMaxDate(0);
    Cal->SetDate(D(9999, 12, 29));
    Key(VK_DOWN);
    EXPECT_EQ(Cal->Date(), D(9999, 12, 31));
    Key(VK_NEXT);
    Key(VK_RIGHT);
    EXPECT_EQ(Cal->Date(), D(9999, 12, 31));
    EXPECT_EQ(Cal->ViewDate(), D(9999, 12, 1));
    Cal->SetDate(D(1, 1, 3));
    Key(VK_UP);
    EXPECT_EQ(Cal->Date(), D(1, 1, 1));
    Key(VK_PRIOR);
    EXPECT_EQ(Cal->Date(), D(1, 1, 1));
    // The day that stands for "no date" is stepped over, never landed on.
    Cal->SetDate(D(1899, 12, 31));
    Key(VK_LEFT);
    EXPECT_EQ(Cal->Date(), D(1899, 12, 29));
    Key(VK_RIGHT);
    EXPECT_EQ(Cal->Date(), D(1899, 12, 31));
}

TEST_F(SkCalendarTest, ClickingDaysAndButtonsSelectsAndThenClicks) {
    Cal->SetDate(D(2024, 5, 15));
    Events.clear();
    ClickAt(CentreOfDay(D(2024, 5, 9)));
    EXPECT_EQ(Events, (QStringList{"change 2024-05-09", "click 2024-05-09"}));
    // A grey day of the next month: selected, the view follows, then the click.
    Events.clear();
    QList<TDateTime> views;
    Cal->OnViewDateChange = [&](TObject*, TDateTime v) { views << v; };
    ClickAt(CentreOfDay(D(2024, 6, 2)));
    EXPECT_EQ(Cal->Date(), D(2024, 6, 2));
    EXPECT_EQ(Cal->ViewDate(), D(2024, 6, 1));
    EXPECT_EQ(views, QList<TDateTime>{D(2024, 6, 1)});
    EXPECT_EQ(Events, (QStringList{"change 2024-06-02", "click 2024-06-02"}));
    // Clear, then Today: each action, then the click.
    Events.clear();
    ClickAt(CentreOf(Cal->ElementRect(TSkCalendar::ecClear)));
    ClickAt(CentreOf(Cal->ElementRect(TSkCalendar::ecToday)));
    EXPECT_EQ(Events, (QStringList{"change none", "click none", "change 2024-05-20", "click 2024-05-20"}));
    // A refused action leaves the date, yet still clicks.
    Cal->OnClear = [](TObject*, bool& allow) { allow = false; };
    Events.clear();
    ClickAt(CentreOf(Cal->ElementRect(TSkCalendar::ecClear)));
    EXPECT_EQ(Events, QStringList{"click 2024-05-20"});
    // A press released elsewhere is no click.
    Events.clear();
    Press(CentreOf(Cal->ElementRect(TSkCalendar::ecToday)));
    Move(CentreOfDay(D(2024, 5, 9)));
    Release(CentreOfDay(D(2024, 5, 9)));
    EXPECT_TRUE(Events.isEmpty());
    // Below the sixth week row, in what the rows leave of the days' area (without day names, a line),
    // no day is picked.
    Cal->SetElements(Cal->Elements() & ~CalendarElement(ceDaysOfWeek));
    const TRect lastRow = Cal->CellRect(5, 3);
    ASSERT_GT(Cal->ElementRect(TSkCalendar::ecDays).Bottom, lastRow.Bottom + 1);
    Events.clear();
    ClickAt({CentreOf(lastRow).X, lastRow.Bottom + 1});
    EXPECT_EQ(Cal->Date(), Today);
    EXPECT_TRUE(Events.isEmpty());
    // Without fill days the grey days are not there to pick.
    Cal->SetElements(Cal->Elements() & ~CalendarElement(ceFillDays));
    ClickAt(CentreOfDay(D(2024, 6, 2)));
    EXPECT_EQ(Cal->Date(), Today);
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(SkCalendarTest, HeldArrowsRepeatFasterTheLongerTheyAreHeld) {
    const TPoint prev = CentreOf(Cal->ElementRect(TSkCalendar::ecPrevArrow));
    Press(prev);  // one month at once
    EXPECT_EQ(Cal->ViewDate(), D(2024, 4, 1));
    Clock.Advance(200);
    EXPECT_EQ(Cal->ViewDate(), D(2024, 4, 1));
    Clock.Advance(50);  // every 250 ms in the first second
    EXPECT_EQ(Cal->ViewDate(), D(2024, 3, 1));
    Clock.Advance(750);  // at 500, 750 and 1000 ms
    EXPECT_EQ(Cal->ViewDate(), D(2023, 12, 1));
    Clock.Advance(1000);  // then every 100 ms: ten more
    EXPECT_EQ(Cal->ViewDate(), D(2023, 2, 1));
    // Off the arrow the repeat pauses; back on it, it goes on.
    Move(CentreOfDay(Cal->CellDate(2, 2)));
    Clock.Advance(1000);
    EXPECT_EQ(Cal->ViewDate(), D(2023, 2, 1));
    Move(prev);
    Clock.Advance(200);
    EXPECT_EQ(Cal->ViewDate(), D(2022, 12, 1));
    Release(prev);
    EXPECT_EQ(Cal->PressedElement(), TSkCalendar::ecNone);
    Clock.Advance(1000);
    EXPECT_EQ(Cal->ViewDate(), D(2022, 12, 1));
    // The next arrow; the date itself stays.
    ClickAt(CentreOf(Cal->ElementRect(TSkCalendar::ecNextArrow)));
    EXPECT_EQ(Cal->ViewDate(), D(2023, 1, 1));
    EXPECT_EQ(Cal->Date(), Today);
}

TEST_F(SkCalendarTest, TheMonthMenuAndTheYearSpinnerTurnTheView) {
    TPopupMenu* shown = nullptr;
    SetPopupHook([&](TPopupMenu* menu, int, int) { shown = menu; });
    Press(CentreOf(Rect(Cal->ElementRect(TSkCalendar::ecPrevArrow).Right, 3,
                        Cal->ElementRect(TSkCalendar::ecMonth).Right, 8)));
    Release(Point(0, 0));
    SetPopupHook(nullptr);
    ASSERT_EQ(shown, Cal->MonthMenu());
    EXPECT_TRUE(shown->Items()->Items(4)->Checked());
    shown->Items()->Items(1)->Click();  // February
    EXPECT_EQ(Cal->ViewDate(), D(2024, 2, 1));

    // The year: the spinner over the year text, bounded by the bounds' years.
    Cal->SetMaxDate(D(2026, 1, 15));
    const TRect header = Cal->ElementRect(TSkCalendar::ecYear);
    const TRect month = Cal->ElementRect(TSkCalendar::ecMonth);
    Press(Point(month.Right + 3, (header.Top + header.Bottom) / 2));
    TSkYearSpinner* spinner = Cal->YearSpinner();
    ASSERT_TRUE(Cal->YearSpinnerShown());
    EXPECT_TRUE(spinner->Visible());
    EXPECT_EQ(spinner->Value(), 2024);
    EXPECT_EQ(spinner->Max(), 2026);
    EXPECT_TRUE(spinner->CheckRange());
    EXPECT_EQ(spinner->Top(), header.Top - 1);
    EXPECT_EQ(spinner->Height(), header.Height() + 2);
    EXPECT_LT(spinner->Left(), month.Right);
    spinner->Increment(1);
    EXPECT_EQ(Cal->ViewDate(), D(2025, 2, 1));
    spinner->Increment(1);  // clamped to the maximum's month
    EXPECT_EQ(Cal->ViewDate(), D(2026, 1, 1));
    spinner->Decrement(2);
    EXPECT_EQ(Cal->ViewDate(), D(2024, 1, 1));
    Cal->SetMaxDate(0);  // no bound: as far as it is told
    spinner->Increment(3);
    EXPECT_EQ(Cal->ViewDate(), D(2027, 1, 1));
    spinner->Decrement(3);
    Cal->SetMinDate(D(2023, 6, 10));
    spinner->Decrement(2);  // clamped to the minimum's month
    EXPECT_EQ(Cal->ViewDate(), D(2023, 6, 1));
    Cal->SetMinDate(0);
    // Escape puts it away; a press on the calendar while it is up only puts it away.
    spinner->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(spinner->Visible());
    EXPECT_FALSE(Cal->YearSpinnerShown());
    Press(Point(month.Right + 3, (header.Top + header.Bottom) / 2));
    Release(Point(month.Right + 3, (header.Top + header.Bottom) / 2));
    ASSERT_TRUE(spinner->Visible());
    spinner->Perform(WM_KEYDOWN, 'C', 0);  // swallowed
    spinner->Perform(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(spinner->Visible());
    Press(CentreOfDay(Cal->CellDate(2, 2)));
    EXPECT_FALSE(spinner->Visible());
    EXPECT_EQ(Cal->Date(), Today);  // that press picked nothing
}

TEST_F(SkCalendarTest, BoldDaysComeFromTheMasksOfTheShownMonths) {
    QStringList asked;
    Cal->OnGetBoldDays = [&](TObject*, int y, int m, std::uint32_t& mask) {
        asked << QStringLiteral("%1-%2").arg(y).arg(m);
        if (m == 5) mask = 1u << 9;   // the 10th
        if (m == 4) mask = 1u << 28;  // 29 April, in the first row
    };
    Cal->SetDate(D(2024, 5, 2));  // today (20th) and the date (2nd) away from the 9th and 10th
    Cal->PaintOffscreen();
    asked.clear();
    const QImage bold = Cal->PaintOffscreen().copy();
    EXPECT_EQ(asked, (QStringList{"2024-5", "2024-4", "2024-6"}));
    // Day 10 is drawn heavier than day 9 would suggest: compare the ink with a plain painting.
    auto inkCount = [&](const QImage& image, TDateTime day) {
        const int i = int(day - Cal->FirstShownDate());
        const TRect r = Cal->CellRect(i / 7, i % 7);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Pixel(image, x, y) != ColorToRGB(clWindow)) ++n;
        return n;
    };
    Cal->OnGetBoldDays = nullptr;
    const QImage plain = Cal->PaintOffscreen().copy();
    EXPECT_GT(inkCount(bold, D(2024, 5, 10)), inkCount(plain, D(2024, 5, 10)));
    EXPECT_EQ(inkCount(bold, D(2024, 5, 9)), inkCount(plain, D(2024, 5, 9)));
    EXPECT_GT(inkCount(bold, D(2024, 4, 29)), inkCount(plain, D(2024, 4, 29)));
    // A day-format handler takes over: no bold unless it says so.
    asked.clear();
    Cal->OnGetBoldDays = [&](TObject*, int, int m, std::uint32_t& mask) {
        if (m == 5) mask = 1u << 9;
    };
    Cal->OnGetDayFormat = [](TObject*, TDateTime, int, int, int, TColor&, TColor&, TFontStyles&) {};
    const QImage formatted = Cal->PaintOffscreen().copy();
    EXPECT_EQ(inkCount(formatted, D(2024, 5, 10)), inkCount(plain, D(2024, 5, 10)));
    EXPECT_EQ(inkCount(formatted, D(2024, 6, 1)), inkCount(plain, D(2024, 6, 1)));  // unasked: not bold
    // Without fill days only the shown month is asked.
    Cal->OnGetBoldDays = [&](TObject*, int y, int m, std::uint32_t&) {
        asked << QStringLiteral("%1-%2").arg(y).arg(m);
    };
    Cal->SetElements(Cal->Elements() & ~CalendarElement(ceFillDays));
    Cal->PaintOffscreen();
    EXPECT_EQ(asked, QStringList{"2024-5"});
}

TEST_F(SkCalendarTest, TheTodayTimerMovesTheTodayFrameAtMidnight) {
    EXPECT_EQ(Cal->TodayDate(), Today);
    Clock.Advance(1000);
    EXPECT_EQ(Cal->TodayDate(), Today);
    Today += 1;
    Clock.Advance(999);
    EXPECT_EQ(Cal->TodayDate(), Today - 1);
    Clock.Advance(1);
    EXPECT_EQ(Cal->TodayDate(), Today);
    EXPECT_EQ(Cal->Date(), Today - 1);  // the selection stays
}

TEST_F(SkCalendarTest, AcceleratorsOfTheButtonCaptionsRunTheirActions) {
    Cal->SetCaptionClearBtn(QStringLiteral("清除(&C)"));
    Cal->SetCaptionTodayBtn(QStringLiteral("今天(&T)"));
    Cal->Perform(CM_DIALOGCHAR, 'c', 0);
    EXPECT_EQ(Cal->Date(), 0);
    Cal->Perform(CM_DIALOGCHAR, 't', 0);
    EXPECT_EQ(Cal->Date(), Today);
    Cal->SetEnabled(false);
    Cal->Perform(CM_DIALOGCHAR, 'c', 0);
    EXPECT_EQ(Cal->Date(), Today);
}

// One month painted with the default elements, checked against the layout rules: the client area
// inside the frame; a header h + 5 high; the days 2w - 1 in from the left and 2w + 1 from the right;
// the button band the bottom h + 18; day names one cell high, the days 2 pixels below them.
TEST_F(SkCalendarTest, PaintsOneMonthWhereTheLayoutRulesPutIt) {
    Cal->SetDate(D(2024, 5, 15));
    const QImage image = Cal->PaintOffscreen().copy();
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(*Cal->Font());
    const int w = probe.Canvas()->TextWidth("0"), h = probe.Canvas()->TextHeight("0");
    const TRect client = Cal->GetClientRect();
    const int headerBottom = client.Top + h + 5;
    const int gridLeft = client.Left + 2 * w - 1, gridRight = client.Right - 2 * w - 1;
    const int bandTop = client.Bottom - (h + 18);
    const int cellWidth = (gridRight - gridLeft) / 7;
    const int cellHeight = (bandTop + 1 - headerBottom - 2) / 7;
    EXPECT_EQ(Cal->CellWidth(), cellWidth);
    EXPECT_EQ(Cal->CellHeight(), cellHeight);
    EXPECT_EQ(Cal->ElementRect(TSkCalendar::ecDays).Bottom, bandTop + 1);
    const int daysTop = headerBottom + cellHeight + 2;
    const TColor lines = ColorToRGB(clBtnShadow);

    // The header: filled in the button colour inside its bevel, beside the previous arrow.
    EXPECT_EQ(Pixel(image, client.Left + h + 7, client.Top + 2), ColorToRGB(clBtnFace));
    // The line under the day names and the one above the button band.
    for (int x : {gridLeft, (gridLeft + gridRight) / 2, gridLeft + 7 * cellWidth - 1}) {
        EXPECT_EQ(Pixel(image, x, headerBottom + cellHeight), lines) << x;
        EXPECT_EQ(Pixel(image, x, bandTop - 1), lines) << x;
    }
    EXPECT_EQ(Pixel(image, gridLeft, headerBottom + cellHeight + 1), ColorToRGB(clWindow));
    // 15 May 2024 (Wednesday): row 2, column 2 from Monday 29 April; filled one pixel wider each way.
    const int selLeft = gridLeft + 2 * cellWidth, selTop = daysTop + 2 * cellHeight - 1;
    const TColor highlight = ColorToRGB(clHighlight);
    EXPECT_EQ(Pixel(image, selLeft - 1, selTop), highlight);
    EXPECT_EQ(Pixel(image, selLeft + cellWidth - 2, selTop + cellHeight - 1), highlight);
    EXPECT_EQ(Pixel(image, selLeft - 2, selTop), ColorToRGB(clWindow));
    EXPECT_EQ(Pixel(image, selLeft, selTop - 1), ColorToRGB(clWindow));
    EXPECT_TRUE(InkIn(image, Rect(selLeft, selTop, selLeft + cellWidth - 2, selTop + cellHeight), clHighlight,
                      clHighlightText)
                    .Shown());
    // Today, 20 May (Monday): row 3, column 0, a dark red frame one pixel round the wider cell.
    const int todayLeft = gridLeft, todayTop = daysTop + 3 * cellHeight - 1;
    const TColor frame = RGB(128, 0, 0);
    EXPECT_EQ(Pixel(image, todayLeft - 1, todayTop - 1), frame);
    EXPECT_EQ(Pixel(image, todayLeft + cellWidth - 2, todayTop + cellHeight), frame);
    EXPECT_EQ(Pixel(image, todayLeft - 1, todayTop + cellHeight / 2), frame);
    EXPECT_EQ(Pixel(image, todayLeft + cellWidth / 2, todayTop - 1), frame);
    EXPECT_EQ(Pixel(image, todayLeft + cellWidth / 2, todayTop + cellHeight), frame);
    EXPECT_EQ(Pixel(image, todayLeft, todayTop), ColorToRGB(clWindow));
    // A grey day of April in the first row, in the fill-day colour.
    EXPECT_TRUE(InkIn(image, Rect(gridLeft, daysTop - 1, gridLeft + cellWidth - 2, daysTop - 1 + cellHeight),
                      clWindow, clBtnShadow)
                    .Shown());

    // The buttons, caption + 17 by h + 7, share the band: as far from its left as from its right.
    const int todayWidth = probe.Canvas()->TextWidth("Today"),
              clearWidth = probe.Canvas()->TextWidth("Clear");
    const TRect todayButton = Cal->ElementRect(TSkCalendar::ecToday),
                clearButton = Cal->ElementRect(TSkCalendar::ecClear);
    EXPECT_EQ(todayButton.Width(), todayWidth + 17);
    EXPECT_EQ(clearButton.Width(), clearWidth + 17);
    EXPECT_EQ(todayButton.Height(), h + 7);
    EXPECT_EQ(todayButton.Top, bandTop + (h + 18 - (h + 7)) / 2);
    EXPECT_NEAR(todayButton.Left - gridLeft, gridRight - clearButton.Right, 1);
    EXPECT_GE(clearButton.Left - todayButton.Right, 5);
    // One button alone is centred in the band.
    Cal->SetElements(Cal->Elements() & ~CalendarElement(ceClearButton));
    EXPECT_EQ(Cal->ElementRect(TSkCalendar::ecToday),
              Bounds(gridLeft + (gridRight - gridLeft - (todayWidth + 17)) / 2, todayButton.Top,
                     todayWidth + 17, h + 7));
    Cal->SetElements(Cal->Elements() | CalendarElement(ceClearButton));

    // The arrows: squares of h + 5 at the ends of the header.
    EXPECT_EQ(Cal->ElementRect(TSkCalendar::ecPrevArrow), Bounds(client.Left, client.Top, h + 5, h + 5));
    EXPECT_EQ(Cal->ElementRect(TSkCalendar::ecNextArrow),
              Bounds(client.Right - (h + 5), client.Top, h + 5, h + 5));

    // The days of the month in the days colour, those of the months beside it in the fill-day colour.
    Cal->CalendarColors()->SetColor(0, clBlue);
    Cal->CalendarColors()->SetColor(1, clRed);
    const QImage days = Cal->PaintOffscreen().copy();
    const auto dayCell = [&](int row, int column) {
        const int left = gridLeft + column * cellWidth, top = daysTop + row * cellHeight - 1;
        return Rect(left, top, left + cellWidth - 2, top + cellHeight);
    };
    EXPECT_TRUE(InkIn(days, dayCell(1, 3), clWindow, clBlue).Shown());  // 9 May
    EXPECT_TRUE(InkIn(days, dayCell(0, 0), clWindow, clRed).Shown());   // 29 April

    // The header text in the button font colour; the line under the day names in the lines colour.
    Cal->SetButtonFontColor(clRed);
    Cal->CalendarColors()->SetColor(3, clBlue);
    const QImage coloured = Cal->PaintOffscreen().copy();
    EXPECT_TRUE(InkIn(coloured,
                      Rect(client.Left + h + 5, client.Top + 2, client.Right - h - 5, headerBottom - 2),
                      clBtnFace, clRed)
                    .Shown());
    EXPECT_EQ(Pixel(coloured, (gridLeft + gridRight) / 2, headerBottom + cellHeight), clBlue);
    EXPECT_EQ(Pixel(coloured, (gridLeft + gridRight) / 2, bandTop - 1), clBlue);
    // So is the week numbers' line, 5 pixels in from the right of their column (2w + 10 wide).
    Cal->SetElements((Cal->Elements() | CalendarElement(ceWeekNumbers)) & ~CalendarElement(ceDaysOfWeek));
    Cal->CalendarColors()->SetColor(3, clLime);
    EXPECT_EQ(Pixel(Cal->PaintOffscreen(), gridLeft + 2 * w + 5, headerBottom + 3 * (h + 2)), clLime);
    // With the day names as well, the line under them starts at that line.
    Cal->SetElements(Cal->Elements() | CalendarElement(ceDaysOfWeek));
    const QImage both = Cal->PaintOffscreen().copy();
    EXPECT_EQ(Pixel(both, gridLeft + 2 * w + 5, headerBottom + cellHeight), clLime);
    EXPECT_EQ(Pixel(both, gridLeft + 2 * w + 4, headerBottom + cellHeight), ColorToRGB(clWindow));
    // The previous arrow's glyph: "3" of the arrow font at the calendar's size + 4 in the button font
    // colour, centred in its square (at 8 points, where each point of the arrow font shows).
    Cal->Font()->SetSize(8);
    probe.Canvas()->Font()->Assign(*Cal->Font());
    const int side = probe.Canvas()->TextHeight("0") + 5;
    const QImage small = Cal->PaintOffscreen().copy();
    TBitmap arrow(side, side);
    TCanvas* glyphCanvas = arrow.Canvas();
    glyphCanvas->Brush()->SetColor(clBtnFace);
    glyphCanvas->FillRect(Rect(0, 0, side, side));
    glyphCanvas->Font()->Assign(*Cal->Font());
    glyphCanvas->Font()->SetName(QStringLiteral("Marlett"));
    glyphCanvas->Font()->SetSize(8 + 4);
    glyphCanvas->Font()->SetColor(clRed);  // the button font colour
    glyphCanvas->Brush()->SetStyle(bsClear);
    DrawStringCentered(glyphCanvas, QStringLiteral("3"), Rect(0, 0, side, side));
    const QImage glyph = arrow.ToImage();
    for (int y = 2; y < side - 2; ++y)
        for (int x = 2; x < side - 2; ++x)
            ASSERT_EQ(Pixel(small, client.Left + x, client.Top + y), Pixel(glyph, x, y)) << x << "," << y;
}

// Short names too wide for a cell are cut to two characters, then to one that tells the days apart:
// the locale's narrow name ("周一" would otherwise become "周" in every column).
TEST_F(SkCalendarTest, DayNamesTooWideForACellAreCutToCharactersThatTellTheDaysApart) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    Cal->SetAutoSize(false);
    Cal->SetBounds(0, 0, 600, 400);  // roomy cells
    EXPECT_EQ(Cal->DayNames(), (QStringList{"周一", "周二", "周三", "周四", "周五", "周六", "周日"}));
    Cal->SetBounds(0, 0, 10, 10);  // the smallest size
    Cal->SetFirstDayOfWeek(fdowSunday);
    const QStringList cut = Cal->DayNames();
    QLocale::setDefault(before);
    EXPECT_EQ(cut, (QStringList{"日", "一", "二", "三", "四", "五", "六"}));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Cal->DayNames(), (QStringList{"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"}));
    QLocale::setDefault(before);
}

// A pressed button is repainted down at once: the screen shows what a full repaint shows.
TEST_F(SkCalendarTest, APressedButtonShowsDownAtOnce) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 250);
    Cal->SetParent(&form);
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    Cal->SetFocus();
    const QImage up = OnScreen(form);
    Press(CentreOf(Cal->ElementRect(TSkCalendar::ecToday)));
    const QImage down = OnScreen(form);
    EXPECT_NE(down, up);
    EXPECT_EQ(down, Repainted(form));
    Release(CentreOf(Cal->ElementRect(TSkCalendar::ecToday)));
    EXPECT_EQ(OnScreen(form), up);
    Cal->SetParent(Parent.get());
}

// A press takes the focus, but not in pop-up mode, where the field that dropped the calendar keeps it.
TEST_F(SkCalendarTest, APressTakesTheFocusOutsidePopUpModeOnly) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 250);
    auto* field = new TEdit(&form);
    field->SetParent(&form);
    field->SetBounds(200, 10, 80, 21);
    Cal->SetParent(&form);
    form.ShowForm();
    form.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
    field->SetFocus();
    Cal->SetPopupMode(true);
    ClickAt(CentreOfDay(D(2024, 5, 9)));
    EXPECT_EQ(Cal->Date(), D(2024, 5, 9));
    EXPECT_TRUE(field->Focused());
    Cal->SetPopupMode(false);
    ClickAt(CentreOfDay(D(2024, 5, 10)));
    EXPECT_TRUE(Cal->Focused());
    Cal->SetParent(Parent.get());
}

// A double click counts over the days and the buttons only, and presses the day again.
TEST_F(SkCalendarTest, DoubleClicksCountOverTheDaysAndButtonsOnly) {
    int doubles = 0;
    Cal->OnDblClick = [&](TObject*) { ++doubles; };
    auto doubleClick = [&](TPoint p) {
        Move(p);
        QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(p.X, p.Y), QPointF(p.X, p.Y), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Cal->Widget(), &e);
    };
    doubleClick(CentreOfDay(D(2024, 5, 9)));
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(Cal->Date(), D(2024, 5, 9));
    doubleClick(CentreOf(Cal->ElementRect(TSkCalendar::ecToday)));
    EXPECT_EQ(doubles, 2);
    doubleClick(CentreOf(Cal->ElementRect(TSkCalendar::ecNextArrow)));
    doubleClick(CentreOf(Cal->ElementRect(TSkCalendar::ecDayNames)));
    EXPECT_EQ(doubles, 2);
    EXPECT_EQ(Cal->ViewDate(), D(2024, 5, 1));  // no extra step either
}

// OnChange on the press and OnClick on the release may free the calendar (a pop-up closing on the
// pick): nothing of it is touched afterwards.
TEST_F(SkCalendarTest, AClickOrChangeHandlerMayFreeTheCalendar) {
    QPointer<QObject> alive(Cal);
    Cal->OnClick = [this](TObject*) { Parent.reset(); };
    ClickAt(CentreOfDay(D(2024, 5, 9)));
    EXPECT_TRUE(alive.isNull());

    Parent = std::make_unique<TPaintBox>(nullptr);
    SetUp();
    alive = Cal;
    Cal->OnClick = [this](TObject*) { Parent.reset(); };
    ClickAt(CentreOf(Cal->ElementRect(TSkCalendar::ecToday)));
    EXPECT_TRUE(alive.isNull());

    Parent = std::make_unique<TPaintBox>(nullptr);
    SetUp();
    alive = Cal;
    Cal->OnChange = [this](TObject*) { Parent.reset(); };
    Press(CentreOfDay(D(2024, 5, 10)));
    EXPECT_TRUE(alive.isNull());

    // OnChange from the Clear and Today buttons, clicked with the mouse.
    for (auto button : {TSkCalendar::ecClear, TSkCalendar::ecToday}) {
        Parent = std::make_unique<TPaintBox>(nullptr);
        SetUp();
        Cal->SetDate(D(2024, 5, 9));
        alive = Cal;
        QPointer<QWidget> widget = Cal->Widget();
        Cal->OnChange = [this](TObject*) { Parent.reset(); };
        const TPoint p = CentreOf(Cal->ElementRect(button));
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(p.X, p.Y));
        EXPECT_TRUE(alive.isNull()) << button;
        QTest::qWait(1);
        EXPECT_TRUE(widget.isNull()) << button;
    }
}
