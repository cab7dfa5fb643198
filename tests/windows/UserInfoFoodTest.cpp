// The personal centre's food page, driven as a user records a day: the food search, the frequently
// used foods and set meals, grams, totals, the save with its merge or replace question, and the
// today panel of the main window.
#include "DragDrop.h"
#include "NutrientSums.h"
#include "PersonalCentreFixture.h"
#include "UnitOftenFood.h"
#include "UnitTCFoodSrc.h"
#include "UnitYSMX.h"

#include <QClipboard>
#include <QContextMenuEvent>

namespace {

class FoodPage : public PersonalCentre {
protected:
    void SetUp() override {
        PersonalCentre::SetUp();
        // A recipe of rice and wheat of the user's own, set as frequently used with the wheat itself.
        Db.Exec("insert into SPInfo (ID, SPCls, SPP, SPName, PY, CFlg) "
                "values (9001, '米饭', '蒸', 'O''Neil 的早餐', 'O''Neil DZC', 1)");
        Db.Exec("insert into SPTxt (SPID, FdID, FdNet) values (9001, 54, 200), (9001, 1, 50)");
        Db.Exec("insert into FDUse (UID, FID, FType) values (:U, 1, 1), (:U, 9001, 2)", {{"U", Uid}});
    }

    TStringGrid* Grid() const { return Centre->SG2; }

    void OpenTodaysMeal(TSkButton* meal) {
        Centre->btnFdLst->Click();
        OpenDay(Centre->SGYS, Today());
        meal->Click();
    }

    // Finds `text` in the food search and double-clicks the result row with the given id.
    void PickInSearch(const QString& text, const QString& id, bool recipe = false) {
        Centre->lbl13->Click();
        ASSERT_NE(TCFoodSrcFrm, nullptr);
        (recipe ? TCFoodSrcFrm->rbSP : TCFoodSrcFrm->rbSW)->SetChecked(true);
        TCFoodSrcFrm->edtQry->SetText(QString());
        Commit(TCFoodSrcFrm->edtQry->Widget(), text);
        TADOQuery* results = TCFoodSrcFrm->AdoQry;
        ASSERT_TRUE(results->Active());
        int row = 1;
        for (results->First(); !results->Eof() && results->FieldByName("ID")->AsString() != id;
             results->Next())
            ++row;
        ASSERT_FALSE(results->Eof()) << "no result " << id.toStdString();
        DblClickCell(TCFoodSrcFrm->dbgQry, 1, row);
    }

    // Opens the frequently used window in a mode and waits for its tree.
    TOftenFoodFrm* OpenOftenUsed(TLabel* link) {
        link->Click();
        EXPECT_NE(OftenFoodFrm, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([] { return !OftenFoodFrm->Timer1->Enabled(); }, 2000));
        return OftenFoodFrm;
    }

    static TTreeNode* FindNode(TSkTreeView* tree, const QString& text) {
        for (int i = 0; i < tree->Items()->Count(); ++i)
            if (tree->Items()->Item(i)->Text() == text) return tree->Items()->Item(i);
        return nullptr;
    }

    // Drags a node of the frequently used tree and drops it on the food grid.
    void DragToGrid(TTreeNode* node) {
        TSkTreeView* tree = OftenFoodFrm->TVFD;
        node->MakeVisible();
        const TRect r = node->DisplayRect(true);
        QWidget* viewport = tree->Tree()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {},
                          QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        const QPoint drop = CellCentre(Grid(), 1, 3);
        TDragManager::Instance().MoveTo(Grid()->Widget()->mapToGlobal(drop));
        QTest::mouseRelease(Grid()->Widget(), Qt::LeftButton, {}, drop);
    }

    static double FoodKcal(int id, double grams) {
        double kcal = 0;
        AddFoodKcal(QString::number(id), grams, kcal);
        return kcal;
    }
    // Right-clicks a row of the food grid and chooses "删除" in the menu the window system shows.
    void DeleteRowByMenu(int row) {
        TPopupMenu* shown = nullptr;
        SetPopupHook([&](TPopupMenu* menu, int, int) { shown = menu; });
        ClickCell(Grid(), 1, row, Qt::RightButton);
        const QPoint at = CellCentre(Grid(), 1, row);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, Grid()->Widget()->mapToGlobal(at));
        QApplication::sendEvent(Grid()->Widget(), &menuEvent);
        SetPopupHook(nullptr);
        ASSERT_EQ(shown, Centre->PPMDelSP);
        ASSERT_EQ(shown->Items()->Items(0)->Caption(), "删除");
        shown->Items()->Items(0)->Click();
    }
    // Opens today's meal with the mouse: the food page, today's calendar day and the meal's button.
    void OpenTodaysMealByMouse(TSkButton* meal) {
        ClickOn(Centre->btnFdLst);
        OpenDay(Centre->SGYS, Today());
        ClickOn(meal);
    }
    TCLA* TodaysCalendarDay() {
        int col = 0, row = 0;
        return FindDay(Centre->SGYS, Today(), col, row) ? dynamic_cast<TCLA*>(Centre->SGYS->Objects(col, row))
                                                        : nullptr;
    }
    QString Stored(const QString& column, int fid, int kind, const QString& meal = "早餐") {
        return Db.Scalar("select " + column +
                             " from CKRcd where UID = :U and FID = :F and Flg = :K and CKCLS = :M",
                         {{"U", Uid}, {"F", fid}, {"K", kind}, {"M", meal}});
    }
};

}  // namespace

