#include "EnergyTargets.h"

#include <cmath>
#include <optional>

namespace {

const QStringList MaleEnergyRows{
    QStringLiteral("01.00|02.00|0|1100.00|35.00|31.00|165.00"),
    QStringLiteral("02.00|03.00|0|1200.00|40.00|33.00|180.00"),
    QStringLiteral("03.00|04.00|0|1350.00|45.00|38.00|203.00"),
    QStringLiteral("04.00|05.00|0|1450.00|50.00|40.00|218.00"),
    QStringLiteral("05.00|06.00|0|1600.00|55.00|44.00|240.00"),
    QStringLiteral("06.00|07.00|0|1700.00|55.00|47.00|255.00"),
    QStringLiteral("07.00|08.00|0|1800.00|60.00|50.00|270.00"),
    QStringLiteral("08.00|09.00|0|1900.00|65.00|53.00|285.00"),
    QStringLiteral("09.00|10.00|0|2000.00|65.00|56.00|300.00"),
    QStringLiteral("10.00|11.00|0|2100.00|70.00|58.00|315.00"),
    QStringLiteral("11.00|14.00|0|2400.00|75.00|67.00|360.00"),
    QStringLiteral("14.00|18.00|0|2900.00|80.00|81.00|435.00"),
    QStringLiteral("18.00|50.00|1|2400.00|75.00|67.00|360.00"),
    QStringLiteral("18.00|50.00|2|2700.00|80.00|75.00|405.00"),
    QStringLiteral("18.00|50.00|3|3200.00|90.00|89.00|480.00"),
    QStringLiteral("50.00|60.00|1|2300.00|86.00|64.00|345.00"),
    QStringLiteral("50.00|60.00|2|2600.00|98.00|72.00|390.00"),
    QStringLiteral("50.00|60.00|3|3100.00|116.00|86.00|465.00"),
    QStringLiteral("60.00|70.00|1|1900.00|71.00|53.00|285.00"),
    QStringLiteral("60.00|70.00|2|2200.00|83.00|61.00|330.00"),
    QStringLiteral("70.00|80.00|1|1900.00|71.00|53.00|285.00"),
    QStringLiteral("70.00|80.00|2|2100.00|79.00|58.00|315.00"),
    QStringLiteral("80.00|150.00|0|1900.00|75.00|53.00|285.00"),
};
const QStringList FemaleEnergyRows{
    QStringLiteral("01.00|02.00|0|1050.00|35.00|29.00|158.00"),
    QStringLiteral("02.00|03.00|0|1150.00|40.00|32.00|173.00"),
    QStringLiteral("03.00|04.00|0|1300.00|45.00|36.00|195.00"),
    QStringLiteral("04.00|05.00|0|1400.00|50.00|39.00|210.00"),
    QStringLiteral("05.00|06.00|0|1500.00|55.00|42.00|225.00"),
    QStringLiteral("06.00|07.00|0|1600.00|55.00|44.00|240.00"),
    QStringLiteral("07.00|08.00|0|1700.00|60.00|47.00|255.00"),
    QStringLiteral("08.00|09.00|0|1800.00|65.00|50.00|270.00"),
    QStringLiteral("09.00|10.00|0|1900.00|65.00|53.00|285.00"),
    QStringLiteral("10.00|11.00|0|2000.00|65.00|56.00|300.00"),
    QStringLiteral("11.00|14.00|0|2200.00|75.00|61.00|330.00"),
    QStringLiteral("14.00|18.00|0|2400.00|80.00|67.00|360.00"),
    QStringLiteral("18.00|50.00|1|2100.00|65.00|58.00|315.00"),
    QStringLiteral("18.00|50.00|2|2300.00|70.00|64.00|345.00"),
    QStringLiteral("18.00|50.00|3|2700.00|80.00|75.00|405.00"),
    QStringLiteral("50.00|60.00|1|1900.00|71.00|53.00|285.00"),
    QStringLiteral("50.00|60.00|2|2000.00|75.00|56.00|300.00"),
    QStringLiteral("50.00|60.00|3|2200.00|83.00|61.00|330.00"),
    QStringLiteral("60.00|70.00|1|1800.00|68.00|50.00|270.00"),
    QStringLiteral("60.00|70.00|2|2000.00|75.00|56.00|300.00"),
    QStringLiteral("70.00|80.00|1|1700.00|64.00|47.00|255.00"),
    QStringLiteral("70.00|80.00|2|1900.00|71.00|53.00|285.00"),
    QStringLiteral("80.00|150.00|0|1700.00|65.00|47.00|255.00"),
};
const QStringList MaleVitaminRows{
    QStringLiteral("0.00|0.50|400.00|0.20|0.40|40.00|3.00"),
    QStringLiteral("0.50|1.00|400.00|0.30|0.50|50.00|3.00"),
    QStringLiteral("1.00|4.00|500.00|0.60|0.60|60.00|4.00"),
    QStringLiteral("4.00|7.00|600.00|0.70|0.70|70.00|5.00"),
    QStringLiteral("7.00|11.00|700.00|0.90|1.00|80.00|7.00"),
    QStringLiteral("11.00|14.00|700.00|1.20|1.20|90.00|10.00"),
    QStringLiteral("14.00|18.00|800.00|1.50|1.50|100.00|14.00"),
    QStringLiteral("18.00|50.00|800.00|1.40|1.40|100.00|14.00"),
    QStringLiteral("50.00|150.00|800.00|1.30|1.50|400.00|14.00"),
};
const QStringList FemaleVitaminRows{
    QStringLiteral("0.00|0.50|400.00|0.20|0.40|40.00|3.00"),
    QStringLiteral("0.50|1.00|400.00|0.30|0.50|50.00|3.00"),
    QStringLiteral("1.00|4.00|500.00|0.60|0.60|60.00|4.00"),
    QStringLiteral("4.00|7.00|600.00|0.70|0.70|70.00|5.00"),
    QStringLiteral("7.00|11.00|700.00|0.90|1.00|80.00|7.00"),
    QStringLiteral("11.00|14.00|700.00|1.20|1.20|90.00|10.00"),
    QStringLiteral("14.00|18.00|700.00|1.20|1.20|100.00|14.00"),
    QStringLiteral("18.00|50.00|700.00|1.30|1.20|100.00|14.00"),
    QStringLiteral("50.00|150.00|700.00|1.40|2.40|400.00|14.00"),
};
const QStringList MaleMineralRows{
    QStringLiteral("0.00|0.50|150.00|500.00|200.00|30.00|300.00|0.30|0.40|1.50|15.00"),
    QStringLiteral("0.50|1.00|300.00|700.00|500.00|70.00|400.00|10.00|0.60|8.00|20.00"),
    QStringLiteral("1.00|4.00|450.00|1000.00|650.00|100.00|600.00|12.00|0.80|9.00|20.00"),
    QStringLiteral("4.00|7.00|500.00|1500.00|900.00|150.00|800.00|12.00|1.00|12.00|25.00"),
    QStringLiteral("7.00|11.00|700.00|1500.00|1000.00|250.00|800.00|12.00|1.20|13.50|35.00"),
    QStringLiteral("11.00|14.00|1000.00|1500.00|1200.00|350.00|1000.00|16.00|1.80|18.00|45.00"),
    QStringLiteral("14.00|18.00|1000.00|2000.00|1800.00|350.00|1000.00|20.00|2.00|19.00|50.00"),
    QStringLiteral("18.00|50.00|700.00|2000.00|2200.00|350.00|800.00|15.00|2.00|15.00|50.00"),
    QStringLiteral("50.00|150.00|700.00|2000.00|2200.00|350.00|1000.00|15.00|2.00|11.50|50.00"),
};
const QStringList FemaleMineralRows{
    QStringLiteral("0.00|0.50|150.00|500.00|200.00|30.00|300.00|0.30|0.40|1.50|15.00"),
    QStringLiteral("0.50|1.00|300.00|700.00|500.00|70.00|400.00|10.00|0.60|8.00|20.00"),
    QStringLiteral("1.00|4.00|450.00|1000.00|650.00|100.00|600.00|12.00|0.80|9.00|20.00"),
    QStringLiteral("4.00|7.00|500.00|1500.00|900.00|150.00|800.00|12.00|1.00|12.00|25.00"),
    QStringLiteral("7.00|11.00|700.00|1500.00|1000.00|250.00|800.00|12.00|1.20|13.50|35.00"),
    QStringLiteral("11.00|14.00|1000.00|1500.00|1200.00|350.00|1000.00|18.00|1.80|15.00|45.00"),
    QStringLiteral("14.00|18.00|1000.00|2000.00|1800.00|350.00|1000.00|25.00|2.00|15.50|50.00"),
    QStringLiteral("18.00|50.00|700.00|2000.00|2200.00|350.00|800.00|20.00|2.00|11.50|50.00"),
    QStringLiteral("50.00|150.00|700.00|2000.00|2200.00|350.00|1000.00|15.00|2.00|11.50|50.00"),
};

template <typename TAccept>
QStringList MatchRow(const QStringList& rows, double age, TAccept accept) {
    for (const QString& row : rows) {
        const QStringList f = row.split(QLatin1Char('|'));
        if (StrToFloat(f[0]) < age && age <= StrToFloat(f[1]) && accept(f)) return f;
    }
    return {};
}

struct TBodyClass {
    const char* Word = "";
    std::optional<double> Reference;  // the weight the type is measured against
};

// Under 6 years: weight / height squared x 10000.
TBodyClass ClassifyInfant(double w, double h) {
    const double i = w / (h * h) * 10000, h2 = h * h / 10000;
    if (i >= 13 && i < 15) return {"消瘦", 15 * h2};
    if (i >= 15 && i < 19) return {"正常", {}};
    if (i > 19 && i < 22) return {"优良", {}};
    if (i > 22) return {"肥胖", 22 * h2};
    return {};
}

// 6 to 18 years: weight / height cubed x 10 000 000.
TBodyClass ClassifyChild(double w, double h) {
    const double h3 = h * h * h / 10000000, i = w / h3;
    if (i < 92) return {"消瘦", 92 * h3};
    if (i < 109) return {"正常", {}};
    if (i < 140) return {"优良", {}};
    if (i > 140 && i < 156) return {"肥胖", 140 * h3};
    if (i >= 156) return {"过度肥胖", 140 * h3};
    return {};
}

// Adults: the body-mass index.
TBodyClass ClassifyAdult(double w, double h) {
    const double m2 = (h / 100) * (h / 100), b = w / m2;
    if (b < 18.5) return {"消瘦", 18.5 * m2};
    if (b <= 23.9) return {"正常", {}};
    if (b >= 24 && b <= 27.9) return {"偏胖", 23.9 * m2};
    if (b >= 28) return {"肥胖", 23.9 * m2};
    return {};
}

double WeightOrHeight(const QString& text) {
    const QString t = Trim(text);
    return t.isEmpty() ? 0 : StrToFloat(t);
}

}  // namespace

