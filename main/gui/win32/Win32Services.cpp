#include "main/gui/PlatformServices.h"

#include "host/com/ComHostConnection.h"
#include "platform/win32/Win32Shell.h"
#include "settings/win32/Win32HostRegistry.h"

#include <QWidget>

namespace vm {

namespace {

// The Windows shell, the host's registered automation classes (in the UI
// thread's single-threaded apartment, so that the host's events arrive
// through its message loop) and the current user's registry.
class Win32Services : public PlatformServices {
public:
    Shell& shell() override { return shell_; }
    HostConnection& host() override { return host_; }
    HostRegistry& registry() override { return registry_; }
    void setMainWindow(QWidget& window) override {
        // Not made a system window here: with QuickSwitch at start-up the
        // main window stays hidden, and under wine making one costs as much
        // as the QuickSwitch window's whole start.
        shell_.setOwner([&window] { return reinterpret_cast<void*>(window.winId()); });
    }

private:
    ComApartment apartment_;
    Win32Shell shell_;
    ComHostConnection host_;
    Win32HostRegistry registry_;
};

} // namespace

std::unique_ptr<PlatformServices> makePlatformServices() {
    return std::make_unique<Win32Services>();
}

} // namespace vm
