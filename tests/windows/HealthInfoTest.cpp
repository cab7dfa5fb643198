#include "ConstTables.h"
#include "EnergyTargets.h"
#include "RecordingServices.h"
#include "SiteAddresses.h"
#include "TestDatabase.h"
#include "UnitHelath.h"
#include "WidgetInput.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {

class HealthInfo : public testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<THelathFrm>(Application);
        Form->ShowForm();
        // Keep the status pane's text at each event.
        Form->Web->OnDownloadBegin = [this](TObject* s) {
            Form->WebDownloadBegin(s);
            Status << Form->SP->Caption();
        };
        Form->Web->OnDownloadComplete = [this](TObject* s) {
            Form->WebDownloadComplete(s);
            Status << Form->SP->Caption();
        };
    }
    TLabel* Link(int kind) const {
        return std::array{Form->lbl1, Form->lbl2, Form->lbl3, Form->lbl7}[kind - 1];
    }

    TTestDatabase Db;
    TRecordingShellService Shell;
    std::unique_ptr<THelathFrm> Form;
    QStringList Status;
};

TEST_F(HealthInfo, EachLinkListsItsEntriesAndOpensTheFirstPage) {
    const char* titles[][2] = {{"食物列表", " 食物的功效作用"},
                               {"中药列表", "  中药的功效作用"},
                               {"食谱列表", "  保健食谱"},
                               {"饮茶列表", "  养生茶疗"}};
    const char* paths[] = {"/zhongyao/0", "/2/", "/ShiPu/", "/Cha/"};
    for (int kind = 4; kind >= 1; --kind) {
        const auto& entries = HealthEntries(kind);
        Status.clear();
        Link(kind)->Click();
        EXPECT_EQ(Form->Lst_FD->Tag(), kind);
        ASSERT_EQ(Form->Lst_FD->Count(), int(entries.size())) << kind;
        EXPECT_EQ(Form->lbltit->Caption(), titles[kind - 1][0]);
        EXPECT_EQ(Form->pnltit->Caption(), titles[kind - 1][1]);
        if (entries.empty()) continue;
        EXPECT_EQ(Form->Lst_FD->Items()->Strings(0), entries[0].Name);
        EXPECT_EQ(Form->Web->LocationURL(), InfoSiteRoot() + paths[kind - 1] + entries[0].Code + ".htm");
        EXPECT_EQ(Status, (QStringList{"正在打开...", ""}));
    }
    // The food list: code 12 would be /zhongyao/012.htm.
    EXPECT_EQ(HealthPagePath(1, "12"), "/zhongyao/012.htm");
    EXPECT_EQ(HealthPagePath(5, "12"), "");
    EXPECT_TRUE(Shell.Opened.empty());
}

TEST_F(HealthInfo, ListsHoldTheDeliveredEntries) {
    // The delivered lists: 135 food efficacies, 21 herbs, 37 health recipes and 32 teas.
    EXPECT_EQ(HealthEntries(1).size(), 135u);
    EXPECT_EQ(HealthEntries(2).size(), 21u);
    EXPECT_EQ(HealthEntries(3).size(), 37u);
    EXPECT_EQ(HealthEntries(4).size(), 32u);
    EXPECT_TRUE(HealthEntries(0).empty());
    for (int kind = 1; kind <= 4; ++kind) {
        const auto& entries = HealthEntries(kind);
        for (size_t i = 1; i < entries.size(); ++i)
            EXPECT_LT(entries[i - 1].Code.toInt(), entries[i].Code.toInt()) << kind << " " << i;
    }
}

TEST_F(HealthInfo, EveryEntryHasItsPageInTheDeliveredSite) {
    const QString site = QStringLiteral(VELORIA_BUILD_DIR "/site");
    for (int kind = 1; kind <= 4; ++kind)
        for (const THealthEntry& e : HealthEntries(kind))
            EXPECT_TRUE(QFile::exists(site + HealthPagePath(kind, e.Code)))
                << HealthPagePath(kind, e.Code).toStdString();
}

