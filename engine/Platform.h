// What the engine asks of the system: the periodic timer that drives the tick, and the clock
#pragma once

namespace fendral {

class Platform {
public:
    virtual ~Platform() = default;

    // Starts a periodic timer whose every expiry runs one tick; returns its identifier (never 0).
    virtual int setTimer(int intervalMs) = 0;
    // Stops the timer with this identifier.
    virtual void killTimer(int timerId) = 0;
    // The current date and time in fractional days.
    virtual double now() const = 0;
};

} // namespace fendral
