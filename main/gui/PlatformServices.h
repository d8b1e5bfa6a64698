#pragma once

#include <memory>

class QWidget;

namespace vm {

class HostConnection;
class HostRegistry;
class Shell;

// What the program takes from the system it runs on, each system its own way,
// made once for the whole run: the shell, the host's automation objects and
// the host's registry.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;
    virtual Shell& shell() = 0;
    virtual HostConnection& host() = 0;
    virtual HostRegistry& registry() = 0;
    // The window that the shell's own messages belong to, once it exists.
    virtual void setMainWindow(QWidget& window) = 0;
};

std::unique_ptr<PlatformServices> makePlatformServices();

} // namespace vm
