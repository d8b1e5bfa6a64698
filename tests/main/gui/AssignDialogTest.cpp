// The QuickSwitch settings dialog on Qt's offscreen platform, opened from the
// main window's menu and driven by the object names of its widgets.
#include "main/gui/frmAssign.h"

#include "support/WindowTest.h"

using namespace vm;

using test::child;

class AssignDialogTest : public test::WindowTest {
    Q_OBJECT

private slots:
    void init() {
        startProgram(test::SettingsFile()
                         .list("Alpha;Beta")
                         .general("QuickSwitch", "Beta;;Alpha")
                         .general("QuickSwitchScheme", "2")
                         .record("Alpha", "/db/a.dbf")
                         .record("Beta", "/db/b.dbf"));
        startMainWindow();
        prompter.asked.clear();
    }

    void cleanup() { stopProgram(); }

    void theMenuOpensItAndEnterStoresWhatWasChosen() {
        bool answered = false;
        test::answerModal("frmAssign", [&](QWidget& dialog) {
            answered = true;
            // A failed check returns early: the dialog must still close.
            const auto closeAnyway = qScopeGuard([&] { dialog.close(); });
            QCOMPARE(dialog.parentWidget(), window.get());
            auto* pages = child<QTabWidget>(dialog, "mstAssign");
            QCOMPARE(pages->currentIndex(), 0);
            QCOMPARE(child<QLabel>(dialog, "lblDB7")->text(), QString("Button 8:"));
            auto* first = child<QComboBox>(dialog, "cboDB0");
            QCOMPARE(first->count(), 3);
            QCOMPARE(first->currentText(), QString("Beta"));
            QCOMPARE(child<QComboBox>(dialog, "cboDB2")->currentText(), QString("Alpha"));
            QVERIFY(child<QRadioButton>(dialog, "optColor2")->isChecked());

            child<QComboBox>(dialog, "cboDB1")->setCurrentIndex(1);
            child<QComboBox>(dialog, "cboDB2")->setCurrentIndex(0);
            child<QComboBox>(dialog, "cboDB7")->setCurrentIndex(2);
            pages->setCurrentIndex(1);
            QTest::mouseClick(child<QLabel>(dialog, "picSample4"), Qt::LeftButton);
            child<QCheckBox>(dialog, "chkStartup")->click();
            QTest::keyClick(child<QComboBox>(dialog, "cboDB7"), Qt::Key_Return);
        });
        window->findChild<QAction*>("mnuQuickSwitch")->trigger();

        QVERIFY(answered);
        QVERIFY(prompter.asked.empty());
        QCOMPARE(program->ini.GetKeyValue("General", "QuickSwitch", ""),
                 std::string("Beta;Alpha;;;;;;Beta"));
        QCOMPARE(program->ini.GetKeyValue("General", "QuickSwitchScheme", ""), std::string("4"));
        QCOMPARE(program->ini.GetKeyValue("General", "QuickSwitchStartup", ""), std::string("1"));
    }

    void escapeLeavesTheSettingsFileAsItWas() {
        lang.Init_Language(LangTable::kFrench);
        const std::string before = test::readBytes(iniPath());
        frmAssign dialog(*program);
        dialog.show();
        QCOMPARE(child<QLabel>(dialog, "lblDB0")->text(), QString("Bouton 1:"));
        child<QComboBox>(dialog, "cboDB0")->setCurrentIndex(2);
        child<QRadioButton>(dialog, "optColor0")->click();
        child<QCheckBox>(dialog, "chkStartup")->click();

        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(test::readBytes(iniPath()), before);
    }
};

QTEST_MAIN(AssignDialogTest)
#include "AssignDialogTest.moc"
