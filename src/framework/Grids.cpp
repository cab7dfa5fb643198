#include "Grids.h"

#include "PaintWidget.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

namespace {

// The in-place editor keeps every key it is given, as any edit does: a key it has no use for (a lone
// Ctrl, F5) ends there instead of going back up to the grid, which hands keys down to it.
class TInplaceEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        QLineEdit::keyPressEvent(e);
        e->accept();
    }
};

}  // namespace

// One axis of the layout: the sizes of its columns (or rows), how many stay fixed, the first one scrolled
// into view, the width of the line after each, and the pixels the cells may take.
struct TCustomGrid::TAxis {
    const std::vector<int>* Sizes;
    int Count, Fixed, First, Line, Start, End;

    int Size(int i) const { return (*Sizes)[i]; }
    int Extent(int i) const { return Size(i) > 0 ? Size(i) + Line : 0; }
    int FixedExtent() const {
        int sum = 0;
        for (int i = 0; i < Fixed; ++i)
            sum += Extent(i);
        return sum;
    }
    // Room for the scrolling cells.
    int Room() const { return End - Start - FixedExtent(); }

    struct TSpan {
        int Index, Pos, Size;
    };
    // The cells on screen: the fixed ones, then the scrolled ones from First while there is room.
    std::vector<TSpan> Visible() const {
        std::vector<TSpan> spans;
        int pos = Start;
        auto visit = [&](int i) {
            if (Size(i) <= 0) return;
            spans.push_back({i, pos, Size(i)});
            pos += Size(i) + Line;
        };
        for (int i = 0; i < Fixed && pos < End; ++i)
            visit(i);
        for (int i = First; i < Count && pos < End; ++i)
            visit(i);
        return spans;
    }
    // The smallest First that still fills the room with the last cells.
    int MaxFirst() const {
        const int room = Room();
        int first = Count - 1, used = Extent(Count - 1);
        while (first - 1 >= Fixed && used + Extent(first - 1) - Line <= room)
            used += Extent(--first);
        return std::max(Fixed, first);
    }
    // The First that shows cell `index` wholly, scrolling as little as possible.
    int FirstShowing(int index) const {
        if (index < Fixed || Size(index) <= 0) return First;
        if (index < First) return index;
        const int room = Room();
        int used = 0;
        for (int i = First; i <= index; ++i)
            used += Extent(i);
        if (used - Line <= room) return First;
        int first = index;
        used = Extent(index);
        while (first - 1 >= First && used + Extent(first - 1) - Line <= room)
            used += Extent(--first);
        return first;
    }
    // Scrolled cells shown whole.
    int WholeCount() const {
        int n = 0, pos = Start + FixedExtent();
        for (int i = First; i < Count; ++i) {
            if (Size(i) <= 0) continue;
            if (pos + Size(i) > End) break;
            pos += Extent(i);
            ++n;
        }
        return n;
    }
    int Hit(int p) const {
        for (const TSpan& s : Visible())
            if (p >= s.Pos && p < s.Pos + s.Size + Line) return s.Index;
        return -1;
    }
    int PosOf(int index) const {
        for (const TSpan& s : Visible())
            if (s.Index == index) return s.Pos;
        return -1;
    }
};

namespace {

int VisibleNeighbour(const std::vector<int>& sizes, int from, int step, int lowest) {
    for (int i = from + step; i >= lowest && i < int(sizes.size()); i += step)
        if (sizes[i] > 0) return i;
    return from;
}

int FirstVisible(const std::vector<int>& sizes, int lowest, bool fromEnd) {
    if (fromEnd) {
        for (int i = int(sizes.size()) - 1; i >= lowest; --i)
            if (sizes[i] > 0) return i;
    } else {
        for (int i = lowest; i < int(sizes.size()); ++i)
            if (sizes[i] > 0) return i;
    }
    return -1;
}

void FillQRect(QPainter* p, int left, int top, int right, int bottom, TColor color) {
    if (right > left && bottom > top)
        p->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(color));
}

// Gives one axis a new number of columns (rows): fewer fixed ones when needed, and the current cell
// and anchor kept inside. False when the number did not change.
bool ResizeAxis(int count, int& total, int& fixed, std::vector<int>& sizes, int defaultSize, int& current,
                int& anchor) {
    if (count == total) return false;
    if (count <= fixed) fixed = count - 1;
    total = count;
    sizes.resize(count, defaultSize);
    current = std::clamp(current, fixed, count - 1);
    anchor = std::clamp(anchor, fixed, count - 1);
    return true;
}

// Sets how many columns (rows) are fixed; the current cell, anchor and first scrolled one stay past them.
bool FixAxis(int count, int total, int& fixed, int& current, int& anchor, int& first) {
    count = std::clamp(count, 0, total - 1);
    if (count == fixed) return false;
    fixed = count;
    current = std::max(current, count);
    anchor = std::max(anchor, count);
    first = std::max(first, count);
    return true;
}

}  // namespace

