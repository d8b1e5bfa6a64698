// The integrate dialog on Qt's offscreen platform, against the fake host.
#include "main/gui/frmIntegrateNew.h"

#include "support/WindowTest.h"

using namespace vm;
using test::child;

class IntegrateDialogTest : public test::WindowTest {
    Q_OBJECT

private slots:
    void init() {
        startProgram("[General]\r\nSort=\r\n");
        startMainWindow();
    }

    void cleanup() { stopProgram(); }

    void showsWhatTheHostHasAndALabelClickTogglesItsBox() {
        host.state.auxCommands["Velmaris"].toolbarViews = {2};
        frmIntegrateNew dialog(*program, window->startup(), dir->file("Velmaris"));
        dialog.show();
        QVERIFY(child<QCheckBox>(dialog, "chkScreen1")->isChecked());
        QVERIFY(!child<QCheckBox>(dialog, "chkScreen0")->isChecked());
        QCOMPARE(child<QLabel>(dialog, "lblScreen8")->text(), QString("Groups"));
        host.calls.clear();
        QTest::mouseClick(child<QLabel>(dialog, "lblScreen8"), Qt::LeftButton);
        QVERIFY(child<QCheckBox>(dialog, "chkScreen8")->isChecked());
        QCOMPARE(host.state.auxCommands["Velmaris"].toolsMenuViews, std::set<int>{3});
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY2(prompter.asked.empty(), "Cancel offers nothing");
    }

    // The host starts the program by the path it was registered with, and
    // reads it as Windows writes paths.
    void theMenuRegistersTheProgramByItsPathInTheSystemsOwnForm() {
        host.state.auxCommands.clear();
        test::answerModal("frmIntegrateNew", [](QWidget& dialog) {
            child<QCheckBox>(dialog, "chkScreen0")->click();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        window->findChild<QAction*>("mnuIntegrate")->trigger();
        QCOMPARE(QString::fromStdString(host.state.auxCommands["Velmaris"].command.program),
                 QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    }
};

QTEST_MAIN(IntegrateDialogTest)
#include "IntegrateDialogTest.moc"
