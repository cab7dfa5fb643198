// The recipe editor of the recipe book: choosing foods (T2), their weights and the recipe's fields (T3).
#include "UnitShiPu.h"

#include "Dialogs.h"
#include "FieldRules.h"
#include "MealEditing.h"
#include "NutrientSums.h"
#include "UintDM.h"

namespace {

// The weight and the hidden food id of the view's rows (SG_FDC), and the editor's columns.
const int ViewWeightCol = 2, ViewIdCol = 4;
const int ChosenIdCol = 3, ChosenWeightCol = 4;       // SG_FD1
const int WeightCol = 2, KcalCol = 3, FoodIdCol = 4;  // SG_FD2

}  // namespace

void TFrm_ShiPu::OpenEditor() {
    lblSaveTit->SetCaption("食谱名称");
    lblSaveCls->SetCaption("食谱类别");
    CB_SPC->SetEnabled(true);
    Label4Click(Label4);
    ShowPage(T2);
}

void TFrm_ShiPu::Btn_SaveSWClick(TObject*) {
    ED_SPN->SetText(QString());
    RE_SP->Clear();
    CB_SPC->SetItemIndex(0);
    DM->ClearGrid(SG_FD1, 1);
    DM->ClearGrid(SG_FD2, 1);
    FSaveFlag = 1;
    FEditID = 0;
    OpenEditor();
}

void TFrm_ShiPu::btn_ModifySWClick(TObject*) {
    // Every food of the view is taken, whether or not a total row follows it.
    CopyNamedRows(SG_FDC, SG_FD1, ViewIdCol, {{ViewIdCol, ChosenIdCol}, {ViewWeightCol, ChosenWeightCol}});
    FSaveFlag = FRecipeFlag;
    FEditID = FRecipeID;
    if (FEditID > 0) LoadRecipe(FEditID, RE_SP);
    if (!FRecipeName.isEmpty()) ED_SPN->SetText(FRecipeName);
    if (!FClassName.isEmpty()) CB_SPC->SetItemIndex(CB_SPC->Items()->IndexOf(FClassName));
    RE_SP->SetText(REdt_SP->Text());
    OpenEditor();
}

// Step 1 ---------------------------------------------------------------------------------------

void TFrm_ShiPu::Btn_AddClick(TObject*) {
    TTreeNode* node = TV_FD->Selected();
    if (!node || node->Level() != 2 || node->Text().isEmpty()) return;
    // Names repeat in the food table; a food is the same one only by its id.
    AddChosenItem(SG_FD1, node->Text(), {{ChosenIdCol, QString::number(node->StateIndex())}});
}

void TFrm_ShiPu::TV_FDDblClick(TObject* Sender) {
    if (TV_FD->Selected() && !TV_FD->Selected()->HasChildren()) Btn_AddClick(Sender);
}

void TFrm_ShiPu::N13Click(TObject* Sender) {
    Btn_AddClick(Sender);
}

void TFrm_ShiPu::SG_Fd111MouseDown(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
    auto* grid = static_cast<TStringGrid*>(Sender);
    SelectCellAt(grid, X, Y);
    N2->SetVisible(grid->Tag() != 3);
    N15->SetVisible(grid->Tag() == 11);
}

void TFrm_ShiPu::N15Click(TObject*) {
    DeleteNamedRow(SG_FD1);
}

void TFrm_ShiPu::Btn_SrcClick(TObject*) {
    SearchFoods(ED_Src, SG_SrcRlt, pnlSrcRlt1, TV_FD);
}

void TFrm_ShiPu::ED_SrcChange(TObject* Sender) {
    Btn_SrcClick(Sender);
}

void TFrm_ShiPu::SG_SrcRltDblClick(TObject* Sender) {
    if (PickFoodResult(SG_SrcRlt, TV_FD)) btnBack1Click(Sender);
}

void TFrm_ShiPu::btnBack1Click(TObject*) {
    CloseFoodSearch(pnlSrcRlt1, TV_FD, SG_SrcRlt);
}

void TFrm_ShiPu::btnDownClick(TObject*) {
    if (SG_FD1->Cells(1, 1).isEmpty()) {
        MessageBox("没有选择食物。", InfoCaption, MB_OK);
        return;
    }
    ShowPage(T3);
    const int foods =
        CopyNamedRows(SG_FD1, SG_FD2, ChosenIdCol, {{ChosenWeightCol, WeightCol}, {ChosenIdCol, FoodIdCol}});
    SG_FD2->SetRowCount(foods + 2);  // and the total row
    for (int row = 1; row <= foods; ++row) {
        double grams = 0, kcal = 0;
        if (!TryStrToFloat(SG_FD2->Cells(WeightCol, row), grams)) grams = 0;
        AddFoodKcal(SG_FD2->Cells(FoodIdCol, row), grams, kcal);
        SG_FD2->SetCells(KcalCol, row, FormatFloat("0.0", kcal));
    }
    const char* headers[] = {"食物名称", "重量(克)", "热量(KCal)"};
    for (int col = 1; col <= 3; ++col)
        SG_FD2->SetCells(col, 0, headers[col - 1]);
    WriteEnergyTotalRow(SG_FD2);
}

void TFrm_ShiPu::btnSPDir1Click(TObject*) {
    ShowRecipeList();
    DM->ClearGrid(SG_FD1, 1);
    DM->ClearGrid(SG_FD2, 1);
}

