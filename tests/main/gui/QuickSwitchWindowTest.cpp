// The QuickSwitch window on Qt's offscreen platform.
#include "main/gui/frmQuickSwitch.h"
#include "platform/CaptionColours.h"
#include "platform/qt/QtPrompter.h"

#include "support/WindowTest.h"

using namespace vm;
using namespace vm::test;

class QuickSwitchWindowTest : public test::WindowTest {
    Q_OBJECT

    std::unique_ptr<frmQuickSwitch> shown() {
        auto quickSwitch = std::make_unique<frmQuickSwitch>(*program, opener, *window);
        quickSwitch->show();
        return quickSwitch;
    }

private slots:
    void init() {
        startProgram(SettingsFile().list("Alpha;Beta").general("QuickSwitch", "Alpha;Beta;;;;;;"));
        window = std::make_unique<frmMain>(*program, instance, &opener);
    }

    void cleanup() { stopProgram(); }

    void tilesAreButtonsForMouseAndKeyboard() {
        auto quickSwitch = shown();
        QCOMPARE(quickSwitch->size(), QSize(96, 160));
        auto* alpha = child<QWidget>(*quickSwitch, "pic1");
        QCOMPARE(alpha->accessibleName(), QString("Alpha"));
        QCOMPARE(alpha->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(child<QWidget>(*quickSwitch, "pic3")->isVisible(), false);
        QTest::mouseClick(alpha, Qt::LeftButton);
        QCOMPARE(opener.calls.size(), size_t(1));
        QCOMPARE(opener.calls[0], (test::RecordingOpener::Call{"Alpha", 0, true}));
        QVERIFY(!quickSwitch->isVisible());
        QVERIFY(program->bQuickSwitchExit);

        auto again = shown();
        QTest::keyClick(again.get(), Qt::Key_2);
        QCOMPARE(opener.calls.back().name, std::string("Beta"));
    }

    void escapeLeavesAndTheStripOpensTheMenu() {
        program->bStartMode = true;
        auto quickSwitch = shown();
        QTest::mouseClick(quickSwitch.get(), Qt::LeftButton, {},
                          QPoint(quickSwitch->width() - 8, 8));
        auto* menu = child<QMenu>(*quickSwitch, "mnuControl");
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(!quickSwitch->findChild<QAction*>("mnuControlClose")->isEnabled());
        menu->close();
        QTest::keyClick(quickSwitch.get(), Qt::Key_Escape);
        QVERIFY(!quickSwitch->isVisible());
        QVERIFY(program->bQuickSwitchExit);
        QVERIFY(!program->bStartCancelled);
        QVERIFY(!window->isVisible());
        QVERIFY(opener.calls.empty());
    }

    void leavingATileWithTheButtonHeldEndsItsHover() {
        auto quickSwitch = shown();
        auto* alpha = child<QWidget>(*quickSwitch, "pic1");
        QTest::mouseMove(alpha);
        QTest::mousePress(alpha, Qt::LeftButton);
        QVERIFY(quickSwitch->logic().tiles()[0].raised);
        // The tile keeps the pointer's moves while the button is held.
        QTest::mouseMove(alpha, QPoint(alpha->width() + 30, 10));
        QVERIFY(!quickSwitch->logic().tiles()[0].raised);
        QVERIFY2(!alpha->testAttribute(Qt::WA_SetCursor), "the hand is gone");
        QTest::mouseRelease(alpha, Qt::LeftButton, {}, QPoint(alpha->width() + 30, 10));
        QVERIFY(opener.calls.empty());
        QVERIFY(quickSwitch->isVisible());
        QCOMPARE(alpha->cursor().shape(), Qt::BitmapCursor);
    }

    void aPlaceOnAScreenThatIsGoneComesBackWhole() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(store.SaveSetting("Settings", "QuickLeft", std::to_string(15 * 2500)));
        QVERIFY(store.SaveSetting("Settings", "QuickTop", std::to_string(15 * (screen.y() + 40))));
        auto quickSwitch = shown();
        QVERIFY(screen.contains(quickSwitch->frameGeometry()));
        QCOMPARE(quickSwitch->pos(),
                 QPoint(screen.right() + 1 - quickSwitch->width(), screen.y() + 40));

        QVERIFY(store.SaveSetting("Settings", "QuickLeft", std::to_string(15 * (screen.x() + 30))));
        auto fitting = shown();
        QCOMPARE(fitting->pos(), QPoint(screen.x() + 30, screen.y() + 40));
    }

    void dialogsAndMessagesStandAboveTheWindow() {
        auto quickSwitch = shown();
        QWidget* owner = nullptr;
        answerModal("frmAssign", [&](QWidget& dialog) {
            owner = dialog.parentWidget();
            dialog.close();
        });
        quickSwitch->findChild<QAction*>("mnuAssign")->trigger();
        QCOMPARE(owner, quickSwitch.get());

        // Modal, as its callers show it, and without the focus.
        quickSwitch->hide();
        quickSwitch->setWindowModality(Qt::ApplicationModal);
        quickSwitch->show();
        window->show();
        window->activateWindow();
        QWidget* messageOwner = nullptr;
        answerModal("messageBox", [&](QWidget& box) {
            messageOwner = box.parentWidget();
            box.close();
        });
        QtPrompter().ask("The settings file cannot be read.", "Velmaris", Prompter::Buttons::Ok,
                         Prompter::Icon::Exclamation);
        QCOMPARE(messageOwner, quickSwitch.get());
    }

    void theStripHasTheSystemsCaptionColours() {
        const auto colours = makeCaptionColours();
        auto quickSwitch = shown();
        const QPoint strip(quickSwitch->width() - 8, quickSwitch->height() / 2);
        auto paintedAt = [&] {
            const QColor c = quickSwitch->grab().toImage().pixelColor(strip);
            return SystemColour{static_cast<std::uint8_t>(c.red()),
                                static_cast<std::uint8_t>(c.green()),
                                static_cast<std::uint8_t>(c.blue())};
        };
        quickSwitch->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(quickSwitch.get()));
        QCOMPARE(paintedAt(), colours->active());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(paintedAt(), colours->inactive());
    }

    void theMenuOpensFromTheKeyboard() {
        auto quickSwitch = shown();
        auto* menu = child<QMenu>(*quickSwitch, "mnuControl");
        auto* alpha = child<QWidget>(*quickSwitch, "pic1");
        alpha->setFocus();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                  alpha->mapToGlobal(QPoint(0, 0)));
        QCoreApplication::sendEvent(alpha, &menuKey);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        QTest::keyClick(alpha, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    }

    void tilesTellAssistiveTechnologyTheyAreButtons() {
        program->sOpenDBList = "|Beta|";
        auto quickSwitch = shown();
        QAccessibleInterface* alpha =
            QAccessible::queryAccessibleInterface(child<QWidget>(*quickSwitch, "pic1"));
        QAccessibleInterface* beta =
            QAccessible::queryAccessibleInterface(child<QWidget>(*quickSwitch, "pic2"));
        QCOMPARE(alpha->role(), QAccessible::Button);
        QCOMPARE(alpha->text(QAccessible::Name), QString("Alpha"));
        QVERIFY(!alpha->state().disabled);
        QCOMPARE(beta->role(), QAccessible::Button);
        QVERIFY2(beta->state().disabled, "the database open in the host");
        alpha->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(opener.calls.size(), size_t(1));
    }
};

QTEST_MAIN(QuickSwitchWindowTest)
#include "QuickSwitchWindowTest.moc"
