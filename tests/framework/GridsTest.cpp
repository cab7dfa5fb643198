#include "Forms.h"
#include "Grids.h"
#include "PaintRecorder.h"
#include "RecordingServices.h"
#include "StdCtrls.h"
#include "WindowInput.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A shown, active window with one string grid laid out like the windows' entry grids: a header row,
// eight visible columns and hidden values beyond them.
class StringGridTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 640, 400);
        grid = new TStringGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(10, 10, 600, 300);
        grid->SetColCount(8);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(60);
        grid->SetDefaultRowHeight(20);
        form.ShowForm();
        QApplication::setActiveWindow(form.Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
        grid->SetFocus();
    }

    QPoint CentreOf(int col, int row) const {
        const TRect r = grid->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void ClickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(grid->Widget(), button, mods, CentreOf(col, row));
    }
    // Keys go where the keyboard would send them: to whatever has the focus.
    void Type(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    QLineEdit* Editor() const { return grid->Widget()->findChild<QLineEdit*>(); }
    QScrollBar* Bar(Qt::Orientation orientation) const {
        for (QScrollBar* bar : grid->Widget()->findChildren<QScrollBar*>())
            if (bar->orientation() == orientation) return bar;
        return nullptr;
    }
    bool EditorShown() const { return Editor() && Editor()->isVisible(); }

    TForm form{nullptr};
    TStringGrid* grid = nullptr;
};

// A grid that moves its current cell without events, as the data grid follows its records.
struct TQuietGrid : TStringGrid {
    using TCustomGrid::SetCurrentQuietly;
    using TStringGrid::TStringGrid;
};

// The entry grids switch editing on only in the amount column, from OnSelectCell.
void EditOnlyColumnTwo(TStringGrid* grid) {
    grid->OnSelectCell = [grid](TObject*, int ACol, int ARow, bool&) {
        const TGridOptions base = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
        if (ARow > 0) grid->SetOptions(ACol == 2 ? base | goEditing : base);
    };
}

}  // namespace

TEST_F(StringGridTest, TypingDigitsEditsTheCellAndReportsEveryChange) {
    EditOnlyColumnTwo(grid);
    std::vector<std::pair<QString, QString>> edits;  // (cell, value)
    grid->OnSetEditText = [&](TObject* sender, int ACol, int ARow, const QString& value) {
        EXPECT_EQ(sender, grid);
        edits.push_back({QString("%1,%2").arg(ACol).arg(ARow), value});
        // What the handler reads is already the typed text, as the row totals rely on.
        EXPECT_EQ(grid->Cells(ACol, ARow), value);
    };
    int enters = 0, exits = 0;  // the focus going to the editor and back is no leaving of the grid
    grid->OnEnter = [&](TObject*) { ++enters; };
    grid->OnExit = [&](TObject*) { ++exits; };
    grid->SetCells(2, 1, "100");
    ClickCell(2, 1);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    Type("25");
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), "25");  // the first key replaces the text
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0], std::make_pair(QString("2,1"), QString("2")));
    EXPECT_EQ(edits[1], std::make_pair(QString("2,1"), QString("25")));

    Press(Qt::Key_Backspace);
    Type("0");
    Press(Qt::Key_Return);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), "20");
    EXPECT_TRUE(grid->Widget()->hasFocus());

    // Column 3 has no editing: typing there changes nothing.
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 3);
    Type("7");
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(3, 1), "");
    EXPECT_EQ(edits.size(), 4u);
    Press(Qt::Key_Left);
    Press(Qt::Key_Return);  // Enter opens the editor on the cell's text
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->selectedText(), "20");
    Press(Qt::Key_Return);
    EXPECT_EQ(enters + exits, 0);
    Press(Qt::Key_Backspace);  // opens the editor emptied
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), "");
}

TEST_F(StringGridTest, AKeyDroppedByTheHandlerNeverReachesTheCell) {
    grid->SetOptions(grid->Options() | goEditing);
    QString seen;
    grid->OnKeyPress = [&](TObject* sender, QChar& key) {
        EXPECT_EQ(sender, grid);
        seen += key;
        if (key == QLatin1Char(','))
            key = QLatin1Char('.');
        else if (key != QLatin1Char('\b') && key != QLatin1Char('.') && !key.isDigit())
            key = QChar();
    };
    ClickCell(2, 1);
    Type("x");  // dropped before the editor opens
    EXPECT_FALSE(grid->EditorMode());
    Type("1a2,5b");
    EXPECT_EQ(grid->Cells(2, 1), "12.5");
    EXPECT_EQ(seen, "x1a2,5b");  // each key was seen once, by the grid's handler
    unsigned short lastKey = 0;
    grid->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        lastKey = key;
        if (key == VK_DOWN) key = 0;
    };
    unsigned short released = 0;
    grid->OnKeyUp = [&](TObject*, unsigned short& key, TShiftState) { released = key; };
    Press(Qt::Key_Down);  // dropped: the editor stays on the same cell
    EXPECT_EQ(lastKey, VK_DOWN);
    EXPECT_EQ(released, VK_DOWN);  // its release is the grid's too
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(StringGridTest, EscapeRestoresTheTextTheEditorOpenedWith) {
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(1, 2, "300");
    QString last;
    grid->OnSetEditText = [&](TObject*, int, int, const QString& value) { last = value; };
    grid->SetRow(2);
    Press(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->text(), "300");
    Type("5");  // F2 keeps the text and appends
    EXPECT_EQ(grid->Cells(1, 2), "3005");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 2), "300");
    EXPECT_EQ(last, "300");
    // The editor opens with what OnGetEditText makes of the cell's text.
    grid->OnGetEditText = [](TObject*, int, int, QString& value) { value += "0"; };
    Press(Qt::Key_F2);
    EXPECT_EQ(Editor()->text(), "3000");
    Press(Qt::Key_Escape);  // nothing typed: nothing written back
    EXPECT_EQ(grid->Cells(1, 2), "300");
}

