// Forgiving readers of typed dates and times: digits with any separators, month names in several
// languages, compact digit runs ("0512", "12052024"), two-digit years and AM/PM words; what is
// missing comes from today's date (dates) or from zero (times). The order of the parts follows the
// locale's formats.
#pragma once

#include "SysUtils.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

// The locale settings the readers follow.
struct TSkDateTimeLocale {
    QString ShortDateFormat;  // its D, M and Y give the order of a date's parts
    QString LongTimeFormat;   // its H, M/N, S and Z give the order of a time's parts
    QChar DateSeparator;
    QString TimeAMString, TimePMString;
    QStringList ShortMonthNames, LongMonthNames;  // twelve each
    // The month names of the user's default locale in the form used after a day number, and the
    // US-English ones: typed month names are looked up there too.
    QStringList DefaultLocaleMonthNames, USEnglishMonthNames;
    // A two-digit year lands in the hundred years that start this many years before today's year.
    int TwoDigitYearCenturyWindow = 50;
};

// The program's locale: Chinese, dates as yyyy-MM-dd, times as H:mm:ss, 上午/下午.
const TSkDateTimeLocale& ProgramDateTimeLocale();
// The US-English names "January" .. "December".
const QStringList& USEnglishMonthNames();

// A date typed as text, read with the locale and today's date. An empty or blank text gives true
// and 0; a text that makes no valid date gives false and 0. A part above 65535 or a digit run too
// long for it fails the same way, and so does a part given two values. A number written with 月 is
// the month ("3月"), with 日 the day.
bool ParseDateText(const QString& Text, TDateTime& Date, const TSkDateTimeLocale& Locale, const QDate& Today);
// With the program's locale and the computer's date.
bool ParseDateText(const QString& Text, TDateTime& Date);

// A time typed as text. An empty or blank text gives true and 0. A time out of range is clamped
// (hours modulo 24, minutes or seconds of 60 or more to 0, milliseconds divided by 10 until below
// 1000) and returned with false, so the caller can show the corrected time and still know the text
// was not valid. A part above 65535 gives false and 0.
bool ParseTimeText(const QString& Text, TDateTime& Time, const TSkDateTimeLocale& Locale);
bool ParseTimeText(const QString& Text, TDateTime& Time);

// Supporting steps ---------------------------------------------------------------------------------------
// The upper-case letters of Format that are in Letters, in order of first appearance, each once:
// "yyyy-M-d" over "DMY" gives "YMD".
QString DateTimeOrder(const QString& Format, const QString& Letters);
// Token kinds of NextToken.
enum : int { TokenSeparator = 0, TokenDigits = 1, TokenWord = -1 };
// Skips the separators at the start of S, then takes the longest run of characters of the first one's
// kind off S into Token and gives the kind; nothing left gives an empty token and TokenSeparator.
int NextToken(QStringView& S, QStringView& Token);
// The month (1 to 12) whose short, long, default-locale or US-English name equals Name in any case;
// -1 for none.
int MonthFromName(QStringView Name, const TSkDateTimeLocale& Locale);
// A month's name as the locale writes it after a day number: 0x0409 US English, any other the
// user's default locale.
QString MonthNameInLocale(const TSkDateTimeLocale& Locale, unsigned LocaleId, int Month);
// -1 for a morning word (the locale's, "AM" or "A", in any case), 1 for an afternoon word, 0 otherwise.
int AMPMIndicator(QStringView Token, const TSkDateTimeLocale& Locale);
