// The main window as a user starts it: a private database, the window shown and its start-up timer run,
// then the login. Message boxes are recorded and answered by the test; modal windows are recorded by
// name (tips also by title), handed to OnModal and closed.
#pragma once

#include "FoodTable.h"
#include "RecordingServices.h"
#include "TestDatabase.h"
#include "UnitFoodList.h"
#include "UnitHelath.h"
#include "UnitMain.h"
#include "UnitMsg.h"
#include "UnitShiPu.h"
#include "UnitTaoCan.h"
#include "UnitYYSTop.h"

#include <QCoreApplication>

#include <functional>
#include <gtest/gtest.h>
#include <vector>

class MainWindowSession : public testing::Test {
protected:
    void SetUp() override {
        LoadFoodTables();
        SetModalHook([this](TForm* form) {
            Modals.push_back(form->Name());
            if (auto* tip = dynamic_cast<TMsgFrm*>(form)) Tips.push_back(tip->lblTit->Caption());
            if (OnModal) OnModal(form);
            form->Close();
        });
    }
    void TearDown() override {
        SetModalHook(nullptr);
        // The windows the main window docked go before it, as at the program's end: one left behind
        // would outlive its site and the data module, and the next case's main window would take it
        // up again, timers and all.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete Frm_FD;
        delete Frm_FDYY;
        delete Frm_ShiPu;
        delete Frm_TaoCan;
        delete HelathFrm;
        delete MainFrm;
        MainFrm = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Creates and shows the main window and runs its start-up timer without the loading box's wait.
    TMainFrm* Start() {
        MainFrm = new TMainFrm(Application);
        MainFrm->LoadingWaitMs = 0;
        MainFrm->ShowForm();
        MainFrm->Timer1Timer(MainFrm->Timer1);
        return MainFrm;
    }
    // Logs in through the login panel; the delivered user is "user" without a password.
    void Login(const QString& name = QStringLiteral("user"), const QString& password = QString(),
               bool remember = false) {
        MainFrm->edtUID->SetText(name);
        MainFrm->edtPWD->SetText(password);
        MainFrm->chk_UP->SetChecked(remember);
        MainFrm->btnLoad->Click();
    }

    TTestDatabase Db;
    TRecordingMessageService Boxes;
    std::vector<QString> Modals;
    std::vector<QString> Tips;  // the titles of the tip windows shown
    std::function<void(TForm*)> OnModal;
};
