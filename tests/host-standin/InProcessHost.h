#pragma once

#include "ElidedLabel.h"
#include "Host.h"
#include "HostFrame.h"
#include "LoginDialog.h"
#include "TestMain.h"
#include "support/JournalEntries.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace standin::test {

// The host and its frame in this process, with files of their own in a
// fresh temporary folder.
struct InProcessHost {
    QTemporaryDir dir;
    Host host{Journal(dir.filePath("journal.jsonl")), dir.filePath("config/profile.json"),
              vm::RegistryFile(registryFile().toStdString()), dir.filePath("data")};
    HostFrame frame{host};

    // What the last opening came to: empty once opened, else the refusal;
    // nothing while it waits.
    std::optional<QString> opened;

    InProcessHost() { host.setLoginPrompt(&frame); }
    void open(const QString& demoFile) {
        opened.reset();
        host.openDatabase(demo(demoFile), [this](const QString& refusal) { opened = refusal; });
    }
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
        const auto dialog = [] {
            return qobject_cast<LoginDialog*>(QApplication::activeModalWidget());
        };
        return QTest::qWaitFor([&] { return dialog() != nullptr; }) ? dialog() : nullptr;
    }
    // Fills in the login dialog and answers it with `key`; false when none
    // came up.
    static bool logIn(const QString& user, const QString& password, Qt::Key key = Qt::Key_Return) {
        LoginDialog* dialog = waitForLogin();
        if (!dialog)
            return false;
        QTest::keyClicks(dialog->findChild<QLineEdit*>("userName"), user);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("password"), password);
        QTest::keyClick(dialog, key);
        return true;
    }
};

} // namespace standin::test
