#include "StartUpValues.h"

#include <array>

namespace standin::win {

namespace {

constexpr const char* kHostKey = "Software\\Symantec\\ACT!";
constexpr const char* kDatabaseKey = "Software\\Symantec\\ACT!\\Database";
constexpr const char* kGeneralKey = "Software\\Symantec\\ACT!\\General";

struct FileType {
    const char* type;
    const char* defaultFolder;
};

constexpr std::array<FileType, 12> kFileTypes = {{{"Attached Email", "Attachments"},
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

std::string text(const UserRegistry& registry, const char* key, const std::string& name) {
    return registry.text(key, name).value_or(std::string());
}

} // namespace

bool readUseLastDatabase(const UserRegistry& registry) {
    return registry.number(kDatabaseKey, "Use Last DB") == 1u;
}

StartUpSettings readStartUpSettings(const UserRegistry& registry) {
    return {readUseLastDatabase(registry), text(registry, kDatabaseKey, "Last DB Name"),
            text(registry, kDatabaseKey, "Contact Layout"),
            text(registry, kDatabaseKey, "Group Layout"),
            text(registry, kGeneralKey, "Macro Name")};
}

std::vector<FileLocation> readFileLocations(const UserRegistry& registry,
                                            const std::string& dataFolder) {
    std::vector<FileLocation> locations;
    for (const FileType& fileType : kFileTypes) {
        const std::string folder =
            text(registry, kHostKey, std::string(fileType.type) + " File Type");
        locations.push_back({fileType.type,
                             folder.empty() ? dataFolder + '\\' + fileType.defaultFolder : folder,
                             !folder.empty()});
    }
    return locations;
}

} // namespace standin::win
