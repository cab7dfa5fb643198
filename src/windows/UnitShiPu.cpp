// The recipe book: building the window, the recipe list and the view of one recipe.
#include "UnitShiPu.h"

#include "ConstTables.h"
#include "Dialogs.h"
#include "FoodTable.h"
#include "MealEditing.h"
#include "NutrientSums.h"
#include "ProgramImages.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "UnitYYSHJ.h"
#include "WindowBuilder.h"
#include "WindowChoices.h"

TFrm_ShiPu* Frm_ShiPu = nullptr;

namespace {

const TColor ViewRowColour = 0xFCEEE3;
const TColor EditorRowColour = 0xFFD9D9;

// The nutrient behind each row after row 0, with the unit its value is shown in.
struct TTotalRow {
    TFoodValue Value;
    const char* Unit;
};
const std::array<TTotalRow, NutrientTotalRows - 1> TotalRows = {{
    {fvCarbohydrate, "g"}, {fvProtein, "g"},   {fvFat, "g"},         {fvFibre, "g"},
    {fvCholesterol, "mg"}, {fvVitaminA, "ug"}, {fvCarotene, "ug"},   {fvRetinol, "ug"},
    {fvRiboflavin, "mg"},  {fvThiamine, "mg"}, {fvNiacin, "mg"},     {fvVitaminC, "mg"},
    {fvVitaminE, "mg"},    {fvCalcium, "mg"},  {fvPhosphorus, "mg"}, {fvCopper, "mg"},
    {fvPotassium, "mg"},   {fvSodium, "mg"},   {fvMagnesium, "mg"},  {fvIron, "mg"},
    {fvManganese, "mg"},   {fvZinc, "mg"},     {fvSelenium, "ug"},
}};

}  // namespace

const std::array<QString, NutrientTotalRows> NutrientTotalNames = {
    "能量",   "碳水化合物", "蛋白质", "脂肪",   "膳食纤维", "胆固醇",  "维生素A", "胡萝卜素",
    "视黄醇", "核黄素",     "硫胺素", "尼克酸", "维生素C",  "维生素E", "钙",      "磷",
    "铜",     "钾",         "钠",     "镁",     "铁",       "锰",      "锌",      "硒"};

TNutrientTotals TFrm_ShiPu::SumNutrients(const TStringList& Lines) {
    std::array<long double, NutrientTotalRows + 1> sums{};
    for (int i = 0; i < Lines.Count(); ++i) {
        const QStringList f = Lines[i].split(',');
        double grams = 0;
        bool idOk = false;
        const int id = f.value(2).trimmed().toInt(&idOk);
        if (f.size() < 3 || !idOk || !TryStrToFloat(f[1], grams)) continue;
        const TFdRcd& food = FoodByID(id);
        if (food.ID != id || food.Name != f[0]) continue;
        const long double factor = grams / 100.0L;
        sums[0] += NullToZero(food.Values[fvKcal]) * factor;
        sums[1] += NullToZero(food.Values[fvKJ]) * factor;
        for (int r = 0; r < int(TotalRows.size()); ++r)
            sums[r + 2] += NullToZero(food.Values[TotalRows[r].Value]) * factor;
    }
    TNutrientTotals texts;
    texts[0] = FormatFloat("0", double(sums[0])) + "kcal";
    texts[1] = FormatFloat("0", double(sums[1])) + "kJ";
    for (int r = 0; r < int(TotalRows.size()); ++r)
        texts[r + 2] = TruncTo2Decimals(FloatToStr(double(sums[r + 2]))) + TotalRows[r].Unit;
    return texts;
}

void TFrm_ShiPu::ShowNutrientTotals(const TNutrientTotals& totals, TStringGrid* grid) {
    grid->SetRowCount(NutrientTotalRows);
    for (int row = 0; row < NutrientTotalRows; ++row)
        grid->SetCells(0, row, NutrientTotalNames[row]);
    grid->SetCells(1, 0, totals[0] + "(" + totals[1] + ")");
    for (int row = 1; row < NutrientTotalRows; ++row)
        grid->SetCells(1, row, totals[row + 1]);
    grid->SetTopRow(0);
}

