// The program entry: the application, the data module, then the main window.
#include "Dialogs.h"
#include "FoodTable.h"
#include "Forms.h"
#include "UintDM.h"
#include "UnitMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Application->Initialize();
    Application->SetTitle(QStringLiteral("Veloria 膳食能量管家"));
    try {
        Application->CreateForm(DM);
    } catch (const Exception& e) {
        // Without its database the program cannot keep anything: say which file and why, then stop.
        MessageBox(e.Message(), InfoCaption, MB_OK | MB_ICONWARNING);
        return 1;
    }
    Application->CreateForm(MainFrm);
    FoodMaxIndex = 1954;  // the food loops run to the table's last entry
    MainFrm->SetAlphaBlendValue(255);
    MainFrm->Timer1->SetEnabled(true);
    return Application->Run();
}
