#include "InProcessHost.h"

#include <QFile>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolBar>

namespace standin::test {

namespace {

QStringList actionTexts(const QWidget* widget) {
    QStringList texts;
    for (const QAction* action : widget->actions())
        texts.append(action->isEnabled() ? action->text() : "(" + action->text() + ")");
    return texts;
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void theFrameShowsTheOpenDatabaseViewAndMacro() {
        InProcessHost h;
        h.open("contacts.dbf");
        QVERIFY(h.frame.windowTitle().endsWith("Demo Contacts"));
        QCOMPARE(h.shown("user"), QStringLiteral("Admin"));
        QCOMPARE(h.shown("view"), QStringLiteral("Contacts"));

        h.host.setCalendarMode(h.host.createView(5), 301);
        h.host.runMacro(demo("welcome.mpr"));
        QCOMPARE(h.shown("view"), QStringLiteral("Calendar"));
        QCOMPARE(h.shown("calendarMode"), QStringLiteral("Weekly"));
        QCOMPARE(h.shown("lastMacro"), demo("welcome.mpr"));

        h.host.createView(2);
        QCOMPARE(h.shown("view"), QStringLiteral("Contact List"));
        QCOMPARE(h.shown("calendarMode"), QString());
    }

    void commandsAppearInTheirViewsAndAToolbarButtonStartsTheProgram() {
        InProcessHost h;
        const QString script = h.dir.filePath("launch.sh");
        QVERIFY(writeFile(script, "#!/bin/sh\ntouch \"$PWD/started\"\n"));
        QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));

        QCOMPARE(h.host.addAuxCommand({"Velmaris",
                                       script.toStdString(),
                                       h.dir.path().toStdString(),
                                       "Launch Velmaris",
                                       "Click to launch Velmaris",
                                       "",
                                       "",
                                       1,
                                       {},
                                       {}}),
                 int(Host::kAuxDone));
        QCOMPARE(h.host.placeAuxCommand(Host::Place::Toolbar, 1, "velmaris", true),
                 int(Host::kAuxDone));
        QCOMPARE(h.host.placeAuxCommand(Host::Place::ToolsMenu, 2, "Velmaris", true),
                 int(Host::kAuxDone));
        h.open("contacts.dbf");

        auto* toolbar = h.frame.findChild<QToolBar*>("commandToolbar");
        QMenu* tools = h.frame.menuBar()->actions().at(1)->menu();
        QCOMPARE(actionTexts(toolbar), QStringList{"Launch Velmaris"});
        QCOMPARE(actionTexts(tools), QStringList{"(No commands)"});
        auto* table = h.frame.findChild<QTableWidget*>("commandTable");
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Velmaris"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("Velmaris"));

        h.host.createView(2);
        QCOMPARE(actionTexts(toolbar), QStringList());
        QCOMPARE(actionTexts(tools), QStringList{"Launch Velmaris"});

        h.host.createView(1);
        toolbar->actions().first()->trigger();
        QTRY_VERIFY(QFile::exists(h.dir.filePath("started")));
    }
};

static RegisterTest<FrameTest> registration("FrameTest");

} // namespace standin::test

#include "FrameTest.moc"
