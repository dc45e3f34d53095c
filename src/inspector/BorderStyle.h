#pragma once
// The border a control draws round itself: none, or a single line. One declaration for
// every control, so that any of them can be used together in one file.
#include <cstdint>

enum TBorderStyle : uint8_t { bsNone = 0, bsSingle = 1 };
using TFormBorderStyle = TBorderStyle;
