#pragma once
// Rounding of the bars' and the view's geometry.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// Nearest integer with halves to even (0.5 -> 0, 1.5 -> 2), limited to the int32 range.
inline int32_t RoundEven(double value)
{
    value = std::nearbyint(value);
    return int32_t(std::clamp(value, double(std::numeric_limits<int32_t>::min()),
                              double(std::numeric_limits<int32_t>::max())));
}
