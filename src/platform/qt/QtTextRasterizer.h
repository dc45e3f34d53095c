#pragma once
// The text rasteriser over Qt: a QPainter on a QImage that wraps the caller's pixels as
// Format_RGB32, so glyphs land in place without a copy. Needs a QGuiApplication.
#include "platform/TextRasterizer.h"

namespace platform::qt {

class QtTextRasterizer final : public TextRasterizer {
public:
    Size TextExtent(std::string_view text, const FontSpec& font) override;
    void TextOut(const PixelView& target, int32_t x, int32_t y, const Rect& clip, std::string_view text,
                 const FontSpec& font) override;
    void DrawText(const PixelView& target, const Rect& rect, uint32_t flags, std::string_view text,
                  const FontSpec& font) override;
    Rect TextRect(const Rect& rect, uint32_t flags, std::string_view text, const FontSpec& font) override;
};

} // namespace platform::qt
