#pragma once
// Checks a painted picture at chosen points against the colours expected there.
#include "platform/PixelCanvas.h"

#include <gtest/gtest.h>

#include <initializer_list>

struct ExpectedPixel {
    int32_t x, y;
    uint32_t color; // 0x00RRGGBB
};

inline void ExpectPixels(const PixelCanvas& canvas, std::initializer_list<ExpectedPixel> pixels)
{
    for (const ExpectedPixel& p : pixels)
        EXPECT_EQ(canvas.At(p.x, p.y), p.color) << "at " << p.x << ", " << p.y;
}
