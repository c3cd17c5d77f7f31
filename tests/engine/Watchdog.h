// A hang detector for exploring tests: a call that has not returned after a few seconds aborts
// the test program with a message, so that a loop without end fails instead of stalling CI
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace fendral {

class Watchdog {
public:
    // `what` names the watched calls in the message.
    Watchdog(std::string what, std::chrono::seconds limit);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Runs call(); the process aborts if it has not returned after the limit.
    template <typename Call> void watch(Call&& call)
    {
        m_startedAt.store(nowTicks());
        call();
        m_startedAt.store(Idle);
    }

private:
    static constexpr long long Idle = -1;
    static long long nowTicks();
    void guard();

    std::string m_what;
    std::chrono::seconds m_limit;
    std::atomic<long long> m_startedAt { Idle };
    std::atomic<bool> m_stopping { false };
    std::thread m_thread;
};

} // namespace fendral
