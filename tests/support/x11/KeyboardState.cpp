#include "KeyboardState.h"

#include "ChildProcess.h"

#include <X11/XKBlib.h>

#include <set>
#include <sstream>
#include <stdexcept>

namespace vm::test {

KeyboardState keyboardState(const std::string& display) {
    ChildProcess dump({"xkbcomp", "-xkb", display, "-"}, {}, true);
    KeyboardState state;
    state.keymap = dump.readRest(std::chrono::seconds(10));
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection)
        throw std::runtime_error("cannot open display " + display);
    char keys[32];
    XQueryKeymap(connection, keys);
    state.keysDown.assign(keys, sizeof keys);
    XkbStateRec xkbState;
    XkbGetState(connection, XkbUseCoreKbd, &xkbState);
    state.modifiers = xkbState.base_mods | xkbState.latched_mods;
    state.lockedModifiers = xkbState.locked_mods;
    XCloseDisplay(connection);
    return state;
}

void lockCapsLock(const std::string& display) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection)
        throw std::runtime_error("cannot open display " + display);
    XkbLockModifiers(connection, XkbUseCoreKbd, LockMask, LockMask);
    XCloseDisplay(connection);
}

namespace {

// Lines of `from` that `to` lacks.
std::string linesMissing(const std::string& from, const std::string& to) {
    std::multiset<std::string> remaining;
    std::istringstream toLines(to);
    for (std::string line; std::getline(toLines, line);)
        remaining.insert(line);
    std::string missing;
    std::istringstream fromLines(from);
    for (std::string line; std::getline(fromLines, line);) {
        if (const auto found = remaining.find(line); found != remaining.end())
            remaining.erase(found);
        else
            missing += "  " + line + "\n";
    }
    return missing;
}

std::string keysDown(const std::string& bits) {
    std::string codes;
    for (std::size_t code = 0; code < bits.size() * 8; ++code) {
        if (bits[code / 8] & (1 << (code % 8)))
            codes += " " + std::to_string(code);
    }
    return codes;
}

} // namespace

std::string changes(const KeyboardState& before, const KeyboardState& after) {
    std::string found;
    if (const std::string gone = linesMissing(before.keymap, after.keymap); !gone.empty())
        found += "keymap lost:\n" + gone;
    if (const std::string added = linesMissing(after.keymap, before.keymap); !added.empty())
        found += "keymap gained:\n" + added;
    if (before.keysDown != after.keysDown)
        found +=
            "keys down:" + keysDown(before.keysDown) + " became" + keysDown(after.keysDown) + "\n";
    if (before.modifiers != after.modifiers || before.lockedModifiers != after.lockedModifiers)
        found += "modifiers " + std::to_string(before.modifiers) + "/" +
                 std::to_string(before.lockedModifiers) + " became " +
                 std::to_string(after.modifiers) + "/" + std::to_string(after.lockedModifiers) +
                 "\n";
    return found;
}

} // namespace vm::test
