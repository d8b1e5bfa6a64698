#pragma once

#include <chrono>

namespace vm::logon {

// Time as the companion sees it: a clock, sleeping, and whether the program
// has been asked to stop (a sleep ends early then).
class Pacer {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~Pacer() = default;
    virtual Clock::time_point now() = 0;
    // False when the program has been asked to stop, before or while sleeping.
    virtual bool sleepUntil(Clock::time_point when) = 0;
    virtual bool stopRequested() = 0;

    bool wait(Clock::duration duration) { return sleepUntil(now() + duration); }
};

} // namespace vm::logon
