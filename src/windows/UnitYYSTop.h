// The nutrient rankings: for a nutrient chosen in a list, the foods richest and poorest in it.
#pragma once

#include "Forms.h"
#include "Menus.h"
#include "SkCmboBx.h"
#include "SkGrids.h"
#include "SkLstBox.h"
#include "StdCtrls.h"

class TFrm_FDYY : public TForm {
    Q_OBJECT
public:
    explicit TFrm_FDYY(TComponent* AOwner);
    ~TFrm_FDYY() override;

    TSkListBox* Lst_YYS;
    TPopupMenu* PPM_E;
    TMenuItem* N2;
    TLabel *lblTT, *lblTD;
    TSkComboBox *CB_TT, *CB_TD;
    TSkStringGrid *SG_Top1, *SG_Top2;
    // The ranking lines "key,food id,amount", not shown.
    TMemo* M_YYS;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Lst_YYSClick(TObject* Sender);
    void Lst_YYSMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void CB_TTChange(TObject* Sender);
    void CB_TDChange(TObject* Sender);
    void SG_Top1DrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void SG_Top1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void N2Click(TObject* Sender);

private:
    TSkStringGrid* MakeRankingGrid(const QString& name, int top);
    TSkComboBox* MakeCountBox(TLabel* heading, const QString& name, int top);
    int FNutrientIndex = 0;
};

// The ranking lines that travel with the program.
QStringList RankingLines();

extern TFrm_FDYY* Frm_FDYY;
