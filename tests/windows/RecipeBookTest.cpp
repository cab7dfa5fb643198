// The recipe book driven as a user would: browsing, searching, the editor, deleting, often-used
// recipes, nutrient totals, printing and exporting.
#include "FileSizeLimit.h"
#include "GridInput.h"
#include "FoodTable.h"
#include "MealEditing.h"
#include "ProgramImages.h"
#include "RecordingFileDialog.h"
#include "RecordingPrinter.h"
#include "RecordingServices.h"
#include "TestDatabase.h"
#include "UnitShiPu.h"
#include "UnitYYSHJ.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class RecipeBook : public testing::Test {
protected:
    void SetUp() override {
        LoadFoodTables();
        DM->UID = Db.Scalar("select UID from UInfo limit 1");
        SetModalHook([this](TForm* form) {
            if (OnModal) OnModal(form);
            form->Close();
        });
        Book = new TFrm_ShiPu(Application);
        Frm_ShiPu = Book;
        Book->ShowForm();
        Book->Timer1Timer(Book->Timer1);
    }
    void TearDown() override {
        SetModalHook(nullptr);
        delete Book;
        // Released windows go now, not at exit after the framework's own tables.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void SelectRecipe(const QString& name) {
        ASSERT_TRUE(SelectNodeByText(Book->TV_FD1, name, 1)) << name.toStdString();
    }
    void AddFood(const QString& name) {
        ASSERT_TRUE(SelectNodeByText(Book->TV_FD, name, 2)) << name.toStdString();
        Book->Btn_Add->Click();
    }
    // The texts of one column from row 1 on.
    static QStringList Column(TStringGrid* grid, int col) {
        QStringList texts;
        for (int row = 1; row < grid->RowCount(); ++row)
            texts << grid->Cells(col, row);
        return texts;
    }
    // Types into a cell of the weight grid as a user does: click it, then the keys.
    void TypeWeight(int row, const QString& keys) {
        ClickCell(Book->SG_FD2, 2, row);
        for (QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    int RecipeId(const QString& name) {
        return Db.Scalar("select ID from SPInfo where SPName = :N", {{"N", name}}).toInt();
    }
    // A recipe stored directly, with foods "id:grams".
    int StoreRecipe(const QString& name, const QList<QPair<int, double>>& foods) {
        Db.Exec(
            "insert into SPInfo (SPCls, SPP, SPName, PY, SPZF, CFlg) values ('点心', '蒸', :N, '', '', 1)",
            {{"N", name}});
        const int id = RecipeId(name);
        for (const auto& [food, grams] : foods)
            Db.Exec("insert into SPTxt (SPID, FdID, FdNet) values (:S, :F, :G)",
                    {{"S", id}, {"F", food}, {"G", grams}});
        return id;
    }
    void Reload() { Book->Timer1Timer(Book->Timer1); }
    // A shown result panel lies over the tree it stands for; its list ends above the back button, which
    // stands in the middle under it inside the panel; the panel has no raised edge of its own.
    static void ExpectResultsAboveTheirBackButton(TPanel* panel, TControl* tree, TControl* list,
                                                  TControl* back) {
        ASSERT_TRUE(panel->Showing());
        EXPECT_EQ(panel->BoundsRect(), tree->BoundsRect());
        EXPECT_LE(list->Top() + list->Height(), back->Top());
        EXPECT_LE(back->Top() + back->Height(), panel->Height());
        EXPECT_EQ(back->Left(), panel->Width() - back->Left() - back->Width());
        const QImage shot = panel->Widget()->grab().toImage();
        EXPECT_EQ(shot.pixelColor(0, shot.height() - 1), shot.pixelColor(3, shot.height() - 3));
    }

    TTestDatabase Db;
    TRecordingMessageService Boxes;
    TFrm_ShiPu* Book = nullptr;
    std::function<void(TForm*)> OnModal;
};

const int RiceId = 54, EggId = 1332;  // 米饭（蒸，代表值）, 鸡蛋（代表值）

}  // namespace

TEST_F(RecipeBook, OpensOnTheFirstRecipeWithItsFoodsTotalAndPreparation) {
    ASSERT_EQ(Book->TV_FD1->Items()->GetFirstNode()->Text(), "米饭");
    EXPECT_EQ(Book->TV_FD1->Items()->GetFirstNode()->getNextSibling()->Text(), "粥类");
    EXPECT_EQ(Book->lblSP->Caption(), "【二米饭】");
    EXPECT_EQ(Column(Book->SG_FDC, 1), QStringList({"粳米（标一）", "小米", ""}));
    EXPECT_EQ(Column(Book->SG_FDC, 2), QStringList({"80", "20", "热量合计"}));
    // 80 g at 345 kcal and 20 g at 361 kcal per 100 g.
    EXPECT_EQ(Column(Book->SG_FDC, 3), QStringList({"276.0", "72.2", "348.2"}));
    EXPECT_TRUE(Book->REdt_SP->Text().contains("淘洗"));
    EXPECT_TRUE(Book->btn_ModifySW->Enabled());
    // A class node shows nothing and offers nothing to change.
    Book->TV_FD1->SetSelected(Book->TV_FD1->Items()->GetFirstNode());
    EXPECT_EQ(Book->lblSP->Caption(), "");
    EXPECT_EQ(Book->SG_FDC->RowCount(), 2);
    EXPECT_FALSE(Book->btn_ModifySW->Enabled());
    EXPECT_FALSE(Book->lblSetUseFD->Enabled());
}

