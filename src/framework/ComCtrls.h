// Common controls: tree views, page controls with tab sheets, rich edits and date pickers.
#pragma once

#include "ImgList.h"
#include "StdCtrls.h"

#include <QPointer>
#include <memory>
#include <vector>

class QTreeWidgetItem;
class QTreeWidget;
class QFontMetrics;
class QTabBar;
class QDateEdit;
class TCustomTreeView;
class TTreeNodes;

// Tree views -----------------------------------------------------------------------------------

using TCustomDrawState = unsigned;
enum : unsigned {
    cdsSelected = 1,
    cdsGrayed = 2,
    cdsDisabled = 4,
    cdsChecked = 8,
    cdsFocused = 16,
    cdsDefault = 32,
    cdsHot = 64
};

// One node of a tree. Nodes belong to their tree's Items and are freed with it, with their children.
class TTreeNode : public TObject {
  public:
    ~TTreeNode() override;

    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;

    QString Text() const;
    void SetText(const QString& text);
    // 0 for a root node.
    int Level() const;
    TTreeNode* Parent() const;
    bool HasChildren() const { return Count() > 0; }
    int Count() const;
    TTreeNode* Item(int index) const;
    TTreeNode* getFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* getNextSibling() const;
    TTreeNode* getPrevSibling() const;
    // The node after this one in tree order (first child, else next sibling, else a parent's next sibling).
    TTreeNode* GetNext() const;
    // Position among the siblings, and in tree order among all nodes.
    int Index() const;
    int AbsoluteIndex() const;

    // A number the program gives its own meaning; it is never drawn.
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int index) { FStateIndex = index; }
    // Images of the tree's image list shown beside the text (-1 for none; 0 at first), normally and
    // while selected.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int index);

    // A pointer the program hangs on the node; the node does not free it...
    void* Data() const { return FData; }
    void SetData(void* data);
    // ...unless it was handed over here: then it is freed with the node, or when Data is set again.
    template <class T> T* SetOwnedData(std::unique_ptr<T> data) {
        T* raw = data.get();
        FOwnedData = std::shared_ptr<void>(std::move(data));
        FData = raw;
        return raw;
    }

    bool Expanded() const;
    void SetExpanded(bool expanded);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool selected);
    // The node's rectangle in client coordinates: its whole row, or only its text.
    TRect DisplayRect(bool textOnly) const;
    bool IsVisible() const;
    void MakeVisible();

    // Frees the node and its children.
    void Delete();
    void DeleteChildren();

    // Framework use.
    QTreeWidgetItem* ItemHandle() const { return FItem; }
    static TTreeNode* FromItem(const QTreeWidgetItem* item);
    // The width of the text in the tree's font, measured again only when either changed: the tree
    // asks for it each time it lays out its rows.
    int TextWidth() const;

  private:
    friend class TTreeNodes;
    explicit TTreeNode(TTreeNodes* owner);
    TTreeNodes* FOwner;
    QTreeWidgetItem* FItem = nullptr;
    int FStateIndex = -1, FImageIndex = 0, FSelectedIndex = 0;
    void* FData = nullptr;
    std::shared_ptr<void> FOwnedData;
    mutable QString FMeasuredText;
    mutable int FMeasuredWidth = 0;
    mutable unsigned FMeasuredFont = 0;
};

// The nodes of one tree.
class TTreeNodes : public TObject {
  public:
    explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}

    TCustomTreeView* Owner() const { return FOwner; }
    // All nodes, at every level.
    int Count() const { return FCount; }
    // Node `index` in tree order.
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const;

    // A new last sibling of `sibling` (a new last root node when it is nullptr).
    TTreeNode* Add(TTreeNode* sibling, const QString& text) { return AddObject(sibling, text, nullptr); }
    TTreeNode* AddObject(TTreeNode* sibling, const QString& text, void* data);
    // A new last child of `parent` (a new last root node when it is nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const QString& text) {
        return AddChildObject(parent, text, nullptr);
    }
    TTreeNode* AddChildObject(TTreeNode* parent, const QString& text, void* data);

    void Delete(TTreeNode* node);
    void Clear();
    // Redrawing waits until the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdates > 0; }

  private:
    friend class TTreeNode;
    void Changed() { FOrderValid = false; }
    const std::vector<TTreeNode*>& Order() const;
    TCustomTreeView* FOwner;
    int FCount = 0, FUpdates = 0;
    mutable std::vector<TTreeNode*> FOrder;
    mutable bool FOrderValid = false;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
