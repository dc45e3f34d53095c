#include "platform/DateText.h"

#include "platform/Exception.h"
#include "platform/AsciiText.h"

#include <charconv>

namespace platform {
namespace {

// One run of 1..maxDigits digits at the front of `text`, taken off it.
bool TakeNumber(std::string_view& text, size_t maxDigits, int32_t& value)
{
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > maxDigits)
        return false;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    return true;
}

bool TakeSeparator(std::string_view& text)
{
    if (text.empty() || text.front() != '/')
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::string DateToStr(TDateTime date)
{
    return FormatDate(kShortDateFormat, date);
}

bool TryStrToDate(std::string_view text, TDateTime& date)
{
    std::string_view rest = TrimBlanks(text);
    int32_t year = 0, month = 0, day = 0;
    return TakeNumber(rest, 2, month) && TakeSeparator(rest) && TakeNumber(rest, 2, day) && TakeSeparator(rest) &&
           TakeNumber(rest, 4, year) && rest.empty() && TryEncodeDate(year, month, day, date);
}

TDateTime StrToDate(std::string_view text)
{
    TDateTime date = 0;
    if (!TryStrToDate(text, date))
        throw EConvertError("'" + std::string(text) + "' is not a valid date");
    return date;
}

} // namespace platform
