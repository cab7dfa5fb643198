// Pixels of painted tab strips: two tabs 40 long and 20 deep (fixed sizes, no captions, no gradients)
// on a 200 x 80 control, the first selected; positions worked out from the layout rules by hand.
#include "SkTabs.h"

#include <gtest/gtest.h>

namespace {
constexpr TColor Paper = 0x102030;  // the parent's colour: the strip's background

struct SkTabsPaintTest : testing::Test {
    std::unique_ptr<TPaintBox> Parent = std::make_unique<TPaintBox>(nullptr);
    TSkCustomTabControl* Tabs = nullptr;
    const TColor Frame = ColorToRGB(clBtnShadow), Face = ColorToRGB(clBtnFace), White = ColorToRGB(clWindow);

    void SetUp() override {
        Parent->SetColor(Paper);
        Tabs = new TSkCustomTabControl(Parent.get());
        Tabs->SetParent(Parent.get());
        Tabs->SetBounds(0, 0, 200, 80);
        Tabs->SetColor(clBtnFace);
        Tabs->SetUseGradients(false);
        Tabs->SetShowShadow(false);
        Tabs->SetTabWidth(40);
        Tabs->SetTabHeight(20);
        for (int i = 0; i < 2; ++i)
            Tabs->Tabs()->Add(new TSkTabData);
        Tabs->TabsChanged();
        Tabs->SetTabIndex(0);
    }
    TColor At(int x, int y) {
        const QImage& image = Tabs->PaintOffscreen();
        return RGB(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y)));
    }
    // The card's edge along a row or column is drawn at both ends and open strictly between them.
    void ExpectOpenBetween(TPoint from, TPoint to) {
        const int dx = to.X > from.X   ? 1
                       : to.X < from.X ? -1
                                       : 0,
                  dy = to.Y > from.Y   ? 1
                       : to.Y < from.Y ? -1
                                       : 0;
        EXPECT_EQ(At(from.X, from.Y), Frame);
        EXPECT_EQ(At(to.X, to.Y), Frame);
        for (TPoint p{from.X + dx, from.Y + dy}; p.X != to.X || p.Y != to.Y; p.X += dx, p.Y += dy)
            EXPECT_NE(At(p.X, p.Y), Frame) << p.X << "," << p.Y;
    }
};
}  // namespace

TEST_F(SkTabsPaintTest, EveryShapeOpensTheSelectedTabIntoTheCard) {
    const struct {
        TSkTabStyle Style;
        TPoint TopEdge;    // a pixel of the second tab's outer edge
        int SecondMiddle;  // the middle of the second tab
        int Base;          // the card's top row, where both tabs stand
        int BaseRight;     // the selected tab's right base corner
    } cases[] = {
        // Overlap 10: the second tab at 31..71; its outer edge runs from 33 to the slope at 51.
        {tsSingleSlant, {45, 0}, 51, 20, 40},
        // Overlap 20: both tabs are triangles; the second's apex at 41.
        {tsDoubleSlant, {41, 0}, 41, 20, 40},
        // Overlap -1: 42..82, the corner cut at 76.
        {tsCutCorner, {60, 0}, 62, 20, 40},
        // 3 deeper and 2 to the right; the selected tab 2 wider at each end and 2 higher.
        {tsRoundCorners, {60, 3}, 64, 23, 44},
        {tsBackSlant, {60, 0}, 51, 20, 40},
        {tsSquareCorners, {60, 3}, 63, 23, 44},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Style));
        Tabs->SetTabStyle(c.Style);
        ExpectOpenBetween({0, c.Base}, {c.BaseRight, c.Base});
        EXPECT_EQ(At(c.BaseRight + 10, c.Base), Frame);  // closed under the second tab
        EXPECT_EQ(At(c.TopEdge.X, c.TopEdge.Y), Frame);
        EXPECT_EQ(At(12, 10), Face);               // the selected tab is filled flat in Color
        EXPECT_EQ(At(c.SecondMiddle, 12), White);  // the others in TabColors.Unselected
        EXPECT_EQ(At(150, 5), Paper);              // beside the tabs the background
        EXPECT_EQ(At(100, 50), Face);              // the card
        EXPECT_EQ(At(199, 50), Frame);             // its full frame
    }
}

TEST_F(SkTabsPaintTest, BoxShapedTabsOpenExactlyBetweenTheirBaseCornersOnEverySide) {
    Tabs->SetTabStyle(tsSquareCorners);
    // Left (150 high, so both tabs fit): depth 20 + 3, the selected tab from y 149 - 44 to 149 at
    // column 23.
    Tabs->SetHeight(150);
    Tabs->SetTabWidth(20);
    Tabs->SetTabHeight(40);
    Tabs->SetTabOrientation(toLeft);
    ExpectOpenBetween({23, 149}, {23, 105});
    // Right: the card's right edge at column 176, the tab from 0 to 44.
    Tabs->SetTabOrientation(toRight);
    ExpectOpenBetween({176, 0}, {176, 44});
    // Bottom: the card's bottom at row 56, the tab from 0 to 44.
    Tabs->SetHeight(80);
    Tabs->SetTabWidth(40);
    Tabs->SetTabHeight(20);
    Tabs->SetTabOrientation(toBottom);
    ExpectOpenBetween({0, 56}, {44, 56});
    // Without the full frame the edge stays open the same way.
    Tabs->SetShowFullFrame(false);
    Tabs->SetTabOrientation(toTop);
    ExpectOpenBetween({0, 23}, {44, 23});
}

TEST_F(SkTabsPaintTest, TheCardCastsASoftShadowRightAndBelow) {
    Tabs->SetShowShadow(true);
    // The outline stands 2 in: right edge at column 197 and bottom at row 77; the inner shadow one pixel
    // outside it blends the background towards black by 30, the outer one by 15.
    EXPECT_EQ(At(197, 40), Frame);
    EXPECT_EQ(At(198, 40), BlendColors(clBlack, Paper, 30));
    EXPECT_EQ(At(199, 40), BlendColors(clBlack, Paper, 15));
    EXPECT_EQ(At(100, 77), Frame);
    EXPECT_EQ(At(100, 78), BlendColors(clBlack, Paper, 30));
    EXPECT_EQ(At(100, 79), BlendColors(clBlack, Paper, 15));
    EXPECT_EQ(At(198, 20), Paper);  // the shadow starts below the card's top
}

TEST_F(SkTabsPaintTest, ColouredTabsTakeTheirColourAndTheCardTheSelectedOnes) {
    Tabs->Tabs()->Items(0)->Color = 0x40C0FF;
    Tabs->Tabs()->Items(1)->Color = 0xFFC040;
    Tabs->SetUseColoredTabs(true);
    EXPECT_EQ(At(12, 10), TColor(0x40C0FF));
    EXPECT_EQ(At(100, 50), TColor(0x40C0FF));
    // Not selected: flat in LighterColor(colour, 20) without gradients.
    EXPECT_EQ(At(51, 12), LighterColor(0xFFC040, 20));
}
