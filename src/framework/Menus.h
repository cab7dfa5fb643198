// Pop-up menus and their items.
#pragma once

#include "Classes.h"

#include <vector>

class QMenu;
class QAction;

class TMenuItem : public TComponent {
    Q_OBJECT
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);  // "-" makes a separator
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);

    // Sub-items.
    void Add(TMenuItem* item);
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    TMenuItem* Parent() const { return FParentItem; }

    // Acts as if the user chose the item.
    void Click();
    TNotifyEvent OnClick;

    // Framework use: adds this item to a Qt menu being built.
    void AddTo(QMenu* menu);

private:
    QString FCaption;
    bool FVisible = true, FEnabled = true, FChecked = false;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParentItem = nullptr;
};

class TPopupMenu : public TComponent {
    Q_OBJECT
public:
    explicit TPopupMenu(TComponent* AOwner);

    TMenuItem* Items() { return FItems; }
    // The control whose menu this is, while it is shown from that control.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component) { FPopupComponent = component; }

    // Shows the menu with its top-left corner at a screen point, until an item is chosen or it closes.
    void Popup(int x, int y);
    TNotifyEvent OnPopup;

private:
    TMenuItem* FItems;
    TComponent* FPopupComponent = nullptr;
};

// Tests and scripted use: instead of showing a menu, hands it to this hook (nullptr restores showing).
using TPopupHook = std::function<void(TPopupMenu* menu, int x, int y)>;
void SetPopupHook(TPopupHook hook);
