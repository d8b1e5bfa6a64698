#pragma once

#include "platform/KeyTyper.h"
#include "platform/x11/BorrowedKeys.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Keymap.h"

#include <optional>

namespace vm::x11 {

// Types through the XTest extension. Each character is looked up in the
// keyboard map as it stands when typing begins, in the active group, and
// typed with the Shift and level keys that the map asks for; a character
// that the map lacks is typed on a borrowed spare key.
class X11KeyTyper : public KeyTyper {
public:
    explicit X11KeyTyper(X11Display& display) : display_(display), borrowed_(display.get()) {}
    ~X11KeyTyper() override { finish(); }

    bool focusIsIn(WindowId window) override;
    void activate(WindowId window) override;
    void prepare(std::u32string_view text) override;
    void type(char32_t character) override;
    void press(Key key) override;
    void pressWithAlt(char32_t letter) override;
    void finish() noexcept override;

private:
    const X11Keymap& keymap();
    // The stroke that gives one of `keysyms`, on a key lent to `toLend` when
    // the map has none.
    KeyStroke strokeFor(std::span<const KeySym> keysyms, KeySym toLend);

    X11Display& display_;
    std::optional<X11Keymap> keymap_;
    BorrowedKeys borrowed_;
};

} // namespace vm::x11
