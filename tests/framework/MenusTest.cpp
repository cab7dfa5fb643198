// Menus: owner-drawn items in the framework's own pop-up window (measured and painted by their
// handlers, worked with the keyboard and the mouse), the framework's own look of an item, menu glyphs,
// and the notifications a menu controller relies on.
#include "DeviceContext.h"
#include "Forms.h"
#include "FrameControls.h"
#include "GraphicsImage.h"
#include "MenuWindow.h"
#include "Menus.h"
#include "Platform.h"
#include "Registry.h"
#include "Streaming.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct TDrawCall {
    TMenuItem* Item;
    TRect Rect;
    TOwnerDrawState State;
};

// A pop-up menu whose items measure (60 + 10 i) x 20 (separators 5 high) and paint themselves in one
// colour each, recording every call.
struct OwnerDrawnMenu {
    TForm Form{nullptr};
    TPopupMenu* Menu = new TPopupMenu(&Form);
    std::vector<TDrawCall> Draws;
    std::vector<TMenuItem*> Items;
    int Clicks = 0;
    TMenuItem* Clicked = nullptr;

    TMenuItem* Add(TMenuItem* parent, const QString& caption) {
        auto* item = new TMenuItem(&Form);
        item->SetCaption(caption);
        parent->Add(item);
        const int n = int(Items.size());
        Items.push_back(item);
        item->OnMeasureItem = [n, item](TObject*, TCanvas*, int& w, int& h) {
            w = 60 + 10 * n;
            h = item->IsLine() ? 5 : 20;
        };
        item->OnAdvancedDrawItem = [this, n](TObject* sender, TCanvas* canvas, TRect r,
                                             TOwnerDrawState state) {
            Draws.push_back({static_cast<TMenuItem*>(sender), r, state});
            canvas->Brush()->SetColor(RGB(10 * n, 100, 200));
            canvas->FillRect(r);
        };
        item->OnClick = [this](TObject* sender) {
            ++Clicks;
            Clicked = static_cast<TMenuItem*>(sender);
        };
        return item;
    }

    // The last state an item was drawn in.
    TOwnerDrawState LastState(TMenuItem* item) const {
        for (auto it = Draws.rbegin(); it != Draws.rend(); ++it)
            if (it->Item == item) return it->State;
        return ~0u;
    }
};

// Runs `drive` on the open menu once the pop-up waits, then pops the menu up at (100, 100).
void PopupAndDrive(TPopupMenu* menu, const std::function<void(TMenuWindow*)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        TMenuWindow* w = ActiveMenuWindow();
        ASSERT_NE(w, nullptr);
        driven = true;
        drive(w);
    });
    menu->Popup(100, 100);
    EXPECT_TRUE(driven);
    EXPECT_EQ(ActiveMenuWindow(), nullptr);
}
}  // namespace

