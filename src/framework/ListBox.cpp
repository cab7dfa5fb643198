// TListBox: a Qt list view over the control's item list; every item is drawn through the control's
// canvas, so owner-drawn and standard lists look the same.
#include "StdCtrls.h"
#include "StringListModel.h"

#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

class TListBoxDelegate : public QStyledItemDelegate {
public:
    TListBoxDelegate(TListBox* box, QObject* parent) : QStyledItemDelegate(parent), FBox(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* view = qobject_cast<const QListView*>(option.widget);
        const bool focused = view && view->hasFocus() && view->currentIndex() == index;
        FBox->PaintItem(*painter, index.row(), option.rect, option.state & QStyle::State_Selected, focused);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(std::max(1, FBox->HorizontalExtent()), FBox->ItemHeight());
    }

private:
    TListBox* FBox;
};

// The list widget: a press on empty space keeps the choice (as Windows lists do), and every pick by
// mouse or keyboard is reported to the control.
class TListBoxView : public QListView {
public:
    explicit TListBoxView(TListBox* box) : FBox(box) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Every item has the list's one size: laying out needs no size per item.
        setUniformItemSizes(true);
        setItemDelegate(new TListBoxDelegate(box, this));
    }
    // Items were added or removed: the view lays them all out before it next paints or places one.
    void ItemsMoved() { FLayoutPending = true; }
    // Repaints part of one item; while a layout is pending the whole list repaints after it anyway,
    // and asking where the item lies now would lay out every item first.
    void UpdateItemPart(const QModelIndex& index, const QRect& part) {
        if (FLayoutPending) return viewport()->update();
        const QRect item = visualRect(index);
        if (!item.isEmpty()) viewport()->update(part.translated(item.topLeft()) & item);
    }
    void doItemsLayout() override {
        QListView::doItemsLayout();
        FLayoutPending = false;
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        const QPoint pos = e->position().toPoint();
        const QModelIndex index = indexAt(pos);
        if (!index.isValid()) {
            setFocus(Qt::MouseFocusReason);
            return;
        }
        // A handler on the way may free the list: the view then outlives it until the event is over.
        QPointer<QObject> alive(FBox);
        QListView::mousePressEvent(e);
        if (e->button() != Qt::LeftButton || !alive) return;
        FBox->UserPicked();
        if (alive) FBox->ItemPressed(index.row(), pos);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        // Dragging with the button held does not move the choice.
        if (e->buttons() & Qt::LeftButton) return;
        QListView::mouseMoveEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        const int before = currentIndex().row();
        QPointer<QObject> alive(FBox);
        QListView::keyPressEvent(e);
        if (!alive) return;
        if (currentIndex().row() != before && currentIndex().isValid()) FBox->UserPicked();
        if (alive && currentIndex().isValid()) FBox->KeyOnItem(currentIndex().row(), e->key());
    }

private:
    TListBox* FBox;
    bool FLayoutPending = false;
};

}  // namespace

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
    auto* view = new TListBoxView(this);
    FModel = new TStringListModel(&FItems, this);
    view->setModel(FModel);
    FItems.OnSplice = [this](int index, int removed, int inserted) {
        // Removing the chosen item leaves nothing chosen (Qt would choose a neighbour).
        const int chosen = ItemIndex();
        if (chosen >= index && chosen < index + removed) SetItemIndex(-1);
        ItemsSpliced(index, removed, inserted);
        FModel->Splice(index, removed, inserted);
        if (removed > 0 || inserted > 0) static_cast<TListBoxView*>(View())->ItemsMoved();
    };
    SetWidget(view);
    SetMouseWidget(view->viewport());
    SetBounds(0, 0, 121, 97);
    FColor = clWindow;
    ColorChanged();
    UpdateItemHeight();
}

TListBox::~TListBox() {
    FItems.OnSplice = nullptr;
}

QListView* TListBox::View() const {
    return static_cast<QListView*>(FWidget.data());
}

int TListBox::ItemIndex() const {
    if (!View()) return -1;
    const QModelIndex current = View()->currentIndex();
    return current.isValid() && View()->selectionModel()->isSelected(current) ? current.row() : -1;
}

