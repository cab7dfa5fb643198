#include "ControlProbes.h"
#include "Forms.h"
#include "GraphicControl.h"
#include "GraphicsImage.h"
#include "PaintRecorder.h"
#include "Registry.h"
#include "SkPanel.h"
#include "StdCtrls.h"
#include "Streaming.h"
#include "WindowInput.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
bool Near(TColor a, TColor b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

int Count(const QImage& image, TColor color, const TRect& area) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            n += Pixel(image, x, y) == ColorToRGB(color);
    return n;
}

// The bounding box of the pixels that are not `background` in `area` (empty when there are none).
TRect InkBox(const QImage& image, const TRect& area, TColor background) {
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (Pixel(image, x, y) != ColorToRGB(background))
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                       std::max(box.Bottom, y + 1)};
    return box;
}

// Controls on a white parent 400 x 300.
struct SkPanelTest : testing::Test {
    std::unique_ptr<TPaintBox> Parent;
    void SetUp() override {
        Parent = std::make_unique<TPaintBox>(nullptr);
        Parent->SetColor(clWhite);
        Parent->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override {
        Parent.reset();
        ResetPlatformProfile();
        XPColorScheme = GetXPColorScheme();
    }
    template <class T = TSkCustomPanel> T* Make(int width, int height) {
        auto* control = new T(Parent.get());
        control->SetParent(Parent.get());
        control->SetBounds(10, 10, width, height);
        return control;
    }
    // A 40 x 30 panel framed in a flat colour taken as it is.
    TSkCustomPanel* MakeFramed(TFrameStyleEx outer, TColor flat, TColor color) {
        TSkCustomPanel* panel = Make(40, 30);
        panel->SetBorderOuter(outer);
        panel->SetFlatColor(flat);
        panel->SetFlatColorAdjustment(0);
        panel->SetColor(color);
        return panel;
    }
};
}  // namespace

// Frames and background --------------------------------------------------------------------------------
TEST_F(SkPanelTest, TheRaisedFrameTheBorderAndTheAreaTheChildrenShare) {
    TSkCustomPanel* panel = Make(40, 30);
    const QImage& image = panel->PaintOffscreen();
    // Two passes of the raised 3-D border; the right and bottom lines own their corners.
    EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(image, 39, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(image, 0, 29), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(image, 1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 38, 28), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(image, 2, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(panel->ClientRect(), Rect(2, 2, 38, 28));
    TPaintBox* child = AddChild(panel, alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 38, 28));

    // A border between the frames, in its own colour; the children keep clear of it.
    panel->SetBorderWidth(3);
    panel->SetBorderColor(clRed);
    const QImage& bordered = panel->PaintOffscreen();
    EXPECT_EQ(Pixel(bordered, 2, 2), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(bordered, 4, 15), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(bordered, 5, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(child->BoundsRect(), Rect(5, 5, 35, 25));

    // Frames on the chosen sides only.
    panel->SetBorderWidth(0);
    panel->SetBorderSides(sdLeft | sdTop);
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 40, 30));
    EXPECT_EQ(Pixel(panel->PaintOffscreen(), 39, 15), ColorToRGB(clBtnFace));

    // A popup frame is BevelWidth wide, in the highlight and shadow colours.
    panel->SetBorderSides(AllSides);
    panel->SetBorderOuter(fsPopup);
    panel->SetBevelWidth(3);
    panel->SetBorderHighlight(clYellow);
    panel->SetBorderShadow(clNavy);
    EXPECT_EQ(child->BoundsRect(), Rect(3, 3, 37, 27));
    const QImage& popup = panel->PaintOffscreen();
    EXPECT_EQ(Pixel(popup, 2, 10), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(popup, 37, 10), ColorToRGB(clNavy));
}

TEST_F(SkPanelTest, ARoundedFrameGivesTheBackgroundsCornersTheFlatColourOnlyWithoutABorder) {
    TSkCustomPanel* panel = MakeFramed(fsFlatRounded, clNavy, clYellow);
    const QImage& image = panel->PaintOffscreen();
    EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(clWhite));  // the cut corner shows the parent's colour
    EXPECT_EQ(Pixel(image, 2, 0), ColorToRGB(clNavy));
    EXPECT_EQ(Pixel(image, 1, 1), ColorToRGB(clNavy));  // filled over, then set again
    EXPECT_EQ(Pixel(image, 38, 28), ColorToRGB(clNavy));
    EXPECT_EQ(Pixel(image, 2, 1), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(image, 2, 2), ColorToRGB(clYellow));

    panel->SetBorderWidth(1);
    panel->SetBorderColor(clRed);
    const QImage& bordered = panel->PaintOffscreen();
    EXPECT_EQ(Pixel(bordered, 2, 2), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(bordered, 3, 3), ColorToRGB(clYellow));
}

