#include "settings/UserFolders.h"

#include "platform/Paths.h"
#include "settings/SettingsSchema.h"

#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vm {

std::string userConfigFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config";
    return ".";
}

std::string defaultSettingsFile(const std::string& programFolder, const std::string& fileName) {
    const std::string besideProgram = programFolder + kPathSeparator + fileName;
#ifndef _WIN32
    std::error_code error;
    if (!std::filesystem::exists(besideProgram, error) &&
        ::access(programFolder.c_str(), W_OK) != 0)
        return userConfigFolder() + "/" + std::string(schema::kApplicationName) + "/" + fileName;
#endif
    return besideProgram;
}

} // namespace vm
