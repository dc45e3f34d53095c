#pragma once
// The desktop's system colours (button face, window text and the like) by index, as
// 0x00BBGGRR values. This platform has no desktop theme to ask, so the classic defaults
// serve.
#include <cstdint>

namespace platform {

// The colour of system-colour index `index` (0..30); black for an unknown index.
uint32_t SystemColor(int index);

} // namespace platform
