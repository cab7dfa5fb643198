// The common unit's colour arithmetic, schemes, theme colours, text helpers and version tests; the
// expected values are worked out from the HLS rules by hand.
#include "Registry.h"
#include "SkCommon.h"
#include "SkOSInfo.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct THLS {
    int H, S, L;
    bool operator==(const THLS&) const = default;
};
THLS HLS(TColor c) {
    std::uint8_t h, s, l;
    ColorToHLS(c, h, s, l);
    return {h, s, l};
}
std::ostream& operator<<(std::ostream& os, const THLS& v) {
    return os << v.H << "/" << v.S << "/" << v.L;
}

// Switches the platform profile for one test and puts it back.
struct ProfileTest : testing::Test {
    void TearDown() override {
        ResetPlatformProfile();
        HighColorDisplay = true;
    }
};
}  // namespace

TEST(HLS, EdgeValuesOfThePrimaryColours) {
    EXPECT_EQ(HLS(clBlack), (THLS{0, 0, 0}));
    EXPECT_EQ(HLS(clWhite), (THLS{0, 0, 240}));
    EXPECT_EQ(HLS(RGB(255, 0, 0)), (THLS{0, 240, 120}));
    EXPECT_EQ(HLS(RGB(0, 255, 255)), (THLS{120, 240, 120}));  // cyan: g is the maximum, (2 + 1) / 6
    EXPECT_EQ(HLS(RGB(0, 0, 255)), (THLS{160, 240, 120}));
    EXPECT_EQ(HLS(clBtnShadow), (THLS{0, 0, 120}));  // 128 / 255 * 240 = 120.47
    EXPECT_EQ(ColorHue(RGB(255, 0, 255)), 200);
    EXPECT_EQ(HLSToColor(0, 0, 0), clBlack);
    EXPECT_EQ(HLSToColor(0, 240, 120), RGB(255, 0, 0));
    EXPECT_EQ(HLSToColor(239, 240, 120), RGB(255, 0, 0));  // sextant 6 falls to the first case
    EXPECT_EQ(HLSToColor(80, 240, 120), RGB(0, 255, 2));   // hue / 239: fraction 0.0084 of the sextant
    EXPECT_EQ(HLSToColor(0, 0, 150), RGB(159, 159, 159));  // 150 / 240 * 255 = 159.4
}

TEST(HLS, RoundTripsKeepGreysAndPureHues) {
    for (int v = 0; v <= 255; v += 17) {
        const THLS g = HLS(RGB(v, v, v));
        EXPECT_EQ(HLSToColor(std::uint8_t(g.H), std::uint8_t(g.S), std::uint8_t(g.L)),
                  RGB(std::lround(g.L * 255 / 240.0), std::lround(g.L * 255 / 240.0),
                      std::lround(g.L * 255 / 240.0)));
    }
    for (TColor c : {RGB(255, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)}) {
        const THLS v = HLS(c);
        EXPECT_EQ(HLSToColor(std::uint8_t(v.H), std::uint8_t(v.S), std::uint8_t(v.L)), c);
    }
    // Blue does not come back whole: hue 160 / 239 lies 0.0167 into sextant 4, so red gets 4.
    EXPECT_EQ(HLSToColor(160, 240, 120), RGB(4, 0, 255));
}

TEST(HLS, LighterDarkerAndAdjustStopAtTheirLimits) {
    EXPECT_EQ(LighterColor(clWhite, 10), clWhite);
    EXPECT_EQ(DarkerColor(clBlack, 10), clBlack);
    EXPECT_EQ(LighterColor(clBtnShadow, 30), RGB(159, 159, 159));
    EXPECT_EQ(DarkerColor(clBtnShadow, 120), clBlack);
    EXPECT_EQ(LighterColor(RGB(240, 240, 240), 200), clWhite);  // up to 255 and clamped in RGB
    EXPECT_EQ(AdjustColor(clBtnFace, 0), clBtnFace);            // the system colour itself
    EXPECT_EQ(AdjustColor(clBtnShadow, -120), clBlack);
    EXPECT_EQ(AdjustColor(clBtnShadow, 30), RGB(159, 159, 159));
}

