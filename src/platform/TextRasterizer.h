#pragma once
// Text measured and drawn into 32-bit pixel memory: the one window-system service that
// bitmaps need for text. The window-system side implements it (with Qt, in platform/qt);
// the application installs that implementation once at start-up, and tests may install
// their own.
//
// Texts are Windows-1252 bytes, as the model stores them; an implementation converts
// them to its own character set. Positions and sizes are pixels, fonts are laid out at
// 96 pixels per inch (see FontPixelSize).
#include "platform/FontSpec.h"
#include "platform/Geometry.h"
#include "platform/PixelView.h"

#include <cstdint>
#include <string_view>

namespace platform {

// Layout flags of DrawText, with the values of the platform's text-format flags. The
// horizontal choices are 0 (left), kTextCenter and kTextRight; the vertical ones 0 (top),
// kTextVCenter and kTextBottom, which apply to single-line text.
enum TextFormat : uint32_t {
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextVCenter = 0x4,
    kTextBottom = 0x8,
    kTextWordBreak = 0x10,
    kTextSingleLine = 0x20,
    kTextNoClip = 0x100,
    kTextCalcRect = 0x400, // measure instead of drawing (see TextRect)
};

class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;

    // The text's cell: its advance width and the font's line height. (0, 0) for a
    // font that cannot be made.
    virtual Size TextExtent(std::string_view text, const FontSpec& font) = 0;

    // Draws the text in font.Color with the top-left corner of its cell at (x, y),
    // touching only pixels inside `clip` and the target. The target's pixels are read as
    // opaque RGB (their alpha bytes are ignored); every pixel the glyphs touch becomes
    // the colour mixed over it by the glyph's coverage, with alpha 255. Pixels the
    // glyphs miss keep all four bytes.
    virtual void TextOut(const PixelView& target, int32_t x, int32_t y, const Rect& clip, std::string_view text,
                         const FontSpec& font) = 0;

    // The same, laid out inside `rect` by `flags` (TextFormat bits), clipped to `rect`
    // unless kTextNoClip.
    virtual void DrawText(const PixelView& target, const Rect& rect, uint32_t flags, std::string_view text,
                          const FontSpec& font) = 0;

    // The rectangle DrawText would fill: `rect`'s left and top, with the right and bottom
    // edges moved to bound the laid-out text (word-wrapped lines keep within rect's width
    // unless a word is wider). The base measures one line.
    virtual Rect TextRect(const Rect& rect, uint32_t /*flags*/, std::string_view text, const FontSpec& font)
    {
        const Size extent = TextExtent(text, font);
        return {rect.Left, rect.Top, rect.Left + extent.Width, rect.Top + extent.Height};
    }
};

// Installs the process-wide rasteriser (borrowed: it must outlive its use; null removes
// it). Set once at start-up, before any text is drawn.
void SetTextRasterizer(TextRasterizer* rasterizer);

// The installed rasteriser. Raises Exception when none is installed.
TextRasterizer& CurrentTextRasterizer();

} // namespace platform
