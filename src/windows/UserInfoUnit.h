// The personal centre: profile, weight log, daily activity and food records, calendars, history lists
// and the analysis of a period, on five pages behind a navigation bar. It docks into the main window.
#pragma once

#include "Buttons.h"
#include "ComCtrls.h"
#include "DBGrids.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "Grids.h"
#include "SkButton.h"
#include "SkCmboBx.h"
#include "SkDBGrid.h"
#include "SkEdit.h"
#include "SkEditDateTime.h"
#include "SkEditMemo.h"
#include "SkEditNumeric.h"
#include "SkGrids.h"
#include "SkPanel.h"
#include "SkTabsPages.h"
#include "SkTreeVw.h"
#include "StdCtrls.h"
#include "WindowBuilder.h"

#include <array>
#include <memory>
#include <vector>

// One day cell of a month calendar.
class TCLA : public TObject {
public:
    TCLA() { ++Alive; }
    ~TCLA() override { --Alive; }
    // Day cells in existence: the calendars free theirs whenever they are rebuilt.
    inline static int Alive = 0;

    QString day;    // "1".."31"
    QString value;  // the day's value formatted "0"; empty without a record
    int flag = 0;   // 1 when the day has a record
    TColor color1 = 0xC0C0C0, color2 = 0xFFFFFF;
};

class TFrm_UInfo : public TForm {
    Q_OBJECT
public:
    explicit TFrm_UInfo(TComponent* AOwner);
    ~TFrm_UInfo() override;

    // Navigation bar.
    TPanel* pnlLeft;
    TSpeedButton *btnBase, *btnNet, *btnSPLst, *btnFdLst, *btnAna;
    TImage* imgCheck;

    // Title and date bars.
    TPanel *pnlRight, *pnlTop, *pnlBack, *pnlClaDate;
    TLabel *lblTop, *lblLSTop, *lblDate, *lblSetHD, *lblLSJL;
    TSpeedButton *btn1, *btnLDate, *btnRDate;

    TSkPageControl* PC3;
    TSkTabSheet *TabSheet1, *TabSheet3, *TabSheet4, *TabSheet5, *TabSheet22;

    // Page 0: the profile view and its editor, and the hidden user list.
    TSkGroupBox *gbInfo, *gbM, *SkGroupBox3;
    TLabel *lblUID, *lblPWD, *lblName, *lblSex, *lblBthDay, *lblSG, *lblHD, *Label4, *Label20;
    TSkButton *btnModifyInfo, *btn_SaveInfo, *SkButton2;
    TSkEdit *edtUID, *edtPwd, *EdtName, *edtBthday;
    TSkNumericEdit* edtSG;
    TSkComboBox *cbbSex, *cbbHD;
    TSkStringGrid* SG_INfo;

    // Page 1: the weight calendar, entry and history.
    TPanel *pnlTZCla, *pnlTZLR, *pnlTZCX;
    TSkStringGrid* SGTZ;
    TSkEdit* edtDT1;
    TSkNumericEdit* edt_TZ;
    TSkButton *btn_SaveTZ, *btnCTZLR, *Btn_SearchTZ;
    TSkDateTimeEdit *DT2, *DT3;
    TSkDBGrid* bgTZ;
    TDataSource* dsTZ;
    TADOQuery* AdoTZ;

    // Page 2: the activity calendar, the day's activities and their history.
    TPanel *pnlHDCla, *pnlHDJL, *pnlHdCX;
    TSkStringGrid *SGHD, *SG1;
    TSkEdit* edtDT4;
    TSkButton *Btn_SaveHT, *btnClearHD, *btn_HTSearch;
    TLabel* Label82;
    TSkDateTimeEdit *DT5, *DT6;
    TSkDBGrid* SkDBGrid2;
    TDataSource* DSHD;
    TADOQuery* AdoHD;

