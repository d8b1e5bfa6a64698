#include "platform/x11/X11Focus.h"

#include "platform/x11/X11Properties.h"

#include <algorithm>

namespace vm::x11 {

namespace {

// A request on behalf of the user, as a pager or taskbar sends it: window
// managers honour it even when they guard against focus stealing.
constexpr long kSourceIsUser = 2;

// The window manager announces what it supports on the root window, and
// proves it still runs through a window of its own that names itself.
bool windowManagerActivates(const X11Display& display) {
    Display* dpy = display.get();
    const Atom check = display.atom("_NET_SUPPORTING_WM_CHECK");
    const std::optional<Window> manager = windowProperty(dpy, display.root(), check);
    if (!manager || windowProperty(dpy, *manager, check) != manager)
        return false;
    const std::vector<Atom> supported =
        atomListProperty(dpy, display.root(), display.atom("_NET_SUPPORTED"));
    return std::find(supported.begin(), supported.end(), display.atom("_NET_ACTIVE_WINDOW")) !=
           supported.end();
}

} // namespace

bool focusIsIn(const X11Display& display, Window window) {
    Display* dpy = display.get();
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(dpy, &focus, &revertTo);
    while (focus != None && focus != PointerRoot && focus != display.root()) {
        if (focus == window)
            return true;
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(dpy, focus, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        focus = parent;
    }
    return false;
}

void requestFocus(const X11Display& display, Window window) {
    Display* dpy = display.get();
    if (windowManagerActivates(display)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = display.atom("_NET_ACTIVE_WINDOW");
        event.xclient.format = 32;
        event.xclient.data.l[0] = kSourceIsUser;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy, display.root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &event);
    } else {
        // Fails harmlessly (BadMatch) when the window has just been hidden.
        XSetInputFocus(dpy, window, RevertToParent, CurrentTime);
    }
    XFlush(dpy);
}

} // namespace vm::x11
