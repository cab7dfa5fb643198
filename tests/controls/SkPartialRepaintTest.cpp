// The styled controls as the window system repaints them: a blinking caret in a date edit on a tab
// sheet repaints the caret and only the part of the sheet beneath it, and a hot button repaints whole;
// what lands on the screen is what a full repaint of the window shows.
#include "ExtCtrls.h"
#include "PaintRecorder.h"
#include "SkButton.h"
#include "SkEditDateTime.h"
#include "SkGrids.h"
#include "SkTabsPages.h"

#include <QLineEdit>

namespace {

// A page control whose sheet holds a panel with a calendar grid and, in front of it, a panel with a
// date edit, as the personal centre's history pages have them.
class StyledRepaint : public testing::Test {
protected:
    void SetUp() override {
        Form.SetBounds(0, 0, 420, 300);
        auto* pages = new TSkPageControl(&Form);
        pages->SetParent(&Form);
        pages->SetAlign(alClient);
        Sheet = new TSkTabSheet(&Form);
        Sheet->SetPageControl(pages);
        pages->SetActivePageIndex(0);
        auto* calendarPanel = Panel();
        Calendar = new TSkStringGrid(&Form);
        Calendar->SetParent(calendarPanel);
        Calendar->SetBounds(4, 4, 380, 200);
        Front = Panel();
        Field = new TSkDateTimeEdit(&Form);
        Field->SetParent(Front);
        Field->SetBounds(20, 10, 104, 24);
        Button = new TSkButton(&Form);
        Button->SetParent(Front);
        Button->SetBounds(140, 10, 80, 28);
        Button->SetCaption("查询");
        Button->SetHotTrack(true);
        Front->BringToFront();
        Form.ShowForm();
        Form.Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.Widget()));
        FlushPainting();
    }
    TPanel* Panel() {
        auto* panel = new TPanel(&Form);
        panel->SetParent(Sheet);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clWhite);
        panel->SetAlign(alClient);
        return panel;
    }
    TForm Form{nullptr};
    TSkTabSheet* Sheet = nullptr;
    TPanel* Front = nullptr;
    TSkStringGrid* Calendar = nullptr;
    TSkDateTimeEdit* Field = nullptr;
    TSkButton* Button = nullptr;
};

TEST_F(StyledRepaint, ABlinkingCaretRepaintsItselfAndOnlyThePartBeneathIt) {
    auto* edit = qobject_cast<QLineEdit*>(Field->Widget());
    ASSERT_NE(edit, nullptr);
    Field->SetFocus();
    FlushPainting();
    ASSERT_TRUE(edit->hasFocus());
    TPaintRecorder caret(edit), panel(Front->Widget()), sheet(Sheet->Widget()), calendar(Calendar->Widget());
    const QRect cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    ASSERT_FALSE(cursor.isEmpty());
    edit->update(cursor);  // what a blink marks
    FlushPainting();
    EXPECT_TRUE(caret.Painted.contains(cursor));
    // Beneath the edit only the panel under the caret paints; the sheet and the covered calendar not.
    EXPECT_TRUE(QRegion(cursor.translated(edit->pos())).contains(panel.Painted.boundingRect()));
    EXPECT_TRUE(sheet.Painted.isEmpty());
    EXPECT_TRUE(calendar.Painted.isEmpty());
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

TEST_F(StyledRepaint, AHotButtonRepaintsWholeAndGoesBackWhole) {
    TPaintRecorder button(Button->Widget());
    const QImage cold = OnScreen(Form);
    Button->Perform(CM_MOUSEENTER);
    FlushPainting();
    EXPECT_EQ(button.Painted, QRegion(0, 0, 80, 28));
    const QImage hot = OnScreen(Form);
    EXPECT_EQ(hot, Repainted(Form));
    EXPECT_NE(hot, cold);
    Button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(OnScreen(Form), cold);
}

// The styled grid keeps its colour as the focus comes and goes (its focus colour is its colour): a grid
// that selects rows looks the same either way and repaints nothing.
TEST_F(StyledRepaint, AStyledGridThatSelectsRowsRepaintsNothingForTheFocus) {
    auto* list = new TSkStringGrid(&Form);
    list->SetParent(Front);
    list->SetBounds(20, 50, 300, 120);
    list->SetOptions(list->Options() | goRowSelect);
    FlushPainting();
    TPaintRecorder recorder(list->Widget());
    list->SetFocus();
    FlushPainting();
    ASSERT_TRUE(list->Focused());
    Field->SetFocus();
    FlushPainting();
    EXPECT_TRUE(recorder.Painted.isEmpty());
    // A focus colour of its own repaints it whole.
    list->SetFocusColor(clInfoBk);
    list->SetFocus();
    FlushPainting();
    EXPECT_EQ(recorder.Painted, QRegion(0, 0, 300, 120));
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

// A panel in front of the calendar panel and brought behind it again uncovers the calendar: it is
// painted whole then.
TEST_F(StyledRepaint, ACalendarUncoveredIsPaintedWhole) {
    TPaintRecorder calendar(Calendar->Widget());
    Calendar->SetCells(1, 1, "15");
    FlushPainting();
    EXPECT_TRUE(calendar.Painted.isEmpty());
    Front->Hide();
    FlushPainting();
    EXPECT_EQ(calendar.Painted, QRegion(0, 0, Calendar->Width(), Calendar->Height()));
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

}  // namespace
