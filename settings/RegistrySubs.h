#pragma once

#include "settings/RegistryFile.h"

#include <cstdint>
#include <string_view>
#include <variant>

namespace vm {

// The registry root every call names; only the current user's hive is used.
enum class RegistryRoot { CurrentUser };

// The host registry as the platform offers it: the real registry on Windows,
// the shared REGEDIT4 file on Linux.
class HostRegistry {
public:
    virtual ~HostRegistry() = default;
    virtual bool keyExists(RegistryRoot root, std::string_view keyPath) = 0;
    [[nodiscard]] virtual bool createKey(RegistryRoot root, std::string_view keyPath) = 0;
    [[nodiscard]] virtual bool writeValue(RegistryRoot root, std::string_view keyPath,
                                          std::string_view name, const RegistryData& data) = 0;
    // nullopt when the value is missing or of another kind than text or
    // number, which the host never stores in the values the program writes.
    virtual std::optional<RegistryData> readValue(RegistryRoot root, std::string_view keyPath,
                                                  std::string_view name) = 0;
    // True also when the value was missing.
    [[nodiscard]] virtual bool deleteValue(RegistryRoot root, std::string_view keyPath,
                                           std::string_view name) = 0;
};

class RegistryFileBackend : public HostRegistry {
public:
    explicit RegistryFileBackend(RegistryFile file = RegistryFile()) : file_(std::move(file)) {}
    bool keyExists(RegistryRoot, std::string_view keyPath) override;
    [[nodiscard]] bool createKey(RegistryRoot, std::string_view keyPath) override;
    [[nodiscard]] bool writeValue(RegistryRoot, std::string_view keyPath, std::string_view name,
                                  const RegistryData& data) override;
    std::optional<RegistryData> readValue(RegistryRoot, std::string_view keyPath,
                                          std::string_view name) override;
    [[nodiscard]] bool deleteValue(RegistryRoot, std::string_view keyPath,
                                   std::string_view name) override;

private:
    RegistryFile file_;
};

// What a caller may hand to SetRegistryValue: text becomes a string value,
// 16- and 32-bit integers a 32-bit number; the other kinds are refused.
using RegistryArgument =
    std::variant<std::string, std::int16_t, std::int32_t, std::int64_t, double, bool>;

class RegistrySubs {
public:
    explicit RegistrySubs(HostRegistry& registry) : registry_(registry) {}

    bool CheckRegistryKey(RegistryRoot root, std::string_view keyPath);
    void CreateRegistryKey(RegistryRoot root, std::string_view keyPath);
    [[nodiscard]] bool SetRegistryValue(RegistryRoot root, std::string_view keyPath,
                                        std::string_view valueName, const RegistryArgument& value);

private:
    HostRegistry& registry_;
};

} // namespace vm
