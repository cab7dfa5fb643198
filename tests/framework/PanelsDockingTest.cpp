// The framework's panel (bevels, border, the area its children share, what a resize repaints), children
// of framed controls, window procedures, scaling, dock sites with their dock manager, and the symbol
// font's glyphs and caption button.
#include "ControlProbes.h"
#include "DeviceContext.h"
#include "DockTree.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "FrameControls.h"
#include "PaintRecorder.h"
#include "Scaling.h"
#include "StdCtrls.h"
#include "SymbolFont.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// Panel -----------------------------------------------------------------------------------------------
TEST(Panel, BevelsAndBorderRunRoundTheEdgeAndTheChildrenShareWhatIsInside) {
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 60, 40);
    panel.SetBevelWidth(2);
    panel.SetBevelInner(bvLowered);
    panel.SetBorderWidth(3);
    panel.SetColor(clWhite);
    TControl* child = AddChild(&panel, alClient);
    // Raised 2 + border 3 + lowered 2 on each side.
    EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 53, 33));

    const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
    auto expectEdges = [&](const QImage& image) {
        EXPECT_EQ(Pixel(image, 0, 0), light);
        EXPECT_EQ(Pixel(image, 1, 20), light);
        EXPECT_EQ(Pixel(image, 59, 0), dark);                 // the right line owns the top-right corner
        EXPECT_EQ(Pixel(image, 0, 39), dark);                 // the bottom line owns the bottom-left corner
        EXPECT_EQ(Pixel(image, 2, 20), ColorToRGB(clWhite));  // the border, in the panel's colour
        EXPECT_EQ(Pixel(image, 5, 20), dark);                 // the lowered inner bevel
        EXPECT_EQ(Pixel(image, 54, 20), light);
    };
    expectEdges(panel.PaintOffscreen());
    // Without a caption the panel draws straight onto its widget: the same pixels.
    expectEdges(panel.Widget()->grab().toImage());

    panel.SetBevelOuter(bvNone);
    panel.SetBevelInner(bvNone);
    EXPECT_EQ(child->BoundsRect(), Rect(3, 3, 57, 37));
}

TEST(Panel, AResizeRepaintsTheMovedEdgesOrTheWholePanel) {
    TForm form(nullptr);
    auto* panel = ShowResizablePanel<TPanel>(form);
    TPaintRecorder recorder(panel->Widget());

    // Shrinking: the bevel is drawn again at the new right edge, and nothing else is.
    recorder.Painted = QRegion();
    panel->SetWidth(100);
    QApplication::processEvents();
    EXPECT_TRUE(recorder.Painted.contains(QRect(99, 0, 1, 80)));
    EXPECT_FALSE(recorder.Painted.contains(QPoint(50, 40)));

    // Growing taller: the old bottom edge and the new rows.
    recorder.Painted = QRegion();
    panel->SetHeight(90);
    QApplication::processEvents();
    EXPECT_TRUE(recorder.Painted.contains(QRect(0, 79, 100, 11)));
    EXPECT_FALSE(recorder.Painted.contains(QPoint(50, 40)));

    // A caption has to be centred again: the whole panel.
    panel->SetCaption(QStringLiteral("标题"));
    QApplication::processEvents();
    recorder.Painted = QRegion();
    panel->SetWidth(110);
    QApplication::processEvents();
    EXPECT_TRUE(recorder.Painted.contains(QPoint(50, 40)));
}

// A control with a 3-pixel non-client frame on its left and top.
class TFramedBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Frame = 3;

protected:
    void WMNCCalcSize(TWMNCCalcSize& Message) override {
        Message.CalcRect->Left += Frame;
        Message.CalcRect->Top += Frame;
    }
};

TEST(Panel, APaintedPanelLeavesItsPictureToTheWidgetAndPaintsAllOfItAgainNextTime) {
    TForm form(nullptr);
    auto* panel = ShowResizablePanel<TPanel>(form);
    panel->SetColor(clWhite);
    panel->Widget()->repaint();
    // A window-sized panel would otherwise hold a second copy of what the window already shows.
    EXPECT_EQ(panel->OffscreenImage(), nullptr);
    const QImage shown = panel->Widget()->grab().toImage();
    EXPECT_EQ(Pixel(shown, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(shown, 50, 40), ColorToRGB(clWhite));

    panel->SetColor(clYellow);
    panel->Widget()->repaint();
    EXPECT_EQ(Pixel(panel->Widget()->grab().toImage(), 50, 40), ColorToRGB(clYellow));
}

TEST(Panel, ChildrenOfAFramedControlSitInsideTheFrame) {
    TFramedBox box(nullptr);
    box.SetBounds(0, 0, 100, 80);
    box.RecalcNonClientArea();
    TControl* child = AddChild(&box, alNone);
    child->SetBounds(0, 0, 20, 10);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 20, 10));  // client coordinates
    EXPECT_EQ(child->Widget()->geometry(), QRect(3, 3, 20, 10));
    box.Frame = 5;
    box.RecalcNonClientArea();
    EXPECT_EQ(child->Widget()->geometry(), QRect(5, 5, 20, 10));
}

