#include "ControlProbes.h"
#include "Forms.h"
#include "GridInput.h"
#include "Platform.h"
#include "SkGrids.h"
#include "TypInfo.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A 4 × 4 grid of 60 × 18 cells, one fixed row and column, inside the two-pixel border: column
// lines at x = 62, 123, 184, row lines at y = 20, 39, 58.
class SkStringGridTest : public testing::Test {
protected:
    void SetUp() override {
        grid = new TSkStringGrid(&form);
        grid->SetParent(&form);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetScrollBars(ssNone);
    }
    void TearDown() override { ResetPlatformProfile(); }
    TColor At(int x, int y) { return Pixel(grid->PaintOffscreen(), x, y); }

    TForm form{nullptr};
    TSkStringGrid* grid = nullptr;
};

TEST_F(SkStringGridTest, StartsWithTheDeclaredSizesAndColours) {
    EXPECT_EQ(grid->Width(), 325);
    EXPECT_EQ(grid->Height(), 125);
    EXPECT_EQ(grid->DefaultColWidth(), 60);
    EXPECT_EQ(grid->DefaultRowHeight(), 18);
    EXPECT_EQ(grid->LineColor(), clBtnFace);
    EXPECT_EQ(grid->FixedLineColor(), clBtnShadow);
    EXPECT_EQ(grid->FrameStyle(), fsFlat);
    EXPECT_FALSE(grid->FrameVisible());
    // The frame block is published for streaming and the frame controller.
    for (const char* name : {"FrameColor", "FrameVisible", "FocusColor", "DisabledColor", "LineColor",
                             "FixedLineColor", "FramingPreference"})
        EXPECT_TRUE(IsPublishedProp(grid, name)) << name;
}

TEST_F(SkStringGridTest, FixedAndScrollingLinesTakeTheirOwnColours) {
    grid->SetFixedLineColor(clRed);
    grid->SetLineColor(clBlue);
    EXPECT_EQ(At(62, 10), ColorToRGB(clRed));    // between the corner and the first title
    EXPECT_EQ(At(62, 30), ColorToRGB(clRed));    // right of the fixed column, in a scrolling row
    EXPECT_EQ(At(90, 20), ColorToRGB(clRed));    // under the fixed row
    EXPECT_EQ(At(123, 30), ColorToRGB(clBlue));  // between two scrolling cells
    EXPECT_EQ(At(90, 39), ColorToRGB(clBlue));
    EXPECT_EQ(At(150, 30), ColorToRGB(clWindow));  // (1, 1) is the current cell
}

TEST_F(SkStringGridTest, LineColourEqualToTheCellsIsDrawnFiftyDarker) {
    grid->SetColor(clWhite);
    grid->SetLineColor(clWhite);
    // White at luminance 240 of 240, 50 darker: 190 / 240 of 255 = 201.9, a grey of 202.
    EXPECT_EQ(At(123, 30), RGB(202, 202, 202));
    EXPECT_EQ(At(90, 39), RGB(202, 202, 202));
    // The same colour written another way (by name, not by value) counts as the same.
    grid->SetColor(clWindow);
    EXPECT_EQ(At(123, 30), RGB(202, 202, 202));
}

TEST_F(SkStringGridTest, DisabledGridShowsTheDisabledColourAndGetsItsOwnBack) {
    grid->SetColor(0xE0F0FF);
    grid->SetDisabledColor(0x808000);
    grid->SetEnabled(false);
    EXPECT_EQ(grid->Color(), TColor(0x808000));
    EXPECT_EQ(At(150, 30), TColor(0x808000));
    // A colour the program sets while the grid is disabled is the one it returns to.
    grid->SetColor(0xCCFFCC);
    grid->SetEnabled(false);
    grid->SetEnabled(true);
    EXPECT_EQ(grid->Color(), TColor(0xCCFFCC));
    EXPECT_EQ(grid->NormalColor(), TColor(0xCCFFCC));
}

