#pragma once
// The buttons write their arrows as characters of the "Marlett" symbol font ("6" is a
// down triangle). That font is not found everywhere, so a canvas wrapper draws the
// arrow characters "3" to "6" itself as solid triangles in the font's colour, centred
// in a square cell as high as the font; every other drawing goes to the target.
#include "platform/Canvas.h"

#include <string_view>

inline constexpr std::string_view kMarlettFamily = "Marlett";

class MarlettCanvas final : public platform::Canvas {
public:
    explicit MarlettCanvas(platform::Canvas& Target) : FTarget(Target) {}

    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override
    {
        FTarget.BlitOpaque(x, y, pixels, width, height, rowPixels);
    }
    void StretchBlitOpaque(const platform::Rect& dest, const uint32_t* pixels, int32_t rowPixels,
                           const platform::Rect& source) override
    {
        FTarget.StretchBlitOpaque(dest, pixels, rowPixels, source);
    }
    void FillRect(const platform::Rect& rect, platform::CanvasColor color) override { FTarget.FillRect(rect, color); }
    void FrameRect(const platform::Rect& rect, platform::CanvasColor color) override { FTarget.FrameRect(rect, color); }
    void DrawFocusRect(const platform::Rect& rect) override { FTarget.DrawFocusRect(rect); }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, platform::CanvasColor color) override
    {
        FTarget.Line(x1, y1, x2, y2, color);
    }
    void TextOut(int32_t x, int32_t y, std::string_view text, const platform::FontSpec& font) override;
    void TextOutRightToLeft(int32_t right, int32_t y, std::string_view text, const platform::FontSpec& font) override;
    platform::Size TextExtent(std::string_view text, const platform::FontSpec& font) override;
    void TextOutRotated(int32_t x, int32_t y, std::string_view text, const platform::FontSpec& font,
                        double angle) override
    {
        FTarget.TextOutRotated(x, y, text, font, angle);
    }
    void SetClipRect(const platform::Rect& rect) override { FTarget.SetClipRect(rect); }
    void RemoveClip() override { FTarget.RemoveClip(); }

private:
    platform::Canvas& FTarget;
};