TEST_F(SkPanelTest, TheBackgroundAndFlatFrameColoursFollowTheGradientColourStyle) {
    TSkCustomPanel* panel = MakeFramed(fsFlat, clRed, clYellow);
    panel->SetGradientColorStart(clWhite);
    panel->SetGradientColorStop(clBlue);
    // vsClassic and vsWinXP fill with Color and frame in FlatColor whatever the colour style.
    for (const TSkVisualStyle style : {vsClassic, vsWinXP}) {
        panel->SetVisualStyle(style);
        const QImage& image = panel->PaintOffscreen();
        EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(clRed));
        EXPECT_EQ(Pixel(image, 20, 15), ColorToRGB(clYellow));
    }
    // A top-to-bottom gradient inside the frame: StopColor on the last row, StartColor on the first.
    struct TCase {
        TSkGradientColorStyle Style;
        bool Themes;
        TColor Start, Stop, Frame;
    };
    const TCase cases[] = {
        {gcsCustom, false, clWhite, clBlue, clRed},
        {gcsSystem, false, clWindow, DarkerColor(clBtnFace, 10), RGB(159, 159, 159)},
        {gcsSystem, true, clWindow, DarkerColor(clBtnFace, 10), RGB(159, 159, 159)},
        {gcsMSOffice, false, clWindow, DarkerColor(clBtnFace, 10), RGB(159, 159, 159)},
        {gcsMSOffice, true, 0xFFEFE3, 0xEABB99, 0xBF7F57},  // the blue scheme
    };
    panel->SetVisualStyle(vsGradient);
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.Style) * 2 + c.Themes);
        SetThemesActiveForTest(c.Themes);
        panel->SetGradientColorStyle(c.Style);
        TColor start, stop, frame;
        int adjustment;
        panel->GetGradientColors(start, stop);
        panel->GetFlatColors(frame, adjustment);
        EXPECT_EQ(ColorToRGB(start), ColorToRGB(c.Start));
        EXPECT_EQ(ColorToRGB(stop), ColorToRGB(c.Stop));
        EXPECT_EQ(frame, c.Frame);
        EXPECT_EQ(adjustment, 0);
        panel->Invalidate();
        const QImage& image = panel->PaintOffscreen();
        EXPECT_EQ(Pixel(image, 0, 10), ColorToRGB(c.Frame));
        EXPECT_EQ(Pixel(image, 20, 28), ColorToRGB(c.Stop));
        // 28 rows: the first row lies within one band's step of the start colour.
        EXPECT_TRUE(Near(Pixel(image, 20, 1), ColorToRGB(c.Start), 255 / 27 + 1));
    }
}

TEST_F(SkPanelTest, TheGridDrawsDotsOrLinesAndNothingAlongASizeOfZero) {
    TSkCustomPanel* panel = Make(20, 20);
    panel->SetBorderOuter(fsNone);
    panel->SetColor(clWhite);
    panel->SetGridColor(clLime);
    panel->SetShowGrid(true);
    const TRect all = Rect(0, 0, 20, 20);
    // 8 x 8 in 20 x 20: two columns and two rows, at 7 and 15.
    const QImage& dots = panel->PaintOffscreen();
    EXPECT_EQ(Count(dots, clLime, all), 4);
    EXPECT_EQ(Pixel(dots, 15, 7), ColorToRGB(clLime));
    panel->SetGridStyle(pgsDottedLines);
    const QImage& dotted = panel->PaintOffscreen();
    EXPECT_EQ(Count(dotted, clLime, all), 4 * 10 - 4);  // every second pixel from 1, crossings shared
    EXPECT_EQ(Pixel(dotted, 7, 1), ColorToRGB(clLime));
    EXPECT_EQ(Pixel(dotted, 7, 2), ColorToRGB(clWhite));
    panel->SetGridStyle(pgsSolidLines);
    EXPECT_EQ(Count(panel->PaintOffscreen(), clLime, all), 4 * 20 - 4);
    panel->SetGridXSize(0);
    EXPECT_EQ(Count(panel->PaintOffscreen(), clLime, all), 2 * 20);
    panel->SetGridYSize(0);
    EXPECT_EQ(Count(panel->PaintOffscreen(), clLime, all), 0);
    panel->SetGridStyle(pgsDots);
    panel->SetGridXSize(8);
    EXPECT_EQ(Count(panel->PaintOffscreen(), clLime, all), 0);
}

