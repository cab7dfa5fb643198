#include "UnitFoodList.h"

#include "Dialogs.h"
#include "MealEditing.h"
#include "NutrientSums.h"
#include "ProgramImages.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"

TFrm_FD* Frm_FD = nullptr;

namespace {

constexpr int CompositionRows = 15;
constexpr int CompositionRowHeight = 24;
constexpr TColor NameCellColor = 0xF7EFE6;
constexpr TColor LinkColor = 0xFF0000;

// Result list columns: name, "查看", "设置", food id (hidden).
enum { rcName, rcView, rcSet, rcID };

}  // namespace

TFrm_FD::TFrm_FD(TComponent* AOwner) : TForm(AOwner) {
    SetName("Frm_FD");
    SetCaption("食物成分");
    SetBorderStyle(bsNone);
    SetClientWidth(759);
    SetClientHeight(528);
    SetColor(clWhite);
    BuildSearch();
    BuildComposition();

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(500);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };

    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

void TFrm_FD::BuildSearch() {
    Label8 = PlaceLabel(this, this, "Label8", "食物名称", 12, 16);
    ED_Src = Place<TSkEdit>(this, this, "ED_Src", 76, 11, 150, 26);
    ED_Src->SetHint("输入食物名称或拼音首字母，如“DM”");
    ED_Src->SetShowHint(true);
    ED_Src->OnChange = [this](TObject* s) { ED_SrcChange(s); };
    Btn_Src = Place<TSkButton>(this, this, "Btn_Src", 232, 10, 56, 28);
    Btn_Src->SetCaption("查询");
    Btn_Src->OnClick = [this](TObject* s) { Btn_SrcClick(s); };

    TV_FD = PlaceTree(this, this, "TV_FD", 8, 46, 280, 474);
    TV_FD->OnChange = [this](TObject* s, TTreeNode* n) { TV_FDChange(s, n); };
    TV_FD->OnCustomDrawItem = [this](TCustomTreeView* s, TTreeNode* n, TCustomDrawState st, bool& d) {
        TV_FDCustomDrawItem(s, n, st, d);
    };

    RGP_P = Place<TSkGroupBox>(this, this, "RGP_P", 34, 220, 228, 64);
    RGP_P->SetVisible(false);
    Label6 = PlaceLabel(this, RGP_P, "Label6", "正在读取食物数据... ...", 40, 28);

    // The result list lies over the tree while a search is shown.
    pnlSrcRlt = Place<TPanel>(this, this, "pnlSrcRlt", 8, 46, 280, 474);
    pnlSrcRlt->SetBevelOuter(bvNone);
    pnlSrcRlt->SetColor(clWhite);
    pnlSrcRlt->SetVisible(false);
    SG_SrcRlt = PlaceStringGrid(this, pnlSrcRlt, "SG_SrcRlt", 0, 0, 280, 436);
    SG_SrcRlt->SetColCount(3);
    SG_SrcRlt->SetRowCount(2);
    SG_SrcRlt->SetFixedCols(0);
    SG_SrcRlt->SetFixedRows(0);
    SG_SrcRlt->SetColWidths(rcName, 168);
    SG_SrcRlt->SetColWidths(rcView, 44);
    SG_SrcRlt->SetColWidths(rcSet, 44);
    SG_SrcRlt->SetDefaultRowHeight(22);
    // The header row lies above the visible rows.
    SG_SrcRlt->SetRowHeights(0, 0);
    SG_SrcRlt->SetOptions(goVertLine | goHorzLine | goRowSelect);
    SG_SrcRlt->OnSelectCell = [this](TObject* s, int c, int r, bool& can) {
        SG_SrcRltSelectCell(s, c, r, can);
    };
    ActOnDoubleClickOrEnter(SG_SrcRlt, [this](TObject* s) { SG_SrcRltDblClick(s); });
    SG_SrcRlt->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG_SrcRltMouseUp(s, b, sh, x, y);
    };
    SG_SrcRlt->OnDrawCell = [this](TObject*, int c, int r, TRect rect, TGridDrawState state) {
        // The action cells read as links.
        if ((c == rcView || c == rcSet) && !(state & gdSelected) && !SG_SrcRlt->Cells(c, r).isEmpty()) {
            TCanvas* canvas = SG_SrcRlt->Canvas();
            canvas->Font()->SetColor(LinkColor);
            canvas->TextRect(rect, rect.Left + 2, rect.Top + 2, SG_SrcRlt->Cells(c, r));
        }
    };
    btnBack = Place<TSkButton>(this, pnlSrcRlt, "btnBack", 100, 442, 80, 28);
    btnBack->SetCaption("返回");
    btnBack->OnClick = [this](TObject* s) { btnBackClick(s); };
}

