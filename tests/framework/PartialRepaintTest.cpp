// What the window system repaints, and what lands on the screen: a small change repaints only its part,
// a control wholly covered or hidden is not painted, and one uncovered, shown again or scrolled is
// painted whole, so that the screen always shows what a full repaint of the window would.
#include "ExtCtrls.h"
#include "GraphicControl.h"
#include "Grids.h"
#include "StdCtrls.h"
#include "DeviceContext.h"
#include "PaintRecorder.h"
#include "Regions.h"

#include <algorithm>
#include <malloc.h>

namespace {

// An off-screen control that fills its client area with one colour, and counts its paints.
class TFilledControl : public TCustomControl {
public:
    explicit TFilledControl(TComponent* AOwner) : TCustomControl(AOwner) { SetOffscreenPaint(true); }
    TColor Fill = clWhite;
    int Paints = 0;
    TRect LastClip;
    int FrameWidth = 0;

protected:
    void Paint() override {
        ++Paints;
        LastClip = Canvas()->ClipRect();
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
    void WMNCCalcSize(TWMNCCalcSize& Message) override {
        InflateRect(*Message.CalcRect, -FrameWidth, -FrameWidth);
    }
    void WMNCPaint(TWMPaint& Message) override {
        if (Message.DC) Message.DC->FillRect(Rect(0, 0, Width(), Height()), TLogBrush{bsSolid, clBlack, {}, false});
    }
    TRect GetClientRect() const override {
        return Rect(0, 0, Width() - 2 * FrameWidth, Height() - 2 * FrameWidth);
    }
};

class PartialRepaint : public testing::Test {
protected:
    void SetUp() override {
        Form.SetBounds(0, 0, 300, 200);
        Form.SetColor(clBtnFace);
        Below = Add(10, 10, 120, 80, clAqua);
        Above = Add(10, 10, 120, 80, clYellow);
        Form.ShowForm();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Widget()));
        FlushPainting();
    }
    TFilledControl* Add(int x, int y, int w, int h, TColor fill) {
        auto* control = new TFilledControl(&Form);
        control->SetParent(&Form);
        control->SetBounds(x, y, w, h);
        control->Fill = fill;
        return control;
    }
    TForm Form{nullptr};
    TFilledControl *Below = nullptr, *Above = nullptr;
};

TEST_F(PartialRepaint, ASmallChangePaintsOnlyItsPartAndTheRestStaysOnScreen) {
    TPaintRecorder recorder(Above->Widget());
    Above->Fill = clRed;
    Above->InvalidateRect(Rect(20, 30, 22, 46));  // a caret's size
    FlushPainting();
    EXPECT_EQ(recorder.Painted, QRegion(20, 30, 2, 16));
    // Its painting is asked for that part only.
    EXPECT_EQ(Above->LastClip, Rect(20, 30, 22, 46));
    const QImage screen = OnScreen(Form);
    EXPECT_EQ(screen.pixel(10 + 21, 10 + 35), QColor(Qt::red).rgb());
    EXPECT_EQ(screen.pixel(10 + 50, 10 + 50), QColor(Qt::yellow).rgb());
    // The whole control next time it is asked for whole.
    Above->Invalidate();
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

TEST_F(PartialRepaint, AControlWhollyCoveredIsNotPaintedAndIsPaintedWholeOnceUncovered) {
    TPaintRecorder below(Below->Widget()), form(Form.Widget());
    Form.Invalidate();
    Below->Fill = clLime;
    Below->Invalidate();
    FlushPainting();
    EXPECT_TRUE(below.Painted.isEmpty());
    // The window paints nothing under its opaque controls either.
    EXPECT_FALSE(form.Painted.intersects(QRect(10, 10, 120, 80)));

    Above->Hide();
    FlushPainting();
    EXPECT_EQ(below.Painted, QRegion(0, 0, 120, 80));
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

TEST_F(PartialRepaint, AControlShownAgainOrMovedIsPaintedWhole) {
    Above->Hide();
    FlushPainting();
    TPaintRecorder above(Above->Widget());
    Above->Fill = clFuchsia;
    Above->Show();
    FlushPainting();
    EXPECT_EQ(above.Painted, QRegion(0, 0, 120, 80));
    Above->SetBounds(150, 90, 120, 80);
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

// Client coordinates start inside the frame, and the frame is painted only where it is asked for.
TEST_F(PartialRepaint, APartInsideAFrameIsCountedFromTheClientArea) {
    Above->FrameWidth = 3;
    Above->RecalcNonClientArea();
    FlushPainting();
    TPaintRecorder recorder(Above->Widget());
    Above->Fill = clRed;
    Above->InvalidateRect(Rect(0, 0, 4, 4));
    FlushPainting();
    EXPECT_EQ(recorder.Painted, QRegion(3, 3, 4, 4));
    const QImage screen = OnScreen(Form);
    EXPECT_EQ(screen.pixel(10 + 4, 10 + 4), QColor(Qt::red).rgb());
    EXPECT_EQ(screen.pixel(10 + 1, 10 + 1), QColor(Qt::black).rgb());
    EXPECT_EQ(screen.pixel(10 + 20, 10 + 20), QColor(Qt::yellow).rgb());
    Above->Invalidate();
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

// A control that leaves pixels unpainted lets what lies beneath show there.
class TMarkControl : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(0, 0, 4, 4));
    }
};

TEST_F(PartialRepaint, AWindowlessControlStillShowsWhatLiesBeneathIt) {
    auto* mark = new TMarkControl(&Form);
    mark->SetParent(&Form);
    mark->SetBounds(20, 20, 40, 40);
    mark->BringToFront();
    EXPECT_FALSE(mark->Widget()->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_TRUE(Above->Widget()->testAttribute(Qt::WA_OpaquePaintEvent));
    mark->InvalidateRect(Rect(2, 2, 30, 30));
    const QImage screen = OnScreen(Form);
    EXPECT_EQ(screen.pixel(21, 21), QColor(Qt::blue).rgb());
    EXPECT_EQ(screen.pixel(40, 40), QColor(Qt::yellow).rgb());
    EXPECT_EQ(screen, Repainted(Form));
}

// A grid whose focus shows in its cells repaints the current cell as the focus comes and goes; one that
// selects rows looks the same either way and repaints nothing. A scrolled grid is painted whole.
class GridFocusRepaint : public testing::Test {
protected:
    void SetUp() override {
        Form.SetBounds(0, 0, 400, 300);
        Grid = new TStringGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetBounds(10, 10, 300, 200);
        Grid->SetRowCount(30);
        Grid->SetCells(1, 1, "1");
        Other = new TStringGrid(&Form);
        Other->SetParent(&Form);
        Other->SetBounds(10, 220, 300, 60);
        Form.ShowForm();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Widget()));
        Other->SetFocus();
        FlushPainting();
        ASSERT_TRUE(Other->Focused());
    }
    TForm Form{nullptr};
    TStringGrid *Grid = nullptr, *Other = nullptr;
};

