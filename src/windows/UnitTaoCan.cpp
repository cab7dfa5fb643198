// The set meals: building the window, the tree of set meals and the view of one.
#include "UnitTaoCan.h"

#include "ConstTables.h"
#include "Dialogs.h"
#include "MealEditing.h"
#include "NutrientSums.h"
#include "ProgramImages.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "WindowBuilder.h"
#include "WindowChoices.h"

TFrm_TaoCan* Frm_TaoCan = nullptr;

namespace {

const TColor ViewRowColour = 0xFCEEE3;
const TColor MakerRowColour = 0xFFD9D9;
// Hidden columns of the set-meal grids: the item's kind ("1" food, "2" recipe) and id.
const int KindCol = 5, ItemIdCol = 6;

}  // namespace

bool IsSetMealNode(TTreeNode* node) {
    // Set meals hang below meal-class nodes, which carry the kind 3; weekday nodes carry none.
    return node && node->Parent() && node->Parent()->StateIndex() == 3;
}

QString TFrm_TaoCan::ItemEnergy(const QString& kind, const QString& id, double grams,
                                const char* foodFormat) {
    if (kind == "1") {
        double kcal = 0;
        AddFoodKcal(id, grams, kcal);
        return FormatFloat(foodFormat, kcal);
    }
    TStringList entry;
    entry.Add("," + FloatToStr(grams) + "," + id);
    return SumSetMealNutrients(entry);
}

// Building -------------------------------------------------------------------------------------

TFrm_TaoCan::TFrm_TaoCan(TComponent* AOwner) : TForm(AOwner) {
    SetName("Frm_TaoCan");
    SetCaption("饮食套餐");
    PC = BuildStepPages(this, "饮食套餐", "套餐制作（共3步）", T1, T2, T3);

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    N1 = AddMenuItem(this, PopupMenu1, "N1", "刷新食谱", [this](TObject* s) { N1Click(s); });
    N4 = AddMenuItem(this, PopupMenu1, "N4", "删除食谱", [this](TObject* s) { N4Click(s); });
    // The menu serves the set-meal tree and the maker's recipe tree; deleting is for set meals only.
    PopupMenu1->OnPopup = [this](TObject*) { N4->SetVisible(PopupMenu1->PopupComponent() == TV_TC); };

    BuildListPage();
    BuildChooserPage();
    BuildWeightPage();
    PC->SetActivePage(T1);

    RGP_P = PlaceBusyBox(this);
    Timer1 = AddLoadTimer(this, [this](TObject* s) { Timer1Timer(s); });
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

TFrm_TaoCan::~TFrm_TaoCan() {
    if (Frm_TaoCan == this) Frm_TaoCan = nullptr;
}

void TFrm_TaoCan::BuildListPage() {
    TV_TC = PlaceTree(this, T1, "TV_TC", 8, 8, 220, 512, true, TTreeIcons::Items);
    TV_TC->SetPopupMenu(PopupMenu1);
    TV_TC->OnChange = [this](TObject* s, TTreeNode* n) { TV_TCChange(s, n); };

    lblsptc = PlaceLabel(this, T1, "lblsptc", "", 240, 12);
    lblsptc->Font()->SetSize(12);
    lblsptc->Font()->SetStyle(FontStyle(fsBold));
    lblsptc->Font()->SetColor(clBlue);
    SG_FDC = PlaceGrid(this, T1, "SG_FDC", Rect(238, 38, 751, 476), {44, 225, 100, 120});
    SG_FDC->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) {
        SG_YYSDrawCell(s, c, r, rc, st);
    };

    btnMakeTC = PlaceButton(this, T1, "btnMakeTC", "制作套餐", 365, 490);
    btnModifyTC = PlaceButton(this, T1, "btnModifyTC", "修改套餐", 462, 490);
    btnPrtSP = PlaceButton(this, T1, "btnPrtSP", "打印套餐", 559, 490);
    btnOutSP = PlaceButton(this, T1, "btnOutSP", "导出套餐", 656, 490);
    btnMakeTC->OnClick = [this](TObject* s) { btnMakeTCClick(s); };
    btnModifyTC->OnClick = [this](TObject* s) { btnModifyTCClick(s); };
    btnPrtSP->OnClick = [this](TObject* s) { btnPrtSPClick(s); };
    btnOutSP->OnClick = [this](TObject* s) { btnOutSPClick(s); };
}

