#include "platform/qt/QtTimerService.h"

#include <QTimer>

#include <algorithm>
#include <cstdint>

namespace platform::qt {

QtTimerService::QtTimerService() = default;

QtTimerService::~QtTimerService() = default;

void QtTimerService::Start(Timer& timer, uint32_t intervalMs)
{
    QTimer*& qtimer = running_[&timer];
    if (qtimer == nullptr) {
        qtimer = new QTimer(&owner_);
        QObject::connect(qtimer, &QTimer::timeout, [&timer] { timer.Tick(); });
    }
    qtimer->start(int(std::min<uint32_t>(intervalMs, INT32_MAX)));
}

void QtTimerService::Stop(Timer& timer)
{
    auto it = running_.find(&timer);
    if (it == running_.end())
        return;
    // Stop may come from the timer's own tick, inside the QTimer's signal: delete it later.
    it->second->stop();
    it->second->disconnect();
    it->second->deleteLater();
    running_.erase(it);
}

} // namespace platform::qt
