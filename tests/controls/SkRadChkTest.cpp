// The check box and the radio button: their glyphs in each look and state (pixels worked out from the
// glyph rules by hand), custom glyph strips and image lists, radio groups per parent, the three states,
// read-only boxes, actions, accelerators, sizing and the stored form.
#include "ExtCtrls.h"
#include "Platform.h"
#include "SkButtonFixture.h"
#include "SkRadChk.h"
#include "Streaming.h"
#include "WindowInput.h"

namespace {
struct GlyphButton : SkButtonWindow {
    int Clicks = 0;
    template <class T>
    T* Make(const QString& caption = QString(), int left = 10, int top = 10, TWinControl* parent = nullptr) {
        T* b = Place<T>(left, top, parent);
        b->SetCaption(caption);
        b->OnClick = [this](TObject*) { ++Clicks; };
        return b;
    }
    // A fixed size, the glyph at (0, 2) (left, top).
    template <class T> T* Fixed(int width = 80, int height = 17) {
        T* b = Make<T>();
        b->SetAutoSize(false);
        b->SetBounds(10, 10, width, height);
        return b;
    }
    static TColor Sys(TColor c) { return ColorToRGB(c); }
    static int CountIn(const QImage& p, const TRect& r, TColor c) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += Pixel(p, x, y) == ColorToRGB(c);
        return n;
    }
    // Glyphs of one solid colour each, 13 x 13.
    static QImage Solid(TColor c) {
        QImage image(13, 13, QImage::Format_ARGB32);
        image.fill(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
        return image;
    }
    static constexpr TColor Glyph[12] = {0x102030, 0x203040, 0x304050, 0x405060, 0x506070, 0x607080,
                                         0x708090, 0x8090A0, 0x90A0B0, 0xA0B0C0, 0xB0C0D0, 0xC0D0E0};
};
}  // namespace

// Classic glyphs
// -----------------------------------------------------------------------------------------------
TEST_F(GlyphButton, TheClassicCheckBoxIsASunkenBoxBesideTheCaption) {
    auto* box = Fixed<TSkCheckBox>();
    QImage p = box->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 0, 2), Sys(clBtnShadow));  // sunken edge: outer and inner passes
    EXPECT_EQ(Pixel(p, 1, 3), Sys(cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 12, 14), Sys(clBtnHighlight));
    EXPECT_EQ(Pixel(p, 11, 13), Sys(cl3DLight));
    EXPECT_EQ(Pixel(p, 0, 1), Sys(clWindow));  // above the glyph: the control's colour
    const TRect inside = Rect(2, 4, 11, 13);
    EXPECT_EQ(CountIn(p, inside, clWindow), 81);
    box->SetChecked(true);
    EXPECT_GT(CountIn(box->PaintOffscreen(), inside, clWindowText), 0);
    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);  // a grey check on a dithered box
    p = box->PaintOffscreen();
    EXPECT_GT(CountIn(p, inside, clBtnShadow), 0);
    EXPECT_EQ(CountIn(p, inside, clWindowText), 0);
    box->SetState(cbUnchecked);
    box->SetEnabled(false);
    EXPECT_EQ(CountIn(box->PaintOffscreen(), inside, clBtnFace), 81);

    box->SetEnabled(true);
    box->SetAlignment(taLeftJustify);  // the caption left, the glyph at the right edge
    p = box->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 67, 2), Sys(clBtnShadow));
    EXPECT_EQ(Pixel(p, 0, 2), Sys(clWindow));
    box->SetHeight(25);
    box->SetAlignmentVertical(avCenter);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 67, 6), Sys(clBtnShadow));  // (25 - 13) div 2
    box->SetAlignmentVertical(avBottom);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 67, 10), Sys(clBtnShadow));  // 25 - 13 - 2
}

// The caption starts at 1 + 13 + 4 = 18 and the top at 1; the focus frame is that rectangle grown by
// one, dotted from its second pixel on. Held by the space bar the classic box turns clBtnFace inside.
TEST_F(GlyphButton, AFocusedCheckBoxDotsItsCaptionAndAPressedOneGreysItsBox) {
    auto* box = Fixed<TSkCheckBox>();
    box->SetCaption(QStringLiteral("早餐"));
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 17, 1), Sys(clWindow));
    box->SetFocus();
    QImage p = box->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 17, 1), TColor(clBlack));
    EXPECT_EQ(Pixel(p, 18, 0), TColor(clBlack));
    EXPECT_EQ(Pixel(p, 17, 0), Sys(clWindow));
    EXPECT_EQ(Pixel(p, 17, 2), Sys(clWindow));
    const TRect inside = Rect(2, 4, 11, 13);
    EXPECT_EQ(CountIn(p, inside, clWindow), 81);
    box->Perform(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(CountIn(box->PaintOffscreen(), inside, clBtnFace), 81);
    box->Perform(WM_KEYUP, VK_SPACE);
    EXPECT_TRUE(box->Checked());
}

