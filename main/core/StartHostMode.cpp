#include "main/core/StartHostMode.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "main/core/DatabaseOpening.h"
#include "main/core/MainView.h"
#include "main/core/Program.h"
#include "main/core/StoredNumbers.h"
#include "main/core/clsToolbarIcon.h"
#include "platform/Shell.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"
#include "settings/SettingsSchema.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace vm {

namespace {

constexpr Procedure kStartACTMode{"modStartACT", "Sub", "StartACT_mode"};

std::string username(Program& program) {
    return program.store.GetSetting(program.sStartDatabase, schema::kUsername);
}

// A database never opened through the program has no logon for the
// companion to type: the user gives one on the properties' logon page.
bool askForUsername(Program& program, MainView& view) {
    program.tell("Because it is the first time you are opening this database with QuickSwitch\r"
                 "and no username has been setup,\r"
                 "you need to enter your username (and optionally a password).",
                 Prompter::Icon::Exclamation);
    program.currentDatabaseName = program.sStartDatabase;
    program.names = schema::listedNames(program.ini);
    program.properties.bFocusUserName = true;
    view.showProperties();
    program.properties.bFocusUserName = false;
    // The user may have renamed the database there; its record and its
    // place in the list now go by the name the dialog saved.
    const std::vector<std::string> listed = schema::listedNames(program.ini);
    if (std::ranges::find(listed, program.currentDatabaseName) != listed.end())
        program.sStartDatabase = program.currentDatabaseName;
    return !username(program).empty();
}

struct HostValue {
    std::string_view key;
    std::string_view name;
    RegistryArgument value;
};

// The values the host reads when it starts. One that is refused stops the
// start: the host would open the database named before, or its layouts and
// macro, and the companion would type this database's logon into another's
// login window. Those already written are put back as they were, so that the
// host started by hand later opens what it opened before.
void writeHostStartUp(Program& program, const schema::DatabaseRecord& record) {
    const HostValue values[] = {
        {schema::kHostDatabaseKey, schema::kHostLastDbName, record.path},
        {schema::kHostDatabaseKey, schema::kHostUseLastDb, std::int32_t{1}},
        {schema::kHostDatabaseKey, schema::kHostContactLayout, record.contactLayout},
        {schema::kHostDatabaseKey, schema::kHostGroupLayout, record.groupLayout},
        {schema::kHostGeneralKey, schema::kHostMacroName, record.startupMacro}};
    HostRegistry& host = program.registry;
    RegistrySubs registry(host);
    const auto root = RegistryRoot::CurrentUser;
    std::vector<std::optional<RegistryData>> before;
    for (const HostValue& v : values)
        before.push_back(host.readValue(root, v.key, v.name));
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const HostValue& v = values[i];
        if (registry.SetRegistryValue(root, v.key, v.name, v.value))
            continue;
        // Not checked: the start is reported as stopped either way, and what
        // cannot be put back stays as the host would have read it.
        for (std::size_t j = 0; j < i; ++j)
            (void)(before[j] ? host.writeValue(root, values[j].key, values[j].name, *before[j])
                             : host.deleteValue(root, values[j].key, values[j].name));
        throw Failure(err::kRegistry, "Unable to set the registry value " + std::string(v.key) +
                                          "\\" + std::string(v.name));
    }
}

void startHost(Program& program) {
    const std::string host = clsToolbarIcon(program).GetACTLocation();
    // Without a host program only the companion starts, and it gives up by
    // itself. The shell's open action on a program runs it; here that is
    // `start`, as `open` goes through the desktop's file associations, which
    // do not run programs.
    if (!host.empty() && host != clsToolbarIcon::kNoProgram)
        program.shell.start(host, program.programFolder);
}

} // namespace

void StartACT_mode(Program& program, MainView& view) {
    guarded(kStartACTMode, [&] {
        program.bStartMode = true;
        // A tile records its database in sStartDatabase; Esc leaves it empty.
        view.showQuickSwitch();
        if (program.bStartCancelled || program.sStartDatabase.empty())
            return;
        const std::string& name = program.sStartDatabase;
        if (username(program).empty() && !askForUsername(program, view))
            return;
        const schema::DatabaseRecord record =
            schema::readDatabaseRecord(program.ini, program.store, name);
        // Read before anything starts, so that a value nobody can read stops
        // the start whole.
        const bool typePassword =
            readInt16(program.store.GetSetting(name, schema::kNoPasswordAtACTStartup, "0"),
                      name + "/" + std::string(schema::kNoPasswordAtACTStartup)) == 0;
        writeHostStartUp(program, record);
        // Only the database's own folders; borrowing another database's is
        // left to openings in a running host.
        writeFileLocations(program.registry, record.locations);
        startHost(program);
        handOverLogon(program, name, typePassword ? "1" : "0");
    });
}

} // namespace vm
