#pragma once
// Repeating timers for controls (auto-repeat of held buttons, hover tracking). A Timer
// keeps its interval and enabled state itself; a TimerService makes it tick. The
// application installs the window system's service once at start-up (the Qt one lives
// in platform/qt); tests install one they advance by hand. Without a service a timer
// keeps its state but never ticks, so controls still work without an event loop.
#include <cstdint>
#include <functional>

namespace platform {

class Timer;

class TimerService {
public:
    virtual ~TimerService() = default;
    // From now on `timer` is to tick every `intervalMs` milliseconds on the UI thread,
    // counted from this call (a running timer starts counting again).
    virtual void Start(Timer& timer, uint32_t intervalMs) = 0;
    // No more ticks for `timer`; also called before a started timer is destroyed.
    virtual void Stop(Timer& timer) = 0;
};

// Installs the process-wide service (borrowed: it must outlive every timer started on
// it; null removes it). Timers started earlier stay with the service they started on.
void SetTimerService(TimerService* service);
TimerService* CurrentTimerService();

class Timer {
public:
    // Starts disabled, with an interval of 1000 ms.
    explicit Timer(std::function<void()> onTimer);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    uint32_t Interval() const { return interval_; }
    // A running timer starts counting the new interval from now; 0 stops the ticks.
    void SetInterval(uint32_t intervalMs);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Whether a service is making the timer tick.
    bool Running() const { return service_ != nullptr; }

    // One tick, as the service delivers it: calls the handler when enabled.
    void Tick();

private:
    void Restart();

    std::function<void()> onTimer_;
    uint32_t interval_ = 1000;
    bool enabled_ = false;
    TimerService* service_ = nullptr; // the service the timer runs on, null when stopped
};

} // namespace platform
