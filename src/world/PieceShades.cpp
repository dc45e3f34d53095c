#include "world/PieceShades.h"

#include <algorithm>
#include <cassert>

CPieceShades::CPieceShades(const TBitmap32& mask)
    : mask_(mask), width_(mask.Width()), height_(mask.Height()),
      window_(size_t(kWindow) * size_t(width_ + 2 * kPad)), shades_(size_t(width_))
{
    for (int& row : windowRows_)
        row = INT32_MIN;
}

const uint8_t* CPieceShades::PresenceRow(int r)
{
    const int slot = ((r % kWindow) + kWindow) % kWindow;
    uint8_t* presence = window_.data() + size_t(slot) * size_t(width_ + 2 * kPad);
    if (windowRows_[slot] != r) {
        windowRows_[slot] = r;
        // Zeros stay in the padding; rows above and below the mask are all zero.
        uint8_t* out = presence + kPad;
        const int width = width_;
        if (r < 0 || r >= height_) {
            std::fill(out, out + width, 0);
        } else {
            const TColor32* pixels = mask_.ScanLine(r);
            for (int x = 0; x < width; ++x)
                out[x] = pixels[x] != 0;
        }
    }
    return presence + kPad;
}

const uint8_t* CPieceShades::Row(int y)
{
    assert(y >= 0 && y < height_);
    const uint8_t* a = PresenceRow(y - 2);
    const uint8_t* b = PresenceRow(y - 1);
    const uint8_t* c = PresenceRow(y);
    const uint8_t* d = PresenceRow(y + 1);
    const uint8_t* e = PresenceRow(y + 2);
    uint8_t* out = shades_.data();
    const int width = width_;
    // Branch-free so that the compiler can work on many pixels at once; the
    // rules are those of the header, in the order dark once, dark twice, light
    // twice, light once, base.
    for (int x = 0; x < width; ++x) {
        const uint8_t darkOnce = (d[x] & (((e[x] ^ 1) & d[x + 1] & c[x + 1]) | ((e[x + 1] ^ 1) & d[x + 1] & e[x]))) |
                                 (c[x + 1] & (((c[x + 2] ^ 1) & d[x + 1] & d[x]) | ((d[x + 2] ^ 1) & c[x + 2] & d[x + 1])));
        const uint8_t darkTwice = (d[x] & c[x + 1] & d[x + 1]) ^ 1;
        const uint8_t lightTwice = (b[x] & c[x - 1] & b[x - 1]) ^ 1;
        const uint8_t lightOnce = (b[x] & ((a[x] & a[x - 1]) ^ 1)) | (c[x - 1] & ((c[x - 2] & b[x - 2]) ^ 1));
        uint8_t shade = lightOnce ? uint8_t(kShadeLightOnce) : uint8_t(kShadeBase);
        shade = lightTwice ? uint8_t(kShadeLightTwice) : shade;
        shade = darkTwice ? uint8_t(kShadeDarkTwice) : shade;
        shade = darkOnce ? uint8_t(kShadeDarkOnce) : shade;
        out[x] = c[x] ? shade : uint8_t(kShadeOutside);
    }
    return out;
}
