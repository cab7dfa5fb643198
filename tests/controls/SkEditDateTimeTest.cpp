// The date/time edit on a shown form, typed into, stepped, dropped down and left as a user would;
// expected dates worked by hand from the edit's rules.
#include "Forms.h"
#include "MessageBeep.h"
#include "ModalMessageService.h"
#include "RecordingServices.h"
#include "SkEditDateTime.h"
#include "SkPopups.h"
#include "SkValueEditFixture.h"
#include "Streaming.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {
struct SkDateTimeEditTest : TValueEditFixture<TSkDateTimeEdit> {
    void SetUp() override {
        SetCalendarToday([] { return EncodeDate(2026, 12, 7); });
        TValueEditFixture::SetUp();
    }
    void TearDown() override {
        Form.reset();
        SetCalendarToday(nullptr);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Edit->Widget(), key, modifiers);
    }
    // Runs Steps inside the drop-down that F4 opens.
    template <class TContent> void WhileOpen(const std::function<void(TContent*)>& Steps) {
        QMetaObject::invokeMethod(
            qApp,
            [this, Steps] {
                auto* host = Edit->PopupPanel() ? Edit->PopupPanel()->PopupHost() : nullptr;
                ASSERT_NE(host, nullptr) << "nothing dropped down";
                auto* content = dynamic_cast<TContent*>(host->ActiveChild());
                ASSERT_NE(content, nullptr);
                Steps(content);
            },
            Qt::QueuedConnection);
        Key(Qt::Key_F4);
    }
};