// Construction and size ---------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    FColWidths.assign(FColCount, FDefaultColWidth);
    FRowHeights.assign(FRowCount, FDefaultRowHeight);
    QWidget* w = Widget();
    w->setFocusPolicy(Qt::StrongFocus);
    // The grid repaints the current cell as the focus comes and goes (InvalidateFocusedCell).
    static_cast<TPaintWidget*>(w)->RepaintOnFocus = false;
    w->setMouseTracking(true);
    FHorzBar = new QScrollBar(Qt::Horizontal, w);
    FVertBar = new QScrollBar(Qt::Vertical, w);
    for (QScrollBar* bar : {FHorzBar, FVertBar}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setTracking(false);
        QObject::connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
            if (FUpdatingBars) return;
            if (bar == FVertBar)
                SetTopRow(value + FFixedRows);
            else
                SetLeftCol(value + FFixedCols);
        });
    }
    QObject::connect(FVertBar, &QAbstractSlider::actionTriggered, this, [this](int action) {
        TGridScrollAction taken;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            taken = saLineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            taken = saLineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            taken = saPageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            taken = saPageDown;
            break;
        case QAbstractSlider::SliderToMinimum:
            taken = saTop;
            break;
        case QAbstractSlider::SliderToMaximum:
            taken = saBottom;
            break;
        default:
            return;
        }
        bool handled = false;
        DispatchEvent([&] { handled = VertScrollAction(taken, FVertBar->sliderPosition()); });
        // The bar stays where it was; the grid scrolls as it follows what the action did.
        if (handled) FVertBar->setSliderPosition(FVertBar->value());
    });
    QObject::connect(FVertBar, &QAbstractSlider::sliderReleased, this, [this] {
        DispatchEvent([&] { VertScrollAction(saThumb, FVertBar->sliderPosition()); });
    });
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
    if (FEditor) {
        FEditor->removeEventFilter(this);
        QObject::disconnect(FEditor, nullptr, this, nullptr);
    }
    QObject::disconnect(FHorzBar, nullptr, this, nullptr);
    QObject::disconnect(FVertBar, nullptr, this, nullptr);
}

void TCustomGrid::SetColCount(int count) {
    const int oldCols = FColCount;
    count = std::max(1, count);
    if (!ResizeAxis(count, FColCount, FFixedCols, FColWidths, FDefaultColWidth, FCurrent.X, FAnchor.X))
        return;
    if (FEditCell.X >= count) HideEditor();
    SizeChanged(oldCols, FRowCount);
    LayoutChanged();
}

void TCustomGrid::SetRowCount(int count) {
    const int oldRows = FRowCount;
    count = std::max(1, count);
    if (!ResizeAxis(count, FRowCount, FFixedRows, FRowHeights, FDefaultRowHeight, FCurrent.Y, FAnchor.Y))
        return;
    if (FEditCell.Y >= count) HideEditor();
    SizeChanged(FColCount, oldRows);
    LayoutChanged();
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::SetFixedCols(int count) {
    if (!FixAxis(count, FColCount, FFixedCols, FCurrent.X, FAnchor.X, FTopLeft.X)) return;
    if (FEditCell.X >= 0 && FEditCell.X < FFixedCols) HideEditor();
    LayoutChanged();
}

void TCustomGrid::SetFixedRows(int count) {
    if (!FixAxis(count, FRowCount, FFixedRows, FCurrent.Y, FAnchor.Y, FTopLeft.Y)) return;
    if (FEditCell.Y >= 0 && FEditCell.Y < FFixedRows) HideEditor();
    LayoutChanged();
}

void TCustomGrid::SetDefaultColWidth(int width) {
    FDefaultColWidth = width;
    FColWidths.assign(FColCount, width);
    LayoutChanged();
}

void TCustomGrid::SetDefaultRowHeight(int height) {
    FDefaultRowHeight = height;
    FRowHeights.assign(FRowCount, height);
    LayoutChanged();
}

int TCustomGrid::ColWidths(int col) const {
    return col >= 0 && col < FColCount ? FColWidths[col] : FDefaultColWidth;
}

void TCustomGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= FColCount || FColWidths[col] == width) return;
    FColWidths[col] = width;
    LayoutChanged();
}

int TCustomGrid::RowHeights(int row) const {
    return row >= 0 && row < FRowCount ? FRowHeights[row] : FDefaultRowHeight;
}

void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= FRowCount || FRowHeights[row] == height) return;
    FRowHeights[row] = height;
    LayoutChanged();
}

void TCustomGrid::SetGridLineWidth(int width) {
    FGridLineWidth = std::max(0, width);
    LayoutChanged();
}

void TCustomGrid::SetOptions(TGridOptions options) {
    if (options == FOptions) return;
    FOptions = options;
    if (!CanEditShow()) HideEditor();
    FVertBar->setTracking(HasOption(goThumbTracking));
    FHorzBar->setTracking(HasOption(goThumbTracking));
    LayoutChanged();
    if (HasOption(goAlwaysShowEditor) && GridHasFocus()) ShowEditor();
}

void TCustomGrid::SetFixedColor(TColor color) {
    FFixedColor = color;
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool on) {
    FDefaultDrawing = on;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle style) {
    FScrollBars = style;
    LayoutChanged();
}

