#include "components/rmFloatSpinEdit.h"

#include "platform/Exception.h"
#include "platform/LocaleFormats.h"
#include "platform/WindowSystem.h"

#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

bool IsBlank(char C)
{
    return static_cast<unsigned char>(C) <= ' ';
}

// The number's characters in the form std::from_chars reads ('.' as the separator, no
// "+"), or an empty text when Text is not a plain decimal number.
std::string NormalisedNumber(std::string_view Text, char DecimalSeparator)
{
    while (!Text.empty() && IsBlank(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && IsBlank(Text.back()))
        Text.remove_suffix(1);
    std::string number;
    size_t i = 0;
    if (i < Text.size() && (Text[i] == '+' || Text[i] == '-')) {
        if (Text[i] == '-')
            number += '-';
        ++i;
    }
    bool anyDigit = false;
    bool separatorSeen = false;
    for (; i < Text.size(); ++i) {
        if (IsDigit(Text[i])) {
            anyDigit = true;
            number += Text[i];
        } else if (Text[i] == DecimalSeparator && !separatorSeen) {
            separatorSeen = true;
            number += '.';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return {};
    if (i < Text.size() && (Text[i] == 'e' || Text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < Text.size() && (Text[i] == '+' || Text[i] == '-'))
            number += Text[i++];
        const size_t exponentStart = i;
        for (; i < Text.size() && IsDigit(Text[i]); ++i)
            number += Text[i];
        if (i == exponentStart)
            return {};
    }
    return i == Text.size() ? number : std::string();
}

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& Digits)
{
    for (size_t i = Digits.size(); i-- > 0;) {
        if (Digits[i] != '9') {
            ++Digits[i];
            return;
        }
        Digits[i] = '0';
    }
    Digits.insert(Digits.begin(), '1');
}

} // namespace

double StrToFloat(std::string_view Text, char DecimalSeparator)
{
    const std::string number = NormalisedNumber(Text, DecimalSeparator);
    double value = 0;
    if (!number.empty()) {
        const char* end = number.data() + number.size();
        const auto [last, error] = std::from_chars(number.data(), end, value);
        if (error == std::errc() && last == end && std::isfinite(value))
            return value;
    }
    throw EConvertError("'" + std::string(Text) + "' is not a valid floating point value");
}

std::string FormatTwoDecimals(double Value, char DecimalSeparator)
{
    // The shortest fixed form that reads back as Value; the largest double has 309
    // integer digits and the smallest about 330 decimals.
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof(text), std::fabs(Value), std::chars_format::fixed);
    if (error != std::errc())
        throw ERangeError("The value is not a finite number");
    const std::string_view shortest(text, size_t(end - text));
    const size_t point = shortest.find('.');
    std::string digits(shortest.substr(0, point)); // integer digits, then two decimals
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : shortest.substr(point + 1);
    for (size_t i = 0; i < 2; ++i)
        digits += i < decimals.size() ? decimals[i] : '0';
    if (decimals.size() > 2 && decimals[2] >= '5')
        IncrementDigits(digits);
    const bool showsZero = digits.find_first_not_of('0') == std::string::npos;
    std::string result = Value < 0 && !showsZero ? "-" : "";
    result.append(digits, 0, digits.size() - 2);
    result += DecimalSeparator;
    result.append(digits, digits.size() - 2, 2);
    return result;
}

TrmFloatSpinEdit::TrmFloatSpinEdit()
{
    SetText("0");
}

double TrmFloatSpinEdit::GetValue()
{
    return StrToFloat(Text(), platform::CurrentLocaleFormats().DecimalSeparator);
}

void TrmFloatSpinEdit::SetValue(double NewValue)
{
    const double value = CheckValue(NewValue);
    if (!std::isfinite(value))
        throw ERangeError("The value is not a finite number");
    SetText(FormatTwoDecimals(value, platform::CurrentLocaleFormats().DecimalSeparator));
}

bool TrmFloatSpinEdit::IsValidChar(char32_t& Key)
{
    const char32_t signsAndSeparator[] = {U'+', U'-', char32_t(uint8_t(platform::CurrentLocaleFormats().DecimalSeparator)), 0};
    return IsValidNumberChar(Key, signsAndSeparator);
}

void TrmFloatSpinEdit::StepBy(double Step)
{
    const double stepped = Value() + Step;
    if (!std::isfinite(stepped)) {
        platform::Beep();
        return;
    }
    SetValue(stepped);
    SelectAll();
}

void TrmFloatSpinEdit::IncValue()
{
    StepBy(FIncrement);
}

void TrmFloatSpinEdit::DecValue()
{
    StepBy(-FIncrement);
}
