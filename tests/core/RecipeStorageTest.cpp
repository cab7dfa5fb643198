#include "RecordingServices.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

TStringList Lines(std::initializer_list<const char*> lines) {
    TStringList list;
    for (const char* l : lines) list.Add(QString::fromUtf8(l));
    return list;
}

}  // namespace

TEST(RecipeStorage, SaveRecipeWithFoodsInsertsThenUpdates) {
    TTestDatabase db;
    const int id = DM->SaveRecipeWithFoods("米饭", "蒸", "1", 0, 0, "淘米后加水蒸熟。", "米饭", Lines({"0,40,100", "0,1,50.5"}));
    ASSERT_GT(id, 0);
    EXPECT_EQ(db.Scalar("select SPName || '|' || PY || '|' || CFlg from SPInfo where ID = :ID", {{"ID", id}}), "米饭|MF|1");
    EXPECT_EQ(db.Scalar("select group_concat(FdID || ':' || FdNet, ' ') from SPTxt where SPID = :ID", {{"ID", id}}),
              "40:100.0 1:50.5");
    // Renaming recomputes the initials, and the foods are replaced, not added.
    EXPECT_EQ(DM->SaveRecipeWithFoods("米饭", "蒸", "1", id, 1, "", "小米饭", Lines({"0,2,80"})), id);
    EXPECT_EQ(db.Scalar("select PY from SPInfo where ID = :ID", {{"ID", id}}), "XMF");
    EXPECT_EQ(db.Scalar("select count(*) from SPTxt where SPID = :ID", {{"ID", id}}), "1");
    auto foods = DM->LoadRecipeFoods(QString::number(id));
    EXPECT_EQ(foods->Text(), "2,80\n");
}

TEST(RecipeStorage, ABadLineLeavesNothingHalfSaved) {
    TTestDatabase db;
    const QString before = db.Scalar("select count(*) from SPInfo");
    EXPECT_EQ(DM->SaveRecipeWithFoods("米饭", "蒸", "1", 0, 0, "", "坏食谱", Lines({"0,40,100", "0,1,abc"})), 0);
    EXPECT_EQ(db.Scalar("select count(*) from SPInfo"), before);
    EXPECT_EQ(db.Scalar("select count(*) from SPTxt where FdID = 40 and FdNet = 100"), "0");
    // A food that is not in the food list is refused by the database; the recipe row goes too.
    EXPECT_EQ(DM->SaveRecipeWithFoods("米饭", "蒸", "1", 0, 0, "", "坏食谱", Lines({"0,999999,100"})), 0);
    EXPECT_EQ(db.Scalar("select count(*) from SPInfo"), before);
    // Updating a recipe that does not exist is a failure, not a silent no-op.
    EXPECT_EQ(DM->SaveRecipe("米饭", "蒸", "1", 987654, 1, "", "无"), 0);
}

TEST(RecipeStorage, ALineWhoseIdIsNoNumberIsRefusedBeforeAnythingIsWritten) {
    TTestDatabase db;
    const int recipe = DM->SaveRecipeWithFoods("米饭", "蒸", "1", 0, 0, "", "饭", Lines({"0,40,100"}));
    ASSERT_GT(recipe, 0);
    const QString id = QString::number(recipe);
    for (const QString& bad : {"x" + id + ",2,80", id + "abc,2,80", QString(",2,80")}) {
        TStringList lines;
        lines.Add(id + ",1,50");
        lines.Add(bad);
        EXPECT_FALSE(DM->SaveRecipeFoods(lines, recipe)) << bad.toStdString();
    }
    EXPECT_EQ(
        db.Scalar("select group_concat(FdID || ':' || FdNet) from SPTxt where SPID = :ID", {{"ID", recipe}}),
        "40:100.0");
    EXPECT_EQ(db.Scalar("select count(*) from SPTxt where SPID = 0"), "0");
    const int meal = DM->SaveSetMealWithItems("早餐", "早", "", 0, 0, Lines({"0,1,100,1"}));
    ASSERT_GT(meal, 0);
    TStringList items;
    items.Add(QString::number(meal) + ",1,50,1");
    items.Add("套餐,2,50,1");
    EXPECT_FALSE(DM->SaveSetMealFoods(items, meal));
    EXPECT_EQ(
        db.Scalar("select group_concat(FdID || ':' || FdNet) from SPTCTxt where SPID = :ID", {{"ID", meal}}),
        "1:100.0");
}

TEST(RecipeStorage, SetMealsWithAndWithoutWeekday) {
    TTestDatabase db;
    const int id = DM->SaveSetMealWithItems("早餐", "O'Neil 的早餐", "", 0, 0, Lines({"0,1,100,1,星期一", "0,1,2,2"}));
    ASSERT_GT(id, 0);
    EXPECT_EQ(db.Scalar("select SPName from SPTC where ID = :ID", {{"ID", id}}), "O'Neil 的早餐");
    EXPECT_EQ(db.Scalar("select count(*) from SPTCTxt where SPID = :ID", {{"ID", id}}), "2");
    EXPECT_EQ(DM->SaveSetMealWithItems("早餐", "x", "", 0, 0, Lines({"0,1,100,3"})), 0);  // kind must be 1 or 2
    ASSERT_TRUE(DM->DeleteSetMeal(id));
    EXPECT_EQ(db.Scalar("select count(*) from SPTCTxt where SPID = :ID", {{"ID", id}}), "0");
    EXPECT_EQ(db.Scalar("select count(*) from SPTC where ID = :ID", {{"ID", id}}), "0");
}

TEST(RecipeStorage, DeletingARecipeRemovesItsFrequentUseAndUsedOnesAreKnown) {
    TTestDatabase db;
    const int id = DM->SaveRecipeWithFoods("粥类", "煮", "1", 0, 0, "", "小米粥", Lines({"0,1,50"}));
    db.Exec("insert into FDUse (UID, FID, FType) values (1, :ID, 2)", {{"ID", id}});
    EXPECT_FALSE(DM->RecipeInUse(id));
    db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (1, '早餐', :ID, 200, 100, '2026-03-07', 2)",
            {{"ID", id}});
    EXPECT_TRUE(DM->RecipeInUse(id));
    db.Exec("delete from CKRcd");
    ASSERT_TRUE(DM->DeleteRecipe(id));
    EXPECT_EQ(db.Scalar("select count(*) from FDUse where FID = :ID and FType = 2", {{"ID", id}}), "0");
    EXPECT_EQ(db.Scalar("select count(*) from SPTxt where SPID = :ID", {{"ID", id}}), "0");
}

TEST(RecipeStorage, AFoodOrRecipeIsFrequentlyUsedOnce) {
    TTestDatabase db;
    TRecordingMessageService boxes;
    DM->UID = db.Scalar("select UID from UInfo limit 1");
    EXPECT_EQ(DM->AddOftenUsed(1, 1), TDM::TOftenUse::Added);
    EXPECT_EQ(DM->AddOftenUsed(1, 1), TDM::TOftenUse::AlreadyThere);
    // A recipe of the same id is another entry.
    EXPECT_EQ(DM->AddOftenUsed(1, 2), TDM::TOftenUse::Added);
    EXPECT_EQ(db.Scalar("select group_concat(FType || ':' || UID, ' ') from FDUse where FID = 1"),
              "1:" + DM->UID + " 2:" + DM->UID);
    db.Exec("drop table FDUse");
    EXPECT_EQ(DM->AddOftenUsed(2, 1), TDM::TOftenUse::Failed);
    EXPECT_TRUE(boxes.LastText().startsWith(DbErrorPrefix));
}
