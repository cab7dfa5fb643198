#include "SysUtils.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>

// Text ------------------------------------------------------------------------------------------

QString Trim(const QString& s) { return s.trimmed(); }
QString UpperCase(const QString& s) { return s.toUpper(); }
QString LowerCase(const QString& s) { return s.toLower(); }
QString IntToStr(long long value) { return QString::number(value); }

bool TryStrToInt(const QString& s, int& value) {
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    if (ok) value = v;
    return ok;
}

int StrToInt(const QString& s) {
    int v = 0;
    if (!TryStrToInt(s, v)) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(s));
    return v;
}

int StrToIntDef(const QString& s, int def) {
    int v = def;
    return TryStrToInt(s, v) ? v : def;
}

bool TryStrToFloat(const QString& s, double& value) {
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    const QString t = s.trimmed();
    if (!number.match(t).hasMatch()) return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok && std::isfinite(v)) value = v;
    return ok && std::isfinite(v);
}

double StrToFloat(const QString& s) {
    double v = 0;
    if (!TryStrToFloat(s, v)) throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(s));
    return v;
}

QString QuotedStr(const QString& s) {
    QString r = s;
    r.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + r + QLatin1Char('\'');
}

QStringList SplitCommaText(const QString& line) { return line.split(QLatin1Char(','), Qt::KeepEmptyParts); }

// Numbers as text -------------------------------------------------------------------------------

namespace {

// A non-negative decimal number as its significant digits and the position of the point:
// value = 0.d1 d2 d3 ... x 10^Exponent. No digits means zero.
struct TDecimal {
    QString Digits;
    int Exponent = 0;
};

TDecimal ToDecimal15(double value) {
    TDecimal d;
    value = std::fabs(value);
    if (value == 0 || !std::isfinite(value)) return d;
    // d.dddddddddddddde+XX, rounded as printf's "%.14e" rounds; a grid of numbers formats many.
    char e[32];
    const auto end = std::to_chars(e, e + sizeof e, value, std::chars_format::scientific, 14).ptr;
    const char* ePos = std::find(e, end, 'e');
    std::from_chars(ePos + (ePos[1] == '+' ? 2 : 1), end, d.Exponent);
    ++d.Exponent;
    // The digits without the point and without trailing zeros, cut in place before becoming text.
    e[1] = e[0];
    const char* last = ePos;
    while (last > e + 2 && last[-1] == '0') --last;
    d.Digits = QString::fromLatin1(e + 1, int(last - e - 1));
    return d;
}

// Rounds half away from zero so that at most `decimals` digits stand behind the point.
void RoundDecimal(TDecimal& d, int decimals) {
    const int keep = d.Exponent + decimals;
    if (keep >= d.Digits.size()) return;
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[keep] >= QLatin1Char('5');
    d.Digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[i] == QLatin1Char('9')) d.Digits[i--] = QLatin1Char('0');
        if (i >= 0) d.Digits[i] = QChar(d.Digits[i].unicode() + 1);
        else {
            d.Digits.prepend(QLatin1Char('1'));
            d.Exponent++;
        }
    }
    while (d.Digits.endsWith(QLatin1Char('0'))) d.Digits.chop(1);
    if (d.Digits.isEmpty()) d.Exponent = 0;
}

QString IntegerDigits(const TDecimal& d) {
    if (d.Digits.isEmpty() || d.Exponent <= 0) return QString();
    QString r = d.Digits.left(d.Exponent);
    return r + QString(d.Exponent - r.size(), QLatin1Char('0'));
}

QString FractionDigits(const TDecimal& d) {
    if (d.Digits.isEmpty()) return QString();
    if (d.Exponent >= 0) return d.Digits.mid(d.Exponent);
    return QString(-d.Exponent, QLatin1Char('0')) + d.Digits;
}

QString GroupThousands(const QString& digits) {
    QString r;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) r += QLatin1Char(',');
        r += digits[i];
    }
    return r;
}

struct TNumberPattern {
    QString Prefix, Suffix;
    int MinIntegerDigits = 0;
    int MinDecimals = 0;
    int MaxDecimals = 0;
    bool Thousands = false;
};

TNumberPattern ParsePattern(const QString& section) {
    TNumberPattern p;
    bool seenDigit = false, afterPoint = false;
    QString pendingLiteral;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = section.indexOf(c, i + 1);
            const int stop = end < 0 ? section.size() : end;
            pendingLiteral += section.mid(i + 1, stop - i - 1);
            i = stop;
            continue;
        }
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!seenDigit) p.Prefix = pendingLiteral;
            pendingLiteral.clear();
            seenDigit = true;
            if (afterPoint) {
                p.MaxDecimals++;
                if (c == QLatin1Char('0')) p.MinDecimals = p.MaxDecimals;
            } else if (c == QLatin1Char('0')) {
                p.MinIntegerDigits++;
            }
        } else if (c == QLatin1Char('.') && !afterPoint) {
            if (!seenDigit) p.Prefix = pendingLiteral, pendingLiteral.clear();
            afterPoint = true;
            seenDigit = true;
        } else if (c == QLatin1Char(',') && !afterPoint) {
            p.Thousands = true;
        } else {
            pendingLiteral += c;
        }
    }
    if (seenDigit) p.Suffix = pendingLiteral;
    else p.Prefix = pendingLiteral;
    return p;
}

