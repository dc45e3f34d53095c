#include "model/PieceShading.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/Blend32.h"

namespace {

// The pixel at (x, y), 0 outside the bitmap whatever its outer colour.
inline TColor32 At(const TBitmap32& bitmap, int x, int y)
{
    return x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height() ? bitmap.GetPixel(x, y) : 0;
}

inline TColor32 Lighter2(TColor32 color) { return Lighter(Lighter(color)); }
inline TColor32 Darker2(TColor32 color) { return Darker(Darker(color)); }

// Applies `change` to every shape pixel; a result of 0 keeps the old pixel.
template <typename Change>
int ChangeShapePixels(TBitmap32& bitmap, Change change)
{
    if (bitmap.Empty())
        return 0;
    int count = 0;
    TColor32* pixel = bitmap.Bits();
    for (size_t i = 0, n = size_t(bitmap.Width()) * size_t(bitmap.Height()); i < n; ++i) {
        if (pixel[i] == 0)
            continue;
        ++count;
        if (const TColor32 changed = change(pixel[i]))
            pixel[i] = changed;
    }
    return count;
}

} // namespace

int FillNonZeroPixels(TBitmap32* bitmap, TColor32 color)
{
    if (!bitmap || bitmap->Empty())
        return 0;
    // Without branches, so that the loop runs on vectors: a 0 pixel stays 0,
    // and a 0 colour leaves every pixel as it is. A block without shape pixels
    // is not written, so that the untouched memory of a sparse mask (a new
    // bitmap's) stays untouched.
    constexpr size_t kBlock = 256;
    TColor32* const bits = bitmap->Bits();
    const TColor32 keep = color ? 0 : 0xFFFFFFFFu;
    size_t count = 0;
    for (size_t start = 0, n = size_t(bitmap->Width()) * size_t(bitmap->Height()); start < n; start += kBlock) {
        TColor32* const pixel = bits + start;
        const size_t length = std::min(kBlock, n - start);
        TColor32 any = 0;
        for (size_t i = 0; i < length; ++i)
            any |= pixel[i];
        if (any == 0)
            continue;
        for (size_t i = 0; i < length; ++i) {
            const TColor32 inShape = pixel[i] ? 0xFFFFFFFFu : 0;
            count += inShape & 1;
            pixel[i] = ((color | (pixel[i] & keep)) & inShape);
        }
    }
    return int(count);
}

int FillNonZeroPixelsBevel(TBitmap32* bitmap, TColor32 color)
{
    const int count = FillNonZeroPixels(bitmap, color);
    if (bitmap)
        Bevel(*bitmap);
    return count;
}

void ReplaceColor(TBitmap32& bitmap, TColor32 from, TColor32 to)
{
    if (bitmap.Empty())
        return;
    TColor32* pixel = bitmap.Bits();
    for (size_t i = 0, n = size_t(bitmap.Width()) * size_t(bitmap.Height()); i < n; ++i)
        if (pixel[i] == from)
            pixel[i] = to;
}

TColor32 AdjustColor(TColor32 color, int percent)
{
    return Lighten(color, percent * 128 / 100);
}

void LightenPixels(TBitmap32& bitmap)
{
    ChangeShapePixels(bitmap, Lighter);
}

void DarkenPixels(TBitmap32& bitmap)
{
    ChangeShapePixels(bitmap, Darker);
}

TRect RectFromWords(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom)
{
    return {left, top, right, bottom};
}

void SetPixelIfSet(const TBitmap32& source, TBitmap32& target, int x, int y, TColor32 color)
{
    if (At(source, x, y) != 0)
        target.SetPixelS(x, y, color);
}

void BevelLightPixel(const TBitmap32& B, TBitmap32& L, int x, int y)
{
    if (At(B, x, y - 1) == 0) { // upper edge
        SetPixelIfSet(B, L, x, y, Lighter2(At(B, x, y)));
        SetPixelIfSet(B, L, x, y + 1, Lighter(At(B, x, y)));
    }
    if (At(B, x - 1, y) == 0) { // left edge
        SetPixelIfSet(B, L, x, y, Lighter2(At(B, x, y)));
        SetPixelIfSet(B, L, x + 1, y, Lighter(At(B, x + 1, y)));
    }
    if (At(B, x - 1, y - 1) == 0) { // upper-left corner
        SetPixelIfSet(B, L, x, y, Lighter2(At(B, x, y)));
        SetPixelIfSet(B, L, x + 1, y, Lighter(At(B, x + 1, y)));
        SetPixelIfSet(B, L, x, y + 1, Lighter(At(B, x, y + 1)));
    }
}

void BevelDarkPixel(const TBitmap32& B, TBitmap32& D, int x, int y)
{
    if (At(B, x, y + 1) == 0) { // lower edge
        SetPixelIfSet(B, D, x, y, Darker2(At(B, x, y)));
        if (At(B, x + 1, y) && At(B, x + 1, y - 1))
            SetPixelIfSet(B, D, x, y - 1, Darker(At(B, x, y - 1)));
    }
    if (At(B, x + 1, y) == 0) { // right edge
        SetPixelIfSet(B, D, x, y, Darker2(At(B, x, y)));
        if (At(B, x, y + 1) && At(B, x - 1, y + 1))
            SetPixelIfSet(B, D, x - 1, y, Darker(At(B, x - 1, y)));
    }
    if (At(B, x + 1, y + 1) == 0) { // lower-right corner
        SetPixelIfSet(B, D, x, y, Darker2(At(B, x, y)));
        if (At(B, x + 1, y) && At(B, x, y + 1)) {
            SetPixelIfSet(B, D, x - 1, y, Darker(At(B, x - 1, y)));
            SetPixelIfSet(B, D, x, y - 1, Darker(At(B, x, y - 1)));
        }
    }
}