void TFrm_TaoCan::BuildChooserPage() {
    PlaceStepHeading(this, T2, "套餐制作（共3步）", "lblStep1", "第一步：选择套餐内容");
    PlaceLabel(this, T2, "lblHint", "提示：选择自己爱好的食物或食谱，点击添加按钮，完成选择。", 160, 38)
        ->Font()
        ->SetColor(clGray);

    PCSS = Place<TSkPageControl>(this, T2, "PCSS", 8, 62, 274, 420);
    // Tabs a little longer than their captions: the caption stands clear of the tab's edges, and so
    // does the focus frame drawn round it.
    PCSS->SetTabWidth(64);
    PCSS->SetTabHeight(24);
    TabSheet1 = new TSkTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetPageControl(PCSS);
    TabSheet1->SetCaption("食物");
    TabSheet2 = new TSkTabSheet(this);
    TabSheet2->SetName("TabSheet2");
    TabSheet2->SetPageControl(PCSS);
    TabSheet2->SetCaption("食谱");
    TabSheet1->SetColor(clWhite);
    TabSheet2->SetColor(clWhite);
    PCSS->SetActivePage(TabSheet1);

    ED_Src = Place<TSkEdit>(this, TabSheet1, "ED_Src", 4, 4, 196, 26);
    ED_Src->OnChange = [this](TObject* s) { ED_SrcChange(s); };
    Btn_Src = PlaceButton(this, TabSheet1, "Btn_Src", "查询", 204, 3, 56);
    Btn_Src->OnClick = [this](TObject* s) { Btn_SrcClick(s); };
    TV_FD = PlaceTree(this, TabSheet1, "TV_FD", 4, 34, 256, 346);
    ActOnDoubleClickOrEnter(TV_FD, [this](TObject* s) { TV_FDDblClick(s); });
    pnlSrcRlt = PlaceResultPanel(this, TabSheet1, "pnlSrcRlt", Rect(4, 34, 260, 380));
    SG_SrcRlt = PlaceFoodResults(this, pnlSrcRlt, "SG_SrcRlt");
    ActOnDoubleClickOrEnter(SG_SrcRlt, [this](TObject* s) { SG_SrcRltDblClick(s); });
    btnBack = PlaceBackButton(this, pnlSrcRlt, "btnBack");
    btnBack->OnClick = [this](TObject* s) { btnBackClick(s); };

    PlaceLabel(this, TabSheet2, "lblSPName", "食谱名称", 4, 9);
    edtSP = Place<TSkEdit>(this, TabSheet2, "edtSP", 64, 4, 136, 26);
    edtSP->OnChange = [this](TObject* s) { edtSPChange(s); };
    btnSrcSp = PlaceButton(this, TabSheet2, "btnSrcSp", "查询", 204, 3, 56);
    btnSrcSp->OnClick = [this](TObject* s) { btnSrcSpClick(s); };
    TV_FD1 = PlaceTree(this, TabSheet2, "TV_FD1", 4, 34, 256, 346, true, TTreeIcons::Items);
    TV_FD1->SetPopupMenu(PopupMenu1);
    ActOnDoubleClickOrEnter(TV_FD1, [this](TObject* s) { TV_FD1DblClick(s); });
    TV_FD1->OnCustomDrawItem = [this](TCustomTreeView* t, TTreeNode* n, TCustomDrawState st, bool& d) {
        TV_FD1CustomDrawItem(t, n, st, d);
    };
    pnlSrcSPRlt = PlaceResultPanel(this, TabSheet2, "pnlSrcSPRlt", Rect(4, 34, 260, 380));
    TVSPS = PlaceRecipeResults(this, pnlSrcSPRlt, "TVSPS");
    ActOnDoubleClickOrEnter(TVSPS, [this](TObject* s) { TVSPSDblClick(s); });
    btnBackSP = PlaceBackButton(this, pnlSrcSPRlt, "btnBackSP");
    btnBackSP->OnClick = [this](TObject* s) { btnBackSPClick(s); };

    Btn_Add = PlaceButton(this, T2, "Btn_Add", "添 加", 292, 260, 80);
    Btn_Add->OnClick = [this](TObject* s) { Btn_AddClick(s); };
    PlaceLabel(this, T2, "lblChosen", "已选择内容", 386, 68);
    SG_FD1 = PlaceGrid(this, T2, "SG_FD1", Rect(384, 94, 751, 480), {50, 295});
    SG_FD1->SetTag(11);
    SG_FD1->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) {
        SG_FD1DrawCell(s, c, r, rc, st);
    };
    SG_FD1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG_FdMouseDown(s, b, sh, x, y);
    };
    PopupMenu2 = new TPopupMenu(this);
    PopupMenu2->SetName("PopupMenu2");
    N15 = AddMenuItem(this, PopupMenu2, "N15", "删除", [this](TObject* s) { N15Click(s); });
    SG_FD1->SetPopupMenu(PopupMenu2);

    btnStep1 = PlaceButton(this, T2, "btnStep1", "下一步", 560, 490);
    btnSPDir = PlaceButton(this, T2, "btnSPDir", "套餐列表", 660, 490);
    btnStep1->OnClick = [this](TObject* s) { btnStep1Click(s); };
    btnSPDir->OnClick = [this](TObject* s) { btnSPDirClick(s); };
}

