#pragma once
// What a control paints onto: the window's surface during a paint. The host
// implements it over the window system; tests implement it with a recorder.
#include "platform/FontSpec.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Colours on a canvas are 0x??RRGGBB: the top byte is ignored (everything is opaque).
using CanvasColor = uint32_t;

class Canvas {
public:
    virtual ~Canvas() = default;

    // Copies `width` x `height` pixels to (x, y). `pixels` points at the first pixel of
    // the top row; rows are `rowPixels` pixels apart. Each pixel is a 32-bit word
    // [AAAAAAAA][RRRRRRRR][GGGGGGGG][BBBBBBBB]; the alpha byte is ignored, the copy is opaque.
    // The memory is read during the call only.
    virtual void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                            int32_t rowPixels) = 0;

    // Copies `source` (a rectangle of the pixels, laid out as for BlitOpaque) stretched to
    // `dest`, nearest pixel, opaque.
    virtual void StretchBlitOpaque(const Rect& dest, const uint32_t* pixels, int32_t rowPixels,
                                   const Rect& source) = 0;

    virtual void FillRect(const Rect& rect, CanvasColor color) = 0;
    // A one-pixel outline just inside `rect`.
    virtual void FrameRect(const Rect& rect, CanvasColor color) = 0;
    // The dotted outline that marks keyboard focus, just inside `rect`.
    virtual void DrawFocusRect(const Rect& rect) = 0;
    // A one-pixel line that includes both end points.
    virtual void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, CanvasColor color) = 0;

    // Text is UTF-8; (x, y) is the top-left corner of the text's cell. The background is left alone.
    virtual void TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font) = 0;
    virtual Size TextExtent(std::string_view text, const FontSpec& font) = 0;
    // Text laid out to read right to left, its cell ending at `right`. By default the
    // text's own order, placed from the right.
    virtual void TextOutRightToLeft(int32_t right, int32_t y, std::string_view text, const FontSpec& font)
    {
        TextOut(right - TextExtent(text, font).Width, y, text, font);
    }
    // Text turned anticlockwise by `angle` degrees about the middle of its base line,
    // which is placed at (x, y).
    virtual void TextOutRotated(int32_t x, int32_t y, std::string_view text, const FontSpec& font, double angle) = 0;

    // Every later drawing is limited to `rect` (in the canvas's coordinates) until
    // the clip is set again or removed.
    virtual void SetClipRect(const Rect& rect) = 0;
    virtual void RemoveClip() = 0;
};

// Draws nothing: for painting a control where no window shows it.
class NullCanvas : public Canvas {
public:
    void BlitOpaque(int32_t, int32_t, const uint32_t*, int32_t, int32_t, int32_t) override {}
    void StretchBlitOpaque(const Rect&, const uint32_t*, int32_t, const Rect&) override {}
    void FillRect(const Rect&, CanvasColor) override {}
    void FrameRect(const Rect&, CanvasColor) override {}
    void DrawFocusRect(const Rect&) override {}
    void Line(int32_t, int32_t, int32_t, int32_t, CanvasColor) override {}
    void TextOut(int32_t, int32_t, std::string_view, const FontSpec&) override {}
    Size TextExtent(std::string_view, const FontSpec&) override { return {}; }
    void TextOutRotated(int32_t, int32_t, std::string_view, const FontSpec&, double) override {}
    void SetClipRect(const Rect&) override {}
    void RemoveClip() override {}
};

} // namespace platform
