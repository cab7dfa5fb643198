// Where the set-meal tree puts a set meal: one without a weekday, whether stored as NULL or as the
// empty text, sits under its meal class at the top and under no weekday.
#include "ConstTables.h"
#include "TestDatabase.h"
#include "ComCtrls.h"

#include <gtest/gtest.h>

namespace {

// The ids of the set meals under a node.
QList<int> SetMealsUnder(TTreeNode* node) {
    QList<int> ids;
    for (TTreeNode* n = node->getFirstChild(); n; n = n->getNextSibling())
        ids << n->StateIndex();
    return ids;
}

}  // namespace

TEST(SetMealTree, ASetMealWithoutWeekdayIsStoredAsNullOrEmptyAndSitsAtTheTop) {
    TTestDatabase db;
    db.Exec("insert into SPTC (ID, SPCls, SPName, PY, WK) values (801, '晚加餐', '空星期', 'KXQ', NULL), "
            "(802, '晚加餐', '空文字', 'KWZ', ''), (803, '晚加餐', '周三夜宵', 'ZSYX', '星期三')");
    TTreeView tree(nullptr);
    DM->FillSetMealTree(&tree);
    // Six meal classes first, then the seven weekdays with their six meal classes each.
    ASSERT_EQ(tree.Items()->GetFirstNode()->Text(), MealClasses[0]);
    TTreeNode* top = tree.Items()->GetFirstNode();
    for (int i = 0; i < 5; ++i)
        top = top->getNextSibling();
    EXPECT_EQ(top->Text(), "晚加餐");
    const QList<int> atTop = SetMealsUnder(top);
    EXPECT_TRUE(atTop.contains(801));
    EXPECT_TRUE(atTop.contains(802));
    EXPECT_FALSE(atTop.contains(803));
    int days = 0;
    for (TTreeNode* day = top->getNextSibling(); day; day = day->getNextSibling(), ++days) {
        EXPECT_EQ(day->Text(), Weekdays[days]);
        ASSERT_EQ(day->Count(), 6);
        const QList<int> late = SetMealsUnder(day->Item(5));
        EXPECT_FALSE(late.contains(801) || late.contains(802)) << day->Text().toStdString();
        EXPECT_EQ(late.contains(803), day->Text() == "星期三") << day->Text().toStdString();
    }
    EXPECT_EQ(days, 7);
}