void TFrm_TaoCan::BuildWeightPage() {
    PlaceStepHeading(this, T3, "套餐制作（共3步）", "lblStep2", "第二步：输入重量");
    SG_FD2 = PlaceGrid(this, T3, "SG_FD2", Rect(8, 58, 528, 420), {44, 245, 100, 120});
    SG_FD2->SetTag(10);
    SG_FD2->OnKeyPress = [this](TObject* s, QChar& k) { SG_FD2KeyPress(s, k); };
    SG_FD2->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { SG_FD2SelectCell(s, c, r, can); };
    SG_FD2->OnDblClick = [this](TObject* s) { SG_FD2DblClick(s); };
    SG_FD2->OnSetEditText = [this](TObject* s, int c, int r, const QString& v) {
        SG_FD2SetEditText(s, c, r, v);
    };
    SG_FD2->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG_FD2MouseDown(s, b, sh, x, y);
    };
    PPM = new TPopupMenu(this);
    PPM->SetName("PPM");
    N17 = AddMenuItem(this, PPM, "N17", "删除", [this](TObject* s) { N17Click(s); });
    SG_FD2->SetPopupMenu(PPM);

    PlaceLabel(this, T3, "lblStep3", "第三步：保存套餐", 548, 62)->Font()->SetColor(clBlue);
    PlaceLabel(this, T3, "lblName", "套餐名称", 548, 98);
    ED_SPN = Place<TSkEdit>(this, T3, "ED_SPN", 610, 94, 140, 26);
    PlaceLabel(this, T3, "lblClass", "套餐类别", 548, 134);
    CB_SPC = PlaceChoiceBox(this, T3, "CB_SPC", 610, 130, 140, 26, MealClasses);
    PlaceLabel(this, T3, "lblWeekday", "星期", 548, 170);
    cbbWK = PlaceChoiceBox(this, T3, "cbbWK", 610, 166, 140, 26, {QString()});  // for no day in particular
    for (const QString& day : Weekdays)
        cbbWK->Items()->Add(day);
    btnSaveTC = PlaceButton(this, T3, "btnSaveTC", "保存套餐", 610, 210, 100);
    btnSaveTC->OnClick = [this](TObject* s) { btnSaveTCClick(s); };

    SkButton3 = PlaceButton(this, T3, "SkButton3", "上一步", 560, 490);
    btnSPDir2 = PlaceButton(this, T3, "btnSPDir2", "套餐列表", 660, 490);
    SkButton3->OnClick = [this](TObject* s) { SkButton3Click(s); };
    btnSPDir2->OnClick = [this](TObject* s) { btnSPDir2Click(s); };
}

