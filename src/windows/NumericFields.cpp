#include "NumericFields.h"

#include "SkEditNumeric.h"

bool ReadNumericField(TSkNumericEdit* Edit, const TNumberRange& Range, double& Value) {
    const QString text = Edit->Text().trimmed();
    if (ParseFieldNumber(text, Range, Value)) return true;
    const double shown = Edit->ParseText();
    return text == Edit->FormatText(shown) && ParseFieldNumber(QString::number(shown, 'g', 17), Range, Value);
}
