// The QuickSwitch window on Qt's offscreen platform.
#include "base/FailureReport.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/gui/frmMain.h"
#include "main/gui/frmQuickSwitch.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"

#include "TestSupport.h"
#include "support/FakeHost.h"
#include "support/QuietDoubles.h"
#include "support/WidgetLookup.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace vm;
using test::child;

class QuickSwitchWindowTest : public test::WindowTest {
    Q_OBJECT

    test::RecordingOpener opener;
    std::unique_ptr<frmMain> main;

    std::unique_ptr<frmQuickSwitch> shown() {
        auto quickSwitch = std::make_unique<frmQuickSwitch>(*program, opener, *main);
        quickSwitch->show();
        return quickSwitch;
    }

private slots:
    void init() {
        startProgram("[General]\r\nSort=Alpha;Beta\r\nQuickSwitch=Alpha;Beta;;;;;;\r\n");
        opener.calls.clear();
        main = std::make_unique<frmMain>(*program, instance, &opener);
    }

    void cleanup() {
        main.reset();
        stopProgram();
    }

    void tilesAreButtonsForMouseAndKeyboard() {
        auto window = shown();
        QCOMPARE(window->size(), QSize(96, 160));
        auto* alpha = child<QWidget>(*window, "pic1");
        QCOMPARE(alpha->accessibleName(), QString("Alpha"));
        QCOMPARE(alpha->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(child<QWidget>(*window, "pic3")->isVisible(), false);
        QTest::mouseClick(alpha, Qt::LeftButton);
        QCOMPARE(opener.calls.size(), size_t(1));
        QCOMPARE(opener.calls[0], (test::RecordingOpener::Call{"Alpha", 0, true}));
        QVERIFY(!window->isVisible());
        QVERIFY(program->bQuickSwitchExit);

        auto again = shown();
        QTest::keyClick(again.get(), Qt::Key_2);
        QCOMPARE(opener.calls.back().name, std::string("Beta"));
    }

    void escapeLeavesAndTheStripOpensTheMenu() {
        program->bStartMode = true;
        auto window = shown();
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(window->width() - 8, 8));
        auto* menu = child<QMenu>(*window, "mnuControl");
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(!window->findChild<QAction*>("mnuControlClose")->isEnabled());
        menu->close();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(program->bQuickSwitchExit);
        QVERIFY(!program->bStartCancelled);
        QVERIFY(!main->isVisible());
        QVERIFY(opener.calls.empty());
    }
};

QTEST_MAIN(QuickSwitchWindowTest)
#include "QuickSwitchWindowTest.moc"