    // Page 3: the intake calendar, the meal buttons, the meal's food grid and the history.
    TPanel *pnlYSCla, *pnlYSJL, *pnlAddSP, *pnlYSJLTxt, *pnlTC, *pnlYSCX;
    TSkStringGrid *SGYS, *SGSC, *SG2, *SG21;
    TSkButton *btnBreakfast, *btnBreakFastAddtion, *btnLunch, *btnLunchAddtion, *btnSupper, *btnSupperAddtion;
    TSkEdit* edtDT2;
    TSkButton *Btn_SaveSW, *btnClearSP, *btn_SearchSW;
    TLabel *Label83, *lbl11, *lbl12, *lbl13;
    TPopupMenu* PPMDelSP;
    TMenuItem* N1;
    TSkDateTimeEdit *DT7, *DT8;
    TSkDBGrid* SkDBGrid3;
    TDataSource* DSSW;
    TADOQuery* QrySW;

    // Page 4: the analysis of a period.
    TSkDateTimeEdit *DT9, *DT10;
    TSkButton* btn_Ana;
    TSkEdit *edtSKCal, *edtOKcal, *edtHKCal, *edtDKcal, *edtFat, *edtDT;
    TSkMemo* memoAnaNote;
    TSkDBGrid *DBS, *dbDKCal;
    TDataSource *dsAna, *DSKCAL;
    // The days of the period, shown by the day grid and the hidden balance grid.
    TADOQuery* qryAna;
    TPanel* Panel_ana;

    // The window's own queries.
    TADOQuery *AdoQry, *Qry, *QrySP;

    // Window.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void PC3Change(TObject* Sender);
    void btnBaseClick(TObject* Sender);
    void btnNetClick(TObject* Sender);
    void btnSPLstClick(TObject* Sender);
    void btnFdLstClick(TObject* Sender);
    void btnAnaClick(TObject* Sender);
    void lblLSJLClick(TObject* Sender);
    void btn1Click(TObject* Sender);

    // Profile.
    void btnModifyInfoClick(TObject* Sender);
    void SkButton2Click(TObject* Sender);
    void btn_SaveInfoClick(TObject* Sender);
    void SG_INfoClick(TObject* Sender);
    void Label4Click(TObject* Sender);
    void Label20Click(TObject* Sender);
    void edtSGMouseEnter(TObject* Sender);
    void edtSGMouseLeave(TObject* Sender);

    // Calendars, history lists and the analysis.
    void LoadMonthCalendar(int year, int month, int kind);
    void RefreshCalendar();
    void btnLDateClick(TObject* Sender);
    void btnRDateClick(TObject* Sender);
    void SGTZSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void SGTZDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void SGTZResize(TObject* Sender);
    void btn_HTSearchClick(TObject* Sender);
    void btn_SearchSWClick(TObject* Sender);
    void SkDBGrid2DblClick(TObject* Sender);
    void SkDBGrid3DblClick(TObject* Sender);
    void btn_AnaClick(TObject* Sender);
    // The day cell of a calendar, or nullptr.
    TCLA* CalendarDay(TStringGrid* grid, int col, int row) const;

    // Weight log.
    void SGTZDblClick(TObject* Sender);
    void btnCTZLRClick(TObject* Sender);
    void btn_SaveTZClick(TObject* Sender);
    void Btn_SearchTZClick(TObject* Sender);

    // Daily activities.
    void LoadDayActivities(const QString& date);
    void SGHDDblClick(TObject* Sender);
    void SG1Click(TObject* Sender);
    void SG1SetEditText(TObject* Sender, int ACol, int ARow, const QString& Value);
    void Btn_SaveHTClick(TObject* Sender);
    void btnClearHDClick(TObject* Sender);
    void Label82Click(TObject* Sender);
    void lblSetHDClick(TObject* Sender);

