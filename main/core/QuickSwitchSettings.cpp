#include "main/core/QuickSwitchSettings.h"

#include "base/FailureReport.h"
#include "main/core/CheckedWrites.h"
#include "main/core/Program.h"
#include "main/core/StoredNumbers.h"
#include "settings/SettingsSchema.h"

namespace vm {

namespace {

Procedure handler(std::string_view name) {
    return {"frmAssign", "Sub", name};
}

std::string generalValue(const Program& program, std::string_view key,
                         const std::string& defaultValue) {
    return program.ini.GetKeyValue(std::string(schema::kGeneral), std::string(key), defaultValue);
}

std::string generalName(std::string_view key) {
    return std::string(schema::kGeneral) + "/" + std::string(key);
}

} // namespace

QuickSwitchSettings::QuickSwitchSettings(Program& program) : program_(program) {}

const QuickSwitchChoices& QuickSwitchSettings::Form_Load() {
    guarded(handler("Form_Load"), [&] {
        const std::vector<std::string> listed = schema::listedNames(program_.ini);
        entries_.insert(entries_.end(), listed.begin(), listed.end());
        std::vector<std::string> assigned =
            schema::splitList(generalValue(program_, schema::kQuickSwitch, ""));
        assigned.resize(quickswitch::kButtons);
        for (int button = 0; button < quickswitch::kButtons; ++button)
            loaded_.entries[button] = entryNamed(assigned[button]);
        const int scheme = readInt16(generalValue(program_, schema::kQuickSwitchScheme, "0"),
                                     generalName(schema::kQuickSwitchScheme));
        // A scheme the program does not have is shown as none chosen; OK
        // then stores the first.
        loaded_.scheme = scheme >= 0 && scheme < quickswitch::kSchemes ? scheme : -1;
        loaded_.startup = readInt16(generalValue(program_, schema::kQuickSwitchStartup, "0"),
                                    generalName(schema::kQuickSwitchStartup)) != 0;
    });
    return loaded_;
}

// The list spells the names: a button holding one in other capitals is
// shown, and stored on OK, as unassigned rather than silently respelt.
int QuickSwitchSettings::entryNamed(const std::string& name) const {
    if (name.empty())
        return 0;
    for (size_t entry = 1; entry < entries_.size(); ++entry)
        if (entries_[entry] == name)
            return static_cast<int>(entry);
    return 0;
}

bool QuickSwitchSettings::cmdOK_Click(const QuickSwitchChoices& choices) {
    return guarded(handler("cmdOK_Click"), false, [&] {
        // Eight fields always, empty ones included, so that each keeps its tile.
        std::vector<std::string> assigned;
        assigned.reserve(choices.entries.size());
        for (const int entry : choices.entries)
            assigned.push_back(entry > 0 ? entries_.at(entry) : std::string());
        const int scheme = choices.scheme < 0 ? 0 : choices.scheme;
        setKey(program_.ini, schema::kGeneral, schema::kQuickSwitch, schema::joinList(assigned));
        setKey(program_.ini, schema::kGeneral, schema::kQuickSwitchStartup,
               choices.startup ? "1" : "0");
        setKey(program_.ini, schema::kGeneral, schema::kQuickSwitchScheme, std::to_string(scheme));
        return true;
    });
}

} // namespace vm