// Building -------------------------------------------------------------------------------------

TFrm_ShiPu::TFrm_ShiPu(TComponent* AOwner) : TForm(AOwner) {
    SetName("Frm_ShiPu");
    SetCaption("食谱列表");
    PC = BuildStepPages(this, "食谱列表", "制作食谱（共3步）", T1, T2, T3);
    BuildListPage();
    BuildChooserPage();
    BuildWeightPage();
    PC->SetActivePage(T1);
    RGP_P = PlaceBusyBox(this);
    Label5 = static_cast<TLabel*>(FindComponent("Label5"));
    Timer1 = AddLoadTimer(this, [this](TObject* s) { Timer1Timer(s); });
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

TFrm_ShiPu::~TFrm_ShiPu() {
    if (Frm_ShiPu == this) Frm_ShiPu = nullptr;
}

void TFrm_ShiPu::BuildListPage() {
    edtSP = Place<TSkEdit>(this, T1, "edtSP", 8, 8, 150, 26);
    edtSP->OnChange = [this](TObject* s) { edtSPChange(s); };
    edtSP->OnKeyDown = [this](TObject* s, unsigned short& k, TShiftState sh) { edtSPKeyDown(s, k, sh); };
    btnSrc = PlaceButton(this, T1, "btnSrc", "查询", 162, 7, 56);
    btnSrc->OnClick = [this](TObject* s) { btnSrcClick(s); };

    TV_FD1 = PlaceTree(this, T1, "TV_FD1", 8, 40, 210, 480, true, TTreeIcons::Items);
    TV_FD1->OnChange = [this](TObject* s, TTreeNode* n) { TV_FD1Change(s, n); };
    TV_FD1->OnCustomDrawItem = [this](TCustomTreeView* t, TTreeNode* n, TCustomDrawState st, bool& d) {
        TV_FD1CustomDrawItem(t, n, st, d);
    };
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    N1 = AddMenuItem(this, PopupMenu1, "N1", "刷新食谱", [this](TObject* s) { N1Click(s); });
    N4 = AddMenuItem(this, PopupMenu1, "N4", "删除食谱", [this](TObject* s) { N4Click(s); });
    TV_FD1->SetPopupMenu(PopupMenu1);

    pnlSrcRlt = PlaceResultPanel(this, T1, "pnlSrcRlt", Rect(8, 40, 218, 520));
    TVSPS = PlaceRecipeResults(this, pnlSrcRlt, "TVSPS");
    ActOnDoubleClickOrEnter(TVSPS, [this](TObject* s) { TVSPSDblClick(s); });
    btnBack = PlaceBackButton(this, pnlSrcRlt, "btnBack");
    btnBack->OnClick = [this](TObject* s) { btnBackClick(s); };

    lblSP = PlaceLabel(this, T1, "lblSP", "", 230, 12);
    lblSP->Font()->SetSize(12);
    lblSP->Font()->SetStyle(FontStyle(fsBold));
    lblSP->Font()->SetColor(clBlue);
    lblSetUseFD = PlaceLabel(this, T1, "lblSetUseFD", "设为常用食谱", 576, 14);
    lblYYSHL = PlaceLabel(this, T1, "lblYYSHL", "营养素含量", 676, 14);
    for (TLabel* link : {lblSetUseFD, lblYYSHL}) {
        MakeHoverLink(link);
    }
    lblSetUseFD->OnClick = [this](TObject* s) { lblSetUseFDClick(s); };
    lblYYSHL->OnClick = [this](TObject* s) { lblYYSHLClick(s); };
    // The hint follows the shown recipe; the link's own hover colouring stays.
    const TNotifyEvent enter = lblYYSHL->OnMouseEnter, leave = lblYYSHL->OnMouseLeave;
    lblYYSHL->OnMouseEnter = [this, enter](TObject* s) {
        if (enter) enter(s);
        lblYYSHLMouseEnter(s);
    };
    lblYYSHL->OnMouseLeave = [this, leave](TObject* s) {
        if (leave) leave(s);
        lblYYSHLMouseLeave(s);
    };

    SG_FDC = PlaceGrid(this, T1, "SG_FDC", Rect(228, 38, 751, 262), {44, 230, 100, 120});
    SG_FDC->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) {
        SG_YYSDrawCell(s, c, r, rc, st);
    };
    PlaceLabel(this, T1, QString(), "制作方法：", 230, 272)->Font()->SetStyle(FontStyle(fsBold));
    REdt_SP = Place<TSkRichEdit>(this, T1, "REdt_SP", 228, 292, 523, 188);
    ShowTextOnly(REdt_SP);
    REdt_SP->SetScrollBars(ssVertical);

    btn_ModifySW = PlaceButton(this, T1, "btn_ModifySW", "修改食谱", 365, 490);
    Btn_SaveSW = PlaceButton(this, T1, "Btn_SaveSW", "创建食谱", 462, 490);
    btnPrtSP = PlaceButton(this, T1, "btnPrtSP", "打印食谱", 559, 490);
    btnOutSP = PlaceButton(this, T1, "btnOutSP", "导出食谱", 656, 490);
    btn_ModifySW->OnClick = [this](TObject* s) { btn_ModifySWClick(s); };
    Btn_SaveSW->OnClick = [this](TObject* s) { Btn_SaveSWClick(s); };
    btnPrtSP->OnClick = [this](TObject* s) { btnPrtSPClick(s); };
    btnOutSP->OnClick = [this](TObject* s) { btnOutSPClick(s); };
    // Nothing is shown yet to change or to set as often used.
    btn_ModifySW->SetEnabled(false);
    lblSetUseFD->SetEnabled(false);
}

