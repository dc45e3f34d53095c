#pragma once
// A grid of cells, one per pixel of the world image, stored row by row.
// Reading outside the grid (or from a grid never sized) gives the default value;
// writing outside is ignored.
#include <cstddef>
#include <cstdint>
#include <memory>

template <typename Cell>
class CGrid {
public:
    explicit CGrid(Cell defaultValue = Cell(~Cell(0))) : default_(defaultValue) {}

    // Reallocates to `width` × `height` cells, each set to the default. Returns
    // false, leaving the grid empty, for a negative size or when memory runs out.
    bool SetSize(int width, int height);
    // The same size change for a caller that writes every cell next: cells are
    // not reset to the default (a grid of the same cell count is not touched).
    bool Reshape(int width, int height);
    void Free();

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    Cell GetDefault() const { return default_; }

    Cell GetAt(int x, int y) const { return Contains(x, y) ? cells_[Index(x, y)] : default_; }
    void SetAt(int x, int y, Cell value)
    {
        if (Contains(x, y))
            cells_[Index(x, y)] = value;
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Row-major cells for loops that visit every cell; null when empty.
    Cell* GetData() { return cellCount_ ? cells_.get() : nullptr; }
    const Cell* GetData() const { return cellCount_ ? cells_.get() : nullptr; }

private:
    size_t Index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }

    std::unique_ptr<Cell[]> cells_; // not value-initialised: Reshape leaves the writing to its caller
    size_t cellCount_ = 0;
    int width_ = 0;
    int height_ = 0;
    Cell default_;
};

// 32-bit cells.
using CMapMap = CGrid<uint32_t>;
// The piece map: the index of the piece at every world pixel (pieces are
// fewer than 0xFFFF), in half the memory of 32-bit cells.
using CPieceMap = CGrid<uint16_t>;

extern template class CGrid<uint32_t>;
extern template class CGrid<uint16_t>;
