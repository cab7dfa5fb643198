// The numeric edit on a shown form, typed into and left as a user would; expected values from the
// edit's rules worked by hand.
#include "Forms.h"
#include "MessageBeep.h"
#include "ModalMessageService.h"
#include "RecordingServices.h"
#include "SkEditNumeric.h"
#include "SkValueEditFixture.h"
#include "SkPopups.h"
#include "Streaming.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {
struct SkNumericEditTest : TValueEditFixture<TSkNumericEdit> {
    double ParseOf(const QString& text) {
        Edit->SetText(text);
        return Edit->ParseText();
    }
};

TEST_F(SkNumericEditTest, TheTextIsReadByTheEditsOwnForgivingRule) {
    EXPECT_EQ(ParseOf("(1,234)"), -1234);
    EXPECT_EQ(ParseOf("12abc"), 12);
    EXPECT_DOUBLE_EQ(ParseOf("1.5e-3"), 0.0015);
    EXPECT_EQ(ParseOf("-"), 0);
    EXPECT_EQ(ParseOf("  -7 "), -7);
    EXPECT_EQ(ParseOf("(5)x"), 5);   // the bracket is not the last character: not negative
    EXPECT_EQ(ParseOf("1-2"), 12);   // a minus counts only as an exponent's sign
    EXPECT_EQ(ParseOf("1e999"), 0);  // too large to hold: does not convert
    // Every decimal digit counts by its value, full-width ones (as a Chinese input method types
    // them) too, alone or beside ASCII ones.
    EXPECT_EQ(ParseOf(QStringLiteral("1２")), 12);
    EXPECT_DOUBLE_EQ(ParseOf(QStringLiteral("７２.５")), 72.5);
    EXPECT_EQ(ParseOf(QStringLiteral("(３)")), -3);
    Edit->SetAllowScientificNotation(false);
    EXPECT_EQ(ParseOf("2e3"), 23);  // without exponents an E is dropped
    EXPECT_EQ(ParseOf("1-2"), 0);   // every minus kept: "1-2" does not convert
}

TEST_F(SkNumericEditTest, TheValueShowsThroughTheDisplayFormat) {
    EXPECT_EQ(Edit->Text(), QStringLiteral("0"));  // a new edit shows its value
    EXPECT_EQ(Edit->Alignment(), taRightJustify);
    const TSkNumericEdit fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 65);
    EXPECT_EQ(fresh.Height(), 21);
    Edit->SetValue(-1234);
    EXPECT_EQ(Edit->Text(), QStringLiteral("(1,234)"));
    EXPECT_EQ(Edit->Value(), -1234);
    Edit->SetValue(1234567);
    EXPECT_EQ(Edit->Text(), QStringLiteral("1,234,567"));
    Edit->SetDisplayFormat(QStringLiteral("0.00"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("1234567.00"));
    // Switching to integers rounds the value.
    Edit->SetIntegersOnly(false);
    Edit->SetValue(2.6);
    Edit->SetIntegersOnly(true);
    EXPECT_EQ(Edit->Value(), 3);
    EXPECT_EQ(Edit->Text(), QStringLiteral("3.00"));
    // An empty text shows Min, unless blanks are allowed.
    Edit->SetMin(5);
    Edit->SetText(QString());
    EXPECT_EQ(Edit->Value(), 5);
    EXPECT_EQ(Edit->Text(), QStringLiteral("5.00"));
    Edit->SetAllowBlank(true);
    Edit->SetBlankValue(-1);
    Edit->SetText(QString());
    EXPECT_EQ(Edit->Value(), -1);
    EXPECT_EQ(Edit->Text(), QString());
}

TEST_F(SkNumericEditTest, MinAndMaxFollowEachOther) {
    Edit->SetMax(250);
    Edit->SetMin(300);
    EXPECT_EQ(Edit->Max(), 300);
    Edit->SetMax(-2);
    EXPECT_EQ(Edit->Min(), -2);
}

