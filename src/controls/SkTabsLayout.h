// Where the tabs of a strip lie: each tab measured, the depth of a row, the tabs placed on one line or
// in rows, a single line scrolled, the rows rotated so the selected tab touches the card, everything
// mapped to the four sides of the control, the outline of each tab shape and which tab lies under a
// point. Pure arithmetic over the tab list: text is measured through an interface the caller gives.
//
// Strip coordinates: x runs along the strip, y across it; y = 0 is the strip's outer edge and the card
// lies beyond the largest y. Tab rectangles are kept in strip coordinates; the mapping to the control
// depends on the orientation and the sequence.
#pragma once

#include "SkTabsModel.h"

#include <functional>
#include <vector>

// Measures text in the strip's font, bold or not.
class ISkTabTextMetrics {
public:
    virtual ~ISkTabTextMetrics() = default;
    // The extent of one line of text; 0 x 0 when it cannot be measured.
    virtual TSize TextExtent(const QString& Text, bool Bold) = 0;
    // The font's height in pixels (the absolute value of its Height).
    virtual int FontHeight() = 0;
};

// What the layout depends on: the strip's properties and the control's client size.
struct TSkTabLayoutOptions {
    TSkTabOrientation TabOrientation = toTop;
    TSkTabSequence TabSequence = tsStandard;
    TSkTabStyle TabStyle = tsSingleSlant;
    TOrientation TextOrientation = orHorizontal;
    TSkImagePosition ImagePosition = ipLeft;
    bool MultiLine = false;
    bool AlignTabs = false;
    bool BoldCurrentTab = false;
    bool ShowCard = true;
    bool ShowCardFrame = true;
    bool ShowFullFrame = true;
    bool ShowShadow = true;
    bool ShowCloseButton = false;
    bool ShowCloseButtonOnActiveTab = false;
    bool ShowMenuButton = false;
    bool SoftCorners = false;
    int Margin = 0;
    int RowIndent = 5;
    int RowOverlap = 5;
    int TabWidth = 0;
    int TabHeight = 0;
    int CutCornerSize = 6;
    int TabOverlap = -1;
    int ImageMargin = 2;
    // The image list's picture size; none without an image list.
    bool HasImages = false;
    int ImageWidth = 0, ImageHeight = 0;
    // The control's client area.
    int ClientWidth = 300, ClientHeight = 100;
};

// The room measuring adds to a tab for the close glyph on the selected tab.
constexpr int ActiveCloseGlyphRoom = 20;

class TSkTabLayout {
public:
    TSkTabLayout(const TSkTabLayoutOptions& Options, TSkTabDataList& Tabs, ISkTabTextMetrics& Metrics)
        : FOptions(Options), FTabs(Tabs), FMetrics(Metrics) {}

    // State of the last layout and of the selection.
    int FixedDimension = 0;
    int RowCount = 1;
    int FirstVisibleTab = 0;
    int TabIndex = -1;
    bool ScrollNeeded = false;

    const TSkTabLayoutOptions& Options() const { return FOptions; }
    TSkTabDataList& Tabs() const { return FTabs; }
    int Count() const { return FTabs.Count(); }
    bool Vertical() const { return FOptions.TabOrientation == toLeft || FOptions.TabOrientation == toRight; }
    bool Reverse() const { return FOptions.TabSequence == tsReverse; }
    // Round and square corners: the selected tab stands out 2 pixels and rows sit 3 pixels deeper.
    bool BoxStyle() const {
        return FOptions.TabStyle == tsRoundCorners || FOptions.TabStyle == tsSquareCorners;
    }
    // Horizontal text on a top or bottom strip, vertical text on a left or right strip.
    bool TextAlongStrip() const { return Vertical() == (FOptions.TextOrientation == orVertical); }

    // Measuring --------------------------------------------------------------------------------------
    // The tab's content (image and caption), raised to the font's minimum; 0 x 0 for a hidden tab.
    TSize MeasureContent(int Index) const;
    // The tab's width and height in control coordinates (length and depth swap on left and right strips).
    TSize MeasureTab(int Index) const;
    // How far the next tab slides over one of depth H.
    int StyleOverlap(int H) const;
    // Measures every tab and places them: FixedDimension, RowCount, every TabRect and Row, the aligned
    // rows, and whether a single line needs scrolling. Leaves FirstVisibleTab and TabIndex alone.
    void Arrange();
    int CountRows() const;
    void CalcTabRects();
    // Multi-line: turns the rows so the tab's row becomes row 0.
    void RotateRows(int Index);

    // Strip geometry -----------------------------------------------------------------------------------
    int StripDepth() const;
    TRect StripRect() const;
    int StripLength() const;
    int ButtonLength() const;
    int ButtonDepth() const;
    int CloseButtonLength() const;
    int MenuButtonLength() const;

    // Visible tabs -----------------------------------------------------------------------------------
    // The first and last visible tab, -1 when no tab is visible.
    int FirstVisibleIndex() const;
    int LastVisibleIndex() const;
    bool TabVisible(int Index) const { return Index >= 0 && Index < Count() && FTabs.Items(Index)->Visible; }

    // Scrolling a single line --------------------------------------------------------------------------
    int ScrollOffset() const;
    bool TabFullyShown(int Index) const;
    // Steps FirstVisibleTab one tab on; false (and unchanged) when it cannot go that way.
    bool ScrollTabs(bool Forward);
    // After selecting Index: scrolls until the tab is fully shown, or makes it the first one shown.
    void ScrollIntoView(int Index);
    // After a relayout: a first shown tab that is shown whole, else the first visible tab.
    void SettleFirstVisibleTab(int OldFirst);

    // Mapping to the control -------------------------------------------------------------------------
    TPoint MapPoint(const TPoint& P) const;
    TRect MapRect(const TRect& R) const;
    // The tab's rectangle in strip coordinates: shifted by its row's indent, the selected box-style
    // tab grown.
    TRect StripTabRect(int Index) const;
    TRect GetTabRect(int Index) const;
    // The tab's outline in control coordinates, from its base-left corner; empty for a bad index.
    std::vector<TPoint> GetTabPolygon(int Index) const;
    // How many points a style's outline has.
    int PolygonPointCount() const;
    // The tab's content area (its rectangle less the shape's ends and edges), in control coordinates.
    TRect ContentRect(int Index) const;

    // Regions and hits -------------------------------------------------------------------------------
    TSkTabRegionCache& RegionCache() { return FRegions; }
    int RegionCacheCapacity() const { return FRegions.Capacity(); }
    // The tab's shape as a region, from the cache (which owns it); nullptr for fewer than 3 points.
    HRGN GetTabRegion(int Index, const TRect& Rect);
    bool PtInTab(const TPoint& P, int Index);
    int TabAtPos(int X, int Y);

    // The card -----------------------------------------------------------------------------------------
    // The client area less one pixel right and bottom.
    TRect BaseRect() const;
    // The card of a row, with right and bottom as its last pixels.
    TRect CardRect(int Row) const;
    // Where the pages go.
    TRect PageRect() const;

private:
    int TabLength(int Index) const;
    int RowTop(int Row) const;
    int WalkRows(int Available, const std::function<void(int, int, int, int)>& Place) const;
    void AlignRows();
    // Each tab's length along the strip, measured once per Arrange.
    std::vector<int> FLengths;
    mutable int FWalkEnd = 0;
    const TSkTabLayoutOptions& FOptions;
    TSkTabDataList& FTabs;
    ISkTabTextMetrics& FMetrics;
    TSkTabRegionCache FRegions;
};
