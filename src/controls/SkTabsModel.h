// The tab strip's data: one record per tab, the list that owns them, the two colour sets of the strip,
// the cache of tab-shape regions, the strip's enumerations and events, and its one exception class.
#pragma once

#include "Controls.h"
#include "Graphics.h"
#include "Regions.h"
#include "SkCommon.h"
#include "SysUtils.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class ESkTabControlError : public Exception {
public:
    using Exception::Exception;
};

enum TSkTabOrientation { toTop, toLeft, toBottom, toRight };
enum TSkTabSequence { tsStandard, tsReverse };
enum TSkTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant, tsSquareCorners };
enum TSkImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TSkHorizontalAlignment { haLeft, haCenter, haRight };
enum TSkVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TSkTabHotTrackColorSource { htcsTabColor, htcsHotTrackColorProp };
enum TSkTabHotTrackStyle { htsTab, htsText, htsTabBar };
// What a caption is drawn as, for OnGetTextColor.
enum TSkTabTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabled };

// Registers the names of the strip's enumerations with the streaming (once).
void RegisterSkTabsTypes();

// One tab.
class TSkTabData : public TPersistent {
public:
    QString Caption;
    TColor Color = clBtnFace;
    int DisabledIndex = -1;
    bool Enabled = true;
    QString Hint;
    int ImageIndex = -1;
    // The rectangle of the last layout, in strip coordinates (x along the strip, y across it).
    TRect TabRect;
    bool Visible = true;
    // The row of the last layout: 0 is the row next to the card.
    int Row = 0;

    // From another tab: everything but the layout's TabRect and Row.
    void Assign(TPersistent* Source) override;
};

// The tabs, owned.
class TSkTabDataList : public TPersistent {
public:
    ~TSkTabDataList() override { Clear(); }
    void Add(TSkTabData* Item) { FItems.emplace_back(Item); }
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    TSkTabData* Items(int Index) const { return FItems.at(Index).get(); }
    // Frees the tab that was there.
    void SetItem(int Index, TSkTabData* Item) { FItems.at(Index).reset(Item); }
    // A copy of every tab of another list, in order.
    void Assign(TPersistent* Source) override;

private:
    std::vector<std::unique_ptr<TSkTabData>> FItems;
};

// Three colours of the strip; a change tells the owner, which repaints.
class TSkColorSet : public TPersistent {
public:
    explicit TSkColorSet(std::function<void()> OnChange) : FOnChange(std::move(OnChange)) {}

protected:
    void Store(TColor& Field, TColor Value) {
        if (StoreChanged(Field, Value) && FOnChange) FOnChange();
    }

private:
    std::function<void()> FOnChange;
};

// The colours of the tabs themselves.
class TSkTabColors : public TSkColorSet {
    Q_GADGET
    Q_PROPERTY(TColor HighlightBar READ HighlightBar WRITE SetHighlightBar)
    Q_PROPERTY(TColor Shadow READ Shadow WRITE SetShadow)
    Q_PROPERTY(TColor Unselected READ Unselected WRITE SetUnselected)
    Q_CLASSINFO("HighlightBar", "TColor = clHighlight")
    Q_CLASSINFO("Shadow", "TColor = clBtnFace")
    Q_CLASSINFO("Unselected", "TColor = clWindow")
public:
    explicit TSkTabColors(std::function<void()> OnChange = {}) : TSkColorSet(std::move(OnChange)) {}
    TColor HighlightBar() const { return FHighlightBar; }
    virtual void SetHighlightBar(TColor Value) { Store(FHighlightBar, Value); }
    TColor Shadow() const { return FShadow; }
    virtual void SetShadow(TColor Value) { Store(FShadow, Value); }
    TColor Unselected() const { return FUnselected; }
    virtual void SetUnselected(TColor Value) { Store(FUnselected, Value); }
    void Assign(TPersistent* Source) override;

private:
    TColor FHighlightBar = clHighlight;
    TColor FShadow = clBtnFace;
    TColor FUnselected = clWindow;
};

// The colours of the captions.
class TSkTextColors : public TSkColorSet {
    Q_GADGET
    Q_PROPERTY(TColor Disabled READ Disabled WRITE SetDisabled)
    Q_PROPERTY(TColor Selected READ Selected WRITE SetSelected)
    Q_PROPERTY(TColor Unselected READ Unselected WRITE SetUnselected)
    Q_CLASSINFO("Disabled", "TColor = clGrayText")
    Q_CLASSINFO("Selected", "TColor = clBtnText")
    Q_CLASSINFO("Unselected", "TColor = clBtnText")
public:
    explicit TSkTextColors(std::function<void()> OnChange = {}) : TSkColorSet(std::move(OnChange)) {}
    TColor Disabled() const { return FDisabled; }
    virtual void SetDisabled(TColor Value) { Store(FDisabled, Value); }
    TColor Selected() const { return FSelected; }
    virtual void SetSelected(TColor Value) { Store(FSelected, Value); }
    TColor Unselected() const { return FUnselected; }
    virtual void SetUnselected(TColor Value) { Store(FUnselected, Value); }
    void Assign(TPersistent* Source) override;

private:
    TColor FDisabled = clGrayText;
    TColor FSelected = clBtnText;
    TColor FUnselected = clBtnText;
};

// One cached region: the tab rectangle it was made for and the region, which the item owns.
class TSkTabRegionCacheItem : public TObject {
public:
    TSkTabRegionCacheItem(const TRect& ARect, HRGN ARegion) : Rect(ARect), FRegion(ARegion) {}
    ~TSkTabRegionCacheItem() override { SetRegion(nullptr); }
    TRect Rect;
    HRGN Region() const { return FRegion; }
    // Another region deletes the one held.
    void SetRegion(HRGN Value);

private:
    HRGN FRegion = nullptr;
};

// Tab-shape regions by tab rectangle, most recently added first, at most Capacity of them (-1: all).
class TSkTabRegionCache : public TObject {
public:
    HRGN Find(const TRect& Rect) const;
    // A rectangle already cached moves to the front and keeps its region: the region passed is then
    // deleted here, so the caller never owns a region after handing it over.
    void Add(const TRect& Rect, HRGN Region);
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    const TSkTabRegionCacheItem* Items(int Index) const { return FItems.at(Index).get(); }
    int Capacity() const { return FCapacity; }
    // -1 or above 0; anything else raises ESkTabControlError.
    void SetCapacity(int Value);

private:
    void Trim();
    std::vector<std::unique_ptr<TSkTabRegionCacheItem>> FItems;
    int FCapacity = 1;
};

// Events of the strip.
using TSkTabChangingEvent = std::function<void(TObject* Sender, int NewIndex, bool& AllowChange)>;
using TSkTabCloseEvent = std::function<void(TObject* Sender, bool& AllowClose)>;
using TSkGetTextColorEvent = std::function<void(TObject* Sender, int ATabIndex, TSkTabTextStyle AStyle,
                                                TColor& AColor, bool& Handled)>;
using TSkPaintBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool& Handled)>;
using TSkPaintCardBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled)>;
using TSkPaintTabBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled)>;
using TSkTabDraggingEvent = std::function<void(TObject* Sender, int TabIndex, bool& AllowDrag)>;
using TSkTabOrderChangeEvent = std::function<void(TObject* Sender, int OldIndex, int NewIndex)>;
