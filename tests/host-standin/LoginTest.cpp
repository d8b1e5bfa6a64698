#include "BusObjects.h"
#include "InProcessHost.h"
#include "TestMain.h"
#include "host/dbus/HostBusNames.h"

#include <QDBusPendingCall>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>

namespace standin::test {

namespace {

struct Outcome {
    bool done = false;
    QString refusal;
};

Host::Done recordInto(Outcome& outcome) {
    return [&outcome](const QString& refusal) { outcome = {true, refusal}; };
}

} // namespace

class LoginTest : public QObject {
    Q_OBJECT
private slots:
    void rightCredentialsOpenTheDatabase() {
        InProcessHost h;
        h.frame.show();
        Outcome outcome;
        h.host.openDatabase(demo("sales.dbf"), recordInto(outcome));
        LoginDialog* dialog = InProcessHost::waitForLogin();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Login to Sales Team"));
        QCOMPARE(dialog->parentWidget(), &h.frame);
        QVERIFY(dialog->isModal());
        QVERIFY(!outcome.done);

        QTest::keyClicks(dialog->findChild<QLineEdit*>("userName"), "alice");
        QTest::keyClicks(dialog->findChild<QLineEdit*>("password"), "wonderland");
        QTest::keyClick(dialog, Qt::Key_Return);
        QTRY_VERIFY(outcome.done);
        QCOMPARE(outcome.refusal, QString());
        QCOMPARE(h.host.current().userName, QStringLiteral("Alice"));
        QCOMPARE(h.host.current().path, demo("sales.dbf"));

        const QList<QJsonObject> journal = h.journal();
        QVERIFY(journal.size() >= 2);
        QCOMPARE(journal[0]["member"].toString(), QStringLiteral("LoginShown"));
        const QJsonObject login = journal[1];
        QCOMPARE(login["member"].toString(), QStringLiteral("Login"));
        QCOMPARE(login["args"].toArray(), QJsonArray({demo("sales.dbf"), "alice", "wonderland"}));
        QCOMPARE(login["result"].toString(), QStringLiteral("Alice"));
    }

    void wrongCredentialsOrCancelRefuseTheOpen_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("wrong password") << "Alice"
                                        << "Wonderland" << true << "Wrong user name";
        QTest::newRow("unknown user") << "Mallory"
                                      << "wonderland" << true << "Wrong user name";
        QTest::newRow("empty answer") << ""
                                      << "" << true << "Wrong user name";
        QTest::newRow("cancel") << "Alice"
                                << "wonderland" << false << "cancelled";
    }

    void wrongCredentialsOrCancelRefuseTheOpen() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accept);
        QFETCH(QString, refusal);
        InProcessHost h;
        h.frame.show();
        Outcome opened;
        h.host.openDatabase(demo("contacts.dbf"), recordInto(opened));
        QVERIFY(opened.done && opened.refusal.isEmpty());

        Outcome outcome;
        h.host.openDatabase(demo("sales.dbf"), recordInto(outcome));
        LoginDialog* dialog = InProcessHost::waitForLogin();
        QVERIFY(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("userName"), user);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("password"), password);
        QTest::keyClick(dialog, accept ? Qt::Key_Return : Qt::Key_Escape);
        QTRY_VERIFY(outcome.done);
        QVERIFY2(outcome.refusal.contains(refusal), qPrintable(outcome.refusal));
        QCOMPARE(h.host.current().path, demo("contacts.dbf"));
        QCOMPARE(h.host.current().userName, QStringLiteral("Admin"));
    }

    // The logon program's keystrokes: Alt+N, Delete, name, Tab, Delete,
    // password, Enter, into a dialog that suggests the last user.
    void altNSelectsTheSuggestedNameSoThatTypingReplacesIt() {
        InProcessHost h;
        h.frame.show();
        Outcome first;
        h.host.openDatabase(demo("support.dbf"), recordInto(first));
        LoginDialog* dialog = InProcessHost::waitForLogin();
        QVERIFY(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("userName"), "Carol");
        QTest::keyClicks(dialog->findChild<QLineEdit*>("password"), "helpdesk");
        QTest::keyClick(dialog, Qt::Key_Return);
        QTRY_VERIFY(first.done && first.refusal.isEmpty());

        Outcome second;
        h.host.openDatabase(demo("sales.dbf"), recordInto(second));
        dialog = InProcessHost::waitForLogin();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* name = dialog->findChild<QLineEdit*>("userName");
        QCOMPARE(name->text(), QStringLiteral("Carol"));
        QVERIFY(!name->hasFocus());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
        QVERIFY(name->hasFocus());
        QCOMPARE(name->selectedText(), QStringLiteral("Carol"));

        QTest::keyClick(name, Qt::Key_Delete);
        QTest::keyClicks(name, "Bob");
        QTest::keyClick(name, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QTest::keyClicks(QApplication::focusWidget(), "builder");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(second.done);
        QCOMPARE(second.refusal, QString());
        QCOMPARE(h.host.current().userName, QStringLiteral("Bob"));
    }

    // openDB over the bus is answered only once the login is.
    void openDbOverTheBusWaitsForTheLogin() {
        InProcessHost h;
        h.frame.show();
        QDBusConnection hostBus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "host");
        HostService service(hostBus, h.host);
        QVERIFY(service.start());

        QDBusMessage call =
            QDBusMessage::createMethodCall(vm::hostbus::kService, vm::hostbus::kApplicationPath,
                                           vm::hostbus::kApplicationInterface, "openDB");
        call << demo("sales.dbf");
        QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, 60000);
        LoginDialog* dialog = InProcessHost::waitForLogin();
        QVERIFY(dialog);
        QVERIFY(!pending.isFinished());

        QTest::keyClicks(dialog->findChild<QLineEdit*>("userName"), "bob");
        QTest::keyClicks(dialog->findChild<QLineEdit*>("password"), "builder");
        QTest::keyClick(dialog, Qt::Key_Return);
        QTRY_VERIFY(pending.isFinished());
        QVERIFY2(!pending.isError(), qPrintable(pending.error().message()));
        QDBusConnection::disconnectFromBus("host");
    }
};

static RegisterTest<LoginTest> registration("LoginTest");

} // namespace standin::test

#include "LoginTest.moc"
