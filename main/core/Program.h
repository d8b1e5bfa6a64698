#pragma once

#include "base/Prompter.h"
#include "host/HostInterface.h"
#include "settings/IniLib.h"
#include "settings/SettingsSchema.h"

#include <memory>
#include <source_location>
#include <string>
#include <vector>

namespace vm {

class HostRegistry;
class LangTable;
class PerUserStore;
class Shell;

// The values of one database that an opening and the list use: its record in
// the settings file, as loaded last.
struct CurrentDatabase {
    std::string path;
    std::string contactLayout;
    std::string groupLayout;
    std::string startupMacro;
};

// Reads the database's record from the settings file; missing keys read empty.
CurrentDatabase readCurrentDatabase(IniLib& ini, const std::string& name);

// What the windows of the main program share for the whole run: the
// services, the host connection and the program-wide flags.
struct Program {
    Program(PerUserStore& userStore, LangTable& texts, Prompter& messages, Shell& desktop,
            HostConnection& hostConnection, HostRegistry& hostRegistry, std::string folder)
        : store(userStore), lang(texts), prompter(messages), shell(desktop), host(hostConnection),
          registry(hostRegistry), programFolder(std::move(folder)) {}

    PerUserStore& store;
    LangTable& lang;
    Prompter& prompter;
    Shell& shell;
    HostConnection& host;
    HostRegistry& registry;
    // Where the program and its companions lie, without a closing separator.
    std::string programFolder;

    IniLib ini; // its sIniPath is the settings-file path

    // The host connection made once at start-up.
    std::shared_ptr<HostApplication> app;
    std::shared_ptr<HostViews> views;
    std::shared_ptr<HostPreferences> preferences;

    CurrentDatabase current;
    // The friendly names of the list as last filled.
    std::vector<std::string> names;
    // "|name|" for every database found open in the host while the list was
    // filled; only ever appended to.
    std::string sOpenDBList;

    bool bRestartHost = false;
    bool bStartMode = false;
    std::string sStartDatabase;
    // How the QuickSwitch window was left: by a tile, Exit or Esc (the main
    // window is then not to be shown); by Exit in start-host mode.
    bool bQuickSwitchExit = false;
    bool bStartCancelled = false;

    // The database the properties dialog edits: set by whoever opens the
    // dialog, and by the dialog to the name it saved.
    std::string currentDatabaseName;
    // The properties dialog's flags, which keep their values from one showing
    // to the next: add rather than edit; the last showing ended with Cancel;
    // the logon page's user name takes the focus.
    struct PropertiesFlags {
        bool bAdd = false;
        bool bCancel = false;
        bool bFocusUserName = false;
    } properties;

    // The application object; throws the failure of an object not set, of
    // the caller's line, when the start-up could not make it.
    HostApplication&
    application(std::source_location where = std::source_location::current()) const;
    // Shows a message with the program's title as caption.
    void tell(const std::string& text, Prompter::Icon icon = Prompter::Icon::None) const;
    // A file beside the program.
    std::string programFile(const std::string& name) const;
};

} // namespace vm
