#include "ConstTables.h"

#include "ShellAPI.h"
#include "SiteAddresses.h"

const std::array<TFoodGroup, 21> FoodGroups{{
    {QStringLiteral("01"), QStringLiteral("谷类及制品")},
    {QStringLiteral("02"), QStringLiteral("薯类、淀粉及制品")},
    {QStringLiteral("03"), QStringLiteral("干豆类及制品")},
    {QStringLiteral("04"), QStringLiteral("蔬菜类及制品")},
    {QStringLiteral("05"), QStringLiteral("菌藻类")},
    {QStringLiteral("06"), QStringLiteral("水果类及制品")},
    {QStringLiteral("07"), QStringLiteral("坚果、种子类")},
    {QStringLiteral("08"), QStringLiteral("畜肉类及制品")},
    {QStringLiteral("09"), QStringLiteral("禽肉类及制品")},
    {QStringLiteral("10"), QStringLiteral("乳类及制品")},
    {QStringLiteral("11"), QStringLiteral("蛋类及制品")},
    {QStringLiteral("12"), QStringLiteral("鱼虾蟹贝类")},
    {QStringLiteral("13"), QStringLiteral("婴幼儿食品")},
    {QStringLiteral("14"), QStringLiteral("小吃、甜饼")},
    {QStringLiteral("15"), QStringLiteral("速食食品")},
    {QStringLiteral("16"), QStringLiteral("饮料类")},
    {QStringLiteral("17"), QStringLiteral("含酒精饮料")},
    {QStringLiteral("18"), QStringLiteral("糖、果脯和蜜饯、蜂蜜")},
    {QStringLiteral("19"), QStringLiteral("油脂类")},
    {QStringLiteral("20"), QStringLiteral("调味品类")},
    {QStringLiteral("21"), QStringLiteral("药食两用食物及其它")},
}};

