#include "main/core/DatabaseOpening.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "main/core/LangText.h"
#include "main/core/MainView.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"

#include "Version.h"

namespace vm {

namespace {

constexpr std::string_view kModule = "modOpenDB";
constexpr std::string_view kLogonProgram = "logon";
constexpr int kCalendarView = 5;

// The "Open in" choices 0 to 3 are host views 1 to 4; the three calendars
// share host view 5 in modes 300 to 302.
int hostViewType(int view) {
    return view < 4 ? view + 1 : kCalendarView;
}
int calendarMode(int view) {
    return view + 296;
}

} // namespace

void Create_object(Program& program) {
    guarded({kModule, "Sub", "Create_object"}, [&] {
        program.app = program.host.createApplication();
        program.app->OpenFile("");
        program.views = program.app->Views();
        program.preferences = program.app->Preferences();
    });
}

void writeFileLocations(HostRegistry& registry,
                        const std::array<std::string, schema::kFileTypeCount>& locations) {
    RegistrySubs subs(registry);
    for (const schema::FileType& type : schema::kFileTypes) {
        // Not checked, as the host's registry values never are: a key that
        // cannot be created has been reported, and a location left as it
        // was does not keep the database from opening.
        if (!locations[type.index].empty())
            (void)subs.SetRegistryValue(RegistryRoot::CurrentUser, schema::kHostKey,
                                        schema::fileTypeValueName(type), locations[type.index]);
    }
}

void handOverLogon(Program& program, const std::string& name, std::string_view usePassword) {
    PerUserStore& store = program.store;
    // Clearing the section is not checked: the companion reads only the
    // three values written next, and those are.
    (void)store.DeleteSetting(schema::kLogon);
    const bool written = store.SaveSetting(schema::kLogon, schema::kUsePassword, usePassword) &&
                         store.SaveSetting(schema::kLogon, schema::kUsername,
                                           store.GetSetting(name, schema::kUsername)) &&
                         store.SaveSetting(schema::kLogon, schema::kPassword,
                                           store.GetSetting(name, schema::kPassword));
    if (!written)
        throw Failure(err::kFileAccess, cannotWriteMessage(store));
    // Nothing reads the last user name back; a failure here changes nothing.
    (void)store.SaveSetting(schema::kSettings, schema::kLastUsername,
                            store.GetSetting(name, schema::kUsername));
    program.shell.start(
        program.programFile(std::string(kLogonProgram) + std::string(kProgramSuffix)),
        program.programFolder);
}

std::string ExtractPath(const std::string& sFile) {
    const auto separator = sFile.find_last_of(kPathSeparators);
    return separator == std::string::npos ? std::string() : sFile.substr(0, separator + 1);
}

DatabaseOpening::DatabaseOpening(Program& program, MainView& view)
    : program_(program), view_(view) {}

void DatabaseOpening::backToTheList() {
    view_.showWindow();
    view_.focusList();
}

bool DatabaseOpening::loadDatabase(const std::string& name, bool fromQuickSwitch) {
    const LangTable& t = program_.lang;
    try {
        if (program_.bStartMode) {
            program_.sStartDatabase = name;
            return false;
        }
        if (name.empty()) {
            if (fromQuickSwitch)
                view_.showWindow();
            program_.tell(t[txt::kNoDatabaseSelected]);
            view_.focusList();
            return false;
        }
        program_.current = readCurrentDatabase(program_.ini, name);
        return true;
    } catch (const Failure& failure) {
        if (failure.number() != err::kObjectNotSet)
            throw;
        program_.prompter.tell(t[txt::kSelectDatabaseFirst] + "\r\n\r\n" + t[txt::kEmptyListHint],
                               t[txt::kNoDatabaseSelected]);
    } catch (...) {
        program_.tell(t[txt::kDatabaseNotAccessible]);
    }
    backToTheList();
    return false;
}

void DatabaseOpening::prepareHost(const std::string& name) {
    if (!program_.preferences)
        throwObjectNotSet();
    program_.preferences->DefaultContactLayout(program_.current.contactLayout);
    program_.preferences->DefaultGroupLayout(program_.current.groupLayout);
    writeFileLocations(program_.registry, schema::applicableLocations(program_.ini, name));
}

void DatabaseOpening::openView(int view) {
    openedView_ = program_.views->Create(hostViewType(view), "V");
    if (view >= 4)
        openedView_->SetCalendarMode(calendarMode(view));
}

void DatabaseOpening::runMacro() {
    const std::string& macro = program_.current.startupMacro;
    if (macro.empty())
        return;
    const std::string ending = macro.size() >= 4 ? macro.substr(macro.size() - 4) : macro;
    if (ending == ".mpr") {
        program_.app->RunMacro(macro);
        return;
    }
    // A program that cannot be started gets the same answer as a file that
    // is no program at all.
    if (ending == ".exe" && program_.shell.start(macro, program_.programFolder))
        return;
    program_.prompter.tell("Macro cannot be executed by " + std::string(kProgramTitle) + ".",
                           "Invalid Macro File");
}

void DatabaseOpening::restoreHostDefaults() {
    try {
        HostPreferences& prefs = *program_.preferences;
        if (prefs.UseLastDBonStartup())
            return;
        PerUserStore& store = program_.store;
        prefs.DefaultContactLayout(store.GetSetting(schema::kSettings, schema::kOriginalCL));
        prefs.DefaultGroupLayout(store.GetSetting(schema::kSettings, schema::kOriginalGL));
        prefs.StartupMacro(store.GetSetting(schema::kSettings, schema::kOriginalMacro));
    } catch (...) {
        // The database is open; putting the defaults back is a courtesy.
    }
}

void DatabaseOpening::Open_DB(const std::string& sDBToOpen, int iView, bool bFromQuickSwitch) {
    if (!loadDatabase(sDBToOpen, bFromQuickSwitch))
        return;
    const bool prepared = guarded({kModule, "Sub", "Open_DB"}, false, [&] {
        if (!bFromQuickSwitch)
            view_.hideWindow();
        prepareHost(sDBToOpen);
        handOverLogon(program_, sDBToOpen,
                      program_.store.GetSetting(sDBToOpen, schema::kUsePassword));
        return true;
    });
    if (!prepared) {
        backToTheList();
        return;
    }
    try {
        program_.app->openDB(program_.current.path);
    } catch (...) {
        program_.tell(program_.lang[txt::kDatabaseNotAccessible]);
        backToTheList();
        return;
    }
    try {
        openView(iView);
        runMacro();
    } catch (...) {
        // The caller reports it; the user must not be left without a window.
        backToTheList();
        throw;
    }
    restoreHostDefaults();
    view_.closeWindow();
}

} // namespace vm
