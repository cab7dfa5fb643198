// The tab layout as pure arithmetic: measuring, rows, scrolling, mapping, polygons, cards and hits.
// Text measures 7 pixels a character (8 bold) and 13 high; the font is 12 high. Every expected value is
// worked out by hand from the layout rules, as the comments show.
#include "SkTabsLayout.h"

#include <gtest/gtest.h>

namespace {
class TFixedMetrics : public ISkTabTextMetrics {
public:
    TSize TextExtent(const QString& Text, bool Bold) override {
        return {int(Text.size()) * (Bold ? 8 : 7), 13};
    }
    int FontHeight() override { return 12; }
};

struct SkTabsLayoutTest : testing::Test {
    TSkTabLayoutOptions Options;
    TSkTabDataList Tabs;
    TFixedMetrics Metrics;
    TSkTabLayout Layout{Options, Tabs, Metrics};

    void SetTabs(const QStringList& captions) {
        Tabs.Clear();
        for (const QString& caption : captions) {
            auto* tab = new TSkTabData;
            tab->Caption = caption;
            Tabs.Add(tab);
        }
    }
    // Lays out as a relayout does: arranged, the first shown tab settled.
    void Arrange() {
        Layout.Arrange();
        Layout.SettleFirstVisibleTab(Layout.FirstVisibleTab);
    }
    TRect Strip(int i) const { return Tabs.Items(i)->TabRect; }
};

const QStringList ThreeTabs{QStringLiteral("ab"), QStringLiteral("abcd"), QStringLiteral("x")};
}  // namespace

TEST_F(SkTabsLayoutTest, ContentSizeCountsTextImagesAccessKeysAndTheCloseGlyph) {
    // "ab": 14 x 13 text; ipLeft adds the image margin 2 -> 16 x 13.
    SetTabs({QStringLiteral("ab"), QStringLiteral("a&b"), QStringLiteral("a&&b"), QStringLiteral("ab&"),
             QStringLiteral("ab\r\nabcd"), QString()});
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{16, 13}));
    EXPECT_EQ(Layout.MeasureContent(1), (TSize{16, 13}));  // the "&" is not measured
    EXPECT_EQ(Layout.MeasureContent(2), (TSize{23, 13}));  // "&&" measures as one "&"
    EXPECT_EQ(Layout.MeasureContent(3), (TSize{23, 13}));  // a last "&" is text
    EXPECT_EQ(Layout.MeasureContent(4), (TSize{30, 26}));  // widest line, heights summed
    EXPECT_EQ(Layout.MeasureContent(5), (TSize{7, 12}));   // empty: the font minimum ("A" wide, font high)

    Options.HasImages = true;
    Options.ImageWidth = Options.ImageHeight = 16;
    Tabs.Items(0)->ImageIndex = 0;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{32, 16}));  // 2 + 16 + 14, the image's height
    Options.ImagePosition = ipTop;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{16, 31}));  // 16 wide, 2 + 16 + 13
    Options.ImagePosition = ipStretch;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{14, 13}));  // the text alone

    Options.ImagePosition = ipLeft;
    Options.HasImages = false;
    Options.TextOrientation = orVertical;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{15, 14}));  // 13 x 14 turned, + 2 margin
    Options.TextOrientation = orHorizontal;
    Options.BoldCurrentTab = true;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{18, 13}));  // 16 bold + 2
    Options.BoldCurrentTab = false;
    Options.ShowCloseButtonOnActiveTab = true;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{36, 13}));  // 20 more along a top strip
    Options.TextOrientation = orVertical;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{15, 14}));  // text across the strip: no room is made

    Tabs.Items(0)->Visible = false;
    EXPECT_EQ(Layout.MeasureContent(0), (TSize{0, 0}));
}

