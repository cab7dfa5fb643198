// Menus and their items. A menu whose items are all drawn by the window system pops up as a Qt menu;
// one with owner-drawn items pops up in the framework's own menu window, which measures each item
// through MeasureItem and paints it through AdvancedDrawItem on a canvas with the classic pixel rules.
#pragma once

#include "Classes.h"
#include "Graphics.h"

#include <vector>

class QMenu;
class QAction;
class TImageList;
class TMenu;

// A key as a menu shows it: the virtual key in the low byte, the shift flags above.
using TShortCut = unsigned short;
enum : unsigned short { scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
// "Ctrl+Shift+S", "F2", "Del" ...; empty for none.
QString ShortCutToText(TShortCut shortCut);

// Measuring: Width and Height come in as the framework's measure of the item.
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

class TMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(bool RadioItem READ RadioItem WRITE SetRadioItem)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_CLASSINFO("Checked", "= False")
    Q_CLASSINFO("Enabled", "= True")
    Q_CLASSINFO("Visible", "= True")
    Q_CLASSINFO("ImageIndex", "= -1")
    Q_CLASSINFO("RadioItem", "= False")
    Q_CLASSINFO("Default", "= False")
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);  // "-" makes a separator
    bool IsLine() const { return FCaption == QLatin1String("-"); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    // A checked radio item shows a bullet instead of a check mark.
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool radio) { FRadioItem = radio; }
    // The item Enter would choose; drawn bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    // The picture of the menu's image list shown beside the caption (-1: none).
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index) { FImageIndex = index; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut) { FShortCut = shortCut; }

    // Sub-items.
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    TMenuItem* Parent() const { return FParentItem; }
    // The menu the item sits directly in (for the items of a menu's Items), else its parent item.
    TComponent* GetParentComponent() const override;
    // The menu at the root of the item's tree, or nullptr.
    TMenu* GetParentMenu() const;
    TImageList* GetImageList() const;
    // Measured and drawn by the program: its menu is owner-drawn or it has a drawing handler.
    bool IsOwnerDrawn() const;

    // Acts as if the user chose the item.
    void Click();
    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

    // The framework's measure of the item in the canvas's font, then OnMeasureItem's say.
    void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    // OnAdvancedDrawItem, or the framework's own drawing when it is not assigned. A top-level item is
    // one of a menu bar.
    void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);

    // Framework use: adds this item to a Qt menu being built.
    void AddTo(QMenu* menu);

private:
    friend class TMenu;
    void DefaultMeasure(TCanvas* ACanvas, int& Width, int& Height) const;
    void DefaultDraw(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) const;
    QString FCaption;
    bool FVisible = true, FEnabled = true, FChecked = false, FRadioItem = false, FDefault = false;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParentItem = nullptr;
    TMenu* FMenu = nullptr;  // set on a menu's root item only
};

// A menu: a tree of items under the root Items.
class TMenu : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE SetOwnerDraw)
    Q_CLASSINFO("OwnerDraw", "= False")
public:
    explicit TMenu(TComponent* AOwner);

    TMenuItem* Items() const { return FItems; }
    // Every item is measured and drawn by the program.
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value) { FOwnerDraw = value; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images) { FImages = images; }

    // Whether any visible item of the tree is owner-drawn.
    bool HasOwnerDrawnItems() const;

private:
    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TImageList* FImages = nullptr;
};

// A window's menu bar: its items are the top-level ones. Kept as a tree of items (no window of the
// program shows a menu bar).
class TMainMenu : public TMenu {
    Q_OBJECT
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

// Where a pop-up menu stands against the point it is shown at: its left edge, its right edge or its
// middle there.
enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
    Q_OBJECT
public:
    explicit TPopupMenu(TComponent* AOwner);

    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment alignment) { FAlignment = alignment; }

    // The control whose menu this is, while it is shown from that control.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component) { FPopupComponent = component; }

    // Shows the menu with its top edge at a screen point, placed across by Alignment, until an item is
    // chosen or it closes.
    void Popup(int x, int y);
    TNotifyEvent OnPopup;

private:
    TComponent* FPopupComponent = nullptr;
    TPopupAlignment FAlignment = paLeft;
};

// A menu glyph (DFCS_MENUCHECK, DFCS_MENUBULLET or DFCS_MENUARROW) drawn in `rect` through its
// monochrome mask in one colour; the pixels around the glyph are left as they are.
void DrawMenuGlyph(TDeviceContext* dc, const TRect& rect, unsigned kind, TColor color);

// Tests and scripted use: instead of showing a menu, hands it to this hook (nullptr restores showing).
using TPopupHook = std::function<void(TPopupMenu* menu, int x, int y)>;
void SetPopupHook(TPopupHook hook);
