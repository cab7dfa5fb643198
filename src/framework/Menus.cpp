#include "Menus.h"

#include "Controls.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>

namespace {
TPopupHook gPopupHook;
}

void SetPopupHook(TPopupHook hook) { gPopupHook = std::move(hook); }

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    if (FParentItem) {
        auto& list = FParentItem->FItems;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    for (TMenuItem* item : FItems) item->FParentItem = nullptr;
}

void TMenuItem::SetCaption(const QString& caption) { FCaption = caption; }
void TMenuItem::SetVisible(bool visible) { FVisible = visible; }
void TMenuItem::SetEnabled(bool enabled) { FEnabled = enabled; }
void TMenuItem::SetChecked(bool checked) { FChecked = checked; }

void TMenuItem::Add(TMenuItem* item) {
    item->FParentItem = this;
    FItems.push_back(item);
}

void TMenuItem::Click() {
    if (FEnabled) FireEvent(OnClick, this);
}

void TMenuItem::AddTo(QMenu* menu) {
    if (!FVisible) return;
    if (FCaption == QLatin1String("-")) {
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

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {}

void TPopupMenu::Popup(int x, int y) {
    FireEvent(OnPopup, this);
    if (gPopupHook) {
        gPopupHook(this, x, y);
        return;
    }
    QMenu menu;
    for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->AddTo(&menu);
    menu.exec(QPoint(x, y));
}
