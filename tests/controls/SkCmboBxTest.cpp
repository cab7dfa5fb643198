#include "ControlProbes.h"
#include "Forms.h"
#include "MessageBeep.h"
#include "SkCmboBx.h"
#include "Streaming.h"
#include "TimerClock.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {
// A combo box on a white parent, on a hand-stepped clock; Beeps() counts the beeps of the test.
struct SkComboBoxTest : testing::Test {
    TManualClock Clock;
    std::unique_ptr<TPaintBox> Parent;
    int BeepsBefore = 0;
    int Beeps() const { return MessageBeepCount() - BeepsBefore; }
    void SetUp() override {
        SetTimerClock(&Clock);
        BeepsBefore = MessageBeepCount();
        Parent = std::make_unique<TPaintBox>(nullptr);
        Parent->SetColor(clWhite);
        Parent->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override {
        Parent.reset();
        SetTimerClock(nullptr);
        ResetPlatformProfile();
    }
    TSkComboBox* Make(TComboBoxStyle style, const QStringList& items) {
        auto* box = new TSkComboBox(Parent.get());
        box->SetParent(Parent.get());
        box->SetBounds(10, 10, 100, 21);
        box->SetStyle(style);
        box->Items()->Assign(items);
        return box;
    }
    // Types each character as a key press and release; letters carry their key code.
    static void Type(TControl* control, const QString& text) {
        for (QChar ch : text) {
            const int key =
                ch.isLetter() && ch.unicode() < 128 ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(control->Widget(), &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(control->Widget(), &release);
        }
    }
    static void Key(TControl* control, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                    const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(control->Widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(control->Widget(), &release);
    }
    static void Wheel(TControl* control, int delta) {
        QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(control->Widget(), &e);
    }
};

// Incremental search in a drop-down list -------------------------------------------------------------------
TEST_F(SkComboBoxTest, ListSearchJoinsKeysWithinTheResetDelayAndStartsAgainAfterIt) {
    auto* box = Make(csDropDownList, {"Apple", "Abalone", "Banana", "Abbey"});
    Type(box, "a");
    EXPECT_EQ(box->ItemIndex(), 0);
    Clock.Advance(1000);
    Type(box, "b");  // "ab": the first item beginning so
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->SearchString(), "ab");
    Clock.Advance(1499);  // counted from the last key
    EXPECT_EQ(box->SearchString(), "ab");
    Clock.Advance(1);
    EXPECT_EQ(box->SearchString(), "");
    Type(box, "b");  // a new search
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(box->Text(), "Banana");
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(SkComboBoxTest, ListSearchBeepsWithoutMatchAndBackspaceShortensThePrefix) {
    auto* box = Make(csDropDownList, {"Apple", "Abalone", "Banana"});
    int clicks = 0, changes = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->OnChange = [&](TObject*) { ++changes; };
    Type(box, "abz");
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->SearchString(), "ab");
    Key(box, Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(box->SearchString(), "a");
    EXPECT_EQ(box->ItemIndex(), 0);
    Key(box, Qt::Key_Backspace, Qt::NoModifier, "\b");  // empty: the first item
    EXPECT_EQ(box->ItemIndex(), 0);
    EXPECT_EQ(box->SearchString(), "");
    Key(box, Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(Beeps(), 2);
    EXPECT_EQ(clicks, 4);  // a, b, and the two backspaces that chose
    EXPECT_EQ(changes, 4);
    Type(box, "b");
    Key(box, Qt::Key_Down);  // navigation forgets the prefix
    EXPECT_EQ(box->SearchString(), "");
    box->SetAutoDropDown(true);  // a typed key opens the list
    Type(box, "a");
    EXPECT_TRUE(box->DroppedDown());
    box->SetDroppedDown(false);
}

// Type-ahead in the edit field
// -------------------------------------------------------------------------------
TEST_F(SkComboBoxTest, TypeAheadCompletesToTheItemAndSelectsTheAddedTail) {
    auto* box = Make(csDropDown, {"Banana", "Apple", "Apricot"});
    int matches = 0;
    box->OnMatch = [&](TObject*) { ++matches; };
    Type(box, "ap");
    EXPECT_EQ(box->Text(), "Apple");
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelLength(), 3);
    EXPECT_EQ(matches, 1);  // "p" kept the same item
    Type(box, "r");
    EXPECT_EQ(box->Text(), "Apricot");
    EXPECT_EQ(matches, 2);
    Key(box, Qt::Key_Backspace, Qt::NoModifier, "\b");  // the tail is outside the prefix: "ap"
    EXPECT_EQ(box->Text(), "Apple");
    EXPECT_EQ(box->SelLength(), 3);
}

// Completed to "Apple", the user clicks after "App" and types: the search starts again from the text
// shown, so the letter goes in where the caret is instead of completing the old prefix "ap".
TEST_F(SkComboBoxTest, AClickInTheEditFieldSearchesOnFromTheTextShown) {
    auto* box = Make(csDropDown, {"Banana", "Apple", "Apricot"});
    Type(box, "ap");
    ASSERT_EQ(box->Text(), "Apple");
    auto* edit = box->Widget()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    int x = 0;
    while (x < edit->width() && edit->cursorPositionAt(QPoint(x, edit->height() / 2)) < 3)
        ++x;
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(x, edit->height() / 2));
    ASSERT_EQ(box->SelStart(), 3);
    EXPECT_EQ(box->SearchString(), "Apple");
    Type(box, "r");
    EXPECT_EQ(box->Text(), "Apprle");
}

// A text set by the program is matched as typed text is, also after the arrows chose an item.
TEST_F(SkComboBoxTest, TextSetByTheProgramIsCompletedToTheFirstMatch) {
    auto* box = Make(csDropDown, {"Apple", "Banana"});
    box->SetText("ban");
    EXPECT_EQ(box->Text(), "Banana");
    EXPECT_EQ(box->SelStart(), 3);
    EXPECT_EQ(box->SelLength(), 3);
    Key(box, Qt::Key_Up);
    EXPECT_EQ(box->Text(), "Apple");
    box->SetText("b");
    EXPECT_EQ(box->Text(), "Banana");
    box->SetText("Cherry");  // no match: as set
    EXPECT_EQ(box->Text(), "Cherry");
}

TEST_F(SkComboBoxTest, KeepSearchCaseKeepsTheTypedLetters) {
    auto* box = Make(csDropDown, {"Apple"});
    box->SetKeepSearchCase(true);
    Type(box, "ap");
    EXPECT_EQ(box->Text(), "apple");
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelLength(), 3);
}

TEST_F(SkComboBoxTest, UnmatchedLettersStandOnlyWhenEditingIsAllowed) {
    auto* box = Make(csDropDown, {"Apple"});
    Type(box, "z");
    EXPECT_EQ(box->Text(), "z");
    EXPECT_EQ(Beeps(), 0);
    box->SetText(QString());
    box->SetAllowEdit(false);
    Type(box, "az");
    EXPECT_EQ(box->Text(), "Apple");
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(box->SearchString(), "a");
}

TEST_F(SkComboBoxTest, MaxLengthRefusesAFurtherCharacterWithABeep) {
    auto* box = Make(csDropDown, {});
    box->SetMaxLength(3);
    Type(box, "abcd");
    EXPECT_EQ(box->Text(), "abc");
    EXPECT_EQ(Beeps(), 1);
}

// Chinese text arrives through the native field as typed keys and as an input method's commit.
TEST_F(SkComboBoxTest, ChineseTextIsCompletedAndTypedThroughTheNativeField) {
    auto* box = Make(csDropDown, {"面条", "米饭", "米粥"});
    Type(box, QStringLiteral("米"));
    EXPECT_EQ(box->Text(), QStringLiteral("米饭"));
    EXPECT_EQ(box->SelLength(), 1);
    Type(box, QStringLiteral("粥"));
    EXPECT_EQ(box->Text(), QStringLiteral("米粥"));
    EXPECT_EQ(box->ItemIndex(), 2);

    auto* plain = Make(csDropDown, {"米饭"});
    plain->SetAutoComplete(false);
    Type(plain, QStringLiteral("米"));
    EXPECT_EQ(plain->Text(), QStringLiteral("米"));  // no completion, not even Qt's own
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("饭团"));
    QApplication::sendEvent(plain->Widget(), &commit);
    EXPECT_EQ(plain->Text(), QStringLiteral("米饭团"));
}

