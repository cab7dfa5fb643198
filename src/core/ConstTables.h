// The constant tables that travel with the program (food groups, subgroups, ranked nutrients) and
// the small items that windows hang on list, tree and grid entries.
#pragma once

#include "Classes.h"

#include <QString>
#include <array>

struct TFoodGroup {
    QString Code;  // "01" .. "21"
    QString Name;
};
// A subgroup belongs to the group whose code is the first two characters of its own.
struct TFoodSubgroup {
    QString Code;  // such as "01-1"
    QString Name;
};
struct TNutrientRow {
    QString Index;  // "0" .. "25"
    QString Name;
    QString Page;   // the help page "yys-" + Page + ".htm"
    QString Unit;   // of the amounts, as the rankings show them
};

// The code lists stored in the records, each in its one order.
inline const std::array<QString, 6> MealClasses = {"早餐", "早加餐", "午餐", "午加餐", "晚餐", "晚加餐"};
inline const std::array<QString, 7> Weekdays = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
inline const std::array<QString, 12> RecipeClasses = {"米饭", "粥类", "面点",   "面条", "凉拌菜", "素菜",
                                                       "荤菜", "汤类", "果蔬汁", "奶制品", "水果", "点心"};
inline const std::array<QString, 10> CookingMethods = {"炒", "暴", "蒸", "煮", "烩", "炸", "炖", "拌", "煎", "烤"};

extern const std::array<TFoodGroup, 21> FoodGroups;
extern const std::array<TFoodSubgroup, 92> FoodSubgroups;
extern const std::array<TNutrientRow, 26> NutrientTable;

// The index in FoodSubgroups of the subgroup a food code (or a subgroup code) belongs to, or -1.
int FoodSubgroupOf(const QString& code);
// The index in FoodGroups of the group a food or subgroup code belongs to, or -1.
int FoodGroupOf(const QString& code);

// Opens the help page of the nutrient named exactly `name`; an unknown name opens nothing.
void OpenNutrientPage(const QString& name);

// One ranked nutrient on a list item.
class TYYS : public TObject {
public:
    QString Index, Name, Page;
};

// One activity on a list item: kcal per minute.
class Act : public TObject {
public:
    QString tit;
    double Kcal = 0;
    QString ID = QStringLiteral("0");
};

// One health-information entry on a list item.
class TVC : public TObject {
public:
    QString Code, Name;
};

// Frees the object of every line (lines without one are skipped), then clears the list; any list with
// Count, Objects and Clear (a string list, a check list's items).
template <class TList> void ClearObjectList(TList& list) {
    for (int i = 0; i < list.Count(); ++i)
        delete list.Objects(i);
    list.Clear();
}
