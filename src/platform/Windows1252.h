#pragma once
// Conversion between the single-byte Windows-1252 texts the program stores and
// UTF-8. Every one of the 256 bytes round-trips: the five bytes that
// Windows-1252 leaves unassigned map to the C1 control characters of the same value.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Characters that Windows-1252 cannot hold, and malformed UTF-8 sequences,
// become '?'.
std::string Utf8ToWindows1252(std::string_view utf8);

std::string Windows1252ToUtf8(std::string_view text);

// The Windows-1252 form of `utf8`, or nothing when it holds a character that
// Windows-1252 cannot hold or is not well-formed UTF-8.
std::optional<std::string> ExactWindows1252(std::string_view utf8);

// Lower-cases Windows-1252 text by its code page: A..Z, the capitals C0..DE
// except the sign D7, and the four capitals of the 80..9F block (8A, 8C, 8E, 9F).
std::string LowerWindows1252(std::string_view text);

// One character's case partner by that same rule, both ways (ÿ and Ÿ included); a
// character without one, or one that Windows-1252 cannot hold, stays as it is.
char32_t LowerCodePageChar(char32_t c);
char32_t UpperCodePageChar(char32_t c);

} // namespace platform
