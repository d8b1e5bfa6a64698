#include "host/dbus/HostBus.h"

#include "host/HostInterface.h"
#include "host/dbus/HostBusNames.h"

#include <QDBusMessage>

namespace vm {

namespace {

// Errors of the bus and of Qt's side of it mean that the host never answered;
// any other error is the host's own refusal, whose message says why, as a
// refusal over COM comes with its description.
bool isBusError(const QString& errorName) {
    return errorName.startsWith(QLatin1String("org.freedesktop.DBus.")) ||
           errorName.startsWith(QLatin1String("org.qtproject.QtDBus."));
}

} // namespace

QVariant HostBus::call(const QString& path, const char* interface, const char* member,
                       const QVariantList& args, const char* answer, int timeout) const {
    QDBusMessage message =
        QDBusMessage::createMethodCall(hostbus::kService, path, interface, member);
    message.setArguments(args);
    // Starting the host is the launcher's decision, never a side effect of a call.
    message.setAutoStartService(false);
    const QDBusMessage reply = connection_.call(message, QDBus::Block, timeout);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (!isBusError(reply.errorName()))
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
