#pragma once
// A font as plain data: the one font description of the program. The settings keep the
// province-name font in it, bitmaps write text in it and controls paint with it; the
// window-system side makes its own font object from it.
#include <cstdint>
#include <string>

namespace platform {

struct FontSpec {
    enum Pitch : uint8_t { kDefaultPitch = 0, kVariablePitch = 1, kFixedPitch = 2 };
    static constexpr uint8_t kDefaultCharset = 1;

    std::string Family;  // empty: the window system's default family
    int32_t PointSize = 8; // at 96 pixels per inch: 8 points are 11 pixels
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    // 0x00RRGGBB, the layout of a TColor32 without its alpha byte (not the platform
    // colour 0x00BBGGRR of the settings file, which converts on reading and writing).
    uint32_t Color = 0x000000;
    // Kept for the settings file; text is drawn without them.
    uint8_t Charset = kDefaultCharset;
    uint8_t Pitch = kDefaultPitch;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The height in pixels of `pointSize` points at the 96 pixels per inch every text of the
// program is laid out for, rounded to nearest: 8 points are 11 pixels.
inline int32_t FontPixelSize(int32_t pointSize)
{
    return int32_t((int64_t(pointSize) * 96 + 36) / 72);
}

} // namespace platform
