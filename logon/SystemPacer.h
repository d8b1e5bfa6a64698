#pragma once

#include "logon/Pacer.h"

namespace vm::logon {

// The real clock. SIGTERM, SIGINT and SIGHUP ask the program to stop rather
// than kill it at once: typing then ends at the next keystroke and gives back
// the keys it borrowed before the program goes.
class SystemPacer : public Pacer {
public:
    SystemPacer();

    Clock::time_point now() override { return Clock::now(); }
    bool sleepUntil(Clock::time_point when) override;
    bool stopRequested() override;

    // Ends the process the way the signal that asked it to stop would have,
    // once everything has been cleaned up; returns when no signal came.
    void endAsSignalled();
};

} // namespace vm::logon
