#include "NumericFields.h"

#include "SysUtils.h"

#include <QRegularExpression>

TMeasureEdit::TMeasureEdit(TComponent* AOwner) : TSkNumericEdit(AOwner) {
    SetIntegersOnly(false);
    SetDisplayFormat(QStringLiteral(",0.#;(,0.#)"));
}

bool TMeasureEdit::MayReformat() const {
    double figure = 0;
    return Text().trimmed().isEmpty() || ParseShownFigure(Text(), figure);
}

// A text that is no figure passes the numeric edit's rewriting by in both directions.
void TMeasureEdit::CMEnter(TMessage& Message) {
    if (!MayReformat()) return TSkEdit::CMEnter(Message);
    TSkNumericEdit::CMEnter(Message);
}

void TMeasureEdit::CMExit(TMessage& Message) {
    if (!MayReformat()) return TSkEdit::CMExit(Message);
    TSkNumericEdit::CMExit(Message);
}

bool ParseShownFigure(const QString& text, double& value) {
    QString t = text.trimmed();
    const bool bracketed = t.size() > 2 && t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'));
    if (bracketed) t = t.mid(1, t.size() - 2);
    static const QRegularExpression grouped(QStringLiteral(R"(^[+-]?\d{1,3}(,\d{3})+(\.\d*)?$)"));
    if (grouped.match(t).hasMatch()) t.remove(QLatin1Char(','));
    double v = 0;
    if (!TryStrToFloat(t, v)) return false;
    if (bracketed) {
        if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) return false;
        v = -v;
    }
    value = v;
    return true;
}

bool ReadNumericField(TSkNumericEdit* Edit, const TNumberRange& Range, double& Value) {
    double typed = 0, shown = 0;
    if (!ParseShownFigure(Edit->Text(), typed)) return false;
    const QString shownText = Edit->FormatText(typed);
    if (!ParseShownFigure(shownText, shown) ||
        !ParseFieldNumber(QString::number(shown, 'g', 17), Range, shown))
        return false;
    if (Edit->Text() != shownText) Edit->SetText(shownText);
    Value = shown;
    return true;
}
