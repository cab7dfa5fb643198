#include "ControlProbes.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "HeaderControl.h"
#include "HintWindow.h"
#include "MessageBeep.h"
#include "Platform.h"
#include "SkCommon.h"
#include "SkLstBox.h"
#include "Streaming.h"
#include "TimerClock.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A list on a shown form, its timers on a hand-stepped clock and its beeps counted.
struct ListBoxFixture : testing::Test {
    TManualClock Clock;
    int BeepsBefore = MessageBeepCount();
    int Beeps() const { return MessageBeepCount() - BeepsBefore; }
    std::unique_ptr<TForm> Form;
    void SetUp() override {
        SetTimerClock(&Clock);
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override {
        Form.reset();
        SetTimerClock(nullptr);
        ResetPlatformProfile();
    }
    template <class T = TSkListBox> T* MakeList(std::initializer_list<const char*> items) {
        auto* list = new T(Form.get());
        list->SetParent(Form.get());
        list->SetBounds(10, 10, 200, 150);
        for (const char* item : items)
            list->Items()->Add(QString::fromUtf8(item));
        return list;
    }
    static void Type(TControl* list, QChar key) { list->Perform(WM_CHAR, key.unicode(), 0); }
    static void Type(TControl* list, const char* keys) {
        for (const char* k = keys; *k; ++k)
            Type(list, QChar(*k));
    }
};

// The items as drawn: the list's item area grabbed into an image.
QImage ItemsImage(TListBox* list) {
    auto* area = qobject_cast<QAbstractScrollArea*>(list->Widget());
    return area->viewport()->grab().toImage();
}

int TextWidthIn(const TFont& font, const QString& text) {
    TBitmap measure;
    measure.Canvas()->Font()->Assign(font);
    return measure.Canvas()->TextWidth(text);
}

bool Near(TColor actual, TColor expected) {
    const TColor a = ColorToRGB(actual), e = ColorToRGB(expected);
    return std::abs(GetRValue(a) - GetRValue(e)) <= 8 && std::abs(GetGValue(a) - GetGValue(e)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(e)) <= 8;
}

template <class F> QString ListErrorOf(F&& f) {
    try {
        f();
    } catch (const EListError& e) {
        return e.Message();
    }
    return QStringLiteral("(nothing raised)");
}

}  // namespace

// Incremental search ---------------------------------------------------------------------------------------

using ListBoxSearch = ListBoxFixture;

