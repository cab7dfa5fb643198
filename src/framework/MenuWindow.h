// The framework's own pop-up menu, for menus with owner-drawn items: each level is a top-level pop-up
// window with the classic raised frame, whose items are measured by MeasureItem and painted by
// AdvancedDrawItem on a canvas over an image. The mouse and the keyboard work it as a desktop menu:
// hovering selects, a sub-menu opens after a pause or with Right or Enter, Left and Escape close a
// level, an underlined letter chooses its item, and a click outside closes the menu. The chosen
// item's OnClick runs once the menu is closed.
#pragma once

#include "Menus.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class QEventLoop;

// The width of the classic pop-up menu frame: a raised edge and one pixel of menu colour.
constexpr int MenuFrameWidth = 3;
// Room kept at the right of every item for the sub-menu arrow.
constexpr int MenuArrowWidth = 12;

// One level of a menu: its visible items measured and laid out under each other, and painted.
class TMenuLevel {
public:
    explicit TMenuLevel(TMenuItem* parent);

    TMenuItem* ParentItem() const { return FParent; }
    int Count() const { return int(FItems.size()); }
    TMenuItem* Item(int index) const { return FItems[index]; }
    TRect ItemRect(int index) const { return FRects[index]; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The item under a point of the level (-1: none).
    int ItemAt(const TPoint& p) const;
    // The state the item is drawn in.
    TOwnerDrawState StateOf(int index, int selected, bool noAccel) const;

    // Paints the frame and every item into `image` (made the level's size).
    void Paint(QImage& image, int selected, bool noAccel) const;

private:
    TMenuItem* FParent;
    std::vector<TMenuItem*> FItems;
    std::vector<TRect> FRects;
    int FWidth = 0, FHeight = 0;
};

class TMenuWindow : public QWidget {
public:
    TMenuWindow(TMenuItem* parentItem, TMenuWindow* parentWindow);
    ~TMenuWindow() override;

    const TMenuLevel& Level() const { return FLevel; }
    int Selected() const { return FSelected; }
    TMenuWindow* SubMenu() const { return FChild.get(); }
    // Whether keyboard cues (underlined letters) are left out: until a key is pressed in the menu.
    bool NoAccel() const;
    // The level as painted now.
    const QImage& Render();
    // The item chosen when the menu closed, if any.
    TMenuItem* Chosen() const { return FChosen; }

    // Shows the level with its top-left corner at a screen point, moved to stay on the work area.
    void PopupAt(const TPoint& screen);
    // Waits until the menu closes.
    void Exec();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TMenuWindow* Root();
    // The level of this chain that holds a screen point, innermost first (nullptr: none).
    TMenuWindow* WindowAt(const QPoint& global);
    void Select(int index);
    void HoverAt(const QPoint& global);
    void OpenSubMenu(bool selectFirst);
    void CloseSubMenu();
    void Activate(int index);
    void MoveSelection(int step);
    bool ChooseByAccelerator(QChar key);
    // Ends the whole menu; `chosen` is the item picked (nullptr: none).
    void EndMenu(TMenuItem* chosen);

    TMenuLevel FLevel;
    TMenuWindow* FParentWindow;
    std::unique_ptr<TMenuWindow> FChild;
    int FSelected = -1;
    QImage FImage;
    QTimer FSubMenuTimer;
    // Root only: cues shown, the mouse has worked the menu, the loop, the outcome.
    bool FShowAccel = false, FMouseUsed = false, FEnded = false;
    QEventLoop* FLoop = nullptr;
    QPointer<TMenuItem> FChosen;
};

// Framework use: shows the sub-items of `items` in the framework's menu window at a screen point and
// waits; the chosen item's OnClick runs after the menu has closed.
void TrackMenuWindow(TMenuItem* items, int x, int y, TPopupAlignment alignment = paLeft);

// Tests: the innermost menu window open now, or nullptr.
TMenuWindow* ActiveMenuWindow();