TEST_F(RecipeBook, WithAClassChosenTheRecipeActionsLookDisabledAndRecipesShowTheirOwnIcon) {
    // The two actions as drawn with a recipe chosen, then with its class chosen.
    auto looks = [](TControl* c) { return c->Widget()->grab().toImage(); };
    const QImage linkEnabled = looks(Book->lblSetUseFD), buttonEnabled = looks(Book->btn_ModifySW);
    TTreeNode* recipe = Book->TV_FD1->Selected();
    ASSERT_EQ(recipe->Level(), 1);
    // The chosen recipe is written in blue on light yellow, on pages of white.
    const TRect text = recipe->DisplayRect(true);
    const QImage tree = Book->TV_FD1->Tree()->viewport()->grab().toImage();
    EXPECT_EQ(tree.pixelColor(text.Left + 4, text.Top + 1), QColor(0xFF, 0xFF, 0xEE));
    bool blue = false;
    for (int y = text.Top; y < text.Bottom; ++y)
        for (int x = text.Left; x < text.Right; ++x) {
            const QColor c = tree.pixelColor(x, y);
            blue = blue || (c.blue() > 200 && c.red() < 100 && c.green() < 100);
        }
    EXPECT_TRUE(blue);
    EXPECT_EQ(Book->T1->Caption(), "食谱列表");
    for (TSkTabSheet* page : {Book->T2, Book->T3}) {
        EXPECT_EQ(page->Caption(), "制作食谱（共3步）");
        // Each step page is headed in bold, larger than its step line, which stands out in colour below.
        TLabel *heading = nullptr, *step = nullptr;
        for (int i = 0; i < page->ControlCount(); ++i)
            if (auto* label = dynamic_cast<TLabel*>(page->Controls(i))) {
                if (label->Caption() == page->Caption()) heading = label;
                if (label->Caption().startsWith("第1步") || label->Caption().startsWith("第二步"))
                    step = label;
            }
        ASSERT_TRUE(heading && step) << page->Name().toStdString();
        EXPECT_TRUE(heading->Font()->HasStyle(fsBold));
        EXPECT_GT(heading->Font()->Size(), step->Font()->Size());
        EXPECT_NE(step->Font()->Color(), heading->Font()->Color());
        EXPECT_EQ(step->Left(), heading->Left());
        EXPECT_GT(step->Top(), heading->Top() + heading->Height());
    }
    for (TSkTabSheet* page : {Book->T1, Book->T2, Book->T3}) {
        EXPECT_EQ(Book->FindComponent(page->Name()), page);
        Book->PC->SetActivePage(page);
        EXPECT_EQ(page->Widget()->grab().toImage().pixelColor(3, 3), QColor(Qt::white))
            << page->Name().toStdString();
    }
    Book->PC->SetActivePage(Book->T1);
    Book->TV_FD1->SetSelected(recipe->Parent());
    EXPECT_FALSE(Book->lblSetUseFD->Enabled());
    EXPECT_NE(looks(Book->lblSetUseFD), linkEnabled) << "设为常用食谱 looks enabled";
    EXPECT_NE(looks(Book->btn_ModifySW), buttonEnabled) << "修改食谱 looks enabled";

    TComponent owner;
    TImageList* icons = CreateTreeImages(&owner);  // 0 a group, 2 an item, 3 an item chosen
    EXPECT_EQ(Book->TV_FD1->Images()->Image(recipe->ImageIndex()), icons->Image(2));
    EXPECT_EQ(Book->TV_FD1->Images()->Image(recipe->SelectedIndex()), icons->Image(3));
    EXPECT_EQ(Book->TV_FD1->Images()->Image(recipe->Parent()->ImageIndex()), icons->Image(0));
}