TEST_F(GridFocusRepaint, TheFocusRepaintsOnlyTheCurrentCellAndShowsThere) {
    TPaintRecorder recorder(Grid->Widget());
    Grid->SetFocus();
    FlushPainting();
    const TRect cell = Grid->CellRect(Grid->Col(), Grid->Row());
    EXPECT_EQ(recorder.Painted, QRegion(ToQRect(cell)));
    const QImage focused = OnScreen(Form);
    EXPECT_EQ(focused, Repainted(Form));

    recorder.Painted = QRegion();
    Other->SetFocus();
    FlushPainting();
    EXPECT_EQ(recorder.Painted, QRegion(ToQRect(cell)));
    const QImage unfocused = OnScreen(Form);
    EXPECT_EQ(unfocused, Repainted(Form));
    // The focus rectangle came and went.
    EXPECT_NE(focused.copy(QRect(10, 10, 300, 200)), unfocused.copy(QRect(10, 10, 300, 200)));
}

TEST_F(GridFocusRepaint, AGridThatSelectsRowsRepaintsNothingForTheFocus) {
    Grid->SetOptions(Grid->Options() | goRowSelect);
    FlushPainting();
    TPaintRecorder recorder(Grid->Widget());
    Grid->SetFocus();
    FlushPainting();
    Other->SetFocus();
    FlushPainting();
    EXPECT_TRUE(recorder.Painted.isEmpty());
    // A handler that draws the cells may show the focus: then the row repaints.
    Grid->OnDrawCell = [](TObject*, int, int, TRect, TGridDrawState) {};
    Grid->SetFocus();
    FlushPainting();
    EXPECT_FALSE(recorder.Painted.isEmpty());
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

TEST_F(GridFocusRepaint, AScrolledGridIsPaintedWhole) {
    TPaintRecorder recorder(Grid->Widget());
    Grid->SetCells(1, 12, "twelve");
    Grid->SetTopRow(10);
    FlushPainting();
    EXPECT_TRUE(recorder.Painted.contains(QRect(0, 0, Grid->ClientWidth(), Grid->ClientHeight())));
    EXPECT_EQ(OnScreen(Form), Repainted(Form));
}

// The native controls' pictures are kept by colours: a thousand windows with scroll bars of the same
// colours, opened and freed, leave no pictures behind.
TEST(StylePictures, WindowsOpenedAndFreedLeaveNoPicturesBehind) {
    auto openAndFree = [] {
        TForm form(nullptr);
        form.SetBounds(0, 0, 200, 120);
        auto* grid = new TStringGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 200, 120);
        grid->SetRowCount(40);
        grid->SetColor(clWindow);
        form.ShowForm();
        FlushPainting();
    };
    for (int i = 0; i < 10; ++i)
        openAndFree();
    // A picture kept per window grows the heap in every batch; a one-off growth of the allocator (a
    // timer's work landing in one batch on a busy machine) does not, so the smallest growth counts.
    double leastGrowth = 1e12;
    for (int batch = 0; batch < 3; ++batch) {
        malloc_trim(0);
        const double before = double(mallinfo2().uordblks);
        for (int i = 0; i < 100; ++i)
            openAndFree();
        malloc_trim(0);
        leastGrowth = std::min(leastGrowth, double(mallinfo2().uordblks) - before);
    }
    EXPECT_LT(leastGrowth, 64 * 1024.0);
}

// Controls of the same colours share the style's pictures, each still drawn in its own state: an
// enabled field drawn after a disabled one of the same colours keeps the window colour.
TEST(StylePictures, AFieldIsDrawnInItsOwnStateAfterADisabledOneOfTheSameColours) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 240, 120);
    auto* disabled = new TEdit(&form);
    disabled->SetParent(&form);
    disabled->SetBounds(10, 10, 100, 24);
    disabled->SetEnabled(false);
    auto* enabled = new TEdit(&form);
    enabled->SetParent(&form);
    enabled->SetBounds(10, 60, 100, 24);
    form.ShowForm();
    const QImage screen = OnScreen(form);
    EXPECT_EQ(screen.pixel(60, 72), QColor(Qt::white).rgb());
    EXPECT_EQ(screen.pixel(60, 22), ToQColor(clBtnFace).rgb());
}

}  // namespace
