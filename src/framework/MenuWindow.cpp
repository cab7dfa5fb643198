#include "MenuWindow.h"

#include "DeviceContext.h"
#include "FrameControls.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "TextDraw.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
// Open menu windows, outermost first.
std::vector<TMenuWindow*> gOpenWindows;
// The pause before a hovered item's sub-menu opens.
constexpr int SubMenuDelay = 300;

// The font menus are measured and drawn in.
const TFont& MenuFont() {
    static const TFont font;
    return font;
}

TPoint ToPoint(const QPoint& p) {
    return {p.x(), p.y()};
}
}  // namespace

// TMenuLevel ----------------------------------------------------------------------------------------

TMenuLevel::TMenuLevel(TMenuItem* parent) : FParent(parent) {
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    std::vector<TSize> sizes;
    int width = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        canvas->Font()->Assign(MenuFont());
        int w = 0, h = 0;
        item->MeasureItem(canvas, w, h);
        FItems.push_back(item);
        sizes.push_back({w, std::max(0, h)});
        width = std::max(width, w + MenuArrowWidth);
    }
    int y = MenuFrameWidth;
    for (const TSize& s : sizes) {
        FRects.push_back(Rect(MenuFrameWidth, y, MenuFrameWidth + width, y + s.cy));
        y += s.cy;
    }
    FWidth = width + 2 * MenuFrameWidth;
    FHeight = y + MenuFrameWidth;
}

int TMenuLevel::ItemAt(const TPoint& p) const {
    for (int i = 0; i < Count(); ++i)
        if (FRects[i].Contains(p)) return i;
    return -1;
}

TOwnerDrawState TMenuLevel::StateOf(int index, int selected, bool noAccel) const {
    const TMenuItem* item = FItems[index];
    TOwnerDrawState state = 0;
    if (index == selected) state |= odSelected;
    if (!item->Enabled()) state |= odDisabled | odGrayed;
    if (item->Checked()) state |= odChecked;
    if (item->Default()) state |= odDefault;
    if (noAccel) state |= odNoAccel;
    return state;
}

void TMenuLevel::Paint(QImage& image, int selected, bool noAccel) const {
    if (image.size() != QSize(FWidth, FHeight)) image = QImage(FWidth, FHeight, QImage::Format_RGB32);
    TDeviceContext dc(&image);
    dc.FillRect(Rect(0, 0, FWidth, FHeight), TLogBrush{bsSolid, clMenu, {}, false});
    TRect frame = Rect(0, 0, FWidth, FHeight);
    DrawEdge(&dc, frame, EDGE_RAISED, BF_RECT);
    TCanvas canvas;
    for (int i = 0; i < Count(); ++i) {
        const TRect r = FRects[i];
        const TOwnerDrawState state = StateOf(i, selected, noAccel);
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
        canvas.BeginPaint(&dc);
        canvas.Font()->Assign(MenuFont());
        canvas.Font()->SetColor((state & odSelected) ? clHighlightText : clMenuText);
        canvas.Brush()->SetColor((state & odSelected) ? clHighlight : clMenu);
        FItems[i]->AdvancedDrawItem(&canvas, r, state, false);
        if (FItems[i]->Count() > 0 && !FItems[i]->IsLine()) {
            const TRect arrow = Rect(r.Right - MenuArrowWidth, r.Top, r.Right, r.Bottom);
            DrawMenuGlyph(canvas.Handle(), arrow, DFCS_MENUARROW, canvas.Font()->Color());
        }
        canvas.EndPaint();
        dc.RestoreDC(saved);
    }
}

// TMenuWindow ---------------------------------------------------------------------------------------

TMenuWindow::TMenuWindow(TMenuItem* parentItem, TMenuWindow* parentWindow)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint), FLevel(parentItem), FParentWindow(parentWindow) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setFixedSize(std::max(1, FLevel.Width()), std::max(1, FLevel.Height()));
    FSubMenuTimer.setSingleShot(true);
    FSubMenuTimer.setInterval(SubMenuDelay);
    QObject::connect(&FSubMenuTimer, &QTimer::timeout, this, [this] { OpenSubMenu(false); });
    gOpenWindows.push_back(this);
}

TMenuWindow::~TMenuWindow() {
    FChild.reset();
    std::erase(gOpenWindows, this);
}