void TListBox::SetItemIndex(int index) {
    if (!View()) return;
    if (index < 0 || index >= Count()) {
        View()->selectionModel()->clearSelection();
        View()->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    const QModelIndex i = FModel->index(index);
    View()->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    View()->scrollTo(i);
}

bool TListBox::Selected(int index) const {
    if (index < 0 || index >= Count())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return View() && View()->selectionModel()->isRowSelected(index, QModelIndex());
}

void TListBox::SetSelected(int index, bool selected) {
    if (index < 0 || index >= Count())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (selected)
        SetItemIndex(index);
    else if (Selected(index))
        SetItemIndex(-1);
}

void TListBox::SetStyle(TListBoxStyle style) {
    FStyle = style;
    UpdateItemHeight();
}

int TListBox::ItemHeight() const {
    return FStyle == lbStandard ? FStandardItemHeight : FItemHeight;
}

void TListBox::SetItemHeight(int height) {
    if (height > 0) FItemHeight = height;
    UpdateItemHeight();
}

void TListBox::UpdateItemHeight() {
    // Measured once per font, not once per item laid out.
    FStandardItemHeight = QFontMetrics(FFont.ToQFont()).height() + 2;
    if (View()) View()->doItemsLayout();
}

int TListBox::ItemAtPos(const TPoint& pos, bool existing) const {
    const QModelIndex index = View() ? View()->indexAt(QPoint(pos.X, pos.Y)) : QModelIndex();
    if (index.isValid()) return index.row();
    return existing ? -1 : Count();
}

TRect TListBox::ItemRect(int index) const {
    if (!View() || index < 0 || index >= Count()) return {};
    const QRect r = View()->visualRect(FModel->index(index));
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

int TListBox::TopIndex() const {
    if (!View()) return 0;
    const QModelIndex top = View()->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void TListBox::SetTopIndex(int index) {
    if (View() && index >= 0 && index < Count())
        View()->scrollTo(FModel->index(index), QAbstractItemView::PositionAtTop);
}

void TListBox::InvalidateItemPart(int index, const TRect& part) {
    if (View() && index >= 0 && index < Count() && !part.IsEmpty())
        static_cast<TListBoxView*>(View())->UpdateItemPart(
            FModel->index(index), QRect(part.Left, part.Top, part.Width(), part.Height()));
}

void TListBox::InvalidateItems(const TRect& r) {
    if (!View()) return;
    if (r.IsEmpty())
        View()->viewport()->update();
    else
        View()->viewport()->update(QRect(r.Left, r.Top, r.Width(), r.Height()));
}

void TListBox::UserPicked() {
    FireEvent(OnClick, this);
}

void TListBox::PaintItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focused) {
    painter.save();
    FCanvas.BeginPaint(&painter);
    FCanvas.Font()->Assign(FFont);
    FCanvas.Brush()->SetStyle(bsSolid);
    FCanvas.Brush()->SetColor(FColor);
    TOwnerDrawState state = ItemDrawState(index);
    if (selected) state |= odSelected;
    if (focused) state |= odFocused;
    if (!FEnabled) state |= odDisabled;
    const TRect itemRect = Rect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
    DrawItemFrame(painter, index, itemRect, state);
    if (selected) {
        FCanvas.Brush()->SetColor(clHighlight);
        FCanvas.Font()->SetColor(clHighlightText);
    } else if (state & (odDisabled | odGrayed)) {
        FCanvas.Font()->SetColor(clGrayText);
    }
    const TRect textRect = ItemTextRect(itemRect);
    DispatchEvent([&] { CNDrawItem(index, textRect, state); });
    if (focused && FCanvas.HandleAllocated()) {
        QPen pen(ToQColor(clWindowText));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(textRect.Left, textRect.Top, textRect.Width() - 1, textRect.Height() - 1));
    }
    FCanvas.EndPaint();
    painter.restore();
}

void TListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        FireEvent(OnDrawItem, this, index, rect, state);
        return;
    }
    FCanvas.FillRect(rect);
    if (index < 0 || index >= Count()) return;
    const QString text = FItems.Strings(index);
    FCanvas.TextOut(rect.Left + 2, rect.Top + (rect.Height() - FCanvas.TextHeight(text)) / 2, text);
}

void TListBox::ColorChanged() {
    SetTextAreaColor(FWidget, FColor);
}

void TListBox::FontChanged() {
    TWinControl::FontChanged();
    UpdateItemHeight();
}

void TListBox::SetHorizontalScrolling(bool bar, int extent) {
    FHorizontalExtent = std::max(0, extent);
    if (!View()) return;
    View()->setHorizontalScrollBarPolicy(bar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    View()->doItemsLayout();
}
