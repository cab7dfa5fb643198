// The food browser: the tree of food groups, subgroups and foods, a search by name or pinyin initials,
// the composition of the chosen food per 100 g, and a link that makes the food a frequently used one.
#pragma once

#include "Forms.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "SkButton.h"
#include "SkEdit.h"
#include "SkGrids.h"
#include "SkPanel.h"
#include "SkTreeVw.h"
#include "StdCtrls.h"

class TFrm_FD : public TForm {
    Q_OBJECT
public:
    explicit TFrm_FD(TComponent* AOwner);
    ~TFrm_FD() override;

    TSkTreeView* TV_FD;
    TSkGroupBox* RGP_P;
    TLabel* Label6;
    TLabel* Label8;
    TSkEdit* ED_Src;
    TSkButton* Btn_Src;
    TPanel* pnlSrcRlt;
    TSkStringGrid* SG_SrcRlt;
    TSkButton* btnBack;
    TLabel *Label5, *Lab_Fd, *Label9, *lblKC;
    TSkStringGrid *SG1, *SG_FDUse, *SG2, *SG_FDUse1;
    TLabel *Label11, *Label2;
    TTimer* Timer1;

    // The id of the food shown; -1 until a food is chosen.
    int FoodID() const { return FFoodID; }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Timer1Timer(TObject* Sender);
    void TV_FDChange(TObject* Sender, TTreeNode* Node);
    void TV_FDCustomDrawItem(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State,
                             bool& DefaultDraw);
    void Btn_SrcClick(TObject* Sender);
    void ED_SrcChange(TObject* Sender);
    void SG_SrcRltSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void SG_SrcRltMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SG_SrcRltDblClick(TObject* Sender);
    void btnBackClick(TObject* Sender);
    void Label11Click(TObject* Sender);
    void Label1MouseEnter(TObject* Sender);
    void Label1MouseLeave(TObject* Sender);
    void Label2Click(TObject* Sender);

private:
    void BuildSearch();
    void BuildComposition();
    TSkStringGrid* MakeColumnGrid(const QString& name, int left, int width);
    // Shows the composition of food `id` in the value grids and makes it the food shown.
    void ShowFood(int id);
    // Makes food `id` a frequently used food of the user.
    void SetOftenFood(int id);
    int FFoodID = -1;
};

extern TFrm_FD* Frm_FD;
