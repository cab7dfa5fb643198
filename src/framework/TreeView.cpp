// TCustomTreeView: a Qt tree widget whose items each carry a TTreeNode; nodes are drawn through the
// tree's canvas so OnCustomDrawItem can colour them.
#include "ComCtrls.h"
#include "ImgList.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

// The Qt item of a node; deleting it (with its children) frees the nodes.
class TNodeItem : public QTreeWidgetItem {
  public:
    explicit TNodeItem(TTreeNode* node) : QTreeWidgetItem(QTreeWidgetItem::UserType), Node(node) {}
    ~TNodeItem() override {
        delete Node;
        Node = nullptr;
    }
    TTreeNode* Node;
};

class TTreeWidget;

class TTreeDelegate : public QStyledItemDelegate {
  public:
    TTreeDelegate(TCustomTreeView* tree, TTreeWidget* view);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    TCustomTreeView* FTree;
    TTreeWidget* FView;
};

class TTreeWidget : public QTreeWidget {
  public:
    explicit TTreeWidget(TCustomTreeView* tree) {
        setHeaderHidden(true);
        setColumnCount(1);
        header()->setStretchLastSection(false);
        header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformRowHeights(true);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setItemDelegate(new TTreeDelegate(tree, this));
    }
    QTreeWidgetItem* ItemOf(const QModelIndex& index) const { return itemFromIndex(index); }

  protected:
    void mouseMoveEvent(QMouseEvent* e) override {
        // The selection does not follow the mouse while the button is held (the move may start a drag).
        if (e->buttons() & Qt::LeftButton) return;
        QTreeWidget::mouseMoveEvent(e);
    }
};

TTreeDelegate::TTreeDelegate(TCustomTreeView* tree, TTreeWidget* view)
    : QStyledItemDelegate(view), FTree(tree), FView(view) {}

void TTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    TTreeNode* node = TTreeNode::FromItem(FView->ItemOf(index));
    if (node) FTree->PaintNode(*painter, node, option.rect, option.state & QStyle::State_Selected);
}

QSize TTreeDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    const TTreeNode* node = TTreeNode::FromItem(FView->ItemOf(index));
    int width = 6;
    if (node) width += node->TextWidth();
    if (FTree->Images()) width += FTree->Images()->Width() + 3;
    return QSize(width, FTree->RowHeight());
}

TRect ToTRect(const QRect& r) {
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

} // namespace

// TTreeNode ------------------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* owner) : FOwner(owner) {
    ++FOwner->FCount;
    FOwner->Changed();
}

TTreeNode::~TTreeNode() {
    --FOwner->FCount;
    FOwner->Changed();
}

TTreeNode* TTreeNode::FromItem(const QTreeWidgetItem* item) {
    // Every item but the hidden header item is a node's.
    return item && item->type() == QTreeWidgetItem::UserType ? static_cast<const TNodeItem*>(item)->Node
                                                             : nullptr;
}

TCustomTreeView* TTreeNode::TreeView() const {
    return FOwner->Owner();
}

QString TTreeNode::Text() const {
    return FItem->text(0);
}
void TTreeNode::SetText(const QString& text) {
    FItem->setText(0, text);
}

int TTreeNode::Level() const {
    int level = 0;
    for (const QTreeWidgetItem* p = FItem->parent(); p; p = p->parent())
        ++level;
    return level;
}

TTreeNode* TTreeNode::Parent() const {
    return FromItem(FItem->parent());
}
int TTreeNode::Count() const {
    return FItem->childCount();
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FromItem(FItem->child(index));
}

TTreeNode* TTreeNode::getFirstChild() const {
    return FromItem(FItem->child(0));
}
TTreeNode* TTreeNode::GetLastChild() const {
    return FromItem(FItem->child(Count() - 1));
}

int TTreeNode::Index() const {
    if (FItem->parent()) return FItem->parent()->indexOfChild(FItem);
    QTreeWidget* tree = FItem->treeWidget();
    return tree ? tree->indexOfTopLevelItem(FItem) : -1;
}

