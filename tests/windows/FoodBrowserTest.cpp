#include "FoodTable.h"
#include "GetPY.h"
#include "PaintRecorder.h"
#include "RecordingServices.h"
#include "TestDatabase.h"
#include "UnitFoodList.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A food line of the test's own table: value k is k + 0.25, except those left empty (no value).
QString FoodLine(int id, const QString& code, const QString& name, std::initializer_list<int> empty = {}) {
    QStringList fields{QString::number(id), code, name};
    for (int k = 0; k < FoodValueCount; ++k)
        fields << (std::find(empty.begin(), empty.end(), k) != empty.end() ? QString()
                                                                           : QString::number(k + 0.25));
    return fields.join(',');
}

class FoodBrowser : public testing::Test {
protected:
    void TearDown() override {
        Form.reset();
        LoadFoodTables();
    }

    // Opens the browser as the main window does and lets its timer fill the tree.
    TFrm_FD* Open() {
        Form = std::make_unique<TFrm_FD>(Application);
        Form->ShowForm();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
        TPaintRecorder busy(Form->RGP_P->Widget());
        Form->Timer1Timer(Form->Timer1);
        BusyNoteDrawn = !busy.Painted.isEmpty();
        return Form.get();
    }
    void Search(const QString& text) { Form->ED_Src->SetText(text); }
    int Results() const { return Form->SG_SrcRlt->RowCount() - 1; }
    QString Value(TStringGrid* grid, int row) const { return grid->Cells(0, row); }

    TTestDatabase Db;
    TRecordingMessageService Boxes;
    std::unique_ptr<TFrm_FD> Form;
    bool BusyNoteDrawn = false;
};

TEST_F(FoodBrowser, TreeHoldsGroupsSubgroupsAndFoodsAndShowsTheFirstFood) {
    LoadFoodTables({FoodLine(1, "01-1-101", "小麦"), FoodLine(2, "18-1-001", "白砂糖"),
                    FoodLine(3, "18-2-001", "奶糖"), FoodLine(4, "18-3-001", "蜜枣"),
                    FoodLine(5, "18-4-001", "蜂蜜")});
    Open();
    EXPECT_FALSE(Form->Timer1->Enabled());
    EXPECT_TRUE(BusyNoteDrawn);  // on screen while the tree is read, gone after
    EXPECT_FALSE(Form->RGP_P->Visible());
    TTreeNode* group = Form->TV_FD->Items()->GetFirstNode();
    int roots = 0;
    TTreeNode* sugars = nullptr;
    for (; group; group = group->getNextSibling(), ++roots)
        if (group->Text() == "糖、果脯和蜜饯、蜂蜜") sugars = group;
    EXPECT_EQ(roots, 21);
    ASSERT_NE(sugars, nullptr);
    ASSERT_EQ(sugars->Count(), 4);
    const char* subgroups[] = {"糖", "糖果", "蜜饯", "蜂蜜"};
    const char* foods[] = {"白砂糖", "奶糖", "蜜枣", "蜂蜜"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sugars->Item(i)->Text(), subgroups[i]);
        ASSERT_EQ(sugars->Item(i)->Count(), 1);
        EXPECT_EQ(sugars->Item(i)->Item(0)->Text(), foods[i]);
        EXPECT_EQ(sugars->Item(i)->Item(0)->StateIndex(), i + 2);
    }
    // The first food of the first subgroup is chosen and shown.
    ASSERT_NE(Form->TV_FD->Selected(), nullptr);
    EXPECT_EQ(Form->TV_FD->Selected()->AbsoluteIndex(), 2);
    EXPECT_EQ(Form->FoodID(), 1);
    EXPECT_EQ(Form->Lab_Fd->Caption(), "小麦");
}

