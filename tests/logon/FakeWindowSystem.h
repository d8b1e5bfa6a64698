#pragma once

#include "base/Utf8.h"
#include "logon/Pacer.h"
#include "platform/KeyTyper.h"
#include "platform/WindowSearch.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

namespace vm::test {

using std::chrono::milliseconds;

// Time that passes only when the companion sleeps, or when a fake says so.
class FakePacer : public logon::Pacer {
public:
    Clock::time_point now() override { return clock_; }
    bool sleepUntil(Clock::time_point when) override {
        if (stopRequested())
            return false;
        ++sleeps_;
        clock_ = std::max(clock_, when);
        return !stopRequested();
    }
    // A stop signal arrives during the given sleep (counted from 1).
    bool stopRequested() override { return stopDuringSleep && sleeps_ >= *stopDuringSleep; }

    void pass(milliseconds duration) { clock_ += duration; }
    milliseconds elapsed() const {
        return std::chrono::duration_cast<milliseconds>(clock_ - kStart);
    }

    std::optional<int> stopDuringSleep;

private:
    static constexpr Clock::time_point kStart = Clock::time_point(std::chrono::hours(1));
    Clock::time_point clock_ = kStart;
    int sleeps_ = 0;
};

inline constexpr WindowId kLoginWindow = 42;

class FakeWindowSearch : public WindowSearch {
public:
    explicit FakeWindowSearch(FakePacer& pacer) : pacer_(pacer) {}

    std::optional<WindowId> findOwnedWindow(std::string_view frameClassPart,
                                            std::string_view titlePart) override {
        ++searches;
        frameClass = frameClassPart;
        title = titlePart;
        pacer_.pass(searchTakes);
        if (searches <= failingSearches)
            throw std::runtime_error("BadWindow");
        if (appearsAfter && pacer_.elapsed() >= *appearsAfter)
            return kLoginWindow;
        return std::nullopt;
    }

    std::optional<milliseconds> appearsAfter; // never, unless set
    milliseconds searchTakes{0};
    int failingSearches = 0;
    int searches = 0;
    std::string frameClass;
    std::string title;

private:
    FakePacer& pacer_;
};

// Writes what it is asked to send as text: characters as themselves, keys
// in braces.
class FakeKeyTyper : public KeyTyper {
public:
    explicit FakeKeyTyper(FakePacer& pacer) : pacer_(pacer) {}

    bool focusIsIn(WindowId window) override {
        if (focusLeavesAfter && keystrokes >= *focusLeavesAfter)
            focused = false;
        return focused && window == kLoginWindow;
    }
    void activate(WindowId window) override {
        activated.push_back(window);
        focused = activationWorks;
    }
    void prepare(std::u32string_view text) override { prepared += text; }
    void type(char32_t character) override {
        if (failOnType)
            throw std::runtime_error("no spare key");
        send("", character, "");
    }
    void press(Key key) override {
        send(key == Key::Delete ? "{DEL}" : key == Key::Tab ? "{TAB}" : "{ENTER}");
    }
    void pressWithAlt(char32_t letter) override { send("{ALT+", letter, "}"); }
    void finish() override { ++finished; }

    bool focused = true;
    bool activationWorks = true;
    std::optional<int> focusLeavesAfter; // keystrokes
    bool failOnType = false;

    std::string sent;
    std::vector<milliseconds> sentAt;
    int keystrokes = 0;
    std::vector<WindowId> activated;
    std::u32string prepared;
    int finished = 0;

private:
    void send(const char* before, char32_t character = 0, const char* after = "") {
        sent += before;
        if (character)
            utf8::append(sent, character);
        sent += after;
        sentAt.push_back(pacer_.elapsed());
        ++keystrokes;
    }

    FakePacer& pacer_;
};

} // namespace vm::test
