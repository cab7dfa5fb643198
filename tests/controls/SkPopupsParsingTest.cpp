// Reading typed dates and times: the orders of the day, month and year in three locales, compact digit
// runs, month names, two-digit years, AM/PM words, clamped times, parts too large to hold, and random
// texts that must neither crash nor hang.
#include "SkPopupsParsing.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

namespace {
const QDate Today(2026, 3, 17);

TSkDateTimeLocale WithDateFormat(const QString& format, QChar separator) {
    TSkDateTimeLocale locale = ProgramDateTimeLocale();
    locale.ShortDateFormat = format;
    locale.DateSeparator = separator;
    return locale;
}

const TSkDateTimeLocale& Ymd() {
    return ProgramDateTimeLocale();
}
const TSkDateTimeLocale& Dmy() {
    static const TSkDateTimeLocale l = WithDateFormat(QStringLiteral("dd/MM/yyyy"), u'/');
    return l;
}
const TSkDateTimeLocale& Mdy() {
    static const TSkDateTimeLocale l = WithDateFormat(QStringLiteral("MM/dd/yyyy"), u'/');
    return l;
}

struct TDateCase {
    const char* Locale;
    const char* Text;
    bool Ok;
    QDate Expected;  // null: the value 0
};

const TSkDateTimeLocale& LocaleNamed(const char* name) {
    const QString n = QString::fromUtf8(name);
    return n == "DMY" ? Dmy() : n == "MDY" ? Mdy() : Ymd();
}

// Milliseconds since midnight of a parsed time.
int MSecsOf(TDateTime time) {
    return int(std::lround(time * 86400000.0));
}
int MSecs(int h, int m, int s = 0, int ms = 0) {
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}
}  // namespace

TEST(SkDateTextTest, OrderLettersComeFromTheFormatOnceEachInOrder) {
    EXPECT_EQ(DateTimeOrder(QStringLiteral("yyyy-M-d"), QStringLiteral("DMY")), QStringLiteral("YMD"));
    EXPECT_EQ(DateTimeOrder(QStringLiteral("dd/MM/yyyy"), QStringLiteral("DMY")), QStringLiteral("DMY"));
    EXPECT_EQ(DateTimeOrder(QStringLiteral("h:mm:ss AMPM"), QStringLiteral("HMNSZ")), QStringLiteral("HMS"));
    EXPECT_EQ(DateTimeOrder(QStringLiteral("hh:nn:ss.zzz"), QStringLiteral("HMNSZ")), QStringLiteral("HNSZ"));
}

TEST(SkDateTextTest, TokensAreRunsOfDigitsOrLettersBetweenSeparators) {
    const QString text = QStringLiteral("  12.五月x7-");
    QStringView rest(text), token;
    EXPECT_EQ(NextToken(rest, token), TokenDigits);
    EXPECT_EQ(token, u"12");
    EXPECT_EQ(NextToken(rest, token), TokenWord);
    EXPECT_EQ(token, u"五月x");
    EXPECT_EQ(NextToken(rest, token), TokenDigits);
    EXPECT_EQ(token, u"7");
    EXPECT_EQ(NextToken(rest, token), TokenSeparator);
    EXPECT_TRUE(token.isEmpty());
    EXPECT_TRUE(rest.isEmpty());
}

TEST(SkDateTextTest, MonthNamesMatchInEveryLanguageAndAmPmWords) {
    EXPECT_EQ(MonthFromName(u"MAY", Ymd()), 5);
    EXPECT_EQ(MonthFromName(u"DECEMBER", Ymd()), 12);
    EXPECT_EQ(MonthFromName(u"十一月", Ymd()), 11);
    EXPECT_EQ(MonthFromName(u"3月", Ymd()), 3);
    EXPECT_EQ(MonthFromName(u"MAI", Ymd()), -1);
    EXPECT_EQ(MonthNameInLocale(Ymd(), 0x0409, 2), QStringLiteral("February"));
    EXPECT_EQ(MonthNameInLocale(Ymd(), 0x0400, 2), QStringLiteral("二月"));
    EXPECT_EQ(AMPMIndicator(u"上午", Ymd()), -1);
    EXPECT_EQ(AMPMIndicator(u"A", Ymd()), -1);
    EXPECT_EQ(AMPMIndicator(u"下午", Ymd()), 1);
    EXPECT_EQ(AMPMIndicator(u"PM", Ymd()), 1);
    EXPECT_EQ(AMPMIndicator(u"PX", Ymd()), 0);
}

