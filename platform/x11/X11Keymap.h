#pragma once

#include <X11/XKBlib.h>

#include <optional>
#include <span>
#include <vector>

namespace vm::x11 {

// A key, and the modifier keys to hold while pressing it (Shift, the
// level-three key, the level-five key).
struct KeyStroke {
    KeyCode key;
    std::vector<KeyCode> modifiers;
};

// The keyboard as the server has it at one moment: the XKB keymap, the active
// group and the locked modifiers (Caps Lock, Num Lock).
class X11Keymap {
public:
    explicit X11Keymap(Display* display);
    ~X11Keymap();
    X11Keymap(const X11Keymap&) = delete;
    X11Keymap& operator=(const X11Keymap&) = delete;

    // The stroke that gives one of `keysyms` in the active group with the
    // locked modifiers as they are, with the fewest modifiers held.
    std::optional<KeyStroke> strokeFor(std::span<const KeySym> keysyms) const;
    // A key that carries one of `keysyms` in any group or level, the active
    // group first: for chords, which hold modifiers of their own.
    std::optional<KeyCode> keyCarrying(std::span<const KeySym> keysyms) const;
    // The key whose press sets the Alt modifier.
    std::optional<KeyCode> altKey() const;
    // Keys with no symbols and no modifier: free to borrow.
    std::vector<KeyCode> spareKeys() const;

private:
    struct Modifier {
        unsigned int mask; // the real modifiers its key sets
        KeyCode key;
    };
    std::optional<Modifier> modifierSetBy(std::initializer_list<KeySym> keysyms) const;
    bool carries(KeyCode key, int group, std::span<const KeySym> keysyms) const;

    XkbDescPtr xkb_ = nullptr;
    XkbStateRec state_{};
    // The modifiers that choose a level: Shift, level three, level five.
    std::vector<Modifier> levelModifiers_;
};

} // namespace vm::x11
