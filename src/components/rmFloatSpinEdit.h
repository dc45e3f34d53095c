#pragma once
// A spin edit for a decimal number, shown with two decimals.
#include "inspector/rmSpinEdit.h"

#include <string>
#include <string_view>

class TrmFloatSpinEdit : public TrmRangeSpinEdit<double> {
public:
    TrmFloatSpinEdit();
    const char* ClassName() const override { return "TrmFloatSpinEdit"; }

    double Increment() const { return FIncrement; }
    void SetIncrement(double Value) { FIncrement = Value; }
    // The text becomes CheckValue(NewValue) with at least one integer digit and two
    // decimals, rounded half away from zero. Raises ERangeError for a value that is not
    // a finite number.
    void SetValue(double NewValue) override;

protected:
    // The text as a number; raises EConvertError for text that is not one.
    double GetValue() override;
    // Digits, "+", "-", the locale's decimal separator and control characters except
    // carriage return.
    bool IsValidChar(char32_t& Key) override;
    // A step that would leave the finite numbers beeps and changes nothing.
    void IncValue() override;
    void DecValue() override;

private:
    void StepBy(double Step);

    double FIncrement = 1.0;
};

// Text as a decimal number: blanks around it, an optional sign, digits with at most one
// DecimalSeparator (at least one digit in all) and an optional exponent ("e", an
// optional sign, digits). Raises EConvertError "'Text' is not a valid floating point
// value" for anything else, and for numbers beyond the double range.
double StrToFloat(std::string_view Text, char DecimalSeparator);
// Value with at least one integer digit and exactly two decimals, rounded half away from
// zero on its shortest decimal form (so 2.675 gives "2.68"); no sign when that shows zero.
std::string FormatTwoDecimals(double Value, char DecimalSeparator);
