#include "HostProcess.h"
#include "TestMain.h"
#include "host-standin/core/Refusal.h"
#include "host/dbus/DBusHostConnection.h"
#include "host/dbus/HostBusNames.h"

#include <QDBusPendingCall>
#include <QFileInfo>
#include <QJsonArray>
#include <QTest>

namespace standin::test {

namespace {

std::string demo(const char* file) {
    return std::string(DEMO_DIR "/") + file;
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

template <class Call> QString hostErrorOf(Call call) {
    try {
        call();
    } catch (const vm::HostError& e) {
        return e.number() == vm::err::kHostAutomation ? QString::fromUtf8(e.what())
                                                      : QStringLiteral("wrong error number");
    }
    return QStringLiteral("no error");
}

#define EXPECT_HOST_ERROR(call, fragment)                                                          \
    do {                                                                                           \
        const QString error = hostErrorOf([&] { call; });                                          \
        QVERIFY2(error.contains(fragment), qPrintable(#call " gave: " + error));                   \
    } while (false)

} // namespace

class DBusAdapterTest : public QObject {
    Q_OBJECT
private slots:
    void everyMemberRoundTripsAndIsJournaled() {
        HostProcess host;
        QVERIFY(host.start());
        vm::DBusHostConnection connection;
        auto app = connection.createApplication();
        QCOMPARE(app->GetCurrentUserName(), std::string());
        app->OpenFile("");
        app->openDB(demo("contacts.dbf"));
        QCOMPARE(app->GetOpenDBName(), demo("contacts.dbf"));
        QCOMPARE(app->GetCurrentUserName(), std::string("Admin"));
        QCOMPARE(text(app->GetAppPath()), host.dataFolder());
        QVERIFY(QFileInfo(host.dataFolder()).isWritable());
        app->Views()->Create(5, "V")->SetCalendarMode(302);
        app->RunMacro(demo("welcome.mpr"));

        auto prefs = app->Preferences();
        prefs->DefaultContactLayout(demo("sales.cly"));
        prefs->DefaultGroupLayout(demo("standard.gly"));
        prefs->StartupMacro(demo("welcome.mpr"));
        QCOMPARE(prefs->DefaultContactLayout(), demo("sales.cly"));
        QCOMPARE(prefs->DefaultGroupLayout(), demo("standard.gly"));
        QCOMPARE(prefs->StartupMacro(), demo("welcome.mpr"));
        QVERIFY(!prefs->UseLastDBonStartup());
        QCOMPARE(text(prefs->GetDefaultLocation(0)), host.dataFolder() + "/Databases");
        QCOMPARE(text(prefs->GetDefaultLocation(6)), host.dataFolder() + "/Layouts");
        QCOMPARE(text(prefs->GetDefaultLocation(7)), host.dataFolder() + "/Macros");

        auto aux = connection.createAuxCommands();
        QCOMPARE(aux->AuxCommandExists("Velmaris"), 0);
        QCOMPARE(aux->AddAuxCommandToToolbar(2, "Velmaris"), 1);
        QCOMPARE(
            aux->AddAuxCommand({"Velmaris", "/opt/velmaris/Velmaris", "/opt/velmaris", "Velmaris",
                                "Click to launch Velmaris", "/opt/velmaris/Velmaris.ico",
                                "/opt/velmaris/Velmaris32.ico", 1}),
            0);
        QCOMPARE(aux->AuxCommandExists("Velmaris"), 1);
        QCOMPARE(aux->AddAuxCommandToToolbar(2, "Velmaris"), 0);
        QCOMPARE(aux->AddAuxCommandToToolsMenu(6, "Velmaris"), 0);
        QCOMPARE(aux->AuxCommandExistsInToolbar(2, "Velmaris"), 1);
        QCOMPARE(aux->AuxCommandExistsInToolbar(6, "Velmaris"), 0);
        QCOMPARE(aux->AuxCommandExistsInToolsMenu(6, "Velmaris"), 1);
        QCOMPARE(aux->RemoveAuxCommandFromToolbar(2, "Velmaris"), 0);
        QCOMPARE(aux->RemoveAuxCommandFromToolsMenu(6, "Velmaris"), 0);
        QCOMPARE(aux->AuxCommandExistsInToolbar(2, "Velmaris"), 0);
        QCOMPARE(aux->AuxCommandExistsInToolsMenu(6, "Velmaris"), 0);

        auto events = connection.createEventControl();
        QCOMPARE(events->Dispatch1(0), 1);
        QVERIFY(events->Dispatch3());
        events->Dispatch2();
        app->Command(150);
        QVERIFY(host.waitForExit());

        QCOMPARE(host.journalMembers(),
                 QString("GetCurrentUserName OpenFile openDB GetOpenDBName GetCurrentUserName "
                         "GetAppPath Create SetCalendarMode RunMacro SetDefaultContactLayout "
                         "SetDefaultGroupLayout SetStartupMacro DefaultContactLayout "
                         "DefaultGroupLayout StartupMacro UseLastDBonStartup GetDefaultLocation "
                         "GetDefaultLocation GetDefaultLocation AuxCommandExists "
                         "AddAuxCommandToToolbar AddAuxCommand AuxCommandExists "
                         "AddAuxCommandToToolbar AddAuxCommandToToolsMenu "
                         "AuxCommandExistsInToolbar AuxCommandExistsInToolbar "
                         "AuxCommandExistsInToolsMenu RemoveAuxCommandFromToolbar "
                         "RemoveAuxCommandFromToolsMenu AuxCommandExistsInToolbar "
                         "AuxCommandExistsInToolsMenu Subscribe Unsubscribe Command")
                     .split(' '));
        const QJsonObject create = host.journal().at(6);
        QCOMPARE(create["args"].toArray(), QJsonArray({5, "V"}));
        QCOMPARE(create["result"].toString(), QStringLiteral("/Application/Views/1"));
    }

    void refusalsAndAnAbsentHostArriveAsHostErrors() {
        HostProcess host;
        QVERIFY(host.start());
        vm::DBusHostConnection connection;
        auto app = connection.createApplication();
        auto aux = connection.createAuxCommands();
        EXPECT_HOST_ERROR(app->openDB(demo("missing.dbf")), "does not exist");
        EXPECT_HOST_ERROR(app->openDB(demo("standard.cly")), "not a host database");
        EXPECT_HOST_ERROR(app->openDB(""), "No database file");
        EXPECT_HOST_ERROR(app->Views()->Create(1, "V"), "No database is open");
        app->openDB(demo("contacts.dbf"));
        EXPECT_HOST_ERROR(app->Views()->Create(6, "V"), "no view type 6");
        auto contacts = app->Views()->Create(1, "V");
        EXPECT_HOST_ERROR(contacts->SetCalendarMode(300), "calendar view");
        EXPECT_HOST_ERROR(app->Views()->Create(5, "V")->SetCalendarMode(299), "no calendar mode");
        EXPECT_HOST_ERROR(app->RunMacro(demo("missing.mpr")), "does not exist");
        EXPECT_HOST_ERROR(app->Command(151), "no command 151");
        EXPECT_HOST_ERROR(app->Preferences()->GetDefaultLocation(3), "no default location");
        QCOMPARE(aux->AddAuxCommand({"", "/bin/true", "", "", "", "", "", 1}), 1);
        EXPECT_HOST_ERROR(aux->AuxCommandExistsInToolbar(7, "Velmaris"), "no view 7");

        const QJsonObject refused = host.journal().last();
        QCOMPARE(refused["member"].toString(), QStringLiteral("AuxCommandExistsInToolbar"));
        QCOMPARE(refused["error"]["name"].toString(), QString(standin::core::kRefusedError));

        auto events = connection.createEventControl();
        QVERIFY(host.terminate());
        EXPECT_HOST_ERROR(app->GetOpenDBName(), "did not answer GetOpenDBName");
        QVERIFY(!events->Dispatch3());
        QCOMPARE(events->Dispatch1(0), 0);
    }

    void theCloseEventReachesSubscribersOnly() {
        HostProcess host;
        QVERIFY(host.start());
        // Both on one connection: ending one subscription must not end the other.
        vm::DBusHostConnection connection;
        auto subscribed = connection.createEventControl();
        auto unsubscribed = connection.createEventControl();
        int heard = 0;
        int heardByUnsubscribed = 0;
        subscribed->OnActUserWantsToClose([&] { ++heard; });
        unsubscribed->OnActUserWantsToClose([&] { ++heardByUnsubscribed; });
        QCOMPARE(subscribed->Dispatch1(0), 1);
        QCOMPARE(unsubscribed->Dispatch1(0), 2);
        unsubscribed->Dispatch2();
        // Dispatch2 does not wait; a call on the same connection does.
        QCOMPARE(connection.createApplication()->GetOpenDBName(), std::string());

        // The host closes the way its user closes it.
        QVERIFY(host.terminate());
        QTRY_COMPARE(heard, 1);
        // What must not come has no sign to wait for: a stray event gets a moment more.
        QTest::qWait(100);
        QCOMPARE(heardByUnsubscribed, 0);
        QCOMPARE(host.journalMembers().count("Unsubscribe"), 1);
    }

    void aLoginStillOpenWhenTheHostClosesFailsTheOpen() {
        HostProcess host;
        QVERIFY(host.start());
        QDBusMessage call =
            QDBusMessage::createMethodCall(vm::hostbus::kService, vm::hostbus::kApplicationPath,
                                           vm::hostbus::kApplicationInterface, "openDB");
        call << text(demo("sales.dbf"));
        QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, 60000);
        // On the same connection, so the host has taken the openDB first.
        vm::DBusHostConnection connection;
        QCOMPARE(connection.createApplication()->GetOpenDBName(), std::string());
        QVERIFY(!pending.isFinished());

        QVERIFY(host.terminate());
        pending.waitForFinished();
        QVERIFY(pending.isError());
        QCOMPARE(pending.error().name(), QString(standin::core::kRefusedError));
        QVERIFY2(pending.error().message().contains("cancelled"),
                 qPrintable(pending.error().message()));
        QCOMPARE(host.journal().at(0)["member"].toString(), QStringLiteral("LoginShown"));
        QCOMPARE(host.journal().at(1)["member"].toString(), QStringLiteral("GetOpenDBName"));
        QCOMPARE(host.journal().at(2)["member"].toString(), QStringLiteral("Login"));
    }
};

static RegisterTest<DBusAdapterTest> registration("DBusAdapterTest");

} // namespace standin::test

#include "DBusAdapterTest.moc"
