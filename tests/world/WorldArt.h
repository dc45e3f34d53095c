#pragma once
// World images drawn as text for the world tests: one character per pixel (or
// per square of `scale` pixels). '.' is 0 (no piece), '~' the ocean key colour,
// '"' the green-land key colour, any other character a colour of its own.
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"
#include "model/Settings.h"

inline TColor32 ArtColor(char c)
{
    if (c == '.')
        return 0;
    if (c == '~')
        return TheSettings().OceanColor();
    if (c == '"')
        return TheSettings().GreenLandColor();
    return 0xFF000000u | uint32_t(uint8_t(c)) * 0x010305u;
}

// Art of `width` × `height` characters `c` with blocks painted over it in order.
struct ArtBlock {
    int left, top, width, height;
    char c;
};
inline std::vector<std::string> Art(int width, int height, char c, const std::vector<ArtBlock>& blocks = {})
{
    std::vector<std::string> rows(size_t(height), std::string(size_t(width), c));
    for (const ArtBlock& b : blocks)
        for (int y = b.top; y < b.top + b.height; ++y)
            rows[size_t(y)].replace(size_t(b.left), size_t(b.width), size_t(b.width), b.c);
    return rows;
}

// The character ArtColor gives `color` for, '?' for none.
inline char ArtChar(TColor32 color)
{
    for (int c = 32; c < 127; ++c)
        if (ArtColor(char(c)) == color)
            return char(c);
    return '?';
}

class WorldFromArt : public TBitmap32 {
public:
    explicit WorldFromArt(const std::vector<std::string>& rows, int scale = 1)
    {
        const int height = int(rows.size()), width = height ? int(rows[0].size()) : 0;
        SetSize(width * scale, height * scale);
        for (int y = 0; y < height * scale; ++y)
            for (int x = 0; x < width * scale; ++x)
                SetPixel(x, y, ArtColor(rows[size_t(y / scale)][size_t(x / scale)]));
    }
};
