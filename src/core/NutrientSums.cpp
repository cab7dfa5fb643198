#include "NutrientSums.h"

#include "SysUtils.h"
#include "UintDM.h"

namespace {

constexpr std::array<TFoodValue, IntakeNutrientCount> IntakeValues{
    fvKcal,     fvKJ,       fvProtein, fvFat,     fvCarbohydrate, fvVitaminA, fvThiamine,
    fvCarotene, fvVitaminC, fvNiacin,  fvCalcium, fvVitaminE,     fvIron,     fvZinc};

const TFdRcd& FoodByIDText(const QString& id) {
    return FoodByID(StrToInt(id));
}

// Adds each portion's per-gram values x its grams; `each` receives the 25 per-gram values and grams.
template <typename TAdd> void ForEachRecipePortion(const TStringList& items, TAdd each) {
    for (int i = 0; i < items.Count(); ++i) {
        const QStringList f = SplitCommaText(items[i]);
        const double grams = StrToFloat(f.value(1));
        const std::unique_ptr<TStringList> ingredients = DM->LoadRecipeFoods(f.value(2));
        each(SumIngredientNutrients(*ingredients), grams);
    }
}

// One row of the food window: the label, the food value it shows and its unit.
struct TShownNutrient {
    const char* Name;
    TFoodValue Value;
    const char* Unit;
};
constexpr std::array<TShownNutrient, 14> LeftRows{{
    {"可食部份", fvEdible, ""},
    {"水", fvWater, "克"},
    {"蛋白质", fvProtein, "克"},
    {"脂肪", fvFat, "克"},
    {"碳水化合物", fvCarbohydrate, "克"},
    {"膳食纤维", fvFibre, "克"},
    {"胆固醇", fvCholesterol, "毫克"},
    {"灰分", fvAsh, "克"},
    {"维生素A", fvVitaminA, "微克"},
    {"胡萝卜素", fvCarotene, "微克"},
    {"视黄醇", fvRetinol, "微克"},
    {"硫胺素", fvThiamine, "毫克"},
    {"核黄素", fvRiboflavin, "毫克"},
    {"尼克酸", fvNiacin, "毫克"},
}};
constexpr std::array<TShownNutrient, 14> RightRows{{
    {"维生素B12", fvVitaminB12, "毫克"},
    {"维生素B6", fvVitaminB6, "毫克"},
    {"维生素C", fvVitaminC, "毫克"},
    {"维生素E", fvVitaminE, "毫克"},
    {"钙", fvCalcium, "毫克"},
    {"磷", fvPhosphorus, "毫克"},
    {"钾", fvPotassium, "毫克"},
    {"钠", fvSodium, "毫克"},
    {"镁", fvMagnesium, "毫克"},
    {"铁", fvIron, "毫克"},
    {"锌", fvZinc, "毫克"},
    {"硒", fvSelenium, "微克"},
    {"铜", fvCopper, "毫克"},
    {"锰", fvManganese, "毫克"},
}};

TFoodNutrientView FoodNutrients(int id, const QString& edibleUnit) {
    const TFdRcd& food = FoodByID(id);
    TFoodNutrientView view;
    view.Name = food.Name;
    // A food without an energy value counts 0 kcal, here as in every sum.
    view.EnergyText = FormatFloat(QStringLiteral("0"), NullToZero(food.Values[fvKcal])) +
                      QStringLiteral("Kcal (") +
                      FormatFloat(QStringLiteral("0"), NullToZero(food.Values[fvKJ])) + QStringLiteral("KJ)");
    auto cell = [&](const TShownNutrient& row, const QString& unit) {
        return TFoodNutrientCell{QString::fromUtf8(row.Name),
                                 FormatNutrientValue(FloatToStr(food.Values[row.Value]), unit)};
    };
    for (size_t i = 0; i < LeftRows.size(); ++i) {
        view.Left[i] = cell(LeftRows[i], i == 0 ? edibleUnit : QString::fromUtf8(LeftRows[i].Unit));
        view.Right[i] = cell(RightRows[i], QString::fromUtf8(RightRows[i].Unit));
    }
    return view;
}

}  // namespace