const std::array<TFoodSubgroup, 92> FoodSubgroups{{
    {QStringLiteral("01-1"), QStringLiteral("小麦")},
    {QStringLiteral("01-2"), QStringLiteral("稻米")},
    {QStringLiteral("01-3"), QStringLiteral("玉米")},
    {QStringLiteral("01-4"), QStringLiteral("大麦")},
    {QStringLiteral("01-5"), QStringLiteral("小米")},
    {QStringLiteral("01-9"), QStringLiteral("其它谷类")},
    {QStringLiteral("02-1"), QStringLiteral("薯类")},
    {QStringLiteral("02-2"), QStringLiteral("淀粉类")},
    {QStringLiteral("03-1"), QStringLiteral("大豆")},
    {QStringLiteral("03-2"), QStringLiteral("绿豆")},
    {QStringLiteral("03-3"), QStringLiteral("赤豆")},
    {QStringLiteral("03-4"), QStringLiteral("芸豆")},
    {QStringLiteral("03-5"), QStringLiteral("蚕豆")},
    {QStringLiteral("03-9"), QStringLiteral("其它豆类")},
    {QStringLiteral("04-1"), QStringLiteral("根菜类")},
    {QStringLiteral("04-2"), QStringLiteral("鲜豆类")},
    {QStringLiteral("04-3"), QStringLiteral("茄果、瓜菜类")},
    {QStringLiteral("04-4"), QStringLiteral("葱蒜类")},
    {QStringLiteral("04-5"), QStringLiteral("嫩茎、叶、花菜类")},
    {QStringLiteral("04-6"), QStringLiteral("水生蔬菜类")},
    {QStringLiteral("04-7"), QStringLiteral("薯芋类")},
    {QStringLiteral("04-8"), QStringLiteral("野生蔬菜类")},
    {QStringLiteral("05-1"), QStringLiteral("菌类")},
    {QStringLiteral("05-2"), QStringLiteral("藻类")},
    {QStringLiteral("06-1"), QStringLiteral("仁果类")},
    {QStringLiteral("06-2"), QStringLiteral("核果类")},
    {QStringLiteral("06-3"), QStringLiteral("浆果类")},
    {QStringLiteral("06-4"), QStringLiteral("柑橘类")},
    {QStringLiteral("06-5"), QStringLiteral("热带、亚热带水果")},
    {QStringLiteral("06-6"), QStringLiteral("瓜果类")},
    {QStringLiteral("07-1"), QStringLiteral("树坚果")},
    {QStringLiteral("07-2"), QStringLiteral("种子")},
    {QStringLiteral("08-1"), QStringLiteral("猪")},
    {QStringLiteral("08-2"), QStringLiteral("牛")},
    {QStringLiteral("08-3"), QStringLiteral("羊")},
    {QStringLiteral("08-4"), QStringLiteral("驴")},
    {QStringLiteral("08-5"), QStringLiteral("马")},
    {QStringLiteral("08-9"), QStringLiteral("其它")},
    {QStringLiteral("09-1"), QStringLiteral("鸡")},
    {QStringLiteral("09-2"), QStringLiteral("鸭")},
    {QStringLiteral("09-3"), QStringLiteral("鹅")},
    {QStringLiteral("09-4"), QStringLiteral("火鸡")},
    {QStringLiteral("09-9"), QStringLiteral("其它禽肉类")},
    {QStringLiteral("10-1"), QStringLiteral("液态乳")},
    {QStringLiteral("10-2"), QStringLiteral("奶粉")},
    {QStringLiteral("10-3"), QStringLiteral("酸奶")},
    {QStringLiteral("10-4"), QStringLiteral("奶酪")},
    {QStringLiteral("10-5"), QStringLiteral("奶油")},
    {QStringLiteral("10-9"), QStringLiteral("其它乳类")},
    {QStringLiteral("11-1"), QStringLiteral("鸡蛋")},
    {QStringLiteral("11-2"), QStringLiteral("鸭蛋")},
    {QStringLiteral("11-3"), QStringLiteral("鹅蛋")},
    {QStringLiteral("11-4"), QStringLiteral("鹌鹑蛋")},
    {QStringLiteral("12-1"), QStringLiteral("鱼")},
    {QStringLiteral("12-2"), QStringLiteral("虾")},
    {QStringLiteral("12-3"), QStringLiteral("蟹")},
    {QStringLiteral("12-4"), QStringLiteral("贝")},
    {QStringLiteral("12-9"), QStringLiteral("其它鱼虾")},
    {QStringLiteral("13-1"), QStringLiteral("婴幼儿配方粉")},
    {QStringLiteral("13-3"), QStringLiteral("婴幼儿补充食品")},
    {QStringLiteral("14-1"), QStringLiteral("小吃")},
    {QStringLiteral("14-2"), QStringLiteral("蛋糕、甜点")},
    {QStringLiteral("15-1"), QStringLiteral("快餐食品")},
    {QStringLiteral("15-2"), QStringLiteral("方便食品")},
    {QStringLiteral("15-3"), QStringLiteral("休闲食品")},
    {QStringLiteral("16-1"), QStringLiteral("碳酸饮料")},
    {QStringLiteral("16-2"), QStringLiteral("果汁及果汁饮料")},
    {QStringLiteral("16-3"), QStringLiteral("蔬菜汁饮料")},
    {QStringLiteral("16-4"), QStringLiteral("含乳饮料")},
    {QStringLiteral("16-5"), QStringLiteral("植物蛋白饮料")},
    {QStringLiteral("16-6"), QStringLiteral("茶叶及茶饮料")},
    {QStringLiteral("16-7"), QStringLiteral("固体饮料")},
    {QStringLiteral("16-8"), QStringLiteral("棒冰、冰激凌类")},
    {QStringLiteral("16-9"), QStringLiteral("其它饮料")},
    {QStringLiteral("17-1"), QStringLiteral("发酵酒")},
    {QStringLiteral("17-2"), QStringLiteral("蒸馏酒")},
    {QStringLiteral("17-3"), QStringLiteral("露酒(配制酒)")},
    {QStringLiteral("18-1"), QStringLiteral("糖")},
    {QStringLiteral("18-2"), QStringLiteral("糖果")},
    {QStringLiteral("18-3"), QStringLiteral("蜜饯")},
    {QStringLiteral("18-4"), QStringLiteral("蜂蜜")},
    {QStringLiteral("19-1"), QStringLiteral("动物油脂")},
    {QStringLiteral("19-2"), QStringLiteral("植物油")},
    {QStringLiteral("20-1"), QStringLiteral("酱油")},
    {QStringLiteral("20-2"), QStringLiteral("醋")},
    {QStringLiteral("20-3"), QStringLiteral("酱")},
    {QStringLiteral("20-4"), QStringLiteral("腐乳")},
    {QStringLiteral("20-5"), QStringLiteral("咸菜类")},
    {QStringLiteral("20-6"), QStringLiteral("香辛料")},
    {QStringLiteral("20-7"), QStringLiteral("盐、味精及其它")},
    {QStringLiteral("21-1"), QStringLiteral("药食两用植物")},
    {QStringLiteral("21-9"), QStringLiteral("其它")},
}};

