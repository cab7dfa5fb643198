// The menu controller: which items it takes over and gives back, its measures, and an item drawn in
// each state on an image, the colours worked out by hand from the gradient band arithmetic: a run of
// n pixels from the stop colour steps (start - stop) / n per pixel, so the pixel at the start edge
// holds the stop colour plus n - 1 steps.
#include "Forms.h"
#include "GraphicsImage.h"
#include "ImgList.h"
#include "MenuWindow.h"
#include "Menus.h"
#include "Registry.h"
#include "SkCommon.h"
#include "Streaming.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const TColor Frame = RGB(10, 20, 30), SelStart = RGB(200, 0, 0), SelStop = RGB(0, 0, 200);
const TColor BarStart = RGB(240, 120, 0), BarStop = RGB(0, 0, 240);
const TColor Paper = RGB(250, 250, 250), Ink = RGB(0, 0, 255);

// Loaded as a form read from its text gives it: the controller, made in code, is read by its name.
void LoadAsRead(TSkMenuController* controller) {
    TextToComponent(QStringLiteral("object %1: TSkMenuController\nend").arg(controller->Name()), controller);
}

// A form with a pop-up menu of one item and a controller in custom colours; items are drawn 120 x 22.
struct MenuControllerTest : testing::Test {
    TForm Form{nullptr};
    TPopupMenu* Menu = new TPopupMenu(&Form);
    TMenuItem* Item = new TMenuItem(&Form);
    TSkMenuController* Controller = new TSkMenuController(&Form);
    TBitmap Bitmap{120, 22};
    TCanvas* Canvas = Bitmap.Canvas();

    void SetUp() override {
        Item->SetCaption(QStringLiteral("蓝色"));
        Menu->Items()->Add(Item);
        Controller->SetGradientColorStyle(gcsCustom);
        Controller->SetSelectionFrameColor(Frame);
        Controller->SetSelectionColorStart(SelStart);
        Controller->SetSelectionColorStop(SelStop);
        Controller->SetIconBarColorStart(BarStart);
        Controller->SetIconBarColorStop(BarStop);
        Controller->SetMenuColor(Paper);
        Controller->SetMenuFontColor(Ink);
        Controller->SetName(QStringLiteral("MenuController1"));
        LoadAsRead(Controller);
    }
    void TearDown() override {
        HighColorDisplay = true;
        ResetPlatformProfile();
    }
    TColor At(int x, int y) { return Canvas->Pixels(x, y); }
    void Draw(TOwnerDrawState state, TRect r = Rect(0, 0, 120, 22)) {
        Canvas->Brush()->SetColor(RGB(1, 2, 3));
        Canvas->FillRect(Rect(0, 0, 120, 22));
        Item->AdvancedDrawItem(Canvas, r, state, false);
    }
    // Pixels within a small distance of a colour (text is smoothed).
    int CountNear(TColor color, const TRect& area) {
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) {
                const TColor p = At(x, y);
                n += std::abs(GetRValue(p) - GetRValue(color)) + std::abs(GetGValue(p) - GetGValue(color)) +
                         std::abs(GetBValue(p) - GetBValue(color)) <
                     40;
            }
        return n;
    }
};
}  // namespace

TEST_F(MenuControllerTest, LoadedHooksTheOwnersItemsAndFollowsThemAsTheyComeAndGo) {
    EXPECT_TRUE(Controller->IsHooked(Item));
    EXPECT_TRUE(Item->IsOwnerDrawn());
    EXPECT_TRUE(Menu->HasOwnerDrawnItems());
    auto* drawnByTheProgram = new TMenuItem(&Form);
    EXPECT_TRUE(Controller->IsHooked(drawnByTheProgram));  // inserted into the owner: hooked at once
    delete drawnByTheProgram;
    EXPECT_EQ(Controller->HookedCount(), 1);  // a freed item leaves the list
    // An item the program draws itself is left alone, and so is an item of another owner.
    TForm other(nullptr);
    auto* own = new TMenuItem(&other);
    bool ownDrawn = false;
    own->OnAdvancedDrawItem = [&](TObject*, TCanvas*, TRect, TOwnerDrawState) { ownDrawn = true; };
    Controller->HookMenuItem(own);
    EXPECT_FALSE(Controller->IsHooked(own));
    auto* foreign = new TMenuItem(&other);
    EXPECT_FALSE(Controller->IsHooked(foreign));
    Controller->HookMenuItem(foreign);
    Controller->HookMenuItem(foreign);  // once only
    EXPECT_EQ(Controller->HookedCount(), 2);
    delete foreign;
    EXPECT_EQ(Controller->HookedCount(), 1);
    // Freed, the controller gives the events back.
    delete Controller;
    Controller = nullptr;
    EXPECT_FALSE(Item->OnAdvancedDrawItem);
    EXPECT_FALSE(Item->OnMeasureItem);
    EXPECT_TRUE(own->OnAdvancedDrawItem);
}