TMenuWindow* TMenuWindow::Root() {
    TMenuWindow* w = this;
    while (w->FParentWindow)
        w = w->FParentWindow;
    return w;
}

bool TMenuWindow::NoAccel() const {
    const TMenuWindow* w = this;
    while (w->FParentWindow)
        w = w->FParentWindow;
    return !w->FShowAccel;
}

const QImage& TMenuWindow::Render() {
    FLevel.Paint(FImage, FSelected, NoAccel());
    return FImage;
}

void TMenuWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void TMenuWindow::PopupAt(const TPoint& screen) {
    const TRect area = Screen->WorkAreaAt(screen);
    int x = screen.X, y = screen.Y;
    const int w = FLevel.Width(), h = FLevel.Height();
    if (x + w > area.Right) x = FParentWindow ? FParentWindow->x() - w + MenuFrameWidth : x - w;
    if (y + h > area.Bottom) y = FParentWindow ? area.Bottom - h : y - h;
    x = std::max(area.Left, x);
    y = std::max(area.Top, y);
    move(x, y);
    show();
}

void TMenuWindow::Exec() {
    if (FEnded) return;
    QEventLoop loop;
    FLoop = &loop;
    loop.exec();
    FLoop = nullptr;
}

void TMenuWindow::EndMenu(TMenuItem* chosen) {
    TMenuWindow* root = Root();
    if (root->FEnded) return;
    root->FEnded = true;
    root->FChosen = chosen;
    root->CloseSubMenu();
    root->hide();
    if (root->FLoop) root->FLoop->quit();
}

void TMenuWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    FSubMenuTimer.stop();
    // The window system closed the menu (another window took the mouse): it ends without a choice.
    if (!FParentWindow && !FEnded) EndMenu(nullptr);
}

TMenuWindow* TMenuWindow::WindowAt(const QPoint& global) {
    for (TMenuWindow* w = this; w; w = w->FParentWindow)
        if (w->isVisible() && w->geometry().contains(global)) return w;
    return nullptr;
}

void TMenuWindow::Select(int index) {
    if (index == FSelected) return;
    FSelected = index;
    update();
}

void TMenuWindow::HoverAt(const QPoint& global) {
    const int index = FLevel.ItemAt(ToPoint(mapFromGlobal(global)));
    if (index == FSelected) return;
    CloseSubMenu();
    Select(index >= 0 && FLevel.Item(index)->IsLine() ? -1 : index);
    if (FSelected >= 0 && FLevel.Item(FSelected)->Count() > 0 && FLevel.Item(FSelected)->Enabled())
        FSubMenuTimer.start();
    else
        FSubMenuTimer.stop();
}

void TMenuWindow::OpenSubMenu(bool selectFirst) {
    FSubMenuTimer.stop();
    if (FSelected < 0) return;
    TMenuItem* item = FLevel.Item(FSelected);
    if (item->Count() == 0 || !item->Enabled()) return;
    if (FChild && FChild->FLevel.ParentItem() == item) return;
    CloseSubMenu();
    FChild = std::make_unique<TMenuWindow>(item, this);
    if (FChild->FLevel.Count() == 0) {
        FChild.reset();
        return;
    }
    const TRect r = FLevel.ItemRect(FSelected);
    FChild->PopupAt({x() + width() - MenuFrameWidth, y() + r.Top - MenuFrameWidth});
    if (selectFirst) FChild->MoveSelection(1);
}

void TMenuWindow::CloseSubMenu() {
    if (!FChild) return;
    FChild->CloseSubMenu();
    FChild->hide();
    // It may be the window whose event is being handled: it goes once that is over.
    FChild.release()->deleteLater();
}

void TMenuWindow::Activate(int index) {
    if (index < 0) return;
    TMenuItem* item = FLevel.Item(index);
    if (item->IsLine() || !item->Enabled()) return;
    Select(index);
    if (item->Count() > 0)
        OpenSubMenu(true);
    else
        EndMenu(item);
}

void TMenuWindow::MoveSelection(int step) {
    const int n = FLevel.Count();
    if (n == 0) return;
    int index = FSelected;
    for (int tries = 0; tries < n; ++tries) {
        index = index < 0 ? (step > 0 ? 0 : n - 1) : (index + step + n) % n;
        if (!FLevel.Item(index)->IsLine()) {
            CloseSubMenu();
            Select(index);
            return;
        }
    }
}

