#include "ControlProbes.h"
#include "Dialogs.h"
#include "Forms.h"
#include "RecordingServices.h"
#include "SkTreeVw.h"
#include "WidgetInput.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class SkTreeViewTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 300, 300);
        tree = new TSkTreeView(&form);
        tree->SetParent(&form);
        tree->SetBounds(10, 10, 200, 200);
    }
    void Show() {
        form.ShowForm();
        QApplication::processEvents();
    }
    // a (b (c), d), e
    void Fill() {
        a = tree->Items()->AddChild(nullptr, "谷类");
        b = tree->Items()->AddChild(a, "米");
        c = tree->Items()->AddChild(b, "粳米");
        d = tree->Items()->AddChild(a, "麦");
        e = tree->Items()->AddChild(nullptr, "蔬菜");
    }
    QStringList Saved(TSkTreeView* view) {
        TStringList lines;
        view->SaveToStrings(&lines);
        return lines.ToQStringList();
    }
    void Load(const QStringList& text) {
        TStringList lines;
        lines.Assign(text);
        tree->LoadFromStrings(&lines);
    }

    TRecordingMessageService boxes;
    TForm form{nullptr};
    TSkTreeView* tree = nullptr;
    TTreeNode *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *e = nullptr;
};

TEST_F(SkTreeViewTest, AutoExpandAndAutoSelectAreNeverBothOn) {
    tree->SetAutoSelect(true);
    tree->SetAutoExpand(true);
    EXPECT_FALSE(tree->AutoSelect());
    tree->SetAutoSelect(true);
    EXPECT_FALSE(tree->AutoExpand());
    EXPECT_TRUE(tree->AutoSelect());
}

TEST_F(SkTreeViewTest, AutoSelectSelectsANodeAsItOpensAndCloses) {
    Fill();
    Show();
    tree->SetAutoSelect(true);
    tree->SetSelected(e);
    TTreeNode* selectedInEvent = nullptr;
    tree->OnExpanded = [&](TObject*, TTreeNode*) { selectedInEvent = tree->Selected(); };
    a->Expand(false);
    EXPECT_EQ(selectedInEvent, e);  // the event comes first, then the selection
    EXPECT_EQ(tree->Selected(), a);
    tree->SetSelected(e);
    tree->OnCollapsed = [&](TObject*, TTreeNode*) { selectedInEvent = tree->Selected(); };
    a->Collapse(false);
    EXPECT_EQ(selectedInEvent, a);  // selected before the event
    // Collapsing everything leaves the selection alone.
    b->MakeVisible();
    tree->SetSelected(e);
    tree->FullCollapse();
    EXPECT_EQ(tree->Selected(), e);
    EXPECT_TRUE(tree->AutoSelect());
}

TEST_F(SkTreeViewTest, AutoExpandOpensTheSelectedNode) {
    Fill();
    Show();
    tree->SetAutoExpand(true);
    tree->SetSelected(e);
    tree->SetSelected(a);
    EXPECT_TRUE(a->Expanded());
}

TEST_F(SkTreeViewTest, ItemHeightBelowOneGivesTheDefaultHeight) {
    const int standard = tree->RowHeight();
    tree->SetItemHeight(30);
    EXPECT_EQ(tree->ItemHeight(), 30);
    EXPECT_EQ(tree->RowHeight(), 30);
    tree->SetItemHeight(-5);
    EXPECT_EQ(tree->ItemHeight(), 0);
    EXPECT_EQ(tree->RowHeight(), standard);
    tree->SetItemHeight(0);
    EXPECT_EQ(tree->RowHeight(), standard);
    tree->SetItemHeight(1);  // the least height there is
    EXPECT_EQ(tree->ItemHeight(), 1);
    EXPECT_EQ(tree->RowHeight(), 1);
}

TEST_F(SkTreeViewTest, SavingAndLoadingThreeLevelsGivesTheSameTree) {
    Fill();
    const QStringList expected{"谷类", "\t米", "\t\t粳米", "\t麦", "蔬菜"};
    EXPECT_EQ(Saved(tree), expected);
    auto* other = new TSkTreeView(&form);
    other->SetParent(&form);
    TStringList lines;
    lines.Assign(expected);
    other->LoadFromStrings(&lines);
    EXPECT_EQ(Saved(other), expected);
    ASSERT_EQ(other->Items()->Count(), 5);
    EXPECT_EQ(other->Items()->Item(2)->Level(), 2);
    EXPECT_EQ(other->Items()->Item(2)->Parent()->Text(), "米");
    EXPECT_EQ(other->Items()->Item(4)->Level(), 0);
}

