#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vm {

struct Program;
class MainMenus;

// The list maintenance dialog's working copy of the list: its order, the
// selected entry, and removing a database from both stores.
class ListMaintenance {
public:
    ListMaintenance(Program& program, MainMenus& menus);

    // `iSelected`: the main window's 1-based selected row, or -1.
    void Form_Load(int iSelected);
    // Writes the order; gives the 0-based selection, or -1, or nullopt when
    // the order could not be written and the dialog must stay open.
    std::optional<int> Form_Unload();

    const std::vector<std::string>& entries() const { return lstDB_; }
    int selected() const { return selected_; }
    void select(int index);
    bool upEnabled() const;
    bool downEnabled() const;

    void cmdUp_Click();
    void cmdDown_Click();
    // After the properties dialog added a database to the end of the list.
    void added();
    void cmdRemove_Click();

    void Create_List();
    void Save_List();
    void MoveListboxItem(int from, int to);

private:
    Program& program_;
    MainMenus& menus_;
    std::vector<std::string> lstDB_;
    int selected_ = -1;
};

} // namespace vm
