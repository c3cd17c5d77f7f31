// A system for engine tests: timers that never fire by themselves and a clock the test sets
#pragma once

#include "Platform.h"

#include <vector>

namespace fendral {

class FakePlatform : public Platform {
public:
    int SetTimer(int intervalMs) override
    {
        intervals.push_back(intervalMs);
        runningTimer = ++m_lastId;
        return runningTimer;
    }
    void KillTimer(int timerId) override
    {
        killed.push_back(timerId);
        if (timerId == runningTimer)
            runningTimer = 0;
    }
    double now() const override { return clock; }

    void advanceSeconds(double seconds) { clock += seconds / 86400.0; }

    double clock = 46000.0; // fractional days
    int runningTimer = 0;
    std::vector<int> intervals; // of every timer started, in order
    std::vector<int> killed;

private:
    int m_lastId = 0;
};

} // namespace fendral
