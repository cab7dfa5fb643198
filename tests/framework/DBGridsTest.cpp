#include "DBGrids.h"
#include "Forms.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <sqlite3.h>
#include <gtest/gtest.h>

namespace {

// An activity history like the personal centre's: the kcal of each day.
class DBGridTest : public testing::Test {
protected:
    void SetUp() override {
        const QString file = dir.filePath("h.db");
        sqlite3* db = nullptr;
        sqlite3_open(file.toUtf8().constData(), &db);
        sqlite3_exec(
            db,
            "CREATE TABLE SPRcd (DT TEXT, KCal REAL);"
            "INSERT INTO SPRcd VALUES ('2026-03-01', 120.4), ('2026-03-01', 80), ('2026-03-02', 310),"
            " ('2026-03-04', 55.6), ('2026-03-05', 0);",
            nullptr, nullptr, nullptr);
        sqlite3_close(db);
        conn.Open(file);
        query.SetConnection(&conn);
        source.SetDataSet(&query);

        form.SetBounds(0, 0, 400, 300);
        grid = new TDBGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 380, 260);
        grid->SetDataSource(&source);
        TColumn* day = grid->Columns()->Add();
        day->SetFieldName("DT");
        day->Title()->SetCaption("活动日期");
        day->SetWidth(100);
        TColumn* kcal = grid->Columns()->Add();
        kcal->SetFieldName("kcal1");
        kcal->Title()->SetCaption("消耗热量(Kcal)");
        form.ShowForm();
        QApplication::setActiveWindow(form.Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
    }

    void OpenHistory(const QString& where = QString()) {
        query.Close();
        query.SQL()->SetText("Select DT, Round(sum(KCal),0) as kcal1 From SPRcd " + where +
                             " Group By DT Order By DT DESC");
        query.Open();
    }

    // What the grid shows in each data row, read through its cell drawing.
    std::vector<QStringList> ShownRows() {
        std::map<int, QStringList> rows;
        grid->OnDrawColumnCell = [&](TObject*, const TRect& Rect, int DataCol, TColumn*, TGridDrawState) {
            const TGridCoord cell = grid->MouseCoord(Rect.Left, Rect.Top);
            QStringList& row = rows[cell.Y];
            while (row.size() <= DataCol)
                row << QString();
            row[DataCol] = grid->DisplayText(DataCol);
        };
        grid->Widget()->grab();
        grid->OnDrawColumnCell = nullptr;
        std::vector<QStringList> result;
        for (auto& [row, texts] : rows)
            result.push_back(texts);
        return result;
    }

    void ClickRow(int row, int col = 1) {
        const TRect r = grid->CellRect(col, row);
        QTest::mouseClick(grid->Widget(), Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
    }

    QTemporaryDir dir;
    TADOConnection conn;
    TADOQuery query;
    TDataSource source;
    TForm form{nullptr};
    TDBGrid* grid = nullptr;
};

}  // namespace

TEST_F(DBGridTest, ShowsEveryRecordUnderTheTitles) {
    EXPECT_EQ(grid->RowCount(), 2);  // titles and one empty row while closed
    EXPECT_EQ(grid->ColCount(), 3);  // indicator and two columns
    OpenHistory();
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->ColWidths(1), 100);
    EXPECT_EQ(ShownRows(),
              (std::vector<QStringList>{
                  {"2026-03-05", "0"}, {"2026-03-04", "56"}, {"2026-03-02", "310"}, {"2026-03-01", "200"}}));
    // Reading the rows leaves the query as Open left it, so a window can loop over it.
    EXPECT_TRUE(query.Bof());
    EXPECT_EQ(query.RecNo(), 1);
    int seen = 0;
    for (query.First(); !query.Eof(); query.Next())
        ++seen;
    EXPECT_EQ(seen, 4);
    // Reading the rows again (a column changed) leaves the query alone.
    query.SetRecNo(3);
    int changes = 0;
    const auto counting = QObject::connect(&query, &TADOQuery::DataChanged, [&] { ++changes; });
    grid->Columns()->Items(1)->SetWidth(80);
    QObject::disconnect(counting);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(query.RecNo(), 3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(ShownRows()[2], (QStringList{"2026-03-02", "310"}));

    OpenHistory("Where KCal > 100");
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(ShownRows(), (std::vector<QStringList>{{"2026-03-02", "310"}, {"2026-03-01", "120"}}));
    grid->Columns()->Items(0)->SetVisible(false);
    EXPECT_TRUE(grid->CellRect(1, 1).IsEmpty());
    EXPECT_EQ(ShownRows(), (std::vector<QStringList>{{"", "310"}, {"", "120"}}));
    query.Close();
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_TRUE(ShownRows().empty());
}

TEST_F(DBGridTest, TheSelectedRowAndTheCurrentRecordFollowEachOther) {
    OpenHistory();
    EXPECT_EQ(grid->Row(), 1);
    query.Next();
    query.Next();
    EXPECT_EQ(grid->Row(), 3);
    query.Last();
    EXPECT_EQ(grid->Row(), 4);

    ClickRow(2);
    EXPECT_EQ(query.RecNo(), 2);
    EXPECT_EQ(query.FieldByName("DT")->AsString(), "2026-03-04");
    grid->SetFocus();
    QTest::keyClick(grid->Widget(), Qt::Key_Down);
    EXPECT_EQ(query.FieldByName("DT")->AsString(), "2026-03-02");

    // A double-click reads the record of the row clicked, as the history lists do.
    QString opened;
    grid->OnDblClick = [&](TObject*) {
        if (query.Active() && !query.IsEmpty()) opened = query.FieldByName("DT")->AsString();
    };
    const TRect r = grid->CellRect(2, 4);
    QTest::mouseClick(grid->Widget(), Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
    QTest::mouseDClick(grid->Widget(), Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
    EXPECT_EQ(opened, "2026-03-01");

    TColumn* clicked = nullptr;
    grid->OnCellClick = [&](TColumn* Column) { clicked = Column; };
    ClickRow(1, 2);
    EXPECT_EQ(clicked, grid->Columns()->Items(1));
    EXPECT_EQ(clicked->Field()->AsString(), "0");
    clicked = nullptr;
    ClickRow(0, 2);  // titles are no cell click
    EXPECT_EQ(clicked, nullptr);
}

TEST_F(DBGridTest, WithoutColumnsEveryFieldIsShown) {
    grid->Columns()->Clear();
    OpenHistory();
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(ShownRows().front(), (QStringList{"2026-03-05", "0"}));
    grid->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect);
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->ColCount(), 2);
    ClickRow(3, 0);
    EXPECT_EQ(query.RecNo(), 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{0, 3, 1, 3}));
}

TEST_F(DBGridTest, DetachingAndFreeingTheQueryLeavesTheGridEmpty) {
    TADOQuery other;
    other.SetConnection(&conn);
    other.SQL()->SetText("Select DT, KCal as kcal1 From SPRcd");
    source.SetDataSet(&other);
    other.Open();
    EXPECT_EQ(grid->RowCount(), 6);
    source.SetDataSet(nullptr);
    EXPECT_EQ(grid->RowCount(), 2);
    other.Next();
    EXPECT_EQ(grid->Row(), 1);

    auto* temporary = new TADOQuery;
    temporary->SetConnection(&conn);
    temporary->SQL()->SetText("Select DT, KCal as kcal1 From SPRcd");
    source.SetDataSet(temporary);
    temporary->Open();
    EXPECT_EQ(grid->RowCount(), 6);
    delete temporary;
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(grid->RowCount(), 2);
    grid->Widget()->grab();  // painting an empty grid is fine
}