TEST_F(SkTabsLayoutTest, TabSizesFollowTheStyleTable) {
    SetTabs({QStringLiteral("ab")});  // content 16 x 13
    const struct {
        TSkTabStyle Style;
        TSkTabOrientation Side;
        TSize Size;
    } cases[] = {
        {tsSingleSlant, toTop, {2 * 9 + 16 + 6, 19}},     // 2 ov(19) + cw + 6
        {tsBackSlant, toBottom, {2 * 9 + 16 + 6, 19}},    //
        {tsDoubleSlant, toTop, {2 * 15 + 16 + 6, 19}},    // 2 ov(15) + cw + 6, ov = h
        {tsCutCorner, toTop, {2 * 6 + 16 + 8, 20}},       // 2C + cw + 8, ch + 7
        {tsRoundCorners, toTop, {27, 19}},                // "AAA" is the minimum: 21 + 6
        {tsSingleSlant, toLeft, {22, 2 * 11 + 13 + 6}},   // cw + 6, 2 ov(22) + ch + 6
        {tsDoubleSlant, toRight, {22, 2 * 18 + 13 + 6}},  // cw + 6, 2 ov(18) + ch + 6
        {tsCutCorner, toLeft, {16 + 6 + 7, 23}},          // cw + C + 7, ch + 10
        {tsSquareCorners, toRight, {27, 19}},             //
    };
    for (const auto& c : cases) {
        Options.TabStyle = c.Style;
        Options.TabOrientation = c.Side;
        EXPECT_EQ(Layout.MeasureTab(0), c.Size) << c.Style << " " << c.Side;
    }
    Options.TabOrientation = toTop;
    Options.TabStyle = tsCutCorner;
    Options.TextOrientation = orVertical;              // content 15 x 14
    EXPECT_EQ(Layout.MeasureTab(0), (TSize{25, 27}));  // cw + 10, ch + C + 7
    Options.TabWidth = 40;
    Options.TabHeight = 1;
    EXPECT_EQ(Layout.MeasureTab(0), (TSize{40, 1}));
}

TEST_F(SkTabsLayoutTest, OneLineOnTopPlacesOverlappingTabsAndMapsThemUnchanged) {
    SetTabs(ThreeTabs);  // lengths 40, 54, 33; depth 19; overlap 9
    Arrange();
    EXPECT_EQ(Layout.FixedDimension, 19);
    EXPECT_EQ(Layout.RowCount, 1);
    EXPECT_EQ(Layout.StripRect(), Rect(0, 0, 297, 19));  // 2 short on the right for the shadow
    EXPECT_EQ(Strip(0), Rect(0, 0, 40, 19));
    EXPECT_EQ(Strip(1), Rect(32, 0, 86, 19));  // 0 + 40 - 9 + 1
    EXPECT_EQ(Strip(2), Rect(78, 0, 111, 19));
    EXPECT_FALSE(Layout.ScrollNeeded);
    EXPECT_EQ(Layout.GetTabRect(1), Rect(32, 0, 86, 19));
    EXPECT_EQ(Layout.GetTabPolygon(1), (std::vector<TPoint>{{32, 19}, {32, 2}, {34, 0}, {67, 0}, {86, 19}}));
    EXPECT_EQ(Layout.CardRect(0), Rect(0, 19, 299, 99));
    EXPECT_EQ(Layout.PageRect(), Rect(1, 20, 297, 97));

    Options.SoftCorners = true;
    EXPECT_EQ(Layout.GetTabPolygon(1),
              (std::vector<TPoint>{{32, 19}, {32, 2}, {34, 0}, {63, 0}, {69, 2}, {86, 19}}));
}

TEST_F(SkTabsLayoutTest, ReverseSequenceRunsFromTheRightEdge) {
    Options.TabSequence = tsReverse;
    SetTabs(ThreeTabs);
    Arrange();
    // Placed leftwards from 0: (-40, 0), (-86, -32), (-111, -78), ending at x = -103; shifted by 103.
    EXPECT_EQ(Strip(0), Rect(63, 0, 103, 19));
    EXPECT_EQ(Strip(1), Rect(17, 0, 71, 19));
    // Offset 0 + 103; x maps to 299 - (103 - x).
    EXPECT_EQ(Layout.GetTabRect(0), Rect(259, 0, 299, 19));
    EXPECT_EQ(Layout.GetTabRect(1), Rect(213, 0, 267, 19));
}

TEST_F(SkTabsLayoutTest, LeftStripTurnsLengthsAndMapsUpwards) {
    Options.TabOrientation = toLeft;
    SetTabs(ThreeTabs);  // depths 22, 36, 15; lengths 41, 55, 33
    Arrange();
    EXPECT_EQ(Layout.FixedDimension, 36);
    EXPECT_EQ(Layout.StripRect(), Rect(0, 0, 36, 99));
    // Room 99 - 2 x 17 - 2 = 63; overlap 18: 0..41, 24..79, 62..95.
    EXPECT_EQ(Strip(1), Rect(24, 0, 79, 36));
    EXPECT_EQ(Layout.GetTabRect(1), Rect(0, 20, 36, 75));  // (y, 99 - x)
    EXPECT_EQ(Layout.GetTabPolygon(1), (std::vector<TPoint>{{36, 75}, {2, 75}, {0, 73}, {0, 56}, {36, 20}}));
    EXPECT_EQ(Layout.CardRect(0), Rect(36, 0, 299, 99));
    EXPECT_EQ(Layout.PageRect(), Rect(37, 1, 299, 99));
}