TEST_F(SkDateTimeEditTest, TypedDatesAndTimesShowThroughTheFormat) {
    EXPECT_EQ(Edit->Text(), QString());  // a new edit is empty
    EXPECT_EQ(Edit->Date(), 0);
    EXPECT_TRUE(Edit->ButtonPresent());
    ShowAndFocus();
    std::vector<TDateTime> changes;
    Edit->OnDateTimeChange = [&](TObject*, TDateTime v) { changes.push_back(v); };
    Type("2024-3-5");
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 3, 5));  // taken over as it is typed
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024-03-05"));
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), EncodeDate(2024, 3, 5));

    Edit->SetFormat(QStringLiteral("yyyy年m月d日"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024年3月5日"));
    // The short forms are whole tokens outside quotes: dddddd is the long date, 'at' is text.
    Edit->SetFormat(QStringLiteral("dddddd"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024年3月5日"));
    Edit->SetFormat(QStringLiteral("ddddd 'at' t"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024-03-05 at 00:00"));
    Edit->SetFormat(QString());

    Edit->SetTime(14 / 24.0 + 5 / 1440.0);
    EXPECT_EQ(Edit->EditType(), etTime);
    EXPECT_EQ(Edit->Text(), QStringLiteral("14:05"));
    Edit->SetFocus();
    Type("9:7");
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("09:07"));
    EXPECT_NEAR(Edit->Time(), (9 * 60 + 7) / 1440.0, 1e-9);
    Edit->SetFormat(QStringLiteral("tt"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("09:07:00"));
}

TEST_F(SkDateTimeEditTest, TextThatIsNoDateGoesThroughOnInvalidDate) {
    ShowAndFocus();
    Type("2023-2-29");  // no such day
    Leave();
    EXPECT_EQ(Edit->Text(), QString());  // without a handler the field empties
    EXPECT_EQ(Edit->Date(), 0);

    Edit->OnInvalidDate = [](TObject*, bool&, bool&, TDateTime& newDate) {
        newDate = EncodeDate(2020, 1, 2);
    };
    Edit->SetFocus();
    Type("2023-2-30");
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("2020-01-02"));

    // Kept text keeps the focus too, before the next control is entered; the leaving is not
    // completed (no OnExit, nor a new OnEnter), by the program's focus change as by a click.
    int otherEnters = 0, enters = 0, exits = 0;
    Other->OnEnter = [&](TObject*) { ++otherEnters; };
    Edit->OnEnter = [&](TObject*) { ++enters; };
    Edit->OnExit = [&](TObject*) { ++exits; };
    Edit->OnInvalidDate = [](TObject*, bool&, bool& keepText, TDateTime&) { keepText = true; };
    Edit->SetFocus();
    Type("2023-2-31");
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("2023-2-31"));
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->Date(), 0);
    Edit->OnInvalidDate = [](TObject*, bool& keepFocus, bool&, TDateTime&) { keepFocus = true; };
    QTest::mouseClick(Other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->Text(), QString());  // the focus kept without the text: no date, no text
    EXPECT_EQ(otherEnters, 0);
    EXPECT_EQ(enters, 1);  // SetFocus's
    EXPECT_EQ(exits, 0);
    Edit->OnInvalidDate = nullptr;
    Edit->OnEnter = nullptr;
    Edit->OnExit = nullptr;

    Edit->SetTime(0.5);
    Edit->OnInvalidTime = [](TObject*, bool&, bool&, TDateTime& newTime) { newTime = 0.25; };
    Edit->SetFocus();
    Type("25:99");
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("06:00"));

    // Text kept for mending sets no date: shown in another format, the field has none (not day 0).
    Edit->OnInvalidDate = [](TObject*, bool&, bool& keepText, TDateTime&) { keepText = true; };
    Edit->SetDate(EncodeDate(2024, 1, 1));
    Edit->SetFocus();
    Type("2023-2-31");
    Leave();
    Edit->SetFormat(QStringLiteral("yyyy/mm/dd"));
    EXPECT_EQ(Edit->Text(), QString());
}

TEST_F(SkDateTimeEditTest, BoundsMoveTheDateAndRefuseToCross) {
    Edit->SetDate(EncodeDate(2024, 6, 15));
    Edit->SetMaxDate(EncodeDate(2024, 5, 31) + 0.7);  // whole days only
    EXPECT_EQ(Edit->MaxDate(), EncodeDate(2024, 5, 31));
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 5, 31));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024-05-31"));

    try {
        Edit->SetMinDate(EncodeDate(2024, 6, 1));
        FAIL() << "a minimum above the maximum is refused";
    } catch (const ESkCalendarError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Date exceeds maximum of 2024-05-31"));
    }
    EXPECT_EQ(Edit->MinDate(), 0);
    EXPECT_EQ(Edit->MaxDate(), EncodeDate(2024, 5, 31));

    Edit->SetMinDate(EncodeDate(2024, 5, 1));
    EXPECT_THROW(Edit->SetDate(EncodeDate(2024, 4, 30)), ESkCalendarError);
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 5, 31));
    Edit->SetDate(EncodeDate(2024, 5, 2));
    Edit->SetMinDate(EncodeDate(2024, 5, 10));  // a minimum above the date moves it up
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 5, 10));
}

TEST_F(SkDateTimeEditTest, ADateOutOfRangeOnLeavingIsShownInABoxAndNeverThrows) {
    TRecordingMessageService boxes;
    ShowAndFocus();
    Edit->SetMaxDate(EncodeDate(2024, 1, 31));
    int exits = 0;
    Edit->OnExit = [&](TObject*) { ++exits; };
    Type("2024-02-10");
    EXPECT_NO_THROW(Leave());
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Date exceeds maximum of 2024-01-31"));
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(Other->Focused());
}

