#include "settings/SettingsSchema.h"
#include "settings/UserFolders.h"

namespace vm {

// Linux has no machine-wide choice of an administrator's: the packages put
// the program in a folder of the system, and each user's list lies in the
// user's own folder unless the user names a shared one.
std::string machineSettingsFilePreset() {
    return {};
}

std::string settingsFolderElsewhere() {
    return userConfigFolder() + "/" + std::string(schema::kApplicationName);
}

} // namespace vm
