// The set meals driven as a user would: the tree and view, the maker, changing, deleting, printing,
// exporting, and a set meal as the daily food records take it.
#include "FileSizeLimit.h"
#include "GridInput.h"
#include "FoodTable.h"
#include "MealEditing.h"
#include "ProgramImages.h"
#include "RecordingFileDialog.h"
#include "RecordingPrinter.h"
#include "RecordingServices.h"
#include "TestDatabase.h"
#include "UnitTaoCan.h"
#include "WindowInput.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SetMeals : public testing::Test {
protected:
    void SetUp() override {
        LoadFoodTables();
        DM->UID = Db.Scalar("select UID from UInfo limit 1");
        Meals = new TFrm_TaoCan(Application);
        Frm_TaoCan = Meals;
        Meals->ShowForm();
        Meals->Timer1Timer(Meals->Timer1);
    }
    void TearDown() override {
        delete Meals;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The node of a set meal (or group) by the texts on its way down from the root.
    TTreeNode* Path(std::initializer_list<QString> texts) {
        TTreeNode* node = nullptr;
        for (const QString& text : texts) {
            TTreeNode* child = node ? node->getFirstChild() : Meals->TV_TC->Items()->GetFirstNode();
            while (child && child->Text() != text)
                child = child->getNextSibling();
            if (!child) return nullptr;
            node = child;
        }
        return node;
    }
    void Select(std::initializer_list<QString> texts) {
        TTreeNode* node = Path(texts);
        ASSERT_NE(node, nullptr);
        Meals->TV_TC->SetSelected(node);
    }
    void AddFood(const QString& name) {
        Meals->PCSS->SetActivePage(Meals->TabSheet1);
        ASSERT_TRUE(SelectNodeByText(Meals->TV_FD, name, 2)) << name.toStdString();
        Meals->Btn_Add->Click();
    }
    void AddRecipe(const QString& name) {
        Meals->PCSS->SetActivePage(Meals->TabSheet2);
        ASSERT_TRUE(SelectNodeByText(Meals->TV_FD1, name, 1)) << name.toStdString();
        Meals->Btn_Add->Click();
    }
    void TypeWeight(int row, const QString& keys) {
        ClickCell(Meals->SG_FD2, 2, row);
        for (QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    static QStringList Column(TStringGrid* grid, int col) {
        QStringList texts;
        for (int row = 1; row < grid->RowCount(); ++row)
            texts << grid->Cells(col, row);
        return texts;
    }
    QString SetMealId(const QString& name) {
        return Db.Scalar("select ID from SPTC where SPName = :N", {{"N", name}});
    }

    TTestDatabase Db;
    TRecordingMessageService Boxes;
    TFrm_TaoCan* Meals = nullptr;
};

}  // namespace

TEST_F(SetMeals, ShowsASetMealUnderItsWeekdayWithFoodsFirst) {
    ASSERT_NE(Path({"星期一", "早餐", "牛奶花卷早餐"}), nullptr);
    ASSERT_NE(Path({"早餐", "快手早餐"}), nullptr);  // no weekday: under its meal class at the top
    Select({"星期一", "早餐", "牛奶花卷早餐"});
    EXPECT_EQ(Meals->lblsptc->Caption(), "【牛奶花卷早餐】成分：");
    EXPECT_EQ(Column(Meals->SG_FDC, 1),
              QStringList({"纯牛奶（代表值，全脂）", "鸡蛋（煮）", "葱油花卷", ""}));
    EXPECT_EQ(Column(Meals->SG_FDC, 5), QStringList({"1", "1", "2", ""}));
    EXPECT_EQ(Meals->SG_FDC->Cells(3, 1), "162.5");  // 250 g at 65 kcal
    EXPECT_EQ(Meals->SG_FDC->Cells(3, 2), "71.5");
    // The recipe row is its own portion: 115 g of a 230 g recipe of 797.3 kcal.
    EXPECT_EQ(Meals->SG_FDC->Cells(3, 3).left(4), "398.");
    EXPECT_EQ(Meals->SG_FDC->Cells(2, 4), "热量合计");
    EXPECT_EQ(Meals->SG_FDC->Cells(3, 4), "633Kcal");

    // Groups show nothing and leave the title; so does an empty meal under a weekday.
    for (auto path : {std::initializer_list<QString>{"星期一"}, {"星期一", "早餐"}, {"星期一", "早加餐"}}) {
        Select(path);
        EXPECT_EQ(Meals->SG_FDC->Cells(1, 1), "");
        EXPECT_EQ(Meals->lblsptc->Caption(), "【牛奶花卷早餐】成分：");
    }
    Meals->btnModifyTC->Click();
    EXPECT_EQ(Boxes.LastText(), "套餐没有内容，不能修改");
}

TEST_F(SetMeals, ASetMealOfNoEnergyHasNoTotalRowAndChangesWhole) {
    Db.Exec("insert into SPTC (SPCls, SPName, PY, WK) values ('午加餐', '清水', 'QS', '')");
    Db.Exec("insert into SPTCTxt (SPID, FdID, FdNet, CFlg) values (:S, 430, 100, 1)",
            {{"S", SetMealId("清水")}});
    Meals->N1->Click();
    Meals->Timer1Timer(Meals->Timer1);
    Select({"午加餐", "清水"});
    EXPECT_EQ(Meals->SG_FDC->RowCount(), 2);
    EXPECT_EQ(Meals->SG_FDC->Cells(1, 1), "白花菜");
    // Without a total row the last item still goes into the maker.
    Meals->btnModifyTC->Click();
    EXPECT_EQ(Column(Meals->SG_FD1, 1), QStringList({"白花菜"}));
}

TEST_F(SetMeals, MakesASetMealInThreeStepsAndASecondSaveUpdatesIt) {
    Meals->btnMakeTC->Click();
    ASSERT_EQ(Meals->PC->ActivePage(), Meals->T2);
    EXPECT_EQ(Meals->CB_SPC->ItemIndex(), -1);
    // The food and the recipe results take one place on their tabs.
    EXPECT_EQ(Meals->TVSPS->BoundsRect(), Meals->SG_SrcRlt->BoundsRect());
    Meals->btnStep1->Click();
    EXPECT_EQ(Boxes.LastText(), "没有选择食物。");
    AddFood("苹果（代表值）");
    AddRecipe("西瓜汁");
    AddRecipe("西瓜汁");
    EXPECT_EQ(Boxes.LastText(), "西瓜汁已选中");
    EXPECT_EQ(Column(Meals->SG_FD1, 1), QStringList({"苹果（代表值）", "西瓜汁"}));
    Meals->btnStep1->Click();
    ASSERT_EQ(Meals->PC->ActivePage(), Meals->T3);
    EXPECT_EQ(Column(Meals->SG_FD2, 2), QStringList({"", "", ""}));
    TypeWeight(1, "200");
    TypeWeight(2, "200");
    EXPECT_EQ(Meals->SG_FD2->Cells(3, 1), "106.0");  // 53 kcal per 100 g
    EXPECT_EQ(Meals->SG_FD2->Cells(3, 2), "62.0");   // half of the 400 g juice's 124 kcal
    EXPECT_EQ(Meals->SG_FD2->Cells(3, 3), "168.0");

    const QString before = Db.Scalar("select count(*) from SPTC");
    Meals->btnSaveTC->Click();
    EXPECT_EQ(Boxes.LastText(), "套餐名称没有填写");
    Meals->ED_SPN->SetText("水果加餐");
    Meals->btnSaveTC->Click();
    EXPECT_EQ(Boxes.LastText(), "套餐类别没有选择");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTC"), before);
    Meals->CB_SPC->SetText("午加餐");
    Meals->cbbWK->SetText("星期三");
    Meals->btnSaveTC->Click();
    EXPECT_EQ(Boxes.LastText(), "套餐保存成功");
    const QString id = SetMealId("水果加餐");
    EXPECT_EQ(Db.Scalar("select SPCls || '|' || WK || '|' || PY from SPTC where ID = :I", {{"I", id}}),
              "午加餐|星期三|SGJC");
    EXPECT_EQ(
        Db.Scalar("select group_concat(CFlg || ':' || FdNet, ' ') from SPTCTxt where SPID = :I", {{"I", id}}),
        "1:200.0 2:200.0");
    TypeWeight(1, "150");
    Meals->btnSaveTC->Click();
    EXPECT_EQ(Db.Scalar("select count(*) from SPTC where SPName = '水果加餐'"), "1");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTCTxt where SPID = :I", {{"I", id}}), "2");

    Meals->btnSPDir2->Click();
    EXPECT_EQ(Meals->PC->ActivePage(), Meals->T1);
    Meals->Timer1Timer(Meals->Timer1);
    EXPECT_NE(Path({"星期三", "午加餐", "水果加餐"}), nullptr);
}

TEST_F(SetMeals, ClipboardKeysWorkInTheWeightEditorAndNowhereElse) {
    Meals->btnMakeTC->Click();
    AddFood("苹果（代表值）");
    Meals->btnStep1->Click();
    ClickCell(Meals->SG_FD2, 2, 1);
    CheckClipboardKeysInCell(Meals->SG_FD2, "1");
    EXPECT_EQ(Meals->SG_FD2->Cells(3, 1), "588.8");  // 53 kcal per 100 g
}

TEST_F(SetMeals, TwoQuickClicksOnAddAreTwoClicks) {
    Meals->btnMakeTC->Click();
    Meals->PCSS->SetActivePage(Meals->TabSheet1);
    ASSERT_TRUE(SelectFoodNode(Meals->TV_FD, 1313));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Meals->Widget()));
    DoubleClick(Meals->Btn_Add->Widget(), QPoint(20, 10));
    // The first adds the food, the second finds it chosen already.
    EXPECT_EQ(Column(Meals->SG_FD1, 1), QStringList({"奶油"}));
    EXPECT_EQ(Boxes.LastText(), "奶油已选中");
}

