// The tab strip as a control: selection rules and their events, keys, hot tracking and tab hints, the
// hot-only repaint, closing, the scroller's repeat, the tab menu, dragging's marker and streaming.
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"
#include "PaintRecorder.h"
#include "SkTabsButtons.h"
#include "SkTabsPages.h"
#include "Streaming.h"
#include "TimerClock.h"
#include "TypInfo.h"
#include "WindowInput.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <gtest/gtest.h>

namespace {
// A strip that counts its close hook.
class TClosingTabs : public TSkCustomTabControl {
public:
    using TSkCustomTabControl::TSkCustomTabControl;
    int Closed = 0;

protected:
    void CloseTab() override { ++Closed; }
};

struct SkTabsControlTest : testing::Test {
    TManualClock Clock;
    std::unique_ptr<TPaintBox> Parent = std::make_unique<TPaintBox>(nullptr);
    TClosingTabs* Tabs = nullptr;
    std::vector<QString> Events;

    void SetUp() override {
        SetTimerClock(&Clock);
        Parent->SetBounds(0, 0, 400, 200);
        Tabs = new TClosingTabs(Parent.get());
        Tabs->SetParent(Parent.get());
        Tabs->SetBounds(10, 10, 300, 100);
        SetCaptions({QStringLiteral("&First"), QStringLiteral("Second"), QStringLiteral("Third")});
        Tabs->OnChanging = [this](TObject*, int index, bool&) {
            Events.push_back(QStringLiteral("changing %1").arg(index));
        };
        Tabs->OnChange = [this](TObject*) { Events.push_back(QStringLiteral("change")); };
        Tabs->OnPageChange = [this](TObject*) { Events.push_back(QStringLiteral("page")); };
        Tabs->OnTabClick = [this](TObject*) { Events.push_back(QStringLiteral("click")); };
    }
    void TearDown() override {
        Parent.reset();
        SetTimerClock(nullptr);
    }
    void SetCaptions(const QStringList& captions) {
        Tabs->Tabs()->Clear();
        for (const QString& caption : captions) {
            auto* tab = new TSkTabData;
            tab->Caption = caption;
            Tabs->Tabs()->Add(tab);
        }
        Tabs->TabsChanged();
    }
    TPoint Centre(int index) {
        const TRect r = Tabs->GetTabRect(index);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void MouseMove(const TPoint& p, unsigned keys = 0) {
        Tabs->Perform(WM_MOUSEMOVE, keys, MakeLParam(p.X, p.Y));
    }
    void Key(unsigned short key) { Tabs->Perform(WM_KEYDOWN, key); }
};
}  // namespace

TEST_F(SkTabsControlTest, SelectingAsksFirstAndTellsAfterOutOfRangeSelectsNoneSilently) {
    Tabs->SetTabIndex(1);
    EXPECT_EQ(Events, (std::vector<QString>{"changing 1", "change", "page"}));
    Events.clear();
    Tabs->SetTabIndex(5);  // three tabs: nothing is indexed, nobody is told
    EXPECT_EQ(Tabs->TabIndex(), -1);
    EXPECT_TRUE(Events.empty());
    Tabs->OnChanging = [](TObject*, int, bool& allow) { allow = false; };
    Tabs->SetTabIndex(2);
    EXPECT_EQ(Tabs->TabIndex(), -1);
    EXPECT_TRUE(Events.empty());
    Tabs->OnChanging = nullptr;
    Tabs->Tabs()->Items(2)->Enabled = false;
    Tabs->SetTabIndex(2);
    EXPECT_EQ(Tabs->TabIndex(), -1);  // a disabled tab is refused at run time...
    Tabs->SetDesigning(true);
    Tabs->SetTabIndex(2);
    EXPECT_EQ(Tabs->TabIndex(), 2);  // ...and chosen while designing
}

TEST_F(SkTabsControlTest, ArrowsHomeAndEndWalkTheSelectableTabs) {
    Tabs->SetTabIndex(0);
    Key(VK_RIGHT);
    EXPECT_EQ(Tabs->TabIndex(), 1);
    Key(VK_DOWN);
    Key(VK_RIGHT);  // wraps round
    EXPECT_EQ(Tabs->TabIndex(), 0);
    Key(VK_LEFT);
    EXPECT_EQ(Tabs->TabIndex(), 2);
    Key(VK_HOME);
    EXPECT_EQ(Tabs->TabIndex(), 0);
    Key(VK_END);
    EXPECT_EQ(Tabs->TabIndex(), 2);
    Tabs->Tabs()->Items(1)->Enabled = false;
    Key(VK_RIGHT);
    Key(VK_RIGHT);  // 2 -> 0, then 1 is skipped
    EXPECT_EQ(Tabs->TabIndex(), 2);
    Tabs->SetTabOrientation(toLeft);  // on a left strip Up is "next"
    Key(VK_UP);
    EXPECT_EQ(Tabs->TabIndex(), 0);

    Events.clear();
    int asked = 0;
    Tabs->OnChanging = [&](TObject*, int, bool& allow) {
        ++asked;
        allow = false;
    };
    Key(VK_DOWN);  // one full round, every tab refused: the selection stays
    EXPECT_EQ(Tabs->TabIndex(), 0);
    EXPECT_EQ(asked, 1);  // tab 1 is disabled and never asked about
}

TEST_F(SkTabsControlTest, AnAccessKeySelectsItsTab) {
    EXPECT_EQ(Tabs->Perform(CM_DIALOGCHAR, 'f'), 1);
    EXPECT_EQ(Tabs->TabIndex(), 0);
    EXPECT_EQ(Events.back(), QStringLiteral("click"));
    EXPECT_EQ(Tabs->Perform(CM_DIALOGCHAR, 'x'), 0);
}

TEST_F(SkTabsControlTest, ARelayoutHandsTheSelectionOnFromAHiddenTab) {
    Tabs->SetTabIndex(1);
    Tabs->Tabs()->Items(1)->Visible = false;
    Tabs->TabsChanged();
    Tabs->UpdateLayout();
    EXPECT_EQ(Tabs->TabIndex(), 2);  // the next selectable one
    Tabs->Tabs()->Items(2)->Visible = false;
    Tabs->TabsChanged();
    Tabs->UpdateLayout();
    EXPECT_EQ(Tabs->TabIndex(), 0);  // none after it: the one before
}

TEST_F(SkTabsControlTest, FramePropertiesPullEachOtherAndBackgroundFollowsTheParent) {
    Tabs->SetShowFullFrame(false);
    EXPECT_FALSE(Tabs->ShowShadow());
    Tabs->SetShowShadow(true);
    EXPECT_TRUE(Tabs->ShowFullFrame());
    Tabs->SetMargin(-3);  // negative sizes are ignored
    EXPECT_EQ(Tabs->Margin(), 0);
    Parent->SetColor(clInfoBk);
    EXPECT_EQ(Tabs->BackgroundColor(), clInfoBk);
    Tabs->SetBackgroundColor(clRed);
    EXPECT_FALSE(Tabs->ParentBackgroundColor());
    Parent->SetColor(clWhite);
    EXPECT_EQ(Tabs->BackgroundColor(), clRed);
    Tabs->SetRegionCacheCapacity(0);  // ignored
    EXPECT_EQ(Tabs->RegionCacheCapacity(), 1);
    Tabs->SetRegionCacheCapacity(-1);
    EXPECT_EQ(Tabs->RegionCacheCapacity(), -1);
}

TEST_F(SkTabsControlTest, HotTrackingFollowsTheMouseAndEndsSoonAfterItLeaves) {
    MouseMove(Centre(0));
    EXPECT_EQ(Tabs->HotTab(), 0);
    MouseMove(Centre(1));
    EXPECT_EQ(Tabs->HotTab(), 1);
    EXPECT_EQ(Clock.Running(), 1);  // one leave timer
    // The mouse leaves without a further move: the 60 ms timer notices.
    QCursor::setPos(QPoint(Tabs->ClientToScreen({-40, -40}).X, Tabs->ClientToScreen({-40, -40}).Y));
    const TPoint away = Tabs->ScreenToClient({QCursor::pos().x(), QCursor::pos().y()});
    ASSERT_LT(Tabs->TabAtPos(away.X, away.Y), 0);
    Clock.Advance(59);
    EXPECT_EQ(Tabs->HotTab(), 1);
    Clock.Advance(1);
    EXPECT_EQ(Tabs->HotTab(), -1);
}

TEST_F(SkTabsControlTest, TabHintsStandInForTheControlsHintWhileOverATab) {
    Tabs->SetHint(QStringLiteral("own"));
    Tabs->SetTabHints(true);
    Tabs->Tabs()->Items(0)->Hint = QStringLiteral("first tab");
    Tabs->Tabs()->Items(1)->Hint = QStringLiteral("second tab");
    MouseMove(Centre(0));
    EXPECT_EQ(Tabs->Hint(), QStringLiteral("first tab"));
    MouseMove(Centre(1));
    EXPECT_EQ(Tabs->Hint(), QStringLiteral("second tab"));
    MouseMove({250, 80});  // the card
    EXPECT_EQ(Tabs->Hint(), QStringLiteral("own"));
}

TEST_F(SkTabsControlTest, MovingToAnotherTabRepaintsOnlyTheStrip) {
    TRect clip;
    Tabs->OnPaintBackground = [&](TObject*, TCanvas* canvas, const TRect&, bool&) {
        clip = canvas->ClipRect();
    };
    Tabs->PaintOffscreen();
    EXPECT_EQ(clip, Rect(0, 0, 300, 100));
    MouseMove(Centre(1));
    Tabs->PaintOffscreen();
    const TRect strip = Tabs->Layout().StripRect();
    EXPECT_EQ(clip, Rect(0, 0, strip.Right + 1, strip.Bottom + 1));
    Tabs->SetHotTrackColor(clRed);  // any other change repaints everything
    Tabs->PaintOffscreen();
    EXPECT_EQ(clip, Rect(0, 0, 300, 100));
}

TEST_F(SkTabsControlTest, CloseButtonsCloseOnlyWhatOnCloseAllowsAndSurviveAHandlerThatFreesAll) {
    Tabs->SetTabIndex(0);
    Tabs->SetShowCloseButton(true);
    TSkTabControlCloseButton* button = Tabs->CloseButton();
    ASSERT_NE(button, nullptr);
    auto click = [&](TPoint release) {
        button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
        button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(release.X, release.Y));
        button->Perform(WM_LBUTTONUP, 0, MakeLParam(release.X, release.Y));
    };
    click({3, 3});
    EXPECT_EQ(Tabs->Closed, 0);  // no OnClose handler: nothing closes
    Tabs->OnClose = [](TObject*, bool& allow) { allow = true; };
    click({-20, 3});
    EXPECT_EQ(Tabs->Closed, 0);  // released outside
    click({3, 3});
    EXPECT_EQ(Tabs->Closed, 1);

