#include "SkEditNumeric.h"

#include "SkEditDropDown.h"
#include "Streaming.h"
#include "SysUtils.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <climits>
#include <cmath>

namespace {
struct TNumericEditTypes {
    TNumericEditTypes() { RegisterClass<TSkNumericEdit>(); }
};
const TNumericEditTypes NumericEditTypes;
}  // namespace

// The program writes and reads numbers with a point.
const QChar NumericDecimalSeparator = QLatin1Char('.');

TSkNumericEdit::TSkNumericEdit(TComponent* AOwner)
    : TSkEdit(AOwner), FCalculatorColors(nullptr, DefaultCalculatorColors()) {
    SetBounds(Left(), Top(), 65, 21);
    SetAlignment(taRightJustify);
    SetText(FormatText(0));
}

void TSkNumericEdit::Change() {
    if (!(ComponentState() & csLoading) && !FReformatting) TSkEdit::Change();
}

QString TSkNumericEdit::FormatText(double Value) const {
    return FormatFloat(FDisplayFormat, Value);
}

// Forgiving: the characters of a number are picked out of the text, a leading minus or a bracketed
// text makes it negative, and what does not convert is 0. Every decimal digit counts by its value, so
// the full-width digits a Chinese input method types (pasted, say) read as the number they show.
double TSkNumericEdit::ParseText() const {
    const QString s = Text().trimmed();
    if (s.isEmpty()) return 0;
    const bool negative = s.startsWith(QLatin1Char('-')) ||
                          (s.startsWith(QLatin1Char('(')) && s.indexOf(QLatin1Char(')')) == s.size() - 1);
    QString kept;
    for (const QChar c : s) {
        const bool exponent = FAllowScientificNotation && (c == QLatin1Char('E') || c == QLatin1Char('e'));
        if (c.isDigit()) {
            kept += QLatin1Char(char('0' + c.digitValue()));
            continue;
        }
        bool keep = c == NumericDecimalSeparator || exponent;
        if (c == QLatin1Char('-'))
            keep = !FAllowScientificNotation ||
                   (!kept.isEmpty() && (kept.back() == QLatin1Char('E') || kept.back() == QLatin1Char('e')));
        if (keep) kept += c;
    }
    if (kept.isEmpty()) return 0;
    if (negative && !kept.startsWith(QLatin1Char('-'))) kept.prepend(QLatin1Char('-'));
    bool ok = false;
    const double v = kept.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

double TSkNumericEdit::GetValue() {
    try {
        if (!Text().isEmpty()) return ParseText();
        if (FAllowBlank) return FBlankValue;
        SetText(FormatText(FMin));
        return ParseText();
    } catch (...) {
        return FMin;
    }
}

void TSkNumericEdit::SetValue(double Value) {
    if (Value != ParseText()) SetText(FormatText(Value));
}

int TSkNumericEdit::IntValue() {
    const double v = std::round(GetValue());
    if (std::isnan(v)) return 0;
    if (v >= double(INT_MAX)) return INT_MAX;
    if (v <= double(INT_MIN)) return INT_MIN;
    return int(v);
}

void TSkNumericEdit::SetIntegersOnly(bool Value) {
    FIntegersOnly = Value;
    if (Value) SetValue(std::round(GetValue()));
}

void TSkNumericEdit::SetMin(double Value) {
    if (Value == FMin) return;
    FMin = Value;
    if (FMax < FMin) FMax = FMin;
    Invalidate();
}

void TSkNumericEdit::SetMax(double Value) {
    if (Value == FMax) return;
    FMax = Value;
    if (FMin > FMax) FMin = FMax;
    Invalidate();
}

void TSkNumericEdit::SetDisplayFormat(const QString& Value) {
    if (Value == FDisplayFormat) return;
    const double v = GetValue();
    FDisplayFormat = Value;
    if (!(ComponentState() & csLoading)) SetText(FormatText(v));
}

void TSkNumericEdit::Loaded() {
    TSkEdit::Loaded();
    const QScopedValueRollback reformatting(FReformatting, true);
    FStoredValue = ParseText();
    SetText(FormatText(FStoredValue));
}

// The key filter ------------------------------------------------------------------------------------------
bool TSkNumericEdit::IsValidChar(QChar Key) {
    QString allowed = QStringLiteral("()+-0123456789");
    if (!FIntegersOnly) {
        allowed += NumericDecimalSeparator;
        if (FAllowScientificNotation) allowed += QStringLiteral("Ee");
    }
    const bool control = Key.unicode() < 32 && Key != QLatin1Char('\r');
    bool valid = allowed.contains(Key) || control;
    const QString text = Text();
    if (valid && Key == NumericDecimalSeparator)
        valid = !text.contains(NumericDecimalSeparator) || SelText().contains(NumericDecimalSeparator);
    if (valid && FIntegersOnly) {
        const bool sign = Key == QLatin1Char('+') || Key == QLatin1Char('-');
        const bool textHasSign = text.contains(QLatin1Char('+')) || text.contains(QLatin1Char('-'));
        const int selStart = SelStart(), selLength = SelLength();
        if (!sign) {
            if (selStart == 0 && selLength == 0 &&
                (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))))
                valid = false;
        } else if (selStart == 0 && !textHasSign) {
            valid = true;
        } else {
            const QString sel = SelText();
            valid = selLength == text.size() ||
                    (selStart == 0 && selLength > 0 &&
                     (sel.contains(QLatin1Char('+')) || sel.contains(QLatin1Char('-'))));
        }
    }
    return valid;
}

