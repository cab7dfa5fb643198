#include "SkTabsModel.h"

#include "SkCommonFraming.h"
#include "TypInfo.h"

#include <algorithm>

void RegisterSkTabsTypes() {
    static const bool registered = [] {
        RegisterSkCommonTypes();
        RegisterEnumType<TSkTabOrientation>({"toTop", "toLeft", "toBottom", "toRight"});
        RegisterEnumType<TSkTabSequence>({"tsStandard", "tsReverse"});
        RegisterEnumType<TSkTabStyle>({"tsSingleSlant", "tsDoubleSlant", "tsCutCorner", "tsRoundCorners",
                                       "tsBackSlant", "tsSquareCorners"});
        RegisterEnumType<TSkImagePosition>({"ipLeft", "ipTop", "ipRight", "ipBottom", "ipBack", "ipStretch"});
        RegisterEnumType<TSkHorizontalAlignment>({"haLeft", "haCenter", "haRight"});
        RegisterEnumType<TSkVerticalAlignment>({"vaTop", "vaCenter", "vaBottom"});
        RegisterEnumType<TSkTabHotTrackColorSource>({"htcsTabColor", "htcsHotTrackColorProp"});
        RegisterEnumType<TSkTabHotTrackStyle>({"htsTab", "htsText", "htsTabBar"});
        return true;
    }();
    (void)registered;
}

namespace {
struct TTabsTypes {
    TTabsTypes() { RegisterSkTabsTypes(); }
};
const TTabsTypes TabsTypes;
}  // namespace

// Tabs ----------------------------------------------------------------------------------------------
void TSkTabData::Assign(TPersistent* Source) {
    auto* tab = dynamic_cast<TSkTabData*>(Source);
    if (!tab) return TPersistent::Assign(Source);
    Caption = tab->Caption;
    DisabledIndex = tab->DisabledIndex;
    ImageIndex = tab->ImageIndex;
    Color = tab->Color;
    Enabled = tab->Enabled;
    Visible = tab->Visible;
    Hint = tab->Hint;
}

void TSkTabDataList::Assign(TPersistent* Source) {
    auto* list = dynamic_cast<TSkTabDataList*>(Source);
    if (!list) return TPersistent::Assign(Source);
    if (list == this) return;
    Clear();
    for (int i = 0; i < list->Count(); ++i) {
        auto* tab = new TSkTabData;
        tab->Assign(list->Items(i));
        Add(tab);
    }
}

// Colours -------------------------------------------------------------------------------------------
void TSkTabColors::Assign(TPersistent* Source) {
    auto* colors = dynamic_cast<TSkTabColors*>(Source);
    if (!colors) return TPersistent::Assign(Source);
    SetHighlightBar(colors->FHighlightBar);
    SetShadow(colors->FShadow);
    SetUnselected(colors->FUnselected);
}

void TSkTextColors::Assign(TPersistent* Source) {
    auto* colors = dynamic_cast<TSkTextColors*>(Source);
    if (!colors) return TPersistent::Assign(Source);
    SetDisabled(colors->FDisabled);
    SetSelected(colors->FSelected);
    SetUnselected(colors->FUnselected);
}

// Region cache ----------------------------------------------------------------------------------------
void TSkTabRegionCacheItem::SetRegion(HRGN Value) {
    if (Value == FRegion) return;
    if (FRegion) DeleteObject(FRegion);
    FRegion = Value;
}

HRGN TSkTabRegionCache::Find(const TRect& Rect) const {
    for (const auto& item : FItems)
        if (item->Rect == Rect) return item->Region();
    return nullptr;
}

void TSkTabRegionCache::Add(const TRect& Rect, HRGN Region) {
    const auto found =
        std::find_if(FItems.begin(), FItems.end(), [&](const auto& item) { return item->Rect == Rect; });
    if (found != FItems.end()) {
        std::unique_ptr<TSkTabRegionCacheItem> item = std::move(*found);
        FItems.erase(found);
        if (Region && Region != item->Region()) DeleteObject(Region);
        FItems.insert(FItems.begin(), std::move(item));
    } else {
        FItems.insert(FItems.begin(), std::make_unique<TSkTabRegionCacheItem>(Rect, Region));
    }
    Trim();
}

void TSkTabRegionCache::SetCapacity(int Value) {
    if (Value < -1 || Value == 0)
        throw ESkTabControlError(QStringLiteral("Capacity must be -1 (to cache all regions) or > 0"));
    if (!StoreChanged(FCapacity, Value)) return;
    Trim();
}

void TSkTabRegionCache::Trim() {
    if (FCapacity == -1) return;
    while (int(FItems.size()) > FCapacity)
        FItems.pop_back();
}