TEST_F(SkNumericEditTest, IntValueIsHeldWithinThe32BitRange) {
    Edit->SetValue(1e12);
    EXPECT_EQ(Edit->IntValue(), INT_MAX);
    Edit->SetValue(-1e12);
    EXPECT_EQ(Edit->IntValue(), INT_MIN);
    Edit->SetValue(-41.6);
    EXPECT_EQ(Edit->IntValue(), -42);
    // With a decimal shown, IntValue itself rounds to the nearest integer on both sides of zero.
    Edit->SetIntegersOnly(false);
    Edit->SetDisplayFormat(QStringLiteral("0.0"));
    const std::pair<double, int> rounded[] = {{2.6, 3}, {-2.6, -3}, {2.4, 2}, {-2.4, -2}};
    for (const auto& [value, expected] : rounded) {
        Edit->SetValue(value);
        EXPECT_EQ(Edit->IntValue(), expected) << value;
    }
    Edit->SetIntValue(17);
    EXPECT_EQ(Edit->Text(), QStringLiteral("17.0"));
}

TEST_F(SkNumericEditTest, OnlyANumbersCharactersCanBeTyped) {
    ShowAndFocus();
    const int beeps = MessageBeepCount();
    Type("12.5 a");
    EXPECT_EQ(Edit->Text(), QStringLiteral("125"));  // integers only: no point, no blank, no letters
    EXPECT_EQ(MessageBeepCount(), beeps + 3);
    // A sign goes in front of an unsigned number, not a second one, and nothing before a sign.
    Edit->SetSelStart(0);
    QTest::keyClicks(Edit->Widget(), "-");
    EXPECT_EQ(Edit->Text(), QStringLiteral("-125"));
    Edit->SetSelStart(0);
    QTest::keyClicks(Edit->Widget(), "+9");
    EXPECT_EQ(Edit->Text(), QStringLiteral("-125"));
    Edit->SelectAll();  // a selection over the whole text may take a sign
    QTest::keyClicks(Edit->Widget(), "+");
    EXPECT_EQ(Edit->Text(), QStringLiteral("+"));

    Edit->SetIntegersOnly(false);
    Type("1.5.2e3");
    EXPECT_EQ(Edit->Text(), QStringLiteral("1.52e3"));  // one point only
    // A point typed over a selection that holds the point replaces it; over one that does not, the
    // point is refused.
    Edit->SetText(QStringLiteral("1.5"));
    Edit->SetSelStart(1);
    QTest::keyClick(Edit->Widget(), Qt::Key_End, Qt::ShiftModifier);  // ".5" selected
    QTest::keyClicks(Edit->Widget(), ".");
    EXPECT_EQ(Edit->Text(), QStringLiteral("1."));
    Edit->SetText(QStringLiteral("1.5"));
    Edit->SetSelStart(2);
    QTest::keyClick(Edit->Widget(), Qt::Key_End, Qt::ShiftModifier);  // "5" selected
    const int before = MessageBeepCount();
    QTest::keyClicks(Edit->Widget(), ".");
    EXPECT_EQ(Edit->Text(), QStringLiteral("1.5"));
    EXPECT_EQ(MessageBeepCount(), before + 1);
    // The keypad's decimal key types the program's separator whatever the keyboard sends.
    Edit->SetText(QStringLiteral("7"));
    Edit->SetSelStart(1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral(","));
    QApplication::sendEvent(Edit->Widget(), &press);
    EXPECT_EQ(Edit->Text(), QStringLiteral("7."));
}

