#pragma once

#include <string_view>

namespace vm {

// Paths are written with the platform's own separator. Windows also takes
// "/" between folders, so both count when a path is taken apart there.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr std::string_view kPathSeparators = "\\/";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kPathSeparators = "/";
#endif

} // namespace vm
