#include "inspector/rmMarlett.h"

#include <algorithm>

namespace {

bool IsMarlett(const platform::FontSpec& font)
{
    return font.Family == kMarlettFamily;
}

// A triangle of `rows` rows pointing along (dx, dy), its tip row one pixel long and each
// row two pixels longer than the one before, centred in the square cell at (x, y).
void DrawTriangle(platform::Canvas& canvas, int32_t x, int32_t y, int32_t cell, int dx, int dy,
                  platform::CanvasColor color)
{
    const int32_t rows = std::max(2, (cell + 2) / 4);
    const int32_t centre = cell / 2;
    const bool forward = dx + dy > 0;
    // Row 0 is the base, row rows - 1 the tip; both directions cover the same pixels.
    for (int32_t i = 0; i < rows; ++i) {
        const int32_t half = rows - 1 - i;
        const int32_t along = centre - rows / 2 + (forward ? i : rows - 1 - i);
        if (dx != 0)
            canvas.Line(x + along, y + centre - half, x + along, y + centre + half, color);
        else
            canvas.Line(x + centre - half, y + along, x + centre + half, y + along, color);
    }
}

} // namespace

void MarlettCanvas::TextOutRightToLeft(int32_t right, int32_t y, std::string_view text,
                                       const platform::FontSpec& font)
{
    if (IsMarlett(font))
        Canvas::TextOutRightToLeft(right, y, text, font); // the arrows read alike both ways
    else
        FTarget.TextOutRightToLeft(right, y, text, font);
}

void MarlettCanvas::TextOut(int32_t x, int32_t y, std::string_view text, const platform::FontSpec& font)
{
    if (!IsMarlett(font))
        return FTarget.TextOut(x, y, text, font);
    const int32_t cell = platform::FontPixelSize(font.PointSize);
    for (char c : text) {
        switch (c) {
        case '3': DrawTriangle(FTarget, x, y, cell, -1, 0, font.Color); break;
        case '4': DrawTriangle(FTarget, x, y, cell, 1, 0, font.Color); break;
        case '5': DrawTriangle(FTarget, x, y, cell, 0, -1, font.Color); break;
        case '6': DrawTriangle(FTarget, x, y, cell, 0, 1, font.Color); break;
        default: break; // no other symbol is used
        }
        x += cell;
    }
}

platform::Size MarlettCanvas::TextExtent(std::string_view text, const platform::FontSpec& font)
{
    if (!IsMarlett(font))
        return FTarget.TextExtent(text, font);
    const int32_t cell = platform::FontPixelSize(font.PointSize);
    return {cell * int32_t(text.size()), text.empty() ? 0 : cell};
}
