#include "ConstTables.h"
#include "FoodTable.h"
#include "RecordingServices.h"
#include "TestDatabase.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// A food line with the given id and name; every value empty except water (index 1).
QString FoodLine(int id, const QString& name, const QString& water = QString()) {
    QStringList f{QString::number(id), QStringLiteral("01-1-%1").arg(100 + id), name};
    for (int k = 0; k < FoodValueCount; ++k) f << (k == fvWater ? water : QString());
    return f.join(QLatin1Char(','));
}

bool AllValuesAre(const TFdRcd& r, double v) {
    for (double x : r.Values)
        if (x != v) return false;
    return true;
}

}  // namespace

TEST(FoodTable, MissingIdsBecomePlaceholders) {
    LoadFoodTables({FoodLine(1, "小麦"), FoodLine(2, "五谷香"), FoodLine(5, "稻米")});
    for (int id : {3, 4}) {
        const TFdRcd& r = FoodTable[id - 1];
        EXPECT_EQ(r.ID, id);
        EXPECT_TRUE(r.Name.isEmpty() && r.Code.isEmpty() && r.PY.isEmpty());
        EXPECT_TRUE(AllValuesAre(r, -1));
    }
    EXPECT_EQ(FoodTable[4].ID, 5);
    EXPECT_EQ(FoodTable[4].Name, QStringLiteral("稻米"));
    EXPECT_EQ(FoodTable[4].PY, QStringLiteral("DM"));
    EXPECT_EQ(FoodTable[0].Code, QStringLiteral("01-1-101"));
    // After the last food the table stays zero-filled.
    EXPECT_EQ(FoodTable[5].ID, 0);
    EXPECT_TRUE(AllValuesAre(FoodTable[5], 0));
    EXPECT_EQ(FoodNameByID(1), QStringLiteral("小麦"));
}

TEST(FoodTable, ValueFields) {
    LoadFoodTables({FoodLine(1, "a", " 12.5 "), FoodLine(2, "b", ""), FoodLine(3, "c", "0")});
    EXPECT_EQ(FoodTable[0].Values[fvWater], 12.5);
    EXPECT_EQ(FoodTable[1].Values[fvWater], -1);
    EXPECT_EQ(FoodTable[2].Values[fvWater], 0);
    EXPECT_EQ(StrToFloatOrMinusOne(QStringLiteral("  ")), -1);
    EXPECT_EQ(StrToFloatOrMinusOne(QStringLiteral(" 12.5 ")), 12.5);
    EXPECT_THROW(StrToFloatOrMinusOne(QStringLiteral("1,5")), EConvertError);
}