TEST_F(ListBoxSearch, TypedCharactersAddUpUntilThePauseEndsTheSearch) {
    TSkListBox* list = MakeList({"Apple", "abacus", "Cherry", "ABC"});
    int matches = 0;
    list->OnMatch = [&](TObject*) { ++matches; };
    Type(list, "ab");
    EXPECT_EQ(list->ItemIndex(), 1);  // the first item beginning with "ab", in any case
    EXPECT_EQ(list->SearchString(), QStringLiteral("ab"));
    EXPECT_EQ(matches, 2);

    // Just inside the delay "c" continues the search: "abc".
    Clock.Advance(1499);
    Type(list, 'c');
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->SearchString(), QStringLiteral("abc"));

    // After 1500 ms without typing, "c" searches for "c" alone.
    Clock.Advance(1500);
    EXPECT_TRUE(list->SearchString().isEmpty());
    Type(list, 'c');
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(ListBoxSearch, ACharacterThatMatchesNothingBeepsAndChangesNothing) {
    TSkListBox* list = MakeList({"Apple", "Banana"});
    Type(list, 'b');
    Type(list, 'x');
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->SearchString(), QStringLiteral("b"));
    list->SetBeepOnInvalidKey(false);
    Type(list, 'x');
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(ListBoxSearch, BackspaceShortensAndEmptyingItSelectsTheFirstItem) {
    TSkListBox* list = MakeList({"Zero", "abc", "abd"});
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    Type(list, "abd");
    EXPECT_EQ(list->ItemIndex(), 2);
    Type(list, QChar(VK_BACK));
    EXPECT_EQ(list->SearchString(), QStringLiteral("ab"));
    EXPECT_EQ(list->ItemIndex(), 1);
    Type(list, QChar(VK_BACK));
    Type(list, QChar(VK_BACK));
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_TRUE(list->SearchString().isEmpty());
    EXPECT_EQ(clicks, 1);
    // Nothing left to take back: a beep.
    Type(list, QChar(VK_BACK));
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(ListBoxSearch, NavigationKeysAndEscapeEndTheSearch) {
    TSkListBox* list = MakeList({"abc", "abd"});
    Type(list, "ab");
    list->Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(list->SearchString().isEmpty());
    Type(list, "abd");
    Type(list, QChar(VK_ESCAPE));
    EXPECT_EQ(list->ItemIndex(), -1);
    // Without incremental search the list's own keys are left alone.
    list->SetIncrementalSearch(false);
    list->Perform(WM_KEYDOWN, VK_HOME, 0);
    Type(list, 'a');
    EXPECT_TRUE(list->SearchString().isEmpty());
}

// Group headers ---------------------------------------------------------------------------------------

using ListBoxGroups = ListBoxFixture;

TEST_F(ListBoxGroups, HeadersAreFoundAndCounted) {
    TSkListBox* list = MakeList({"loose", "//Fruit", "apple", "//Greens", "kale", "cress"});
    EXPECT_FALSE(list->IsGroupItem(0));
    EXPECT_TRUE(list->IsGroupItem(1));
    EXPECT_EQ(list->GroupHeaderOf(0), -1);
    EXPECT_FALSE(list->ItemInGroup(0));
    EXPECT_EQ(list->GroupHeaderOf(5), 3);
    EXPECT_EQ(list->GroupNumberOf(3), 1);
    EXPECT_EQ(list->GroupNumberOf(4), -1);
    list->SetGroupPrefix(QStringLiteral("#"));
    EXPECT_FALSE(list->IsGroupItem(1));
    EXPECT_FALSE(list->IsGroupItem(list->Count()));  // past the last item: none
}

TEST_F(ListBoxGroups, AHeaderIsDrawnInTheGroupFontAndColourWithoutItsPrefix) {
    SetHighColorForTest(false);  // a flat header: no gradient
    TSkListBox* list = MakeList({"//abc", "item"});
    list->SetGroupColor(clYellow);
    list->GroupFont()->SetColor(clBlue);
    list->SetShowGroups(true);
    Form->Show();
    EXPECT_EQ(list->Style(), lbOwnerDrawFixed);
    EXPECT_GE(list->ItemHeight(), GetMinFontHeight(list->GroupFont()));

    const QImage image = ItemsImage(list);
    const TRect header = list->ItemRect(0);
    // The whole row in the group colour, the text in the group font's colour from 2 pixels in.
    EXPECT_EQ(Pixel(image, header.Left, header.Top), clYellow);
    EXPECT_EQ(Pixel(image, header.Right - 1, header.Bottom - 1), clYellow);
    const TInk ink = InkIn(image, header, clYellow, clBlue);
    EXPECT_TRUE(ink.Shown());
    EXPECT_GE(ink.First, header.Left + 2);
    // Only "abc" is drawn, in bold: no wider than the bold text (the prefix would add to it).
    EXPECT_LE(ink.Last - ink.First + 1, TextWidthIn(*list->GroupFont(), QStringLiteral("abc")));
    // The ordinary item below keeps the list's colours.
    EXPECT_TRUE(InkIn(image, list->ItemRect(1), clWindow, clWindowText).Shown());
}

TEST_F(ListBoxGroups, WithoutShowGroupsTheHeaderIsAnOrdinaryItemShowingThePrefix) {
    TSkListBox* list = MakeList({"//abc"});
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    Form->Show();
    const QImage image = ItemsImage(list);
    const TRect row = list->ItemRect(0);
    EXPECT_EQ(Pixel(image, row.Right - 1, row.Top), ColorToRGB(clWindow));
    const TInk ink = InkIn(image, row, clWindow, clWindowText);
    EXPECT_TRUE(ink.Shown());
    EXPECT_GT(ink.Last - ink.First + 1, TextWidthIn(*list->Font(), QStringLiteral("abc")));
}

TEST_F(ListBoxGroups, OnAHighColourDisplayTheHeaderRunsFromTheGroupColourToTheListColour) {
    SetHighColorForTest(true);
    TSkListBox* list = MakeList({"//x", "item"});
    list->SetGroupColor(clNavy);
    list->SetShowGroups(true);
    Form->Show();
    const QImage image = ItemsImage(list);
    const TRect header = list->ItemRect(0);
    EXPECT_TRUE(Near(Pixel(image, header.Left, header.Top), clNavy));
    EXPECT_TRUE(Near(Pixel(image, header.Right - 1, header.Top), clWindow));
    const TColor middle = Pixel(image, (header.Left + header.Right) / 2, header.Top);
    EXPECT_FALSE(Near(middle, clNavy));
    EXPECT_FALSE(Near(middle, clWindow));
}

TEST_F(ListBoxGroups, ASelectedHeaderIsDrawnOnTheHighlight) {
    TSkListBox* list = MakeList({"//abc", "item"});
    list->SetShowGroups(true);
    list->SetItemIndex(0);
    Form->Show();
    const QImage image = ItemsImage(list);
    const TRect header = list->ItemRect(0);
    EXPECT_EQ(Pixel(image, header.Right - 1, header.Top + 1), ColorToRGB(clHighlight));
    EXPECT_TRUE(InkIn(image, header, clHighlight, clHighlightText).Shown());
}

TEST_F(ListBoxGroups, WithVisualStylesTheHeaderTakesTheThemeColours) {
    SetHighColorForTest(false);
    SetThemesActiveForTest(true);
    TSkListBox* list = MakeList({"//abc"});
    list->SetGroupColor(clYellow);
    list->SetShowGroups(true);
    Form->Show();
    QImage image = ItemsImage(list);
    const TRect header = list->ItemRect(0);
    EXPECT_EQ(Pixel(image, header.Right - 1, header.Top), ColorToRGB(GetXPThemeColor(4)));
    EXPECT_TRUE(InkIn(image, header, GetXPThemeColor(4), GetXPThemeColor(5)).Shown());
    list->SetGroupColorFromTheme(false);
    image = ItemsImage(list);
    EXPECT_EQ(Pixel(image, header.Right - 1, header.Top), clYellow);
}

TEST_F(ListBoxGroups, TheGroupFontFollowsTheListFontUntilSetApart) {
    TSkListBox* list = MakeList({});
    list->Font()->SetHeight(-20);
    EXPECT_GE(list->ItemHeight(), 20);  // the rows grow with the font
    EXPECT_EQ(list->GroupFont()->Height(), -20);
    EXPECT_TRUE(list->GroupFont()->HasStyle(fsBold));
    EXPECT_FALSE(list->GroupFontChanged());
    list->GroupFont()->SetHeight(-9);
    EXPECT_TRUE(list->GroupFontChanged());
    list->Font()->SetHeight(-30);
    EXPECT_EQ(list->GroupFont()->Height(), -9);
}

// Frame, colours, indent, extent and hints -----------------------------------------------------------------

using ListBoxLook = ListBoxFixture;

TEST_F(ListBoxLook, TheFrameIsDrawnAroundTheItemsInTheNonClientArea) {
    TSkListBox* list = MakeList({"item"});
    list->SetFrameColor(clRed);
    list->SetFrameVisible(true);
    Form->Show();
    const QImage image = list->Widget()->grab().toImage();
    // Flat style: one line of the frame colour on every side, the list's colour inside it.
    EXPECT_EQ(Pixel(image, 0, 40), clRed);
    EXPECT_EQ(Pixel(image, list->Width() - 1, 40), clRed);
    EXPECT_EQ(Pixel(image, 60, 0), clRed);
    EXPECT_EQ(Pixel(image, 60, list->Height() - 1), clRed);
    EXPECT_EQ(list->ItemRect(0).Left, 0);
}

// Turned off again, the frame gives the list back the border a plain list draws round itself.
TEST_F(ListBoxLook, WithoutTheFrameTheListHasItsOwnBorderBack) {
    TSkListBox* list = MakeList({"item"});
    list->SetFrameColor(clRed);
    list->SetFrameVisible(true);
    auto* plain = new TListBox(Form.get());
    plain->SetParent(Form.get());
    plain->SetBounds(220, 10, 150, 150);
    plain->Items()->Add(QStringLiteral("item"));
    Form->Show();
    list->SetFrameVisible(false);
    const QImage image = list->Widget()->grab().toImage(), own = plain->Widget()->grab().toImage();
    for (const QPoint p : {QPoint(0, 40), QPoint(1, 40), QPoint(60, 0), QPoint(60, 1)})
        EXPECT_EQ(image.pixel(p), own.pixel(p)) << p.x() << "," << p.y();
    EXPECT_EQ(image.pixel(list->Width() - 1, 40), own.pixel(plain->Width() - 1, 40));
    EXPECT_EQ(image.pixel(60, list->Height() - 1), own.pixel(60, plain->Height() - 1));
}

TEST_F(ListBoxLook, AHotTrackedFrameTurnsBoldUnderTheMouse) {
    TSkListBox* list = MakeList({"item"});
    list->SetFrameSides(0);
    list->SetFrameHotColor(clBlue);
    list->SetFrameHotTrack(true);
    EXPECT_TRUE(list->FrameVisible());
    EXPECT_EQ(list->FrameSides(), AllSides);
    Form->Show();
    // Cold: the flat frame's one line, the list's colour inside it.
    QImage image = list->Widget()->grab().toImage();
    EXPECT_EQ(Pixel(image, 0, 40), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(image, 1, 40), ColorToRGB(clWindow));
    list->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(list->MouseOverFrame());
    image = list->Widget()->grab().toImage();
    EXPECT_EQ(Pixel(image, 0, 40), clBlue);
    EXPECT_EQ(Pixel(image, 1, 40), clBlue);
    list->Perform(CM_MOUSELEAVE);
    image = list->Widget()->grab().toImage();
    EXPECT_EQ(Pixel(image, 1, 40), ColorToRGB(clWindow));
}

TEST_F(ListBoxLook, EnterIsAKeyPressUnlessItMovesOnLikeTab) {
    TSkListBox* list = MakeList({"item"});
    int presses = 0;
    list->OnKeyPress = [&](TObject*, QChar& key) { presses += key == QChar(VK_RETURN); };
    Type(list, QChar(VK_RETURN));
    EXPECT_EQ(presses, 1);
    list->SetTabOnEnter(true);
    Type(list, QChar(VK_RETURN));
    EXPECT_EQ(presses, 1);
}

TEST_F(ListBoxLook, FocusDisablingAndColourChangesShowTheStateColours) {
    TSkListBox* list = MakeList({"item"});
    list->SetFocusColor(clInfoBk);
    list->SetDisabledColor(clSilver);
    Form->Show();
    QApplication::setActiveWindow(Form->Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
    const auto focusList = [&] {
        list->SetFocus();
        QApplication::processEvents();
    };
    const auto focusForm = [&] {
        Form->Widget()->setFocus();
        QApplication::processEvents();
    };
    focusList();
    EXPECT_EQ(list->Color(), clInfoBk);
    focusForm();
    EXPECT_EQ(list->Color(), clWindow);
    list->SetEnabled(false);
    EXPECT_EQ(list->Color(), clSilver);
    list->SetEnabled(true);
    list->SetColor(clAqua);  // from outside: the new normal colour
    EXPECT_EQ(list->NormalColor(), clAqua);
    focusList();
    focusForm();
    EXPECT_EQ(list->Color(), clAqua);
    // So is a parent's colour taken on, also one the focused list shows already.
    Form->SetColor(clInfoBk);
    focusList();
    list->SetParentColor(true);
    focusForm();
    EXPECT_EQ(list->Color(), clInfoBk);
}

TEST_F(ListBoxLook, TheOwnerDrawIndentIsKeptFreeOfTheItem) {
    TSkListBox* list = MakeList({"item"});
    list->SetStyle(lbOwnerDrawFixed);
    list->SetOwnerDrawIndent(30);
    TRect drawn;
    list->OnDrawItem = [&](TWinControl*, int, TRect r, TOwnerDrawState) { drawn = r; };
    Form->Show();
    ItemsImage(list);
    EXPECT_EQ(drawn.Left, list->ItemRect(0).Left + 30);
    EXPECT_EQ(drawn.Right, list->ItemRect(0).Right);
}

TEST_F(ListBoxLook, TheHorizontalExtentIsTheWidestItemWithRoomForOneMore) {
    TSkListBox* list = MakeList({"short", "a much longer item text", "mid"});
    EXPECT_EQ(list->HorzExtent(), 0);
    list->SetHorzScrollBar(true);
    const int expected = TextWidthIn(*list->Font(), QStringLiteral("a much longer item textx"));
    EXPECT_EQ(list->HorzExtent(), expected);
    list->Items()->Add(QStringLiteral("an even longer item than all the others"));
    EXPECT_EQ(list->HorzExtent(),
              TextWidthIn(*list->Font(), QStringLiteral("an even longer item than all the othersx")));
    EXPECT_EQ(list->HorizontalExtent(), list->HorzExtent());
}

TEST_F(ListBoxLook, AnItemWiderThanTheListShowsItsTextAsAHint) {
    TSkListBox* list = MakeList(
        {"short", QStringLiteral("一个非常非常长的食物名称，比列表宽得多得多得多得多").toUtf8().constData()});
    list->SetWidth(80);
    Form->Show();
    const TRect second = list->ItemRect(1);
    list->Perform(WM_MOUSEMOVE, 0, MakeLParam(5, second.Top + 1));
    ASSERT_NE(list->ItemHintWindow(), nullptr);
    EXPECT_TRUE(list->ItemHintWindow()->Visible());
    EXPECT_EQ(list->ItemHintWindow()->Caption(), list->Items()->Strings(1));
    const TRect first = list->ItemRect(0);
    list->Perform(WM_MOUSEMOVE, 0, MakeLParam(5, first.Top + 1));
    EXPECT_FALSE(list->ItemHintWindow()->Visible());
    list->SetShowItemHints(false);
    list->Perform(WM_MOUSEMOVE, 0, MakeLParam(5, second.Top + 1));
    EXPECT_FALSE(list->ItemHintWindow()->Visible());
    // An item that would fit the list but not beside the owner-draw indent shows its hint too.
    list->SetShowItemHints(true);
    list->SetOwnerDrawIndent(40);
    list->SetWidth(list->Width() - list->ClientWidth() + TextWidthIn(*list->Font(), QStringLiteral("short")) +
                   10);
    list->Perform(WM_MOUSEMOVE, 0, MakeLParam(5, first.Top + 1));
    EXPECT_TRUE(list->ItemHintWindow()->Visible());
}

// Tabbed list box ---------------------------------------------------------------------------------------

using TabbedListBox = ListBoxFixture;

TEST_F(TabbedListBox, AutomaticStopsFollowTheWidestTextOfEachColumn) {
    auto* list = MakeList<TSkCustomTabbedListBox>({"a\tabc", "abc\ta"});
    list->SetTabStopsMode(tsmAutomatic);
    const int avg = list->AvgCharWidth();
    const int abc = TextWidthIn(*list->Font(), QStringLiteral("abc"));
    ASSERT_EQ(list->TabStops()->Count(), 2);
    EXPECT_EQ(list->TabStops()->Items(0), abc / avg + 4);
    EXPECT_EQ(list->TabStops()->Items(1), abc / avg + (abc / avg + 4) + 4);
    EXPECT_EQ(list->WindowTabStops(), (std::vector<int>{(abc / avg + 4) * 4, (2 * (abc / avg) + 8) * 4}));

    // A new item with a third column adds a stop.
    list->Items()->Add(QStringLiteral("x\ty\tz"));
    EXPECT_EQ(list->TabStops()->Count(), 3);
    list->SetTabStopsMode(tsmManual);
    list->Items()->Add(QStringLiteral("x\ty\tz\tw"));
    EXPECT_EQ(list->TabStops()->Count(), 3);
}

TEST_F(TabbedListBox, ColumnsAreReadAndWrittenWithinTheItem) {
    auto* list = MakeList<TSkCustomTabbedListBox>({"a\tb", "c"});
    EXPECT_EQ(list->GetItemColumn(0, 1), QStringLiteral("b"));
    EXPECT_EQ(ListErrorOf([&] { list->GetItemColumn(0, 2); }),
              QStringLiteral("Column parameter out of range"));
    EXPECT_EQ(ListErrorOf([&] { list->GetItemColumn(0, -1); }),
              QStringLiteral("Column parameter out of range"));
    EXPECT_EQ(ListErrorOf([&] { list->GetItemColumn(2, 0); }), QStringLiteral("Row parameter out of range"));
    EXPECT_EQ(ListErrorOf([&] { list->SetItemColumn(-1, 0, "x"); }),
              QStringLiteral("Row parameter out of range"));
    EXPECT_EQ(ListErrorOf([&] { list->SetItemColumn(1, 1, "x"); }),
              QStringLiteral("Column parameter out of range"));
    EXPECT_EQ(list->Items()->Strings(1), QStringLiteral("c"));
    list->SetItemColumn(0, 0, QStringLiteral("新"));
    EXPECT_EQ(list->Items()->Strings(0), QStringLiteral("新\tb"));
}

TEST_F(TabbedListBox, AtMostAThousandStopsReachTheWindowEachWithinItsLimits) {
    auto* list = MakeList<TSkCustomTabbedListBox>({});
    for (int i = 1; i <= 1200; ++i)
        list->TabStops()->Add(i);
    EXPECT_EQ(list->TabStops()->Count(), 1200);
    ASSERT_EQ(list->WindowTabStops().size(), 1000u);
    EXPECT_EQ(list->WindowTabStops()[999], 4000);

    // Stops beyond the window's 16-bit coordinates are placed at its edge, not wrapped round.
    list->TabStops()->Clear();
    EXPECT_TRUE(list->WindowTabStops().empty());
    list->TabStops()->Add(2147483647);
    list->TabStops()->Add(-2147483647);
    const int limit = 32767 / list->AvgCharWidth();
    EXPECT_EQ(list->WindowTabStops(), (std::vector<int>{limit * 4, -limit * 4}));
}

TEST_F(TabbedListBox, ColumnsAreDrawnAtTheirStops) {
    auto* list = MakeList<TSkCustomTabbedListBox>({"a\tb"});
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    list->TabStops()->Add(20);
    Form->Show();
    const QImage image = ItemsImage(list);
    const TRect row = list->ItemRect(0);
    const int stop = row.Left + 2 + 20 * list->AvgCharWidth();
    // Nothing between the first column and the stop; the second column starts there.
    const TInk gap =
        InkIn(image, Rect(row.Left + 2 + TextWidthIn(*list->Font(), "a") + 1, row.Top, stop, row.Bottom),
              clWindow, clWindowText);
    EXPECT_EQ(gap.First, -1);
    const TInk second = InkIn(image, Rect(stop, row.Top, row.Right, row.Bottom), clWindow, clWindowText);
    EXPECT_TRUE(second.Shown());
    EXPECT_LE(second.First, stop + 2);
}

TEST_F(TabbedListBox, StopsComeFromTheSectionsOfAHeader) {
    auto* list = MakeList<TSkCustomTabbedListBox>({});
    for (int stop : {10, -20, 30})
        list->TabStops()->Add(stop);
    auto* header = new THeaderControl(Form.get());
    header->SetParent(Form.get());
    header->SetWidth(300);
    for (int width : {60, 80, 100})
        header->AddSection(QStringLiteral("列"), width);
    const int avg = list->AvgCharWidth();
    list->UpdateFromHeader(header);
    EXPECT_EQ(list->TabStops()->Items(0), 60 / avg + 1);
    EXPECT_EQ(list->TabStops()->Items(1), 1 - (140 + 100 + 1) / avg);  // right-aligned at the next edge
    EXPECT_EQ(list->TabStops()->Items(2), 240 / avg + 1);

    // The older header keeps its last section without a stop.
    auto* old = new THeader(Form.get());
    for (int width : {50, 50})
        old->AddSection(QString(), width);
    list->UpdateFromHeader(old);
    EXPECT_EQ(list->TabStops()->Items(0), 50 / avg + 1);
    EXPECT_EQ(list->TabStops()->Items(1), 1 - (140 + 100 + 1) / avg);

    EXPECT_THROW(list->UpdateFromHeader(Form.get()), EHeaderError);
}

TEST_F(TabbedListBox, StopsAreStreamedOnlyWhenThereAreAny) {
    auto* list = MakeList<TSkCustomTabbedListBox>({});
    list->SetName(QStringLiteral("List"));
    EXPECT_FALSE(ComponentToText(list).contains(QStringLiteral("TabStops")));
    list->TabStops()->Add(12);
    list->TabStops()->Add(-30);
    const QString text = ComponentToText(list);
    EXPECT_TRUE(text.contains(QStringLiteral("TabStops.Integers = (12 -30)"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("TabStops.Min")));

    auto* read = MakeList<TSkCustomTabbedListBox>({});
    TextToComponent(text, read);
    ASSERT_EQ(read->TabStops()->Count(), 2);
    EXPECT_EQ(read->TabStops()->Items(1), -30);
    EXPECT_EQ(read->WindowTabStops(), (std::vector<int>{48, -120}));
}

TEST_F(ListBoxLook, PublishedPropertiesRoundTrip) {
    TSkListBox* list = MakeList({});
    list->SetName(QStringLiteral("Lst"));
    list->SetShowGroups(true);
    list->SetGroupPrefix(QStringLiteral("##"));
    list->SetFrameVisible(true);
    list->SetOwnerDrawIndent(12);
    const QString text = ComponentToText(list);
    EXPECT_FALSE(text.contains(QStringLiteral("GroupFont"))) << text.toStdString();
    auto* read = MakeList({});
    TextToComponent(text, read);
    EXPECT_TRUE(read->ShowGroups());
    EXPECT_EQ(read->GroupPrefix(), QStringLiteral("##"));
    EXPECT_TRUE(read->FrameVisible());
    EXPECT_EQ(read->OwnerDrawIndent(), 12);
    // Earlier names still read: FrameFlat turns hot tracking on, HorzExtent is dropped.
    TextToComponent(QStringLiteral("object Lst: TSkListBox\n  FrameFlat = True\n  HorzExtent = 300\nend\n"),
                    read);
    EXPECT_TRUE(read->FrameHotTrack());
    EXPECT_EQ(read->FrameStyle(), fsStatus);
    EXPECT_EQ(read->HorzExtent(), 0);

    // A group font set apart is stored and read back.
    list->GroupFont()->SetHeight(-17);
    const QString withFont = ComponentToText(list);
    EXPECT_TRUE(withFont.contains(QStringLiteral("GroupFont.Height = -17"))) << withFont.toStdString();
    auto* again = MakeList({});
    TextToComponent(withFont, again);
    EXPECT_EQ(again->GroupFont()->Height(), -17);
    EXPECT_TRUE(again->GroupFontChanged());
}
