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
#include <vector>

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

    // What one pass tells: the side of the largest free square (0 when no pixel
    // is free) and, for every side up to a limit, where Find would find it.
    class TSurvey {
    public:
        int Largest() const { return largest_; }
        // Find(side) for a side up to the survey's limit; (-1, -1) beyond it.
        TPoint FirstSquare(int side) const
        {
            return side >= 1 && side <= int(firstCorners_.size()) ? firstCorners_[size_t(side) - 1] : TPoint{-1, -1};
        }

    private:
        friend class CFreeSquareSearch;
        int largest_ = 0;
        std::vector<TPoint> firstCorners_; // side 1 first
    };
    // Sides above `maxSide` only count towards the largest.
    TSurvey Survey(int maxSide) const;
    // The top-left corner of the first free square of side `side` (rows first,
    // then columns), or (-1, -1). One pass that stops at the hit. A side below 1
    // finds nothing.
    TPoint Find(int side) const;

private:
    // Runs the table row by row; `visit` (y, the row's cells, the largest of
    // them) returns true to stop.
    template <typename Visit>
    void Walk(Visit visit) const;

    const TBitmap32& mask_;
    ReservedPixels reserved_;
    TRect blocked_;
};
