// The set-meal maker: choosing foods and recipes (T2), their weights, name, meal and weekday (T3).
#include "UnitTaoCan.h"

#include "Dialogs.h"
#include "FieldRules.h"
#include "FoodTable.h"
#include "MealEditing.h"
#include "UintDM.h"

namespace {

// Hidden columns: the weight carried from a set meal being changed (SG_FD1), the kind and the id.
const int CarriedWeightCol = 4, KindCol = 5, ItemIdCol = 6;
const int ViewWeightCol = 2;  // SG_FDC
const int WeightCol = 2, KcalCol = 3;

}  // namespace

void TFrm_TaoCan::btnMakeTCClick(TObject*) {
    DM->ClearGrid(SG_FD1, 1);
    DM->ClearGrid(SG_FD2, 1);
    edtSP->SetText(QString());
    // A new set meal starts from nothing: no name, meal or weekday of one changed before.
    FSetMealName.clear();
    FMealClass.clear();
    FWeekday.clear();
    ED_SPN->SetText(QString());
    CB_SPC->SetItemIndex(-1);
    cbbWK->SetItemIndex(0);
    FEditID = 0;
    OpenChooser();
}

void TFrm_TaoCan::btnModifyTCClick(TObject*) {
    TTreeNode* node = TV_TC->Selected();
    if (SG_FDC->Cells(1, 1).trimmed().isEmpty() || !IsSetMealNode(node)) {
        MessageBox("套餐没有内容，不能修改", InfoCaption, MB_OK);
        return;
    }
    // Every item of the view is taken, whether or not a total row follows it.
    CopyNamedRows(SG_FDC, SG_FD1, ItemIdCol,
                  {{ViewWeightCol, CarriedWeightCol}, {KindCol, KindCol}, {ItemIdCol, ItemIdCol}});
    OpenChooser();
    FEditID = FSetMealID;
    FMealClass = node->Parent()->Text();
    FSetMealName = node->Text();
    FWeekday = node->Level() == 2 ? node->Parent()->Parent()->Text() : QString();
    CB_SPC->SetItemIndex(CB_SPC->Items()->IndexOf(FMealClass));
    cbbWK->SetItemIndex(cbbWK->Items()->IndexOf(FWeekday));
}

void TFrm_TaoCan::OpenChooser() {
    ShowPage(T2);
    if (TSkTabSheet* list = PCSS->ActivePage()) list->SelectFirst();
}

// Step 1 ---------------------------------------------------------------------------------------

void TFrm_TaoCan::Btn_AddClick(TObject*) {
    QString name, id, kind;
    if (PCSS->ActivePage() == TabSheet1) {
        TTreeNode* node = TV_FD->Selected();
        if (!node || node->Level() != 2) return;
        name = node->Text();
        id = QString::number(node->StateIndex());
        kind = "1";
    } else {
        const TFdRcd* recipe = RecipeOfNode(TV_FD1->Selected());
        if (!recipe) return;
        name = recipe->Name;
        id = QString::number(recipe->ID);
        kind = "2";
    }
    // Names repeat among foods and between a food and a recipe; an item is the same one by kind and id.
    AddChosenItem(SG_FD1, name, {{KindCol, kind}, {ItemIdCol, id}});
}

void TFrm_TaoCan::TV_FDDblClick(TObject* Sender) {
    Btn_AddClick(Sender);
}

void TFrm_TaoCan::TV_FD1DblClick(TObject* Sender) {
    Btn_AddClick(Sender);
}

void TFrm_TaoCan::SG_FdMouseDown(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
    auto* grid = static_cast<TStringGrid*>(Sender);
    SelectCellAt(grid, X, Y);
    N15->SetVisible(grid->Tag() == 11);
}

void TFrm_TaoCan::N15Click(TObject*) {
    DeleteNamedRow(SG_FD1);
}

void TFrm_TaoCan::Btn_SrcClick(TObject*) {
    SearchFoods(ED_Src, SG_SrcRlt, pnlSrcRlt, TV_FD);
}

void TFrm_TaoCan::ED_SrcChange(TObject* Sender) {
    Btn_SrcClick(Sender);
}

void TFrm_TaoCan::SG_SrcRltDblClick(TObject* Sender) {
    if (PickFoodResult(SG_SrcRlt, TV_FD)) btnBackClick(Sender);
}

void TFrm_TaoCan::btnBackClick(TObject*) {
    CloseFoodSearch(pnlSrcRlt, TV_FD, SG_SrcRlt);
}

void TFrm_TaoCan::btnSrcSpClick(TObject*) {
    const QString text = edtSP->Text().trimmed().toUpper();
    if (text.isEmpty()) return;
    FillRecipeSearchTree(TV_FD1, TVSPS, text);
    ShowSearchResults(pnlSrcSPRlt, TV_FD1);
}

void TFrm_TaoCan::edtSPChange(TObject* Sender) {
    btnSrcSpClick(Sender);
}

void TFrm_TaoCan::TVSPSDblClick(TObject* Sender) {
    TTreeNode* result = TVSPS->Selected();
    if (!result) return;
    TV_FD1->FullCollapse();
    SelectRecipeNode(TV_FD1, result->StateIndex());
    btnBackSPClick(Sender);
}

void TFrm_TaoCan::btnBackSPClick(TObject*) {
    TVSPS->Items()->Clear();
    HideSearchResults(pnlSrcSPRlt, TV_FD1);
}