// The entry grids keep only digits in OnKeyPress; Escape and Enter still work the editor, and
// OnKeyDown still sees them.
TEST_F(StringGridTest, EscapeAndEnterWorkTheEditorWhateverOnKeyPressKeeps) {
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(1, 2, "300");
    grid->OnKeyPress = [](TObject*, QChar& key) {
        if (!key.isDigit()) key = QChar();
    };
    std::vector<unsigned short> downs;
    grid->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { downs.push_back(key); };
    grid->SetRow(2);
    Press(Qt::Key_F2);
    Type("5x");
    ASSERT_EQ(grid->Cells(1, 2), "3005");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 2), "300");
    Press(Qt::Key_F2);
    Type("7");
    Press(Qt::Key_Return);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 2), "3007");
    EXPECT_EQ(downs.size(), 7u);
    EXPECT_EQ(downs[3], VK_ESCAPE);
    EXPECT_EQ(downs.back(), VK_RETURN);
}

// Ctrl pressed on its own (every Ctrl+key starts with it) and keys an edit has no use for end in the
// open editor; Ctrl with a letter reaches OnKeyPress as its control character and the clipboard keys
// work on the editor's text.
TEST_F(StringGridTest, KeysTheEditorHasNoUseForEndThereAndClipboardKeysWorkOnItsText) {
    grid->SetOptions(grid->Options() | goEditing);
    QString seen;
    grid->OnKeyPress = [&](TObject*, QChar& key) { seen += key; };
    ClickCell(2, 1);
    Type("12");
    Press(Qt::Key_Control);
    Press(Qt::Key_F5);
    EXPECT_TRUE(grid->EditorMode());
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(2, 1), "");
    Press(Qt::Key_V, Qt::ControlModifier);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(2, 1), "1212");
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_C, Qt::ControlModifier);
    Press(Qt::Key_End);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(2, 1), "12121212");
    EXPECT_EQ(seen, QString("12") + QChar(1) + QChar(0x18) + QChar(0x16) + QChar(0x16) + QChar(1) + QChar(3) +
                        QChar(0x16));
    // Outside the editor a control character opens none.
    Press(Qt::Key_Return);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), "12121212");
}

TEST_F(StringGridTest, AClickOnTheCurrentCellOpensTheEditorAndMovingClosesIt) {
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(1, 1, "8");
    ClickCell(1, 1);  // already current: opens the editor
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->geometry(), QRect(CentreOf(1, 1) - QPoint(30, 10), QSize(60, 20)));
    grid->SetColor(clYellow);  // the editor takes the grid's colour
    const QImage editor = Editor()->grab().toImage();
    EXPECT_EQ(editor.pixelColor(editor.width() - 2, editor.height() / 2), ToQColor(clYellow));
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(grid->EditorMode());
    ClickCell(2, 2);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(1, 1), "8");
    grid->SetCells(2, 2, "outside");
    ClickCell(2, 2);
    ASSERT_TRUE(EditorShown());
    grid->SetCells(2, 2, "changed");  // a window writing the cell being edited shows in the editor
    EXPECT_EQ(Editor()->text(), "changed");
    grid->SetOptions(grid->Options() & ~goEditing);  // switching editing off closes the editor
    EXPECT_FALSE(grid->EditorMode());
    // A column that becomes fixed takes the editor with it, and the current cell moves past it.
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCol(1);
    grid->SetEditorMode(true);
    ASSERT_TRUE(EditorShown());
    grid->SetFixedCols(2);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Col(), 2);
    // In the editor Right first ends the selection and moves the caret; at the text's end it moves on,
    // as Left does at its start.
    grid->SetEditorMode(true);
    Press(Qt::Key_Right);
    Press(Qt::Key_Left);  // inside the text the arrows move the caret
    Press(Qt::Key_Right);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Col(), 2);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_FALSE(grid->EditorMode());
    grid->SetEditorMode(true);
    Press(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 2);
    // A double click on another cell is two clicks: the second opens its editor.
    DoubleClick(grid->Widget(), CentreOf(4, 3));
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_TRUE(EditorShown());
    grid->SetColCount(4);  // its column removed
    EXPECT_FALSE(grid->EditorMode());
    // Fixing fewer columns or rows than reach the edited cell leaves its editor open.
    grid->SetEditorMode(true);
    grid->SetFixedCols(1);
    grid->SetFixedRows(3);
    EXPECT_TRUE(grid->EditorMode());
}

