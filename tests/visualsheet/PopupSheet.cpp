// The visual sheet of the pop-ups: the calculator and the time picker in their states, and each (and a
// calendar) open in its pop-up window below an edit of a form, as the screen shows them.
#include "Forms.h"
#include "Sheet.h"
#include "SkPopups.h"
#include "SkPopupsCalculator.h"
#include "SkPopupsCalendar.h"
#include "SkPopupsClock.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <memory>

namespace {
// Opens the panel at the edit and, while open, draws the form with the pop-up over it into the cell.
QString Folder;

void ShowOpen(TSheet& sheet, const QString& caption, TForm* form, TEdit* edit, TSkPopupPanel* panel) {
    const TSize size = panel->PopupSize();
    sheet.Cell(caption, form->Width(), std::max(form->Height(), edit->Top() + edit->Height() + size.cy + 4),
               [&](TCanvas* canvas, const TRect& r) {
                   QMetaObject::invokeMethod(
                       qApp,
                       [&] {
                           TBitmap back, front;
                           back.FromImage(form->Widget()->grab().toImage());
                           canvas->Draw(r.Left, r.Top, &back);
                           TSkPopup* host = panel->PopupHost();
                           front.FromImage(host->Widget()->grab().toImage());
                           const TPoint origin = form->ClientToScreen({0, 0});
                           canvas->Draw(r.Left + host->Left() - origin.X, r.Top + host->Top() - origin.Y,
                                        &front);
                           // On a real display, also the screen as the window system shows it.
                           if (QGuiApplication::platformName() == QLatin1String("xcb")) {
                               Application->Wait(500);
                               QGuiApplication::primaryScreen()->grabWindow(0).save(
                                   QStringLiteral("%1/screen-%2.png").arg(Folder, caption));
                           }
                           panel->Close();
                       },
                       Qt::QueuedConnection);
                   panel->Popup(edit);
               });
}

struct TPopupForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TEdit* Edit = new TEdit(Form.get());
    TSkPopupPanel* Panel = new TSkPopupPanel(Form.get());
    TPopupForm() {
        Form->SetBounds(200, 200, 260, 250);
        Form->SetColor(clBtnFace);
        Edit->SetParent(Form.get());
        Edit->SetBounds(100, 8, 120, 22);
        Edit->SetCaption(QStringLiteral("12:30"));
        Panel->SetParent(Form.get());
        Form->Show();
    }
};
}  // namespace

void PopupSheet(const QString& folder) {
    Folder = folder;
    TSheet sheet(900, 900);
    sheet.Heading(QStringLiteral("Calculator"));
    {
        auto parent = MakeParent(clBtnFace);
        auto* calc = Child<TSkCalculator>(parent.get(), 0, 0);
        sheet.Cell(QStringLiteral("cleared"), calc->Width(), calc->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, calc); });
        calc->PressButton(1);
        calc->PressButton(cbPoint);
        calc->PressButton(5);
        calc->PressButton(0);
        calc->SetBoldButtons(true);
        sheet.Cell(QStringLiteral("1.50, bold"), calc->Width(), calc->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, calc); });
        calc->SetBoldButtons(false);
        calc->PressButton(cbDivide);
        calc->PressButton(0);
        calc->PressButton(cbEquals);
        calc->SetBorderOuter(fsFlat);
        calc->CalculatorColors()->SetColor(ccOperatorBtns, 0xC0E0FF);
        sheet.Cell(QStringLiteral("E, flat, coloured operators"), calc->Width(), calc->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, calc); });
    }
    sheet.Heading(QStringLiteral("Time picker"));
    {
        auto parent = MakeParent(clBtnFace);
        auto* clock = Child<TSkTimePicker>(parent.get(), 0, 0);
        clock->SetTime(10 / 24.0 + 10 / 1440.0);
        sheet.Cell(QStringLiteral("10:10 AM"), clock->Width(), clock->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, clock); });
        clock->SetTime(15.75 / 24.0);
        clock->SetShowSetButton(true);
        clock->SetCaptionSet(QStringLiteral("Set"));
        sheet.Cell(QStringLiteral("3:45 PM, Set button"), clock->Width(), clock->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, clock); });
        clock->SetShowTime(false);
        clock->SetBorderOuter(fsFlat);
        clock->ClockFaceColors()->SetColor(cfFace, 0xF0E0D0);
        sheet.Cell(QStringLiteral("no band, flat, face colour"), clock->Width(), clock->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, clock); });
    }
    sheet.Heading(QStringLiteral("Open at an edit"));
    {
        TPopupForm calcForm;
        auto* calc = new TSkCalculator(calcForm.Panel);
        calc->SetParent(calcForm.Panel);
        calc->SetPopupMode(true);
        calc->SetResult(12.5);
        ShowOpen(sheet, QStringLiteral("calculator"), calcForm.Form.get(), calcForm.Edit, calcForm.Panel);
    }
    {
        TPopupForm clockForm;
        auto* clock = new TSkTimePicker(clockForm.Panel);
        clock->SetParent(clockForm.Panel);
        clock->SetPopupMode(true);
        clock->SetShowSetButton(true);
        clock->SetTime(12.5 / 24.0);
        ShowOpen(sheet, QStringLiteral("time picker"), clockForm.Form.get(), clockForm.Edit, clockForm.Panel);
    }
    {
        TPopupForm calendarForm;
        auto* calendar = new TSkCalendar(calendarForm.Panel);
        calendar->SetParent(calendarForm.Panel);
        calendar->SetPopupMode(true);
        calendar->SetBorderOuter(fsFlat);  // as a flat date edit drops it down
        calendar->SetDate(EncodeDate(2024, 6, 15));
        calendarForm.Edit->SetCaption(QStringLiteral("2024-06-15"));
        ShowOpen(sheet, QStringLiteral("calendar, flat"), calendarForm.Form.get(), calendarForm.Edit,
                 calendarForm.Panel);
    }
    sheet.Save(folder, QStringLiteral("popups"));
}