TTreeNode* TTreeNode::getNextSibling() const {
    const int next = Index() + 1;
    if (FItem->parent()) return FromItem(FItem->parent()->child(next));
    QTreeWidget* tree = FItem->treeWidget();
    return tree ? FromItem(tree->topLevelItem(next)) : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const {
    const int previous = Index() - 1;
    if (previous < 0) return nullptr;
    if (FItem->parent()) return FromItem(FItem->parent()->child(previous));
    QTreeWidget* tree = FItem->treeWidget();
    return tree ? FromItem(tree->topLevelItem(previous)) : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (TTreeNode* child = getFirstChild()) return child;
    for (const TTreeNode* n = this; n; n = n->Parent())
        if (TTreeNode* sibling = n->getNextSibling()) return sibling;
    return nullptr;
}

int TTreeNode::AbsoluteIndex() const {
    const auto& order = FOwner->Order();
    const auto it = std::find(order.begin(), order.end(), this);
    return it == order.end() ? -1 : int(it - order.begin());
}

void TTreeNode::SetImageIndex(int index) {
    FImageIndex = index;
    FItem->setData(0, Qt::UserRole, index); // tells the view to repaint the node
}

void TTreeNode::SetSelectedIndex(int index) {
    FSelectedIndex = index;
    FItem->setData(0, Qt::UserRole + 1, index);
}

void TTreeNode::SetData(void* data) {
    if (FOwnedData && FOwnedData.get() != data) FOwnedData.reset();
    FData = data;
}

bool TTreeNode::Expanded() const {
    return FItem->isExpanded();
}
void TTreeNode::SetExpanded(bool expanded) {
    FItem->setExpanded(expanded);
}

void TTreeNode::Expand(bool recurse) {
    FItem->setExpanded(true);
    if (recurse)
        for (int i = 0; i < Count(); ++i)
            Item(i)->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    FItem->setExpanded(false);
    if (recurse)
        for (int i = 0; i < Count(); ++i)
            Item(i)->Collapse(true);
}

bool TTreeNode::Selected() const {
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool selected) {
    if (selected)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
    QTreeWidget* tree = FItem->treeWidget();
    if (!tree) return {};
    const QRect cell = tree->visualItemRect(FItem);
    if (!textOnly) return Rect(0, cell.top(), tree->viewport()->width(), cell.bottom() + 1);
    int left = cell.left() + 2;
    if (TImageList* images = TreeView()->Images()) left += images->Width() + 3;
    const int width = TextWidth() + 4;
    return Rect(left, cell.top(), left + width, cell.bottom() + 1);
}

int TTreeNode::TextWidth() const {
    const TCustomTreeView* tree = TreeView();
    const QString text = Text();
    if (FMeasuredFont != tree->FontGeneration() || text != FMeasuredText) {
        FMeasuredWidth = tree->TextMetrics().horizontalAdvance(text);
        FMeasuredText = text;
        FMeasuredFont = tree->FontGeneration();
    }
    return FMeasuredWidth;
}

bool TTreeNode::IsVisible() const {
    for (const QTreeWidgetItem* p = FItem->parent(); p; p = p->parent())
        if (!p->isExpanded()) return false;
    return true;
}

void TTreeNode::MakeVisible() {
    for (QTreeWidgetItem* p = FItem->parent(); p; p = p->parent())
        p->setExpanded(true);
    if (QTreeWidget* tree = FItem->treeWidget()) tree->scrollToItem(FItem);
}

void TTreeNode::Delete() {
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren() {
    while (Count() > 0)
        FOwner->Delete(GetLastChild());
}

// TTreeNodes -----------------------------------------------------------------------------------

const std::vector<TTreeNode*>& TTreeNodes::Order() const {
    if (FOrderValid) return FOrder;
    FOrder.clear();
    FOrder.reserve(FCount);
    if (QTreeWidget* tree = FOwner->Tree())
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            FOrder.push_back(TTreeNode::FromItem(*it));
    FOrderValid = true;
    return FOrder;
}

TTreeNode* TTreeNodes::Item(int index) const {
    const auto& order = Order();
    if (index < 0 || index >= int(order.size()))
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return order[index];
}

TTreeNode* TTreeNodes::GetFirstNode() const {
    QTreeWidget* tree = FOwner->Tree();
    return tree ? TTreeNode::FromItem(tree->topLevelItem(0)) : nullptr;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const QString& text, void* data) {
    return AddChildObject(sibling ? sibling->Parent() : nullptr, text, data);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const QString& text, void* data) {
    QTreeWidget* tree = FOwner->Tree();
    if (!tree) return nullptr;
    auto* node = new TTreeNode(this);
    auto* item = new TNodeItem(node);
    node->FItem = item;
    node->FData = data;
    item->setText(0, text);
    if (!FOwner->ReadOnly()) item->setFlags(item->flags() | Qt::ItemIsEditable);
    if (parent)
        parent->FItem->addChild(item);
    else
        tree->addTopLevelItem(item);
    return node;
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node) return;
    TCustomTreeView* view = FOwner;
    QTreeWidget* tree = view->Tree();
    QTreeWidgetItem* item = node->FItem;
    if (!tree) {
        delete item;
        return;
    }
    // The selection moves to the next sibling, else the previous one, else the parent.
    bool selectionInside = false;
    for (TTreeNode* n = view->Selected(); n; n = n->Parent())
        if (n == node) selectionInside = true;
    TTreeNode* next = nullptr;
    if (selectionInside) {
        next = node->getNextSibling();
        if (!next) next = node->getPrevSibling();
        if (!next) next = node->Parent();
    }
    ++view->FQuiet;
    if (item->parent())
        item->parent()->removeChild(item);
    else
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(item));
    delete item;
    if (selectionInside) tree->setCurrentItem(next ? next->FItem : nullptr);
    --view->FQuiet;
    if (selectionInside && !view->FDestroying) FireEvent(view->OnChange, view, next);
}