TEST_F(SkNumericEditTest, LeavingKeepsTheValueWithinMinAndMax) {
    ShowAndFocus();
    // The defaults check nothing.
    Type("-300");
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("(300)"));

    Edit->SetMax(250);
    Edit->SetFocus();
    Type("300");
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("250"));
    EXPECT_EQ(Edit->StoredValue(), 250);

    // A handler that refuses the correction keeps the value and the focus.
    double seenValue = 0, seenBound = 0;
    Edit->OnRangeError = [&](TObject*, double value, double bound, bool& autoCorrect) {
        seenValue = value;
        seenBound = bound;
        autoCorrect = false;
    };
    Edit->SetFocus();
    Type("300");
    Leave();
    EXPECT_EQ(seenValue, 300);
    EXPECT_EQ(seenBound, 250);
    EXPECT_EQ(Edit->Text(), QStringLiteral("300"));
    EXPECT_TRUE(Edit->Focused());
    seenValue = -1;
    Type("0");  // Min itself lies within the range
    Leave();
    EXPECT_EQ(seenValue, -1);
    Edit->SetFocus();

    // An empty text leaves as the formatted Min; with blanks allowed it stays empty.
    Edit->OnRangeError = nullptr;
    Edit->SetMin(10);
    Edit->SetText(QString());
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("10"));
    Edit->SetAllowBlank(true);
    Edit->SetFocus();
    Edit->SetText(QString());
    Leave();
    EXPECT_EQ(Edit->Text(), QString());
}

TEST_F(SkNumericEditTest, AZeroOrTheFigureAnEmptyEditShowsOnEnteringIsReplacedByWhatIsTyped) {
    ShowAndFocus();
    // Entered by a click left of the right-aligned 0, where the caret lands before it.
    Other->SetFocus();
    Edit->SetText(QString());
    QTest::mouseClick(Edit->Widget(), Qt::LeftButton, {}, QPoint(4, Edit->Height() / 2));
    ASSERT_TRUE(Edit->Focused());
    QTest::keyClicks(Edit->Widget(), "17");
    EXPECT_EQ(Edit->Text(), QStringLiteral("17"));
    Leave();
    EXPECT_EQ(Edit->Value(), 17);

    // An edit showing 0 from the start, entered the same way.
    Edit->SetValue(0);
    Leave();
    QTest::mouseClick(Edit->Widget(), Qt::LeftButton, {}, QPoint(4, Edit->Height() / 2));
    QTest::keyClicks(Edit->Widget(), "68");
    EXPECT_EQ(Edit->Text(), QStringLiteral("68"));

    // Entered from the keyboard.
    Leave();
    Edit->SetText(QString());
    Edit->SetFocus();
    QTest::keyClicks(Edit->Widget(), "5");
    EXPECT_EQ(Edit->Text(), QStringLiteral("5"));

    // A figure already shown is left as it stands: a click places the caret in it.
    Edit->SetText(QStringLiteral("12"));
    Leave();
    QTest::mouseClick(Edit->Widget(), Qt::LeftButton, {}, QPoint(Edit->Width() - 6, Edit->Height() / 2));
    QTest::keyClicks(Edit->Widget(), "3");
    EXPECT_EQ(Edit->Text(), QStringLiteral("123"));
}

