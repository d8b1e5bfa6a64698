#pragma once

#include "main/core/QuickSwitchLook.h"

#include <array>
#include <string>
#include <vector>

namespace vm {

struct Program;

// What the QuickSwitch settings dialog shows and the user changes.
struct QuickSwitchChoices {
    // Per button, the entry of its list; 0 (the empty entry) or -1 for none.
    std::array<int, quickswitch::kButtons> entries{};
    // 0 to 4, or -1 when no scheme is chosen.
    int scheme = -1;
    // The QuickSwitch window takes the main window's place at start-up.
    bool startup = false;
};

// The QuickSwitch settings dialog: which database each tile opens, the tiles'
// colours and whether QuickSwitch comes up instead of the main window.
class QuickSwitchSettings {
public:
    explicit QuickSwitchSettings(Program& program);

    // Reads the list and the three settings. A stored number that is not one
    // is reported, and what follows it keeps its default.
    const QuickSwitchChoices& Form_Load();
    // Every button's list: the empty entry, then the databases in list order.
    const std::vector<std::string>& entries() const { return entries_; }
    // Stores the choices; false, once reported, when the settings file refused.
    bool cmdOK_Click(const QuickSwitchChoices& choices);

private:
    int entryNamed(const std::string& name) const;

    Program& program_;
    std::vector<std::string> entries_{std::string()};
    QuickSwitchChoices loaded_;
};

} // namespace vm
