#pragma once
// What the routines that keep a window's place between sessions ask of a top-level
// window: its name, its normal bounds and its state. A window of the user interface
// implements it; tests implement it with a plain record.
#include "platform/Geometry.h"

#include <string>

namespace platform {

enum class WindowState : int32_t { Normal = 0, Minimized = 1, Maximized = 2 };

class PlacedWindow {
public:
    virtual ~PlacedWindow() = default;
    virtual std::string Name() const = 0;
    // On the screen, in pixels.
    virtual Rect BoundsRect() const = 0;
    virtual void SetBoundsRect(const Rect& bounds) = 0;
    virtual WindowState State() const = 0;
    virtual void SetState(WindowState state) = 0;
    // While locked, changes of place and state are not drawn.
    virtual void LockUpdates(bool locked) = 0;
    // A warning box with an OK button, owned by this window.
    virtual void ShowWarning(const std::string& text) = 0;
};

} // namespace platform