void TFrm_TaoCan::btnStep1Click(TObject*) {
    if (SG_FD1->Cells(1, 1).isEmpty()) {
        MessageBox("没有选择食物。", InfoCaption, MB_OK);
        return;
    }
    ShowPage(T3);
    const int items =
        CopyNamedRows(SG_FD1, SG_FD2, ItemIdCol,
                      {{CarriedWeightCol, WeightCol}, {KindCol, KindCol}, {ItemIdCol, ItemIdCol}});
    SG_FD2->SetRowCount(items + 2);  // and the total row
    for (int row = 1; row <= items; ++row) {
        double grams = 0;
        if (TryStrToFloat(SG_FD2->Cells(WeightCol, row), grams))
            SG_FD2->SetCells(
                KcalCol, row,
                ItemEnergy(SG_FD2->Cells(KindCol, row), SG_FD2->Cells(ItemIdCol, row), grams, "0.00"));
    }
    WriteEnergyTotalRow(SG_FD2);
    if (!FSetMealName.isEmpty()) ED_SPN->SetText(FSetMealName);
    if (!FMealClass.isEmpty()) CB_SPC->SetText(FMealClass);
}

void TFrm_TaoCan::btnSPDirClick(TObject*) {
    ShowPage(T1);
    DM->ClearGrid(SG_FD1, 1);
    Timer1->SetEnabled(true);
}

// Steps 2 and 3 --------------------------------------------------------------------------------

void TFrm_TaoCan::SG_FD2KeyPress(TObject*, QChar& Key) {
    FilterWeightKey(SG_FD2, WeightCol, Key);
}

void TFrm_TaoCan::SG_FD2SelectCell(TObject*, int ACol, int ARow, bool&) {
    EditOnlyWeightColumn(SG_FD2, ACol, ARow, WeightCol);
}

void TFrm_TaoCan::SG_FD2DblClick(TObject*) {
    if (SG_FD2->Cells(1, SG_FD2->Row()).isEmpty()) SG_FD2->SetOptions(SG_FD2->Options() & ~goEditing);
}

void TFrm_TaoCan::SG_FD2SetEditText(TObject*, int ACol, int ARow, const QString& Value) {
    if (ACol != WeightCol || ARow < 1 || SG_FD2->Cells(1, ARow).isEmpty()) return;
    double grams = 0;
    SG_FD2->SetCells(KcalCol, ARow,
                     TryStrToFloat(Value, grams) ? ItemEnergy(SG_FD2->Cells(KindCol, ARow),
                                                              SG_FD2->Cells(ItemIdCol, ARow), grams, "0.0")
                                                 : QString());
    WriteEnergyTotalRow(SG_FD2);
}

void TFrm_TaoCan::SG_FD2MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    if (SG_FD2->MouseCoord(X, Y).X >= 1) SelectCellAt(SG_FD2, X, Y);
}

void TFrm_TaoCan::N17Click(TObject*) {
    DeleteNamedRow(SG_FD2);
    WriteEnergyTotalRow(SG_FD2);
}

void TFrm_TaoCan::SkButton3Click(TObject*) {
    ShowPage(T2);
}

void TFrm_TaoCan::btnSPDir2Click(TObject*) {
    ShowPage(T1);
    DM->ClearGrid(SG_FD1, 1);
    DM->ClearGrid(SG_FD2, 1);
    Timer1->SetEnabled(true);
}

void TFrm_TaoCan::btnSaveTCClick(TObject*) {
    const QString name = ED_SPN->Text();
    if (name.trimmed().isEmpty()) {
        MessageBox("套餐名称没有填写", InfoCaption, MB_OK);
        return;
    }
    if (const QString refusal = TextFieldRefusal("套餐名称", name, NameLength::SetMeal); !refusal.isEmpty())
        return void(MessageBox(refusal, InfoCaption, MB_OK));
    if (CB_SPC->ItemIndex() < 0) {
        MessageBox("套餐类别没有选择", InfoCaption, MB_OK);
        return;
    }
    // Everything is checked before anything is written; the set meal and its items go in together.
    const QString weekday = cbbWK->Text();
    TStringList lines;
    for (int row = 1; row < SG_FD2->RowCount(); ++row) {
        const QString item = SG_FD2->Cells(1, row);
        if (item.isEmpty()) continue;
        double grams = 0;
        switch (CheckWeight(SG_FD2->Cells(WeightCol, row), grams)) {
        case TWeightCheck::Missing:
            MessageBox(item + "重量没有录入", InfoCaption, MB_OK);
            return;
        case TWeightCheck::Invalid:
            MessageBox(item + "重量输入有误", InfoCaption, MB_OK);
            return;
        case TWeightCheck::Valid:
            lines.Add(QString::number(FEditID) + "," + SG_FD2->Cells(ItemIdCol, row) + "," +
                      SG_FD2->Cells(WeightCol, row).trimmed() + "," + SG_FD2->Cells(KindCol, row) + "," +
                      weekday);
        }
    }
    if (lines.Count() == 0) {
        MessageBox("套餐中的成分重量没有填写", InfoCaption, MB_OK);
        return;
    }
    const int id =
        DM->SaveSetMealWithItems(CB_SPC->Text(), name, weekday, FEditID, FEditID > 0 ? 1 : 0, lines);
    if (id <= 0) {
        MessageBox("套餐保存失败", InfoCaption, MB_OK);
        return;
    }
    // Saving again changes this set meal rather than adding a second one.
    FEditID = id;
    MessageBox("套餐保存成功", InfoCaption, MB_OK);
}
