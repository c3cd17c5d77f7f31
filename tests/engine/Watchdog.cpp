#include "Watchdog.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace fendral {

namespace {
    using Clock = std::chrono::steady_clock;
}

Watchdog::Watchdog(std::string what, std::chrono::seconds limit)
    : m_what(std::move(what))
    , m_limit(limit)
    , m_thread([this] { guard(); })
{
}

Watchdog::~Watchdog()
{
    m_stopping.store(true);
    m_thread.join();
}

long long Watchdog::nowTicks() { return Clock::now().time_since_epoch().count(); }

void Watchdog::guard()
{
    const long long limitTicks = std::chrono::duration_cast<Clock::duration>(m_limit).count();
    while (!m_stopping.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // A start read here belongs to a call that had not returned when it was read
        const long long startedAt = m_startedAt.load();
        if (startedAt != Idle && nowTicks() - startedAt > limitTicks) {
            std::fprintf(stderr, "Watchdog: %s has not returned after %lld s; aborting\n",
                m_what.c_str(), static_cast<long long>(m_limit.count()));
            std::abort();
        }
    }
}

} // namespace fendral