    QPointer<QObject> alive(Tabs);
    Tabs->OnClose = [this](TObject*, bool& allow) {
        allow = true;
        Parent.reset();  // frees the strip, its buttons and their owner
    };
    click({3, 3});
    EXPECT_TRUE(alive.isNull());
}

TEST_F(SkTabsControlTest, HoldingTheScrollerRepeatsAfterADelayAndOnceMoreOnRelease) {
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QStringLiteral("Long caption %1").arg(i);
    SetCaptions(many);
    Tabs->PaintOffscreen();
    TSkTabScroller* scroller = Tabs->Scroller();
    ASSERT_NE(scroller, nullptr);
    const TRect forward = scroller->HalfRect(1);
    const int x = (forward.Left + forward.Right) / 2, y = forward.Height() / 2;
    scroller->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    Clock.Advance(399);
    EXPECT_EQ(Tabs->FirstVisibleTab(), 0);
    Clock.Advance(1);
    EXPECT_EQ(Tabs->FirstVisibleTab(), 1);
    Clock.Advance(100);
    EXPECT_EQ(Tabs->FirstVisibleTab(), 2);
    scroller->Perform(WM_LBUTTONUP, 0, MakeLParam(x, y));
    EXPECT_EQ(Tabs->FirstVisibleTab(), 3);
    Clock.Advance(1000);
    EXPECT_EQ(Tabs->FirstVisibleTab(), 3);

    // Released outside the pressed half: no more.
    scroller->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    scroller->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(1, y));
    Clock.Advance(600);
    scroller->Perform(WM_LBUTTONUP, 0, MakeLParam(1, y));
    EXPECT_EQ(Tabs->FirstVisibleTab(), 3);
}

