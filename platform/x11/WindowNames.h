#pragma once

#include "platform/WindowNames.h"

#include <string>
#include <string_view>

// How the window search reads the names of a window.
namespace vm::x11 {

// The class half of a WM_CLASS value ("instance\0class\0").
std::string_view classOfWmClass(std::string_view wmClass);

// A UTF-8 title as it is searched: cut at the first NUL and after 99
// characters, the most a title read for the search has ever held.
std::string_view searchedTitle(std::string_view utf8Title);

// WM_NAME of type STRING is Latin-1.
std::string latin1ToUtf8(std::string_view latin1);

} // namespace vm::x11
