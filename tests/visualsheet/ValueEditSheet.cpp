// The visual sheet of the numeric and date/time edits: their texts and buttons in their states, and
// each drop-down (calculator, calendar, clock) open below its edit on a form.
#include "Forms.h"
#include "Sheet.h"
#include "SkEditDateTime.h"
#include "SkEditNumeric.h"
#include "SkPopups.h"

#include <QApplication>
#include <QKeyEvent>
#include <functional>
#include <memory>
#include <vector>

namespace {
template <class T> struct TValueCase {
    QString Caption;
    std::function<void(T*)> Set;
};

template <class T> void Row(TSheet& sheet, const std::vector<TValueCase<T>>& cases) {
    auto parent = MakeParent(clBtnFace);
    for (const TValueCase<T>& test : cases) {
        auto* control = Child<T>(parent.get(), 110, 21);
        test.Set(control);
        sheet.Cell(test.Caption, 110, 21, [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, control); });
        delete control;
    }
}

// Opens the edit's drop-down with F4 and draws the form with the pop-up over it into the cell.
template <class T> void ShowOpen(TSheet& sheet, const QString& caption, const std::function<void(T*)>& set) {
    TForm form(nullptr);
    form.SetBounds(200, 200, 300, 260);
    form.SetColor(clBtnFace);
    auto* edit = new T(&form);
    edit->SetParent(&form);
    edit->SetBounds(120, 8, 120, 21);
    set(edit);
    form.Show();
    form.Widget()->activateWindow();
    QApplication::processEvents();
    edit->SetFocus();
    sheet.Cell(caption, form.Width(), form.Height(), [&](TCanvas* canvas, const TRect& r) {
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                TBitmap back, front;
                back.FromImage(form.Widget()->grab().toImage());
                canvas->Draw(r.Left, r.Top, &back);
                if (TSkPopupPanel* panel = edit->PopupPanel(); panel && panel->PopupHost()) {
                    TSkPopup* host = panel->PopupHost();
                    front.FromImage(host->Widget()->grab().toImage());
                    const TPoint origin = form.ClientToScreen({0, 0});
                    canvas->Draw(r.Left + host->Left() - origin.X, r.Top + host->Top() - origin.Y, &front);
                }
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(edit->Widget(), &escape);
            },
            Qt::QueuedConnection);
        edit->DropDownSequence();
    });
}
}  // namespace

void ValueEditSheet(const QString& folder) {
    TSheet sheet(1000, 700);
    sheet.Heading(QStringLiteral("Numeric edit"));
    Row<TSkNumericEdit>(sheet, {{"new (0)", [](TSkNumericEdit*) {}},
                                {"-1234 as (1,234)", [](TSkNumericEdit* e) { e->SetValue(-1234); }},
                                {"0.00, calculator",
                                 [](TSkNumericEdit* e) {
                                     e->SetDisplayFormat(QStringLiteral("0.00"));
                                     e->SetIntegersOnly(false);
                                     e->SetValue(72.5);
                                     e->SetCalculatorVisible(true);
                                 }},
                                {"flat button",
                                 [](TSkNumericEdit* e) {
                                     e->SetValue(175);
                                     e->SetCalculatorVisible(true);
                                     e->SetFrameVisible(true);
                                     e->SetFlatButtons(true);
                                 }},
                                {"read-only: no button",
                                 [](TSkNumericEdit* e) {
                                     e->SetCalculatorVisible(true);
                                     e->SetReadOnly(true);
                                     e->SetValue(60);
                                 }},
                                {"disabled", [](TSkNumericEdit* e) {
                                     e->SetCalculatorVisible(true);
                                     e->SetValue(60);
                                     e->SetEnabled(false);
                                 }}});
    sheet.Heading(QStringLiteral("Date/time edit"));
    Row<TSkDateTimeEdit>(sheet,
                         {{"new date (empty)", [](TSkDateTimeEdit*) {}},
                          {"2024-03-15", [](TSkDateTimeEdit* e) { e->SetDate(EncodeDate(2024, 3, 15)); }},
                          {"flat buttons, framed",
                           [](TSkDateTimeEdit* e) {
                               e->SetFrameVisible(true);
                               e->SetFlatButtons(true);
                               e->SetDate(EncodeDate(2026, 12, 7));
                           }},
                          {"time 14:05", [](TSkDateTimeEdit* e) { e->SetTime(14 / 24.0 + 5 / 1440.0); }},
                          {"format yyyy年m月d日",
                           [](TSkDateTimeEdit* e) {
                               e->SetFormat(QStringLiteral("yyyy年m月d日"));
                               e->SetDate(EncodeDate(2024, 3, 5));
                           }},
                          {"read-only: no button", [](TSkDateTimeEdit* e) {
                               e->SetDate(EncodeDate(2024, 3, 15));
                               e->SetReadOnly(true);
                           }}});
    sheet.Heading(QStringLiteral("Open drop-downs"));
    ShowOpen<TSkNumericEdit>(sheet, QStringLiteral("calculator"), [](TSkNumericEdit* e) {
        e->SetCalculatorVisible(true);
        e->SetValue(175);
    });
    ShowOpen<TSkDateTimeEdit>(sheet, QStringLiteral("calendar"), [](TSkDateTimeEdit* e) {
        e->SetFlatButtons(true);
        e->SetDate(EncodeDate(2024, 3, 15));
    });
    ShowOpen<TSkDateTimeEdit>(sheet, QStringLiteral("clock"),
                              [](TSkDateTimeEdit* e) { e->SetTime(9.5 / 24.0); });
    sheet.Save(folder, QStringLiteral("valueedits"));
}