bool TMenuWindow::ChooseByAccelerator(QChar key) {
    std::vector<int> matches;
    for (int i = 0; i < FLevel.Count(); ++i) {
        int underline = -1;
        const QString shown = StripPrefix(FLevel.Item(i)->Caption(), &underline);
        if (underline >= 0 && shown[underline].toUpper() == key.toUpper()) matches.push_back(i);
    }
    if (matches.empty()) return false;
    if (matches.size() == 1) {
        Activate(matches.front());
        return true;
    }
    // Several items share the letter: each press moves to the next of them.
    auto next = std::find_if(matches.begin(), matches.end(), [&](int i) { return i > FSelected; });
    Select(next == matches.end() ? matches.front() : *next);
    return true;
}

void TMenuWindow::mouseMoveEvent(QMouseEvent* e) {
    const QPoint global = e->globalPosition().toPoint();
    TMenuWindow* over = WindowAt(global);
    if (!over) {
        // Off the menu: the innermost level lets go of its selection unless it shows a sub-menu.
        if (!FChild) Select(-1);
        return;
    }
    Root()->FMouseUsed = true;
    over->HoverAt(global);
}

void TMenuWindow::mousePressEvent(QMouseEvent* e) {
    const QPoint global = e->globalPosition().toPoint();
    TMenuWindow* over = WindowAt(global);
    if (!over) {
        EndMenu(nullptr);
        return;
    }
    Root()->FMouseUsed = true;
    over->HoverAt(global);
    if (over->FSelected >= 0 && over->FLevel.Item(over->FSelected)->Count() > 0) over->OpenSubMenu(false);
}

void TMenuWindow::mouseReleaseEvent(QMouseEvent* e) {
    // The release of the click that opened the menu chooses nothing until the mouse has worked it.
    if (!Root()->FMouseUsed) return;
    const QPoint global = e->globalPosition().toPoint();
    TMenuWindow* over = WindowAt(global);
    if (!over) return;
    const int index = over->FLevel.ItemAt(ToPoint(over->mapFromGlobal(global)));
    if (index >= 0 && over->FLevel.Item(index)->Count() == 0) over->Activate(index);
}

void TMenuWindow::keyPressEvent(QKeyEvent* e) {
    TMenuWindow* root = Root();
    if (!root->FShowAccel) {
        // The keyboard is in use: the underlined letters show from now on.
        root->FShowAccel = true;
        for (TMenuWindow* w = this; w; w = w->FParentWindow)
            w->update();
    }
    switch (e->key()) {
    case Qt::Key_Down:
        MoveSelection(1);
        return;
    case Qt::Key_Up:
        MoveSelection(-1);
        return;
    case Qt::Key_Home:
        FSelected = -1;
        MoveSelection(1);
        return;
    case Qt::Key_End:
        FSelected = -1;
        MoveSelection(-1);
        return;
    case Qt::Key_Right:
        OpenSubMenu(true);
        return;
    case Qt::Key_Left:
        if (FParentWindow) FParentWindow->CloseSubMenu();
        return;
    case Qt::Key_Escape:
        if (FParentWindow)
            FParentWindow->CloseSubMenu();
        else
            EndMenu(nullptr);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Activate(FSelected);
        return;
    default:
        break;
    }
    const QString text = e->text();
    if (!text.isEmpty() && text[0].isPrint()) ChooseByAccelerator(text[0]);
}

// Tracking ------------------------------------------------------------------------------------------

void TrackMenuWindow(TMenuItem* items, int x, int y, TPopupAlignment alignment) {
    if (!items) return;
    QPointer<TMenuItem> chosen;
    {
        TMenuWindow window(items, nullptr);
        if (window.Level().Count() == 0) return;
        const int width = window.Level().Width();
        window.PopupAt({alignment == paRight ? x - width : alignment == paCenter ? x - width / 2 : x, y});
        window.Exec();
        chosen = window.Chosen();
    }
    if (chosen) chosen->Click();
}

TMenuWindow* ActiveMenuWindow() {
    for (auto it = gOpenWindows.rbegin(); it != gOpenWindows.rend(); ++it)
        if ((*it)->isVisible()) return *it;
    return nullptr;
}
