// The delivered user, with a complete profile, logged in through the login panel of a shown main
// window with its skin, for benchmarks of the logged-in program.
#pragma once

#include "DeliveredCopy.h"
#include "DirectSql.h"
#include "FoodTable.h"
#include "IniFiles.h"
#include "MainWindowStart.h"
#include "SilentBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>

// The skins' pictures beside the copied database, so the title bar and frame are drawn as installed.
inline void CopySkins(const TDeliveredCopy& copy) {
    for (const char* name : {"Blue", "Red"}) {
        const QString folder = QString::fromLatin1(name);
        const QDir from(QStringLiteral(VELORIA_BUILD_DIR "/") + folder);
        QDir().mkpath(copy.FilePath(folder));
        for (const QString& file : from.entryList(QDir::Files))
            QFile::copy(from.filePath(file), copy.FilePath(folder + "/" + file));
    }
}

// The delivered user, with a complete profile, logged in through the login panel of a shown main
// window with its skin; no start-up tip and no guide panel cover the window.
class TLoggedInSession {
public:
    TLoggedInSession() {
        CopySkins(FCopy);
        TIniFile ini(FCopy.FilePath(SettingsFileName));
        ini.WriteInteger("UINFO", "RunCon", 1);
        ini.WriteInteger("UINFO", "RunHelp", 1);
        Application->SetTitle(QStringLiteral("Veloria 膳食能量管家"));
        LoadFoodTables();
        SetMessageService(&FBoxes);
        Application->CreateForm(DM);
        ExecOnModule("update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1");
        StartMainWindow();
        MainFrm->edtUID->SetText("user");
        MainFrm->edtPWD->SetText(QString());
        MainFrm->btnLoad->Click();
        QApplication::processEvents();
    }
    ~TLoggedInSession() {
        FreeMainWindowAndModule();
        SetMessageService(nullptr);
    }
    TLoggedInSession(const TLoggedInSession&) = delete;
    TLoggedInSession& operator=(const TLoggedInSession&) = delete;

private:
    TDeliveredCopy FCopy;
    TSilentBoxes FBoxes;
};
