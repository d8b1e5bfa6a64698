#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace standin::test {

// The stand-in host as a separate program, with folders, registry file and
// journal of its own in a fresh temporary folder. Runs offscreen.
class HostProcess {
public:
    HostProcess();
    ~HostProcess();

    // Starts the host and waits until it serves the bus; false on failure.
    bool start(const QStringList& arguments = {});
    // Closes it as a session ending would (SIGTERM) and waits for the end.
    bool terminate();
    bool waitForExit();

    QString folder(const QString& name) const { return dir_.filePath(name); }
    QString registryFile() const { return folder("registry.reg"); }
    QString dataFolder() const { return folder("data/host-standin"); }
    QList<QJsonObject> journal() const;
    QStringList journalMembers() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
};

} // namespace standin::test