TEST_F(SkStringGridTest, FocusedGridShowsTheFocusColour) {
    form.SetBounds(0, 0, 400, 200);
    form.ShowForm();
    QApplication::setActiveWindow(form.Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
    grid->SetColor(0xF0F0F0);
    // FocusColor followed Color while they were the same.
    EXPECT_EQ(grid->FocusColor(), TColor(0xF0F0F0));
    grid->SetFocusColor(0xC0FFFF);
    grid->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(grid->Color(), TColor(0xC0FFFF));
    form.Widget()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(grid->Color(), TColor(0xF0F0F0));
}

TEST_F(SkStringGridTest, HotTrackingShowsTheFrameOnAllSides) {
    grid->SetFrameSides(sdLeft);
    grid->SetFrameHotTrack(true);
    EXPECT_TRUE(grid->FrameVisible());
    EXPECT_EQ(grid->FrameSides(), AllSides);
}

TEST_F(SkStringGridTest, MouseEnterAndLeaveFireTheEventsAndTrackTheFrame) {
    int entered = 0, left = 0;
    grid->OnMouseEnter = [&](TObject*) { ++entered; };
    grid->OnMouseLeave = [&](TObject*) { ++left; };
    grid->SetFrameHotTrack(true);
    grid->SetFrameHotColor(clRed);
    grid->SetFrameColor(clBlue);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(grid->Widget(), &enter);
    EXPECT_TRUE(grid->MouseOver());
    EXPECT_EQ(At(0, 60), ColorToRGB(clRed));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(grid->Widget(), &leave);
    EXPECT_FALSE(grid->MouseOver());
    EXPECT_EQ(At(0, 60), ColorToRGB(clBlue));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
}

// OnSelectCell may free the grid (a window closing on the pick): the click ends quietly.
TEST_F(SkStringGridTest, ASelectCellHandlerMayFreeTheGrid) {
    QPointer<QObject> alive(grid);
    QPointer<QWidget> widget = grid->Widget();
    grid->OnSelectCell = [this](TObject*, int, int, bool&) { delete grid; };
    QTest::mouseClick(widget, Qt::LeftButton, {}, CellCentre(grid, 2, 2));
    EXPECT_TRUE(alive.isNull());
    QTest::qWait(1);
    EXPECT_TRUE(widget.isNull());
}

// The frame over the border, pixel by pixel: FixedColor above and left, Color below and right in the
// two-pixel band, then the frame style's lines on the outer edge.
TEST_F(SkStringGridTest, FramedGridDrawsItsFrameOverTheBorder) {
    const TColor frame = 8579227;
    grid->SetFixedColor(0x00C0C0);
    grid->SetColor(0xF0FFF0);
    grid->SetFrameColor(frame);
    grid->SetFrameVisible(true);
    const int w = grid->Width(), h = grid->Height();
    EXPECT_EQ(At(0, 60), frame);
    EXPECT_EQ(At(w - 1, 60), frame);
    EXPECT_EQ(At(60, 0), frame);
    EXPECT_EQ(At(60, h - 1), frame);
    EXPECT_EQ(At(1, 60), TColor(0x00C0C0));
    EXPECT_EQ(At(60, 1), TColor(0x00C0C0));
    EXPECT_EQ(At(w - 2, 60), TColor(0xF0FFF0));
    EXPECT_EQ(At(60, h - 2), TColor(0xF0FFF0));

    grid->SetFrameStyle(fsFlatBold);
    EXPECT_EQ(At(1, 60), frame);
    EXPECT_EQ(At(w - 2, 60), frame);
    // The fixed column's cell begins inside the border, with its raised edge.
    EXPECT_EQ(At(2, 60), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(3, 60), TColor(0x00C0C0));

    grid->SetFrameSides(sdLeft | sdTop);
    EXPECT_EQ(At(0, 60), frame);
    EXPECT_EQ(At(w - 1, 60), TColor(0xF0FFF0));
}

TEST_F(SkStringGridTest, UnframedGridKeepsTheSunkenBorderAndThemesDrawAFlatLine) {
    EXPECT_EQ(At(0, 60), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, 60), ColorToRGB(cl3DDkShadow));
    SetThemesActiveForTest(true);
    grid->Invalidate();
    EXPECT_EQ(At(0, 60), ColorToRGB(GetXPThemeColor(0)));
    EXPECT_EQ(At(1, 60), ColorToRGB(grid->FixedColor()));
    // With the frame on, the visual style still draws its line instead of the frame.
    grid->SetFrameColor(clRed);
    grid->SetFrameVisible(true);
    EXPECT_EQ(At(0, 60), ColorToRGB(GetXPThemeColor(0)));
}

}  // namespace
