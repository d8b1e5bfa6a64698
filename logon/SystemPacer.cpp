#include "logon/SystemPacer.h"

#include <cerrno>
#include <csignal>
#include <ctime>

namespace vm::logon {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void noteStopSignal(int signal) {
    stopSignal = signal;
}

} // namespace

SystemPacer::SystemPacer() {
    struct sigaction action {};
    action.sa_handler = noteStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a sleep ends early when a signal comes.
    action.sa_flags = 0;
    for (const int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
}

bool SystemPacer::sleepUntil(Clock::time_point when) {
    // The steady clock is CLOCK_MONOTONIC.
    const auto sinceBoot = when.time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceBoot);
    const timespec until{static_cast<time_t>(seconds.count()),
                         static_cast<long>((sinceBoot - seconds) / std::chrono::nanoseconds(1))};
    while (!stopRequested()) {
        const int result = clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        if (result != EINTR)
            break;
    }
    return !stopRequested();
}

bool SystemPacer::stopRequested() {
    return stopSignal != 0;
}

void SystemPacer::endAsSignalled() {
    const int signal = stopSignal;
    if (signal == 0)
        return;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace vm::logon