const std::array<TNutrientRow, 26> NutrientTable{{
    {QStringLiteral("0"), QStringLiteral("能量"), QStringLiteral("47"), QStringLiteral("kcal")},
    {QStringLiteral("1"), QStringLiteral("蛋白质"), QStringLiteral("31"), QStringLiteral("g")},
    {QStringLiteral("2"), QStringLiteral("脂肪"), QStringLiteral("30"), QStringLiteral("g")},
    {QStringLiteral("3"), QStringLiteral("碳水化合物"), QStringLiteral("29"), QStringLiteral("g")},
    {QStringLiteral("4"), QStringLiteral("膳食纤维"), QStringLiteral("40"), QStringLiteral("g")},
    {QStringLiteral("5"), QStringLiteral("胆固醇"), QStringLiteral("45"), QStringLiteral("mg")},
    {QStringLiteral("6"), QStringLiteral("维生素A"), QStringLiteral("1"), QStringLiteral("ug")},
    {QStringLiteral("7"), QStringLiteral("胡萝卜素"), QStringLiteral("46"), QStringLiteral("ug")},
    {QStringLiteral("8"), QStringLiteral("视黄醇"), QStringLiteral("48"), QStringLiteral("ug")},
    {QStringLiteral("9"), QStringLiteral("硫胺素"), QStringLiteral("3"), QStringLiteral("mg")},
    {QStringLiteral("10"), QStringLiteral("核黄素"), QStringLiteral("4"), QStringLiteral("mg")},
    {QStringLiteral("11"), QStringLiteral("尼克酸"), QStringLiteral("33"), QStringLiteral("mg")},
    {QStringLiteral("12"), QStringLiteral("维生素B12"), QStringLiteral("7"), QStringLiteral("mg")},
    {QStringLiteral("13"), QStringLiteral("维生素B6"), QStringLiteral("6"), QStringLiteral("mg")},
    {QStringLiteral("14"), QStringLiteral("维生素C"), QStringLiteral("8"), QStringLiteral("mg")},
    {QStringLiteral("15"), QStringLiteral("维生素E"), QStringLiteral("10"), QStringLiteral("mg")},
    {QStringLiteral("16"), QStringLiteral("钾"), QStringLiteral("38"), QStringLiteral("mg")},
    {QStringLiteral("17"), QStringLiteral("钠"), QStringLiteral("38"), QStringLiteral("mg")},
    {QStringLiteral("18"), QStringLiteral("镁"), QStringLiteral("37"), QStringLiteral("mg")},
    {QStringLiteral("19"), QStringLiteral("磷"), QStringLiteral("36"), QStringLiteral("mg")},
    {QStringLiteral("20"), QStringLiteral("钙"), QStringLiteral("35"), QStringLiteral("mg")},
    {QStringLiteral("21"), QStringLiteral("锰"), QStringLiteral("19"), QStringLiteral("mg")},
    {QStringLiteral("22"), QStringLiteral("铁"), QStringLiteral("16"), QStringLiteral("mg")},
    {QStringLiteral("23"), QStringLiteral("铜"), QStringLiteral("15"), QStringLiteral("mg")},
    {QStringLiteral("24"), QStringLiteral("锌"), QStringLiteral("27"), QStringLiteral("mg")},
    {QStringLiteral("25"), QStringLiteral("硒"), QStringLiteral("26"), QStringLiteral("ug")},
}};

int FoodSubgroupOf(const QString& code) {
    const QString key = code.left(4);
    for (size_t i = 0; i < FoodSubgroups.size(); ++i)
        if (FoodSubgroups[i].Code == key) return int(i);
    return -1;
}

int FoodGroupOf(const QString& code) {
    const QString key = code.left(2);
    for (size_t i = 0; i < FoodGroups.size(); ++i)
        if (FoodGroups[i].Code == key) return int(i);
    return -1;
}

void OpenNutrientPage(const QString& name) {
    for (const TNutrientRow& row : NutrientTable)
        if (row.Name == name) {
            ShellOpen(NutrientPageAddress(row.Page));
            return;
        }
}
