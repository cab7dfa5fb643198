#include "EnergyTargets.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The data module with a logged-in user's fields.
struct TUser {
    TTestDatabase Db;
    TDM& Dm = *Db.Module();
    TUser(const char* sex, const char* weight, const char* height, double age, const char* level) {
        Dm.Sex = QString::fromUtf8(sex);
        Dm.TZ = QString::fromUtf8(weight);
        Dm.SG = QString::fromUtf8(height);
        Dm.Age = age;
        Dm.HT = QString::fromUtf8(level);
    }
};

}  // namespace

TEST(EnergyTargets, BasalMetabolismAndActivity) {
    TUser male("男", "70", "175", 30, "2");
    EXPECT_NEAR(male.Dm.CalcBMR(), 1696.1, 1e-9);
    EXPECT_NEAR(male.Dm.CalcKcalByActivity(), 2374.54, 1e-9);
    EXPECT_NEAR(male.Dm.GetDailyKcal(2), 2374.54, 1e-9);
    EXPECT_EQ(male.Dm.GetDailyKcal(0), 0);
    // Women: 655 + 9.6 W + 1.72 H - 4.7 A.
    EXPECT_NEAR(BasalMetabolicRate(QStringLiteral("女"), QStringLiteral("60"), QStringLiteral("165"), 30), 1373.8, 1e-9);
    EXPECT_EQ(BasalMetabolicRate(QStringLiteral("女"), QString(), QStringLiteral("165"), 30), 0);
    EXPECT_EQ(BasalMetabolicRate(QStringLiteral("男"), QStringLiteral("0"), QStringLiteral("165"), 30), 0);
    EXPECT_EQ(BasalMetabolicRate(QStringLiteral("?"), QStringLiteral("60"), QStringLiteral("165"), 30), 0);
    EXPECT_THROW(BasalMetabolicRate(QStringLiteral("男"), QStringLiteral("6o"), QStringLiteral("165"), 30), EConvertError);
    const double factors[] = {1.15, 1.3, 1.4, 1.6};
    for (int level = 0; level < 4; ++level) EXPECT_EQ(ActivityFactor(level), factors[level]);
    EXPECT_EQ(ActivityFactor(4), 0);
    male.Dm.HT = QStringLiteral("x");
    EXPECT_THROW(male.Dm.CalcKcalByActivity(), EConvertError);
}

TEST(EnergyTargets, DailyKcalFromTheReferenceTable) {
    TUser u("男", "70", "175", 30.5, "2");
    EXPECT_EQ(u.Dm.LookupDailyKcal(), 2700);
    EXPECT_EQ(u.Dm.GetDailyKcal(1), 2700);
    u.Dm.HT = QStringLiteral("0");
    EXPECT_EQ(u.Dm.LookupDailyKcal(), 0);  // adults have no level-0 row below 80
    u.Dm.Sex = QStringLiteral("女");
    u.Dm.Age = 17.2;
    EXPECT_EQ(u.Dm.LookupDailyKcal(), 2400);
    u.Dm.Age = 18.0;
    EXPECT_EQ(u.Dm.LookupDailyKcal(), 2400);  // still the 14-18 row
    u.Dm.Age = 1.0;
    EXPECT_EQ(u.Dm.LookupDailyKcal(), 0);
    u.Dm.Age = 1.01;
    EXPECT_EQ(u.Dm.LookupDailyKcal(), 1050);
    u.Dm.Sex = QString();  // any other sex reads the female rows
    EXPECT_EQ(u.Dm.LookupDailyKcal(), 1050);
}

TEST(EnergyTargets, EveryRowOwnsItsUpperBoundButNotItsLowerOne) {
    auto check = [](const QStringList& rows, bool byLevel) {
        for (const QString& row : rows) {
            const QStringList f = row.split(QLatin1Char('|'));
            const double lo = StrToFloat(f[0]), hi = StrToFloat(f[1]);
            auto match = [&](double age) {
                return byLevel ? MatchEnergyRow(rows, age, f[2]) : MatchAgeRow(rows, age);
            };
            EXPECT_EQ(match(hi), f) << row.toStdString();
            EXPECT_EQ(match((lo + hi) / 2), f) << row.toStdString();
            EXPECT_NE(match(lo), f) << row.toStdString();
        }
    };
    for (const char* sex : {"男", "女"}) check(EnergyRefTable(QString::fromUtf8(sex)), true);
    for (bool male : {true, false}) {
        check(VitaminRefTable(male), false);
        check(MineralRefTable(male), false);
    }
    EXPECT_EQ(EnergyRefTable(QStringLiteral("男")).size(), 23);
    EXPECT_EQ(EnergyRefTable(QStringLiteral("女")).size(), 23);
    EXPECT_EQ(EnergyRefTable(QStringLiteral("男")).last(), QStringLiteral("80.00|150.00|0|1900.00|75.00|53.00|285.00"));
    EXPECT_EQ(VitaminRefTable(true).first(), QStringLiteral("0.00|0.50|400.00|0.20|0.40|40.00|3.00"));
    EXPECT_EQ(MatchAgeRow(VitaminRefTable(true), 0), QStringList());
    EXPECT_EQ(MatchAgeRow(MineralRefTable(true), 150.01), QStringList());
}

