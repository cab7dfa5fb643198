// Frames and colours as a window shows them: a hot-tracked frame stays bold while its control has the
// focus wherever the mouse is; a list box with an empty group prefix has no group headers; the status
// style is sunken wherever it is drawn; a panel's caption aligned to the bottom sits on its inner edge.
#include "ControlProbes.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "SkCmboBx.h"
#include "SkCommon.h"
#include "SkGrids.h"
#include "SkLstBox.h"
#include "SkPanel.h"
#include "SkStatus.h"
#include "StdCtrls.h"
#include "TextDraw.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
// An active window with an edit that can take the focus away.
struct SkFrameStates : testing::Test {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TEdit* Other = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 400, 300);
        Other = new TEdit(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(250, 10, 100, 21);
        Form->Show();
        Form->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
    }
    template <class T> T* Place(int width, int height) {
        auto* control = new T(Form.get());
        control->SetParent(Form.get());
        control->SetBounds(10, 10, width, height);
        return control;
    }
    static void MouseComesAndGoes(TControl* control) {
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QApplication::sendEvent(control->Widget(), &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(control->Widget(), &leave);
    }
    // The two outermost pixels of the left edge, halfway down, as the control shows them.
    static std::pair<TColor, TColor> LeftEdge(TControl* control) {
        QApplication::processEvents();
        const QImage image = control->Widget()->grab().toImage();
        const int y = control->Height() / 2;
        return {Pixel(image, 0, y), Pixel(image, 1, y)};
    }
    // Hot tracking in red over a blue frame: cold (blue, one pixel) with the mouse gone and the focus
    // elsewhere; bold red while the control has the focus, though the mouse is not over it.
    template <class T> void ExpectBoldWhileFocused(T* control) {
        control->SetFrameColor(clBlue);
        control->SetFrameHotColor(clRed);
        control->SetFrameVisible(true);  // the combo box's hot tracking does not show the frame itself
        control->SetFrameHotTrack(true);
        ASSERT_EQ(control->FrameHotStyle(), fsFlatBold);
        MouseComesAndGoes(control);
        Other->SetFocus();
        auto edge = LeftEdge(control);
        EXPECT_EQ(edge.first, clBlue);
        EXPECT_NE(edge.second, clRed);
        control->SetFocus();
        ASSERT_TRUE(control->Focused());
        edge = LeftEdge(control);
        EXPECT_EQ(edge.first, clRed);
        EXPECT_EQ(edge.second, clRed);
        MouseComesAndGoes(control);  // the mouse passes over and leaves; the focus stays
        edge = LeftEdge(control);
        EXPECT_EQ(edge.first, clRed);
        EXPECT_EQ(edge.second, clRed);
        Other->SetFocus();
        edge = LeftEdge(control);
        EXPECT_EQ(edge.first, clBlue);
        EXPECT_NE(edge.second, clRed);
    }
};
}  // namespace

// Hot-tracked frames -----------------------------------------------------------------------------------

TEST_F(SkFrameStates, AFocusedGridShowsItsBoldHotFrameWithTheMouseElsewhere) {
    auto* grid = Place<TSkStringGrid>(200, 100);
    grid->SetScrollBars(ssNone);
    ExpectBoldWhileFocused(grid);
}

TEST_F(SkFrameStates, AFocusedListBoxShowsItsBoldHotFrameWithTheMouseElsewhere) {
    auto* list = Place<TSkListBox>(200, 100);
    list->Items()->Add(QStringLiteral("米饭"));
    ExpectBoldWhileFocused(list);
}

TEST_F(SkFrameStates, AFocusedComboBoxShowsItsBoldHotFrameWithTheMouseElsewhere) {
    auto* box = Place<TSkComboBox>(100, 21);
    box->SetStyle(csDropDownList);
    box->Items()->Add(QStringLiteral("早餐"));
    ExpectBoldWhileFocused(box);
}

// Group headers -----------------------------------------------------------------------------------------

TEST_F(SkFrameStates, AListBoxWithAnEmptyGroupPrefixShowsItsItemsAsItemsNotHeaders) {
    auto* list = Place<TSkListBox>(200, 100);
    list->Items()->Add(QStringLiteral("谷类"));
    list->Items()->Add(QStringLiteral("薯类"));
    list->SetGroupColor(clYellow);
    list->SetShowGroups(true);
    list->SetGroupPrefix(QString());
    QApplication::processEvents();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(list->IsGroupItem(i));
        EXPECT_EQ(list->GroupHeaderOf(i), -1);
        EXPECT_EQ(list->GroupNumberOf(i), -1);
        const QImage items = static_cast<QAbstractScrollArea*>(list->Widget())->viewport()->grab().toImage();
        const TRect row = list->ItemRect(i);
        // An ordinary row: the list's colour to its right end and its text in the list's text colour.
        EXPECT_EQ(Pixel(items, row.Right - 1, row.Top), ColorToRGB(clWindow));
        EXPECT_TRUE(InkIn(items, row, clWindow, clWindowText).Shown());
    }
    // The default prefix still makes headers of the items that begin with it.
    list->Items()->Add(QStringLiteral("//豆类"));
    list->SetGroupPrefix(QStringLiteral("//"));
    EXPECT_FALSE(list->IsGroupItem(0));
    EXPECT_TRUE(list->IsGroupItem(2));
}

