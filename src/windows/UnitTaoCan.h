// The set meals: the tree of set meals with the view of one (page T1), and the set-meal maker in
// three steps (pages T2 and T3).
#pragma once

#include "Forms.h"
#include "Menus.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "SkButton.h"
#include "SkCmboBx.h"
#include "SkEdit.h"
#include "SkGrids.h"
#include "SkPanel.h"
#include "SkTabsPages.h"
#include "SkTreeVw.h"
#include "StdCtrls.h"

class TFrm_TaoCan : public TForm {
    Q_OBJECT
public:
    explicit TFrm_TaoCan(TComponent* AOwner);
    ~TFrm_TaoCan() override;

    TSkPageControl* PC;
    TSkTabSheet *T1, *T2, *T3;
    TSkGroupBox* RGP_P;
    TTimer* Timer1;
    TPopupMenu* PopupMenu1;
    TMenuItem *N1, *N4;

    // T1: the set meals and the shown one.
    TSkTreeView* TV_TC;
    TLabel* lblsptc;
    TSkStringGrid* SG_FDC;
    TSkButton *btnMakeTC, *btnModifyTC, *btnPrtSP, *btnOutSP;

    // T2: step 1 of the maker, foods and recipes.
    TSkPageControl* PCSS;
    TSkTabSheet *TabSheet1, *TabSheet2;
    TSkEdit* ED_Src;
    TSkButton* Btn_Src;
    TSkTreeView* TV_FD;
    TPanel* pnlSrcRlt;
    TSkStringGrid* SG_SrcRlt;
    TSkButton* btnBack;
    TSkEdit* edtSP;
    TSkButton* btnSrcSp;
    TSkTreeView* TV_FD1;
    TPanel* pnlSrcSPRlt;
    TSkTreeView* TVSPS;
    TSkButton* btnBackSP;
    TSkButton* Btn_Add;
    TSkStringGrid* SG_FD1;
    TPopupMenu* PopupMenu2;
    TMenuItem* N15;
    TSkButton *btnStep1, *btnSPDir;

    // T3: steps 2 and 3.
    TSkStringGrid* SG_FD2;
    TPopupMenu* PPM;
    TMenuItem* N17;
    TSkEdit* ED_SPN;
    TSkComboBox *CB_SPC, *cbbWK;
    TSkButton *btnSaveTC, *SkButton3, *btnSPDir2;

    // T1 handlers.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Timer1Timer(TObject* Sender);
    void ShowSetMealAgain();
    void TV_TCChange(TObject* Sender, TTreeNode* Node);
    void N1Click(TObject* Sender);
    void N4Click(TObject* Sender);
    void btnPrtSPClick(TObject* Sender);
    void btnOutSPClick(TObject* Sender);
    void SG_YYSDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);

    // Maker handlers.
    void btnMakeTCClick(TObject* Sender);
    void btnModifyTCClick(TObject* Sender);
    void Btn_AddClick(TObject* Sender);
    void TV_FDDblClick(TObject* Sender);
    void TV_FD1DblClick(TObject* Sender);
    void Btn_SrcClick(TObject* Sender);
    void ED_SrcChange(TObject* Sender);
    void SG_SrcRltDblClick(TObject* Sender);
    void btnBackClick(TObject* Sender);
    void btnSrcSpClick(TObject* Sender);
    void edtSPChange(TObject* Sender);
    void TVSPSDblClick(TObject* Sender);
    void btnBackSPClick(TObject* Sender);
    void SG_FdMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void N15Click(TObject* Sender);
    void btnStep1Click(TObject* Sender);
    void btnSPDirClick(TObject* Sender);
    void SG_FD2KeyPress(TObject* Sender, QChar& Key);
    void SG_FD2SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void SG_FD2DblClick(TObject* Sender);
    void SG_FD2SetEditText(TObject* Sender, int ACol, int ARow, const QString& Value);
    void SG_FD2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void N17Click(TObject* Sender);
    void SkButton3Click(TObject* Sender);
    void btnSPDir2Click(TObject* Sender);
    void btnSaveTCClick(TObject* Sender);
    void TV_FD1CustomDrawItem(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State,
                              bool& DefaultDraw);
    void SG_FD1DrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);

private:
    void BuildListPage();
    void BuildChooserPage();
    void BuildWeightPage();
    void ShowPage(TSkTabSheet* page);
    // Step 1, with the keyboard in the first field of the list shown, its search.
    void OpenChooser();
    // The energy of one item: a food's from the food table, a recipe's from its ingredients.
    static QString ItemEnergy(const QString& kind, const QString& id, double grams, const char* foodFormat);

    int FSetMealID = 0;
    int FEditID = 0;
    QString FSetMealName;
    QString FMealClass;
    QString FWeekday;
};

extern TFrm_TaoCan* Frm_TaoCan;

// Whether a node of a set-meal tree is a set meal (and not a meal class or weekday).
bool IsSetMealNode(TTreeNode* node);
