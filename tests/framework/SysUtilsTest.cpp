#include "SysUtils.h"

#include <gtest/gtest.h>
#include <limits>

TEST(FormatFloat, RoundsTheShownDigitHalfAwayFromZero) {
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("0", -2.5), "-3");
    EXPECT_EQ(FormatFloat("0", 2.4999), "2");
    EXPECT_EQ(FormatFloat("0.0", 0.05), "0.1");
    EXPECT_EQ(FormatFloat("0.00", 1.005), "1.01");  // the decimal value the user sees, not its binary neighbour
    EXPECT_EQ(FormatFloat("0.0", 99.96), "100.0");
    EXPECT_EQ(FormatFloat("0", 0.4), "0");
    EXPECT_EQ(FormatFloat("0", -0.4), "0");  // a value that rounds to nought has no sign
    EXPECT_EQ(FormatFloat("0.00", 1696.1), "1696.10");
    EXPECT_EQ(FormatFloat("0", 2374.54), "2375");
    EXPECT_EQ(FormatFloat("0.0", 1e-9), "0.0");
}

TEST(FormatFloat, ThousandsAndNegativeSection) {
    EXPECT_EQ(FormatFloat(",0;(,0)", 1234567), "1,234,567");
    EXPECT_EQ(FormatFloat(",0;(,0)", -1234.4), "(1,234)");
    EXPECT_EQ(FormatFloat(",0;(,0)", 0), "0");
    EXPECT_EQ(FormatFloat(",0;(,0)", 999.5), "1,000");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0.##", 2), "2");
    EXPECT_EQ(FormatFloat("0\"Kcal\"", 12.3), "12Kcal");
}

TEST(FormatFloat, AnEmptySectionFormatsAsTheGeneralFormat) {
    for (const char* format : {"", ";", ";0"}) {
        SCOPED_TRACE(format);
        EXPECT_EQ(FormatFloat(format, 0.5), "0.5");
        EXPECT_EQ(FormatFloat(format, 0), "0");
        EXPECT_EQ(FormatFloat(format, 1234.25), "1234.25");
    }
    EXPECT_EQ(FormatFloat("", -0.5), "-0.5");
    EXPECT_EQ(FormatFloat(";", -0.5), "-0.5");   // an empty negative section falls back to the first
    EXPECT_EQ(FormatFloat(";0", -2.4), "2");     // a negative section of its own is kept
    EXPECT_EQ(FormatFloat(";0", -0.4), "-0.4");  // nought there: the empty first section's turn
    EXPECT_EQ(FormatFloat("0;;", 0), "0");       // an empty zero section: the first one
}

TEST(FloatToStr, ShortestTextWithoutExponent) {
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(12.0), "12");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(-3.25), "-3.25");
    EXPECT_EQ(FloatToStr(1e-7), "0.0000001");
    EXPECT_EQ(FloatToStr(123456789012.5), "123456789012.5");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FloatToStr(1e20), "100000000000000000000");
    // Fifteen significant digits, the last rounded: a carry makes a new digit, an exact half goes to
    // the even digit, and the extremes keep their exponents.
    EXPECT_EQ(FloatToStr(9.9999999999999995), "10");
    EXPECT_EQ(FloatToStr(0.000123456789012345678), "0.000123456789012346");
    EXPECT_EQ(FloatToStr(1000000000000005.0), "1000000000000000");
    EXPECT_EQ(FloatToStr(1000000000000015.0), "1000000000000020");
    EXPECT_EQ(FloatToStr(5e-324), QStringLiteral("0.") + QString(323, QLatin1Char('0')) + "494065645841247");
    EXPECT_EQ(FloatToStr(1.7976931348623157e308), "179769313486232" + QString(294, QLatin1Char('0')));
}

TEST(StrToNumber, ConversionErrorsCarryAMessage) {
    EXPECT_DOUBLE_EQ(StrToFloat(" 12.5 "), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
    EXPECT_EQ(StrToInt("42"), 42);
    for (const char* bad : {"", "1.2.3", "abc", "12,5", "1e", "nan", "inf"}) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_TRUE(e.Message().contains("valid")) << e.Message().toStdString();
        }
    }
    EXPECT_THROW(StrToInt("12a"), EConvertError);
    EXPECT_EQ(StrToIntDef("x", 7), 7);
}

TEST(SplitCommaText, KeepsEmptyFields) {
    EXPECT_EQ(SplitCommaText("a,,b,").size(), 4);
    EXPECT_EQ(SplitCommaText("").size(), 1);
}

TEST(Dates, CalendarArithmetic) {
    const TDateTime d = EncodeDate(2024, 2, 29);
    int y, m, day;
    DecodeDate(d + 1, y, m, day);
    EXPECT_EQ(QDate(y, m, day), QDate(2024, 3, 1));
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 1);  // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 12)), 7);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_EQ(FromQDate(QDate(1899, 12, 30)), 0);
    EXPECT_NEAR(YearSpan(EncodeDate(1996, 1, 1), EncodeDate(2026, 1, 1)), 10958 / 365.25, 1e-12);
}

