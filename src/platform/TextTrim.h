#pragma once
// Trimming as typed text is trimmed: spaces and control characters at both ends go.
#include <string_view>

namespace platform {

inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace platform
