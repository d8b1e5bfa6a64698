#pragma once
// The hand and the eye a road test has on the desktop of the system it is
// built for: the X server through xdotool on Linux; SendInput and the X
// server's own pointer under wine. A road test written against it runs on
// both.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vm::test {

// A window as the desktop names it: an X window, or a window handle.
using WindowId = std::uintptr_t;

// A window's client area, on the screen.
struct ScreenBox {
    int x = 0, y = 0, width = 0, height = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // The visible top-level windows titled so, from the bottom of the stack
    // up: a message box stands above the window that shares its title.
    // `anyProgram`: not only Velmaris's own (the host's frame, for one).
    virtual std::vector<WindowId> windowsTitled(const std::string& title,
                                                bool anyProgram = false) = 0;
    virtual ScreenBox clientArea(WindowId window) = 0;
    // Whether the window stays above every other.
    virtual bool isTopmost(WindowId window) = 0;
    // Gives the window the keyboard; true once it has it.
    virtual bool focus(WindowId window) = 0;

    virtual void click(int x, int y, int times = 1) = 0;
    // Pressed, moved at a hand's pace and let go, as a window manager
    // follows a hand on the mouse.
    virtual void drag(int fromX, int fromY, int toX, int toY) = 0;
    // Keys by their X names, a modifier joined with "+": "Return", "Tab",
    // "alt+r", "2".
    virtual void keys(const std::vector<std::string>& names) = 0;
    virtual void type(const std::string& text) = 0;
};

// The desktop of the system the tests run on. `display`: the X display
// (Linux; under wine the one wine draws on); `windowManager`: whether one
// runs there, which decides how a window is given the focus.
std::unique_ptr<Desktop> makeDesktop(const std::string& display, bool windowManager);

} // namespace vm::test
