#pragma once

#include <array>

// The host's registry keys and its twelve kinds of files, as both stand-in
// hosts read them at start-up. Plain C++: the Windows host has no Qt.
namespace standin::registry {

inline constexpr const char* kHostKey = "Software\\Symantec\\ACT!";
inline constexpr const char* kDatabaseKey = "Software\\Symantec\\ACT!\\Database";
inline constexpr const char* kGeneralKey = "Software\\Symantec\\ACT!\\General";

// The registry names a kind's folder in "<type> File Type"; without it the
// host uses `defaultFolder` below its data folder.
struct FileType {
    const char* type;
    const char* defaultFolder;
};

inline constexpr std::array<FileType, 12> kFileTypes = {{{"Attached Email", "Attachments"},
                                                         {"Database", "Databases"},
                                                         {"Document", "Documents"},
                                                         {"Document Template", "Templates"},
                                                         {"Email Root Folder", "Email"},
                                                         {"Layout", "Layouts"},
                                                         {"Macro", "Macros"},
                                                         {"NetLinks", "NetLinks"},
                                                         {"Query", "Queries"},
                                                         {"Report, Label, Envelope", "Reports"},
                                                         {"Synchronize", "Synchronize"},
                                                         {"Spelling Dictionary", "Dictionaries"}}};

} // namespace standin::registry
