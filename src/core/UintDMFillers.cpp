// The data module's fillers of trees and grids, and the grid helpers the windows share.
#include "ComCtrls.h"
#include "ConstTables.h"
#include "FoodTable.h"
#include "GetPY.h"
#include "Grids.h"
#include "NutrientSums.h"
#include "UintDM.h"

namespace {

TTreeNode* AddNode(TCustomTreeView* tree, TTreeNode* parent, const QString& text, int image, int selected,
                   int state = -1) {
    TTreeNode* node = parent ? tree->Items()->AddChild(parent, text) : tree->Items()->Add(nullptr, text);
    node->SetImageIndex(image);
    node->SetSelectedIndex(selected);
    node->SetStateIndex(state);
    return node;
}

}  // namespace

TDM::TRecipeRow TDM::LoadRecipe(int id) {
    TRecipeRow row;
    qryFun->Close();
    qryFun->SQL()->SetText("Select * From SPInfo Where ID=:ID");
    qryFun->Parameters().SetValue("ID", id);
    qryFun->Open();
    if (!qryFun->IsEmpty()) {
        row.Preparation = qryFun->FieldByName("SPZF")->AsString();
        row.Name = qryFun->FieldByName("SPName")->AsString();
        row.Class = qryFun->FieldByName("SPCls")->AsString();
        row.Method = qryFun->FieldByName("SPP")->AsString();
    }
    qryFun->Close();
    return row;
}

void TDM::FillFoodTree(TCustomTreeView* tree) {
    tree->Items()->BeginUpdate();
    for (const auto& group : FoodGroups) {
        TTreeNode* groupNode = AddNode(tree, nullptr, group.Name, 0, 0);
        for (const auto& subgroup : FoodSubgroups) {
            if (!subgroup.Code.startsWith(group.Code)) continue;
            TTreeNode* subNode = AddNode(tree, groupNode, subgroup.Name, 1, 1);
            for (int i = 0; i <= FoodMaxIndex; ++i) {
                const TFdRcd& food = FoodTable[i];
                if (food.ID > 0 && food.Code.startsWith(subgroup.Code))
                    AddNode(tree, subNode, food.Name, 2, 3, food.ID);
            }
        }
    }
    tree->Items()->EndUpdate();
}

void TDM::FillSetMealTree(TCustomTreeView* tree) {
    tree->Items()->BeginUpdate();
    tree->Items()->Clear();
    auto addSetMeals = [&](TTreeNode* parent, const QString& sql, const QVariantMap& params) {
        qryFun->Close();
        qryFun->SQL()->SetText(sql);
        qryFun->Parameters().Assign(params);
        qryFun->Open();
        for (; !qryFun->Eof(); qryFun->Next())
            AddNode(tree, parent, qryFun->FieldByName("SPName")->AsString(), 1, 2,
                    qryFun->FieldByName("ID")->AsInteger());
        qryFun->Close();
    };
    for (const QString& meal : MealClasses)
        addSetMeals(AddNode(tree, nullptr, meal, 0, 0, 3),
                    "Select * From SPTC Where (WK IS NULL or WK = '') And SPCLS =:C Order By ID",
                    {{"C", meal}});
    for (const QString& day : Weekdays) {
        TTreeNode* dayNode = AddNode(tree, nullptr, day, 0, 0);
        for (const QString& meal : MealClasses)
            addSetMeals(AddNode(tree, dayNode, meal, 0, 0, 3),
                        "Select * From SPTC Where WK =:W And SPCLS =:C Order By ID",
                        {{"W", day}, {"C", meal}});
    }
    tree->Items()->EndUpdate();
}

void TDM::FillRecipeTree(TCustomTreeView* tree) {
    tree->Items()->BeginUpdate();
    tree->Items()->Clear();
    qryFun->Close();
    qryFun->SQL()->SetText("Select ID,SPCls,SPName,CFlg From SPInfo Order By SPName ASC");
    qryFun->Open();
    for (const QString& cls : RecipeClasses) {
        TTreeNode* classNode = AddNode(tree, nullptr, cls, 0, 0);
        for (qryFun->First(); !qryFun->Eof(); qryFun->Next()) {
            if (qryFun->FieldByName("SPCls")->AsString() != cls) continue;
            auto record = std::make_unique<TFdRcd>();
            record->ID = record->RecID = qryFun->FieldByName("ID")->AsInteger();
            record->RecCls = cls;
            record->Name = qryFun->FieldByName("SPName")->AsString();
            record->PY = GetPYInitials(record->Name);
            record->RecFlag = qryFun->FieldByName("CFlg")->AsInteger();
            TTreeNode* node = AddNode(tree, classNode, record->Name, 1, 2);
            node->SetOwnedData(std::move(record));  // the node frees its record
        }
    }
    qryFun->Close();
    tree->Items()->EndUpdate();
}

