#pragma once
// Integer points, sizes and rectangles of the windowing layer. A rectangle is
// half-open: it covers Left <= x < Right and Top <= y < Bottom.
#include <algorithm>
#include <cstdint>

namespace platform {

struct Point {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int32_t x, int32_t y) const { return Left <= x && x < Right && Top <= y && y < Bottom; }
    Rect Offset(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    // The overlap of two rectangles; an empty rectangle at (0, 0) when they do not overlap.
    Rect Intersect(const Rect& other) const
    {
        Rect r{std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
               std::min(Bottom, other.Bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace platform
