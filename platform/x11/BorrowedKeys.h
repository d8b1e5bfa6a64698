#pragma once

#include "platform/x11/X11Keymap.h"

#include <X11/Xlib.h>

#include <chrono>
#include <vector>

namespace vm::x11 {

// Keys without symbols, lent to characters that the layout lacks and given
// back afterwards.
//
// A program that receives a keystroke turns its key into a symbol with the
// keyboard map it holds, and it fetches a changed map only when it gets round
// to the change notice, which may be a while after the keystrokes were sent.
// So a key keeps its loan until the typing is over plus a pause, and is lent
// afresh only when no spare key is left and its last keystroke is that pause
// old.
class BorrowedKeys {
public:
    static constexpr std::chrono::milliseconds kCatchUp{200};

    explicit BorrowedKeys(Display* display) : display_(display) {}
    ~BorrowedKeys() { giveBack(); }
    BorrowedKeys(const BorrowedKeys&) = delete;
    BorrowedKeys& operator=(const BorrowedKeys&) = delete;

    // Lends a spare key to `keysym` ahead of typing, while spare keys last.
    // Throws std::runtime_error when the keyboard has no key to spare at all.
    void reserve(KeySym keysym, const X11Keymap& keymap);
    // A key that gives `keysym` at every level, for a keystroke now.
    KeyCode lend(KeySym keysym, const X11Keymap& keymap);
    // Gives every lent key its symbols back (it had none).
    void giveBack() noexcept;

private:
    using Clock = std::chrono::steady_clock;
    struct Loan {
        KeyCode key;
        KeySym keysym;
        Clock::time_point lastUsed;
    };
    Loan* loanOf(KeySym keysym);
    Loan* lendSpare(KeySym keysym, const X11Keymap& keymap);
    Loan& relend(KeySym keysym);
    bool put(KeyCode key, KeySym keysym) noexcept;

    Display* display_;
    std::vector<KeyCode> spare_;
    bool spareKnown_ = false;
    // The symbols lent may be those of a password: wiped when given back.
    std::vector<Loan> loans_;
};

} // namespace vm::x11