TEST_F(FoodPage, ADayIsRecordedThroughSearchAndDragThenReloadedMergedAndReplaced) {
    OpenTodaysMeal(Centre->btnBreakfast);
    EXPECT_TRUE(Centre->pnlYSJLTxt->Showing());
    EXPECT_EQ(Centre->pnlTC->Caption(), "早餐");
    EXPECT_EQ(Centre->edtDT2->Text(), TodayISO());

    PickInSearch("米饭", "54");
    EXPECT_EQ(Grid()->Cells(1, 1), "米饭（蒸，代表值）");
    EXPECT_EQ(Grid()->Cells(8, 1), "54");
    EXPECT_EQ(Grid()->Cells(9, 1), "1");
    EXPECT_EQ(TCFoodSrcFrm->edtQry->Text(), "");  // emptied for the next search

    OpenOftenUsed(Centre->lbl11);
    TTreeNode* recipe = FindNode(OftenFoodFrm->TVFD, "O'Neil 的早餐");
    ASSERT_NE(recipe, nullptr);
    EXPECT_EQ(recipe->Parent()->Text(), "【常食的食谱列表】");
    DragToGrid(recipe);
    EXPECT_EQ(Grid()->Cells(1, 2), "O'Neil 的早餐");
    EXPECT_EQ(Grid()->Cells(9, 2), "2");
    EXPECT_EQ(Grid()->RowCount(), 4);  // one empty row stays at the end

    TypeIntoCell(Grid(), 2, 1, "150");
    TypeIntoCell(Grid(), 2, 2, "100");
    EXPECT_EQ(Grid()->Cells(3, 1), FormatFloat("0.00", FoodKcal(54, 150)));
    // The recipe's 250 g hold 200 g rice and 50 g wheat: 100 g of it carry two fifths of their energy.
    const double recipeKcal = (FoodKcal(54, 200) + FoodKcal(1, 50)) * 100 / 250;
    EXPECT_NEAR(Grid()->Cells(3, 2).toDouble(), recipeKcal, 0.01);
    EXPECT_EQ(Centre->SG21->Cells(2, 0), "250");
    EXPECT_EQ(Centre->SG21->Cells(3, 0),
              FormatFloat("0", FoodKcal(54, 150) + Grid()->Cells(3, 2).toDouble()));

    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Scalar("select count(*) from CKRcd where UID = :U"), "2");
    EXPECT_EQ(Stored("FNet", 54, 1), "150");
    EXPECT_EQ(Stored("CKDate", 54, 1), TodayISO());
    EXPECT_EQ(Stored("KCal", 54, 1), FloatToStr(StrToFloat(FormatFloat("0.0", FoodKcal(54, 150)))));
    // The main window's today panel follows the save.
    const double breakfast = Scalar("select sum(KCal) from CKRcd where UID = :U").toDouble();
    EXPECT_EQ(MainFrm->lblZC1->Caption(), FormatFloat("0", breakfast) + "Kcal");
    EXPECT_FALSE(MainFrm->lblT1->Visible());
    EXPECT_EQ(Centre->SGSC->Cells(1, 1), FormatFloat("0", breakfast) + "KCal");

    // Back to the meals and in again: the stored rows come back marked as saved.
    Centre->btn1->Click();
    EXPECT_TRUE(Centre->pnlAddSP->Showing());
    Centre->btnBreakfast->Click();
    EXPECT_EQ(Grid()->Cells(1, 1), "米饭（蒸，代表值）");
    EXPECT_EQ(Grid()->Cells(2, 1), "150");
    EXPECT_EQ(Grid()->Cells(1, 2), "O'Neil 的早餐");
    EXPECT_EQ(Grid()->Cells(10, 1), "1");
    EXPECT_EQ(Grid()->RowCount(), 4);
    Boxes.Boxes.clear();
    Centre->Btn_SaveSW->Click();  // nothing changed: nothing said
    EXPECT_TRUE(Boxes.Boxes.empty());

    // OK merges the typed grams with the stored ones.
    TypeIntoCell(Grid(), 2, 1, "50");
    Boxes.Answers = {IDOK};
    Centre->Btn_SaveSW->Click();
    ASSERT_EQ(Boxes.Boxes.size(), 2u);
    EXPECT_EQ(
        Boxes.Boxes[0].Text,
        "【早餐】-->米饭（蒸，代表值） 的重量：150.0克 已录入，是否合拼？点击“确定”合拼，点击“取消”替换");
    EXPECT_EQ(Stored("FNet", 54, 1), "200");
    EXPECT_EQ(Scalar("select count(*) from CKRcd where UID = :U"), "2");

    // Cancel replaces them.
    TypeIntoCell(Grid(), 2, 1, "80");
    Boxes.Answers = {IDCANCEL};
    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Stored("FNet", 54, 1), "80");
    EXPECT_EQ(Stored("KCal", 54, 1), FloatToStr(StrToFloat(FormatFloat("0.0", FoodKcal(54, 80)))));
}