TEST_F(SkComboBoxTest, ATypedCharacterFiresItsKeyEventsOnceBeforeCompletion) {
    auto* box = Make(csDropDown, {"Apple"});
    QStringList events;
    box->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        events << QStringLiteral("down %1").arg(key);
    };
    box->OnKeyPress = [&](TObject*, QChar& key) {
        events << QStringLiteral("press ") + key + QStringLiteral(" '") + box->Text() + QStringLiteral("'");
    };
    Type(box, "a");
    EXPECT_EQ(events, QStringList({"down 65", "press a ''"}));
    EXPECT_EQ(box->Text(), "Apple");
    // A handler that drops the character stops the completion.
    box->SetText(QString());
    box->OnKeyPress = [](TObject*, QChar& key) { key = QChar(); };
    Type(box, "a");
    EXPECT_EQ(box->Text(), "");
}

TEST_F(SkComboBoxTest, PasteCompletesTheTextOnlyWhenEditingIsAllowed) {
    auto* box = Make(csDropDown, {"Apple", "Banana"});
    QApplication::clipboard()->setText("ban");
    Key(box, Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(box->Text(), "Banana");
    EXPECT_EQ(box->SelStart(), 3);
    EXPECT_EQ(box->SelLength(), 3);
    box->SetText(QString());
    QString seen = QStringLiteral("-");
    box->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        seen = box->Text();  // before the paste
        key = 0;
    };
    Key(box, Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(seen, "");
    EXPECT_EQ(box->Text(), "");  // the handler dropped the key
    box->OnKeyDown = nullptr;
    box->SetAllowEdit(false);
    Key(box, Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(box->Text(), "");
}

TEST_F(SkComboBoxTest, EnterMovesToTheNextControlWithTabOnEnter) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* box = new TSkComboBox(&form);
    box->SetParent(&form);
    box->SetTabOnEnter(true);
    auto* next = new TEdit(&form);
    next->SetParent(&form);
    next->SetTop(40);
    int presses = 0;
    box->OnKeyPress = [&](TObject*, QChar& key) { presses += key == QChar(13); };
    form.ShowForm();
    QApplication::setActiveWindow(form.Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    Key(box, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::processEvents();
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(presses, 0);
}

// Read-only, the mouse wheel
// ---------------------------------------------------------------------------------
TEST_F(SkComboBoxTest, ReadOnlyBoxIgnoresTypingClicksAndTheWheelButCopies) {
    auto* box = Make(csDropDown, {"Apple", "Banana"});
    box->SetItemIndex(0);
    box->SetReadOnly(true);
    Type(box, "b");
    Key(box, Qt::Key_Down);
    Wheel(box, -120);
    EXPECT_EQ(box->Text(), "Apple");
    EXPECT_EQ(box->ItemIndex(), 0);
    QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(90, 10));
    EXPECT_FALSE(box->DroppedDown());
    box->SetSelection(0, 3);
    QApplication::clipboard()->clear();
    Key(box, Qt::Key_C, Qt::ControlModifier, "\x03");
    EXPECT_EQ(QApplication::clipboard()->text(), "App");

    auto* list = Make(csDropDownList, {"Apple", "Banana"});
    list->SetItemIndex(0);
    list->SetReadOnly(true);
    Type(list, "b");
    EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(SkComboBoxTest, F4AndAltDownOpenTheListUnlessReadOnly) {
    for (TComboBoxStyle style : {csDropDown, csDropDownList}) {
        auto* box = Make(style, {"Apple", "Banana"});
        Key(box, Qt::Key_F4);
        EXPECT_TRUE(box->DroppedDown()) << style;
        box->SetDroppedDown(false);
        box->SetReadOnly(true);
        Key(box, Qt::Key_F4);
        EXPECT_FALSE(box->DroppedDown()) << style;
        Key(box, Qt::Key_Down, Qt::AltModifier);
        EXPECT_FALSE(box->DroppedDown()) << style;
        delete box;
    }
}

// OnSelect may free the box (a window closing on the choice): the Return or Tab in its list that chose
// ends quietly.
TEST_F(SkComboBoxTest, ASelectHandlerMayFreeTheBox) {
    for (Qt::Key choosing : {Qt::Key_Return, Qt::Key_Tab}) {
        auto* box = Make(csDropDownList, {"Apple", "Banana"});
        QPointer<QObject> alive(box);
        QPointer<QWidget> widget = box->Widget();
        box->OnSelect = [box](TObject*) { delete box; };
        Key(box, Qt::Key_F4);
        ASSERT_TRUE(box->DroppedDown());
        QWidget* list = static_cast<QComboBox*>(widget.data())->view();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, choosing);
        EXPECT_TRUE(alive.isNull()) << choosing;
        QTest::qWait(1);
        EXPECT_TRUE(widget.isNull()) << choosing;
    }
}

TEST_F(SkComboBoxTest, WheelStepsThroughTheItemsAndStopsAtTheEnds) {
    auto* box = Make(csDropDownList, {"A", "B", "C"});
    int changes = 0;
    box->OnChange = [&](TObject*) { ++changes; };
    box->SetItemIndex(1);
    Wheel(box, -120);
    EXPECT_EQ(box->ItemIndex(), 2);
    Wheel(box, -120);  // already the last
    EXPECT_EQ(box->ItemIndex(), 2);
    Wheel(box, 120);
    Wheel(box, 120);
    Wheel(box, 120);
    EXPECT_EQ(box->ItemIndex(), 0);
    EXPECT_EQ(changes, 5);
}

// Values
// ---------------------------------------------------------------------------------------------------------
TEST_F(SkComboBoxTest, ValuesMapItemsAndFallBackToTheText) {
    auto* box = Make(csDropDownList, {QStringLiteral("男"), QStringLiteral("女"), QStringLiteral("未知")});
    box->Values()->Assign({"M", ""});
    EXPECT_EQ(box->GetItemValue(0), "M");
    EXPECT_EQ(box->GetItemValue(1), QStringLiteral("女"));    // an empty value
    EXPECT_EQ(box->GetItemValue(2), QStringLiteral("未知"));  // beyond the values
    EXPECT_EQ(box->GetItemValue(3), "");
    box->SetItemIndex(2);
    EXPECT_EQ(box->Value(), QStringLiteral("未知"));
    box->SetValue("M");
    EXPECT_EQ(box->ItemIndex(), 0);
    box->SetValue("X");
    EXPECT_EQ(box->ItemIndex(), -1);
    // The value in use finds its item once the values give it one.
    box->Values()->Assign({"M", "F", "X"});
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(box->Value(), "X");
}

TEST_F(SkComboBoxTest, EditableValueFollowsTheTextAndTheUsersChoice) {
    auto* box = Make(csDropDown, {"Apple", "Banana"});
    box->Values()->Assign({"1", "2"});
    box->SetText("Banana");
    EXPECT_EQ(box->Value(), "2");
    box->SetText("Cherry");
    EXPECT_EQ(box->Value(), "Cherry");
    Type(box, QString());
    box->SetText(QString());
    Type(box, "ap");  // completion clicks the item: the value follows
    EXPECT_EQ(box->Value(), "1");
}

// The list's width
// ---------------------------------------------------------------------------------------------
TEST_F(SkComboBoxTest, ListFitsTheWidestItemPlusScrollBarAndNeverNarrowerThanTheBox) {
    auto* box = Make(csDropDownList, {"a", "b"});
    TCanvas measure;
    measure.Font()->Assign(*box->Font());
    box->SetDroppedDown(true);
    EXPECT_EQ(box->ListWidth(), 100);  // narrow items: the box's width
    box->SetDroppedDown(false);
    const QString wide = QStringLiteral("一个很长很长很长很长很长的食物名称");
    box->Items()->Add(wide);
    box->SetDroppedDown(true);
    EXPECT_EQ(box->ListWidth(), measure.TextWidth(wide) + 8);
    box->SetDroppedDown(false);
    for (int i = 0; i < 6; ++i)
        box->Items()->Add("x");  // 9 items, 8 rows: a scroll bar
    box->SetDroppedDown(true);
    EXPECT_EQ(box->ListWidth(), measure.TextWidth(wide) + 16 + 8);
    box->SetDroppedDown(false);
    box->SetDropDownWidth(300);
    box->SetDroppedDown(true);
    EXPECT_EQ(box->ListWidth(), 300);
    EXPECT_EQ(box->DroppedWidth(), 300);
    box->SetDroppedDown(false);
}

// Colours, frame and button
// -------------------------------------------------------------------------------------
TEST_F(SkComboBoxTest, ColourFollowsFocusDisablingAndReadOnly) {
    auto* box = Make(csDropDownList, {"A"});
    box->SetFocusColor(clYellow);
    box->Perform(CM_ENTER);
    EXPECT_EQ(box->Color(), clYellow);
    box->Perform(CM_EXIT);
    EXPECT_EQ(box->Color(), clWindow);
    box->SetReadOnly(true);
    EXPECT_EQ(box->Color(), clInfoBk);
    box->SetEnabled(false);
    EXPECT_EQ(box->Color(), clBtnFace);
    box->SetEnabled(true);
    box->SetReadOnly(false);
    box->SetColor(clAqua);  // from outside: the new normal colour
    box->Perform(CM_ENTER);
    EXPECT_EQ(box->Color(), clYellow);  // a distinct focus colour stays
    box->Perform(CM_EXIT);
    EXPECT_EQ(box->Color(), clAqua);
}

// Pixels by hand: a 100 x 21 box, its strip 16 wide inset 2 (82..98, 2..19); the arrow's centre
// (90, 10) in the strip, (91, 11) in the pressed face's inner rectangle shifted by one.
struct SkComboBoxPixels : SkComboBoxTest {
    TSkComboBox* Box = nullptr;
    void SetUp() override {
        SkComboBoxTest::SetUp();
        Box = Make(csDropDownList, {"Apple", "Banana"});
        Box->SetFlatButtons(true);
        Box->SetFrameVisible(true);
    }
    TColor At(int x, int y) { return Pixel(Box->PaintImage(), x, y); }
};

TEST_F(SkComboBoxPixels, NormalBoxShowsFlatFrameAndFlatArrowOnItsColour) {
    EXPECT_EQ(Box->ButtonRect(), Rect(82, 2, 98, 19));
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(99, 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, 1), ColorToRGB(clWindow));  // the native border covered
    EXPECT_EQ(At(98, 19), ColorToRGB(clWindow));
    EXPECT_EQ(At(82, 2), ColorToRGB(clWindow));  // the strip, unframed
    EXPECT_EQ(At(90, 10), clBlack);
    // The triangle (90, 12), (87, 8), (94, 8) fills rows 8 to 11; its lower tip row is left out.
    EXPECT_EQ(At(87, 8), clBlack);
    EXPECT_EQ(At(93, 8), clBlack);
    EXPECT_EQ(At(94, 8), ColorToRGB(clWindow));
    EXPECT_EQ(At(90, 11), clBlack);
    EXPECT_EQ(At(90, 12), ColorToRGB(clWindow));
}

TEST_F(SkComboBoxPixels, HotBoxRaisesTheButtonAndDroppedPressesIt) {
    Box->Perform(CM_MOUSEENTER);
    EXPECT_EQ(At(82, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(97, 18), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(84, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(90, 10), clBlack);
    Box->SetDroppedDown(true);
    EXPECT_EQ(At(82, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(97, 18), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(91, 12), clBlack);
    EXPECT_EQ(At(91, 13), ColorToRGB(clBtnFace));
    Box->SetDroppedDown(false);
    Box->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(At(82, 2), ColorToRGB(clWindow));
}

TEST_F(SkComboBoxPixels, FocusedHotTrackingFrameIsBoldInItsHotColour) {
    Box->SetFrameHotTrack(true);
    Box->SetFrameHotColor(clRed);
    Box->Perform(CM_ENTER);
    EXPECT_EQ(At(0, 0), clRed);
    EXPECT_EQ(At(1, 1), clRed);
    EXPECT_EQ(At(2, 2), ColorToRGB(clWindow));
    EXPECT_EQ(At(82, 2), ColorToRGB(clBtnHighlight));  // the focused button is raised too
    Box->Perform(CM_EXIT);
    EXPECT_EQ(At(1, 1), ColorToRGB(clWindow));
}

// With visual styles the style draws the frame: the flat one is left out.
TEST_F(SkComboBoxPixels, ThemedBoxLeavesTheFrameToTheVisualStyle) {
    Box->SetFrameColor(clRed);
    SetThemesActiveForTest(true);
    EXPECT_TRUE(Box->UseThemes());
    EXPECT_EQ(Box->ButtonRect(), Rect(83, 1, 99, 20));
    EXPECT_NE(At(0, 0), clRed);
    Box->SetFramingPreference(fpCustomFraming);
    EXPECT_EQ(At(0, 0), clRed);
}

TEST_F(SkComboBoxPixels, ReadOnlyShowsNoButtonAndDisabledGreysTheArrow) {
    Box->SetReadOnly(true);
    EXPECT_EQ(At(90, 10), ColorToRGB(clInfoBk));
    EXPECT_EQ(At(1, 1), ColorToRGB(clInfoBk));
    Box->SetReadOnly(false);
    Box->SetEnabled(false);
    EXPECT_EQ(At(90, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(84, 4), ColorToRGB(clBtnFace));
}

// An owner-drawn list draws its face through OnDrawItem, on the highlight while focused.
TEST_F(SkComboBoxPixels, OwnerDrawnFaceIsDrawnByTheHandler) {
    Box->SetStyle(csOwnerDrawFixed);
    Box->SetItemHeight(24);
    EXPECT_EQ(Box->ItemHeight(), 24);
    Box->SetItemIndex(1);
    std::vector<std::pair<int, TOwnerDrawState>> drawn;
    Box->OnDrawItem = [&](TWinControl*, int index, TRect r, TOwnerDrawState state) {
        drawn.push_back({index, state});
        Box->Canvas()->Brush()->SetColor(clLime);
        Box->Canvas()->FillRect(r);
    };
    // The field inside the sunken edge (2) and a pixel more, left of the button: 3..81 x 3..18.
    const QImage image = Box->PaintImage();
    EXPECT_EQ(Pixel(image, 3, 3), clLime);
    EXPECT_EQ(Pixel(image, 80, 17), clLime);
    EXPECT_EQ(Pixel(image, 81, 17), ColorToRGB(clWindow));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].first, 1);
    EXPECT_EQ(drawn[0].second, odComboBoxEdit);
    Box->SetStyle(csDropDownList);
    Box->SetItemHeight(30);  // only owner-drawn boxes take a height
    EXPECT_EQ(Box->ItemHeight(), 24);
}

// Streaming and the frame controller
// ----------------------------------------------------------------------------
TEST_F(SkComboBoxTest, StreamingKeepsItemsValuesChoiceAndStyling) {
    auto* box = Make(csDropDownList, {QStringLiteral("男"), QStringLiteral("女")});
    box->SetName("cbbSex");
    box->Values()->Assign({"1", "2"});
    box->SetItemIndex(1);
    box->SetFlatButtons(true);
    box->SetReadOnlyColor(clRed);
    const QString text = ComponentToText(box);
    EXPECT_TRUE(text.contains("Style = csDropDownList")) << text.toStdString();
    EXPECT_TRUE(text.contains("FlatButtons = True"));
    EXPECT_FALSE(text.contains("AutoComplete"));  // defaults stay out
    auto copy = std::unique_ptr<TComponent>(TextToComponent(text, nullptr, nullptr, Parent.get()));
    auto* read = dynamic_cast<TSkComboBox*>(copy.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Items()->ToQStringList(), QStringList({QStringLiteral("男"), QStringLiteral("女")}));
    EXPECT_EQ(read->Values()->ToQStringList(), QStringList({"1", "2"}));
    EXPECT_EQ(read->ItemIndex(), 1);
    EXPECT_EQ(read->Value(), "2");
    EXPECT_TRUE(read->FlatButtons());
    EXPECT_EQ(read->ReadOnlyColor(), clRed);
}

TEST_F(SkComboBoxTest, FrameControllerSuppliesTheBlockWhichIsThenNotStored) {
    auto controller = std::make_unique<TSkFrameController>(nullptr);
    auto* box = Make(csDropDownList, {"A"});
    box->SetFrameController(controller.get());
    EXPECT_TRUE(box->FlatButtons());  // the controller's default
    controller->SetFrameColor(clRed);
    EXPECT_EQ(box->FrameColor(), clRed);
    EXPECT_FALSE(box->IsFrameColorStored());
    controller.reset();
    EXPECT_EQ(box->FrameController(), nullptr);
    EXPECT_TRUE(box->IsFrameColorStored());
}

TEST_F(SkComboBoxTest, TextHintShowsOnlyWithVisualStyles) {
    auto* box = Make(csDropDown, {});
    box->SetTextHint(QStringLiteral("请选择食物"));
    EXPECT_EQ(box->CueBanner(), "");
    SetThemesActiveForTest(true);
    box->UpdateTextHint();
    EXPECT_EQ(box->CueBanner(), QStringLiteral("请选择食物"));
}

TEST_F(SkComboBoxTest, LeavingWithTextNotInTheItemsTellsOnNotInList) {
    auto* box = Make(csDropDown, {"Apple"});
    int told = 0;
    box->OnNotInList = [&](TObject*) { ++told; };
    box->SetText("Apple");
    box->Perform(CM_EXIT);
    EXPECT_EQ(told, 0);
    box->SetAutoComplete(false);
    box->SetText("Pear");
    box->Perform(CM_EXIT);
    EXPECT_EQ(told, 1);
}

// The list takes Qt's focus while it is open, yet the box is never left: no OnExit, OnNotInList or
// OnEnter, whether the list opens by the button or Alt+Down and closes by the button, Escape or a
// choice, and the field shows its caret again. Tab away and back is a leaving and an entering, each
// told once.
TEST_F(SkComboBoxTest, OpeningAndClosingItsOwnListIsNoLeaving) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* box = new TSkComboBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 100, 21);
    box->Items()->Assign(QStringList{"Apple", "Banana"});
    auto* other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(10, 60, 80, 21);
    int exits = 0, notInList = 0, enters = 0;
    box->OnExit = [&](TObject*) { ++exits; };
    box->OnNotInList = [&](TObject*) { ++notInList; };
    box->OnEnter = [&](TObject*) { ++enters; };
    form.Show();
    form.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Widget()));
    box->SetFocus();
    EXPECT_EQ(enters, 1);  // the window opens on its first field
    enters = 0;
    box->SetText("Pear");
    // Keys go where the window system sends them: to the list while it is open.
    auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
        QApplication::processEvents();
    };
    auto clickButton = [&] {
        QTest::mouseClick(form.Widget()->windowHandle(), Qt::LeftButton, {}, QPoint(10 + 92, 10 + 10));
        QApplication::processEvents();
    };
    clickButton();
    ASSERT_TRUE(box->DroppedDown());
    clickButton();
    EXPECT_FALSE(box->DroppedDown());
    // The caret: a dark line most of the text's height, once in the caret's rectangle.
    QLineEdit* field = static_cast<QComboBox*>(box->Widget())->lineEdit();
    const QImage shot = field->grab().toImage();
    const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect() & shot.rect();
    int caretLines = 0;
    for (int x = caret.left(); x <= caret.right(); ++x) {
        int dark = 0;
        for (int y = caret.top(); y <= caret.bottom(); ++y)
            dark += qGray(shot.pixel(x, y)) < 64;
        caretLines += dark >= caret.height() * 3 / 4;
    }
    EXPECT_EQ(caretLines, 1);
    key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(box->DroppedDown());
    key(Qt::Key_Escape);
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_EQ(box->Text(), "Pear");
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(notInList, 0);
    EXPECT_EQ(enters, 0);

    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_EQ(box->Text(), "Banana");
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(QApplication::focusWidget(), box->Widget());

    box->SetText("Pear");
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other->Widget());
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(notInList, 1);
    EXPECT_EQ(enters, 0);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), box->Widget());
    EXPECT_EQ(enters, 1);
}
}  // namespace
