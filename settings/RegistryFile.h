#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace vm {

// On Linux the host's per-user registry (HKEY_CURRENT_USER) is a text file in
// REGEDIT4 form, shared by Velmaris (which writes it) and the stand-in host
// (which reads it at start-up). Key paths are given below the root with "\"
// between their parts, e.g. "Software\Symantec\ACT!\Database"; key paths and
// value names compare without regard to letter case, as in the registry.

using RegistryData = std::variant<std::string, std::uint32_t>; // REG_SZ or REG_DWORD

// $VELMARIS_HOST_REGISTRY when set, otherwise
// ${XDG_CONFIG_HOME:-$HOME/.config}/host-registry/HKEY_CURRENT_USER.reg
std::string hostRegistryFilePath();

class RegistryFile {
public:
    explicit RegistryFile(std::string path = hostRegistryFilePath());

    const std::string& path() const { return path_; }
    bool keyExists(std::string_view keyPath) const;
    // Creates the key (and its parents) when missing; false when the file
    // cannot be written.
    [[nodiscard]] bool createKey(std::string_view keyPath);
    // Creates the key as needed; false when the file cannot be written.
    [[nodiscard]] bool setValue(std::string_view keyPath, std::string_view valueName,
                                const RegistryData& data);
    std::optional<RegistryData> value(std::string_view keyPath, std::string_view valueName) const;
    // True also when there was no such value; false when the file cannot be
    // written.
    [[nodiscard]] bool deleteValue(std::string_view keyPath, std::string_view valueName);

private:
    std::string path_;
};

} // namespace vm