TEST_F(FoodBrowser, ShowsThe28ValuesWithUnitsAndADashForNoValue) {
    // No fat (5), no vitamin C (18), no selenium (29).
    LoadFoodTables({FoodLine(1, "01-1-101", "小麦", {5, 18, 29})});
    Open();
    EXPECT_EQ(Form->SG1->Cells(0, 0), "");
    EXPECT_EQ(Form->SG1->Cells(0, 1), "可食部份");
    EXPECT_EQ(Form->SG1->Cells(0, 14), "尼克酸");
    EXPECT_EQ(Form->SG2->Cells(0, 1), "维生素B12");
    EXPECT_EQ(Form->SG2->Cells(0, 14), "锰");
    EXPECT_EQ(Form->lblKC->Caption(), "2Kcal (3KJ)");
    const QStringList left{"0.25克",    "1.25克",    "4.25克",    " - ",       "6.25克",
                           "7.25克",    "8.25毫克",  "9.25克",    "10.25微克", "11.25微克",
                           "12.25微克", "13.25毫克", "14.25毫克", "15.25毫克"};
    const QStringList right{"16.25毫克", "17.25毫克", " - ",       "19.25毫克", "24.25毫克",
                            "23.25毫克", "20.25毫克", "21.25毫克", "22.25毫克", "26.25毫克",
                            "28.25毫克", " - ",       "27.25毫克", "25.25毫克"};
    for (int r = 1; r <= 14; ++r) {
        EXPECT_EQ(Value(Form->SG_FDUse, r), left[r - 1]) << Form->SG1->Cells(0, r).toStdString();
        EXPECT_EQ(Value(Form->SG_FDUse1, r), right[r - 1]) << Form->SG2->Cells(0, r).toStdString();
    }
}

TEST_F(FoodBrowser, SearchesByNameAndByInitials) {
    LoadFoodTables();
    Open();
    int byInitials = 0;
    for (int i = 0; i <= FoodMaxIndex; ++i) {
        if (FoodTable[i].ID <= 0) continue;
        byInitials += FoodTable[i].PY.contains("DM");
    }
    ASSERT_GT(byInitials, 0);
    Search("dm");
    EXPECT_TRUE(Form->pnlSrcRlt->Visible());
    EXPECT_FALSE(Form->TV_FD->Enabled());
    ASSERT_EQ(Results(), byInitials);
    for (int r = 1; r <= Results(); ++r) {
        EXPECT_TRUE(FoodByID(Form->SG_SrcRlt->Cells(3, r).toInt()).PY.contains("DM"));
        EXPECT_EQ(Form->SG_SrcRlt->Cells(1, r), "查看");
        EXPECT_EQ(Form->SG_SrcRlt->Cells(2, r), "    设置");
    }
    Search("豆腐");
    EXPECT_EQ(Results(), 25);  // the names holding 豆腐 in the composition table, 豆腐花 to 奶豆腐（鲜）
    EXPECT_EQ(Form->SG_SrcRlt->Cells(0, 1), "豆腐花 [豆腐粉]");
    EXPECT_EQ(Form->SG_SrcRlt->Cells(0, 25), "奶豆腐（鲜）");
    // The last food of the table is found too.
    int last = FoodMaxIndex;
    while (FoodTable[last].ID <= 0)
        --last;
    Search(FoodTable[last].Name);
    ASSERT_GE(Results(), 1);
    EXPECT_EQ(Form->SG_SrcRlt->Cells(3, Results()).toInt(), FoodTable[last].ID);
    // An empty text finds nothing; "返回" brings the tree back.
    Search("");
    EXPECT_EQ(Results(), 0);
    EXPECT_EQ(Form->SG_SrcRlt->Cells(0, 1), "");
    Form->btnBack->Click();
    EXPECT_FALSE(Form->pnlSrcRlt->Visible());
    EXPECT_TRUE(Form->TV_FD->Enabled());
}

TEST_F(FoodBrowser, NamesAreFoundWhateverTheCaseAndInitialsAsBefore) {
    LoadFoodTables({FoodLine(1, "06-1-101", "牛肉（代表值，fat 9g）"), FoodLine(2, "01-1-101", "O'Neil炒饭"),
                    FoodLine(3, "01-1-102", "小麦")});
    Open();
    auto found = [&] {
        QStringList ids;
        for (int r = 1; r <= Results(); ++r)
            ids << Form->SG_SrcRlt->Cells(3, r);
        return ids.join(',');
    };
    Search("fat 9g");
    EXPECT_EQ(found(), "1");
    Search("FAT 9G");
    EXPECT_EQ(found(), "1");
    Search("O'Neil");
    EXPECT_EQ(found(), "2");
    Search("o'neil炒");
    EXPECT_EQ(found(), "2");
    Search("xm");  // the initials of 小麦
    EXPECT_EQ(found(), "3");
}

