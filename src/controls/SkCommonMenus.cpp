// The common unit's menu controller: hooking the menu items of its owner, and measuring and drawing
// them with an icon bar, a framed gradient selection and boxed check marks.
#include "SkCommon.h"

#include "FrameControls.h"
#include "ImgList.h"
#include "Menus.h"
#include "SkCommonFraming.h"
#include "SkGrafx.h"
#include "Streaming.h"

#include <algorithm>

namespace {
constexpr int IconBarWidth = 24;
constexpr int IconBarImageMargin = 8;  // the bar is this much wider than the pictures
constexpr int TextIndent = 6;          // from the icon bar to the caption
constexpr int ShortCutMargin = 10;     // between a shortcut and the item's right edge
constexpr int ImageTop = 3;

struct TMenuControllerTypes {
    TMenuControllerTypes() {
        RegisterSkCommonTypes();
        RegisterClass<TSkMenuController>();
    }
};
const TMenuControllerTypes MenuControllerTypes;

// A colour of an earlier version: stored as its identifier or as an integer.
TColor ReadOldColor(TReader& Reader) {
    if (Reader.NextValue() != vaIdent) return TColor(Reader.ReadInteger());
    const QString ident = Reader.ReadIdent();
    TColor color = clBlack;
    if (!IdentToColor(ident, color)) throw EReadError(QStringLiteral("Invalid colour: %1").arg(ident));
    return color;
}

bool IsTopLevel(const TMenuItem* Item) {
    return dynamic_cast<TMainMenu*>(Item->GetParentComponent()) != nullptr;
}

void FillWith(TCanvas* Canvas, const TRect& Rect, TColor Color) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

// A gradient on high-colour displays, else a plain fill in the stop colour.
void GradientOrFill(TCanvas* Canvas, const TRect& Rect, TGradientDirection Direction, TColor Start,
                    TColor Stop) {
    if (HighColorDisplay)
        PaintGradient(Canvas, Rect, Direction, Start, Stop, 1);
    else
        FillWith(Canvas, Rect, Stop);
}
}  // namespace

bool GetUserPreferencesMask() {
    return KeyboardCuesHidden();
}

TSkMenuController::TSkMenuController(TComponent* AOwner) : TComponent(AOwner) {
    WantInsertNotifications();  // it hooks the menu items its owner gains
    NotifyInserted();
}

TSkMenuController::~TSkMenuController() {
    if (!(ComponentState() & csDesigning))
        while (!FHookedItems.empty())
            UnhookMenuItem(FHookedItems.back());
}

bool TSkMenuController::IsHooked(const TMenuItem* Item) const {
    return std::find(FHookedItems.begin(), FHookedItems.end(), Item) != FHookedItems.end();
}

void TSkMenuController::HookOwnerItems() {
    TComponent* owner = Owner();
    if (!owner) return;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (ComponentState() & csDesigning) {
            if (auto* menu = dynamic_cast<TMenu*>(c)) menu->SetOwnerDraw(true);
        } else if (auto* item = dynamic_cast<TMenuItem*>(c)) {
            HookMenuItem(item);
        }
    }
}

void TSkMenuController::Loaded() {
    TComponent::Loaded();
    HookOwnerItems();
}

void TSkMenuController::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (ComponentState() & csDesigning) {
        if (Operation != opInsert) return;
        if (AComponent == this)
            HookOwnerItems();
        else if (auto* menu = dynamic_cast<TMenu*>(AComponent); menu && menu->Owner() == Owner())
            menu->SetOwnerDraw(true);
        return;
    }
    if (Operation == opInsert) {
        if (auto* item = dynamic_cast<TMenuItem*>(AComponent); item && item->Owner() == Owner())
            HookMenuItem(item);
        return;
    }
    // Only the address is compared: the component may be half destroyed.
    for (TMenuItem* item : FHookedItems)
        if (static_cast<TComponent*>(item) == AComponent) {
            UnhookMenuItem(item);
            return;
        }
}

void TSkMenuController::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(QStringLiteral("GradientColorDefault"), TSkOldPropReader::ReadOldBooleanProp,
                          nullptr, false);
    Filer->DefineProperty(QStringLiteral("ThemeAware"), TSkOldPropReader::ReadOldBooleanProp, nullptr, false);
    Filer->DefineProperty(
        QStringLiteral("GradientColorStart"), [this](TReader& r) { SetSelectionColorStart(ReadOldColor(r)); },
        nullptr, false);
    Filer->DefineProperty(
        QStringLiteral("GradientColorStop"), [this](TReader& r) { SetSelectionColorStop(ReadOldColor(r)); },
        nullptr, false);
    Filer->DefineProperty(
        QStringLiteral("FrameColor"), [this](TReader& r) { SetSelectionFrameColor(ReadOldColor(r)); },
        nullptr, false);
}

void TSkMenuController::HookMenuItem(TMenuItem* Item) {
    if (!Item || Item->OnAdvancedDrawItem) return;
    Item->OnAdvancedDrawItem = [this](TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State) {
        DrawMenuItem(static_cast<TMenuItem*>(Sender), ACanvas, ARect, State);
    };
    Item->OnMeasureItem = [this](TObject* Sender, TCanvas*, int& Width, int& Height) {
        MeasureMenuItem(static_cast<TMenuItem*>(Sender), Width, Height);
    };
    Item->FreeNotification(this);
    FHookedItems.push_back(Item);
}