TEST_F(SkTabsControlTest, TheTabMenuListsVisibleTabsSortedAndEachItemSelectsItsOwnTab) {
    SetCaptions({QStringLiteral("Cherry"), QStringLiteral("Apple"), QStringLiteral("Hidden"),
                 QStringLiteral("Banana")});
    Tabs->Tabs()->Items(2)->Visible = false;
    Tabs->TabsChanged();
    Tabs->SetTabIndex(3);
    Tabs->SetShowMenuButton(true);
    QStringList shown;
    std::vector<bool> checked;
    TPopupMenu* popped = nullptr;
    SetPopupHook([&](TPopupMenu* menu, int, int) {
        popped = menu;
        for (int i = 0; i < menu->Items()->Count(); ++i) {
            shown << menu->Items()->Items(i)->Caption();
            checked.push_back(menu->Items()->Items(i)->Checked());
        }
    });
    Tabs->MenuButton()->BuildMenu();
    SetPopupHook(nullptr);
    EXPECT_EQ(shown, (QStringList{"Apple", "Banana", "Cherry"}));
    EXPECT_EQ(checked, (std::vector<bool>{false, true, false}));
    ASSERT_NE(popped, nullptr);
    EXPECT_EQ(popped->Alignment(), paRight);
    popped->Items()->Items(0)->Click();  // Apple is tab 1
    EXPECT_EQ(Tabs->TabIndex(), 1);
}