const QStringList& EnergyRefTable(const QString& sex) {
    return sex == QStringLiteral("男") ? MaleEnergyRows : FemaleEnergyRows;
}
const QStringList& VitaminRefTable(bool male) { return male ? MaleVitaminRows : FemaleVitaminRows; }
const QStringList& MineralRefTable(bool male) { return male ? MaleMineralRows : FemaleMineralRows; }

QStringList MatchAgeRow(const QStringList& rows, double age) {
    return MatchRow(rows, age, [](const QStringList&) { return true; });
}

QStringList MatchEnergyRow(const QStringList& rows, double age, const QString& level) {
    return MatchRow(rows, age, [&](const QStringList& f) { return f[2] == level; });
}

double BasalMetabolicRate(const QString& sex, const QString& weight, const QString& height, double age) {
    if (weight.isEmpty() || weight == QStringLiteral("0")) return 0;
    if (sex == QStringLiteral("男"))
        return 67 + 13.73 * StrToFloat(weight) + 5.0 * StrToFloat(height) - 6.9 * age;
    // Harris-Benedict for women starts from 655.
    if (sex == QStringLiteral("女"))
        return 655 + 9.6 * StrToFloat(weight) + 1.72 * StrToFloat(height) - 4.7 * age;
    return 0;
}