// Today is 17 March 2026; two-digit years land in 1976 .. 2075.
TEST(SkDateTextTest, EdgeExamples) {
    const TDateCase cases[] = {
        {"YMD", "2024-5-12", true, QDate(2024, 5, 12)},
        {"YMD", "12.5", true, QDate(2012, 5, 17)},  // year 12 first, month 5, today's day
        {"DMY", "12052024", true, QDate(2024, 5, 12)},
        {"YMD", "20240512", false, QDate()},         // 20 the year, 24 and 512 both forced into the day
        {"MDY", "13/05", true, QDate(2026, 5, 13)},  // 13 forces the day, 5 the month
        {"MDY", "May 3", true, QDate(2026, 5, 3)},
        {"YMD", "May 3", true, QDate(2003, 5, 17)},  // 3 takes the year
        {"YMD", "", true, QDate()},
        {"DMY", "   ", true, QDate()},
        // More of the same rules.
        {"YMD", "２０２４-５-１２", true, QDate(2024, 5, 12)},  // full-width digits
        {"YMD", "五月 3", true, QDate(2003, 5, 17)},
        {"YMD", "2024-13-5", true, QDate(2024, 5, 13)},  // 13 forced into the day, 5 the month
        {"YMD", "2023-2-29", false, QDate()},
        {"YMD", "75-1-1", true, QDate(2075, 1, 1)},
        {"YMD", "76-1-1", true, QDate(1976, 1, 1)},
        {"YMD", "0-1-1", true, QDate(2000, 1, 1)},
        {"DMY", "3", true, QDate(2026, 3, 3)},
        {"DMY", "0512", true, QDate(2026, 12, 5)},  // compact day and month
        {"MDY", "0512", true, QDate(2026, 5, 12)},
        {"DMY", "05122024", true, QDate(2024, 12, 5)},
        {"DMY", "1.2.2024 junk", true, QDate(2024, 2, 1)},
        {"DMY", "31/2/2024", false, QDate()},
        // A value above 12 goes to the day only while the day is still to come: an impossible
        // date is no date, never another day of today's month.
        {"DMY", "32/13/2024", false, QDate()},
        {"DMY", "13/14/2020", false, QDate()},
        {"MDY", "13/14/2020", false, QDate()},
        {"MDY", "32/13/2024", false, QDate()},
        {"DMY", "5/13/2024", true, QDate(2024, 5, 13)},    // month 13 and day 5 change places
        {"DMY", "12/13/2024", true, QDate(2024, 12, 13)},  // a day of 12 too
        // In every order, the program's own too, a part typed twice is no date: the later value
        // would drop the earlier one.
        {"YMD", "31-12-2024", false, QDate()},
        {"YMD", "13/5/2024", false, QDate()},
        {"YMD", "5/13/2024", false, QDate()},
        {"YMD", "32/13/2024", false, QDate()},
        {"YMD", "13/14/2020", false, QDate()},
        {"YMD", "20261208", false, QDate()},  // 20 the year, 26 the day, 1208 a second year
        {"YMD", "20241301", false, QDate()},
        {"DMY", "2024 2025", false, QDate()},
        {"YMD", "2024-5-6月", false, QDate()},
        {"YMD", "3月五月", false, QDate()},
        {"MDY", "3 May", false, QDate()},
        {"YMD", "2024-12-31", true, QDate(2024, 12, 31)},
        {"YMD", "2024/3/7", true, QDate(2024, 3, 7)},
        {"YMD", "24-3-7", true, QDate(2024, 3, 7)},
        {"YMD", "2024-13", true, QDate(2024, 3, 13)},  // 13 forced into the day, the month today's
        // A number written with 月 is the month, with 日 the day, whatever the order.
        {"YMD", "3月7日", true, QDate(2026, 3, 7)},
        {"YMD", "12月31日", true, QDate(2026, 12, 31)},
        {"YMD", "2月30日", false, QDate()},
        {"YMD", "3月", true, QDate(2026, 3, 17)},
        {"YMD", "7日", true, QDate(2026, 3, 7)},
        {"YMD", "03月07日", true, QDate(2026, 3, 7)},
        {"YMD", "2025年1月31日", true, QDate(2025, 1, 31)},
        {"DMY", "7日 3 2024", true, QDate(2024, 3, 7)},  // the day written, 3 takes the month
        {"YMD", "24年3月7日", true, QDate(2024, 3, 7)},
        {"YMD", "２０２４年３月７日", true, QDate(2024, 3, 7)},
        {"DMY", "2024年3月7日", true, QDate(2024, 3, 7)},
        {"MDY", "7日", true, QDate(2026, 3, 7)},
        {"YMD", "13月5日", false, QDate()},  // no month
        {"YMD", "0月5日", false, QDate()},
        {"YMD", "2024 5月 7 8日", false, QDate()},  // two days
        {"YMD", "2024 5日 13", false, QDate()},     // 13 is no month, and 5 was written as the day
        // Only digits typed alone are split; a run beside other parts is a number of its own.
        {"YMD", "1999/12/31", true, QDate(1999, 12, 31)},
        {"YMD", "2024年5月12日", true, QDate(2024, 5, 12)},
        {"YMD", "december 25", true, QDate(2025, 12, 17)},  // 25 takes the year
    };
    for (const TDateCase& c : cases) {
        TDateTime date = -1;
        const bool ok = ParseDateText(QString::fromUtf8(c.Text), date, LocaleNamed(c.Locale), Today);
        EXPECT_EQ(ok, c.Ok) << c.Locale << " " << c.Text;
        const TDateTime expected = c.Expected.isNull() ? 0 : FromQDate(c.Expected);
        EXPECT_EQ(date, expected) << c.Locale << " " << c.Text << " gave "
                                  << ToQDate(date).toString(Qt::ISODate).toStdString();
    }
}

