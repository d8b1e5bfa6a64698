#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin::core {

// The current user's registry as the host reads it: key paths below
// HKEY_CURRENT_USER, text in UTF-8.
class UserRegistry {
public:
    virtual ~UserRegistry() = default;
    // Only string values; nothing for a missing value or one of another kind.
    virtual std::optional<std::string> text(std::string_view key, std::string_view name) const = 0;
    // Only REG_DWORD values.
    virtual std::optional<std::uint32_t> number(std::string_view key,
                                                std::string_view name) const = 0;
};

// What the host takes from the registry when it starts.
struct StartUpSettings {
    bool useLastDatabase = false;
    std::string lastDatabase;
    std::string contactLayout;
    std::string groupLayout;
    std::string macro;
};

StartUpSettings readStartUpSettings(const UserRegistry& registry);
// "Use Last DB" alone, as the preference UseLastDBonStartup reports it.
bool readUseLastDatabase(const UserRegistry& registry);

// One of the twelve kinds of host files and the folder the host uses for it:
// the registry's "<type> File Type" value when set, else a folder below the
// host's data folder.
struct FileLocation {
    std::string type;
    std::string folder;
    bool fromRegistry = false;
};

std::vector<FileLocation> readFileLocations(const UserRegistry& registry,
                                            const std::string& dataFolder);

} // namespace standin::core
