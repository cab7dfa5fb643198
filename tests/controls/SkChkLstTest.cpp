// The check list driven as a user drives it, and its rows drawn on an image.
#include "ControlProbes.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "SkChkLst.h"
#include "SkCommon.h"
#include "Streaming.h"
#include "Themes.h"
#include "WidgetInput.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {
QPoint Centre(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// A shown check list of four activities, recording every change event.
struct CheckList : testing::Test {
    TForm Form{nullptr};
    TSkCheckList* List = nullptr;
    std::vector<std::pair<int, TCheckBoxState>> Changes;
    void SetUp() override {
        Form.SetBounds(0, 0, 300, 300);
        List = new TSkCheckList(&Form);
        List->SetParent(&Form);
        List->SetBounds(10, 10, 220, 200);
        for (const char* s : {"洗碗", "打字", "站立", "朗读"})
            List->Items()->Add(QString::fromUtf8(s));
        List->OnChange = [this](TObject*, int index, TCheckBoxState state) {
            Changes.push_back({index, state});
        };
    }
    void Show() {
        Form.ShowForm();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Widget()));
    }
    void ClickAt(int index, int x) {
        const TRect r = List->ItemRect(index);
        QTest::mouseClick(Viewport(List), Qt::LeftButton, {}, QPoint(r.Left + x, Centre(r).y()));
    }
};
}  // namespace

TEST_F(CheckList, TogglingFollowsTheStatesAndAsksFirst) {
    List->SetItemIndex(1);
    List->ToggleItem();
    List->ToggleItem();
    EXPECT_EQ(List->ItemState(1), cbUnchecked);
    List->SetAllowGrayed(true);
    List->ToggleItem();
    EXPECT_EQ(List->ItemState(1), cbGrayed);
    List->ToggleItem();
    EXPECT_EQ(List->ItemState(1), cbChecked);
    EXPECT_EQ(Changes, (std::vector<std::pair<int, TCheckBoxState>>{
                           {1, cbChecked}, {1, cbUnchecked}, {1, cbGrayed}, {1, cbChecked}}));

    // A veto leaves the state and fires nothing.
    Changes.clear();
    TCheckBoxState asked = cbGrayed;
    List->OnChanging = [&](TObject*, int index, TCheckBoxState state, bool& allow) {
        EXPECT_EQ(index, 1);
        asked = state;
        allow = false;
    };
    List->ToggleItem();
    EXPECT_EQ(asked, cbUnchecked);
    EXPECT_EQ(List->ItemState(1), cbChecked);
    EXPECT_TRUE(Changes.empty());
    EXPECT_FALSE(List->ToggleArmed());

    // Disabled items and no current item: nothing to toggle.
    List->OnChanging = nullptr;
    List->SetItemEnabled(1, false);
    List->ToggleItem();
    List->SetItemIndex(-1);
    List->ToggleItem();
    EXPECT_EQ(List->ItemState(1), cbChecked);
    EXPECT_TRUE(Changes.empty());
}

TEST_F(CheckList, TheGlyphTogglesAndTheTextOnlyWhenAsked) {
    Show();
    ClickAt(1, 8);  // on the glyph
    EXPECT_TRUE(List->ItemChecked(1));
    EXPECT_EQ(List->ItemIndex(), 1);
    ClickAt(2, List->GlyphWidth() + 4);  // just past the glyph zone
    EXPECT_FALSE(List->ItemChecked(2));
    EXPECT_EQ(List->ItemIndex(), 2);
    List->SetToggleOnItemClick(true);
    ClickAt(2, 120);
    EXPECT_TRUE(List->ItemChecked(2));

    // The space bar toggles the current item.
    QTest::keyClick(List->Widget(), Qt::Key_Space);
    EXPECT_FALSE(List->ItemChecked(2));
    EXPECT_EQ(Changes.size(), 3u);

    // A right click makes the item current without toggling, and clicks once it moved.
    int clicks = 0;
    List->OnClick = [&](TObject*) { ++clicks; };
    const TRect last = List->ItemRect(3);
    QTest::mouseClick(Viewport(List), Qt::RightButton, {}, Centre(last));
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_FALSE(List->ItemChecked(3));
    QTest::mouseClick(Viewport(List), Qt::RightButton, {}, Centre(last));
    QTest::mouseClick(Viewport(List), Qt::RightButton, {}, Centre(List->ItemRect(0)));
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_FALSE(List->ItemChecked(0));
    EXPECT_EQ(clicks, 2);
}