void TFrm_ShiPu::BuildChooserPage() {
    lblSPStep1 = PlaceStepHeading(this, T2, "制作食谱（共3步）", "lblSPStep1", "第1步：选择食谱成分");

    ED_Src = Place<TSkEdit>(this, T2, "ED_Src", 8, 62, 196, 26);
    ED_Src->OnChange = [this](TObject* s) { ED_SrcChange(s); };
    Btn_Src = PlaceButton(this, T2, "Btn_Src", "查询", 208, 61, 56);
    Btn_Src->OnClick = [this](TObject* s) { Btn_SrcClick(s); };
    TV_FD = PlaceTree(this, T2, "TV_FD", 8, 94, 256, 426);
    ActOnDoubleClickOrEnter(TV_FD, [this](TObject* s) { TV_FDDblClick(s); });
    PopupMenu3 = new TPopupMenu(this);
    PopupMenu3->SetName("PopupMenu3");
    N13 = AddMenuItem(this, PopupMenu3, "N13", "添加已选择的食物", [this](TObject* s) { N13Click(s); });
    TV_FD->SetPopupMenu(PopupMenu3);

    pnlSrcRlt1 = PlaceResultPanel(this, T2, "pnlSrcRlt1", Rect(8, 94, 264, 520));
    SG_SrcRlt = PlaceFoodResults(this, pnlSrcRlt1, "SG_SrcRlt");
    ActOnDoubleClickOrEnter(SG_SrcRlt, [this](TObject* s) { SG_SrcRltDblClick(s); });
    btnBack1 = PlaceBackButton(this, pnlSrcRlt1, "btnBack1");
    btnBack1->OnClick = [this](TObject* s) { btnBack1Click(s); };

    Btn_Add = PlaceButton(this, T2, "Btn_Add", "添 加", 276, 260, 80);
    Btn_Add->OnClick = [this](TObject* s) { Btn_AddClick(s); };

    lblSPTit = PlaceLabel(this, T2, "lblSPTit", "已选择的食物", 370, 68);
    SG_FD1 = PlaceGrid(this, T2, "SG_FD1", Rect(368, 94, 751, 480), {50, 310});
    SG_FD1->SetTag(11);
    SG_FD1->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) {
        SG_YYSDrawCell(s, c, r, rc, st);
    };
    SG_FD1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG_Fd111MouseDown(s, b, sh, x, y);
    };
    PopupMenu2 = new TPopupMenu(this);
    PopupMenu2->SetName("PopupMenu2");
    N2 = AddMenuItem(this, PopupMenu2, "N2", "设置常用食物", nullptr);
    N15 = AddMenuItem(this, PopupMenu2, "N15", "删除", [this](TObject* s) { N15Click(s); });
    SG_FD1->SetPopupMenu(PopupMenu2);

    btnDown = PlaceButton(this, T2, "btnDown", "下一步", 560, 490);
    btnSPDir1 = PlaceButton(this, T2, "btnSPDir1", "食谱列表", 660, 490);
    btnDown->OnClick = [this](TObject* s) { btnDownClick(s); };
    btnSPDir1->OnClick = [this](TObject* s) { btnSPDir1Click(s); };
}

