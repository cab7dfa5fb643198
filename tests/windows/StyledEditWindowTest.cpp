// The windows' styled edits as a user meets them: the login fields' frames under the mouse and the
// focus, Enter and Tab on the login panel, and the personal centre's number fields from typing to
// the database.
#include "ControlProbes.h"
#include "PersonalCentreFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QEnterEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The two rings of the band, sampled half-way down the left side and half-way along the top.
struct TRings {
    TColor Outer, Inner;
};
TRings RingsOf(TWinControl* edit) {
    const QImage band = NonClient(edit);
    const int y = edit->Height() / 2, x = edit->Width() / 2;
    EXPECT_EQ(Pixel(band, 0, y), Pixel(band, x, 0));
    EXPECT_EQ(Pixel(band, 1, y), Pixel(band, x, 1));
    return {Pixel(band, 0, y), Pixel(band, 1, y)};
}

// The mouse coming over a control and leaving it, as the window system tells it.
void Hover(TWinControl* control, bool over) {
    if (over) {
        QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
        QApplication::sendEvent(control->Widget(), &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(control->Widget(), &leave);
    }
}

// A flat frame: one ring of the frame colour (the library's grey) round one of the field's colour; a
// bold frame: both rings grey.
const TColor Grey = ColorToRGB(clBtnShadow);
const TColor Field = ColorToRGB(clWindow);

class LoginPanel : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowSession::SetUp();
        TIniFile ini(Db.Folder() + "UInfo.ini");
        ini.WriteInteger("UINFO", "RunCon", 1);
        Start();
        QApplication::setActiveWindow(MainFrm->Widget());
        ASSERT_TRUE(MainFrm->pnlLoad->Showing());
    }
};

}  // namespace

TEST_F(LoginPanel, TheFieldsFramesAreFlatAndTurnBoldUnderTheMouseAndWhileFocused) {
    TSkEdit *name = MainFrm->edtUID, *password = MainFrm->edtPWD;
    name->SetFocus();
    ASSERT_TRUE(name->Focused());
    TRings rings = RingsOf(password);
    EXPECT_EQ(rings.Outer, Grey);
    EXPECT_EQ(rings.Inner, Field);
    rings = RingsOf(name);
    EXPECT_EQ(rings.Outer, Grey);
    EXPECT_EQ(rings.Inner, Grey);

    Hover(password, true);
    EXPECT_EQ(password->FrameStyle(), fsFlatBold);
    EXPECT_EQ(RingsOf(password).Inner, Grey);
    Hover(password, false);
    EXPECT_EQ(password->FrameStyle(), fsFlat);
    EXPECT_EQ(RingsOf(password).Inner, Field);

    password->SetFocus();
    EXPECT_EQ(RingsOf(password).Inner, Grey);
    EXPECT_EQ(RingsOf(name).Inner, Field);
    // Leaving under the mouse does not undo the focus's bold frame.
    Hover(password, true);
    Hover(password, false);
    EXPECT_EQ(RingsOf(password).Inner, Grey);
}

TEST_F(LoginPanel, TabMovesFromNameToPasswordAndEnterLogsIn) {
    MainFrm->edtUID->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), "user");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(MainFrm->edtPWD->Focused());
    EXPECT_EQ(MainFrm->edtUID->Text(), "user");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(MainFrm->pnlLoad->Visible());
    EXPECT_EQ(DM->UName1, "user");
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(LoginPanel, ThePasswordShowsAsStars) {
    MainFrm->edtPWD->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), "pw1");
    EXPECT_EQ(MainFrm->edtPWD->Text(), "pw1");
    auto* field = qobject_cast<QLineEdit*>(MainFrm->edtPWD->Widget());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->displayText(), "***");
}

namespace {

class CentreFields : public PersonalCentre {
protected:
    // Clicks into a field, selects its whole text and types over it.
    static void TypeOver(TWinControl* field, const QString& keys) {
        ClickOn(field);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Type(keys);
    }
    // Clicks into a field, selects its whole text and pastes `text` over it with Ctrl+V.
    static void PasteOver(TWinControl* field, const QString& text) {
        QApplication::clipboard()->setText(text);
        ClickOn(field);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    }
    // Opens a day of June 2024 on the weight page.
    void OpenWeighingDay(int day) {
        if (!Centre->pnlTZCla->Showing()) {
            Centre->btnNet->Click();
            Centre->lblDate->SetCaption("2024-6-1");
            Centre->RefreshCalendar();
        }
        OpenDay(Centre->SGTZ, day);
    }
    // The weight stored for a day of June 2024, and its trends against the first and the latest weighing.
    QString Weighing(int day, const QString& column = "TZ1") {
        return Db.Scalar("select " + column + " from TZ where UID = :U and CDT = :D",
                         {{"U", Uid}, {"D", QStringLiteral("2024-06-%1").arg(day, 2, 10, QLatin1Char('0'))}});
    }
    QString Trends(int day) { return Weighing(day, "coalesce(TZ2, '') || '|' || coalesce(TZ3, '')"); }
};

}  // namespace