// A range handler that keeps the value keeps the focus before anything else happens: the control the
// focus was going to (by Tab, by a click or by the program) is never entered nor left, a click on a
// button does not press it, the edit is neither left nor entered again, and two such edits cannot hand
// the focus back and forth.
TEST_F(SkNumericEditTest, AKeptFocusNeverReachesTheNextControl) {
    ShowAndFocus();
    auto* button = new TButton(Form.get());
    button->SetParent(Form.get());
    button->SetBounds(150, 60, 80, 25);
    int otherEnters = 0, otherExits = 0, clicks = 0, errors = 0, enters = 0, exits = 0;
    Other->OnEnter = [&](TObject*) { ++otherEnters; };
    Other->OnExit = [&](TObject*) { ++otherExits; };
    button->OnClick = [&](TObject*) { ++clicks; };
    Edit->OnEnter = [&](TObject*) { ++enters; };
    Edit->OnExit = [&](TObject*) { ++exits; };
    Edit->SetFocusColor(clYellow);
    Edit->SetMax(250);
    Edit->OnRangeError = [&](TObject*, double, double, bool& autoCorrect) {
        ++errors;
        autoCorrect = false;
    };
    Type("300");
    const std::function<void()> leavings[] = {
        [&] { Other->SetFocus(); },
        [&] { QTest::keyClick(Edit->Widget(), Qt::Key_Tab); },
        [&] { QTest::mouseClick(button->Widget(), Qt::LeftButton, {}, QPoint(10, 10)); },
        [&] { QTest::mouseClick(Other->Widget(), Qt::LeftButton, {}, QPoint(5, 5)); },
    };
    int tries = 0;
    for (const auto& leave : leavings) {
        leave();
        QTest::qWait(50);
        ++tries;
        EXPECT_TRUE(Edit->Focused()) << tries;
        EXPECT_EQ(errors, tries);
    }
    EXPECT_EQ(Edit->Text(), QStringLiteral("300"));
    EXPECT_EQ(otherEnters, 0);
    EXPECT_EQ(otherExits, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(exits, 0);  // the leaving was never completed
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(Edit->Color(), clYellow);  // it still shows the focus it has
    // Mended, the edit leaves as usual and the next control is entered once.
    Type("200");
    Other->SetFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(otherEnters, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(enters, 0);

    // Two out-of-range edits that both keep the focus: one range error, and it stays.
    auto* second = new TSkNumericEdit(Form.get());
    second->SetParent(Form.get());
    second->SetBounds(10, 100, 80, 21);
    second->SetMax(250);
    second->SetText(QStringLiteral("400"));
    second->OnRangeError = Edit->OnRangeError;
    Edit->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(otherExits, 1);  // each left and entered again as usual
    EXPECT_EQ(enters, 1);
    Type("300");
    errors = 0;
    second->SetFocus();
    QTest::qWait(200);
    EXPECT_EQ(errors, 1);
    EXPECT_TRUE(Edit->Focused());
    EXPECT_FALSE(second->Focused());
}

// A range handler that shows a box before keeping the value: the box takes the keyboard from the
// window for a moment; when the window comes back the focus is in the edit, which was neither left
// nor entered again, and the control the focus was heading for (by Tab or by a click) heard nothing.
TEST_F(SkNumericEditTest, ABoxShownWhileTheFocusIsKeptLeavesItInTheEdit) {
    TModalMessageService boxes;
    ShowAndFocus();
    int otherEnters = 0, otherExits = 0, enters = 0, exits = 0;
    Other->OnEnter = [&](TObject*) { ++otherEnters; };
    Other->OnExit = [&](TObject*) { ++otherExits; };
    Edit->OnEnter = [&](TObject*) { ++enters; };
    Edit->OnExit = [&](TObject*) { ++exits; };
    Edit->SetMax(250);
    Edit->OnRangeError = [](TObject*, double, double, bool& autoCorrect) {
        MessageBox(QStringLiteral("超出范围"), QStringLiteral("信息提示"));
        autoCorrect = false;
    };
    Type("300");
    const std::function<void()> leavings[] = {
        [&] { QTest::keyClick(Edit->Widget(), Qt::Key_Tab); },
        [&] { QTest::mouseClick(Other->Widget(), Qt::LeftButton, {}, QPoint(5, 5)); },
    };
    for (const auto& leave : leavings) {
        leave();
        ASSERT_TRUE(TModalMessageService::Reactivate(Form->Widget()));
        EXPECT_EQ(QApplication::focusWidget(), Edit->Widget());
    }
    EXPECT_EQ(boxes.Texts.size(), 2);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(Edit->Text(), QStringLiteral("3007"));
    EXPECT_EQ(Other->Text(), QString());
    EXPECT_EQ(otherEnters, 0);
    EXPECT_EQ(otherExits, 0);
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(exits, 0);
}

// The keyboard never stays in an edit the user cannot see or use: hidden or disabled by the program,
// an edit whose range handler keeps the value leaves with its text as it stands (the handler runs
// once, OnExit fires) and the focus moves on.
TEST_F(SkNumericEditTest, AnEditHiddenOrDisabledCannotKeepTheFocus) {
    ShowAndFocus();
    int errors = 0, exits = 0;
    Edit->SetMax(250);
    Edit->OnRangeError = [&](TObject*, double, double, bool& autoCorrect) {
        ++errors;
        autoCorrect = false;
    };
    Edit->OnExit = [&](TObject*) { ++exits; };
    Edit->SetFocusColor(clYellow);
    for (const bool hide : {true, false}) {
        Edit->SetVisible(true);
        Edit->SetEnabled(true);
        Edit->SetFocus();
        Type("300");
        Other->SetText(QString());
        errors = exits = 0;
        if (hide)
            Edit->SetVisible(false);
        else
            Edit->SetEnabled(false);
        QApplication::processEvents();
        EXPECT_EQ(errors, 1) << hide;
        EXPECT_EQ(exits, 1) << hide;
        EXPECT_EQ(Edit->Text(), QStringLiteral("300")) << hide;
        ASSERT_TRUE(QApplication::focusWidget());
        QTest::keyClicks(QApplication::focusWidget(), "7");
        EXPECT_EQ(Other->Text(), QStringLiteral("7")) << hide;
        // Shown and enabled again, it shows no focus: it has none.
        Edit->SetVisible(true);
        Edit->SetEnabled(true);
        EXPECT_EQ(Edit->Color(), clWindow) << hide;
    }
}

TEST_F(SkNumericEditTest, AFailingRangeHandlerIsShownInABoxAndNeverThrowsThroughTheFocusChange) {
    TRecordingMessageService boxes;
    ShowAndFocus();
    Edit->SetMin(1);
    Edit->SetMax(9);
    Edit->OnRangeError = [](TObject*, double, double, bool&) { throw Exception(QStringLiteral("超出范围")); };
    int exits = 0;
    Edit->OnExit = [&](TObject*) { ++exits; };
    Type("50");
    EXPECT_NO_THROW(Leave());
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("超出范围"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("1"));  // the value falls back to Min
    EXPECT_EQ(exits, 1);                           // and the leaving completes
    EXPECT_TRUE(Other->Focused());
}

TEST_F(SkNumericEditTest, TheCalculatorWritesItsResultBack) {
    ShowAndFocus();
    Edit->SetCalculatorVisible(true);
    EXPECT_TRUE(Edit->ButtonPresent());
    Edit->SetText(QStringLiteral("6"));
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            // Keys reach the calculator while it is open.
            QTest::keyClicks(Edit->Widget(), "*7");
            QTest::keyClick(Edit->Widget(), Qt::Key_Return);
        },
        Qt::QueuedConnection);
    QTest::keyClick(Edit->Widget(), Qt::Key_F4);
    EXPECT_EQ(Edit->Value(), 42);
    EXPECT_EQ(Edit->Text(), QStringLiteral("42"));
    EXPECT_EQ(Edit->PopupPanel(), nullptr);

    // Dismissed, the value stays.
    QMetaObject::invokeMethod(
        qApp, [&] { QTest::keyClick(Edit->Widget(), Qt::Key_Escape); }, Qt::QueuedConnection);
    QTest::keyClick(Edit->Widget(), Qt::Key_F4);
    EXPECT_EQ(Edit->Text(), QStringLiteral("42"));
}

