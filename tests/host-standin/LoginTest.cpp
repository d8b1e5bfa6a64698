#include "BusObjects.h"
#include "InProcessHost.h"
#include "host/dbus/HostBusNames.h"

#include <QDBusPendingCall>
#include <QJsonArray>
#include <QJsonObject>

namespace standin::test {

class LoginTest : public QObject {
    Q_OBJECT
private slots:
    void rightCredentialsOpenTheDatabase() {
        InProcessHost h;
        h.frame.show();
        h.open("sales.dbf");
        LoginDialog* dialog = InProcessHost::waitForLogin();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Login to Sales Team"));
        QCOMPARE(dialog->parentWidget(), &h.frame);
        QVERIFY(dialog->isModal());
        QVERIFY(!h.opened);

        QVERIFY(InProcessHost::logIn("alice", "wonderland"));
        QTRY_VERIFY(h.opened);
        QCOMPARE(h.opened, QString());
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
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("wrong password") << "Alice"
                                        << "Wonderland" << Qt::Key_Return << "Wrong user name";
        QTest::newRow("unknown user") << "Mallory"
                                      << "wonderland" << Qt::Key_Return << "Wrong user name";
        QTest::newRow("empty answer") << ""
                                      << "" << Qt::Key_Return << "Wrong user name";
        QTest::newRow("cancel") << "Alice"
                                << "wonderland" << Qt::Key_Escape << "cancelled";
    }

    void wrongCredentialsOrCancelRefuseTheOpen() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(Qt::Key, key);
        QFETCH(QString, refusal);
        InProcessHost h;
        h.frame.show();
        h.open("contacts.dbf");
        QCOMPARE(h.opened, QString());

        h.open("sales.dbf");
        QVERIFY(InProcessHost::logIn(user, password, key));
        QTRY_VERIFY(h.opened);
        QVERIFY2(h.opened->contains(refusal), qPrintable(*h.opened));
        QCOMPARE(h.host.current().path, demo("contacts.dbf"));
        QCOMPARE(h.host.current().userName, QStringLiteral("Admin"));
    }

    // The logon program's keystrokes: Alt+N, Delete, name, Tab, Delete,
    // password, Enter, into a dialog that suggests the last user.
    void altNSelectsTheSuggestedNameSoThatTypingReplacesIt() {
        InProcessHost h;
        h.frame.show();
        h.open("support.dbf");
        QVERIFY(InProcessHost::logIn("Carol", "helpdesk"));
        QTRY_COMPARE(h.opened, QString());

        h.open("sales.dbf");
        LoginDialog* dialog = InProcessHost::waitForLogin();
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
        QTRY_VERIFY(h.opened);
        QCOMPARE(h.opened, QString());
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
        QVERIFY(InProcessHost::waitForLogin());
        QVERIFY(!pending.isFinished());

        QVERIFY(InProcessHost::logIn("bob", "builder"));
        QTRY_VERIFY(pending.isFinished());
        QVERIFY2(!pending.isError(), qPrintable(pending.error().message()));
        QDBusConnection::disconnectFromBus("host");
    }
};

static RegisterTest<LoginTest> registration("LoginTest");

} // namespace standin::test

#include "LoginTest.moc"
