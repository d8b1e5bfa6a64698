#pragma once

#include "platform/KeyTyper.h"

#include <vector>

namespace vm::win32 {

// Types through SendInput into whatever thread has the keyboard focus. A
// character goes as itself (KEYEVENTF_UNICODE), whatever the keyboard layout;
// Delete, Tab, Enter and the Alt of a mnemonic go as virtual keys, since
// windows act on those as keys rather than as text.
class Win32KeyTyper : public KeyTyper {
public:
    Win32KeyTyper() = default;
    Win32KeyTyper(const Win32KeyTyper&) = delete;
    Win32KeyTyper& operator=(const Win32KeyTyper&) = delete;
    // What finish() could not let go of is wiped with the rest.
    ~Win32KeyTyper() override;

    bool focusIsIn(WindowId window) override;
    void activate(WindowId window) override;
    void prepare(std::u32string_view text) override;
    void type(char32_t character) override;
    void press(Key key) override;
    void pressWithAlt(char32_t letter) override;
    void finish() noexcept override;

    // One key as SendInput presses it; its release carries KEYEVENTF_KEYUP.
    struct KeyDown {
        unsigned short virtualKey;
        unsigned short scanCode;
        unsigned long flags;
    };

private:
    // Presses `keys` in order and lets them go in the opposite order.
    void strike(const std::vector<KeyDown>& keys);
    // Lets go of the keys a refused batch left down, the last pressed first.
    void releaseHeld() noexcept;
    void hold(const KeyDown& key);

    std::vector<KeyDown> held_;
};

} // namespace vm::win32
