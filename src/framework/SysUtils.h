// Run-time library: exceptions, number and date conversions, text helpers.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <exception>

// Every error the program raises carries a message the user can read.
class Exception : public std::exception {
public:
    explicit Exception(const QString& msg) : FMessage(msg), FUtf8(msg.toUtf8()) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index or value outside what a list holds.
class EListError : public Exception {
public:
    using Exception::Exception;
};
class EStringListError : public EListError {
public:
    using EListError::EListError;
};

// Text ------------------------------------------------------------------------------------------
QString Trim(const QString& s);
QString UpperCase(const QString& s);
QString LowerCase(const QString& s);
QString IntToStr(long long value);
int StrToInt(const QString& s);              // raises EConvertError
int StrToIntDef(const QString& s, int def);
bool TryStrToInt(const QString& s, int& value);
double StrToFloat(const QString& s);         // "." is the decimal point; raises EConvertError
bool TryStrToFloat(const QString& s, double& value);
QString QuotedStr(const QString& s);         // 'O''Neil' for SQL literals and messages

// A comma-separated line split into its fields, empty fields kept ("a,,b" gives three fields).
QStringList SplitCommaText(const QString& line);

// Numbers as text -------------------------------------------------------------------------------
// Shortest text with up to 15 significant digits, never an exponent for ordinary values.
QString FloatToStr(double value);
// Patterns of '0', '#', '.', ',' and up to three ';'-separated sections (positive;negative;zero).
// The shown last digit is rounded half away from zero on the value's 15-digit decimal form.
QString FormatFloat(const QString& format, double value);

// Dates -----------------------------------------------------------------------------------------
// A date-time is a count of days since 1899-12-30; the fraction is the time of day (for a negative
// count, the fraction's magnitude: -1.25 is 1899-12-29 06:00). Decoding rounds to the millisecond.
using TDateTime = double;

// The calendar's days, 0001-01-01 .. 9999-12-31, and whether a value names a moment of them (NaN,
// the infinities and values beyond do not).
constexpr TDateTime FirstCalendarDay = -693593;
constexpr TDateTime LastCalendarDay = 2958465;
bool IsCalendarDateTime(TDateTime value);

TDateTime Now();
TDateTime Date();
TDateTime EncodeDate(int year, int month, int day);   // raises EConvertError on an invalid date
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
void DecodeDate(TDateTime date, int& year, int& month, int& day);
TDateTime DateOf(TDateTime dateTime);
int DayOfWeek(TDateTime date);                        // 1 Sunday .. 7 Saturday
int DaysInAMonth(int year, int month);
bool IsLeapYear(int year);
double YearSpan(TDateTime a, TDateTime b);            // |b - a| / 365.25
// Each run of one letter (any case) is one token: y/yy and yyyy the year in two or four digits; m,
// mm, mmm, mmmm the month as a number, two digits, "5月" or "五月"; d, dd, ddd, dddd the day, two
// digits, "周日" or "星期日"; ddddd the short date (yyyy-mm-dd), dddddd the long one (2024年5月12日);
// h/hh, n/nn, s/ss the hour, minute and second unpadded or in two digits; z/zzz the milliseconds; t and
// tt the short and long time (hh:nn, hh:nn:ss). Text in single or double quotes is copied without its
// quotes, everything else as it stands. A value outside the calendar gives an empty text.
QString FormatDateTime(const QString& format, TDateTime dateTime);
QString DateToISO(TDateTime date);                    // yyyy-mm-dd
// Accepts "yyyy-mm-dd" and unpadded "y-m-d" (also with "/" between the parts); a year of one or two
// digits is read in the window 1950..2049.
bool TryISOToDate(const QString& text, TDateTime& date);
TDateTime ISOToDate(const QString& text);             // raises EConvertError
QDate ToQDate(TDateTime date);
TDateTime FromQDate(const QDate& date);

// Files -----------------------------------------------------------------------------------------
QString IncludeTrailingPathDelimiter(const QString& path);
QString ExtractFilePath(const QString& fileName);     // with its trailing "/"
bool FileExists(const QString& fileName);
// The program's folder with its trailing "/": where the database, settings and skins live.
// Tests point it at a folder of their own.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
