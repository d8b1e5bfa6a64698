#include "main/core/MainStartup.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "main/core/DatabaseList.h"
#include "main/core/DatabaseOpening.h"
#include "main/core/LangText.h"
#include "main/core/MainMenus.h"
#include "main/core/MainView.h"
#include "main/core/Program.h"
#include "main/core/SettingsUpgrade.h"
#include "main/core/StartHostMode.h"
#include "main/core/StoredNumbers.h"
#include "main/core/TextNumbers.h"
#include "platform/LockedFile.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "settings/UserFolders.h"

#include "Version.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace vm {

namespace {

constexpr Procedure kFormLoad{"frmMain", "Sub", "Form_Load"};
constexpr int kDefaultColumnWidth = 1500;
// Stored sizes below these are not applied.
constexpr int kAppliedHeight = 5190;
constexpr int kAppliedWidth = 8745;
// Sizes are read back as 16-bit numbers.
constexpr int kLargestStoredSize = std::numeric_limits<std::int16_t>::max();
// Settings written by versions before this one are thrown away.
constexpr std::string_view kOldestKeptVersion = "200";

std::string setting(Program& p, std::string_view section, std::string_view key,
                    std::string_view defaultValue = {}) {
    return p.store.GetSetting(section, key, defaultValue);
}

std::string named(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
}

} // namespace

bool quickSwitchAtStart(const IniLib& ini) {
    const std::string general(schema::kGeneral);
    // Taken as the number it begins with, as any text may stand there.
    const int startup =
        std::atoi(ini.GetKeyValue(general, std::string(schema::kQuickSwitchStartup), "0").c_str());
    return startup == 1 && !ini.GetKeyValue(general, std::string(schema::kQuickSwitch), "").empty();
}

MainStartup::MainStartup(Program& program, MainView& view, DatabaseList& list, MainMenus& menus,
                         SingleInstance& instance)
    : ActEvent1(program.host.createEventControl()), program_(program), view_(view), list_(list),
      menus_(menus), instance_(instance) {}

void MainStartup::attempt(const std::function<void()>& action) {
    try {
        action();
    } catch (...) {
        if (!ignoreFailures_)
            throw;
    }
}

void MainStartup::closeUnsaved() {
    bNoSave = true;
    windowShownOrClosed_ = true;
    view_.closeWindow();
}

void MainStartup::abandon(const std::string& message, Prompter::Icon icon) {
    program_.tell(message, icon);
    closeUnsaved();
}

bool MainStartup::claimSingleInstance() {
    if (instance_.claim(kProgramTitle))
        return true;
    abandon("An instance of this program is already running!", Prompter::Icon::None);
    return false;
}

void MainStartup::loadLanguage() {
    // A value other than a known language would leave every caption empty.
    const std::string stored = setting(program_, schema::kOptions, schema::kLanguage, "0");
    int index = readInt16(stored, named(schema::kOptions, schema::kLanguage));
    if (index < LangTable::kEnglish || index > LangTable::kGerman)
        index = LangTable::kEnglish;
    program_.lang.Init_Language(index);
}

bool MainStartup::checkHost() {
    if (ActEvent1->Dispatch1(0) >= 1)
        return true;
    const LangTable& t = program_.lang;
    if (ActEvent1->Dispatch3()) {
        abandon(t[txt::kHostEventFailed] + "\r" + t[txt::kRunHostRegistration],
                Prompter::Icon::Critical);
    } else if (quickSwitchAtStart(program_.ini)) {
        StartACT_mode(program_, view_);
        closeUnsaved();
    } else {
        abandon(t[txt::kPleaseRunHost] + kProgramTitle + "!", Prompter::Icon::Exclamation);
    }
    return false;
}

void MainStartup::upgradeStoredSettings() {
    PerUserStore& store = program_.store;
    const std::string version = setting(program_, schema::kSettings, schema::kVersion);
    if (version < kOldestKeptVersion) {
        // A wipe that fails is not reported: from here to the list fill the
        // start goes on past every failure.
        (void)store.DeleteAll();
        ignoreFailures_ = true;
    }
    attempt([&] {
        if (version > "3" && version < "32")
            Upgrade_to_32(program_.ini, store);
    });
    storeWritable_ =
        store.SaveSetting(schema::kSettings, schema::kVersion, schema::programVersionText());
    // Said once here; the writes that fail after it for the same reason are
    // not reported again.
    guarded(
        kFormLoad,
        [&] {
            if (!storeWritable_)
                throw Failure(err::kFileAccess, cannotWriteMessage(store));
        },
        Support::Localized);
}