TEST(MenuControllerDesign, InTheDesignerItOnlyMakesTheOwnersMenusOwnerDrawn) {
    TForm form(nullptr);
    form.SetDesigning(true);
    auto* before = new TPopupMenu(&form);
    auto* item = new TMenuItem(&form);
    before->Items()->Add(item);
    auto* controller = new TSkMenuController(&form);
    EXPECT_TRUE(before->OwnerDraw());  // set when the controller is put on the form
    auto* after = new TMainMenu(&form);
    EXPECT_TRUE(after->OwnerDraw());
    controller->SetName(QStringLiteral("MenuController1"));
    LoadAsRead(controller);
    EXPECT_EQ(controller->HookedCount(), 0);
    EXPECT_FALSE(item->OnAdvancedDrawItem);
}

TEST(MenuControllerStreaming, NamesOfEarlierVersionsAreReadIntoTheSelectionColoursAndNeverWritten) {
    TSkMenuController controller(nullptr);
    TextToComponent(QStringLiteral("object C: TSkMenuController\n"
                                   "  GradientColorDefault = True\n"
                                   "  ThemeAware = False\n"
                                   "  GradientColorStart = clRed\n"
                                   "  GradientColorStop = 65280\n"
                                   "  FrameColor = clNavy\n"
                                   "  MenuColor = clInfoBk\n"
                                   "end"),
                    &controller);
    EXPECT_EQ(controller.SelectionColorStart(), clRed);
    EXPECT_EQ(controller.SelectionColorStop(), clLime);
    EXPECT_EQ(controller.SelectionFrameColor(), clNavy);
    const QString text = ComponentToText(&controller);
    EXPECT_EQ(text, QStringLiteral("object C: TSkMenuController\n"
                                   "  SelectionColorStart = clRed\n"
                                   "  SelectionColorStop = clLime\n"
                                   "  SelectionFrameColor = clNavy\n"
                                   "  MenuColor = clInfoBk\n"
                                   "end\n"));
}

TEST_F(MenuControllerTest, MeasuresSeparatorsThreeHighAndPopupItemsTwentyTwoHighAnd31Wider) {
    TBitmap scratch(1, 1);
    int w = 0, h = 0;
    Item->MeasureItem(scratch.Canvas(), w, h);
    int plainW = 0, plainH = 0;
    TMenuItem plain(nullptr);
    plain.SetCaption(Item->Caption());
    TPopupMenu plainMenu(nullptr);
    plainMenu.Items()->Add(&plain);
    plain.MeasureItem(scratch.Canvas(), plainW, plainH);
    EXPECT_EQ(h, 22);
    EXPECT_EQ(w, plainW + 31);
    plainMenu.Items()->Remove(&plain);

    Item->SetCaption(QStringLiteral("-"));
    Item->MeasureItem(scratch.Canvas(), w, h);
    EXPECT_EQ(h, 3);
    auto* images = new TImageList(&Form);
    images->SetHeight(20);
    Menu->SetImages(images);
    Item->MeasureItem(scratch.Canvas(), w, h);
    EXPECT_EQ(h, 3);  // whatever the images
    Item->SetCaption(QStringLiteral("图片"));
    w = 50;
    Controller->MeasureMenuItem(Item, w, h);
    EXPECT_EQ(h, 26);  // the pictures' height + 6
    EXPECT_EQ(w, 50);  // no extra width with pictures

    // Items of a menu bar are never widened.
    auto* bar = new TMainMenu(&Form);
    auto* top = new TMenuItem(&Form);
    bar->Items()->Add(top);
    w = 40;
    Controller->MeasureMenuItem(top, w, h);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 22);
}

TEST_F(MenuControllerTest, APopupItemHasAGradientIconBarAndTheMenuColourBehindItsText) {
    Draw(0);
    // Icon bar 24 wide, start at the left: steps (-10, -5, +10) from the stop colour at x 23.
    EXPECT_EQ(At(23, 10), BarStop);
    EXPECT_EQ(At(12, 0), RGB(110, 55, 130));
    EXPECT_EQ(At(0, 21), RGB(230, 115, 10));
    EXPECT_EQ(At(24, 0), Paper);
    EXPECT_EQ(At(119, 21), Paper);
    // The caption starts six pixels after the bar, in the menu font colour.
    EXPECT_EQ(CountNear(Ink, Rect(24, 0, 30, 22)), 0);
    EXPECT_GT(CountNear(Ink, Rect(30, 0, 60, 22)), 10);
}

