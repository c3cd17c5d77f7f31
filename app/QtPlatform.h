// The system services of the engine on Qt: one precise periodic timer and the wall clock
#pragma once

#include "Platform.h"

#include <QTimer>

#include <functional>

namespace fendral {

class QtPlatform : public Platform {
public:
    // onTick runs once for every expiry of the timer.
    explicit QtPlatform(std::function<void()> onTick);

    int setTimer(int intervalMs) override;
    void killTimer(int timerId) override;
    double now() const override;

    bool isTimerRunning() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }
    // How many expiries have run a tick since the program started.
    long long ticksDelivered() const { return m_ticksDelivered; }

private:
    QTimer m_timer;
    int m_timerId = 0;
    int m_lastId = 0;
    long long m_ticksDelivered = 0;
};

} // namespace fendral
