#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Version.h"

namespace vm {

class IniLib;
class PerUserStore;

// Names of every section and key of the two stores, and the rules that tie
// them together.
namespace schema {

// The per-user store's application name; also the cipher key.
inline constexpr std::string_view kApplicationName = "Velmaris";

// Settings file, section General.
inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kSort = "Sort";
inline constexpr std::string_view kQuickSwitch = "QuickSwitch";
inline constexpr std::string_view kQuickSwitchStartup = "QuickSwitchStartup";
inline constexpr std::string_view kQuickSwitchScheme = "QuickSwitchScheme";

// Settings file, one section per database named by its friendly name.
inline constexpr std::string_view kPath = "Path";
inline constexpr std::string_view kContactLayout = "CLY";
inline constexpr std::string_view kGroupLayout = "GLY";
inline constexpr std::string_view kStartupMacro = "StartupMacro";
inline constexpr std::string_view kUseLocationsFrom = "UseLocationsFrom";

// Per-user store.
inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kIniLocation = "IniLocation";
inline constexpr std::string_view kVersion = "Version";
inline constexpr std::string_view kInstalled = "Installed";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kOriginalCL = "OriginalCL";
inline constexpr std::string_view kOriginalGL = "OriginalGL";
inline constexpr std::string_view kOriginalMacro = "OriginalMacro";
inline constexpr std::string_view kLastUsername = "Last Username";
inline constexpr std::string_view kQuickLeft = "QuickLeft";
inline constexpr std::string_view kQuickTop = "QuickTop";
inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kLanguage = "Language";
inline constexpr std::string_view kDisplay = "Display";
inline constexpr std::string_view kSelected = "Selected";
inline constexpr std::string_view kLogon = "Logon";
// Per-user store, one section per database (and the hand-over in Logon).
inline constexpr std::string_view kUsername = "Username";
inline constexpr std::string_view kPassword = "Password";
inline constexpr std::string_view kUsePassword = "UsePassword";
inline constexpr std::string_view kNoPasswordAtACTStartup = "NoPasswordAtACTStartup";

// "Column1" to "Column4": widths of the main list's columns.
std::string columnKey(int column);

// The twelve kinds of host files whose default folder a database may set.
// The key names the settings-file key and, followed by " File Type", the
// host's registry value; the label is text 109 + index of the text table.
struct FileType {
    int index;
    std::string_view key;
    int labelText;
};

inline constexpr int kFileTypeCount = 12;
inline constexpr std::array<FileType, kFileTypeCount> kFileTypes{{
    {0, "Attached Email", 109},
    {1, "Database", 110},
    {2, "Document", 111},
    {3, "Document Template", 112},
    {4, "Email Root Folder", 113},
    {5, "Layout", 114},
    {6, "Macro", 115},
    {7, "NetLinks", 116},
    {8, "Query", 117},
    {9, "Report, Label, Envelope", 118},
    {10, "Synchronize", 119},
    {11, "Spelling Dictionary", 120},
}};

// The host's registry keys and values that an opening or a host start writes.
inline constexpr std::string_view kHostKey = "Software\\Symantec\\ACT!";
inline constexpr std::string_view kHostDatabaseKey = "Software\\Symantec\\ACT!\\Database";
inline constexpr std::string_view kHostGeneralKey = "Software\\Symantec\\ACT!\\General";
inline constexpr std::string_view kHostLastDbName = "Last DB Name";
inline constexpr std::string_view kHostUseLastDb = "Use Last DB";
inline constexpr std::string_view kHostContactLayout = "Contact Layout";
inline constexpr std::string_view kHostGroupLayout = "Group Layout";
inline constexpr std::string_view kHostMacroName = "Macro Name";
std::string fileTypeValueName(const FileType& type);

// The list of databases and the QuickSwitch buttons are names joined by ";".
// An empty text is an empty list, not a list of one empty name.
std::vector<std::string> splitList(std::string_view joined);
std::string joinList(const std::vector<std::string>& names);
// The databases of the list, in order: General/Sort split.
std::vector<std::string> listedNames(const IniLib& ini);

// The record of one database: its settings-file section and its per-user
// section, both named by its friendly name.
struct DatabaseRecord {
    std::string path;
    std::string contactLayout;
    std::string groupLayout;
    std::string startupMacro;
    std::string useLocationsFrom;
    std::array<std::string, kFileTypeCount> locations;
    std::string username;
    std::string password; // enciphered
    bool usePassword = false;
    bool noPasswordAtACTStartup = false;
};

DatabaseRecord readDatabaseRecord(IniLib& ini, PerUserStore& store, std::string_view name);

// The keys a record holds in the settings file, and in the per-user store.
std::vector<std::string> recordFileKeys();
inline constexpr std::array<std::string_view, 4> kRecordUserKeys{kUsername, kPassword, kUsePassword,
                                                                 kNoPasswordAtACTStartup};

// Whether a database's section is one the program keeps its own values in
// as well. Lists written by hand or by older versions may name a database
// so; its record then shares the section and must be taken out key by key.
bool isProgramFileSection(std::string_view section);
bool isProgramUserSection(std::string_view section);

// The folders that apply when a database is opened: those of the database
// named by its UseLocationsFrom, else its own. Empty means "leave the host's
// own setting".
std::array<std::string, kFileTypeCount> applicableLocations(IniLib& ini, std::string_view name);

// Major, minor and revision as decimal texts without leading zeros, joined:
// 3.2 revision 131 gives "32131". Stored versions are compared as text.
std::string versionText(int major, int minor, int revision);
inline std::string programVersionText() {
    return versionText(kVersionMajor, kVersionMinor, kVersionRevision);
}

} // namespace schema
} // namespace vm