// Three stored breakfast rows of 10.4 g and 100.4 kcal: each shows 10 g and 100 kcal, yet the day
// holds 31.2 g and 301.2 kcal, which every total of the meal and the today panel shows as 31 and 301.
TEST_F(FoodPage, EveryTotalIsTheStoredSumRoundedOnceAndASaveShowsWhatIsStored) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '早餐', 1, 10.4, 100.4, 0.4, 0.4, 0.4, :D, 1), (:U, '早餐', 2, 10.4, 100.4, 0.4, 0.4, 0.4, "
            ":D, 1), "
            "(:U, '早餐', 3, 10.4, 100.4, 0.4, 0.4, 0.4, :D, 1)",
            {{"U", Uid}, {"D", TodayISO()}});
    MainFrm->RefreshTodayIntake();
    EXPECT_EQ(MainFrm->lblZC1->Caption(), "301Kcal");
    OpenTodaysMeal(Centre->btnBreakfast);
    EXPECT_EQ(Grid()->Cells(2, 1), "10");
    EXPECT_EQ(Grid()->Cells(3, 1), "100");
    EXPECT_EQ(Grid()->Cells(4, 1), "0.0");
    QStringList totals;
    for (int c = 2; c <= 6; ++c)
        totals << Centre->SG21->Cells(c, 0);
    EXPECT_EQ(totals, QStringList({"31", "301", "1", "1", "1"}));
    // The day's detail lists the rows as they are shown, and its total adds them up as shown.
    YSMXFrm = new TYSMXFrm(Centre);
    YSMXFrm->LoadDay(TodayISO());
    EXPECT_EQ(YSMXFrm->lblYSSum->Caption(), "300KCal");
    YSMXFrm->Close();

    // 50 g more of the first food, merged: the row shows the stored 60.4 g, and the meal's total is
    // the panel's.
    TypeIntoCell(Grid(), 2, 1, "50");
    Boxes.Answers = {IDOK};
    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Stored("FNet", 1, 1), "60.4");
    EXPECT_DOUBLE_EQ(Stored("CHO", 1, 1).toDouble(), 0.4 + 37.6);  // 小麦 has 75.2 g in 100 g
    EXPECT_EQ(Grid()->Cells(2, 1), "60");
    EXPECT_EQ(Grid()->Cells(3, 1), FormatFloat("0", std::round(Stored("KCal", 1, 1).toDouble())));
    EXPECT_EQ(Grid()->Cells(10, 1), "1");
    EXPECT_EQ(Centre->SG21->Cells(2, 0), "81");
    const double day = Scalar("select sum(KCal) from CKRcd where UID = :U").toDouble();
    EXPECT_EQ(Centre->SG21->Cells(3, 0), FormatFloat("0", day));
    EXPECT_EQ(MainFrm->lblZC1->Caption(), FormatFloat("0", day) + "Kcal");
}

TEST_F(FoodPage, PickingAnItemTwiceIsRefusedButAFoodAndARecipeOfOneIdAreTwoItems) {
    OpenTodaysMeal(Centre->btnLunch);
    PickInSearch("XM", "1");  // Latin letters search the pinyin initials
    PickInSearch("XM", "1");
    EXPECT_EQ(Boxes.LastText(), "已选择,不能重复。");
    EXPECT_EQ(TCFoodSrcFrm->edtQry->Text(), "XM");  // a refused pick keeps the search
    PickInSearch("的早餐", "9001", true);
    EXPECT_EQ(Grid()->Cells(1, 2), "O'Neil 的早餐");
    EXPECT_EQ(Grid()->RowCount(), 4);

    OpenOftenUsed(Centre->lbl11);
    OftenFoodFrm->TVFD->SetSelected(FindNode(OftenFoodFrm->TVFD, "小麦"));
    Boxes.Boxes.clear();
    OftenFoodFrm->TVFDDblClick(OftenFoodFrm->TVFD);
    EXPECT_EQ(Boxes.LastText(), "已选择,不能重复。");
    // A group node adds nothing.
    OftenFoodFrm->TVFD->SetSelected(FindNode(OftenFoodFrm->TVFD, "谷类及制品"));
    OftenFoodFrm->TVFDDblClick(OftenFoodFrm->TVFD);
    EXPECT_EQ(Grid()->RowCount(), 4);
}

