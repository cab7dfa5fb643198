// The mouse moved over styled controls the way the window system moves it: a hot-track button
// repaints its glow as the mouse comes and goes, the window's hint shows after the pause, and a framed
// list settles under it; so does every styled control on a scroll area at any height.
#define QTEST_QPA_MOUSE_HANDLING
#include "ADODB.h"
#include "SkButton.h"
#include "SkButtonFixture.h"
#include "HintWindow.h"
#include "SkChkLst.h"
#include "SkCommon.h"
#include "SkDBGrid.h"
#include "SkEditMemo.h"
#include "SkGrids.h"
#include "SkLstBox.h"
#include "SkTreeVw.h"

#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {
struct MouseOver : SkButtonWindow {
    TSkButton* Button = nullptr;
    void SetUp() override {
        SkButtonWindow::SetUp();
        Button = Place<TSkButton>(40, 40);
        Button->SetHotTrack(true);
        QApplication::processEvents();
    }
    // The button as the window shows it now.
    QImage Shown() {
        QApplication::processEvents();
        return Form->Widget()->grab(QRect(40, 40, 75, 25)).toImage();
    }
    void MoveTo(const QPoint& p) {
        QTest::mouseMove(Form->Widget(), p);
        QApplication::processEvents();
    }
};
}  // namespace

TEST_F(MouseOver, TheHotFrameIsRepaintedAsTheMouseComesAndGoes) {
    MoveTo(QPoint(5, 5));
    const TColor glow = 0x149BF0, face = DarkerColor(clBtnFace, 30);
    EXPECT_EQ(Pixel(Shown(), 10, 22), face);
    MoveTo(QPoint(60, 50));
    EXPECT_TRUE(Button->MouseOver());
    EXPECT_EQ(Pixel(Shown(), 10, 22), glow);
    MoveTo(QPoint(62, 51));  // a move inside changes nothing
    EXPECT_EQ(Pixel(Shown(), 10, 22), glow);
    MoveTo(QPoint(5, 5));
    EXPECT_FALSE(Button->MouseOver());
    EXPECT_EQ(Pixel(Shown(), 10, 22), face);
}

TEST_F(MouseOver, TheHintShowsAfterThePauseAndGoesWithTheMouse) {
    const int savedPause = Application->HintPause();
    Application->SetHintPause(5);
    Button->SetHint(QStringLiteral("保存今天的记录"));
    Button->SetShowHint(true);
    auto shows = [] {
        THintWindow* w = Application->HintWindow();
        return w && w->Widget() && w->Widget()->isVisible();
    };
    MoveTo(QPoint(60, 50));
    EXPECT_FALSE(shows());
    EXPECT_TRUE(QTest::qWaitFor(shows, 2000));
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("保存今天的记录"));
    MoveTo(QPoint(5, 5));
    EXPECT_FALSE(shows());
    Application->CancelHint();
    Application->SetHintPause(savedPause);
}

