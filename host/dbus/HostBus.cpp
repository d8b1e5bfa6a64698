#include "host/dbus/HostBus.h"

#include "host/HostInterface.h"
#include "host/dbus/HostBusNames.h"

#include <QDBusMessage>

namespace vm {

QVariant HostBus::call(const QString& path, const char* interface, const char* member,
                       const QVariantList& args, const char* answer, int timeout) const {
    QDBusMessage message =
        QDBusMessage::createMethodCall(hostbus::kService, path, interface, member);
    message.setArguments(args);
    // Starting the host is the launcher's decision, never a side effect of a call.
    message.setAutoStartService(false);
    const QDBusMessage reply = connection_.call(message, QDBus::Block, timeout);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName() == QLatin1String(hostbus::kRefusedError))
            throw HostError(reply.errorMessage().toStdString());
        throw HostError("The host did not answer " + std::string(member) + ": " +
                        reply.errorMessage().toStdString() + " (" +
                        reply.errorName().toStdString() + ")");
    }
    if (reply.signature() != QLatin1String(answer))
        throw HostError("The host answered " + std::string(member) + " with \"" +
                        reply.signature().toStdString() + "\" instead of \"" + answer + "\"");
    return reply.arguments().value(0);
}

} // namespace vm
