// Tree views driven as a user drives them: nodes, selection, owned payloads, custom drawing, dragging.
#include "ComCtrls.h"
#include "DragDrop.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "WidgetInput.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

QPoint Centre(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// A payload that counts how many of its kind are alive.
struct TPayload {
    explicit TPayload(int id) : ID(id) { ++Alive; }
    ~TPayload() { --Alive; }
    int ID;
    static inline int Alive = 0;
};

class TreeViewTest : public testing::Test {
protected:
    TreeViewTest() : Form(nullptr) {
        Form.SetBounds(0, 0, 300, 400);
        Tree = new TTreeView(&Form);
        Tree->SetParent(&Form);
        Tree->SetBounds(0, 0, 250, 380);
        // 谷类 ─ 小麦 ─ 面粉, 挂面; 薯类
        Grain = Tree->Items()->Add(nullptr, "谷类及制品");
        Wheat = Tree->Items()->AddChild(Grain, "小麦");
        Flour = Tree->Items()->AddChild(Wheat, "面粉");
        Noodles = Tree->Items()->AddChild(Wheat, "挂面");
        Tubers = Tree->Items()->Add(Grain, "薯类、淀粉及制品");
        Flour->SetStateIndex(11);
        Noodles->SetStateIndex(12);
    }
    void ShowTree() {
        Form.ShowForm();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Widget()));
    }
    TForm Form;
    TTreeView* Tree;
    TTreeNode *Grain, *Wheat, *Flour, *Noodles, *Tubers;
};

}  // namespace

TEST_F(TreeViewTest, NodesAreCountedAndWalkedInTreeOrder) {
    EXPECT_EQ(Tree->Items()->Count(), 5);
    QStringList order;
    for (int i = 0; i < Tree->Items()->Count(); ++i)
        order << Tree->Items()->Item(i)->Text();
    EXPECT_EQ(order, QStringList({"谷类及制品", "小麦", "面粉", "挂面", "薯类、淀粉及制品"}));
    EXPECT_EQ(Tree->Items()->GetFirstNode(), Grain);
    EXPECT_EQ(Noodles->AbsoluteIndex(), 3);
    EXPECT_EQ(Noodles->Index(), 1);
    EXPECT_EQ(Noodles->Level(), 2);
    EXPECT_EQ(Noodles->Parent(), Wheat);
    EXPECT_EQ(Noodles->Parent()->Parent()->Text(), "谷类及制品");
    EXPECT_TRUE(Wheat->HasChildren());
    EXPECT_FALSE(Flour->HasChildren());
    EXPECT_EQ(Wheat->Count(), 2);
    EXPECT_EQ(Wheat->Item(1), Noodles);
    EXPECT_EQ(Wheat->getFirstChild(), Flour);
    EXPECT_EQ(Flour->getNextSibling(), Noodles);
    EXPECT_EQ(Noodles->getNextSibling(), nullptr);
    EXPECT_EQ(Grain->getNextSibling(), Tubers);
    EXPECT_EQ(Noodles->GetNext(), Tubers);
    EXPECT_EQ(Tubers->Parent(), nullptr);
    EXPECT_EQ(Noodles->StateIndex(), 12);
    EXPECT_EQ(Tubers->StateIndex(), -1);
    EXPECT_THROW(Tree->Items()->Item(5), Exception);

    TTreeNode* rice = Tree->Items()->Add(Flour, "大米");  // a sibling of 面粉, last under 小麦
    EXPECT_EQ(rice->Parent(), Wheat);
    EXPECT_EQ(rice->AbsoluteIndex(), 4);
    EXPECT_EQ(Tree->Items()->Item(5), Tubers);
}

TEST_F(TreeViewTest, SelectionByCodeOrByTheUserFiresOnChange) {
    std::vector<TTreeNode*> changes;
    Tree->OnChange = [&](TObject* sender, TTreeNode* node) {
        EXPECT_EQ(sender, Tree);
        changes.push_back(node);
    };
    ShowTree();
    // Like the Windows tree, one taking the focus without a selection selects its first node.
    EXPECT_EQ(changes, std::vector<TTreeNode*>({Grain}));
    changes.clear();
    Tree->SetSelected(Noodles);  // also opens its parents
    Tree->SetSelected(Noodles);
    EXPECT_EQ(changes, std::vector<TTreeNode*>({Noodles}));
    EXPECT_TRUE(Wheat->Expanded() && Grain->Expanded());
    EXPECT_TRUE(Noodles->Selected());

    const TRect row = Flour->DisplayRect(true);
    EXPECT_EQ(Tree->GetNodeAt(row.Left + 2, Centre(row).y()), Flour);
    EXPECT_EQ(Tree->GetNodeAt(5, 370), nullptr);
    QTest::mouseClick(Viewport(Tree), Qt::LeftButton, {}, Centre(row));
    EXPECT_EQ(Tree->Selected(), Flour);
    EXPECT_EQ(changes.back(), Flour);
    Tree->FullCollapse();
    EXPECT_FALSE(Grain->Expanded());
    Tree->FullExpand();
    EXPECT_TRUE(Wheat->Expanded());
}

