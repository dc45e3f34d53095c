#pragma once
// Conversion between the single-byte Windows-1252 texts the program stores and
// UTF-8. Every one of the 256 bytes round-trips: the five bytes that
// Windows-1252 leaves unassigned map to the C1 control characters of the same value.
#include <string>
#include <string_view>

namespace platform {

// Characters that Windows-1252 cannot hold, and malformed UTF-8 sequences,
// become '?'.
std::string Utf8ToWindows1252(std::string_view utf8);

std::string Windows1252ToUtf8(std::string_view text);

} // namespace platform
