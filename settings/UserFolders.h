#pragma once

#include <string>

namespace vm {

// The user's own configuration folder: $XDG_CONFIG_HOME, else ~/.config.
std::string userConfigFolder();

// The shared settings file of a user who has named none. Velmaris keeps it
// beside the program; an installed program's folder is the system's and
// takes no file of a user's, so there it lies in the user's own folder for
// Velmaris instead (Windows redirects such writes to a store of the user's
// in the same way).
std::string defaultSettingsFile(const std::string& programFolder, const std::string& fileName);

} // namespace vm
