// The visual sheet of the tab strip: every shape on every side, rows, a scrolled line with its buttons,
// coloured and hot tabs, and page controls as the windows use them.
#include "ImgList.h"
#include "Sheet.h"
#include "SkTabsButtons.h"
#include "SkTabsPages.h"
#include "TypInfo.h"

namespace {
TSkCustomTabControl* Strip(TPaintBox* parent, int width, int height, const QStringList& captions,
                           int selected) {
    auto* tabs = Child<TSkCustomTabControl>(parent, width, height);
    for (const QString& caption : captions) {
        auto* tab = new TSkTabData;
        tab->Caption = caption;
        tabs->Tabs()->Add(tab);
    }
    tabs->TabsChanged();
    tabs->SetTabIndex(selected);
    return tabs;
}

// Moves the mouse over a tab so it is drawn hot.
void HoverOver(TSkCustomTabControl* tabs, int index) {
    const TRect r = tabs->GetTabRect(index);
    tabs->Perform(WM_MOUSEMOVE, 0, MakeLParam((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

// The strip with the buttons it placed while painting, each painted where it lies.
void ShowWithButtons(TCanvas* canvas, const TRect& r, TSkCustomTabControl* tabs) {
    tabs->PaintOffscreen();
    Show(canvas, r, tabs);
    for (TCustomControl* button : std::initializer_list<TCustomControl*>{
             tabs->Scroller(), tabs->CloseButton(), tabs->MenuButton(), tabs->ActiveTabCloseButton()}) {
        if (!button || !button->Visible()) continue;
        TBitmap picture;
        picture.FromImage(button->PaintOffscreen());
        canvas->Draw(r.Left + button->Left(), r.Top + button->Top(), &picture);
    }
}

const QStringList Three{QStringLiteral("食谱"), QStringLiteral("套餐"), QStringLiteral("&Tab")};

void StylesAndSides(TSheet& sheet) {
    auto face = MakeParent(clBtnFace);
    const QStringList styles = GetPropInfo(&TSkPageControl::staticMetaObject, "TabStyle")->Names;
    const QStringList sides = GetPropInfo(&TSkPageControl::staticMetaObject, "TabOrientation")->Names;
    for (int side = toTop; side <= toRight; ++side) {
        const bool vertical = side == toLeft || side == toRight;
        sheet.Heading(
            QStringLiteral("%1: every shape, the second tab selected, the third hot").arg(sides[side]));
        for (int style = tsSingleSlant; style <= tsSquareCorners; ++style) {
            const int w = vertical ? 110 : 200, h = vertical ? 150 : 80;
            auto* tabs = Strip(face.get(), w, h, Three, 1);
            tabs->SetTabOrientation(TSkTabOrientation(side));
            tabs->SetTabStyle(TSkTabStyle(style));
            HoverOver(tabs, 2);
            sheet.Cell(styles[style], w, h, [&](TCanvas* c, const TRect& r) { Show(c, r, tabs); });
        }
    }
}

void Variants(TSheet& sheet) {
    auto face = MakeParent(clBtnFace);
    sheet.Heading(
        QStringLiteral("Soft corners, reverse, no shadow, no full frame, no card frame, coloured tabs"));
    struct TCase {
        const char* Caption;
        std::function<void(TSkCustomTabControl*)> Set;
    };
    const TCase cases[] = {
        {"soft single slant", [](TSkCustomTabControl* t) { t->SetSoftCorners(true); }},
        {"soft double slant",
         [](TSkCustomTabControl* t) {
             t->SetSoftCorners(true);
             t->SetTabStyle(tsDoubleSlant);
         }},
        {"tsReverse", [](TSkCustomTabControl* t) { t->SetTabSequence(tsReverse); }},
        {"no shadow", [](TSkCustomTabControl* t) { t->SetShowShadow(false); }},
        {"no full frame", [](TSkCustomTabControl* t) { t->SetShowFullFrame(false); }},
        {"round, no full frame",
         [](TSkCustomTabControl* t) {
             t->SetTabStyle(tsRoundCorners);
             t->SetShowFullFrame(false);
         }},
        {"no card frame", [](TSkCustomTabControl* t) { t->SetShowCardFrame(false); }},
        {"coloured tabs",
         [](TSkCustomTabControl* t) {
             t->Tabs()->Items(0)->Color = 0xC0E0FF;
             t->Tabs()->Items(1)->Color = 0xFFE0C0;
             t->Tabs()->Items(2)->Color = 0xC0FFC0;
             t->SetUseColoredTabs(true);
         }},
        {"highlight bar",
         [](TSkCustomTabControl* t) {
             t->SetHotTrackStyle(htsTabBar);
             HoverOver(t, 2);
         }},
        {"hot text, actual colour",
         [](TSkCustomTabControl* t) {
             t->SetHotTrackStyle(htsText);
             HoverOver(t, 2);
         }},
        {"hot colour property",
         [](TSkCustomTabControl* t) {
             t->SetHotTrackColorSource(htcsHotTrackColorProp);
             HoverOver(t, 2);
         }},
        {"disabled tab, bold current",
         [](TSkCustomTabControl* t) {
             t->Tabs()->Items(2)->Enabled = false;
             t->SetBoldCurrentTab(true);
             t->TabsChanged();
         }},
        {"no gradients", [](TSkCustomTabControl* t) { t->SetUseGradients(false); }},
        {"cut corner 10",
         [](TSkCustomTabControl* t) {
             t->SetTabStyle(tsCutCorner);
             t->SetCutCornerSize(10);
         }},
    };
    for (const TCase& test : cases) {
        auto* tabs = Strip(face.get(), 200, 80, Three, 1);
        test.Set(tabs);
        sheet.Cell(test.Caption, 200, 80, [&](TCanvas* c, const TRect& r) { Show(c, r, tabs); });
    }
}

void RowsAndScrolling(TSheet& sheet) {
    auto face = MakeParent(clBtnFace);
    QStringList many;
    for (int i = 1; i <= 9; ++i)
        many << QStringLiteral("页面 %1").arg(i);
    sheet.Heading(
        QStringLiteral("Rows (tab 2 selected: its row next to the card), aligned rows, a scrolled line"));
    auto* rows = Strip(face.get(), 230, 120, many, 1);
    rows->SetMultiLine(true);
    rows->SetTabIndex(7);
    sheet.Cell(QStringLiteral("multi-line, tab 8 selected"), 230, 120,
               [&](TCanvas* c, const TRect& r) { Show(c, r, rows); });
    auto* aligned = Strip(face.get(), 230, 120, many, 1);
    aligned->SetMultiLine(true);
    aligned->SetAlignTabs(true);
    sheet.Cell(QStringLiteral("aligned rows"), 230, 120,
               [&](TCanvas* c, const TRect& r) { Show(c, r, aligned); });
    auto* square = Strip(face.get(), 230, 120, many, 4);
    square->SetMultiLine(true);
    square->SetTabStyle(tsSquareCorners);
    sheet.Cell(QStringLiteral("square rows"), 230, 120,
               [&](TCanvas* c, const TRect& r) { Show(c, r, square); });
    auto* line = Strip(face.get(), 230, 80, many, 5);
    sheet.Cell(QStringLiteral("scrolled line, tab 6 selected"), 230, 80,
               [&](TCanvas* c, const TRect& r) { ShowWithButtons(c, r, line); });
    auto* buttons = Strip(face.get(), 230, 80, Three, 1);
    buttons->SetShowCloseButton(true);
    buttons->SetShowMenuButton(true);
    buttons->SetShowCloseButtonOnActiveTab(true);
    sheet.Cell(QStringLiteral("close, menu, close on tab"), 230, 80,
               [&](TCanvas* c, const TRect& r) { ShowWithButtons(c, r, buttons); });
    auto* vertical = Strip(face.get(), 120, 150, Three, 0);
    vertical->SetTabOrientation(toLeft);
    vertical->SetTextOrientation(orVertical);
    sheet.Cell(QStringLiteral("left, vertical text"), 120, 150,
               [&](TCanvas* c, const TRect& r) { Show(c, r, vertical); });
    auto* lines = Strip(face.get(), 200, 80, {QStringLiteral("两行\r\n文字"), QStringLiteral("One")}, 0);
    sheet.Cell(QStringLiteral("two-line caption"), 200, 80,
               [&](TCanvas* c, const TRect& r) { Show(c, r, lines); });
}

void PageControls(TSheet& sheet) {
    auto face = MakeParent(clBtnFace);
    sheet.Heading(
        QStringLiteral("Page controls: tabs at the bottom, hidden tabs (TabHeight 1), pages coloured"));
    auto* bottom = Child<TSkPageControl>(face.get(), 240, 120);
    bottom->SetTabOrientation(toBottom);
    for (const char* caption : {"今日", "历史", "分析"}) {
        auto* sheetPage = new TSkTabSheet(face.get());
        sheetPage->SetCaption(QString::fromUtf8(caption));
        sheetPage->SetPageControl(bottom);
    }
    bottom->SetActivePageIndex(1);
    sheet.Cell(QStringLiteral("toBottom, page 2"), 240, 120,
               [&](TCanvas* c, const TRect& r) { Show(c, r, bottom); });
    auto* hidden = Child<TSkPageControl>(face.get(), 240, 120);
    hidden->SetTabHeight(1);
    hidden->SetTabWidth(1);
    for (int i = 0; i < 3; ++i)
        (new TSkTabSheet(face.get()))->SetPageControl(hidden);
    hidden->SetActivePageIndex(0);
    sheet.Cell(QStringLiteral("TabHeight 1, TabWidth 1"), 240, 120,
               [&](TCanvas* c, const TRect& r) { Show(c, r, hidden); });
    auto* colored = Child<TSkPageControl>(face.get(), 240, 120);
    const TColor colors[] = {0xD0F0FF, 0xFFE8D0, 0xD8FFD8};
    for (TColor color : colors) {
        auto* page = new TSkTabSheet(face.get());
        page->SetCaption(QStringLiteral("颜色"));
        page->SetPageControl(colored);
        page->SetColor(color);
    }
    colored->SetActivePageIndex(2);
    sheet.Cell(QStringLiteral("coloured pages"), 240, 120,
               [&](TCanvas* c, const TRect& r) { Show(c, r, colored); });
}
}  // namespace

void TabSheet(const QString& folder) {
    TSheet sheet(1300, 1500);
    StylesAndSides(sheet);
    Variants(sheet);
    RowsAndScrolling(sheet);
    PageControls(sheet);
    sheet.Save(folder, QStringLiteral("tabs"));
}
