#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vm::win32 {

// The program's UTF-8 text in the ANSI code page the "A" functions of Windows
// take, or nothing when a character has no place there: nothing is handed
// over as a look-alike.
std::optional<std::string> toAnsi(std::string_view utf8);
// What an "A" function gave back, in UTF-8.
std::string fromAnsi(std::string_view ansi);

} // namespace vm::win32