QString ApplyPattern(const TNumberPattern& p, const TDecimal& d) {
    QString integer = IntegerDigits(d);
    if (integer.size() < p.MinIntegerDigits) integer.prepend(QString(p.MinIntegerDigits - integer.size(), QLatin1Char('0')));
    if (p.Thousands) integer = GroupThousands(integer);
    QString fraction = FractionDigits(d).left(p.MaxDecimals);
    fraction += QString(qMax(0, p.MinDecimals - fraction.size()), QLatin1Char('0'));
    while (fraction.size() > p.MinDecimals && fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    QString r = p.Prefix + integer;
    if (!fraction.isEmpty()) r += QLatin1Char('.') + fraction;
    return r + p.Suffix;
}

}  // namespace

QString FloatToStr(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const TDecimal d = ToDecimal15(value);
    if (d.Digits.isEmpty()) return QStringLiteral("0");
    QString integer = IntegerDigits(d);
    if (integer.isEmpty()) integer = QStringLiteral("0");
    const QString fraction = FractionDigits(d);
    QString r = value < 0 ? QStringLiteral("-") : QString();
    r += integer;
    if (!fraction.isEmpty()) r += QLatin1Char('.') + fraction;
    return r;
}

QString FormatFloat(const QString& format, double value) {
    const QStringList sections = format.split(QLatin1Char(';'));
    const QString positive = sections.value(0);
    TDecimal d = ToDecimal15(value);
    const bool negative = value < 0;

    // The rounding follows the section that will be used; negative values may have their own.
    QString section = positive;
    bool useNegativeSection = negative && sections.size() > 1 && !sections[1].isEmpty();
    if (useNegativeSection) section = sections[1];
    // An empty section stands for the general format, as an empty format string does.
    if (section.isEmpty()) return FloatToStr(value);
    TNumberPattern p = ParsePattern(section);
    RoundDecimal(d, p.MaxDecimals);

    if (d.Digits.isEmpty()) {
        if (sections.size() > 2 && !sections[2].isEmpty()) return ApplyPattern(ParsePattern(sections[2]), d);
        if (useNegativeSection) {
            if (positive.isEmpty()) return FloatToStr(value);
            p = ParsePattern(positive);
        }
        return ApplyPattern(p, d);
    }
    const QString text = ApplyPattern(p, d);
    return negative && !useNegativeSection ? QLatin1Char('-') + text : text;
}

// Dates -----------------------------------------------------------------------------------------

namespace {
const QDate kEpoch(1899, 12, 30);
}

namespace {

// A date-time as whole days and milliseconds into the day. The value is rounded to a millisecond
// first, so a time a fraction of a millisecond before midnight is the next day's midnight; the day
// is the integral part (toward zero) and the time its fraction's magnitude, so -1.25 is 1899-12-29
// at 06:00. A value too large to count in milliseconds (and NaN) splits into nothing: Valid is false.
struct TDayAndTime {
    qint64 Days = 0;
    int Ms = 0;
    bool Valid = false;
};

TDayAndTime SplitDateTime(TDateTime dateTime) {
    constexpr qint64 msPerDay = 86400000;
    // Far beyond any calendar, yet well inside what 64 bits of milliseconds can hold.
    if (!(std::fabs(dateTime) < 1e10)) return {};
    const qint64 ms = std::llround(dateTime * msPerDay);
    return {ms / msPerDay, int((ms < 0 ? -ms : ms) % msPerDay), true};
}

const char* const LongMonthNames[] = {"一月", "二月", "三月", "四月",  "五月",   "六月",
                                      "七月", "八月", "九月", "十月", "十一月", "十二月"};
const char* const ShortDayNames[] = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
const char* const LongDayNames[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};

// The parts of a calendar moment, as the format tokens show them.
struct TDateTimeParts {
    int Year, Month, Day, DayOfWeek;  // day of week: 0 Sunday .. 6 Saturday
    int Hour, Minute, Second, MSec;
};

QString Padded(int value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

void AppendFormatted(QString& out, QStringView format, const TDateTimeParts& p) {
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype end = format.indexOf(c, i + 1);
            if (end < 0) end = format.size();
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const QChar letter = c.toLower();
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run].toLower() == letter)
            ++run;
        switch (letter.unicode()) {
        case 'y':
            out += run <= 2 ? Padded(p.Year % 100, 2) : Padded(p.Year, 4);
            break;
        case 'm':
            out += run == 1   ? QString::number(p.Month)
                   : run == 2 ? Padded(p.Month, 2)
                   : run == 3 ? QString::number(p.Month) + QStringLiteral("月")
                              : QString::fromUtf8(LongMonthNames[p.Month - 1]);
            break;
        case 'd':
            if (run == 1)
                out += QString::number(p.Day);
            else if (run == 2)
                out += Padded(p.Day, 2);
            else if (run == 3)
                out += QString::fromUtf8(ShortDayNames[p.DayOfWeek]);
            else if (run == 4)
                out += QString::fromUtf8(LongDayNames[p.DayOfWeek]);
            else
                AppendFormatted(out, run == 5 ? u"yyyy-mm-dd" : u"yyyy'年'm'月'd'日'", p);
            break;
        case 'h':
            out += run == 1 ? QString::number(p.Hour) : Padded(p.Hour, 2);
            break;
        case 'n':
            out += run == 1 ? QString::number(p.Minute) : Padded(p.Minute, 2);
            break;
        case 's':
            out += run == 1 ? QString::number(p.Second) : Padded(p.Second, 2);
            break;
        case 'z':
            out += run < 3 ? QString::number(p.MSec) : Padded(p.MSec, 3);
            break;
        case 't':
            AppendFormatted(out, run == 1 ? u"hh:nn" : u"hh:nn:ss", p);
            break;
        default:
            out += format.mid(i, run);
            break;
        }
        i += run;
    }
}

}  // namespace