void TCustomGrid::SetBorderStyle(TFormBorderStyle style) {
    FBorderStyle = style == bsNone ? bsNone : bsSingle;
    LayoutChanged();
}

// Layout and scrolling ----------------------------------------------------------------------------

TRect TCustomGrid::CellArea() const {
    const int b = BorderWidth();
    const int vbar = FVertBar->isHidden() ? 0 : FVertBar->width();
    const int hbar = FHorzBar->isHidden() ? 0 : FHorzBar->height();
    return Rect(b, b, std::max(b, Width() - b - vbar), std::max(b, Height() - b - hbar));
}

TCustomGrid::TAxis TCustomGrid::HorzAxis() const {
    const TRect area = CellArea();
    const int line = FOptions & (goFixedVertLine | goVertLine) ? FGridLineWidth : 0;
    return {&FColWidths, FColCount, FFixedCols, FTopLeft.X, line, area.Left, area.Right};
}

TCustomGrid::TAxis TCustomGrid::VertAxis() const {
    const TRect area = CellArea();
    const int line = FOptions & (goFixedHorzLine | goHorzLine) ? FGridLineWidth : 0;
    return {&FRowHeights, FRowCount, FFixedRows, FTopLeft.Y, line, area.Top, area.Bottom};
}

int TCustomGrid::ClientWidth() const {
    return CellArea().Width();
}
int TCustomGrid::ClientHeight() const {
    return CellArea().Height();
}

void TCustomGrid::UpdateScrollBars() {
    FUpdatingBars = true;
    const int b = BorderWidth();
    const int roomW = Width() - 2 * b, roomH = Height() - 2 * b;
    const int vbarW = FVertBar->sizeHint().width(), hbarH = FHorzBar->sizeHint().height();
    auto total = [](const TAxis& axis) {
        int sum = 0;
        for (int i = 0; i < axis.Count; ++i)
            sum += axis.Extent(i);
        return sum - axis.Line;
    };
    const int totalW = total(HorzAxis()), totalH = total(VertAxis());
    const bool canV = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool canH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    bool needV = false, needH = false;
    for (int pass = 0; pass < 2; ++pass) {
        needV = canV && totalH > roomH - (needH ? hbarH : 0);
        needH = canH && totalW > roomW - (needV ? vbarW : 0);
    }
    FVertBar->setGeometry(Width() - b - vbarW, b, vbarW, std::max(0, roomH - (needH ? hbarH : 0)));
    FHorzBar->setGeometry(b, Height() - b - hbarH, std::max(0, roomW - (needV ? vbarW : 0)), hbarH);
    FVertBar->setVisible(needV);
    FHorzBar->setVisible(needH);
    FUpdatingBars = false;
    ClampTopLeft();
}

void TCustomGrid::ClampTopLeft() {
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, HorzAxis().MaxFirst());
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, VertAxis().MaxFirst());
    FUpdatingBars = true;
    const TAxis horz = HorzAxis(), vert = VertAxis();
    FHorzBar->setRange(0, horz.MaxFirst() - FFixedCols);
    FHorzBar->setPageStep(std::max(1, horz.WholeCount()));
    FHorzBar->setValue(FTopLeft.X - FFixedCols);
    FVertBar->setRange(0, vert.MaxFirst() - FFixedRows);
    FVertBar->setPageStep(std::max(1, vert.WholeCount()));
    FVertBar->setValue(FTopLeft.Y - FFixedRows);
    FUpdatingBars = false;
}

