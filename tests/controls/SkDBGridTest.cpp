#include "ADODB.h"
#include "ControlProbes.h"
#include "Forms.h"
#include "SkDBGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

constexpr TColor Shade = 15463915;
constexpr TColor Match = 10053222;

// Ten foods with their kcal; record k (from 0) has kcal 40 × k, and record 9 none. The grid shows
// a title row and the indicator column; data row k on screen spans y = 21 + 19k .. 38 + 19k, the
// name column x = 14 .. 77 and the kcal column x = 79 .. 142.
class SkDBGridTest : public testing::Test {
protected:
    void SetUp() override {
        const QString file = dir.filePath("f.db");
        sqlite3* db = nullptr;
        sqlite3_open(file.toUtf8().constData(), &db);
        sqlite3_exec(db,
                     "CREATE TABLE Foods (Id INTEGER, Name TEXT, Kcal REAL);"
                     "INSERT INTO Foods VALUES (1,'米饭',0),(2,'馒头',40),(3,'面条',80),(4,'玉米',120),"
                     "(5,'土豆',160),(6,'红薯',200),(7,'燕麦',240),(8,'小米',280),(9,'荞麦',320),"
                     "(10,'山药',NULL);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        conn.Open(file);
        query.SetConnection(&conn);
        query.SQL()->SetText("Select Id, Name, Kcal From Foods Order By Id");
        source.SetDataSet(&query);
        grid = new TSkDBGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 200, 2 + 19 * 6 + 2);  // the title row and five data rows
        grid->SetScrollBars(ssNone);
        grid->SetDataSource(&source);
        for (const char* name : {"Name", "Kcal"})
            grid->Columns()->Add()->SetFieldName(name);
        query.Open();
    }
    // The grid with its vertical bar on a shown, active window.
    QScrollBar* ShowWithVerticalBar() {
        grid->SetScrollBars(ssVertical);
        form.SetBounds(0, 0, 300, 200);
        form.ShowForm();
        QApplication::setActiveWindow(form.Widget());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
        for (QScrollBar* b : grid->Widget()->findChildren<QScrollBar*>())
            if (b->orientation() == Qt::Vertical) return b;
        return nullptr;
    }
    TColor CellAt(int column, int screenRow) {
        const int x = column == 0 ? 70 : 135, y = 21 + 19 * screenRow + 1;
        return Pixel(grid->PaintOffscreen(), x, y);
    }

    QTemporaryDir dir;
    TADOConnection conn;
    TADOQuery query;
    TDataSource source;
    TForm form{nullptr};
    TSkDBGrid* grid = nullptr;
};

TEST_F(SkDBGridTest, ShadingFixedToTheScreenStaysWhenTheRowsScroll) {
    grid->SetAltRowShading(true);
    EXPECT_EQ(CellAt(1, 0), Shade);
    EXPECT_EQ(CellAt(1, 1), ColorToRGB(clWindow));
    EXPECT_EQ(CellAt(1, 2), Shade);
    grid->SetTopRow(grid->TopRow() + 1);
    EXPECT_EQ(CellAt(1, 0), Shade);
    EXPECT_EQ(CellAt(1, 1), ColorToRGB(clWindow));
}

TEST_F(SkDBGridTest, ShadingOfTheRecordsMovesWithThem) {
    grid->SetAltRowShading(true);
    grid->SetAltRowShadingFixed(false);
    grid->SetAltRowShadingColor(0x00FFFF);
    EXPECT_EQ(CellAt(1, 0), TColor(0x00FFFF));  // record number 1
    grid->SetTopRow(grid->TopRow() + 1);
    EXPECT_EQ(CellAt(1, 0), ColorToRGB(clWindow));  // record number 2
    EXPECT_EQ(CellAt(1, 1), TColor(0x00FFFF));      // record number 3
}

TEST_F(SkDBGridTest, SelectedCellOnAShadedRowShowsTheHighlight) {
    grid->SetAltRowShading(true);
    EXPECT_EQ(CellAt(0, 0), ColorToRGB(clHighlight));  // the current cell of the first record
    EXPECT_EQ(CellAt(1, 0), Shade);
}

TEST_F(SkDBGridTest, QuickCompareColoursMatchingRowsAboveShadingAndSelection) {
    grid->SetAltRowShading(true);
    TSkDBGridQuickCompare* rule = grid->QuickCompare();
    rule->SetFieldName("Kcal");
    rule->SetOperation(qcoLessThan);
    rule->SetFieldValue(100);
    EXPECT_EQ(CellAt(1, 0), Shade);  // not active yet
    rule->SetActive(true);
    EXPECT_EQ(CellAt(0, 0), Match);  // selected
    EXPECT_EQ(CellAt(1, 0), Match);  // shaded
    EXPECT_EQ(CellAt(1, 1), Match);
    EXPECT_EQ(CellAt(1, 2), Match);  // 80
    EXPECT_EQ(CellAt(1, 3), ColorToRGB(clWindow));
    // The text of a matching row is white on the rule's colour.
    EXPECT_TRUE(InkIn(grid->PaintOffscreen(), Rect(14, 40, 77, 57), Match, clWhite).Shown());
}

