#include "platform/ControlHint.h"

#include "platform/Control.h"
#include "platform/Timer.h"

namespace platform {

std::string_view ShortHint(std::string_view hint)
{
    return hint.substr(0, hint.find('|'));
}

ControlHint::ControlHint(Control& owner) : owner_(owner) {}

ControlHint::~ControlHint()
{
    Hide();
}

void ControlHint::MouseMoved(Point point)
{
    mouse_ = point;
    if (state_ != State::Idle || !owner_.ShowHint() || ShortHint(owner_.Hint()).empty())
        return;
    if (!timer_)
        timer_ = std::make_unique<Timer>([this] { PauseElapsed(); });
    timer_->SetInterval(kHintPauseMs);
    timer_->SetEnabled(true);
    state_ = State::Waiting;
}

void ControlHint::MouseLeft()
{
    Hide();
    state_ = State::Idle;
}

void ControlHint::InputArrived()
{
    if (state_ == State::Idle)
        return;
    Hide();
    state_ = State::Ended;
}

void ControlHint::PauseElapsed()
{
    timer_->SetEnabled(false);
    state_ = State::Idle;
    const std::string_view text = ShortHint(owner_.Hint());
    ControlHost* host = owner_.Host();
    if (!host || !owner_.ShowHint() || text.empty() || !owner_.Visible())
        return;
    host->ShowHint(owner_.ClientToScreen(mouse_), text);
    state_ = State::Shown;
}

void ControlHint::Hide()
{
    if (timer_)
        timer_->SetEnabled(false);
    if (state_ == State::Shown && owner_.Host())
        owner_.Host()->HideHint();
}

} // namespace platform
