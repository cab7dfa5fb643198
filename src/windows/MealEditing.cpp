#include "MealEditing.h"

#include "Dialogs.h"
#include "FieldRules.h"
#include "FoodTable.h"
#include "ProgramImages.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"

#include <algorithm>

void ShowSearchResults(TControl* panel, TCustomTreeView* tree) {
    panel->Show();
    panel->BringToFront();
    tree->SetEnabled(false);
}

void HideSearchResults(TControl* panel, TCustomTreeView* tree) {
    panel->Hide();
    tree->SetEnabled(true);
}

namespace {

// A food or recipe matches an upper-cased search text by its name, whatever the case, or by its
// initials, which are upper case themselves.
bool MatchesSearch(const TFdRcd& record, const QString& upperText) {
    return record.Name.contains(upperText, Qt::CaseInsensitive) || record.PY.contains(upperText);
}

}  // namespace

int FillFoodSearchGrid(TStringGrid* grid, const QString& text) {
    DM->ClearGrid(grid, 1);
    int row = 0;
    if (!text.isEmpty()) {
        for (int i = 0; i <= FoodMaxIndex; ++i) {
            const TFdRcd& food = FoodTable[i];
            if (food.ID <= 0 || !MatchesSearch(food, text)) continue;
            ++row;
            if (row >= grid->RowCount()) grid->SetRowCount(row + 1);
            grid->SetCells(0, row, food.Name);
            grid->SetCells(1, row, "查看");
            grid->SetCells(2, row, "    设置");
            grid->SetCells(3, row, QString::number(food.ID));
        }
    }
    grid->SetRowCount(std::max(2, row + 1));
    return row;
}

void SearchFoods(TEdit* edit, TStringGrid* results, TControl* panel, TCustomTreeView* tree) {
    FillFoodSearchGrid(results, edit->Text().toUpper());
    ShowSearchResults(panel, tree);
}

bool PickFoodResult(TStringGrid* results, TCustomTreeView* tree) {
    if (results->Cells(1, results->Row()).isEmpty()) return false;
    SelectFoodNode(tree, results->Cells(3, results->Row()).toInt());
    return true;
}

void CloseFoodSearch(TControl* panel, TCustomTreeView* tree, TStringGrid* results) {
    HideSearchResults(panel, tree);
    DM->ClearGrid(results, 1);
}

TTreeNode* FindNodeByText(TCustomTreeView* tree, const QString& text, int level) {
    TTreeNodes* items = tree->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TTreeNode* node = items->Item(i);
        if ((level < 0 || node->Level() == level) && node->Text().compare(text, Qt::CaseInsensitive) == 0)
            return node;
    }
    return nullptr;
}

namespace {

bool SelectFirstNode(TCustomTreeView* tree, const std::function<bool(TTreeNode*)>& wanted) {
    TTreeNodes* items = tree->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TTreeNode* node = items->Item(i);
        if (!wanted(node)) continue;
        tree->SetSelected(node);
        node->MakeVisible();
        return true;
    }
    return false;
}

}  // namespace

bool SelectNodeByText(TCustomTreeView* tree, const QString& text, int level) {
    return SelectFirstNode(tree, [&](TTreeNode* n) {
        return (level < 0 || n->Level() == level) && n->Text().compare(text, Qt::CaseInsensitive) == 0;
    });
}

bool SelectFoodNode(TCustomTreeView* tree, int foodId) {
    return SelectFirstNode(tree,
                           [foodId](TTreeNode* n) { return n->Level() == 2 && n->StateIndex() == foodId; });
}

bool SelectRecipeNode(TCustomTreeView* tree, int recipeId) {
    return SelectFirstNode(tree, [recipeId](TTreeNode* n) {
        const TFdRcd* recipe = RecipeOfNode(n);
        return recipe && recipe->ID == recipeId;
    });
}

const TFdRcd* RecipeOfNode(TTreeNode* node) {
    return node && node->Level() == 1 ? static_cast<const TFdRcd*>(node->Data()) : nullptr;
}

void FillRecipeSearchTree(TCustomTreeView* recipes, TCustomTreeView* results, const QString& text) {
    results->Items()->BeginUpdate();
    results->Items()->Clear();
    TTreeNodes* items = recipes->Items();
    for (int i = 0; i < items->Count() && !text.isEmpty(); ++i) {
        const TFdRcd* recipe = RecipeOfNode(items->Item(i));
        if (!recipe || !MatchesSearch(*recipe, text)) continue;
        results->Items()->Add(nullptr, items->Item(i)->Text())->SetStateIndex(recipe->ID);
    }
    results->Items()->EndUpdate();
}

