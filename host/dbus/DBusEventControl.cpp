#include "host/dbus/DBusEventControl.h"

#include "host/dbus/HostBusNames.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace vm {

DBusEventControl::~DBusEventControl() {
    listen(false);
}

std::int32_t DBusEventControl::Dispatch1(std::int32_t zero) {
    if (!listen(true))
        return 0;
    try {
        return bus_
            .call(hostbus::kEventControlPath, hostbus::kEventControlInterface, "Subscribe", {zero},
                  "i")
            .toInt();
    } catch (const HostError&) {
        listen(false);
        return 0;
    }
}

void DBusEventControl::Dispatch2() {
    listen(false);
    // Sent without waiting: this runs while the host is closing, and a host
    // that is already gone has nothing left to unsubscribe.
    QDBusMessage message =
        QDBusMessage::createMethodCall(hostbus::kService, hostbus::kEventControlPath,
                                       hostbus::kEventControlInterface, "Unsubscribe");
    message.setAutoStartService(false);
    bus_.connection().send(message);
}

bool DBusEventControl::Dispatch3() {
    QDBusConnectionInterface* daemon = bus_.connection().interface();
    return daemon && daemon->isServiceRegistered(hostbus::kService).value();
}

void DBusEventControl::hostClosing() {
    raiseOnActUserWantsToClose();
}

bool DBusEventControl::listen(bool on) {
    if (on == listening_)
        return true;
    QDBusConnection& connection = bus_.connection();
    const bool done = on ? connection.connect(hostbus::kService, hostbus::kEventControlPath,
                                              hostbus::kEventControlInterface,
                                              hostbus::kCloseSignal, this, SLOT(hostClosing()))
                         : connection.disconnect(hostbus::kService, hostbus::kEventControlPath,
                                                 hostbus::kEventControlInterface,
                                                 hostbus::kCloseSignal, this, SLOT(hostClosing()));
    if (done)
        listening_ = on;
    return done;
}

} // namespace vm