TEST_F(GlyphButton, TheClassicRadioCircleLetsTheControlsColourShowRoundIt) {
    auto* radio = Fixed<TSkRadioButton>();
    radio->SetColor(clYellow);
    QImage p = radio->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 0, 2), clYellow);  // outside the circle
    EXPECT_EQ(Pixel(p, 12, 14), clYellow);
    EXPECT_EQ(Pixel(p, 4, 2), Sys(clBtnShadow));       // the rim: upper left
    EXPECT_EQ(Pixel(p, 10, 10), Sys(clBtnHighlight));  // lower right: the 12-pixel circle's row 8
    EXPECT_EQ(Pixel(p, 11, 10), clYellow);
    EXPECT_EQ(Pixel(p, 6, 8), Sys(clWindow));
    radio->SetChecked(true);
    EXPECT_EQ(Pixel(radio->PaintOffscreen(), 6, 8), Sys(clWindowText));  // the dot
}

TEST_F(GlyphButton, ATransparentRadioShowsItsParentAndBlendsTheCirclesEdge) {
    auto* radio = Fixed<TSkRadioButton>();
    radio->SetTransparent(true);
    QImage p = radio->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 79, 0), SkinBlue);
    EXPECT_EQ(Pixel(p, 0, 2), SkinBlue);  // (0, 0) of the glyph is no edge pixel
    // (3, 0): the parent blended with clBtnShadow (128, 128, 128) at weight 40 of 255.
    EXPECT_EQ(Pixel(p, 3, 2), RGB(20, 174, 229));
    EXPECT_EQ(Pixel(p, 4, 2), Sys(clBtnShadow));  // the rim blended with its own colour
    radio->SetTransparent(false);
    p = radio->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 79, 0), Sys(clWindow));
    EXPECT_EQ(Pixel(p, 3, 2), Sys(clWindow));

    // Over a picture that changes, each painting shows the picture of the moment.
    auto* picture = new TPaintBox(Form.get());
    picture->SetParent(Form.get());
    picture->SetBounds(10, 100, 150, 40);
    TColor paper = clYellow;
    picture->OnPaint = [&](TObject*) {
        picture->Canvas()->Brush()->SetColor(paper);
        picture->Canvas()->FillRect(Rect(0, 0, 150, 40));
    };
    auto* over = Make<TSkRadioButton>(QString(), 5, 5, picture);
    over->SetAutoSize(false);
    over->SetBounds(5, 5, 80, 17);
    over->SetTransparent(true);
    EXPECT_EQ(Pixel(over->PaintOffscreen(), 79, 0), clYellow);
    paper = clLime;
    EXPECT_EQ(Pixel(over->PaintOffscreen(), 79, 0), clLime);
}

// The library's hot-track glyphs
// -----------------------------------------------------------------------------
TEST_F(GlyphButton, TheHotTrackCheckBoxIsAFlatBoxWithTheLibrarysCheck) {
    auto* box = Fixed<TSkCheckBox>();
    box->SetHotTrack(true);
    box->SetChecked(true);
    QImage p = box->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 0, 2), Sys(clBtnShadow));  // the box in FrameColor
    EXPECT_EQ(Pixel(p, 12, 14), Sys(clBtnShadow));
    EXPECT_EQ(Pixel(p, 3, 7), Sys(clHighlight));  // column 3, rows 5 to 7
    EXPECT_EQ(Pixel(p, 3, 9), Sys(clHighlight));
    EXPECT_EQ(Pixel(p, 9, 5), Sys(clHighlight));  // column 9, rows 3 to 5
    EXPECT_EQ(Pixel(p, 3, 6), Sys(clWindow));     // above and below the check: the fill
    EXPECT_EQ(Pixel(p, 3, 10), Sys(clWindow));
    box->SetReadOnly(true);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 3, 10), Sys(clInfoBk));
    box->SetReadOnly(false);
    box->SetEnabled(false);
    p = box->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 3, 10), Sys(clBtnFace));
    EXPECT_EQ(Pixel(p, 3, 7), Sys(clBtnShadow));
    box->SetEnabled(true);
    box->SetHotTrackStyle(htsFrame);
    box->Perform(CM_MOUSEENTER);  // hot in the frame: the box in the dark hot colour
    p = box->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 0, 2), TColor(0x149BF0));
    EXPECT_EQ(Pixel(p, 12, 14), TColor(0x149BF0));
}