// Window procedures and scaling ------------------------------------------------------------------------
TEST(WindowProc, AHookSeesEveryMessageFirstAndHandsItOn) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 120);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* edit = new TEdit(panel);
    edit->SetParent(panel);
    std::vector<unsigned> seen;
    TWndMethod previous = panel->WindowProc();
    panel->SetWindowProc([&](TMessage& m) {
        seen.push_back(m.Msg);
        previous(m);
    });
    EXPECT_EQ(panel->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);  // handed on
    EXPECT_EQ(seen.back(), unsigned(WM_GETDLGCODE));

    // A press on a control inside tells the window controls around it, outermost first.
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    seen.clear();
    QTest::mouseClick(edit->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), unsigned(WM_MOUSEACTIVATE)), 1);

    panel->SetWindowProc(previous);
    seen.clear();
    panel->Perform(WM_GETDLGCODE);
    EXPECT_TRUE(seen.empty());
}

TEST(Scaling, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 3, 2), 8);
    EXPECT_EQ(MulDiv(-5, 3, 2), -8);
    EXPECT_EQ(MulDiv(7, 2, 3), 5);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(Scaling, ScalingThereAndBackGivesBoundsAndFontBackUnchanged) {
    TPanel panel(nullptr);
    panel.SetBounds(13, 10, 101, 37);
    panel.Font()->SetHeight(-13);
    // Rounded step by step, 13 * 2 / 3 = 8.67 -> 9 and back 9 * 3 / 2 = 13.5 -> 14.
    panel.ChangeScale(2, 3);
    EXPECT_EQ(panel.BoundsRect(), Bounds(9, 7, 67, 25));
    EXPECT_EQ(panel.Font()->Height(), -9);
    panel.ChangeScale(3, 2);
    EXPECT_EQ(panel.BoundsRect(), Bounds(13, 10, 101, 37));
    EXPECT_EQ(panel.Font()->Height(), -13);
    // A value set between two scalings is scaled from where it was set.
    panel.ChangeScale(2, 3);
    panel.SetLeft(20);
    panel.ChangeScale(3, 2);
    EXPECT_EQ(panel.Left(), 30);
    EXPECT_EQ(panel.Width(), 101);
}

// Dock sites ---------------------------------------------------------------------------------------------
struct DockSite : testing::Test {
    TForm Main{nullptr};
    TPanel* Site = nullptr;
    void SetUp() override {
        Main.SetBounds(0, 0, 400, 300);
        Site = new TPanel(&Main);
        Site->SetParent(&Main);
        Site->SetBevelOuter(bvNone);
        Site->SetBounds(0, 0, 200, 100);
        Site->SetDockSite(true);
    }
    std::unique_ptr<TForm> Dock(const QString& caption) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetCaption(caption);
        form->ManualDock(Site);
        form->ShowForm();
        return form;
    }
};

TEST_F(DockSite, DockedWindowsShareTheSiteUnderCaptionBars) {
    ASSERT_NE(Site->DockManager(), nullptr);
    auto first = Dock(QStringLiteral("甲"));
    EXPECT_EQ(first->BoundsRect(), Rect(0, 12, 200, 100));
    auto second = Dock(QStringLiteral("乙"));
    EXPECT_EQ(Site->DockManager()->ClientCount(), 2);
    EXPECT_EQ(first->BoundsRect(), Rect(0, 12, 200, 50));
    EXPECT_EQ(second->BoundsRect(), Rect(0, 62, 200, 100));
    EXPECT_EQ(Site->DockManager()->ZoneRect(second.get()), Rect(0, 50, 200, 100));

    // A site along the top puts them side by side, bars on their left.
    Site->SetAlign(alTop);
    EXPECT_EQ(first->BoundsRect(), Rect(12, 0, 200, 100));
    EXPECT_EQ(second->BoundsRect(), Rect(212, 0, 400, 100));

    // A window that goes gives its share back.
    first.reset();
    EXPECT_EQ(Site->DockManager()->ClientCount(), 1);
    EXPECT_EQ(second->BoundsRect(), Rect(12, 0, 400, 100));
}

TEST_F(DockSite, TheCloseButtonClosesItsWindow) {
    auto first = Dock(QStringLiteral("甲"));
    auto second = Dock(QStringLiteral("乙"));
    Main.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Main.Widget()));
    const TRect close = Site->DockManager()->CloseButtonRect(Site->DockManager()->ZoneRect(first.get()));
    EXPECT_EQ(close, Rect(189, 1, 199, 11));
    const QImage& image = Site->PaintOffscreen();
    EXPECT_EQ(Pixel(image, 189, 1), ColorToRGB(clBtnHighlight));  // the button's raised face
    EXPECT_EQ(Pixel(image, 198, 10), ColorToRGB(cl3DDkShadow));
    QTest::mouseClick(Site->Widget(), Qt::LeftButton, {}, QPoint(194, 6));
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(second->BoundsRect(), Rect(0, 12, 200, 100));
    // A press that leaves the button before it is let go closes nothing.
    QTest::mousePress(Site->Widget(), Qt::LeftButton, {}, QPoint(194, 6));
    QTest::mouseRelease(Site->Widget(), Qt::LeftButton, {}, QPoint(100, 6));
    EXPECT_TRUE(second->Visible());
}