TEST_F(FoodBrowser, ViewInTheResultsShowsTheFoodAsTheTreeDoes) {
    LoadFoodTables({FoodLine(1, "01-1-101", "小麦"), FoodLine(2, "03-1-101", "腐竹", {4}),
                    FoodLine(3, "03-1-102", "腐竹", {5})});
    Open();
    Search("腐竹");
    ASSERT_EQ(Results(), 2);
    // A click on "查看" of the second row shows that food in the value column, as the tree shows foods.
    Form->SG_SrcRlt->SetCol(1);
    Form->SG_SrcRlt->SetRow(2);
    EXPECT_EQ(Form->FoodID(), 3);
    EXPECT_EQ(Value(Form->SG_FDUse, 3), "4.25克");
    EXPECT_EQ(Value(Form->SG_FDUse, 4), " - ");
    EXPECT_EQ(Value(Form->SG_FDUse1, 1), "16.25毫克");
    EXPECT_TRUE(Form->pnlSrcRlt->Visible());
    // A double-click on the first row picks that very food in the tree, not the first of that name.
    Form->SG_SrcRlt->SetCol(0);
    Form->SG_SrcRlt->SetRow(1);
    Form->SG_SrcRltDblClick(Form->SG_SrcRlt);
    EXPECT_EQ(Form->FoodID(), 2);
    Form->Btn_Src->Click();  // the text is still there: "查询" runs the search again
    Form->SG_SrcRlt->SetCol(0);
    Form->SG_SrcRlt->SetRow(2);
    Form->SG_SrcRltDblClick(Form->SG_SrcRlt);
    EXPECT_EQ(Form->FoodID(), 3);
    ASSERT_NE(Form->TV_FD->Selected(), nullptr);
    EXPECT_EQ(Form->TV_FD->Selected()->StateIndex(), 3);
    EXPECT_EQ(Value(Form->SG_FDUse, 4), " - ");
    EXPECT_FALSE(Form->pnlSrcRlt->Visible());
    EXPECT_TRUE(Form->TV_FD->Enabled());
    EXPECT_EQ(Form->SG_SrcRlt->Cells(0, 0), "");  // the list was cleared from its header row on
}

TEST_F(FoodBrowser, SetsTheShownFoodAsFrequentlyUsedOnce) {
    LoadFoodTables();
    Form = std::make_unique<TFrm_FD>(Application);
    Form->ShowForm();
    Form->Label2->Click();
    EXPECT_EQ(Boxes.LastText(), "没有选择食物，不能设置。");
    Form->Timer1Timer(Form->Timer1);
    Form->Label2->Click();
    EXPECT_EQ(Boxes.LastText(), "请先登记个人基本资料");
    DM->UID = Db.Scalar("select UID from UInfo where UName1 = 'user'");
    Form->Label2->Click();
    EXPECT_EQ(Boxes.LastText(), "设置成功");
    EXPECT_EQ(Boxes.LastCaption(), "信息提示");
    Form->Label2->Click();
    EXPECT_EQ(Boxes.LastText(), "已成功设置");
    EXPECT_EQ(
        Db.Scalar("select count(*) from FDUse where FID = 1 and FType = 1 and UID = :U", {{"U", DM->UID}}),
        "1");
    // The frequently used foods window lists it under its food group.
    EXPECT_EQ(Db.Scalar("select distinct B.Food_Name from FDUse A, Food B where A.FType = 1 and A.FID = B.ID "
                        "and substr(B.Code, 1, 2) = '01'"),
              FoodByID(1).Name);

    // "设置" in the result list sets the row's food.
    Search("小米");
    ASSERT_GE(Results(), 1);
    const int id = Form->SG_SrcRlt->Cells(3, 1).toInt();
    const TRect cell = Form->SG_SrcRlt->CellRect(2, 1);
    QTest::mouseClick(Form->SG_SrcRlt->Widget(), Qt::LeftButton, {}, QPoint(cell.Left + 10, cell.Top + 5));
    EXPECT_EQ(Boxes.LastText(), "设置成功");
    EXPECT_EQ(Form->FoodID(), id);
    EXPECT_EQ(Db.Scalar("select count(*) from FDUse where FID = :F and FType = 1", {{"F", id}}), "1");
}

TEST_F(FoodBrowser, ExplanationLinkTurnsBlueUnderTheMouse) {
    LoadFoodTables();
    Open();
    EXPECT_EQ(Form->Label11->Cursor(), crHandPoint);
    Form->Label11->OnMouseEnter(Form->Label11);
    EXPECT_EQ(Form->Label11->Font()->Color(), TColor(0xFF0000));
    Form->Label11->OnMouseLeave(Form->Label11);
    EXPECT_EQ(Form->Label11->Font()->Color(), clBlack);
}

}  // namespace