// Hot in the interior style, the radio circle gets a ring of the hot colours inside its rim; its
// centre and the cross through it keep the fill.
TEST_F(GlyphButton, TheHotTrackRadioGlowsInARingInsideItsRim) {
    auto* radio = Fixed<TSkRadioButton>();
    radio->SetHotTrack(true);
    const QImage cold = radio->PaintOffscreen();
    radio->Perform(CM_MOUSEENTER);
    const QImage hot = radio->PaintOffscreen();
    // The light hot colour: white blended with RGB (240, 155, 20), the dark one that colour itself.
    const auto between = [](TColor c) {
        return GetRValue(c) >= 240 && GetGValue(c) >= 155 && GetBValue(c) >= 20 && c != ColorToRGB(clWindow);
    };
    for (auto [x, y] : {std::pair{6, 2}, {2, 6}, {10, 6}, {6, 10}, {4, 3}}) {
        EXPECT_EQ(Pixel(cold, x, y + 2), Sys(clWindow)) << x << "," << y;
        EXPECT_TRUE(between(Pixel(hot, x, y + 2))) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{6, 6}, {6, 3}, {3, 6}, {9, 6}, {6, 9}})
        EXPECT_EQ(Pixel(hot, x, y + 2), Sys(clWindow)) << x << "," << y;
    EXPECT_NE(Pixel(hot, 6, 2 + 2), Pixel(hot, 6, 10 + 2));  // a gradient, light to dark
}

// Custom glyphs
// ------------------------------------------------------------------------------------------------
TEST_F(GlyphButton, AStripOfNineGlyphsGivesThirteenPixelGlyphsChosenByState) {
    TBitmap strip(117, 13);
    for (int i = 0; i < 9; ++i) {
        strip.Canvas()->Brush()->SetColor(Glyph[i]);
        strip.Canvas()->FillRect(Rect(i * 13, 0, i * 13 + 13, 13));
    }
    strip.Canvas()->SetPixels(13 + 1, 1, clOlive);  // the key colours of glyph 1
    strip.Canvas()->SetPixels(13 + 2, 1, clLime);
    auto* box = Fixed<TSkCheckBox>();
    box->SetColor(clYellow);
    box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphWidth(), 13);
    EXPECT_EQ(box->GlyphHeight(), 13);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[0]);
    box->SetChecked(true);
    QImage p = box->PaintOffscreen();
    EXPECT_EQ(Pixel(p, 5, 7), Glyph[1]);
    EXPECT_EQ(Pixel(p, 1, 3), clYellow);       // TransparentColor: the control's colour
    EXPECT_EQ(Pixel(p, 2, 3), Sys(clWindow));  // WinMaskColor: the window colour
    box->Perform(WM_KEYDOWN, VK_SPACE);        // pressed
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[4]);
    box->Perform(WM_KEYUP, VK_SPACE);  // and released: a click
    box->SetEnabled(false);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[6]);  // disabled unchecked

    box->SetNumGlyphs(0);  // counts as one glyph: the whole strip
    EXPECT_EQ(box->NumGlyphs(), 1);
    EXPECT_EQ(box->GlyphWidth(), 117);
    box->SetNumGlyphs(-3);
    EXPECT_EQ(box->NumGlyphs(), 1);
    EXPECT_EQ(box->GlyphWidth(), 117);
    box->SetEnabled(true);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[0]);
    box->SetCustomGlyphs(nullptr);
    EXPECT_FALSE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphWidth(), 13);
}