TSkStringGrid* TFrm_FD::MakeColumnGrid(const QString& name, int left, int width) {
    // Row 0 stays empty and takes no room.
    auto* grid = PlaceStringGrid(this, this, name, left, 108, width,
                                 (CompositionRows - 1) * (CompositionRowHeight + 1) + 4);
    grid->SetColCount(1);
    grid->SetRowCount(CompositionRows);
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    grid->SetDefaultColWidth(width - 4);
    grid->SetDefaultRowHeight(CompositionRowHeight);
    grid->SetRowHeights(0, 0);
    grid->SetScrollBars(ssNone);
    grid->SetOptions(goHorzLine);
    grid->SetDefaultDrawing(false);
    const bool names = name == "SG1" || name == "SG2";
    grid->OnDrawCell = [grid, names](TObject*, int c, int r, TRect rect, TGridDrawState state) {
        TCanvas* canvas = grid->Canvas();
        canvas->Brush()->SetColor(names && r > 0 ? NameCellColor : clWhite);
        canvas->Font()->Assign(*grid->Font());
        canvas->TextRect(rect, rect.Left + 6, rect.Top + 4, grid->Cells(c, r));
        if (state & gdFocused) canvas->DrawFocusRect(rect);
    };
    return grid;
}

void TFrm_FD::BuildComposition() {
    Label5 = PlaceLabel(this, this, "Label5", "食物成分名称及含量", 304, 16);
    Label5->Font()->SetStyle(FontStyle(fsBold));
    Label5->Font()->SetSize(11);
    auto* per100 = PlaceLabel(this, this, "lblPer100", "（每100克可食部分）", 470, 18);
    per100->Font()->SetColor(clGray);
    Lab_Fd = PlaceLabel(this, this, "Lab_Fd", "", 304, 52);
    Lab_Fd->Font()->SetStyle(FontStyle(fsBold));
    Lab_Fd->Font()->SetColor(0x8B4513);
    Lab_Fd->Font()->SetSize(12);
    Label9 = PlaceLabel(this, this, "Label9", "热量：", 304, 80);
    lblKC = PlaceLabel(this, this, "lblKC", "", 350, 80);
    lblKC->Font()->SetColor(clRed);

    SG1 = MakeColumnGrid("SG1", 304, 104);
    SG_FDUse = MakeColumnGrid("SG_FDUse", 407, 112);
    SG2 = MakeColumnGrid("SG2", 530, 104);
    SG_FDUse1 = MakeColumnGrid("SG_FDUse1", 633, 112);

    Label11 = PlaceLabel(this, this, "Label11", "成分说明", 304, 480);
    MakeLink(Label11);
    Label11->Font()->SetStyle(FontStyle(fsUnderline));
    Label11->OnClick = [this](TObject* s) { Label11Click(s); };
    Label11->OnMouseEnter = [this](TObject* s) { Label1MouseEnter(s); };
    Label11->OnMouseLeave = [this](TObject* s) { Label1MouseLeave(s); };
    Label2 = PlaceLabel(this, this, "Label2", "设为常用食物", 380, 480);
    MakeLink(Label2);
    Label2->Font()->SetStyle(FontStyle(fsUnderline));
    Label2->Font()->SetColor(LinkColor);
    Label2->OnClick = [this](TObject* s) { Label2Click(s); };
}

void TFrm_FD::FormCreate(TObject*) {
    if (MainFrm) SetBounds(MainFrm->Left(), MainFrm->Top(), Width(), Height());
    SG_SrcRlt->SetCells(rcName, 0, "名称");
    SG_SrcRlt->SetCells(rcView, 0, "设置为常用食物");
    FFoodID = -1;
}

void TFrm_FD::FormShow(TObject*) {
    // The names beside the values, rows 1 to 14 (row 0 stays empty): the same for every food.
    const TFoodNutrientView rows = FoodNutrientColumns(FFoodID);
    for (int r = 1; r < CompositionRows; ++r) {
        SG1->SetCells(0, r, rows.Left[r - 1].Name);
        SG2->SetCells(0, r, rows.Right[r - 1].Name);
    }
}

TFrm_FD::~TFrm_FD() {
    if (Frm_FD == this) Frm_FD = nullptr;
}

void TFrm_FD::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
}

