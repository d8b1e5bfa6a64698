#include "main/core/ListMaintenance.h"

#include "base/FailureReport.h"
#include "main/core/CheckedWrites.h"
#include "main/core/LangText.h"
#include "main/core/MainMenus.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "settings/SettingsSchema.h"

namespace vm {

namespace {

Procedure handler(std::string_view name) {
    return {"frmListMaintenance", "Sub", name};
}

} // namespace

ListMaintenance::ListMaintenance(Program& program, MainMenus& menus)
    : program_(program), menus_(menus) {}

void ListMaintenance::Form_Load(int iSelected) {
    guarded(handler("Form_Load"), [&] {
        Create_List();
        if (!lstDB_.empty())
            select(0);
        if (iSelected > -1)
            select(iSelected - 1);
    });
}

std::optional<int> ListMaintenance::Form_Unload() {
    return guarded(handler("Form_Unload"), std::optional<int>(), [&] {
        Save_List();
        return std::optional<int>(selected_);
    });
}

void ListMaintenance::select(int index) {
    if (index >= 0 && index < static_cast<int>(lstDB_.size()))
        selected_ = index;
}

bool ListMaintenance::upEnabled() const {
    return selected_ > 0;
}

bool ListMaintenance::downEnabled() const {
    return selected_ >= 0 && selected_ != static_cast<int>(lstDB_.size()) - 1;
}

void ListMaintenance::cmdUp_Click() {
    if (selected_ >= 0)
        MoveListboxItem(selected_, selected_ - 1);
}

void ListMaintenance::cmdDown_Click() {
    if (selected_ >= 0)
        MoveListboxItem(selected_, selected_ + 1);
}

void ListMaintenance::added() {
    guarded(handler("cmdAdd_Click"), [&] {
        Create_List();
        selected_ = static_cast<int>(lstDB_.size()) - 1;
    });
}

void ListMaintenance::cmdRemove_Click() {
    guarded(handler("cmdRemove_Click"), [&] {
        if (selected_ < 0)
            return;
        const int index = selected_;
        const std::string name = lstDB_[index];
        deleteRecord(program_.ini, program_.store, name);
        lstDB_.erase(lstDB_.begin() + index);
        const int remaining = static_cast<int>(lstDB_.size());
        selected_ = index < remaining ? index : (remaining > 0 ? 0 : -1);
        menus_.ReplaceInQuickSwitch(name, "");
        Save_List();
        // Databases that took their locations from it keep the name, which
        // now gives them none: the user should know which.
        std::string orphans;
        for (const std::string& other : lstDB_)
            if (program_.ini.GetKeyValue(other, std::string(schema::kUseLocationsFrom), "") == name)
                orphans += "\r\n" + other;
        if (!orphans.empty())
            program_.tell(program_.lang[txt::kBorrowersLeftWithout] + orphans,
                          Prompter::Icon::Information);
    });
}

void ListMaintenance::Create_List() {
    lstDB_ = schema::listedNames(program_.ini);
    selected_ = -1;
}

void ListMaintenance::Save_List() {
    setKey(program_.ini, schema::kGeneral, schema::kSort, schema::joinList(lstDB_));
}

void ListMaintenance::MoveListboxItem(int from, int to) {
    if (from < 0)
        from = selected_;
    const int count = static_cast<int>(lstDB_.size());
    if (from < 0 || from >= count || to < 0 || to >= count)
        return;
    std::string moved = std::move(lstDB_[from]);
    lstDB_.erase(lstDB_.begin() + from);
    lstDB_.insert(lstDB_.begin() + to, std::move(moved));
    selected_ = to;
}

} // namespace vm
