#pragma once

#include "logon/Pacer.h"

namespace vm::logon {

// The real clock on Windows. Window messages run before and during every
// sleep, as a timer-driven form lets them. A stop is asked for through the
// console (Ctrl+C, Ctrl+Break, the console closing, logoff, shutdown) or
// with WM_CLOSE, WM_QUERYENDSESSION or WM_ENDSESSION to the program's hidden
// window (taskkill without /F sends WM_CLOSE): typing then ends at the next
// keystroke and gives back what it borrowed before the program goes.
// One per process.
class Win32Pacer : public Pacer {
public:
    Win32Pacer();
    Win32Pacer(const Win32Pacer&) = delete;
    Win32Pacer& operator=(const Win32Pacer&) = delete;
    ~Win32Pacer() override;

    Clock::time_point now() override { return Clock::now(); }
    bool sleepUntil(Clock::time_point when) override;
    bool stopRequested() override;

    // Once everything has been cleaned up: the exit code, that of a console
    // program ended by Ctrl+C when the console asked the program to stop, and
    // a console handler waiting for the cleanup may let the system go on.
    int finish();

private:
    void* window_ = nullptr;
};

} // namespace vm::logon