TEST(MenuWindow, OwnerDrawnItemsAreMeasuredAndPaintedInTheFrameworksOwnPopup) {
    OwnerDrawnMenu m;
    TMenuItem* blue = m.Add(m.Menu->Items(), QStringLiteral("&Blue"));
    TMenuItem* line = m.Add(m.Menu->Items(), QStringLiteral("-"));
    TMenuItem* grey = m.Add(m.Menu->Items(), QStringLiteral("Grey"));
    grey->SetEnabled(false);
    grey->SetChecked(true);
    TMenuItem* hidden = m.Add(m.Menu->Items(), QStringLiteral("Hidden"));
    hidden->SetVisible(false);
    PopupAndDrive(m.Menu, [&](TMenuWindow* w) {
        // Items under each other inside the 3-pixel frame, all as wide as the widest (80) plus the
        // 12-pixel arrow column; the hidden one is left out.
        const TMenuLevel& level = w->Level();
        ASSERT_EQ(level.Count(), 3);
        EXPECT_EQ(level.ItemRect(0), Rect(3, 3, 95, 23));
        EXPECT_EQ(level.ItemRect(1), Rect(3, 23, 95, 28));
        EXPECT_EQ(level.ItemRect(2), Rect(3, 28, 95, 48));
        EXPECT_EQ(w->size(), QSize(98, 51));
        EXPECT_EQ(w->pos(), QPoint(100, 100));
        const QImage& image = w->Render();
        EXPECT_EQ(QColor(image.pixel(50, 10)), QColor(0, 100, 200));   // item 0's own colour
        EXPECT_EQ(QColor(image.pixel(50, 30)), QColor(20, 100, 200));  // item 2's
        EXPECT_EQ(image.pixel(0, 0), ToQColor(cl3DLight).rgb());       // the raised frame
        EXPECT_EQ(image.pixel(97, 50), ToQColor(cl3DDkShadow).rgb());
        // Opened with the mouse: no accelerators until a key is pressed.
        EXPECT_EQ(m.LastState(blue), odNoAccel);
        EXPECT_EQ(m.LastState(grey), odNoAccel | odDisabled | odGrayed | odChecked);
        QTest::keyClick(w, Qt::Key_Down);
        w->Render();
        EXPECT_EQ(m.LastState(blue), odSelected);
        QTest::keyClick(w, Qt::Key_Down);  // over the separator to the disabled item
        EXPECT_EQ(w->Selected(), 2);
        QTest::keyClick(w, Qt::Key_Return);  // a disabled item chooses nothing
        EXPECT_EQ(ActiveMenuWindow(), w);
        QTest::keyClick(w, Qt::Key_B);  // the underlined letter chooses
    });
    EXPECT_EQ(m.Clicks, 1);
    EXPECT_EQ(m.Clicked, blue);
    (void)line;
}

TEST(MenuWindow, SubMenusOpenWithRightAndCloseWithLeftAndEscapeChoosesNothing) {
    OwnerDrawnMenu m;
    TMenuItem* sub = m.Add(m.Menu->Items(), QStringLiteral("Colours"));
    TMenuItem* red = m.Add(sub, QStringLiteral("Red"));
    m.Add(sub, QStringLiteral("Green"));
    PopupAndDrive(m.Menu, [&](TMenuWindow* w) {
        QTest::keyClick(w, Qt::Key_Down);
        QTest::keyClick(w, Qt::Key_Right);
        TMenuWindow* child = ActiveMenuWindow();
        ASSERT_NE(child, w);
        EXPECT_EQ(child->Level().Item(0), red);
        EXPECT_EQ(child->Selected(), 0);
        // The sub-menu opens beside its item, overlapping the frame.
        EXPECT_EQ(child->pos(), QPoint(w->x() + w->width() - 3, w->y()));
        QTest::keyClick(child, Qt::Key_Left);
        EXPECT_EQ(ActiveMenuWindow(), w);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(m.Clicks, 0);
}

TEST(MenuWindow, TheMouseChoosesOnReleaseAndAClickOutsideClosesTheMenu) {
    OwnerDrawnMenu m;
    m.Add(m.Menu->Items(), QStringLiteral("First"));
    TMenuItem* second = m.Add(m.Menu->Items(), QStringLiteral("Second"));
    PopupAndDrive(m.Menu, [&](TMenuWindow* w) {
        QTest::mouseMove(w, QPoint(20, 30));
        EXPECT_EQ(w->Selected(), 1);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(20, 30));
    });
    EXPECT_EQ(m.Clicked, second);
    PopupAndDrive(m.Menu,
                  [&](TMenuWindow* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(-20, -20)); });
    EXPECT_EQ(m.Clicks, 1);
}

TEST(MenuWindow, AMenuWithoutOwnerDrawnItemsStillPopsUpAsAQtMenu) {
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption(QStringLiteral("复制QQ号"));
    menu->Items()->Add(item);
    EXPECT_FALSE(menu->HasOwnerDrawnItems());
    bool sawQMenu = false;
    QTimer::singleShot(0, [&] {
        auto* qmenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        sawQMenu = qmenu != nullptr;
        if (qmenu) qmenu->close();
    });
    menu->Popup(50, 50);
    EXPECT_TRUE(sawQMenu);
    // The menu's OwnerDraw alone sends it to the framework's window.
    menu->SetOwnerDraw(true);
    EXPECT_TRUE(menu->HasOwnerDrawnItems());
}

