#pragma once

#include "platform/x11/X11Display.h"

namespace vm::x11 {

// Whether the keyboard focus is `window` or a window inside it.
bool focusIsIn(const X11Display& display, Window window);

// Asks for the focus to move to `window`: through the window manager where
// one runs (a focus set behind its back confuses it), else directly.
void requestFocus(const X11Display& display, Window window);

} // namespace vm::x11
