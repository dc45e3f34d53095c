#pragma once
// The timer service over Qt's event loop: each running Timer is driven by a QTimer.
#include "platform/Timer.h"

#include <QObject>

#include <unordered_map>

class QTimer;

namespace platform::qt {

class QtTimerService final : public TimerService {
public:
    QtTimerService();
    ~QtTimerService() override;

    void Start(Timer& timer, uint32_t intervalMs) override;
    void Stop(Timer& timer) override;

private:
    QObject owner_; // parent of every QTimer, so that all die with the service
    std::unordered_map<Timer*, QTimer*> running_;
};

} // namespace platform::qt