// The recipe's foods in stripes, even rows on $FCEEE3 and odd ones on white, each text black in 宋体 11
// one pixel in and three down, as a canvas writes it there; the current cell, the grid unfocused, too.
TEST_F(RecipeBook, TheFoodsAreStripedWithTheirTextsOnePixelInAndThreeDown) {
    TStringGrid* grid = Book->SG_FDC;
    Book->TV_FD1->SetFocus();
    ASSERT_LE(grid->Row(), 2);
    const QImage shot = grid->Widget()->grab().toImage();
    // The box around the dark pixels in a w x h area, its colours given by `at`.
    auto inkBox = [](int w, int h, const std::function<QColor(int, int)>& at) {
        QRect box;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (qGray(at(x, y).rgb()) < 128) box |= QRect(x, y, 1, 1);
        return box;
    };
    for (int row = 1; row <= 2; ++row)
        for (int col = 0; col < 4; ++col) {
            const TRect r = grid->CellRect(col, row);
            EXPECT_EQ(shot.pixelColor(r.Right - 2, r.Bottom - 2),
                      row % 2 == 0 ? QColor(0xE3, 0xEE, 0xFC) : QColor(Qt::white));
            TBitmap written(r.Width(), r.Height());
            TCanvas* canvas = written.Canvas();
            canvas->Brush()->SetColor(clWhite);
            canvas->FillRect(Rect(0, 0, r.Width(), r.Height()));
            canvas->Font()->SetName("宋体");
            canvas->Font()->SetSize(11);
            canvas->Font()->SetColor(clBlack);
            canvas->TextOut(1, 3, grid->Cells(col, row));
            const QRect expected = inkBox(r.Width(), r.Height(), [&](int x, int y) {
                const TColor c = canvas->Pixels(x, y);
                return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
            });
            ASSERT_FALSE(expected.isEmpty()) << col << "," << row;
            EXPECT_EQ(inkBox(r.Width(), r.Height(),
                             [&](int x, int y) { return shot.pixelColor(r.Left + x, r.Top + y); }),
                      expected)
                << col << "," << row;
        }
}

TEST_F(RecipeBook, SearchesByNameAndByInitials) {
    auto results = [&] {
        QStringList names;
        for (int i = 0; i < Book->TVSPS->Items()->Count(); ++i)
            names << Book->TVSPS->Items()->Item(i)->Text();
        return names;
    };
    Book->edtSP->SetText("米饭");
    EXPECT_TRUE(Book->pnlSrcRlt->Visible());
    ExpectResultsAboveTheirBackButton(Book->pnlSrcRlt, Book->TV_FD1, Book->TVSPS, Book->btnBack);
    EXPECT_FALSE(Book->TV_FD1->Enabled());
    EXPECT_EQ(results(), QStringList({"二米饭", "红豆糙米饭"}));
    Book->edtSP->SetText("mf");  // lower case finds the initials too
    EXPECT_EQ(results(), QStringList({"二米饭", "红豆糙米饭"}));
    Book->edtSP->SetText("qzly");
    ASSERT_EQ(results(), QStringList({"清蒸鲈鱼"}));
    Book->TVSPS->SetSelected(Book->TVSPS->Items()->Item(0));
    Book->TVSPSDblClick(Book->TVSPS);
    EXPECT_EQ(Book->lblSP->Caption(), "【清蒸鲈鱼】");
    EXPECT_EQ(Book->TV_FD1->Selected()->Text(), "清蒸鲈鱼");
    EXPECT_EQ(Book->SG_FDC->Cells(2, Book->SG_FDC->RowCount() - 1), "热量合计");
    EXPECT_FALSE(Book->pnlSrcRlt->Visible());
    EXPECT_TRUE(Book->TV_FD1->Enabled());
    // A blank search does nothing.
    Book->edtSP->SetText("   ");
    Book->btnSrc->Click();
    EXPECT_FALSE(Book->pnlSrcRlt->Visible());
}

TEST_F(RecipeBook, RecipeNamesAreFoundWhateverTheCase) {
    StoreRecipe("O'Neil炒饭", {{RiceId, 200}});
    Reload();
    for (const QString& text : {"O'Neil", "o'neil", "O'NEIL炒"}) {
        Book->edtSP->SetText(text);
        ASSERT_EQ(Book->TVSPS->Items()->Count(), 1) << text.toStdString();
        EXPECT_EQ(Book->TVSPS->Items()->Item(0)->Text(), "O'Neil炒饭");
    }
}

