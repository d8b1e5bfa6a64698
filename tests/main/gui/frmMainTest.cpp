#include "main/gui/ProgramIcon.h"
#include "main/gui/frmAbout.h"

#include "support/LanguagePickerAnswer.h"
#include "support/WindowTest.h"

using namespace vm;
using vm::test::answerLanguagePicker;

class frmMainTest : public test::WindowTest {
    Q_OBJECT

    // A user who has started before, with a list of three databases; the
    // second is the one open in the host.
    void knownUser() {
        QVERIFY(test::startedBefore(store));
        test::writeBytes(iniPath(), test::SettingsFile()
                                        .list("Alpha;Beta;Gamma")
                                        .record("Alpha", "/db/alpha.dbf")
                                        .record("Beta", "/db/beta.dbf")
                                        .record("Gamma", "/db/gamma.dbf"));
        host.state.openDatabase = "/db/beta.dbf";
    }
    std::unique_ptr<frmMain> knownUsersWindow() {
        knownUser();
        return loadedWindow();
    }

    static QTreeWidget* list(frmMain& w) { return w.findChild<QTreeWidget*>("ListView1"); }

private slots:
    void init() { startFreshProgram(); }

    void cleanup() { stopProgram(); }

    void carriesTheNamesToolsLookFor() {
        auto w = knownUsersWindow();
        for (const char* name : {"ListView1", "cmdOpen", "cmdCancel", "Frame1", "lblMore",
                                 "lblLink", "optView0", "optView6", "lblView3"})
            QVERIFY2(w->findChild<QWidget*>(name), name);
        for (const char* name :
             {"mnuFileOpen", "mnuExit", "mnuEditProperties", "mnuEditList", "mnuQuickSwitch",
              "mnuSettingsLocation", "mnuLanguages", "mnuIntegrate", "mnuManual", "mnuOnline",
              "mnuAbout", "mnuProperties", "mnuManageList"})
            QVERIFY2(w->findChild<QAction*>(name), name);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QString("Velmaris"));
        QCOMPARE(w->findChild<QAction*>("mnuEditProperties")->text(),
                 QString("&Database Properties..."));
    }

    void firstStartAsksForTheLanguageAndUsesIt() {
        bool firstRunLook = false;
        answerLanguagePicker(1, &firstRunLook);
        auto w = loadedWindow();
        QVERIFY(firstRunLook);
        QCOMPARE(QString::fromStdString(store.GetSetting("Settings", "Installed")), QString("1"));
        QCOMPARE(list(*w)->headerItem()->text(0), QString::fromStdString(lang[42]));
        QCOMPARE(lang.LangIndex(), LangTable::kFrench);
        QCOMPARE(list(*w)->topLevelItemCount(), 0);
        QVERIFY(!w->findChild<QPushButton*>("cmdOpen")->isEnabled());
        QVERIFY(test::fileExists(dir->file("host/NetLinks/1010it_corvane.web")));
        QCOMPARE(QString::fromStdString(test::readBytes(iniPath())), QString(" \r\n"));
    }

    void languageReloadKeepsRowsAndSelection() {
        knownUser();
        QVERIFY(store.SaveSetting("Display", "Selected", "2"));
        auto w = loadedWindow();
        const QString english = list(*w)->headerItem()->text(0);
        answerLanguagePicker(2);
        w->findChild<QAction*>("mnuLanguages")->trigger();
        QCOMPARE(lang.LangIndex(), LangTable::kGerman);
        QVERIFY(list(*w)->headerItem()->text(0) != english);
        QCOMPARE(w->findChild<QPushButton*>("cmdOpen")->text(), QString::fromStdString(lang[62]));
        QCOMPARE(list(*w)->topLevelItemCount(), 3);
        QVERIFY(list(*w)->topLevelItem(1)->isSelected());
    }

    void openDatabaseRowIsRedAndSortMarksFollowClicks() {
        auto w = knownUsersWindow();
        QTreeWidget* l = list(*w);
        QCOMPARE(l->topLevelItem(1)->foreground(0).color(), QColor(255, 0, 0));
        QCOMPARE(l->topLevelItem(0)->foreground(0).color() == QColor(255, 0, 0), false);
        QCOMPARE(program->sOpenDBList, std::string("|Beta|"));

        QHeaderView* header = l->header();
        const QPoint first(header->sectionViewportPosition(0) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, first);
        QVERIFY(l->headerItem()->text(0).startsWith("< "));
        QCOMPARE(l->topLevelItem(0)->text(0), QString("Gamma"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, first);
        QVERIFY(l->headerItem()->text(0).startsWith("> "));
        QCOMPARE(l->topLevelItem(0)->text(0), QString("Alpha"));
    }

    void theWindowNeverGetsSmallerThanItsFirstSize() {
        auto w = knownUsersWindow();
        w->resize(400, 260);
        QCOMPARE(w->size(), QSize(565, 346));
        const QRect listBefore = list(*w)->geometry();
        w->resize(565 + 67, 346 + 67); // about 1000 twips more each way
        QTRY_COMPARE(list(*w)->width() - listBefore.width(), 67);
        QTRY_COMPARE(list(*w)->height() - listBefore.height(), 67);
    }

    void closingSavesSelectionSizeAndColumnsForTheNextStart() {
        knownUser();
        {
            auto w = loadedWindow();
            w->resize(700, 450);
            list(*w)->setColumnWidth(1, 150);
            list(*w)->setCurrentItem(list(*w)->topLevelItem(2));
            w->close();
            QVERIFY(w->processEnded());
        }
        QCOMPARE(QString::fromStdString(store.GetSetting("Display", "Selected")), QString("3"));
        QCOMPARE(QString::fromStdString(store.GetSetting("Settings", "Width")), QString("10500"));
        QCOMPARE(QString::fromStdString(store.GetSetting("Settings", "Column2")), QString("2250"));
        auto again = loadedWindow();
        QCOMPARE(again->size(), QSize(700, 450));
        QCOMPARE(list(*again)->columnWidth(1), 150);
        QVERIFY(list(*again)->topLevelItem(2)->isSelected());
    }

    void aSizeStoredOnABiggerScreenFitsThisOne() {
        knownUser();
        QVERIFY(store.SaveSetting("Settings", "Width", "30000"));
        QVERIFY(store.SaveSetting("Settings", "Height", "20000"));
        auto w = loadedWindow();
        const QRect screen = w->screen()->availableGeometry();
        QVERIFY(w->frameGeometry().width() <= screen.width());
        QVERIFY(w->frameGeometry().height() <= screen.height());
    }

    void anEarlyExitShowsItsMessageAndSavesNothing() {
        knownUser();
        host.state.userName.clear(); // no database open in the host
        auto w = loadedWindow();
        QVERIFY(!w->isVisible());
        QVERIFY(w->processEnded());
        QCOMPARE(prompter.asked.size(), size_t(1));
        QCOMPARE(QString::fromStdString(prompter.asked[0].text), QString::fromStdString(lang[126]));
        QCOMPARE(store.GetSetting("Display", "Selected", "untouched"), std::string("untouched"));
    }

    void openUsesTheSelectedRowAndTheCheckedView() {
        auto w = knownUsersWindow();
        list(*w)->setCurrentItem(list(*w)->topLevelItem(2));
        QTest::mouseClick(w->findChild<QLabel*>("lblView5"), Qt::LeftButton);
        QVERIFY(w->findChild<QRadioButton*>("optView5")->isChecked());
        w->findChild<QPushButton*>("cmdOpen")->click();
        QCOMPARE(opener.calls.size(), size_t(1));
        QCOMPARE(opener.calls[0].name, std::string("Gamma"));
        QCOMPARE(opener.calls[0].view, 5);
        QVERIFY(!opener.calls[0].fromQuickSwitch);
    }

    void aStartThatFailsBeforeItsTextsStillShowsADesignedWindow() {
        knownUser();
        QVERIFY(store.SaveSetting("Settings", "Width", "40000")); // unreadable as 16 bits
        auto w = loadedWindow();
        QCOMPARE(prompter.asked.size(), size_t(1));
        QVERIFY(w->isVisible());
        QCOMPARE(w->findChild<QAction*>("mnuFileOpen")->text(), QString("Open Database"));
        QCOMPARE(w->findChild<QMenu*>("mnuOptions")->title(), QString("&Options"));
        QCOMPARE(w->findChild<QPushButton*>("cmdOpen")->text(), QString("&Open"));
        QCOMPARE(w->findChild<QLabel*>("lblView6")->text(), QString("Daily Calendar View"));
        QCOMPARE(list(*w)->headerItem()->text(3), QString("Opening Macro"));
    }

    void enterOpensOnlyWhileOpenIsOn() {
        QVERIFY(test::startedBefore(store));
        auto empty = loadedWindow();
        QTest::keyClick(list(*empty), Qt::Key_Return);
        QVERIFY(prompter.asked.empty());
        QVERIFY(opener.calls.empty());

        auto w = knownUsersWindow();
        list(*w)->setCurrentItem(list(*w)->topLevelItem(0));
        QTest::keyClick(list(*w), Qt::Key_Return);
        QCOMPARE(opener.calls.size(), size_t(1));
    }

    void thePopupMenuOpensFromTheKeyboard() {
        auto w = knownUsersWindow();
        auto* popup = w->findChild<QMenu*>("mnuPopup");
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(list(*w), &menuKey);
        QTRY_VERIFY(popup->isVisible());
        popup->close();
        QTest::keyClick(list(*w), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(popup->isVisible());
        popup->close();
    }

    void aCellCutOffShowsItsWholeTextAsATooltip() {
        auto w = knownUsersWindow();
        QTreeWidget* l = list(*w);
        const QString whole = "/a/long/way/down/to/the/layouts/of/this/database/alpha.cly";
        l->topLevelItem(0)->setText(1, whole);
        l->topLevelItem(0)->setText(2, "g");
        const auto askForTip = [&](int column) {
            const QPoint at = l->visualRect(l->model()->index(0, column)).center();
            QHelpEvent help(QEvent::ToolTip, at, l->viewport()->mapToGlobal(at));
            QApplication::sendEvent(l->viewport(), &help);
        };
        askForTip(2);
        QVERIFY(!QToolTip::isVisible());
        askForTip(1);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), whole);
    }

    void theProgramIconComesInTheSizesWindowsDrawItAtAndShowsInTheAboutBox() {
        const QList<QSize> sizes = programIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(64, 64)));
        frmAbout about(lang);
        QCOMPARE(about.findChild<QLabel*>("imgIcon")->pixmap().size(), QSize(64, 64));
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