// With the editor always shown, the grid opens it as it takes the focus and on every cell it moves to;
// Enter selects the text instead of closing it, and leaving the grid from it closes it and is the
// grid's leaving.
TEST_F(StringGridTest, AnAlwaysShownEditorOpensWithTheFocusAndFollowsTheCurrentCell) {
    auto* other = new TEdit(&form);
    other->SetParent(&form);
    other->SetTop(330);
    int exits = 0;
    grid->OnExit = [&](TObject*) { ++exits; };
    grid->SetCells(1, 1, "12");
    grid->SetOptions(grid->Options() | goEditing | goAlwaysShowEditor);
    ASSERT_TRUE(EditorShown());
    other->SetFocus();
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(exits, 1);
    grid->SetFocus();
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->text(), "12");
    Type("5");
    Press(Qt::Key_Return);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(Editor()->selectedText(), "5");
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(exits, 1);
}

// A move without events stays inside the grid and closes the editor only when the cell changes.
TEST_F(StringGridTest, AQuietMoveStaysInTheGridAndClosesTheEditorOnlyWhenTheCellChanges) {
    auto* quiet = new TQuietGrid(&form);
    quiet->SetParent(&form);
    quiet->SetOptions(quiet->Options() | goEditing);
    quiet->SetFocus();
    quiet->SetEditorMode(true);
    quiet->SetCurrentQuietly(1, 1);
    EXPECT_TRUE(quiet->EditorMode());
    quiet->SetCurrentQuietly(9, 99);
    EXPECT_FALSE(quiet->EditorMode());
    EXPECT_EQ(quiet->Col(), 4);
    EXPECT_EQ(quiet->Row(), 4);
}

TEST_F(StringGridTest, HiddenColumnsKeepTheirValuesAndRowsFollowRowCount) {
    grid->SetCells(8, 1, "1031");
    grid->SetCells(9, 1, "1");
    grid->SetCells(10, 1, "1");
    EXPECT_EQ(grid->Cells(8, 1), "1031");
    grid->SetColCount(4);
    grid->SetColCount(8);
    EXPECT_EQ(grid->Cells(10, 1), "1");

    // Shrinking drops the rows that are gone; growing brings back empty rows.
    grid->SetCells(1, 1, "鸡蛋");
    grid->SetCells(1, 3, "牛奶");
    grid->SetObjects(0, 3, grid);
    grid->SetRowCount(2);
    EXPECT_EQ(grid->Cells(1, 3), "");
    grid->SetRowCount(5);
    EXPECT_EQ(grid->Cells(1, 3), "");
    EXPECT_EQ(grid->Objects(0, 3), nullptr);
    EXPECT_EQ(grid->Cells(1, 1), "鸡蛋");
    EXPECT_EQ(grid->Cells(8, 1), "1031");

    // A filler may write rows first and set RowCount afterwards.
    grid->SetCells(0, 6, "张三");
    grid->SetRowCount(7);
    EXPECT_EQ(grid->Cells(0, 6), "张三");
    EXPECT_EQ(grid->Rows(6).size(), 8);
    EXPECT_EQ(grid->Rows(6).first(), "张三");
    EXPECT_EQ(grid->Cols(1).at(1), "鸡蛋");

    // The last row removed while its cell is edited takes the editor with it.
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetRow(6);
    grid->SetEditorMode(true);
    ASSERT_TRUE(EditorShown());
    grid->SetRowCount(6);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(EditorShown());

    // The current cell and the fixed rows stay inside the grid.
    grid->SetRowCount(7);
    grid->SetRow(6);
    grid->SetRowCount(3);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Selection().Bottom, 2);
    grid->SetRowCount(1);
    EXPECT_EQ(grid->FixedRows(), 0);
    EXPECT_EQ(grid->Row(), 0);
    grid->SetRowCount(4);
    grid->SetFixedRows(9);  // all but one row at most
    EXPECT_EQ(grid->FixedRows(), 3);
    EXPECT_EQ(grid->Row(), 3);
    grid->SetFixedCols(-1);
    EXPECT_EQ(grid->FixedCols(), 0);
}