void TFrm_ShiPu::BuildWeightPage() {
    lblSPStep2 = PlaceStepHeading(this, T3, "制作食谱（共3步）", "lblSPStep2", "第二步：输入食物重量");
    SG_FD2 = PlaceGrid(this, T3, "SG_FD2", Rect(8, 58, 448, 288), {44, 196, 90, 100});
    SG_FD2->SetTag(10);
    AssignStripedCellFont(SG_FD2->Font());  // the weight typed in looks as it will stand
    SG_FD2->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) {
        SG_YYSDrawCell(s, c, r, rc, st);
    };
    SG_FD2->OnKeyPress = [this](TObject* s, QChar& k) { SG_FD2KeyPress(s, k); };
    SG_FD2->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { SG_FD2SelectCell(s, c, r, can); };
    SG_FD2->OnSetEditText = [this](TObject* s, int c, int r, const QString& v) {
        SG_FD2SetEditText(s, c, r, v);
    };
    SG_FD2->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG_FD2MouseDown(s, b, sh, x, y);
    };
    PPM = new TPopupMenu(this);
    PPM->SetName("PPM");
    N9 = AddMenuItem(this, PPM, "N9", "", nullptr);
    N9->SetVisible(false);
    N17 = AddMenuItem(this, PPM, "N17", "删除", [this](TObject* s) { N17Click(s); });
    N11 = AddMenuItem(this, PPM, "N11", "营养素含量合计", [this](TObject* s) { N11Click(s); });
    SG_FD2->SetPopupMenu(PPM);
    lblYYSHint = PlaceLabel(this, T3, "lblYYSHint",
                            "提示：在食物列表上点击右键，\n选择“营养素含量合计”查看营养素。", 460, 16);
    lblYYSHint->Font()->SetColor(clGray);

    lblSPStep3 = PlaceLabel(this, T3, "lblSPStep3", "第三步：保存食谱", 8, 300);
    lblSPStep3->Font()->SetColor(clBlue);
    lblSaveTit = PlaceLabel(this, T3, "lblSaveTit", "食谱名称", 8, 330);
    ED_SPN = Place<TSkEdit>(this, T3, "ED_SPN", 70, 326, 160, 26);
    lblSaveCls = PlaceLabel(this, T3, "lblSaveCls", "食谱类别", 246, 330);
    CB_SPC = PlaceChoiceBox(this, T3, "CB_SPC", 308, 326, 140, 26, RecipeClasses);
    Label36 = PlaceLabel(this, T3, "Label36", "烹饪类别", 8, 364);
    CB_P = PlaceChoiceBox(this, T3, "CB_P", 70, 360, 160, 26, CookingMethods);
    chkUseFd = Place<TSkCheckBox>(this, T3, "chkUseFd", 246, 362, 200, 22);
    chkUseFd->SetCaption("设置为常用食谱");
    chkUseFd->SetTransparent(true);
    Label35 = PlaceLabel(this, T3, "Label35", "制作方法", 8, 396);
    RE_SP = Place<TSkRichEdit>(this, T3, "RE_SP", 70, 394, 378, 90);
    RE_SP->SetScrollBars(ssVertical);
    btnSaveSP = PlaceButton(this, T3, "btnSaveSP", "保存食谱", 70, 492);
    btnUp2 = PlaceButton(this, T3, "btnUp2", "上一步", 166, 492);
    btnSPDir = PlaceButton(this, T3, "btnSPDir", "食谱列表", 262, 492);
    btnSaveSP->OnClick = [this](TObject* s) { btnSaveSPClick(s); };
    btnUp2->OnClick = [this](TObject* s) { btnUp2Click(s); };
    btnSPDir->OnClick = [this](TObject* s) { btnSPDirClick(s); };

    // Over the hint while it is shown: the 24 rows and their lines.
    RGP_YYS = Place<TSkGroupBox>(this, T3, "RGP_YYS", 458, 4, 292, NutrientGridHeight + 30);
    RGP_YYS->SetCaption("营养素含量合计");
    SG_YYS1 = PlaceGrid(this, RGP_YYS, "SG_YYS1", Rect(6, 24, 286, 24 + NutrientGridHeight), {110, 164});
    SG_YYS1->SetFixedRows(0);
    SG_YYS1->SetRowCount(NutrientTotalRows);
    SG_YYS1->SetDefaultRowHeight(NutrientRowHeight);
    SG_YYS1->SetScrollBars(ssNone);
    SG_YYS1->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) {
        SG_YYSDrawCell(s, c, r, rc, st);
    };
    Label4 = PlaceLabel(this, RGP_YYS, "Label4", "关闭", 254, 2);
    MakeHoverLink(Label4);
    Label4->OnClick = [this](TObject* s) { Label4Click(s); };
    RGP_YYS->SetVisible(false);
}