void TSkMenuController::UnhookMenuItem(TMenuItem* Item) {
    auto it = std::find(FHookedItems.begin(), FHookedItems.end(), Item);
    if (it == FHookedItems.end()) return;
    Item->OnAdvancedDrawItem = nullptr;
    Item->OnMeasureItem = nullptr;
    FHookedItems.erase(it);
    if (!(Item->ComponentState() & csDestroying)) Item->RemoveFreeNotification(this);
}

void TSkMenuController::MeasureMenuItem(TMenuItem* Item, int& Width, int& Height) {
    TImageList* images = Item->GetImageList();
    if (Item->IsLine())
        Height = 3;
    else
        Height = images ? images->Height() + 6 : 22;
    if (!IsTopLevel(Item) && !images) Width += 31;
}

TSkMenuController::TMenuColors TSkMenuController::Colors() const {
    TMenuColors c;
    if (FGradientColorStyle == gcsCustom) {
        c = {FSelectionFrameColor, FSelectionColorStart, FSelectionColorStop, FIconBarColorStart,
             FIconBarColorStop};
    } else {
        GetXPSchemeColors3(FGradientColorStyle, c.Frame, c.Start, c.Stop);
        GetXPSchemeColors2(FGradientColorStyle, c.BarStart, c.BarStop);
    }
    return c;
}

void TSkMenuController::DrawCheckBox(TCanvas* Canvas, TMenuItem* Item, const TRect& IconBar, bool Selected,
                                     bool HasImage, const TMenuColors& Colors) {
    TRect box = IconBar;
    InflateRect(box, -1, -1);
    const TRect inside = DrawBox(Canvas, box, Colors.Frame);
    const TColor dark = DarkerColor(Colors.Stop, 40);
    if (Selected)
        FillWith(Canvas, inside, dark);
    else
        GradientOrFill(Canvas, inside, gdHorizontalEnd, Colors.Start, HighColorDisplay ? dark : Colors.Stop);
    if (HasImage) return;
    DrawMenuGlyph(Canvas->Handle(), CenterRect(box, 16, 16),
                  Item->RadioItem() ? DFCS_MENUBULLET : DFCS_MENUCHECK, Canvas->Font()->Color());
}

void TSkMenuController::DrawMenuItem(TMenuItem* Item, TCanvas* Canvas, TRect Rect, TOwnerDrawState State) {
    const TMenuColors colors = Colors();
    const bool topLevel = IsTopLevel(Item);
    const bool selected = State & odSelected;
    const bool disabled = State & (odDisabled | odGrayed);
    TImageList* images = Item->GetImageList();
    const bool hasImage = images && Item->ImageIndex() >= 0 && Item->ImageIndex() < images->Count();
    const TFontStyles fontStyle = Canvas->Font()->Style();
    const TBrushStyle brushStyle = Canvas->Brush()->Style();

    Canvas->Font()->SetColor(FMenuFontColor);
    TRect iconBar = Rect;
    iconBar.Right = iconBar.Left + (images ? images->Width() + IconBarImageMargin : IconBarWidth);
    TRect textRect = Rect;
    if (!topLevel) {
        textRect.Left = iconBar.Right;
        if (!selected || disabled) {
            GradientOrFill(Canvas, iconBar, gdVerticalEnd, colors.BarStart, colors.BarStop);
            if (Item->Checked()) DrawCheckBox(Canvas, Item, iconBar, false, hasImage, colors);
            FillWith(Canvas, textRect, FMenuColor);
        } else {
            const TRect inside = DrawBox(Canvas, Rect, colors.Frame);
            GradientOrFill(Canvas, inside, gdHorizontalEnd, colors.Start, colors.Stop);
            if (Item->Checked()) DrawCheckBox(Canvas, Item, iconBar, true, hasImage, colors);
        }
        textRect.Left += TextIndent;
        if (hasImage)
            images->Draw(Canvas, iconBar.Left + IconBarImageMargin / 2, Rect.Top + ImageTop,
                         Item->ImageIndex(), !disabled);
    } else {
        if (!selected && !(State & odHotLight)) {
            FillWith(Canvas, Rect, IsThemeActive() ? clMenuBar : clBtnFace);
        } else {
            const TRect inside = DrawBox(Canvas, Rect, colors.Frame);
            GradientOrFill(Canvas, inside, gdHorizontalEnd, colors.Start, colors.Stop);
        }
        if (RunningAtLeast(wvWin98) && (State & odInactive)) Canvas->Font()->SetColor(clGrayText);
    }

    if (Item->IsLine()) {
        Canvas->Pen()->SetColor(clBtnShadow);
        Canvas->MoveTo(textRect.Left, textRect.Top + 1);
        Canvas->LineTo(textRect.Right, textRect.Top + 1);
    } else {
        Canvas->Brush()->SetStyle(bsClear);
        unsigned flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
        if (topLevel) flags |= DT_CENTER;
        if (RunningAtLeast(wvWin2000) && GetUserPreferencesMask() && (State & odNoAccel))
            flags |= DT_HIDEPREFIX;
        if (Item->Default()) Canvas->Font()->SetStyle(fontStyle | FontStyle(fsBold));
        if (disabled) Canvas->Font()->SetColor(clGrayText);
        TRect r = textRect;
        Canvas->DrawText(Item->Caption(), r, flags);
        const QString shortCut = ShortCutToText(Item->ShortCut());
        if (!topLevel && !shortCut.isEmpty()) {
            r = textRect;
            r.Right -= ShortCutMargin;
            Canvas->DrawText(shortCut, r, flags | DT_RIGHT);
        }
    }
    Canvas->Font()->SetStyle(fontStyle);
    Canvas->Brush()->SetStyle(brushStyle);
}