void TTreeNodes::Clear() {
    QTreeWidget* tree = FOwner->Tree();
    if (!tree || FCount == 0) return;
    const bool hadSelection = FOwner->Selected() != nullptr;
    ++FOwner->FQuiet;
    tree->clear();
    --FOwner->FQuiet;
    Changed();
    if (hadSelection && !FOwner->FDestroying)
        FireEvent(FOwner->OnChange, FOwner, static_cast<TTreeNode*>(nullptr));
}

void TTreeNodes::BeginUpdate() {
    if (FUpdates++ == 0)
        if (QTreeWidget* tree = FOwner->Tree()) tree->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate() {
    if (FUpdates == 0 || --FUpdates > 0) return;
    if (QTreeWidget* tree = FOwner->Tree()) tree->setUpdatesEnabled(true);
}

// TCustomTreeView ------------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(this) {
    auto* tree = new TTreeWidget(this);
    QObject::connect(tree, &QTreeWidget::currentItemChanged, this,
                     [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                         CurrentChanged(current, previous);
                     });
    QObject::connect(tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (TTreeNode* node = TTreeNode::FromItem(item); node && !FDestroying)
            DispatchEvent([&] { Expand(node); });
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (TTreeNode* node = TTreeNode::FromItem(item); node && !FDestroying)
            DispatchEvent([&] { Collapse(node); });
    });
    SetWidget(tree);
    SetMouseWidget(tree->viewport());
    SetBounds(0, 0, 121, 97);
    FColor = clWindow;
    ColorChanged();
    SetReadOnly(FReadOnly);
}

TCustomTreeView::~TCustomTreeView() {
    // The nodes go while the tree is whole; nobody hears of it.
    FDestroying = true;
    FItems.Clear();
}

QTreeWidget* TCustomTreeView::Tree() const {
    return static_cast<QTreeWidget*>(FWidget.data());
}

TTreeNode* TCustomTreeView::Selected() const {
    return Tree() ? TTreeNode::FromItem(Tree()->currentItem()) : nullptr;
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (!Tree()) return;
    if (!node) {
        Tree()->setCurrentItem(nullptr);
        return;
    }
    node->MakeVisible();
    Tree()->setCurrentItem(node->ItemHandle());
}

void TCustomTreeView::CurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (FQuiet > 0 || FDestroying) return;
    // A current node is always the selected one (Qt may make one current without selecting it).
    if (current && !current->isSelected()) current->setSelected(true);
    if (FAutoExpand && current) {
        // The branch left behind closes unless the new node lies inside it.
        for (QTreeWidgetItem* p = previous; p; p = p->parent()) {
            bool ancestor = false;
            for (QTreeWidgetItem* q = current; q && !ancestor; q = q->parent())
                ancestor = q == p;
            if (!ancestor) p->setExpanded(false);
        }
        current->setExpanded(true);
    }
    FireEvent(OnChange, this, TTreeNode::FromItem(current));
}

void TCustomTreeView::SetImages(TImageList* images) {
    FImages = images;
    if (Tree()) Tree()->doItemsLayout();
}

