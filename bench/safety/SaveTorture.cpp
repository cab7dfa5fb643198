// Saves one kind of record over and over, as the windows save it, until it is killed: the subject of
// tools/kill-saves.py, which kills it at random moments and then checks the database and the settings
// file. Usage: save_torture <program folder holding CommAPI.db> <kind>; prints "begin N" before and
// "ok N" after each save, and "box TEXT" for every message a save shows.
#include "Dialogs.h"
#include "DirectSql.h"
#include "FoodTable.h"
#include "IniFiles.h"
#include "IntakeGrid.h"
#include "UintDM.h"
#include "UserInfoUnit.h"
#include "WNDES.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <cstdio>
#include <functional>
#include <map>

namespace {

class TPrintedBoxes : public TMessageService {
public:
    int MessageBox(const QString& text, const QString&, int) override {
        std::printf("box %s\n", text.toUtf8().constData());
        std::fflush(stdout);
        return IDOK;  // a merge question is answered "merge"
    }
};

void Exec(const QString& sql, const QVariantMap& params = {}) {
    ExecOnModule(sql, params);
}
QString Value(const QString& sql) {
    return ValueOnModule(sql);
}

// The day of a numbered save: each one writes a day of its own, counting back from today. The count
// goes on across runs, from what the database already holds.
QString DayOf(int n) {
    return DateToISO(Date() - n);
}

TStringList Lines(const QStringList& lines) {
    TStringList list;
    for (const QString& l : lines)
        list.Add(l);
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    TWidgetApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: save_torture FOLDER KIND\n");
        return 2;
    }
    SetProgramFolder(QString::fromLocal8Bit(argv[1]));
    const QString kind = QString::fromLocal8Bit(argv[2]);
    TPrintedBoxes boxes;
    SetMessageService(&boxes);
    LoadFoodTables();
    TDM module;
    DM = &module;
    DM->ExePath = ProgramFolder();
    DM->UID = Value("select UID from UInfo where UName1 = 'user'");
    DM->Sex = "男";
    DM->HT = "1";
    DM->SG = "175";
    DM->TZ = "70";
    DM->Age = 36;
    DM->DayKcal = "2200";
    TFrm_UInfo centre(nullptr);
    centre.ShowForm();

    std::map<QString, std::function<void(int)>> saves;
    // The profile: two whole profiles in turn; the day's target row goes with each.
    saves["profile"] = [&](int n) {
        const bool even = n % 2 == 0;
        centre.edtUID->SetText("user");
        centre.edtPwd->SetText(even ? "甲" : "乙");
        centre.EdtName->SetText(even ? "甲甲" : "乙乙");
        centre.cbbSex->SetItemIndex(0);
        centre.edtBthday->SetText("1990-01-01");
        centre.edtSG->SetText(even ? "170" : "180");
        centre.cbbHD->SetItemIndex(1);
        centre.btn_SaveInfoClick(nullptr);
    };
    // A weighing of a new day; the profile's weight goes with it.
    saves["weight"] = [&](int n) {
        centre.edtDT1->SetText(DayOf(n));
        centre.edt_TZ->SetText(QString::number(60 + n % 20));
        centre.btn_SaveTZClick(nullptr);
    };
    // A meal of three foods on a new day.
    saves["food"] = [&](int n) {
        centre.pnlTC->SetCaption("午餐");
        centre.edtDT2->SetText(DayOf(n));
        DM->ClearGrid(centre.SG2, 1);
        for (int food : {1, 54, 261}) {
            const int row = AddIntakeItem(centre.SG2, FoodNameByID(food), QString::number(food), "1");
            centre.SG2->SetCells(icGrams, row, QString::number(100 + n % 50));
            ComputeIntakeRow(centre.SG2, row);
        }
        centre.Btn_SaveSWClick(nullptr);
    };
    // The minutes of the user's three activities on a new day.
    saves["activity"] = [&](int n) {
        Exec("update UInfo set SPID = '1,2,3' where UID = :U", {{"U", DM->UID}});
        centre.edtDT4->SetText(DayOf(n));
        centre.LoadDayActivities(DayOf(n));
        for (int row = 1; row <= 3; ++row) {
            centre.SG1->SetCells(2, row, QString::number(10 + n % 30));
            centre.SG1SetEditText(nullptr, 2, row, centre.SG1->Cells(2, row));
        }
        centre.Btn_SaveHTClick(nullptr);
    };
    // A new recipe of three foods, then a change of one that swaps three foods for four.
    saves["recipe"] = [&](int n) {
        int saved = 0;
        if (n % 2 == 0) {
            saved = DM->SaveRecipeWithFoods("素菜", "炒", "1", 0, 0, "做法", QString("压测%1").arg(n),
                                            Lines({"0,1,100", "0,54,100", "0,261,100"}));
        } else {
            const int id = Value("select min(ID) from SPInfo where SPName like '压测%'").toInt();
            const bool four = Value("select count(*) from SPTxt where SPID = " + QString::number(id)) == "3";
            saved = DM->SaveRecipeWithFoods("素菜", "炒", "1", id, 1, "做法", four ? "压测四" : "压测三",
                                            four ? Lines({"0,1,10", "0,2,10", "0,3,10", "0,4,10"})
                                                 : Lines({"0,1,10", "0,2,10", "0,3,10"}));
        }
        // The recipe window says so when the data module gives no id.
        if (saved <= 0) std::printf("box 保存失败，请重新保存。\n");
    };
    // A new set meal of three items.
    saves["setmeal"] = [&](int n) {
        if (DM->SaveSetMealWithItems("早餐", QString("压测%1").arg(n), "星期一", 0, 0,
                                     Lines({"0,1,100,1", "0,54,100,1", "0,1,200,2"})) <= 0)
            std::printf("box 套餐保存失败\n");
    };
    // A recipe made frequently used, then deleted with its foods and its use.
    saves["delete"] = [&](int n) {
        const int id = DM->SaveRecipeWithFoods("素菜", "炒", "1", 0, 0, "", QString("删%1").arg(n),
                                               Lines({"0,1,100", "0,54,100"}));
        DM->AddOftenUsed(id, 2);
        DM->DeleteRecipe(id);
    };
    // The remembered login and the energy method in the settings file, two whole states in turn.
    saves["settings"] = [&](int n) {
        TIniFile ini(DM->SettingsFile());
        const QString name = n % 2 == 0 ? "甲" : "乙";
        ini.WriteStrings("UINFO", {{"UID", name}, {"PWD", DesEncryptToHex(name + "的密码", PasswordKey)}});
        ini.WriteInteger("UINFO", "BKFLG", n % 2 + 1);
    };
    if (!saves.count(kind)) {
        std::fprintf(stderr, "unknown kind\n");
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (int n = Value("select count(*) from CKRcd").toInt() + Value("select count(*) from TZ").toInt() +
                 Value("select count(*) from SPRcd").toInt() + Value("select count(*) from SPInfo").toInt();
         ; ++n) {
        std::printf("begin %d\n", n);
        std::fflush(stdout);
        try {
            saves[kind](n);
        } catch (const std::exception& e) {
            std::printf("box %s\n", e.what());
        }
        std::printf("ok %d\n", n);
        std::fflush(stdout);
    }
}