// A box shown while the edit is left takes the keyboard from the window for a moment. The control the
// focus was heading for hears nothing of it: after a bound's box it is entered once, when the window
// comes back; after the box of a handler that keeps the text, the focus is back in the edit.
TEST_F(SkDateTimeEditTest, ABoxShownOnLeavingNeverReachesTheNextControlBeforeItIsEntered) {
    TModalMessageService boxes;
    ShowAndFocus();
    Edit->SetMaxDate(EncodeDate(2025, 12, 31));
    int otherEnters = 0, otherExits = 0, exits = 0;
    Other->OnEnter = [&](TObject*) { ++otherEnters; };
    Other->OnExit = [&](TObject*) { ++otherExits; };
    Edit->OnExit = [&](TObject*) { ++exits; };
    Type("2026-01-05");
    Key(Qt::Key_Tab);
    ASSERT_TRUE(TModalMessageService::Reactivate(Form->Widget()));
    EXPECT_EQ(boxes.Texts, QStringList{QStringLiteral("Date exceeds maximum of 2025-12-31")});
    EXPECT_EQ(Edit->Text(), QStringLiteral("2025-12-31"));
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(QApplication::focusWidget(), Other->Widget());
    EXPECT_EQ(otherEnters, 1);
    EXPECT_EQ(otherExits, 0);

    Edit->OnInvalidDate = [](TObject*, bool&, bool& keepText, TDateTime&) {
        MessageBox(QStringLiteral("日期无效"), QStringLiteral("信息提示"));
        keepText = true;
    };
    Edit->SetFocus();
    QApplication::processEvents();
    otherEnters = otherExits = exits = 0;
    Type("2023-2-31");
    Key(Qt::Key_Tab);
    ASSERT_TRUE(TModalMessageService::Reactivate(Form->Widget()));
    EXPECT_EQ(boxes.Texts.size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), Edit->Widget());
    EXPECT_EQ(Edit->Text(), QStringLiteral("2023-2-31"));
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(otherEnters, 0);
    EXPECT_EQ(otherExits, 0);
}

// The edit never holds a date past its bounds: typed and left, the bound takes its place and the box
// says why; assigned, a value past the bound (its noon too) is refused and the value stays.
TEST_F(SkDateTimeEditTest, ADateTypedPastABoundBecomesTheBoundOnLeaving) {
    TRecordingMessageService boxes;
    ShowAndFocus();
    Edit->SetMaxDate(EncodeDate(2025, 12, 31));
    Type("2026-01-05");
    Leave();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Date exceeds maximum of 2025-12-31"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2025-12-31"));
    EXPECT_EQ(Edit->Date(), EncodeDate(2025, 12, 31));

    Edit->SetMinDate(EncodeDate(2025, 1, 1));
    Edit->SetFocus();
    Type("2024-12-31");
    Leave();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Date is less than minimum of 2025-01-01"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2025-01-01"));
    EXPECT_EQ(Edit->Date(), EncodeDate(2025, 1, 1));
    EXPECT_EQ(boxes.Boxes.size(), 2u);

    Edit->SetDate(EncodeDate(2025, 6, 1));
    EXPECT_THROW(Edit->SetDate(EncodeDate(2025, 12, 31) + 0.5), ESkCalendarError);
    EXPECT_THROW(Edit->SetDate(EncodeDate(2024, 12, 31) + 0.5), ESkCalendarError);
    EXPECT_EQ(Edit->Date(), EncodeDate(2025, 6, 1));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2025-06-01"));
}

// Values outside 0001-01-01 .. 9999-12-31 (and NaN, the infinities) are refused where they enter.
TEST_F(SkDateTimeEditTest, ValuesOutsideTheCalendarAreRefusedAndTheValueStays) {
    Edit->SetDate(EncodeDate(2024, 3, 1));
    const double outside[] = {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(), EncodeDate(9999, 12, 31) + 1};
    for (double value : outside) {
        EXPECT_THROW(Edit->SetDate(value), ESkCalendarError) << value;
        EXPECT_THROW(Edit->SetMinDate(value), ESkCalendarError) << value;
        EXPECT_THROW(Edit->SetMaxDate(value), ESkCalendarError) << value;
        EXPECT_THROW(Edit->SetTime(value), ESkCalendarError) << value;
    }
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 3, 1));
    EXPECT_EQ(Edit->EditType(), etDate);
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024-03-01"));
    EXPECT_EQ(Edit->MinDate(), 0);
    EXPECT_EQ(Edit->MaxDate(), 0);

    TSkCalendar calendar(nullptr);
    calendar.SetDate(EncodeDate(2024, 3, 1));
    EXPECT_THROW(calendar.SetDate(1e300), ESkCalendarError);
    EXPECT_THROW(calendar.SetMaxDate(std::numeric_limits<double>::quiet_NaN()), ESkCalendarError);
    EXPECT_EQ(calendar.Date(), EncodeDate(2024, 3, 1));
}

