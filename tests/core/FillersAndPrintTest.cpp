#include "ComCtrls.h"
#include "FileSizeLimit.h"
#include "FoodTable.h"
#include "Grids.h"
#include "RecordingFileDialog.h"
#include "RecordingPrinter.h"
#include "RecordingServices.h"
#include "TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TStringList RecipeLines(const QString& longestName, int foods) {
    TStringList lines;
    lines.Add("番茄炒蛋");
    for (int i = 0; i < foods; ++i) lines.Add((i == 0 ? longestName : QString("鸡蛋")) + ",100,144.0");
    return lines;
}

}  // namespace

TEST(PrintRecipe, ColumnsFollowTheLongestFoodName) {
    TRecordingMessageService boxes;
    TTestDatabase db;
    TRecordingPrinter printer;
    DM->PrintRecipe("食谱", RecipeLines("西红柿", 2));
    TCanvas* canvas = printer.Canvas();
    canvas->Font()->SetSize(12);
    canvas->Font()->SetStyle(0);
    const int w = canvas->TextWidth("宽");
    ASSERT_NE(printer.Find("重量(克)"), nullptr);
    EXPECT_EQ(printer.Find("食物名称")->X, 2 * w);
    EXPECT_EQ(printer.Find("重量(克)")->X, 10 * w);  // three characters: L = 6
    EXPECT_EQ(printer.Find("热量(Kcal)")->X, 15 * w);
    EXPECT_EQ(printer.Find("100")->X, 12 * w);
    EXPECT_EQ(printer.Find("144.0")->X, 17 * w);
    EXPECT_EQ(printer.Find("食谱名称： 番茄炒蛋")->FontSize, 13);
    EXPECT_TRUE(printer.Find("食谱")->Bold);
    printer.Texts.clear();
    DM->PrintRecipe("食谱", RecipeLines("西红柿炒鸡蛋盖饭", 2));
    EXPECT_EQ(printer.Find("重量(克)")->X, 12 * w);  // eight characters: L = 8
    EXPECT_EQ(printer.Find("热量(Kcal)")->X, 17 * w);
}

TEST(PrintRecipe, LongListsContinueOnNewPagesWithHeaders) {
    TTestDatabase db;
    TRecordingPrinter printer;
    DM->PrintRecipe("食谱", RecipeLines("鸡蛋", 60));
    EXPECT_EQ(printer.Pages, 2);
    int foods = 0, headers = 0;
    for (const TPrintedText& t : printer.Texts) {
        foods += t.Text == "鸡蛋";
        headers += t.Text == "食物名称";
    }
    EXPECT_EQ(foods, 60);  // nothing is lost past the first page
    EXPECT_EQ(headers, 2);
    EXPECT_EQ(printer.TextsOnPage(2).front().Text, "食物名称");
}

TEST(PrintRecipe, NoPrinterAndEmptyList) {
    TTestDatabase db;
    TRecordingMessageService boxes;
    {
        TRecordingPrinter none(QStringList{});
        DM->PrintRecipe("食谱", RecipeLines("鸡蛋", 1));
        EXPECT_EQ(boxes.LastText(), "没有安装打印机");
        EXPECT_EQ(none.Documents, 0);
    }
    TRecordingPrinter printer;
    DM->PrintRecipe("食谱", TStringList());
    EXPECT_TRUE(printer.Texts.empty());
    EXPECT_EQ(printer.Finished, 1);
}

TEST(ExportGridToText, FourColumnsJoinedByFourBlanks) {
    TTestDatabase db;
    TRecordingMessageService boxes;
    TRecordingFileDialogService dialogs;
    QTemporaryDir dir;
    TStringGrid grid(nullptr);
    grid.SetColCount(5);
    grid.SetRowCount(2);
    const QStringList header{"序号", "名称", "重量", "热量", "隐藏"}, row{"1", "鸡蛋", "50", "72.0", "99"};
    for (int c = 0; c < 5; ++c) {
        grid.SetCells(c, 0, header[c]);
        grid.SetCells(c, 1, row[c]);
    }
    dialogs.Answer(dir.filePath("早餐"));
    DM->ExportGridToText(&grid, "早餐");
    QFile f(dir.filePath("早餐.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), "序号    名称    重量    热量\n1    鸡蛋    50    72.0\n");
    dialogs.Answer(dir.filePath("午餐.txt"));  // already ends in .txt: no second one
    DM->ExportGridToText(&grid, "午餐");
    EXPECT_TRUE(QFile::exists(dir.filePath("午餐.txt")));
    EXPECT_FALSE(QFile::exists(dir.filePath("午餐.txt.txt")));
    dialogs.Cancel();
    DM->ExportGridToText(&grid, "晚餐");
    dialogs.Answer("/nonexistent-folder/x");
    DM->ExportGridToText(&grid, "x");
    EXPECT_TRUE(boxes.LastText().contains("/nonexistent-folder/x.txt"));
}

TEST(ExportGridToText, AnExportThatCannotBeWrittenSaysSoAndKeepsTheEarlierFile) {
    TTestDatabase db;
    TRecordingMessageService boxes;
    TRecordingFileDialogService dialogs;
    QTemporaryDir dir;
    TStringGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(30);
    for (int row = 0; row < 30; ++row)
        for (int c = 0; c < 4; ++c)
            grid.SetCells(c, row, QStringLiteral("鸡蛋%1").arg(row));
    const QString file = dir.filePath("早餐.txt");
    dialogs.Answer(file);
    DM->ExportGridToText(&grid, "早餐");
    const QByteArray earlier = FileBytes(file);
    ASSERT_GT(earlier.size(), 256);
    EXPECT_TRUE(boxes.Boxes.empty());

    grid.SetCells(1, 1, "番茄");
    dialogs.Answer(file);
    {
        TFileSizeLimit full(256);  // the disk fills up in the middle of the export
        DM->ExportGridToText(&grid, "早餐");
    }
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_TRUE(boxes.LastText().startsWith("保存失败")) << qPrintable(boxes.LastText());
    EXPECT_TRUE(boxes.LastText().contains("磁盘空间不足")) << qPrintable(boxes.LastText());
    EXPECT_EQ(FileBytes(file), earlier);
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"早餐.txt"});
}