TEST_F(SkTabsLayoutTest, BottomAndRightStripsMirrorAcrossTheStrip) {
    SetTabs(ThreeTabs);
    Options.TabOrientation = toBottom;
    Arrange();
    // Strip (0, 80, 299, 99): y maps to 99 - y; tab 1 spans y 0..19.
    EXPECT_EQ(Layout.GetTabRect(1), Rect(32, 80, 86, 99));
    EXPECT_EQ(Layout.CardRect(0), Rect(0, 0, 299, 80));
    Options.TabOrientation = toRight;
    Arrange();
    // Depth 36, strip (263, 0, 299, 99): (299 - y, x).
    EXPECT_EQ(Layout.GetTabRect(1), Rect(263, 24, 299, 79));
    EXPECT_EQ(Layout.CardRect(0), Rect(0, 0, 263, 99));
}

TEST_F(SkTabsLayoutTest, RowsBreakWhereTabsNoLongerFitAndTurnTowardsTheCard) {
    Options.MultiLine = true;
    Options.ClientWidth = 150;                                  // strip length 147
    SetTabs({"abcd", "abcd", "abcd", "abcd", "abcd", "abcd"});  // 54 long each, overlap 9
    Arrange();
    // Room 147 fits three (146 < 147), so two rows; room 142 fits two, so three rows; 137 keeps three.
    EXPECT_EQ(Layout.RowCount, 3);
    EXPECT_EQ(Layout.StripDepth(), 47);  // 14 x 2 + 19
    EXPECT_EQ(Strip(0), Rect(0, 28, 54, 47));
    EXPECT_EQ(Strip(3), Rect(46, 14, 100, 33));
    EXPECT_EQ(Strip(4), Rect(0, 0, 54, 19));
    EXPECT_EQ(Layout.GetTabRect(3), Rect(51, 14, 105, 33));  // row 1: indented 5
    EXPECT_EQ(Layout.CardRect(0), Rect(0, 47, 139, 99));     // 10 off the right for the rows above
    EXPECT_EQ(Layout.CardRect(1), Rect(5, 33, 144, 85));

    // Selecting tab 4 (row 2) turns every row by one: row 2 comes next to the card.
    Layout.TabIndex = 4;
    Layout.RotateRows(4);
    EXPECT_EQ(Tabs.Items(4)->Row, 0);
    EXPECT_EQ(Tabs.Items(0)->Row, 1);
    EXPECT_EQ(Tabs.Items(2)->Row, 2);
    EXPECT_EQ(Layout.GetTabRect(5), Rect(46, 28, 100, 47));
    EXPECT_EQ(Layout.GetTabRect(0), Rect(5, 14, 59, 33));
    EXPECT_EQ(Layout.GetTabRect(3), Rect(56, 0, 110, 19));
}

TEST_F(SkTabsLayoutTest, AlignedRowsShareTheirSpareRoom) {
    Options.MultiLine = true;
    Options.AlignTabs = true;
    Options.ClientWidth = 150;
    SetTabs({"abcd", "abcd", "abcd", "abcd", "abcd", "abcd"});
    Arrange();
    // Row 0 spans 0..100 of 137: 37 spare, 19 to the first tab and 18 to the second.
    EXPECT_EQ(Strip(0), Rect(0, 28, 73, 47));
    EXPECT_EQ(Strip(1), Rect(65, 28, 137, 47));
    Options.TabWidth = 60;  // fixed widths are not stretched
    Arrange();
    EXPECT_EQ(Strip(1).Width(), 60);
}

TEST_F(SkTabsLayoutTest, RowCountingEndsWhereNoTabFitsAnyRow) {
    Options.MultiLine = true;
    Options.ClientWidth = 10;
    Options.Margin = 20;  // no room at all
    SetTabs({"abcd", "abcd", "abcd", "abcd", "abcd"});
    Arrange();
    EXPECT_GE(Layout.RowCount, 1);
    EXPECT_LE(Layout.RowCount, 5);
    Options.ClientWidth = 150;
    Options.Margin = 0;
    Options.RowIndent = 400;  // each extra row costs more than the strip holds
    Arrange();
    EXPECT_LE(Layout.RowCount, 5);
}

