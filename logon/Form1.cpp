#include "logon/Form1.h"

#include "base/FailureReport.h"

#include <algorithm>

namespace vm::logon {

namespace {

using namespace std::chrono_literals;

constexpr Procedure kFormLoad{"Form1", "Sub", "Form_Load"};
constexpr Procedure kTimer{"Form1", "Sub", "tmr1_Timer"};

constexpr Pacer::Clock::duration kPauseBeforeTyping = 100ms;
constexpr Pacer::Clock::duration kPauseBetweenSteps = 10ms;
// How long the login window may take to receive the focus once asked.
constexpr Pacer::Clock::duration kActivationTimeout = 500ms;
constexpr Pacer::Clock::duration kFocusPoll = 10ms;

// The keystrokes of one answer. Each one is sent only while the focus is
// still inside the login window and the program has not been asked to stop:
// the user may click elsewhere at any moment, and a password typed into
// another window is a password disclosed. Once a check fails nothing more is
// sent.
class Keystrokes {
public:
    Keystrokes(KeyTyper& typer, Pacer& pacer, WindowId login)
        : typer_(typer), pacer_(pacer), login_(login) {}

    Keystrokes& pause(Pacer::Clock::duration duration) {
        stopped_ = stopped_ || !pacer_.wait(duration);
        return *this;
    }
    Keystrokes& chord(char32_t letter) {
        if (mayType())
            typer_.pressWithAlt(letter);
        return *this;
    }
    Keystrokes& key(KeyTyper::Key key) {
        if (mayType())
            typer_.press(key);
        return *this;
    }
    Keystrokes& text(std::u32string_view chars) {
        for (const char32_t c : chars) {
            if (!mayType())
                break;
            typer_.type(c);
        }
        return *this;
    }
    bool sentAny() const { return sent_; }

private:
    bool mayType() {
        stopped_ = stopped_ || pacer_.stopRequested() || !typer_.focusIsIn(login_);
        sent_ = sent_ || !stopped_;
        return !stopped_;
    }

    KeyTyper& typer_;
    Pacer& pacer_;
    WindowId login_;
    bool stopped_ = false;
    bool sent_ = false;
};

// Gives back what typing borrowed, however the answer ends.
class FinishTyping {
public:
    explicit FinishTyping(KeyTyper& typer) : typer_(typer) {}
    FinishTyping(const FinishTyping&) = delete;
    FinishTyping& operator=(const FinishTyping&) = delete;
    ~FinishTyping() { typer_.finish(); }

private:
    KeyTyper& typer_;
};

} // namespace

bool Form1::Form_Load() {
    return guarded(kFormLoad, false, [&] {
        std::optional<LogonRequest> request = readLogonRequest(store_);
        if (request)
            request_.emplace(std::move(*request));
        return request_.has_value();
    });
}

void Form1::run(WindowSearch& search, KeyTyper& typer) {
    const Pacer::Clock::time_point start = pacer_.now();
    int tick = 1;
    while (pacer_.sleepUntil(start + tick * kTickInterval) && tmr1_Timer(tick, search, typer)) {
        // A tick that ran long swallows the ticks it covered, as a timer
        // does; they still count, so that the search gives up on time.
        const auto elapsed = static_cast<int>((pacer_.now() - start) / kTickInterval);
        tick = std::max(tick + 1, elapsed + 1);
    }
    if (request_)
        request_->password.wipe();
}

bool Form1::tmr1_Timer(int tick, WindowSearch& search, KeyTyper& typer) {
    if (tick > kLastTick || !request_)
        return false;
    const LogonRequest& request = *request_;
    const std::optional<WindowId> login = guarded(kTimer, std::optional<WindowId>(), [&] {
        return search.findOwnedWindow(kHostFrameClass, kLoginTitle);
    });
    if (!login)
        return true;
    // Keystrokes cannot be taken back: once one has gone out, or after a
    // failure that may have sent some, the answer is never started over. One
    // that could not begin (the window did not get the focus in time) is
    // tried again at the next tick.
    const bool begun = guarded(kTimer, true, [&] { return answer(*login, request, typer); });
    return !begun && !pacer_.stopRequested();
}

bool Form1::answer(WindowId login, const LogonRequest& request, KeyTyper& typer) {
    const FinishTyping finish(typer);
    typer.prepare(U"n");
    typer.prepare(request.username);
    typer.prepare(request.password.view());
    if (!focusInside(login, typer))
        return false;
    Keystrokes keys(typer, pacer_, login);
    keys.pause(kPauseBeforeTyping)
        .chord(U'n')
        .pause(kPauseBetweenSteps)
        .key(KeyTyper::Key::Delete)
        .pause(kPauseBetweenSteps)
        .text(request.username)
        .pause(kPauseBetweenSteps)
        .key(KeyTyper::Key::Tab)
        .pause(kPauseBetweenSteps)
        .key(KeyTyper::Key::Delete)
        .pause(kPauseBetweenSteps);
    if (request.usePassword) {
        keys.text(request.password.view())
            .pause(kPauseBetweenSteps)
            .key(KeyTyper::Key::Enter)
            .pause(kPauseBetweenSteps);
    }
    return keys.sentAny();
}

bool Form1::focusInside(WindowId login, KeyTyper& typer) {
    if (typer.focusIsIn(login))
        return true;
    typer.activate(login);
    const Pacer::Clock::time_point deadline = pacer_.now() + kActivationTimeout;
    while (pacer_.wait(kFocusPoll)) {
        if (typer.focusIsIn(login))
            return true;
        if (pacer_.now() >= deadline)
            return false;
    }
    return false;
}

} // namespace vm::logon