TEST_F(CentreFields, TheHeightTakesDecimalCentimetresUpTo250AndStoresWhatItShows) {
    Centre->btnModifyInfo->Click();
    TypeOver(Centre->edtSG, "175.5");  // the point is typed, not dropped
    EXPECT_EQ(Centre->edtSG->Text(), "175.5");
    Press(Qt::Key_Tab);
    EXPECT_FALSE(Centre->edtSG->Focused());
    EXPECT_EQ(Centre->edtSG->Text(), "175.5");
    ClickOn(Centre->btn_SaveInfo);
    EXPECT_EQ(Boxes.LastText(), "信息保存成功");
    EXPECT_EQ(Scalar("select SG from UInfo where UID = :U"), "175.5");
    EXPECT_EQ(DM->SG, "175.5");
    EXPECT_EQ(Centre->lblSG->Caption(), "175.5");
    // The basal energy of a man of 70 kg: 67 + 13.73 x 70 + 5 x 175.5 - 6.9 x age.
    EXPECT_NEAR(DM->CalcBMR(), 67 + 13.73 * 70 + 5 * 175.5 - 6.9 * DM->Age, 1e-9);

    // A second decimal is rounded to one on leaving; what is shown is stored.
    TypeOver(Centre->edtSG, "180.26");
    Press(Qt::Key_Tab);
    EXPECT_EQ(Centre->edtSG->Text(), "180.3");
    ClickOn(Centre->btn_SaveInfo);
    EXPECT_EQ(Boxes.LastText(), "信息保存成功");
    EXPECT_EQ(Scalar("select SG from UInfo where UID = :U"), "180.3");

    TypeOver(Centre->edtSG, "300");
    Press(Qt::Key_Tab);  // leaving keeps it at the highest height
    EXPECT_EQ(Centre->edtSG->Text(), "250");
    ClickOn(Centre->btn_SaveInfo);
    EXPECT_EQ(Boxes.LastText(), "信息保存成功");
    EXPECT_EQ(Scalar("select SG from UInfo where UID = :U"), "250");
    EXPECT_EQ(Centre->lblSG->Caption(), "250");
}

TEST_F(CentreFields, ADecimalWeightTypedOrPastedIsStoredAndShownAsItIs) {
    OpenWeighingDay(3);
    ClickOn(Centre->edt_TZ);
    Type("72.5");
    EXPECT_EQ(Centre->edt_TZ->Text(), "72.5");
    ClickOn(Centre->btn_SaveTZ);
    EXPECT_EQ(Boxes.LastText(), "保存成功。");
    EXPECT_EQ(Centre->edt_TZ->Text(), "72.5");
    EXPECT_EQ(Weighing(3), "72.5");
    EXPECT_EQ(Trends(3), "|");
    EXPECT_EQ(Scalar("select TZ from UInfo where UID = :U"), "72.5");
    EXPECT_EQ(DM->TZ, "72.5");
    EXPECT_EQ(MainFrm->lblTZ->Caption(), "72.5KG");
    ClickOn(Centre->btnCTZLR);

    OpenWeighingDay(10);
    TypeOver(Centre->edt_TZ, "73");
    ClickOn(Centre->btn_SaveTZ);
    EXPECT_EQ(Weighing(10), "73");
    EXPECT_EQ(Trends(10), "↑0.5|↑0.5");
    ClickOn(Centre->btnCTZLR);

    // Pasted, a decimal stays one, and two decimals become the one shown.
    OpenWeighingDay(17);
    PasteOver(Centre->edt_TZ, "72.5");
    Press(Qt::Key_Tab);
    EXPECT_EQ(Centre->edt_TZ->Text(), "72.5");
    ClickOn(Centre->btn_SaveTZ);
    EXPECT_EQ(Weighing(17), "72.5");
    EXPECT_EQ(Trends(17), "〓|↓-0.5");
    PasteOver(Centre->edt_TZ, "72.46");
    ClickOn(Centre->btn_SaveTZ);
    EXPECT_EQ(Centre->edt_TZ->Text(), "72.5");
    EXPECT_EQ(Weighing(17), "72.5");
    EXPECT_EQ(DM->TZ, "72.5");
}

