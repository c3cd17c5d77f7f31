#include "QtPlatform.h"

#include <QDateTime>

namespace fendral {

namespace {
    constexpr double MillisecondsPerDay = 86'400'000.0;
}

QtPlatform::QtPlatform(std::function<void()> onTick)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    // Exactly one tick per expiry: a late timer drops ticks, and the tick's speed check copes
    QObject::connect(&m_timer, &QTimer::timeout, [this, onTick = std::move(onTick)] {
        ++m_ticksDelivered;
        onTick();
    });
}

int QtPlatform::setTimer(int intervalMs)
{
    m_timerId = ++m_lastId;
    m_timer.start(intervalMs);
    return m_timerId;
}

void QtPlatform::killTimer(int timerId)
{
    if (timerId != 0 && timerId == m_timerId) {
        m_timer.stop();
        m_timerId = 0;
    }
}

double QtPlatform::now() const { return QDateTime::currentMSecsSinceEpoch() / MillisecondsPerDay; }

} // namespace fendral
