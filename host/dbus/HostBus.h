#pragma once

#include <QDBusConnection>
#include <QVariant>

#include <limits>

namespace vm {

// Blocking calls to the stand-in host. A refused call (any error reply that is
// not the bus's own), a host that is not there and an answer of the wrong type
// all throw HostError.
class HostBus {
public:
    // openDB can wait for minutes while the host's login window is up; the
    // bus's own default would give up after 25 seconds.
    static constexpr int kPatient = std::numeric_limits<int>::max();
    static constexpr int kBusDefault = -1;

    explicit HostBus(QDBusConnection connection) : connection_(std::move(connection)) {}

    // `answer` is the D-Bus signature the host must answer with ("" for none).
    QVariant call(const QString& path, const char* interface, const char* member,
                  const QVariantList& args, const char* answer, int timeout = kBusDefault) const;

    QDBusConnection& connection() { return connection_; }

private:
    QDBusConnection connection_;
};

} // namespace vm