void FilterWeightKey(TStringGrid* grid, int weightCol, QChar& key) {
    if (key.isDigit() || key == QLatin1Char('\b') || !key.isPrint()) return;
    // Typing on a cell that is not being edited replaces its text, so a "." would stand alone.
    const QString weight = grid->Cells(weightCol, grid->Row());
    if (key == QLatin1Char('.') && grid->EditorMode() && !weight.isEmpty() && !weight.contains('.')) return;
    key = QChar(0);
}

void EditOnlyWeightColumn(TStringGrid* grid, int col, int row, int weightCol) {
    const bool edit = row >= 1 && !grid->Cells(1, row).isEmpty() && col == weightCol;
    grid->SetOptions(edit ? grid->Options() | goEditing : grid->Options() & ~goEditing);
}

double GridEnergyTotal(TStringGrid* grid) {
    double total = 0;
    for (int row = 1; row <= grid->RowCount() - 2; ++row) {
        double kcal = 0;
        if (!grid->Cells(1, row).isEmpty() && !grid->Cells(2, row).isEmpty() &&
            TryStrToFloat(grid->Cells(3, row), kcal))
            total += kcal;
    }
    return total;
}

void WriteEnergyTotalRow(TStringGrid* grid) {
    const int last = grid->RowCount() - 1;
    if (last < 1 || !grid->Cells(1, last).isEmpty()) return;
    const double total = GridEnergyTotal(grid);
    grid->SetCells(2, last, total > 0 ? QStringLiteral("热量合计") : QString());
    grid->SetCells(3, last, total > 0 ? FormatFloat("0.0", total) : QString());
}

void AssignStripedCellFont(TFont* font) {
    font->SetName("宋体");
    font->SetSize(11);
}

void DrawStripedCell(TStringGrid* grid, int col, int row, const TRect& rect, TColor evenColour) {
    TCanvas* canvas = grid->Canvas();
    canvas->Brush()->SetColor(row % 2 == 0 ? evenColour : clWhite);
    canvas->FillRect(rect);
    AssignStripedCellFont(canvas->Font());
    canvas->Font()->SetColor(clBlack);
    // 3 pixels below the top, or less in a row too low for that, so no descender is cut off.
    const int spare = rect.Height() - canvas->TextHeight(QStringLiteral("Jg"));
    canvas->TextRect(rect, rect.Left + 1, rect.Top + std::clamp(spare, 0, 3), grid->Cells(col, row));
}

void HighlightSelectedNode(TCustomTreeView* tree, TCustomDrawState state) {
    if (!(state & cdsSelected)) return;
    tree->Canvas()->Brush()->SetColor(0xEEFFFF);
    tree->Canvas()->Font()->SetColor(0xFF0000);
}

TWeightCheck CheckWeight(const QString& text, double& grams) {
    if (text.trimmed().isEmpty()) return TWeightCheck::Missing;
    return ParseFieldNumber(text, AmountRange, grams) ? TWeightCheck::Valid : TWeightCheck::Invalid;
}

bool AddChosenItem(TStringGrid* grid, const QString& name,
                   std::initializer_list<std::pair<int, QString>> keys) {
    for (int row = 1; row < grid->RowCount(); ++row) {
        const bool same = std::all_of(keys.begin(), keys.end(), [&](const auto& key) {
            return grid->Cells(key.first, row) == key.second;
        });
        if (same) {
            MessageBox(name + "已选中", InfoCaption, MB_OK);
            return false;
        }
    }
    if (!grid->Cells(1, grid->RowCount() - 1).isEmpty()) grid->SetRowCount(grid->RowCount() + 1);
    const int last = grid->RowCount() - 1;
    grid->SetCells(0, last, QString::number(last));
    grid->SetCells(1, last, name);
    for (const auto& [col, text] : keys)
        grid->SetCells(col, last, text);
    return true;
}

int CopyNamedRows(TStringGrid* from, TStringGrid* to, int keyCol,
                  std::initializer_list<std::pair<int, int>> columns) {
    DM->ClearGrid(to, 1);
    int row = 0;
    for (int r = 1; r < from->RowCount(); ++r) {
        if (from->Cells(1, r).isEmpty() || from->Cells(keyCol, r).isEmpty()) continue;
        ++row;
        if (row >= to->RowCount()) to->SetRowCount(row + 1);
        to->SetCells(0, row, QString::number(row));
        to->SetCells(1, row, from->Cells(1, r));
        for (const auto& [source, target] : columns)
            to->SetCells(target, row, from->Cells(source, r));
    }
    return row;
}