TEST_F(StringGridTest, SelectingACellAsksFirstThenClicks) {
    std::vector<QString> events;
    bool refuse = false;
    grid->OnSelectCell = [&](TObject*, int ACol, int ARow, bool& CanSelect) {
        events.push_back(QString("select %1,%2").arg(ACol).arg(ARow));
        if (refuse) CanSelect = false;
    };
    grid->OnClick = [&](TObject*) {
        events.push_back(QString("click %1,%2").arg(grid->Col()).arg(grid->Row()));
    };
    ClickCell(3, 2);
    EXPECT_EQ(events, (std::vector<QString>{"select 3,2", "click 3,2"}));

    events.clear();
    refuse = true;
    ClickCell(4, 3);
    EXPECT_EQ(events, (std::vector<QString>{"select 4,3"}));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 2);
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);

    // Fixed cells and the right button do not select; a click on the current cell is no move.
    events.clear();
    refuse = false;
    ClickCell(0, 2);
    ClickCell(3, 0);
    ClickCell(5, 3, Qt::RightButton);
    ClickCell(3, 2);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(grid->Col(), 3);

    // Keyboard and program moves go the same way, to the first column after the fixed one too.
    Press(Qt::Key_Down);
    grid->SetCol(5);
    grid->SetCol(1);
    EXPECT_EQ(events, (std::vector<QString>{"select 3,3", "click 3,3", "select 5,3", "click 5,3",
                                            "select 1,3", "click 1,3"}));
    EXPECT_EQ(grid->Col(), 1);
    // A handler that removes the row being moved to leaves the current cell inside the grid.
    grid->OnSelectCell = [&](TObject*, int, int, bool&) { grid->SetRowCount(2); };
    grid->SetRow(2);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(StringGridTest, MouseToCellAndCellRectAgree) {
    grid->SetColWidths(1, 100);
    grid->SetColWidths(3, -1);         // hidden
    grid->SetColWidths(5, 1);          // narrow, but shown
    grid->SetRowHeights(2, 0);         // hidden
    grid->SetRowHeights(1 << 24, 30);  // past the last row: nothing to size
    grid->SetColWidths(1 << 30, 30);   // nor past the last column or before the first
    grid->SetColWidths(-(1 << 30), 30);
    grid->SetRowCount(40);
    for (int col = 0; col < 8; ++col)
        for (int row = 0; row < 8; ++row) {
            const TRect r = grid->CellRect(col, row);
            if (col == 3 || row == 2) {
                EXPECT_TRUE(r.IsEmpty()) << col << "," << row;
                continue;
            }
            int c = -2, w = -2;
            grid->MouseToCell(r.Left, r.Top, c, w);
            EXPECT_EQ(c, col);
            EXPECT_EQ(w, row);
            grid->MouseToCell(r.Right - 1, r.Bottom - 1, c, w);
            EXPECT_EQ(c, col);
            EXPECT_EQ(w, row);
        }
    // The arrows pass over hidden columns and rows.
    grid->SetCol(2);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 4);
    Press(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 2);
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 3);
    Press(Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1);
    // Cells follow each other with a one-pixel line between them; the hidden ones take no room.
    EXPECT_EQ(grid->CellRect(0, 0), Rect(2, 2, 62, 22));
    EXPECT_EQ(grid->CellRect(1, 1), Rect(63, 23, 163, 43));
    EXPECT_EQ(grid->CellRect(4, 3).Left, grid->CellRect(2, 3).Right + 1);
    EXPECT_EQ(grid->CellRect(1, 3).Top, grid->CellRect(1, 1).Bottom + 1);
    EXPECT_EQ(grid->MouseCoord(599 - 25, 5).X, -1);  // right of the last column
    EXPECT_EQ(grid->MouseCoord(0, 0).X, -1);         // on the border

    // After scrolling, rows that left the view have no rectangle and the fixed row stays on top.
    grid->SetTopRow(10);
    EXPECT_EQ(grid->TopRow(), 10);
    EXPECT_TRUE(grid->CellRect(1, 5).IsEmpty());
    EXPECT_EQ(grid->CellRect(1, 10).Top, 23);
    EXPECT_EQ(grid->MouseCoord(70, 30).Y, 10);
    EXPECT_EQ(grid->MouseCoord(70, 10).Y, 0);
    EXPECT_EQ(grid->CellRect(5, 10).Width(), 1);
    // Without a border the first cells start at the control's edge; without lines they touch.
    grid->SetBorderStyle(bsNone);
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 60, 20));
    grid->SetGridLineWidth(-2);
    EXPECT_EQ(grid->GridLineWidth(), 0);
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 60, 20));
    EXPECT_EQ(grid->CellRect(1, 0).Left, 60);
    // A fixed row that would start right at the bottom edge is out of view.
    grid->SetFixedRows(2);
    grid->SetRowHeights(0, 300);
    EXPECT_TRUE(grid->CellRect(1, 1).IsEmpty());
}

