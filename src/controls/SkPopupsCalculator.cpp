#include "SkPopupsCalculator.h"

#include "SkPopups.h"

#include <cfenv>
#include <cmath>

namespace {
const std::array<TColor, 8> DefaultColors = {clWindowText, clBtnFace, clWindowText, clBtnFace,
                                             clWindowText, clBtnFace, clWindowText, clWindow};

}  // namespace

const std::array<TColor, 8>& DefaultCalculatorColors() {
    return DefaultColors;
}

namespace {
// Each button's caption; the division sign is the single character U+00F7.
QString ButtonCaption(std::uint8_t Code) {
    static const char* const texts[] = {"0", "1", "2", "3", "4", "5",      "6", "7", "8",
                                        "9", ".", "+", "-", "*", "\u00F7", "C", "="};
    return Code < 17 ? QString::fromUtf8(texts[Code]) : QString();
}

// Frames 2 pixels wide push the grid 2 pixels inward.
bool TwoPixelFrame(TFrameStyleEx Style) {
    switch (Style) {
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
    case fsFlatBold:
    case fsFlatRounded:
        return true;
    default:
        return false;
    }
}

bool ThemeActiveFor(const char* ClassName) {
    HTHEME theme = OpenThemeData(QString::fromLatin1(ClassName));
    const bool active = theme != nullptr;
    CloseThemeData(theme);
    return active;
}

// The platform's "same value" for a divisor: zero within a relative tolerance.
bool IsZero(double V) {
    return std::fabs(V) <= 1e-12;
}
}  // namespace

QString CalculatorNumberText(double Value, int Decimals) {
    QString text;
    if (Decimals >= 2) {
        text = QString::number(Value, 'f', Decimals - 1);
    } else if (Value == 0) {
        text = QStringLiteral("0");
    } else {
        // The decimal exponent as in 0.d1d2... x 10^e, of the value rounded to 15 digits.
        const QString e15 = QString::number(Value, 'e', 14);
        const int exponent = e15.mid(e15.indexOf(QLatin1Char('e')) + 1).toInt() + 1;
        if (exponent > 15 || exponent < -3) {
            QString mantissa = e15.left(e15.indexOf(QLatin1Char('e')));
            if (mantissa.contains(QLatin1Char('.'))) {
                while (mantissa.endsWith(QLatin1Char('0')))
                    mantissa.chop(1);
                if (mantissa.endsWith(QLatin1Char('.'))) mantissa.chop(1);
            }
            text = mantissa + QLatin1Char('E') + QString::number(exponent - 1);
        } else {
            text = FloatToStr(Value);
        }
    }
    if (!text.contains(QLatin1Char('.'))) text += QLatin1Char('.');
    return text;
}

// TSkCalculator -------------------------------------------------------------------------------------

TSkCalculator::TSkCalculator(TComponent* AOwner) : TSkPopupContent(AOwner), FColors(this, DefaultColors) {
    SetMouseTracking(true);
    SetBounds(Left(), Top(), 147, 159);
    Clear();
}

TSkCalculator::~TSkCalculator() = default;

TSize TSkCalculator::PreferredSize() const {
    const int side = 5 * (DigitHeight() + 12) + 24;
    return {side, side};
}

// Properties ----------------------------------------------------------------------------------------

void TSkCalculator::SetResult(double Value) {
    if (Value != FResult) StartWith(Value);
}

void TSkCalculator::SetBoldButtons(bool Value) {
    if (StoreChanged(FBoldButtons, Value)) Invalidate();
}

void TSkCalculator::SetHotButton(std::uint8_t Value) {
    if (StoreChanged(FHotButton, Value)) Invalidate();
}

void TSkCalculator::SetPressedButton(std::uint8_t Value) {
    if (StoreChanged(FPressedButton, Value)) Invalidate();
}

void TSkCalculator::Change() {
    FireEvent(OnChange, this);
}

