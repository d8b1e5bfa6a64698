#pragma once

#include "host-standin/core/StartUpValues.h"
#include "settings/RegistryFile.h"

namespace standin {

// The host registry on Linux is the registry file shared with Velmaris; the
// core reads it through this, afresh at every read, as Velmaris may have just
// written it.
class RegistryFileValues : public core::UserRegistry {
public:
    explicit RegistryFileValues(vm::RegistryFile file) : file_(std::move(file)) {}

    const vm::RegistryFile& file() const { return file_; }
    std::optional<std::string> text(std::string_view key, std::string_view name) const override;
    std::optional<std::uint32_t> number(std::string_view key, std::string_view name) const override;

private:
    vm::RegistryFile file_;
};

} // namespace standin