void TCustomGrid::LayoutChanged() {
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::Resized() {
    TCustomControl::Resized();
    LayoutChanged();
}

void TCustomGrid::ScrollTo(TGridCoord topLeft) {
    if (topLeft == FTopLeft) return;
    FTopLeft = topLeft;
    ClampTopLeft();
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::SetTopRow(int row) {
    ScrollTo({FTopLeft.X, row});
}
void TCustomGrid::SetLeftCol(int col) {
    ScrollTo({col, FTopLeft.Y});
}

void TCustomGrid::ScrollInView(TGridCoord cell) {
    ScrollTo({HorzAxis().FirstShowing(cell.X), VertAxis().FirstShowing(cell.Y)});
}

int TCustomGrid::VisibleRowCount() const {
    return VertAxis().WholeCount();
}
int TCustomGrid::VisibleColCount() const {
    return HorzAxis().WholeCount();
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return {};
    const TAxis horz = HorzAxis(), vert = VertAxis();
    const int x = horz.PosOf(ACol), y = vert.PosOf(ARow);
    if (x < 0 || y < 0) return {};
    return Rect(x, y, x + horz.Size(ACol), y + vert.Size(ARow));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    const int col = HorzAxis().Hit(X), row = VertAxis().Hit(Y);
    if (col < 0 || row < 0) return {-1, -1};
    return {col, row};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

// Current cell and selection ----------------------------------------------------------------------

void TCustomGrid::SetCol(int col) {
    if (col != FCurrent.X && col >= FFixedCols) MoveCurrent(col, FCurrent.Y, true, true);
}

void TCustomGrid::SetRow(int row) {
    if (row != FCurrent.Y && row >= FFixedRows) MoveCurrent(FCurrent.X, row, true, true);
}

TGridRect TCustomGrid::Selection() const {
    if (HasOption(goRowSelect))
        return {FFixedCols, std::min(FAnchor.Y, FCurrent.Y), FColCount - 1, std::max(FAnchor.Y, FCurrent.Y)};
    return {std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
            std::max(FAnchor.Y, FCurrent.Y)};
}

void TCustomGrid::SetSelection(const TGridRect& selection) {
    auto clampCol = [this](int c) { return std::clamp(c, FFixedCols, FColCount - 1); };
    auto clampRow = [this](int r) { return std::clamp(r, FFixedRows, FRowCount - 1); };
    const TGridCoord current{clampCol(selection.Right), clampRow(selection.Bottom)};
    if (!(current == FCurrent)) HideEditor();
    const bool moved = !(current == FCurrent);
    FAnchor = {clampCol(selection.Left), clampRow(selection.Top)};
    FCurrent = current;
    Invalidate();
    if (moved) CurrentMoved();
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
    bool canSelect = true;
    FireEvent(OnSelectCell, this, ACol, ARow, canSelect);
    return canSelect;
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool moveAnchor, bool show) {
    if (ACol < FFixedCols || ARow < FFixedRows || ACol >= FColCount || ARow >= FRowCount) return;
    if (TGridCoord{ACol, ARow} == FCurrent) {
        if (moveAnchor) FAnchor = FCurrent;
        Invalidate();
        return;
    }
    QPointer<QObject> alive(this);
    if (!SelectCell(ACol, ARow) || !alive) return;
    // The handler may have changed the grid's size meanwhile.
    if (ACol >= FColCount || ARow >= FRowCount) return;
    HideEditor();
    FCurrent = {ACol, ARow};
    if (moveAnchor || !HasOption(goRangeSelect)) FAnchor = FCurrent;
    if (show) ScrollInView(FCurrent);
    Invalidate();
    CurrentMoved();
    if (!alive) return;
    Click();
    if (alive && HasOption(goAlwaysShowEditor) && GridHasFocus()) ShowEditor();
}

void TCustomGrid::SetCurrentQuietly(int ACol, int ARow) {
    ACol = std::clamp(ACol, FFixedCols, FColCount - 1);
    ARow = std::clamp(ARow, FFixedRows, FRowCount - 1);
    if (!(TGridCoord{ACol, ARow} == FCurrent)) HideEditor();
    FCurrent = FAnchor = {ACol, ARow};
    ScrollInView(FCurrent);
    Invalidate();
}

// The in-place editor -----------------------------------------------------------------------------

bool TCustomGrid::CanEditShow() const {
    return (FOptions & (goRowSelect | goEditing)) == goEditing && FCurrent.X >= FFixedCols &&
           FCurrent.Y >= FFixedRows && ColWidths(FCurrent.X) > 0 && RowHeights(FCurrent.Y) > 0;
}

QString TCustomGrid::GetEditText(int ACol, int ARow) {
    QString value;
    FireEvent(OnGetEditText, this, ACol, ARow, value);
    return value;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const QString& value) {
    FireEvent(OnSetEditText, this, ACol, ARow, value);
}

bool TCustomGrid::EditorMode() const {
    return FEditCell.X >= 0;
}

void TCustomGrid::SetEditorMode(bool on) {
    if (on)
        ShowEditor();
    else
        HideEditor();
}

bool TCustomGrid::EditingCell(int ACol, int ARow) const {
    return FEditCell == TGridCoord{ACol, ARow};
}

bool TCustomGrid::FocusShowsInCells() const {
    return !HasOption(goRowSelect) || bool(OnDrawCell);
}

void TCustomGrid::InvalidateFocusedCell() {
    if (!FocusShowsInCells()) return;
    TRect cell = CellRect(FCurrent.X, FCurrent.Y);
    if (cell.IsEmpty()) return;
    if (HasOption(goRowSelect)) {
        const TRect area = CellArea();
        cell.Left = area.Left;
        cell.Right = area.Right;
    }
    InvalidateRect(cell);
}

bool TCustomGrid::GridHasFocus() const {
    return Widget() && (Widget()->hasFocus() || (FEditor && FEditor->hasFocus()));
}

void TCustomGrid::ShowEditor() {
    if (!CanEditShow() || EditingCell(FCurrent.X, FCurrent.Y)) return;
    HideEditor();
    if (!FEditor) {
        FEditor = new TInplaceEdit(Widget());
        FEditor->setFrame(false);
        FEditor->setTextMargins(1, 0, 0, 0);
        FEditor->hide();
        FEditor->installEventFilter(this);
        QObject::connect(FEditor, &QLineEdit::textEdited, this,
                         [this](const QString& text) { EditorTextEdited(text); });
        FontChanged();
        ColorChanged();
    }
    ScrollInView(FCurrent);
    const TGridCoord cell = FCurrent;
    QPointer<QObject> alive(this);
    const QString text = GetEditText(cell.X, cell.Y);
    if (!alive || !(cell == FCurrent)) return;
    FEditCell = cell;
    FTextBeforeEdit = text;
    FEditor->setText(text);
    FEditor->selectAll();
    PlaceEditor();
    if (!EditorMode()) return;
    FEditor->show();
    FocusWidget(FEditor, Qt::OtherFocusReason);
}

void TCustomGrid::HideEditor() {
    if (!EditorMode()) return;
    FEditCell = {-1, -1};
    if (FEditor->hasFocus() && Widget()) {
        FRefocusing = true;
        FocusWidget(Widget(), Qt::OtherFocusReason);
        FRefocusing = false;
    }
    FEditor->hide();
    Invalidate();
}

void TCustomGrid::PlaceEditor() {
    if (!EditorMode()) return;
    const TRect r = CellRect(FEditCell.X, FEditCell.Y);
    if (r.IsEmpty()) {
        HideEditor();
        return;
    }
    FEditor->setGeometry(r.Left, r.Top, r.Width(), r.Height());
}

void TCustomGrid::RefreshEditor(int ACol, int ARow, const QString& text) {
    if (FWritingEditor || !EditingCell(ACol, ARow) || FEditor->text() == text) return;
    FEditor->setText(text);
}

void TCustomGrid::EditorTextEdited(const QString& text) {
    if (!EditorMode()) return;
    FWritingEditor = true;
    const TGridCoord cell = FEditCell;
    QPointer<QObject> alive(this);
    SetEditText(cell.X, cell.Y, text);
    if (alive) FWritingEditor = false;
}

void TCustomGrid::ShowEditorChar(QChar ch) {
    ShowEditor();
    if (!EditorMode()) return;
    const QString text = ch == QLatin1Char('\b') ? QString() : QString(ch);
    FEditor->setText(text);
    FEditor->end(false);
    EditorTextEdited(text);
}

void TCustomGrid::CancelEdit() {
    const TGridCoord cell = FEditCell;
    const QString before = FTextBeforeEdit;
    const bool changed = FEditor->text() != before;
    HideEditor();
    if (changed) SetEditText(cell.X, cell.Y, before);
}

// Keyboard ----------------------------------------------------------------------------------------

bool TCustomGrid::NavigationKey(QKeyEvent* e) {
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool rowSelect = HasOption(goRowSelect);
    TGridCoord target = FCurrent;
    bool extend = shift && HasOption(goRangeSelect);
    auto firstCol = [&](bool fromEnd) { return FirstVisible(FColWidths, FFixedCols, fromEnd); };
    auto firstRow = [&](bool fromEnd) { return FirstVisible(FRowHeights, FFixedRows, fromEnd); };
    switch (e->key()) {
    case Qt::Key_Up:
        target.Y = VisibleNeighbour(FRowHeights, FCurrent.Y, -1, FFixedRows);
        break;
    case Qt::Key_Down:
        target.Y = VisibleNeighbour(FRowHeights, FCurrent.Y, 1, FFixedRows);
        break;
    case Qt::Key_Left:
        if (rowSelect)
            SetLeftCol(LeftCol() - 1);
        else
            target.X = VisibleNeighbour(FColWidths, FCurrent.X, -1, FFixedCols);
        break;
    case Qt::Key_Right:
        if (rowSelect)
            SetLeftCol(LeftCol() + 1);
        else
            target.X = VisibleNeighbour(FColWidths, FCurrent.X, 1, FFixedCols);
        break;
    case Qt::Key_PageUp:
        target.Y = std::max(FFixedRows, FCurrent.Y - std::max(1, VisibleRowCount()));
        break;
    case Qt::Key_PageDown:
        target.Y = std::min(FRowCount - 1, FCurrent.Y + std::max(1, VisibleRowCount()));
        break;
    case Qt::Key_Home:
        if (ctrl || rowSelect) target.Y = firstRow(false);
        if (!rowSelect) target.X = firstCol(false);
        break;
    case Qt::Key_End:
        if (ctrl || rowSelect) target.Y = firstRow(true);
        if (!rowSelect) target.X = firstCol(true);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (!HasOption(goTabs)) return false;
        extend = false;
        const bool back = e->key() == Qt::Key_Backtab || shift;
        const int next = VisibleNeighbour(FColWidths, FCurrent.X, back ? -1 : 1, FFixedCols);
        if (next != FCurrent.X && !rowSelect) {
            target.X = next;
        } else {
            const int row = VisibleNeighbour(FRowHeights, FCurrent.Y, back ? -1 : 1, FFixedRows);
            if (row != FCurrent.Y) {
                target.Y = row;
                if (!rowSelect) target.X = firstCol(back);
            }
        }
        break;
    }
    default:
        return false;
    }
    if (target.X < 0 || target.Y < 0) return true;
    MoveCurrent(target.X, target.Y, !extend, true);
    return true;
}

bool TCustomGrid::KeyEvent(QKeyEvent* e) {
    if (NavigationKey(e)) return true;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!CanEditShow()) return false;
        ShowEditor();
        return true;
    case Qt::Key_F2:
        if (!CanEditShow()) return false;
        ShowEditor();
        if (EditorMode()) FEditor->end(false);
        return true;
    default:
        break;
    }
    const QChar ch = KeyCharOf(e);
    if (!(ch.isPrint() || ch == QLatin1Char('\b'))) return false;
    if (!CanEditShow()) return false;
    ShowEditorChar(ch);
    return true;
}