TEST_F(StringGridTest, OnMouseDownCanSelectTheCellUnderTheMouse) {
    // The pop-up menus act on the row the right button was pressed on.
    grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        int col, row;
        grid->MouseToCell(X, Y, col, row);
        if (col >= 0 && row >= 1) {
            grid->SetRow(row);
            grid->SetCol(col);
        }
    };
    ClickCell(4, 3, Qt::RightButton);
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(StringGridTest, OnDrawCellPaintsOnTheGridsCanvas) {
    grid->SetCells(1, 1, "鸡蛋");
    grid->SetCol(5);  // keeps the focus rectangle out of the cells looked at
    std::vector<std::tuple<int, int, TRect, TGridDrawState>> calls;
    grid->OnDrawCell = [&](TObject* sender, int ACol, int ARow, TRect Rect, TGridDrawState State) {
        calls.emplace_back(ACol, ARow, Rect, State);
        TCanvas* canvas = static_cast<TStringGrid*>(sender)->Canvas();
        if (ARow == 2) {  // the windows' row shading: fill, then write the text themselves
            canvas->Brush()->SetColor(TColor(0xFCEEE3));
            canvas->FillRect(Rect);
        }
        if (ACol == 2 && ARow == 1) canvas->SetPixels(Rect.Left, Rect.Top, clRed);
    };
    const QImage image = grid->Widget()->grab().toImage();
    ASSERT_FALSE(calls.empty());
    for (const auto& [col, row, rect, state] : calls) {
        EXPECT_EQ(rect, grid->CellRect(col, row)) << col << "," << row;
        EXPECT_EQ((state & gdFixed) != 0, col == 0 || row == 0);
    }
    const TRect shaded = grid->CellRect(3, 2), marked = grid->CellRect(2, 1);
    EXPECT_EQ(image.pixelColor(shaded.Left + 5, shaded.Top + 5), QColor(0xE3, 0xEE, 0xFC));
    EXPECT_EQ(image.pixelColor(marked.Left, marked.Top), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(marked.Left + 1, marked.Top), QColor(Qt::white));
    // The default drawing wrote the text before the handler was called.
    const TRect text = grid->CellRect(1, 1);
    bool inked = false;
    for (int x = text.Left; x < text.Right; ++x)
        for (int y = text.Top; y < text.Bottom; ++y)
            inked |= image.pixelColor(x, y).lightness() < 128;
    EXPECT_TRUE(inked);

    // Without the default drawing the handler alone paints: no text appears.
    grid->SetDefaultDrawing(false);
    const QImage bare = grid->Widget()->grab().toImage();
    bool inkedBare = false;
    for (int x = text.Left; x < text.Right; ++x)
        for (int y = text.Top; y < text.Bottom; ++y)
            inkedBare |= bare.pixelColor(x, y).lightness() < 128;
    EXPECT_FALSE(inkedBare);
}

// What the default drawing gives a cell: the cell filled with its colour and the text from two pixels
// in, cut with an ellipsis at the cell's right edge, as Qt writes it.
QImage ExpectedCell(const TRect& r, const QString& text, const QFont& font, TColor back, TColor ink) {
    QImage image(r.Width(), r.Height(), QImage::Format_RGB32);
    image.fill(ToQColor(back));
    QPainter p(&image);
    const QFontMetrics metrics(font);
    p.setFont(font);
    p.setPen(ToQColor(ink));
    p.drawText(2, 2 + metrics.ascent(), metrics.elidedText(text, Qt::ElideRight, r.Width() - 2));
    return image;
}

// Plain and fixed cells, short and cut texts, drawn again with other texts in their places: each cell
// shows just its own text, as Qt writes it, on its own colour.
TEST_F(StringGridTest, TheDefaultDrawingWritesEachCellsTextAsQtWritesIt) {
    grid->SetCol(5);  // keeps the focus rectangle out of the cells looked at
    const QFont font = grid->Font()->ToQFont();
    const QStringList texts = {"鸡蛋(白皮)", "123.5", "维生素B1 (mg) 与其他很长的名字", "", "早餐"};
    for (int round = 0; round < 2; ++round) {
        for (int col = 0; col < 5; ++col)
            for (int row = 0; row < 3; ++row)
                grid->SetCells(col, row, texts[(col + row + round) % texts.size()]);
        const QImage shot = grid->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int col = 0; col < 5; ++col)
            for (int row = 0; row < 3; ++row) {
                const TRect r = grid->CellRect(col, row);
                const bool fixed = col == 0 || row == 0;
                const QImage expected =
                    ExpectedCell(r, grid->Cells(col, row), font, fixed ? grid->FixedColor() : grid->Color(),
                                 grid->Font()->Color());
                // A fixed cell's raised edge lies over its top row and left column.
                const int edge = fixed ? 1 : 0;
                const QRect inside(edge, edge, r.Width() - edge, r.Height() - edge);
                ASSERT_EQ(shot.copy(inside.translated(r.Left, r.Top)), expected.copy(inside))
                    << col << "," << row << " round " << round;
            }
    }
}