TEST_F(FoodPage, FrequentlyUsedFoodsAreFoundByTheirGroupAndEveryRecipeIsListed) {
    Db.Exec("insert into FDUse (UID, FID, FType) values (:U, 54, 1)", {{"U", Uid}});
    OpenOftenUsed(Centre->lbl11);
    TSkTreeView* tree = OftenFoodFrm->TVFD;
    EXPECT_EQ(OftenFoodFrm->lblTit->Caption(), "常用食物");
    TTreeNode* first = tree->Items()->GetFirstNode();
    EXPECT_EQ(first->Text(), "【常食的食谱列表】");
    EXPECT_EQ(first->StateIndex(), 2);
    EXPECT_EQ(first->getFirstChild()->StateIndex(), 9001);  // the user's own recipe (flag 1) is listed
    TTreeNode* cereals = first->getNextSibling();
    EXPECT_EQ(cereals->Text(), "谷类及制品");
    EXPECT_EQ(cereals->StateIndex(), 1);
    ASSERT_EQ(cereals->Count(), 2);
    EXPECT_EQ(cereals->Item(0)->Text(), "小麦");
    EXPECT_EQ(cereals->Item(1)->StateIndex(), 54);
    int roots = 0;
    for (TTreeNode* n = first; n; n = n->getNextSibling())
        ++roots;
    EXPECT_EQ(roots, 22);  // the recipes and all 21 groups, empty ones too

    // Without frequently used recipes the recipe root is left out.
    Db.Exec("delete from FDUse where FType = 2");
    OpenOftenUsed(Centre->lbl11);
    EXPECT_EQ(tree->Items()->GetFirstNode()->Text(), "谷类及制品");
}

TEST_F(FoodPage, ASetMealAddsOnlyItsItemsNotYetInTheGrid) {
    Db.Exec("insert into SPTC (ID, SPCls, SPName, PY, WK) values (9007, '早餐', '清淡早餐', 'QDZC', '')");
    Db.Exec("insert into SPTCTxt (SPID, FdID, FdNet, CFlg) "
            "values (9007, 54, 120, 1), (9007, 9001, 300, 2), (9007, 3, 40, 1)");
    OpenTodaysMeal(Centre->btnBreakfast);
    PickInSearch("米饭", "54");
    OpenOftenUsed(Centre->lbl12);
    EXPECT_EQ(OftenFoodFrm->lblTit->Caption(), "饮食套餐");
    TTreeNode* setMeal = FindNode(OftenFoodFrm->TVFD, "清淡早餐");
    ASSERT_NE(setMeal, nullptr);
    OftenFoodFrm->TVFD->SetSelected(setMeal);
    Boxes.Boxes.clear();
    OftenFoodFrm->TVFDDblClick(OftenFoodFrm->TVFD);
    EXPECT_TRUE(Boxes.Boxes.empty());    // the rice already there is skipped without a word
    EXPECT_EQ(Grid()->Cells(2, 1), "");  // and keeps its own (empty) grams
    EXPECT_EQ(Grid()->Cells(1, 2), "小麦粉（代表值）");
    EXPECT_EQ(Grid()->Cells(2, 2), "40");
    EXPECT_EQ(Grid()->Cells(3, 2), FormatFloat("0.00", FoodKcal(3, 40)));
    EXPECT_EQ(Grid()->Cells(1, 3), "O'Neil 的早餐");
    EXPECT_EQ(Grid()->Cells(2, 3), "300");
    EXPECT_EQ(Grid()->RowCount(), 5);
    EXPECT_EQ(Centre->SG21->Cells(2, 0), "340");

    // A meal-class node under a weekday tells no kind: it adds nothing.
    TTreeNode* monday = FindNode(OftenFoodFrm->TVFD, "星期一");
    OftenFoodFrm->TVFD->SetSelected(monday->getFirstChild());
    OftenFoodFrm->TVFDDblClick(OftenFoodFrm->TVFD);
    EXPECT_EQ(Grid()->RowCount(), 5);
}

// A stored row whose figures no longer match the food table (999 kcal for 100 g of wheat): new grams
// make the row and the meal's totals the food table's figures for them, v x grams / 100 of each
// value, and nothing of the stored figures stays.
TEST_F(FoodPage, NewGramsForASavedRowRecomputeItAndTheTotalsFromTheFoodTable) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '早餐', 1, 100, 999, 99, 99, 99, :D, 1), (:U, '早餐', 3, 50, 170, 5, 1, 36, :D, 1)",
            {{"U", Uid}, {"D", TodayISO()}});
    OpenTodaysMealByMouse(Centre->btnBreakfast);
    ASSERT_EQ(Grid()->Cells(3, 1), "999");
    TypeIntoCell(Grid(), 2, 1, "200");
    const auto per200 = [](int index) { return std::max(FoodTable[0].Values[index], 0.0) * 200 / 100; };
    const int kcal = 2, protein = 4, fat = 5, cho = 6;  // indexes of the food's values
    EXPECT_EQ(Grid()->Cells(3, 1), FormatFloat("0.00", per200(kcal)));
    EXPECT_EQ(Grid()->Cells(4, 1), FormatFloat("0.00", per200(protein)));
    EXPECT_EQ(Grid()->Cells(5, 1), FormatFloat("0.00", per200(fat)));
    EXPECT_EQ(Grid()->Cells(6, 1), FormatFloat("0.00", per200(cho)));
    EXPECT_EQ(Grid()->Cells(10, 1), "");  // to be saved
    QStringList totals;
    for (int c = 2; c <= 6; ++c)
        totals << Centre->SG21->Cells(c, 0);
    EXPECT_EQ(totals,
              QStringList({"250", FormatFloat("0", per200(kcal) + 170), FormatFloat("0", per200(protein) + 5),
                           FormatFloat("0", per200(fat) + 1), FormatFloat("0", per200(cho) + 36)}));

    // Replaced, the stored row holds the new figures.
    Boxes.Answers = {IDCANCEL};
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Stored("FNet", 1, 1), "200");
    EXPECT_EQ(Stored("KCal", 1, 1), FloatToStr(StrToFloat(FormatFloat("0.0", per200(kcal)))));
    EXPECT_EQ(Stored("Pro", 1, 1), FloatToStr(StrToFloat(FormatFloat("0.0", per200(protein)))));
}

