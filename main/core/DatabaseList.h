#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "main/core/MainLayout.h"

namespace vm {

struct Program;
class MainView;
class OpenDatabase;

// A layout or macro inside the host's own folder for its kind shows as its
// bare file name; anything else shows as stored.
std::string shownPath(const std::string& stored, const std::string& hostFolder);

// The list of databases in the main window: its rows, their columns, sorting
// and opening the selected row.
class DatabaseList {
public:
    DatabaseList(Program& program, MainView& view, OpenDatabase& opener);

    // Loads the database's record into the program's current database.
    void ExtractInfo(const std::string& name);
    // Fills the rows anew from the names, in order.
    void fill(const std::vector<std::string>& names);
    void FillColumns(const std::string& name, int row);
    // Rebuilds the row of a database that was saved, perhaps under a new
    // name, in place, and selects it.
    void rebuildRow(const std::string& oldName, const std::string& name);

    void cmdOpen_Click();
    OpenDatabase& opener() { return opener_; }
    void ListView1_ColumnClick(int column);
    void Form_Resize();

    // Titles of columns 1 to 4, kept so that the sort marks can be removed.
    std::array<std::string, 5> sColumnTitle;

private:
    // What the host says about its folders and open database does not change
    // while the rows are filled, so it is asked once per fill.
    struct HostFolders {
        std::string layouts;
        std::string macros;
        std::string openDatabase;
    };
    const HostFolders& hostFolders();

    Program& program_;
    MainView& view_;
    OpenDatabase& opener_;
    std::optional<HostFolders> hostFolders_;
    bool ascending_ = true;
};

} // namespace vm
