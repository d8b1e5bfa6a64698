#pragma once

#include <string>

namespace vm {

// The user's own configuration folder: $XDG_CONFIG_HOME, else ~/.config.
std::string userConfigFolder();

// What decides where the shared settings file of a user who has named none
// lies.
struct SettingsFilePlaces {
    // An administrator's choice for every user of the machine, or empty.
    std::string machinePreset;
    std::string besideProgram;
    // The file beside the program exists, or its folder takes new files.
    bool besideProgramUsable = false;
    // Where it goes when the program's folder takes none: on Windows a folder
    // of the machine that every user may write, so that the users of one
    // machine still share one list; on Linux the user's own folder.
    std::string elsewhere;
};

// The administrator's choice first, then beside the program, as earlier
// versions kept it, unless the program's folder takes no file of a user's (an
// installed program's folder is the system's; a 64-bit Windows program gets
// no virtual store to redirect such writes to).
std::string chooseSettingsFile(const SettingsFilePlaces& places);

// The places as this machine has them, and the choice among them. The folder
// of the file chosen elsewhere is made when it is missing.
std::string defaultSettingsFile(const std::string& programFolder, const std::string& fileName);

// The settings file an administrator set for every user of the machine, or
// empty.
std::string machineSettingsFilePreset();
// The folder of the machine (Windows) or the user (Linux) for a settings file
// that cannot lie beside the program.
std::string settingsFolderElsewhere();

} // namespace vm
