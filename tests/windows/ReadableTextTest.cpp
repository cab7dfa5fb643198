// Texts a user must be able to read: nothing runs over its frame or over another text, no line loses its
// descenders, no colour sinks into its ground.
#include "MainWindowSession.h"
#include "UintDM.h"
#include "UnitYYSCK.h"

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