TEST_F(SkPanelTest, TheCaptionIsPlacedByBothAlignmentsInsideItsMarginsAndGreyedWhenDisabled) {
    TSkCustomPanel* panel = Make(120, 60);
    panel->SetBorderOuter(fsNone);
    panel->SetColor(clWhite);
    panel->SetCaption(QStringLiteral("能量"));
    panel->SetTextMargin(6);
    panel->SetTextMarginVertical(5);
    const TRect all = Rect(0, 0, 120, 60);
    auto ink = [&] { return InkBox(panel->PaintOffscreen(), all, clWhite); };
    const TRect centred = ink();
    EXPECT_NEAR((centred.Left + centred.Right) / 2.0, 60, 2);
    EXPECT_NEAR((centred.Top + centred.Bottom) / 2.0, 30, 3);
    panel->SetAlignment(taLeftJustify);
    panel->SetAlignmentVertical(avTop);
    const TRect topLeft = ink();
    EXPECT_GE(topLeft.Left, 6);
    EXPECT_LE(topLeft.Left, 8);
    EXPECT_GE(topLeft.Top, 5);
    EXPECT_LE(topLeft.Top, 10);
    panel->SetAlignment(taRightJustify);
    panel->SetAlignmentVertical(avBottom);
    const TRect bottomRight = ink();
    EXPECT_LE(bottomRight.Right, 114);
    EXPECT_GE(bottomRight.Right, 111);
    EXPECT_LE(bottomRight.Bottom, 55);
    EXPECT_GE(bottomRight.Bottom, 48);

    EXPECT_TRUE(InkIn(panel->PaintOffscreen(), all, clWhite, clWindowText).Shown());
    panel->SetEnabled(false);
    EXPECT_TRUE(InkIn(panel->PaintOffscreen(), all, clWhite, clGrayText).Shown());
}

TEST_F(SkPanelTest, ATransparentPanelShowsItsParentUnderItsFrame) {
    Parent->OnPaint = [this](TObject*) {
        Parent->Canvas()->Brush()->SetColor(clRed);
        Parent->Canvas()->FillRect(Rect(0, 0, 30, 300));
        Parent->Canvas()->Brush()->SetColor(clBlue);
        Parent->Canvas()->FillRect(Rect(30, 0, 400, 300));
    };
    // At (10, 10): red under its first 20 columns.
    TSkCustomPanel* panel = MakeFramed(fsFlat, clLime, clBtnFace);
    panel->SetTransparent(true);
    const QImage& image = panel->PaintOffscreen();
    EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(clLime));
    EXPECT_EQ(Pixel(image, 5, 15), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, 25, 15), ColorToRGB(clBlue));
    // Without FillClientArea the framework's erasing fills it with Color.
    panel->SetFillClientArea(false);
    EXPECT_EQ(Pixel(panel->PaintOffscreen(), 5, 15), ColorToRGB(clBtnFace));
    panel->SetTransparent(false);
    panel->SetFillClientArea(true);
    EXPECT_EQ(Pixel(panel->PaintOffscreen(), 5, 15), ColorToRGB(clBtnFace));
}

// Behaviour ----------------------------------------------------------------------------------------------
TEST_F(SkPanelTest, ChildrenDisabledWithThePanelComeBackAsTheyWere) {
    TSkCustomPanel* panel = Make(100, 100);
    TPaintBox* a = AddChild(panel, alNone);
    TPaintBox* b = AddChild(panel, alNone);
    TPaintBox* c = AddChild(panel, alNone);
    b->SetEnabled(false);
    panel->SetEnabled(false);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(c->Enabled());
    ASSERT_EQ(panel->ChildEnabledStates()->Count(), 3);
    EXPECT_EQ(panel->ChildEnabledStates()->Strings(1), QStringLiteral("0"));
    // Children come and go while the panel is disabled: a freed one leaves the saved states, so nothing
    // made later can be taken for it; a new one is not in them.
    delete c;
    EXPECT_EQ(panel->ChildEnabledStates()->Count(), 2);
    TPaintBox* d = AddChild(panel, alNone);
    TPaintBox* e = AddChild(panel, alNone);
    e->SetEnabled(false);
    panel->SetEnabled(true);
    EXPECT_TRUE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(d->Enabled());
    EXPECT_TRUE(e->Enabled());
    EXPECT_EQ(panel->ChildEnabledStates()->Count(), 2);  // kept
}

TEST_F(SkPanelTest, APanelAlignedToTheBottomOrRightKeepsThatEdgeWhenResized) {
    TSkCustomPanel panel(nullptr);
    panel.SetBounds(0, 50, 100, 30);
    panel.SetAlign(alBottom);
    panel.SetHeight(40);
    EXPECT_EQ(panel.BoundsRect(), Rect(0, 40, 100, 80));
    panel.SetAlign(alRight);
    panel.SetWidth(90);
    EXPECT_EQ(panel.BoundsRect(), Rect(10, 40, 100, 80));
    panel.SetAlign(alNone);
    panel.SetHeight(30);
    EXPECT_EQ(panel.BoundsRect(), Rect(10, 40, 100, 70));
}

