// The windows from the keyboard alone: radio buttons switched with the arrow keys, Tab visiting what a
// user can see in reading order and showing where it is, a combo box's open list closed by Tab, and
// Ctrl+Tab that has no hidden page to turn to.
#include "IniFiles.h"
#include "MealEditing.h"
#include "PersonalCentreFixture.h"
#include "UnitBKSet.h"
#include "UnitFoodList.h"
#include "UnitMsg.h"
#include "UnitSetHT.h"
#include "UnitShiPu.h"
#include "UnitTCFoodSrc.h"
#include "UnitTaoCan.h"
#include "UnitYYSTop.h"
#include "GridInput.h"
#include "WidgetInput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString FocusedName() {
    QWidget* f = QApplication::focusWidget();
    for (QWidget* w = f; w; w = w->parentWidget())
        if (TControl* c = TControl::FromWidget(w)) return c->Name();
    return QStringLiteral("<none>");
}

// The names of the controls that Tab (or Shift+Tab) reaches from the focused one, one per press.
std::vector<QString> TabCycle(int presses, bool backwards = false) {
    std::vector<QString> names;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        names.push_back(FocusedName());
    }
    return names;
}

// The names of the controls that Tab (or Shift+Tab) visits from the focused one until it comes back to
// it; the round ends after `limit` presses if it never does.
std::vector<QString> TabRound(bool backwards = false, int limit = 100) {
    const QString start = FocusedName();
    std::vector<QString> names;
    for (int i = 0; i < limit; ++i) {
        names.push_back(TabCycle(1, backwards).front());
        if (names.back() == start) break;
    }
    return names;
}

// Whether the focused widget looks different with the focus than without it, as seen in its window
// (a label shows its frame over whatever lies behind it).
bool ShowsFocus() {
    QWidget* f = QApplication::focusWidget();
    if (!f) return false;
    QWidget* window = f->window();
    const QRect area(f->mapTo(window, QPoint(0, 0)), f->size());
    const QImage focused = window->grab(area).toImage();
    f->clearFocus();
    const QImage unfocused = window->grab(area).toImage();
    f->setFocus(Qt::TabFocusReason);
    return focused != unfocused;
}