TEST_F(MenuControllerTest, ASelectedItemIsAFramedGradientBox) {
    Draw(odSelected);
    for (const TPoint& p :
         {Point(0, 0), Point(119, 0), Point(0, 21), Point(119, 21), Point(60, 0), Point(0, 11)})
        EXPECT_EQ(At(p.X, p.Y), Frame) << p.X << "," << p.Y;
    // Twenty rows inside from the start at the top: steps (10, 0, -10) up from the stop at row 20.
    EXPECT_EQ(At(1, 20), SelStop);
    EXPECT_EQ(At(118, 20), SelStop);
    EXPECT_EQ(At(1, 1), RGB(190, 0, 10));
    EXPECT_EQ(At(5, 11), RGB(90, 0, 110));  // nine steps up
    // A disabled item is never drawn selected.
    Item->SetEnabled(false);
    Draw(odSelected | odDisabled | odGrayed);
    EXPECT_EQ(At(23, 10), BarStop);
    EXPECT_EQ(At(119, 0), Paper);
    EXPECT_EQ(CountNear(Ink, Rect(24, 0, 120, 22)), 0);
    EXPECT_GT(CountNear(ColorToRGB(clGrayText), Rect(30, 0, 60, 22)), 10);
}

TEST_F(MenuControllerTest, ACheckedItemGetsABoxInTheIconBarWithTheCheckMarkInTheTextColour) {
    Controller->SetSelectionColorStart(RGB(180, 90, 0));
    Controller->SetSelectionColorStop(clBlack);  // so its 40 darker is black too
    Controller->SetMenuFontColor(clWhite);
    Item->SetChecked(true);
    Draw(odChecked);
    // The box (1, 1, 23, 21) framed; inside, 18 rows from the start down to black: steps (10, 5, 0).
    for (const TPoint& p : {Point(1, 1), Point(22, 1), Point(1, 20), Point(22, 20)})
        EXPECT_EQ(At(p.X, p.Y), Frame);
    EXPECT_EQ(At(0, 0), RGB(230, 115, 10));  // the bar around it
    EXPECT_EQ(At(3, 19), clBlack);
    EXPECT_EQ(At(3, 2), RGB(170, 85, 0));
    // The 16 x 16 glyph centred in the box at (4, 3): the 7 x 7 mark from (9, 8).
    EXPECT_EQ(At(15, 8), clWhite);
    EXPECT_EQ(At(9, 10), clWhite);
    EXPECT_EQ(At(11, 14), clWhite);
    EXPECT_NE(At(10, 10), clWhite);
    // Selected: the selection box round the item, the check box filled with the darker stop colour.
    Draw(odChecked | odSelected);
    EXPECT_EQ(At(0, 0), Frame);
    EXPECT_EQ(At(3, 2), clBlack);
    EXPECT_EQ(At(10, 10), clBlack);
    EXPECT_EQ(At(15, 8), clWhite);
    // A radio item shows a bullet instead.
    Item->SetRadioItem(true);
    Draw(odChecked | odSelected);
    EXPECT_NE(At(15, 8), clWhite);
    EXPECT_EQ(At(12, 11), clWhite);
}