// The status style ----------------------------------------------------------------------------------------

namespace {
// A white panel at the top left of a paint box, to be painted off screen.
TSkCustomPanel* WhitePanel(TPaintBox& parent, int width, int height) {
    parent.SetBounds(0, 0, 200, 100);
    auto* panel = new TSkCustomPanel(&parent);
    panel->SetParent(&parent);
    panel->SetBounds(0, 0, width, height);
    panel->SetColor(clWhite);
    return panel;
}
}  // namespace

TEST(SkStatusStyle, IsSunkenWithTheShadowAtTheTopLeftWhereverItIsDrawn) {
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    // The bevel routine.
    TBitmap bitmap(20, 12);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Rect(0, 0, 20, 12));
    EXPECT_EQ(DrawBevelAllSides(bitmap.Canvas(), Rect(0, 0, 20, 12), fsStatus), Rect(1, 1, 19, 11));
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 6), shadow);
    EXPECT_EQ(bitmap.Canvas()->Pixels(10, 0), shadow);
    EXPECT_EQ(bitmap.Canvas()->Pixels(19, 6), light);
    EXPECT_EQ(bitmap.Canvas()->Pixels(10, 11), light);

    // A panel's outer border: the bevel width in shadow above and left, in highlight below and right.
    TPaintBox parent(nullptr);
    TSkCustomPanel* panel = WhitePanel(parent, 40, 30);
    panel->SetBorderOuter(fsStatus);
    panel->SetBevelWidth(2);
    const QImage& image = panel->PaintOffscreen();
    for (int d = 0; d < 2; ++d) {
        EXPECT_EQ(Pixel(image, d, 15), shadow) << d;
        EXPECT_EQ(Pixel(image, 20, d), shadow) << d;
        EXPECT_EQ(Pixel(image, 39 - d, 15), light) << d;
        EXPECT_EQ(Pixel(image, 20, 29 - d), light) << d;
    }
    EXPECT_EQ(Pixel(image, 2, 15), clWhite);

    // A status pane's frame, inside its one-pixel border.
    auto* pane = new TSkStatusPane(&parent);
    pane->SetParent(&parent);
    pane->SetBounds(0, 40, 20, 10);
    pane->SetTransparent(false);
    pane->SetColor(clWhite);
    pane->SetFrameStyle(fsStatus);
    const QImage& paneImage = pane->PaintOffscreen();
    EXPECT_EQ(Pixel(paneImage, 1, 5), shadow);
    EXPECT_EQ(Pixel(paneImage, 10, 1), shadow);
    EXPECT_EQ(Pixel(paneImage, 18, 5), light);
    EXPECT_EQ(Pixel(paneImage, 10, 8), light);
}

// Panel captions --------------------------------------------------------------------------------------------

namespace {
// The box of the pixels that are not white.
TRect InkBox(const QImage& image) {
    TRect box{image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Pixel(image, x, y) != clWhite)
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                       std::max(box.Bottom, y + 1)};
    return box;
}
}  // namespace

TEST(SkPanelCaption, AlignedToTheBottomItsLineStartsItsHeightAndOnePixelAboveTheInnerBottom) {
    TPaintBox parent(nullptr);
    TSkCustomPanel* panel = WhitePanel(parent, 120, 60);
    panel->SetBorderOuter(fsNone);
    panel->SetCaption(QStringLiteral("能量"));
    panel->SetTextMarginVertical(5);
    // The height of one line of the caption, as the panel measures it.
    TBitmap measure(10, 10);
    measure.Canvas()->Font()->Assign(*panel->Font());
    TRect line = Rect(0, 0, 120, 60);
    const int h = measure.Canvas()->DrawText(panel->Caption(), line, DT_CALCRECT | DT_WORDBREAK);
    ASSERT_GT(h, 8);

    // The line's top: at the top, 5 below the top edge; at the bottom, 60 - 5 - h - 1. The glyphs' ink
    // lies the same distance below the line's top either way.
    panel->SetAlignmentVertical(avTop);
    const TRect top = InkBox(panel->PaintOffscreen());
    ASSERT_GT(top.Bottom, 0);
    const int inkBelowLineTop = top.Top - 5;
    panel->SetAlignmentVertical(avBottom);
    const TRect bottom = InkBox(panel->PaintOffscreen());
    EXPECT_EQ(bottom.Top, (60 - 5 - h - 1) + inkBelowLineTop);
    EXPECT_EQ(bottom.Left, top.Left);

    // Inside a raised frame the inner rectangle is (2, 2, 118, 58): the line starts at 58 - 5 - h - 1.
    panel->SetBorderOuter(fsRaised);
    const QImage inside = panel->PaintOffscreen().copy(2, 2, 116, 56);
    EXPECT_EQ(InkBox(inside).Top + 2, (58 - 5 - h - 1) + inkBelowLineTop);

    // A caption taller than the room starts at the top instead of above it.
    panel->SetBorderOuter(fsNone);
    panel->SetBounds(0, 0, 120, h + 6);
    const TRect low = InkBox(panel->PaintOffscreen());
    panel->SetAlignmentVertical(avTop);
    EXPECT_EQ(low.Top, InkBox(panel->PaintOffscreen()).Top);
}