TEST_F(CheckList, EnablingTheListEnablesEveryItem) {
    List->SetItemEnabled(2, false);
    List->SetEnabled(false);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(List->ItemEnabled(i));
    List->SetEnabled(true);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(List->ItemEnabled(i)) << i;
}

TEST_F(CheckList, ReCreationKeepsItemsPacketsAndPlace) {
    List->SetItemState(0, cbGrayed);
    List->SetItemEnabled(1, false);
    List->SetItemImageIndex(2, 9);
    List->SetItemDisabledIndex(3, 4);
    List->SetItemIndex(2);
    List->RecreateItemsWindow();
    ASSERT_EQ(List->Items()->Count(), 4);
    EXPECT_EQ(List->Items()->Strings(3), "朗读");
    EXPECT_EQ(List->ItemState(0), cbGrayed);
    EXPECT_FALSE(List->ItemEnabled(1));
    EXPECT_EQ(List->ItemImageIndex(2), 9);
    EXPECT_EQ(List->ItemDisabledIndex(3), 4);
    EXPECT_EQ(List->ItemIndex(), 2);
}

TEST_F(CheckList, SizesFollowGlyphsFontAndImages) {
    EXPECT_EQ(List->ItemHeight(), std::max(13 + 4, GetMinFontHeight(List->Font())));
    EXPECT_EQ(List->TextIndent(), 13 + 8);
    auto* freed = new TImageList(&Form);
    freed->SetWidth(30);
    List->SetImages(freed);
    EXPECT_EQ(List->TextIndent(), 13 + 8 + 30 + 4);
    delete freed;  // the list lets go of images freed under it
    EXPECT_EQ(List->TextIndent(), 13 + 8);
    TImageList images(&Form);
    images.SetWidth(20);
    images.SetHeight(10);
    List->SetImages(&images);
    EXPECT_EQ(List->TextIndent(), 13 + 8 + 20 + 4);

    // A strip of six 16 x 18 glyphs switches the custom glyphs on at their size.
    TBitmap strip(6 * 16, 18);
    List->SetCustomGlyphs(&strip);
    EXPECT_TRUE(List->UseCustomGlyphs());
    EXPECT_EQ(List->GlyphWidth(), 16);
    EXPECT_EQ(List->GlyphHeight(), 18);
    EXPECT_EQ(List->ItemHeight(), std::max(18 + 4, GetMinFontHeight(List->Font())));
    List->SetUseCustomGlyphs(false);
    EXPECT_EQ(List->GlyphWidth(), 13);
    TBitmap none;
    List->SetCustomGlyphs(&none);
    EXPECT_FALSE(List->UseCustomGlyphs());
    TImageList noGlyphs(&Form);  // an empty image list gives no glyphs either
    List->SetCustomGlyphImages(&noGlyphs);
    EXPECT_FALSE(List->UseCustomGlyphs());
}

TEST(CheckListGlyphRules, CustomGlyphAndImageChoice) {
    EXPECT_EQ(CustomGlyphIndex(2, true, -1), 2);
    EXPECT_EQ(CustomGlyphIndex(1, false, -1), 4);
    EXPECT_EQ(CustomGlyphIndex(1, false, 6), 4);
    EXPECT_EQ(CustomGlyphIndex(1, false, 7), 7);

    TPacket p;
    p.ImageIndex = 3;
    EXPECT_EQ(ItemImageToDraw(p, false).Index, 3);
    EXPECT_FALSE(ItemImageToDraw(p, false).Enabled);  // drawn as the list is
    p.DisabledIndex = 8;
    EXPECT_EQ(ItemImageToDraw(p, false).Index, 3);
    EXPECT_TRUE(ItemImageToDraw(p, false).Enabled);
    p.Enabled = 0;
    EXPECT_EQ(ItemImageToDraw(p, true).Index, 8);
    p.ImageIndex = -1;
    p.Enabled = 1;
    EXPECT_EQ(ItemImageToDraw(p, true).Index, -1);
}