// The arithmetic ------------------------------------------------------------------------------------

void TSkCalculator::Clear() {
    StartWith(0);
}

void TSkCalculator::StartWith(double Value) {
    FResult = FEntry = Value;
    FOperator = 0;
    FNewEntry = FFirstOperand = true;
    FDecimals = FDigits = 0;
    FError = false;
    FShowResult = true;
    Invalidate();
}

void TSkCalculator::Digit(int D) {
    if (FError) return;
    if (FNewEntry) {
        FEntry = D;
        FNewEntry = false;
        FDigits = D != 0 ? 1 : 0;
    } else {
        // Leading zeros of the integer part are not counted; a full entry takes no more digits.
        const bool leadingZero = FDecimals == 0 && FEntry == 0 && D == 0;
        if (!leadingZero && FDigits >= MaxDigits) return;
        if (FDecimals >= 1) {
            FEntry = std::fabs(FEntry) + D * std::pow(10.0, -FDecimals);
            ++FDecimals;
        } else {
            FEntry = std::fabs(FEntry) * 10 + D;
            if (!std::isfinite(FEntry)) FError = true;
        }
        if (!leadingZero && (FDigits > 0 || D != 0 || FDecimals > 0)) ++FDigits;
    }
    FShowResult = false;
    Invalidate();
}

void TSkCalculator::Point() {
    if (FError || FDecimals >= 2) return;
    if (FNewEntry) {
        FEntry = 0;
        FDigits = 0;
        FShowResult = false;
    }
    FDecimals = 1;
    FNewEntry = false;
    Invalidate();
}

void TSkCalculator::Operation(int Op) {
    if (FError) return;
    Accumulate();
    FOperator = Op;
    FNewEntry = true;
    FDecimals = 0;
}

void TSkCalculator::Accumulate() {
    if (FFirstOperand) {
        FFirstOperand = false;
        // A number typed after = starts a new calculation instead of being dropped for the result.
        if (FOperator == 0 || !FNewEntry) FResult = FEntry;
    } else {
        Evaluate();
    }
}

void TSkCalculator::Evaluate() {
    switch (FOperator) {
    case 0:
        FResult = FEntry;
        FNewEntry = true;
        FDecimals = 0;
        FFirstOperand = true;
        return;
    case 4:
        if (IsZero(FEntry)) {
            FError = true;
            Invalidate();
            return;
        }
        FResult /= FEntry;
        break;
    case 1:
        FResult += FEntry;
        break;
    case 2:
        FResult -= FEntry;
        break;
    default:
        FResult *= FEntry;
        break;
    }
    if (!std::isfinite(FResult)) FError = true;
    FShowResult = true;
    Invalidate();
}

void TSkCalculator::Equals() {
    if (FError) return;
    // A number typed after = starts a new calculation: the finished one's operator is not applied to it
    // (an = straight after = repeats the operation).
    if (FFirstOperand && !FNewEntry) FOperator = 0;
    Evaluate();
    FNewEntry = true;
    FDecimals = 0;
    FFirstOperand = true;
    Change();
}

void TSkCalculator::SetAction() {
    if (!FFirstOperand) Evaluate();
    if (PopupMode()) FireEvent(OnSetBtnClick, this);
}

void TSkCalculator::PressButton(std::uint8_t Code) {
    if (Code <= 9)
        Digit(Code);
    else if (Code == cbPoint)
        Point();
    else if (Code >= cbAdd && Code <= cbDivide)
        Operation(Code == cbAdd ? 1 : Code == cbSubtract ? 2 : Code == cbMultiply ? 3 : 4);
    else if (Code == cbClear)
        Clear();
    else if (Code == cbEquals)
        Equals();
    else if (Code == cbSet)
        SetAction();
}

QString TSkCalculator::DisplayText() const {
    if (FError) return QStringLiteral("E");
    return CalculatorNumberText(FShowResult ? FResult : FEntry, FDecimals);
}