// The bevel as drawing it would make it: every shape pixel visited in
// anti-diagonal order (from the top-left corner, x rising along a diagonal),
// BevelLightPixel and BevelDarkPixel writing into a light and a dark layer
// where a later write replaces an earlier one, then the light layer blended
// onto the shape and the dark one over that. Worked out per pixel p = (x, y)
// instead, one row at a time, from the shape around it (rows y - 2 to y + 2):
//   light: written by the visits of (x - 1, y), (x, y - 1) and p, in that
//          order; the last that writes gives the value.
//   dark:  written by the visit of p, then by those of (x, y + 1) and
//          (x + 1, y), which both write Darker(p).
// Only the colour of the row above is needed besides p's own, and the shape
// itself never changes (no shape pixel becomes 0), so the rows are rewritten
// in place with a copy of the row above kept.
void Bevel(TBitmap32& bitmap)
{
    if (bitmap.Empty())
        return;
    const int W = bitmap.Width(), H = bitmap.Height();
    // Shape flags of five rows, two columns of zeros on either side.
    const size_t stride = size_t(W) + 4;
    std::vector<uint8_t> flags(5 * stride, 0);
    uint8_t* rows[5]; // rows y - 2 .. y + 2
    for (int k = 0; k < 5; ++k)
        rows[k] = flags.data() + size_t(k) * stride + 2;
    auto readFlags = [&](uint8_t* row, int y) {
        if (y >= H) {
            std::fill(row, row + W, uint8_t(0));
            return;
        }
        const TColor32* pixel = bitmap.ScanLine(y);
        for (int x = 0; x < W; ++x)
            row[x] = pixel[x] != 0;
    };
    for (int k = 2; k < 5; ++k)
        readFlags(rows[k], k - 2);
    std::vector<TColor32> above(size_t(W), 0), original(size_t(W), 0);
    // Shape pixels of the row that are on or near an edge; 8 zeros past the end
    // end the word scan below. A pixel whose neighbours read below are all in
    // the shape gets neither light nor dark, which is most of a large shape.
    std::vector<uint8_t> edge(size_t(W) + 8, 0);

    for (int y = 0; y < H; ++y) {
        // s(dx, dy): is the pixel (x + dx, y + dy) in the shape.
        TColor32* pixel = bitmap.ScanLine(y);
        std::copy(pixel, pixel + W, original.begin());
        {
            const uint8_t *u2 = rows[0], *u = rows[1], *a = rows[2], *d = rows[3], *d2 = rows[4];
            for (int x = 0; x < W; ++x)
                edge[size_t(x)] = a[x] & ~(a[x - 2] & a[x - 1] & a[x + 1] & a[x + 2] & u[x - 2] & u[x - 1] & u[x] &
                                           u2[x - 1] & u2[x] & d[x] & d[x + 1] & d[x + 2] & d2[x] & d2[x + 1]);
        }
        for (int x = 0; x < W; ++x) {
            uint64_t word;
            std::memcpy(&word, &edge[size_t(x)], sizeof(word));
            if (word == 0) {
                x += 7;
                continue;
            }
            if (!edge[size_t(x)])
                continue;
            const uint8_t* const up2 = rows[0] + x;
            const uint8_t* const up = rows[1] + x;
            const uint8_t* const at = rows[2] + x;
            const uint8_t* const down = rows[3] + x;
            const uint8_t* const down2 = rows[4] + x;
            const TColor32 color = original[size_t(x)];
            TColor32 light = 0;
            if (at[-1] && (!at[-2] || !up[-2])) // (x - 1, y): left edge or upper-left corner
                light = Lighter(color);
            if (up[0]) { // (x, y - 1): upper-left corner, else upper edge
                if (!up2[-1])
                    light = Lighter(color);
                else if (!up2[0])
                    light = Lighter(above[size_t(x)]);
            }
            if (!up[0] || !at[-1] || !up[-1]) // p: upper edge, left edge or upper-left corner
                light = Lighter2(color);

            TColor32 dark = 0;
            if (!down[0] || !at[1] || !down[1]) // p: lower edge, right edge or lower-right corner
                dark = Darker2(color);
            const bool belowWrites = down[0] && down[1] && ((!down2[0] && at[1]) || (!down2[1] && down2[0]));
            const bool rightWrites = at[1] && down[1] && ((!at[2] && down[0]) || (!down[2] && at[2]));
            if (belowWrites || rightWrites)
                dark = Darker(color);

            if ((light | dark) == 0)
                continue;
            TColor32 blended = color;
            BlendMem(light, blended);
            BlendMem(dark, blended);
            if (blended)
                pixel[x] = blended;
        }
        above.swap(original);
        std::rotate(rows, rows + 1, rows + 5);
        readFlags(rows[4], y + 3);
    }
    EMMS();
}
