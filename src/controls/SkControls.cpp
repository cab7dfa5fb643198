#include "SkControls.h"

double TSkNumericEdit::Value() const {
    QString text = Text();
    text.remove(QLatin1Char(','));
    double value = 0;
    return TryStrToFloat(text, value) ? value : 0;
}

void TSkNumericEdit::SetValue(double value) { SetText(FormatFloat(FDisplayFormat, value)); }