// Layout --------------------------------------------------------------------------------------------

int TSkCalculator::CellSide() const {
    TRect r = GetControlRect();
    AdjustRectForBorders(r, false);
    return (r.Right - r.Left - 24) / 5 + 1;
}

int TSkCalculator::Position(int Index) const {
    const int s = CellSide();
    return Index * s + 4 * (Index + 1) + (TwoPixelFrame(BorderOuter()) ? 2 : 0);
}

TRect TSkCalculator::ButtonRect(std::uint8_t Code) const {
    const int s = CellSide();
    auto cell = [&](int col, int row, int lastCol, int lastRow) {
        return TRect{Position(col), Position(row), Position(lastCol) + s, Position(lastRow) + s};
    };
    // By code: first column, first row, last column, last row.
    static const int cells[17][4] = {
        {0, 4, 1, 4}, {0, 3, 0, 3}, {1, 3, 1, 3}, {2, 3, 2, 3}, {0, 2, 0, 2},
        {1, 2, 1, 2}, {2, 2, 2, 2}, {0, 1, 0, 1}, {1, 1, 1, 1}, {2, 1, 2, 1},  // the digits
        {2, 4, 2, 4}, {3, 4, 3, 4}, {3, 3, 3, 3}, {3, 2, 3, 2}, {3, 1, 3, 1},  // . + - * ÷
        {4, 1, 4, 2}, {4, 3, 4, 4}};                                           // C =
    if (Code < 17) return cell(cells[Code][0], cells[Code][1], cells[Code][2], cells[Code][3]);
    if (Code == cbSet) return PopupMode() ? cell(4, 0, 4, 0) : TRect{};
    if (Code == cbDisplay) return cell(0, 0, PopupMode() ? 3 : 4, 0);
    return {};
}

std::uint8_t TSkCalculator::ButtonAt(const TPoint& P) const {
    for (int code = cbDisplay; code >= 0; --code)
        if (ButtonRect(std::uint8_t(code)).Contains(P)) return std::uint8_t(code);
    return cbNone;
}

// Painting ------------------------------------------------------------------------------------------

void TSkCalculator::Paint() {
    PaintBackground();
    Canvas()->Font()->Assign(*Font());
    if (FBoldButtons) Canvas()->Font()->SetStyle(Canvas()->Font()->Style() | FontStyle(fsBold));
    for (int code = 0; code <= cbDisplay; ++code) {
        if (code == cbSet && !PopupMode()) continue;
        if (code == cbDisplay)
            DrawDisplay();
        else
            DrawButton(std::uint8_t(code));
    }
}

void TSkCalculator::DrawDisplay() {
    const TRect box = ButtonRect(cbDisplay);
    TColor frame = FlatColor();
    if (HTHEME theme = ThemeAware() ? OpenThemeData(QStringLiteral("EDIT")) : nullptr) {
        GetThemeColor(theme, 0, 0, TMT_BORDERCOLOR, frame);
        CloseThemeData(theme);
    }
    TRect inner = DrawBox(Canvas(), box, frame);
    if (Focused()) inner = DrawBox(Canvas(), inner, DarkerColor(frame, 40));
    Canvas()->Brush()->SetColor(FColors.GetColor(ccDisplay));
    Canvas()->FillRect(inner);
    Canvas()->Font()->SetColor(FColors.GetColor(ccDisplayFont));
    const QString text = DisplayText();
    const int width = Canvas()->TextWidth(text);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->TextOut(inner.Right - 2 - width, inner.Top + (inner.Bottom - inner.Top - DigitHeight()) / 2,
                      text);
    Canvas()->Brush()->SetStyle(bsSolid);
}

