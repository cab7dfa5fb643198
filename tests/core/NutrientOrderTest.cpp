// Which food value lands in which place: one food whose 30 values are all different (value k is
// k + 1 per 100 g), so a swapped row, sum or total shows. The expected orders are the published ones.
#include "NutrientSums.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Food 1 with value k = k + 1, and a recipe of exactly 100 g of it.
void LoadDistinctFood() {
    QStringList line{QStringLiteral("1"), QStringLiteral("01-1-101"), QStringLiteral("试验食物")};
    for (int k = 0; k < FoodValueCount; ++k)
        line << QString::number(k + 1);
    LoadFoodTables({line.join(QLatin1Char(','))});
}

}  // namespace

TEST(NutrientOrder, TheDaysFourteenTotalsAndTheRecipesTwentyFiveSums) {
    TTestDatabase db;
    LoadDistinctFood();
    // The day's running totals: kcal, kJ, protein, fat, carbohydrate, vitamin A, thiamine, carotene,
    // vitamin C, niacin, calcium, vitamin E, iron, zinc.
    const int intakeValues[] = {2, 3, 4, 5, 6, 10, 13, 11, 18, 15, 24, 19, 26, 28};
    TIntakeTotals totals{};
    AddFoodNutrients(QStringLiteral("1"), 200, totals);  // 200 g: twice each value
    for (int k = 0; k < IntakeNutrientCount; ++k)
        EXPECT_DOUBLE_EQ(totals[k], 2 * (intakeValues[k] + 1)) << k;

    // The recipe sums: energy kcal and kJ, carbohydrate, protein, fat without a unit; then fibre,
    // cholesterol, vitamin A, carotene, retinol, riboflavin, thiamine, niacin, vitamin C, vitamin E,
    // calcium, phosphorus, copper, potassium, sodium, magnesium, iron, manganese, zinc, selenium.
    const struct {
        int Value;
        const char* Unit;
    } sums[] = {{2, ""},    {3, ""},    {6, ""},    {4, ""},    {5, ""},    {7, "g"},   {8, "mg"},
                {10, "ug"}, {11, "ug"}, {12, "ug"}, {14, "mg"}, {13, "mg"}, {15, "mg"}, {18, "mg"},
                {19, "mg"}, {24, "mg"}, {23, "mg"}, {27, "mg"}, {20, "mg"}, {21, "mg"}, {22, "mg"},
                {26, "mg"}, {25, "mg"}, {28, "mg"}, {29, "ug"}};
    static_assert(std::size(sums) == SummedNutrientCount);
    db.Exec("insert into SPInfo (ID, SPName) values (907, '试验菜')");
    db.Exec("insert into SPTxt (SPID, FdID, FdNet) values (907, 1, 100)");
    TStringList portion;
    portion.Add(QStringLiteral("试验菜,100,907"));  // 100 g of the recipe: each value once
    const TNutrientTexts texts = SumRecipeListNutrients(portion);
    for (int k = 0; k < SummedNutrientCount; ++k)
        EXPECT_EQ(texts[k], QString::number(sums[k].Value + 1) + QString::fromUtf8(sums[k].Unit)) << k;
}

TEST(NutrientOrder, TheFoodWindowsRowsNamesValuesAndUnits) {
    LoadDistinctFood();
    const struct {
        const char* Name;
        int Value;
        const char* Unit;
    } left[] = {{"可食部份", 0, ""},      {"水", 1, "克"},         {"蛋白质", 4, "克"},
                {"脂肪", 5, "克"},        {"碳水化合物", 6, "克"}, {"膳食纤维", 7, "克"},
                {"胆固醇", 8, "毫克"},    {"灰分", 9, "克"},       {"维生素A", 10, "微克"},
                {"胡萝卜素", 11, "微克"}, {"视黄醇", 12, "微克"},  {"硫胺素", 13, "毫克"},
                {"核黄素", 14, "毫克"},   {"尼克酸", 15, "毫克"}},
      right[] = {{"维生素B12", 16, "毫克"}, {"维生素B6", 17, "毫克"}, {"维生素C", 18, "毫克"},
                 {"维生素E", 19, "毫克"},   {"钙", 24, "毫克"},       {"磷", 23, "毫克"},
                 {"钾", 20, "毫克"},        {"钠", 21, "毫克"},       {"镁", 22, "毫克"},
                 {"铁", 26, "毫克"},        {"锌", 28, "毫克"},       {"硒", 29, "微克"},
                 {"铜", 27, "毫克"},        {"锰", 25, "毫克"}};
    for (const bool columns : {false, true}) {
        const TFoodNutrientView view = columns ? FoodNutrientColumns(1) : FoodNutrientTable(1);
        EXPECT_EQ(view.Name, QStringLiteral("试验食物"));
        EXPECT_EQ(view.EnergyText, QStringLiteral("3Kcal (4KJ)"));
        for (int i = 0; i < 14; ++i) {
            // The edible part is a bare number in the table and grams in the columns.
            const QString edibleUnit = columns ? QStringLiteral("克") : QString();
            const QString leftUnit = i == 0 ? edibleUnit : QString::fromUtf8(left[i].Unit);
            EXPECT_EQ(view.Left[i].Name, QString::fromUtf8(left[i].Name)) << i;
            EXPECT_EQ(view.Left[i].Value, QString::number(left[i].Value + 1) + leftUnit) << i;
            EXPECT_EQ(view.Right[i].Name, QString::fromUtf8(right[i].Name)) << i;
            EXPECT_EQ(view.Right[i].Value,
                      QString::number(right[i].Value + 1) + QString::fromUtf8(right[i].Unit))
                << i;
        }
    }
}
