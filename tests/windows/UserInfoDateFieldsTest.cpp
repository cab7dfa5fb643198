// The personal centre's period dates as a user works them: typed, and picked in the calendar that the
// flat button, F4 and Alt+Down open; the queries use what the fields show.
#include "PersonalCentreFixture.h"
#include "SkEditDateTime.h"
#include "SkPopups.h"
#include "SkPopupsCalendar.h"

#include <functional>

namespace {

class DateFields : public PersonalCentre {
protected:
    void SetUp() override {
        PersonalCentre::SetUp();
        Db.Exec("insert into TZ (CDT, TZ1, TZ2, TZ3, UID) values ('2024-05-31', 70, '', '', :U), "
                "('2024-06-01', 71, '', '', :U), ('2024-06-10', 72, '', '', :U), "
                "('2024-06-20', 73, '', '', :U), ('2024-06-21', 74, '', '', :U)",
                {{"U", Uid}});
        Centre->btnNet->Click();
        Centre->lblLSJL->Click();
        ASSERT_TRUE(Centre->pnlTZCX->Showing());
    }

    // The calendar dropped down at a field, or nullptr.
    static TSkCalendar* OpenCalendar(TWinControl* field) {
        auto* edit = dynamic_cast<TSkDateTimeEdit*>(field);
        TSkPopupPanel* panel = edit ? edit->PopupPanel() : nullptr;
        TSkPopup* host = panel ? panel->PopupHost() : nullptr;
        return host ? dynamic_cast<TSkCalendar*>(host->ActiveChild()) : nullptr;
    }
    // Opens the field's calendar the way `open` does and runs `pick` in it; false when none opened.
    static bool PickInCalendar(TWinControl* field, const std::function<void()>& open,
                               const std::function<void(TSkCalendar*)>& pick) {
        bool opened = false;
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                TSkCalendar* calendar = OpenCalendar(field);
                opened = calendar != nullptr;
                if (calendar) pick(calendar);
            },
            Qt::QueuedConnection);
        open();
        QApplication::processEvents();  // where nothing opened, the step runs here and finds nothing
        return opened;
    }
    static QPoint Middle(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
    // Clicks a day of the month the calendar shows.
    static void ClickDay(TSkCalendar* calendar, TDateTime day) {
        for (int row = 0; row < 6; ++row)
            for (int col = 0; col < 7; ++col)
                if (calendar->CellDate(row, col) == day) {
                    QTest::mouseClick(calendar->Widget(), Qt::LeftButton, {}, Middle(calendar->CellRect(row, col)));
                    return;
                }
        ADD_FAILURE() << "the calendar shows no such day";
    }
    static void ClickInto(TWinControl* field) {
        QTest::mouseClick(field->Widget(), Qt::LeftButton, {}, QPoint(8, field->Height() / 2));
    }
    // Clicks into the field, selects what it shows and types over it.
    static void TypeInto(TWinControl* field, const QString& text) {
        ClickInto(field);
        QTest::keyClick(field->Widget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field->Widget(), text);
    }
    QStringList Weighed() {
        QStringList days;
        for (TADOQuery* q = Centre->AdoTZ; q->Active() && !q->Eof(); q->Next())
            days << q->FieldByName("CDT")->AsString();
        return days;
    }
};

}  // namespace

TEST_F(DateFields, TheCalendarOpensByF4AltDownAndTheButtonAndTheQueryUsesThePickedDays) {
    // F4, then a click on the 1st.
    TypeInto(Centre->DT2, "2024-6-15");
    EXPECT_TRUE(PickInCalendar(
        Centre->DT2, [&] { QTest::keyClick(Centre->DT2->Widget(), Qt::Key_F4); },
        [&](TSkCalendar* calendar) { ClickDay(calendar, EncodeDate(2024, 6, 1)); }));
    EXPECT_EQ(Centre->DT2->Caption(), "2024-06-01");

    // Alt+Down, then five days on with the arrow and Enter.
    TypeInto(Centre->DT3, "2024-6-15");
    EXPECT_TRUE(PickInCalendar(
        Centre->DT3, [&] { QTest::keyClick(Centre->DT3->Widget(), Qt::Key_Down, Qt::AltModifier); },
        [&](TSkCalendar*) {
            for (int i = 0; i < 5; ++i)
                QTest::keyClick(Centre->DT3->Widget(), Qt::Key_Right);
            QTest::keyClick(Centre->DT3->Widget(), Qt::Key_Return);
        }));
    EXPECT_EQ(Centre->DT3->Caption(), "2024-06-20");
    QTest::mouseClick(Centre->Btn_SearchTZ->Widget(), Qt::LeftButton);
    EXPECT_EQ(Weighed(), (QStringList{"2024-06-01", "2024-06-10", "2024-06-20"}));

    // The flat button with the mouse, opening at the field's date; the 10th.
    auto* start = dynamic_cast<TSkDateTimeEdit*>(static_cast<TWinControl*>(Centre->DT2));
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(start->FlatButtons());
    TDateTime shown = 0;
    EXPECT_TRUE(PickInCalendar(
        start, [&] { QTest::mouseClick(start->Widget(), Qt::LeftButton, {}, Middle(start->DropButtonRect())); },
        [&](TSkCalendar* calendar) {
            shown = calendar->Date();
            ClickDay(calendar, EncodeDate(2024, 6, 10));
        }));
    EXPECT_EQ(shown, EncodeDate(2024, 6, 1));
    EXPECT_EQ(start->Caption(), "2024-06-10");
    QTest::mouseClick(Centre->Btn_SearchTZ->Widget(), Qt::LeftButton);
    EXPECT_EQ(Weighed(), (QStringList{"2024-06-10", "2024-06-20"}));
    EXPECT_TRUE(Boxes.Boxes.empty());
}