// Steps 2 and 3 --------------------------------------------------------------------------------

void TFrm_ShiPu::SG_FD2KeyPress(TObject*, QChar& Key) {
    FilterWeightKey(SG_FD2, WeightCol, Key);
}

void TFrm_ShiPu::SG_FD2SelectCell(TObject*, int ACol, int ARow, bool&) {
    EditOnlyWeightColumn(SG_FD2, ACol, ARow, WeightCol);
}

void TFrm_ShiPu::SG_FD2SetEditText(TObject*, int ACol, int ARow, const QString& Value) {
    if (ACol != WeightCol || ARow < 1 || SG_FD2->Cells(FoodIdCol, ARow).isEmpty() ||
        SG_FD2->Cells(1, ARow).isEmpty())
        return;
    double grams = 0;
    if (!TryStrToFloat(Value, grams)) grams = 0;
    TIntakeTotals totals{};
    AddFoodNutrients(SG_FD2->Cells(FoodIdCol, ARow), grams, totals);
    SG_FD2->SetCells(KcalCol, ARow, FormatFloat("0.00", totals[inKcal]));
    WriteEnergyTotalRow(SG_FD2);
}

void TFrm_ShiPu::SG_FD2MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    const int row = SelectCellAt(SG_FD2, X, Y);
    N9->SetVisible(false);
    N9->SetCaption(QString());
    if (row < 1) return;
    const QString name = SG_FD2->Cells(1, row), weight = SG_FD2->Cells(WeightCol, row);
    if (name.isEmpty() || weight.isEmpty()) return;
    N9->SetCaption("查看：" + weight + "克" + name + "的营养素含量");
    N9->SetVisible(true);
}

void TFrm_ShiPu::N17Click(TObject*) {
    DeleteNamedRow(SG_FD2);
    WriteEnergyTotalRow(SG_FD2);
}

void TFrm_ShiPu::N11Click(TObject*) {
    TStringList entries;
    for (int row = 1; row < SG_FD2->RowCount(); ++row) {
        const QString name = SG_FD2->Cells(1, row);
        if (name.isEmpty()) continue;
        if (SG_FD2->Cells(WeightCol, row).isEmpty()) {
            MessageBox(name + "的重量没有输入", InfoCaption, MB_OK);
            return;
        }
        entries.Add(name + "," + SG_FD2->Cells(WeightCol, row) + "," + SG_FD2->Cells(FoodIdCol, row));
    }
    ShowNutrientTotals(SumNutrients(entries), SG_YYS1);
    lblYYSHint->Hide();
    RGP_YYS->Show();
    RGP_YYS->BringToFront();
}

void TFrm_ShiPu::Label4Click(TObject*) {
    RGP_YYS->Hide();
    lblYYSHint->Show();
}

void TFrm_ShiPu::btnUp2Click(TObject*) {
    ShowPage(T2);
}

void TFrm_ShiPu::btnSPDirClick(TObject*) {
    ShowRecipeList();
    Timer1->SetEnabled(true);
    DM->ClearGrid(SG_FD2, 1);
}

void TFrm_ShiPu::btnSaveSPClick(TObject*) {
    const QString name = ED_SPN->Text();
    if (name.trimmed().isEmpty()) {
        MessageBox("食谱名称没有填写", InfoCaption, MB_OK);
        return;
    }
    for (const QString& refusal : {TextFieldRefusal("食谱名称", name, NameLength::Recipe),
                                   MultiLineFieldRefusal("制作方法", RE_SP->Text())})
        if (!refusal.isEmpty()) return void(MessageBox(refusal, InfoCaption, MB_OK));
    if (CB_SPC->ItemIndex() < 0) {
        MessageBox("食谱类别没有选择", InfoCaption, MB_OK);
        return;
    }
    // Everything is checked before anything is written; the recipe and its foods go in together.
    TStringList lines;
    for (int row = 1; row < SG_FD2->RowCount(); ++row) {
        const QString food = SG_FD2->Cells(1, row);
        if (SG_FD2->Cells(0, row).isEmpty() || food.isEmpty()) continue;
        double grams = 0;
        switch (CheckWeight(SG_FD2->Cells(WeightCol, row), grams)) {
        case TWeightCheck::Missing:
            MessageBox(food + "重量没有录入", InfoCaption, MB_OK);
            return;
        case TWeightCheck::Invalid:
            MessageBox(food + "重量输入有误", InfoCaption, MB_OK);
            return;
        case TWeightCheck::Valid:
            lines.Add(QString::number(FEditID) + "," + SG_FD2->Cells(FoodIdCol, row) + "," +
                      SG_FD2->Cells(WeightCol, row).trimmed());
        }
    }
    if (lines.Count() == 0) {
        MessageBox("没有内容不能保存。", InfoCaption, MB_OK);
        return;
    }
    const int id = DM->SaveRecipeWithFoods(CB_SPC->Text(), CB_P->Text(), QString::number(FSaveFlag), FEditID,
                                           FEditID > 0 ? 1 : 0, RE_SP->Text(), name, lines);
    if (id <= 0) {
        MessageBox("保存失败，请重新保存。", InfoCaption, MB_OK);
        return;
    }
    // Saving again changes this recipe rather than adding a second one.
    FEditID = id;
    MessageBox("保存成功", InfoCaption, MB_OK);
    if (chkUseFd->Checked()) DM->AddOftenUsed(id, 2);
}
