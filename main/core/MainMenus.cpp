#include "main/core/MainMenus.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "base/Utf8Path.h"
#include "main/core/DatabaseList.h"
#include "main/core/LangText.h"
#include "main/core/MainStartup.h"
#include "main/core/MainView.h"
#include "main/core/Program.h"
#include "main/core/StoredNumbers.h"
#include "main/core/TextNumbers.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"

#include "Version.h"

#include <filesystem>
#include <fstream>

namespace vm {

namespace {

constexpr std::string_view kWindow = "frmMain";

Procedure handler(std::string_view name) {
    return {kWindow, "Sub", name};
}

} // namespace

std::optional<std::string> quickSwitchWithReplacement(std::string_view assignment,
                                                      std::string_view name,
                                                      std::string_view replacement) {
    std::string q = ";" + std::string(assignment) + ";";
    const std::string wanted = ";" + std::string(name) + ";";
    if (q.find(wanted) == std::string::npos)
        return std::nullopt;
    const std::string by = replacement.empty() ? ";" : ";" + std::string(replacement) + ";";
    std::string replaced;
    size_t from = 0;
    for (size_t at = q.find(wanted); at != std::string::npos; at = q.find(wanted, from)) {
        replaced.append(q, from, at - from);
        replaced += by;
        from = at + wanted.size();
    }
    replaced.append(q, from);
    if (replaced.size() < 2)
        return std::string();
    return replaced.substr(1, replaced.size() - 2);
}

MainMenus::MainMenus(Program& program, MainView& view) : program_(program), view_(view) {}

void MainMenus::attach(MainStartup& startup, DatabaseList& list) {
    startup_ = &startup;
    list_ = &list;
}

void MainMenus::open(const std::string& fileOrAddress) {
    program_.shell.open(fileOrAddress, program_.programFolder);
}

void MainMenus::mnuFileOpen_Click() {
    guarded(handler("mnuFileOpen_Click"), [&] { list_->cmdOpen_Click(); });
}

void MainMenus::mnuExit_Click() {
    guarded(handler("mnuExit_Click"), [&] { view_.closeWindow(); });
}

void MainMenus::mnuLanguages_Click() {
    guarded(
        handler("mnuLanguages_Click"),
        [&] {
            const int before = program_.lang.LangIndex();
            view_.showLanguagePicker();
            startup_->bReloadLanguage = true;
            const int chosen =
                readInt16(program_.store.GetSetting(schema::kOptions, schema::kLanguage, "0"),
                          std::string(schema::kOptions) + "/" + std::string(schema::kLanguage));
            if (chosen != before)
                program_.lang.Init_Language(chosen);
            startup_->Form_Load();
        },
        Support::Localized);
}

void MainMenus::mnuEditProperties_Click() {
    guarded(handler("mnuEditProperties_Click"), [&] {
        const std::optional<int> row = view_.selectedRow();
        if (!row) {
            program_.tell(program_.lang[txt::kNoDatabaseSelected]);
            return;
        }
        program_.currentDatabaseName = view_.rowText(*row);
        view_.showProperties();
        view_.focusList();
    });
}

void MainMenus::mnuEditList_Click() {
    guarded(handler("mnuEditList_Click"), [&] {
        const int rows = view_.rowCount();
        const std::optional<int> row = view_.selectedRow();
        if (rows > 0 && !row)
            throwObjectNotSet();
        iSelected = rows == 0 ? -1 : *row;
        view_.showListMaintenance();
        // Not checked: a selection that was not stored only leaves the first
        // row selected after the reload.
        if (iSelected > -1)
            (void)program_.store.SaveSetting(schema::kDisplay, schema::kSelected,
                                             std::to_string(iSelected + 1));
        startup_->bReloadList = true;
        startup_->Form_Load();
    });
}

void MainMenus::mnuQuickSwitch_Click() {
    guarded(handler("mnuQuickSwitch_Click"), [&] { view_.showQuickSwitchSettings(); });
}

void MainMenus::mnuSettingsLocation_Click() {
    guarded(handler("mnuSettingsLocation_Click"), [&] {
        bChanged = false;
        view_.showSettingsLocation();
        if (bChanged)
            program_.tell("Please close and restart " + std::string(kProgramTitle) +
                              " for the changes to take effect.",
                          Prompter::Icon::Information);
    });
}

void MainMenus::mnuManual_Click() {
    guarded(handler("mnuManual_Click"),
            [&] { open(program_.programFile(std::string(kManualFileName))); });
}

void MainMenus::mnuOnline_Click() {
    guarded(handler("mnuOnline_Click"), [&] {
        open(std::string(kMakerAddress) + "tutorials/" + program_.lang[txt::kOnlineHelpPage] +
             ".htm");
    });
}

void MainMenus::lblLink_Click() {
    guarded(handler("lblLink_Click"), [&] { open(std::string(kMakerAddress)); });
}

void MainMenus::mnuIntegrate_Click() {
    guarded(handler("mnuIntegrate_Click"), [&] { view_.showIntegrate(); });
}

void MainMenus::mnuAbout_Click() {
    guarded(handler("mnuAbout_Click"), [&] { view_.showAbout(); });
}

void MainMenus::ActEvent1_OnActUserWantsToClose() {
    guarded(handler("ActEvent1_OnActUserWantsToClose"), [&] {
        startup_->ActEvent1->Dispatch2();
        if (!program_.bRestartHost)
            view_.closeWindow();
    });
}

void MainMenus::Create_LinkMenuItem() {
    namespace fs = std::filesystem;
    // Without the host's folder there is nowhere sensible to put the link:
    // the failure goes to the caller.
    const std::string appPath = program_.application().GetAppPath();
    if (appPath.empty())
        throw Failure(err::kPathNotFound, "Path not found: the host gave no program folder");
    const fs::path folder =
        utf8::toPath(appPath + kPathSeparator + "NetLinks" + kPathSeparator).lexically_normal();
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error))
        throw Failure(err::kPathNotFound, "Path not found: " + utf8::fromPath(folder));
    const fs::path file = folder / utf8::toPath(kLinkFileName);
    if (fs::exists(file))
        return;
    guarded(handler("Create_LinkMenuItem"), [&] {
        const LangTable& t = program_.lang;
        const std::string line = "[" + t[txt::kMakerLinkTitle] + "]" + std::string(kMakerAddress) +
                                 t[txt::kMakerLinkPage] + "\r\n";
        // The host reads its link files in the Windows code page.
        const std::string bytes = windows1252::fromUtf8(line).value_or(line);
        std::ofstream out(file, std::ios::binary);
        out << bytes;
        out.close();
        if (!out)
            throw Failure(err::kFileAccess, "Unable to write " + utf8::fromPath(file));
    });
}

void MainMenus::ReplaceInQuickSwitch(const std::string& sSectionDeleted,
                                     const std::string& sReplace) {
    guarded(handler("ReplaceInQuickSwitch"), [&] {
        const std::string general(schema::kGeneral);
        const std::string key(schema::kQuickSwitch);
        const auto replaced = quickSwitchWithReplacement(program_.ini.GetKeyValue(general, key, ""),
                                                         sSectionDeleted, sReplace);
        // A tile left with the old name would open nothing.
        if (replaced && !program_.ini.SetKeyValue(general, key, *replaced))
            throw Failure(err::kFileAccess, program_.ini.cannotWriteMessage());
    });
}

} // namespace vm
