// Grids: the grid of cells the windows show their tables in, and the string grid that keeps text in them.
// Coordinates are the control's own pixels; the cells start inside the border.
#pragma once

#include "Controls.h"
#include "Forms.h"

#include <QStringList>
#include <utility>
#include <vector>

class QScrollBar;
class QLineEdit;
class QKeyEvent;

// A set of grid options; each can be switched while the grid is shown.
using TGridOptions = unsigned;
enum : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goColSizing = 1u << 6,
    goEditing = 1u << 7,
    goTabs = 1u << 8,
    goRowSelect = 1u << 9,
    goAlwaysShowEditor = 1u << 10,
    goThumbTracking = 1u << 11,
};

// How a cell is drawn: a set of these.
using TGridDrawState = unsigned;
enum : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

struct TGridCoord {
    int X = 0, Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells; every edge is inclusive.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// What the user did on the vertical scroll bar.
enum TGridScrollAction { saLineUp, saLineDown, saPageUp, saPageDown, saTop, saBottom, saThumb };

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;

// The grid without storage: layout, scrolling, the current cell and selection, painting through DrawCell,
// the mouse and keyboard, and the in-place editor. A new grid is 320 x 120 pixels with 5 x 5 cells of
// 64 x 24, one fixed row and one fixed column.
class TCustomGrid : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    int ColCount() const { return FColCount; }
    void SetColCount(int count);
    // Fewer rows drop what the removed rows held; the fixed rows shrink to leave one scrolling row.
    int RowCount() const { return FRowCount; }
    void SetRowCount(int count);
    // Fixed rows and columns are at most all but one; the current cell moves past them, and an editor
    // on a cell that became fixed closes.
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int count);

    // The current cell. Setting it asks OnSelectCell, moves the selection, scrolls it into view and
    // fires OnClick; a fixed or missing cell is ignored.
    int Col() const { return FCurrent.X; }
    void SetCol(int col);
    int Row() const { return FCurrent.Y; }
    void SetRow(int row);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& selection);

    // The first scrolling row and column shown.
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int row);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int col);
    // Scrolling rows and columns that fit wholly on screen.
    int VisibleRowCount() const;
    int VisibleColCount() const;

    // Setting a default size gives it to every column (row) again.
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int height);
    // A width or height of 0 or less hides the column or row.
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int width);

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions options);
    bool HasOption(unsigned option) const { return (FOptions & option) != 0; }
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor color);
    // When set the grid fills each cell and writes its text before OnDrawCell; otherwise OnDrawCell
    // alone paints the cells.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool on);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    // bsNone or bsSingle (a sunken two-pixel edge).
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);

    // Whether the in-place editor is open on the current cell; setting it opens or closes it.
    bool EditorMode() const;
    void SetEditorMode(bool on);

    // The cell's rectangle, or an empty one when the cell is not on screen.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a point; -1 for a column or row where there is none.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    int ClientWidth() const override;
    int ClientHeight() const override;

    TSelectCellEvent OnSelectCell;
    TDrawCellEvent OnDrawCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    // The text the editor opens with; asks OnGetEditText.
    virtual QString GetEditText(int ACol, int ARow);
    // Every change of the editor's text; fires OnSetEditText.
    virtual void SetEditText(int ACol, int ARow, const QString& value);
    virtual bool CanEditShow() const;
    // Asks OnSelectCell whether the current cell may move there.
    virtual bool SelectCell(int ACol, int ARow);
    // Paints one cell; the canvas is prepared when DefaultDrawing is set. Fires OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state);
    // Whether the focus coming or going changes what the cells show: the focus rectangle or the
    // current cell's colours, or whatever a drawing handler makes of the focused state.
    virtual bool FocusShowsInCells() const;
    // After the current cell moved, before OnClick.
    virtual void CurrentMoved() {}
    // After ColCount or RowCount changed.
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    // After a column was resized with the mouse.
    virtual void ColWidthChanged(int) {}
    // An action on the vertical scroll bar (the thumb's once it is let go, at the scroll position
    // there); true when the grid took it itself, so the bar does not scroll the rows for it.
    virtual bool VertScrollAction(TGridScrollAction, int) { return false; }

    // Moves the current cell as the user does: OnSelectCell, selection, view, OnClick.
    void MoveCurrent(int ACol, int ARow, bool moveAnchor, bool show);
    // Moves the current cell without events (a data grid following its data set), kept inside the grid;
    // the editor closes when the cell changes.
    void SetCurrentQuietly(int ACol, int ARow);
    void ShowEditor();
    void HideEditor();
    // Writes the editor's text when an outside change touches the cell being edited.
    void RefreshEditor(int ACol, int ARow, const QString& text);
    bool EditingCell(int ACol, int ARow) const;

    void Paint() override;
    bool WidgetEvent(QEvent* event) override;
    bool FilterWidgetEvent(QObject* watched, QEvent* event) override;
    void Resized() override;
    void FontChanged() override;
    void ColorChanged() override;
    bool ClickOnMouseUp() const override { return false; }

    // Line colours of the scrolling and of the fixed cells.
    TColor FLineColor = clSilver;
    TColor FFixedLineColor = clBtnShadow;

