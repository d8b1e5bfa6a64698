#pragma once

#include "Host.h"
#include "HostFrame.h"
#include "LoginDialog.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace standin::test {

inline QString demo(const QString& file) {
    return QStringLiteral(DEMO_DIR "/") + file;
}

// The host and its frame in this process, with files of their own in a
// fresh temporary folder.
struct InProcessHost {
    QTemporaryDir dir;
    Host host{Journal(dir.filePath("journal.jsonl")), dir.filePath("config/profile.json"),
              vm::RegistryFile(registryFile().toStdString()), dir.filePath("data")};
    HostFrame frame{host};

    InProcessHost() { host.setLoginPrompt(&frame); }
    QString registryFile() const { return dir.filePath("registry.reg"); }

    // The login dialog once it is up, or null.
    static LoginDialog* waitForLogin() {
        LoginDialog* dialog = nullptr;
        const bool up = QTest::qWaitFor([&] {
            dialog = qobject_cast<LoginDialog*>(QApplication::activeModalWidget());
            return dialog != nullptr;
        });
        return up ? dialog : nullptr;
    }
};

} // namespace standin::test