TEST_F(RecipeBook, CreatesARecipeInThreeStepsAndASecondSaveUpdatesIt) {
    Book->Btn_SaveSW->Click();
    EXPECT_EQ(Book->PC->ActivePage(), Book->T2);
    Book->btnDown->Click();
    EXPECT_EQ(Boxes.LastText(), "没有选择食物。");
    AddFood("番茄 [西红柿]");
    AddFood("番茄 [西红柿]");
    EXPECT_EQ(Boxes.LastText(), "番茄 [西红柿]已选中");
    AddFood("鸡蛋（代表值）");
    EXPECT_EQ(Column(Book->SG_FD1, 1), QStringList({"番茄 [西红柿]", "鸡蛋（代表值）"}));

    Book->btnDown->Click();
    ASSERT_EQ(Book->PC->ActivePage(), Book->T3);
    // New foods come without weights and without a total row.
    EXPECT_EQ(Column(Book->SG_FD2, 2), QStringList({"", "", ""}));
    TypeWeight(1, "200");
    EXPECT_EQ(Book->SG_FD2->Cells(3, 1), "30.00");  // 15 kcal per 100 g
    EXPECT_EQ(Book->SG_FD2->Cells(2, 3), "热量合计");
    EXPECT_EQ(Book->SG_FD2->Cells(3, 3), "30.0");

    // Nothing is written while anything is missing.
    const QString before = Db.Scalar("select count(*) from SPInfo");
    Book->btnSaveSP->Click();
    EXPECT_EQ(Boxes.LastText(), "食谱名称没有填写");
    Book->ED_SPN->SetText("番茄鸡蛋");
    Book->CB_SPC->SetItemIndex(Book->CB_SPC->Items()->IndexOf("素菜"));
    Book->btnSaveSP->Click();
    EXPECT_EQ(Boxes.LastText(), "鸡蛋（代表值）重量没有录入");
    EXPECT_EQ(Db.Scalar("select count(*) from SPInfo"), before);

    // A second "." and letters are dropped.
    TypeWeight(2, "1.2.3ab");
    EXPECT_EQ(Book->SG_FD2->Cells(2, 2), "1.23");
    TypeWeight(2, "100");
    Book->RE_SP->SetText("番茄切块，鸡蛋炒散后同炒。");
    Book->chkUseFd->SetChecked(true);
    Book->btnSaveSP->Click();
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    const int id = RecipeId("番茄鸡蛋");
    ASSERT_GT(id, 0);
    EXPECT_EQ(Db.Scalar("select SPCls || '|' || PY || '|' || CFlg || '|' || SPZF from SPInfo where ID = :I",
                        {{"I", id}}),
              "素菜|FQJD|1|番茄切块，鸡蛋炒散后同炒。");
    EXPECT_EQ(
        Db.Scalar("select group_concat(FdID || ':' || FdNet, ' ') from SPTxt where SPID = :I", {{"I", id}}),
        "261:200.0 1332:100.0");
    EXPECT_EQ(Db.Scalar("select count(*) from FDUse where FID = :I and FType = 2", {{"I", id}}), "1");

    // Saving again changes the same recipe.
    TypeWeight(1, "250");
    Book->btnSaveSP->Click();
    EXPECT_EQ(Db.Scalar("select count(*) from SPInfo where SPName = '番茄鸡蛋'"), "1");
    EXPECT_EQ(Db.Scalar("select FdNet from SPTxt where SPID = :I and FdID = 261", {{"I", id}}), "250");
    EXPECT_EQ(Db.Scalar("select count(*) from FDUse where FID = :I", {{"I", id}}), "1");

    // Back at the list the new recipe is there.
    Book->btnSPDir->Click();
    EXPECT_EQ(Book->PC->ActivePage(), Book->T1);
    Reload();
    SelectRecipe("番茄鸡蛋");
    EXPECT_EQ(Book->TV_FD1->Selected()->Parent()->Text(), "素菜");
}

namespace {
// The size of the dark pixels (the text) in a cell of a grid as shown; a column dark from top to
// bottom is the editor's text cursor, not text.
QSize InkIn(TStringGrid* grid, int col, int row) {
    const QImage image = grid->Widget()->grab().toImage();
    const TRect cell = grid->CellRect(col, row);
    QRect ink;
    for (int x = cell.Left + 1; x < cell.Right - 1; ++x) {
        QRect column;
        for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y)
            if (qGray(image.pixel(x, y)) < 96) column |= QRect(x, y, 1, 1);
        if (column.height() < cell.Height() - 4) ink |= column;
    }
    return ink.size();
}
}  // namespace

