#pragma once
// A Canvas over a QPainter, for the duration of one paint.
#include "platform/Canvas.h"

class QPainter;

namespace platform::qt {

class QPainterCanvas final : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter) : painter_(painter) {}

    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override;
    void StretchBlitOpaque(const Rect& dest, const uint32_t* pixels, int32_t rowPixels, const Rect& source) override;
    void FillRect(const Rect& rect, CanvasColor color) override;
    void FrameRect(const Rect& rect, CanvasColor color) override;
    void DrawFocusRect(const Rect& rect) override;
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, CanvasColor color) override;
    void TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font) override;
    void TextOutRightToLeft(int32_t right, int32_t y, std::string_view text, const FontSpec& font) override;
    Size TextExtent(std::string_view text, const FontSpec& font) override;
    void TextOutRotated(int32_t x, int32_t y, std::string_view text, const FontSpec& font, double angle) override;
    void SetClipRect(const Rect& rect) override;
    void RemoveClip() override;

private:
    QPainter& painter_;
};

} // namespace platform::qt
