// The nutrient totals of the recipe shown in the recipe book, in a small window that fades in.
#pragma once

#include "Forms.h"
#include "Menus.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "SkButton.h"
#include "SkGrids.h"

class TYYSHJFrm : public TForm {
    Q_OBJECT
public:
    explicit TYYSHJFrm(TComponent* AOwner);

    TPanel* pnlTit;
    TSkStringGrid* SG_YYS;
    TPopupMenu* PopupMenu3;
    TMenuItem* N18;
    TSkButton* btnClose;
    TTimer* Timer1;

    // Sums the food rows of a recipe grid (name in column 1, grams in 2, food id in 4) under a title.
    void ShowTotals(TStringGrid* Grid, const QString& Caption);

    void FormShow(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void SG_YYSMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void N18Click(TObject* Sender);
};
