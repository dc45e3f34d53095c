#pragma once
// Small helpers shared by the graphics tests.
#include "graphics/Bitmap32.h"

#include <exception>
#include <random>
#include <string>
#include <vector>

namespace graphicstest {

// The message of what f raises, or "(nothing raised)".
template <typename F>
std::string MessageOf(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

inline std::vector<TColor32> PixelsOf(const TBitmap32& bitmap)
{
    return std::vector<TColor32>(bitmap.Bits(), bitmap.Bits() + size_t(bitmap.Width()) * size_t(bitmap.Height()));
}

// Every pixel random, from a fixed seed.
inline void FillRandom(TBitmap32& bitmap, unsigned seed)
{
    std::mt19937 random(seed);
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, random());
}

} // namespace graphicstest
