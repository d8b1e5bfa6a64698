#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vm::win32 {

// The process's ANSI code page (GetACP), the one the "A" functions of Windows
// take. It is UTF-8 (65001) where the user has chosen "Use Unicode UTF-8 for
// worldwide language support".
unsigned ansiCodePage();

// The program's UTF-8 text in the given code page, or nothing when a
// character has no place there: nothing is handed over as a look-alike.
std::optional<std::string> toAnsi(std::string_view utf8, unsigned codePage = ansiCodePage());
// What an "A" function gave back, in UTF-8.
std::string fromAnsi(std::string_view ansi, unsigned codePage = ansiCodePage());

// The program's UTF-8 text for the "W" functions and automation strings, or
// nothing when it is not UTF-8.
std::optional<std::wstring> toWide(std::string_view utf8);
std::string fromWide(std::wstring_view wide);

} // namespace vm::win32
