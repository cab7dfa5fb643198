// The main window started as the program starts it, on the data module already made, and both freed
// again: what each start-up measurement repeats around its own steps.
#pragma once

#include "Forms.h"
#include "UintDM.h"
#include "UnitMain.h"

// Makes and shows the main window and runs its start-up timer without the loading box's wait, so the
// login panel shows.
inline void StartMainWindow() {
    Application->CreateForm(MainFrm);
    MainFrm->LoadingWaitMs = 0;
    MainFrm->ShowForm();
    MainFrm->Timer1Timer(MainFrm->Timer1);
}

// Frees the main window and then the data module, leaving no main form behind.
inline void FreeMainWindowAndModule() {
    delete MainFrm;
    MainFrm = nullptr;
    Application->SetMainForm(nullptr);
    delete DM;
    DM = nullptr;
}
