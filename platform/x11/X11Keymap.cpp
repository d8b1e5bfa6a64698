#include "platform/x11/X11Keymap.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace vm::x11 {

X11Keymap::X11Keymap(Display* display) {
    xkb_ = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
    if (!xkb_ || XkbGetState(display, XkbUseCoreKbd, &state_) != Success) {
        if (xkb_)
            XkbFreeKeyboard(xkb_, 0, True);
        throw std::runtime_error("Cannot read the keyboard map of the X display");
    }
    for (const auto& keysyms : {std::initializer_list<KeySym>{XK_Shift_L, XK_Shift_R},
                                {XK_ISO_Level3_Shift},
                                {XK_ISO_Level5_Shift}}) {
        if (const std::optional<Modifier> modifier = modifierSetBy(keysyms))
            levelModifiers_.push_back(*modifier);
    }
}

X11Keymap::~X11Keymap() {
    XkbFreeKeyboard(xkb_, 0, True);
}

std::optional<KeyStroke> X11Keymap::strokeFor(std::span<const KeySym> keysyms) const {
    // Every choice among the level modifiers, the fewest first.
    std::vector<unsigned int> choices(1u << levelModifiers_.size());
    for (unsigned int choice = 0; choice < choices.size(); ++choice)
        choices[choice] = choice;
    std::stable_sort(choices.begin(), choices.end(),
                     [](unsigned a, unsigned b) { return std::popcount(a) < std::popcount(b); });
    for (const unsigned int choice : choices) {
        KeyStroke stroke{0, {}};
        unsigned int held = 0;
        for (std::size_t i = 0; i < levelModifiers_.size(); ++i) {
            if (choice & (1u << i)) {
                held |= levelModifiers_[i].mask;
                stroke.modifiers.push_back(levelModifiers_[i].key);
            }
        }
        const unsigned int state = XkbBuildCoreState(held | state_.locked_mods, state_.group);
        for (int key = xkb_->min_key_code; key <= xkb_->max_key_code; ++key) {
            unsigned int consumed = 0;
            KeySym keysym = NoSymbol;
            if (!XkbTranslateKeyCode(xkb_, static_cast<KeyCode>(key), state, &consumed, &keysym))
                continue;
            // Caps Lock that the key does not use up turns the symbol into its
            // capital in the receiving program.
            if ((state_.locked_mods & LockMask) && !(consumed & LockMask)) {
                KeySym lower = NoSymbol;
                XConvertCase(keysym, &lower, &keysym);
            }
            if (std::find(keysyms.begin(), keysyms.end(), keysym) != keysyms.end()) {
                stroke.key = static_cast<KeyCode>(key);
                return stroke;
            }
        }
    }
    return std::nullopt;
}

bool X11Keymap::carries(KeyCode key, int group, std::span<const KeySym> keysyms) const {
    if (group >= XkbKeyNumGroups(xkb_, key))
        return false;
    const int levels = XkbKeyGroupWidth(xkb_, key, group);
    for (int level = 0; level < levels; ++level) {
        const KeySym keysym = XkbKeySymEntry(xkb_, key, level, group);
        if (std::find(keysyms.begin(), keysyms.end(), keysym) != keysyms.end())
            return true;
    }
    return false;
}

std::optional<KeyCode> X11Keymap::keyCarrying(std::span<const KeySym> keysyms) const {
    std::vector<int> groups{state_.group};
    for (int group = 0; group < XkbNumKbdGroups; ++group) {
        if (group != state_.group)
            groups.push_back(group);
    }
    for (const int group : groups) {
        for (int key = xkb_->min_key_code; key <= xkb_->max_key_code; ++key) {
            if (carries(static_cast<KeyCode>(key), group, keysyms))
                return static_cast<KeyCode>(key);
        }
    }
    return std::nullopt;
}

std::optional<KeyCode> X11Keymap::altKey() const {
    const std::optional<Modifier> alt = modifierSetBy({XK_Alt_L, XK_Alt_R, XK_Meta_L});
    return alt ? std::optional<KeyCode>(alt->key) : std::nullopt;
}

std::vector<KeyCode> X11Keymap::spareKeys() const {
    std::vector<KeyCode> spare;
    for (int key = xkb_->min_key_code; key <= xkb_->max_key_code; ++key) {
        if (XkbKeyNumSyms(xkb_, key) == 0 && xkb_->map->modmap[key] == 0)
            spare.push_back(static_cast<KeyCode>(key));
    }
    return spare;
}

// The first key, in the order of `keysyms`, whose first symbol is one of them
// and which sets a modifier.
std::optional<X11Keymap::Modifier>
X11Keymap::modifierSetBy(std::initializer_list<KeySym> keysyms) const {
    for (const KeySym wanted : keysyms) {
        for (int key = xkb_->min_key_code; key <= xkb_->max_key_code; ++key) {
            if (XkbKeyNumSyms(xkb_, key) > 0 && XkbKeySymEntry(xkb_, key, 0, 0) == wanted &&
                xkb_->map->modmap[key] != 0)
                return Modifier{xkb_->map->modmap[key], static_cast<KeyCode>(key)};
        }
    }
    return std::nullopt;
}

} // namespace vm::x11
