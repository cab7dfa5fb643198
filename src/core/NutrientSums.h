// Energy and nutrient figures of amounts of foods and recipes, always from the food table, and the
// texts the food window shows for one food.
#pragma once

#include "Classes.h"
#include "FoodTable.h"

#include <QString>
#include <array>

// -1 ("no value") counts as 0.
double NullToZero(double v);

// The 14 running totals of a day's intake rows, in this order.
enum TIntakeNutrient : int {
    inKcal, inKJ, inProtein, inFat, inCarbohydrate, inVitaminA, inThiamine, inCarotene, inVitaminC, inNiacin,
    inCalcium, inVitaminE, inIron, inZinc,
    IntakeNutrientCount
};
using TIntakeTotals = std::array<double, IntakeNutrientCount>;

// Adds grams / 100 x each value of food `id` to the 14 totals. An id outside the table adds nothing;
// an id text that is not a number raises EConvertError.
void AddFoodNutrients(const QString& id, double grams, TIntakeTotals& totals);
// Adds grams / 100 x the kcal of food `id`.
void AddFoodKcal(const QString& id, double grams, double& total);

// The 25 summed nutrients, in output order, with the food value each comes from and its unit.
struct TSummedNutrient {
    TFoodValue Value;
    const char* Unit;
};
inline constexpr int SummedNutrientCount = 25;
extern const std::array<TSummedNutrient, SummedNutrientCount> SummedNutrients;
using TNutrientSums = std::array<double, SummedNutrientCount>;
using TNutrientTexts = std::array<QString, SummedNutrientCount>;

// The 25 values per gram of a recipe from its ingredient lines "FdID,FdNet".
TNutrientSums SumIngredientNutrients(const TStringList& ingredients);
// The 25 totals of recipe portions "name,grams,recipe id" as texts: at most two decimals, no
// rounding, followed by the unit (none for the first five). Reads the recipes through DM.
TNutrientTexts SumRecipeListNutrients(const TStringList& items);
// The energy of recipe portions "name,grams,recipe id" in kcal, formatted "0.0".
QString SumSetMealNutrients(const TStringList& items);

// Keeps at most two digits behind the first "." of a number text, without rounding.
QString TruncTo2Decimals(const QString& text);
// " - " for exactly "-1", else the value text followed directly by the unit.
QString FormatNutrientValue(const QString& value, const QString& unit);

// What the food window shows of one food: its name and energy labels, and for each of 14 rows two
// nutrients (name and value text).
struct TFoodNutrientCell {
    QString Name, Value;
};
struct TFoodNutrientView {
    QString Name;        // the name label
    QString EnergyText;  // "338Kcal (1416KJ)"
    std::array<TFoodNutrientCell, 14> Left, Right;
};
// The table layout: the edible part as the bare number.
TFoodNutrientView FoodNutrientTable(int id);
// The column layout: the same rows, the edible part followed by "克".
TFoodNutrientView FoodNutrientColumns(int id);
