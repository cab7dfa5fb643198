// TComboBox: a Qt combo box over the control's item list.
#include "DeviceContext.h"
#include "FrameControls.h"
#include "TextDraw.h"
#include "StdCtrls.h"
#include "StringListModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <utility>

// The rows of an owner-drawn list: each drawn by the control on a device context of its own.
class TComboItemDelegate : public QStyledItemDelegate {
public:
    TComboItemDelegate(QObject* parent,
                       std::function<void(TDeviceContext*, int, const TRect&, TOwnerDrawState)> paint,
                       std::function<int(int)> height)
        : QStyledItemDelegate(parent), FPaint(std::move(paint)), FHeight(std::move(height)) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QImage image(option.rect.size(), QImage::Format_RGB32);
        {
            TDeviceContext dc(&image);
            TOwnerDrawState state = 0;
            if (option.state & QStyle::State_Selected) state |= odSelected | odFocused;
            if (!(option.state & QStyle::State_Enabled)) state |= odDisabled;
            FPaint(&dc, index.row(), Rect(0, 0, option.rect.width(), option.rect.height()), state);
        }
        painter->drawImage(option.rect.topLeft(), image);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        return QSize(1, FHeight(index.row()));
    }

private:
    std::function<void(TDeviceContext*, int, const TRect&, TOwnerDrawState)> FPaint;
    std::function<int(int)> FHeight;
};

// The native box, telling its control when the list opens and closes and painting through it.
class TComboBox::TComboWidget : public QComboBox {
public:
    explicit TComboWidget(TComboBox* owner) : FOwner(owner) {}

    void showPopup() override {
        QPointer<QObject> alive(FOwner);
        FOwner->DropDown();
        if (!alive) return;
        view()->setMinimumWidth(FOwner->FDroppedWidth);
        FPicking = false;
        QComboBox::showPopup();
        if (!FWatching) {
            view()->installEventFilter(this);
            view()->viewport()->installEventFilter(this);
            FWatching = true;
        }
    }
    void hidePopup() override {
        const bool wasOpen = view()->isVisible();
        QComboBox::hidePopup();
        if (!wasOpen) return;
        QPointer<QObject> alive(FOwner);
        if (FPicking)
            FOwner->SelEndOk();
        else
            FOwner->SelEndCancel();
        FPicking = false;
        if (alive) FOwner->CloseUp();
    }
    // Draws what QComboBox::paintEvent draws, into an image.
    void PaintNative(QImage& image) {
        QPainter painter(&image);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
        style()->drawControl(QStyle::CE_ComboBoxLabel, &option, &painter, this);
    }
    // The classic box a subclass paints over: a sunken edge, the field in the box's colour, the push
    // button with the combo arrow (pushed while the list is open), and a list's chosen item, on the
    // highlight colour while the box has the focus.
    void PaintClassic(QImage& image) {
        TDeviceContext dc(&image);
        TCanvas canvas;
        canvas.BeginPaint(&dc);
        TRect inner = Rect(0, 0, width(), height());
        DrawEdge(&dc, inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        canvas.Brush()->SetColor(FOwner->Color());
        canvas.FillRect(inner);
        TRect button = Rect(inner.Right - 16, inner.Top, inner.Right, inner.Bottom);
        const unsigned state = DFCS_SCROLLCOMBOBOX | (view()->isVisible() ? DFCS_PUSHED | DFCS_FLAT : 0) |
                               (isEnabled() ? 0 : DFCS_INACTIVE);
        DrawFrameControl(&dc, button, DFC_SCROLL, state);
        TRect field = Rect(inner.Left + 1, inner.Top + 1, button.Left - 1, inner.Bottom - 1);
        const bool focused = hasFocus() && !view()->isVisible();
        if (FOwner->OwnerDrawn()) {
            canvas.EndPaint();
            const TOwnerDrawState state =
                odComboBoxEdit | (focused ? odSelected | odFocused : 0) | (isEnabled() ? 0 : odDisabled);
            FOwner->PaintItem(&dc, currentIndex(), field, state);
            return;
        }
        if (isEditable() || currentIndex() < 0) {
            canvas.EndPaint();
            return;
        }
        canvas.Font()->Assign(*FOwner->Font());
        canvas.Font()->SetColor(!isEnabled() ? clGrayText : focused ? clHighlightText : clWindowText);
        canvas.Brush()->SetColor(focused ? clHighlight : FOwner->Color());
        canvas.FillRect(field);
        canvas.Brush()->SetStyle(bsClear);
        TRect text = field;
        text.Left += 2;
        DrawTextDC(canvas.Handle(), currentText(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (focused) canvas.DrawFocusRect(field);
        canvas.EndPaint();
    }

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (FOwner->MouseWheel(event->angleDelta().y()))
            event->accept();
        else
            QComboBox::wheelEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        if (!FOwner->FPaintOver) {
            QComboBox::paintEvent(event);
            return;
        }
        const QImage image = FOwner->PaintImage();
        QPainter(this).drawImage(0, 0, image);
    }
    // A click on an item or Enter in the open list is a choice; anything else that closes it is not.
    // Tab (Shift+Tab) in the open list takes its item as Enter does and then moves on from the box. A
    // left press in the edit field is told to the control first.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && watched == lineEdit()) {
            QPointer<QObject> alive(this);
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) FOwner->EditFieldMouseDown();
            if (!alive) return true;
        } else if (event->type() == QEvent::KeyPress) {
            const auto* e = static_cast<QKeyEvent*>(event);
            const int key = e->key();
            if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && watched == view() && view()->isVisible()) {
                const bool back = key == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
                QPointer<QObject> alive(this);
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QCoreApplication::sendEvent(watched, &enter);
                if (alive && view()->isVisible()) hidePopup();
                if (alive) focusNextPrevChild(!back);
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select) FPicking = true;
        } else if (event->type() == QEvent::MouseButtonRelease && watched == view()->viewport()) {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (view()->indexAt(p).isValid()) FPicking = true;
        }
        return QComboBox::eventFilter(watched, event);
    }