bool TDM::FillRecipeFoodGrid(TStringGrid* grid, int recipeId) {
    ClearGrid(grid, 1);
    qryFun->Close();
    qryFun->SQL()->SetText("Select FdID,FdNet From SPTxt Where SPID=:ID");
    qryFun->Parameters().SetValue("ID", recipeId);
    qryFun->Open();
    int number = 0;
    for (; !qryFun->Eof(); qryFun->Next()) {
        const int row = FindFreeGridRow(grid, 1);
        const int foodId = qryFun->FieldByName("FdID")->AsInteger();
        const double grams = qryFun->FieldByName("FdNet")->AsFloat();
        double kcal = 0;
        AddFoodKcal(QString::number(foodId), grams, kcal);
        grid->SetCells(0, row, QString::number(++number));
        grid->SetCells(1, row, FoodNameByID(foodId));
        grid->SetCells(2, row, qryFun->FieldByName("FdNet")->AsString());
        grid->SetCells(3, row, FormatFloat("0.0", kcal));
        grid->SetCells(4, row, QString::number(foodId));
    }
    qryFun->Close();
    return number > 0;
}

void TDM::FillUserGrid(TStringGrid* grid) {
    qryFun->Close();
    qryFun->SQL()->SetText("Select * From UInfo");
    qryFun->Open();
    int row = 1;
    for (; !qryFun->Eof(); qryFun->Next(), ++row) {
        auto field = [this](const char* name) { return qryFun->FieldByName(name)->AsString(); };
        grid->SetCells(0, row, field("UName"));
        grid->SetCells(1, row, field("Sex"));
        grid->SetCells(3, row, field("UID"));
        TDateTime birth = 0;
        if (TryISOToDate(field("Bth"), birth)) {
            int y, m, d;
            DecodeDate(birth, y, m, d);
            grid->SetCells(2, row, FormatAge(birth));
            grid->SetCells(4, row, QString::number(y));
            grid->SetCells(5, row, QString::number(m));
            grid->SetCells(6, row, QString::number(d));
        }
        const char* rest[] = {"SG", "TZ", "HT", "Tel", "EMail", "QQMSN", "PCode", "Adds"};
        for (int i = 0; i < 8; ++i)
            grid->SetCells(7 + i, row, field(rest[i]));
    }
    qryFun->Close();
    grid->SetRowCount(std::max(2, row));
}

void TDM::ClearGrid(TStringGrid* grid, int firstRow) {
    for (int row = firstRow; row < grid->RowCount(); ++row)
        for (int col = 0; col < GridRowColumns; ++col)
            grid->SetCells(col, row, QString());
    grid->SetRowCount(2);
}

int TDM::FindFreeGridRow(TStringGrid* grid, int firstRow) {
    for (int row = firstRow; row < grid->RowCount(); ++row)
        if (grid->Cells(1, row).isEmpty()) return row;
    grid->SetRowCount(grid->RowCount() + 1);
    return grid->RowCount() - 1;
}

void DeleteGridRow(int row, TStringGrid* grid, int firstDataRow) {
    const int last = grid->RowCount() - 1;
    if (row < 0 || row > last) return;
    const int columns = std::max(grid->ColCount(), GridRowColumns);
    for (int r = row; r < last; ++r)
        for (int c = 0; c < columns; ++c)
            grid->SetCells(c, r, grid->Cells(c, r + 1));
    for (int c = 0; c < columns; ++c)
        grid->SetCells(c, last, QString());
    if (grid->RowCount() > 2) grid->SetRowCount(grid->RowCount() - 1);
    for (int r = firstDataRow; r < grid->RowCount(); ++r)
        if (!grid->Cells(1, r).isEmpty())
            grid->SetCells(0, r, QString::number(firstDataRow == 1 ? r : r + 1));
}
