// TPageControl and TTabSheet: a Qt tab bar over pages that are ordinary window controls.
#include "ComCtrls.h"

#include <QShortcut>
#include <QTabBar>
#include <QWidget>

// TTabSheet ------------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    auto* widget = new QWidget;
    widget->setAutoFillBackground(true);
    SetWidget(widget);
    // A page shows only while it is the active one.
    FVisible = false;
    SetBounds(0, 0, 185, 150);
    ColorChanged();
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(pageControl);
    if (pageControl) pageControl->InsertPage(this);
}

void TTabSheet::SetCaption(const QString& caption) {
    TControl::SetCaption(caption);
    if (FPageControl) FPageControl->RebuildTabs();
}

void TTabSheet::SetTabVisible(bool visible) {
    if (visible == FTabVisible) return;
    FTabVisible = visible;
    if (FPageControl) FPageControl->RebuildTabs();
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (FPageControl) FPageControl->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int index = 0;
    for (const TTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        if (page->FTabVisible) ++index;
    }
    return -1;
}

// TPageControl ---------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    auto* widget = new QWidget;
    FTabBar = new QTabBar(widget);
    FTabBar->setExpanding(false);
    FTabBar->setUsesScrollButtons(true);
    FTabBar->hide();
    QObject::connect(FTabBar, &QTabBar::currentChanged, this, [this](int tab) {
        if (FRebuilding) return;
        const auto page =
            std::find_if(FPages.begin(), FPages.end(), [tab](TTabSheet* p) { return p->TabIndex() == tab; });
        if (page != FPages.end()) UserChosePage(*page);
    });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)}) {
        auto* shortcut = new QShortcut(keys, widget);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        const bool forward = !(keys[0].keyboardModifiers() & Qt::ShiftModifier);
        QObject::connect(shortcut, &QShortcut::activated, this, [this, forward] { SelectNextPage(forward); });
    }
    SetWidget(widget);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    page->FPageControl = this;
    if (!FActivePage)
        ShowPage(page);
    else
        page->SetVisible(false);
    RebuildTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true, true) : FActivePage;
    if (next == page) next = nullptr;
    std::erase(FPages, page);
    page->FPageControl = nullptr;
    if (page == FActivePage) {
        FActivePage = nullptr;
        ShowPage(next);
    }
    RebuildTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    if (index < 0 || index >= PageCount())
        throw Exception(QStringLiteral("%1 is an invalid PageIndex value. PageIndex must be between 0 and %2")
                            .arg(index)
                            .arg(PageCount() - 1));
    std::erase(FPages, page);
    FPages.insert(FPages.begin() + index, page);
    RebuildTabs();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this) return;
    ShowPage(page);
}

void TPageControl::SetActivePageIndex(int index) {
    if (index >= 0 && index < PageCount()) SetActivePage(FPages[index]);
}

void TPageControl::ShowPage(TTabSheet* page) {
    if (page == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = page;
    LayoutPages();
    if (page) {
        page->SetVisible(true);
        page->BringToFront();
    }
    if (old) old->SetVisible(false);
    const int tab = page ? page->TabIndex() : -1;
    if (tab >= 0 && FTabBar->currentIndex() != tab) {
        FRebuilding = true;
        FTabBar->setCurrentIndex(tab);
        FRebuilding = false;
    }
}

void TPageControl::UserChosePage(TTabSheet* page) {
    if (!page || page == FActivePage) return;
    bool allow = true;
    FireEvent(OnChanging, this, allow);
    if (!allow) {
        RebuildTabs();
        return;
    }
    ShowPage(page);
    FireEvent(OnChange, this);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    const auto it = std::find(FPages.begin(), FPages.end(), current);
    const int start = it != FPages.end() ? int(it - FPages.begin()) : (goForward ? count - 1 : 0);
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        if (!checkTabVisible || FPages[i]->FTabVisible) return FPages[i];
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
    UserChosePage(FindNextPage(FActivePage, goForward, true));
}

void TPageControl::SetTabHeight(int height) {
    FTabHeight = std::max(0, height);
    RebuildTabs();
}

void TPageControl::SetTabWidth(int width) {
    FTabWidth = std::max(0, width);
    RebuildTabs();
}

void TPageControl::SetTabPosition(TTabPosition position) {
    FTabPosition = position;
    FTabBar->setShape(position == tpBottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    LayoutPages();
}

void TPageControl::RebuildTabs() {
    FRebuilding = true;
    while (FTabBar->count() > 0)
        FTabBar->removeTab(0);
    for (TTabSheet* page : FPages)
        if (page->FTabVisible) FTabBar->addTab(page->Caption());
    QString style;
    if (FTabHeight > 0)
        style += QStringLiteral("height: %1px; min-height: 0px; padding-top: 0px; padding-bottom: 0px;")
                     .arg(FTabHeight);
    if (FTabWidth > 0)
        style += QStringLiteral("width: %1px; min-width: 0px; padding-left: 0px; padding-right: 0px;")
                     .arg(FTabWidth);
    FTabBar->setStyleSheet(style.isEmpty() ? QString() : QStringLiteral("QTabBar::tab { %1 }").arg(style));
    const int tab = FActivePage ? FActivePage->TabIndex() : -1;
    if (tab >= 0) FTabBar->setCurrentIndex(tab);
    FTabBar->setVisible(FTabBar->count() > 0);
    FRebuilding = false;
    LayoutPages();
}

void TPageControl::LayoutPages() {
    const int strip = FTabBar->count() == 0 ? 0 : FTabHeight > 0 ? FTabHeight : FTabBar->sizeHint().height();
    const bool bottom = FTabPosition == tpBottom;
    FTabBar->setGeometry(0, bottom ? FHeight - strip : 0, FWidth, strip);
    const TRect card = Rect(0, bottom ? 0 : strip, FWidth, bottom ? FHeight - strip : FHeight);
    for (TTabSheet* page : FPages)
        if (page->Left() != card.Left || page->Top() != card.Top || page->Width() != card.Width() ||
            page->Height() != card.Height())
            page->SetBounds(card.Left, card.Top, card.Width(), card.Height());
}

void TPageControl::Resized() {
    LayoutPages();
    TWinControl::Resized();
}
