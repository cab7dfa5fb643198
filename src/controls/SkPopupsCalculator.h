// A four-function calculator on a styled panel: a display over a grid of digit, point, operator, C
// and = buttons, and a confirm button when it runs in a pop-up. Typed numbers are never negative;
// arithmetic failures show "E" until C.
#pragma once

#include "SkPopupsContent.h"
#include <cstdint>

// The calculator's eight colours by index: NumberFont, NumberBtns, OperatorFont, OperatorBtns,
// CommandFont, CommandBtns, DisplayFont, Display.
using TSkCalculatorColors = TSkIndexedColors<8>;
// The colours a new calculator starts with (an edit keeping a set for its calculator starts there too).
const std::array<TColor, 8>& DefaultCalculatorColors();

enum : int {
    ccNumberFont,
    ccNumberBtns,
    ccOperatorFont,
    ccOperatorBtns,
    ccCommandFont,
    ccCommandBtns,
    ccDisplayFont,
    ccDisplay
};

// Button codes: 0..9 the digits, then the point, the four operators, C, =, Set and the display.
enum : std::uint8_t {
    cbPoint = 10,
    cbAdd = 11,
    cbSubtract = 12,
    cbMultiply = 13,
    cbDivide = 14,
    cbClear = 15,
    cbEquals = 16,
    cbSet = 17,
    cbDisplay = 18,
    cbNone = 18  // no button pressed or hot
};

class TSkCalculator : public TSkPopupContent {
    Q_OBJECT
    Q_PROPERTY(double Result READ Result WRITE SetResult)
    Q_PROPERTY(bool BoldButtons READ BoldButtons WRITE SetBoldButtons)
    Q_PROPERTY(bool ThemeAware READ ThemeAware WRITE SetThemeAware)
    Q_CLASSINFO("BoldButtons", "= False")
    Q_CLASSINFO("ThemeAware", "= True")
public:
    // 147 x 159 (grown to the preferred size), window colour, lowered frame; cleared.
    explicit TSkCalculator(TComponent* AOwner);
    ~TSkCalculator() override;

    // Typed numbers are held to this many digits, so the display never runs out of room.
    static constexpr int MaxDigits = 15;

    double Result() const { return FResult; }
    virtual void SetResult(double Value);
    bool BoldButtons() const { return FBoldButtons; }
    virtual void SetBoldButtons(bool Value);
    TSkCalculatorColors* CalculatorColors() { return &FColors; }
    virtual void SetCalculatorColors(TSkCalculatorColors* Value) { FColors.Assign(Value); }

    // The state the user sees and types into.
    double Entry() const { return FEntry; }
    // The number the display shows: the result, or the number being typed.
    double ShownValue() const { return FShowResult ? FResult : FEntry; }
    bool Error() const { return FError; }
    QString DisplayText() const;
    // Pressing a button (as a click on it does, without the repaint and OnClick).
    void PressButton(std::uint8_t Code);
    // Button C.
    void Clear();

    // The cell of a button code (the display for cbDisplay); empty for Set outside pop-up mode.
    TRect ButtonRect(std::uint8_t Code) const;
    // The square that holds the calculator at its font.
    TSize PreferredSize() const override;
    std::uint8_t HotButton() const { return FHotButton; }
    std::uint8_t PressedButton() const { return FPressedButton; }

    TNotifyEvent OnChange, OnSetBtnClick;

protected:
    virtual void DrawDisplay();
    virtual void DrawButton(std::uint8_t Code);
    virtual void SetHotButton(std::uint8_t Value);
    virtual void SetPressedButton(std::uint8_t Value);
    virtual void Change();
    void Paint() override;
    void Click() override;
    // Quick presses on the keys are separate presses, never a double click.
    bool DoubleClicks() const override { return false; }
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    // A fresh calculation showing Value, no operator pending, no error.
    void StartWith(double Value);
    void Digit(int D);
    void Point();
    void Operation(int Op);
    void Accumulate();
    void Evaluate();
    void Equals();
    void SetAction();
    std::uint8_t ButtonAt(const TPoint& P) const;
    // Positions of the grid's rows and columns.
    int Position(int Index) const;
    int CellSide() const;

    TSkCalculatorColors FColors;
    double FEntry = 0, FResult = 0;
    int FOperator = 0;
    int FDecimals = 0;
    int FDigits = 0;  // digits typed into the entry, leading zeros left out
    bool FNewEntry = true, FFirstOperand = true, FShowResult = true, FError = false;
    bool FBoldButtons = false;
    std::uint8_t FPressedButton = cbNone, FHotButton = cbNone, FClickButton = cbNone;
};

// The display's text for a value: up to 15 significant digits, the exponent form for values
// beyond them or below 1E-4 (as "1.5E30"), and always a decimal point.
QString CalculatorNumberText(double Value, int Decimals);
