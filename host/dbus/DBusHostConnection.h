#pragma once

#include "host/HostInterface.h"

#include <QDBusConnection>

namespace vm {

// The host's automation objects, reached on the D-Bus session bus where the
// stand-in host serves them. Calls block until the host answers.
class DBusHostConnection : public HostConnection {
public:
    explicit DBusHostConnection(QDBusConnection connection = QDBusConnection::sessionBus())
        : connection_(std::move(connection)) {}

    std::shared_ptr<HostApplication> createApplication() override;
    std::shared_ptr<HostAuxCommands> createAuxCommands() override;
    std::shared_ptr<HostEventControl> createEventControl() override;

private:
    QDBusConnection connection_;
};

} // namespace vm
