#include "GetPY.h"

#include "GBKText.h"

#include <QFile>
#include <QStringList>
#include <array>
#include <vector>

namespace {

// GB2312 level 1 is ordered by pinyin: each initial owns one range of codes (lead x 256 + trail).
struct TLetterRange {
    char Letter;
    int First, Last;
};
constexpr std::array<TLetterRange, 23> LetterRanges{{
    {'A', 45217, 45252}, {'B', 45253, 45760}, {'C', 45761, 46317}, {'D', 46318, 46825}, {'E', 46826, 47009},
    {'F', 47010, 47296}, {'G', 47297, 47613}, {'H', 47614, 48118}, {'J', 48119, 49061}, {'K', 49062, 49323},
    {'L', 49324, 49895}, {'M', 49896, 50370}, {'N', 50371, 50613}, {'O', 50614, 50621}, {'P', 50622, 50905},
    {'Q', 50906, 51386}, {'R', 51387, 51445}, {'S', 51446, 52217}, {'T', 52218, 52697}, {'W', 52698, 52979},
    {'X', 52980, 53688}, {'Y', 53689, 54480}, {'Z', 54481, 55289},
}};

char LetterByRange(quint8 lead, quint8 trail) {
    // Only GB2312 codes are ordered by pinyin: the GBK extension characters whose codes fall
    // between them (trail byte below 0xA1) are not, and go to the letter table instead.
    if (trail < 0xA1) return 0;
    const int code = lead * 256 + trail;
    for (const TLetterRange& r : LetterRanges)
        if (code >= r.First && code <= r.Last) return r.Letter;
    return 0;
}

// The letter table, read once from the program's resources: for every GBK code, the letter of
// the first row that lists the character, or 0.
const std::vector<char>& LetterTable() {
    static const std::vector<char> table = [] {
        std::vector<char> t(0x10000, 0);
        QFile f(QStringLiteral(":/data/pinyin-letters.txt"));
        if (!f.open(QIODevice::ReadOnly)) return t;
        const QString text = QString::fromUtf8(f.readAll());
        for (const QString& row : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList items = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (items.isEmpty() || items[0].size() != 1) continue;
            const char letter = char(items[0][0].toLatin1());
            for (qsizetype i = 1; i < items.size(); ++i) {
                if (items[i].size() != 1) continue;
                const quint16 code = GBKCodeOf(items[i][0].unicode());
                if (code > 0xFF && t[code] == 0) t[code] = letter;
            }
        }
        return t;
    }();
    return table;
}

char LetterByTable(quint8 lead, quint8 trail) { return LetterTable()[lead * 256 + trail]; }

// Both look-ups at once, precomputed for every code: names are turned into initials by the thousand.
const std::vector<char>& CombinedTable() {
    static const std::vector<char> table = [] {
        std::vector<char> t = LetterTable();
        for (int code = 0x8100; code < 0x10000; ++code)
            if (const char byRange = LetterByRange(quint8(code >> 8), quint8(code))) t[code] = byRange;
        return t;
    }();
    return table;
}

char Letter(quint8 lead, quint8 trail) { return CombinedTable()[lead * 256 + trail]; }

QByteArray LetterText(char letter) { return letter ? QByteArray(1, letter) : QByteArray(); }

quint8 ByteAt(const QByteArray& bytes, qsizetype i) { return i < bytes.size() ? quint8(bytes[i]) : 0; }

}  // namespace

QByteArray GetPYCharByRange(const QByteArray& ch) { return LetterText(LetterByRange(ByteAt(ch, 0), ByteAt(ch, 1))); }

QByteArray GetPYCharByTable(const QByteArray& ch) { return LetterText(LetterByTable(ByteAt(ch, 0), ByteAt(ch, 1))); }

QByteArray GetPYChar(const QByteArray& ch, const QByteArray& def) {
    const char letter = Letter(ByteAt(ch, 0), ByteAt(ch, 1));
    return letter ? QByteArray(1, letter) : def;
}

QByteArray GetPYInitialsGBK(const QByteArray& gbk, const QByteArray& def) {
    QByteArray out;
    out.reserve(gbk.size());
    for (qsizetype i = 0; i < gbk.size();) {
        const quint8 b = quint8(gbk[i]);
        if (b > 0x80) {
            const char letter = Letter(b, ByteAt(gbk, i + 1));
            if (letter) out.append(letter);
            else out.append(def);
            i += 2;
        } else {
            out.append(char(b));
            ++i;
        }
    }
    return out;
}

// Works character by character on the GBK code of each one, as the byte walk above does on the
// encoded text; a character that GBK lacks has no initial.
QString GetPYInitials(const QString& text, const QString& def) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            out.append(QChar(u));
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append(def);
            ++i;
            continue;
        }
        const quint16 code = GBKCodeOf(u);
        if (code == 0) {
            out.append(def);
        } else if (code <= 0x80) {
            out.append(QChar(u));  // a one-byte character of GBK passes like ASCII
        } else {
            const char letter = Letter(quint8(code >> 8), quint8(code));
            if (letter) out.append(QLatin1Char(letter));
            else out.append(def);
        }
    }
    return out;
}
