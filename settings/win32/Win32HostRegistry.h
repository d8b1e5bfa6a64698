#pragma once

#include "settings/RegistrySubs.h"

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
    std::optional<RegistryData> readValue(RegistryRoot root, std::string_view keyPath,
                                          std::string_view name) override;
    [[nodiscard]] bool deleteValue(RegistryRoot root, std::string_view keyPath,
                                   std::string_view name) override;
};

} // namespace vm
