#pragma once

#include "host-standin/core/StartUpValues.h"

namespace standin::win {

// The host's behaviour is the portable core's; this folder adds Win32 and COM.
// HKEY_CURRENT_USER through the ANSI functions, as Velmaris writes the host's
// values there: text in the ANSI code page, numbers as REG_DWORD.
class WinUserRegistry : public core::UserRegistry {
public:
    std::optional<std::string> text(std::string_view key, std::string_view name) const override;
    std::optional<std::uint32_t> number(std::string_view key, std::string_view name) const override;
};

} // namespace standin::win