void TFrm_ShiPu::ShowPage(TSkTabSheet* page) {
    PC->SetActivePage(page);
}

void TFrm_ShiPu::ShowRecipeList() {
    ShowPage(T1);
    FocusIfCan(TV_FD1);
}

// T1 -------------------------------------------------------------------------------------------

void TFrm_ShiPu::FormCreate(TObject*) {
    PlaceAtPopupOrigin(this);
}

void TFrm_ShiPu::FormShow(TObject*) {
    const char* headers[] = {"序号", "食物名称", "重量(克)", "热量(Kcal)"};
    for (int col = 0; col < 4; ++col)
        SG_FDC->SetCells(col, 0, headers[col]);
    for (TStringGrid* g : {SG_FD1, SG_FD2}) {
        g->SetCells(0, 0, "序号");
        g->SetCells(1, 0, "食物名称");
    }
    SG_SrcRlt->SetCells(0, 0, "食物名称");
    CB_SPC->SetItemIndex(1);
    CB_P->SetItemIndex(1);
}

void TFrm_ShiPu::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
    // The main window makes a new one on its next use.
    if (Frm_ShiPu == this) Frm_ShiPu = nullptr;
}

void TFrm_ShiPu::Timer1Timer(TObject*) {
    ShowBusyBox(RGP_P);
    Timer1->SetEnabled(false);
    DM->FillRecipeTree(TV_FD1);
    if (TV_FD->Items()->Count() == 0) DM->FillFoodTree(TV_FD);
    if (TV_FD1->Items()->Count() > 1) TV_FD1->SetSelected(TV_FD1->Items()->Item(1));
    if (TV_FD->Items()->Count() > 1) TV_FD->SetSelected(TV_FD->Items()->Item(1));
    RGP_P->Hide();
}