TEST_F(FoodPage, GramsTakeOnlyDigitsAndAPointAndOnlyInTheirColumn) {
    OpenTodaysMeal(Centre->btnBreakfast);
    PickInSearch("米饭", "54");
    TypeIntoCell(Grid(), 2, 1, "1a2.5x");
    EXPECT_EQ(Grid()->Cells(2, 1), "12.5");
    EXPECT_EQ(Grid()->Cells(10, 1), "");
    TypeIntoCell(Grid(), 4, 1, "99");
    EXPECT_NE(Grid()->Cells(4, 1), "99");
    EXPECT_FALSE(Grid()->HasOption(goEditing));

    // Grams that are no number give no nutrients and are refused at the save.
    TypeIntoCell(Grid(), 2, 1, "1.2.3");
    EXPECT_EQ(Grid()->Cells(3, 1), "0.00");
    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Boxes.LastText(), "【米饭（蒸，代表值）】重量不正确");
    EXPECT_EQ(Scalar("select count(*) from CKRcd"), "0");
}

TEST_F(FoodPage, ClipboardKeysWorkInTheGramsEditorAndNowhereElse) {
    OpenTodaysMeal(Centre->btnBreakfast);
    PickInSearch("米饭", "54");
    ClickCell(Grid(), 2, 1);
    CheckClipboardKeysInCell(Grid(), "2");
    EXPECT_EQ(Grid()->Cells(3, 1), FormatFloat("0.00", FoodKcal(54, 2222)));
}

TEST_F(FoodPage, PastedGramsMustLieFrom0Point1UpTo100000) {
    OpenTodaysMeal(Centre->btnBreakfast);
    PickInSearch("米饭", "54");
    // What a paste leaves in the cell, past the key filter.
    auto paste = [&](const QString& grams) {
        Grid()->SetCells(2, 1, grams);
        Centre->SG2SetEditText(Grid(), 2, 1, grams);
    };
    for (const QString& grams : {QString("0"), QString("-5"), QString("100000.1"), QString("1e308"),
                                 QString("1e999"), QString("inf"), QString("5,0")}) {
        paste(grams);
        Centre->Btn_SaveSW->Click();
        EXPECT_EQ(Boxes.LastText(), "【米饭（蒸，代表值）】重量不正确") << grams.toStdString();
    }
    // The records keep one decimal: a positive amount below 0.1 would be stored as 0.
    for (const QString& grams : {QString("4.9e-324"), QString("0.09")}) {
        PasteIntoCell(Grid(), 2, 1, grams);
        EXPECT_EQ(Grid()->Cells(2, 1), grams);
        ClickOn(Centre->Btn_SaveSW);
        EXPECT_EQ(Boxes.LastText(), "【米饭（蒸，代表值）】重量不正确") << grams.toStdString();
    }
    EXPECT_EQ(Scalar("select count(*) from CKRcd"), "0");
    PasteIntoCell(Grid(), 2, 1, "0.1");
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Stored("FNet", 54, 1), "0.1");
    paste("100000");
    Boxes.Answers = {IDCANCEL};  // replaces the stored 0.1 g
    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Stored("FNet", 54, 1), "100000");
}

TEST_F(FoodPage, RowsWithoutGramsOrAnEmptyGridAreRefused) {
    OpenTodaysMeal(Centre->btnSupper);
    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Boxes.LastText(), "没有录入记录，不能保存。");
    PickInSearch("米饭", "54");
    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Boxes.LastText(), "【米饭（蒸，代表值）】重量没有填写");
    EXPECT_EQ(Scalar("select count(*) from CKRcd"), "0");
}