TEST_F(MenuControllerTest, ASeparatorIsOneShadowLineFromTheTextsLeft) {
    Item->SetCaption(QStringLiteral("-"));
    Draw(0, Rect(0, 0, 120, 3));
    EXPECT_EQ(At(30, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(119, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(29, 1), Paper);
    EXPECT_EQ(At(30, 0), Paper);
    EXPECT_EQ(At(30, 2), Paper);
    EXPECT_EQ(At(23, 1), BarStop);
}

TEST_F(MenuControllerTest, AnItemsPictureSitsInTheIconBarFourInAndThreeDown) {
    auto* images = new TImageList(&Form);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images->Add(&red);
    Menu->SetImages(images);
    Item->SetImageIndex(0);
    Draw(0);
    EXPECT_EQ(At(4, 3), clRed);
    EXPECT_EQ(At(19, 18), clRed);
    EXPECT_NE(At(3, 3), clRed);
    EXPECT_NE(At(20, 3), clRed);
    EXPECT_EQ(At(24, 3), Paper);  // the bar is the pictures' width + 8
}

TEST_F(MenuControllerTest, MenuBarItemsAreButtonFaceUntilSelected) {
    auto* bar = new TMainMenu(&Form);
    auto* top = new TMenuItem(&Form);
    top->SetCaption(QStringLiteral("文件"));
    bar->Items()->Add(top);
    top->AdvancedDrawItem(Canvas, Rect(0, 0, 120, 22), 0, true);
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(2, 11), ColorToRGB(clBtnFace));  // no icon bar
    top->AdvancedDrawItem(Canvas, Rect(0, 0, 120, 22), odHotLight, true);
    EXPECT_EQ(At(0, 0), Frame);
    EXPECT_EQ(At(1, 20), SelStop);
    SetThemesActiveForTest(true);
    top->AdvancedDrawItem(Canvas, Rect(0, 0, 120, 22), odInactive, true);
    EXPECT_EQ(At(0, 0), ColorToRGB(clMenuBar));
    EXPECT_GT(CountNear(ColorToRGB(clGrayText), Rect(0, 0, 120, 22)), 10);
}

TEST_F(MenuControllerTest, SchemeColoursWithThemesAndPlainFillsOnA256ColourDisplay) {
    Controller->SetGradientColorStyle(gcsMSOffice);
    SetThemesActiveForTest(true);
    Draw(odSelected);
    EXPECT_EQ(At(0, 0), TColor(0x800000));  // the blue scheme's border, start and stop
    EXPECT_EQ(At(1, 20), TColor(0xA0D9FF));
    EXPECT_NE(At(1, 1), TColor(0xA0D9FF));
    Draw(0);
    EXPECT_EQ(At(23, 5), TColor(0xEABB99));
    HighColorDisplay = false;
    Draw(odSelected);
    EXPECT_EQ(At(1, 1), TColor(0xA0D9FF));
    EXPECT_EQ(At(1, 20), TColor(0xA0D9FF));
    Draw(0);
    EXPECT_EQ(At(0, 5), TColor(0xEABB99));
}

TEST_F(MenuControllerTest, UnderlinedLettersHideWhenTheUserHidesKeyboardCuesAndTheMenuCameByMouse) {
    QTemporaryDir dir;
    TRegIniFile::SetFileName(dir.filePath(QStringLiteral("desktop.ini")));
    Item->SetCaption(QStringLiteral("&Blue"));
    const TRect text = Rect(30, 0, 120, 22);
    Draw(odNoAccel);
    const int shown = CountNear(Ink, text);  // cues shown: the underline stays
    TRegIniFile(QStringLiteral("\\Control Panel"))
        .WriteBinaryData(QStringLiteral("Desktop"), QStringLiteral("UserPreferencesMask"),
                         QByteArray::fromHex("9e1e0780"));
    Draw(odNoAccel);
    const int hidden = CountNear(Ink, text);
    Draw(0);
    EXPECT_EQ(CountNear(Ink, text), shown);
    EXPECT_LT(hidden, shown);
    TRegIniFile::SetFileName(QString());
    // The default item is bold.
    Item->SetDefault(true);
    Draw(odDefault);
    EXPECT_GT(CountNear(Ink, text), shown);
}

TEST_F(MenuControllerTest, AHookedPopupMenuIsPaintedByTheControllerOnScreen) {
    auto* line = new TMenuItem(&Form);
    line->SetCaption(QStringLiteral("-"));
    Menu->Items()->Add(line);
    auto* second = new TMenuItem(&Form);
    second->SetCaption(QStringLiteral("粉色"));
    Menu->Items()->Add(second);
    int clicks = 0;
    second->OnClick = [&](TObject*) { ++clicks; };
    QTimer::singleShot(0, [&] {
        TMenuWindow* w = ActiveMenuWindow();
        ASSERT_NE(w, nullptr);
        const TMenuLevel& level = w->Level();
        EXPECT_EQ(level.ItemRect(0).Height(), 22);
        EXPECT_EQ(level.ItemRect(1).Height(), 3);
        const QImage& image = w->Render();
        // Inside the 3-pixel frame: the icon bar's last column, then the menu colour.
        EXPECT_EQ(image.pixel(3 + 23, 3 + 10), ToQColor(BarStop).rgb());
        EXPECT_EQ(image.pixel(3 + 24, 3 + 1), ToQColor(Paper).rgb());
        QTest::keyClick(w, Qt::Key_Up);  // wraps round to the last item
        const QImage& selected = w->Render();
        const TRect r = level.ItemRect(2);
        EXPECT_EQ(selected.pixel(r.Left, r.Top), ToQColor(Frame).rgb());
        QTest::keyClick(w, Qt::Key_Return);
    });
    Menu->Popup(40, 40);
    EXPECT_EQ(clicks, 1);
}
