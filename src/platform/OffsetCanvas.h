#pragma once
// A canvas for painting part of a control (its client area, a child control) in that
// part's own coordinates: every drawing is moved by `origin` and kept inside `bounds`,
// both in the target canvas's coordinates. The clip is removed from the target when the
// painting is done.
#include "platform/Canvas.h"

namespace platform {

class OffsetCanvas final : public Canvas {
public:
    OffsetCanvas(Canvas& target, Point origin, const Rect& bounds) : target_(target), origin_(origin), bounds_(bounds)
    {
        target_.SetClipRect(bounds_);
    }
    ~OffsetCanvas() override { target_.RemoveClip(); }
    OffsetCanvas(const OffsetCanvas&) = delete;
    OffsetCanvas& operator=(const OffsetCanvas&) = delete;

    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override
    {
        target_.BlitOpaque(x + origin_.X, y + origin_.Y, pixels, width, height, rowPixels);
    }
    void StretchBlitOpaque(const Rect& dest, const uint32_t* pixels, int32_t rowPixels, const Rect& source) override
    {
        target_.StretchBlitOpaque(Moved(dest), pixels, rowPixels, source);
    }
    void FillRect(const Rect& rect, CanvasColor color) override { target_.FillRect(Moved(rect), color); }
    void FrameRect(const Rect& rect, CanvasColor color) override { target_.FrameRect(Moved(rect), color); }
    void DrawFocusRect(const Rect& rect) override { target_.DrawFocusRect(Moved(rect)); }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, CanvasColor color) override
    {
        target_.Line(x1 + origin_.X, y1 + origin_.Y, x2 + origin_.X, y2 + origin_.Y, color);
    }
    void TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font) override
    {
        target_.TextOut(x + origin_.X, y + origin_.Y, text, font);
    }
    Size TextExtent(std::string_view text, const FontSpec& font) override { return target_.TextExtent(text, font); }
    void TextOutRightToLeft(int32_t right, int32_t y, std::string_view text, const FontSpec& font) override
    {
        target_.TextOutRightToLeft(right + origin_.X, y + origin_.Y, text, font);
    }
    void TextOutRotated(int32_t x, int32_t y, std::string_view text, const FontSpec& font, double angle) override
    {
        target_.TextOutRotated(x + origin_.X, y + origin_.Y, text, font, angle);
    }
    void SetClipRect(const Rect& rect) override { target_.SetClipRect(Moved(rect).Intersect(bounds_)); }
    void RemoveClip() override { target_.SetClipRect(bounds_); }

private:
    Rect Moved(const Rect& rect) const { return rect.Offset(origin_.X, origin_.Y); }

    Canvas& target_;
    Point origin_;
    Rect bounds_;
};

} // namespace platform