TEST(HLS, BlendXorClosenessAndComplement) {
    EXPECT_EQ(BlendColors(clWhite, clBlack, 128), RGB(128, 128, 128));
    EXPECT_EQ(BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), 77), RGB(77, 0, 178));
    EXPECT_EQ(BlendColors(clHighlight, clWindow, 77), RGB(181, 189, 210));
    EXPECT_EQ(XorColors(RGB(255, 0, 15), RGB(15, 255, 15)), RGB(240, 255, 0));
    EXPECT_FALSE(ColorsTooClose(RGB(255, 0, 0), RGB(255, 128, 0)));  // hues 0 and 20
    EXPECT_TRUE(ColorsTooClose(RGB(255, 0, 0), RGB(255, 120, 0)));   // hues 0 and 19
    EXPECT_FALSE(ColorsTooClose(clBlack, clWhite));
    EXPECT_EQ(ComplementaryColor(RGB(0, 255, 255), 120), RGB(255, 0, 0));  // hue 120 gives 0
    EXPECT_EQ(ComplementaryColor(RGB(255, 0, 0), 120),
              RGB(0, 252, 255));  // hue 120 / 239: 0.0126 into sextant 3
}

TEST(HLS, CenterRectTruncatesTowardZero) {
    EXPECT_EQ(CenterRect(Rect(0, 0, 10, 10), 3, 3), Rect(3, 3, 6, 6));
    EXPECT_EQ(CenterRect(Rect(-10, 0, -1, 4), 4, 2), Rect(-7, 1, -3, 3));
}

TEST_F(ProfileTest, ClassicSchemeColoursUntilThemesAreOn) {
    TColor border, start, stop;
    GetXPSchemeColors3(gcsMSOffice, border, start, stop);
    EXPECT_EQ(border, clHighlight);
    EXPECT_EQ(stop, RGB(181, 189, 210));
    EXPECT_EQ(start, LighterColor(stop, 20));
    EXPECT_NE(start, stop);
    EXPECT_EQ(GetXPSchemeFrameColor(gcsMSOffice), RGB(159, 159, 159));
    EXPECT_EQ(GetXPThemeColor(0), clBtnFace);
    TColor light, dark, face, highlight, shadow;
    GetXPSchemeColors2(gcsMSOffice, light, dark);
    EXPECT_EQ(light, clWindow);
    EXPECT_EQ(dark, DarkerColor(clBtnFace, 10));
    GetXPSchemeButtonColors(gcsSystem, face, highlight, shadow);
    EXPECT_EQ(face, DarkerColor(clBtnFace, 20));
    EXPECT_EQ(shadow, DarkerColor(clBtnFace, 40));
    SetThemesActiveForTest(true);
    XPColorScheme = 2;
    GetXPSchemeColors3(gcsMSOffice, border, start, stop);
    EXPECT_EQ(border, TColor(0x6F4B4B));
    EXPECT_EQ(start, TColor(0xC2EEFF));
    GetXPSchemeColors3(gcsCustom, border, start, stop);  // only the Office style takes the scheme
    EXPECT_EQ(border, clHighlight);
    EXPECT_EQ(GetXPSchemeFrameColor(gcsMSOffice), TColor(0xB19F9F));
    GetXPSchemeButtonColors(gcsMSOffice, face, highlight, shadow);
    EXPECT_EQ(face, TColor(0xD0BCBD));
    EXPECT_EQ(shadow, face);
    EXPECT_EQ(GetXPThemeColor(0), TColor(0xB99D7F));
    EXPECT_EQ(GetXPThemeColor(8), TColor(0xFFFFFF));
    XPColorScheme = 0;
}

TEST_F(ProfileTest, OnA256ColourDisplayTheSelectionHasNoGradient) {
    SetHighColorForTest(false);
    EXPECT_FALSE(IsHighColorDisplay());
    HighColorDisplay = IsHighColorDisplay();
    TColor border, start, stop;
    GetXPSchemeColors3(gcsSystem, border, start, stop);
    EXPECT_EQ(start, stop);
}

TEST(Schemes, TheColourSchemeComesFromTheRegistryFile) {
    QTemporaryDir dir;
    TRegIniFile::SetFileName(dir.filePath(QStringLiteral("desktop.ini")));
    EXPECT_EQ(GetXPColorScheme(), 0);
    TRegIniFile key(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion"));
    key.WriteString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), QStringLiteral("HomeStead"));
    EXPECT_EQ(GetXPColorScheme(), 1);
    key.WriteString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), QStringLiteral("metallic"));
    EXPECT_EQ(GetXPColorScheme(), 2);
    key.WriteString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"),
                    QStringLiteral("NormalColor"));
    EXPECT_EQ(GetXPColorScheme(), 0);
    TRegIniFile::SetFileName(QString());
}