// A weight typed into the editor shows in the font it stands in once entered.
TEST_F(RecipeBook, TheWeightEditorWritesInTheFontOfItsCells) {
    Book->Btn_SaveSW->Click();
    AddFood("鸡蛋（代表值）");
    Book->btnDown->Click();
    ASSERT_EQ(Book->PC->ActivePage(), Book->T3);
    ClickCell(Book->SG_FD2, 2, 1);
    for (char c : {'2', '0', '8'})
        QTest::keyClick(QApplication::focusWidget(), c);
    ASSERT_TRUE(Book->SG_FD2->EditorMode());
    // The editor's selection colours nothing here: the text was typed, not selected.
    const QSize typed = InkIn(Book->SG_FD2, 2, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_FALSE(Book->SG_FD2->EditorMode());
    ASSERT_EQ(Book->SG_FD2->Cells(2, 1), "208");
    const QSize entered = InkIn(Book->SG_FD2, 2, 1);
    EXPECT_EQ(typed.height(), entered.height());
    EXPECT_NEAR(typed.width(), entered.width(), 1);
}

TEST_F(RecipeBook, ClipboardKeysWorkInTheWeightEditorAndNowhereElse) {
    Book->Btn_SaveSW->Click();
    AddFood("番茄 [西红柿]");
    Book->btnDown->Click();
    ClickCell(Book->SG_FD2, 2, 1);
    CheckClipboardKeysInCell(Book->SG_FD2, "3");
    EXPECT_EQ(Book->SG_FD2->Cells(3, 1), "499.95");  // 15 kcal per 100 g
}

TEST_F(RecipeBook, TwoFoodsOfOneNameAreTwoIngredients) {
    Book->Btn_SaveSW->Click();
    // The food table has two foods named 奶油.
    for (int id : {1313, 1320, 1313}) {
        ASSERT_TRUE(SelectFoodNode(Book->TV_FD, id));
        Book->Btn_Add->Click();
    }
    EXPECT_EQ(Boxes.LastText(), "奶油已选中");
    EXPECT_EQ(Column(Book->SG_FD1, 1), QStringList({"奶油", "奶油"}));
    EXPECT_EQ(Column(Book->SG_FD1, 3), QStringList({"1313", "1320"}));
}

TEST_F(RecipeBook, ChangingARecipeKeepsItsFoodsAndFieldsAndUpdatesIt) {
    SelectRecipe("拍黄瓜");
    const int id = RecipeId("拍黄瓜");
    Book->btn_ModifySW->Click();
    ASSERT_EQ(Book->PC->ActivePage(), Book->T2);
    EXPECT_EQ(Column(Book->SG_FD1, 1),
              QStringList({"黄瓜（鲜）[胡瓜]", "大蒜（白皮，鲜）[蒜头]", "芝麻油 [香油]"}));
    EXPECT_EQ(Column(Book->SG_FD1, 4), QStringList({"250", "10", "5"}));
    Book->btnDown->Click();
    EXPECT_EQ(Column(Book->SG_FD2, 2), QStringList({"250", "10", "5", "热量合计"}));
    EXPECT_EQ(Book->ED_SPN->Text(), "拍黄瓜");
    EXPECT_EQ(Book->CB_SPC->Text(), "凉拌菜");
    EXPECT_EQ(Book->CB_P->Text(), "拌");
    EXPECT_TRUE(Book->RE_SP->Text().contains("拍裂"));

    // Removing a food rewrites the total.
    Book->SG_FD2->SetRow(3);
    Book->N17->Click();
    EXPECT_EQ(Column(Book->SG_FD2, 1), QStringList({"黄瓜（鲜）[胡瓜]", "大蒜（白皮，鲜）[蒜头]", ""}));
    EXPECT_EQ(Book->SG_FD2->Cells(3, 3), "52.8");  // 40 + 12.8
    Book->ED_SPN->SetText("蒜泥黄瓜");
    Book->btnSaveSP->Click();
    EXPECT_EQ(Boxes.LastText(), "保存成功");
    EXPECT_EQ(Db.Scalar("select SPName || '|' || PY || '|' || CFlg from SPInfo where ID = :I", {{"I", id}}),
              "蒜泥黄瓜|SNHG|0");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTxt where SPID = :I", {{"I", id}}), "2");
}

TEST_F(RecipeBook, ChangingARecipeWithoutTotalRowTakesEveryFood) {
    // Foods of no energy give no total row; the last food must still come along, and none of a recipe
    // changed before.
    StoreRecipe("清水", {{430, 100}, {431, 50}});
    Reload();
    SelectRecipe("拍黄瓜");
    Book->btn_ModifySW->Click();
    Book->btnDown->Click();
    Book->btnSPDir->Click();
    SelectRecipe("清水");
    EXPECT_EQ(Book->SG_FDC->RowCount(), 3);
    Book->btn_ModifySW->Click();
    EXPECT_EQ(Column(Book->SG_FD1, 1), QStringList({"白花菜", "白花桔梗"}));
}

TEST_F(RecipeBook, DeletesOnlyRecipesNothingElseUses) {
    const int used = StoreRecipe("用过的", {{RiceId, 100}});
    const int spare = StoreRecipe("多余的", {{RiceId, 100}});
    Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '早餐', :F, 100, 116, "
            "'2024-01-01', 2)",
            {{"U", DM->UID}, {"F", used}});
    Db.Exec("insert into FDUse (UID, FID, FType) values (:U, :F, 2)", {{"U", DM->UID}, {"F", spare}});
    Reload();

    SelectRecipe("用过的");
    Book->N4->Click();
    EXPECT_EQ(Boxes.LastText(), "该食谱已用于饮食记录或饮食套餐，不能删除。");
    EXPECT_EQ(Db.Scalar("select count(*) from SPInfo where ID = :I", {{"I", used}}), "1");
    // A recipe of a delivered set meal stays too.
    SelectRecipe("葱油花卷");
    Book->N4->Click();
    EXPECT_EQ(Boxes.LastText(), "该食谱已用于饮食记录或饮食套餐，不能删除。");

    SelectRecipe("多余的");
    Boxes.Answers = {IDCANCEL};
    Book->N4->Click();
    EXPECT_EQ(Boxes.LastText(), "是否删除 食谱 【多余的】");
    EXPECT_EQ(Db.Scalar("select count(*) from SPInfo where ID = :I", {{"I", spare}}), "1");
    Book->N4->Click();
    EXPECT_EQ(Db.Scalar("select count(*) from SPInfo where ID = :I", {{"I", spare}}), "0");
    EXPECT_EQ(Db.Scalar("select count(*) from SPTxt where SPID = :I", {{"I", spare}}), "0");
    EXPECT_EQ(Db.Scalar("select count(*) from FDUse where FID = :I", {{"I", spare}}), "0");
    EXPECT_EQ(FindNodeByText(Book->TV_FD1, "多余的"), nullptr);
}

