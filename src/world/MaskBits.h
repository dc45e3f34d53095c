#pragma once
// A piece's mask as rows of bits laid on the world's 128-pixel block grid, so
// that the export can test, shade and paint 64 pixels with one word operation
// and find a block's part of a row at a fixed word.
//
// Layout of one row (Stride() words):
//   word -1                  0 (padding: the pixels left of the mask)
//   words 0 .. Words() - 1   bit j of word i is world column X0() + 64 * i + j;
//                            1 where the mask pixel is not 0
//   word Words()             0 (padding)
// Rows -2 .. -1 and Height() .. Height() + 1 are all zero, so that a pixel's
// neighbours up to two rows and columns away can be read without checks.
// X0() is a multiple of 128 at or left of the mask's first column: words 2c and
// 2c + 1 counted from X0() / 64 hold one block column.
#include <cstdint>
#include <vector>

#include "graphics/Bitmap32.h"

class CMaskBits {
public:
    static constexpr int kAlign = 128;

    // Reads `mask`, whose column 0 lies at world column `left`. The storage is
    // kept for the next Load.
    void Load(const TBitmap32& mask, int left);

    int X0() const { return x0_; }
    int Words() const { return words_; }
    int Height() const { return height_; }
    // Row y of the mask, -2 <= y < Height() + 2; words -1 .. Words() may be read.
    const uint64_t* Row(int y) const
    {
        return bits_.data() + size_t(y + kPadRows) * size_t(Stride()) + 1;
    }

private:
    static constexpr int kPadRows = 2;

    int Stride() const { return words_ + 2; }

    int x0_ = 0;
    int words_ = 0;
    int height_ = 0;
    std::vector<uint64_t> bits_;
};

// Floor of a / b for b > 0, also for negative a.
constexpr int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