void TFrm_TaoCan::ShowPage(TSkTabSheet* page) {
    PC->SetActivePage(page);
}

// T1 -------------------------------------------------------------------------------------------

void TFrm_TaoCan::FormCreate(TObject*) {
    PlaceAtPopupOrigin(this);
}

void TFrm_TaoCan::FormShow(TObject*) {
    CB_SPC->SetItemIndex(1);
    const char* headers[] = {"序号", "食物名称", "重量(克)", "热量(Kcal)"};
    for (int col = 0; col < 4; ++col) {
        SG_FDC->SetCells(col, 0, headers[col]);
        SG_FD2->SetCells(col, 0, col == 2 ? " 重量(克)" : headers[col]);
    }
    SG_FD1->SetCells(0, 0, "序号");
    SG_FD1->SetCells(1, 0, "食物名称");
    SG_SrcRlt->SetCells(0, 0, "食物名称");
}

void TFrm_TaoCan::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
    // The main window makes a new one on its next use.
    if (Frm_TaoCan == this) Frm_TaoCan = nullptr;
}

void TFrm_TaoCan::Timer1Timer(TObject*) {
    ShowBusyBox(RGP_P);
    Timer1->SetEnabled(false);
    if (TV_FD->Items()->Count() == 0) DM->FillFoodTree(TV_FD);
    DM->FillRecipeTree(TV_FD1);
    DM->FillSetMealTree(TV_TC);
    ShowSetMealAgain();
    if (TV_FD->Items()->Count() > 1) TV_FD->SetSelected(TV_FD->Items()->Item(1));
    if (TV_FD1->Items()->Count() > 1) TV_FD1->SetSelected(TV_FD1->Items()->Item(1));
    RGP_P->Hide();
}

// After the tree is filled again (back from the maker, or refreshed) the set meal shown before is
// shown again, with what it now holds; when it is gone, its title goes with it.
void TFrm_TaoCan::ShowSetMealAgain() {
    for (int i = 0; i < TV_TC->Items()->Count(); ++i) {
        TTreeNode* node = TV_TC->Items()->Item(i);
        if (IsSetMealNode(node) && node->StateIndex() == FSetMealID) {
            TV_TC->SetSelected(node);
            return;
        }
    }
    lblsptc->SetCaption(QString());
}