TEST_F(RecipeBook, SetsTheShownRecipeAsOftenUsedOnce) {
    SelectRecipe("西瓜汁");
    Book->lblSetUseFD->Click();
    EXPECT_EQ(Boxes.LastText(), "设置成功");
    Book->lblSetUseFD->Click();
    EXPECT_EQ(Boxes.LastText(), "已设置为常用食谱。");
    EXPECT_EQ(
        Db.Scalar("select count(*) from FDUse where FID = :I and FType = 2", {{"I", RecipeId("西瓜汁")}}),
        "1");
    // Without a recipe shown there is nothing to set.
    Book->TV_FD1->SetSelected(Book->TV_FD1->Items()->GetFirstNode());
    Book->lblSetUseFDClick(Book->lblSetUseFD);
    EXPECT_EQ(Boxes.LastText(), "请先选择一个食谱。");
    DM->UID = "0";
    Book->lblSetUseFDClick(Book->lblSetUseFD);
    EXPECT_EQ(Boxes.LastText(), "请先登记个人基本资料");
}

TEST_F(RecipeBook, NutrientTotalsOfRiceAndEggMatchTheFoodTable) {
    TStringList lines;
    lines.Add("米饭（蒸，代表值）,100,54");
    lines.Add("鸡蛋（代表值）,50,1332");
    lines.Add("鸡蛋（代表值）,50,1");  // the name is not the food's: nothing
    lines.Add("远方的食物,50,99999");  // outside the food table: nothing
    const TNutrientTotals t = TFrm_ShiPu::SumNutrients(lines);
    // Rice per 100 g and half of the egg's values.
    EXPECT_EQ(t[0], "186kcal");  // 116 + 69.5
    EXPECT_EQ(t[1], "777kJ");    // 486 + 290.5
    EXPECT_EQ(t[2], "27.1g");    // carbohydrate 25.9 + 1.2
    EXPECT_EQ(t[3], "9.15g");    // protein 2.6 + 6.55
    EXPECT_EQ(t[4], "4.6g");     // fat 0.3 + 4.3
    EXPECT_EQ(t[5], "0.3g");     // fibre 0.3 + 0
    EXPECT_EQ(t[6], "324mg");    // cholesterol 0 + 324
    EXPECT_EQ(t[8], "0ug");      // carotene: the egg has no value
    EXPECT_EQ(t[9], "108ug");    // retinol 0 + 108
    EXPECT_EQ(t[17], "0.15mg");  // copper 0.06 + 0.095, cut, not rounded
    EXPECT_EQ(t[20], "20mg");    // magnesium 15 + 5
    EXPECT_EQ(t[24], "7.38ug");  // selenium 0.40 + 6.98

    TStringList none;
    const TNutrientTotals zero = TFrm_ShiPu::SumNutrients(none);
    EXPECT_EQ(zero[0] + zero[1], "0kcal0kJ");
    EXPECT_EQ(zero[6], "0mg");
}

TEST_F(RecipeBook, TheTotalsWindowShowsTheShownRecipeInTheTableLayout) {
    StoreRecipe("米饭蛋", {{RiceId, 100}, {EggId, 50}});
    Reload();
    SelectRecipe("米饭蛋");
    QStringList names, values;
    QString title;
    OnModal = [&](TForm* form) {
        auto* totals = dynamic_cast<TYYSHJFrm*>(form);
        ASSERT_NE(totals, nullptr);
        title = totals->pnlTit->Caption();
        for (int row = 0; row < totals->SG_YYS->RowCount(); ++row) {
            names << totals->SG_YYS->Cells(0, row);
            values << totals->SG_YYS->Cells(1, row);
        }
    };
    Book->lblYYSHL->Click();
    EXPECT_EQ(title, "【米饭蛋】");
    ASSERT_EQ(names.size(), 24);
    EXPECT_EQ(names[16], "铜");
    EXPECT_EQ(names[19], "镁");
    EXPECT_EQ(values[0], "186kcal(777kJ)");
    EXPECT_EQ(values[16], "0.15mg");  // copper 0.06 + 0.095
    EXPECT_EQ(values[19], "20mg");    // magnesium 15 + 5 (the egg's 10 halved)
}

