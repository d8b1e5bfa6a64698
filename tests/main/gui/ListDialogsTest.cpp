// The list management dialogs on Qt's offscreen platform, driven by the
// object names of their widgets.
#include "main/gui/frmListMaintenance.h"
#include "main/gui/frmLocations.h"
#include "main/gui/frmPrefLocations.h"
#include "main/gui/frmProperties.h"

#include "support/WindowTest.h"

using namespace vm;

using test::child;

namespace {

void type(QWidget& dialog, const char* field, const QString& text) {
    auto* edit = child<QLineEdit>(dialog, field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Answers the next file or folder picker named `name` with `path`.
void pick(const QString& name, const QString& path) {
    test::answerModal(name, [path](QWidget& picker) {
        auto& files = static_cast<QFileDialog&>(picker);
        if (files.fileMode() == QFileDialog::Directory)
            files.setDirectory(path);
        else
            files.selectFile(path);
        // As the picker's own OK does once it has read its folder, which it
        // does in the background: its accept() may still find nothing chosen
        // and leave it open.
        static_cast<QDialog&>(files).done(QDialog::Accepted);
    });
}

} // namespace

class ListDialogsTest : public test::WindowTest {
    Q_OBJECT

    std::string ini(const std::string& section, const std::string& key) {
        return program->ini.GetKeyValue(section, key, "<none>");
    }

private slots:
    void init() {
        startProgram(test::SettingsFile()
                         .list("Alpha;Beta")
                         .record("Alpha", "/db/a.dbf", {{"CLY", "/l/a.cly"}})
                         .record("Beta", "/db/b.dbf", {{"CLY", "/l/b.cly"}}));
        startMainWindow();
    }

    void cleanup() { stopProgram(); }

    void propertiesSavesWhatIsTypedAndMasksThePassword() {
        program->properties.bAdd = true;
        frmProperties dialog(*program, window->menus(), window->list());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Properties"));
        type(dialog, "txtName", "Gamma");
        type(dialog, "txtPath", "/db/g.dbf");
        type(dialog, "txtCL", "/l/g.cly");
        auto* password = child<QLineEdit>(dialog, "txtPassword");
        QVERIFY(!password->isEnabled());
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        child<QTabWidget>(dialog, "mstOptions")->setCurrentIndex(2);
        QVERIFY(prompter.asked.empty());
        type(dialog, "txtUsername", "gus");
        child<QCheckBox>(dialog, "chkPassword")->click();
        QVERIFY(password->isEnabled());
        type(dialog, "txtPassword", "pw");
        child<QPushButton>(dialog, "cmdOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ini("General", "Sort"), std::string("Alpha;Beta;Gamma"));
        QCOMPARE(store.GetSetting("Gamma", "UsePassword"), std::string("1"));
    }

    void leavingTheFirstPageChecksTheNameAndEscapeCancels() {
        program->currentDatabaseName = "Beta";
        frmProperties dialog(*program, window->menus(), window->list());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Properties: Beta"));
        type(dialog, "txtName", "Alpha");
        auto* pages = child<QTabWidget>(dialog, "mstOptions");
        pages->setCurrentIndex(1);
        QCOMPARE(prompter.asked.size(), size_t(1));
        QCOMPARE(prompter.asked[0].text, lang[121]);
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>(dialog, "txtName")->text(), QString("Beta"));

        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(program->properties.bCancel);
        QCOMPARE(ini("General", "Sort"), std::string("Alpha;Beta"));
    }

    void listMaintenanceAddsMovesAndRemoves() {
        int selected = 1;
        frmListMaintenance dialog(*program, window->menus(), window->list(), selected);
        dialog.show();
        auto* list = child<QListWidget>(dialog, "lstDB");
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(!child<QPushButton>(dialog, "cmdUp")->isEnabled());
        child<QPushButton>(dialog, "cmdDown")->click();
        QCOMPARE(list->item(1)->text(), QString("Alpha"));
        QVERIFY(!child<QPushButton>(dialog, "cmdDown")->isEnabled());

        test::answerModal("frmProperties", [&](QWidget& properties) {
            type(properties, "txtName", "Gamma");
            type(properties, "txtPath", "/db/g.dbf");
            type(properties, "txtCL", "/l/g.cly");
            type(properties, "txtUsername", "gus");
            child<QPushButton>(properties, "cmdOK")->click();
        });
        child<QPushButton>(dialog, "cmdAdd")->click();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentItem()->text(), QString("Gamma"));

        list->setCurrentRow(0);
        child<QPushButton>(dialog, "cmdRemove")->click();
        // A settings file out of reach when closing keeps the dialog and its
        // order until Close succeeds.
        const std::string reachable = program->ini.sIniPath;
        program->ini.sIniPath = dir->file("gone/Velmaris.ini");
        child<QPushButton>(dialog, "cmdClose")->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(list->count(), 2);
        program->ini.sIniPath = reachable;
        child<QPushButton>(dialog, "cmdClose")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(ini("General", "Sort"), std::string("Beta;Gamma"));
        QCOMPARE(selected, 0);
    }

    void theSettingsLocationRefusesAFileThatDoesNotExist() {
        bool changed = false;
        frmLocations dialog(*program, changed);
        dialog.show();
        QCOMPARE(child<QLineEdit>(dialog, "txtPath")->text(), QString::fromStdString(iniPath()));
        type(dialog, "txtPath", QString::fromStdString(dir->file("nowhere.ini")));
        child<QPushButton>(dialog, "cmdOK")->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompter.asked.at(0).text, std::string("Invalid file specified!"));
        QVERIFY(!changed);
    }

