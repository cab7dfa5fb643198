#include "SkPopupsParsing.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {
bool IsBlank(const QString& Text) {
    return std::all_of(Text.begin(), Text.end(), [](QChar c) { return c.isSpace(); });
}

int KindOf(QChar C) {
    if (C.isLetter()) return TokenWord;
    // Alphanumeric but no letter: ASCII digits, and the full-width ones a Chinese input method types.
    if (C.isDigit()) return TokenDigits;
    return TokenSeparator;
}

// Digits typed without anything between them, such as 20240512: only then is a run split into parts.
// A run beside other parts (2024年5月12日, 1999/12/31) is a number of its own.
bool IsOneDigitRun(const QString& Text) {
    const QString t = Text.trimmed();
    return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return KindOf(c) == TokenDigits; });
}

// A part's value; nothing for a digit run above what a part can hold (65535), however long.
std::optional<int> PartValue(QStringView Digits) {
    int value = 0;
    for (const QChar c : Digits) {
        value = value * 10 + c.digitValue();
        if (value > 65535) return std::nullopt;
    }
    return value;
}

void RemoveFirst(QString& Order, QChar Letter) {
    const int at = Order.indexOf(Letter);
    if (at >= 0) Order.remove(at, 1);
}

// A year below 100 lands in the hundred years starting Window years before today's.
int WidenTwoDigitYear(int Year, const QDate& Today, int Window) {
    const int base = Today.year() - Window;
    Year += base / 100 * 100;
    if (Window > 0 && Year < base) Year += 100;
    return Year;
}

// The parts of a compact digit run: 3 as 1 + 2, 4 as 2 + 2, 5 as 1 + 2 + 2, 6 as 2 + 2 + 2, 8 as
// 2 + 2 + 4; no parts for other lengths.
struct TCompactParts {
    std::array<QStringView, 3> Parts;
    int Count = 0;
};
TCompactParts CompactDateParts(QStringView Token) {
    switch (Token.size()) {
    case 3:
        return {{Token.first(1), Token.sliced(1)}, 2};
    case 4:
        return {{Token.first(2), Token.sliced(2)}, 2};
    case 5:
        return {{Token.first(1), Token.sliced(1, 2), Token.sliced(3)}, 3};
    case 6:
    case 8:
        return {{Token.first(2), Token.sliced(2, 2), Token.sliced(4)}, 3};
    default:
        return {};
    }
}

// The order of a format, remembered for the format read last (the same one nearly every time).
QString CachedOrder(const QString& Format, const QString& Letters) {
    thread_local QString lastFormat, lastLetters, lastOrder;
    if (Format != lastFormat || Letters != lastLetters || lastOrder.isNull()) {
        lastFormat = Format;
        lastLetters = Letters;
        lastOrder = DateTimeOrder(Format, Letters);
        if (lastOrder.isNull()) lastOrder = QLatin1String("");
    }
    return lastOrder;
}

struct TDateParts {
    int Year, Month, Day;
    QString Typed;  // the letters of the parts given a typed value
    // False when the part has a typed value already: a text that names a part twice is no date, as
    // keeping either value would drop what the user typed ("31-12-2024" in year-first order).
    bool Store(QChar Letter, int Value) {
        if (Typed.contains(Letter)) return false;
        Typed += Letter;
        (Letter == u'D' ? Day : Letter == u'M' ? Month : Year) = Value;
        return true;
    }
};

// A digit run written straight before 月 names a month, as the locale writes it ("3月", also "03月");
// one before 日 names the day. Gives the letter and takes the character off S, or gives nothing.
std::optional<QChar> LabelOfDigits(QStringView& S) {
    if (S.startsWith(u'月') || S.startsWith(u'日')) {
        const QChar letter = S[0] == u'月' ? u'M' : u'D';
        S = S.sliced(1);
        return letter;
    }
    return std::nullopt;
}

constexpr double MSecsPerDay = 86400000.0;
}  // namespace

// Locale ------------------------------------------------------------------------------------------
const QStringList& USEnglishMonthNames() {
    static const QStringList names = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};
    return names;
}