TEST_F(RecipeBook, TheTotalsWindowFadesInFromItsTimer) {
    TYYSHJFrm totals(nullptr);
    EXPECT_TRUE(totals.AlphaBlend());
    EXPECT_EQ(totals.AlphaBlendValue(), 5);
    totals.Timer1Timer(totals.Timer1);
    EXPECT_EQ(totals.AlphaBlendValue(), 30);  // one step per tick, nothing waits in between
    for (int i = 0; i < 12; ++i)
        totals.Timer1Timer(totals.Timer1);
    EXPECT_EQ(totals.AlphaBlendValue(), 255);
    EXPECT_FALSE(totals.Timer1->Enabled());
}

TEST_F(RecipeBook, TheTotalsWindowExplainsTheNutrientClicked) {
    TRecordingShellService shell;
    TYYSHJFrm totals(nullptr);
    totals.ShowForm();
    const TRect copper = totals.SG_YYS->CellRect(0, 16);
    totals.SG_YYSMouseDown(totals.SG_YYS, mbRight, 0, copper.Left + 2, copper.Top + 2);
    EXPECT_EQ(totals.N18->Caption(), "查看 铜 说明");
    totals.N18->Click();
    ASSERT_EQ(shell.Opened.size(), 1u);
    EXPECT_TRUE(shell.Opened[0].endsWith("/zhongyao/yys-15.htm"));
    EXPECT_TRUE(Boxes.Boxes.empty());
    shell.Succeeds = false;
    totals.N18->Click();
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_TRUE(Boxes.LastText().contains("/zhongyao/yys-15.htm"));
}

TEST_F(RecipeBook, PrintsAtCharacterPositionsAndRefusesAnEmptyRecipe) {
    TRecordingPrinter printer;
    SelectRecipe("二米饭");
    Book->btnPrtSP->Click();
    ASSERT_EQ(printer.Documents, 1);
    TCanvas measure;
    measure.Font()->SetSize(12);
    const int w = measure.TextWidth("宽");
    // The longest name, 粳米（标一）, has 6 characters.
    ASSERT_NE(printer.Find("食谱名称： 【二米饭】"), nullptr);
    EXPECT_EQ(printer.Find("重量(克)")->X, 10 * w);
    EXPECT_EQ(printer.Find("热量(Kcal)")->X, 15 * w);
    EXPECT_EQ(printer.Find("粳米（标一）")->X, 2 * w);
    EXPECT_EQ(printer.Find("80")->X, 12 * w);
    EXPECT_EQ(printer.Find("276.0")->X, 17 * w);
    EXPECT_EQ(printer.Find("热量合计"), nullptr);  // the total row is not a food

    // A long recipe goes on over another page with the headers again.
    QList<QPair<int, double>> many;
    for (const QString& id :
         Db.Scalar("select group_concat(ID) from (select ID from Food order by ID limit 60)").split(','))
        many.append({id.toInt(), 10});
    StoreRecipe("大杂烩", many);
    Reload();
    SelectRecipe("大杂烩");
    Book->btnPrtSP->Click();
    EXPECT_EQ(printer.Documents, 2);
    EXPECT_GE(printer.Pages, 3);
    const std::vector<TPrintedText> second = printer.TextsOnPage(2);
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front().Text, "食物名称");

    StoreRecipe("空食谱", {});
    Reload();
    SelectRecipe("空食谱");
    EXPECT_EQ(Book->SG_FDC->RowCount(), 2);
    Book->btnPrtSP->Click();
    EXPECT_EQ(Boxes.LastText(), "没有数据，不能打印");
    Book->btnOutSP->Click();
    EXPECT_EQ(Boxes.LastText(), "没有数据，不能导出");
    EXPECT_EQ(printer.Documents, 2);
}

TEST_F(RecipeBook, ExportsTheShownRecipeAsText) {
    TRecordingFileDialogService dialogs;
    QTemporaryDir dir;
    dialogs.Answer(dir.filePath("二米饭"));
    SelectRecipe("二米饭");
    Book->btnOutSP->Click();
    ASSERT_EQ(dialogs.Requests.size(), 1u);
    EXPECT_EQ(dialogs.Requests[0].FileName, "【二米饭】");
    QFile file(dir.filePath("二米饭.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].trimmed(), "序号    食物名称    重量(克)    热量(Kcal)");
    EXPECT_EQ(lines[1].trimmed(), "1    粳米（标一）    80    276.0");
    EXPECT_EQ(lines[3].trimmed(), "热量合计    348.2");

    // Exported again onto a full disk: the box says so and the first export is still whole.
    file.close();
    const QByteArray first = FileBytes(file.fileName());
    dialogs.Answer(dir.filePath("二米饭"));
    {
        TFileSizeLimit full(16);
        Book->btnOutSP->Click();
    }
    EXPECT_TRUE(Boxes.LastText().startsWith("保存失败")) << qPrintable(Boxes.LastText());
    EXPECT_TRUE(Boxes.LastText().contains("磁盘空间不足")) << qPrintable(Boxes.LastText());
    EXPECT_EQ(FileBytes(file.fileName()), first);
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"二米饭.txt"});
}