TEST_F(FoodPage, NewRowsGoBelowTheLoadedOnesAndDeletingARowKeepsItsRecord) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '午餐', 1, 100, 338, 11.9, 1.3, 75.2, :D, 1), (:U, '午餐', 3, 50, 170, 5, 1, 36, :D, 1)",
            {{"U", Uid}, {"D", TodayISO()}});
    OpenTodaysMeal(Centre->btnLunch);
    EXPECT_EQ(Grid()->RowCount(), 4);
    EXPECT_EQ(Centre->SG21->Cells(2, 0), "150");
    PickInSearch("米饭", "54");
    EXPECT_EQ(Grid()->Cells(1, 1), "小麦");  // the loaded rows stay as they were
    EXPECT_EQ(Grid()->Cells(1, 2), "小麦粉（代表值）");
    EXPECT_EQ(Grid()->Cells(1, 3), "米饭（蒸，代表值）");
    EXPECT_EQ(Grid()->Cells(0, 3), "3");
    EXPECT_EQ(Grid()->RowCount(), 5);

    // "删除" on the first row: the grid loses it, the database keeps it until the meal is saved.
    ClickCell(Grid(), 1, 1, Qt::RightButton);
    Centre->PPMDelSP->SetPopupComponent(Grid());
    Centre->N1->Click();
    EXPECT_EQ(Grid()->Cells(1, 1), "小麦粉（代表值）");
    EXPECT_EQ(Grid()->Cells(0, 2), "2");
    EXPECT_EQ(Centre->SG21->Cells(2, 0), "50");
    EXPECT_EQ(Scalar("select count(*) from CKRcd where FID = 1"), "1");
    Centre->btnLunch->Click();
    EXPECT_EQ(Grid()->Cells(1, 1), "小麦");

    // "清空" empties the grid.
    Centre->btnClearSP->Click();
    EXPECT_EQ(Grid()->RowCount(), 2);
    EXPECT_EQ(Grid()->Cells(1, 1), "");
}

TEST_F(FoodPage, ASavedFoodDeletedAndSavedStaysDeletedAndEveryTotalFollows) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '早餐', 1, 100, 338, 11.9, 1.3, 75.2, :D, 1), (:U, '早餐', 3, 50, 170, 5, 1, 36, :D, 1), "
            "(:U, '午餐', 1, 100, 338, 11.9, 1.3, 75.2, :D, 1)",
            {{"U", Uid}, {"D", TodayISO()}});
    MainFrm->RefreshTodayIntake();
    OpenTodaysMealByMouse(Centre->btnBreakfast);
    ASSERT_EQ(Grid()->Cells(1, 1), "小麦");
    DeleteRowByMenu(1);
    EXPECT_EQ(Grid()->Cells(1, 1), "小麦粉（代表值）");
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(
        Scalar("select group_concat(FID || CKCLS) from (select * from CKRcd where UID = :U order by FID)"),
        "1午餐,3早餐");
    EXPECT_EQ(Centre->SG21->Cells(3, 0), "170");
    EXPECT_EQ(Centre->SGSC->Cells(1, 1), "170KCal");
    EXPECT_EQ(MainFrm->lblZC1->Caption(), "170Kcal");
    EXPECT_EQ(MainFrm->lblSumKcal->Caption(), "508Kcal");
    // Reopened, the meal holds what is left.
    ClickOn(Centre->btn1);
    ClickOn(Centre->btnBreakfast);
    EXPECT_EQ(Grid()->Cells(1, 1), "小麦粉（代表值）");
    EXPECT_EQ(Grid()->RowCount(), 3);

    // The last food of a meal can go too: the meal is saved empty.
    DeleteRowByMenu(1);
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Scalar("select count(*) from CKRcd where UID = :U and CKCLS = '早餐'"), "0");
    EXPECT_EQ(Centre->SG21->Cells(3, 0), "0");
    EXPECT_EQ(MainFrm->lblZC1->Caption(), "0Kcal");
    EXPECT_TRUE(MainFrm->lblT1->Visible());
    ClickOn(Centre->btn1);
    ClickOn(Centre->btn1);
    ASSERT_TRUE(Centre->pnlYSCla->Showing());
    ASSERT_NE(TodaysCalendarDay(), nullptr);
    EXPECT_EQ(TodaysCalendarDay()->value, "338");  // the lunch alone
}

TEST_F(FoodPage, AFoodDeletedAndPickedAgainIsStoredAnewAndAFailedSaveDeletesNothing) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) values "
            "(:U, '早餐', 54, 100, 116, 2.6, 0.3, 25.9, :D, 1), (:U, '早餐', 3, 50, 170, 5, 1, 36, :D, 1)",
            {{"U", Uid}, {"D", TodayISO()}});
    OpenTodaysMealByMouse(Centre->btnBreakfast);
    ASSERT_EQ(Grid()->Cells(8, 1), "54");
    DeleteRowByMenu(1);
    PickInSearch("米饭", "54");
    TypeIntoCell(Grid(), 2, 2, "150");
    Boxes.Boxes.clear();
    ClickOn(Centre->Btn_SaveSW);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);  // no merge question: the old record went first
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Stored("FNet", 54, 1), "150");
    EXPECT_EQ(Scalar("select count(*) from CKRcd where UID = :U"), "2");

    // The deletion and the rest of the save are one: when a row cannot be stored, nothing is deleted.
    DeleteRowByMenu(1);
    PickInSearch("XM", "1");
    TypeIntoCell(Grid(), 2, 2, "100");
    Db.Exec("create trigger NoWheat before insert on CKRcd when new.FID = 1 begin select raise(abort, 'no "
            "wheat'); end");
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存失败，请重新保存。");
    EXPECT_EQ(Scalar("select count(*) from CKRcd where UID = :U"), "2");
    // Once the row can be stored, the same save deletes and stores.
    Db.Exec("drop trigger NoWheat");
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Scalar("select group_concat(FID) from (select FID from CKRcd where UID = :U order by FID)"),
              "1,54");
}