const TSkDateTimeLocale& ProgramDateTimeLocale() {
    static const TSkDateTimeLocale locale = [] {
        TSkDateTimeLocale l;
        l.ShortDateFormat = QStringLiteral("yyyy-MM-dd");
        l.LongTimeFormat = QStringLiteral("H:mm:ss");
        l.DateSeparator = u'-';
        l.TimeAMString = QStringLiteral("上午");
        l.TimePMString = QStringLiteral("下午");
        l.LongMonthNames = QStringList{"一月", "二月", "三月", "四月", "五月",   "六月",
                                       "七月", "八月", "九月", "十月", "十一月", "十二月"};
        for (int m = 1; m <= 12; ++m)
            l.ShortMonthNames << QStringLiteral("%1月").arg(m);
        l.DefaultLocaleMonthNames = l.LongMonthNames;
        l.USEnglishMonthNames = USEnglishMonthNames();
        return l;
    }();
    return locale;
}

// Supporting steps --------------------------------------------------------------------------------
QString DateTimeOrder(const QString& Format, const QString& Letters) {
    QString order;
    for (const QChar c : Format) {
        const QChar upper = c.toUpper();
        if (Letters.contains(upper) && !order.contains(upper)) order += upper;
    }
    return order;
}

int NextToken(QStringView& S, QStringView& Token) {
    qsizetype start = 0;
    while (start < S.size() && KindOf(S[start]) == TokenSeparator)
        ++start;
    if (start == S.size()) {
        S = S.sliced(start);
        Token = QStringView();
        return TokenSeparator;
    }
    const int kind = KindOf(S[start]);
    qsizetype end = start + 1;
    while (end < S.size() && KindOf(S[end]) == kind)
        ++end;
    Token = S.sliced(start, end - start);
    S = S.sliced(end);
    return kind;
}

QString MonthNameInLocale(const TSkDateTimeLocale& Locale, unsigned LocaleId, int Month) {
    const QStringList& names =
        LocaleId == 0x0409 ? Locale.USEnglishMonthNames : Locale.DefaultLocaleMonthNames;
    return Month >= 1 && Month <= names.size() ? names[Month - 1] : QString();
}

// Names are compared without regard to case, as the upper-cased word against the upper-cased name.
int MonthFromName(QStringView Name, const TSkDateTimeLocale& Locale) {
    auto matches = [&](const QStringList& names, int m) {
        return m <= names.size() && Name.compare(names[m - 1], Qt::CaseInsensitive) == 0;
    };
    for (int m = 1; m <= 12; ++m)
        if (matches(Locale.ShortMonthNames, m) || matches(Locale.LongMonthNames, m) ||
            matches(Locale.DefaultLocaleMonthNames, m) || matches(Locale.USEnglishMonthNames, m))
            return m;
    return -1;
}

int AMPMIndicator(QStringView Token, const TSkDateTimeLocale& Locale) {
    auto is = [&](QStringView word) { return Token.compare(word, Qt::CaseInsensitive) == 0; };
    if (is(Locale.TimeAMString) || is(u"AM") || is(u"A")) return -1;
    if (is(Locale.TimePMString) || is(u"PM") || is(u"P")) return 1;
    return 0;
}

