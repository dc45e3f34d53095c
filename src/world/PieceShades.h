#pragma once
// The shades of a province piece's bevel, worked out from its mask without
// painting: which pixels the world view's bevel leaves in the base colour and
// which it lightens or darkens once or twice. The export needs only this
// classification, for every province piece of the world; painting each piece
// in 32-bit colour and reading the colours back costs many times more. The
// rules below are worked out on 64 pixels at once from the mask's bit rows.
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

#include "world/MaskBits.h"

// A pixel's shade; the values are the shade codes of the world blocks.
enum PieceShade : uint8_t {
    kShadeBase = 0,
    kShadeLightTwice = 1,
    kShadeLightOnce = 2,
    kShadeDarkOnce = 3,
    kShadeDarkTwice = 4,
};

// The shades of the 64 pixels of one word of a mask row, as bit planes: bit j
// of each plane is pixel j of the word. Outside the piece every plane is 0.
struct ShadeWord {
    uint64_t inside;
    uint64_t code[3]; // bits 0, 1 and 2 of the pixel's PieceShade
};

// The shades of word i (0 <= i < Words()) of mask row y (0 <= y < Height()).
inline ShadeWord ShadeWordAt(const CMaskBits& bits, int y, int i)
{
    const uint64_t* a = bits.Row(y - 2);
    const uint64_t* b = bits.Row(y - 1);
    const uint64_t* c = bits.Row(y);
    const uint64_t* d = bits.Row(y + 1);
    const uint64_t* e = bits.Row(y + 2);
    // M(x + n, row) and M(x - n, row) for the word's 64 pixels x at once.
    const auto right = [i](const uint64_t* row, int n) { return row[i] >> n | row[i + 1] << (64 - n); };
    const auto left = [i](const uint64_t* row, int n) { return row[i] << n | row[i - 1] >> (64 - n); };

    const uint64_t c1 = right(c, 1), c2 = right(c, 2), d1 = right(d, 1), d2 = right(d, 2), e1 = right(e, 1);
    const uint64_t darkOnce = (d[i] & ((~e[i] & d1 & c1) | (~e1 & d1 & e[i]))) | (c1 & ((~c2 & d1 & d[i]) | (~d2 & c2 & d1)));
    const uint64_t darkTwice = ~(d[i] & c1 & d1);
    const uint64_t lightTwice = ~(b[i] & left(c, 1) & left(b, 1));
    const uint64_t lightOnce = (b[i] & ~(a[i] & left(a, 1))) | (left(c, 1) & ~(left(c, 2) & left(b, 2)));

    // The first rule that applies wins: dark once, dark twice, light twice, light once.
    const uint64_t inside = c[i];
    const uint64_t isDarkTwice = darkTwice & ~darkOnce;
    const uint64_t isLightTwice = lightTwice & ~darkTwice & ~darkOnce;
    const uint64_t isLightOnce = lightOnce & ~lightTwice & ~darkTwice & ~darkOnce;
    // Codes: dark once 011, dark twice 100, light twice 001, light once 010.
    return {inside, {inside & (darkOnce | isLightTwice), inside & (darkOnce | isLightOnce), inside & isDarkTwice}};
}
