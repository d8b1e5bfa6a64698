#pragma once

#include "ElidedLabel.h"
#include "Host.h"
#include "HostFrame.h"
#include "LoginDialog.h"
#include "support/JournalEntries.h"

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
    QList<QJsonObject> journal() const {
        return vm::test::journalEntries(dir.filePath("journal.jsonl"));
    }
    // The whole text of one of the frame's values.
    QString shown(const char* value) const {
        return frame.findChild<ElidedLabel*>(value)->fullText();
    }

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