// Every control that Tab reaches shows it has the focus.
void ExpectEveryStopShowsFocus(int presses) {
    for (int i = 0; i < presses; ++i) {
        EXPECT_TRUE(ShowsFocus()) << FocusedName().toStdString() << " shows no focus";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

class KeyboardUser : public PersonalCentre {
protected:
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

}  // namespace

// Radio buttons
// -----------------------------------------------------------------------------------------------------
TEST_F(KeyboardUser, TheArrowKeysSwitchTheEnergyMethodAndItsTargetAndTheChoiceIsSavedFromTheKeyboard) {
    const QString byTable = FormatFloat("0", DM->LookupDailyKcal()) + "KCal";
    const QString byActivity = FormatFloat("0", DM->CalcKcalByActivity()) + "KCal";
    ASSERT_NE(byTable, byActivity);
    std::vector<QString> shown;
    OnModal = [&](TForm* form) {
        auto* method = dynamic_cast<TBKSetFrm*>(form);
        if (!method) return;
        QApplication::setActiveWindow(method->Widget());
        method->rb1->SetFocus();
        shown.push_back(method->lbl2->Caption());
        Key(Qt::Key_Down);
        EXPECT_TRUE(method->rb2->Checked());
        EXPECT_FALSE(method->rb1->Checked());
        EXPECT_TRUE(method->rb2->Focused());
        shown.push_back(method->lbl2->Caption());
        Key(Qt::Key_Up);
        shown.push_back(method->lbl2->Caption());
        Key(Qt::Key_Right);
        shown.push_back(method->lbl2->Caption());
        for (const char* next : {"lbl3", "lbl4", "btnOK"}) {  // past the [说明] links, on to 确定
            Key(Qt::Key_Tab);
            ASSERT_EQ(FocusedName(), next);
        }
        Key(Qt::Key_Space);
    };
    MainFrm->N3->Click();
    EXPECT_EQ(shown, (std::vector<QString>{byTable, byActivity, byTable, byActivity}));
    EXPECT_EQ(Boxes.LastText(), "设置成功");
    EXPECT_EQ(TIniFile(Db.Folder() + "UInfo.ini").ReadInteger("UINFO", "BKFLG", 0), 2);
}

TEST_F(KeyboardUser, TheArrowKeysSwitchTheFoodSearchBetweenFoodsAndRecipes) {
    Db.Exec("insert into SPInfo (ID, SPCls, SPP, SPName, PY, CFlg) values (9001, '米饭', '蒸', '米饭早餐', "
            "'MFZC', 1)");
    Centre->btnFdLst->Click();
    Centre->lbl13->Click();
    ASSERT_NE(TCFoodSrcFrm, nullptr);
    QApplication::setActiveWindow(TCFoodSrcFrm->Widget());
    TCFoodSrcFrm->rbSW->SetFocus();
    Key(Qt::Key_Right);
    EXPECT_TRUE(TCFoodSrcFrm->rbSP->Checked());
    EXPECT_FALSE(TCFoodSrcFrm->rbSW->Checked());
    Key(Qt::Key_Tab);
    ASSERT_EQ(FocusedName(), "edtQry");
    for (const char* c : {"M", "F", "Z", "C"})
        Key(Qt::Key(QKeySequence::fromString(c)[0].key()));
    ASSERT_TRUE(TCFoodSrcFrm->AdoQry->Active());
    EXPECT_EQ(TCFoodSrcFrm->AdoQry->RecordCount(), 1);  // the recipe, not a food
    EXPECT_EQ(TCFoodSrcFrm->AdoQry->FieldByName("fd")->AsString(), "米饭早餐");
    TCFoodSrcFrm->rbSP->SetFocus();
    Key(Qt::Key_Left);  // and back to the foods
    EXPECT_TRUE(TCFoodSrcFrm->rbSW->Checked());
    TCFoodSrcFrm->Close();
}

// Tab
// -----------------------------------------------------------------------------------------------------
TEST_F(KeyboardUser, TabGoesRoundTheEnergyMethodWindowInReadingOrderShowingWhereItIs) {
    // The window opens on the checked method, also when shown again after the other was checked; it
    // stands where the methods begin, whichever it is: then the two [说明] links beside the methods, the
    // two buttons, the title's close button.
    for (const QString checked : {"rb1", "rb2"}) {
        TIniFile(Db.Folder() + "UInfo.ini").WriteInteger("UINFO", "BKFLG", checked == "rb1" ? 1 : 2);
        QString opened;
        std::vector<QString> forwards, backwards;
        OnModal = [&](TForm* form) {
            auto* method = dynamic_cast<TBKSetFrm*>(form);
            if (!method) return;
            QApplication::setActiveWindow(method->Widget());
            opened = FocusedName();
            forwards = TabCycle(6);
            backwards = TabCycle(6, true);
            ExpectEveryStopShowsFocus(6);
        };
        MainFrm->N3->Click();
        EXPECT_EQ(opened, checked);
        EXPECT_EQ(forwards, (std::vector<QString>{"lbl3", "lbl4", "btnOK", "btnClose", "btn1", checked}));
        EXPECT_EQ(backwards, (std::vector<QString>{"btn1", "btnClose", "btnOK", "lbl4", "lbl3", checked}));
    }
}

TEST_F(KeyboardUser, TabPassesOverTheProfileViewThatTheEditorCovers) {
    Centre->btnModifyInfo->Click();  // the editor lies over the view, whose 修改>>> stays beneath it
    Centre->edtUID->SetFocus();
    const std::vector<QString> names = TabRound();
    EXPECT_EQ(std::count(names.begin(), names.end(), "btnModifyInfo"), 0);
    // The view's links lie under the editor too.
    EXPECT_EQ(std::count(names.begin(), names.end(), "Label4"), 0);
    ASSERT_GE(names.size(), 8u);
    EXPECT_EQ(std::vector<QString>(names.begin(), names.begin() + 8),
              (std::vector<QString>{"edtPwd", "EdtName", "cbbSex", "edtBthday", "edtSG", "cbbHD",
                                    "btn_SaveInfo", "SkButton2"}));
    // Round the window: the title bar, the navigation, the personal centre's pages, back to the editor.
    EXPECT_EQ(std::count(names.begin(), names.end(), "btnBase"), 1);
    EXPECT_EQ(names.back(), "edtUID");
    Centre->SkButton2->Click();  // with the editor closed the view's button is a stop again
    Centre->btnModifyInfo->SetFocus();
    ASSERT_TRUE(Centre->btnModifyInfo->Focused());
    const std::vector<QString> back = TabRound(true);
    EXPECT_EQ(back.back(), "btnModifyInfo");
    EXPECT_EQ(std::count(back.begin(), back.end(), "Label4"), 1);
}

TEST_F(KeyboardUser, ThePersonalEditorTakesTheKeyboardAsItOpensAndGivesItBackAsItCloses) {
    QApplication::setActiveWindow(MainFrm->Widget());
    Centre->btnModifyInfo->SetFocus();
    Key(Qt::Key_Space);
    ASSERT_TRUE(Centre->gbM->Visible());
    EXPECT_EQ(FocusedName(), "edtUID");
    Centre->SkButton2->SetFocus();
    Key(Qt::Key_Space);
    EXPECT_FALSE(Centre->gbM->Visible());
    EXPECT_EQ(FocusedName(), "btnModifyInfo");
}

// A double click on a day opens the weighing on its weight field, so what is typed next is the weight;
// its 关闭 gives the keyboard back to the calendar.
TEST_F(KeyboardUser, TheWeighingOpensOnItsWeightFieldAndClosesBackToTheCalendar) {
    QApplication::setActiveWindow(MainFrm->Widget());
    Centre->btnNet->Click();
    OpenDay(Centre->SGTZ, 3);
    ASSERT_TRUE(Centre->pnlTZLR->Visible());
    EXPECT_EQ(FocusedName(), "edt_TZ");
    QTest::keyClicks(QApplication::focusWidget(), "72.5");
    EXPECT_EQ(Centre->edt_TZ->Text(), "72.5");
    Key(Qt::Key_Tab);
    ASSERT_EQ(FocusedName(), "btn_SaveTZ");
    Key(Qt::Key_Space);
    EXPECT_EQ(Boxes.LastText(), "保存成功。");
    EXPECT_EQ(Scalar("select TZ1 from TZ where UID = :U"), "72.5");
    Key(Qt::Key_Tab);
    ASSERT_EQ(FocusedName(), "btnCTZLR");
    Key(Qt::Key_Space);
    EXPECT_FALSE(Centre->pnlTZLR->Visible());
    EXPECT_EQ(FocusedName(), "SGTZ");
}

// Opening a day's activities, a day's meals, a meal or a history puts the keyboard where the user works
// on it; 返回 gives it back to what comes to the front again.
TEST_F(KeyboardUser, EachPanelOfTheHistoryPagesOpensWithTheKeyboardOnWhatIsWorkedOn) {
    QApplication::setActiveWindow(MainFrm->Widget());
    Centre->btnSPLst->Click();
    OpenDay(Centre->SGHD, 3);
    EXPECT_EQ(FocusedName(), "SG1");
    Centre->btn1->Click();
    EXPECT_EQ(FocusedName(), "SGHD");

    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, 3);
    ASSERT_EQ(FocusedName(), "btnBreakfast");
    Key(Qt::Key_Space);
    ASSERT_TRUE(Centre->pnlYSJLTxt->Visible());
    EXPECT_EQ(FocusedName(), "SG2");
    Centre->btn1->Click();
    EXPECT_EQ(FocusedName(), "btnBreakfast");
    Centre->btn1->Click();
    EXPECT_EQ(FocusedName(), "SGYS");

    Centre->lblLSJL->Click();
    EXPECT_EQ(FocusedName(), "DT7");
    Centre->btn1->Click();
    EXPECT_EQ(FocusedName(), "SGYS");
}

// Tab leaves a meal's food grid and a day's activity grid for the next control in reading order, as
// Shift+Tab leaves it for the one before; an amount being typed is taken as it goes.
TEST_F(KeyboardUser, TabAndShiftTabLeaveTheMealAndActivityGridsInReadingOrder) {
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    const QString day3 = DateToISO(EncodeDate(y, m, 3));
    Db.Exec(
        "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '早餐', 1, 100, 1, :D, 1)",
        {{"U", Uid}, {"D", day3}});
    Db.Exec("update UInfo set SPID = '1' where UID = :U", {{"U", Uid}});  // 洗碗, 2 kcal a minute
    QApplication::setActiveWindow(MainFrm->Widget());
    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, 3);
    Key(Qt::Key_Space);  // 早餐
    ASSERT_EQ(FocusedName(), "SG2");
    ASSERT_EQ(Centre->SG2->Cells(1, 1), FoodByID(1).Name);
    Key(Qt::Key_Right);  // to the grams
    Type("150");
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusedName(), "SG21");  // the meal's totals, below the grid
    EXPECT_EQ(Centre->SG2->Cells(2, 1), "150");
    EXPECT_EQ(Centre->SG2->Cells(3, 1), FormatFloat("0.00", FoodByID(1).Values[fvKcal] * 1.5));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusedName(), "SG2");
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusedName(), "lbl13");  // [食物查询] above the grid

    Centre->btnSPLst->Click();
    OpenDay(Centre->SGHD, 3);
    ASSERT_EQ(FocusedName(), "SG1");
    Key(Qt::Key_Right);  // to the minutes
    Type("30");
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusedName(), "Label9");  // the grid ends the page: on to the today panel beside it
    EXPECT_EQ(Centre->SG1->Cells(3, 1), "60.0");
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusedName(), "SG1");
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusedName(), "Label82");  // [活动注意事项] above the grid
}