namespace {
// Rows drawn straight onto a bitmap, as the list draws them.
struct TDrawnCheckList : TSkCheckList {
    using TSkCheckList::TSkCheckList;
    QImage Row(int index, TOwnerDrawState state, int width = 160) {
        TBitmap image(width, ItemHeight());
        Canvas()->BeginPaint(image.Canvas()->Handle());
        Canvas()->Font()->Assign(*Font());
        Canvas()->Brush()->SetColor((state & odSelected) ? TColor(clHighlight) : Color());
        CNDrawItem(index, Rect(0, 0, width, ItemHeight()), state);
        Canvas()->EndPaint();
        return image.ToImage();
    }
};
}  // namespace

TEST(CheckListRow, GlyphAndTextAreDrawnByTheRules) {
    TDrawnCheckList list(nullptr);
    const TColor paper = RGB(0xF0, 0xE0, 0xC0);
    list.SetColor(paper);
    for (const char* s : {"慢跑", "游泳", "骑车"})
        list.Items()->Add(QString::fromUtf8(s));
    list.SetItemState(0, cbChecked);
    list.SetItemState(1, cbGrayed);
    list.SetItemEnabled(2, false);
    list.SetItemState(2, cbChecked);
    const int top = (list.ItemHeight() - 13) / 2;  // the glyph's box starts at (4, top)
    const TColor frame = ColorToRGB(clBtnShadow), fill = ColorToRGB(clWindow),
                 check = ColorToRGB(clHighlight);

    const QImage checked = list.Row(0, 0);
    EXPECT_EQ(Pixel(checked, 1, 1), paper);          // the strip before the glyph
    EXPECT_EQ(Pixel(checked, 4, top), frame);        // box corner
    EXPECT_EQ(Pixel(checked, 16, top + 12), frame);  // opposite corner
    EXPECT_EQ(Pixel(checked, 17, top + 6), paper);   // right of the box
    EXPECT_EQ(Pixel(checked, 5, top + 1), fill);     // inside
    EXPECT_EQ(Pixel(checked, 7, top + 5), check);    // the tick: column 3 rows 5-7
    EXPECT_EQ(Pixel(checked, 7, top + 8), fill);
    EXPECT_EQ(Pixel(checked, 13, top + 3), check);  // column 9 rows 3-5
    EXPECT_EQ(Pixel(checked, 13, top + 2), fill);
    const TRect text = Rect(21, 0, 160, list.ItemHeight());
    EXPECT_TRUE(InkIn(checked, text, paper, clWindowText).Shown());

    const QImage grayed = list.Row(1, 0);
    EXPECT_EQ(Pixel(grayed, 4 + 3, top + 3), check);  // the inside shrunk by two is filled
    EXPECT_EQ(Pixel(grayed, 4 + 9, top + 9), check);
    EXPECT_EQ(Pixel(grayed, 4 + 2, top + 2), fill);
    EXPECT_EQ(Pixel(grayed, 4 + 10, top + 10), fill);

    // A disabled item: the list's disabled colour inside, the tick and the text in the shadow colour.
    const QImage disabled = list.Row(2, 0);
    EXPECT_EQ(Pixel(disabled, 5, top + 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(Pixel(disabled, 7, top + 6), frame);
    EXPECT_TRUE(InkIn(disabled, text, paper, clBtnShadow).Shown());

    // A selected item: highlighted behind the text, the glyph on the list's colour.
    const QImage selected = list.Row(0, odSelected);
    EXPECT_EQ(Pixel(selected, 22, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(Pixel(selected, 2, top + 6), ColorToRGB(clHighlight));
    EXPECT_EQ(Pixel(selected, 5, top + 1), fill);
    EXPECT_TRUE(InkIn(selected, text, clHighlight, clHighlightText).Shown());
}

TEST(CheckListStreaming, ItemsAndPacketsTravelInTheFormText) {
    TForm form(nullptr);
    TImageList images(&form);
    images.SetName(QStringLiteral("Images"));
    TSkCheckList list(&form);
    list.SetName(QStringLiteral("Activities"));
    list.Items()->Add(QStringLiteral("慢跑"));
    list.Items()->Add(QStringLiteral("游泳"));
    list.SetItemState(0, cbGrayed);
    list.SetItemEnabled(1, false);
    list.SetFrameVisible(true);
    list.SetItemFrameColor(clNavy);
    QString text = ComponentToText(&list);
    EXPECT_TRUE(text.contains(QStringLiteral("FrameVisible = True")));  // the list box's own properties
    EXPECT_TRUE(text.contains(QStringLiteral("ItemFrameColor = clNavy")));
    EXPECT_FALSE(text.contains(QStringLiteral("AllowGrayed")));  // at its default
    EXPECT_TRUE(text.contains(QStringLiteral("Items.ItemState = (")));
    EXPECT_FALSE(text.contains(QStringLiteral("ItemImageIndex")));  // only with Images
    list.SetImages(&images);
    list.SetItemImageIndex(1, 6);
    text = ComponentToText(&list);
    EXPECT_TRUE(text.contains(QStringLiteral("Items.ItemDisabledIndex = (")));

    TSkCheckList copy(&form);
    copy.SetName(QStringLiteral("Activities"));
    text.remove(QRegularExpression(QStringLiteral("  Images = [^\n]*\n")));  // a reference to the form's list
    TextToComponent(text, &copy);
    ASSERT_EQ(copy.Items()->Count(), 2);
    EXPECT_EQ(copy.Items()->Strings(1), QStringLiteral("游泳"));
    EXPECT_EQ(copy.ItemState(0), cbGrayed);
    EXPECT_FALSE(copy.ItemEnabled(1));
    EXPECT_EQ(copy.ItemImageIndex(1), 6);
    EXPECT_EQ(copy.ItemDisabledIndex(1), -1);
    EXPECT_TRUE(copy.FrameVisible());
    EXPECT_EQ(copy.ItemFrameColor(), TColor(clNavy));

    // Values beyond the items are passed over; states beyond grayed are grayed.
    TextToComponent(QStringLiteral("object Activities: TSkCheckList\n"
                                   "  Items.Strings = ('a')\n"
                                   "  Items.ItemState = (7 1 1)\n"
                                   "end"),
                    &copy);
    ASSERT_EQ(copy.Items()->Count(), 1);
    EXPECT_EQ(copy.ItemState(0), cbGrayed);
}

TEST_F(CheckList, TheSpaceBarSearchesNothingAndHeadersDoNotToggle) {
    List->Items()->Insert(0, QStringLiteral("//有氧"));
    List->Items()->Add(QStringLiteral(" 散步"));  // what a search for a blank would choose
    List->SetShowGroups(true);
    Show();
    List->SetItemIndex(2);
    QTest::keyClick(List->Widget(), Qt::Key_Space);
    EXPECT_TRUE(List->ItemChecked(2));
    EXPECT_EQ(List->SearchString(), QString());
    EXPECT_EQ(List->ItemIndex(), 2);

    List->SetItemIndex(0);
    List->ToggleItem();
    EXPECT_EQ(List->ItemState(0), cbUnchecked);
    EXPECT_EQ(Changes.size(), 1u);
}

TEST(CheckListRow, WithVisualStylesTheThemeDrawsTheGlyph) {
    struct TThemesOn {
        TThemesOn() { SetThemesActiveForTest(true); }
        ~TThemesOn() { ResetPlatformProfile(); }
    } themes;
    TDrawnCheckList list(nullptr);
    list.Items()->Add(QStringLiteral("慢跑"));
    list.Items()->Add(QStringLiteral("游泳"));
    list.SetItemState(0, cbChecked);
    list.SetItemEnabled(1, false);
    list.SetItemState(1, cbGrayed);
    const int top = (list.ItemHeight() - 13) / 2;
    const std::pair<int, int> expected[] = {{0, CBS_CHECKEDNORMAL},
                                            {1, CBS_MIXEDNORMAL + 3}};  // + 3: disabled
    for (const auto& [index, themeState] : expected) {
        TBitmap theme(13, 13);
        HTHEME data = OpenThemeData(QStringLiteral("BUTTON"));
        ASSERT_NE(data, nullptr);
        ASSERT_TRUE(
            DrawThemeBackground(data, theme.Canvas()->Handle(), BP_CHECKBOX, themeState, Rect(0, 0, 13, 13)));
        CloseThemeData(data);
        const QImage row = list.Row(index, 0);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(Pixel(row, 4 + x, top + y), theme.Canvas()->Pixels(x, y))
                    << index << ": " << x << "," << y;
    }
}

TEST(CheckListRow, CustomGlyphsComeFromTheStripWithTheirKeyColoursCleared) {
    TDrawnCheckList list(nullptr);
    const TColor paper = RGB(0xF0, 0xE0, 0xC0);
    list.SetColor(paper);
    list.Items()->Add(QStringLiteral("慢跑"));
    list.Items()->Add(QStringLiteral("游泳"));
    list.SetItemState(0, cbChecked);
    list.SetItemEnabled(1, false);
    list.SetItemState(1, cbGrayed);
    // Six 10 x 10 glyphs, glyph i filled with colour i; each has an olive and a lime pixel.
    const TColor colours[6] = {0x000080, 0x008000, 0x800000,
                               0x808000, 0x800080, 0x404040};  // none olive or lime
    TBitmap strip(60, 10);
    for (int i = 0; i < 6; ++i) {
        strip.Canvas()->Brush()->SetColor(colours[i]);
        strip.Canvas()->FillRect(Rect(i * 10, 0, i * 10 + 10, 10));
        strip.Canvas()->SetPixels(i * 10, 0, clOlive);
        strip.Canvas()->SetPixels(i * 10 + 1, 0, clLime);
    }
    list.SetCustomGlyphs(&strip);
    ASSERT_EQ(list.GlyphWidth(), 10);
    const int top = (list.ItemHeight() - 10) / 2;

    const QImage checked = list.Row(0, 0);
    EXPECT_EQ(Pixel(checked, 4 + 5, top + 5), colours[1]);    // enabled: glyph = state
    EXPECT_EQ(Pixel(checked, 4, top), paper);                 // olive shows the list's colour
    EXPECT_EQ(Pixel(checked, 5, top), ColorToRGB(clWindow));  // lime shows the window colour
    const QImage disabled = list.Row(1, 0);
    EXPECT_EQ(Pixel(disabled, 4 + 5, top + 5), colours[3 + 2]);  // disabled: 3 + state
}

// Without group headers an item named with the group prefix is an ordinary item: it is ticked by the
// mouse and by the space bar like the others.
TEST_F(CheckList, AnItemWithTheGroupPrefixTicksWhileGroupsAreNotShown) {
    List->Items()->Add(QStringLiteral("//test"));
    Show();
    ClickAt(4, 8);
    EXPECT_TRUE(List->ItemChecked(4));
    QTest::keyClick(List->Widget(), Qt::Key_Space);
    EXPECT_FALSE(List->ItemChecked(4));
    EXPECT_EQ(Changes, (std::vector<std::pair<int, TCheckBoxState>>{{4, cbChecked}, {4, cbUnchecked}}));
}

// OnChanging or OnChange may free the list (a window closing on a tick): the click or key that
// toggled touches nothing of it afterwards.
TEST_F(CheckList, AToggleHandlerMayFreeTheList) {
    Show();
    QPointer<QObject> alive(List);
    List->OnChange = [this](TObject*, int, TCheckBoxState) { delete List; };
    ClickAt(1, 8);
    EXPECT_TRUE(alive.isNull());

    SetUp();
    alive = List;
    List->SetItemIndex(2);
    List->OnChanging = [this](TObject*, int, TCheckBoxState, bool& allow) {
        allow = false;
        delete List;
    };
    QTest::keyClick(List->Widget(), Qt::Key_Space);
    EXPECT_TRUE(alive.isNull());

    // Freed by OnChanging with the change still allowed: nothing more of the toggle runs, by the mouse
    // or the space bar (the list would be read after it was freed, and its OnChange fire).
    for (bool byMouse : {true, false}) {
        SetUp();
        Show();
        alive = List;
        List->SetItemIndex(2);
        List->OnChanging = [this](TObject*, int, TCheckBoxState, bool&) { delete List; };
        if (byMouse)
            ClickAt(2, 8);
        else
            QTest::keyClick(List->Widget(), Qt::Key_Space);
        EXPECT_TRUE(alive.isNull());
        EXPECT_TRUE(Changes.empty()) << byMouse;
    }
}
