#pragma once
// Free squares of a piece's mask: squares whose pixels all belong to the piece.
//
// The search keeps a largest-free-square table one row at a time: cell (x, y)
// holds the side of the largest free square whose bottom-right pixel is (x, y),
// 1 + the smallest of its upper, left and upper-left cells (0 on a blocked pixel).
// A square of side s with top-left (x, y) is free exactly when the cell at
// (x + s - 1, y + s - 1) holds at least s, so walking the cells row by row visits
// the candidate squares in the order of their top-left corners, rows first: the
// first hit is the square a pixel-by-pixel scan in that order would find.
#include "graphics/Bitmap32.h"

class CFreeSquareSearch {
public:
    enum ReservedPixels {
        kReservedBlocks, // the reserved value (icon marks) is not free
        kReservedIsFree, // marks of an earlier placement are ignored
    };

    // `blocked` (right and bottom exclusive, mask coordinates) is taken out of
    // the piece as well; the default blocks nothing. The mask must outlive the search.
    CFreeSquareSearch(const TBitmap32& mask, ReservedPixels reserved, const TRect& blocked = {});

    // The side of the largest free square, 0 when no pixel is free. One pass.
    int LargestSide() const;
    // The top-left corner of the first free square of side `side` (rows first,
    // then columns), or (-1, -1). One pass that stops at the hit. A side below 1
    // finds nothing.
    TPoint Find(int side) const;

private:
    bool IsFree(TColor32 pixel, int x, int y) const;
    // Runs the table row by row; `visit` (x, y, side) returns true to stop.
    template <typename Visit>
    void Walk(Visit visit) const;

    const TBitmap32& mask_;
    ReservedPixels reserved_;
    TRect blocked_;
};
