#include "InProcessHost.h"

#include <QFile>
#include <QStatusBar>

namespace standin::test {

namespace {

constexpr const char* kDatabaseKey = "Software\\Symantec\\ACT!\\Database";

// What Velmaris writes before it starts the host with a database.
void writeStartUpValues(const InProcessHost& h, std::uint32_t useLastDb, const QString& database) {
    vm::RegistryFile registry(h.registryFile().toStdString());
    QVERIFY(registry.setValue(kDatabaseKey, "Last DB Name", database.toStdString()));
    QVERIFY(registry.setValue(kDatabaseKey, "Use Last DB", useLastDb));
    QVERIFY(registry.setValue(kDatabaseKey, "Contact Layout", demo("sales.cly").toStdString()));
    QVERIFY(registry.setValue(kDatabaseKey, "Group Layout", demo("standard.gly").toStdString()));
    QVERIFY(registry.setValue("Software\\Symantec\\ACT!\\General", "Macro Name",
                              demo("welcome.mpr").toStdString()));
    QVERIFY(registry.setValue("Software\\Symantec\\ACT!", "Layout File Type",
                              h.dir.filePath("shared layouts").toStdString()));
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void theLastDatabaseOpensWithTheRegistrysLayoutsAndMacro() {
        InProcessHost h;
        writeStartUpValues(h, 1, demo("contacts.dbf"));
        h.host.startUp({});

        QCOMPARE(h.host.current().path, demo("contacts.dbf"));
        QCOMPARE(h.host.current().contactLayout, demo("sales.cly"));
        QCOMPARE(h.host.current().groupLayout, demo("standard.gly"));
        QCOMPARE(h.host.lastMacro(), demo("welcome.mpr"));
        QCOMPARE(h.host.defaultLocation(6), h.dir.filePath("shared layouts"));
        QVERIFY(!QFile::exists(h.dir.filePath("shared layouts")));
        QVERIFY(h.host.useLastDatabaseOnStartup());

        QCOMPARE(h.shown("startLastDb"), demo("contacts.dbf"));
        QCOMPARE(h.shown("startMacro"), demo("welcome.mpr"));
        QCOMPARE(h.shown("location:Layout"), h.dir.filePath("shared layouts"));
        QCOMPARE(h.shown("database"), QStringLiteral("Demo Contacts"));
        QVERIFY(!h.journal().isEmpty());
        QCOMPARE(h.journal().last()["member"].toString(), QStringLiteral("StartUp"));
    }

    // As when Velmaris starts the host and its logon program answers.
    void aDatabaseWithUsersAsksForTheLoginAtStartUp() {
        InProcessHost h;
        writeStartUpValues(h, 1, demo("sales.dbf"));
        h.frame.show();
        h.host.startUp({});
        QVERIFY(InProcessHost::logIn("Alice", "wonderland"));
        QTRY_COMPARE(h.host.current().userName, QStringLiteral("Alice"));
        QCOMPARE(h.host.current().contactLayout, demo("sales.cly"));
    }

    void onlyUseLastDbOrAFileToOpenOpensAtStartUp_data() {
        QTest::addColumn<uint>("useLastDb");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("opened");
        QTest::newRow("Use Last DB 0") << 0u << QString() << QString();
        QTest::newRow("Use Last DB 2") << 2u << QString() << QString();
        QTest::newRow("file over registry") << 1u << demo("contacts.dbf") << demo("contacts.dbf");
    }

    void onlyUseLastDbOrAFileToOpenOpensAtStartUp() {
        QFETCH(uint, useLastDb);
        QFETCH(QString, argument);
        QFETCH(QString, opened);
        InProcessHost h;
        writeStartUpValues(h, useLastDb, demo("sales.dbf"));
        h.host.startUp(argument);
        QCOMPARE(h.host.current().path, opened);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void aLastDatabaseThatCannotOpenLeavesTheHostEmptyAndSaysWhy() {
        InProcessHost h;
        writeStartUpValues(h, 1, demo("missing.dbf"));
        h.host.startUp({});
        QCOMPARE(h.host.current().path, QString());
        QVERIFY(h.frame.statusBar()->currentMessage().contains("could not be opened"));
        QVERIFY(!h.journal().isEmpty());
        QCOMPARE(h.journal().last()["member"].toString(), QStringLiteral("StartUp"));
        QVERIFY(h.journal().last()["error"].toObject()["message"].toString().contains(
            "does not exist"));
    }
};

static RegisterTest<StartUpTest> registration("StartUpTest");

} // namespace standin::test

#include "StartUpTest.moc"
