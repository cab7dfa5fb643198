// The main window: start-up, login, today's energy panel, navigation, guide panel, tips and menus.
#pragma once

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "SkBHints.h"
#include "SkButton.h"
#include "SkRadChk.h"
#include "SkCommon.h"
#include "SkEdit.h"
#include "SkPanel.h"
#include "SkLine.h"
#include "StdCtrls.h"

#include <array>
#include <memory>

class TMainFrm : public TForm {
    Q_OBJECT
public:
    explicit TMainFrm(TComponent* AOwner);

    // State other windows read.
    TColor BlueColor = 0xF8B600, PinkColor = 0xFF80FF;
    int SkinNo = 1;
    // The colour of a skin (1 blue, 2 pink), and of the skin worn now.
    TColor SkinColor(int skinNo) const { return skinNo == 2 ? PinkColor : BlueColor; }
    // The text on a skin-coloured panel: white on the blue, a deep plum on the light pink, where
    // white could not be read.
    static TColor SkinTextColor(int skinNo) { return skinNo == 2 ? TColor(0x5A005A) : clWhite; }
    TColor SkinColor() const { return SkinColor(SkinNo); }
    std::array<QString, 5> BlueImages, PinkImages;

    // Title, frame and centre.
    TPanel *Panel_Top, *pnlLeft1, *pnlLeft2, *pnlBM, *pnlBtm, *pnlRight2, *pnlRight1, *pnlCenter, *Panel2,
        *pnlMain;
    TImage *imgMtop, *img4;
    TLabel *Label25, *Label3, *Label22, *lbl2;
    TSpeedButton *Btn_Close, *Btn_Min;

    // The look of every hint and menu of the program.
    TSkBalloonHints* SkBalloonHints1;
    TSkMenuController* SkMenuController1;

    // Start-up and login.
    TTimer* Timer1;
    TSkGroupBox* gbPro = nullptr;
    TPanel *pnlPro = nullptr, *pnlLoad = nullptr, *pnlTit = nullptr;
    TSpeedButton* btn1 = nullptr;
    TSkEdit *edtUID = nullptr, *edtPWD = nullptr;
    TSkCheckBox* chk_UP = nullptr;
    TSkButton *btnLoad = nullptr, *btnClose = nullptr;

    // Navigation: buttons with their twins, and the tab labels.
    TSpeedButton *Btn_CF, *Btn_SP, *btnTaoCan, *Btn_PerInfo, *SpeedButton5;
    TSpeedButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton6;
    TLabel *lblCF, *lblSP, *lblTC, *lblDA, *lblYYS;

    // The right-hand panel: today's energy panel, body type, tips and health lists.
    TSkGroupBox* SkGroupBox1;
    TPanel* Panel4;
    TLabel *lblDayKcal, *lblZC, *lblWC, *lblNC, *lblZC1, *lblZC11, *lblWC1, *lblWC11, *lblNC1, *lblNC11;
    TLabel *lblT1, *lblT2, *lblT3, *lblSumKcal, *lblJCDX, *lblGZXH, *lblHDXH, *lblKcalHInt;
    TLabel *lblZJ, *lblTZ;
    TLabel *Label9, *Label75, *Label1, *Label26, *lbl3, *Label65;
    TLabel *Label12, *Label27, *Label33, *lbl7;
    TLabel* Label6;

    // Guide panel.
    TPanel* PanelHelp = nullptr;
    TLabel *Label15, *Label16, *Label4, *Label10, *Label11, *Label21, *Label17, *Label18, *Label19, *Label20,
        *Label24;
    TLabel* Label29;
    TSkCheckBox* chkHint;
    // The arrows down the steps: within the setting up (first to second step) and within the daily
    // records (third to sixth).
    TSkLine *SkLine1, *SkLine2, *SkLine3, *SkLine4;

    // Menus.
    TPopupMenu *pm1 = nullptr, *pm2 = nullptr, *pm3 = nullptr;
    TMenuItem *ddd1, *ss1, *N1, *N2, *N3, *N4, *N5, *N6, *QQ1, *EMail1;

    // The parts nobody sees before the loading box: the loading box and the login panel (whose fields
    // are filled from the settings then), the guide panel and the menus. The program builds them once the
    // window is on the screen; the start-up timer builds them at the latest.
    void BuildHiddenParts();

    // Shared routines.
    void RefreshTodayIntake();
    QString SumActivityKcal(const QString& date);
    void ApplySkin(int skinNo, const QString& formName);
    // The same for a window in hand (a window of that name may exist twice while one is closing).
    void ApplySkinTo(int skinNo, TForm* form);
    void ClassifyBodyType(const QString& weight, const QString& height, double age);
    void ShowMsgByTitle(const QString& title);
    // Where pop-up windows of the program open: the main window's left edge, below its title.
    TPoint PopupOrigin() const;

    // Handlers.
    void FormCreate(TObject* Sender);
    // Fills the login panel from the settings file (remembered name and password).
    void FormShow(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void btnLoadClick(TObject* Sender);
    void imgMtopMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Btn_CloseClick(TObject* Sender);
    void Btn_MinClick(TObject* Sender);
    void Label3Click(TObject* Sender);
    void edtUIDMouseEnter(TObject* Sender);
    void edtPWDMouseLeave(TObject* Sender);
    void Btn_CFClick(TObject* Sender);
    void Btn_SPClick(TObject* Sender);
    void btnTaoCanClick(TObject* Sender);
    void Btn_PerInfoClick(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void Label65Click(TObject* Sender);
    void Label12Click(TObject* Sender);
    void chkHintMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The guide no longer shows, now or at the next login.
    void HideGuideForGood();
    void GuideStepClick(TObject* Sender);
    void ddd1Click(TObject* Sender);
    void ss1Click(TObject* Sender);
    void N1Click(TObject* Sender);
    void N2Click(TObject* Sender);
    void N3Click(TObject* Sender);
    void SkinItemClick(TObject* Sender);
    void QQ1Click(TObject* Sender);
    void EMail1Click(TObject* Sender);

    // Test use: the start-up wait of the loading box (300 ms in the program).
    int LoadingWaitMs = 300;

private:
    void BuildHintsAndMenuLook();
    void BuildFrame();
    void BuildLogin();
    void BuildNavigation();
    void BuildTodayPanel();
    void BuildInfoLabels();
    void BuildGuidePanel();
    void BuildMenus();
    void SetActiveTab(TLabel* active);
    void ShowChildArea();
    void PopupBelow(TPopupMenu* menu, TLabel* label);

    // The title pictures of the small windows (left, centre, right), per skin: read from the skin's files
    // once, then copied into each window that opens. Null while the skin's files are not all there.
    using TTitlePictures = std::array<std::unique_ptr<TPicture>, 3>;
    const TTitlePictures* TitlePictures(int skinNo);
    std::array<TTitlePictures, 2> FTitlePictures;
};

extern TMainFrm* MainFrm;

// A label that acts as a link: underlined and blue while the mouse is over it, plain black otherwise.
void MakeHoverLink(TLabel* label);

// Opens a window where the program's pop-up windows open (TMainFrm::PopupOrigin), moved just enough
// to lie wholly on the screen's work area; nothing without a main window.
void PlaceAtPopupOrigin(TForm* form);
