#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vm {

struct Program;
class MainView;
class MainStartup;
class DatabaseList;

// The maker's web site, also written into the host's menu of web links.
inline constexpr std::string_view kMakerAddress = "https://www.velmaris.example/";
inline constexpr std::string_view kLinkFileName = "1010it_corvane.web";
inline constexpr std::string_view kManualFileName = "Velmaris_manual.pdf";

// The QuickSwitch assignment with one database renamed (or removed, when
// `replacement` is empty); nullopt when the assignment does not name it.
std::optional<std::string> quickSwitchWithReplacement(std::string_view assignment,
                                                      std::string_view name,
                                                      std::string_view replacement);

// The main window's menu commands, its links to the outside and its answer to
// the host being closed.
class MainMenus {
public:
    MainMenus(Program& program, MainView& view);
    // The load step and the list exist after the menus; they are joined here.
    void attach(MainStartup& startup, DatabaseList& list);

    void mnuFileOpen_Click();
    void mnuExit_Click();
    void mnuLanguages_Click();
    void mnuEditProperties_Click();
    void mnuEditList_Click();
    void mnuQuickSwitch_Click();
    void mnuSettingsLocation_Click();
    void mnuManual_Click();
    void mnuOnline_Click();
    void lblLink_Click();
    void mnuAbout_Click();
    void mnuIntegrate_Click();
    void ActEvent1_OnActUserWantsToClose();

    // Writes the host's web-link entry for the maker once; an existing entry
    // is never rewritten.
    void Create_LinkMenuItem();
    void ReplaceInQuickSwitch(const std::string& sSectionDeleted, const std::string& sReplace);

    // The row to select after list maintenance: 1-based on the way in,
    // 0-based on the way out, -1 for none.
    int iSelected = -1;
    // Set by the settings-file location dialog when it stored a new file.
    bool bChanged = false;

private:
    void open(const std::string& fileOrAddress);

    Program& program_;
    MainView& view_;
    MainStartup* startup_ = nullptr;
    DatabaseList* list_ = nullptr;
};

} // namespace vm