TEST_F(GlyphButton, HotGlyphsComeFromALongImageListAndGiveWayWhereItHasNone) {
    TImageList list(nullptr);
    list.SetWidth(13);
    list.SetHeight(13);
    auto* box = Fixed<TSkCheckBox>();
    box->SetAllowGrayed(true);
    box->SetHotTrack(true);
    box->SetCustomGlyphImages(&list);
    EXPECT_FALSE(box->UseCustomGlyphs());  // an empty list gives no glyphs
    for (int i = 0; i < 10; ++i)
        list.AddImage(Solid(Glyph[i]));
    EXPECT_TRUE(box->UseCustomGlyphs());  // the list told the box
    box->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[9]);  // hot unchecked
    box->SetState(cbChecked);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[1]);  // hot checked is 10: not in the list
    box->SetState(cbGrayed);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[2]);
    box->SetHotTrack(false);
    box->SetState(cbUnchecked);
    EXPECT_EQ(Pixel(box->PaintOffscreen(), 5, 7), Glyph[0]);

    TImageList radios(nullptr);
    radios.SetWidth(13);
    radios.SetHeight(13);
    for (int i = 0; i < 7; ++i)
        radios.AddImage(Solid(Glyph[i]));
    auto* radio = Fixed<TSkRadioButton>();
    radio->SetTop(40);
    radio->SetHotTrack(true);
    radio->SetCustomGlyphImages(&radios);
    radio->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Pixel(radio->PaintOffscreen(), 5, 7), Glyph[6]);
    radio->SetChecked(true);
    EXPECT_EQ(Pixel(radio->PaintOffscreen(), 5, 7), Glyph[1]);  // hot checked is 7: not in the list

    // Images one pixel wide are glyphs too.
    TImageList thin(nullptr);
    thin.SetWidth(1);
    thin.SetHeight(13);
    QImage line(1, 13, QImage::Format_ARGB32);
    line.fill(Qt::red);
    thin.AddImage(line);
    radio->SetCustomGlyphImages(&thin);
    EXPECT_TRUE(radio->UseCustomGlyphs());
    EXPECT_EQ(radio->GlyphWidth(), 1);

    // A list freed under the button leaves it the library's glyphs.
    auto* freed = new TImageList(nullptr);
    freed->SetWidth(13);
    freed->SetHeight(13);
    for (int i = 0; i < 7; ++i)
        freed->AddImage(Solid(Glyph[i]));
    radio->SetCustomGlyphImages(freed);
    delete freed;
    EXPECT_EQ(radio->CustomGlyphImages(), nullptr);
    EXPECT_FALSE(radio->UseCustomGlyphs());
}

TEST_F(GlyphButton, WithVisualStylesTheThemeDrawsTheGlyph) {
    SetThemesActiveForTest(true);
    auto* box = Fixed<TSkCheckBox>();
    box->SetChecked(true);
    const QImage p = box->PaintOffscreen();
    box->SetUseCustomGlyphs(true);  // glyphs of its own, none there, and back to the theme's
    box->SetUseCustomGlyphs(false);
    const int width = box->GlyphWidth();
    ResetPlatformProfile();
    EXPECT_EQ(width, 13);
    EXPECT_NE(Pixel(p, 0, 2), Sys(clBtnShadow));             // not the classic sunken box
    EXPECT_GT(CountIn(p, Rect(0, 2, 13, 15), 0x21A121), 0);  // the style's green check
}

// With visual styles the glyph grows by the ratio less one pixel: 13 * 120 / 96 = 16.25, so 15. Back at
// 96 / 120 it is 13 again, not 15 * 96 / 120 - 1 = 11.
TEST_F(GlyphButton, ScalingTheThemedGlyphThereAndBackGivesItsSizeBack) {
    SetThemesActiveForTest(true);
    auto* radio = Fixed<TSkRadioButton>();
    radio->ChangeScale(120, 96);
    const int scaled = radio->GlyphWidth();
    radio->ChangeScale(96, 120);
    const int back = radio->GlyphWidth(), backHeight = radio->GlyphHeight();
    radio->ChangeScale(2, 1);
    radio->ChangeScale(2, 1);
    const int fourTimes = radio->GlyphHeight();
    ResetPlatformProfile();
    EXPECT_EQ(scaled, 15);
    EXPECT_EQ(back, 13);
    EXPECT_EQ(backHeight, 13);
    EXPECT_EQ(fourTimes, 51);  // 13 * 4 - 1
    radio->ChangeScale(1, 4);  // without visual styles the glyph keeps its size
    EXPECT_EQ(radio->GlyphWidth(), 51);
}