// Steps stop at the calendar's ends and at the bounds instead of leaving them.
TEST_F(SkDateTimeEditTest, StepsStopAtTheEndsOfTheCalendarAndAtTheBounds) {
    ShowAndFocus();
    Edit->SetDate(EncodeDate(9999, 12, 31));
    Key(Qt::Key_Up);
    EXPECT_EQ(Edit->Text(), QStringLiteral("9999-12-31"));
    Key(Qt::Key_PageUp, Qt::ShiftModifier);
    QTest::keyClicks(Edit->Widget(), "+");
    EXPECT_EQ(Edit->Date(), EncodeDate(9999, 12, 31));
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("9999-12-31"));

    Edit->SetFocus();
    Edit->SetDate(EncodeDate(1, 1, 1));
    Key(Qt::Key_Down);
    EXPECT_EQ(Edit->Text(), QStringLiteral("0001-01-01"));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Edit->Date(), EncodeDate(1, 1, 1));
    Edit->SetDate(EncodeDate(9999, 6, 15));
    Key(Qt::Key_PageUp, Qt::ShiftModifier);  // a year on would leave the calendar: its last day
    EXPECT_EQ(Edit->Text(), QStringLiteral("9999-12-31"));

    Edit->SetDate(EncodeDate(2024, 1, 20));
    Edit->SetMaxDate(EncodeDate(2024, 1, 31));
    Edit->SetMinDate(EncodeDate(2024, 1, 10));
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 1, 31));
    Key(Qt::Key_Up);
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 1, 31));
    Key(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024-01-10"));
}

TEST_F(SkDateTimeEditTest, KeysStepTheDateAndTheTime) {
    ShowAndFocus();
    Key(Qt::Key_PageUp, Qt::ShiftModifier);  // empty: from today
    EXPECT_EQ(Edit->Date(), EncodeDate(2027, 12, 7));
    Edit->SetDate(EncodeDate(2024, 1, 31));
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 2, 29));  // a month on, held at the month's end
    Key(Qt::Key_Down);
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 2, 28));
    Key(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(Edit->Date(), EncodeDate(2023, 2, 28));
    Key(Qt::Key_Up);
    EXPECT_EQ(Edit->Text(), QStringLiteral("2023-03-01"));
    QTest::keyClicks(Edit->Widget(), "+=");
    EXPECT_EQ(Edit->Date(), EncodeDate(2023, 3, 3));
    QTest::keyClicks(Edit->Widget(), "_");
    EXPECT_EQ(Edit->Date(), EncodeDate(2023, 3, 2));
    // The date separator is typed as text.
    Edit->SetSelStart(int(Edit->Text().size()));
    QTest::keyClicks(Edit->Widget(), "-");
    EXPECT_EQ(Edit->Text(), QStringLiteral("2023-03-02-"));

    Edit->SetTime(23.5 / 24);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Edit->Text(), QStringLiteral("00:30"));  // the fraction wraps to the next day
    Key(Qt::Key_Down);
    EXPECT_EQ(Edit->Text(), QStringLiteral("00:29"));
    QTest::keyClicks(Edit->Widget(), "_");
    EXPECT_EQ(Edit->Text(), QStringLiteral("23:29"));
    QTest::keyClicks(Edit->Widget(), "+");
    EXPECT_EQ(Edit->Text(), QStringLiteral("00:29"));
    Edit->SetTime(0.01 / 1440);
    Key(Qt::Key_Down);  // below midnight: moved on by a day
    EXPECT_NEAR(Edit->Time(), 1 - 0.99 / 1440, 1e-9);
    Edit->SetDate(EncodeDate(2024, 1, 1) + 0.5);  // a date's time of day goes along with its steps
    Key(Qt::Key_Up);
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 1, 2));
    EXPECT_EQ(Edit->Time(), 0.5);

    // Read-only: the step keys type nothing and step nothing.
    Edit->SetDate(EncodeDate(2024, 1, 1));
    Edit->SetReadOnly(true);
    QTest::keyClicks(Edit->Widget(), "+");
    Key(Qt::Key_Up);
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 1, 1));
}

