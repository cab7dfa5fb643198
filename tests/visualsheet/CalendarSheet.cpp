// The visual sheet of the month calendar: months beginning on different weekdays, each first day of
// the week, week numbers, bold and formatted days, bounds, a flat border, and the header alone.
#include "Sheet.h"
#include "SkPopupsCalendar.h"

#include <QLocale>
#include <functional>

namespace {
struct TCalendarCase {
    QString Caption;
    std::function<void(TSkCalendar*)> Set;
};

void CalendarRow(TSheet& sheet, TPaintBox* parent, const std::vector<TCalendarCase>& cases) {
    for (const TCalendarCase& test : cases) {
        auto* calendar = new TSkCalendar(parent);
        calendar->SetParent(parent);
        calendar->SetFirstDayOfWeek(fdowMonday);
        test.Set(calendar);
        sheet.Cell(test.Caption, calendar->Width(), calendar->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, calendar); });
        delete calendar;
    }
}
}  // namespace

void CalendarSheet(const QString& folder) {
    SetCalendarToday([] { return EncodeDate(2024, 5, 20); });
    auto parent = MakeParent(clBtnFace);
    parent->SetBounds(0, 0, 800, 600);
    TSheet sheet(900, 760);
    sheet.Heading(
        QStringLiteral("Calendar (today 2024-05-20): months, first days of the week, week numbers"));
    CalendarRow(sheet, parent.get(),
                {{"May 2024, 15th", [](TSkCalendar* c) { c->SetDate(EncodeDate(2024, 5, 15)); }},
                 {"Sunday first", [](TSkCalendar* c) { c->SetFirstDayOfWeek(fdowSunday); }},
                 {"Jan 2024 (Monday 1st)", [](TSkCalendar* c) { c->SetDate(EncodeDate(2024, 1, 31)); }},
                 {"Dec 2026, week numbers", [](TSkCalendar* c) {
                      c->SetElements(c->Elements() | CalendarElement(ceWeekNumbers));
                      c->SetDate(EncodeDate(2026, 12, 29));
                  }}});
    sheet.Heading(
        QStringLiteral("Bold and formatted days, no date, bounds, flat, no fill days, header only"));
    CalendarRow(sheet, parent.get(),
                {{"bold 1st, 10th, 20th",
                  [](TSkCalendar* c) {
                      c->OnGetBoldDays = [](TObject*, int, int, std::uint32_t& mask) {
                          mask = 1u | 1u << 9 | 1u << 19;
                      };
                  }},
                 {"formatted weekends",
                  [](TSkCalendar* c) {
                      c->OnGetDayFormat = [](TObject*, TDateTime day, int, int, int, TColor& back,
                                             TColor& fore, TFontStyles&) {
                          if (DayOfWeek(day) == 1 || DayOfWeek(day) == 7) {
                              back = 0xE0E0FF;
                              fore = clRed;
                          }
                      };
                  }},
                 {"cleared, Chinese captions",
                  [](TSkCalendar* c) {
                      c->SetCaptionTodayBtn(QStringLiteral("今天(&T)"));
                      c->SetCaptionClearBtn(QStringLiteral("清除(&C)"));
                      c->ClearAction();
                  }},
                 {"flat, no fill days, Today only",
                  [](TSkCalendar* c) {
                      c->SetBorderOuter(fsFlat);
                      c->SetElements(c->Elements() &
                                     ~(CalendarElement(ceFillDays) | CalendarElement(ceClearButton)));
                  }},
                 {"header only", [](TSkCalendar* c) {
                      c->SetShowDays(false);
                      c->SetAutoSize(false);
                      c->SetBounds(0, 0, 160, 30);
                  }}});
    sheet.Heading(QStringLiteral("In the program's Chinese locale"));
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    CalendarRow(sheet, parent.get(),
                {{"May 2024", [](TSkCalendar*) {}}, {"week numbers, locale's first day", [](TSkCalendar* c) {
                                                         c->SetFirstDayOfWeek(fdowLocale);
                                                         c->SetElements(c->Elements() |
                                                                        CalendarElement(ceWeekNumbers));
                                                     }}});
    QLocale::setDefault(before);
    sheet.Save(folder, QStringLiteral("calendar"));
    SetCalendarToday(nullptr);
}
