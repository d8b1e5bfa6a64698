#include "main/core/SettingsLocation.h"

#include "base/FailureReport.h"
#include "main/core/CheckedWrites.h"
#include "main/core/DatabaseOpening.h"
#include "main/core/Program.h"
#include "main/core/modFolderFileExists.h"
#include "settings/SettingsSchema.h"

namespace vm {

SettingsLocation::SettingsLocation(Program& program, bool& bChanged)
    : program_(program), bChanged_(bChanged) {}

std::string SettingsLocation::Form_Load() {
    loaded_ = program_.ini.sIniPath;
    return loaded_;
}

std::string SettingsLocation::browseFolder(const std::string& typed) const {
    const std::string folder = ExtractPath(typed);
    return folder.empty() ? program_.programFolder : folder;
}

bool SettingsLocation::cmdOK_Click(const std::string& typed) {
    return guarded({"frmLocations", "Sub", "cmdOK_Click"}, false, [&] {
        if (!modFolderFileExists::FileExists(typed)) {
            program_.tell("Invalid file specified!");
            return false;
        }
        saveSetting(program_.store, schema::kSettings, schema::kIniLocation, typed);
        if (typed != loaded_) {
            program_.ini.sIniPath = typed;
            bChanged_ = true;
        }
        return true;
    });
}

} // namespace vm