namespace {
// A control that counts how often it works out its non-client area. One that works it out without end
// would keep a pass of the events from ever returning: past a limit its widget is hidden, which ends the
// layouts, so a test fails on the count instead of hanging.
template <class TBase> struct TCountingControl : TBase {
    using TBase::TBase;
    static constexpr int Runaway = 10000;
    int Calcs = 0;

protected:
    void WMNCCalcSize(TWMNCCalcSize& Message) override {
        if (++Calcs == Runaway) this->Widget()->hide();
        TBase::WMNCCalcSize(Message);
    }
};

// A framed list with an item, on a shown window with the mouse away from it.
template <class TList> struct FramedList : SkButtonWindow {
    TCountingControl<TList>* List = nullptr;
    void SetUp() override {
        SkButtonWindow::SetUp();
        // Two moves, so the window has the mouse wherever an earlier test left it.
        QTest::mouseMove(Form->Widget(), QPoint(4, 4));
        QTest::mouseMove(Form->Widget(), QPoint(5, 5));
        List = new TCountingControl<TList>(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(40, 20, 200, 160);
        List->Items()->Add(QStringLiteral("慢跑"));
        List->SetFrameVisible(true);
        QTest::qWait(50);
    }
};
using FramedListKinds = testing::Types<TSkListBox, TSkCheckList>;
TYPED_TEST_SUITE(FramedList, FramedListKinds);
}  // namespace

// The frame's band is the list's border to the view inside it: the view lays its items out within the
// client area, so showing the list works its frame out a few times only, and the mouse coming in works
// nothing out again.
TYPED_TEST(FramedList, ShowingAndEnteringItWorkTheFrameOutAFewTimes) {
    auto* list = this->List;
    EXPECT_LE(list->Calcs, 4);
    const int shown = list->Calcs;
    QTest::mouseMove(this->Form->Widget(), QPoint(140, 100));
    QTest::qWait(100);
    EXPECT_TRUE(list->MouseOverFrame());
    EXPECT_EQ(list->Calcs, shown);
    // The item is as wide as the list within the frame's band of 2 pixels on either side.
    EXPECT_EQ(list->ItemRect(0).Right, 200 - 2 * 2);
}

namespace {
// Forty rows of content for each kind of styled control on a scroll area, more than any height shows;
// Fill again adds one more.
void Fill(TSkCustomListBox* list) {
    for (int i = list->Items()->Count(), last = i ? i + 1 : 40; i < last; ++i)
        list->Items()->Add(QStringLiteral("第%1种食物").arg(i));
}
void Fill(TSkCustomMemo* memo) {
    memo->SetScrollBars(ssVertical);
    for (int i = memo->Lines()->Count(), last = i ? i + 1 : 40; i < last; ++i)
        memo->Lines()->Add(QStringLiteral("第%1行").arg(i));
}
void Fill(TSkCustomTreeView* tree) {
    for (int i = tree->Items()->Count() / 2, last = i ? i + 1 : 40; i < last; ++i)
        tree->Items()->AddChild(tree->Items()->AddChild(nullptr, QStringLiteral("类%1").arg(i)), "食物");
}
void Fill(TSkStringGrid* grid) {
    grid->SetScrollBars(ssBoth);
    grid->SetColCount(6);
    grid->SetRowCount(grid->RowCount() < 40 ? 40 : grid->RowCount() + 1);
}
// The data grid shows the rows of a table in a temporary database.
struct TFoodTable {
    QTemporaryDir Dir;
    TADOConnection Connection;
    TADOQuery Query;
    TDataSource Source;
    void Add(int count) {
        sqlite3* db = nullptr;
        sqlite3_open(Dir.filePath("f.db").toUtf8().constData(), &db);
        sqlite3_exec(db, "CREATE TABLE IF NOT EXISTS Foods (Name TEXT, Kcal REAL)", nullptr, nullptr,
                     nullptr);
        for (; count > 0; --count)
            sqlite3_exec(db, "INSERT INTO Foods VALUES ('米饭', 116)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
};
void Fill(TSkDBGrid* grid, TFoodTable& table) {
    if (!grid->DataSource()) {
        table.Add(40);
        table.Connection.Open(table.Dir.filePath("f.db"));
        table.Query.SetConnection(&table.Connection);
        table.Query.SQL()->SetText("Select Name, Kcal From Foods");
        table.Source.SetDataSet(&table.Query);
        grid->SetScrollBars(ssBoth);
        grid->SetDataSource(&table.Source);
        table.Query.Open();
        return;
    }
    table.Add(1);
    table.Query.Close();
    table.Query.Open();
}

// One control of a kind with more content than it shows, on a shown window, its frame on or off.
template <class TControl> struct ScrollAreaFrame : SkButtonWindow {
    TFoodTable Table;
    TCountingControl<TControl>* Control = nullptr;
    void SetUp() override {
        SkButtonWindow::SetUp();
        Control = new TCountingControl<TControl>(Form.get());
        Control->SetParent(Form.get());
        Control->SetBounds(10, 10, 200, 120);
        FillControl();
    }
    void TearDown() override { delete Control; }  // before a data grid's table goes
    void FillControl() {
        if constexpr (std::is_base_of_v<TSkDBGrid, TControl>)
            Fill(Control, Table);
        else
            Fill(Control);
    }
    // The calculations that a pass of the events waiting now makes. A control that never gives the
    // loop back keeps some waiting for ever: the pass is bounded, the count tells.
    int CalcsOfAPass() {
        const int before = Control->Calcs;
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        return Control->Calcs - before;
    }
};
using ScrollAreaKinds =
    testing::Types<TSkListBox, TSkCheckList, TSkMemo, TSkRichEdit, TSkTreeView, TSkStringGrid, TSkDBGrid>;
TYPED_TEST_SUITE(ScrollAreaFrame, ScrollAreaKinds);
}  // namespace

// A layout never changes the margins it is laid out in: at every height, with the frame on or off, the
// control works its frame out a few times and then not again; nor after a font change and more content.
TYPED_TEST(ScrollAreaFrame, EveryHeightSettles) {
    auto* control = this->Control;
    for (const bool framed : {false, true}) {
        control->SetFrameVisible(framed);
        for (int height = 40; height <= 300; height += 2) {
            control->Calcs = 0;
            control->SetHeight(height);
            ASSERT_LE(this->CalcsOfAPass(), 8) << "framed " << framed << ", " << height << " px high";
            ASSERT_EQ(this->CalcsOfAPass(), 0) << "framed " << framed << ", " << height << " px high";
        }
    }
    control->Calcs = 0;
    control->Font()->SetSize(12);
    this->FillControl();
    EXPECT_LE(this->CalcsOfAPass(), 8);
    EXPECT_EQ(this->CalcsOfAPass(), 0);
}
