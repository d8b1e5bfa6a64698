#include "StartUpValues.h"

#include "HostRegistryNames.h"

#include <filesystem>

namespace standin::core {

namespace {

using namespace registry;

// The host's own folders are written as the system writes paths.
constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

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
        locations.push_back(
            {fileType.type,
             folder.empty() ? dataFolder + kSeparator + fileType.defaultFolder : folder,
             !folder.empty()});
    }
    return locations;
}

} // namespace standin::core