TEST_F(SkPanelTest, AShrinkingPanelRepaintsItsFrameAtTheNewEdge) {
    TForm form(nullptr);
    auto* panel = ShowResizablePanel<TSkCustomPanel>(form);
    TPaintRecorder recorder(panel->Widget());
    panel->SetWidth(100);
    QApplication::processEvents();
    // The raised frame is 2 wide, the strip 1 more.
    EXPECT_TRUE(recorder.Painted.contains(QRect(97, 0, 3, 80)));
    EXPECT_FALSE(recorder.Painted.contains(QPoint(50, 40)));
}

TEST_F(SkPanelTest, TheFrameControllerGivesFrameAndColoursWhenItShowsFrames) {
    TSkFrameController controller(nullptr);
    controller.SetFrameStyle(fsFlatBold);
    controller.SetFrameSides(sdTop);
    controller.SetFrameColor(clRed);
    controller.SetColor(clYellow);
    TSkCustomPanel* panel = Make(40, 30);
    panel->SetFrameController(&controller);
    EXPECT_EQ(panel->BorderOuter(), fsRaised);  // frames not shown: nothing taken
    controller.SetFrameVisible(true);
    EXPECT_EQ(panel->BorderOuter(), fsFlatBold);
    EXPECT_EQ(panel->BorderSides(), TSides(sdTop));
    EXPECT_EQ(panel->FlatColor(), clRed);
    EXPECT_EQ(panel->FlatColorAdjustment(), 0);
    EXPECT_EQ(panel->Color(), clYellow);
    EXPECT_EQ(panel->BorderHighlight(), LighterColor(clYellow, 100));
    EXPECT_EQ(panel->BorderShadow(), DarkerColor(clYellow, 50));
    EXPECT_EQ(Pixel(panel->PaintOffscreen(), 20, 1), ColorToRGB(clRed));

    // A group box takes them only in the custom style.
    auto* box = Make<TSkGroupBox>(100, 60);
    box->SetFrameController(&controller);
    EXPECT_EQ(box->BorderOuter(), fsNone);
    box->SetGroupStyle(gsCustom);
    controller.SetFrameColor(clBlue);
    EXPECT_EQ(box->BorderOuter(), fsFlatBold);
    EXPECT_EQ(box->FlatColor(), clBlue);
    // Only what the notifications let through.
    panel->SetFrameControllerNotifications(FrameControllerBit(fcpFrameColor));
    controller.SetColor(clAqua);
    controller.SetFrameColor(clGreen);
    EXPECT_EQ(panel->FlatColor(), clGreen);
    EXPECT_EQ(panel->Color(), clYellow);
    delete panel;  // leaves the controller
    EXPECT_EQ(controller.ControlCount(), 1);
}

TEST_F(SkPanelTest, MouseEnterAndLeaveFireOnceAndEnterNotInTheDesigner) {
    TSkCustomPanel* panel = Make(40, 30);
    int entered = 0, left = 0;
    panel->OnMouseEnter = [&](TObject*) { ++entered; };
    panel->OnMouseLeave = [&](TObject*) { ++left; };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(panel->Widget(), &enter);
    QApplication::sendEvent(panel->Widget(), &leave);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
    panel->SetDesigning(true);
    QApplication::sendEvent(panel->Widget(), &enter);
    QApplication::sendEvent(panel->Widget(), &leave);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 2);
}

TEST_F(SkPanelTest, AThemeChangeReadsTheColourSchemeAgain) {
    QTemporaryDir dir;
    TRegIniFile::SetFileName(dir.filePath(QStringLiteral("desktop.ini")));
    TRegIniFile key(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion"));
    key.WriteString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), QStringLiteral("HomeStead"));
    TSkCustomPanel* panel = Make(40, 30);
    panel->SetVisualStyle(vsGradient);
    panel->SetGradientColorStyle(gcsMSOffice);
    SetThemesActiveForTest(true);
    XPColorScheme = 0;
    panel->Perform(WM_THEMECHANGED);
    EXPECT_EQ(XPColorScheme, 1);
    EXPECT_EQ(Pixel(panel->PaintOffscreen(), 20, 27), TColor(0x92C7B8));  // the olive scheme's dark colour
    TRegIniFile::SetFileName(QString());
}

