#include "HostProcess.h"

#include "host/dbus/HostBusNames.h"
#include "support/JournalEntries.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

namespace standin::test {

HostProcess::HostProcess() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", folder("config"));
    env.insert("XDG_DATA_HOME", folder("data"));
    env.insert("VELMARIS_HOST_REGISTRY", registryFile());
    env.insert("HOST_STANDIN_JOURNAL", folder("journal.jsonl"));
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

HostProcess::~HostProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

bool HostProcess::start(const QStringList& arguments) {
    process_.start(HOST_STANDIN_EXECUTABLE, arguments);
    if (!process_.waitForStarted())
        return false;
    QDBusConnectionInterface* daemon = QDBusConnection::sessionBus().interface();
    const auto serving = [daemon] {
        return daemon->isServiceRegistered(vm::hostbus::kService).value();
    };
    const auto ended = [this] { return process_.state() == QProcess::NotRunning; };
    return QTest::qWaitFor([&] { return serving() || ended(); }, 10000) && !ended();
}

bool HostProcess::terminate() {
    process_.terminate();
    return waitForExit();
}

bool HostProcess::waitForExit() {
    // Qt Test's wait keeps this program's event loop (and its bus signals) going.
    return QTest::qWaitFor([this] { return process_.state() == QProcess::NotRunning; }, 10000) &&
           process_.exitStatus() == QProcess::NormalExit;
}

QList<QJsonObject> HostProcess::journal() const {
    return vm::test::journalEntries(folder("journal.jsonl"));
}

QStringList HostProcess::journalMembers() const {
    QStringList members;
    for (const QJsonObject& entry : journal())
        members.append(entry["member"].toString());
    return members;
}

} // namespace standin::test
