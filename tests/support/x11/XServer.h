#pragma once

#include "ChildProcess.h"

#include <memory>
#include <string>

namespace vm::test {

// A virtual X server of the test's own on a free display, with a US keyboard
// and, when asked, a window manager that reparents its clients.
class XServer {
public:
    explicit XServer(bool withWindowManager = false);

    // ":N", for DISPLAY.
    const std::string& display() const { return display_; }

private:
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
    std::string display_;
};

} // namespace vm::test