TEST_F(RecipeBook, EditorNutrientTotalsNeedEveryWeight) {
    Book->Btn_SaveSW->Click();
    AddFood("米饭（蒸，代表值）");
    AddFood("鸡蛋（代表值）");
    Book->btnDown->Click();
    TypeWeight(1, "100");
    Book->N11->Click();
    EXPECT_EQ(Boxes.LastText(), "鸡蛋（代表值）的重量没有输入");
    EXPECT_FALSE(Book->RGP_YYS->Visible());
    TypeWeight(2, "50");
    Book->N11->Click();
    EXPECT_TRUE(Book->RGP_YYS->Visible());
    EXPECT_EQ(Book->SG_YYS1->Cells(1, 0), "186kcal(777kJ)");
    EXPECT_EQ(Book->SG_YYS1->Cells(0, 19), "镁");
    Book->Label4->Click();
    EXPECT_FALSE(Book->RGP_YYS->Visible());
}

TEST_F(RecipeBook, ASearchResultPicksItsOwnFoodWhenNamesRepeat) {
    Book->Btn_SaveSW->Click();  // the editor's food chooser
    ASSERT_EQ(Book->PC->ActivePage(), Book->T2);
    Book->ED_Src->SetText("奶油");
    int second = 0;
    for (int row = 1; row < Book->SG_SrcRlt->RowCount(); ++row)
        if (Book->SG_SrcRlt->Cells(0, row) == "奶油" && Book->SG_SrcRlt->Cells(3, row) == "1320")
            second = row;
    ASSERT_GT(second, 0);
    ExpectResultsAboveTheirBackButton(Book->pnlSrcRlt1, Book->TV_FD, Book->SG_SrcRlt, Book->btnBack1);
    DblClickCell(Book->SG_SrcRlt, 0, second);  // on its name
    ASSERT_NE(Book->TV_FD->Selected(), nullptr);
    EXPECT_EQ(Book->TV_FD->Selected()->StateIndex(), 1320);  // not the first food of that name, 1313
    EXPECT_FALSE(Book->pnlSrcRlt1->Visible());
    EXPECT_TRUE(Book->TV_FD->Enabled());
    // A search that finds nothing lists nothing of the one before.
    Book->ED_Src->SetText("奶");
    Book->ED_Src->SetText("没有这种食物");
    EXPECT_EQ(Book->SG_SrcRlt->Cells(0, 1), "");
    EXPECT_EQ(Book->SG_SrcRlt->RowCount(), 2);
}

TEST_F(RecipeBook, NamesPreparationsAndWeightsAreCheckedBeforeARecipeIsStored) {
    Book->Btn_SaveSW->Click();
    AddFood("鸡蛋（代表值）");
    Book->btnDown->Click();
    ASSERT_EQ(Book->PC->ActivePage(), Book->T3);
    TypeWeight(1, "100");
    Book->CB_SPC->SetItemIndex(Book->CB_SPC->Items()->IndexOf("荤菜"));
    const QString before = Db.Scalar("select count(*) from SPInfo");
    const QString nul(QChar(0));
    auto save = [&](const QString& name, const QString& preparation) {
        Book->ED_SPN->SetText(name);
        Book->RE_SP->SetText(preparation);
        Book->btnSaveSP->Click();
        return Boxes.LastText();
    };
    EXPECT_EQ(save("蒸" + nul + "蛋", ""), "食谱名称不能包含换行符等控制字符");
    EXPECT_EQ(save("蒸\n蛋", ""), "食谱名称不能包含换行符等控制字符");
    EXPECT_EQ(save(QString(17, QChar(0x86CB)), ""), "食谱名称不能超过16个字");
    EXPECT_EQ(save("蒸蛋", "打散" + nul + "蒸熟"), "制作方法不能包含控制字符");
    // A weight pasted past the key filter.
    Book->SG_FD2->SetCells(2, 1, "100001");
    EXPECT_EQ(save("蒸蛋", ""), "鸡蛋（代表值）重量输入有误");
    EXPECT_EQ(Db.Scalar("select count(*) from SPInfo"), before);
    Book->SG_FD2->SetCells(2, 1, "100000");
    EXPECT_EQ(save(QString(16, QChar(0x86CB)), "1. 打散\n2. 蒸熟\t10分钟"), "保存成功");
    EXPECT_EQ(Db.Scalar("select SPZF from SPInfo where length(SPName) = 16"), "1. 打散\n2. 蒸熟\t10分钟");
}