TEST_F(DockSite, WithoutItsDockManagerASiteLetsTheWindowFillItAndGetsItsWindowProcedureBack) {
    std::vector<unsigned> seen;
    Site->SetDockSite(false);
    TWndMethod plain = Site->WindowProc();
    Site->SetWindowProc([&](TMessage& m) {
        seen.push_back(m.Msg);
        plain(m);
    });
    Site->SetDockSite(true);
    Site->SetDockSite(false);
    Site->Perform(WM_GETDLGCODE);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(Site->DockManager(), nullptr);
    auto form = Dock(QStringLiteral("甲"));
    EXPECT_EQ(form->BoundsRect(), Rect(0, 0, 200, 100));
}

// The symbol font ---------------------------------------------------------------------------------------
namespace {
struct TGlyphImage {
    QImage Image{20, 20, QImage::Format_RGB32};
    TDeviceContext DC{&Image};
    TGlyphImage() { DC.FillRect(Rect(0, 0, 20, 20), TLogBrush{bsSolid, clWhite, {}, false}); }
    int Count(TColor color) const {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                n += Pixel(Image, x, y) == color;
        return n;
    }
};
}  // namespace

TEST(SymbolFont, TheCrossAndTheTrianglesAreDrawnFromPixelPatterns) {
    // An 11-pixel font: a cross of 7 rows, 8 pixels wide, strokes 2 pixels thick, centred in 20 x 20.
    TGlyphImage cross;
    DrawSymbolGlyph(&cross.DC, Rect(0, 0, 20, 20), QLatin1Char('r'), 11, clBlack);
    EXPECT_EQ(cross.Count(clBlack), 6 * 4 + 2);
    EXPECT_EQ(Pixel(cross.Image, 6, 6), clBlack);
    EXPECT_EQ(Pixel(cross.Image, 7, 6), clBlack);
    EXPECT_EQ(Pixel(cross.Image, 12, 6), clBlack);
    EXPECT_EQ(Pixel(cross.Image, 13, 12), clBlack);
    EXPECT_EQ(Pixel(cross.Image, 9, 9), clBlack);
    EXPECT_EQ(Pixel(cross.Image, 8, 6), clWhite);

    // Pointing right: 4 columns of 1, 3, 5 and 7 pixels, the point at the right.
    TGlyphImage right;
    DrawSymbolGlyph(&right.DC, Rect(0, 0, 20, 20), QLatin1Char('4'), 11, clBlack);
    EXPECT_EQ(right.Count(clBlack), 16);
    EXPECT_EQ(Pixel(right.Image, 8, 6), clBlack);
    EXPECT_EQ(Pixel(right.Image, 11, 9), clBlack);
    EXPECT_EQ(Pixel(right.Image, 11, 8), clWhite);

    // Text in the face draws the glyphs, whole pixels only.
    TGlyphImage text;
    text.DC.Font.FaceName = QStringLiteral("Marlett");
    text.DC.Font.Height = -11;
    text.DC.TextColor = clBlack;
    text.DC.BkMode = TRANSPARENT;
    text.DC.TextOut(2, 2, QStringLiteral("r"));
    EXPECT_EQ(text.Count(clBlack), 26);
    EXPECT_EQ(text.Count(clBlack) + text.Count(clWhite), 400);
}

TEST(SymbolFont, TheCaptionCloseButtonIsARaisedFaceWithTheCross) {
    QImage image(16, 14, QImage::Format_RGB32);
    TDeviceContext dc(&image);
    TRect r = Rect(0, 0, 16, 14);
    DrawFrameControl(&dc, r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 15, 13), ColorToRGB(cl3DDkShadow));
    // 16 x 14 gives a 12-pixel cross: 7 rows, 8 wide, its top-left at (4, 3).
    EXPECT_EQ(Pixel(image, 4, 3), ColorToRGB(clBtnText));
    EXPECT_EQ(Pixel(image, 11, 3), ColorToRGB(clBtnText));
    EXPECT_EQ(Pixel(image, 6, 3), ColorToRGB(clBtnFace));

    DrawFrameControl(&dc, r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
    EXPECT_EQ(Pixel(image, 5, 4), ColorToRGB(clBtnText));
    EXPECT_EQ(Pixel(image, 4, 3), ColorToRGB(clBtnFace));

    DrawFrameControl(&dc, r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE);
    EXPECT_EQ(Pixel(image, 4, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(image, 12, 4), ColorToRGB(clBtnHighlight));  // the light copy, one down and right
}
