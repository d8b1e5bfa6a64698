#include "settings/UserFolders.h"

#include "base/Utf8Path.h"
#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>

namespace vm {

std::string userConfigFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config";
    return ".";
}

std::string chooseSettingsFile(const SettingsFilePlaces& places) {
    if (!places.machinePreset.empty())
        return places.machinePreset;
    return places.besideProgramUsable ? places.besideProgram : places.elsewhere;
}

std::string defaultSettingsFile(const std::string& programFolder, const std::string& fileName) {
    SettingsFilePlaces places;
    places.machinePreset = machineSettingsFilePreset();
    places.besideProgram = programFolder + kPathSeparator + fileName;
    places.besideProgramUsable =
        pathExists(places.besideProgram) || canCreateFilesIn(programFolder);
    const std::string folder = settingsFolderElsewhere();
    places.elsewhere = folder + kPathSeparator + fileName;
    std::string chosen = chooseSettingsFile(places);
    if (chosen == places.elsewhere) {
        // Not checked here: when the folder cannot be made, making the file
        // in it at start-up fails and says so.
        std::error_code ignored;
        std::filesystem::create_directories(utf8::toPath(folder), ignored);
    }
    return chosen;
}

} // namespace vm