// What a double click does on a calendar day or in a result list, Enter does: a keyboard user opens the
// day, its meal, looks a food up and adds it without the mouse. Enter with Shift or Ctrl opens nothing.
TEST_F(KeyboardUser, EnterOpensACalendarDayAndAddsTheFoodChosenInTheSearchList) {
    Centre->btnFdLst->Click();
    int col = 0, row = 0;
    ASSERT_TRUE(FindDay(Centre->SGYS, 3, col, row));
    ClickCell(Centre->SGYS, col, row);
    for (Qt::KeyboardModifier shift : {Qt::ShiftModifier, Qt::ControlModifier}) {
        Key(Qt::Key_Return, shift);
        EXPECT_TRUE(Centre->pnlYSCla->Showing()) << shift;
        EXPECT_FALSE(Centre->pnlYSJL->Showing()) << shift;
    }
    Key(Qt::Key_Return);
    ASSERT_TRUE(Centre->pnlAddSP->Visible());
    ASSERT_EQ(FocusedName(), "btnBreakfast");
    Key(Qt::Key_Space);
    ASSERT_TRUE(Centre->pnlYSJLTxt->Visible());
    Centre->lbl13->Click();
    ASSERT_NE(TCFoodSrcFrm, nullptr);
    QApplication::setActiveWindow(TCFoodSrcFrm->Widget());
    TCFoodSrcFrm->edtQry->SetFocus();
    for (Qt::Key k : {Qt::Key_M, Qt::Key_F})
        Key(k);
    ASSERT_GE(TCFoodSrcFrm->AdoQry->RecordCount(), 3);
    Key(Qt::Key_Tab);  // past 查询
    Key(Qt::Key_Tab);
    ASSERT_EQ(FocusedName(), "dbgQry");
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    const QString chosen = TCFoodSrcFrm->AdoQry->FieldByName("fd")->AsString();
    Key(Qt::Key_Return);
    EXPECT_EQ(Centre->SG2->Cells(1, 1), chosen);
    if (TCFoodSrcFrm) TCFoodSrcFrm->Close();
}