void MainStartup::firstRun() {
    attempt([&] { view_.showLanguagePicker(); });
    attempt([&] { loadLanguage(); });
    createLinkAndMarkInstalled();
}

void MainStartup::createLinkAndMarkInstalled() {
    // After a wipe a link that cannot be written is skipped like any other
    // failure; the first run must still end, or the language picker would
    // come back at every start.
    attempt([&] { menus_.Create_LinkMenuItem(); });
    // The store took the version a moment ago; should it refuse this one,
    // the next start is a first run again, which is all that can be done.
    (void)program_.store.SaveSetting(schema::kSettings, schema::kInstalled, "1");
}

bool MainStartup::requireOpenDatabase() {
    if (!program_.application().GetCurrentUserName().empty())
        return true;
    program_.tell(program_.lang[txt::kOpenDatabaseOrCloseHost]);
    if (!bReloadLanguage && !bReloadList)
        bNoSave = true;
    windowShownOrClosed_ = true;
    view_.closeWindow();
    return false;
}

void MainStartup::createSettingsFile() {
    const std::string& path = program_.ini.sIniPath;
    if (fileExists(path))
        return;
    std::string problem;
    const EditResult result = editFile(
        path,
        [](const std::optional<std::string>& current) {
            return current ? std::nullopt : std::optional<std::string>(" \r\n");
        },
        0666, &problem);
    if (result != EditResult::Failed)
        return;
    // A folder, FIFO or device in the file's place is named as what it is,
    // not as a path that is missing.
    if (!problem.empty())
        throw Failure(err::kFileAccess,
                      "The settings file cannot be used: " + path + " (" + problem + ")");
    throw Failure(err::kPathNotFound, "Path not found: " + path);
}

void MainStartup::applySizeAndTexts() {
    view_.setCaption(kProgramTitle);
    const int height = readInt16(setting(program_, schema::kSettings, schema::kHeight, "0"),
                                 named(schema::kSettings, schema::kHeight));
    const int width = readInt16(setting(program_, schema::kSettings, schema::kWidth, "0"),
                                named(schema::kSettings, schema::kWidth));
    if (height > kAppliedHeight || width > kAppliedWidth)
        view_.setSizeTwips(height > kAppliedHeight ? height : view_.heightTwips(),
                           width > kAppliedWidth ? width : view_.widthTwips());

    const LangTable& t = program_.lang;
    for (int column = 1; column <= 4; ++column) {
        list_.sColumnTitle[column] = t[txt::kFirstColumnTitle + column - 1];
        view_.setColumnTitle(column, list_.sColumnTitle[column]);
    }
    view_.applyTexts(t);
    for (int column = 1; column <= 4; ++column) {
        const std::string key = schema::columnKey(column);
        view_.setColumnWidthTwips(column, readInt16(setting(program_, schema::kSettings, key,
                                                            std::to_string(kDefaultColumnWidth)),
                                                    named(schema::kSettings, key)));
    }
}

void MainStartup::recordHostDefaults() {
    if (!program_.preferences)
        throwObjectNotSet();
    HostPreferences& prefs = *program_.preferences;
    PerUserStore& store = program_.store;
    // A store that refuses these was reported at the start, and it refuses
    // the logon hand-over too, which stops an opening before the defaults
    // are put back.
    (void)store.SaveSetting(schema::kSettings, schema::kOriginalCL, prefs.DefaultContactLayout());
    (void)store.SaveSetting(schema::kSettings, schema::kOriginalGL, prefs.DefaultGroupLayout());
    (void)store.SaveSetting(schema::kSettings, schema::kOriginalMacro, prefs.StartupMacro());
}

void MainStartup::fillList() {
    const IniLib::Snapshot oneReading(program_.ini);
    program_.names = schema::listedNames(program_.ini);
    list_.fill(program_.names);
    const int rows = view_.rowCount();
    if (rows > 0) {
        const int selected = readInt32(setting(program_, schema::kDisplay, schema::kSelected, "1"),
                                       named(schema::kDisplay, schema::kSelected));
        if (selected >= 1 && selected <= rows)
            view_.selectRow(selected);
    }
    view_.setOpenEnabled(rows > 0);
}