// Radio groups
// -------------------------------------------------------------------------------------------------
TEST_F(GlyphButton, CheckingARadioButtonUnchecksTheOthersOfItsParentOnly) {
    auto* a = Make<TSkRadioButton>(QStringLiteral("早餐"), 10, 10);
    auto* b = Make<TSkRadioButton>(QStringLiteral("午餐"), 10, 40);
    auto* panel = Place<TPanel>(100, 10);
    auto* elsewhere = Make<TSkRadioButton>(QStringLiteral("晚餐"), 0, 0, panel);
    elsewhere->SetChecked(true);
    EXPECT_FALSE(a->TabStop());
    a->SetChecked(true);
    EXPECT_TRUE(a->TabStop());  // only the checked one is a tab stop
    EXPECT_EQ(a->Perform(BM_GETCHECK), 1);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(a->TabStop());
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_EQ(Clicks, 3);  // each check clicks; the unchecking does not
}

TEST_F(GlyphButton, TheKeyboardsFocusChecksARadioButtonAndTheMouseChecksItOnce) {
    auto* a = Make<TSkRadioButton>(QStringLiteral("早餐"), 10, 10);
    auto* b = Make<TSkRadioButton>(QStringLiteral("午餐"), 10, 40);
    int entered = 0;
    a->OnEnter = [&](TObject*) { ++entered; };
    a->SetFocus();
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(entered, 1);
    QTest::mouseClick(b->Widget(), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Clicks, 2);
    QTest::mouseClick(b->Widget(), Qt::LeftButton, {}, QPoint(3, 5));  // checked already
    EXPECT_EQ(Clicks, 2);

    a->SetReadOnly(true);  // one read-only radio makes its parent's all read-only
    EXPECT_TRUE(b->ReadOnly());
    QTest::mouseClick(a->Widget(), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_FALSE(a->Checked());
    b->SetReadOnly(false);
    EXPECT_FALSE(a->ReadOnly());
    a->SetCaption(QStringLiteral("早餐(&B)"));
    b->SetFocus();
    QTest::keyClick(b->Widget(), Qt::Key_B, Qt::AltModifier);  // the accelerator focuses and so checks
    EXPECT_TRUE(a->Focused());
    EXPECT_TRUE(a->Checked());

    // An arrow alone moves the focus, and so the check with its one click, to the next radio button
    // of the parent, round from the last to the first; another parent's button stays as it is.
    auto* panel = Place<TPanel>(10, 80);
    auto* elsewhere = Make<TSkRadioButton>(QStringLiteral("加餐"), 2, 2, panel);
    elsewhere->SetChecked(true);
    const int clicks = Clicks;
    QTest::keyClick(a->Widget(), Qt::Key_Down);
    EXPECT_TRUE(b->Focused());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Clicks, clicks + 1);
    QTest::keyClick(b->Widget(), Qt::Key_Right);
    EXPECT_TRUE(a->Checked());
    QTest::keyClick(a->Widget(), Qt::Key_Up);
    EXPECT_TRUE(b->Checked());
    QTest::keyClick(b->Widget(), Qt::Key_Left);
    EXPECT_TRUE(a->Focused());
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_EQ(Clicks, clicks + 4);
    // With Shift, or on a button without the focus, the arrow is no dialog key of the button's.
    EXPECT_EQ(a->Perform(CM_DIALOGKEY, VK_DOWN, ShiftKeyData(ssShift)), 0);
    EXPECT_EQ(b->Perform(CM_DIALOGKEY, VK_DOWN), 0);
    EXPECT_EQ(Clicks, clicks + 4);

    // Four made out of reading order, the second disabled: Right and Down go on in reading order and
    // Left and Up back, round, past the disabled one.
    auto* group = Place<TPanel>(120, 10);
    group->SetBounds(120, 10, 100, 90);
    auto* third = Make<TSkRadioButton>(QStringLiteral("午餐"), 2, 42, group);
    auto* first = Make<TSkRadioButton>(QStringLiteral("早餐"), 2, 2, group);
    auto* fourth = Make<TSkRadioButton>(QStringLiteral("晚餐"), 2, 62, group);
    auto* second = Make<TSkRadioButton>(QStringLiteral("早加餐"), 2, 22, group);
    second->SetEnabled(false);
    first->SetFocus();
    const std::pair<Qt::Key, TSkRadioButton*> steps[] = {
        {Qt::Key_Down, third}, {Qt::Key_Right, fourth}, {Qt::Key_Down, first}, {Qt::Key_Up, fourth},
        {Qt::Key_Left, third}, {Qt::Key_Up, first},     {Qt::Key_Left, fourth}};
    for (const auto& [key, next] : steps) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_TRUE(next->Focused()) << next->Caption().toStdString();
        EXPECT_TRUE(next->Checked()) << next->Caption().toStdString();
    }
    EXPECT_FALSE(second->Checked());
}

