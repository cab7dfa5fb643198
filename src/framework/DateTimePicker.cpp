#include "ComCtrls.h"

#include <QCalendarWidget>
#include <QDateEdit>

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
    auto* editor = new QDateEdit(QDate::currentDate());
    editor->setCalendarPopup(true);
    editor->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    editor->setMinimumDate(QDate(1900, 1, 1));
    QObject::connect(editor, &QDateEdit::dateChanged, this, [this] {
        if (!FSetting) FireEvent(OnChange, this);
    });
    SetWidget(editor);
    SetBounds(0, 0, 186, 21);
    FColor = clWindow;
    ColorChanged();
}

QDateEdit* TDateTimePicker::Editor() const {
    return static_cast<QDateEdit*>(FWidget.data());
}

TDateTime TDateTimePicker::Date() const {
    return Editor() ? FromQDate(Editor()->date()) : 0;
}

void TDateTimePicker::SetDate(TDateTime date) {
    if (!Editor()) return;
    FSetting = true;
    Editor()->setDate(ToQDate(date));
    FSetting = false;
}

QString TDateTimePicker::Caption() const {
    return DateToISO(Date());
}

void TDateTimePicker::SetCaption(const QString& text) {
    TDateTime date = 0;
    if (TryISOToDate(text.trimmed(), date)) SetDate(date);
}

void TDateTimePicker::ColorChanged() {
    SetTextAreaColor(FWidget, FColor);
}