TEST_F(SkDateTimeEditTest, ATimeEditRefusesLettersButTheHalfDayWords) {
    // The letters typed are the edit's, not the accelerator of a button beside it.
    auto* print = new TButton(Form.get());
    print->SetParent(Form.get());
    print->SetBounds(150, 10, 60, 24);
    print->SetCaption(QStringLiteral("&P"));
    int printed = 0;
    print->OnClick = [&](TObject*) { ++printed; };
    ShowAndFocus();
    Edit->SetTime(0.5);
    const int beeps = MessageBeepCount();
    Type("9:30xPM");
    EXPECT_EQ(Edit->Text(), QStringLiteral("9:30PM"));
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    EXPECT_EQ(printed, 0);
    // The program's own words, as an input method types them.
    Edit->SetText(QString());
    for (const QChar ch : QStringLiteral("下午3:15")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(Edit->Widget(), &press);
    }
    EXPECT_EQ(Edit->Text(), QStringLiteral("下午3:15"));
    Leave();
    EXPECT_EQ(Edit->Text(), QStringLiteral("15:15"));
}

TEST_F(SkDateTimeEditTest, TheCalendarWritesTheChosenDateBackAndClearEmpties) {
    TRecordingMessageService boxes;  // a failed drop-down shows its error without waiting
    ShowAndFocus();
    Edit->SetDate(EncodeDate(2024, 3, 15));
    Edit->CalendarColors()->SetColor(0, clBlue);
    TDateTime opened = 0;
    WhileOpen<TSkCalendar>([&](TSkCalendar* calendar) {
        opened = calendar->Date();
        EXPECT_EQ(calendar->CalendarColors()->GetColor(0), clBlue);  // in the edit's colours
        QTest::keyClick(Edit->Widget(), Qt::Key_Right);              // keys reach the calendar
        QTest::keyClick(Edit->Widget(), Qt::Key_Return);
    });
    EXPECT_EQ(opened, EncodeDate(2024, 3, 15));
    EXPECT_EQ(Edit->Date(), EncodeDate(2024, 3, 16));
    EXPECT_EQ(Edit->Text(), QStringLiteral("2024-03-16"));

    WhileOpen<TSkCalendar>([&](TSkCalendar* calendar) {
        calendar->ClearAction();
        Edit->PopupPanel()->Close();
    });
    EXPECT_EQ(Edit->Date(), 0);
    EXPECT_EQ(Edit->Text(), QString());

    // Empty, it opens at today held within the bounds.
    Edit->SetMaxDate(EncodeDate(2025, 1, 1));
    WhileOpen<TSkCalendar>([&](TSkCalendar* calendar) {
        opened = calendar->Date();
        QTest::keyClick(Edit->Widget(), Qt::Key_Escape);
    });
    EXPECT_EQ(opened, EncodeDate(2025, 1, 1));
    EXPECT_EQ(Edit->Text(), QString());  // dismissed: unchanged
    Edit->SetMaxDate(0);
    Edit->SetMinDate(EncodeDate(2027, 3, 1));
    WhileOpen<TSkCalendar>([&](TSkCalendar* calendar) {
        opened = calendar->Date();
        QTest::keyClick(Edit->Widget(), Qt::Key_Escape);
    });
    EXPECT_EQ(opened, EncodeDate(2027, 3, 1));

    // The calendar keeps the edit's minimum, and turning its month tells the edit's view handler:
    // opened on 30 December 2024 (December shown), Left stays, two Rights reach 1 January 2025.
    Edit->SetMaxDate(0);
    Edit->SetMinDate(EncodeDate(2024, 12, 30));
    Edit->SetDate(EncodeDate(2024, 12, 30));
    QList<TDateTime> views;
    Edit->OnViewDateChange = [&](TObject*, TDateTime view) { views << view; };
    WhileOpen<TSkCalendar>([&](TSkCalendar*) {
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
            QTest::keyClick(Edit->Widget(), key);
    });
    EXPECT_EQ(Edit->Date(), EncodeDate(2025, 1, 1));
    EXPECT_EQ(views, (QList<TDateTime>{EncodeDate(2024, 12, 1), EncodeDate(2025, 1, 1)}));
}

