// Text layout by DT_ flags: prefixes, breaks between ideographs, measuring and placing.
#include "TextDraw.h"

#include <gtest/gtest.h>

namespace {
struct TextDrawTest : testing::Test {
    QImage Image{200, 60, QImage::Format_RGB32};
    TDeviceContext DC{&Image};
    void SetUp() override {
        Image.fill(Qt::white);
        DC.Font.FaceName = QStringLiteral("宋体");
        DC.Font.Height = -12;
        DC.BkMode = TRANSPARENT;
    }
    // The box around the pixels that are not white.
    TRect Ink() {
        TRect b{1000, 1000, -1, -1};
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                if ((Image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                         std::max(b.Bottom, y + 1)};
        return b;
    }
    int LineHeight() { return DC.GetTextExtent(QStringLiteral("Yy")).cy; }
};
}  // namespace

TEST(TextPrefix, AmpersandsUnderlineTheNextCharacterAndDoubleOnesStay) {
    int underline = -2;
    EXPECT_EQ(StripPrefix(QStringLiteral("&Save"), &underline), QStringLiteral("Save"));
    EXPECT_EQ(underline, 0);
    EXPECT_EQ(StripPrefix(QStringLiteral("A && B"), &underline), QStringLiteral("A & B"));
    EXPECT_EQ(underline, -1);
    EXPECT_EQ(StripPrefix(QStringLiteral("保存(&S)"), &underline), QStringLiteral("保存(S)"));
    EXPECT_EQ(underline, 3);
    EXPECT_EQ(StripPrefix(QStringLiteral("end&"), &underline), QStringLiteral("end"));
}

TEST(TextBreak, LinesBreakAtSpacesAndBetweenIdeographsButNotInsideWords) {
    // Every character 10 pixels wide.
    auto measure = [](const QString& s) { return int(s.size()) * 10; };
    EXPECT_EQ(BreakLines(QStringLiteral("早餐午餐晚餐"), 40, measure),
              (std::vector<QString>{QStringLiteral("早餐午餐"), QStringLiteral("晚餐")}));
    EXPECT_EQ(BreakLines(QStringLiteral("one two three"), 70, measure),
              (std::vector<QString>{QStringLiteral("one two"), QStringLiteral("three")}));
    EXPECT_EQ(BreakLines(QStringLiteral("breakfast"), 30, measure),
              (std::vector<QString>{QStringLiteral("breakfast")}));
    EXPECT_EQ(BreakLines(QStringLiteral("ab能量"), 30, measure),
              (std::vector<QString>{QStringLiteral("ab能"), QStringLiteral("量")}));
    EXPECT_TRUE(IsCJKChar(QChar(0x4E00)));
    EXPECT_TRUE(IsCJKChar(QChar(0xFF0C)));  // full-width comma
    EXPECT_FALSE(IsCJKChar(QLatin1Char('a')));
}

TEST_F(TextDrawTest, CalcRectMeasuresOneLineOrTheBrokenLines) {
    const QString text = QStringLiteral("能量平衡");
    TRect r = Rect(10, 10, 500, 10);
    const int height = DrawTextDC(&DC, text, r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), DC.GetTextExtent(text).cx);
    EXPECT_EQ(height, LineHeight());
    EXPECT_EQ(r.Height(), LineHeight());
    const int oneChar = DC.GetTextExtent(QStringLiteral("能")).cx;
    TRect narrow = Rect(0, 0, oneChar * 2 + 1, 0);
    EXPECT_EQ(DrawTextDC(&DC, text, narrow, DT_CALCRECT | DT_WORDBREAK), 2 * LineHeight());
    EXPECT_EQ(Ink(), (TRect{1000, 1000, -1, -1}));  // measuring draws nothing
}

