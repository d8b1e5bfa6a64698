#include "RegistryValues.h"

namespace standin {

std::optional<std::string> RegistryFileValues::text(std::string_view key,
                                                    std::string_view name) const {
    const std::optional<vm::RegistryData> data = file_.value(key, name);
    const auto* text = data ? std::get_if<std::string>(&*data) : nullptr;
    return text ? std::optional(*text) : std::nullopt;
}

std::optional<std::uint32_t> RegistryFileValues::number(std::string_view key,
                                                        std::string_view name) const {
    const std::optional<vm::RegistryData> data = file_.value(key, name);
    const auto* number = data ? std::get_if<std::uint32_t>(&*data) : nullptr;
    return number ? std::optional(*number) : std::nullopt;
}

} // namespace standin