private:
    // One axis of the layout: sizes of columns (or rows), how many are fixed, the first scrolled one.
    struct TAxis;
    TAxis HorzAxis() const;
    TAxis VertAxis() const;
    int BorderWidth() const { return FBorderStyle == bsNone ? 0 : 2; }
    TRect CellArea() const;
    void ClampTopLeft();
    void ScrollTo(TGridCoord topLeft);
    void ScrollInView(TGridCoord cell);
    void UpdateScrollBars();
    void LayoutChanged();

    bool MouseEvent(QEvent* event);
    bool KeyEvent(QKeyEvent* e);
    bool EditorEvent(QEvent* event);
    // The key handlers for a key meant for the editor; true when they dropped it.
    bool EditorKeyHandled(QKeyEvent* e);
    // Arrow, page, home/end and tab moves; true when the key moved (or tried to move) the current cell.
    bool NavigationKey(QKeyEvent* e);
    void ShowEditorChar(QChar ch);
    void CancelEdit();
    void EditorTextEdited(const QString& text);
    void PlaceEditor();
    bool GridHasFocus() const;
    // Repaints what the focus changes: the current cell (its row in a grid that selects rows).
    void InvalidateFocusedCell();
    int ColumnEdgeAt(int X, int Y) const;

    void PaintLines(const TAxis& horz, const TAxis& vert);
    void PaintBorder();

    int FColCount = 5, FRowCount = 5, FFixedCols = 1, FFixedRows = 1;
    int FDefaultColWidth = 64, FDefaultRowHeight = 24, FGridLineWidth = 1;
    std::vector<int> FColWidths, FRowHeights;
    TGridCoord FCurrent{1, 1}, FAnchor{1, 1}, FTopLeft{1, 1};
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TScrollStyle FScrollBars = ssBoth;
    TFormBorderStyle FBorderStyle = bsSingle;

    QScrollBar* FHorzBar = nullptr;
    QScrollBar* FVertBar = nullptr;
    bool FUpdatingBars = false;

    QLineEdit* FEditor = nullptr;
    TGridCoord FEditCell{-1, -1};
    QString FTextBeforeEdit;
    bool FForwardingKey = false, FWritingEditor = false, FRefocusing = false;

    // Mouse state: pressing on the current cell opens the editor on release; dragging selects or sizes.
    enum TMouseState { msNone, msSelecting, msSizing } FMouseState = msNone;
    bool FPressedOnCurrent = false;
    TGridCoord FPressedCell{-1, -1};
    int FSizingCol = -1, FSizingStart = 0, FSizingWidth = 0;
};

// A grid that keeps a text and an object per cell. Cells can be read and written beyond ColCount and
// RowCount: windows keep hidden values in columns past the visible ones.
class TStringGrid : public TCustomGrid {
    Q_OBJECT
public:
    explicit TStringGrid(TComponent* AOwner);

    QString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const QString& value);
    // Objects are not owned by the grid.
    TObject* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* object);
    // The texts of a row (ColCount of them) or of a column (RowCount of them).
    QStringList Rows(int ARow) const;
    QStringList Cols(int ACol) const;

protected:
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& value) override;
    void DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;

private:
    struct TCell {
        QString Text;
        TObject* Object = nullptr;
    };
    TCell* CellAt(int ACol, int ARow, bool create);
    const TCell* CellAt(int ACol, int ARow) const;
    std::vector<std::vector<TCell>> FRows;
};
