// What the recipe book and the set meals share: picking foods and recipes from trees and searches,
// the weight grid with its energy total row, the striped drawing of their grids, and the controls
// both windows build alike.
#pragma once

#include "Forms.h"
#include "Menus.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "SkButton.h"
#include "SkGrids.h"
#include "SkPanel.h"
#include "SkTabsPages.h"
#include "SkTreeVw.h"
#include "StdCtrls.h"

// Searches show their results on a panel over the tree they search, which is disabled meanwhile;
// food searches list foods in a grid, recipe searches list recipes in a second tree.
void ShowSearchResults(TControl* panel, TCustomTreeView* tree);
void HideSearchResults(TControl* panel, TCustomTreeView* tree);

// Lists every food of the food table whose name (whatever its case) or pinyin initials contain `text`
// (upper-cased) in rows from 1: name, "查看", "    设置", food id. An empty text lists nothing. Gives how
// many it listed.
int FillFoodSearchGrid(TStringGrid* grid, const QString& text);

// The food searches of the choosers: the results of the edit's text (upper-cased) over the tree; a
// picked result (a row with a food) selects that food in the tree and gives true; closing empties them.
void SearchFoods(TEdit* edit, TStringGrid* results, TControl* panel, TCustomTreeView* tree);
bool PickFoodResult(TStringGrid* results, TCustomTreeView* tree);
void CloseFoodSearch(TControl* panel, TCustomTreeView* tree, TStringGrid* results);

// The first node whose text equals `text` ignoring case (only at `level` when it is 0 or more).
TTreeNode* FindNodeByText(TCustomTreeView* tree, const QString& text, int level = -1);
// Selects that node and scrolls it into view; false when there is none.
bool SelectNodeByText(TCustomTreeView* tree, const QString& text, int level = -1);
// Selects a food node (by the food id in its StateIndex) or a recipe node (by its record's id): names repeat,
// ids do not.
bool SelectFoodNode(TCustomTreeView* tree, int foodId);
bool SelectRecipeNode(TCustomTreeView* tree, int recipeId);

// Fills `results` with a root node per recipe of `recipes` (a recipe tree) whose name (whatever its
// case) or pinyin initials contain `text`, carrying the recipe id in StateIndex. `text` is upper-cased and
// trimmed by the caller; an empty one is not searched.
void FillRecipeSearchTree(TCustomTreeView* recipes, TCustomTreeView* results, const QString& text);

// The recipe record of a node of a recipe tree (nullptr for a class node).
struct TFdRcd;
const TFdRcd* RecipeOfNode(TTreeNode* node);

// Weight cells take digits, backspace and one "." after at least one digit.
void FilterWeightKey(TStringGrid* grid, int weightCol, QChar& key);
// Editing is on in the weight column of rows that hold a name, and off elsewhere there.
void EditOnlyWeightColumn(TStringGrid* grid, int col, int row, int weightCol);

// The energy rows of a weight grid (name in 1, weight in 2, kcal in 3) end with a total row:
// "热量合计" and the sum formatted "0.0" once the sum is above 0, else empty.
double GridEnergyTotal(TStringGrid* grid);
void WriteEnergyTotalRow(TStringGrid* grid);

// The grids' own cell drawing: rows striped with `evenColour` and white, text in black in the
// striped cells' font.
void DrawStripedCell(TStringGrid* grid, int col, int row, const TRect& rect, TColor evenColour);
// The striped cells' font; a grid edited in place takes it too, so its editor matches its cells.
void AssignStripedCellFont(TFont* font);

// Recipe trees draw their selected recipe blue on pale yellow.
void HighlightSelectedNode(TCustomTreeView* tree, TCustomDrawState state);

// A checked weight: empty, not a number above 0, or the number.
enum class TWeightCheck { Missing, Invalid, Valid };
TWeightCheck CheckWeight(const QString& text, double& grams);

// Adds an item to a chooser grid, unless an item with the same `keys` (column, text) is there already,
// which a box says instead ("…已选中"). The item takes the grid's last row when that is free, else a new
// one: its number in column 0, its name in column 1, its keys in their columns.
bool AddChosenItem(TStringGrid* grid, const QString& name,
                   std::initializer_list<std::pair<int, QString>> keys);

// Rows 1 on of `to` (cleared first) become the rows of `from` that hold a name (column 1) and a `keyCol`:
// numbered in column 0, the name in column 1 and the cells of `columns` (from, to). Gives how many.
int CopyNamedRows(TStringGrid* from, TStringGrid* to, int keyCol,
                  std::initializer_list<std::pair<int, int>> columns);

// Removes the grid's current row when it holds a name, numbering the rows again.
void DeleteNamedRow(TStringGrid* grid);

// The grid's current cell moves to the cell under a mouse point in a data row (row 1 or more when
// `firstRow` is 1); gives that row, or -1.
int SelectCellAt(TStringGrid* grid, int X, int Y, int firstRow = 1);

// Building ---------------------------------------------------------------------------------------

// A grid with one header row, no fixed columns and the given visible column widths.
TSkStringGrid* PlaceGrid(TComponent* owner, TWinControl* parent, const QString& name, TRect bounds,
                         std::initializer_list<int> widths);
// A hidden panel filling `bounds` for search results, and in it the results (a food grid or a recipe
// tree) above a "返回" button.
TPanel* PlaceResultPanel(TComponent* owner, TWinControl* parent, const QString& name, TRect bounds);
TSkStringGrid* PlaceFoodResults(TComponent* owner, TPanel* panel, const QString& name);
TSkTreeView* PlaceRecipeResults(TComponent* owner, TPanel* panel, const QString& name);
TSkButton* PlaceBackButton(TComponent* owner, TPanel* panel, const QString& name);
// The frame of the recipe book and the set meals, made for the main window's centre panel: a page
// control filling the window with three pages whose tabs are hidden (the list, then two pages of
// steps), and the box that says the trees are loading.
TSkPageControl* BuildStepPages(TForm* form, const QString& listCaption, const QString& stepsCaption,
                               TSkTabSheet*& T1, TSkTabSheet*& T2, TSkTabSheet*& T3);
TSkGroupBox* PlaceBusyBox(TForm* form);
void ShowBusyBox(TSkGroupBox* box);
// The timer that loads the trees once, a second after the window is made.
TTimer* AddLoadTimer(TForm* form, TNotifyEvent onTimer);
// A step's heading: the bold title of the steps, and the step's own line below it in blue.
TLabel* PlaceStepHeading(TComponent* owner, TWinControl* parent, const QString& title,
                         const QString& stepName, const QString& step);