// The framework's own look: a 20-pixel glyph column, the selection in the highlight colour, a checked
// item's check mark in the text colour, disabled text embossed.
TEST(MenuItemLook, TheFrameworkDrawsAnItemWithoutAHandlerInTheClassicLook) {
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    menu->SetOwnerDraw(true);
    auto* item = new TMenuItem(&form);
    item->SetCaption(QStringLiteral("蓝色"));
    menu->Items()->Add(item);
    TBitmap bitmap(100, 19);
    TCanvas* canvas = bitmap.Canvas();

    item->AdvancedDrawItem(canvas, Rect(0, 0, 100, 19), odSelected, false);
    EXPECT_EQ(canvas->Pixels(1, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(canvas->Pixels(98, 17), ColorToRGB(clHighlight));

    item->SetChecked(true);
    item->AdvancedDrawItem(canvas, Rect(0, 0, 100, 19), odChecked, false);
    // Glyph rect (2, 1, 18, 17): the 7 x 7 check mark from (7, 6); its top row is one pixel at x 13.
    EXPECT_EQ(canvas->Pixels(13, 6), ColorToRGB(clMenuText));
    EXPECT_EQ(canvas->Pixels(12, 6), ColorToRGB(clMenu));
    EXPECT_EQ(canvas->Pixels(7, 8), ColorToRGB(clMenuText));  // row 2: 1000111

    item->SetEnabled(false);
    item->AdvancedDrawItem(canvas, Rect(0, 0, 100, 19), odDisabled | odGrayed, false);
    // Text is smoothed: its strokes come near the two colours.
    auto near = [](TColor a, TColor b) {
        return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                   std::abs(GetBValue(a) - GetBValue(b)) <
               30;
    };
    int highlight = 0, shadow = 0;
    for (int y = 0; y < 19; ++y)
        for (int x = 24; x < 100; ++x) {
            highlight += near(canvas->Pixels(x, y), ColorToRGB(clBtnHighlight));
            shadow += near(canvas->Pixels(x, y), ColorToRGB(clBtnShadow));
        }
    EXPECT_GT(highlight, 10);
    EXPECT_GT(shadow, 10);

    // Separators are one etched line across the middle.
    item->SetCaption(QStringLiteral("-"));
    item->AdvancedDrawItem(canvas, Rect(0, 0, 100, 9), 0, false);
    EXPECT_EQ(canvas->Pixels(50, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(canvas->Pixels(50, 4), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(canvas->Pixels(50, 2), ColorToRGB(clMenu));
}

TEST(MenuItemLook, TheFrameworksMeasureCountsGlyphColumnCaptionAndShortcut) {
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption(QStringLiteral("&Save"));
    menu->Items()->Add(item);
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    int w = 0, h = 0;
    item->MeasureItem(canvas, w, h);
    // Glyph column 20, gap 4, the caption without its "&", margin 8.
    EXPECT_EQ(w, 32 + canvas->TextWidth(QStringLiteral("Save")));
    EXPECT_GE(h, 19);
    item->SetShortCut(scCtrl | 'S');
    item->MeasureItem(canvas, w, h);
    EXPECT_EQ(w, 32 + canvas->TextWidth(QStringLiteral("Save")) + 16 +
                     canvas->TextWidth(QStringLiteral("Ctrl+S")));
    item->OnMeasureItem = [](TObject*, TCanvas*, int& width, int& height) {
        width += 31;
        height = 22;
    };
    item->MeasureItem(canvas, w, h);
    EXPECT_EQ(h, 22);
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | 0x71), QStringLiteral("Shift+Ctrl+F2"));
    EXPECT_EQ(ShortCutToText(46), QStringLiteral("Del"));
    EXPECT_EQ(ShortCutToText(0), QString());
}

TEST(MenuItemLook, AnItemStoresOnlyWhatDiffersFromItsDefaults) {
    TMenuItem item(nullptr);
    item.SetName(QStringLiteral("N1"));
    item.SetCaption(QStringLiteral("复制QQ号"));
    EXPECT_EQ(ComponentToText(&item), QStringLiteral("object N1: TMenuItem\n  Caption = '复制QQ号'\nend\n"));
    item.SetChecked(true);
    item.SetImageIndex(2);
    EXPECT_EQ(ComponentToText(&item),
              QStringLiteral(
                  "object N1: TMenuItem\n  Caption = '复制QQ号'\n  Checked = True\n  ImageIndex = 2\nend\n"));
}

TEST(MenuItemLook, AMenuGlyphIsDrawnThroughItsMaskInOneColour) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    TDeviceContext dc(&image);
    DrawMenuGlyph(&dc, Rect(0, 0, 16, 16), DFCS_MENUCHECK, RGB(0, 0, 255));
    // The 7 x 7 check mark at (5, 5), rows 0000001 0000011 1000111 1101110 1111100 0111000 0010000.
    int blue = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_EQ(blue, 21);
    EXPECT_EQ(image.pixel(11, 5), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(5, 7), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(7, 11), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(6, 7), qRgb(255, 0, 0));
}

TEST(KeyboardCues, TheUserPreferencesMaskIsReadWholeAndItsBit20ShowsTheCues) {
    QTemporaryDir dir;
    TRegIniFile::SetFileName(dir.filePath(QStringLiteral("desktop.ini")));
    TRegIniFile desktop(QStringLiteral("\\Control Panel"));
    auto write = [&](const char* hex) {
        desktop.WriteBinaryData(QStringLiteral("Desktop"), QStringLiteral("UserPreferencesMask"),
                                QByteArray::fromHex(hex));
    };
    EXPECT_FALSE(KeyboardCuesHidden());  // nothing stored reads as shown
    write("9e1e0780");
    EXPECT_TRUE(KeyboardCuesHidden());
    write("be1e0780");
    EXPECT_FALSE(KeyboardCuesHidden());
    write("9e1e078012000000");  // eight bytes before Vista: not read whole
    EXPECT_FALSE(KeyboardCuesHidden());
    SetOSVersionForTest(2, 6, 0);
    EXPECT_TRUE(KeyboardCuesHidden());
    ResetPlatformProfile();
    TRegIniFile::SetFileName(QString());
}

// What a menu controller needs of components: a menu item is announced to its owner's components
// once it is whole (the first announcement comes while only its TComponent part exists), and it
// leaves, telling its owner's components and whoever asked, while still whole.
TEST(ComponentNotifications, AMenuItemIsAnnouncedAndLeavesWhileWhole) {
    struct TListener : TComponent {
        explicit TListener(TComponent* AOwner) : TComponent(AOwner) { WantInsertNotifications(); }
        std::vector<std::pair<QString, TOperation>> Log;
        void Notification(TComponent* c, TOperation op) override {
            TComponent::Notification(c, op);
            if (c != this)
                Log.emplace_back(dynamic_cast<TMenuItem*>(c) ? QStringLiteral("item") : QString(), op);
        }
    };
    using TEntry = std::pair<QString, TOperation>;
    TComponent form;
    auto* listener = new TListener(&form);
    auto* item = new TMenuItem(&form);
    ASSERT_FALSE(listener->Log.empty());
    EXPECT_EQ(listener->Log.back(), TEntry(QStringLiteral("item"), opInsert));
    listener->Log.clear();
    delete item;
    EXPECT_EQ(listener->Log, std::vector<TEntry>{TEntry(QStringLiteral("item"), opRemove)});
    listener->Log.clear();
    {
        TMenuItem gone(nullptr);
        gone.FreeNotification(listener);
    }
    EXPECT_EQ(listener->Log, std::vector<TEntry>{TEntry(QStringLiteral("item"), opRemove)});
    // What is put into a form in the designer is in the designer too.
    form.SetDesigning(true);
    auto* designed = new TComponent(&form);
    EXPECT_TRUE(designed->ComponentState() & csDesigning);
}
