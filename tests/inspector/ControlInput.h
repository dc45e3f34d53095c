#pragma once
// Mouse and key input for a control under test, handed on as its host would.
#include "platform/Control.h"

#include <cctype>
#include <string_view>

// A left-button press at (x, y), moved to and released at (releaseX, releaseY).
inline void ClickAt(platform::Control& c, int32_t x, int32_t y, int32_t releaseX, int32_t releaseY)
{
    c.HostMouseDown(platform::MouseButton::Left, platform::shift::Left, x, y);
    c.HostMouseMove(platform::shift::Left, releaseX, releaseY);
    c.HostMouseUp(platform::MouseButton::Left, platform::shift::None, releaseX, releaseY);
}

inline void ClickAt(platform::Control& c, int32_t x, int32_t y)
{
    ClickAt(c, x, y, x, y);
}

// A key going down and, with `up`, coming up again.
inline void PressKey(platform::Control& c, platform::KeyCode k, platform::ShiftState s = 0, bool up = false)
{
    const platform::KeyCode code = k;
    c.HostKeyDown(k, s);
    if (up) {
        k = code;
        c.HostKeyUp(k, s);
    }
}

// Characters typed; with `keyUps` each one's key comes up after it.
inline void Type(platform::Control& c, std::u32string_view chars, bool keyUps = false)
{
    for (char32_t ch : chars) {
        c.HostKeyPress(ch);
        platform::KeyCode k = platform::KeyCode(std::toupper(int(ch)));
        if (keyUps)
            c.HostKeyUp(k, 0);
    }
}