TEST_F(StringGridTest, KeyboardMovesTheCurrentCellAndScrollsItIntoView) {
    auto* next = new TEdit(&form);  // somewhere for Tab to go
    next->SetParent(&form);
    next->SetTop(330);
    grid->SetRowCount(50);
    grid->SetHeight(297);  // 13 rows of 20 px and their lines fill the 272 px under the header exactly
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    Press(Qt::Key_End);
    EXPECT_EQ(grid->Col(), 7);
    Press(Qt::Key_Home);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->VisibleRowCount(), 13);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(grid->Row(), 15);
    EXPECT_EQ(grid->TopRow(), 3);  // scrolled just far enough: rows 3 to 15 in view
    Press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 49);
    const TRect last = grid->CellRect(7, 49);
    EXPECT_FALSE(last.IsEmpty());
    EXPECT_LE(last.Bottom, grid->ClientHeight() + 2);
    // Scrolled just far enough: rows 37 to 49 fill the view, and the bar's thumb is at its end.
    EXPECT_EQ(grid->TopRow(), 37);
    EXPECT_EQ(Bar(Qt::Vertical)->maximum(), 36);
    EXPECT_EQ(Bar(Qt::Vertical)->value(), 36);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(grid->Row(), 36);
    grid->SetRow(45);
    Press(Qt::Key_PageDown);  // no further than the last row
    EXPECT_EQ(grid->Row(), 49);
    Press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_EQ(Bar(Qt::Vertical)->value(), 0);
    // Scrolling to a row counts the rows above it by their own heights: rows 3 to 14 take 251 px and
    // the 104 px row 2 does not fit in the 21 px left.
    grid->SetRowHeights(2, 104);
    grid->SetRow(14);
    EXPECT_EQ(grid->TopRow(), 3);
    grid->SetRowHeights(2, 20);
    grid->SetRowHeights(40, 1);  // a row one pixel high is scrolled to as well
    grid->SetRow(40);
    EXPECT_FALSE(grid->CellRect(1, 40).IsEmpty());
    grid->SetRowHeights(40, 20);
    grid->SetRow(1);

    // Tab moves between cells only with goTabs.
    Press(Qt::Key_Tab);
    EXPECT_FALSE(grid->Widget()->hasFocus());
    grid->SetFocus();
    grid->SetOptions(grid->Options() | goTabs | goRangeSelect);
    Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 2, 1}));  // Tab selects no range
    grid->SetCol(7);
    Press(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    Press(Qt::Key_Tab, Qt::ShiftModifier);  // back, to the row before's last column
    EXPECT_EQ(grid->Col(), 7);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Selection(), (TGridRect{7, 1, 7, 1}));  // nor does Shift+Tab
    Press(Qt::Key_Backtab);
    EXPECT_EQ(grid->Col(), 6);

    // With one row in view, a page is one row.
    grid->SetHeight(46);
    ASSERT_EQ(grid->VisibleRowCount(), 1);
    grid->SetRow(10);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(grid->Row(), 9);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(grid->Row(), 10);
    // Without fixed columns, Home goes to the first column.
    grid->SetFixedCols(0);
    Press(Qt::Key_Home);
    EXPECT_EQ(grid->Col(), 0);
}

TEST_F(StringGridTest, RangeAndRowSelection) {
    ClickCell(2, 1);
    ClickCell(4, 3, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 4, 3}));
    Press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 3, 3}));
    // A selected cell other than the current one shows its text in the highlight colours.
    grid->SetCells(2, 1, "鸡蛋");
    const TRect selected = grid->CellRect(2, 1);
    const QImage shot = grid->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.copy(selected.Left, selected.Top, selected.Width(), selected.Height()),
              ExpectedCell(selected, "鸡蛋", grid->Font()->ToQFont(), clHighlight, clHighlightText));
    Press(Qt::Key_Right);  // a move without Shift starts again from the one cell
    EXPECT_EQ(grid->Selection(), (TGridRect{4, 3, 4, 3}));
    // Dragging with the button held selects from where it was pressed.
    QTest::mousePress(grid->Widget(), Qt::LeftButton, {}, CentreOf(2, 2));
    QMouseEvent drag(QEvent::MouseMove, QPointF(CentreOf(3, 3)),
                     grid->Widget()->mapToGlobal(QPointF(CentreOf(3, 3))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid->Widget(), &drag);
    QTest::mouseRelease(grid->Widget(), Qt::LeftButton, {}, CentreOf(3, 3));
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 3}));
    // The current cell of a range shows the highlight only when the grid is asked to.
    const QPoint current = CentreOf(3, 3);
    EXPECT_EQ(grid->Widget()->grab().toImage().pixelColor(current), ToQColor(grid->Color()));
    grid->SetOptions(grid->Options() | goDrawFocusSelected);
    EXPECT_EQ(grid->Widget()->grab().toImage().pixelColor(current), ToQColor(clHighlight));
    grid->SetOptions(grid->Options() | goRowSelect | goEditing);
    ClickCell(5, 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 7, 2}));
    Type("1");  // no editing in row selection
    EXPECT_FALSE(grid->EditorMode());
    grid->SetSelection({1, 3, 7, 3});
    EXPECT_EQ(grid->Row(), 3);
    Press(Qt::Key_Home);  // a grid that selects rows goes to its first and last row
    EXPECT_EQ(grid->Row(), 1);
    Press(Qt::Key_End);
    EXPECT_EQ(grid->Row(), 3);

    // Left and Right scroll the columns one at a time. Columns 12 to 19 (8 x 61 - 1 px) are the most
    // that fit the 535 px beside the fixed one: at the far right the bar's thumb is at its end.
    grid->SetColCount(9);  // 9 x 61 - 1 = 548 px fit the 596 between the borders; 10 columns do not
    EXPECT_TRUE(Bar(Qt::Horizontal)->isHidden());
    grid->SetColCount(10);
    EXPECT_FALSE(Bar(Qt::Horizontal)->isHidden());
    EXPECT_EQ(Bar(Qt::Horizontal)->geometry().bottom(), grid->Height() - 3);
    grid->SetColCount(20);
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->LeftCol(), 3);
    Press(Qt::Key_Left);
    EXPECT_EQ(grid->LeftCol(), 2);
    EXPECT_EQ(grid->Row(), 3);
    grid->SetLeftCol(99);
    EXPECT_EQ(grid->LeftCol(), 12);
    EXPECT_EQ(Bar(Qt::Horizontal)->maximum(), 11);
    EXPECT_EQ(Bar(Qt::Horizontal)->value(), 11);
}