// Dates -------------------------------------------------------------------------------------------
bool ParseDateText(const QString& Text, TDateTime& Date, const TSkDateTimeLocale& Locale,
                   const QDate& Today) {
    Date = 0;
    if (IsBlank(Text)) return true;
    QString order = CachedOrder(Locale.ShortDateFormat, QStringLiteral("DMY"));
    TDateParts parts{Today.year(), Today.month(), Today.day(), {}};
    QStringView rest(Text);
    const bool separated = Text.contains(Locale.DateSeparator) || !IsOneDigitRun(Text);
    bool dayForced = false, dayLabelled = false;
    QStringView token;
    std::optional<QChar> label;  // a digit run's 月 or 日
    auto nextToken = [&] {
        const int kind = NextToken(rest, token);
        label = kind == TokenDigits ? LabelOfDigits(rest) : std::nullopt;
        return kind;
    };
    for (int pass = 0; pass < 3; ++pass) {
        int kind = nextToken();
        while (kind == TokenWord || label == u'M') {
            const int month = label ? PartValue(token).value_or(0) : MonthFromName(token, Locale);
            if (label && (month < 1 || month > 12)) return false;  // "13月" names no month
            if (month > 0) {
                if (!parts.Store(u'M', month)) return false;
                RemoveFirst(order, u'M');
            }
            kind = nextToken();
        }
        if (label == u'D') {
            const std::optional<int> day = PartValue(token);
            if (!day || !parts.Store(u'D', *day)) return false;
            RemoveFirst(order, u'D');
            dayLabelled = true;
            continue;
        }
        if (token.isEmpty() || order.isEmpty()) continue;
        // The letter a value goes to: the next in order, unless it can only be a year or a day. A
        // day taken already is not overwritten: the value keeps its letter, and a month above 12
        // makes the text no date (32/13/2024 is none, not the 13th of today's month).
        auto letterFor = [&](int value, bool mayForceDay) {
            QChar letter = order[0];
            if (value > 999)
                letter = u'Y';
            else if (value > 12 && letter != u'Y' && mayForceDay && order.contains(u'D'))
                letter = u'D';
            return letter;
        };
        const TCompactParts compact =
            !separated && order != QLatin1String("Y") ? CompactDateParts(token) : TCompactParts();
        if (compact.Count > 0) {
            for (int i = 0; i < compact.Count; ++i) {
                const QStringView part = compact.Parts[i];
                // A part beyond the letters left has nowhere to go and is dropped.
                if (order.isEmpty()) break;
                const int value = *PartValue(part);  // at most four digits
                const QChar letter = letterFor(value, true);
                if (!parts.Store(letter, value)) return false;
                RemoveFirst(order, letter);
            }
            continue;
        }
        const std::optional<int> value = PartValue(token);
        if (!value) return false;
        const QChar letter = letterFor(*value, !dayForced);
        // Forcing a value into the day happens once a text.
        if (letter == u'D' && order[0] != u'D') dayForced = true;
        if (!parts.Store(letter, *value)) return false;
        RemoveFirst(order, letter);
    }
    // A month above 12 was meant as the day, unless the day was written as one ("5日").
    if (parts.Month > 12 && parts.Day <= 12 && !dayLabelled) std::swap(parts.Month, parts.Day);
    // The parts as the locale reads a written date: a year below 100 is widened.
    const int year = parts.Year < 100 ? WidenTwoDigitYear(parts.Year, Today, Locale.TwoDigitYearCenturyWindow)
                                      : parts.Year;
    TDateTime date = 0;
    if (!TryEncodeDate(year, parts.Month, parts.Day, date)) return false;
    Date = date;
    return true;
}

bool ParseDateText(const QString& Text, TDateTime& Date) {
    return ParseDateText(Text, Date, ProgramDateTimeLocale(), QDate::currentDate());
}

// Times -------------------------------------------------------------------------------------------
bool ParseTimeText(const QString& Text, TDateTime& Time, const TSkDateTimeLocale& Locale) {
    Time = 0;
    if (IsBlank(Text)) return true;
    QString order = CachedOrder(Locale.LongTimeFormat, QStringLiteral("HMNSZ"));
    int hour = 0, minute = 0, second = 0, msec = 0, ampm = 0;
    auto store = [&](int value) {
        // A part beyond the letters left has nowhere to go and is dropped.
        if (order.isEmpty()) return;
        switch (order[0].unicode()) {
        case u'H':
            hour = value;
            break;
        case u'M':
        case u'N':
            minute = value;
            break;
        case u'S':
            second = value;
            break;
        default:
            msec = value;
        }
        order.remove(0, 1);
    };
    QStringView rest(Text);
    for (int pass = 0; pass < 4; ++pass) {
        QStringView token;
        int kind = NextToken(rest, token);
        while (kind == TokenWord) {
            if (ampm == 0) ampm = AMPMIndicator(token, Locale);
            kind = NextToken(rest, token);
        }
        if (token.isEmpty() || order.isEmpty()) continue;
        if (token.size() == 3 || token.size() == 4) {
            const int head = token.size() == 3 && order.startsWith(u'H') ? 1 : 2;
            store(*PartValue(token.first(head)));
            store(*PartValue(token.sliced(head)));
            continue;
        }
        const std::optional<int> value = PartValue(token);
        if (!value) return false;
        store(*value);
    }
    if (hour < 12 && ampm > 0)
        hour += 12;
    else if (hour == 12 && ampm < 0)
        hour = 0;
    bool clamped = false;
    if (hour >= 24) {
        hour %= 24;
        clamped = true;
    }
    if (minute >= 60) {
        minute = 0;
        clamped = true;
    }
    if (second >= 60) {
        second = 0;
        clamped = true;
    }
    while (msec > 999) {
        msec /= 10;
        clamped = true;
    }
    Time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / MSecsPerDay;
    return !clamped;
}

bool ParseTimeText(const QString& Text, TDateTime& Time) {
    return ParseTimeText(Text, Time, ProgramDateTimeLocale());
}
