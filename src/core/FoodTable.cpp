#include "FoodTable.h"

#include "GetPY.h"
#include "SysUtils.h"

#include <QFile>
#include <charconv>

std::array<TFdRcd, FoodTableSize> FoodTable;
int FoodMaxIndex = FoodTableSize - 1;

namespace {

constexpr int FieldCount = 3 + FoodValueCount;

QByteArrayView Trimmed(QByteArrayView s) {
    while (!s.isEmpty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s = s.sliced(1);
    while (!s.isEmpty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.chop(1);
    return s;
}

// The numbers the food lines hold are short decimals ("12.5"): digits, at most one point, at most
// 15 digits. Their value is the digits as an integer divided by a power of ten, two exact doubles,
// so the one division rounds correctly. Anything else takes the general path.
bool ParseShortDecimal(QByteArrayView s, double& value) {
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qsizetype i = 0;
    const bool negative = !s.isEmpty() && s[0] == '-';
    if (negative || (!s.isEmpty() && s[0] == '+')) ++i;
    long long mantissa = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            if (++digits > 15) return false;
            mantissa = mantissa * 10 + (c - '0');
            if (point) ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0) return false;
    value = double(mantissa) / PowersOfTen[decimals];
    if (negative) value = -value;
    return true;
}

// A value field: empty gives -1. Anything the quick path does not take goes through the run-time
// library, which gives the same value or raises its conversion error.
double ValueOf(QByteArrayView field) {
    const QByteArrayView t = Trimmed(field);
    if (t.isEmpty()) return -1;
    double v = 0;
    if (ParseShortDecimal(t, v)) return v;
    return StrToFloat(QString::fromUtf8(field));
}

int IdOf(QByteArrayView field) {
    const QByteArrayView t = Trimmed(field);
    int id = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), id);
    if (!t.isEmpty() && ec == std::errc() && end == t.data() + t.size()) return id;
    return StrToInt(QString::fromUtf8(field));
}

void ClearTable() {
    for (TFdRcd& r : FoodTable) r = TFdRcd();
}

void MakePlaceholder(TFdRcd& r, int id) {
    r = TFdRcd();
    r.ID = id;
    r.Values.fill(-1);
}

// Fills the table from UTF-8 lines, one food each.
class TFoodLoader {
public:
    void Line(QByteArrayView line) {
        if (Trimmed(line).isEmpty()) return;
        std::array<QByteArrayView, FieldCount> fields;
        int count = 0;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line[i] != ',') continue;
            if (count < FieldCount) fields[count] = line.sliced(start, i - start);
            ++count;
            start = i + 1;
        }
        if (count < FieldCount)
            throw EConvertError(QStringLiteral("'%1' does not hold %2 fields").arg(QString::fromUtf8(line)).arg(FieldCount));

        const int id = IdOf(fields[0]);
        if (id <= FLastID || id > FoodTableSize) return;  // never out of order, never past the table
        while (FLastID + 1 < id) {
            ++FLastID;
            MakePlaceholder(FoodTable[FLastID - 1], FLastID);
        }
        TFdRcd r;
        r.ID = id;
        r.Code = QString::fromUtf8(fields[1]);
        r.Name = QString::fromUtf8(fields[2]);
        r.PY = GetPYInitials(r.Name, QString());
        for (int k = 0; k < FoodValueCount; ++k) r.Values[k] = ValueOf(fields[3 + k]);
        FoodTable[id - 1] = std::move(r);
        FLastID = id;
    }

private:
    int FLastID = 0;
};

}  // namespace

void LoadFoodTables() {
    QFile f(QStringLiteral(":/data/foods.txt"));
    if (!f.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("食物成分数据缺失"));
    const QByteArray text = f.readAll();
    ClearTable();
    TFoodLoader loader;
    const QByteArrayView all(text);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0) end = all.size();
        loader.Line(all.sliced(start, end - start));
        start = end + 1;
    }
}

void LoadFoodTables(const QStringList& lines) {
    ClearTable();
    TFoodLoader loader;
    for (const QString& line : lines) loader.Line(line.toUtf8());
}

double StrToFloatOrMinusOne(const QString& text) {
    const QString t = Trim(text);
    return t.isEmpty() ? -1 : StrToFloat(t);
}

const TFdRcd& FoodByID(int id) {
    static const TFdRcd noFood = [] {
        TFdRcd r;
        r.Values.fill(-1);
        return r;
    }();
    return id >= 1 && id <= FoodTableSize ? FoodTable[id - 1] : noFood;
}

QString FoodNameByID(int id) { return FoodByID(id).Name; }
