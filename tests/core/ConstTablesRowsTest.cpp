// The constant tables row by row against the published lists, typed here: a changed code, name or
// page anywhere in a table shows.
#include "ConstTables.h"

#include <gtest/gtest.h>

TEST(ConstTablesRows, GroupsSubgroupsAndRankedNutrientsAsPublished) {
    const QStringList groups =
        QStringLiteral(
            "谷类及制品,薯类、淀粉及制品,干豆类及制品,蔬菜类及制品,菌藻类,水果类及制品,坚果、种子类,"
            "畜肉类及制品,"
            "禽肉类及制品,乳类及制品,蛋类及制品,鱼虾蟹贝类,婴幼儿食品,小吃、甜饼,速食食品,饮料类,含酒精饮料,"
            "糖、果脯和蜜饯、蜂蜜,油脂类,调味品类,药食两用食物及其它")
            .split(',');
    ASSERT_EQ(groups.size(), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(FoodGroups[i].Code, QString::number(i + 1).rightJustified(2, '0'));
        EXPECT_EQ(FoodGroups[i].Name, groups[i]) << i;
    }

    const QStringList subgroups =
        QStringLiteral(
            "01-1 小麦,01-2 稻米,01-3 玉米,01-4 大麦,01-5 小米,01-9 其它谷类,02-1 薯类,02-2 淀粉类,03-1 大豆,"
            "03-2 绿豆,03-3 赤豆,03-4 芸豆,03-5 蚕豆,03-9 其它豆类,04-1 根菜类,04-2 鲜豆类,04-3 茄果、瓜菜类,"
            "04-4 葱蒜类,04-5 嫩茎、叶、花菜类,04-6 水生蔬菜类,04-7 薯芋类,04-8 野生蔬菜类,05-1 菌类,05-2 "
            "藻类,"
            "06-1 仁果类,06-2 核果类,06-3 浆果类,06-4 柑橘类,06-5 热带、亚热带水果,06-6 瓜果类,07-1 树坚果,"
            "07-2 种子,08-1 猪,08-2 牛,08-3 羊,08-4 驴,08-5 马,08-9 其它,09-1 鸡,09-2 鸭,09-3 鹅,09-4 火鸡,"
            "09-9 其它禽肉类,10-1 液态乳,10-2 奶粉,10-3 酸奶,10-4 奶酪,10-5 奶油,10-9 其它乳类,11-1 鸡蛋,"
            "11-2 鸭蛋,11-3 鹅蛋,11-4 鹌鹑蛋,12-1 鱼,12-2 虾,12-3 蟹,12-4 贝,12-9 其它鱼虾,13-1 婴幼儿配方粉,"
            "13-3 婴幼儿补充食品,14-1 小吃,14-2 蛋糕、甜点,15-1 快餐食品,15-2 方便食品,15-3 休闲食品,16-1 "
            "碳酸饮料,"
            "16-2 果汁及果汁饮料,16-3 蔬菜汁饮料,16-4 含乳饮料,16-5 植物蛋白饮料,16-6 茶叶及茶饮料,16-7 "
            "固体饮料,"
            "16-8 棒冰、冰激凌类,16-9 其它饮料,17-1 发酵酒,17-2 蒸馏酒,17-3 露酒(配制酒),18-1 糖,18-2 糖果,"
            "18-3 蜜饯,18-4 蜂蜜,19-1 动物油脂,19-2 植物油,20-1 酱油,20-2 醋,20-3 酱,20-4 腐乳,20-5 咸菜类,"
            "20-6 香辛料,20-7 盐、味精及其它,21-1 药食两用植物,21-9 其它")
            .split(',');
    ASSERT_EQ(subgroups.size(), 92);
    for (int i = 0; i < 92; ++i) {
        EXPECT_EQ(FoodSubgroups[i].Code + ' ' + FoodSubgroups[i].Name, subgroups[i]) << i;
        // Each subgroup sits under the group of its first two characters.
        EXPECT_EQ(FoodGroupOf(FoodSubgroups[i].Code), subgroups[i].left(2).toInt() - 1) << i;
    }

    // Index, name and help page of each ranked nutrient.
    const QStringList nutrients = QStringLiteral("能量 47,蛋白质 31,脂肪 30,碳水化合物 29,膳食纤维 40,胆固醇 "
                                                 "45,维生素A 1,胡萝卜素 46,视黄醇 48,硫胺素 3,"
                                                 "核黄素 4,尼克酸 33,维生素B12 7,维生素B6 6,维生素C "
                                                 "8,维生素E 10,钾 38,钠 38,镁 37,磷 36,钙 35,锰 19,"
                                                 "铁 16,铜 15,锌 27,硒 26")
                                      .split(',');
    ASSERT_EQ(nutrients.size(), 26);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(NutrientTable[i].Index, QString::number(i));
        EXPECT_EQ(NutrientTable[i].Name + ' ' + NutrientTable[i].Page, nutrients[i]) << i;
    }
}
