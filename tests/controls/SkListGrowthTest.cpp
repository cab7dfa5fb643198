// Lists that grow and change one item at a time: the check list's states, glyph areas and glyph
// repaints, the list box's horizontal extent, and the tree's width as its nodes open and change.
#include "ControlProbes.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "PaintRecorder.h"
#include "SkChkLst.h"
#include "SkTreeVw.h"
#include "WidgetInput.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {
QString Food(int length, int number) {
    return QString(length, QChar(u'米')) + QString::number(number);
}

// The width a text takes in a control's font, measured on a canvas of its own.
int TextWidthIn(TControl* control, const QString& text) {
    TBitmap bitmap(1, 1);
    bitmap.Canvas()->Font()->Assign(*control->Font());
    return bitmap.Canvas()->TextWidth(text);
}

// The extent the rules give a plain list box: its widest item with one "x" more.
int ExpectedExtent(TSkListBox& list) {
    int widest = 0;
    for (int i = 0; i < list.Count(); ++i)
        widest = std::max(widest, TextWidthIn(&list, list.Items()->Strings(i) + QStringLiteral("x")));
    return widest;
}

// One random change to a list's items: an item added, inserted or deleted, or given a new text.
template <class TItems> void RandomChange(TItems* items, std::mt19937& random, const QString& text) {
    const int count = items->Count(), action = int(random() % 4);
    if (action == 0 || count == 0)
        items->Add(text);
    else if (action == 1)
        items->Insert(int(random() % count), text);
    else if (action == 2)
        items->Delete(int(random() % count));
    else
        items->SetStrings(int(random() % count), text);
}

struct ShownCheckList : testing::Test {
    TForm Form{nullptr};
    TSkCheckList* List = nullptr;
    void SetUp() override {
        Form.SetBounds(0, 0, 300, 300);
        List = new TSkCheckList(&Form);
        List->SetParent(&Form);
        List->SetBounds(10, 10, 220, 200);
        Form.ShowForm();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Widget()));
    }
    TRect ItemGlyph(int index) {
        const TRect item = List->ItemRect(index);
        const int margin = (List->ItemHeight() - 13) / 2;
        return Rect(item.Left, item.Top + margin, item.Left + 13 + 4, item.Bottom - margin);
    }
};
}  // namespace

// Items added and ticked one by one, with the list on the screen: each keeps its state, and the rows
// and glyph areas lie where the item height puts them.
TEST_F(ShownCheckList, ItemsTickedAsTheyComeKeepTheirStatesAndPlaces) {
    const TCheckBoxState states[] = {cbChecked, cbGrayed, cbUnchecked};
    for (int i = 0; i < 400; ++i) {
        List->Items()->Add(Food(2, i));
        List->SetItemState(i, states[i % 3]);
        if (i % 7 == 0) QApplication::processEvents();
    }
    QApplication::processEvents();
    ASSERT_EQ(List->Items()->Count(), 400);
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(List->ItemState(i), states[i % 3]) << i;
    const int height = List->ItemHeight();
    for (int i : {0, 1, 5}) {
        EXPECT_EQ(List->ItemRect(i).Top, i * height) << i;
        EXPECT_EQ(List->GlyphArea(i), ItemGlyph(i)) << i;
    }
    List->SetTopIndex(300);
    QApplication::processEvents();
    EXPECT_EQ(List->ItemRect(302).Top, 2 * height);
    EXPECT_EQ(List->GlyphArea(302), ItemGlyph(302));

    // What the screen shows: the first rows' glyphs as ticked, grayed and empty.
    List->SetTopIndex(0);
    QApplication::processEvents();
    const QImage shown = Viewport(List)->grab().toImage();
    const int top = (height - 13) / 2;
    const TColor tick = ColorToRGB(clHighlight), fill = ColorToRGB(clWindow);
    EXPECT_EQ(Pixel(shown, 7, top + 5), tick);               // the tick of row 0
    EXPECT_EQ(Pixel(shown, 7, height + top + 3), tick);      // row 1 grayed: the inside filled
    EXPECT_EQ(Pixel(shown, 7, 2 * height + top + 5), fill);  // row 2 empty
}

