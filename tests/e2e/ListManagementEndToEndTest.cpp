// A new user builds a list through the dialogs, changes it, and opens a
// database from it in the stand-in host, with logon answering the login.
#include "SwitchFixture.h"

#include "main/gui/frmMain.h"
#include "settings/SettingsSchema.h"
#include "support/ModalAnswer.h"
#include "support/WidgetLookup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <filesystem>

using namespace vm;
using namespace vm::test;

namespace {

class ListManagementEndToEnd : public SwitchTest {
protected:
    void SetUp() override {
        SwitchTest::SetUp();
        // Nothing listed yet; the QuickSwitch buttons already name the two to come.
        writeBytes(file("Velmaris.ini"), "[General]\r\nQuickSwitch=First;Second;;;;;;\r\n");
        std::filesystem::create_directories(file("first-docs"));
    }

    std::string ini(const std::string& section, const std::string& key) {
        IniLib settings;
        return settings.GetKeyValue(section, key, "<none>", file("Velmaris.ini"));
    }

    // Fills the properties dialog; `locations`: the databases whose
    // locations it takes, or empty to give it its own Document folder.
    void describe(QWidget& properties, const std::string& name, const std::string& database,
                  const std::string& user, const std::string& password,
                  const std::string& locationsFrom) {
        type(properties, "txtName", name);
        type(properties, "txtPath", file(database));
        type(properties, "txtCL", file("standard.cly"));
        type(properties, "txtUsername", user);
        child<QCheckBox>(properties, "chkPassword")->setChecked(true);
        type(properties, "txtPassword", password);
        if (!locationsFrom.empty()) {
            child<QRadioButton>(properties, "optLocations0")->setChecked(true);
            auto* from = child<QComboBox>(properties, "cboDb");
            from->setCurrentIndex(from->findText(QString::fromStdString(locationsFrom)));
        } else {
            answerModal("frmPrefLocations", [this](QWidget& locations) {
                auto* rows = child<QTreeWidget>(locations, "lvwPref");
                rows->setCurrentItem(rows->topLevelItem(2)); // Document
                answerModal("dlgBrowse", [this](QWidget& picker) {
                    auto& files = static_cast<QFileDialog&>(picker);
                    files.selectFile(QString::fromStdString(file("first-docs")));
                    QMetaObject::invokeMethod(&files, "accept");
                });
                child<QPushButton>(locations, "cmdEditlocation")->click();
                child<QPushButton>(locations, "cmdOK")->click();
            });
            child<QPushButton>(properties, "cmdEditLocations")->click();
        }
        child<QPushButton>(properties, "cmdOK")->click();
    }
};

TEST_F(ListManagementEndToEnd, ANewUserBuildsTheListChangesItAndOpensFromIt) {
    openInVelmaris("Sales Renamed", 0, Gesture::OpenButton, [this](frmMain& window) {
        answerModal("frmListMaintenance", [this](QWidget& list) {
            for (const bool second : {false, true}) {
                answerModal("frmProperties", [this, second](QWidget& properties) {
                    if (second)
                        describe(properties, "Second", "support.dbf", "Carol", "helpdesk", "First");
                    else
                        describe(properties, "First", "sales.dbf", "Alice", "wonderland", "");
                });
                child<QPushButton>(list, "cmdAdd")->click();
            }
            child<QPushButton>(list, "cmdUp")->click(); // Second before First
            child<QPushButton>(list, "cmdClose")->click();
        });
        window.findChild<QAction*>("mnuEditList")->trigger();
        EXPECT_EQ(ini("General", "Sort"), "Second;First");

        auto* rows = window.findChild<QTreeWidget*>("ListView1");
        rows->setCurrentItem(rows->topLevelItem(1));
        answerModal("frmProperties", [](QWidget& properties) {
            type(properties, "txtName", "Sales Renamed");
            child<QPushButton>(properties, "cmdOK")->click();
        });
        window.findChild<QAction*>("mnuEditProperties")->trigger();
        EXPECT_EQ(rows->topLevelItem(1)->text(0), QString("Sales Renamed"));
    });
    ASSERT_TRUE(velmarisEnded()) << (prompter.asked.empty() ? "" : prompter.asked[0].text);
    EXPECT_EQ(ini("General", "Sort"), "Second;Sales Renamed");
    EXPECT_EQ(ini("General", "QuickSwitch"), "Sales Renamed;Second;;;;;;");
    EXPECT_EQ(ini("Second", "UseLocationsFrom"), "Sales Renamed");
    EXPECT_EQ(lastArgs(journal("Login")),
              QStringList({QString::fromStdString(file("sales.dbf")), "Alice", "wonderland"}));
    EXPECT_EQ(registryValue(std::string(schema::kHostKey), "Document File Type"),
              file("first-docs"));
    ASSERT_TRUE(logonEnded(std::chrono::seconds(10)));

    // The next start removes the other database.
    openInVelmaris("Sales Renamed", 0, Gesture::OpenButton, [](frmMain& window) {
        answerModal("frmListMaintenance", [](QWidget& list) {
            child<QListWidget>(list, "lstDB")->setCurrentRow(0);
            child<QPushButton>(list, "cmdRemove")->click();
            child<QPushButton>(list, "cmdClose")->click();
        });
        window.findChild<QAction*>("mnuEditList")->trigger();
        EXPECT_EQ(window.findChild<QTreeWidget*>("ListView1")->topLevelItemCount(), 1);
    });
    EXPECT_EQ(ini("General", "Sort"), "Sales Renamed");
    EXPECT_EQ(ini("General", "QuickSwitch"), "Sales Renamed;;;;;;");
    EXPECT_EQ(ini("Second", "Path"), "<none>");
}

} // namespace