// Called before each node is drawn; the handler colours the node through Canvas's font and brush,
// or draws it itself and clears DefaultDraw.
using TTVCustomDrawItemEvent =
    std::function<void(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;

// OnChange fires whenever the selected node changes, by the user or by code (also to nullptr when the
// selected node goes away with Clear).
class TCustomTreeView : public TWinControl {
    Q_OBJECT
  public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() { return &FItems; }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    // Without the focus the selected node is drawn plain when HideSelection is set.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool hide);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool show);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool show);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool show) { FShowLines = show; }

    // Selecting a node by the user expands it and collapses the branch of the node selected before.
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool on) { FAutoExpand = on; }
    // Kept for the styled tree, which shows the right-clicked node as Selected while its menu runs.
    bool RightClickSelect() const { return FRightClickSelect; }
    void SetRightClickSelect(bool on) { FRightClickSelect = on; }
    // Every row this high (pixels); 0 gives the height that fits the font and images.
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int height);

    void FullExpand();
    void FullCollapse();
    // The node on the row at a point of the client area, or nullptr.
    TTreeNode* GetNodeAt(int x, int y) const;

    TCanvas* Canvas() { return &FCanvas; }

    TTVChangedEvent OnChange;
    // After a node opened or closed, by the user or by code.
    TTVChangedEvent OnExpanded, OnCollapsed;
    TTVCustomDrawItemEvent OnCustomDrawItem;

    // Framework use: the tree widget hands over painting and row heights.
    void PaintNode(QPainter& painter, TTreeNode* node, const QRect& rect, bool selected);
    int RowHeight() const;
    QTreeWidget* Tree() const;
    // The metrics of the tree's font, made once per font: every row laid out is measured with them.
    const QFontMetrics& TextMetrics() const;
    // Counts the tree's font changes (from 1): a width measured in an older font is measured again.
    unsigned FontGeneration() const { return FFontGeneration; }

  protected:
    void ColorChanged() override;
    void FontChanged() override;
    // After a node opened (closed); fire OnExpanded (OnCollapsed).
    virtual void Expand(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);
    // After a node was painted, with the canvas still on the row's painter.
    virtual void NodePainted(TTreeNode*, const TRect&, bool) {}

  private:
    friend class TTreeNodes;
    void CurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void DrawNode(TTreeNode* node, const TRect& rect, bool selected);
    TTreeNodes FItems;
    TCanvas FCanvas;
    QPointer<TImageList> FImages;
    bool FReadOnly = false, FHideSelection = true, FShowRoot = true, FShowButtons = true, FShowLines = true;
    bool FAutoExpand = false, FRightClickSelect = false;
    int FFixedRowHeight = 0;
    mutable std::unique_ptr<QFontMetrics> FTextMetrics;
    unsigned FFontGeneration = 1;
    int FQuiet = 0; // >0 while the tree changes its selection itself
    bool FDestroying = false;
};

class TTreeView : public TCustomTreeView {
    Q_OBJECT
  public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

// Page controls --------------------------------------------------------------------------------

class TPageControl;
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// One page of a page control; the controls placed on it show while it is the active page.
class TTabSheet : public TWinControl {
    Q_OBJECT
  public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* pageControl);
    void SetCaption(const QString& caption) override;
    // A page whose tab is hidden can still be made the active page by code.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool visible);
    // Position among the pages; -1 without a page control.
    int PageIndex() const;
    void SetPageIndex(int index);
    // Position among the visible tabs; -1 when the tab is hidden.
    int TabIndex() const;

  private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

// Shows one page at a time under a strip of tabs (no strip when every tab is hidden). OnChanging and
// OnChange fire when the user changes the page (a tab click, the arrow keys on the tabs, Ctrl+Tab);
// changing the page by code fires neither.
class TPageControl : public TWinControl {
    Q_OBJECT
  public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(index); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    // An index outside the pages leaves the shown page as it is.
    void SetActivePageIndex(int index);
    // The active page's tab among the visible tabs, -1 when it has none.
    int TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }

    // Tab size in pixels; 0 sizes tabs to their captions.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int height);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int width);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition position);

    // The next (or previous) page after `current`, wrapping around; only pages with a visible tab
    // when `checkTabVisible`.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // Moves to the next page with a visible tab as the user does with Ctrl+Tab.
    void SelectNextPage(bool goForward);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

  protected:
    void Resized() override;

  private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void RebuildTabs();
    void LayoutPages();
    void ShowPage(TTabSheet* page);
    void UserChosePage(TTabSheet* page);
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    QTabBar* FTabBar = nullptr;
    bool FRebuilding = false;
    int FTabHeight = 0, FTabWidth = 0;
    TTabPosition FTabPosition = tpTop;
};

// Rich edits -----------------------------------------------------------------------------------

// A memo for longer texts. The text is plain; PlainText is accepted for compatibility.
class TRichEdit : public TCustomMemo {
    Q_OBJECT
  public:
    explicit TRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {}
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool plain) { FPlainText = plain; }

  private:
    bool FPlainText = false;
};

// Date pickers ---------------------------------------------------------------------------------

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };

// A date with a drop-down calendar. Its text is the date as "yyyy-mm-dd". OnChange fires when the
// user changes the date, not when code sets it.
class TDateTimePicker : public TWinControl {
    Q_OBJECT
  public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTime Date() const;
    void SetDate(TDateTime date);
    QString Caption() const override;
    // Takes "yyyy-mm-dd" (or "y-m-d"); other text leaves the date as it is.
    void SetCaption(const QString& text) override;
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind kind) { FKind = kind; }
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat format) { FDateFormat = format; }

    TNotifyEvent OnChange;

  protected:
    void ColorChanged() override;

  private:
    QDateEdit* Editor() const;
    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    bool FSetting = false;
};