bool TCustomGrid::EditorKeyHandled(QKeyEvent* e) {
    // The grid's key handlers see what is typed into its editor, and may drop it. Escape and Enter
    // are the editor's own keys: OnKeyDown sees them, but OnKeyPress cannot keep them from the editor.
    if (HandleKeyDown(e)) return true;
    const int key = e->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) return false;
    return HandleKeyChar(e);
}

bool TCustomGrid::EditorEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        if (!FForwardingKey) {
            QPointer<QObject> alive(this);
            if (EditorKeyHandled(e) || !alive) return true;
            if (!EditorMode()) return true;
        }
        const bool noSelection = !FEditor->hasSelectedText();
        switch (e->key()) {
        case Qt::Key_Escape:
            CancelEdit();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (HasOption(goAlwaysShowEditor))
                FEditor->selectAll();
            else
                HideEditor();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            NavigationKey(e);
            return true;
        case Qt::Key_Left:
            if (noSelection && FEditor->cursorPosition() == 0) return NavigationKey(e);
            return false;
        case Qt::Key_Right:
            if (noSelection && FEditor->cursorPosition() == FEditor->text().size()) return NavigationKey(e);
            return false;
        case Qt::Key_Home:
        case Qt::Key_End:
            if (e->modifiers() & Qt::ControlModifier) return NavigationKey(e);
            return false;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return NavigationKey(e);
        default:
            return false;
        }
    }
    case QEvent::KeyRelease:
        return !FForwardingKey && TCustomControl::WidgetEvent(event);
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        const bool leavingGrid = QApplication::focusWidget() != Widget();
        HideEditor();
        if (leavingGrid) FireEvent(OnExit, this);
        return false;
    }
    default:
        return false;
    }
}

