// The food-composition table: every food's 30 values per 100 g, built once at start-up from the
// food lines that travel inside the program.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>

// The 30 values per 100 g, by index. -1 means no value.
enum TFoodValue : int {
    fvEdible, fvWater, fvKcal, fvKJ, fvProtein, fvFat, fvCarbohydrate, fvFibre, fvCholesterol, fvAsh,
    fvVitaminA, fvCarotene, fvRetinol, fvThiamine, fvRiboflavin, fvNiacin, fvVitaminB12, fvVitaminB6,
    fvVitaminC, fvVitaminE, fvPotassium, fvSodium, fvMagnesium, fvPhosphorus, fvCalcium, fvManganese,
    fvIron, fvCopper, fvZinc, fvSelenium,
    FoodValueCount
};

// One food; RecID, RecCls and RecFlag are used only when the record carries a recipe in a tree.
struct TFdRcd {
    qint32 ID = 0;
    qint32 RecID = 0;
    QString RecCls;
    QString Code;  // group-subgroup-number, such as "01-1-101"
    QString Name;
    QString PY;    // pinyin initials of Name
    qint32 RecFlag = 0;
    std::array<double, FoodValueCount> Values{};
};

inline constexpr int FoodTableSize = 1955;
// The record of food id n is entry n - 1.
extern std::array<TFdRcd, FoodTableSize> FoodTable;
// The index of the last entry: the bound of the loops that windows run over the table.
extern int FoodMaxIndex;

// Builds the table from the food lines carried in the program's resources.
void LoadFoodTables();
// Builds the table from food lines "id,code,name,v0,...,v29" in rising id order: ids skipped in
// between become placeholders (empty name, every value -1); entries after the last food stay
// zero-filled. Lines whose id does not rise or lies beyond the table are left out. A malformed id
// or number raises EConvertError; the entries not yet reached then stay zero-filled.
void LoadFoodTables(const QStringList& lines);

// The trimmed text as a number; empty gives -1. Raises EConvertError on a malformed number.
double StrToFloatOrMinusOne(const QString& text);

// The record of food id `id`; an id outside the table gives an empty record with no values.
const TFdRcd& FoodByID(int id);
QString FoodNameByID(int id);
