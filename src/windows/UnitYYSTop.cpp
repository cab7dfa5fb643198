#include "UnitYYSTop.h"

#include "ConstTables.h"
#include "FoodTable.h"
#include "MealEditing.h"
#include "ShellAPI.h"
#include "SiteAddresses.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "WindowBuilder.h"
#include "WindowChoices.h"
#include "WindowGrids.h"

#include <QFile>
#include <algorithm>

TFrm_FDYY* Frm_FDYY = nullptr;

QStringList RankingLines() {
    QFile file(QStringLiteral(":/data/rankings.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

namespace {

constexpr TColor EvenRowColour = 0xFCEEE3;
// The list headings: the lead, the run of blanks under the count box, then the nutrient.
const QString HeadingLead = QStringLiteral("显示前");
const QString HeadingBlanks = QStringLiteral("           ");
constexpr int GridWidth = 574;

// The food a ranking line names, or 0 when the id is not a food of the food table.
int RankedFoodID(const QString& idText) {
    bool ok = false;
    const int id = idText.toInt(&ok);
    const TFdRcd& food = FoodByID(id);
    return ok && food.ID == id && !food.Name.isEmpty() ? id : 0;
}

}  // namespace

TFrm_FDYY::TFrm_FDYY(TComponent* AOwner) : TForm(AOwner) {
    SetName("Frm_FDYY");
    SetCaption("营养排行");
    SetBorderStyle(bsNone);
    SetClientWidth(759);
    SetClientHeight(528);
    SetColor(clWhite);

    auto* heading = PlaceLabel(this, this, "lblYYS", "营养素", 12, 12);
    heading->Font()->SetStyle(FontStyle(fsBold));
    Lst_YYS = Place<TSkListBox>(this, this, "Lst_YYS", 8, 36, 150, 484);
    // Drawn by the list itself, in rows of the list's usual height.
    Lst_YYS->SetStyle(lbOwnerDrawFixed);
    Lst_YYS->OnClick = [this](TObject* s) { Lst_YYSClick(s); };
    // A nutrient found by typing its name is chosen as a click chooses it.
    Lst_YYS->OnMatch = [this](TObject* s) { Lst_YYSClick(s); };
    Lst_YYS->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        Lst_YYSMouseDown(s, b, sh, x, y);
    };
    PPM_E = new TPopupMenu(this);
    PPM_E->SetName("PPM_E");
    N2 = new TMenuItem(this);
    N2->SetName("N2");
    N2->SetCaption("查看说明");
    N2->OnClick = [this](TObject* s) { N2Click(s); };
    PPM_E->Items()->Add(N2);
    Lst_YYS->SetPopupMenu(PPM_E);

    lblTT = PlaceLabel(this, this, "lblTT", "", 172, 12);
    CB_TT = MakeCountBox(lblTT, "CB_TT", 8);
    CB_TT->OnChange = [this](TObject* s) { CB_TTChange(s); };
    SG_Top1 = MakeRankingGrid("SG_Top1", 36);
    lblTD = PlaceLabel(this, this, "lblTD", "", 172, 282);
    CB_TD = MakeCountBox(lblTD, "CB_TD", 278);
    CB_TD->OnChange = [this](TObject* s) { CB_TDChange(s); };
    SG_Top2 = MakeRankingGrid("SG_Top2", 306);

    M_YYS = Place<TMemo>(this, this, "M_YYS", 0, 0, 10, 10);
    M_YYS->SetVisible(false);

    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

TFrm_FDYY::~TFrm_FDYY() {
    ClearObjectList(*Lst_YYS->Items());
    if (Frm_FDYY == this) Frm_FDYY = nullptr;
}

TSkComboBox* TFrm_FDYY::MakeCountBox(TLabel* heading, const QString& name, int top) {
    // The box sits on the run of blanks in its heading, "显示前 [N] 种含...": a font with wide blanks
    // leaves it room.
    heading->Font()->SetName("Monospace");
    TCanvas measure;
    measure.Font()->Assign(*heading->Font());
    const int left = heading->Left() + measure.TextWidth(HeadingLead) + 2;
    const int width = std::max(50, measure.TextWidth(HeadingBlanks) - 4);
    QStringList counts;
    for (int n = 10; n <= 150; n += 10)
        counts << QString::number(n);
    auto* box = PlaceChoiceBox(this, this, name, left, top, width, 24, counts);
    box->SetDropDownCount(15);
    return box;
}

TSkStringGrid* TFrm_FDYY::MakeRankingGrid(const QString& name, int top) {
    auto* grid = PlaceStringGrid(this, this, name, 172, top, GridWidth, 214);
    grid->SetColCount(2);
    grid->SetRowCount(2);
    grid->SetFixedCols(0);
    grid->SetFixedRows(1);
    grid->SetDefaultRowHeight(22);
    grid->SetColWidths(0, 340);
    grid->SetColWidths(1, GridWidth - 340 - 24);
    grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    grid->SetScrollBars(ssVertical);
    grid->OnDrawCell = [this](TObject* s, int c, int r, TRect rect, TGridDrawState st) {
        SG_Top1DrawCell(s, c, r, rect, st);
    };
    grid->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG_Top1MouseDown(s, b, sh, x, y);
    };
    return grid;
}

void TFrm_FDYY::FormCreate(TObject*) {
    PlaceAtPopupOrigin(this);
    M_YYS->Lines()->Assign(RankingLines());
}

void TFrm_FDYY::FormShow(TObject*) {
    ClearObjectList(*Lst_YYS->Items());
    for (const TNutrientRow& row : NutrientTable) {
        auto* item = new TYYS;
        item->Index = row.Index;
        item->Name = row.Name;
        item->Page = row.Page;
        Lst_YYS->Items()->AddObject(row.Name, item);
    }
    CB_TT->SetItemIndex(1);
    CB_TD->SetItemIndex(1);
    Lst_YYS->SetItemIndex(0);
    Lst_YYSClick(Lst_YYS);
}

void TFrm_FDYY::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
}

void TFrm_FDYY::CB_TTChange(TObject* Sender) {
    Lst_YYSClick(Sender);
}

void TFrm_FDYY::CB_TDChange(TObject* Sender) {
    Lst_YYSClick(Sender);
}

void TFrm_FDYY::Lst_YYSClick(TObject*) {
    DM->ClearGrid(SG_Top1, 1);
    DM->ClearGrid(SG_Top2, 1);
    const int item = Lst_YYS->ItemIndex();
    if (item < 0) return;
    const int nTop = CB_TT->Text().toInt();
    const int nLow = CB_TD->Text().toInt();
    const auto* yys = dynamic_cast<const TYYS*>(Lst_YYS->Items()->Objects(item));
    if (!yys) return;
    FNutrientIndex = yys->Index.toInt();
    const QString name = yys->Name;
    const QString unit = FNutrientIndex >= 0 && FNutrientIndex < int(NutrientTable.size())
                             ? NutrientTable[size_t(FNutrientIndex)].Unit
                             : QString();

    lblTT->SetCaption(HeadingLead + HeadingBlanks + "种含" + name + "高的食物");
    lblTD->SetCaption(HeadingLead + HeadingBlanks + "种含" + name + "低的食物");
    for (TSkStringGrid* grid : {SG_Top1, SG_Top2}) {
        grid->SetCells(0, 0, "食物名称");
        grid->SetCells(1, 0, name + "含量(" + unit + ")");
    }

    SG_Top1->SetRowCount(nTop + 1);
    SG_Top2->SetRowCount(nLow + 1);
    int filledTop = 0, filledLow = 0;
    const TStringList& lines = *M_YYS->Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char(','));
        if (fields.size() < 3) continue;
        const QString kind = fields[0].left(2);
        if (fields[0].mid(2, 2) != yys->Index) continue;
        const bool richest = kind == "00", poorest = kind == "01";
        if (!(richest && filledTop < nTop) && !(poorest && filledLow < nLow)) continue;
        const int id = RankedFoodID(fields[1]);
        if (id == 0) continue;
        TSkStringGrid* grid = richest ? SG_Top1 : SG_Top2;
        const int row = richest ? ++filledTop : ++filledLow;
        grid->SetCells(0, row, FoodNameByID(id));
        grid->SetCells(1, row, fields[2]);
        grid->SetCells(2, row, QString::number(id));
    }
}

void TFrm_FDYY::Lst_YYSMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    const int item = Lst_YYS->ItemAtPos({X, Y}, true);
    if (item >= 0) Lst_YYS->SetItemIndex(item);
}

void TFrm_FDYY::N2Click(TObject*) {
    const int item = Lst_YYS->ItemIndex();
    if (item < 0) return;
    if (const auto* yys = dynamic_cast<const TYYS*>(Lst_YYS->Items()->Objects(item)))
        ShellOpen(NutrientPageAddress(yys->Page));
}

void TFrm_FDYY::SG_Top1MouseDown(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
    // Row 1 counts too: it holds the first food of the list.
    SelectCellAt(static_cast<TSkStringGrid*>(Sender), X, Y, 1);
}

void TFrm_FDYY::SG_Top1DrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState) {
    if (ARow >= 1) DrawStripedCell(static_cast<TSkStringGrid*>(Sender), ACol, ARow, Rect, EvenRowColour);
}