TEST(Fillers, TreesOfFoodsSetMealsAndRecipes) {
    TTestDatabase db;
    LoadFoodTables();
    TTreeView tree(nullptr);
    DM->FillFoodTree(&tree);
    TTreeNode* wheat = tree.Items()->GetFirstNode()->getFirstChild();
    EXPECT_EQ(tree.Items()->GetFirstNode()->Text(), "谷类及制品");
    EXPECT_EQ(wheat->Text(), "小麦");
    EXPECT_EQ(wheat->getFirstChild()->Text(), "小麦");
    EXPECT_EQ(wheat->getFirstChild()->StateIndex(), 1);
    int foods = 0;
    for (int i = 0; i < tree.Items()->Count(); ++i) foods += tree.Items()->Item(i)->Level() == 2;
    EXPECT_EQ(foods, 1849);

    TStringList items;
    items.Add("0,1,100,1");
    const int plain = DM->SaveSetMealWithItems("午餐", "无星期套餐", "", 0, 0, items);
    const int monday = DM->SaveSetMealWithItems("午餐", "周一午餐", "星期一", 0, 0, items);
    TTreeView meals(nullptr);
    DM->FillSetMealTree(&meals);
    TTreeNode* lunch = meals.Items()->GetFirstNode()->getNextSibling()->getNextSibling();
    EXPECT_EQ(lunch->Text(), "午餐");
    EXPECT_EQ(lunch->StateIndex(), 3);
    bool found = false;
    for (TTreeNode* n = lunch->getFirstChild(); n; n = n->getNextSibling()) found |= n->StateIndex() == plain;
    EXPECT_TRUE(found);  // a set meal without weekday sits under its meal class at the top
    TTreeNode* mondayNode = meals.Items()->GetFirstNode();
    for (int i = 0; i < 6; ++i) mondayNode = mondayNode->getNextSibling();
    EXPECT_EQ(mondayNode->Text(), "星期一");
    TTreeNode* mondayLunch = mondayNode->Item(2);
    EXPECT_EQ(mondayLunch->Item(mondayLunch->Count() - 1)->StateIndex(), monday);

    TStringList foodsOfRecipe;
    foodsOfRecipe.Add("0,1,100");
    const int recipe = DM->SaveRecipeWithFoods("粥类", "煮", "1", 0, 0, "", "测试粥", foodsOfRecipe);
    TTreeView recipes(nullptr);
    DM->FillRecipeTree(&recipes);
    TTreeNode* porridge = recipes.Items()->GetFirstNode()->getNextSibling();
    EXPECT_EQ(porridge->Text(), "粥类");
    const TFdRcd* record = nullptr;
    for (TTreeNode* n = porridge->getFirstChild(); n; n = n->getNextSibling())
        if (static_cast<TFdRcd*>(n->Data())->RecID == recipe) record = static_cast<TFdRcd*>(n->Data());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->PY, "CSZ");
    EXPECT_EQ(record->RecFlag, 1);
}

TEST(Fillers, GridsRowsAndDeletion) {
    TTestDatabase db;
    LoadFoodTables();
    TStringList foods;
    foods.Add("0,1,100");
    foods.Add("0,2,50");
    const int recipe = DM->SaveRecipeWithFoods("米饭", "蒸", "1", 0, 0, "", "双谷饭", foods);
    TStringGrid grid(nullptr);
    grid.SetColCount(5);
    ASSERT_TRUE(DM->FillRecipeFoodGrid(&grid, recipe));
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cells(1, 1), "小麦");
    EXPECT_EQ(grid.Cells(3, 1), "338.0");
    EXPECT_EQ(grid.Cells(4, 2), "2");
    DeleteGridRow(1, &grid, 1);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cells(1, 1), "五谷香");
    EXPECT_EQ(grid.Cells(0, 1), "1");
    DeleteGridRow(1, &grid, 1);  // the only data row of a two-row grid
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_FALSE(DM->FillRecipeFoodGrid(&grid, 987654));
    EXPECT_EQ(DM->FindFreeGridRow(&grid, 1), 1);
    grid.SetCells(1, 1, "x");
    EXPECT_EQ(DM->FindFreeGridRow(&grid, 1), 2);
    EXPECT_EQ(grid.RowCount(), 3);

    db.Exec("update UInfo set Sex = '女', Bth = '1990-05-06', SG = 160, TZ = 52.5, HT = 1");
    TStringGrid users(nullptr);
    users.SetColCount(15);
    DM->FillUserGrid(&users);
    EXPECT_EQ(users.RowCount(), 2);
    EXPECT_EQ(users.Cells(1, 1), "女");
    EXPECT_TRUE(users.Cells(2, 1).endsWith("岁"));
    EXPECT_EQ(users.Cells(5, 1), "5");
    EXPECT_EQ(users.Cells(8, 1), "52.5");
}
