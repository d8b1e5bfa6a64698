#pragma once

#include "logon/LogonRequest.h"
#include "logon/Pacer.h"
#include "platform/KeyTyper.h"
#include "platform/WindowSearch.h"

#include <chrono>
#include <optional>
#include <string_view>

namespace vm {
class PerUserStore;
}

namespace vm::logon {

// The companion's window, which never shows: it reads the hand-over from
// Velmaris, looks for the host's login window on every tick of its timer and
// answers it once.
class Form1 {
public:
    static constexpr std::string_view kHostFrameClass = "ACT3.0FrameClass";
    static constexpr std::string_view kLoginTitle = "Login to";
    static constexpr std::chrono::milliseconds kTickInterval{100};
    static constexpr int kLastTick = 80;

    Form1(PerUserStore& store, Pacer& pacer) : store_(store), pacer_(pacer) {}

    // Reads the hand-over; false when there is nothing to type and the program
    // ends at once.
    bool Form_Load();
    // Ticks until the login window has been answered or the time is up.
    void run(WindowSearch& search, KeyTyper& typer);

    // Once run() has returned, nothing is left of the clear password.
    bool passwordWiped() const { return !request_ || request_->password.wiped(); }

private:
    // False when the program is to end.
    bool tmr1_Timer(int tick, WindowSearch& search, KeyTyper& typer);
    // True once any keystroke has been sent.
    bool answer(WindowId login, const LogonRequest& request, KeyTyper& typer);
    bool focusInside(WindowId login, KeyTyper& typer);

    PerUserStore& store_;
    Pacer& pacer_;
    std::optional<LogonRequest> request_;
};

} // namespace vm::logon