void TCustomTreeView::SetReadOnly(bool readOnly) {
    FReadOnly = readOnly;
    if (!Tree()) return;
    Tree()->setEditTriggers(readOnly
                                ? QAbstractItemView::NoEditTriggers
                                : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
        (*it)->setFlags(readOnly ? (*it)->flags() & ~Qt::ItemIsEditable
                                 : (*it)->flags() | Qt::ItemIsEditable);
}

void TCustomTreeView::SetHideSelection(bool hide) {
    FHideSelection = hide;
    Invalidate();
    if (Tree()) Tree()->viewport()->update();
}

void TCustomTreeView::SetShowRoot(bool show) {
    FShowRoot = show;
    if (Tree()) Tree()->setRootIsDecorated(FShowRoot && FShowButtons);
}

void TCustomTreeView::SetShowButtons(bool show) {
    FShowButtons = show;
    if (Tree()) Tree()->setRootIsDecorated(FShowRoot && FShowButtons);
}

void TCustomTreeView::FullExpand() {
    if (Tree()) Tree()->expandAll();
}

void TCustomTreeView::FullCollapse() {
    if (Tree()) Tree()->collapseAll();
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
    return Tree() ? TTreeNode::FromItem(Tree()->itemAt(QPoint(x, y))) : nullptr;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
    FireEvent(OnExpanded, this, Node);
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
    FireEvent(OnCollapsed, this, Node);
}

void TCustomTreeView::SetFixedRowHeight(int height) {
    height = std::max(0, height);
    if (height == FFixedRowHeight) return;
    FFixedRowHeight = height;
    if (Tree()) Tree()->doItemsLayout();
}

const QFontMetrics& TCustomTreeView::TextMetrics() const {
    if (!FTextMetrics) FTextMetrics = std::make_unique<QFontMetrics>(FFont.ToQFont());
    return *FTextMetrics;
}

int TCustomTreeView::RowHeight() const {
    if (FFixedRowHeight > 0) return FFixedRowHeight;
    int height = std::max(16, TextMetrics().height() + 2);
    if (FImages) height = std::max(height, FImages->Height() + 2);
    return height;
}

void TCustomTreeView::PaintNode(QPainter& painter, TTreeNode* node, const QRect& rect, bool selected) {
    painter.save();
    FCanvas.BeginPaint(&painter);
    FCanvas.Font()->Assign(FFont);
    FCanvas.Brush()->SetStyle(bsSolid);
    FCanvas.Brush()->SetColor(FColor);
    const bool focused = Tree() && Tree()->hasFocus();
    const bool shown = selected && (focused || !FHideSelection);
    TCustomDrawState state = 0;
    if (shown) {
        state |= cdsSelected;
        FCanvas.Brush()->SetColor(focused ? clHighlight : clBtnFace);
        FCanvas.Font()->SetColor(focused ? clHighlightText : clWindowText);
    }
    if (selected && focused) state |= cdsFocused;
    if (!FEnabled) state |= cdsDisabled;
    bool defaultDraw = true;
    FireEvent(OnCustomDrawItem, this, node, state, defaultDraw);
    if (defaultDraw) DispatchEvent([&] { DrawNode(node, ToTRect(rect), selected); });
    DispatchEvent([&] { NodePainted(node, ToTRect(rect), selected); });
    FCanvas.EndPaint();
    painter.restore();
}

void TCustomTreeView::DrawNode(TTreeNode* node, const TRect& rect, bool selected) {
    int x = rect.Left + 2;
    if (FImages) {
        const int index = selected ? node->SelectedIndex() : node->ImageIndex();
        if (index >= 0 && index < FImages->Count())
            FImages->Draw(&FCanvas, x, rect.Top + (rect.Height() - FImages->Height()) / 2, index);
        x += FImages->Width() + 3;
    }
    const QString text = node->Text();
    const int height = FCanvas.TextHeight(text);
    FCanvas.FillRect(Rect(x, rect.Top, x + FCanvas.TextWidth(text) + 4, rect.Bottom));
    FCanvas.TextOut(x + 2, rect.Top + (rect.Height() - height) / 2, text);
}

void TCustomTreeView::ColorChanged() {
    SetTextAreaColor(FWidget, FColor);
    if (!FWidget) return;
    // Nodes draw their own selection; the indentation beside a selected node stays plain.
    QPalette pal = FWidget->palette();
    pal.setColor(QPalette::Highlight, ToQColor(FColor));
    FWidget->setPalette(pal);
}

void TCustomTreeView::FontChanged() {
    FTextMetrics.reset();
    ++FFontGeneration;
    TWinControl::FontChanged();
    if (Tree()) Tree()->doItemsLayout();
}