// Docking ---------------------------------------------------------------------------------------------------
TEST_F(SkPanelTest, DockedControlsGetCaptionBarsInTheCaptionColours) {
    TForm host(nullptr);
    host.SetBounds(0, 0, 400, 300);
    auto* site = new TSkCustomPanel(&host);
    site->SetParent(&host);
    site->SetBounds(0, 0, 200, 120);
    site->SetBorderOuter(fsLowered);
    site->SetDockSite(true);
    ASSERT_NE(dynamic_cast<TSkPanelDockManager*>(site->DockManager()), nullptr);
    // Without a window of its own a control counts as active; a window without the focus does not.
    auto* graphic = new TGraphicControl(&host);
    graphic->SetCaption(QStringLiteral("图"));
    site->DockManager()->InsertControl(graphic, alClient, nullptr);
    TForm form(nullptr);
    form.SetCaption(QStringLiteral("食物"));
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    form.ManualDock(site);
    form.ShowForm();
    // The site docks inside its frames; each bar is 14 high.
    EXPECT_EQ(graphic->BoundsRect(), Rect(2, 16, 198, 60));
    EXPECT_EQ(form.BoundsRect(), Rect(2, 74, 198, 118));
    const QImage& image = site->PaintOffscreen();
    EXPECT_EQ(Pixel(image, 150, 3), ColorToRGB(clActiveCaption));
    EXPECT_EQ(Pixel(image, 150, 71), ColorToRGB(clInactiveCaption));
    // The close cross in the text colour, in its box at the bar's right end.
    const TRect glyph = InkBox(image, Rect(183, 61, 196, 72), clInactiveCaption);
    EXPECT_EQ(Count(image, clInactiveCaptionText, glyph), (glyph.Bottom - glyph.Top - 1) * 4 + 2);
    EXPECT_GE(glyph.Left, 183);
    EXPECT_LE(glyph.Right, 196);

    host.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.Widget()));
    QApplication::setActiveWindow(host.Widget());
    edit->SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->Focused(); }));
    EXPECT_EQ(Pixel(site->PaintOffscreen(), 150, 71), ColorToRGB(clActiveCaption));

    // Without captions the framework's frame: grip bars and a close button.
    site->SetShowDockClientCaptions(false);
    const QImage& plain = site->PaintOffscreen();
    EXPECT_EQ(Pixel(plain, 185, 61), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(plain, 4, 63), ColorToRGB(clBtnHighlight));
}

TEST_F(SkPanelTest, ASiteAlongTheTopHasUprightBarsWithTurnedText) {
    TForm host(nullptr);
    host.SetBounds(0, 0, 400, 300);
    auto* site = new TSkCustomPanel(&host);
    site->SetParent(&host);
    site->SetBorderOuter(fsNone);
    site->SetAlign(alTop);
    site->SetHeight(80);
    site->SetDockSite(true);
    auto* graphic = new TGraphicControl(&host);
    graphic->SetCaption(QStringLiteral("Foods"));
    site->DockManager()->InsertControl(graphic, alClient, nullptr);
    EXPECT_EQ(graphic->BoundsRect(), Rect(14, 0, 400, 80));
    const QImage& image = site->PaintOffscreen();
    // The text runs up the bar: ink taller than wide, below the cross.
    const TRect text = InkBox(image, Rect(0, 14, 14, 80), clActiveCaption);
    EXPECT_GT(text.Bottom - text.Top, text.Right - text.Left);
    EXPECT_LE(text.Bottom, 77);
    EXPECT_GT(Count(image, clCaptionText, Rect(1, 1, 12, 12)), 0);  // the cross
}

// The group box
// ----------------------------------------------------------------------------------------------
namespace {
// The height of a text in a font, as the drawing layer measures it.
int TextHeightIn(TFont* font, const QString& text) {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*font);
    return measure.Canvas()->TextHeight(text);
}

// A 100 x 60 group box without a caption, white, its flat colour pure red.
struct SkGroupBoxTest : SkPanelTest {
    TSkGroupBox* Box = nullptr;
    int H = 0;  // the caption font's "Pp"
    void SetUp() override {
        SkPanelTest::SetUp();
        Box = Make<TSkGroupBox>(100, 60);
        Box->SetColor(clWhite);
        Box->SetFlatColor(clRed);
        Box->SetFlatColorAdjustment(0);
        H = TextHeightIn(Box->CaptionFont(), QStringLiteral("Pp"));
    }
    TColor At(int x, int y) { return Pixel(Box->PaintOffscreen(), x, y); }
};
}  // namespace

// OnMouseDown may free the group box (a right press that closes its window): the press ends quietly.
TEST_F(SkGroupBoxTest, AMouseDownHandlerMayFreeTheGroupBox) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 120);
    Box->SetParent(&form);
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    QPointer<QObject> alive(Box);
    QPointer<QWidget> widget = Box->Widget();
    Box->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { delete Box; };
    PressThroughWindow(widget, QPoint(50, 30), Qt::RightButton);
    EXPECT_TRUE(alive.isNull());
    QTest::mouseRelease(form.Widget()->windowHandle(), Qt::RightButton, {}, QPoint(60, 40));
    QTest::qWait(1);
    EXPECT_TRUE(widget.isNull());
}

