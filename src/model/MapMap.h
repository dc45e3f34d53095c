#pragma once
// A grid of 32-bit cells, one per pixel of the world image, stored row by row.
// Reading outside the grid (or from a grid never sized) gives the default value;
// writing outside is ignored.
#include <cstddef>
#include <cstdint>
#include <memory>

class CMapMap {
public:
    explicit CMapMap(uint32_t defaultValue = 0xFFFFFFFFu) : default_(defaultValue) {}

    // Reallocates to `width` × `height` cells, each set to the default. Returns
    // false, leaving the grid empty, for a negative size or when memory runs out.
    bool SetSize(int width, int height);
    // The same size change for a caller that writes every cell next: cells are
    // not reset to the default (a grid of the same cell count is not touched).
    bool Reshape(int width, int height);
    void Free();

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    uint32_t GetDefault() const { return default_; }

    uint32_t GetAt(int x, int y) const { return Contains(x, y) ? cells_[Index(x, y)] : default_; }
    void SetAt(int x, int y, uint32_t value)
    {
        if (Contains(x, y))
            cells_[Index(x, y)] = value;
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Row-major cells for loops that visit every cell; null when empty.
    uint32_t* GetData() { return cellCount_ ? cells_.get() : nullptr; }
    const uint32_t* GetData() const { return cellCount_ ? cells_.get() : nullptr; }

private:
    size_t Index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }

    std::unique_ptr<uint32_t[]> cells_; // not value-initialised: Reshape leaves the writing to its caller
    size_t cellCount_ = 0;
    int width_ = 0;
    int height_ = 0;
    uint32_t default_;
};