// The links of the main window and the personal centre are stops of the Tab round, and Space or Enter
// opens what a click opens.
TEST_F(KeyboardUser, TheLinksAreReachedByTabAndOpenWhatTheyNameFromTheKeyboard) {
    QApplication::setActiveWindow(MainFrm->Widget());
    Centre->btnModifyInfo->SetFocus();
    const std::vector<QString> round = TabRound();
    for (const char* link :
         {"Label4", "Label20", "Label9", "Label75", "Label65", "Label12", "Label22", "lbl2", "Label3"})
        EXPECT_EQ(std::count(round.begin(), round.end(), link), 1) << link;
    while (FocusedName() != "Label9")
        Key(Qt::Key_Tab);
    Key(Qt::Key_Space);
    Key(Qt::Key_Tab);
    ASSERT_EQ(FocusedName(), "Label75");
    Key(Qt::Key_Return);
    while (FocusedName() != "Label4")
        Key(Qt::Key_Tab);
    Key(Qt::Key_Return);
    EXPECT_EQ(Tips, (std::vector<QString>{"基础代谢的定义", "生理热价", "体力活动类型说明"}));
}

// A window opens with the focus on its first field or button, not on its title's close button, which
// Space would press.
TEST_F(KeyboardUser, WindowsOpenOnTheirFirstFieldAndTheMainAreaTakesTheFocusAfterTheLogin) {
    QString opened;
    OnModal = [&](TForm* form) {
        if (!dynamic_cast<TBKSetFrm*>(form)) return;
        QApplication::setActiveWindow(form->Widget());
        opened = FocusedName();
    };
    MainFrm->N3->Click();
    EXPECT_EQ(opened, "rb1");  // the checked method
    auto* catalogue = new TSetHTFrm(Centre);
    catalogue->ShowForm();
    QApplication::setActiveWindow(catalogue->Widget());
    EXPECT_EQ(FocusedName(), "RC_A");
    delete catalogue;

    // After a login without the guide: the personal centre's first button, 修改>>>.
    delete MainFrm;
    Start();
    QApplication::setActiveWindow(MainFrm->Widget());
    MainFrm->edtUID->SetFocus();
    Type("user");
    Key(Qt::Key_Return);
    ASSERT_FALSE(MainFrm->pnlLoad->Visible());
    EXPECT_EQ(FocusedName(), "btnModifyInfo");
}

