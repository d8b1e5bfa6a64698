#include "HostProcess.h"
#include "InProcessHost.h"
#include "host/dbus/DBusHostConnection.h"

#include <QSignalSpy>

namespace standin::test {

class PersistenceTest : public QObject {
    Q_OBJECT
private slots:
    void preferencesAndCommandsSurviveARestart() {
        HostProcess host;
        QVERIFY(host.start());
        vm::DBusHostConnection connection;
        {
            auto app = connection.createApplication();
            auto prefs = app->Preferences();
            prefs->DefaultContactLayout("/layouts/sales.cly");
            prefs->DefaultGroupLayout("/layouts/groups.gly");
            prefs->StartupMacro("/macros/welcome.mpr");
            auto aux = connection.createAuxCommands();
            QCOMPARE(
                aux->AddAuxCommand({"Velmaris", "/opt/velmaris/Velmaris", "", "", "", "", "", 1}),
                0);
            QCOMPARE(aux->AddAuxCommandToToolbar(3, "Velmaris"), 0);
            QCOMPARE(aux->AddAuxCommandToToolsMenu(4, "Velmaris"), 0);
            app->Command(150);
            QVERIFY(host.waitForExit());
        }
        QVERIFY(host.start());
        auto prefs = connection.createApplication()->Preferences();
        QCOMPARE(prefs->DefaultContactLayout(), std::string("/layouts/sales.cly"));
        QCOMPARE(prefs->DefaultGroupLayout(), std::string("/layouts/groups.gly"));
        QCOMPARE(prefs->StartupMacro(), std::string("/macros/welcome.mpr"));
        auto aux = connection.createAuxCommands();
        QCOMPARE(aux->AuxCommandExists("Velmaris"), 1);
        QCOMPARE(aux->AuxCommandExistsInToolbar(3, "Velmaris"), 1);
        QCOMPARE(aux->AuxCommandExistsInToolsMenu(4, "Velmaris"), 1);
        QCOMPARE(aux->AuxCommandExistsInToolbar(4, "Velmaris"), 0);
        QVERIFY(host.terminate());
    }

    void aChangeThatCannotBeSavedIsRefusedAndNotKept() {
        InProcessHost h;
        QVERIFY(writeFile(h.dir.filePath("config"), {}));
        QVERIFY_THROWS_EXCEPTION(Refusal, h.host.setPreference(&Profile::startupMacro, "/m.mpr"));
        QCOMPARE(h.host.profile().startupMacro, std::string());
        QCOMPARE(h.host.addAuxCommand(
                     {"Velmaris", "/opt/velmaris/Velmaris", "", "", "", "", "", 1, {}, {}}),
                 int(Host::kAuxNotSaved));
        QVERIFY(!h.host.auxCommandExists("Velmaris"));
    }

    // The profile is read as the host is made.
    void aDamagedProfileStartsWithDefaultsAndSaysSo() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("profile.json"), "{\"startupMacro\": \"/m.mp"));
        Host host(Journal(), dir.filePath("profile.json"),
                  vm::RegistryFile(dir.filePath("registry.reg").toStdString()),
                  dir.filePath("data"));
        QSignalSpy notices(&host, &Host::notice);
        host.startUp({});
        QCOMPARE(host.profile().startupMacro, std::string());
        QCOMPARE(notices.count(), 1);
        QVERIFY(notices.first().first().toString().contains("could not be read"));
    }
};

static RegisterTest<PersistenceTest> registration("PersistenceTest");

} // namespace standin::test

#include "PersistenceTest.moc"