private:
    TComboBox* FOwner;
    bool FPicking = false, FWatching = false;
};

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
    auto* box = new TComboWidget(this);
    FModel = new TStringListModel(&FItems, this);
    box->setModel(FModel);
    // A placeholder keeps Qt from choosing the first item when items arrive in an empty box.
    box->setPlaceholderText(QStringLiteral(" "));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(FDropDownCount);
    FItems.OnSplice = [this](int index, int removed, int inserted) {
        ItemsSpliced(index, removed, inserted);
    };
    QObject::connect(box, &QComboBox::activated, this, [this] { UserChose(); });
    SetWidget(box);
    SetBounds(0, 0, 145, 21);
    FColor = clWindow;
    SetStyle(csDropDown);
}

TComboBox::~TComboBox() {
    FItems.OnSplice = nullptr;
}

QComboBox* TComboBox::Box() const {
    return static_cast<QComboBox*>(FWidget.data());
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    FStyle = style;
    QComboBox* box = Box();
    if (!box) return;
    // Owner-drawn rows come from the control; the others are Qt's own.
    if (OwnerDrawn() && !dynamic_cast<TComboItemDelegate*>(box->view()->itemDelegate())) {
        box->view()->setItemDelegate(new TComboItemDelegate(
            box->view(),
            [this](TDeviceContext* dc, int index, const TRect& r, TOwnerDrawState state) {
                PaintItem(dc, index, r, state);
            },
            [this](int index) {
                int height = FItemHeight;
                if (FStyle == csOwnerDrawVariable && OnMeasureItem)
                    FireEvent(OnMeasureItem, this, index, height);
                return height;
            }));
    } else if (!OwnerDrawn() && dynamic_cast<TComboItemDelegate*>(box->view()->itemDelegate()))
        box->view()->setItemDelegate(new QStyledItemDelegate(box->view()));
    const bool editable = style == csDropDown || style == csSimple;
    if (box->isEditable() == editable) return;
    const int index = box->currentIndex();
    box->setEditable(editable);
    if (editable) {
        QObject::connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] {
            if (!FQuietEdit) Change();
        });
        box->lineEdit()->installEventFilter(box);
        SetNativeCompletion(FNativeCompletion);
        SetMaxLength(FMaxLength);
        SetEditReadOnly(FEditReadOnly);
    }
    box->setCurrentIndex(index);
    FontChanged();
    ColorChanged();
}