namespace {
// The windows docked in the main window's centre, opened from its tabs.
class DockedWindowKeys : public KeyboardUser {
protected:
    void SetUp() override {
        KeyboardUser::SetUp();
        QApplication::setActiveWindow(MainFrm->Widget());
    }
    void TearDown() override {
        delete Frm_FD;
        delete Frm_ShiPu;
        delete Frm_TaoCan;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        KeyboardUser::TearDown();
    }
    // A tab of the main window pressed from the keyboard, where Tab has put the focus.
    static void PressTab(TSpeedButton* tab) {
        tab->Widget()->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Space);
    }
};
}  // namespace

// What is typed right after 食物成分 or 制作套餐 is a food to look up.
TEST_F(DockedWindowKeys, TheFoodBrowserAndTheSetMealMakerOpenOnTheirFirstField) {
    PressTab(MainFrm->Btn_CF);
    ASSERT_NE(Frm_FD, nullptr);
    EXPECT_TRUE(Frm_FD->ED_Src->Focused());
    Type("DM");
    EXPECT_EQ(Frm_FD->ED_Src->Text(), "DM");
    EXPECT_TRUE(Frm_FD->pnlSrcRlt->Visible());

    PressTab(MainFrm->btnTaoCan);
    ASSERT_NE(Frm_TaoCan, nullptr);
    Frm_TaoCan->btnMakeTC->SetFocus();
    Key(Qt::Key_Space);
    ASSERT_EQ(Frm_TaoCan->PC->ActivePage(), Frm_TaoCan->T2);
    EXPECT_TRUE(Frm_TaoCan->ED_Src->Focused());
    Type("MF");
    EXPECT_EQ(Frm_TaoCan->ED_Src->Text(), "MF");
}

