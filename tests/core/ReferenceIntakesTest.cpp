// Every row of the reference tables the program reads, reached at both ends of its age band: the
// expected figures are the published daily reference intakes, typed here, never read from the tables.
// A band holds the ages above its lower bound up to and including its upper bound.
#include "EnergyTargets.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The published figures: age band, activity level, kcal, protein g, fat g, carbohydrate g.
struct TEnergyRow {
    double Lo, Hi;
    int Level;
    double Figures[4];
};
// Both sexes share the bands and levels; the female figures follow in the same order.
const TEnergyRow MaleEnergy[] = {
    {1, 2, 0, {1100, 35, 31, 165}},   {2, 3, 0, {1200, 40, 33, 180}},    {3, 4, 0, {1350, 45, 38, 203}},
    {4, 5, 0, {1450, 50, 40, 218}},   {5, 6, 0, {1600, 55, 44, 240}},    {6, 7, 0, {1700, 55, 47, 255}},
    {7, 8, 0, {1800, 60, 50, 270}},   {8, 9, 0, {1900, 65, 53, 285}},    {9, 10, 0, {2000, 65, 56, 300}},
    {10, 11, 0, {2100, 70, 58, 315}}, {11, 14, 0, {2400, 75, 67, 360}},  {14, 18, 0, {2900, 80, 81, 435}},
    {18, 50, 1, {2400, 75, 67, 360}}, {18, 50, 2, {2700, 80, 75, 405}},  {18, 50, 3, {3200, 90, 89, 480}},
    {50, 60, 1, {2300, 86, 64, 345}}, {50, 60, 2, {2600, 98, 72, 390}},  {50, 60, 3, {3100, 116, 86, 465}},
    {60, 70, 1, {1900, 71, 53, 285}}, {60, 70, 2, {2200, 83, 61, 330}},  {70, 80, 1, {1900, 71, 53, 285}},
    {70, 80, 2, {2100, 79, 58, 315}}, {80, 150, 0, {1900, 75, 53, 285}},
};
const double FemaleEnergy[][4] = {
    {1050, 35, 29, 158}, {1150, 40, 32, 173}, {1300, 45, 36, 195}, {1400, 50, 39, 210}, {1500, 55, 42, 225},
    {1600, 55, 44, 240}, {1700, 60, 47, 255}, {1800, 65, 50, 270}, {1900, 65, 53, 285}, {2000, 65, 56, 300},
    {2200, 75, 61, 330}, {2400, 80, 67, 360}, {2100, 65, 58, 315}, {2300, 70, 64, 345}, {2700, 80, 75, 405},
    {1900, 71, 53, 285}, {2000, 75, 56, 300}, {2200, 83, 61, 330}, {1800, 68, 50, 270}, {2000, 75, 56, 300},
    {1700, 64, 47, 255}, {1900, 71, 53, 285}, {1700, 65, 47, 255},
};

// Vitamin A ug, thiamine, riboflavin, vitamin C, vitamin E mg.
const double Bands[][2] = {{0, 0.5}, {0.5, 1}, {1, 4},   {4, 7},   {7, 11},
                           {11, 14}, {14, 18}, {18, 50}, {50, 150}};
const double MaleVitamins[][5] = {
    {400, 0.2, 0.4, 40, 3},   {400, 0.3, 0.5, 50, 3},   {500, 0.6, 0.6, 60, 4},
    {600, 0.7, 0.7, 70, 5},   {700, 0.9, 1.0, 80, 7},   {700, 1.2, 1.2, 90, 10},
    {800, 1.5, 1.5, 100, 14}, {800, 1.4, 1.4, 100, 14}, {800, 1.3, 1.5, 400, 14},
};
const double FemaleVitamins[][5] = {
    {400, 0.2, 0.4, 40, 3},   {400, 0.3, 0.5, 50, 3},   {500, 0.6, 0.6, 60, 4},
    {600, 0.7, 0.7, 70, 5},   {700, 0.9, 1.0, 80, 7},   {700, 1.2, 1.2, 90, 10},
    {700, 1.2, 1.2, 100, 14}, {700, 1.3, 1.2, 100, 14}, {700, 1.4, 2.4, 400, 14},
};
// Phosphorus, potassium, sodium, magnesium, calcium, iron, copper, zinc mg, selenium ug.
const double MaleMinerals[][9] = {
    {150, 500, 200, 30, 300, 0.3, 0.4, 1.5, 15},     {300, 700, 500, 70, 400, 10, 0.6, 8, 20},
    {450, 1000, 650, 100, 600, 12, 0.8, 9, 20},      {500, 1500, 900, 150, 800, 12, 1.0, 12, 25},
    {700, 1500, 1000, 250, 800, 12, 1.2, 13.5, 35},  {1000, 1500, 1200, 350, 1000, 16, 1.8, 18, 45},
    {1000, 2000, 1800, 350, 1000, 20, 2.0, 19, 50},  {700, 2000, 2200, 350, 800, 15, 2.0, 15, 50},
    {700, 2000, 2200, 350, 1000, 15, 2.0, 11.5, 50},
};
const double FemaleMinerals[][9] = {
    {150, 500, 200, 30, 300, 0.3, 0.4, 1.5, 15},      {300, 700, 500, 70, 400, 10, 0.6, 8, 20},
    {450, 1000, 650, 100, 600, 12, 0.8, 9, 20},       {500, 1500, 900, 150, 800, 12, 1.0, 12, 25},
    {700, 1500, 1000, 250, 800, 12, 1.2, 13.5, 35},   {1000, 1500, 1200, 350, 1000, 18, 1.8, 15, 45},
    {1000, 2000, 1800, 350, 1000, 25, 2.0, 15.5, 50}, {700, 2000, 2200, 350, 800, 20, 2.0, 11.5, 50},
    {700, 2000, 2200, 350, 1000, 15, 2.0, 11.5, 50},
};