TEST_F(SkNumericEditTest, TheCalculatorTakingTheFocusDoesNotCheckTheRange) {
    ShowAndFocus();
    Edit->SetCalculatorVisible(true);
    Edit->SetMax(250);
    int ranges = 0, enters = 0, exits = 0;
    Edit->OnRangeError = [&](TObject*, double, double, bool&) { ++ranges; };
    Edit->OnEnter = [&](TObject*) { ++enters; };
    Edit->OnExit = [&](TObject*) { ++exits; };
    Type("300");
    QString textWhileOpen;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            textWhileOpen = Edit->Text();
            QTest::keyClick(Edit->Widget(), Qt::Key_Escape);
        },
        Qt::QueuedConnection);
    QTest::keyClick(Edit->Widget(), Qt::Key_F4);
    QApplication::processEvents();
    EXPECT_EQ(textWhileOpen, QStringLiteral("300"));
    EXPECT_EQ(ranges, 0);
    EXPECT_EQ(enters + exits, 0);  // the pop-up's focus moves fire no OnEnter or OnExit
    EXPECT_EQ(Edit->Text(), QStringLiteral("300"));
    Leave();
    EXPECT_EQ(ranges, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("250"));
}

TEST_F(SkNumericEditTest, AReadOnlyEditShowsNoButtonAndOpensNothing) {
    ShowAndFocus();
    Edit->SetCalculatorVisible(true);
    Edit->SetReadOnly(true);
    EXPECT_FALSE(Edit->ButtonPresent());
    int drops = 0;
    Edit->OnDropDown = [&](TObject*) { ++drops; };
    QTest::keyClick(Edit->Widget(), Qt::Key_F4);
    EXPECT_EQ(drops, 0);
    EXPECT_TRUE(Edit->CalculatorVisible());  // still wanted: back once writable
    Edit->SetReadOnly(false);
    EXPECT_TRUE(Edit->ButtonPresent());
}
}  // namespace

