#pragma once

#include "platform/WindowSearch.h"

#include <string_view>

namespace vm {

// Sends keystrokes to the window that has the keyboard focus, as if the user
// typed them. No call leaves a key or a modifier held, also when it fails.
class KeyTyper {
public:
    enum class Key { Delete, Tab, Enter };

    virtual ~KeyTyper() = default;

    // Whether the keyboard focus is `window` or a window inside it.
    virtual bool focusIsIn(WindowId window) = 0;
    // Asks for the keyboard focus to move to `window`; it may arrive a moment
    // later, or never.
    virtual void activate(WindowId window) = 0;

    // Makes every character of `text` typable before the first keystroke, so
    // that a character that cannot be typed fails before anything is sent.
    virtual void prepare(std::u32string_view text) = 0;
    // Types the character itself, whatever the keyboard layout.
    virtual void type(char32_t character) = 0;
    virtual void press(Key key) = 0;
    // A mnemonic: `letter`'s key pressed while Alt is held.
    virtual void pressWithAlt(char32_t letter) = 0;
    // Gives back whatever typing borrowed from the keyboard. Called once the
    // keystrokes are over, also after a failure.
    virtual void finish() = 0;
};

} // namespace vm