void TFrm_ShiPu::TV_FD1Change(TObject*, TTreeNode* Node) {
    lblSP->SetCaption(QString());
    DM->ClearGrid(SG_FDC, 1);
    const TFdRcd* recipe = RecipeOfNode(Node);
    btn_ModifySW->SetEnabled(recipe != nullptr);
    lblSetUseFD->SetEnabled(recipe != nullptr);
    if (!recipe) {
        FRecipeID = 0;
        REdt_SP->Clear();
        return;
    }
    FClassName = Node->Parent()->Text();
    FRecipeName = Node->Text();
    lblSP->SetCaption("【" + FRecipeName + "】");
    FRecipeID = recipe->ID;
    FRecipeFlag = recipe->RecFlag;
    ShowRecipe(FRecipeID);
}

void TFrm_ShiPu::ShowRecipe(int id) {
    DM->FillRecipeFoodGrid(SG_FDC, id);
    LoadRecipe(id, REdt_SP);
    double total = 0;
    for (int row = 1; row < SG_FDC->RowCount(); ++row) {
        double kcal = 0;
        if (TryStrToFloat(SG_FDC->Cells(3, row), kcal)) total += kcal;
    }
    if (total > 0) {
        SG_FDC->SetRowCount(SG_FDC->RowCount() + 1);
        const int last = SG_FDC->RowCount() - 1;
        SG_FDC->SetCells(2, last, "热量合计");
        SG_FDC->SetCells(3, last, FormatFloat("0.0", total));
    }
}

void TFrm_ShiPu::LoadRecipe(int id, TCustomMemo* preparation) {
    const TDM::TRecipeRow row = DM->LoadRecipe(id);
    preparation->SetText(row.Preparation);
    ED_SPN->SetText(row.Name);
    CB_SPC->SetItemIndex(CB_SPC->Items()->IndexOf(row.Class));
    CB_P->SetItemIndex(CB_P->Items()->IndexOf(row.Method));
}

void TFrm_ShiPu::TV_FD1CustomDrawItem(TCustomTreeView* Sender, TTreeNode*, TCustomDrawState State, bool&) {
    HighlightSelectedNode(Sender, State);
}

void TFrm_ShiPu::btnSrcClick(TObject*) {
    const QString text = edtSP->Text().trimmed().toUpper();
    if (text.isEmpty()) return;
    FillRecipeSearchTree(TV_FD1, TVSPS, text);
    ShowSearchResults(pnlSrcRlt, TV_FD1);
}

void TFrm_ShiPu::edtSPChange(TObject* Sender) {
    if (!edtSP->Text().trimmed().isEmpty()) btnSrcClick(Sender);
}

void TFrm_ShiPu::edtSPKeyDown(TObject* Sender, unsigned short& Key, TShiftState) {
    if (Key == VK_RETURN && !edtSP->Text().trimmed().isEmpty()) btnSrcClick(Sender);
}

void TFrm_ShiPu::TVSPSDblClick(TObject* Sender) {
    TTreeNode* result = TVSPS->Selected();
    lblSP->SetCaption(result ? "【" + result->Text() + "】" : QString());
    DM->ClearGrid(SG_FDC, 1);
    if (!result) return;
    FRecipeID = result->StateIndex();
    ShowRecipe(FRecipeID);
    TV_FD1->FullCollapse();
    // Selecting the recipe in the list shows it again, with everything the list keeps of it.
    SelectRecipeNode(TV_FD1, result->StateIndex());
    btnBackClick(Sender);
}

void TFrm_ShiPu::btnBackClick(TObject*) {
    TVSPS->Items()->Clear();
    HideSearchResults(pnlSrcRlt, TV_FD1);
}

