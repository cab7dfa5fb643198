// The numeric edit: a framed edit that holds a number. Only a number's characters can be typed, the
// text is read by a forgiving rule of its own, shown through a FormatFloat format, kept within Min and
// Max when the focus leaves, and the drop-down button opens a calculator.
#pragma once

#include "SkEdit.h"
#include "SkPopupsCalculator.h"

#include <functional>

class TSkPopupPanel;

// A value left its range: AutoCorrect arrives true (the bound is taken); cleared, the value is kept
// and the focus stays in the edit.
using TSkRangeErrorEvent =
    std::function<void(TObject* Sender, double Value, double Bound, bool& AutoCorrect)>;

class TSkNumericEdit : public TSkEdit {
    Q_OBJECT
    Q_PROPERTY(bool AllowBlank READ AllowBlank WRITE SetAllowBlank)
    Q_PROPERTY(bool AllowScientificNotation READ AllowScientificNotation WRITE SetAllowScientificNotation)
    Q_PROPERTY(double BlankValue READ BlankValue WRITE SetBlankValue)
    Q_PROPERTY(bool CalculatorVisible READ CalculatorVisible WRITE SetCalculatorVisible)
    Q_PROPERTY(bool CalculatorBoldButtons READ CalculatorBoldButtons WRITE SetCalculatorBoldButtons)
    Q_PROPERTY(bool CheckRange READ CheckRange WRITE SetCheckRange)
    Q_PROPERTY(bool IntegersOnly READ IntegersOnly WRITE SetIntegersOnly)
    Q_PROPERTY(double Max READ Max WRITE SetMax)
    Q_PROPERTY(double Min READ Min WRITE SetMin)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(bool BeepOnInvalidKey READ BeepOnInvalidKey WRITE SetBeepOnInvalidKey)
    Q_CLASSINFO("AllowBlank", "= False")
    Q_CLASSINFO("AllowScientificNotation", "= True")
    Q_CLASSINFO("BlankValue", "= 0")
    Q_CLASSINFO("CalculatorVisible", "= False")
    Q_CLASSINFO("CalculatorBoldButtons", "= False")
    Q_CLASSINFO("CheckRange", "= False")
    Q_CLASSINFO("IntegersOnly", "= True")
    Q_CLASSINFO("Max", "= 0")
    Q_CLASSINFO("Min", "= 0")
    Q_CLASSINFO("DisplayFormat", "= ,0;(,0)")
    Q_CLASSINFO("Value", "= 0")
    Q_CLASSINFO("BeepOnInvalidKey", "= True")
    Q_CLASSINFO("Alignment", "= taRightJustify")
public:
    // 65 x 21, right-aligned, showing 0.
    explicit TSkNumericEdit(TComponent* AOwner);

    bool AllowBlank() const { return FAllowBlank; }
    void SetAllowBlank(bool Value) { FAllowBlank = Value; }
    bool AllowScientificNotation() const { return FAllowScientificNotation; }
    void SetAllowScientificNotation(bool Value) { FAllowScientificNotation = Value; }
    double BlankValue() const { return FBlankValue; }
    void SetBlankValue(double Value) { FBlankValue = Value; }
    bool CalculatorVisible() const { return DropButtonVisible(); }
    void SetCalculatorVisible(bool Value) { SetDropButtonVisible(Value); }
    bool CalculatorBoldButtons() const { return FCalculatorBoldButtons; }
    void SetCalculatorBoldButtons(bool Value) { FCalculatorBoldButtons = Value; }
    TSkCalculatorColors* CalculatorColors() { return &FCalculatorColors; }
    virtual void SetCalculatorColors(TSkCalculatorColors* Value) { FCalculatorColors.Assign(Value); }
    bool CheckRange() const { return FCheckRange; }
    void SetCheckRange(bool Value) { FCheckRange = Value; }
    bool IntegersOnly() const { return FIntegersOnly; }
    // Switched on, the value is rounded.
    virtual void SetIntegersOnly(bool Value);
    double Min() const { return FMin; }
    // Max follows a Min above it (and Min a Max below it).
    virtual void SetMin(double Value);
    double Max() const { return FMax; }
    virtual void SetMax(double Value);
    QString DisplayFormat() const { return FDisplayFormat; }
    virtual void SetDisplayFormat(const QString& Value);

    // The value of the text; an empty text means BlankValue (AllowBlank) or shows Min.
    virtual double GetValue();
    double Value() { return GetValue(); }
    // Shows Value through the display format; no range check.
    virtual void SetValue(double Value);
    // The value rounded, held within the 32-bit range.
    virtual int IntValue();
    virtual void SetIntValue(int Value) { SetValue(Value); }

    // The rules, public for the windows and tests.
    virtual bool IsValidChar(QChar Key);
    virtual QString FormatText(double Value) const;
    virtual double ParseText() const;
    // Keeps V within Min and Max (when they differ, or with CheckRange) through OnRangeError.
    virtual double CheckValue(double V, bool& KeepFocus);
    // The last value parsed on entry or checked on exit.
    double StoredValue() const { return FStoredValue; }
    // While the calculator is open: the panel it drops down from.
    TSkPopupPanel* PopupPanel() const { return FPopupPanel; }

    Q_INVOKABLE bool IsTextStored() const { return false; }

    TSkRangeErrorEvent OnRangeError;

protected:
    virtual void RangeError(bool& AutoCorrect, double Value, double Bound);
    // The calculator pop-up; the value takes its result when confirmed.
    virtual void CalculatorDropDown();
    void DropDown() override;
    void Loaded() override;
    void Change() override;
    void KeyPress(QChar& Key) override;
    void WMKeyDown(TWMKey& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;

private:
    void ValidateOnExit(TMessage& Message);
    bool FAllowBlank = false, FAllowScientificNotation = true, FCheckRange = false, FIntegersOnly = true;
    bool FCalculatorBoldButtons = false, FKeypadDecimal = false, FReformatting = false;
    bool FSelectWrittenFigure = false;
    double FBlankValue = 0, FMin = 0, FMax = 0, FStoredValue = 0;
    QString FDisplayFormat = QStringLiteral(",0;(,0)");
    TSkCalculatorColors FCalculatorColors;
    TSkPopupPanel* FPopupPanel = nullptr;
};
