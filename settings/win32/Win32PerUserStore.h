#pragma once

#include "settings/PerUserStore.h"

#include <string>
#include <vector>

namespace vm {

// The per-user store on Windows: the current user's registry key of the
// application, where earlier versions kept it, one subkey per section and
// one value per key; the registry compares names without regard to case.
//
// Text goes in as REG_SZ through the Unicode functions, so that any user name
// survives and values written by earlier versions in the ANSI code page read
// as the same text. The values of `byteKeys` (the enciphered passwords) are
// code-page bytes rather than text: they go in as the REG_SZ earlier versions
// wrote, through the ANSI functions, whenever the code page gives the same
// bytes back; a value that is neither (a NUL inside, bytes the code page does
// not map both ways, text that is not UTF-8) is kept byte for byte as
// REG_BINARY instead.
class Win32PerUserStore : public PerUserStore {
public:
    Win32PerUserStore(std::string_view applicationName, std::vector<std::string> byteKeys);

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) override;
    [[nodiscard]] bool SaveSetting(std::string_view section, std::string_view key,
                                   std::string_view value) override;
    [[nodiscard]] bool DeleteSetting(std::string_view section,
                                     std::optional<std::string_view> key = std::nullopt) override;
    [[nodiscard]] bool DeleteAll() override;
    std::string location() const override;

private:
    bool holdsBytes(std::string_view key) const;
    std::wstring applicationKey_;
    std::vector<std::string> byteKeys_;
};

} // namespace vm
