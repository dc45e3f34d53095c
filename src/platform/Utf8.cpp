#include "platform/Utf8.h"

#include <cstdint>

namespace platform {

// Lead byte        continuation bytes   code points
// 0xxxxxxx         0                    U+0000..U+007F
// 110xxxxx (C2-DF) 1                    U+0080..U+07FF
// 1110xxxx (E0-EF) 2                    U+0800..U+FFFF (without D800..DFFF)
// 11110xxx (F0-F4) 3                    U+10000..U+10FFFF
// Each continuation byte is 10xxxxxx.
std::u32string Utf8ToCodePoints(std::string_view utf8)
{
    static constexpr char32_t kLowestOfLength[4] = {0, 0x80, 0x800, 0x10000};
    std::u32string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const uint8_t lead = uint8_t(utf8[i]);
        if (lead < 0x80) {
            out += char32_t(lead);
            ++i;
            continue;
        }
        const size_t extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : 0;
        char32_t cp = lead & (0x3F >> extra);
        size_t k = 1;
        for (; extra && k <= extra && i + k < utf8.size() && (uint8_t(utf8[i + k]) & 0xC0) == 0x80; ++k)
            cp = (cp << 6) | (uint8_t(utf8[i + k]) & 0x3F);
        const bool whole = extra != 0 && k == extra + 1;
        const bool valid = whole && cp >= kLowestOfLength[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        out += valid ? cp : kReplacementCharacter;
        i += k;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacementCharacter;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string CodePointsToUtf8(std::u32string_view codePoints)
{
    std::string out;
    out.reserve(codePoints.size());
    for (char32_t cp : codePoints)
        AppendUtf8(out, cp);
    return out;
}

} // namespace platform
