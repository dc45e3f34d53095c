#pragma once
// Stand-ins for the window side when testing controls without a display: a host
// whose visible part can be set, and a canvas that keeps what was blitted onto it.
#include "platform/Canvas.h"
#include "platform/Control.h"

#include <cstdint>
#include <string>
#include <vector>

// Keeps the pixels of every blit in a window-sized picture, and counts the calls.
class PictureCanvas : public platform::NullCanvas {
public:
    PictureCanvas(int32_t width, int32_t height) : width_(width), height_(height), pixels_(size_t(width * height), 0) {}

    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override
    {
        ++blits;
        lastBlit = {x, y, x + width, y + height};
        for (int32_t row = 0; row < height; ++row)
            for (int32_t col = 0; col < width; ++col)
                if (x + col >= 0 && x + col < width_ && y + row >= 0 && y + row < height_)
                    pixels_[size_t((y + row) * width_ + x + col)] = pixels[row * rowPixels + col] & 0xFFFFFF;
    }

    // The colour (0x00RRGGBB) shown at (x, y) of the window.
    uint32_t At(int32_t x, int32_t y) const { return pixels_[size_t(y * width_ + x)]; }

    int blits = 0;
    platform::Rect lastBlit;

private:
    int32_t width_, height_;
    std::vector<uint32_t> pixels_;
};

// A host that shows `visible` of the control (all of it when no rectangle is given)
// and paints it into `canvas` when asked to at once.
class FakeHost : public platform::ControlHost {
public:
    FakeHost(platform::Control& control, platform::Rect visibleRect)
        : control_(control), wholeControl_(false), visible(visibleRect)
    {
        control_.AttachHost(this);
    }
    explicit FakeHost(platform::Control& control) : control_(control), wholeControl_(true)
    {
        control_.AttachHost(this);
    }
    ~FakeHost() override { control_.AttachHost(nullptr); }

    void RequestRepaint() override { ++repaintRequests; }
    void RepaintNow(const platform::Rect&) override
    {
        if (canvas)
            control_.HostPaint(*canvas);
    }
    void ApplyBounds(const platform::Rect&) override {}
    void ApplyVisible(bool) override {}
    void ApplyEnabled(bool) override {}
    void ApplyTabStop(bool) override {}
    void ApplyCursor(platform::CursorId) override {}
    void ApplyMouseCapture(bool) override {}
    void TakeFocus() override { control_.HostFocusChanged(true); }
    platform::Rect VisibleRect() const override { return wholeControl_ ? control_.ClientRect() : visible; }
    platform::Rect DesktopRect() const override { return desktop; }
    platform::Point ClientToScreen(platform::Point p) const override { return {p.X + origin.X, p.Y + origin.Y}; }
    void ShowHint(platform::Point, std::string_view text) override { hint = std::string(text); }
    void HideHint() override { hint.clear(); }

private:
    platform::Control& control_;
    bool wholeControl_;

public:
    platform::Rect visible;
    platform::Canvas* canvas = nullptr;
    platform::Rect desktop;
    platform::Point origin; // the control's top-left corner on the desktop
    std::string hint;       // the hint shown, empty when none
    int repaintRequests = 0;
};

// Paints the whole control, as a window showing all of it would.
inline void PaintWhole(platform::Control& control, platform::Canvas& canvas)
{
    FakeHost host(control);
    control.HostPaint(canvas);
}
