// The styled tree view: the framework's tree with the frame block drawn round it, an outline round
// the selected node while the tree has no focus, nodes selected as they open and close, a fixed row
// height, a context menu per node, and the tree saved and read as TAB-indented lines.
#pragma once

#include "ComCtrls.h"
#include "Menus.h"
#include "SkGridsFraming.h"

// A tree the text lines cannot carry.
class ETreeViewError : public Exception {
public:
    using Exception::Exception;
};

using TSkTvOnNodeContextMenuEvent =
    std::function<void(TObject* aSender, TTreeNode* aNode, TPoint& aPos, TPopupMenu*& aMenu)>;

class TSkCustomTreeView : public TSkFramedControl<TCustomTreeView> {
public:
    explicit TSkCustomTreeView(TComponent* AOwner);
    ~TSkCustomTreeView() override;

    // While a right-clicked node's menu runs with RightClickSelect on, that node; else the selection.
    TTreeNode* Selected() const;
    // Collapses every node without selecting any of them.
    void FullCollapse();

    // AutoExpand and AutoSelect are never both on: turning one on turns the other off.
    bool AutoExpand() const { return TCustomTreeView::AutoExpand(); }
    virtual void SetAutoExpand(bool Value);
    // A node that opens or closes becomes the selected one.
    bool AutoSelect() const { return FAutoSelect; }
    virtual void SetAutoSelect(bool Value);
    // Row height in pixels; 0 (and any value below 1) gives the system's height.
    int ItemHeight() const { return FItemHeight; }
    virtual void SetItemHeight(int Value);
    // The outline round the selected node while the tree has no focus.
    TPen* SelectionPen() { return &FSelectionPen; }
    virtual void SetSelectionPen(TPen* Value);
    QChar PathDelimiter() const { return FPathDelimiter; }
    void SetPathDelimiter(QChar Value) { FPathDelimiter = Value; }

    // Replaces the nodes by the lines: a line's leading TABs give its level (spaces only when the
    // line has no TAB before its text); one level deeper than the line before makes a child, the same
    // level a sibling, a shallower level a sibling of the nearest node above at that level. A line
    // more than one level deeper goes under the deepest node so far.
    virtual void LoadFromStrings(TStringList* Strings);
    // One line per node in tree order: as many TABs as its level, then its text. A node whose text
    // begins with a blank or a TAB would read back at another level: ETreeViewError, and nothing is
    // added to Strings.
    virtual void SaveToStrings(TStringList* Strings);

    // Before a node's menu shows: may move it (client coordinates) or change or drop the menu.
    TSkTvOnNodeContextMenuEvent OnNodeContextMenu;

protected:
    virtual void ApplyItemHeight();
    void Loaded() override;
    void Expand(TTreeNode* Node) override;
    void Collapse(TTreeNode* Node) override;
    void NodePainted(TTreeNode* Node, const TRect& Rect, bool Selected) override;
    void FrameVisibleChanged() override;
    void WMNCCalcSize(TWMNCCalcSize& Message) override;
    void WMNCPaint(TWMPaint& Message) override;
    void WMContextMenu(TWMPosition& Message) override;
    void WMKeyDown(TWMKey& Message) override;

private:
    // Runs the node's menu at a client point; the node reads as Selected meanwhile.
    void NodeContextMenu(TTreeNode* Node, TPoint Pos);
    bool DrawsFrame() const;

    bool FAutoSelect = false;
    int FItemHeight = 0;
    TPen FSelectionPen;
    TTreeNode* FRClickNode = nullptr;
    QChar FPathDelimiter = u'\\';
};

class TSkTreeView : public TSkCustomTreeView {
    Q_OBJECT
    SK_FRAME_BLOCK_PROPERTIES
    Q_PROPERTY(bool AutoExpand READ AutoExpand WRITE SetAutoExpand)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_CLASSINFO("AutoExpand", "= False")
    Q_CLASSINFO("AutoSelect", "= False")
    Q_CLASSINFO("ItemHeight", "= 0")
public:
    using TSkCustomTreeView::TSkCustomTreeView;
    SK_GRIDS_FRAMING_STORED
};
