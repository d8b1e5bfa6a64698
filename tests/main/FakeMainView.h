#pragma once

#include "base/FailureReport.h"
#include "main/core/DatabaseList.h"
#include "main/core/DatabaseProperties.h"
#include "main/core/LangText.h"
#include "main/core/MainLogic.h"
#include "main/core/MainMenus.h"
#include "main/core/MainView.h"
#include "main/core/OpenDatabase.h"
#include "main/core/Program.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"
#include "settings/SettingsSchema.h"
#include "support/FakeHost.h"
#include "support/QuietDoubles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>

namespace vm::test {

// A per-user store that can be made to refuse every write, as a full disk or
// a file made read-only would, or only the n-th from now.
class RefusingStore : public MemoryPerUserStore {
public:
    bool refuse = false;
    void refuseOnly(int nth) {
        refuseNth_ = nth;
        writes_ = 0;
    }
    bool SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override {
        return !refused() && MemoryPerUserStore::SaveSetting(section, key, value);
    }
    bool DeleteSetting(std::string_view section,
                       std::optional<std::string_view> key = std::nullopt) override {
        return !refused() && MemoryPerUserStore::DeleteSetting(section, key);
    }
    bool DeleteAll() override { return !refused() && MemoryPerUserStore::DeleteAll(); }

private:
    bool refused() { return refuse || ++writes_ == refuseNth_; }
    int refuseNth_ = 0;
    int writes_ = 0;
};

// A host registry that refuses its n-th value, as a policy may.
class RefusingRegistry : public RegistryFileBackend {
public:
    using RegistryFileBackend::RegistryFileBackend;
    int refuseNth = 0;
    bool writeValue(RegistryRoot root, std::string_view key, std::string_view name,
                    const RegistryData& data) override {
        return ++writes_ != refuseNth && RegistryFileBackend::writeValue(root, key, name, data);
    }

private:
    int writes_ = 0;
};

// The properties dialog as the logic leaves it.
class FakePropertiesView : public PropertiesView {
public:
    PropertiesFields fields() const override { return shown; }
    void setName(const std::string& name) override { shown.name = name; }
    void showPage(int page) override { this->page = page; }
    void focus(Field field) override { focused = field; }
    void closeDialog() override { closed = true; }

    PropertiesFields shown;
    int page = kGeneralPage;
    std::optional<Field> focused;
    bool closed = false;
};

// The main window as the logic leaves it: rows, sizes and texts, and the
// window-level actions in `events`, in order.
class FakeMainView : public MainView {
public:
    struct Row {
        std::string name;
        std::array<std::string, 4> cells;
        bool red = false;
    };

    void closeWindow() override {
        events.push_back("close");
        if (onClose)
            onClose();
    }
    void showWindow() override { events.push_back("show"); }
    void hideWindow() override { events.push_back("hide"); }
    void endProcess() override { events.push_back("end"); }
    void startShutdownTimer() override { events.push_back("timer"); }

    void setCaption(const std::string&) override {}
    int heightTwips() const override { return height; }
    int widthTwips() const override { return width; }
    void setSizeTwips(int h, int w) override {
        height = h;
        width = w;
        sizesSet.emplace_back(h, w);
    }
    void applyLayout(const MainLayout& l) override { layout = l; }

    void applyTexts(const LangTable& texts) override { openText = texts[62]; }
    void setColumnTitle(int column, const std::string& title) override {
        titles.at(column) = title;
    }
    int columnWidthTwips(int column) const override { return widths.at(column); }
    void setColumnWidthTwips(int column, int w) override { widths.at(column) = w; }

    void clearRows() override {
        rows.clear();
        selected.reset();
    }
    void addRow(const std::string& name) override { rows.push_back({name, {}}); }
    void setRowCells(int row, const std::array<std::string, 4>& cells) override {
        rows.at(row - 1).cells = cells;
    }
    void markRowOpen(int row) override { rows.at(row - 1).red = true; }
    void setRowText(int row, const std::string& name) override { rows.at(row - 1).name = name; }
    void clearRowMark(int row) override { rows.at(row - 1).red = false; }
    int rowCount() const override { return static_cast<int>(rows.size()); }
    std::string rowText(int row) const override { return rows.at(row - 1).name; }
    std::optional<int> selectedRow() const override { return selected; }
    void selectRow(int row) override { selected = row; }
    void sortRows(int column, bool ascending) override { sorts.emplace_back(column, ascending); }
    void setOpenEnabled(bool enabled) override { openEnabled = enabled; }
    int checkedView() const override { return checked; }
    void focusList() override {}

