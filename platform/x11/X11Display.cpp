#include "platform/x11/X11Display.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace vm::x11 {

namespace {

int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

std::string displayName() {
    const char* name = std::getenv("DISPLAY");
    return name ? name : "";
}

} // namespace

X11Display::X11Display() {
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int reason = 0;
    display_ = XkbOpenDisplay(nullptr, nullptr, nullptr, &major, &minor, &reason);
    if (!display_) {
        throw std::runtime_error(reason == XkbOD_ConnectionRefused
                                     ? "Cannot open the X display \"" + displayName() + "\""
                                     : "The X display \"" + displayName() +
                                           "\" has no usable XKB extension");
    }
    int event = 0;
    int error = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        XCloseDisplay(display_);
        throw std::runtime_error("The X display \"" + displayName() + "\" has no XTest extension");
    }
    previousHandler_ = XSetErrorHandler(ignoreError);
}

X11Display::~X11Display() {
    XSync(display_, False);
    XSetErrorHandler(previousHandler_);
    XCloseDisplay(display_);
}

} // namespace vm::x11
