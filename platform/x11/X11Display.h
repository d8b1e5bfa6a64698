#pragma once

#include <X11/Xlib.h>

namespace vm::x11 {

// One connection to the X server, with the extensions typing needs (XTest and
// XKB). While it is open, an X error is ignored instead of ending the program
// as Xlib's default handler does: windows of other programs can vanish between
// two requests, and that must be harmless. Every request that can fail that
// way reports it through its own return value.
class X11Display {
public:
    // The display named by $DISPLAY. Throws std::runtime_error when it cannot be opened
    // or lacks an extension.
    X11Display();
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    Display* get() const { return display_; }
    Window root() const { return DefaultRootWindow(display_); }
    Atom atom(const char* name) const { return XInternAtom(display_, name, False); }

private:
    Display* display_ = nullptr;
    XErrorHandler previousHandler_ = nullptr;
};

} // namespace vm::x11
