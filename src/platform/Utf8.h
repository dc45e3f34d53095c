#pragma once
// UTF-8 text as code points and back: the controls edit text one character at a time
// and keep it as UTF-8 like every other text they show.
#include <string>
#include <string_view>

namespace platform {

// A malformed sequence (a stray continuation byte, a cut-off or over-long sequence, a
// surrogate, a value above U+10FFFF) becomes one U+FFFD for its lead byte and the
// continuation bytes that came with it.
std::u32string Utf8ToCodePoints(std::string_view utf8);

void AppendUtf8(std::string& out, char32_t codePoint);
std::string CodePointsToUtf8(std::u32string_view codePoints);

constexpr char32_t kReplacementCharacter = 0xFFFD;

} // namespace platform