const std::array<TSummedNutrient, SummedNutrientCount> SummedNutrients{{
    {fvKcal, ""},         {fvKJ, ""},         {fvCarbohydrate, ""},  {fvProtein, ""},
    {fvFat, ""},          {fvFibre, "g"},     {fvCholesterol, "mg"}, {fvVitaminA, "ug"},
    {fvCarotene, "ug"},   {fvRetinol, "ug"},  {fvRiboflavin, "mg"},  {fvThiamine, "mg"},
    {fvNiacin, "mg"},     {fvVitaminC, "mg"}, {fvVitaminE, "mg"},    {fvCalcium, "mg"},
    {fvPhosphorus, "mg"}, {fvCopper, "mg"},   {fvPotassium, "mg"},   {fvSodium, "mg"},
    {fvMagnesium, "mg"},  {fvIron, "mg"},     {fvManganese, "mg"},   {fvZinc, "mg"},
    {fvSelenium, "ug"},
}};

double NullToZero(double v) {
    return v == -1 ? 0 : v;
}

void AddFoodNutrients(const QString& id, double grams, TIntakeTotals& totals) {
    const TFdRcd& food = FoodByIDText(id);
    for (int k = 0; k < IntakeNutrientCount; ++k)
        totals[k] += grams / 100 * NullToZero(food.Values[IntakeValues[k]]);
}

void AddFoodKcal(const QString& id, double grams, double& total) {
    total += grams / 100 * NullToZero(FoodByIDText(id).Values[fvKcal]);
}

TNutrientSums SumIngredientNutrients(const TStringList& ingredients) {
    TNutrientSums sums{};
    double weight = 0;
    for (int i = 0; i < ingredients.Count(); ++i) {
        const QStringList f = SplitCommaText(ingredients[i]);
        const double grams = StrToFloat(f.value(1));
        const TFdRcd& food = FoodByIDText(f.value(0));
        weight += grams;
        for (int k = 0; k < SummedNutrientCount; ++k)
            sums[k] += NullToZero(food.Values[SummedNutrients[k].Value]) * (grams / 100);
    }
    if (weight == 0) weight = 1;
    for (double& s : sums)
        s /= weight;
    return sums;
}

TNutrientTexts SumRecipeListNutrients(const TStringList& items) {
    TNutrientSums totals{};
    ForEachRecipePortion(items, [&](const TNutrientSums& perGram, double grams) {
        for (int k = 0; k < SummedNutrientCount; ++k)
            totals[k] += perGram[k] * grams;
    });
    TNutrientTexts texts;
    // FloatToStr writes fixed point only, so the cut below never meets an exponent.
    for (int k = 0; k < SummedNutrientCount; ++k)
        texts[k] = TruncTo2Decimals(FloatToStr(totals[k])) + QString::fromUtf8(SummedNutrients[k].Unit);
    return texts;
}

QString SumSetMealNutrients(const TStringList& items) {
    double kcal = 0;
    ForEachRecipePortion(items,
                         [&](const TNutrientSums& perGram, double grams) { kcal += perGram[0] * grams; });
    return FormatFloat(QStringLiteral("0.0"), kcal);
}

QString TruncTo2Decimals(const QString& text) {
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0 || text.size() - point - 1 <= 2) return text;
    return text.left(point + 3);
}

QString FormatNutrientValue(const QString& value, const QString& unit) {
    return value == QLatin1String("-1") ? QStringLiteral(" - ") : value + unit;
}

TFoodNutrientView FoodNutrientTable(int id) {
    return FoodNutrients(id, QString());
}

TFoodNutrientView FoodNutrientColumns(int id) {
    return FoodNutrients(id, QStringLiteral("克"));
}