void MainStartup::showFirstWindow() {
    windowShownOrClosed_ = true;
    if (!quickSwitchAtStart(program_.ini)) {
        view_.showWindow();
        view_.focusList();
        return;
    }
    view_.hideWindow();
    view_.showQuickSwitch();
    // Left by a tile, Exit or Esc; otherwise it has shown the main window.
    if (program_.bQuickSwitchExit)
        view_.closeWindow();
}

void MainStartup::Form_Load() {
    const bool reload = bReloadLanguage || bReloadList;
    windowShownOrClosed_ = false;
    load();
    // A start that failed half-way still shows what it has: a program left
    // running without a window could be neither used nor closed.
    if (!reload && !windowShownOrClosed_ && !bNoSave)
        view_.showWindow();
}

void MainStartup::load() {
    guarded(
        kFormLoad,
        [&] {
            ignoreFailures_ = false;
            if (!claimSingleInstance())
                return;
            loadLanguage();
            // The default is looked for (a registry value, a probe of the
            // program's folder) only for a user who has named no file.
            program_.ini.sIniPath = setting(program_, schema::kSettings, schema::kIniLocation);
            if (program_.ini.sIniPath.empty())
                program_.ini.sIniPath = defaultSettingsFile(program_.programFolder,
                                                            std::string(kProgramTitle) + ".ini");
            const bool reload = bReloadLanguage || bReloadList;
            if (!reload) {
                if (!checkHost())
                    return;
                upgradeStoredSettings();
            }
            auto installed = [&] {
                return readInt16(setting(program_, schema::kSettings, schema::kInstalled, "0"),
                                 named(schema::kSettings, schema::kInstalled)) != 0;
            };
            if (!reload) {
                attempt([&] { Create_object(program_); });
                // A first run is done at a start that can record it; one that
                // cannot would ask for the language at every start.
                attempt([&] {
                    if (storeWritable_ && !installed())
                        firstRun();
                });
            }
            bool stop = false;
            attempt([&] { stop = !requireOpenDatabase(); });
            if (stop)
                return;
            attempt([&] { createSettingsFile(); });
            attempt([&] { applySizeAndTexts(); });
            attempt([&] {
                if (storeWritable_ && !installed())
                    createLinkAndMarkInstalled();
            });
            attempt([&] { recordHostDefaults(); });
            if (bReloadLanguage) {
                bReloadLanguage = false;
                return;
            }
            fillList();
            if (!bReloadList)
                showFirstWindow();
        },
        Support::Localized);
}

void MainStartup::Form_Unload() {
    if (bNoSave) {
        view_.endProcess();
        return;
    }
    // Every failure here is ignored: the process ends whatever happens. A
    // size is stored as the next start can read it back, however large the
    // window grew.
    auto save = [&](std::string_view section, std::string_view key, int value) {
        (void)program_.store.SaveSetting(section, key, std::to_string(value));
    };
    auto readable = [](int twips) { return std::min(twips, kLargestStoredSize); };
    auto ignoringFailures = [](auto&& action) {
        try {
            action();
        } catch (...) {
        }
    };
    ignoringFailures([&] {
        const int rows = view_.rowCount();
        save(schema::kDisplay, schema::kSelected, view_.selectedRow().value_or(rows + 1));
    });
    for (int column = 1; column <= 4; ++column)
        ignoringFailures([&] {
            save(schema::kSettings, schema::columnKey(column),
                 readable(view_.columnWidthTwips(column)));
        });
    ignoringFailures(
        [&] { save(schema::kSettings, schema::kHeight, readable(view_.heightTwips())); });
    ignoringFailures(
        [&] { save(schema::kSettings, schema::kWidth, readable(view_.widthTwips())); });
    std::string reopen;
    if (program_.bRestartHost) {
        // Without the application object (the start-up could not make it, or
        // a first unload let it go) both fail like any other call.
        ignoringFailures([&] { reopen = program_.application().GetOpenDBName(); });
        ignoringFailures([&] { program_.application().Command(150); });
    }
    program_.app.reset();
    program_.views.reset();
    program_.preferences.reset();
    if (!program_.bRestartHost) {
        view_.endProcess();
        return;
    }
    // With no database remembered there is nothing to reopen.
    if (!reopen.empty())
        ignoringFailures([&] { program_.shell.open(reopen, program_.programFolder); });
    view_.hideWindow();
    iTimerTicks = 0;
    view_.startShutdownTimer();
}

void MainStartup::Timer1_Timer() {
    if (++iTimerTicks >= 2)
        view_.endProcess();
}

} // namespace vm
