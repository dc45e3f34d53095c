#pragma once
// A text rasteriser of fixed cells (6 x 13 pixels a character at 8 points, as
// RecordingCanvas measures; a line one pixel higher a point more), installed while it
// lives, for controls that measure text outside painting.
#include "platform/TextRasterizer.h"

class CellRasterizer : public platform::TextRasterizer {
public:
    static constexpr int32_t kCharWidth = 6;
    static constexpr int32_t kLineHeight = 13;

    CellRasterizer() { platform::SetTextRasterizer(this); }
    ~CellRasterizer() override { platform::SetTextRasterizer(nullptr); }
    CellRasterizer(const CellRasterizer&) = delete;
    CellRasterizer& operator=(const CellRasterizer&) = delete;

    platform::Size TextExtent(std::string_view text, const platform::FontSpec& font) override
    {
        ++measured;
        return {int32_t(text.size()) * kCharWidth, kLineHeight + font.PointSize - 8};
    }
    void TextOut(const platform::PixelView&, int32_t, int32_t, const platform::Rect&, std::string_view,
                 const platform::FontSpec&) override
    {
    }
    void DrawText(const platform::PixelView&, const platform::Rect&, uint32_t, std::string_view,
                  const platform::FontSpec&) override
    {
    }

    int measured = 0;
};
