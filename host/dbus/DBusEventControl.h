#pragma once

#include "host/HostInterface.h"
#include "host/dbus/HostBus.h"

#include <QObject>

namespace vm {

// The host's event control over the bus: the subscription is a match on the
// host's close signal plus the host's own count of subscribers.
class DBusEventControl : public QObject, public HostEventControl {
    Q_OBJECT
public:
    explicit DBusEventControl(QDBusConnection connection) : bus_(std::move(connection)) {}
    ~DBusEventControl() override;

    std::int32_t Dispatch1(std::int32_t zero) override;
    void Dispatch2() override;
    bool Dispatch3() override;

private slots:
    void hostClosing();

private:
    bool listen(bool on);

    HostBus bus_;
    bool listening_ = false;
};

} // namespace vm