TEST_F(SetMeals, ItemsOfOneNameAreToldApartByKindAndId) {
    // A recipe named like a food, and the food table's two foods named 奶油.
    Db.Exec(
        "insert into SPInfo (SPCls, SPP, SPName, PY, SPZF, CFlg) values ('点心', '蒸', '奶油', 'NY', '', 1)");
    Meals->N1->Click();
    Meals->Timer1Timer(Meals->Timer1);
    Meals->btnMakeTC->Click();
    for (int id : {1313, 1320, 1313}) {
        Meals->PCSS->SetActivePage(Meals->TabSheet1);
        ASSERT_TRUE(SelectFoodNode(Meals->TV_FD, id));
        Meals->Btn_Add->Click();
    }
    EXPECT_EQ(Boxes.LastText(), "奶油已选中");
    const size_t boxes = Boxes.Boxes.size();
    AddRecipe("奶油");
    EXPECT_EQ(Boxes.Boxes.size(), boxes);
    EXPECT_EQ(Column(Meals->SG_FD1, 1), QStringList({"奶油", "奶油", "奶油"}));
    EXPECT_EQ(Column(Meals->SG_FD1, 5), QStringList({"1", "1", "2"}));
    EXPECT_EQ(Meals->SG_FD1->Cells(6, 2), "1320");
}

