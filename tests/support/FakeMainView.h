#pragma once

#include "main/core/DatabaseProperties.h"
#include "main/core/MainView.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"

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
    void showPage(int shownPage) override { page = shownPage; }
    void focus(Field field) override { focused = field; }
    void closeDialog() override { closed = true; }

    PropertiesFields shown;
    int page = kGeneralPage;
    std::optional<Field> focused;
    bool closed = false;
};

// The main window as the logic leaves it: rows, sizes and texts, and the
// window-level actions in `events`, in order. Closing, the language picker and
// each dialog run their hook, as a user would use them.
class FakeMainView : public MainView {
public:
    struct Row {
        std::string name;
        std::array<std::string, 4> cells;
        bool red = false;
    };

    void closeWindow() override { run("close", onClose); }
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

    void showLanguagePicker() override { run("picker", onLanguagePicker); }
    void showAbout() override {}
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

} // namespace vm::test