void TSkCalculator::DrawButton(std::uint8_t Code) {
    TRect r = ButtonRect(Code);
    if (ThemeAware() && ThemeActiveFor("BUTTON")) r = {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
    int fontIndex = ccCommandFont, buttonIndex = ccCommandBtns;
    if (Code <= cbPoint) {
        fontIndex = ccNumberFont;
        buttonIndex = ccNumberBtns;
    } else if (Code <= cbDivide) {
        fontIndex = ccOperatorFont;
        buttonIndex = ccOperatorBtns;
    }
    const bool down = Code == FPressedButton && Code == FHotButton;
    DrawPopupButton(Canvas(), r, ButtonCaption(Code), FColors.GetColor(buttonIndex),
                    FColors.GetColor(fontIndex), FlatBorder(), down, ThemeAware());
    if (Code != cbSet) return;
    // The confirm glyph: the symbol font's upward triangle, a little larger than the captions.
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->SetName(QStringLiteral("Marlett"));
    Canvas()->Font()->SetSize(Font()->Size() + 4);
    Canvas()->Font()->SetColor(FColors.GetColor(fontIndex));
    DrawStringCentered(Canvas(), QStringLiteral("5"), r);
    Canvas()->Font()->Assign(*Font());
    if (FBoldButtons) Canvas()->Font()->SetStyle(Canvas()->Font()->Style() | FontStyle(fsBold));
    Canvas()->Brush()->SetStyle(bsSolid);
}

// Mouse and keyboard --------------------------------------------------------------------------------

void TSkCalculator::WMMouseMove(TWMMouse& Message) {
    SetHotButton(ButtonAt({Message.XPos, Message.YPos}));
    TSkPopupContent::WMMouseMove(Message);
}

void TSkCalculator::CMMouseLeave(TMessage& Message) {
    SetHotButton(cbNone);
    TSkPopupContent::CMMouseLeave(Message);
}

void TSkCalculator::WMLButtonDown(TWMMouse& Message) {
    if (!PopupMode() && Visible()) SetFocus();
    const TPoint p{Message.XPos, Message.YPos};
    SetHotButton(ClientRect().Contains(p) ? ButtonAt(p) : cbNone);
    SetPressedButton(FHotButton);
    TSkPopupContent::WMLButtonDown(Message);
}

void TSkCalculator::WMLButtonUp(TWMMouse& Message) {
    SetHotButton(ButtonAt({Message.XPos, Message.YPos}));
    FClickButton = FPressedButton == FHotButton ? FPressedButton : cbNone;
    SetPressedButton(cbNone);
    TSkPopupContent::WMLButtonUp(Message);
}

void TSkCalculator::Click() {
    const std::uint8_t code = std::exchange(FClickButton, cbNone);
    if (code == cbNone) return;
    PressButton(code);
    Repaint();
    TSkPopupContent::Click();
}

void TSkCalculator::WMKeyDown(TWMKey& Message) {
    if (Message.CharCode == VK_RETURN) {
        PressButton(PopupMode() ? cbSet : cbEquals);
        return;
    }
    TSkPopupContent::WMKeyDown(Message);
}

void TSkCalculator::WMChar(TWMKey& Message) {
    const QChar ch(char16_t(Message.CharCode));
    if (ch.isDigit() && ch.unicode() < 128)
        PressButton(std::uint8_t(ch.unicode() - '0'));
    else if (ch == QLatin1Char('*'))
        PressButton(cbMultiply);
    else if (ch == QLatin1Char('+'))
        PressButton(cbAdd);
    else if (ch == QLatin1Char('-'))
        PressButton(cbSubtract);
    else if (ch == QLatin1Char('/'))
        PressButton(cbDivide);
    else if (ch == QLatin1Char('='))
        PressButton(cbEquals);
    else if (ch == QLatin1Char('c') || ch == QLatin1Char('C'))
        Clear();
    else if (ch == QLatin1Char('.'))
        PressButton(cbPoint);
    else
        return TSkPopupContent::WMChar(Message);
    Invalidate();
}