TEST_F(SkGroupBoxTest, EachStyleKeepsRoomForItsCaptionAndFrame) {
    Box->SetHeight(105);
    TPaintBox* child = AddChild(Box, alClient);
    const int h = TextHeightIn(Box->Font(), QStringLiteral("Yy"));
    Box->SetCaption(QStringLiteral("餐次"));
    EXPECT_EQ(child->BoundsRect(), Rect(1, h + 1, 99, 104));  // gsFlat
    Box->SetGroupStyle(gsStandard);
    EXPECT_EQ(child->BoundsRect(), Rect(2, h + 2, 98, 103));
    Box->SetGroupStyle(gsCustom);
    EXPECT_EQ(child->BoundsRect(), Rect(2, h + 2, 98, 103));
    Box->SetCaption(QString());
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 98, 103));
    Box->SetGroupStyle(gsTopLine);
    EXPECT_EQ(child->BoundsRect(), Rect(0, h, 100, 105));
    Box->SetGroupStyle(gsUnderline);
    EXPECT_EQ(child->BoundsRect(), Rect(0, h + 4, 100, 105));
    Box->SetGroupStyle(gsBanner);
    EXPECT_EQ(child->BoundsRect(), Rect(0, h + 8, 100, 105));
    Box->SetBannerHeight(30);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 30, 100, 105));
    // A banner higher than the box takes the box's height, no more.
    Box->SetBannerHeight(500);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 105, 100, 105));
    EXPECT_EQ(Box->BannerHeight(), 500);  // as set, and as stored
    // A border wider than half the text: the top lies half a line below it.
    Box->SetGroupStyle(gsFlat);
    Box->SetBorderWidth(10);
    EXPECT_EQ(child->BoundsRect(), Rect(11, 10 + h / 2 - 1 + 1, 89, 94));
}