void DeleteNamedRow(TStringGrid* grid) {
    if (grid->Row() > 0 && !grid->Cells(1, grid->Row()).isEmpty()) DeleteGridRow(grid->Row(), grid, 1);
}

int SelectCellAt(TStringGrid* grid, int X, int Y, int firstRow) {
    int col = -1, row = -1;
    grid->MouseToCell(X, Y, col, row);
    if (row < firstRow || col < 0) return -1;
    grid->SetRow(row);
    grid->SetCol(col);
    return row;
}

// Building ---------------------------------------------------------------------------------------

TSkStringGrid* PlaceGrid(TComponent* owner, TWinControl* parent, const QString& name, TRect r,
                         std::initializer_list<int> widths) {
    auto* g = PlaceStringGrid(owner, parent, name, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    g->SetColCount(int(widths.size()));
    g->SetFixedCols(0);
    g->SetRowCount(2);
    g->SetDefaultRowHeight(22);
    g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    g->SetScrollBars(ssVertical);
    int col = 0;
    for (int w : widths)
        g->SetColWidths(col++, w);
    return g;
}

TPanel* PlaceResultPanel(TComponent* owner, TWinControl* parent, const QString& name, TRect r) {
    auto* panel = Place<TPanel>(owner, parent, name, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    panel->SetBevelOuter(bvNone);
    panel->SetVisible(false);
    return panel;
}

TSkStringGrid* PlaceFoodResults(TComponent* owner, TPanel* panel, const QString& name) {
    auto* grid =
        PlaceGrid(owner, panel, name, Rect(0, 0, panel->Width(), panel->Height() - 36), {150, 40, 60});
    grid->SetOptions(grid->Options() | goRowSelect);
    return grid;
}

TSkTreeView* PlaceRecipeResults(TComponent* owner, TPanel* panel, const QString& name) {
    auto* tree = PlaceTree(owner, panel, name, 0, 0, panel->Width(), panel->Height() - 36, false);
    tree->SetShowRoot(false);
    return tree;
}

TSkButton* PlaceBackButton(TComponent* owner, TPanel* panel, const QString& name) {
    return PlaceButton(owner, panel, name, "返回", (panel->Width() - 90) / 2, panel->Height() - 30);
}

TSkPageControl* BuildStepPages(TForm* form, const QString& listCaption, const QString& stepsCaption,
                               TSkTabSheet*& T1, TSkTabSheet*& T2, TSkTabSheet*& T3) {
    form->SetBorderStyle(bsNone);
    form->SetClientWidth(759);
    form->SetClientHeight(528);
    form->SetColor(clWhite);
    auto* pages = Place<TSkPageControl>(form, form, "PC", 0, 0, 759, 528);
    pages->SetAlign(alClient);
    auto page = [&](const char* name, const QString& caption) {
        auto* sheet = new TSkTabSheet(form);
        sheet->SetName(name);
        sheet->SetPageControl(pages);
        sheet->SetCaption(caption);
        sheet->SetTabVisible(false);
        sheet->SetColor(clWhite);
        return sheet;
    };
    T1 = page("T1", listCaption);
    T2 = page("T2", stepsCaption);
    T3 = page("T3", stepsCaption);
    return pages;
}

TSkGroupBox* PlaceBusyBox(TForm* form) {
    auto* box = Place<TSkGroupBox>(form, form, "RGP_P", 18, 220, 190, 60);
    PlaceLabel(form, box, "Label5", "正在读取食谱... ...", 24, 28);
    box->SetVisible(false);
    return box;
}

void ShowBusyBox(TSkGroupBox* box) {
    box->Show();
    box->BringToFront();
    box->Repaint();
}

TTimer* AddLoadTimer(TForm* form, TNotifyEvent onTimer) {
    auto* timer = new TTimer(form);
    timer->SetName("Timer1");
    timer->SetInterval(1000);
    timer->OnTimer = std::move(onTimer);
    return timer;
}

TLabel* PlaceStepHeading(TComponent* owner, TWinControl* parent, const QString& title,
                         const QString& stepName, const QString& step) {
    auto* heading = PlaceLabel(owner, parent, QString(), title, 8, 8);
    heading->Font()->SetSize(12);
    heading->Font()->SetStyle(FontStyle(fsBold));
    auto* line = PlaceLabel(owner, parent, stepName, step, 8, 36);
    line->Font()->SetColor(clBlue);
    return line;
}
