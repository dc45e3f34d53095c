#pragma once
// The shades of a province piece's bevel, worked out from its mask without
// painting: which pixels the world view's bevel leaves in the base colour and
// which it lightens or darkens once or twice. The export needs only this
// classification, for every province piece of the world; painting each piece
// in 32-bit colour and reading the colours back costs many times more.
//
// For a mask M (a pixel is in the piece when it is not 0; outside the mask
// counts as 0) the bevel of one opaque colour gives, for a pixel p = (x, y) of
// the piece, the first that applies of:
//   dark once    a neighbour to the right or below writes its one-step band
//                onto p (it is visited after p, so its write wins):
//                  M(x, y+1) and (   (!M(x, y+2)   and M(x+1, y+1) and M(x+1, y))
//                                 or (!M(x+1, y+2) and M(x+1, y+1) and M(x, y+2)))
//                  M(x+1, y) and (   (!M(x+2, y)   and M(x+1, y+1) and M(x, y+1))
//                                 or (!M(x+2, y+1) and M(x+2, y)   and M(x+1, y+1)))
//   dark twice   p is a lower, right or lower-right edge:
//                  !M(x, y+1) or !M(x+1, y) or !M(x+1, y+1)
//   light twice  p is an upper, left or upper-left edge:
//                  !M(x, y-1) or !M(x-1, y) or !M(x-1, y-1)
//   light once   the pixel above is an upper or upper-left edge, or the pixel to
//                the left is a left or upper-left edge:
//                  (M(x, y-1) and (!M(x, y-2) or !M(x-1, y-2)))
//                  or (M(x-1, y) and (!M(x-2, y) or !M(x-2, y-1)))
//   base         otherwise.
// The dark layer is blended over the light one, which is why a dark shade wins.
#include <cstdint>
#include <vector>

#include "graphics/Bitmap32.h"

// A pixel's shade; the values are the shade codes of the world blocks.
enum PieceShade : uint8_t {
    kShadeBase = 0,
    kShadeLightTwice = 1,
    kShadeLightOnce = 2,
    kShadeDarkOnce = 3,
    kShadeDarkTwice = 4,
    kShadeOutside = 0xFF, // not a pixel of the piece
};

// Shades of a mask, row by row. Rows are asked for in increasing order (rows
// may be skipped); each is worked out from the five mask rows around it.
class CPieceShades {
public:
    explicit CPieceShades(const TBitmap32& mask);

    // The shades of mask row y (0 <= y < height): width entries, valid until the next call.
    const uint8_t* Row(int y);

private:
    static constexpr int kPad = 2;      // columns of zeros on each side of a row
    static constexpr int kWindow = 5;   // rows y-2 .. y+2

    // The 0/1 row of mask row r, loaded into its slot of the window when needed.
    const uint8_t* PresenceRow(int r);

    const TBitmap32& mask_;
    int width_;
    int height_;
    std::vector<uint8_t> window_;  // kWindow rows of width + 2 * kPad bytes
    int windowRows_[kWindow];      // mask row held by each slot
    std::vector<uint8_t> shades_;
};
