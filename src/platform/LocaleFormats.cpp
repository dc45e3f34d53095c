#include "platform/LocaleFormats.h"

#include <cctype>
#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace platform {
namespace {

// The first literal character between the fields of a strftime time format ("%H:%M:%S"
// gives ':'), or 0 when there is no usable one ("%T", "%r").
char SeparatorIn(const char* format)
{
    for (const char* c = format; *c != 0; ++c) {
        if (*c == '%') {
            if (c[1] == 'E' || c[1] == 'O')
                ++c; // alternative-form modifier before the field letter
            if (c[1] == 0)
                break;
            ++c;
        } else if (*c != ' ') {
            // A letter or digit would read as part of a field.
            return std::isalnum(static_cast<unsigned char>(*c)) ? 0 : *c;
        }
    }
    return 0;
}

} // namespace

LocaleFormats CurrentLocaleFormats()
{
    LocaleFormats formats;
    // Only single-byte separators fit the edits' one-character places.
    const char* point = std::localeconv()->decimal_point;
    if (point != nullptr && std::strlen(point) == 1)
        formats.DecimalSeparator = point[0];
    for (const nl_item item : {T_FMT, T_FMT_AMPM}) {
        const char separator = SeparatorIn(nl_langinfo(item));
        if (separator != 0) {
            formats.TimeSeparator = separator;
            break;
        }
    }
    const char* am = nl_langinfo(AM_STR);
    const char* pm = nl_langinfo(PM_STR);
    if (*am != 0 && *pm != 0) {
        formats.TimeAMString = am;
        formats.TimePMString = pm;
    }
    return formats;
}

} // namespace platform