TEST_F(HealthInfo, NutrientPagesShowTheReferenceIntakesOfTheProgramsTables) {
    auto page = [](const QString& number) {
        QFile f(QStringLiteral(VELORIA_BUILD_DIR "/site/zhongyao/yys-") + number + ".htm");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    for (const TNutrientRow& row : NutrientTable)
        EXPECT_TRUE(page(row.Page).contains(row.Name)) << row.Page.toStdString();
    // Vitamin C (page 8) and iron (page 16) for adults of 30, as the daily-needs window gives them.
    const QString vitaminC = QString::number(MatchAgeRow(VitaminRefTable(true), 30)[5].toDouble());
    EXPECT_TRUE(page("8").contains(">" + vitaminC + " 毫克<"));
    const QString ironMale = QString::number(MatchAgeRow(MineralRefTable(true), 30)[7].toDouble());
    const QString ironFemale = QString::number(MatchAgeRow(MineralRefTable(false), 30)[7].toDouble());
    EXPECT_TRUE(page("16").contains(">" + ironMale + " 毫克</td><td class=\"num\">" + ironFemale + " 毫克<"));
}

TEST_F(HealthInfo, AClickWithoutAnEntryOpensNothing) {
    Form->lbl7->Click();
    const QString shown = Form->Web->LocationURL();
    Form->Lst_FD->SetItemIndex(-1);
    Status.clear();
    Form->Lst_FDClick(Form->Lst_FD);
    EXPECT_TRUE(Status.isEmpty());
    EXPECT_EQ(Form->Web->LocationURL(), shown);
    // A kind outside 1 to 4 leaves the list empty and opens nothing.
    Form->LoadList(7);
    EXPECT_EQ(Form->Lst_FD->Count(), 0);
    Form->Lst_FDClick(Form->Lst_FD);
    EXPECT_TRUE(Status.isEmpty());
}

TEST_F(HealthInfo, AnEntryChosenWithTheMouseTheArrowsOrByTypingOpensItsPage) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
    Form->lbl1->Click();
    const auto& foods = HealthEntries(1);
    ASSERT_GT(foods.size(), 4u);
    ASSERT_EQ(foods[3].Name, "稻米");
    auto page = [&](int i) { return InfoSiteRoot() + "/zhongyao/0" + foods[i].Code + ".htm"; };
    QWidget* list = Form->Lst_FD->Widget();
    const TRect second = Form->Lst_FD->ItemRect(1);
    QTest::mouseClick(Viewport(Form->Lst_FD), Qt::LeftButton, {}, QPoint(second.Left + 5, second.Top + 5));
    EXPECT_EQ(Form->Web->LocationURL(), page(1));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(Form->Web->LocationURL(), page(2));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "稻");
    QApplication::sendEvent(list, &press);
    EXPECT_EQ(Form->Lst_FD->ItemIndex(), 3);
    EXPECT_EQ(Form->Web->LocationURL(), page(3));
}

TEST_F(HealthInfo, SwitchingFromTeasToFoodsOpensTheFirstFood) {
    Form->lbl7->Click();
    Form->Lst_FD->SetItemIndex(3);
    Form->Lst_FD->OnClick(Form->Lst_FD);
    EXPECT_EQ(Form->Web->LocationURL(), InfoSiteRoot() + "/Cha/" + HealthEntries(4)[3].Code + ".htm");
    Form->lbl1->Click();
    EXPECT_EQ(Form->Lst_FD->Count(), int(HealthEntries(1).size()));
    EXPECT_EQ(Form->Web->LocationURL(), InfoSiteRoot() + "/zhongyao/0" + HealthEntries(1)[0].Code + ".htm");
}

}  // namespace

TEST_F(HealthInfo, TheListEndsAboveThePanelsFootAtAnyHeight) {
    for (const int height : {528, 498, 300}) {
        Form->SetClientHeight(height);
        // Title (30) and status bar (22) span the width; the list starts 84 down the left panel, 6 above its
        // foot.
        EXPECT_EQ(Form->pnlLeft->Height(), height - 30 - 22) << height;
        EXPECT_EQ(Form->Lst_FD->Top() + Form->Lst_FD->Height(), height - 30 - 22 - 6) << height;
    }
}
