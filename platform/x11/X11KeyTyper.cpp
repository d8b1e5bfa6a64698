#include "platform/x11/X11KeyTyper.h"

#include "platform/x11/Keysyms.h"
#include "platform/x11/X11Focus.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdexcept>
#include <vector>

namespace vm::x11 {

namespace {

// Holds keys down and lets them go in the opposite order however the stroke
// ends, so that no key and no modifier stays held.
class HeldKeys {
public:
    explicit HeldKeys(Display* display) : display_(display) {}
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    ~HeldKeys() {
        for (auto key = held_.rbegin(); key != held_.rend(); ++key)
            XTestFakeKeyEvent(display_, *key, False, CurrentTime);
        XFlush(display_);
    }

    void press(KeyCode key) {
        held_.push_back(key);
        XTestFakeKeyEvent(display_, key, True, CurrentTime);
    }

private:
    Display* display_;
    std::vector<KeyCode> held_;
};

void strike(Display* display, const KeyStroke& stroke) {
    HeldKeys held(display);
    for (const KeyCode modifier : stroke.modifiers)
        held.press(modifier);
    held.press(stroke.key);
}

KeySym keysymOf(KeyTyper::Key key) {
    switch (key) {
    case KeyTyper::Key::Delete:
        return XK_Delete;
    case KeyTyper::Key::Tab:
        return XK_Tab;
    case KeyTyper::Key::Enter:
        break;
    }
    return XK_Return;
}

} // namespace

bool X11KeyTyper::focusIsIn(WindowId window) {
    return x11::focusIsIn(display_, window);
}

void X11KeyTyper::activate(WindowId window) {
    requestFocus(display_, window);
}

void X11KeyTyper::prepare(std::u32string_view text) {
    for (const char32_t c : text) {
        const CharacterKeysyms keysyms(c);
        if (!keymap().strokeFor(keysyms.all()))
            borrowed_.reserve(keysyms.preferred(), keymap());
    }
}

void X11KeyTyper::type(char32_t character) {
    const CharacterKeysyms keysyms(character);
    strike(display_.get(), strokeFor(keysyms.all(), keysyms.preferred()));
}

void X11KeyTyper::press(Key key) {
    const KeySym keysym = keysymOf(key);
    strike(display_.get(), strokeFor({&keysym, 1}, keysym));
}

void X11KeyTyper::pressWithAlt(char32_t letter) {
    const std::optional<KeyCode> alt = keymap().altKey();
    if (!alt)
        throw std::runtime_error("The keyboard has no Alt key");
    const CharacterKeysyms keysyms(letter);
    const std::optional<KeyCode> key = keymap().keyCarrying(keysyms.all());
    strike(display_.get(),
           KeyStroke{key ? *key : borrowed_.lend(keysyms.preferred(), keymap()), {*alt}});
}

void X11KeyTyper::finish() noexcept {
    borrowed_.giveBack();
    keymap_.reset();
}

const X11Keymap& X11KeyTyper::keymap() {
    if (!keymap_)
        keymap_.emplace(display_.get());
    return *keymap_;
}

KeyStroke X11KeyTyper::strokeFor(std::span<const KeySym> keysyms, KeySym toLend) {
    if (std::optional<KeyStroke> stroke = keymap().strokeFor(keysyms))
        return *stroke;
    return {borrowed_.lend(toLend, keymap()), {}};
}

} // namespace vm::x11