TEST(Dates, ISOTextBothWays) {
    EXPECT_EQ(DateToISO(EncodeDate(2026, 3, 7)), "2026-03-07");
    EXPECT_EQ(FormatDateTime("yyyy年m月d日 hh:nn", EncodeDate(2026, 3, 7) + 0.5), "2026年3月7日 12:00");
    TDateTime d = 0;
    EXPECT_TRUE(TryISOToDate("2026-3-7", d));  // the date labels show unpadded dates
    EXPECT_EQ(d, EncodeDate(2026, 3, 7));
    EXPECT_TRUE(TryISOToDate("2026/03/07", d));
    EXPECT_FALSE(TryISOToDate("2026-02-30", d));
    EXPECT_FALSE(TryISOToDate("2026-03-07'; drop table UInfo", d));
    EXPECT_THROW(ISOToDate("yesterday"), EConvertError);
}

TEST(Dates, TwoDigitYearsFallInTheWindow1950To2049) {
    const std::pair<const char*, QDate> cases[] = {
        {"26-3-7", {2026, 3, 7}},      {"00-1-1", {2000, 1, 1}},     {"49-12-31", {2049, 12, 31}},
        {"50-01-01", {1950, 1, 1}},    {"99/12/31", {1999, 12, 31}}, {"7-3-7", {2007, 3, 7}},
        {"1980-01-31", {1980, 1, 31}}, {"0026-3-7", {26, 3, 7}},  // four digits are the year as written
    };
    for (const auto& [text, expected] : cases) {
        TDateTime d = 0;
        ASSERT_TRUE(TryISOToDate(text, d)) << text;
        EXPECT_EQ(ToQDate(d), expected) << text;
    }
}

TEST(Dates, SerialsDecodeAtTheMillisecondAndNegativeOnesCountTheirFractionForward) {
    int y, m, d;
    // 0.2 ms before midnight rounds to the next day's midnight.
    const TDateTime almostMidnight = EncodeDate(2026, 3, 7) + 1 - 0.0002 / 86400.0;
    DecodeDate(almostMidnight, y, m, d);
    EXPECT_EQ(QDate(y, m, d), QDate(2026, 3, 8));
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", almostMidnight), "2026-03-08 00:00:00");
    EXPECT_EQ(DateOf(almostMidnight), EncodeDate(2026, 3, 8));
    // 0.7 ms before midnight is still the day before, at 23:59:59.999.
    DecodeDate(EncodeDate(2026, 3, 7) + 1 - 0.0007 / 86400.0, y, m, d);
    EXPECT_EQ(QDate(y, m, d), QDate(2026, 3, 7));
    // Before 1899-12-30 the integral part is the day and the fraction the time: -1.25 is 29 Dec, 06:00.
    DecodeDate(-1.25, y, m, d);
    EXPECT_EQ(QDate(y, m, d), QDate(1899, 12, 29));
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -0.5), "1899-12-30 12:00");
    EXPECT_EQ(DateOf(-1.25), -1);
    EXPECT_EQ(DayOfWeek(-1.25), 6);  // 1899-12-29 was a Friday
}

// 2024-05-12 was a Sunday; the time is 09:05:07.030.
TEST(Dates, FormatTokensAreWholeRunsAndQuotedTextIsCopied) {
    const TDateTime v = EncodeDate(2024, 5, 12) + ((9 * 60 + 5) * 60 + 7.03) / 86400.0;
    EXPECT_EQ(FormatDateTime("ddddd", v), "2024-05-12");
    EXPECT_EQ(FormatDateTime("dddddd", v), "2024年5月12日");  // the long date, not ddddd + d
    EXPECT_EQ(FormatDateTime("ddd dddd", v), "周日 星期日");
    EXPECT_EQ(FormatDateTime("d/dd m/mm/mmm/mmmm y/yy/yyyy", v), "12/12 5/05/5月/五月 24/24/2024");
    EXPECT_EQ(FormatDateTime("h:n:s hh:nn:ss zzz", v), "9:5:7 09:05:07 030");
    EXPECT_EQ(FormatDateTime("t", v), "09:05");
    EXPECT_EQ(FormatDateTime("tt", v), "09:05:07");
    // Letters in quotes are text: 'at' is not "a" and the short time.
    EXPECT_EQ(FormatDateTime("t 'at' ddddd", v), "09:05 at 2024-05-12");
    EXPECT_EQ(FormatDateTime("\"day\" d", v), "day 12");
    EXPECT_EQ(FormatDateTime("yyyy'年", v), "2024年");  // an open quote runs to the end
}

TEST(Dates, ValuesOutsideTheCalendarAreNoDateAndFormatAsNothing) {
    EXPECT_TRUE(IsCalendarDateTime(EncodeDate(1, 1, 1)));
    EXPECT_TRUE(IsCalendarDateTime(EncodeDate(9999, 12, 31) + 0.999));
    EXPECT_TRUE(IsCalendarDateTime(-693593.5));  // 0001-01-01 12:00
    EXPECT_EQ(EncodeDate(1, 1, 1), FirstCalendarDay);
    EXPECT_EQ(EncodeDate(9999, 12, 31), LastCalendarDay);
    const double outside[] = {LastCalendarDay + 1,
                              FirstCalendarDay - 1,
                              1e300,
                              -1e300,
                              1e15,
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    for (double value : outside) {
        EXPECT_FALSE(IsCalendarDateTime(value)) << value;
        EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn mmmm dddd", value), QString()) << value;
        EXPECT_EQ(DateToISO(value), QString()) << value;
    }
    EXPECT_FALSE(ToQDate(1e300).isValid());
    EXPECT_FALSE(ToQDate(std::numeric_limits<double>::quiet_NaN()).isValid());
}