// Every start and end date of the three histories and the analysis is such a field: F4 opens its
// calendar, with its buttons in Chinese, at the date shown (today less 30 days, and today), and Escape
// leaves it as it was.
TEST_F(DateFields, EveryPeriodFieldOpensItsCalendarAtTheDateItShows) {
    const TDateTime today = Date();
    struct TPair {
        TSpeedButton* Page;
        TWinControl *Start, *End;
    };
    for (const TPair& pair : {TPair{Centre->btnNet, Centre->DT2, Centre->DT3},
                              TPair{Centre->btnSPLst, Centre->DT5, Centre->DT6},
                              TPair{Centre->btnFdLst, Centre->DT7, Centre->DT8},
                              TPair{Centre->btnAna, Centre->DT9, Centre->DT10}}) {
        pair.Page->Click();
        if (pair.Page != Centre->btnAna) Centre->lblLSJL->Click();
        for (TWinControl* field : {pair.Start, pair.End}) {
            ASSERT_TRUE(field->Showing()) << field->Name().toStdString();
            const QString before = field->Caption();
            EXPECT_EQ(before, DateToISO(field == pair.Start ? today - 30 : today));
            ClickInto(field);
            TDateTime opened = 0;
            QString buttons;
            EXPECT_TRUE(PickInCalendar(
                field, [&] { QTest::keyClick(field->Widget(), Qt::Key_F4); },
                [&](TSkCalendar* calendar) {
                    opened = calendar->Date();
                    buttons = calendar->CaptionTodayBtn() + "|" + calendar->CaptionClearBtn();
                    QTest::keyClick(field->Widget(), Qt::Key_Escape);
                }))
                << field->Name().toStdString();
            EXPECT_EQ(opened, field == pair.Start ? today - 30 : today) << field->Name().toStdString();
            EXPECT_EQ(buttons, "今天|清除");
            EXPECT_EQ(field->Caption(), before);
        }
    }
}

// Typed dates are read forgivingly and shown as yyyy-mm-dd when the field is left; an emptied field
// is no date for the query.
TEST_F(DateFields, TypedDatesAreReadForgivinglyAndAnEmptiedFieldIsRefused) {
    TypeInto(Centre->DT2, "2024/6/1");
    TypeInto(Centre->DT3, "2024.6.20");  // clicking into the end leaves the start
    EXPECT_EQ(Centre->DT2->Caption(), "2024-06-01");
    ClickInto(Centre->DT2);
    EXPECT_EQ(Centre->DT3->Caption(), "2024-06-20");
    QTest::mouseClick(Centre->Btn_SearchTZ->Widget(), Qt::LeftButton);
    EXPECT_EQ(Weighed(), (QStringList{"2024-06-01", "2024-06-10", "2024-06-20"}));

    // Up steps the day, and the page stays; a date typed in Chinese reads as well.
    ClickInto(Centre->DT2);
    QTest::keyClick(Centre->DT2->Widget(), Qt::Key_Up);
    EXPECT_EQ(Centre->DT2->Caption(), "2024-06-02");
    EXPECT_TRUE(Centre->pnlTZCX->Showing());
    ClickInto(Centre->DT3);
    QTest::keyClick(Centre->DT3->Widget(), Qt::Key_A, Qt::ControlModifier);
    Commit(Centre->DT3->Widget(), "2024年6月10日");
    ClickInto(Centre->DT2);
    EXPECT_EQ(Centre->DT3->Caption(), "2024-06-10");
    QTest::mouseClick(Centre->Btn_SearchTZ->Widget(), Qt::LeftButton);
    EXPECT_EQ(Weighed(), (QStringList{"2024-06-10"}));

    QTest::keyClick(Centre->DT2->Widget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Centre->DT2->Widget(), Qt::Key_Delete);
    QTest::mouseClick(Centre->Btn_SearchTZ->Widget(), Qt::LeftButton);
    EXPECT_EQ(Boxes.LastText(), "起始日期不正确");
    EXPECT_EQ(Centre->DT2->Caption(), "");
}
