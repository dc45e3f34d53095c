#pragma once
// What the graphics tests share: the units most of them use, and small helpers.
#include "graphics/Bitmap32.h"
#include "graphics/Blend32.h"
#include "graphics/Transforms32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
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

// A bitmap of one colour.
struct Paper : TBitmap32 {
    Paper(int32_t width, int32_t height, TColor32 color)
    {
        SetSize(width, height);
        Clear(color);
    }
};

// The pixels at the given points, in order.
inline std::vector<TColor32> PixelsAt(const TBitmap32& bitmap, std::initializer_list<TPoint> points)
{
    std::vector<TColor32> pixels;
    for (const TPoint& p : points)
        pixels.push_back(bitmap.GetPixel(p.X, p.Y));
    return pixels;
}

// Every pixel random, from a fixed seed.
inline void FillRandom(TBitmap32& bitmap, unsigned seed)
{
    std::mt19937 random(seed);
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, random());
}

// The bitmap as rows of one character per pixel, CharOf(pixel), separated by '/'.
template <typename CharOf>
std::string RowPicture(const TBitmap32& bitmap, CharOf&& charOf)
{
    std::string picture;
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        if (y > 0)
            picture += '/';
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            picture += charOf(bitmap.GetPixel(x, y));
    }
    return picture;
}

} // namespace graphicstest