// A deletion reaches only the record of its own meal and kind: food 1 and recipe 1 share an id, and a
// deletion left unsaved in one meal is forgotten when another meal is opened and saved.
TEST_F(FoodPage, ADeletionReachesOnlyTheRecordOfItsOwnMealAndKind) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values "
            "(:U, '早餐', 1, 100, 338, :D, 1), (:U, '早餐', 1, 200, 230, :D, 2), "
            "(:U, '午餐', 3, 50, 170, :D, 1)",
            {{"U", Uid}, {"D", TodayISO()}});
    OpenTodaysMealByMouse(Centre->btnBreakfast);
    ASSERT_EQ(Grid()->Cells(1, 2), "二米饭");
    DeleteRowByMenu(2);
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Scalar("select group_concat(Flg || CKCLS) from CKRcd where UID = :U and FID = 1"), "1早餐");

    ClickOn(Centre->btn1);
    ClickOn(Centre->btnLunch);
    DeleteRowByMenu(1);
    ClickOn(Centre->btn1);
    ClickOn(Centre->btnSupper);
    PickInSearch("米饭", "54");
    TypeIntoCell(Grid(), 2, 1, "100");
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Stored("FNet", 3, 1, "午餐"), "50");
}

// Earlier versions stored rows of 0.0 g: such a row, loaded as stored, does not stop the meal's save.
TEST_F(FoodPage, AStoredRowOfNoGramsLetsTheMealBeSavedAgain) {
    Db.Exec(
        "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '早餐', 3, 0, 0, :D, 1)",
        {{"U", Uid}, {"D", TodayISO()}});
    OpenTodaysMealByMouse(Centre->btnBreakfast);
    ASSERT_EQ(Grid()->Cells(2, 1), "0");
    PickInSearch("米饭", "54");
    TypeIntoCell(Grid(), 2, 2, "100");
    ClickOn(Centre->Btn_SaveSW);
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Stored("FNet", 54, 1), "100");
    EXPECT_EQ(Stored("FNet", 3, 1), "0");
}

TEST_F(FoodPage, AFailedSaveRollsBackEveryRow) {
    OpenTodaysMeal(Centre->btnBreakfast);
    PickInSearch("米饭", "54");
    PickInSearch("XM", "1");
    TypeIntoCell(Grid(), 2, 1, "100");
    TypeIntoCell(Grid(), 2, 2, "100");
    Db.Exec("create trigger NoWheat before insert on CKRcd when new.FID = 1 begin select raise(abort, 'no "
            "wheat'); end");
    Centre->Btn_SaveSW->Click();
    EXPECT_EQ(Boxes.LastText(), "保存失败，请重新保存。");
    EXPECT_EQ(Scalar("select count(*) from CKRcd"), "0");
    EXPECT_EQ(Grid()->Cells(10, 1), "");  // still to be saved
    EXPECT_EQ(MainFrm->lblZC1->Caption(), "0Kcal");
}

TEST_F(FoodPage, TheMealSummaryShowsOnlyTheOpenedDay) {
    const QString firstOfMonth = DateToISO(Date() - Today() + 1);
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) "
            "values (:U, '午加餐', 1, 100, 338, :D, 1), (:U, '早餐', 1, 50, 169, :D, 1)",
            {{"U", Uid}, {"D", firstOfMonth}});
    DM->DayKcal = "2000";
    Centre->btnFdLst->Click();
    int col = 0, row = 0;
    ASSERT_TRUE(FindDay(Centre->SGYS, 1, col, row));
    auto* cell = dynamic_cast<TCLA*>(Centre->SGYS->Objects(col, row));
    EXPECT_EQ(cell->flag, 1);
    EXPECT_EQ(cell->value, "507");
    OpenDay(Centre->SGYS, 1);
    EXPECT_EQ(Centre->edtDT2->Text(), firstOfMonth);
    EXPECT_EQ(Centre->SGSC->Cells(1, 4), "338KCal");
    EXPECT_EQ(Centre->SGSC->Cells(1, 1), "169KCal");
    EXPECT_EQ(Centre->SGSC->Cells(2, 1), "600KCal");
    EXPECT_EQ(Centre->SGSC->Cells(2, 3), "800KCal");
    EXPECT_EQ(Centre->SGSC->Cells(2, 2), "");
    // A meal left open for the calendar: the day opens again on its meal buttons, one 返回 away from it.
    Centre->btnLunch->Click();
    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, 1);
    Centre->btn1->Click();
    EXPECT_TRUE(Centre->pnlYSCla->Showing());
    if (Today() != 1) {
        OpenDay(Centre->SGYS, Today());
        EXPECT_EQ(Centre->SGSC->Cells(1, 4), "");
        EXPECT_EQ(Centre->SGSC->Cells(1, 1), "");
    }
    // A day whose records cannot be read keeps no figure of the day before.
    Centre->btn1->Click();
    Db.Exec("drop table CKRcd");
    OpenDay(Centre->SGYS, 1);
    EXPECT_EQ(Centre->SGSC->Cells(1, 4), "");
    EXPECT_EQ(Centre->SGSC->Cells(2, 1), "");
}

