#include "FoodTable.h"
#include "RecordingServices.h"
#include "SiteAddresses.h"
#include "TestDatabase.h"
#include "UnitYYSTop.h"
#include "WidgetInput.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class NutrientRankings : public testing::Test {
protected:
    void SetUp() override {
        LoadFoodTables();
        Form = std::make_unique<TFrm_FDYY>(Application);
        Form->ShowForm();
    }

    void Choose(int nutrient) {
        Form->Lst_YYS->SetItemIndex(nutrient);
        Form->Lst_YYS->OnClick(Form->Lst_YYS);
    }
    // Picks N in a count box as the user does.
    void Count(TComboBox* box, int n) {
        box->SetItemIndex(n / 10 - 1);
        box->OnChange(box);
    }
    static int Filled(TStringGrid* grid) {
        int rows = 0;
        for (int r = 1; r < grid->RowCount(); ++r)
            rows += !grid->Cells(0, r).isEmpty();
        return rows;
    }

    TTestDatabase Db;
    TRecordingShellService Shell;
    TRecordingMessageService Boxes;
    std::unique_ptr<TFrm_FDYY> Form;
};

TEST_F(NutrientRankings, OpensOnEnergyWithTheOilsFirst) {
    ASSERT_EQ(Form->Lst_YYS->Count(), 26);
    EXPECT_EQ(Form->Lst_YYS->Items()->Strings(25), "硒");
    EXPECT_EQ(Form->Lst_YYS->ItemIndex(), 0);
    EXPECT_EQ(Form->CB_TT->Text(), "20");
    EXPECT_EQ(Form->CB_TD->Text(), "20");
    EXPECT_EQ(Form->lblTT->Caption(), "显示前           种含能量高的食物");
    EXPECT_EQ(Form->lblTD->Caption(), "显示前           种含能量低的食物");
    EXPECT_EQ(Form->SG_Top1->Cells(0, 0), "食物名称");
    EXPECT_EQ(Form->SG_Top1->Cells(1, 0), "能量含量(kcal)");
    EXPECT_EQ(Form->SG_Top1->RowCount(), 21);
    EXPECT_EQ(Filled(Form->SG_Top1), 20);
    EXPECT_EQ(Filled(Form->SG_Top2), 20);
    EXPECT_EQ(Form->SG_Top1->Cells(1, 1), "900");
    // The composition table's richest in energy, 900 kcal, first in table order: sesame oil, food 1815.
    EXPECT_EQ(Form->SG_Top1->Cells(0, 1), "胡麻油");
    EXPECT_EQ(Form->SG_Top1->Cells(2, 1), "1815");
    // Richest first, poorest first.
    EXPECT_GE(Form->SG_Top1->Cells(1, 1).toDouble(), Form->SG_Top1->Cells(1, 20).toDouble());
    EXPECT_LE(Form->SG_Top2->Cells(1, 1).toDouble(), Form->SG_Top2->Cells(1, 20).toDouble());
}

TEST_F(NutrientRankings, TheMouseTheArrowsAndTypingChooseTheNutrientAndTheCount) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
    QWidget* list = Form->Lst_YYS->Widget();
    const TRect fat = Form->Lst_YYS->ItemRect(2);
    QTest::mouseClick(Viewport(Form->Lst_YYS), Qt::LeftButton, {}, QPoint(fat.Left + 5, fat.Top + 3));
    EXPECT_EQ(Form->SG_Top1->Cells(1, 0), "脂肪含量(g)");
    PressKey(list, Qt::Key_Down);
    EXPECT_EQ(Form->Lst_YYS->ItemIndex(), 3);
    EXPECT_EQ(Form->SG_Top1->Cells(1, 0), "碳水化合物含量(g)");
    PressKey(list, Qt::Key_unknown, "铁");  // the list finds the nutrient typed, and the rankings follow
    EXPECT_EQ(Form->Lst_YYS->ItemIndex(), 22);
    EXPECT_EQ(Form->SG_Top1->Cells(1, 0), "铁含量(mg)");
    EXPECT_EQ(Form->SG_Top2->Cells(1, 0), "铁含量(mg)");
    // The count box's next item, 30, with the arrow key.
    PressKey(Form->CB_TT->Widget(), Qt::Key_Down);
    EXPECT_EQ(Form->CB_TT->Text(), "30");
    EXPECT_EQ(Filled(Form->SG_Top1), 30);
    EXPECT_EQ(Filled(Form->SG_Top2), 20);
    PressKey(Form->CB_TD->Widget(), Qt::Key_5, "5");  // the first count beginning with 5
    EXPECT_EQ(Form->CB_TD->Text(), "50");
    EXPECT_EQ(Filled(Form->SG_Top2), 50);
}