TEST(TextHelpers, AcceleratorsCharactersAndBlanks) {
    EXPECT_EQ(RemoveAccelerators(QStringLiteral("&&A")), QStringLiteral("&A"));
    EXPECT_EQ(RemoveAccelerators(QStringLiteral("&Save")), QStringLiteral("Save"));
    EXPECT_EQ(RemoveAccelerators(QStringLiteral("Ab&")), QStringLiteral("Ab&"));
    EXPECT_EQ(RemoveAccelerators(QStringLiteral("保存(&S)")), QStringLiteral("保存(S)"));
    EXPECT_EQ(FirstNonBlankChar(QStringLiteral("  x y ")), QLatin1Char('x'));
    EXPECT_EQ(FirstNonBlankChar(QStringLiteral("   ")), QChar(0));
    EXPECT_EQ(CountChar(QLatin1Char('a'), QStringLiteral("banana")), 3);
    QString s = QStringLiteral("a,b,c");
    EXPECT_TRUE(RemoveChar(s, QLatin1Char(',')));
    EXPECT_EQ(s, QStringLiteral("ab,c"));
    EXPECT_FALSE(RemoveChar(s, QLatin1Char(';')));
    EXPECT_TRUE(IsLeadByteChar(0xB0));
    EXPECT_FALSE(IsLeadByteChar('A'));
    TCharSet digits;
    for (int c = '0'; c <= '9'; ++c)
        digits.set(size_t(c));
    EXPECT_TRUE(CharInSet('5', digits));
    EXPECT_FALSE(CharInSet('x', digits));
    std::uint16_t a = 1, b = 2;
    SwapWords(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(MaxInt(-3, 4), 4);
    EXPECT_EQ(MinInt(-3, 4), -3);
}

TEST(TextHelpers, FontsMeasureAndRotate) {
    TFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetSize(9);
    EXPECT_TRUE(IsTrueTypeFont(&font));
    font.SetName(QStringLiteral("MS Sans Serif"));  // a raster face stays one
    EXPECT_FALSE(IsTrueTypeFont(&font));
    EXPECT_GT(GetMinFontHeight(&font), 12);
    EXPECT_GT(GetAvgCharWidth(&font), 3);
    font.SetStyle(FontStyle(fsBold));
    font.SetPitch(fpVariable);
    HFONT rotated = CreateRotatedFont(&font, 90);
    EXPECT_EQ(rotated->Escapement, 900);
    EXPECT_EQ(rotated->Orientation, 0);
    EXPECT_EQ(rotated->Weight, 700);
    EXPECT_EQ(rotated->Height, font.Height());
    EXPECT_EQ(rotated->PitchAndFamily, 2);
    DeleteObject(rotated);
}

TEST_F(ProfileTest, VersionTestsFollowThePlatformAndMajorMinorRules) {
    EXPECT_TRUE(RunningUnder(wvWinXP));
    EXPECT_FALSE(RunningUnder(wvWin2000));
    EXPECT_TRUE(RunningAtLeast(wvWinXP));
    EXPECT_TRUE(RunningAtLeast(wvWin2000));
    EXPECT_TRUE(RunningAtLeast(wvWin98));  // major 5
    EXPECT_FALSE(RunningAtLeast(wvWin2003));
    EXPECT_FALSE(RunningAtLeast(wvWinVista));
    EXPECT_FALSE(RunningUnder(TSkWindowsVersion(9)));
    EXPECT_FALSE(RunningAtLeast(TSkWindowsVersion(-1)));
    EXPECT_TRUE(IsWinNT());
    SetOSVersionForTest(1, 4, 10);  // Windows 98
    EXPECT_TRUE(RunningUnder(wvWin98));
    EXPECT_TRUE(RunningAtLeast(wvWin95));
    EXPECT_FALSE(RunningAtLeast(wvWinNT));
    EXPECT_FALSE(IsWinNT());
    SetOSVersionForTest(2, 6, 0);  // Vista: "at least 2003" holds through major 6
    EXPECT_TRUE(RunningAtLeast(wvWin2003));
    EXPECT_TRUE(RunningUnder(wvWinVista));
    EXPECT_FALSE(RunningAtLeast(wvWin7));
    std::uint64_t version = 1;
    EXPECT_TRUE(GetDllFileVersion(QStringLiteral("shell32.dll"), version));
    EXPECT_EQ(version >> 48, 6u);
    EXPECT_FALSE(GetDllFileVersion(QStringLiteral("other.dll"), version));
    EXPECT_EQ(version, 0u);
    EXPECT_EQ(ComCtlVersion(), MakeFileVersion(6, 0));
    EXPECT_TRUE(ComInitialized());
}