TEST_F(SkTabsControlTest, DraggingATabShowsTheMarkerBesideTheTargetAndDropsThere) {
    Tabs->SetAllowTabDragging(true);
    Tabs->SetTabIndex(0);
    bool accept = false;
    Tabs->DragOver(Tabs, Centre(0).X, Centre(0).Y, dsDragMove, accept);
    EXPECT_FALSE(accept);  // onto itself
    EXPECT_FALSE(Tabs->DragIndicator().Showing());
    Tabs->DragOver(Tabs, Centre(2).X, Centre(2).Y, dsDragMove, accept);
    EXPECT_TRUE(accept);
    // Moving right: centred on tab 2's trailing edge less half a row (single slant), 16 x 9, its
    // bottom 2 pixels above the tab's outer edge; in the parent's coordinates.
    const TRect tab = Tabs->Layout().StripTabRect(2);
    const int centre = tab.Right - Tabs->FixedDimension() / 2;
    EXPECT_EQ(Tabs->DragIndicator().Bounds(),
              Rect(10 + centre - 8, 10 + tab.Top - 11, 10 + centre + 8, 10 + tab.Top - 2));
    EXPECT_EQ(Tabs->DragIndicator().PixelAt(8, 1), ColorToRGB(Tabs->DragIndicatorColor()));  // the arrow
    EXPECT_EQ(Tabs->DragIndicator().PixelAt(0, 8), clNone);  // beside it the parent shows
    Tabs->DragOver(Tabs, 250, 80, dsDragMove, accept);       // off the tabs
    EXPECT_FALSE(accept);
    EXPECT_FALSE(Tabs->DragIndicator().Showing());
    ASSERT_NE(Tabs->DragScrollTimer(), nullptr);
    EXPECT_EQ(Tabs->DragScrollTimer()->Interval(), 400);
}

