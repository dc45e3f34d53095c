#pragma once
// A canvas that measures text in fixed cells (6 x 13 pixels a character) and records
// what is drawn on it, for checking controls and drawing routines without a display.
#include "platform/Canvas.h"

#include <string>
#include <vector>

class RecordingCanvas : public platform::NullCanvas {
public:
    static constexpr int32_t kCharWidth = 6;
    static constexpr int32_t kLineHeight = 13;

    struct Text {
        int32_t X, Y;
        std::string Chars;
        platform::CanvasColor Color;
    };
    struct Fill {
        platform::Rect Area;
        platform::CanvasColor Color;
    };

    void TextOut(int32_t x, int32_t y, std::string_view text, const platform::FontSpec& font) override
    {
        texts.push_back({x, y, std::string(text), font.Color});
    }
    // Recorded apart, by the right end of the text's cell.
    void TextOutRightToLeft(int32_t right, int32_t y, std::string_view text, const platform::FontSpec& font) override
    {
        rightToLeftTexts.push_back({right, y, std::string(text), font.Color});
    }
    platform::Size TextExtent(std::string_view text, const platform::FontSpec&) override
    {
        return {int32_t(text.size()) * kCharWidth, kLineHeight};
    }
    void FillRect(const platform::Rect& rect, platform::CanvasColor color) override { fills.push_back({rect, color}); }
    void FrameRect(const platform::Rect& rect, platform::CanvasColor color) override { frames.push_back({rect, color}); }
    void DrawFocusRect(const platform::Rect& rect) override { focusRects.push_back(rect); }

    void Clear()
    {
        texts.clear();
        rightToLeftTexts.clear();
        fills.clear();
        frames.clear();
        focusRects.clear();
    }

    std::vector<Text> texts;
    std::vector<Text> rightToLeftTexts;
    std::vector<Fill> fills;
    std::vector<Fill> frames;
    std::vector<platform::Rect> focusRects;
};
