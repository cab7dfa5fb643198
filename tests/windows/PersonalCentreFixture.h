// The personal centre as a user reaches it: the main window on a private database, logged in as the
// delivered user with a complete profile; boxes and modal windows are answered by the test.
#pragma once

#include "GridInput.h"
#include "IniFiles.h"
#include "MainWindowSession.h"
#include "UserInfoUnit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QTreeWidget>

class PersonalCentre : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowSession::SetUp();
        Db.Exec("update UInfo set Sex = '男', Bth = '1990-01-01', SG = 175, TZ = 70, HT = 1 where UName1 = "
                "'user'");
        TIniFile ini(Db.Folder() + "UInfo.ini");
        ini.WriteInteger("UINFO", "RunCon", 1);
        ini.WriteInteger("UINFO", "RunHelp", 1);
        Start();
        Login();
        ASSERT_NE(Frm_UInfo, nullptr);
        Centre = Frm_UInfo;
        QApplication::setActiveWindow(MainFrm->Widget());
        Uid = DM->UID;
        Boxes.Boxes.clear();
    }

    // Keys go where the keyboard would send them.
    static void Type(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    // Text as an input method commits it, as a user types Chinese.
    static void Commit(QWidget* widget, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(widget, &event);
    }
    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    // A click in the middle of a control, as the mouse gives it.
    static void ClickOn(TControl* control) {
        QApplication::setActiveWindow(control->Widget()->window());
        QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, control->Widget()->rect().center());
    }
    // Types into a cell of an entry grid and ends the edit with Enter.
    static void TypeIntoCell(TStringGrid* grid, int col, int row, const QString& text) {
        ClickCell(grid, col, row);
        Type(text);
        Press(Qt::Key_Return);
    }

    // Pastes `text` with Ctrl+V over what a cell's editor holds (a digit typed opens it) and ends the
    // edit with Enter.
    static void PasteIntoCell(TStringGrid* grid, int col, int row, const QString& text) {
        QApplication::clipboard()->setText(text);
        ClickCell(grid, col, row);
        Type("1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        Press(Qt::Key_Return);
    }

    // The calendar cell showing a day of its month.
    static bool FindDay(TStringGrid* grid, int day, int& col, int& row) {
        for (row = 1; row < grid->RowCount(); ++row)
            for (col = 0; col < 7; ++col)
                if (auto* cell = dynamic_cast<TCLA*>(grid->Objects(col, row));
                    cell && cell->day == QString::number(day))
                    return true;
        return false;
    }
    // Double-clicks a day of the shown month in a calendar.
    void OpenDay(TStringGrid* calendar, int day) {
        int col = 0, row = 0;
        ASSERT_TRUE(FindDay(calendar, day, col, row));
        DblClickCell(calendar, col, row);
    }
    static int Today() {
        int y, m, d;
        DecodeDate(Date(), y, m, d);
        return d;
    }
    static QString TodayISO() { return DateToISO(Date()); }

    QString Scalar(const QString& sql) { return Db.Scalar(sql, {{"U", Uid}}); }
    // One day of the user's records as the analysis reads them: the day's target (its basal figure), and
    // the intake and activity energy as one record each (none when 0).
    void RecordDay(const QString& date, double target, double intake, double activity) {
        Db.Exec("insert into BDKcal (KCal, UID, WRDate) values (:K, :U, :D)", {{"K", target}, {"U", Uid}, {"D", date}});
        if (intake != 0)
            Db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (:U, '午餐', 1, 100, :K, :D, 1)",
                    {{"K", intake}, {"U", Uid}, {"D", date}});
        if (activity != 0)
            Db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values (:D, :U, 1, 30, :K)",
                    {{"K", activity}, {"U", Uid}, {"D", date}});
    }

    TFrm_UInfo* Centre = nullptr;
    QString Uid;
};
