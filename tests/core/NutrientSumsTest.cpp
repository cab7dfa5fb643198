#include "NutrientSums.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Food 1: 200 kcal, 840 kJ, 10 g protein, no fat value, 30 g carbohydrate, 0.005 ug selenium per 100 g.
// Food 2: 50 kcal and 2 g fibre, everything else 0.
void LoadTwoFoods() {
    QStringList one{QStringLiteral("1"), QStringLiteral("01-1-101"), QStringLiteral("甲")};
    QStringList two{QStringLiteral("2"), QStringLiteral("01-1-102"), QStringLiteral("乙")};
    for (int k = 0; k < FoodValueCount; ++k) {
        one << QStringLiteral("0");
        two << QStringLiteral("0");
    }
    one[3 + fvKcal] = QStringLiteral("200");
    one[3 + fvKJ] = QStringLiteral("840");
    one[3 + fvProtein] = QStringLiteral("10");
    one[3 + fvFat] = QString();
    one[3 + fvCarbohydrate] = QStringLiteral("30");
    one[3 + fvSelenium] = QStringLiteral("0.005");
    two[3 + fvKcal] = QStringLiteral("50");
    two[3 + fvFibre] = QStringLiteral("2");
    LoadFoodTables({one.join(QLatin1Char(',')), two.join(QLatin1Char(','))});
}

TStringList Lines(std::initializer_list<const char*> lines) {
    TStringList list;
    for (const char* l : lines)
        list.Add(QString::fromUtf8(l));
    return list;
}

}  // namespace

TEST(NutrientSums, FoodRowsAddTheirShare) {
    LoadTwoFoods();
    TIntakeTotals totals{};
    AddFoodNutrients(QStringLiteral("1"), 150, totals);
    EXPECT_DOUBLE_EQ(totals[inKcal], 300);
    EXPECT_DOUBLE_EQ(totals[inKJ], 1260);
    EXPECT_DOUBLE_EQ(totals[inProtein], 15);
    EXPECT_DOUBLE_EQ(totals[inFat], 0);  // no value adds nothing
    EXPECT_DOUBLE_EQ(totals[inCarbohydrate], 45);
    AddFoodNutrients(QStringLiteral(" 2 "), 100, totals);
    EXPECT_DOUBLE_EQ(totals[inKcal], 350);
    // An id outside the table adds nothing; a text that is no number raises.
    AddFoodNutrients(QStringLiteral("1956"), 100, totals);
    AddFoodNutrients(QStringLiteral("0"), 100, totals);
    EXPECT_DOUBLE_EQ(totals[inKcal], 350);
    EXPECT_THROW(AddFoodNutrients(QStringLiteral("x"), 100, totals), EConvertError);

    double kcal = 0;
    AddFoodKcal(QStringLiteral("1"), 150, kcal);
    AddFoodKcal(QStringLiteral("3"), 150, kcal);  // zero-filled entry
    AddFoodKcal(QStringLiteral("-4"), 150, kcal);
    EXPECT_DOUBLE_EQ(kcal, 300);
    EXPECT_EQ(NullToZero(-1), 0);
    EXPECT_EQ(NullToZero(-2), -2);
}

TEST(NutrientSums, DeliveredFoodByTheIntakeTotals) {
    LoadFoodTables();
    TIntakeTotals totals{};
    AddFoodNutrients(QStringLiteral("1"), 50, totals);  // 小麦
    EXPECT_DOUBLE_EQ(totals[inKcal], 169);
    EXPECT_DOUBLE_EQ(totals[inProtein], 5.95);
    EXPECT_DOUBLE_EQ(totals[inThiamine], 0.2);
    EXPECT_DOUBLE_EQ(totals[inVitaminC], 0);  // no value in the table
}

TEST(NutrientSums, IngredientsGiveValuesPerGram) {
    LoadTwoFoods();
    const TNutrientSums perGram = SumIngredientNutrients(Lines({"1,100", "2,300"}));
    EXPECT_DOUBLE_EQ(perGram[0], (200 + 150) / 400.0);
    EXPECT_DOUBLE_EQ(perGram[1], 840 / 400.0);
    EXPECT_DOUBLE_EQ(perGram[2], 30 / 400.0);  // carbohydrate comes third
    EXPECT_DOUBLE_EQ(perGram[4], 0);           // fat has no value
    EXPECT_DOUBLE_EQ(perGram[5], 6 / 400.0);   // fibre
    const TNutrientSums none = SumIngredientNutrients(Lines({"1,0", "2,0"}));
    for (double v : none)
        EXPECT_EQ(v, 0);
    for (double v : SumIngredientNutrients(TStringList()))
        EXPECT_EQ(v, 0);
}

TEST(NutrientSums, RecipePortionsAsTexts) {
    TTestDatabase db;
    LoadTwoFoods();
    // An id beyond the delivered recipes.
    db.Exec(QStringLiteral("insert into SPInfo (ID, SPName) values (907, '测试菜')"));
    db.Exec(QStringLiteral("insert into SPTxt (SPID, FdID, FdNet) values (907, 1, 100), (907, 2, 200)"));
    // Per gram: 300 kcal / 300 g; 100 g and 50 g of it give 150 kcal.
    const TNutrientTexts texts = SumRecipeListNutrients(Lines({"测试菜,100,907", "测试菜,50,907"}));
    EXPECT_EQ(texts[0], QStringLiteral("150"));
    EXPECT_EQ(texts[1], QStringLiteral("420"));
    EXPECT_EQ(texts[2], QStringLiteral("15"));
    EXPECT_EQ(texts[4], QStringLiteral("0"));
    EXPECT_EQ(texts[5], QStringLiteral("2g"));
    // 150 x 0.005 / 300 = 0.0025 ug is cut, not rounded, and never written with an exponent.
    EXPECT_EQ(texts[24], QStringLiteral("0.00ug"));
    for (const QString& t : texts)
        EXPECT_FALSE(t.contains(QLatin1Char('E')) || t.contains(QLatin1Char('e')));
    EXPECT_EQ(SumSetMealNutrients(Lines({"测试菜,100,907", "测试菜,50,907"})), QStringLiteral("150.0"));
    EXPECT_EQ(SumSetMealNutrients(Lines({"x,0.25,907"})), QStringLiteral("0.3"));
    // A recipe without ingredients contributes nothing.
    EXPECT_EQ(SumRecipeListNutrients(Lines({"无,100,999"}))[0], QStringLiteral("0"));
}