// A tick repaints the item's glyph and nothing else; while new items wait to be laid out, the list
// repaints whole after the layout, so a tick then needs no place of its own.
TEST_F(ShownCheckList, ATickRepaintsItsGlyph) {
    for (int i = 0; i < 20; ++i)
        List->Items()->Add(Food(3, i));
    // Laid out, then painted whole once.
    QApplication::processEvents();
    QApplication::processEvents();
    TPaintRecorder recorder(Viewport(List));
    List->SetItemChecked(3, true);
    QApplication::processEvents();
    const TRect glyph = List->GlyphArea(3);
    const QRect glyphRect(glyph.Left, glyph.Top, glyph.Width(), glyph.Height());
    EXPECT_TRUE(recorder.Painted.contains(glyphRect));
    EXPECT_EQ(recorder.Painted.boundingRect(), glyphRect);

    // The same state again repaints nothing.
    recorder.Painted = QRegion();
    List->SetItemChecked(3, true);
    QApplication::processEvents();
    EXPECT_TRUE(recorder.Painted.isEmpty());

    // An item added and ticked at once is painted ticked with the others.
    recorder.Painted = QRegion();
    List->Items()->Insert(0, QStringLiteral("新"));
    List->SetItemChecked(0, true);
    QApplication::processEvents();
    EXPECT_TRUE(recorder.Painted.contains(QRect(0, 0, Viewport(List)->width(), 5 * List->ItemHeight())));
    EXPECT_TRUE(List->ItemChecked(0));
    EXPECT_TRUE(List->ItemChecked(4));

    // An image index repaints the image's part of the row: from the glyph's 13 + 4 pixels to the text
    // indent (13 + 8 + 16 + 4), vertically centred on the images' 10 pixels.
    TImageList images(&Form);
    images.SetWidth(16);
    images.SetHeight(10);
    List->SetImages(&images);
    QApplication::processEvents();
    QApplication::processEvents();
    recorder.Painted = QRegion();
    List->SetItemImageIndex(2, 1);
    QApplication::processEvents();
    const TRect image = List->ImageArea(2), item = List->ItemRect(2);
    const int margin = (List->ItemHeight() - 10) / 2;
    EXPECT_EQ(image, Rect(item.Left + 17, item.Top + margin, item.Left + 41, item.Bottom - margin));
    EXPECT_EQ(recorder.Painted.boundingRect(), QRect(image.Left, image.Top, image.Width(), image.Height()));
}

// The extent follows every kind of change one item at a time, as a measure of all items gives it.
TEST(ListBoxExtent, FollowsAddsInsertsDeletesAndTextChanges) {
    TSkListBox list(nullptr);
    list.SetHorzScrollBar(true);
    list.Items()->Add(Food(2, 1));
    EXPECT_EQ(list.HorzExtent(), ExpectedExtent(list));
    list.Items()->Add(Food(8, 2));
    list.Items()->Insert(0, Food(5, 3));
    EXPECT_EQ(list.HorzExtent(), TextWidthIn(&list, Food(8, 2) + "x"));
    list.Items()->Delete(2);  // the widest goes: the next one is the widest
    EXPECT_EQ(list.HorzExtent(), TextWidthIn(&list, Food(5, 3) + "x"));
    list.Items()->SetStrings(1, Food(12, 4));  // a short item grows past the others
    EXPECT_EQ(list.HorzExtent(), TextWidthIn(&list, Food(12, 4) + "x"));
    list.Items()->SetStrings(1, Food(1, 5));  // and shrinks again
    EXPECT_EQ(list.HorzExtent(), ExpectedExtent(list));
    list.Font()->SetHeight(-20);
    EXPECT_EQ(list.HorzExtent(), ExpectedExtent(list));
    list.Font()->SetHeight(-8);  // and shrinks with a smaller one
    EXPECT_EQ(list.HorzExtent(), ExpectedExtent(list));
    list.Items()->Clear();
    EXPECT_EQ(list.HorzExtent(), 0);

    // A long run of random changes, each checked against every item measured anew.
    std::mt19937 random(7);
    for (int step = 0; step < 300; ++step) {
        RandomChange(list.Items(), random, Food(1 + int(random() % 15), step));
        ASSERT_EQ(list.HorzExtent(), ExpectedExtent(list)) << "step " << step;
    }
    // The bar switched off and on measures afresh.
    list.SetHorzScrollBar(false);
    list.Items()->Add(Food(30, 0));
    list.SetHorzScrollBar(true);
    EXPECT_EQ(list.HorzExtent(), ExpectedExtent(list));
}