TEST_F(SkGroupBoxTest, TheFlatStyleCutsItsCornersAndTheStandardOnesFrameAllRound) {
    const int top = H / 2 - 1;
    const TColor red = ColorToRGB(clRed), white = ColorToRGB(clWhite);
    // gsFlat: sides stopping two short of each corner, one pixel across each corner.
    EXPECT_EQ(At(0, top + 2), red);
    EXPECT_EQ(At(0, top + 1), white);
    EXPECT_EQ(At(1, top + 1), red);
    EXPECT_EQ(At(2, top), red);
    EXPECT_EQ(At(97, top), red);
    EXPECT_EQ(At(98, top), white);
    EXPECT_EQ(At(98, top + 1), red);
    EXPECT_EQ(At(99, 57), red);
    EXPECT_EQ(At(99, 58), white);
    EXPECT_EQ(At(98, 58), red);
    EXPECT_EQ(At(50, 59), red);
    EXPECT_EQ(At(1, 59), white);
    EXPECT_EQ(At(50, top - 1), white);
    // gsStandard: a groove; with fsFlat a box in the flat colour, with fsFlatBold two pixels.
    Box->SetGroupStyle(gsStandard);
    EXPECT_EQ(At(0, top), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, top + 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(99, top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(98, 58), ColorToRGB(clBtnShadow));
    Box->SetBorderOuter(fsFlat);
    EXPECT_EQ(At(0, top), red);
    EXPECT_EQ(At(99, 59), red);
    EXPECT_EQ(At(1, top + 1), white);
    Box->SetBorderOuter(fsFlatBold);
    EXPECT_EQ(At(1, top + 1), red);
    EXPECT_EQ(At(2, top + 2), white);
    // gsTopLine: only a line along the top, two in from each end; fsFlatBold doubles it.
    Box->SetGroupStyle(gsTopLine);
    EXPECT_EQ(At(2, top + 1), red);
    EXPECT_EQ(At(97, top + 1), red);
    EXPECT_EQ(At(1, top), white);
    EXPECT_EQ(At(98, top), white);
    EXPECT_EQ(At(50, 59), white);
    EXPECT_EQ(At(0, 30), white);
}

// Over a coloured parent, a framed box shows the parent above its top line and beyond its cut corners,
// and its own colour inside; the other styles fill their whole rectangle.
TEST_F(SkGroupBoxTest, OutsideItsFrameAFramedBoxShowsItsParent) {
    const int top = H / 2 - 1;
    const TColor parent = 0x80E0F0, grey = ColorToRGB(clBtnFace);
    Parent->SetColor(parent);
    Box->SetColor(clBtnFace);
    for (const TRect& outside : {Rect(50, 0, 51, top), Rect(0, top, 2, top + 1), Rect(0, top + 1, 1, top + 2),
                                 Rect(98, top, 100, top + 1), Rect(99, top + 1, 100, top + 2),
                                 Rect(0, 58, 1, 60), Rect(1, 59, 2, 60), Rect(99, 58, 100, 60)})
        EXPECT_EQ(At(outside.Left, outside.Top), parent) << outside.Left << "," << outside.Top;
    EXPECT_EQ(At(1, top + 2), grey);  // inside the frame
    EXPECT_EQ(At(50, 30), grey);
    EXPECT_EQ(At(2, top + 1), grey);
    Box->SetGroupStyle(gsStandard);
    EXPECT_EQ(At(50, top - 1), parent);
    EXPECT_EQ(At(50, 30), grey);
    Box->SetGroupStyle(gsTopLine);
    EXPECT_EQ(At(50, top - 1), grey);
    Box->SetGroupStyle(gsFlat);
    Box->SetTransparent(true);  // a transparent box shows its parent inside too
    EXPECT_EQ(At(50, 30), parent);
}

TEST_F(SkGroupBoxTest, BannerAndUnderlineRunUnderTheCaption) {
    Box->SetCaption(QStringLiteral("Ab"));
    const TSize caption = [&] {
        TBitmap measure(1, 1);
        measure.Canvas()->Font()->Assign(*Box->CaptionFont());
        return measure.Canvas()->TextExtent(QStringLiteral("Ab"));
    }();
    Box->SetGroupStyle(gsUnderline);
    EXPECT_EQ(At(0, caption.cy + 2), ColorToRGB(clRed));
    EXPECT_EQ(At(99, caption.cy + 2), ColorToRGB(clRed));
    EXPECT_EQ(At(99, caption.cy + 3), ColorToRGB(clWhite));

    Box->SetGroupStyle(gsBanner);
    Box->SetBannerHeight(20);
    Box->SetGradientColorStyle(gcsCustom);
    Box->SetGradientColorStart(clWhite);
    Box->SetGradientColorStop(clBlue);
    // A frame in the flat colour without its corner pixels, then a gradient down to the stop colour.
    EXPECT_EQ(At(0, 0), ColorToRGB(clWhite));
    EXPECT_EQ(At(1, 0), ColorToRGB(clRed));
    EXPECT_EQ(At(0, 1), ColorToRGB(clRed));
    EXPECT_EQ(At(99, 18), ColorToRGB(clRed));
    EXPECT_EQ(At(99, 19), ColorToRGB(clWhite));
    EXPECT_EQ(At(98, 19), ColorToRGB(clRed));
    EXPECT_EQ(At(97, 18), ColorToRGB(clBlue));
    EXPECT_TRUE(Near(At(97, 1), ColorToRGB(clWhite), 255 / 17 + 1));  // 18 rows
    // The scheme's button colours without a custom style: highlight to face, the frame in the shadow.
    Box->SetGradientColorStyle(gcsSystem);
    EXPECT_EQ(At(1, 0), ColorToRGB(DarkerColor(clBtnFace, 40)));
    EXPECT_EQ(At(97, 18), ColorToRGB(DarkerColor(clBtnFace, 20)));
}

TEST_F(SkGroupBoxTest, TheCaptionInterruptsTheFrameAndGreysWhenDisabled) {
    Box->SetGroupStyle(gsStandard);
    Box->SetBorderOuter(fsFlat);
    Box->SetCaption(QStringLiteral("早餐"));
    const int top = H / 2 - 1;
    const int width = [&] {
        TBitmap measure(1, 1);
        measure.Canvas()->Font()->Assign(*Box->CaptionFont());
        return measure.Canvas()->TextWidth(QStringLiteral("早餐"));
    }();
    // Filled with Color over the caption's rectangle (8, 0, width + 8, height): no frame there.
    const TRect gap = Rect(8, top, width + 8, top + 1);
    EXPECT_EQ(At(7, top), ColorToRGB(clRed));
    EXPECT_EQ(At(width + 8, top), ColorToRGB(clRed));
    EXPECT_EQ(Count(Box->PaintOffscreen(), clRed, gap), 0);
    EXPECT_TRUE(InkIn(Box->PaintOffscreen(), Rect(8, 0, width + 8, H), clWhite, clWindowText).Shown());
    // Transparent: the frame leaves the caption out and the parent shows.
    Parent->SetColor(clYellow);
    Box->SetTransparent(true);
    EXPECT_EQ(Count(Box->PaintOffscreen(), clRed, gap), 0);
    EXPECT_EQ(At(50, 40), ColorToRGB(clYellow));
    Box->SetEnabled(false);
    EXPECT_TRUE(InkIn(Box->PaintOffscreen(), Rect(8, 0, width + 8, H), clYellow, clGrayText).Shown());
}

TEST_F(SkGroupBoxTest, WithVisualStylesTheFrameAndCaptionAreTheThemes) {
    SetThemesActiveForTest(true);
    Box->SetCaption(QStringLiteral("早餐"));
    const QImage& image = Box->PaintOffscreen();
    // No cut corners of the classic flat style: the theme's rounded frame, and its caption colour.
    const int top = H / 2 - 1;
    EXPECT_NE(Pixel(image, 1, top + 1), ColorToRGB(clRed));
    EXPECT_NE(Pixel(image, 0, 30), ColorToRGB(clRed));
    EXPECT_TRUE(InkIn(image, Rect(8, 0, 20, H), clWhite, 0xD54600).Shown());
    // Other styles stay classic but take the theme's caption colour.
    Box->SetGroupStyle(gsUnderline);
    const QImage& underline = Box->PaintOffscreen();
    EXPECT_EQ(Pixel(underline, 50, TextHeightIn(Box->CaptionFont(), QStringLiteral("早餐")) + 2),
              ColorToRGB(clRed));
    EXPECT_TRUE(InkIn(underline, Rect(0, 0, 40, H), clWhite, 0xD54600).Shown());
}

TEST_F(SkGroupBoxTest, TheCaptionFontFollowsTheFontUntilSetApartAndScalesBack) {
    Box->Font()->SetSize(12);
    EXPECT_EQ(Box->CaptionFont()->Size(), 12);
    EXPECT_FALSE(Box->CaptionFontChanged());
    Box->CaptionFont()->SetSize(13);
    EXPECT_TRUE(Box->CaptionFontChanged());
    Box->Font()->SetSize(9);
    EXPECT_EQ(Box->CaptionFont()->Size(), 13);
    // 13 * 2 / 3 = 8.67 -> 9, and 9 * 3 / 2 = 13.5 would come back as 14 step by step.
    Box->ChangeScale(2, 3);
    EXPECT_EQ(Box->CaptionFont()->Size(), 9);
    EXPECT_EQ(Box->Font()->Size(), 6);
    Box->ChangeScale(3, 2);
    EXPECT_EQ(Box->CaptionFont()->Size(), 13);
    EXPECT_EQ(Box->Font()->Size(), 9);
}

TEST_F(SkGroupBoxTest, TheCaptionsAcceleratorFocusesTheFirstChild) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* box = new TSkGroupBox(&form);
    box->SetParent(&form);
    box->SetCaption(QStringLiteral("餐次(&M)"));
    auto* second = new TEdit(box);
    second->SetParent(box);
    second->SetTabOrder(1);
    auto* first = new TEdit(box);
    first->SetParent(box);
    first->SetTabOrder(0);
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    QApplication::setActiveWindow(form.Widget());
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'm'), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first->Focused(); }));
}