// The texts the tables give: every figure with two decimals.
QStringList Texts(const double* figures, int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << QString::number(figures[i], 'f', 2);
    return texts;
}

// The ages that must reach a band: just above its lower bound, and its upper bound itself.
std::array<double, 2> AgesOf(double lo, double hi) {
    return {lo + 0.01, hi};
}

const QStringList Untouched(9, QStringLiteral("-"));

}  // namespace

TEST(ReferenceIntakes, EveryEnergyRowOfBothSexesAtBothEndsOfItsBand) {
    TTestDatabase db;
    TDM& dm = *db.Module();
    for (const bool male : {true, false}) {
        const QString sex = male ? QStringLiteral("男") : QStringLiteral("女");
        for (size_t r = 0; r < std::size(MaleEnergy); ++r) {
            const TEnergyRow& row = MaleEnergy[r];
            const double* figures = male ? row.Figures : FemaleEnergy[r];
            const QString level = QString::number(row.Level);
            for (const double age : AgesOf(row.Lo, row.Hi)) {
                QString kcal = "-", protein = "-", fat = "-", carbohydrate = "-";
                dm.GetEnergyNeeds(sex, level, age, kcal, protein, fat, carbohydrate);
                EXPECT_EQ(QStringList({kcal, protein, fat, carbohydrate}), Texts(figures, 4))
                    << sex.toStdString() << " level " << row.Level << " age " << age;
                // The day's target by the table reads the same row from the user's own fields.
                dm.Sex = sex;
                dm.HT = level;
                dm.Age = age;
                EXPECT_EQ(dm.LookupDailyKcal(), figures[0]) << sex.toStdString() << " age " << age;
            }
        }
    }
}

TEST(ReferenceIntakes, AnAgeOnABandsLowerBoundBelongsToTheBandBelow) {
    TTestDatabase db;
    TDM& dm = *db.Module();
    dm.Sex = QStringLiteral("男");
    const struct {
        double Age;
        const char* Level;
        double Kcal;  // 0: no row
    } cases[] = {
        {1.0, "0", 0},       // below the youngest band
        {2.0, "0", 1100},    // the 1-2 band, not 2-3
        {11.0, "0", 2100},   // 10-11, not 11-14
        {14.0, "0", 2400},   // 11-14
        {18.0, "0", 2900},   // the youth band still
        {18.0, "1", 0},      // adults' levels start above 18
        {18.01, "0", 0},     // adults have no level 0
        {50.0, "3", 3200},   // 18-50
        {60.0, "3", 3100},   // 50-60
        {60.01, "3", 0},     // no heavy work after 60
        {80.0, "2", 2100},   // 70-80
        {80.01, "2", 0},     // after 80 only level 0
        {80.01, "0", 1900},  //
        {150.0, "0", 1900},  // the oldest band's upper bound
        {150.01, "0", 0},    // beyond every band
    };
    for (const auto& c : cases) {
        dm.HT = QString::fromUtf8(c.Level);
        dm.Age = c.Age;
        EXPECT_EQ(dm.LookupDailyKcal(), c.Kcal) << "age " << c.Age << " level " << c.Level;
    }
    // A sex other than "男" reads the female figures; the level text must match exactly.
    dm.Sex = QString();
    dm.HT = QStringLiteral("2");
    dm.Age = 30;
    EXPECT_EQ(dm.LookupDailyKcal(), 2300);
    dm.HT = QStringLiteral("2.0");
    EXPECT_EQ(dm.LookupDailyKcal(), 0);
}

TEST(ReferenceIntakes, EveryVitaminAndMineralRowOfBothSexesAtBothEndsOfItsBand) {
    TTestDatabase db;
    TDM& dm = *db.Module();
    for (const bool male : {true, false}) {
        const QString sex = male ? QStringLiteral("男") : QStringLiteral("女");
        for (size_t b = 0; b < std::size(Bands); ++b) {
            for (const double age : AgesOf(Bands[b][0], Bands[b][1])) {
                QStringList v = Untouched.mid(0, 5);
                dm.GetVitaminNeeds(sex, age, v[0], v[1], v[2], v[3], v[4]);
                EXPECT_EQ(v, Texts(male ? MaleVitamins[b] : FemaleVitamins[b], 5))
                    << sex.toStdString() << " age " << age;
                QStringList m = Untouched;
                dm.GetMineralNeeds(sex, age, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]);
                EXPECT_EQ(m, Texts(male ? MaleMinerals[b] : FemaleMinerals[b], 9))
                    << sex.toStdString() << " age " << age;
            }
        }
    }
    // An age of 0, or above 150, matches no band; a sex that is neither leaves the figures alone.
    for (const auto& [sex, age] :
         {std::pair{QStringLiteral("男"), 0.0}, std::pair{QStringLiteral("女"), 150.01},
          std::pair{QStringLiteral("其他"), 30.0}}) {
        QStringList v = Untouched.mid(0, 5), m = Untouched;
        dm.GetVitaminNeeds(sex, age, v[0], v[1], v[2], v[3], v[4]);
        dm.GetMineralNeeds(sex, age, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]);
        EXPECT_EQ(v, Untouched.mid(0, 5)) << sex.toStdString() << " age " << age;
        EXPECT_EQ(m, Untouched) << sex.toStdString() << " age " << age;
    }
}