// Check boxes
// -----------------------------------------------------------------------------------------------------
TEST_F(GlyphButton, ACheckBoxCyclesThroughTwoOrThreeStates) {
    auto* box = Make<TSkCheckBox>(QStringLiteral("记住密码"));
    QWidget* w = box->Widget();
    std::vector<TCheckBoxState> seen, seenOnMouseUp;
    // The mouse-up handler runs as the button comes up, before the click changes the box.
    box->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        seenOnMouseUp.push_back(box->State());
    };
    auto click = [&] {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 5));
        seen.push_back(box->State());
    };
    click();
    click();
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
    EXPECT_EQ(seenOnMouseUp, (std::vector<TCheckBoxState>{cbUnchecked, cbChecked}));
    box->SetAllowGrayed(true);
    seen.clear();
    click();
    EXPECT_EQ(box->Perform(BM_GETCHECK), 2);
    click();
    click();
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(Clicks, 5);
    box->SetFocus();  // the space bar: pressed while down, toggled on release
    QTest::keyPress(w, Qt::Key_Space);
    EXPECT_TRUE(box->Pressed());
    EXPECT_EQ(box->State(), cbUnchecked);
    QTest::keyRelease(w, Qt::Key_Space);
    EXPECT_EQ(box->State(), cbGrayed);
    QTest::keyPress(w, Qt::Key_Space);
    QTest::keyClick(w, Qt::Key_Escape);  // Escape lets go without a toggle
    QTest::keyRelease(w, Qt::Key_Space);
    EXPECT_EQ(box->State(), cbGrayed);
}

// A check box clicked twice quickly toggles twice, and hears of the double click too.
TEST_F(GlyphButton, EachClickOfADoubleClickTogglesACheckBox) {
    auto* box = Make<TSkCheckBox>(QStringLiteral("记住密码"));
    int doubles = 0;
    box->OnDblClick = [&](TObject*) { ++doubles; };
    DoubleClick(box->Widget(), QPoint(3, 5));
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(doubles, 1);
    box->SetAllowGrayed(true);
    DoubleClick(box->Widget(), QPoint(3, 5));
    EXPECT_EQ(box->State(), cbChecked);  // unchecked, grayed, checked
}

TEST_F(GlyphButton, AReadOnlyCheckBoxIgnoresTheUserButNotTheProgram) {
    auto* box = Make<TSkCheckBox>(QStringLiteral("记住密码(&R)"));
    box->SetReadOnly(true);
    QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(3, 5));
    QTest::keyClick(box->Widget(), Qt::Key_Space);
    QTest::keyClick(box->Widget(), Qt::Key_R, Qt::AltModifier);
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(box->Focused());  // the accelerator still brings the focus
    box->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(Clicks, 1);
    box->SetReadOnly(false);
    QTest::keyClick(box->Widget(), Qt::Key_R, Qt::AltModifier);
    EXPECT_FALSE(box->Checked());
}

TEST_F(GlyphButton, AnActionKeepsCheckedInStepWithoutClicking) {
    auto* action = new TAction(Form.get());
    action->SetCaption(QStringLiteral("显示提示"));
    action->SetChecked(true);
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    auto* box = Make<TSkCheckBox>();
    box->OnClick = nullptr;  // the click runs the action
    box->SetAction(action);
    EXPECT_EQ(box->Caption(), QStringLiteral("显示提示"));
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(box->IsCheckedStored());  // the action carries it
    action->SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(runs, 0);
    QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(box->IsCheckedStored());  // it no longer shows the action's value
}

