// A system for engine tests: timers that never fire by themselves and a clock the test sets
#pragma once

#include "Platform.h"

#include <vector>

namespace fendral {

struct FakePlatform : Platform {
    int setTimer(int intervalMs) override
    {
        intervals.push_back(intervalMs);
        return static_cast<int>(intervals.size());
    }
    void killTimer(int timerId) override { killed.push_back(timerId); }
    double now() const override { return clock; }

    double clock = 46000.0; // fractional days
    std::vector<int> intervals; // of every timer started, in order; timer n has identifier n
    std::vector<int> killed;
};

} // namespace fendral
