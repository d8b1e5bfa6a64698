#include "settings/RegistrySubs.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"

namespace vm {

namespace {

constexpr std::string_view kModule = "RegistrySubs";

std::optional<RegistryData> toRegistryData(const RegistryArgument& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return RegistryData(*text);
    if (const auto* small = std::get_if<std::int16_t>(&value))
        return RegistryData(static_cast<std::uint32_t>(static_cast<std::int32_t>(*small)));
    if (const auto* word = std::get_if<std::int32_t>(&value))
        return RegistryData(static_cast<std::uint32_t>(*word));
    return std::nullopt;
}

} // namespace

bool RegistryFileBackend::keyExists(RegistryRoot, std::string_view keyPath) {
    return file_.keyExists(keyPath);
}

bool RegistryFileBackend::createKey(RegistryRoot, std::string_view keyPath) {
    return file_.createKey(keyPath);
}

bool RegistryFileBackend::writeValue(RegistryRoot, std::string_view keyPath, std::string_view name,
                                     const RegistryData& data) {
    return file_.setValue(keyPath, name, data);
}

std::optional<RegistryData> RegistryFileBackend::readValue(RegistryRoot, std::string_view keyPath,
                                                           std::string_view name) {
    return file_.value(keyPath, name);
}

bool RegistryFileBackend::deleteValue(RegistryRoot, std::string_view keyPath,
                                      std::string_view name) {
    return file_.deleteValue(keyPath, name);
}

bool RegistrySubs::CheckRegistryKey(RegistryRoot root, std::string_view keyPath) {
    return registry_.keyExists(root, keyPath);
}

void RegistrySubs::CreateRegistryKey(RegistryRoot root, std::string_view keyPath) {
    guarded({kModule, "Sub", "CreateRegistryKey"}, [&] {
        if (!registry_.createKey(root, keyPath))
            throw Failure(err::kRegistry, "Unable to create the registry key");
    });
}

bool RegistrySubs::SetRegistryValue(RegistryRoot root, std::string_view keyPath,
                                    std::string_view valueName, const RegistryArgument& value) {
    return guarded({kModule, "Function", "SetRegistryValue"}, false, [&] {
        if (!CheckRegistryKey(root, keyPath))
            CreateRegistryKey(root, keyPath);
        if (!registry_.keyExists(root, keyPath))
            return false;
        const std::optional<RegistryData> data = toRegistryData(value);
        if (!data)
            throw Failure(err::kRegistry, "Unsupported value type");
        return registry_.writeValue(root, keyPath, valueName, *data);
    });
}

} // namespace vm