void TFrm_FD::Timer1Timer(TObject*) {
    ShowBusyBox(RGP_P);
    Timer1->SetEnabled(false);
    DM->FillFoodTree(TV_FD);
    if (TV_FD->Items()->Count() > 2) TV_FD->SetSelected(TV_FD->Items()->Item(2));
    RGP_P->Hide();
}

void TFrm_FD::TV_FDChange(TObject*, TTreeNode* Node) {
    if (Node && Node->Level() == 2) ShowFood(Node->StateIndex());
}

void TFrm_FD::ShowFood(int id) {
    FFoodID = id;
    const TFoodNutrientView view = FoodNutrientColumns(id);
    Lab_Fd->SetCaption(view.Name);
    lblKC->SetCaption(view.EnergyText);
    for (int r = 1; r < CompositionRows; ++r) {
        SG_FDUse->SetCells(0, r, view.Left[r - 1].Value);
        SG_FDUse1->SetCells(0, r, view.Right[r - 1].Value);
    }
}

void TFrm_FD::TV_FDCustomDrawItem(TCustomTreeView* Sender, TTreeNode*, TCustomDrawState State, bool&) {
    HighlightSelectedNode(Sender, State);
}

void TFrm_FD::ED_SrcChange(TObject* Sender) {
    Btn_SrcClick(Sender);
}

void TFrm_FD::Btn_SrcClick(TObject*) {
    const int matches = FillFoodSearchGrid(SG_SrcRlt, ED_Src->Text().toUpper());
    // No empty row under the results; the header row stays hidden.
    SG_SrcRlt->SetRowCount(1 + matches);
    SG_SrcRlt->SetRowHeights(0, 0);
    ShowSearchResults(pnlSrcRlt, TV_FD);
}

void TFrm_FD::SG_SrcRltSelectCell(TObject*, int ACol, int ARow, bool&) {
    if (ACol == rcView && !SG_SrcRlt->Cells(ACol, ARow).isEmpty())
        ShowFood(SG_SrcRlt->Cells(rcID, ARow).toInt());
}

void TFrm_FD::SG_SrcRltMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    int col = -1, row = -1;
    SG_SrcRlt->MouseToCell(X, Y, col, row);
    if (Button != mbLeft || row < 1 || SG_SrcRlt->Cells(col, row).isEmpty()) return;
    // A click on "查看" also when the cell was current already; "设置" makes the food a frequently used one.
    const int id = SG_SrcRlt->Cells(rcID, row).toInt();
    if (col == rcView)
        ShowFood(id);
    else if (col == rcSet) {
        ShowFood(id);
        SetOftenFood(id);
    }
}

void TFrm_FD::SG_SrcRltDblClick(TObject*) {
    const int row = SG_SrcRlt->Row();
    if (SG_SrcRlt->Cells(rcView, row).isEmpty()) return;
    const int id = SG_SrcRlt->Cells(rcID, row).toInt();
    ShowFood(id);
    // The node of this very food: several foods share a name.
    SelectFoodNode(TV_FD, id);
    btnBackClick(this);
}

void TFrm_FD::btnBackClick(TObject*) {
    pnlSrcRlt->Hide();
    DM->ClearGrid(SG_SrcRlt, 0);
    TV_FD->SetEnabled(true);
}

void TFrm_FD::Label11Click(TObject*) {
    if (MainFrm) MainFrm->ShowMsgByTitle("食物成分说明");
}

void TFrm_FD::Label1MouseEnter(TObject*) {
    Label11->Font()->SetColor(LinkColor);
}

void TFrm_FD::Label1MouseLeave(TObject*) {
    Label11->Font()->SetColor(clBlack);
}

void TFrm_FD::Label2Click(TObject*) {
    SetOftenFood(FFoodID);
}

void TFrm_FD::SetOftenFood(int id) {
    if (id < 0) {
        MessageBox("没有选择食物，不能设置。", InfoCaption, MB_OK);
        return;
    }
    if (DM->UID == "0") {
        MessageBox("请先登记个人基本资料", InfoCaption, MB_OK);
        if (MainFrm) MainFrm->Btn_PerInfoClick(this);
        return;
    }
    switch (DM->AddOftenUsed(id, 1)) {
    case TDM::TOftenUse::Added:
        MessageBox("设置成功", InfoCaption, MB_OK);
        break;
    case TDM::TOftenUse::AlreadyThere:
        MessageBox("已成功设置", InfoCaption, MB_OK);
        break;
    case TDM::TOftenUse::Failed:  // the database box has said why
        break;
    }
}