TEST_F(NutrientRankings, SeleniumWith150ShowsTheWholeList) {
    Choose(25);
    Count(Form->CB_TD, 150);
    EXPECT_EQ(Form->SG_Top2->RowCount(), 151);
    EXPECT_EQ(Filled(Form->SG_Top2), 150);
    // In the composition table, 150th from the poorest in selenium (equal amounts in table order) is
    // the white long aubergine, food 257, with 0.16 ug.
    EXPECT_EQ(Form->SG_Top2->Cells(0, 150), "茄子（白皮、长）");
    EXPECT_EQ(Form->SG_Top2->Cells(1, 150), "0.16");
    EXPECT_EQ(Form->SG_Top2->Cells(2, 150), "257");
    EXPECT_EQ(Form->SG_Top2->Cells(1, 0), "硒含量(ug)");
    // The richest list keeps its 20.
    EXPECT_EQ(Filled(Form->SG_Top1), 20);
}

TEST_F(NutrientRankings, ChangingOneCountRefillsBothListsForTheSameNutrient) {
    Choose(14);  // vitamin C
    Count(Form->CB_TD, 30);
    Count(Form->CB_TT, 10);
    EXPECT_EQ(Form->lblTT->Caption(), "显示前           种含维生素C高的食物");
    EXPECT_EQ(Form->SG_Top1->RowCount(), 11);
    EXPECT_EQ(Filled(Form->SG_Top1), 10);
    EXPECT_EQ(Filled(Form->SG_Top2), 30);
    // The composition table's richest in vitamin C is the prickly pear, food 718, with 2585 mg; among the
    // foods without any, the 30th in table order is food 30.
    EXPECT_EQ(Form->SG_Top1->Cells(0, 1), "刺梨 [茨梨，木梨子]");
    EXPECT_EQ(Form->SG_Top1->Cells(2, 1), "718");
    EXPECT_EQ(Form->SG_Top1->Cells(1, 1).toDouble(), 2585);
    EXPECT_EQ(Form->SG_Top2->Cells(2, 30), "30");
    EXPECT_EQ(Form->SG_Top2->Cells(1, 30).toDouble(), 0);
}

TEST_F(NutrientRankings, NutrientsWithoutValuesGiveEmptyLists) {
    Choose(12);  // vitamin B12: the food data has none
    Count(Form->CB_TT, 150);
    EXPECT_EQ(Form->SG_Top1->RowCount(), 151);
    EXPECT_EQ(Filled(Form->SG_Top1), 0);
    EXPECT_EQ(Filled(Form->SG_Top2), 0);
    EXPECT_EQ(Form->SG_Top1->Cells(1, 0), "维生素B12含量(mg)");
}

TEST_F(NutrientRankings, LinesNamingNoFoodAreLeftOut) {
    Form->M_YYS->Lines()->Assign(
        {"000,99999,950", "000,abc,940", "000,0,930", "000,-3,920", "000,7,10.5", "010,8,0.01", "0010,9,1"});
    Count(Form->CB_TT, 10);
    EXPECT_EQ(Filled(Form->SG_Top1), 1);
    EXPECT_EQ(Form->SG_Top1->Cells(0, 1), FoodByID(7).Name);
    EXPECT_EQ(Form->SG_Top1->Cells(1, 1), "10.5");
    // "0010" belongs to nutrient 10, not to energy.
    EXPECT_EQ(Filled(Form->SG_Top2), 1);
    EXPECT_EQ(Form->SG_Top2->Cells(1, 1), "0.01");
}

TEST_F(NutrientRankings, RightClickSelectsTheRowUnderTheMouseFromRow1) {
    for (TStringGrid* grid : {Form->SG_Top1, Form->SG_Top2}) {
        for (int row : {3, 1}) {
            const TRect cell = grid->CellRect(1, row);
            QTest::mouseClick(grid->Widget(), Qt::RightButton, {}, QPoint(cell.Left + 5, cell.Top + 5));
            EXPECT_EQ(grid->Row(), row) << grid->Name().toStdString();
        }
        // The heading row is not a food.
        const TRect heading = grid->CellRect(1, 0);
        QTest::mouseClick(grid->Widget(), Qt::RightButton, {}, QPoint(heading.Left + 5, heading.Top + 5));
        EXPECT_EQ(grid->Row(), 1);
    }
}

TEST_F(NutrientRankings, ExplanationOpensTheNutrientPageOfTheItemUnderTheMouse) {
    const TRect item = Form->Lst_YYS->ItemRect(22);  // iron, page 16
    Form->Lst_YYS->OnMouseDown(Form->Lst_YYS, mbRight, 0, item.Left + 5, item.Top + 3);
    EXPECT_EQ(Form->Lst_YYS->ItemIndex(), 22);
    Form->N2->Click();
    ASSERT_EQ(Shell.Opened.size(), 1u);
    EXPECT_EQ(Shell.Opened[0], InfoSiteRoot() + "/zhongyao/yys-16.htm");
    EXPECT_TRUE(Boxes.Boxes.empty());
    // A desktop without a program for the page says so.
    Shell.Succeeds = false;
    Form->N2->Click();
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_TRUE(Boxes.LastText().contains(InfoSiteRoot() + "/zhongyao/yys-16.htm"));
    EXPECT_EQ(Boxes.LastCaption(), "信息提示");
}

}  // namespace