TEST(FoodTable, NumbersReadAsTheRunTimeLibraryReadsThem) {
    LoadFoodTables({FoodLine(1, "a", "-0.5"), FoodLine(2, "b", "+3"), FoodLine(3, "c", "1e2"),
                    FoodLine(4, "d", ".5"), FoodLine(5, "e", "5."), FoodLine(6, "f", "0.1234567890123456789")});
    const double expected[] = {-0.5, 3, 100, 0.5, 5, 0.1234567890123456789};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(FoodTable[i].Values[fvWater], expected[i]) << i;

    LoadFoodTables();
    QFile f(QStringLiteral(":/data/foods.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1849);
    for (const QString& line : lines) {
        const QStringList fields = SplitCommaText(line);
        const TFdRcd& food = FoodTable[StrToInt(fields[0]) - 1];
        for (int k = 0; k < FoodValueCount; ++k)
            ASSERT_EQ(food.Values[k], StrToFloatOrMinusOne(fields[3 + k])) << line.toStdString();
    }
}

TEST(FoodTable, MalformedLineStopsLoadingThere) {
    EXPECT_THROW(LoadFoodTables({FoodLine(1, "a"), FoodLine(2, "b", "x1"), FoodLine(3, "c")}), EConvertError);
    EXPECT_EQ(FoodTable[0].Name, QStringLiteral("a"));
    EXPECT_EQ(FoodTable[1].ID, 0);
    EXPECT_EQ(FoodTable[2].ID, 0);
    EXPECT_THROW(LoadFoodTables({QStringLiteral("x,01-1-101,a")}), EConvertError);
    EXPECT_THROW(LoadFoodTables({QStringLiteral("1,01-1-101,a,1,2")}), EConvertError);  // too few fields
}

TEST(FoodTable, IdsOutOfOrderOrPastTheTableAreLeftOut) {
    LoadFoodTables({FoodLine(2, "b"), FoodLine(2, "again"), FoodLine(1, "back"), FoodLine(1955, "last"),
                    FoodLine(1956, "beyond"), FoodLine(100000, "far")});
    EXPECT_EQ(FoodTable[1].Name, QStringLiteral("b"));
    EXPECT_EQ(FoodTable[0].ID, 1);  // a placeholder, not "back"
    EXPECT_TRUE(FoodTable[0].Name.isEmpty());
    EXPECT_EQ(FoodTable[1954].Name, QStringLiteral("last"));
    EXPECT_EQ(FoodTable[1953].ID, 1954);
    // Lookups outside 1..1955 find no food.
    for (int id : {0, -1, 1956, 100000}) {
        EXPECT_TRUE(FoodNameByID(id).isEmpty());
        EXPECT_TRUE(AllValuesAre(FoodByID(id), -1));
    }
}

TEST(FoodTable, DeliveredFoodsMatchTheDatabase) {
    LoadFoodTables();
    EXPECT_EQ(FoodMaxIndex, FoodTableSize - 1);
    TTestDatabase db;
    TADOQuery q;
    q.SetConnection(db.Module()->Conn);
    q.SQL()->SetText(QStringLiteral("select ID, Food_Name, PY, Code from Food order by ID"));
    q.Open();
    int count = 0;
    for (; !q.Eof(); q.Next(), ++count) {
        const int id = q.FieldByName(QStringLiteral("ID"))->AsInteger();
        const TFdRcd& food = FoodTable.at(id - 1);
        ASSERT_EQ(food.ID, id);
        ASSERT_EQ(food.Name, q.FieldByName(QStringLiteral("Food_Name"))->AsString()) << id;
        ASSERT_EQ(food.PY, q.FieldByName(QStringLiteral("PY"))->AsString()) << id;
        ASSERT_EQ(food.Code, q.FieldByName(QStringLiteral("Code"))->AsString()) << id;
    }
    EXPECT_EQ(count, 1849);
    EXPECT_EQ(FoodTable[1848].ID, 1849);
    EXPECT_EQ(FoodTable[1849].ID, 0);
    EXPECT_EQ(db.Scalar(QStringLiteral("select PY from Food where Food_Name = '小麦'")), QStringLiteral("XM"));
    // The first food of the delivered table, with its values.
    EXPECT_EQ(FoodTable[0].Name, QStringLiteral("小麦"));
    EXPECT_EQ(FoodTable[0].Values[fvKcal], 338);
    EXPECT_EQ(FoodTable[0].Values[fvProtein], 11.9);
    EXPECT_EQ(FoodTable[0].Values[fvVitaminB12], -1);
}

TEST(ConstTables, GroupsAndSubgroups) {
    EXPECT_EQ(FoodGroups.front().Code, QStringLiteral("01"));
    EXPECT_EQ(FoodGroups.back().Name, QStringLiteral("药食两用食物及其它"));
    for (const TFoodSubgroup& s : FoodSubgroups) EXPECT_GE(FoodGroupOf(s.Code), 0) << s.Code.toStdString();
    for (const char* code : {"18-1-001", "18-2-101", "18-3-001", "18-4-001"}) {
        const int sub = FoodSubgroupOf(QString::fromLatin1(code));
        ASSERT_GE(sub, 0);
        EXPECT_EQ(FoodSubgroups[sub].Code, QString::fromLatin1(code).left(4));
        EXPECT_EQ(FoodGroups[FoodGroupOf(FoodSubgroups[sub].Code)].Code, QStringLiteral("18"));
    }
    EXPECT_EQ(FoodSubgroupOf(QStringLiteral("13-2-001")), -1);
    // Every delivered food belongs to a subgroup.
    LoadFoodTables();
    for (const TFdRcd& food : FoodTable)
        if (food.ID) {
            EXPECT_GE(FoodSubgroupOf(food.Code), 0) << food.Code.toStdString();
        }
}

TEST(ConstTables, OpenNutrientPage) {
    TRecordingShellService shell;
    OpenNutrientPage(QStringLiteral("维生素C"));
    OpenNutrientPage(QStringLiteral("维生素"));  // not a name of the table
    OpenNutrientPage(QStringLiteral("能量 "));
    ASSERT_EQ(shell.Opened.size(), 1u);
    EXPECT_TRUE(shell.Opened[0].startsWith(QStringLiteral("file://")));
    EXPECT_TRUE(shell.Opened[0].endsWith(QStringLiteral("/site/zhongyao/yys-8.htm")));
}

TEST(ConstTables, ItemsAndClearObjectList) {
    static int freed = 0;
    struct TCounted : TYYS {
        ~TCounted() override { ++freed; }
    };
    EXPECT_EQ(Act().ID, QStringLiteral("0"));
    EXPECT_EQ(Act().Kcal, 0);
    TStringList list;
    list.AddObject(QStringLiteral("a"), new TCounted);
    list.Add(QStringLiteral("no object"));
    list.AddObject(QStringLiteral("b"), new TCounted);
    ClearObjectList(list);
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(list.Count(), 0);
}
