#pragma once
// A canvas over a picture in memory that draws what the shapes cover, clip included,
// so tests can look at the pixels a control paints. Colours are 0x00RRGGBB.
#include "platform/Canvas.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <vector>

class PixelCanvas : public platform::NullCanvas {
public:
    PixelCanvas(int32_t width, int32_t height, uint32_t background = 0x123456)
        : width_(width), height_(height), pixels_(size_t(width * height), background), clip_{0, 0, width, height}
    {
    }

    uint32_t At(int32_t x, int32_t y) const
    {
        assert(x >= 0 && y >= 0 && x < width_ && y < height_);
        return pixels_[size_t(y * width_ + x)];
    }

    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override
    {
        for (int32_t row = 0; row < height; ++row)
            for (int32_t col = 0; col < width; ++col)
                Put(x + col, y + row, pixels[row * rowPixels + col]);
    }
    void FillRect(const platform::Rect& rect, platform::CanvasColor color) override
    {
        for (int32_t y = rect.Top; y < rect.Bottom; ++y)
            for (int32_t x = rect.Left; x < rect.Right; ++x)
                Put(x, y, color);
    }
    void FrameRect(const platform::Rect& rect, platform::CanvasColor color) override
    {
        if (rect.IsEmpty())
            return;
        Line(rect.Left, rect.Top, rect.Right - 1, rect.Top, color);
        Line(rect.Left, rect.Bottom - 1, rect.Right - 1, rect.Bottom - 1, color);
        Line(rect.Left, rect.Top, rect.Left, rect.Bottom - 1, color);
        Line(rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom - 1, color);
    }
    // Horizontal, vertical and 45-degree lines, both ends included.
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, platform::CanvasColor color) override
    {
        const int32_t dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
        const int32_t steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
        assert(x1 == x2 || y1 == y2 || std::abs(x2 - x1) == std::abs(y2 - y1));
        for (int32_t i = 0; i <= steps; ++i)
            Put(x1 + i * dx, y1 + i * dy, color);
    }
    void SetClipRect(const platform::Rect& rect) override { clip_ = rect.Intersect({0, 0, width_, height_}); }
    void RemoveClip() override { clip_ = {0, 0, width_, height_}; }

private:
    void Put(int32_t x, int32_t y, uint32_t color)
    {
        if (clip_.Contains(x, y))
            pixels_[size_t(y * width_ + x)] = color & 0xFFFFFF;
    }

    int32_t width_, height_;
    std::vector<uint32_t> pixels_;
    platform::Rect clip_;
};