TEST_F(SkGroupBoxTest, FormsStoreOnlyWhatDiffersAndReadTheNamesOfEarlierVersions) {
    Box->SetName(QStringLiteral("gb"));
    Box->SetHeight(105);
    const QString plain = ComponentToText(Box);
    for (const char* name :
         {"GroupStyle", "BorderOuter", "BorderInner", "VisualStyle", "Height", "BannerHeight", "CaptionFont",
          "GradientDirection", "ShowDockClientCaptions", "Alignment"})
        EXPECT_FALSE(plain.contains(QLatin1String(name))) << name;
    EXPECT_TRUE(plain.contains(QStringLiteral("FlatColor = clRed")));

    Box->SetGroupStyle(gsBanner);
    Box->SetGradientDirection(gdSquareBox);
    Box->CaptionFont()->SetColor(clBlue);
    const QString text = ComponentToText(Box);
    EXPECT_TRUE(text.contains(QStringLiteral("GroupStyle = gsBanner")));
    EXPECT_TRUE(text.contains(QStringLiteral("GradientDirection = gdSquareBox")));
    EXPECT_TRUE(text.contains(QStringLiteral("CaptionFont.Color = clBlue")));
    std::unique_ptr<TComponent> made(TextToComponent(text));
    auto* back = qobject_cast<TSkGroupBox*>(made.get());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->CaptionFontChanged());
    EXPECT_EQ(back->CaptionFont()->Color(), clBlue);
    EXPECT_EQ(ComponentToText(back), text);

    std::unique_ptr<TComponent> old(TextToComponent(QStringLiteral("object gb: TSkGroupBox\n"
                                                                   "  FrameSides = [sdLeft, sdTop]\n"
                                                                   "  ThemeAware = False\n"
                                                                   "  UseGradients = True\n"
                                                                   "end\n")));
    auto* earlier = qobject_cast<TSkGroupBox*>(old.get());
    ASSERT_NE(earlier, nullptr);
    EXPECT_EQ(earlier->VisualStyle(), vsGradient);
    EXPECT_EQ(earlier->BorderSides(), AllSides);
    EXPECT_FALSE(ComponentToText(earlier).contains(QStringLiteral("UseGradients")));
}