// The check list measures its items with their glyph's TAB; changes made inside an update are
// measured once at its end, to what a measure of every item gives.
TEST(ListBoxExtent, TheCheckListMeasuresChangesMadeInsideAnUpdate) {
    TSkCheckList list(nullptr);
    list.SetHorzScrollBar(true);
    for (int i = 0; i < 30; ++i)
        list.Items()->Add(Food(i % 9 + 1, i));
    const int first = list.HorzExtent();
    EXPECT_GT(first, TextWidthIn(&list, Food(9, 8)));
    list.Items()->BeginUpdate();
    list.Items()->Insert(4, Food(20, 99));
    list.Items()->Delete(0);
    EXPECT_EQ(list.HorzExtent(), first);  // nothing measured inside the update
    list.Items()->EndUpdate();
    const int grown = list.HorzExtent();
    EXPECT_GT(grown, first);
    list.UpdateHorzExtent();
    EXPECT_EQ(list.HorzExtent(), grown);
    list.Items()->Delete(3);  // the long item
    const int after = list.HorzExtent();
    list.UpdateHorzExtent();
    EXPECT_EQ(list.HorzExtent(), after);
    EXPECT_EQ(after, first);

    // Runs of random changes inside updates, each run's outcome checked against a measure of all; the
    // first text of a run is the widest so far, so an item left unmeasured shows.
    std::mt19937 random(11);
    for (int run = 0; run < 60; ++run) {
        list.Items()->BeginUpdate();
        for (int step = 0; step < 6; ++step) {
            RandomChange(list.Items(), random, Food(20 + run + 2 * (6 - step), step));
        }
        list.Items()->EndUpdate();
        const int kept = list.HorzExtent();
        list.UpdateHorzExtent();
        ASSERT_EQ(kept, list.HorzExtent()) << "run " << run;
    }
}

// Filled inside an update, a shown check list's scroll bar reaches the end of its longest item.
TEST_F(ShownCheckList, FilledInsideAnUpdateItScrollsToItsLongestItem) {
    List->SetHorzScrollBar(true);
    List->Items()->BeginUpdate();
    for (int i = 0; i < 20; ++i)
        List->Items()->Add(Food(i == 7 ? 40 : 3, i));
    QApplication::processEvents();  // laid out while the update runs
    List->Items()->EndUpdate();
    QApplication::processEvents();
    const QScrollBar* bar = static_cast<QAbstractScrollArea*>(List->Widget())->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_GE(bar->maximum() + Viewport(List)->width(), TextWidthIn(List, Food(40, 7)));
}

// The column is as wide as the widest row shown, measured again when a node's text or the tree's
// font changes.
TEST(TreeWidths, TheColumnFollowsOpenedNodesTextsAndFont) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* tree = new TSkTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 200, 200);
    TTreeNode* group = tree->Items()->Add(nullptr, QStringLiteral("谷类"));
    TTreeNode* longest = tree->Items()->AddChild(group, Food(20, 1));
    tree->Items()->AddChild(group, Food(3, 2));
    form.ShowForm();
    QApplication::processEvents();
    auto* widget = static_cast<QTreeWidget*>(tree->Widget());
    auto column = [&] {
        QApplication::processEvents();
        return widget->header()->sectionSize(0);
    };
    const int closed = column();
    tree->FullExpand();
    const int indent = widget->indentation();
    EXPECT_GE(column(), indent + TextWidthIn(tree, Food(20, 1)));
    EXPECT_GT(column(), closed);
    longest->SetText(Food(30, 1));
    tree->FullCollapse();
    tree->FullExpand();
    EXPECT_GE(column(), indent + TextWidthIn(tree, Food(30, 1)));
    const int small = column();
    tree->Font()->SetHeight(-24);
    tree->FullCollapse();
    tree->FullExpand();
    EXPECT_GE(column(), indent + TextWidthIn(tree, Food(30, 1)));
    EXPECT_GT(column(), small * 3 / 2);
}