TEST_F(SkTabsLayoutTest, ALineThatDoesNotFitScrollsTabByTab) {
    SetTabs({"abcd", "abcd", "abcd", "abcd", "abcd", "abcd", "abcd", "abcd", "abcd", "abcd"});
    Arrange();
    // Tab k spans 46k .. 46k + 54; the last ends at 468 > 297.
    ASSERT_TRUE(Layout.ScrollNeeded);
    EXPECT_EQ(Layout.FirstVisibleTab, 0);
    // Shown whole within 297 - 34 = 263: tabs 0 to 4.
    EXPECT_TRUE(Layout.TabFullyShown(4));
    EXPECT_FALSE(Layout.TabFullyShown(5));
    // Tab 7 ends at 376: shown once the offset is at least 113, from tab 3 (138).
    Layout.ScrollIntoView(7);
    EXPECT_EQ(Layout.FirstVisibleTab, 3);
    EXPECT_EQ(Layout.GetTabRect(3), Rect(0, 0, 54, 19));
    Layout.ScrollIntoView(1);
    EXPECT_EQ(Layout.FirstVisibleTab, 1);
    EXPECT_TRUE(Layout.ScrollTabs(false));
    EXPECT_EQ(Layout.FirstVisibleTab, 0);
    EXPECT_FALSE(Layout.ScrollTabs(false));
    EXPECT_TRUE(Layout.ScrollTabs(true));
    EXPECT_EQ(Layout.FirstVisibleTab, 1);
    // Forward stops once the last tab shows.
    while (Layout.ScrollTabs(true)) {
    }
    EXPECT_TRUE(Layout.TabFullyShown(9));
    EXPECT_EQ(Layout.FirstVisibleTab, 5);  // 468 - 230 <= 263
}

TEST_F(SkTabsLayoutTest, HitsTestTheSelectedTabFirstAndFollowTheShapes) {
    SetTabs(ThreeTabs);
    Arrange();
    EXPECT_EQ(Layout.TabAtPos(33, 10), 1);  // right of tab 0's slope (31.5 at that row)
    EXPECT_EQ(Layout.TabAtPos(30, 10), 0);
    EXPECT_EQ(Layout.TabAtPos(32, 0), -1);  // the cut corner of tab 1; tab 0 has sloped away
    EXPECT_EQ(Layout.TabAtPos(84, 18), 1);  // under both tab 1 and tab 2: the first round the list
    EXPECT_EQ(Layout.TabAtPos(86, 18), 2);  // tab 1 ends at 86
    Layout.TabIndex = 2;
    EXPECT_EQ(Layout.TabAtPos(84, 18), 2);  // the selected tab lies on top
    EXPECT_EQ(Layout.TabAtPos(150, 10), -1);
    EXPECT_EQ(Layout.TabAtPos(40, 19), -1);  // the card
}

TEST_F(SkTabsLayoutTest, HiddenTabsTakeNoPlaceAndAllHiddenLeavesNothingToHit) {
    SetTabs(ThreeTabs);
    Tabs.Items(0)->Visible = false;
    Arrange();
    EXPECT_EQ(Strip(1), Rect(0, 0, 54, 19));
    EXPECT_EQ(Layout.FirstVisibleTab, 1);
    for (int i = 0; i < 3; ++i)
        Tabs.Items(i)->Visible = false;
    Arrange();  // finding the first visible tab ends although there is none
    EXPECT_EQ(Layout.FirstVisibleIndex(), -1);
    EXPECT_EQ(Layout.FirstVisibleTab, -1);
    EXPECT_EQ(Layout.TabAtPos(10, 5), -1);
    EXPECT_FALSE(Layout.TabFullyShown(0));
}

TEST_F(SkTabsLayoutTest, OnePixelTabsLeaveThePagesAlmostTheWholeControl) {
    Options.TabHeight = 1;
    Options.TabWidth = 1;
    SetTabs(ThreeTabs);
    Arrange();
    EXPECT_EQ(Layout.FixedDimension, 1);
    EXPECT_EQ(Strip(1), Rect(2, 0, 3, 1));  // 1 long, overlap 0: the next starts at 0 + 1 - 0 + 1
    EXPECT_EQ(Layout.PageRect(), Rect(1, 2, 297, 97));
    Options.TabStyle = tsSquareCorners;
    Arrange();
    EXPECT_EQ(Layout.StripDepth(), 4);
}