int TComboBox::ItemIndex() const {
    return Box() ? Box()->currentIndex() : -1;
}

void TComboBox::SetItemIndex(int index) {
    if (!Box()) return;
    Box()->setCurrentIndex(index >= 0 && index < FItems.Count() ? index : -1);
}

QString TComboBox::Caption() const {
    if (!Box()) return QString();
    return Box()->isEditable() ? Box()->currentText()
                               : (Box()->currentIndex() >= 0 ? Box()->currentText() : QString());
}

void TComboBox::SetCaption(const QString& text) {
    if (!Box()) return;
    if (Box()->isEditable())
        Box()->setEditText(text);
    else
        SetItemIndex(FItems.IndexOf(text));
}

void TComboBox::SetDropDownCount(int count) {
    FDropDownCount = count;
    if (Box()) Box()->setMaxVisibleItems(std::max(1, count));
}

void TComboBox::Clear() {
    FItems.Clear();
    if (Box()) {
        Box()->setCurrentIndex(-1);
        if (Box()->isEditable()) Box()->setEditText(QString());
    }
}

int TComboBox::FindString(const QString& Prefix, int After) const {
    const int count = FItems.Count();
    if (Prefix.isEmpty() || count == 0) return -1;
    const int start = After >= 0 && After < count ? After + 1 : 0;
    for (int n = 0; n < count; ++n) {
        const int i = (start + n) % count;
        if (FItems.Strings(i).startsWith(Prefix, Qt::CaseInsensitive)) return i;
    }
    return -1;
}

bool TComboBox::DroppedDown() const {
    return Box() && Box()->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool value) {
    if (!Box() || value == DroppedDown()) return;
    if (value)
        Box()->showPopup();
    else
        Box()->hidePopup();
}

void TComboBox::SetDroppedWidth(int width) {
    FDroppedWidth = std::max(0, width);
    if (Box()) Box()->view()->setMinimumWidth(FDroppedWidth);
}