bool TCustomGrid::FilterWidgetEvent(QObject* watched, QEvent* event) {
    if (FEditor && watched == FEditor) return EditorEvent(event);
    return TCustomControl::FilterWidgetEvent(watched, event);
}

// Mouse -------------------------------------------------------------------------------------------

int TCustomGrid::ColumnEdgeAt(int X, int Y) const {
    if (!HasOption(goColSizing)) return -1;
    const TAxis vert = VertAxis();
    if (Y < vert.Start || Y >= vert.Start + vert.FixedExtent()) return -1;
    for (const auto& span : HorzAxis().Visible())
        if (std::abs(X - (span.Pos + span.Size)) <= 2) return span.Index;
    return -1;
}

bool TCustomGrid::MouseEvent(QEvent* event) {
    auto* e = static_cast<QMouseEvent*>(event);
    const QPoint p = e->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (e->button() != Qt::LeftButton) return false;
        if (FEnabled && Widget()) FocusWidget(Widget(), Qt::MouseFocusReason);
        if (const int edge = ColumnEdgeAt(p.x(), p.y()); edge >= 0) {
            FMouseState = msSizing;
            FSizingCol = edge;
            FSizingStart = p.x();
            FSizingWidth = ColWidths(edge);
            return false;
        }
        const TGridCoord cell = MouseCoord(p.x(), p.y());
        FPressedCell = cell;
        FPressedOnCurrent = false;
        if (cell.X < FFixedCols || cell.Y < FFixedRows) return false;  // fixed cells do not select
        FPressedOnCurrent = cell == FCurrent;
        const bool extend = (e->modifiers() & Qt::ShiftModifier) && HasOption(goRangeSelect);
        QPointer<QObject> alive(this);
        MoveCurrent(cell.X, cell.Y, !extend, true);  // OnSelectCell may free the grid
        if (!alive) return true;
        if (HasOption(goRangeSelect)) FMouseState = msSelecting;
        return false;
    }
    case QEvent::MouseButtonDblClick:
        if (e->button() == Qt::LeftButton) {
            FPressedCell = MouseCoord(p.x(), p.y());
            FPressedOnCurrent = FPressedCell == FCurrent;
        }
        return false;
    case QEvent::MouseMove: {
        if (FMouseState == msSizing) {
            SetColWidths(FSizingCol, std::max(0, FSizingWidth + p.x() - FSizingStart));
        } else if (FMouseState == msSelecting && (e->buttons() & Qt::LeftButton)) {
            const TGridCoord cell = MouseCoord(p.x(), p.y());
            if (cell.X >= FFixedCols && cell.Y >= FFixedRows) MoveCurrent(cell.X, cell.Y, false, true);
        } else if (e->buttons() == Qt::NoButton && Widget()) {
            if (ColumnEdgeAt(p.x(), p.y()) >= 0)
                Widget()->setCursor(Qt::SplitHCursor);
            else
                SetCursor(Cursor());
        }
        return false;
    }
    case QEvent::MouseButtonRelease: {
        if (e->button() != Qt::LeftButton) return false;
        const TMouseState state = FMouseState;
        FMouseState = msNone;
        if (state == msSizing) {
            ColWidthChanged(FSizingCol);
            return false;
        }
        // A click on the cell that was already current opens its editor.
        if (FPressedOnCurrent && MouseCoord(p.x(), p.y()) == FPressedCell && FPressedCell == FCurrent)
            ShowEditor();
        FPressedOnCurrent = false;
        return false;
    }
    default:
        return false;
    }
}

