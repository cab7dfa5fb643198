#include "Menus.h"

#include "Controls.h"
#include "MenuWindow.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>

namespace {
TPopupHook gPopupHook;

QString KeyName(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return QString(QChar(key));
    if (key >= 0x70 && key <= 0x87) return QStringLiteral("F%1").arg(key - 0x70 + 1);
    static const std::pair<unsigned, const char*> names[] = {
        {8, "BkSp"},  {9, "Tab"},    {13, "Enter"}, {27, "Esc"},  {32, "Space"},
        {33, "PgUp"}, {34, "PgDn"},  {35, "End"},   {36, "Home"}, {37, "Left"},
        {38, "Up"},   {39, "Right"}, {40, "Down"},  {45, "Ins"},  {46, "Del"}};
    for (const auto& [code, name] : names)
        if (code == key) return QString::fromLatin1(name);
    return {};
}
}  // namespace

void SetPopupHook(TPopupHook hook) { gPopupHook = std::move(hook); }

QString ShortCutToText(TShortCut shortCut) {
    const QString name = KeyName(shortCut & 0xFF);
    if (name.isEmpty()) return {};
    QString text;
    if (shortCut & scShift) text += QStringLiteral("Shift+");
    if (shortCut & scCtrl) text += QStringLiteral("Ctrl+");
    if (shortCut & scAlt) text += QStringLiteral("Alt+");
    return text + name;
}

// TMenuItem ---------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
    NotifyInserted();
}

TMenuItem::~TMenuItem() {
    BeginDestruction();
    if (FParentItem) FParentItem->Remove(this);
    for (TMenuItem* item : FItems) item->FParentItem = nullptr;
}

void TMenuItem::SetCaption(const QString& caption) { FCaption = caption; }
void TMenuItem::SetVisible(bool visible) { FVisible = visible; }
void TMenuItem::SetEnabled(bool enabled) { FEnabled = enabled; }
void TMenuItem::SetChecked(bool checked) { FChecked = checked; }

void TMenuItem::Add(TMenuItem* item) {
    if (item->FParentItem) item->FParentItem->Remove(item);
    item->FParentItem = this;
    FItems.push_back(item);
}

void TMenuItem::Remove(TMenuItem* item) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    if (item->FParentItem == this) item->FParentItem = nullptr;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParentItem && FParentItem->FMenu) return FParentItem->FMenu;
    return FParentItem;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParentItem)
        root = root->FParentItem;
    return root->FMenu;
}

TImageList* TMenuItem::GetImageList() const {
    const TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool TMenuItem::IsOwnerDrawn() const {
    const TMenu* menu = GetParentMenu();
    return (menu && menu->OwnerDraw()) || OnAdvancedDrawItem;
}

void TMenuItem::Click() {
    if (FEnabled) FireEvent(OnClick, this);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
    DefaultMeasure(ACanvas, Width, Height);
    FireEvent(OnMeasureItem, this, ACanvas, Width, Height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) {
    if (OnAdvancedDrawItem)
        FireEvent(OnAdvancedDrawItem, this, ACanvas, ARect, State);
    else
        DefaultDraw(ACanvas, ARect, State, TopLevel);
}

void TMenuItem::AddTo(QMenu* menu) {
    if (!FVisible) return;
    if (IsLine()) {
        menu->addSeparator();
        return;
    }
    if (!FItems.empty()) {
        QMenu* sub = menu->addMenu(FCaption);
        sub->setEnabled(FEnabled);
        for (TMenuItem* item : FItems) item->AddTo(sub);
        return;
    }
    QAction* action = menu->addAction(FCaption);
    action->setEnabled(FEnabled);
    action->setCheckable(FChecked);
    action->setChecked(FChecked);
    QPointer<TMenuItem> self(this);
    QObject::connect(action, &QAction::triggered, [self] {
        if (self) self->Click();
    });
}

// Menus -------------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
    FItems->FMenu = this;
    NotifyInserted();
}

bool TMenu::HasOwnerDrawnItems() const {
    if (FOwnerDraw) return true;
    std::function<bool(const TMenuItem*)> any = [&](const TMenuItem* item) {
        for (int i = 0; i < item->Count(); ++i) {
            const TMenuItem* child = item->Items(i);
            if (child->Visible() && (child->IsOwnerDrawn() || any(child))) return true;
        }
        return false;
    };
    return any(FItems);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::Popup(int x, int y) {
    FireEvent(OnPopup, this);
    if (gPopupHook) {
        gPopupHook(this, x, y);
        return;
    }
    if (HasOwnerDrawnItems()) {
        TrackMenuWindow(Items(), x, y, FAlignment);
        return;
    }
    QMenu menu;
    for (int i = 0; i < Items()->Count(); ++i)
        Items()->Items(i)->AddTo(&menu);
    const int width = menu.sizeHint().width();
    menu.exec(QPoint(FAlignment == paRight ? x - width : FAlignment == paCenter ? x - width / 2 : x, y));
}