TEST_F(SetMeals, ChangesASetMealThenANewOneStartsEmpty) {
    const QString id = SetMealId("牛奶花卷早餐");
    Select({"星期一", "早餐", "牛奶花卷早餐"});
    Meals->btnModifyTC->Click();
    ASSERT_EQ(Meals->PC->ActivePage(), Meals->T2);
    EXPECT_EQ(Column(Meals->SG_FD1, 1), QStringList({"纯牛奶（代表值，全脂）", "鸡蛋（煮）", "葱油花卷"}));
    EXPECT_EQ(Column(Meals->SG_FD1, 4), QStringList({"250", "50", "115"}));
    EXPECT_EQ(Meals->CB_SPC->Text(), "早餐");
    EXPECT_EQ(Meals->cbbWK->Text(), "星期一");
    Meals->btnStep1->Click();
    EXPECT_EQ(Meals->ED_SPN->Text(), "牛奶花卷早餐");
    EXPECT_EQ(Column(Meals->SG_FD2, 2), QStringList({"250", "50", "115", "热量合计"}));
    // Removing an item rewrites the total.
    Meals->SG_FD2->SetRow(2);
    Meals->N17->Click();
    EXPECT_EQ(Column(Meals->SG_FD2, 1), QStringList({"纯牛奶（代表值，全脂）", "葱油花卷", ""}));
    Meals->ED_SPN->SetText("牛奶花卷");
    Meals->btnSaveTC->Click();
    EXPECT_EQ(Boxes.LastText(), "套餐保存成功");
    EXPECT_EQ(Db.Scalar("select SPName || '|' || SPCls || '|' || WK from SPTC where ID = :I", {{"I", id}}),
              "牛奶花卷|早餐|星期一");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTCTxt where SPID = :I", {{"I", id}}), "2");

    // A new set meal after a change starts from nothing and leaves the changed one alone.
    Meals->btnSPDir2->Click();
    Meals->btnMakeTC->Click();
    EXPECT_EQ(Meals->ED_SPN->Text(), "");
    EXPECT_EQ(Meals->CB_SPC->ItemIndex(), -1);
    EXPECT_EQ(Meals->cbbWK->Text(), "");
    AddFood("香蕉 [甘蕉]");
    Meals->btnStep1->Click();
    EXPECT_EQ(Meals->ED_SPN->Text(), "");
    TypeWeight(1, "100");
    Meals->ED_SPN->SetText("一根香蕉");
    Meals->CB_SPC->SetText("晚加餐");
    Meals->btnSaveTC->Click();
    EXPECT_EQ(Db.Scalar("select WK from SPTC where SPName = '一根香蕉'"), "");
    EXPECT_EQ(Db.Scalar("select SPName from SPTC where ID = :I", {{"I", id}}), "牛奶花卷");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTCTxt where SPID = :I", {{"I", id}}), "2");
}

