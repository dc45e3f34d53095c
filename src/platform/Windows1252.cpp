#include "platform/Windows1252.h"

#include "platform/Utf8.h"

#include <cstdint>
#include <utility>

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; every other byte is its own code point.
constexpr char32_t kHighControlBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of code point `cp`, or nothing when Windows-1252 has none.
std::optional<char> ExactByte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return char(cp);
    for (unsigned i = 0; i < 32; ++i)
        if (kHighControlBlock[i] == cp)
            return char(0x80 + i);
    return std::nullopt;
}

// The capitals of 0x80..0x9F and their small letters, as code points.
constexpr std::pair<char32_t, char32_t> kHighCasePairs[] = {
    {0x0160, 0x0161}, {0x0152, 0x0153}, {0x017D, 0x017E}, {0x0178, 0x00FF}};

char LowerByte(char c)
{
    const uint8_t byte = uint8_t(c);
    const char32_t cp = byte >= 0x80 && byte < 0xA0 ? kHighControlBlock[byte - 0x80] : char32_t(byte);
    return ExactByte(LowerCodePageChar(cp)).value_or(c);
}

} // namespace

std::string Utf8ToWindows1252(std::string_view utf8)
{
    const std::u32string codePoints = Utf8ToCodePoints(utf8);
    std::string out;
    out.reserve(codePoints.size());
    for (char32_t cp : codePoints)
        out += ExactByte(cp).value_or('?'); // U+FFFD of a malformed sequence becomes '?' too
    return out;
}

std::optional<std::string> ExactWindows1252(std::string_view utf8)
{
    std::string out;
    for (char32_t cp : Utf8ToCodePoints(utf8)) {
        const std::optional<char> byte = ExactByte(cp);
        if (!byte)
            return std::nullopt; // U+FFFD of a malformed sequence has no byte either
        out += *byte;
    }
    return out;
}

std::string LowerWindows1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = LowerByte(c);
    return out;
}

char32_t LowerCodePageChar(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    for (const auto& [upper, lower] : kHighCasePairs)
        if (c == upper)
            return lower;
    return c;
}

char32_t UpperCodePageChar(char32_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    for (const auto& [upper, lower] : kHighCasePairs)
        if (c == lower)
            return upper;
    return c;
}

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        uint8_t byte = uint8_t(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControlBlock[byte - 0x80] : char32_t(byte));
    }
    return out;
}

} // namespace platform