TEST(NutrientSums, TextHelpers) {
    EXPECT_EQ(TruncTo2Decimals(QStringLiteral("0.999")), QStringLiteral("0.99"));
    EXPECT_EQ(TruncTo2Decimals(QStringLiteral("12.3456")), QStringLiteral("12.34"));
    EXPECT_EQ(TruncTo2Decimals(QStringLiteral("1.5")), QStringLiteral("1.5"));
    EXPECT_EQ(TruncTo2Decimals(QStringLiteral("1.25")), QStringLiteral("1.25"));
    EXPECT_EQ(TruncTo2Decimals(QStringLiteral("12")), QStringLiteral("12"));
    EXPECT_EQ(FormatNutrientValue(QStringLiteral("-1"), QStringLiteral("mg")), QStringLiteral(" - "));
    EXPECT_EQ(FormatNutrientValue(QStringLiteral("0"), QStringLiteral("mg")), QStringLiteral("0mg"));
    EXPECT_EQ(FormatNutrientValue(QStringLiteral("-1.5"), QString()), QStringLiteral("-1.5"));
}

TEST(NutrientSums, FoodWindowTexts) {
    LoadFoodTables();
    const TFoodNutrientView table = FoodNutrientTable(1);  // 小麦
    EXPECT_EQ(table.Name, QStringLiteral("小麦"));
    EXPECT_EQ(table.EnergyText, QStringLiteral("338Kcal (1416KJ)"));
    EXPECT_EQ(table.Left[0].Name, QStringLiteral("可食部份"));
    EXPECT_EQ(table.Left[0].Value, QStringLiteral("100"));
    EXPECT_EQ(table.Left[1].Value, QStringLiteral("10克"));
    EXPECT_EQ(table.Left[6].Value, QStringLiteral("0毫克"));
    EXPECT_EQ(table.Left[8].Name, QStringLiteral("维生素A"));
    EXPECT_EQ(table.Left[13].Name, QStringLiteral("尼克酸"));
    EXPECT_EQ(table.Left[13].Value, QStringLiteral("4毫克"));
    EXPECT_EQ(table.Right[0].Name, QStringLiteral("维生素B12"));
    EXPECT_EQ(table.Right[0].Value, QStringLiteral(" - "));
    EXPECT_EQ(table.Right[11].Name, QStringLiteral("硒"));
    EXPECT_EQ(table.Right[11].Value, QStringLiteral("4.05微克"));
    EXPECT_EQ(table.Right[13].Name, QStringLiteral("锰"));
    EXPECT_EQ(table.Right[13].Value, QStringLiteral("3.1毫克"));
    EXPECT_EQ(FoodNutrientColumns(1).Left[0].Value, QStringLiteral("100克"));

    const TFoodNutrientView none = FoodNutrientColumns(5000);
    EXPECT_TRUE(none.Name.isEmpty());
    for (const TFoodNutrientCell& c : none.Right)
        EXPECT_EQ(c.Value, QStringLiteral(" - "));
}

TEST(NutrientSums, FoodsWithoutEnergyCountZeroKcal) {
    LoadFoodTables();
    // 蜂王浆 (21-9-041): the table gives no kcal and no kJ, 67.3 g water per 100 g.
    const int royalJelly = 1846;
    ASSERT_EQ(FoodNameByID(royalJelly), QStringLiteral("蜂王浆"));
    EXPECT_EQ(FoodNutrientColumns(royalJelly).EnergyText, QStringLiteral("0Kcal (0KJ)"));
    double kcal = 0;
    AddFoodKcal(QString::number(royalJelly), 250, kcal);
    EXPECT_EQ(kcal, 0);
    // The two unreadable rows of the table (13-3-001, 13-3-002) carry no values at all.
    for (int id : {1718, 1719}) {
        EXPECT_EQ(FoodNutrientTable(id).EnergyText, QStringLiteral("0Kcal (0KJ)")) << id;
        EXPECT_EQ(FoodNutrientTable(id).Left[2].Value, QStringLiteral(" - ")) << id;
    }
}

TEST(NutrientSums, RepairedFoodValues) {
    LoadFoodTables();
    // 豆角（鲜，白） (04-2-105): iron 0.8 mg, never negative.
    EXPECT_EQ(FoodByID(225).Name, QStringLiteral("豆角（鲜，白）"));
    EXPECT_EQ(FoodByID(225).Values[fvIron], 0.8);
    // 面条(贝因美蛋黄营养面条) (13-3-047): 1550 kJ, so 1550 / 4.184 = 370 kcal.
    EXPECT_EQ(FoodNutrientTable(1764).EnergyText, QStringLiteral("370Kcal (1550KJ)"));
    for (const TFdRcd& food : FoodTable)
        for (double v : food.Values)
            ASSERT_TRUE(v >= 0 || v == -1) << food.ID;
}