TEST_F(SkTabsControlTest, TheCloseGlyphSitsInTheRoomMeasuringLeft) {
    const TSkTabLayout& layout = Tabs->Layout();
    // Content 60 x 13 from (10, 3): 15 x 13, centred across (9 - 6), in the last 20 pixels.
    EXPECT_EQ(ActiveTabCloseBounds(layout, Rect(10, 3, 70, 16)), Bounds(52, 3, 15, 13));
    EXPECT_EQ(ActiveTabCloseBounds(layout, Rect(10, 3, 70, 12)), Bounds(55, 3, 10, 9));  // shallow: 10 x 9
    Tabs->SetTextOrientation(orVertical);  // no room was left: empty
    EXPECT_TRUE(ActiveTabCloseBounds(layout, Rect(10, 3, 70, 16)).IsEmpty());
}

TEST_F(SkTabsControlTest, StreamsItsRowDepthAndReadsItBackBeforeAnyLayout) {
    auto* pages = new TSkPageControl(Parent.get());
    pages->SetParent(Parent.get());
    pages->SetName(QStringLiteral("PC"));
    pages->SetTabHeight(24);
    pages->TabColors()->SetHighlightBar(clRed);
    pages->UpdateLayout();
    QString text = ComponentToText(pages);
    EXPECT_TRUE(text.contains(QStringLiteral("FixedDimension = 24"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("TabColors.HighlightBar = clRed"))) << qPrintable(text);
    EXPECT_FALSE(text.contains(QStringLiteral("BackgroundColor"))) << qPrintable(text);
    // A page control that notes its row depth as loading ends, before its first layout.
    class TProbePages : public TSkPageControl {
    public:
        using TSkPageControl::TSkPageControl;
        int Loading = -1;

    protected:
        void Loaded() override {
            Loading = FixedDimension();
            TSkPageControl::Loaded();
        }
    };
    auto* read = new TProbePages(Parent.get());
    read->SetParent(Parent.get());
    TextToComponent(
        text.replace(QStringLiteral("FixedDimension = 24"), QStringLiteral("FixedDimension = 31")), read,
        Parent.get(), Parent.get());
    EXPECT_EQ(read->Loading, 31);
    EXPECT_EQ(read->FixedDimension(), 24);  // the first layout measures again
    EXPECT_EQ(read->TabColors()->HighlightBar(), clRed);
}

TEST_F(SkTabsControlTest, ARelayoutKeepsTheSelectedRowNextToTheCard) {
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QStringLiteral("Caption %1").arg(i);
    SetCaptions(many);
    Tabs->SetMultiLine(true);
    Tabs->UpdateLayout();
    ASSERT_GT(Tabs->RowCount(), 1);
    Tabs->SetTabIndex(11);
    EXPECT_EQ(Tabs->Tabs()->Items(11)->Row, 0);
    Tabs->SetWidth(280);  // the rows are made anew
    Tabs->UpdateLayout();
    EXPECT_EQ(Tabs->Tabs()->Items(11)->Row, 0);
}

// OnChanging may free the strip (its window closing, say): the search for a tab ends there, whether
// the arrow keys or a new layout asked.
TEST_F(SkTabsControlTest, AnOnChangingHandlerThatFreesTheStripEndsTheSearchForATab) {
    auto freeAndRefuse = [this](TObject*, int, bool& allow) {
        allow = false;
        Parent.reset();
    };
    Tabs->SetTabIndex(0);
    QPointer<QObject> alive(Tabs);
    Tabs->OnChanging = freeAndRefuse;
    Key(VK_RIGHT);  // a refused tab would send the walk on to the next one
    EXPECT_TRUE(alive.isNull());

    Parent = std::make_unique<TPaintBox>(nullptr);
    SetUp();  // a new strip whose selected tab is then disabled
    Tabs->SetTabIndex(1);
    Tabs->Tabs()->Items(1)->Enabled = false;
    Tabs->TabsChanged();
    alive = Tabs;
    Tabs->OnChanging = freeAndRefuse;
    const TPoint first = Centre(0);
    Tabs->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(first.X, first.Y));
    EXPECT_TRUE(alive.isNull());
}

