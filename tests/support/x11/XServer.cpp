#include "XServer.h"

#include "support/Eventually.h"

#include <X11/Xlib.h>

#include <stdexcept>

namespace vm::test {

namespace {

using namespace std::chrono_literals;

bool windowManagerRuns(const std::string& display) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(connection, DefaultRootWindow(connection),
                       XInternAtom(connection, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                       AnyPropertyType, &type, &format, &items, &after, &data);
    if (data)
        XFree(data);
    XCloseDisplay(connection);
    return items > 0;
}

} // namespace

XServer::XServer(bool withWindowManager) {
    // The server picks a free display and writes its number to the output.
    // Without -noreset it starts over whenever its last client leaves, and
    // refuses the next one meanwhile.
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp",
                                 "-screen", "0", "1280x1024x24"},
        std::map<std::string, std::string>{}, true);
    const std::optional<std::string> number = server_->readLine(10s);
    if (!number)
        throw std::runtime_error("Xvfb did not start");
    display_ = ":" + *number;
    if (!withWindowManager)
        return;
    windowManager_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable"},
        std::map<std::string, std::string>{{"DISPLAY", display_}}, true);
    if (!eventually([&] { return windowManagerRuns(display_); }, 5s))
        throw std::runtime_error("openbox did not start");
}

} // namespace vm::test
