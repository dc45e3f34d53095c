#pragma once
// The number and time formats of the user's locale: the process's C locale as the
// application set it up (the standard "C" locale until then). Where the locale gives
// nothing usable, the English forms stand in.
#include <string>

namespace platform {

struct LocaleFormats {
    char DecimalSeparator = '.';
    char TimeSeparator = ':';
    std::string TimeAMString = "AM"; // the morning marker of 12-hour times
    std::string TimePMString = "PM";
};

LocaleFormats CurrentLocaleFormats();

} // namespace platform