TEST_F(SkDBGridTest, QuickCompareOperationsFollowTheirNames) {
    const QVariant five(5), text("5"), other("馒头");
    EXPECT_TRUE(QuickCompareMatches(5.0, qcoEqual, five));
    EXPECT_TRUE(QuickCompareMatches(text, qcoEqual, five));  // a number kept as text
    EXPECT_TRUE(QuickCompareMatches(4, qcoLessThan, five));
    EXPECT_TRUE(QuickCompareMatches(5, qcoLessThanOrEqual, five));
    EXPECT_TRUE(QuickCompareMatches(6, qcoGreaterThan, five));
    EXPECT_TRUE(QuickCompareMatches(5, qcoGreaterThanOrEqual, five));
    EXPECT_TRUE(QuickCompareMatches(6, qcoNotEqual, five));
    EXPECT_FALSE(QuickCompareMatches(5, qcoNotEqual, five));
    EXPECT_TRUE(QuickCompareMatches(other, qcoEqual, QVariant("馒头")));
    EXPECT_TRUE(QuickCompareMatches(QVariant("a"), qcoLessThan, QVariant("b")));
}

// A value that cannot be compared is no match, and painting goes on without an error.
TEST_F(SkDBGridTest, QuickCompareThatCannotCompareNeverRaisesAndNeverMatches) {
    EXPECT_FALSE(QuickCompareMatches(QVariant("米饭"), qcoNotEqual, QVariant(5)));
    EXPECT_FALSE(QuickCompareMatches(QVariant(), qcoNotEqual, QVariant(5)));
    EXPECT_FALSE(QuickCompareMatches(QVariant(5), qcoNotEqual, QVariant()));
    TSkDBGridQuickCompare* rule = grid->QuickCompare();
    rule->SetActive(true);
    rule->SetFieldName("Name");
    rule->SetOperation(qcoGreaterThan);
    rule->SetFieldValue(3);
    EXPECT_NO_THROW(grid->PaintOffscreen());
    EXPECT_EQ(CellAt(1, 1), ColorToRGB(clWindow));
    rule->SetFieldName("NoSuchField");
    EXPECT_NO_THROW(grid->PaintOffscreen());
    EXPECT_EQ(CellAt(1, 1), ColorToRGB(clWindow));
    // The record without kcal does not match "not equal" either.
    rule->SetFieldName("Kcal");
    rule->SetOperation(qcoNotEqual);
    rule->SetFieldValue(-1);
    grid->SetTopRow(grid->TopRow() + 5);
    EXPECT_EQ(CellAt(1, 3), Match);                 // record 8, kcal 320
    EXPECT_EQ(CellAt(1, 4), ColorToRGB(clWindow));  // record 9, no kcal
}

TEST_F(SkDBGridTest, DrawColumnCellHandlerDrawsOnlyWithoutDefaultDrawing) {
    int calls = 0;
    grid->OnDrawColumnCell = [&](TObject*, const TRect&, int, TColumn*, TGridDrawState) { ++calls; };
    grid->PaintOffscreen();
    EXPECT_EQ(calls, 0);
    grid->SetDefaultDrawing(false);
    grid->PaintOffscreen();
    EXPECT_EQ(calls, 2 * 5);
    // The handler draws on the brush the grid prepared: the shading is there for it.
    grid->SetAltRowShading(true);
    grid->OnDrawColumnCell = [&](TObject*, const TRect& r, int, TColumn*, TGridDrawState state) {
        if (state & gdSelected) return;
        EXPECT_EQ(grid->Canvas()->Brush()->Color(), grid->MouseCoord(r.Left, r.Top).Y % 2 ? Shade : clWindow)
            << r.Top;
    };
    grid->PaintOffscreen();
}

// The vertical bar moves the current record as the keyboard would, and the rows follow it.
TEST_F(SkDBGridTest, VerticalScrollBarMovesTheCurrentRecord) {
    QScrollBar* bar = ShowWithVerticalBar();
    ASSERT_TRUE(bar && bar->isVisible());
    ASSERT_EQ(query.RecNo(), 1);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(query.RecNo(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->Focused());
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(query.RecNo(), 2 + grid->VisibleRowCount());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(query.RecNo(), 10);
    EXPECT_EQ(grid->Row(), 10);
    EXPECT_GT(grid->TopRow(), 1);  // scrolled to show the last record
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(query.RecNo(), 9);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    // The thumb dragged and let go at a position goes to that record.
    bar->setSliderDown(true);
    bar->setSliderPosition(3);
    bar->setSliderDown(false);
    EXPECT_EQ(query.RecNo(), 3);
    // A closed data set leaves the bar to scroll the rows.
    query.Close();
    EXPECT_NO_THROW(bar->triggerAction(QAbstractSlider::SliderSingleStepAdd));
}

// Paging with the bar moves a page of records at a time and stops at the first and the last record,
// however far the last page would reach.
TEST_F(SkDBGridTest, PagingWithTheScrollBarStopsAtTheFirstAndLastRecord) {
    QScrollBar* bar = ShowWithVerticalBar();
    ASSERT_TRUE(bar);
    const int page = grid->VisibleRowCount();
    ASSERT_EQ(page, 5);
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        seen.push_back(query.RecNo());
    }
    for (int i = 0; i < 3; ++i) {
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        seen.push_back(query.RecNo());
    }
    EXPECT_EQ(seen, (std::vector<int>{6, 10, 10, 5, 1, 1}));
    EXPECT_EQ(grid->Row(), 1);
}

}  // namespace