    void showLanguagePicker() override {
        events.push_back("picker");
        if (onLanguagePicker)
            onLanguagePicker();
    }
    void showAbout() override {}
    // Each dialog runs its hook, as a user would use it.
    void showProperties() override { run("properties", onProperties); }
    void showListMaintenance() override { run("list", onListMaintenance); }
    void showSettingsLocation() override { run("location", onSettingsLocation); }
    void showQuickSwitch() override { run("quickswitch", onQuickSwitch); }
    void showQuickSwitchSettings() override { run("assign", onQuickSwitchSettings); }
    void showIntegrate() override { run("integrate", {}); }

    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const Row& row : rows)
            result.push_back(row.name);
        return result;
    }

    std::vector<std::string> events;
    std::function<void()> onClose;
    std::function<void()> onLanguagePicker;
    std::function<void()> onProperties;
    std::function<void()> onListMaintenance;
    std::function<void()> onSettingsLocation;
    std::function<void()> onQuickSwitch;
    std::function<void()> onQuickSwitchSettings;
    std::string openText;
    int height = kSmallestHeight;
    int width = kSmallestWidth;
    std::vector<std::pair<int, int>> sizesSet;
    std::optional<MainLayout> layout;
    std::array<std::string, 5> titles;
    std::array<int, 5> widths{};
    std::vector<Row> rows;
    std::optional<int> selected;
    std::vector<std::pair<int, bool>> sorts;
    std::optional<bool> openEnabled;
    int checked = 0;

private:
    void run(const std::string& event, const std::function<void()>& hook) {
        events.push_back(event);
        if (hook)
            hook();
    }
};

class FakeSingleInstance : public SingleInstance {
public:
    bool claim(const std::string&) override { return !otherRunning; }
    bool otherRunning = false;
};

class RecordingShell : public Shell {
public:
    bool open(const std::string& target, const std::string& folder) override {
        opened.emplace_back(target, folder);
        return true;
    }
    bool start(const std::string& program, const std::string&) override {
        started.push_back(program);
        return startSucceeds;
    }
    // Answers `program` and remembers each file asked about and its text at
    // that moment.
    FileProgram programFor(const std::string& file) override {
        askedFor.emplace_back(file, fileExists(file) ? readBytes(file) : "(missing)");
        return program;
    }
    std::vector<std::pair<std::string, std::string>> opened;
    std::vector<std::string> started;
    bool startSucceeds = true;
    std::vector<std::pair<std::string, std::string>> askedFor;
    FileProgram program{FileProgram::Status::NoneRegistered, {}};
};

// The main window's logic wired to fakes, with the program folder (and so the
// settings file) and the host's folder in a fresh directory. Failure reports
// go to `prompter` with the caption "Velmaris error".
class MainWindowTest : public ::testing::Test {
public:
    MainWindowTest() {
        view.onClose = [this] { startup.Form_Unload(); };
        host.state.userName = "Admin";
        host.state.appPath = dir.file("host");
    }
    void SetUp() override { FailureReporter::install(&prompter, "Velmaris"); }
    void TearDown() override {
        FailureReporter::install(nullptr, "Velmaris");
        FailureReporter::setLocalizedSupport("");
    }

    // A user who has run this version before.
    void installed(std::string_view language = "0") {
        EXPECT_TRUE(store.SaveSetting("Settings", "Version", schema::programVersionText()));
        EXPECT_TRUE(store.SaveSetting("Settings", "Installed", "1"));
        EXPECT_TRUE(store.SaveSetting("Options", "Language", language));
    }

    // Sales and Copy are the database open in the host; Support is not.
    void startWithList(std::string_view language = "0") {
        installed(language);
        host.state.openDatabase = "/db/sales.dbf";
        writeBytes(iniPath(), "[General]\r\nSort=Sales;Support;Copy\r\n"
                              "[Sales]\r\nPath=/db/sales.dbf\r\nCLY=/opt/host/Layout/sales.cly\r\n"
                              "GLY=/shared/groups.gly\r\nStartupMacro=/opt/host/Macro/go.mpr\r\n"
                              "[Support]\r\nPath=/db/support.dbf\r\nCLY=/opt/host/layout/s.cly\r\n"
                              "[Copy]\r\nPath=/db/sales.dbf\r\n");
        startup.Form_Load();
    }

    std::string iniPath() const { return dir.file("Velmaris.ini"); }
    std::string linkFile() const { return dir.file("host/NetLinks/1010it_corvane.web"); }

    std::vector<std::string> failureReports() const {
        std::vector<std::string> texts;
        for (const auto& message : prompter.asked)
            if (message.caption == "Velmaris error")
                texts.push_back(message.text);
        return texts;
    }

    TempDir dir;
    RefusingStore store;
    LangTable lang;
    RecordingPrompter prompter;
    RecordingShell shell;
    FakeHost host;
    FakeSingleInstance instance;
    RecordingOpener opener;
    RefusingRegistry registry{RegistryFile(dir.file("registry.reg"))};
    Program program{store, lang, prompter, shell, host, registry, dir.path().string()};
    FakeMainView view;
    MainLogic logic{program, view, opener, instance};
    MainMenus& menus = logic.menus;
    DatabaseList& list = logic.list;
    MainStartup& startup = logic.startup;
};

} // namespace vm::test