TEST_F(TextDrawTest, AlignmentPlacesTheLineInItsRectangle) {
    const QString text = QStringLiteral("能量");
    const TSize size = DC.GetTextExtent(text);
    TRect r = Rect(0, 0, 200, 60);
    EXPECT_EQ(DrawTextDC(&DC, text, r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE), 60);
    const TRect ink = Ink();
    EXPECT_LE(ink.Right, 200);
    EXPECT_GE(ink.Left, 200 - size.cx);
    EXPECT_GE(ink.Top, 60 - size.cy);
    Image.fill(Qt::white);
    r = Rect(0, 0, 200, 60);
    DrawTextDC(&DC, text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const TRect centred = Ink();
    EXPECT_NEAR((centred.Left + centred.Right) / 2, 100, 3);
    EXPECT_NEAR((centred.Top + centred.Bottom) / 2, 30, 4);
}

TEST_F(TextDrawTest, TextStaysInsideItsRectangleUnlessNoClip) {
    TRect r = Rect(0, 0, 20, 20);
    DrawTextDC(&DC, QStringLiteral("能量平衡能量平衡"), r, DT_SINGLELINE);
    EXPECT_LE(Ink().Right, 20);
    Image.fill(Qt::white);
    r = Rect(0, 0, 20, 20);
    DrawTextDC(&DC, QStringLiteral("能量平衡能量平衡"), r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().Right, 40);
}

TEST_F(TextDrawTest, EllipsisCutsTheLineToFit) {
    const QString text = QStringLiteral("膳食能量管家每天的能量平衡");
    TRect r = Rect(0, 0, 60, 20);
    DrawTextDC(&DC, text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(Ink().Right, 60);
}

TEST_F(TextDrawTest, ThePrefixCharacterIsUnderlinedUnlessHidden) {
    const int baseline = DC.GetTextMetrics().tmAscent + 1;
    auto underlineRow = [&] {
        int n = 0;
        for (int x = 0; x < 200; ++x)
            n += (Image.pixel(x, baseline) & 0xFFFFFF) == 0;
        return n;
    };
    TRect r = Rect(0, 0, 200, 60);
    DrawTextDC(&DC, QStringLiteral("&W"), r, DT_SINGLELINE);
    EXPECT_GE(underlineRow(), DC.GetTextExtent(QStringLiteral("W")).cx - 1);
    Image.fill(Qt::white);
    r = Rect(0, 0, 200, 60);
    DrawTextDC(&DC, QStringLiteral("&W"), r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_LT(underlineRow(), 3);
}

TEST_F(TextDrawTest, TabsExpandToStopsOfEightAverageCharacters) {
    const int stop = 8 * DC.GetTextMetrics().tmAveCharWidth;
    TRect r = Rect(0, 0, 500, 20);
    DrawTextDC(&DC, QStringLiteral("a\tb"), r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.Width(), stop + DC.GetTextExtent(QStringLiteral("b")).cx);
}

// Laid-out text is the plain text output at the place the flags give: at the rectangle's left, right
// or centre, vertically centred, and each piece after a TAB at the next stop.
TEST_F(TextDrawTest, LaidOutTextIsThePlainTextAtItsPlace) {
    QImage expected(Image.size(), QImage::Format_RGB32);
    TDeviceContext plain(&expected);
    plain.Font = DC.Font;
    plain.BkMode = TRANSPARENT;
    const QString text = QStringLiteral("膳食能量管家");
    const int width = DC.GetTextExtent(text).cx, lineHeight = LineHeight();
    const int top = (60 - lineHeight) / 2;
    struct TCase {
        unsigned Flags;
        int X;
    };
    for (const TCase& c : {TCase{DT_LEFT, 7}, TCase{DT_CENTER, 7 + (180 - width) / 2}, TCase{DT_RIGHT, 187 - width}}) {
        Image.fill(Qt::white);
        expected.fill(Qt::white);
        TRect r = Rect(7, 0, 187, 60);
        DrawTextDC(&DC, text, r, c.Flags | DT_VCENTER | DT_SINGLELINE);
        plain.TextOut(c.X, top, text);
        EXPECT_EQ(Image, expected) << c.Flags;
    }
    Image.fill(Qt::white);
    expected.fill(Qt::white);
    const int stop = 8 * DC.GetTextMetrics().tmAveCharWidth;
    TRect r = Rect(3, 2, 200, 60);
    DrawTextDC(&DC, QStringLiteral("早餐\t午餐\t晚"), r, DT_EXPANDTABS);
    plain.TextOut(3, 2, QStringLiteral("早餐"));
    plain.TextOut(3 + stop, 2, QStringLiteral("午餐"));
    plain.TextOut(3 + 2 * stop, 2, QStringLiteral("晚"));
    EXPECT_EQ(Image, expected);
}

// Measures follow the context's font as it changes, back and forth.
TEST_F(TextDrawTest, EveryFontIsMeasuredAsItself) {
    const QString text = QStringLiteral("能量 Kcal");
    const int small = DC.GetTextExtent(text).cx;
    DC.Font.Height = -24;
    const int large = DC.GetTextExtent(text).cx;
    EXPECT_GT(large, small * 3 / 2);
    DC.Font.Height = -12;
    EXPECT_EQ(DC.GetTextExtent(text).cx, small);
    DC.Font.Height = -24;
    EXPECT_EQ(DC.GetTextExtent(text).cx, large);
}

// A text laid out again is broken and cut for its own width and font, not for the last ones it had.
TEST_F(TextDrawTest, ATextLaidOutAgainFollowsItsWidthAndFont) {
    const QString text = QStringLiteral("早餐午餐晚餐");
    const int oneChar = DC.GetTextExtent(QStringLiteral("早")).cx;
    const int lineHeight = LineHeight();
    TRect narrow = Rect(0, 0, oneChar * 2 + 1, 0);
    EXPECT_EQ(DrawTextDC(&DC, text, narrow, DT_CALCRECT | DT_WORDBREAK), 3 * lineHeight);
    TRect wide = Rect(0, 0, oneChar * 6 + 1, 0);
    EXPECT_EQ(DrawTextDC(&DC, text, wide, DT_CALCRECT | DT_WORDBREAK), lineHeight);
    EXPECT_EQ(wide.Width(), DC.GetTextExtent(text).cx);
    narrow = Rect(0, 0, oneChar * 2 + 1, 0);
    EXPECT_EQ(DrawTextDC(&DC, text, narrow, DT_CALCRECT | DT_WORDBREAK), 3 * lineHeight);
    DC.Font.Height = -24;
    narrow = Rect(0, 0, oneChar * 2 + 1, 0);
    EXPECT_EQ(DrawTextDC(&DC, text, narrow, DT_CALCRECT | DT_WORDBREAK), 6 * LineHeight());
    DC.Font.Height = -12;
    TRect cut = Rect(0, 0, oneChar * 3, 0);
    DrawTextDC(&DC, text, cut, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(cut.Width(), oneChar * 3);
    cut = Rect(0, 0, oneChar * 10, 0);
    DrawTextDC(&DC, text, cut, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(cut.Width(), DC.GetTextExtent(text).cx);
}