bool TCustomGrid::WidgetEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        QPointer<QObject> alive(this);
        auto* e = static_cast<QKeyEvent*>(event);
        if ((EditorMode() ? EditorKeyHandled(e) : HandleKeyPress(event)) || !alive) return true;
        if (EditorMode()) {
            // A key that reaches the grid while its editor is open belongs to the editor.
            QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), e->count());
            FForwardingKey = true;
            QApplication::sendEvent(FEditor, &copy);
            if (alive) FForwardingKey = false;
            return true;
        }
        return KeyEvent(e);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return MouseEvent(event);
    case QEvent::Wheel: {
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        SetTopRow(TopRow() - 3 * notches);
        return true;
    }
    case QEvent::FocusIn:
        InvalidateFocusedCell();
        // Focus coming back from the grid's own editor is no entering.
        if (FRefocusing) return false;
        if (HasOption(goAlwaysShowEditor)) ShowEditor();
        return TCustomControl::WidgetEvent(event);
    case QEvent::FocusOut:
        InvalidateFocusedCell();
        if (FEditor && QApplication::focusWidget() == FEditor) return false;
        return TCustomControl::WidgetEvent(event);
    default:
        return TCustomControl::WidgetEvent(event);
    }
}

void TCustomGrid::FontChanged() {
    TCustomControl::FontChanged();
    if (FEditor) FEditor->setFont(Font()->ToQFont());
    Invalidate();
}

void TCustomGrid::ColorChanged() {
    TCustomControl::ColorChanged();
    if (FEditor) {
        QPalette pal = FEditor->palette();
        pal.setColor(QPalette::Base, ToQColor(Color()));
        pal.setColor(QPalette::Text, ToQColor(Font()->Color()));
        FEditor->setPalette(pal);
    }
    Invalidate();
}

// Painting ----------------------------------------------------------------------------------------

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) {
    FireEvent(OnDrawCell, this, ACol, ARow, rect, state);
}

void TCustomGrid::PaintLines(const TAxis& horz, const TAxis& vert) {
    QPainter* p = Canvas()->Painter();
    const auto cols = horz.Visible(), rows = vert.Visible();
    for (const auto& row : rows) {
        for (const auto& col : cols) {
            const bool fixed = col.Index < FFixedCols || row.Index < FFixedRows;
            const TColor color = fixed ? FFixedLineColor : FLineColor;
            const int right = col.Pos + col.Size, bottom = row.Pos + row.Size;
            if (HasOption(fixed ? goFixedVertLine : goVertLine))
                FillQRect(p, right, row.Pos, right + horz.Line, bottom + vert.Line, color);
            if (HasOption(fixed ? goFixedHorzLine : goHorzLine))
                FillQRect(p, col.Pos, bottom, right, bottom + vert.Line, color);
        }
    }
}

void TCustomGrid::PaintBorder() {
    QPainter* p = Canvas()->Painter();
    const int w = Width(), h = Height();
    if (!FVertBar->isHidden() && !FHorzBar->isHidden())
        FillQRect(p, FVertBar->x(), FHorzBar->y(), FVertBar->x() + FVertBar->width(),
                  FHorzBar->y() + FHorzBar->height(), clBtnFace);
    if (FBorderStyle == bsNone) return;
    // A sunken edge: shadow above and to the left, light below and to the right.
    FillQRect(p, 0, 0, w, 1, clBtnShadow);
    FillQRect(p, 0, 0, 1, h, clBtnShadow);
    FillQRect(p, 1, 1, w - 1, 2, cl3DDkShadow);
    FillQRect(p, 1, 1, 2, h - 1, cl3DDkShadow);
    FillQRect(p, 0, h - 1, w, h, clBtnHighlight);
    FillQRect(p, w - 1, 0, w, h, clBtnHighlight);
    FillQRect(p, 1, h - 2, w - 1, h - 1, cl3DLight);
    FillQRect(p, w - 2, 1, w - 1, h - 1, cl3DLight);
}

