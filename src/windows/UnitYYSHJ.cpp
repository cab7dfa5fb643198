#include "UnitYYSHJ.h"

#include "ConstTables.h"
#include "MealEditing.h"
#include "UnitShiPu.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"
#include "UnitMain.h"

TYYSHJFrm::TYYSHJFrm(TComponent* AOwner) : TForm(AOwner) {
    SetName("YYSHJFrm");
    SetCaption("营养素含量合计");
    SetBorderStyle(bsDialog);
    SetClientWidth(300);
    SetClientHeight(572);
    PlaceAtPopupOrigin(this);
    SetColor(clWhite);
    pnlTit = Place<TPanel>(this, this, "pnlTit", 0, 0, 300, 32);
    pnlTit->SetAlign(alTop);
    pnlTit->SetBevelOuter(bvNone);
    pnlTit->SetColor(0xF8B600);
    pnlTit->Font()->SetColor(clWhite);
    pnlTit->Font()->SetStyle(FontStyle(fsBold));
    SG_YYS = PlaceStringGrid(this, this, "SG_YYS", 8, 40, 284, NutrientGridHeight);
    SG_YYS->SetColCount(2);
    SG_YYS->SetFixedCols(0);
    SG_YYS->SetRowCount(NutrientTotalRows);
    SG_YYS->SetFixedRows(0);
    SG_YYS->SetDefaultRowHeight(NutrientRowHeight);
    SG_YYS->SetScrollBars(ssNone);
    SG_YYS->SetColWidths(0, 110);
    SG_YYS->SetColWidths(1, 168);
    SG_YYS->SetOptions(goVertLine | goHorzLine);
    SG_YYS->OnDrawCell = [this](TObject*, int c, int r, TRect rc, TGridDrawState) {
        DrawStripedCell(SG_YYS, c, r, rc, 0xFCEEE3);
    };
    SG_YYS->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG_YYSMouseDown(s, b, sh, x, y);
    };
    PopupMenu3 = new TPopupMenu(this);
    PopupMenu3->SetName("PopupMenu3");
    N18 = new TMenuItem(this);
    N18->SetName("N18");
    N18->SetCaption("说明");
    N18->OnClick = [this](TObject* s) { N18Click(s); };
    PopupMenu3->Items()->Add(N18);
    SG_YYS->SetPopupMenu(PopupMenu3);
    btnClose = Place<TSkButton>(this, this, "btnClose", 110, 534, 80, 28);
    btnClose->SetCaption("关闭");
    btnClose->OnClick = [this](TObject*) { Close(); };

    // Almost transparent at first; the timer fades the window in without holding up the program.
    SetAlphaBlend(true);
    SetAlphaBlendValue(5);
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(100);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TYYSHJFrm::FormShow(TObject*) {
    for (int row = 0; row < NutrientTotalRows; ++row)
        SG_YYS->SetCells(0, row, NutrientTotalNames[row]);
}

void TYYSHJFrm::ShowTotals(TStringGrid* Grid, const QString& Caption) {
    pnlTit->SetCaption(Caption);
    TStringList entries;
    for (int row = 1; row < Grid->RowCount(); ++row)
        if (!Grid->Cells(0, row).isEmpty() && !Grid->Cells(1, row).isEmpty())
            entries.Add(Grid->Cells(1, row) + "," + Grid->Cells(2, row) + "," + Grid->Cells(4, row));
    TFrm_ShiPu::ShowNutrientTotals(TFrm_ShiPu::SumNutrients(entries), SG_YYS);
}

void TYYSHJFrm::Timer1Timer(TObject*) {
    if (AlphaBlendValue() < 255) SetAlphaBlendValue(std::min(255, AlphaBlendValue() + 25));
    if (AlphaBlendValue() >= 255) Timer1->SetEnabled(false);
}

void TYYSHJFrm::SG_YYSMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    const int row = SelectCellAt(SG_YYS, X, Y, 0);
    if (row < 0) return;
    N18->SetCaption("查看 " + SG_YYS->Cells(0, row) + " 说明");
}

void TYYSHJFrm::N18Click(TObject*) {
    OpenNutrientPage(SG_YYS->Cells(0, SG_YYS->Row()));
}
