#pragma once

#include <string>

namespace vm::test {

// What the keyboard of an X server leaves behind: its whole map, and the keys
// and modifiers held down or locked.
struct KeyboardState {
    std::string keymap;
    std::string keysDown;
    unsigned int modifiers = 0;
    unsigned int lockedModifiers = 0;
};

KeyboardState keyboardState(const std::string& display);

void lockCapsLock(const std::string& display);

// What changed from `before` to `after`, readably; empty when nothing did.
std::string changes(const KeyboardState& before, const KeyboardState& after);

} // namespace vm::test