TEST(EnergyTargets, ReferenceIntakesAsStoredTexts) {
    TUser u("男", "70", "175", 30, "2");
    QString kcal = QStringLiteral("-"), protein = kcal, fat = kcal, carbohydrate = kcal;
    u.Dm.GetEnergyNeeds(QStringLiteral("男"), QStringLiteral("2"), 30, kcal, protein, fat, carbohydrate);
    EXPECT_EQ(QStringList({kcal, protein, fat, carbohydrate}),
              QStringList({"2700.00", "80.00", "75.00", "405.00"}));
    u.Dm.GetEnergyNeeds(QStringLiteral("女"), QStringLiteral("1"), 55, kcal, protein, fat, carbohydrate);
    EXPECT_EQ(kcal, QStringLiteral("1900.00"));
    u.Dm.GetEnergyNeeds(QStringLiteral("女"), QStringLiteral("3"), 65, kcal, protein, fat, carbohydrate);
    EXPECT_EQ(kcal, QStringLiteral("1900.00"));  // no row: unchanged

    QString a = QStringLiteral("-"), b1 = a, b2 = a, c = a, e = a;
    u.Dm.GetVitaminNeeds(QStringLiteral("女"), 18.0, a, b1, b2, c, e);
    EXPECT_EQ(QStringList({a, b1, b2, c, e}), QStringList({"700.00", "1.20", "1.20", "100.00", "14.00"}));
    u.Dm.GetVitaminNeeds(QStringLiteral("男"), 60, a, b1, b2, c, e);
    EXPECT_EQ(QStringList({a, b1, b2, c, e}), QStringList({"800.00", "1.30", "1.50", "400.00", "14.00"}));
    u.Dm.GetVitaminNeeds(QStringLiteral("其他"), 30, a, b1, b2, c, e);
    EXPECT_EQ(a, QStringLiteral("800.00"));  // unchanged

    QStringList m(9, QStringLiteral("-"));
    u.Dm.GetMineralNeeds(QStringLiteral("女"), 12, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]);
    EXPECT_EQ(m, QStringList({"1000.00", "1500.00", "1200.00", "350.00", "1000.00", "18.00", "1.80", "15.00", "45.00"}));
    u.Dm.GetMineralNeeds(QStringLiteral("男"), 0.5, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]);
    EXPECT_EQ(m[5], QStringLiteral("0.30"));
    u.Dm.GetMineralNeeds(QString(), 30, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]);
    EXPECT_EQ(m[5], QStringLiteral("0.30"));
}

TEST(EnergyTargets, AgeText) {
    EXPECT_EQ(AgeText(EncodeDate(1990, 12, 31), EncodeDate(2024, 1, 1)), QStringLiteral("34岁"));
    EXPECT_EQ(AgeText(EncodeDate(2024, 1, 15), EncodeDate(2024, 3, 10)), QStringLiteral("1月"));
    EXPECT_EQ(AgeText(EncodeDate(2024, 1, 15), EncodeDate(2024, 3, 15)), QStringLiteral("2月"));
    EXPECT_EQ(AgeText(EncodeDate(2024, 3, 1), EncodeDate(2024, 3, 20)), QStringLiteral("0月"));
    EXPECT_EQ(AgeText(EncodeDate(2024, 5, 1), EncodeDate(2024, 3, 20)), QStringLiteral("0月"));
    TTestDatabase db;
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    EXPECT_EQ(db.Module()->FormatAge(EncodeDate(y - 20, 1, 1)), QStringLiteral("20岁"));
    EXPECT_EQ(db.Module()->GetPYText(QStringLiteral("小麦粉（标准）")), QStringLiteral("XMFBZ"));
}

TEST(EnergyTargets, BodyTypeCaptionsAndColours) {
    struct {
        double W, H, A;
        const char* Caption;
        TColor Colour;
    } cases[] = {
        {80, 170, 30, "体型 偏胖  超重：11KG", clRed},    // B 27.68, R 69.071
        {50, 170, 30, "体型 消瘦  偏瘦：3KG", clYellow},    // B 17.30, R 53.465
        {65, 170, 30, "体型 正常", clBlack},
        {95, 170, 30, "体型 肥胖  超重：26KG", clRed},    // B 32.9
        {69.2155, 170, 30, "体型 ", clBlack},              // B 23.95: between the bands
        {16, 100, 4, "体型 正常", clBlack},                // I 16
        {14, 100, 4, "体型 消瘦  偏瘦：1KG", clYellow},     // I 14, R 15
        {25, 100, 4, "体型 肥胖  超重：3KG", clRed},      // I 25, R 22
        {12, 100, 4, "体型 ", clBlack},                    // I 12: no type
        {30, 140, 10, "体型 优良", clBlack},               // I 109.3
        {45, 140, 10, "体型 过度肥胖  超重：7KG", clRed},  // I 164, R 38.416
        {40, 140, 10, "体型 肥胖  超重：2KG", clRed},     // I 145.8
        {20, 140, 10, "体型 消瘦  偏瘦：5KG", clYellow},    // I 72.9, R 25.245
        {80, 170, 18, "体型 偏胖  超重：11KG", clRed},    // 18 counts as adult
        {0, 170, 30, "体型 ", clBlack},
        {70, 0, 30, "体型 ", clBlack},
    };
    for (const auto& c : cases) {
        const TBodyType t = ClassifyBodyType(c.W, c.H, c.A);
        EXPECT_EQ(t.Caption, QString::fromUtf8(c.Caption)) << c.W << " " << c.H << " " << c.A;
        EXPECT_EQ(t.FontColor, c.Colour) << c.Caption;
    }
    EXPECT_EQ(ClassifyBodyType(QString(), QStringLiteral("170"), 30).Caption, QStringLiteral("体型 "));
    EXPECT_EQ(ClassifyBodyType(QStringLiteral("65"), QStringLiteral(" "), 30).Caption, QStringLiteral("体型 "));
    EXPECT_EQ(ClassifyBodyType(QStringLiteral("65"), QStringLiteral("170"), 30).Caption, QStringLiteral("体型 正常"));
}