// A window opened by the mouse over another takes the keyboard from it: what is typed next goes to the
// window in front, never on in the one it covers.
TEST_F(DockedWindowKeys, AWindowOpenedOverAnotherTakesTheKeyboardFromIt) {
    PressTab(MainFrm->Btn_CF);
    ASSERT_TRUE(Frm_FD->ED_Src->Focused());
    const auto inFront = [](TForm* form) {
        QWidget* focus = QApplication::focusWidget();
        return form && focus && form->Widget()->isAncestorOf(focus);
    };
    const std::pair<TSpeedButton*, std::function<TForm*()>> tabs[] = {
        {MainFrm->Btn_SP, [] -> TForm* { return Frm_ShiPu; }},
        {MainFrm->btnTaoCan, [] -> TForm* { return Frm_TaoCan; }},
        {MainFrm->Btn_PerInfo, [] -> TForm* { return Frm_UInfo; }},
        {MainFrm->SpeedButton5, [] -> TForm* { return Frm_FDYY; }}};
    for (const auto& [tab, form] : tabs) {
        QTest::mouseClick(tab->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(inFront(form())) << tab->Name().toStdString();
        Type("x");
        EXPECT_EQ(Frm_FD->ED_Src->Text(), "") << tab->Name().toStdString();
    }
    // The tab of the window in front leaves the keyboard where it is in that window.
    Key(Qt::Key_Tab);
    QWidget* const kept = QApplication::focusWidget();
    ASSERT_TRUE(inFront(Frm_FDYY));
    QTest::mouseClick(MainFrm->SpeedButton5->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(QApplication::focusWidget(), kept);
}

// Each of the four columns of the composition tables shows where the keyboard is, on a row shown.
TEST_F(DockedWindowKeys, TheFoodBrowsersCompositionTablesShowTheFocus) {
    PressTab(MainFrm->Btn_CF);
    ASSERT_NE(Frm_FD, nullptr);
    Frm_FD->Timer1Timer(Frm_FD->Timer1);
    Frm_FD->TV_FD->SetFocus();
    for (const char* table : {"SG1", "SG_FDUse", "SG2", "SG_FDUse1"}) {
        Key(Qt::Key_Tab);
        ASSERT_EQ(FocusedName(), table);
        EXPECT_TRUE(ShowsFocus()) << table;
        Key(Qt::Key_Down);  // the focus goes down with the row
        EXPECT_TRUE(ShowsFocus()) << table;
    }
}

// 食谱列表 on either step of the recipe editor gives the keyboard to the recipe list it shows.
TEST_F(DockedWindowKeys, TheRecipeEditorsListButtonGivesTheKeyboardToTheList) {
    PressTab(MainFrm->Btn_SP);
    ASSERT_NE(Frm_ShiPu, nullptr);
    TFrm_ShiPu* book = Frm_ShiPu;
    book->Timer1Timer(book->Timer1);
    book->Btn_SaveSW->SetFocus();
    Key(Qt::Key_Space);  // 创建食谱
    ASSERT_EQ(book->PC->ActivePage(), book->T2);
    book->btnSPDir1->SetFocus();
    Key(Qt::Key_Space);
    ASSERT_EQ(book->PC->ActivePage(), book->T1);
    EXPECT_EQ(FocusedName(), "TV_FD1");

    book->Btn_SaveSW->SetFocus();
    Key(Qt::Key_Space);
    ASSERT_TRUE(SelectNodeByText(book->TV_FD, FoodByID(1).Name, 2));
    book->Btn_Add->Click();
    book->btnDown->SetFocus();
    Key(Qt::Key_Space);  // 下一步
    ASSERT_EQ(book->PC->ActivePage(), book->T3);
    book->btnSPDir->SetFocus();
    Key(Qt::Key_Space);
    ASSERT_EQ(book->PC->ActivePage(), book->T1);
    EXPECT_EQ(FocusedName(), "TV_FD1");
}

namespace {
class LoginKeys : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowSession::SetUp();
        TIniFile(Db.Folder() + "UInfo.ini").WriteInteger("UINFO", "RunCon", 1);
        Start();
        QApplication::setActiveWindow(MainFrm->Widget());
    }
};
}  // namespace