TEST_F(SetMeals, BackFromTheMakerTheTitleAndItemsAreThoseOfOneSetMeal) {
    const QString id = SetMealId("牛奶花卷早餐");
    Select({"星期一", "早餐", "牛奶花卷早餐"});
    // Back from step 1 without a change: the same set meal, whole.
    Meals->btnModifyTC->Click();
    Meals->btnSPDir->Click();
    Meals->Timer1Timer(Meals->Timer1);
    EXPECT_EQ(Meals->lblsptc->Caption(), "【牛奶花卷早餐】成分：");
    EXPECT_EQ(Column(Meals->SG_FDC, 1),
              QStringList({"纯牛奶（代表值，全脂）", "鸡蛋（煮）", "葱油花卷", ""}));
    // Changed and saved: the view shows what the set meal now holds.
    Meals->btnModifyTC->Click();
    Meals->btnStep1->Click();
    Meals->SG_FD2->SetRow(2);
    Meals->N17->Click();
    Meals->btnSaveTC->Click();
    ASSERT_EQ(Boxes.LastText(), "套餐保存成功");
    Meals->btnSPDir2->Click();
    Meals->Timer1Timer(Meals->Timer1);
    EXPECT_EQ(Meals->lblsptc->Caption(), "【牛奶花卷早餐】成分：");
    EXPECT_EQ(Column(Meals->SG_FDC, 1), QStringList({"纯牛奶（代表值，全脂）", "葱油花卷", ""}));
    // A set meal that is gone leaves no title over an empty grid.
    Db.Exec("delete from SPTC where ID = :I", {{"I", id}});
    Meals->btnMakeTC->Click();
    Meals->btnSPDir->Click();
    Meals->Timer1Timer(Meals->Timer1);
    EXPECT_EQ(Meals->lblsptc->Caption(), "");
    EXPECT_EQ(Meals->SG_FDC->Cells(1, 1), "");
}

