// The program entry: one copy per program folder; the main window shows first, and the database, the
// parts of the window nobody sees yet and the start-up timer follow once it is on the screen.
#include "Dialogs.h"
#include "FoodTable.h"
#include "Forms.h"
#include "InstanceLock.h"
#include "Platform.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <malloc.h>

namespace {

// The program keeps one user's data in its folder: a second copy there would undo the first one's
// saves. A later start says so, wakes the running copy and ends.
bool IsOnlyInstance(TInstanceLock& lock) {
    if (lock.Acquired()) return true;
    MessageBox(QStringLiteral("程序已经在运行。"), InfoCaption, MB_OK | MB_ICONINFORMATION);
    lock.ActivateHolder();
    return false;
}

int StartFailure = 0;

// Whatever can wait until the first window is painted.
void FinishStart() {
    try {
        Application->CreateForm(DM);
    } catch (const Exception& e) {
        // Without its database the program cannot keep anything: say which file and why, then stop.
        MessageBox(e.Message(), InfoCaption, MB_OK | MB_ICONWARNING);
        StartFailure = 1;
        Application->Terminate();
        return;
    }
    MainFrm->BuildHiddenParts();
    MainFrm->Timer1->SetEnabled(true);
}

}  // namespace

int main(int argc, char** argv) {
    // Large blocks (pictures of windows and skins) go back to the system when they are freed instead
    // of staying in the heap for the rest of the run.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    TWidgetApplication app(argc, argv);
    Application->Initialize();
    // Native parts (edit fields, scroll bars) take the classic colours the styled controls draw in.
    ApplyClassicPalette();
    Application->SetTitle(QStringLiteral("Veloria 膳食能量管家"));
    ListenForActivation([] { Application->BringToFront(); });
    TInstanceLock instanceLock(ProgramFolder());
    if (!IsOnlyInstance(instanceLock)) return 0;
    Application->CreateForm(MainFrm);
    FoodMaxIndex = 1954;  // the food loops run to the table's last entry
    MainFrm->SetAlphaBlendValue(255);
    bool painted = false;
    MainFrm->OnPaint = [&painted](TObject*) {
        if (painted) return;
        painted = true;
        Application->Queue(FinishStart);
    };
    const int result = Application->Run();
    return StartFailure ? StartFailure : result;
}