double ActivityFactor(int level) {
    switch (level) {
    case 0: return 1.15;
    case 1: return 1.3;
    case 2: return 1.4;
    case 3: return 1.6;
    default: return 0;
    }
}

QString AgeText(TDateTime birthDate, TDateTime today) {
    int by, bm, bd, ty, tm, td;
    DecodeDate(birthDate, by, bm, bd);
    DecodeDate(today, ty, tm, td);
    if (by != ty) return IntToStr(ty - by) + QStringLiteral("岁");
    const int months = tm - bm - (td < bd ? 1 : 0);
    return IntToStr(months < 0 ? 0 : months) + QStringLiteral("月");
}

TBodyType ClassifyBodyType(double weight, double height, double age) {
    const QString prefix = QStringLiteral("体型 ");
    if (!(weight > 0) || !(height > 0)) return {prefix, clBlack};
    const TBodyClass c = age < 6 ? ClassifyInfant(weight, height)
                         : age < 18 ? ClassifyChild(weight, height)
                                    : ClassifyAdult(weight, height);
    const QString word = QString::fromUtf8(c.Word);
    const double d = c.Reference ? weight - *c.Reference : 0;
    if (d > 0)
        return {prefix + word + QStringLiteral("  超重：") + FormatFloat(QStringLiteral("0"), d) + QStringLiteral("KG"),
                clRed};
    if (d < 0)
        return {prefix + word + QStringLiteral("  偏瘦：") + FormatFloat(QStringLiteral("0"), std::fabs(d)) +
                    QStringLiteral("KG"),
                clYellow};
    return {prefix + word, clBlack};
}

TBodyType ClassifyBodyType(const QString& weight, const QString& height, double age) {
    return ClassifyBodyType(WeightOrHeight(weight), WeightOrHeight(height), age);
}
