#include "inspector/rmDefaultGlyphs.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmLibraryDraw.h"

#include <string_view>

namespace {

// Rows of '#' (black) and '.' (white), all of one length.
void LoadPicture(TBitmap32& Glyph, std::initializer_list<std::string_view> Rows)
{
    Glyph.SetSize(int32_t(Rows.begin()->size()), int32_t(Rows.size()));
    int32_t y = 0;
    for (std::string_view row : Rows) {
        for (int32_t x = 0; x < int32_t(row.size()); ++x)
            Glyph.SetPixel(x, y, row[size_t(x)] == '#' ? clBlack32 : clWhite32);
        ++y;
    }
    ReplaceColors(Glyph, clBtnFace, clBtnText);
}

} // namespace

void LoadSpinUpGlyph(TBitmap32& Glyph)
{
    LoadPicture(Glyph, {"...#...", "..###..", ".#####.", "......."});
}

void LoadSpinDownGlyph(TBitmap32& Glyph)
{
    LoadPicture(Glyph, {".......", ".#####.", "..###..", "...#..."});
}

void LoadEllipsisGlyph(TBitmap32& Glyph)
{
    // The bottom-left pixel gives the see-through colour, so the dots sit above a blank row.
    LoadPicture(Glyph, {"##.##.##", "##.##.##", "........"});
}
