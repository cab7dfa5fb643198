// Texts a user must be able to read: nothing runs over its frame or over another text, no line loses its
// descenders, no colour sinks into its ground.
#include "ContrastRatio.h"
#include "GridInk.h"
#include "MainWindowSession.h"
#include "UintDM.h"
#include "UnitShiPu.h"
#include "UnitYYSCK.h"
#include "UnitYYSHJ.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ReadableText : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowSession::SetUp();
        Db.Exec("update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1 where UName1 = "
                "'user'");
        Start();
        Login();
    }
    static QColor Colour(TColor c) { return ToQColor(c); }
    // The right edge of a control in its parent's client area.
    static int RightEdge(TControl* c) { return c->Left() + c->Width(); }
};

}  // namespace

TEST_F(ReadableText, DailyNeedsFitTheirGroupsForEveryone) {
    TYYSCKFrm needs(Application);
    TLabel* values[] = {needs.LC_E,  needs.LC_Pro, needs.LC_Fat, needs.LC_Cho, needs.LC_Va, needs.LC_S,
                        needs.LC_H,  needs.LC_VC,  needs.LC_Ve,  needs.LC_P,   needs.LC_K,  needs.LC_Na,
                        needs.LC_Mg, needs.LC_Ca,  needs.LC_Fe,  needs.LC_Cu,  needs.LC_Zn, needs.LC_Se};
    for (const char* sex : {"男", "女"})
        for (const char* level : {"0", "1", "2", "3"})
            for (double age : {0.5, 3.0, 10.0, 15.0, 25.0, 55.0, 65.0, 85.0}) {
                DM->Sex = sex;
                needs.ShowDailyNeeds(level, age);
                for (TLabel* value : values) {
                    auto* group = value->Parent();
                    // Inside the group's frame (2 pixels) and clear of the window's edge.
                    ASSERT_LE(RightEdge(value), group->Width() - 2)
                        << value->Name().toStdString() << " " << value->Caption().toStdString() << " " << sex
                        << level << age;
                    ASSERT_LE(RightEdge(group), needs.ClientWidth());
                }
            }
}

TEST_F(ReadableText, TheBodyTypeRunsOverNoOtherText) {
    const struct {
        const char *Weight, *Height;
        double Age;
    } people[] = {{"80", "170", 30}, {"120", "160", 45}, {"50", "170", 30}, {"90", "150", 12}};
    for (const auto& p : people) {
        MainFrm->ClassifyBodyType(p.Weight, p.Height, p.Age);
        MainFrm->lblTZ->SetCaption(QString(p.Weight) + "Kg");
        const TRect type = MainFrm->lblZJ->BoundsRect();
        ASSERT_GT(MainFrm->lblZJ->Caption().size(), 5) << p.Weight;
        EXPECT_LE(type.Right, MainFrm->pnlMain->ClientWidth()) << MainFrm->lblZJ->Caption().toStdString();
        for (int i = 0; i < MainFrm->pnlMain->ControlCount(); ++i) {
            TControl* other = MainFrm->pnlMain->Controls(i);
            if (other == MainFrm->lblZJ || !other->Visible()) continue;
            TRect overlap;
            EXPECT_FALSE(IntersectRect(overlap, other->BoundsRect(), type))
                << MainFrm->lblZJ->Caption().toStdString() << " over " << other->Name().toStdString() << " "
                << other->Caption().toStdString();
        }
    }
}

TEST_F(ReadableText, NutrientTotalsKeepTheirDescenders) {
    TYYSHJFrm totals(Application);
    totals.ShowForm();
    TFrm_ShiPu::ShowNutrientTotals(TFrm_ShiPu::SumNutrients(TStringList()), totals.SG_YYS);
    totals.SG_YYS->SetCells(1, 0, "523kcal(2188kJ)");
    totals.SG_YYS->SetCells(1, 5, "12.5mg");
    ExpectWholeText(totals.SG_YYS, 1, 0);
    ExpectWholeText(totals.SG_YYS, 1, 5);
    // All 24 rows show, and the close button sits below them.
    EXPECT_LE(totals.SG_YYS->CellRect(1, NutrientTotalRows - 1).Bottom, totals.SG_YYS->ClientHeight());
    EXPECT_GE(totals.btnClose->Top(), totals.SG_YYS->Top() + totals.SG_YYS->Height());
    EXPECT_LE(totals.btnClose->Top() + totals.btnClose->Height(), totals.ClientHeight());

    // The recipe editor's panel of the same table.
    auto* book = new TFrm_ShiPu(Application);
    book->ShowForm();
    book->PC->SetActivePage(book->T3);
    book->RGP_YYS->Show();
    book->SG_YYS1->SetCells(1, 0, "186kcal(777kJ)");
    ExpectWholeText(book->SG_YYS1, 1, 0);
    EXPECT_LE(book->SG_YYS1->CellRect(1, NutrientTotalRows - 1).Bottom, book->SG_YYS1->ClientHeight());
    EXPECT_LE(book->RGP_YYS->Top() + book->RGP_YYS->Height(), book->T3->ClientHeight());
    delete book;
}

TEST_F(ReadableText, ThePinkSkinKeepsItsTextsReadable) {
    MainFrm->N6->Click();  // 粉红
    ASSERT_EQ(MainFrm->pnlBM->Color(), MainFrm->PinkColor);
    // Texts on the pink panels.
    EXPECT_GE(ContrastRatio(Colour(MainFrm->Label6->Font()->Color()), Colour(MainFrm->pnlBM->Color())), 4.5);
    EXPECT_GE(ContrastRatio(Colour(MainFrm->pnlTit->Font()->Color()), Colour(MainFrm->pnlTit->Color())), 4.5);
    // The white titles on the pink title pictures: the main window's and a small window's.
    for (const char* picture : {"MTop.jpg", "CTopLeft.jpg", "CTopCenter.jpg", "CTopcRight.jpg"}) {
        const QImage image(QStringLiteral(VELORIA_SOURCE_DIR "/data/skins/Red/") + picture);
        ASSERT_FALSE(image.isNull()) << picture;
        double lowest = 21;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lowest = std::min(lowest, ContrastRatio(Qt::white, image.pixelColor(x, y)));
        EXPECT_GE(lowest, 3.0) << picture;
    }
    // Back to blue: white again.
    MainFrm->N5->Click();  // 蓝色
    EXPECT_EQ(MainFrm->Label6->Font()->Color(), clWhite);
}