// A text that begins with a blank or a TAB would read back as another tree (" 豆类" as a child of the
// node before): saving such a tree raises and writes no line; blanks inside a text are kept.
TEST_F(SkTreeViewTest, ANodeTextBeginningWithABlankOrATabIsRefusedBySaving) {
    Fill();
    TTreeNode* beans = tree->Items()->AddChild(nullptr, " 豆类");
    TStringList lines;
    lines.Add("earlier");
    EXPECT_THROW(tree->SaveToStrings(&lines), ETreeViewError);
    EXPECT_EQ(lines.ToQStringList(), QStringList{"earlier"});
    beans->SetText("\t豆类");
    EXPECT_THROW(tree->SaveToStrings(&lines), ETreeViewError);
    beans->SetText("豆 类 ");
    const QStringList saved = Saved(tree);
    EXPECT_EQ(saved.last(), "豆 类 ");
    Load(saved);
    EXPECT_EQ(Saved(tree), saved);
    EXPECT_EQ(tree->Items()->Item(5)->Level(), 0);
}

// Each leading TAB or blank counts one level, mixed or not (two blanks under one TAB make a child); a
// jump of several levels goes under the deepest node so far, and a later line climbs back by the
// levels the lines gave.
TEST_F(SkTreeViewTest, LoadingCountsEachLeadingTabOrBlankAndAttachesDeepJumps) {
    Load({"谷类", "\t米", "  粳米", " \t糯米", "\t麦", "\t\t\t\t荞麦", "\t\t\t\t燕麦", "\t\t小麦粉", "蔬菜",
          "  菠菜"});
    EXPECT_EQ(Saved(tree), (QStringList{"谷类", "\t米", "\t\t粳米", "\t\t糯米", "\t麦", "\t\t荞麦",
                                        "\t\t燕麦", "\t\t小麦粉", "蔬菜", "\t菠菜"}));
}

TEST_F(SkTreeViewTest, LoadingThatRaisesStillEndsTheUpdate) {
    Fill();
    tree->SetSelected(c);
    tree->OnChange = [](TObject*, TTreeNode*) { throw Exception("changed"); };
    // A message box that fails too lets the error leave the handler's dispatch.
    struct TFailingBoxes : TMessageService {
        int MessageBox(const QString&, const QString&, int) override { throw 1; }
    } failing;
    SetMessageService(&failing);
    EXPECT_ANY_THROW(Load({"蔬菜"}));
    SetMessageService(&boxes);
    EXPECT_FALSE(tree->Items()->Updating());
}

TEST_F(SkTreeViewTest, RightClickedNodeIsSelectedWhileItsMenuRuns) {
    Fill();
    Show();
    tree->SetRightClickSelect(true);
    tree->SetSelected(a);
    TPopupMenu menu(&form);
    tree->SetPopupMenu(&menu);
    std::vector<std::pair<TPopupMenu*, TPoint>> shown;
    SetPopupHook([&](TPopupMenu* m, int x, int y) { shown.push_back({m, {x, y}}); });
    TTreeNode *eventNode = nullptr, *selectedInEvent = nullptr;
    tree->OnNodeContextMenu = [&](TObject*, TTreeNode* node, TPoint& pos, TPopupMenu*&) {
        eventNode = node;
        selectedInEvent = tree->Selected();
        pos.X += 5;
    };
    const TRect r = e->DisplayRect(true);
    const TPoint click{r.Left + 3, (r.Top + r.Bottom) / 2};
    const TPoint screen = tree->ClientToScreen(click);
    tree->Perform(WM_CONTEXTMENU, 0, MakeLParam(screen.X, screen.Y));
    SetPopupHook(nullptr);
    EXPECT_EQ(eventNode, e);
    EXPECT_EQ(selectedInEvent, e);
    EXPECT_EQ(tree->Selected(), a);
    ASSERT_EQ(shown.size(), 1u);  // once, not again as the tree's own menu
    EXPECT_EQ(shown[0].first, &menu);
    EXPECT_EQ(shown[0].second.X, screen.X + 5);
    EXPECT_EQ(menu.PopupComponent(), tree);
}

