// The recipes and set meals that come with the delivered database.
#include "FoodTable.h"
#include "GetPY.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

TEST(DeliveredRecipes, EveryIngredientIsAFoodOfTheTable) {
    TTestDatabase db;
    LoadFoodTables();
    EXPECT_EQ(db.Scalar("select count(*) from SPTxt t left join Food f on f.ID = t.FdID where f.ID is null"),
              "0");
    EXPECT_EQ(db.Scalar("select count(*) from SPTxt where FdNet is null or FdNet <= 0"), "0");
    // The database's food list and the table in memory name the same foods.
    TADOQuery q;
    q.SetConnection(DM->Conn);
    q.SQL()->SetText("select distinct f.ID, f.Food_Name from SPTxt t join Food f on f.ID = t.FdID");
    q.Open();
    for (; !q.Eof(); q.Next())
        EXPECT_EQ(FoodNameByID(q.Fields(0)->AsInteger()), q.Fields(1)->AsString());
}

TEST(DeliveredRecipes, EveryClassHasRecipesWithPreparationAndInitials) {
    TTestDatabase db;
    for (const char* cls : {"米饭", "粥类", "面点", "面条", "凉拌菜", "素菜", "荤菜", "汤类", "果蔬汁",
                            "奶制品", "水果", "点心"})
        EXPECT_GE(db.Scalar("select count(*) from SPInfo where SPCls = :C", {{"C", cls}}).toInt(), 2) << cls;
    EXPECT_EQ(db.Scalar("select count(*) from SPInfo where CFlg <> 0 or trim(SPZF) = '' or SPP is null"),
              "0");
    EXPECT_EQ(
        db.Scalar(
            "select count(*) from SPInfo i where not exists (select 1 from SPTxt t where t.SPID = i.ID)"),
        "0");
    EXPECT_EQ(db.Scalar("select PY from SPInfo where SPName = '番茄炒蛋'"), GetPYInitials("番茄炒蛋"));
}

TEST(DeliveredSetMeals, EveryItemExistsAndEveryWeekdayHasItsThreeMeals) {
    TTestDatabase db;
    EXPECT_EQ(db.Scalar("select count(*) from SPTCTxt t left join Food f on f.ID = t.FdID "
                        "where t.CFlg = 1 and f.ID is null"),
              "0");
    EXPECT_EQ(db.Scalar("select count(*) from SPTCTxt t left join SPInfo i on i.ID = t.FdID "
                        "where t.CFlg = 2 and i.ID is null"),
              "0");
    EXPECT_GT(db.Scalar("select count(*) from SPTCTxt where CFlg = 2").toInt(), 0);
    for (const char* day : {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"})
        for (const char* meal : {"早餐", "午餐", "晚餐"})
            EXPECT_GE(
                db.Scalar("select count(*) from SPTC where WK = :W and SPCls = :C", {{"W", day}, {"C", meal}})
                    .toInt(),
                1)
                << day << meal;
    EXPECT_GE(db.Scalar("select count(*) from SPTC where WK = ''").toInt(), 2);
    EXPECT_EQ(
        db.Scalar(
            "select count(*) from SPTC c where not exists (select 1 from SPTCTxt t where t.SPID = c.ID)"),
        "0");
}