TEST_F(SkTabsLayoutTest, BoxStyleSelectedTabStandsOutTwoPixels) {
    Options.TabStyle = tsRoundCorners;
    SetTabs(ThreeTabs);  // cw + 6 with "AAA" (21) the least: 27, 36, 27
    Arrange();
    // Depth 19 and 3 more; tabs stand 1 apart (overlap -1): 0..27, 29..65, 67..94.
    EXPECT_EQ(Layout.StripDepth(), 22);
    EXPECT_EQ(Strip(1), Rect(29, 3, 65, 22));
    // Offset -2 (margin and 2): everything 2 to the right.
    EXPECT_EQ(Layout.GetTabRect(1), Rect(31, 3, 67, 22));
    Layout.TabIndex = 1;
    EXPECT_EQ(Layout.GetTabRect(1), Rect(29, 1, 69, 22));
    EXPECT_EQ(Layout.GetTabPolygon(1),
              (std::vector<TPoint>{{29, 22}, {29, 3}, {31, 1}, {67, 1}, {69, 3}, {69, 22}}));
}

// The region cache
// -------------------------------------------------------------------------------------------
TEST(SkTabRegionCache, KeepsTheNewestRegionsAndFreesWhatItDrops) {
    const int before = TRegion::LiveCount();
    {
        TSkTabRegionCache cache;
        EXPECT_EQ(cache.Capacity(), 1);
        HRGN first = CreateRectRgn(0, 0, 5, 5), second = CreateRectRgn(0, 0, 6, 6);
        cache.Add(Rect(0, 0, 5, 5), first);
        cache.Add(Rect(0, 0, 6, 6), second);  // capacity 1: the first region goes
        EXPECT_EQ(cache.Count(), 1);
        EXPECT_EQ(cache.Find(Rect(0, 0, 6, 6)), second);
        EXPECT_EQ(cache.Find(Rect(0, 0, 5, 5)), nullptr);
        EXPECT_EQ(TRegion::LiveCount(), before + 1);

        cache.SetCapacity(-1);
        for (int i = 0; i < 10; ++i)
            cache.Add(Rect(0, 0, 10 + i, 10), CreateRectRgn(0, 0, 10 + i, 10));
        EXPECT_EQ(cache.Count(), 11);  // -1 never evicts
        // A rectangle cached already moves to the front and keeps its region; the new one is freed.
        cache.Add(Rect(0, 0, 6, 6), CreateRectRgn(0, 0, 1, 1));
        EXPECT_EQ(cache.Items(0)->Rect, Rect(0, 0, 6, 6));
        EXPECT_EQ(cache.Items(0)->Region(), second);
        EXPECT_EQ(TRegion::LiveCount(), before + 11);
        cache.SetCapacity(3);  // trimmed from the end
        EXPECT_EQ(cache.Count(), 3);
        EXPECT_EQ(cache.Items(0)->Rect, Rect(0, 0, 6, 6));
        EXPECT_EQ(TRegion::LiveCount(), before + 3);
    }
    EXPECT_EQ(TRegion::LiveCount(), before);
}

TEST(SkTabRegionCache, RefusesCapacitiesThatCacheNothing) {
    TSkTabRegionCache cache;
    for (int bad : {0, -2}) {
        try {
            cache.SetCapacity(bad);
            ADD_FAILURE() << bad;
        } catch (const ESkTabControlError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Capacity must be -1 (to cache all regions) or > 0"));
        }
    }
    EXPECT_EQ(cache.Capacity(), 1);
}

TEST_F(SkTabsLayoutTest, HitTestingLeavesNoRegionBehindOnceTheCacheGoes) {
    const int before = TRegion::LiveCount();
    {
        TSkTabDataList tabs;
        TSkTabLayout layout(Options, tabs, Metrics);
        for (int i = 0; i < 5; ++i) {
            auto* tab = new TSkTabData;
            tab->Caption = QStringLiteral("tab");
            tabs.Add(tab);
        }
        layout.Arrange();
        layout.FirstVisibleTab = 0;
        for (int x = 0; x < 200; x += 7)
            layout.TabAtPos(x, 10);
        EXPECT_EQ(TRegion::LiveCount(), before + 1);  // capacity 1
    }
    EXPECT_EQ(TRegion::LiveCount(), before);
}
