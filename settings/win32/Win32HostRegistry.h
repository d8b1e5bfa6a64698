#pragma once

#include "settings/RegistrySubs.h"

#include <optional>
#include <string>

namespace vm {

// The host registry on Windows: the current user's hive through the ANSI
// registry functions, as the host itself reads it. Text is handed over in
// UTF-8 and stored in the ANSI code page; text that code page cannot hold is
// refused rather than stored with look-alikes.
class Win32HostRegistry : public HostRegistry {
public:
    bool keyExists(RegistryRoot root, std::string_view keyPath) override;
    [[nodiscard]] bool createKey(RegistryRoot root, std::string_view keyPath) override;
    [[nodiscard]] bool writeValue(RegistryRoot root, std::string_view keyPath,
                                  std::string_view name, const RegistryData& data) override;
};

// UTF-8 in the ANSI code page, or nothing when a character has no place there.
std::optional<std::string> toAnsiCodePage(std::string_view utf8);

} // namespace vm
