#pragma once
// A timer service for tests: installs itself while it lives, and delivers ticks only
// when the test moves its clock on.
#include "platform/Timer.h"

#include <cstdint>
#include <map>
#include <tuple>

class ManualTimerService : public platform::TimerService {
public:
    ManualTimerService() { platform::SetTimerService(this); }
    ~ManualTimerService() override { platform::SetTimerService(nullptr); }
    ManualTimerService(const ManualTimerService&) = delete;
    ManualTimerService& operator=(const ManualTimerService&) = delete;

    void Start(platform::Timer& timer, uint32_t intervalMs) override
    {
        running_[&timer] = Entry{&timer, intervalMs, now_ + intervalMs, nextOrder_++};
    }
    void Stop(platform::Timer& timer) override { running_.erase(&timer); }

    // Moves the clock on by `ms`, delivering every tick due on the way in time order
    // (timers due at once in the order they were started).
    void Advance(uint64_t ms)
    {
        const uint64_t end = now_ + ms;
        for (;;) {
            auto next = running_.end();
            for (auto it = running_.begin(); it != running_.end(); ++it)
                if (it->second.due <= end && (next == running_.end() || it->second.Before(next->second)))
                    next = it;
            if (next == running_.end())
                break;
            now_ = next->second.due;
            next->second.due += next->second.interval;
            next->second.timer->Tick(); // may start or stop timers
        }
        now_ = end;
    }

    bool IsRunning(const platform::Timer& timer) const { return running_.contains(&timer); }
    uint32_t IntervalOf(const platform::Timer& timer) const
    {
        auto it = running_.find(&timer);
        return it == running_.end() ? 0 : it->second.interval;
    }

private:
    struct Entry {
        platform::Timer* timer;
        uint32_t interval;
        uint64_t due, order;
        bool Before(const Entry& o) const { return std::tie(due, order) < std::tie(o.due, o.order); }
    };
    std::map<const platform::Timer*, Entry> running_;
    uint64_t now_ = 0, nextOrder_ = 0;
};
