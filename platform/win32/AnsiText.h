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

// The program's UTF-8 text for the "W" functions and automation strings, or
// nothing when it is not UTF-8.
std::optional<std::wstring> toWide(std::string_view utf8);
std::string fromWide(std::wstring_view wide);

} // namespace vm::win32
