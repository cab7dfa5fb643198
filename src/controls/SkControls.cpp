#include "SkControls.h"

double TSkNumericEditStub::Value() const {
    QString text = Text();
    text.remove(QLatin1Char(','));
    double value = 0;
    return TryStrToFloat(text, value) ? value : 0;
}

void TSkNumericEditStub::SetValue(double value) {
    SetText(FormatFloat(FDisplayFormat, value));
}