TEST_F(LoginKeys, TabGoesRoundTheVisibleControlsInReadingOrderShowingWhereItIs) {
    MainFrm->edtUID->SetFocus();
    const std::vector<QString> login{"edtPWD", "chk_UP", "btnLoad", "btnClose"};
    // The title bar and the navigation above the panel, then the panel's close button and fields.
    const std::vector<QString> above{
        "Label22",      "lbl2",         "Btn_Min",      "Btn_Close",    "Label3",       "Btn_CF",
        "Btn_SP",       "btnTaoCan",    "Btn_PerInfo",  "SpeedButton5", "SpeedButton1", "SpeedButton2",
        "SpeedButton3", "SpeedButton4", "SpeedButton6", "btn1",         "edtUID"};
    std::vector<QString> round = login;
    round.insert(round.end(), above.begin(), above.end());
    EXPECT_EQ(TabCycle(int(round.size())), round);
    ExpectEveryStopShowsFocus(int(round.size()));
    std::vector<QString> back(round.rbegin() + 1, round.rend());
    back.push_back("edtUID");
    EXPECT_EQ(TabCycle(int(back.size()), true), back);
}

// The activity catalogue
// -----------------------------------------------------------------------------------------------------
namespace {
class CatalogueKeys : public KeyboardUser {
protected:
    void SetUp() override {
        KeyboardUser::SetUp();
        Form = new TSetHTFrm(Centre);
        Form->ShowForm();
        QApplication::setActiveWindow(Form->Widget());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
    }
    TSetHTFrm* Form = nullptr;
};
}  // namespace

TEST_F(CatalogueKeys, TabInTheOpenTypeListTakesTheItemClosesTheListAndMovesOn) {
    QTest::mouseClick(Form->SkButton3->Widget(), Qt::LeftButton);  // 添加活动项
    ASSERT_TRUE(Form->gb->Showing());
    ASSERT_EQ(Form->cbbHT->Text(), "");
    QTest::mouseClick(Form->cbbHT->Widget(), Qt::LeftButton);  // the list of 活动类型 opens
    ASSERT_TRUE(Form->cbbHT->DroppedDown());
    QWidget* list = static_cast<QComboBox*>(Form->cbbHT->Widget())->view();
    for (int i = 0; i < 3; ++i)  // the list opens on its first type; down to the fourth
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_FALSE(Form->cbbHT->DroppedDown());
    EXPECT_EQ(Form->cbbHT->Text(), "重度活动");
    EXPECT_EQ(FocusedName(), "edtHT");
    Type("run");  // what is typed next goes into the name
    EXPECT_EQ(Form->edtHT->Text(), "run");
}