// Painting lays the tabs out without asking anyone: a selection left on a disabled tab moves on
// once the paint is over.
TEST_F(SkTabsControlTest, PaintingRunsNoHandlerAndTheSelectionMovesOnAfterIt) {
    Tabs->SetTabIndex(1);
    Tabs->Tabs()->Items(1)->Enabled = false;
    Tabs->TabsChanged();
    Events.clear();
    Tabs->PaintOffscreen();
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Tabs->TabIndex(), 1);
    QApplication::processEvents();
    EXPECT_EQ(Tabs->TabIndex(), 2);
    EXPECT_EQ(Events, (std::vector<QString>{"changing 2", "change", "page"}));
}

TEST_F(SkTabsControlTest, TheAccessKeyOfADisabledTabIsLeftToOthers) {
    Tabs->Tabs()->Items(0)->Enabled = false;  // "&First"
    Tabs->TabsChanged();
    EXPECT_EQ(Tabs->Perform(CM_DIALOGCHAR, 'f'), 0);
    EXPECT_EQ(Tabs->TabIndex(), -1);
    EXPECT_TRUE(Events.empty());
}

// The strip follows its image list: a new picture shows without any other change.
TEST_F(SkTabsControlTest, AChangeOfTheImageListRepaintsTheStrip) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 200);
    Parent->SetParent(&form);
    TImageList images(nullptr);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.AddImage(red);
    Tabs->SetImages(&images);
    Tabs->Tabs()->Items(0)->ImageIndex = 0;
    Tabs->TabsChanged();
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    QApplication::processEvents();
    TPaintRecorder painted(Tabs->Widget());
    QApplication::processEvents();
    EXPECT_TRUE(painted.Painted.isEmpty());
    QImage blue(16, 16, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    images.Clear();
    images.AddImage(blue);
    QApplication::processEvents();
    const TRect tab = Tabs->GetTabRect(0);
    EXPECT_TRUE(painted.Painted.intersects(QRect(tab.Left, tab.Top, tab.Width(), tab.Height())));
    Tabs->SetImages(nullptr);
}

// Two quick clicks on the scroller scroll twice, and on the close button close twice.
TEST_F(SkTabsControlTest, EachClickOfADoubleClickOnTheTabButtonsCounts) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 200);
    Parent->SetParent(&form);
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QStringLiteral("Long caption %1").arg(i);
    SetCaptions(many);
    Tabs->SetTabIndex(0);
    Tabs->SetShowCloseButton(true);
    Tabs->OnClose = [](TObject*, bool& allow) { allow = true; };
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    QApplication::processEvents();
    TSkTabScroller* scroller = Tabs->Scroller();
    ASSERT_NE(scroller, nullptr);
    const TRect forward = scroller->HalfRect(1);
    DoubleClick(scroller->Widget(), QPoint((forward.Left + forward.Right) / 2, forward.Height() / 2));
    EXPECT_EQ(Tabs->FirstVisibleTab(), 2);
    DoubleClick(Tabs->CloseButton()->Widget(), QPoint(3, 3));
    EXPECT_EQ(Tabs->Closed, 2);
    Parent->SetParent(nullptr);
}