int TComboBox::TopIndex() const {
    if (!Box()) return 0;
    const QModelIndex top = Box()->view()->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void TComboBox::SetTopIndex(int index) {
    if (!Box() || index < 0 || index >= FItems.Count()) return;
    Box()->view()->scrollTo(FModel->index(index, 0), QAbstractItemView::PositionAtTop);
}

int TComboBox::SelStart() const {
    QLineEdit* edit = Box() ? Box()->lineEdit() : nullptr;
    if (!edit) return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int TComboBox::SelLength() const {
    QLineEdit* edit = Box() ? Box()->lineEdit() : nullptr;
    return edit ? edit->selectionLength() : 0;
}

// The caret ends at the selection's start, as the classic edit leaves it after EM_SETSEL.
void TComboBox::SetSelection(int start, int length) {
    QLineEdit* edit = Box() ? Box()->lineEdit() : nullptr;
    if (!edit) return;
    const int size = int(edit->text().size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length == 0)
        edit->setCursorPosition(start);
    else
        edit->setSelection(start + length, -length);
}

void TComboBox::SetMaxLength(int length) {
    FMaxLength = std::max(0, length);
    if (Box() && Box()->lineEdit()) Box()->lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TComboBox::SetEditReadOnly(bool readOnly) {
    FEditReadOnly = readOnly;
    if (Box() && Box()->lineEdit()) Box()->lineEdit()->setReadOnly(readOnly);
}

void TComboBox::SetCueBanner(const QString& text) {
    if (Box() && Box()->lineEdit()) Box()->lineEdit()->setPlaceholderText(text);
}

QString TComboBox::CueBanner() const {
    return Box() && Box()->lineEdit() ? Box()->lineEdit()->placeholderText() : QString();
}

void TComboBox::PasteFromClipboard() {
    QLineEdit* edit = Box() ? Box()->lineEdit() : nullptr;
    if (!edit || edit->isReadOnly()) return;
    const QString before = edit->text();
    FQuietEdit = true;
    edit->paste();
    FQuietEdit = false;
    if (edit->text() != before) Change();
}

void TComboBox::CutToClipboard() {
    QLineEdit* edit = Box() ? Box()->lineEdit() : nullptr;
    if (!edit || edit->isReadOnly() || !edit->hasSelectedText()) return;
    FQuietEdit = true;
    edit->cut();
    FQuietEdit = false;
    Change();
}

void TComboBox::SetNativeCompletion(bool value) {
    FNativeCompletion = value;
    if (!value && Box() && Box()->lineEdit()) Box()->setCompleter(nullptr);
}

void TComboBox::SetPaintOver(bool value) {
    FPaintOver = value;
    Invalidate();
}

QImage TComboBox::PaintImage() {
    auto* box = static_cast<TComboWidget*>(Box());
    if (!box) return QImage();
    QImage image(box->size(), QImage::Format_RGB32);
    image.fill(ToQColor(FParent ? FParent->Color() : FColor));
    if (!FPaintOver) {
        box->PaintNative(image);
    } else {
        box->PaintClassic(image);
        TDeviceContext dc(&image);
        Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&dc));
    }
    return image;
}

void TComboBox::SetItemHeight(int height) {
    if (height < 1 || height == FItemHeight) return;
    FItemHeight = height;
    if (Box()) Box()->view()->doItemsLayout();
    Invalidate();
}

void TComboBox::PaintItem(TDeviceContext* DC, int Index, const TRect& Rect, TOwnerDrawState State) {
    FCanvas.BeginPaint(DC);
    FCanvas.Font()->Assign(*Font());
    FCanvas.Brush()->SetStyle(bsSolid);
    FCanvas.Brush()->SetColor(FColor);
    const bool selected = State & odSelected;
    if (selected) {
        FCanvas.Brush()->SetColor(clHighlight);
        FCanvas.Font()->SetColor(clHighlightText);
    } else if (State & odDisabled) {
        FCanvas.Font()->SetColor(clGrayText);
    }
    if (Index >= 0 && Index < FItems.Count())
        DispatchEvent([&] { DrawItem(Index, Rect, State); });
    else if (!selected)
        FCanvas.FillRect(Rect);
    if (selected) FCanvas.DrawFocusRect(Rect);
    FCanvas.EndPaint();
}

void TComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas.FillRect(Rect);
    FCanvas.Brush()->SetStyle(bsClear);
    TRect text = Rect;
    text.Left += 2;
    DrawTextDC(FCanvas.Handle(), FItems.Strings(Index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TComboBox::Change() {
    FireEvent(OnChange, this);
}

void TComboBox::Select() {
    if (OnSelect)
        FireEvent(OnSelect, this);
    else
        Change();
}

void TComboBox::DropDown() {
    FireEvent(OnDropDown, this);
}

void TComboBox::CloseUp() {
    FireEvent(OnCloseUp, this);
}

void TComboBox::ItemsSpliced(int index, int removed, int inserted) {
    QComboBox* box = Box();
    if (!box) {
        FModel->Splice(index, removed, inserted);
        return;
    }
    // The chosen item follows its text: removing it chooses nothing (Qt would choose a neighbour).
    int chosen = box->currentIndex();
    const QString editText = box->isEditable() ? box->currentText() : QString();
    if (chosen >= index && chosen < index + removed)
        chosen = -1;
    else if (chosen >= index + removed)
        chosen += inserted - removed;
    FModel->Splice(index, removed, inserted);
    if (box->currentIndex() != chosen) box->setCurrentIndex(chosen);
    if (box->isEditable() && chosen < 0 && box->currentText() != editText) box->setEditText(editText);
}

void TComboBox::UserChose() {
    QPointer<QObject> alive(this);
    Click();
    if (!alive) return;
    Select();
}

// Qt moves the focus into the list as it opens and back as it closes. The box keeps the keyboard all
// along, as a classic box does: neither move is a leaving or an entering, and Qt alone hears of them.
bool TComboBox::FilterWidgetEvent(QObject* watched, QEvent* event) {
    if (watched == FWidget.data()) {
        if (event->type() == QEvent::FocusOut &&
            QApplication::activePopupWidget() == Box()->view()->window()) {
            FListHasFocus = true;
            return false;
        }
        // Back from the list: the box had the focus all along.
        if (event->type() == QEvent::FocusIn && std::exchange(FListHasFocus, false)) return false;
    }
    return TWinControl::FilterWidgetEvent(watched, event);
}

void TComboBox::ColorChanged() {
    SetTextAreaColor(FWidget, FColor);
}
