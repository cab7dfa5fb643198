// The recipe book: the recipe tree with the view of one recipe (page T1), and the recipe editor in
// three steps (pages T2 and T3).
#pragma once

#include "Forms.h"
#include "Menus.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "SkButton.h"
#include "SkCmboBx.h"
#include "SkEdit.h"
#include "SkEditMemo.h"
#include "SkGrids.h"
#include "SkPanel.h"
#include "SkRadChk.h"
#include "SkTabsPages.h"
#include "SkTreeVw.h"
#include "StdCtrls.h"

#include <array>

// The 24 rows of a nutrient-totals table: names in column 0, values in column 1.
inline constexpr int NutrientTotalRows = 24;
// The nutrient-table grids: rows just high enough for a line of their text with its descenders
// ("kJ", "mg"), and the height of the 24 rows with their lines and the grid's frame.
inline constexpr int NutrientRowHeight = 19;
inline constexpr int NutrientGridHeight = NutrientTotalRows * (NutrientRowHeight + 1) + 6;
extern const std::array<QString, NutrientTotalRows> NutrientTotalNames;
// The sums of SumNutrients: kcal, kJ, then the amounts of rows 1 to 23, each as text with its unit.
using TNutrientTotals = std::array<QString, NutrientTotalRows + 1>;

class TFrm_ShiPu : public TForm {
    Q_OBJECT
public:
    explicit TFrm_ShiPu(TComponent* AOwner);
    ~TFrm_ShiPu() override;

    // Sums the foods of "name,grams,food id" lines. A line adds only when the food table's food of
    // that id has exactly that name; ids outside the table add nothing.
    static TNutrientTotals SumNutrients(const TStringList& Lines);
    // Writes the names and the totals into a 24-row table; row 0 shows "523kcal(2188kJ)".
    static void ShowNutrientTotals(const TNutrientTotals& totals, TStringGrid* grid);

    TSkPageControl* PC;
    TSkTabSheet *T1, *T2, *T3;

    // T1: the recipe list and the shown recipe.
    TSkTreeView* TV_FD1;
    TSkGroupBox* RGP_P;
    TLabel* Label5;
    TSkEdit* edtSP;
    TSkButton* btnSrc;
    TPanel* pnlSrcRlt;
    TSkTreeView* TVSPS;
    TSkButton* btnBack;
    TLabel* lblSP;
    TSkStringGrid* SG_FDC;
    TSkRichEdit* REdt_SP;
    TLabel *lblSetUseFD, *lblYYSHL;
    TSkButton *btn_ModifySW, *Btn_SaveSW, *btnPrtSP, *btnOutSP;
    TTimer* Timer1;
    TPopupMenu* PopupMenu1;
    TMenuItem *N1, *N4;

    // T2: step 1 of the editor.
    TLabel* lblSPStep1;
    TSkTreeView* TV_FD;
    TPopupMenu* PopupMenu3;
    TMenuItem* N13;
    TSkEdit* ED_Src;
    TSkButton* Btn_Src;
    TPanel* pnlSrcRlt1;
    TSkStringGrid* SG_SrcRlt;
    TSkButton* btnBack1;
    TSkButton* Btn_Add;
    TLabel* lblSPTit;
    TSkStringGrid* SG_FD1;
    TPopupMenu* PopupMenu2;
    TMenuItem *N2, *N15;
    TSkButton *btnDown, *btnSPDir1;

    // T3: steps 2 and 3.
    TLabel* lblSPStep2;
    TSkStringGrid* SG_FD2;
    TPopupMenu* PPM;
    TMenuItem *N9, *N17, *N11;
    TSkGroupBox* RGP_YYS;
    TSkStringGrid* SG_YYS1;
    TLabel* Label4;
    TLabel* lblYYSHint;  // where to find the totals, while they are hidden
    TLabel *lblSPStep3, *lblSaveTit, *lblSaveCls, *Label36, *Label35;
    TSkEdit* ED_SPN;
    TSkComboBox *CB_SPC, *CB_P;
    TSkRichEdit* RE_SP;
    TSkCheckBox* chkUseFd;
    TSkButton *btnSaveSP, *btnUp2, *btnSPDir;

    // T1 handlers.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Timer1Timer(TObject* Sender);
    void TV_FD1Change(TObject* Sender, TTreeNode* Node);
    void TV_FD1CustomDrawItem(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State,
                              bool& DefaultDraw);
    void btnSrcClick(TObject* Sender);
    void edtSPChange(TObject* Sender);
    void edtSPKeyDown(TObject* Sender, unsigned short& Key, TShiftState Shift);
    void TVSPSDblClick(TObject* Sender);
    void btnBackClick(TObject* Sender);
    void N1Click(TObject* Sender);
    void N4Click(TObject* Sender);
    void lblSetUseFDClick(TObject* Sender);
    void lblYYSHLClick(TObject* Sender);
    void lblYYSHLMouseEnter(TObject* Sender);
    void lblYYSHLMouseLeave(TObject* Sender);
    void btnPrtSPClick(TObject* Sender);
    void btnOutSPClick(TObject* Sender);
    void SG_YYSDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);

    // Editor handlers.
    void Btn_SaveSWClick(TObject* Sender);
    void btn_ModifySWClick(TObject* Sender);
    void Btn_AddClick(TObject* Sender);
    void TV_FDDblClick(TObject* Sender);
    void N13Click(TObject* Sender);
    void N15Click(TObject* Sender);
    void SG_Fd111MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Btn_SrcClick(TObject* Sender);
    void ED_SrcChange(TObject* Sender);
    void SG_SrcRltDblClick(TObject* Sender);
    void btnBack1Click(TObject* Sender);
    void btnDownClick(TObject* Sender);
    void btnSPDir1Click(TObject* Sender);
    void SG_FD2KeyPress(TObject* Sender, QChar& Key);
    void SG_FD2SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void SG_FD2SetEditText(TObject* Sender, int ACol, int ARow, const QString& Value);
    void SG_FD2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void N17Click(TObject* Sender);
    void N11Click(TObject* Sender);
    void Label4Click(TObject* Sender);
    void btnUp2Click(TObject* Sender);
    void btnSPDirClick(TObject* Sender);
    void btnSaveSPClick(TObject* Sender);

private:
    void BuildListPage();
    void BuildChooserPage();
    void BuildWeightPage();
    void ShowPage(TSkTabSheet* page);
    // Back from the editor to the recipe list, which takes the keyboard.
    void ShowRecipeList();
    // Shows the recipe's foods with the total row, and its preparation.
    void ShowRecipe(int id);
    // Puts the stored recipe's preparation into `preparation` and its name, class and method into the
    // editor's fields.
    void LoadRecipe(int id, TCustomMemo* preparation);
    void OpenEditor();

    int FRecipeID = 0;
    int FEditID = 0;
    QString FRecipeName;
    QString FClassName;
    int FSaveFlag = 0;
    int FRecipeFlag = 0;
};

extern TFrm_ShiPu* Frm_ShiPu;
