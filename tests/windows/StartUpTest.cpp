// The program's start: the main window shows before the database opens and before its hidden parts
// exist; the login panel and the guide follow once it is on the screen, as the user saw them before.
#include "IniFiles.h"
#include "MainWindowSession.h"

#include <QTest>
#include <QWidget>

namespace {

class StartUp : public MainWindowSession {};

}  // namespace

TEST_F(StartUp, TheMainWindowShowsWithoutTheDatabaseAndTheLoginPanelFollows) {
    TIniFile(Db.Folder() + "UInfo.ini").WriteString("UINFO", "UID", "user");
    TDM* const module = DM;
    DM = nullptr;  // the program opens the database once the window is painted
    MainFrm = new TMainFrm(Application);
    MainFrm->ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainFrm->Widget()));
    // The first sight: the cut corners, the skin's frame and the today panel as designed.
    EXPECT_FALSE(MainFrm->Widget()->mask().contains(QPoint(1, 1)));
    EXPECT_TRUE(MainFrm->Widget()->mask().contains(QPoint(3, 0)));
    EXPECT_EQ(MainFrm->pnlLeft1->Color(), TColor(0xF8B600));
    EXPECT_EQ(MainFrm->lblZC->Caption(), "早餐30%");
    EXPECT_FALSE(MainFrm->pnlCenter->Enabled());
    EXPECT_EQ(MainFrm->pnlLoad, nullptr);
    EXPECT_EQ(MainFrm->PanelHelp, nullptr);

    DM = module;
    MainFrm->BuildHiddenParts();
    EXPECT_EQ(MainFrm->edtUID->Text(), "user");  // filled from the settings as the panel is made
    EXPECT_TRUE(MainFrm->chk_UP->Checked());
    EXPECT_FALSE(MainFrm->pnlLoad->Visible());
    EXPECT_FALSE(MainFrm->gbPro->Visible());
    EXPECT_FALSE(MainFrm->PanelHelp->Visible());
    EXPECT_EQ(MainFrm->pnlTit->Color(), TColor(0xF8B600));
    MainFrm->LoadingWaitMs = 0;
    MainFrm->Timer1Timer(MainFrm->Timer1);
    EXPECT_TRUE(MainFrm->pnlLoad->Visible());
    ASSERT_EQ(Tips.size(), 1u);
    EXPECT_EQ(Tips[0], "提示说明");
}