void TFrm_TaoCan::TV_TCChange(TObject*, TTreeNode* Node) {
    DM->ClearGrid(SG_FDC, 1);
    if (!IsSetMealNode(Node)) return;
    FSetMealID = Node->StateIndex();
    lblsptc->SetCaption("【" + Node->Text() + "】成分：");
    // Foods first, then recipes, each in the order they were saved.
    const QString sql =
        "Select A.Food_Name As Name,B.FdNet,B.CFlg,B.FdID,1 As K,B.rowid As R From Food A, SPTCTxt B "
        "Where A.ID = B.FdID And B.SPID = :ID And B.CFlg=1 "
        "Union All "
        "Select A.SPName,B.FdNet,B.CFlg,B.FdID,2,B.rowid From SPInfo A, SPTCTxt B "
        "Where A.ID = B.FdID And B.SPID = :ID And B.CFlg=2 Order By K, R";
    if (!DM->RunSql(DM->Qry_Open, sql, false, {{"ID", FSetMealID}})) return;
    TADOQuery* q = DM->Qry_Open;
    double total = 0;
    for (; !q->Eof(); q->Next()) {
        const int row = DM->FindFreeGridRow(SG_FDC, 1);
        const QString kind = q->FieldByName("CFlg")->AsString(), id = q->FieldByName("FdID")->AsString();
        SG_FDC->SetCells(0, row, QString::number(row));
        SG_FDC->SetCells(1, row, q->FieldByName("Name")->AsString());
        SG_FDC->SetCells(2, row, q->FieldByName("FdNet")->AsString());
        SG_FDC->SetCells(KindCol, row, kind);
        SG_FDC->SetCells(ItemIdCol, row, id);
        const QString energy = ItemEnergy(kind, id, q->FieldByName("FdNet")->AsFloat(), "0.0");
        SG_FDC->SetCells(3, row, energy);
        double kcal = 0;
        if (TryStrToFloat(energy, kcal)) total += kcal;
    }
    q->Close();
    if (total > 0) {
        SG_FDC->SetRowCount(SG_FDC->RowCount() + 1);
        SG_FDC->SetCells(2, SG_FDC->RowCount() - 1, "热量合计");
        SG_FDC->SetCells(3, SG_FDC->RowCount() - 1, FormatFloat("0", total) + "Kcal");
    }
}

void TFrm_TaoCan::N1Click(TObject*) {
    TV_FD1->Items()->Clear();
    ShowBusyBox(RGP_P);
    Timer1->SetEnabled(true);
}

void TFrm_TaoCan::N4Click(TObject*) {
    if (PopupMenu1->PopupComponent() != TV_TC) return;
    TTreeNode* node = TV_TC->Selected();
    if (!IsSetMealNode(node)) return;
    if (MessageBox("是否删除饮食套餐【" + node->Text() + "】", InfoCaption, MB_OKCANCEL) != IDOK) return;
    if (DM->DeleteSetMeal(node->StateIndex()))
        node->Delete();
    else
        MessageBox("删除失败，请重新操作。", InfoCaption, MB_OK);
}

void TFrm_TaoCan::btnPrtSPClick(TObject*) {
    if (SG_FDC->Cells(1, 1).isEmpty()) {
        MessageBox("没有套餐内容，不能打印", InfoCaption, MB_OK);
        return;
    }
    TStringList lines;
    lines.Add(lblsptc->Caption());
    for (int row = 1; row < SG_FDC->RowCount(); ++row)
        if (!SG_FDC->Cells(1, row).isEmpty() && !SG_FDC->Cells(2, row).isEmpty())
            lines.Add(SG_FDC->Cells(1, row) + "," + SG_FDC->Cells(2, row) + "," + SG_FDC->Cells(3, row));
    DM->PrintRecipe("饮食套餐", lines);
}

void TFrm_TaoCan::btnOutSPClick(TObject*) {
    if (SG_FDC->Cells(1, 1).isEmpty()) {
        MessageBox("没有套餐内容，不能导出。", InfoCaption, MB_OK);
        return;
    }
    DM->ExportGridToText(SG_FDC, lblsptc->Caption());
}

void TFrm_TaoCan::SG_YYSDrawCell(TObject*, int ACol, int ARow, TRect Rect, TGridDrawState) {
    DrawStripedCell(SG_FDC, ACol, ARow, Rect, ViewRowColour);
}

void TFrm_TaoCan::SG_FD1DrawCell(TObject*, int ACol, int ARow, TRect Rect, TGridDrawState) {
    if (ARow >= 1) DrawStripedCell(SG_FD1, ACol, ARow, Rect, MakerRowColour);
}

void TFrm_TaoCan::TV_FD1CustomDrawItem(TCustomTreeView* Sender, TTreeNode*, TCustomDrawState State, bool&) {
    HighlightSelectedNode(Sender, State);
}
