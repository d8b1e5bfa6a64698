#include "main/core/DatabaseList.h"

#include "base/FailureReport.h"
#include "main/core/MainView.h"
#include "main/core/OpenDatabase.h"
#include "main/core/Program.h"
#include "platform/Paths.h"

#include <algorithm>

namespace vm {

namespace {

constexpr std::string_view kWindow = "frmMain";
// The host's default-folder kinds.
constexpr int kLayoutFolder = 6;
constexpr int kMacroFolder = 7;

} // namespace

std::string shownPath(const std::string& stored, const std::string& hostFolder) {
    if (stored.find(hostFolder) == std::string::npos)
        return stored;
    const auto separator = stored.find_last_of(kPathSeparators);
    return separator == std::string::npos ? stored : stored.substr(separator + 1);
}

DatabaseList::DatabaseList(Program& program, MainView& view, OpenDatabase& opener)
    : program_(program), view_(view), opener_(opener) {}

void DatabaseList::ExtractInfo(const std::string& name) {
    guarded(
        {kWindow, "Sub", "ExtractInfo"},
        [&] { program_.current = readCurrentDatabase(program_.ini, name); }, Support::Localized);
}

const DatabaseList::HostFolders& DatabaseList::hostFolders() {
    if (!hostFolders_) {
        if (!program_.preferences || !program_.app)
            throwObjectNotSet();
        hostFolders_ = HostFolders{program_.preferences->GetDefaultLocation(kLayoutFolder),
                                   program_.preferences->GetDefaultLocation(kMacroFolder),
                                   program_.app->GetOpenDBName()};
    }
    return *hostFolders_;
}

void DatabaseList::fill(const std::vector<std::string>& names) {
    const IniLib::Snapshot oneReading(program_.ini);
    hostFolders_.reset();
    view_.clearRows();
    for (const std::string& name : names) {
        view_.addRow(name);
        FillColumns(name, view_.rowCount());
    }
    hostFolders_.reset();
}

void DatabaseList::FillColumns(const std::string& name, int row) {
    guarded(
        {kWindow, "Sub", "FillColumns"},
        [&] {
            ExtractInfo(name);
            const CurrentDatabase& db = program_.current;
            const HostFolders& host = hostFolders();
            view_.setRowCells(row, {shownPath(db.contactLayout, host.layouts),
                                    shownPath(db.groupLayout, host.layouts),
                                    shownPath(db.startupMacro, host.macros), db.path});
            if (host.openDatabase == db.path) {
                program_.sOpenDBList += "|" + name + "|";
                view_.markRowOpen(row);
            }
        },
        Support::Localized);
}

void DatabaseList::rebuildRow(const std::string& oldName, const std::string& name) {
    for (int row = 1; row <= view_.rowCount(); ++row) {
        if (view_.rowText(row) != oldName)
            continue;
        view_.setRowText(row, name);
        view_.clearRowMark(row);
        hostFolders_.reset();
        FillColumns(name, row);
        hostFolders_.reset();
        view_.selectRow(row);
        return;
    }
}

void DatabaseList::cmdOpen_Click() {
    guarded({kWindow, "Sub", "cmdOpen_Click"}, [&] {
        const int view = view_.checkedView();
        const std::optional<int> row = view_.selectedRow();
        if (!row)
            throwObjectNotSet();
        opener_.Open_DB(view_.rowText(*row), view, false);
    });
}

void DatabaseList::ListView1_ColumnClick(int column) {
    guarded(
        {kWindow, "Sub", "ListView1_ColumnClick"},
        [&] {
            for (int c = 1; c <= 4; ++c)
                view_.setColumnTitle(c, sColumnTitle[c]);
            const std::string title = column >= 1 && column <= 4 ? sColumnTitle[column] : "";
            ascending_ = !ascending_;
            view_.setColumnTitle(column, (ascending_ ? "> " : "< ") + title);
            view_.sortRows(column - 1, ascending_);
        },
        Support::Localized);
}

void DatabaseList::Form_Resize() {
    guarded(
        {kWindow, "Sub", "Form_Resize"},
        [&] {
            const int height = view_.heightTwips();
            const int width = view_.widthTwips();
            const MainLayout layout = mainLayout(height, width);
            view_.applyLayout(layout);
            if (layout.windowHeight != height || layout.windowWidth != width)
                view_.setSizeTwips(layout.windowHeight, layout.windowWidth);
        },
        Support::Localized);
}

} // namespace vm