// The item editor takes the keyboard into its first field however it opens, and its 关闭 gives it back
// to 添加活动项 rather than to the title's close button, where Enter would close the window.
TEST_F(CatalogueKeys, TheItemEditorOpensOnItsFirstFieldAndClosesBackToItsButton) {
    Form->SkButton3->SetFocus();
    Key(Qt::Key_Space);  // 添加活动项
    ASSERT_TRUE(Form->gb->Showing());
    EXPECT_EQ(FocusedName(), "cbbHT");
    for (int i = 0; i < 4; ++i)  // past the name, the energy and 确定
        Key(Qt::Key_Tab);
    ASSERT_EQ(FocusedName(), "SkButton2");
    Key(Qt::Key_Space);  // 关闭
    EXPECT_FALSE(Form->gb->Showing());
    EXPECT_EQ(FocusedName(), "SkButton3");

    // 修改 from the menu of a list that the editor then covers.
    Form->RC_B->SetFocus();
    Form->RC_B->SetItemIndex(0);
    SetPopupHook([this](TPopupMenu*, int, int) { Form->N1->Click(); });
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(8, 8));
    QApplication::sendEvent(Viewport(Form->RC_B), &menuKey);
    SetPopupHook(nullptr);
    ASSERT_TRUE(Form->gb->Showing());
    EXPECT_EQ(Form->edtHT->Text(), Form->RC_B->Items()->Strings(0));
    EXPECT_EQ(FocusedName(), "cbbHT");
}

TEST_F(CatalogueKeys, AnActivityTitledWithTwoSlashesIsTickedByTheMouseAndBySpace) {
    Db.Exec("insert into SpSet (ID, sType, tit, Kcal, sysFlg) values (901, 2, '//test', 3, 0), "
            "(902, 2, '//散步', 2, 0)");
    Form->LoadLists();
    TSkCheckList* list = Form->RC_B;
    const int mouse = list->Items()->IndexOf("//test"), keys = list->Items()->IndexOf("//散步");
    ASSERT_GE(mouse, 0);
    ASSERT_GE(keys, 0);
    const TRect box = list->ItemRect(mouse);
    QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, QPoint(box.Left + 8, (box.Top + box.Bottom) / 2));
    EXPECT_TRUE(list->ItemChecked(mouse));
    list->SetFocus();
    list->SetItemIndex(keys);
    Key(Qt::Key_Space);
    EXPECT_TRUE(list->ItemChecked(keys));
    Form->SkButton7->Click();
    const QStringList stored = Scalar("select SPID from UInfo where UID = :U").split(',');
    EXPECT_TRUE(stored.contains("901"));
    EXPECT_TRUE(stored.contains("902"));
}

TEST_F(LoginKeys, AfterTheLoginTheKeyboardGoesOnInTheMainArea) {
    MainFrm->edtUID->SetFocus();
    for (const char* key : {"u", "s", "e", "r"})
        QTest::keyClick(QApplication::focusWidget(), key[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_FALSE(MainFrm->pnlLoad->Visible());
    // On a first login the guide lies in front, over the personal centre: its check box.
    EXPECT_EQ(FocusedName(), "chkHint");
    EXPECT_TRUE(ShowsFocus());
}

// The two "我知道了，不要再提示" boxes are ticked with Space as with the mouse, and do what a click does.
TEST_F(LoginKeys, SpaceOnTheGuidesAndTheTipsCheckBoxesSwitchThemOff) {
    TIniFile ini(Db.Folder() + "UInfo.ini");
    ini.WriteInteger("UINFO", "RunCon", 0);
    OnModal = [](TForm* form) {
        auto* tip = dynamic_cast<TMsgFrm*>(form);
        if (!tip || !tip->chckbx1->Visible()) return;
        QApplication::setActiveWindow(tip->Widget());
        tip->chckbx1->SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(tip->chckbx1->Checked());
    };
    delete MainFrm;
    Start();  // the tip shows with the login panel
    EXPECT_EQ(ini.ReadInteger("UINFO", "RunCon", 0), 1);

    QApplication::setActiveWindow(MainFrm->Widget());
    MainFrm->edtUID->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), "user");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(MainFrm->PanelHelp->Visible());
    ASSERT_EQ(FocusedName(), "chkHint");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(MainFrm->PanelHelp->Visible());
    EXPECT_EQ(ini.ReadInteger("UINFO", "RunHelp", 0), 1);
}