// OnChange may free the tree (a window closing on the pick): the click on another node ends quietly.
TEST_F(SkTreeViewTest, AChangeHandlerMayFreeTheTree) {
    Fill();
    Show();
    tree->SetSelected(a);
    QPointer<QObject> alive(tree);
    QPointer<QWidget> widget = tree->Widget();
    tree->OnChange = [this](TObject*, TTreeNode*) { delete tree; };
    const TRect r = e->DisplayRect(true);
    QTest::mouseClick(Viewport(tree), Qt::LeftButton, {}, QPoint(r.Left + 3, (r.Top + r.Bottom) / 2));
    EXPECT_TRUE(alive.isNull());
    QTest::qWait(1);
    EXPECT_TRUE(widget.isNull());
}

TEST_F(SkTreeViewTest, HandlerMayDropTheMenuAndTheAppsKeyUsesTheSelectedNode) {
    Fill();
    Show();
    TPopupMenu menu(&form);
    tree->SetPopupMenu(&menu);
    int popups = 0;
    SetPopupHook([&](TPopupMenu*, int, int) { ++popups; });
    TTreeNode* eventNode = nullptr;
    TPoint eventPos;
    tree->OnNodeContextMenu = [&](TObject*, TTreeNode* node, TPoint& pos, TPopupMenu*& m) {
        eventNode = node;
        eventPos = pos;
        m = nullptr;
    };
    tree->SetSelected(e);
    tree->Perform(WM_KEYDOWN, VK_APPS);
    SetPopupHook(nullptr);
    EXPECT_EQ(eventNode, e);
    const TRect r = e->DisplayRect(true);
    EXPECT_EQ(eventPos.X, (r.Left + r.Right) / 2);
    EXPECT_EQ(eventPos.Y, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(popups, 0);
    eventNode = nullptr;
    QTest::keyClick(tree->Widget(), Qt::Key_Down, Qt::ShiftModifier);  // other shifted keys do not
    EXPECT_EQ(eventNode, nullptr);
    QTest::keyClick(tree->Widget(), Qt::Key_F10, Qt::ShiftModifier);  // Shift+F10 does
    EXPECT_NE(eventNode, nullptr);
    // No node selected: the tree's own menu at the client's top-left corner.
    TPoint at{-1, -1};
    SetPopupHook([&](TPopupMenu*, int x, int y) { at = {x, y}; });
    tree->SetSelected(nullptr);
    tree->Perform(WM_KEYDOWN, VK_APPS);
    SetPopupHook(nullptr);
    const TPoint corner = tree->ClientToScreen({0, 0});
    EXPECT_EQ(at.X, corner.X);
    EXPECT_EQ(at.Y, corner.Y);
}

TEST_F(SkTreeViewTest, UnfocusedTreeOutlinesTheSelectedNodeWithTheSelectionPen) {
    Fill();
    tree->SetHideSelection(false);
    tree->SelectionPen()->SetColor(clRed);
    Show();
    tree->SetSelected(e);
    tree->Widget()->clearFocus();
    QApplication::processEvents();
    ASSERT_FALSE(tree->Focused());
    const QImage image = tree->Tree()->viewport()->grab().toImage();
    const TRect r = e->DisplayRect(true);
    const int middle = (r.Top + r.Bottom) / 2;
    EXPECT_EQ(Pixel(image, r.Left, middle), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, r.Right - 1, middle), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, r.Left + 1, r.Top), ColorToRGB(clRed));
    // Hidden selections have no outline.
    tree->SetHideSelection(true);
    const QImage hidden = tree->Tree()->viewport()->grab().toImage();
    EXPECT_NE(Pixel(hidden, r.Left, middle), ColorToRGB(clRed));
}

TEST_F(SkTreeViewTest, VisibleFrameIsDrawnRoundTheTree) {
    tree->SetFrameColor(clRed);
    tree->SetFrameStyle(fsFlatBold);
    tree->SetFrameVisible(true);
    Show();
    EXPECT_EQ(tree->NonClientMargins(), Rect(2, 2, 2, 2));
    const QImage image = tree->Widget()->grab().toImage();
    EXPECT_EQ(Pixel(image, 0, 100), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, 1, 100), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, 199, 100), ColorToRGB(clRed));
    EXPECT_NE(Pixel(image, 2, 100), ColorToRGB(clRed));
}

}  // namespace