TEST_F(SkDateTimeEditTest, TheClockWritesTheChosenTimeBack) {
    ShowAndFocus();
    Edit->SetTime(9.5 / 24);
    Edit->SetRestrictMinutes(true);
    WhileOpen<TSkTimePicker>([&](TSkTimePicker* clock) {
        EXPECT_DOUBLE_EQ(clock->Time(), 9.5 / 24);
        EXPECT_TRUE(clock->ShowSetButton());
        EXPECT_TRUE(clock->RestrictMinutes());
        QTest::keyClick(Edit->Widget(), Qt::Key_PageUp);  // an hour on
        QTest::keyClick(Edit->Widget(), Qt::Key_Return);  // Set
    });
    EXPECT_EQ(Edit->Text(), QStringLiteral("10:30"));
}

TEST_F(SkDateTimeEditTest, TheDropDownTakingTheFocusDoesNotCheckTheText) {
    ShowAndFocus();
    Edit->SetTime(0.25);
    int invalid = 0, exits = 0;
    Edit->OnInvalidTime = [&](TObject*, bool&, bool&, TDateTime&) { ++invalid; };
    Edit->OnExit = [&](TObject*) { ++exits; };
    Type("99:99");
    const QString typed = Edit->Text();
    QString whileOpen;
    WhileOpen<TSkTimePicker>([&](TSkTimePicker*) {
        whileOpen = Edit->Text();
        QTest::keyClick(Edit->Widget(), Qt::Key_Escape);
    });
    QApplication::processEvents();
    EXPECT_EQ(whileOpen, typed);
    EXPECT_EQ(invalid, 0);
    EXPECT_EQ(exits, 0);
    Leave();
    EXPECT_EQ(invalid, 1);
    EXPECT_EQ(exits, 1);
}

TEST_F(SkDateTimeEditTest, AReadOnlyEditShowsNoButtonAndOpensNothing) {
    ShowAndFocus();
    Edit->SetReadOnly(true);
    EXPECT_FALSE(Edit->ButtonPresent());
    int drops = 0;
    Edit->OnDropDown = [&](TObject*) { ++drops; };
    Key(Qt::Key_F4);
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(drops, 0);
    Edit->SetReadOnly(false);
    EXPECT_TRUE(Edit->ButtonPresent());
}
}  // namespace

namespace {
TEST_F(SkDateTimeEditTest, FormsStoreTheDateOrTheTimeAndBoundsOnlyWhenSet) {
    Edit->SetName(QStringLiteral("edtBirthday"));
    const QString plain = ComponentToText(Edit);
    for (const char* name :
         {"Text", "MinDate", "MaxDate", "EditType", "DropButtonVisible", "CalendarElements"})
        EXPECT_FALSE(plain.contains(QLatin1String(name))) << name;
    Edit->SetDate(EncodeDate(1990, 5, 17));
    Edit->SetMinDate(EncodeDate(1900, 1, 1));
    Edit->SetFlatButtons(true);
    const QString text = ComponentToText(Edit);
    EXPECT_TRUE(text.contains(QStringLiteral("MinDate = ")));
    EXPECT_TRUE(text.contains(QStringLiteral("FlatButtons = True")));
    EXPECT_FALSE(text.contains(QStringLiteral("Time = ")));
    std::unique_ptr<TComponent> made(TextToComponent(text));
    auto* back = qobject_cast<TSkDateTimeEdit*>(made.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Date(), EncodeDate(1990, 5, 17));
    EXPECT_EQ(back->Text(), QStringLiteral("1990-05-17"));
    EXPECT_EQ(back->MinDate(), EncodeDate(1900, 1, 1));

    Edit->SetTime(0.75);
    const QString timed = ComponentToText(Edit);
    EXPECT_TRUE(timed.contains(QStringLiteral("EditType = etTime")));
    EXPECT_TRUE(timed.contains(QStringLiteral("Time = 0.75")));
    EXPECT_FALSE(timed.contains(QStringLiteral(" Date = ")));
}
}  // namespace

TEST_F(SkDateTimeEditTest, AChangeHandlerMayFreeTheEditAsACharacterIsTyped) {
    TypeIntoAChangeHandlerThatFreesTheEdit();
}