bool IsCalendarDateTime(TDateTime value) {
    const TDayAndTime split = SplitDateTime(value);
    return split.Valid && split.Days >= FirstCalendarDay && split.Days <= LastCalendarDay;
}

QDate ToQDate(TDateTime date) {
    const TDayAndTime split = SplitDateTime(date);
    return split.Valid ? kEpoch.addDays(split.Days) : QDate();
}
TDateTime FromQDate(const QDate& date) { return static_cast<TDateTime>(kEpoch.daysTo(date)); }

TDateTime Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    return FromQDate(now.date()) + t.msecsSinceStartOfDay() / 86400000.0;
}

TDateTime Date() { return FromQDate(QDate::currentDate()); }

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day)) return false;
    date = FromQDate(QDate(year, month, day));
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime d = 0;
    if (!TryEncodeDate(year, month, day, d)) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return d;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) { ToQDate(date).getDate(&year, &month, &day); }
TDateTime DateOf(TDateTime dateTime) {
    const TDayAndTime split = SplitDateTime(dateTime);
    return split.Valid ? TDateTime(split.Days) : std::trunc(dateTime);
}
int DayOfWeek(TDateTime date) { return ToQDate(date).dayOfWeek() % 7 + 1; }
int DaysInAMonth(int year, int month) { return QDate(year, month, 1).daysInMonth(); }
bool IsLeapYear(int year) { return QDate::isLeapYear(year); }
double YearSpan(TDateTime a, TDateTime b) { return std::fabs(b - a) / 365.25; }

QString FormatDateTime(const QString& format, TDateTime dateTime) {
    if (!IsCalendarDateTime(dateTime)) return QString();
    TDateTimeParts parts{};
    DecodeDate(dateTime, parts.Year, parts.Month, parts.Day);
    parts.DayOfWeek = DayOfWeek(dateTime) - 1;
    const int ms = SplitDateTime(dateTime).Ms;
    parts.Hour = ms / 3600000;
    parts.Minute = ms / 60000 % 60;
    parts.Second = ms / 1000 % 60;
    parts.MSec = ms % 1000;
    QString r;
    AppendFormatted(r, format, parts);
    return r;
}

QString DateToISO(TDateTime date) { return FormatDateTime(QStringLiteral("yyyy-mm-dd"), date); }

bool TryISOToDate(const QString& text, TDateTime& date) {
    static const QRegularExpression ymd(QStringLiteral(R"(^\s*(\d{1,4})[-/](\d{1,2})[-/](\d{1,2})\s*$)"));
    const auto m = ymd.match(text);
    if (!m.hasMatch()) return false;
    int year = m.captured(1).toInt();
    // A year typed with one or two digits: 00-49 are this century's, 50-99 the last one's.
    if (m.captured(1).size() <= 2) year += year < 50 ? 2000 : 1900;
    return TryEncodeDate(year, m.captured(2).toInt(), m.captured(3).toInt(), date);
}

TDateTime ISOToDate(const QString& text) {
    TDateTime d = 0;
    if (!TryISOToDate(text, d)) throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return d;
}

// Files -----------------------------------------------------------------------------------------

QString IncludeTrailingPathDelimiter(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString ExtractFilePath(const QString& fileName) {
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : fileName.left(slash + 1);
}

bool FileExists(const QString& fileName) { return QFileInfo(fileName).isFile(); }

namespace {
QString gProgramFolder;
}

QString ProgramFolder() {
    if (gProgramFolder.isEmpty()) return IncludeTrailingPathDelimiter(QCoreApplication::applicationDirPath());
    return gProgramFolder;
}

void SetProgramFolder(const QString& folder) {
    gProgramFolder = folder.isEmpty() ? QString() : IncludeTrailingPathDelimiter(folder);
}