TEST_F(TreeViewTest, OwnedPayloadsGoWithTheirNodes) {
    TPayload loose(0);
    Flour->SetOwnedData(std::make_unique<TPayload>(101));
    Noodles->SetOwnedData(std::make_unique<TPayload>(102));
    Tubers->SetOwnedData(std::make_unique<TPayload>(2));
    Grain->SetData(&loose);  // not the node's to free
    EXPECT_EQ(TPayload::Alive, 4);
    EXPECT_EQ(static_cast<TPayload*>(Noodles->Data())->ID, 102);

    std::vector<TTreeNode*> changes;
    Tree->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node); };
    Tree->SetSelected(Flour);
    Flour->Delete();  // the selection moves on to the next sibling
    EXPECT_EQ(TPayload::Alive, 3);
    EXPECT_EQ(Tree->Selected(), Noodles);
    EXPECT_EQ(changes.back(), Noodles);
    Noodles->SetData(nullptr);  // setting Data again frees the owned payload
    EXPECT_EQ(TPayload::Alive, 2);

    Tree->Items()->Delete(Grain);  // with its children
    EXPECT_EQ(Tree->Items()->Count(), 1);
    EXPECT_EQ(changes.back(), Tubers);
    EXPECT_EQ(TPayload::Alive, 2);  // the loose payload is still ours

    Tree->Items()->Clear();
    EXPECT_EQ(changes.back(), nullptr);
    EXPECT_EQ(Tree->Items()->Count(), 0);
    EXPECT_EQ(TPayload::Alive, 1);

    // Freeing the tree frees what its nodes own, without telling OnChange.
    Tree->Items()->Add(nullptr, "点心")->SetOwnedData(std::make_unique<TPayload>(3));
    Tree->SetSelected(Tree->Items()->GetFirstNode());
    const size_t seen = changes.size();
    delete Tree;
    EXPECT_EQ(TPayload::Alive, 1);
    EXPECT_EQ(changes.size(), seen);
}

TEST_F(TreeViewTest, CustomDrawColoursTheSelectedNodeAndImagesShow) {
    auto* images = new TImageList(&Form);
    for (QColor colour : {QColor(0, 0, 255), QColor(0, 128, 0)}) {
        QImage square(16, 16, QImage::Format_ARGB32);
        square.fill(colour);
        images->AddImage(square);
    }
    Tree->SetImages(images);
    Tree->SetHideSelection(false);
    for (int i = 0; i < Tree->Items()->Count(); ++i)
        Tree->Items()->Item(i)->SetSelectedIndex(1);
    std::vector<TCustomDrawState> selectedStates;
    Tree->OnCustomDrawItem = [&](TCustomTreeView* sender, TTreeNode*, TCustomDrawState state,
                                 bool& defaultDraw) {
        EXPECT_TRUE(defaultDraw);
        if (state & cdsSelected) {
            selectedStates.push_back(state);
            sender->Canvas()->Brush()->SetColor(0xEEFFFF);
            sender->Canvas()->Font()->SetColor(0xFF0000);
        }
    };
    Tree->SetSelected(Wheat);
    ShowTree();
    const QImage shot = Viewport(Tree)->grab().toImage();

    ASSERT_FALSE(selectedStates.empty());
    const TRect selected = Wheat->DisplayRect(true);
    const TRect plain = Grain->DisplayRect(true);
    EXPECT_EQ(shot.pixelColor(selected.Left + 1, selected.Top + 1), QColor(0xFF, 0xFF, 0xEE));
    EXPECT_EQ(shot.pixelColor(plain.Left + 1, plain.Top + 1), QColor(255, 255, 255));
    // Blue text somewhere in the selected label.
    bool blueText = false;
    for (int x = selected.Left; x < selected.Right; ++x)
        for (int y = selected.Top; y < selected.Bottom; ++y)
            if (shot.pixelColor(x, y).blue() > 200 && shot.pixelColor(x, y).red() < 100) blueText = true;
    EXPECT_TRUE(blueText);
    // The image list: image 0 beside a plain node, the selected image beside the selected one.
    const int imageY = Centre(plain).y();
    EXPECT_EQ(shot.pixelColor(plain.Left - 10, imageY), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(selected.Left - 10, Centre(selected).y()), QColor(0, 128, 0));
}

TEST_F(TreeViewTest, ANodeIsDraggedOntoAControlOfAnotherWindow) {
    TForm target(nullptr);
    target.SetBounds(400, 0, 300, 300);
    auto* grid = new TPanel(&target);
    grid->SetParent(&target);
    grid->SetBounds(10, 10, 250, 250);
    Tree->SetDragMode(dmAutomatic);
    Tree->SetReadOnly(true);
    grid->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState, bool& accept) {
        accept = dynamic_cast<TCustomTreeView*>(source) != nullptr;
    };
    TObject* dropped = nullptr;
    grid->OnDragDrop = [&](TObject*, TObject* source, int, int) { dropped = source; };
    QString ended;
    Tree->OnEndDrag = [&](TObject*, TObject* to, int, int) {
        if (to == grid && Tree->Selected()) ended = Tree->Selected()->Text();
    };
    Tree->FullExpand();
    ShowTree();
    target.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(target.Widget()));

    QTest::mousePress(Viewport(Tree), Qt::LeftButton, {}, Centre(Noodles->DisplayRect(true)));
    TDragManager::Instance().MoveTo(grid->Widget()->mapToGlobal(QPoint(100, 100)));
    QTest::mouseRelease(grid->Widget(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(dropped, Tree);
    EXPECT_EQ(ended, "挂面");
}
