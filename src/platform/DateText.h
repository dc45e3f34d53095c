#pragma once
// Dates as the program shows them in text: the short date format "mm/dd/yyyy" (month,
// day and four-digit year, separated by "/").
#include "platform/DateTime.h"

#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kShortDateFormat = "mm/dd/yyyy";

// The whole day of `date` in the short date format.
std::string DateToStr(TDateTime date);
// A date in the short date format; single-digit months and days and blanks around the
// text are accepted. Raises EConvertError "'<text>' is not a valid date" otherwise.
TDateTime StrToDate(std::string_view text);
// The same without raising: false for a text that is not such a date.
bool TryStrToDate(std::string_view text, TDateTime& date);

} // namespace platform
