#include "platform/SystemColors.h"

#include <array>
#include <cstddef>

namespace platform {

uint32_t SystemColor(int index)
{
    // Index: scroll bar, background, active caption, inactive caption, menu, window,
    // window frame, menu text, window text, caption text, active border, inactive border,
    // app workspace, highlight, highlight text, button face, button shadow, grey text,
    // button text, inactive caption text, button highlight, 3-D dark shadow, 3-D light,
    // info text, info background, (unused), hot light, gradient active caption, gradient
    // inactive caption, menu highlight, menu bar.
    static constexpr std::array<uint32_t, 31> kColors = {
        0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
        0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
        0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
        0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};
    return index >= 0 && index < int(kColors.size()) ? kColors[size_t(index)] : 0;
}

} // namespace platform