TEST_F(SetMeals, SetMealsAndRecipesShowTheItemIconNotTheFolder) {
    TComponent owner;
    TImageList* icons = CreateTreeImages(&owner);  // 0 a group, 2 an item, 3 an item chosen
    auto iconOf = [](TCustomTreeView* tree, TTreeNode* node, bool chosen) {
        return tree->Images()->Image(chosen ? node->SelectedIndex() : node->ImageIndex());
    };
    TTreeNode* meal = Path({"星期一", "早餐", "牛奶花卷早餐"});
    ASSERT_NE(meal, nullptr);
    EXPECT_EQ(iconOf(Meals->TV_TC, meal, false), icons->Image(2));
    EXPECT_EQ(iconOf(Meals->TV_TC, meal, true), icons->Image(3));
    EXPECT_EQ(iconOf(Meals->TV_TC, meal->Parent(), false), icons->Image(0));
    // The maker's recipe tree alike.
    TTreeNode* recipe = Meals->TV_FD1->Items()->Item(1);
    ASSERT_EQ(recipe->Level(), 1);
    EXPECT_EQ(iconOf(Meals->TV_FD1, recipe, false), icons->Image(2));
    EXPECT_EQ(iconOf(Meals->TV_FD1, recipe->Parent(), false), icons->Image(0));
}

TEST_F(SetMeals, DeletesOnlyFromTheSetMealTree) {
    const QString id = SetMealId("快手早餐");
    Select({"早餐", "快手早餐"});
    auto popupFrom = [&](TComponent* tree) {
        SetPopupHook([&](TPopupMenu* menu, int, int) {
            if (Meals->N4->Visible()) Meals->N4->Click();
            (void)menu;
        });
        Meals->PopupMenu1->SetPopupComponent(tree);
        Meals->PopupMenu1->Popup(0, 0);
        SetPopupHook(nullptr);
    };
    // From the maker's recipe tree the menu offers no delete, and its item does nothing there.
    popupFrom(Meals->TV_FD1);
    EXPECT_FALSE(Meals->N4->Visible());
    Meals->N4Click(Meals->N4);
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_EQ(Db.Scalar("select count(*) from SPTC where ID = :I", {{"I", id}}), "1");

    Boxes.Answers = {IDCANCEL};
    popupFrom(Meals->TV_TC);
    EXPECT_EQ(Boxes.LastText(), "是否删除饮食套餐【快手早餐】");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTC where ID = :I", {{"I", id}}), "1");
    popupFrom(Meals->TV_TC);
    EXPECT_EQ(Db.Scalar("select count(*) from SPTC where ID = :I", {{"I", id}}), "0");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTCTxt where SPID = :I", {{"I", id}}), "0");
    EXPECT_EQ(Path({"早餐", "快手早餐"}), nullptr);
}

TEST_F(SetMeals, PrintsAndExportsTheShownSetMeal) {
    TRecordingPrinter printer;
    TRecordingFileDialogService dialogs;
    QTemporaryDir dir;
    Meals->btnPrtSP->Click();
    EXPECT_EQ(Boxes.LastText(), "没有套餐内容，不能打印");
    Meals->btnOutSP->Click();
    EXPECT_EQ(Boxes.LastText(), "没有套餐内容，不能导出。");
    EXPECT_EQ(printer.Documents, 0);

    Select({"星期日", "晚餐", "清淡晚餐"});
    Meals->btnPrtSP->Click();
    ASSERT_EQ(printer.Documents, 1);
    EXPECT_NE(printer.Find("饮食套餐"), nullptr);
    EXPECT_NE(printer.Find("食谱名称： 【清淡晚餐】成分："), nullptr);
    TCanvas measure;
    measure.Font()->SetSize(12);
    const int w = measure.TextWidth("宽");
    // The longest name, 蒜蓉西兰花, has 5 characters.
    EXPECT_EQ(printer.Find("重量(克)")->X, 9 * w);
    EXPECT_EQ(printer.Find("清蒸鲈鱼")->X, 2 * w);
    EXPECT_EQ(printer.Find("180")->X, 11 * w);
    EXPECT_EQ(printer.Find("热量合计"), nullptr);

    dialogs.Answer(dir.filePath("晚餐.txt"));
    Meals->btnOutSP->Click();
    EXPECT_EQ(dialogs.Requests.at(0).FileName, "【清淡晚餐】成分：");
    QFile file(dir.filePath("晚餐.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[1].startsWith("1    二米饭    100    348.2"));
    EXPECT_TRUE(lines[4].trimmed().startsWith("热量合计    "));

    // Exported again onto a full disk: the box says so and the first export is still whole.
    file.close();
    const QByteArray first = FileBytes(file.fileName());
    dialogs.Answer(dir.filePath("晚餐.txt"));
    {
        TFileSizeLimit full(16);
        Meals->btnOutSP->Click();
    }
    EXPECT_TRUE(Boxes.LastText().startsWith("保存失败")) << qPrintable(Boxes.LastText());
    EXPECT_EQ(FileBytes(file.fileName()), first);
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"晚餐.txt"});
}