namespace {
TEST_F(SkNumericEditTest, FormsStoreTheValueNotTheTextAndReformatOnLoading) {
    Edit->SetName(QStringLiteral("edtHeight"));
    const QString plain = ComponentToText(Edit);
    for (const char* name : {"Text", "Alignment", "DisplayFormat", "IntegersOnly", "Max"})
        EXPECT_FALSE(plain.contains(QLatin1String(name))) << name;
    Edit->SetMax(250);
    Edit->SetValue(175);
    Edit->SetCalculatorVisible(true);
    const QString text = ComponentToText(Edit);
    for (const char* line : {"Max = 250", "Value = 175", "CalculatorVisible = True"})
        EXPECT_TRUE(text.contains(QLatin1String(line))) << line;
    std::unique_ptr<TComponent> made(TextToComponent(QStringLiteral("object e: TSkNumericEdit\n"
                                                                    "  DisplayFormat = '0.0'\n"
                                                                    "  IntegersOnly = False\n"
                                                                    "  Value = 1234.56\n"
                                                                    "end\n")));
    auto* back = qobject_cast<TSkNumericEdit*>(made.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Text(), QStringLiteral("1234.6"));
    EXPECT_EQ(back->StoredValue(), 1234.6);  // read back from the reformatted text
}

TEST_F(SkNumericEditTest, TheCalculatorsShownNumberIsConfirmedAndAnnouncedAsAChange) {
    ShowAndFocus();
    Edit->SetCalculatorVisible(true);
    int changes = 0;
    Edit->OnChange = [&](TObject*) { ++changes; };
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            QTest::keyClicks(Edit->Widget(), "9");
            QTest::keyClick(Edit->Widget(), Qt::Key_Return);
        },
        Qt::QueuedConnection);
    QTest::keyClick(Edit->Widget(), Qt::Key_F4);
    EXPECT_EQ(Edit->Text(), QStringLiteral("9"));  // typed and confirmed without an operator
    EXPECT_GE(changes, 1);
    // A division by zero shows "E": confirming it leaves the value alone.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            QTest::keyClicks(Edit->Widget(), "/0=");
            QTest::keyClick(Edit->Widget(), Qt::Key_Return);
        },
        Qt::QueuedConnection);
    QTest::keyClick(Edit->Widget(), Qt::Key_F4);
    EXPECT_EQ(Edit->Text(), QStringLiteral("9"));
}
}  // namespace

TEST_F(SkNumericEditTest, AChangeHandlerMayFreeTheEditAsACharacterIsTyped) {
    TypeIntoAChangeHandlerThatFreesTheEdit();
}