void TSkNumericEdit::WMKeyDown(TWMKey& Message) {
    FSelectWrittenFigure = false;
    TSkEdit::WMKeyDown(Message);
    FKeypadDecimal = Message.CharCode == VK_DECIMAL;
}

void TSkNumericEdit::KeyPress(QChar& Key) {
    if (FKeypadDecimal) Key = NumericDecimalSeparator;
    FKeypadDecimal = false;
    TSkEdit::KeyPress(Key);
    if (!Key.isNull() && !IsValidChar(Key)) {
        Key = QChar();
        InvalidKeyBeep();
    }
}

// Range and focus ---------------------------------------------------------------------------------------
void TSkNumericEdit::RangeError(bool& AutoCorrect, double Value, double Bound) {
    if (OnRangeError) OnRangeError(this, Value, Bound, AutoCorrect);
}

double TSkNumericEdit::CheckValue(double V, bool& KeepFocus) {
    double result = V;
    if (FMin != FMax || FCheckRange) {
        const bool below = V < FMin, above = !below && V > FMax;
        if (below || above) {
            bool autoCorrect = true;
            RangeError(autoCorrect, V, below ? FMin : FMax);
            if (autoCorrect)
                result = below ? FMin : FMax;
            else
                KeepFocus = true;
        }
    }
    FStoredValue = result;
    return result;
}

void TSkNumericEdit::CMEnter(TMessage& Message) {
    FStoredValue = ParseText();
    const QString typed = Text();
    if (!FAllowBlank) SetText(FormatText(FStoredValue));
    TSkEdit::CMEnter(Message);
    // A zero, or a figure the entering wrote (the Min of an empty edit), is no figure of the user's:
    // it is selected so that what the user types replaces it instead of joining it (17 typed before
    // a 0 would read 170). The click that gave the focus has placed the caret by the time its button
    // is up, so it is selected again then.
    FSelectWrittenFigure = Text() != typed || FStoredValue == 0;
    if (FSelectWrittenFigure) SelectAll();
}

void TSkNumericEdit::WMLButtonUp(TWMMouse& Message) {
    TSkEdit::WMLButtonUp(Message);
    if (FSelectWrittenFigure) SelectAll();
    FSelectWrittenFigure = false;
}

void TSkNumericEdit::CMExit(TMessage& Message) {
    FSelectWrittenFigure = false;
    // The calculator taking the focus is no leaving: the value is checked when the user leaves.
    if (FPopupPanel && FPopupPanel->PopupHost()) {
        TSkEdit::CMExit(Message);
        return;
    }
    if (FAllowBlank && Text().isEmpty()) {
        TSkEdit::CMExit(Message);
        return;
    }
    ValidateOnExit(Message);
}

// A failing range handler never throws through the focus change: the value falls back to Min, the
// leaving completes, and the message is shown in the program's box.
void TSkNumericEdit::ValidateOnExit(TMessage& Message) {
    QPointer<QObject> alive(this);
    bool keepFocus = false;
    DispatchEvent([&] {
        try {
            const double v = CheckValue(ParseText(), keepFocus);
            if (!keepFocus) SetText(FormatText(v));
        } catch (...) {
            keepFocus = false;
            FStoredValue = FMin;
            SetText(FormatText(FMin));
            throw;
        }
    });
    // The leaving is not completed: the focus stays, and the control it was going to never hears of
    // it (so two such edits cannot hand the focus back and forth). An edit being hidden or disabled
    // cannot keep it: it leaves with the text as it stands.
    if (!alive || (keepFocus && KeepFocusOnExit())) return;
    TSkEdit::CMExit(Message);
}

// The calculator ------------------------------------------------------------------------------------------
void TSkNumericEdit::DropDown() {
    if (ReadOnly()) return;
    TSkEdit::DropDown();
    TEnterExitHeldBack heldBack(this);
    CalculatorDropDown();
}

void TSkNumericEdit::CalculatorDropDown() {
    RunEditDropDown<TSkCalculator>(
        this, FPopupPanel,
        [this](TSkCalculator* calc, TSkPopupPanel* panel) {
            calc->SetResult(GetValue());
            calc->SetCalculatorColors(&FCalculatorColors);
            calc->SetBoldButtons(FCalculatorBoldButtons);
            calc->OnSetBtnClick = [panel](TObject*) { panel->Close(); };
        },
        [this](TSkCalculator* calc) {
            // The number shown is the one confirmed (a typed number has not reached Result yet);
            // an error display writes nothing.
            if (!calc->Error()) SetValue(calc->ShownValue());
        });
}
