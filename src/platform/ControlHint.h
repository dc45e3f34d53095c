#pragma once
// The hint of one control: once the mouse has rested on the control for the hint pause,
// the control's host shows the hint's text by the mouse; it goes when the mouse leaves
// the control and when a key or a mouse button is pressed, and after a key or a press it
// comes again only once the mouse has left and come back.
#include "platform/Geometry.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

class Control;
class Timer;

class ControlHint {
public:
    // How long the mouse rests on a control before its hint shows.
    static constexpr uint32_t kHintPauseMs = 500;

    explicit ControlHint(Control& owner);
    ~ControlHint();
    ControlHint(const ControlHint&) = delete;
    ControlHint& operator=(const ControlHint&) = delete;

    // The mouse moved over the control itself (not one of its children), to `point`.
    void MouseMoved(Point point);
    // The mouse left the control, or the control is leaving its window: the hint goes.
    void MouseLeft();
    // A key or a mouse button was pressed: the hint goes until the mouse comes back.
    void InputArrived();
    bool Shown() const { return state_ == State::Shown; }

private:
    enum class State : uint8_t { Idle, Waiting, Shown, Ended };
    void PauseElapsed();
    void Hide();

    Control& owner_;
    std::unique_ptr<Timer> timer_; // made when the first hint is waited for
    State state_ = State::Idle;
    Point mouse_;
};

// The part of a hint shown by the mouse: the text before the first "|" (the rest is the
// long hint, for a status line).
std::string_view ShortHint(std::string_view hint);

} // namespace platform
