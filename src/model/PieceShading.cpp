#include "model/PieceShading.h"

#include <algorithm>

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
    return bitmap ? ChangeShapePixels(*bitmap, [color](TColor32) { return color; }) : 0;
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

void Bevel(TBitmap32& bitmap)
{
    if (bitmap.Empty())
        return;
    const int W = bitmap.Width(), H = bitmap.Height();
    TBitmap32 light, dark;
    for (TBitmap32* layer : {&light, &dark}) {
        layer->SetSize(W, H);
        layer->Clear(0);
        layer->SetDrawMode(dmBlend);
    }
    // Later writes to a pixel of the light or dark bitmap replace earlier ones,
    // so this visiting order (anti-diagonals from the top-left corner, then from
    // the bottom row, the diagonal through (0, H) visited twice) decides where
    // edges meet.
    auto visit = [&](int x, int y) {
        if (At(bitmap, x, y) == 0)
            return;
        BevelLightPixel(bitmap, light, x, y);
        BevelDarkPixel(bitmap, dark, x, y);
    };
    // Positions outside the bitmap are skipped, so the loops stop where the
    // diagonals leave it.
    for (int d = 0; d <= H; ++d)
        for (int x = 0; x <= std::min(d, W - 1); ++x)
            visit(x, d - x);
    for (int s = 0; s <= W; ++s)
        for (int k = 0; k <= std::min(W - s, H); ++k) // H - k >= H - (W - s), and y = H - k >= 0
            visit(s + k, H - k);

    // The light bitmap blended onto the shape, then the dark one; only shape
    // pixels were written, and a blend that would give 0 keeps the pixel.
    TColor32* pixel = bitmap.Bits();
    const TColor32* lit = light.Bits();
    const TColor32* shaded = dark.Bits();
    for (size_t i = 0, n = size_t(W) * size_t(H); i < n; ++i) {
        if (pixel[i] == 0 || (lit[i] | shaded[i]) == 0)
            continue;
        // Per pixel as drawing the bitmaps blends them (opaque pixels copied exactly).
        TColor32 blended = pixel[i];
        BlendMem(lit[i], blended);
        BlendMem(shaded[i], blended);
        if (blended)
            pixel[i] = blended;
    }
    EMMS();
}