TEST_F(GlyphButton, EnterWithTabOnEnterMovesToTheNextControl) {
    auto* first = Make<TSkCheckBox>(QStringLiteral("一"), 10, 10);
    auto* second = Make<TSkCheckBox>(QStringLiteral("二"), 10, 40);
    first->SetTabOnEnter(true);
    first->SetFocus();
    QTest::keyClick(first->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(second->Focused());
    QTest::keyClick(second->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(second->Focused());
}

// Size
// -----------------------------------------------------------------------------------------------------------
TEST_F(GlyphButton, AutoSizeFitsGlyphAndCaptionKeepingTheGlyphsEdge) {
    auto* box = Make<TSkCheckBox>();
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(*box->Font());
    TRect text = Rect(0, 0, 500, 500);
    scratch.Canvas()->DrawText(QStringLiteral("记住密码"), text, DT_CALCRECT | DT_EXPANDTABS);
    box->SetCaption(QStringLiteral("记住密码"));
    EXPECT_EQ(box->Width(), text.Width() + 2 + 13 + 4);
    EXPECT_EQ(box->Height(), std::max(13 + 2, text.Height() + 2));
    EXPECT_EQ(box->Left(), 10);
    box->SetAlignment(taLeftJustify);  // the glyph on the right: the right edge stays
    const int right = box->Left() + box->Width();
    box->SetCaption(QStringLiteral("记住"));
    EXPECT_EQ(box->Left() + box->Width(), right);
    EXPECT_LT(box->Width(), text.Width() + 19);
    // A larger font sizes it again.
    box->Font()->SetHeight(-24);
    scratch.Canvas()->Font()->Assign(*box->Font());
    text = Rect(0, 0, 500, 500);
    scratch.Canvas()->DrawText(QStringLiteral("记住"), text, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(box->Width(), text.Width() + 2 + 13 + 4);
    EXPECT_EQ(box->Height(), std::max(13 + 2, text.Height() + 2));
}

// Stored form
// ----------------------------------------------------------------------------------------------------
TEST(GlyphButtonStream, DefaultsAreNotStoredAndFlatIsReadAsHotTrack) {
    TForm form(nullptr);
    auto* box = new TSkCheckBox(&form);
    box->SetName(QStringLiteral("Box"));
    box->SetParent(&form);
    auto* radio = new TSkRadioButton(&form);
    radio->SetName(QStringLiteral("Radio"));
    radio->SetParent(&form);
    const QString boxText = ComponentToText(box), radioText = ComponentToText(radio);
    for (const char* name :
         {"Color", "AutoSize", "Alignment", "FrameColor", "TransparentColor", "WinMaskColor", "FillColor",
          "HotTrackStyle", "WordWrap", "TabStop", "Checked", "ReadOnly"}) {
        EXPECT_FALSE(boxText.contains(QLatin1String(name))) << name;
        EXPECT_FALSE(radioText.contains(QLatin1String(name))) << name;
    }
    EXPECT_TRUE(boxText.contains(QStringLiteral("State = cbUnchecked")));  // State has no default
    EXPECT_FALSE(radioText.contains(QStringLiteral("State")));

    std::unique_ptr<TComponent> read(TextToComponent(QStringLiteral("object Old: TSkCheckBox\n"
                                                                    "  Flat = True\n"
                                                                    "  AllowGrayed = True\n"
                                                                    "  State = cbGrayed\n"
                                                                    "end\n")));
    auto* old = dynamic_cast<TSkCheckBox*>(read.get());
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->HotTrack());
    EXPECT_EQ(old->State(), cbGrayed);
    EXPECT_FALSE(ComponentToText(old).contains(QStringLiteral("Flat")));
}

TEST_F(GlyphButton, AFrameControllerThatShowsFramesGivesTheHotTrackLookAndItsColours) {
    auto* controller = new TSkFrameController(Form.get());
    controller->SetFrameVisible(true);
    controller->SetFrameColor(clRed);
    controller->SetColor(clYellow);
    controller->SetFrameHotTrack(true);
    controller->SetFrameHotColor(clBlue);
    auto* box = Make<TSkCheckBox>();
    box->SetFrameControllerNotifications(AllFrameControllerNotifications & ~FrameControllerBit(fcpColor));
    box->SetFrameController(controller);
    EXPECT_TRUE(box->HotTrack());
    EXPECT_EQ(box->FrameColor(), clRed);
    EXPECT_EQ(box->FillColor(), clWindow);  // not taken
    EXPECT_EQ(box->HotTrackStyle(), htsFrame);
    EXPECT_EQ(box->HotTrackColor(), clBlue);
    EXPECT_FALSE(box->IsFrameColorStored());
    EXPECT_TRUE(box->IsFillColorStored());
    delete controller;
    EXPECT_EQ(box->FrameController(), nullptr);
}