    // Daily food records.
    void LoadMealTotals(const QString& date);
    void btnBreakfastClick(TObject* Sender);
    void LoadMeal(const QString& date, const QString& meal);
    void FillIntakeGrid(TStringGrid* grid, TADOQuery* query);
    void AddNodeToIntake(TSkTreeView* tree);
    void SG2SetEditText(TObject* Sender, int ACol, int ARow, const QString& Value);
    void SumIntakeGrid();
    void SumMealRows(TStringGrid* grid, TStringGrid* totals);
    void Btn_SaveSWClick(TObject* Sender);
    void btnClearSPClick(TObject* Sender);
    void N1Click(TObject* Sender);
    void lbl11Click(TObject* Sender);
    void lbl12Click(TObject* Sender);
    void lbl13Click(TObject* Sender);
    void Label83Click(TObject* Sender);
    void SG2SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void SG2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SG2DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void SGYSDblClick(TObject* Sender);
    void TabSheet5DblClick(TObject* Sender);

private:
    void BuildNavigation();
    void BuildProfilePage();
    void BuildWeightPage();
    void BuildActivityPage();
    void BuildFoodPage();
    void BuildAnalysisPage();
    // A page's calendar panel: the month of one kind with its hints; a double-click opens a day.
    TSkStringGrid* BuildCalendarPanel(TWinControl* page, const QString& panelName, TPanel*& panel,
                                      const QString& gridName, int kind, TNotifyEvent onDblClick);
    // A page's history panel: the date range, the search button and the list of days.
    struct THistoryNames {
        const char *Panel, *Start, *End, *Search, *Grid, *Query, *Source;
    };
    struct THistoryParts {
        TPanel* Panel;
        TSkDateTimeEdit *Start, *End;
        TSkButton* Search;
        TSkDBGrid* Grid;
        TADOQuery* Query;
        TDataSource* Source;
    };
    // `captionAbove`: one caption over both dates instead of one beside each.
    // A start or end date of a period: the styled date edit, its calendar behind a flat button.
    TSkDateTimeEdit* PlaceDateField(TWinControl* parent, const char* name, int left, int top, int width);
    THistoryParts BuildHistoryPanel(TWinControl* page, const THistoryNames& names, bool captionAbove,
                                    std::initializer_list<TColumnSpec> columns, const QString& note);
    // Opens the day of the history list's current row in a day-detail window.
    template <class TDetail> void OpenDayDetail(TADOQuery* list, const QString& dateField, TDetail*& detail);
    // Shows a page with its title, as the navigation buttons do.
    void ChoosePage(TSpeedButton* button, const QString& title, int page);
    void ChoosePlainPage(TSpeedButton* button, const QString& title, int page);
    void ChooseCalendarPage(TSpeedButton* button, const QString& title, int page, TPanel* calendar,
                            std::initializer_list<TPanel*> others);
    void CloseDayDetails();
    void ShowProfileView();
    bool FindIntakeRecord(const QString& id, const QString& kind, const QString& meal, const QString& date,
                          double stored[5]);
    bool FindActivityRecord(const QString& id, const QString& date, double& kcal, double& minutes);
    void AddSetMealToIntake(const QString& setMealId);
    void ClearAnalysis();
    void FreeCalendarDays(TStringGrid* grid);
    TStringGrid* CalendarOfKind(int kind) const;

    // Foods taken out of the food grid with "删除" since the meal was loaded: the next save removes
    // their stored records.
    struct TDeletedIntake {
        QString Meal, Date, Id, Kind;
    };
    std::vector<TDeletedIntake> FDeletedIntake;
    int RemoveDeletedIntake();

    // Day cells of the three calendars, owned here and attached to the grids' cells.
    std::array<std::vector<std::unique_ptr<TCLA>>, 3> FCalendarDays;
    bool FFillingCalendar = false;
};

extern TFrm_UInfo* Frm_UInfo;

// The refusal of an activity level (0 to 3) for an age in years, or an empty text when the level suits it.
QString AgeLevelRefusal(double age, int level);