TEST(SkDateTextTest, PartsTooLargeToHoldFailInsteadOfWrappingAround) {
    // Kept in 16 bits, 65548 would have wrapped round to day 12 and 65536 to year 0 (2000).
    for (const char* text :
         {"2024-5-65548", "65536-1-1", "2024-70000-1", "2024-1-99999999999999999999", "1234567",
          "12 99999999999999999999999999999999", "99999999999月", "2024-3-99999日"}) {
        TDateTime date = -1;
        EXPECT_FALSE(ParseDateText(QString::fromUtf8(text), date, Ymd(), Today)) << text;
        EXPECT_EQ(date, 0) << text;
    }
    TDateTime date = 0;
    EXPECT_FALSE(ParseDateText(QStringLiteral("65535-1-1"), date, Ymd(), Today));  // holdable, but no date
}

TEST(SkTimeTextTest, EdgeExamplesAndClampedTimes) {
    struct TTimeCase {
        const char* Text;
        bool Ok;
        int MSecs;
    } cases[] = {
        {"1230pm", true, MSecs(12, 30)},
        {"12am", true, MSecs(0, 0)},
        {"25:70", false, MSecs(1, 0)},
        {"", true, 0},
        {" \t", true, 0},
        {"下午3:05", true, MSecs(15, 5)},
        {"上午12:15", true, MSecs(0, 15)},
        {"930", true, MSecs(9, 30)},
        {"1745", true, MSecs(17, 45)},
        {"9:30:15", true, MSecs(9, 30, 15)},
        {"7 pm", true, MSecs(19, 0)},
        {"12 p", true, MSecs(12, 0)},
        {"8:60:61", false, MSecs(8, 0, 0)},
        {"48:00", false, MSecs(0, 0)},
        {"am pm 3", true, MSecs(3, 0)},  // the first AM/PM word counts
    };
    for (const TTimeCase& c : cases) {
        TDateTime time = -1;
        EXPECT_EQ(ParseTimeText(QString::fromUtf8(c.Text), time, Ymd()), c.Ok) << c.Text;
        EXPECT_EQ(MSecsOf(time), c.MSecs) << c.Text;
    }
}

TEST(SkTimeTextTest, MillisecondsAreShortenedAndPartsTooLargeFail) {
    TSkDateTimeLocale locale = Ymd();
    locale.LongTimeFormat = QStringLiteral("hh:nn:ss.zzz");
    TDateTime time = 0;
    EXPECT_TRUE(ParseTimeText(QStringLiteral("1:2:3.45"), time, locale));
    EXPECT_EQ(MSecsOf(time), MSecs(1, 2, 3, 45));
    // Three digits split two and one; the one has no letter left.
    EXPECT_TRUE(ParseTimeText(QStringLiteral("1:2:3.456"), time, locale));
    EXPECT_EQ(MSecsOf(time), MSecs(1, 2, 3, 45));
    EXPECT_FALSE(ParseTimeText(QStringLiteral("1:2:3.45678"), time, locale));  // 45678 -> 4567 -> 456
    EXPECT_EQ(MSecsOf(time), MSecs(1, 2, 3, 456));
    // A compact run beyond the last letter drops what has nowhere to go.
    EXPECT_TRUE(ParseTimeText(QStringLiteral("1 2 3 4567"), time, locale));
    EXPECT_EQ(MSecsOf(time), MSecs(1, 2, 3, 45));

    // Kept in 16 bits, 65566 minutes would have wrapped round to a valid 12:30.
    for (const char* text : {"12:65566", "12:65536", "99999999999999999999", "1:2:3.123456789012345"}) {
        time = -1;
        EXPECT_FALSE(ParseTimeText(QString::fromUtf8(text), time, locale)) << text;
        EXPECT_EQ(time, 0) << text;
    }
}

TEST(SkDateTextTest, RandomTextsNeverCrashOrHangAndFailuresGiveZero) {
    const QString alphabet = QStringLiteral("0123456789０１２-/. :年月日上午下午AMPMAYJUNDECpmx\t");
    QRandomGenerator random(19);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        const int length = int(random.bounded(40));
        for (int k = 0; k < length; ++k)
            text += alphabet[int(random.bounded(alphabet.size()))];
        const TSkDateTimeLocale& locale = i % 3 == 0 ? Dmy() : i % 3 == 1 ? Mdy() : Ymd();
        TDateTime date = -1, time = -1;
        if (!ParseDateText(text, date, locale, Today)) {
            ASSERT_EQ(date, 0) << text.toStdString();
        } else if (!text.trimmed().isEmpty()) {
            ASSERT_TRUE(ToQDate(date).isValid()) << text.toStdString();
        }
        ParseTimeText(text, time, locale);
        ASSERT_GE(time, 0) << text.toStdString();
        ASSERT_LT(time, 1) << text.toStdString();
    }
}