// A bracket is the figure's minus: a sign inside one makes it no figure.
TEST_F(CentreFields, APastedTextThatIsNoFigureStaysAsPastedAndIsRefused) {
    OpenWeighingDay(3);
    for (const QString& text : {QString("70,5"), QString("(-5)"), QString("(+5)")}) {
        PasteOver(Centre->edt_TZ, text);
        Press(Qt::Key_Tab);
        EXPECT_EQ(Centre->edt_TZ->Text(), text);
        ClickOn(Centre->edt_TZ);  // coming back leaves it too
        Press(Qt::Key_Tab);
        EXPECT_EQ(Centre->edt_TZ->Text(), text);
        ClickOn(Centre->btn_SaveTZ);
        EXPECT_EQ(Boxes.LastText(), "输入的体重不正确") << text.toStdString();
    }
    EXPECT_EQ(Scalar("select count(*) from TZ where UID = :U"), "0");
    EXPECT_EQ(Scalar("select TZ from UInfo where UID = :U"), "70");
    // A comma in its thousands place is the figure's.
    PasteOver(Centre->edt_TZ, "1,000");
    Press(Qt::Key_Tab);
    EXPECT_EQ(Centre->edt_TZ->Text(), "1,000");
    ClickOn(Centre->btn_SaveTZ);
    EXPECT_EQ(Boxes.LastText(), "保存成功。");
    EXPECT_EQ(Weighing(3), "1000");
    ClickOn(Centre->btnCTZLR);

    Centre->btnBase->Click();
    Centre->btnModifyInfo->Click();
    for (const QString& text : {QString("170,5"), QString("(-5)"), QString("(+5)")}) {
        PasteOver(Centre->edtSG, text);
        Press(Qt::Key_Tab);
        EXPECT_EQ(Centre->edtSG->Text(), text);
        ClickOn(Centre->btn_SaveInfo);
        EXPECT_EQ(Boxes.LastText(), "身高不正确") << text.toStdString();
    }
    EXPECT_EQ(Scalar("select SG from UInfo where UID = :U"), "175");
}

TEST_F(CentreFields, AWeightShownWithAThousandsSeparatorIsStoredAsItsFigure) {
    Centre->btnNet->Click();
    Centre->lblDate->SetCaption("2024-6-1");
    Centre->RefreshCalendar();
    OpenDay(Centre->SGTZ, 3);
    TypeOver(Centre->edt_TZ, "1000");
    Centre->btn_SaveTZ->SetFocus();  // leaving shows the figure grouped
    EXPECT_EQ(Centre->edt_TZ->Text(), "1,000");
    Centre->btn_SaveTZ->Click();
    EXPECT_EQ(Boxes.LastText(), "保存成功。");
    EXPECT_EQ(Scalar("select TZ1 from TZ where UID = :U"), "1000");
    EXPECT_EQ(DM->TZ, "1000");

    // A text the edit would read leniently is no weight: "70,5" is not 705 kilograms.
    Centre->edt_TZ->SetText("70,5");
    Centre->btn_SaveTZ->Click();
    EXPECT_EQ(Boxes.LastText(), "输入的体重不正确");
}

TEST_F(CentreFields, ReadOnlyDatesShowTheReadOnlyColourAndTextsThatOnlyShowStayWhite) {
    for (TSkEdit* date : {Centre->edtDT1, Centre->edtDT2, Centre->edtDT4}) {
        EXPECT_TRUE(date->ReadOnly()) << date->Name().toStdString();
        EXPECT_EQ(date->Color(), clInfoBk) << date->Name().toStdString();
    }
    for (TSkEdit* result : {Centre->edtDT, Centre->edtSKCal, Centre->edtOKcal, Centre->edtHKCal,
                            Centre->edtDKcal, Centre->edtFat}) {
        EXPECT_TRUE(result->ReadOnly()) << result->Name().toStdString();
        EXPECT_EQ(result->Color(), clWindow) << result->Name().toStdString();
    }
    EXPECT_TRUE(Centre->memoAnaNote->ReadOnly());
    EXPECT_EQ(Centre->memoAnaNote->Color(), clWindow);
    // The note under the results is written in grey: no ink inside it darker than grey.
    Centre->btnAna->Click();
    const QImage note = Centre->memoAnaNote->Widget()->grab().toImage();
    int darkest = 255;
    for (int y = 3; y < note.height() - 3; ++y)
        for (int x = 3; x < note.width() - 3; ++x)
            darkest = std::min(darkest, qGray(note.pixel(x, y)));
    EXPECT_EQ(darkest, qGray(0x80, 0x80, 0x80));
}
