// The data module: the one connection to the database, the shared queries and the logged-in user's state.
#pragma once

#include "ADODB.h"

class TForm;
class TCustomTreeView;
class TStringGrid;

#include <QVariantMap>
#include <functional>
#include <memory>
#include <vector>

inline const QString DatabaseFileName = QStringLiteral("CommAPI.db");

class TDM : public TComponent {
    Q_OBJECT
public:
    // Opens the database in the program's folder; raises EDatabaseError naming the file and what is
    // wrong when it cannot, when the file lacks a table or column the program needs, or when SQLite's
    // quick integrity check finds it damaged. Nothing is written to a file that is refused.
    explicit TDM(TComponent* AOwner = nullptr);

    // The tables and views the program reads and writes, each with the columns it names.
    struct TRequiredTable {
        QString Name;
        QStringList Columns;
    };
    static const std::vector<TRequiredTable>& RequiredSchema();
    // Raises EDatabaseError naming what is missing when `present` lacks a required table.
    static void CheckTables(const QStringList& present);
    // Raises EDatabaseError naming each required column (as "table.column") the database lacks.
    static void CheckColumns(TADOConnection* connection);
    // Raises EDatabaseError with what SQLite's quick check finds wrong in the file.
    static void CheckIntegrity(TADOConnection* connection);

    TADOConnection* Conn;
    TADOQuery* Qry_Open;  // the windows' reads
    TADOQuery* Qry_Exec;  // the windows' writes
    TADOQuery* qryFun;    // the module's own statements

    // The logged-in user, as text; UID and HT are "0" while nobody is logged in.
    QString ExePath;
    QString UName, UName1, UID, UPWD;
    double Age = 0;
    QString Sex, HT, DayKcal, SG, TZ, Bth;

    // Runs one statement with bound parameters: executes it when `exec`, else opens it for reading.
    // A failure shows the database error box and gives false; the query is then closed.
    bool RunSql(TADOQuery* query, const QString& sql, bool exec, const QVariantMap& params = {});

    // Runs `body` inside one transaction: committed when it returns, rolled back when it raises.
    // Gives false on any failure and shows nothing: the caller reports it.
    bool Transaction(const std::function<void()>& body);
    // For use inside Transaction: one statement on qryFun that raises on failure; gives the rows it changed.
    int Exec(const QString& sql, const QVariantMap& params = {});

    // The daily-energy method from the settings: 1 reference table, 2 basal metabolism x activity.
    int GetKcalMode() const;
    QString SettingsFile() const;

    // Energy targets and reference intakes of the logged-in user.
    double CalcBMR() const;
    double CalcKcalByActivity() const;
    double LookupDailyKcal() const;
    double GetDailyKcal(int mode) const;
    void GetEnergyNeeds(const QString& sex, const QString& level, double age, QString& kcal, QString& protein,
                        QString& fat, QString& carbohydrate) const;
    void GetVitaminNeeds(const QString& sex, double age, QString& vitaminA, QString& thiamine,
                         QString& riboflavin, QString& vitaminC, QString& vitaminE) const;
    void GetMineralNeeds(const QString& sex, double age, QString& phosphorus, QString& potassium,
                         QString& sodium, QString& magnesium, QString& calcium, QString& iron,
                         QString& copper, QString& zinc, QString& selenium) const;
    QString FormatAge(TDateTime birthDate) const;
    QString GetPYText(const QString& text) const;

    // The ingredients of a recipe as "FdID,FdNet" lines, in stored order.
    std::unique_ptr<TStringList> LoadRecipeFoods(const QString& recipeId);

    // Recipes and set meals. Mode 0 inserts, 1 updates the row with `id`; the result is the row's id,
    // 0 on failure. Food lines are "SPID,FdID,FdNet"; set-meal item lines "SPID,FdID,FdNet,CFlg" (further
    // fields are not read). Each operation is one transaction; nothing half-saved remains.
    int SaveRecipe(const QString& cls, const QString& method, const QString& flag, int id, int mode,
                   const QString& preparation, const QString& name);
    bool SaveRecipeFoods(const TStringList& lines, int recipeId);
    // The recipe row and its foods together; the lines' own SPID field is replaced by the saved id.
    int SaveRecipeWithFoods(const QString& cls, const QString& method, const QString& flag, int id, int mode,
                            const QString& preparation, const QString& name, const TStringList& lines);
    int SaveSetMeal(const QString& mealClass, const QString& name, const QString& weekday, int id, int mode);
    bool SaveSetMealFoods(const TStringList& lines, int setMealId);
    int SaveSetMealWithItems(const QString& mealClass, const QString& name, const QString& weekday, int id,
                             int mode, const TStringList& lines);
    // Deleting a recipe also removes its ingredients and its frequently-used entries.
    bool DeleteRecipe(int id);
    bool DeleteSetMeal(int id);
    // Whether daily food records or set meals use the recipe (then it must stay).
    bool RecipeInUse(int id);
    // Makes a food (type 1) or a recipe (type 2) a frequently used one of the user. A failure shows the
    // database error box.
    enum class TOftenUse { Added, AlreadyThere, Failed };
    TOftenUse AddOftenUsed(int id, int type);

    // One recipe row as the recipe window shows it.
    struct TRecipeRow {
        QString Preparation, Name, Class, Method;
    };
    TRecipeRow LoadRecipe(int id);

    // Trees: foods by group and subgroup (food nodes carry the food id in StateIndex); set meals by meal
    // class and weekday (group nodes carry the kind 3, set-meal nodes their id); recipes by class (recipe
    // nodes own a TFdRcd record in Data).
    void FillFoodTree(TCustomTreeView* tree);
    void FillSetMealTree(TCustomTreeView* tree);
    void FillRecipeTree(TCustomTreeView* tree);
    // Grids whose row 0 is a header and whose column 1 holds a row's name (an empty one is free).
    bool FillRecipeFoodGrid(TStringGrid* grid, int recipeId);
    void FillUserGrid(TStringGrid* grid);
    void ClearGrid(TStringGrid* grid, int firstRow);
    int FindFreeGridRow(TStringGrid* grid, int firstRow);

    // Prints a recipe or set meal: lines[0] its name, then "food,weight,kcal" lines; long lists go on
    // over further pages with the headers repeated.
    void PrintRecipe(const QString& title, const TStringList& lines);
    // Writes the first four columns of every row to a text file the user chooses. A file that cannot be
    // written shows "保存失败：" with the reason and leaves an earlier file of that name as it was.
    void ExportGridToText(TStringGrid* grid, const QString& defaultFileName);

    // The cut-corner outline of a borderless window. Needs no database: the main window is shaped
    // before the database opens.
    static void SetFormRegion(TForm* form, int width, int height);
    // Lets the user move a borderless window by its title while the mouse button is held.
    static void DragForm(TForm* form);
};

// The columns of a grid row that the windows use, the hidden ones beyond the visible ones included;
// clearing and deleting rows takes them all.
constexpr int GridRowColumns = 16;

// Removes a grid row: the rows below move up and column 0 is numbered again.
void DeleteGridRow(int row, TStringGrid* grid, int firstDataRow);

// The one data module of the program.
extern TDM* DM;

// The box every database failure shows.
inline const QString InfoCaption = QStringLiteral("信息提示");
inline const QString DbErrorPrefix = QStringLiteral("操作出现异常错误，请重新操作。错误原因：");