void TFrm_ShiPu::N1Click(TObject*) {
    TV_FD1->Items()->Clear();
    ShowBusyBox(RGP_P);
    Timer1->SetEnabled(true);
}

void TFrm_ShiPu::N4Click(TObject*) {
    TTreeNode* node = TV_FD1->Selected();
    const TFdRcd* recipe = RecipeOfNode(node);
    if (!recipe) return;
    // Daily records and set meals refer to the recipe by id: it must stay while they do.
    if (DM->RecipeInUse(recipe->ID)) {
        MessageBox("该食谱已用于饮食记录或饮食套餐，不能删除。", InfoCaption, MB_OK);
        return;
    }
    if (MessageBox("是否删除 食谱 【" + FRecipeName + "】", InfoCaption, MB_OKCANCEL) != IDOK) return;
    if (DM->DeleteRecipe(recipe->ID))
        node->Delete();
    else
        MessageBox("删除失败，请重新操作。", InfoCaption, MB_OK);
}

void TFrm_ShiPu::lblSetUseFDClick(TObject*) {
    if (DM->UID == "0") {
        MessageBox("请先登记个人基本资料", InfoCaption, MB_OK);
        if (MainFrm) MainFrm->Btn_PerInfoClick(MainFrm->Btn_PerInfo);
        return;
    }
    if (FRecipeID <= 0) {
        MessageBox("请先选择一个食谱。", InfoCaption, MB_OK);
        return;
    }
    switch (DM->AddOftenUsed(FRecipeID, 2)) {
    case TDM::TOftenUse::Added:
        MessageBox("设置成功", InfoCaption, MB_OK);
        break;
    case TDM::TOftenUse::AlreadyThere:
        MessageBox("已设置为常用食谱。", InfoCaption, MB_OK);
        break;
    case TDM::TOftenUse::Failed:  // the database box has said why
        break;
    }
}

void TFrm_ShiPu::lblYYSHLClick(TObject*) {
    auto* totals = new TYYSHJFrm(Application);
    totals->ShowTotals(SG_FDC, lblSP->Caption());
    totals->ShowModal();
    totals->Release();
}

void TFrm_ShiPu::lblYYSHLMouseEnter(TObject*) {
    lblYYSHL->SetHint("点击查看 " + lblSP->Caption() + " 营养素含量合计？");
    lblYYSHL->SetShowHint(true);
}

void TFrm_ShiPu::lblYYSHLMouseLeave(TObject*) {
    lblYYSHL->SetShowHint(false);
}

void TFrm_ShiPu::btnPrtSPClick(TObject*) {
    TStringList lines;
    lines.Add(lblSP->Caption());
    for (int row = 1; row < SG_FDC->RowCount(); ++row)
        if (!SG_FDC->Cells(1, row).isEmpty() && !SG_FDC->Cells(2, row).isEmpty())
            lines.Add(SG_FDC->Cells(1, row) + "," + SG_FDC->Cells(2, row) + "," + SG_FDC->Cells(3, row));
    if (lines.Count() <= 1) {
        MessageBox("没有数据，不能打印", InfoCaption, MB_OK);
        return;
    }
    DM->PrintRecipe("食谱名称", lines);
}

void TFrm_ShiPu::btnOutSPClick(TObject*) {
    if (SG_FDC->Cells(1, 1).isEmpty() || SG_FDC->Cells(2, 1).isEmpty()) {
        MessageBox("没有数据，不能导出", InfoCaption, MB_OK);
        return;
    }
    DM->ExportGridToText(SG_FDC, lblSP->Caption());
}

void TFrm_ShiPu::SG_YYSDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState) {
    auto* grid = static_cast<TStringGrid*>(Sender);
    if (grid == SG_FD1 && ARow == 0) return;
    DrawStripedCell(grid, ACol, ARow, Rect,
                    grid == SG_FD1 || grid == SG_FD2 ? EditorRowColour : ViewRowColour);
}