void TCustomGrid::Paint() {
    TCanvas* canvas = Canvas();
    QPainter* p = canvas->Painter();
    if (!p) return;
    FillQRect(p, 0, 0, Width(), Height(), Color());
    const TAxis horz = HorzAxis(), vert = VertAxis();
    const TRect area = CellArea();
    p->save();
    p->setClipRect(QRect(area.Left, area.Top, area.Width(), area.Height()));
    PaintLines(horz, vert);

    const TGridRect sel = Selection();
    const bool focused = GridHasFocus();
    const bool highlightFocused = HasOption(goDrawFocusSelected) || HasOption(goRowSelect);
    const bool editorAlwaysShown = HasOption(goEditing) && HasOption(goAlwaysShowEditor);
    const auto rows = vert.Visible(), cols = horz.Visible();
    QPointer<QObject> alive(this);
    for (const auto& row : rows) {
        for (const auto& col : cols) {
            const TRect rect = Rect(col.Pos, row.Pos, col.Pos + col.Size, row.Pos + row.Size);
            TGridDrawState state = 0;
            const bool fixed = col.Index < FFixedCols || row.Index < FFixedRows;
            if (fixed) {
                state |= gdFixed;
            } else {
                if (col.Index >= sel.Left && col.Index <= sel.Right && row.Index >= sel.Top &&
                    row.Index <= sel.Bottom)
                    state |= gdSelected;
                if (focused && TGridCoord{col.Index, row.Index} == FCurrent) state |= gdFocused;
            }
            if (FDefaultDrawing) {
                canvas->Font()->Assign(*Font());
                canvas->Brush()->SetStyle(bsSolid);
                if (fixed) {
                    canvas->Brush()->SetColor(FFixedColor);
                } else if ((state & gdSelected) && (!(state & gdFocused) || highlightFocused)) {
                    canvas->Brush()->SetColor(clHighlight);
                    canvas->Font()->SetColor(clHighlightText);
                } else {
                    canvas->Brush()->SetColor(Color());
                }
                canvas->FillRect(rect);
            }
            DrawCell(col.Index, row.Index, rect, state);
            if (!alive) return;
            if (!FDefaultDrawing) continue;
            if (fixed) {
                // The raised look of the fixed cells.
                FillQRect(p, rect.Left, rect.Top, rect.Right, rect.Top + 1, clBtnHighlight);
                FillQRect(p, rect.Left, rect.Top, rect.Left + 1, rect.Bottom, clBtnHighlight);
            } else if ((state & gdFocused) && !editorAlwaysShown && !HasOption(goRowSelect)) {
                p->save();
                p->setPen(QPen(ToQColor(clWindowText), 1, Qt::DotLine));
                p->setBrush(Qt::NoBrush);
                p->drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
                p->restore();
            }
        }
    }
    p->restore();
    PaintBorder();
}

// TStringGrid -------------------------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

TStringGrid::TCell* TStringGrid::CellAt(int ACol, int ARow, bool create) {
    if (ACol < 0 || ARow < 0) return nullptr;
    if (ARow >= int(FRows.size())) {
        if (!create) return nullptr;
        FRows.resize(ARow + 1);
    }
    auto& row = FRows[ARow];
    if (ACol >= int(row.size())) {
        if (!create) return nullptr;
        row.resize(ACol + 1);
    }
    return &row[ACol];
}

const TStringGrid::TCell* TStringGrid::CellAt(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ARow >= int(FRows.size()) || ACol >= int(FRows[ARow].size())) return nullptr;
    return &FRows[ARow][ACol];
}

QString TStringGrid::Cells(int ACol, int ARow) const {
    const TCell* cell = CellAt(ACol, ARow);
    return cell ? cell->Text : QString();
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& value) {
    TCell* cell = CellAt(ACol, ARow, !value.isEmpty());
    if (!cell || cell->Text == value) return;
    cell->Text = value;
    RefreshEditor(ACol, ARow, value);
    Invalidate();
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
    const TCell* cell = CellAt(ACol, ARow);
    return cell ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* object) {
    if (TCell* cell = CellAt(ACol, ARow, object != nullptr)) {
        cell->Object = object;
        Invalidate();
    }
}

QStringList TStringGrid::Rows(int ARow) const {
    QStringList texts;
    for (int c = 0; c < ColCount(); ++c)
        texts << Cells(c, ARow);
    return texts;
}

QStringList TStringGrid::Cols(int ACol) const {
    QStringList texts;
    for (int r = 0; r < RowCount(); ++r)
        texts << Cells(ACol, r);
    return texts;
}

QString TStringGrid::GetEditText(int ACol, int ARow) {
    QString value = Cells(ACol, ARow);
    FireEvent(OnGetEditText, this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& value) {
    SetCells(ACol, ARow, value);
    TCustomGrid::SetEditText(ACol, ARow, value);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing()) {
        // The grid has just filled the cell with this brush: the text goes on without filling it again.
        TBrush* brush = Canvas()->Brush();
        const TBrushStyle style = brush->Style();
        brush->SetStyle(bsClear);
        Canvas()->TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(ACol, ARow));
        brush->SetStyle(style);
    }
    TCustomGrid::DrawCell(ACol, ARow, rect, state);
}

void TStringGrid::SizeChanged(int, int) {
    // Rows that are gone take their texts with them; columns beyond ColCount keep theirs.
    if (int(FRows.size()) > RowCount()) FRows.resize(RowCount());
}
