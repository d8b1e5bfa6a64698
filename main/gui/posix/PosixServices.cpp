#include "main/gui/PlatformServices.h"

#include "host/dbus/DBusHostConnection.h"
#include "platform/qt/QtShell.h"
#include "settings/RegistrySubs.h"

namespace vm {

namespace {

// The desktop's associations through Qt and GIO, the host on the session bus,
// and the host's registry as the shared REGEDIT4 file.
class PosixServices : public PlatformServices {
public:
    Shell& shell() override { return shell_; }
    HostConnection& host() override { return host_; }
    HostRegistry& registry() override { return registry_; }
    // The desktop shell shows no messages of its own.
    void setMainWindow(QWidget&) override {}

private:
    QtShell shell_;
    DBusHostConnection host_;
    RegistryFileBackend registry_;
};

} // namespace

std::unique_ptr<PlatformServices> makePlatformServices() {
    return std::make_unique<PosixServices>();
}

} // namespace vm
