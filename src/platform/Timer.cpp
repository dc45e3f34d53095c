#include "platform/Timer.h"

namespace platform {
namespace {

TimerService* installedService = nullptr;

} // namespace

void SetTimerService(TimerService* service)
{
    installedService = service;
}

TimerService* CurrentTimerService()
{
    return installedService;
}

Timer::Timer(std::function<void()> onTimer) : onTimer_(std::move(onTimer)) {}

Timer::~Timer()
{
    if (service_)
        service_->Stop(*this);
}

void Timer::SetInterval(uint32_t intervalMs)
{
    if (intervalMs == interval_)
        return;
    interval_ = intervalMs;
    Restart();
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Restart();
}

void Timer::Tick()
{
    if (enabled_ && onTimer_)
        onTimer_();
}

void Timer::Restart()
{
    if (service_) {
        service_->Stop(*this);
        service_ = nullptr;
    }
    if (!enabled_ || interval_ == 0)
        return;
    service_ = CurrentTimerService();
    if (service_)
        service_->Start(*this, interval_);
}

} // namespace platform