TEST_F(SetMeals, ASavedSetMealIsWhatTheDailyFoodRecordsTake) {
    Meals->btnMakeTC->Click();
    AddFood("鸡蛋（煮）");
    AddRecipe("南瓜小米粥");
    Meals->btnStep1->Click();
    TypeWeight(1, "50");
    TypeWeight(2, "95");
    Meals->ED_SPN->SetText("我的早餐");
    Meals->CB_SPC->SetText("早餐");
    Meals->btnSaveTC->Click();
    const QString id = SetMealId("我的早餐");

    // The food records pick set meals from the data module's set-meal tree...
    TTreeView tree(nullptr);
    DM->FillSetMealTree(&tree);
    TTreeNode* node = FindNodeByText(&tree, "我的早餐");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(FindNodeByText(&tree, "没有的套餐"), nullptr);
    EXPECT_EQ(FindNodeByText(&tree, "我的早餐", 0), nullptr);  // it lies a level down
    ASSERT_TRUE(SelectNodeByText(&tree, "早餐", 0));           // the tree's first node
    EXPECT_EQ(tree.Selected(), tree.Items()->GetFirstNode());
    EXPECT_FALSE(SelectNodeByText(&tree, "我的早餐", 0));
    EXPECT_TRUE(IsSetMealNode(node));
    EXPECT_EQ(node->Parent()->Text(), "早餐");
    EXPECT_EQ(node->StateIndex(), id.toInt());
    // ...and take its items, foods and recipes, with their weights.
    EXPECT_EQ(Db.Scalar("select group_concat(Name || ':' || FdNet, ' ') from ("
                        "select A.Food_Name as Name, B.FdNet From Food A, SPTCTxt B Where A.ID = B.FdID "
                        "And B.SPID = :I And B.CFlg = 1 Union All "
                        "select A.SPName, B.FdNet From SPInfo A, SPTCTxt B Where A.ID = B.FdID "
                        "And B.SPID = :I And B.CFlg = 2)",
                        {{"I", id}}),
              "鸡蛋（煮）:50.0 南瓜小米粥:95.0");
}

TEST_F(SetMeals, NamesAndWeightsAreCheckedBeforeASetMealIsStored) {
    Meals->btnMakeTC->Click();
    AddFood("苹果（代表值）");
    Meals->btnStep1->Click();
    ASSERT_EQ(Meals->PC->ActivePage(), Meals->T3);
    TypeWeight(1, "200");
    Meals->CB_SPC->SetText("午加餐");
    const QString before = Db.Scalar("select count(*) from SPTC");
    auto save = [&](const QString& name) {
        Meals->ED_SPN->SetText(name);
        Meals->btnSaveTC->Click();
        return Boxes.LastText();
    };
    EXPECT_EQ(save(QString("水果") + QChar(0) + "加餐"), "套餐名称不能包含换行符等控制字符");
    EXPECT_EQ(save("水果\r\n加餐"), "套餐名称不能包含换行符等控制字符");
    EXPECT_EQ(save(QString(17, QChar(0x679C))), "套餐名称不能超过16个字");
    Meals->SG_FD2->SetCells(2, 1, "-200");
    EXPECT_EQ(save("水果加餐"), "苹果（代表值）重量输入有误");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTC"), before);
    Meals->SG_FD2->SetCells(2, 1, "200");
    EXPECT_EQ(save(QString(16, QChar(0x679C))), "套餐保存成功");
}