TEST_F(StringGridTest, ColumnsCanBeSizedByDraggingTheirEdgeInTheHeader) {
    const TRect header = grid->CellRect(1, 0);
    const QPoint edge(header.Right, (header.Top + header.Bottom) / 2);
    QTest::mousePress(grid->Widget(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(grid->Widget(), edge + QPoint(30, 0));
    QTest::mouseRelease(grid->Widget(), Qt::LeftButton, {}, edge + QPoint(30, 0));
    EXPECT_EQ(grid->ColWidths(1), 60);  // no goColSizing
    grid->SetOptions(grid->Options() | goColSizing);
    QTest::mousePress(grid->Widget(), Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + QPoint(30, 0)),
                     grid->Widget()->mapToGlobal(QPointF(edge + QPoint(30, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid->Widget(), &move);
    QTest::mouseRelease(grid->Widget(), Qt::LeftButton, {}, edge + QPoint(30, 0));
    EXPECT_EQ(grid->ColWidths(1), 90);
    // Pointing at the edge anywhere in the header, its top row too, shows where to drag.
    const QPoint top(grid->CellRect(1, 0).Right, header.Top);
    QTest::mouseMove(grid->Widget(), top);
    EXPECT_EQ(grid->Widget()->cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(grid->Widget(), CentreOf(2, 2));
    EXPECT_EQ(grid->Widget()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(grid->Widget(), QPoint(grid->CellRect(1, 2).Right, CentreOf(1, 2).y()));
    EXPECT_EQ(grid->Widget()->cursor().shape(), Qt::ArrowCursor);  // below the header, no edge to drag
}

// Scrolling repaints the cells that came into view. The border is a sunken edge: shadow above and to
// the left, light below and to the right; without it and without the default drawing, the grid shows
// its colour where no handler paints.
TEST_F(StringGridTest, ScrollingRepaintsTheCellsAndTheBorderIsASunkenEdge) {
    const QImage barless = grid->Widget()->grab().toImage();
    grid->SetRowCount(40);
    QApplication::processEvents();
    TPaintRecorder recorder(grid->Widget());
    grid->SetTopRow(20);
    QApplication::processEvents();
    const TRect cell = grid->CellRect(3, 22);
    const QRect cellArea(cell.Left, cell.Top, cell.Width(), cell.Height());
    EXPECT_TRUE(recorder.Painted.contains(cellArea));
    recorder.Painted = QRegion();
    grid->SetCells(3, 22, "鸡蛋");  // a cell the program writes shows at once
    QApplication::processEvents();
    EXPECT_TRUE(recorder.Painted.contains(cellArea));
    // The lines between the scrolling cells go with their options.
    const QPoint vertical(cell.Right, cell.Top + 5), horizontal(cell.Left + 5, cell.Bottom);
    EXPECT_EQ(grid->Widget()->grab().toImage().pixelColor(vertical), ToQColor(clSilver));
    grid->SetOptions(grid->Options() & ~(goVertLine | goHorzLine));
    const QImage lineless = grid->Widget()->grab().toImage();
    EXPECT_EQ(lineless.pixelColor(vertical), ToQColor(grid->Color()));
    EXPECT_EQ(lineless.pixelColor(horizontal), ToQColor(grid->Color()));

    const QImage shot = grid->Widget()->grab().toImage();
    const int w = grid->Width(), h = grid->Height();
    const std::tuple<int, int, TColor> edge[] = {
        {9, 0, clBtnShadow},       {0, 9, clBtnShadow},        {9, 1, cl3DDkShadow},
        {1, 9, cl3DDkShadow},      {9, h - 1, clBtnHighlight}, {w - 1, 9, clBtnHighlight},
        {9, h - 2, cl3DLight},     {w - 2, 9, cl3DLight},      {w - 2, 1, cl3DLight},
        {1, h - 2, cl3DLight},     {0, h - 2, clBtnShadow},    {w - 1, h - 2, clBtnHighlight},
        {0, h - 1, clBtnHighlight}};
    for (const auto& [x, y, color] : edge)
        EXPECT_EQ(shot.pixelColor(x, y), ToQColor(color)) << x << "," << y;
    // The light lines are one pixel wide.
    EXPECT_EQ(barless.pixelColor(w - 3, 30), ToQColor(grid->Color()));
    EXPECT_EQ(barless.pixelColor(300, h - 3), ToQColor(grid->Color()));
    // A fixed cell is raised: light along its top and its left.
    const TRect fixedCell = grid->CellRect(2, 0);
    EXPECT_EQ(shot.pixelColor(fixedCell.Left + 9, fixedCell.Top), ToQColor(clBtnHighlight));
    EXPECT_EQ(shot.pixelColor(fixedCell.Left, fixedCell.Top + 9), ToQColor(clBtnHighlight));
    grid->SetBorderStyle(bsNone);
    grid->SetDefaultDrawing(false);
    const QPoint inWindow = grid->Widget()->mapTo(form.Widget(), QPoint(0, 30));
    const QPoint top = grid->Widget()->mapTo(form.Widget(), QPoint(550, 0));  // right of the cells
    const QImage window = form.Widget()->grab().toImage();
    EXPECT_EQ(window.pixelColor(inWindow), ToQColor(grid->Color()));
    EXPECT_EQ(window.pixelColor(top), ToQColor(grid->Color()));
}

// A bar shows only where the cells do not fit and the grid allows one; the horizontal bar's room can
// make the vertical one needed. Clicks on a bar, its thumb and the wheel scroll the cells.
TEST_F(StringGridTest, ScrollBarsShowWhereTheCellsDoNotFitAndScrollThem) {
    grid->SetRowCount(14);  // 14 x 21 - 1 = 293 px fit the 296 between the borders
    EXPECT_TRUE(Bar(Qt::Vertical)->isHidden());
    grid->SetColCount(10);  // too wide: the horizontal bar takes room the rows need
    EXPECT_FALSE(Bar(Qt::Horizontal)->isHidden());
    EXPECT_FALSE(Bar(Qt::Vertical)->isHidden());
    const QPoint corner(Bar(Qt::Vertical)->x() + 2, Bar(Qt::Horizontal)->y() + 2);
    EXPECT_EQ(grid->Widget()->grab().toImage().pixelColor(corner), ToQColor(clBtnFace));
    grid->SetRowCount(40);
    const std::tuple<TScrollStyle, bool, bool> styles[] = {
        {ssVertical, false, true}, {ssHorizontal, true, false}, {ssNone, false, false}, {ssBoth, true, true}};
    for (const auto& [style, horizontal, vertical] : styles) {
        grid->SetScrollBars(style);
        EXPECT_EQ(!Bar(Qt::Horizontal)->isHidden(), horizontal) << style;
        EXPECT_EQ(!Bar(Qt::Vertical)->isHidden(), vertical) << style;
    }
    QScrollBar* bar = Bar(Qt::Vertical);
    EXPECT_EQ(bar->pageStep(), grid->VisibleRowCount());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->TopRow(), 2);
    Bar(Qt::Horizontal)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->LeftCol(), 2);
    QWheelEvent wheel(QPointF(CentreOf(2, 5)), grid->Widget()->mapToGlobal(QPointF(CentreOf(2, 5))), {},
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->Widget(), &wheel);
    EXPECT_EQ(grid->TopRow(), 5);  // three rows a notch
    // The thumb scrolls when let go, or as it moves with goThumbTracking.
    bar->setSliderDown(true);
    bar->setSliderPosition(9);
    EXPECT_EQ(grid->TopRow(), 5);
    bar->setSliderDown(false);
    EXPECT_EQ(grid->TopRow(), 10);
    grid->SetOptions(grid->Options() | goThumbTracking);
    bar->setSliderDown(true);
    bar->setSliderPosition(19);
    EXPECT_EQ(grid->TopRow(), 20);
    bar->setSliderDown(false);
}

TEST_F(StringGridTest, AnExceptionInAHandlerIsShownAndTheGridGoesOn) {
    TRecordingMessageService boxes;
    grid->OnSelectCell = [](TObject*, int, int, bool&) { throw Exception("选择出错"); };
    ClickCell(2, 2);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.LastText(), "选择出错");
    EXPECT_EQ(grid->Row(), 2);
}

TEST(StringGridDefaults, ANewGridHasFiveByFiveCellsWithOneFixedRowAndColumn) {
    TStringGrid grid(nullptr);
    EXPECT_EQ(grid.Width(), 320);
    EXPECT_EQ(grid.Height(), 120);
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.CellRect(1, 1), Rect(67, 27, 131, 51));  // 64 x 24 cells inside the border
    grid.SetColWidths(0, 30);
    grid.SetRowHeights(0, 10);
    EXPECT_EQ(grid.ColWidths(0), 30);
    EXPECT_EQ(grid.RowHeights(0), 10);
    grid.SetColCount(0);  // a grid keeps one column and one row
    grid.SetRowCount(0);
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.RowCount(), 1);
}

TEST(StringGridLifetime, AGridOutlivingItsHostWidgetIsFreedSafely) {
    auto* host = new TForm(nullptr);
    auto* grid = new TStringGrid(nullptr);
    grid->SetParent(host);
    grid->SetCells(1, 1, "x");
    delete host;  // the grid keeps its widget, scroll bars and all
    ASSERT_NE(grid->Widget(), nullptr);
    grid->SetRowCount(50);
    grid->SetTopRow(40);
    EXPECT_EQ(grid->Cells(1, 1), "x");
    QPointer<QWidget> widget = grid->Widget();
    delete grid;
    EXPECT_TRUE(widget.isNull());
}