TEST_F(FoodPage, SearchTextIsTakenLiterally) {
    OpenTodaysMeal(Centre->btnBreakfast);
    Centre->lbl13->Click();
    for (const QString& text : {QString("' or 1=1 --"), QString("%"), QString("_")}) {
        TCFoodSrcFrm->edtQry->SetText(text);
        EXPECT_TRUE(TCFoodSrcFrm->AdoQry->Active()) << text.toStdString();
        EXPECT_EQ(TCFoodSrcFrm->AdoQry->RecordCount(), 0) << text.toStdString();
    }
    EXPECT_TRUE(Boxes.Boxes.empty());
    // The database's pattern would end at a NUL: "米<NUL>饭" would find every name ending in 米.
    for (const QString& text : {QString("米") + QChar(0) + "饭", QString("米饭\n1")}) {
        TCFoodSrcFrm->edtQry->SetText(text);
        EXPECT_EQ(Boxes.LastText(), "查询内容不能包含换行符等控制字符");
    }
    Boxes.Boxes.clear();
    TCFoodSrcFrm->rbSP->SetChecked(true);
    TCFoodSrcFrm->edtQry->SetText("O'Neil");
    ASSERT_EQ(TCFoodSrcFrm->AdoQry->RecordCount(), 1);
    EXPECT_EQ(TCFoodSrcFrm->AdoQry->FieldByName("FD")->AsString(), "O'Neil 的早餐");
    EXPECT_TRUE(Boxes.Boxes.empty());
    // The window frees itself when closed and comes back anew.
    TCFoodSrcFrm->SpeedButton1->Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TCFoodSrcFrm, nullptr);
}

TEST_F(FoodPage, ASearchLongerThanAnyNameIsRefusedWithItsOwnMessage) {
    OpenTodaysMealByMouse(Centre->btnBreakfast);
    ClickOn(Centre->lbl13);
    ASSERT_NE(TCFoodSrcFrm, nullptr);
    auto pasteSearch = [](const QString& text) {
        QApplication::clipboard()->setText(text);
        ClickOn(TCFoodSrcFrm->edtQry);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    };
    // 50 characters are still a search, of nothing here.
    pasteSearch(QString(50, QChar(0x7C73)));
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_TRUE(TCFoodSrcFrm->AdoQry->Active());
    EXPECT_EQ(TCFoodSrcFrm->AdoQry->RecordCount(), 0);
    for (const QString& text : {QString(51, QChar(0x7C73)), QString(20000, QChar(0x7C73)), QString(30000, 'a')}) {
        Boxes.Boxes.clear();
        pasteSearch(text);
        ASSERT_EQ(Boxes.Boxes.size(), 1u) << text.size();
        EXPECT_EQ(Boxes.LastText(), "查询内容不能超过50个字") << text.size();
    }
    // A search that fits finds again.
    pasteSearch("米饭");
    EXPECT_GT(TCFoodSrcFrm->AdoQry->RecordCount(), 0);
}

TEST_F(FoodPage, AMealIsReadFromTheDayThePanelShowsWhateverTheCalendarMovedTo) {
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '早餐', 1, 100, 338, "
            ":D, 1)",
            {{"U", Uid}, {"D", TodayISO()}});
    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, Today());
    // Away to the activity page without the navigation (which would reset the food page), a click on
    // another day there, and back.
    Centre->PC3->SetActivePageIndex(2);
    ASSERT_EQ(Centre->PC3->ActivePageIndex(), 2);
    int col = 0, row = 0;
    ASSERT_TRUE(FindDay(Centre->SGHD, Today() == 1 ? 2 : 1, col, row));
    ClickCell(Centre->SGHD, col, row);
    Centre->PC3->SetActivePageIndex(3);
    ASSERT_EQ(Centre->PC3->ActivePageIndex(), 3);

    Centre->btnBreakfast->Click();
    EXPECT_EQ(Centre->edtDT2->Text(), TodayISO());
    EXPECT_EQ(Grid()->Cells(1, 1), "小麦");
    EXPECT_EQ(Centre->SG21->Cells(2, 0), "100");
}
