#pragma once
// A view of 32-bit pixel rows owned by someone else (a bitmap, a window surface).
#include <cstdint>

namespace platform {

// `Pixels` points at the first pixel of the top row; rows are `RowPixels` pixels apart.
// Each pixel is a 32-bit word, in memory the bytes blue, green, red, alpha:
//   bits  31..24   23..16   15..8    7..0
//         [AAAAAAAA][RRRRRRRR][GGGGGGGG][BBBBBBBB]
template <typename Pixel>
struct BasicPixelView {
    Pixel* Pixels = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t RowPixels = 0;

    bool IsEmpty() const { return Pixels == nullptr || Width <= 0 || Height <= 0; }
    Pixel* Row(int32_t y) const { return Pixels + int64_t(y) * RowPixels; }
};

using PixelView = BasicPixelView<uint32_t>;
using ConstPixelView = BasicPixelView<const uint32_t>;

} // namespace platform
