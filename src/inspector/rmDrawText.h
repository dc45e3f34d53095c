#pragma once
// Text laid out in a rectangle on a canvas, with the classic draw-text flags the
// controls pass around: alignment, one line or word-wrapped lines, ampersand prefixes,
// and measuring instead of drawing.
#include "platform/Canvas.h"

#include <cstdint>
#include <string_view>

namespace dt {
constexpr uint32_t Left = 0x0000;
constexpr uint32_t Center = 0x0001;
constexpr uint32_t Right = 0x0002;
constexpr uint32_t VCenter = 0x0004; // with SingleLine only
constexpr uint32_t Bottom = 0x0008;  // with SingleLine only
constexpr uint32_t WordBreak = 0x0010;
constexpr uint32_t SingleLine = 0x0020;
constexpr uint32_t CalcRect = 0x0400; // measure only: Rect's right and bottom take the text's extent
constexpr uint32_t NoPrefix = 0x0800; // "&" is an ordinary character
constexpr uint32_t RtlReading = 0x20000; // each line reads right to left, from its right end
} // namespace dt

namespace platform {
class Control;
}

// Flags with the control's reading order added: right-to-left reading, and with
// right-to-left alignment a left-aligned text right-aligned (and a right-aligned one left).
uint32_t DrawTextBiDiModeFlags(const platform::Control& Control, uint32_t Flags);

// Draws Text in Rect with Font and returns the height of the text. Without NoPrefix a
// single "&" is dropped and "&&" shows one "&". Lines end at line breaks (unless
// SingleLine) and, with WordBreak, at the last blank that lets them fit the width.
int32_t DrawTextInRect(platform::Canvas& Canvas, std::string_view Text, platform::Rect& Rect, uint32_t Flags,
                       const platform::FontSpec& Font);

// Whether Key is the accelerator of Caption: the character after its first single "&",
// compared without regard to ASCII case.
bool IsAccel(char32_t Key, std::string_view Caption);