    // Qt's pickers answer "C:/..." on Windows, while the host, the stored
    // settings and the user write "C:\...": what the program keeps of a
    // browsed path is in the system's own form, so that it compares equal.
    void browsedPathsComeOutInTheSystemsOwnForm() {
        const auto browsed = [&](const std::string& name) {
            return QFileInfo(QString::fromStdString(dir->file(name))).absoluteFilePath();
        };
        const auto native = [&](const std::string& name) {
            return QDir::toNativeSeparators(browsed(name));
        };
        test::writeBytes(dir->file("b.dbf"), "");
        host.state.openDatabase = native("b.dbf").toStdString();
        program->currentDatabaseName = "Beta";
        frmProperties properties(*program, window->menus(), window->list());
        properties.show();
        pick("CommonDialog1", browsed("b.dbf"));
        child<QAbstractButton>(properties, "cmdBrowse3")->click();
        QCOMPARE(child<QLineEdit>(properties, "txtPath")->text(), native("b.dbf"));
        test::type(properties, "txtUsername", "gus");
        child<QPushButton>(properties, "cmdOK")->click();
        QCOMPARE(ini("Beta", "Path"), host.state.openDatabase);
        auto* rows = window->findChild<QTreeWidget*>("ListView1");
        QCOMPARE(rows->topLevelItem(1)->foreground(0).color(), QColor(255, 0, 0));

        frmPrefLocations locations(*program, "Beta");
        locations.show();
        const QString folder =
            QFileInfo(QString::fromStdString(dir->path().string())).absoluteFilePath();
        pick("dlgBrowse", folder);
        child<QPushButton>(locations, "cmdEditlocation")->click();
        QCOMPARE(child<QTreeWidget>(locations, "lvwPref")->topLevelItem(0)->text(1),
                 QDir::toNativeSeparators(folder));

        program->ini.sIniPath = native("Velmaris.ini").toStdString();
        bool changed = false;
        frmLocations settingsFile(*program, changed);
        settingsFile.show();
        pick("CommonDialog1", browsed("Velmaris.ini"));
        child<QPushButton>(settingsFile, "cmdBrowse")->click();
        child<QPushButton>(settingsFile, "cmdOK")->click();
        QVERIFY2(!changed, "the file in use, browsed again, asks for no restart");
    }
};

QTEST_MAIN(ListDialogsTest)
#include "ListDialogsTest.moc"
