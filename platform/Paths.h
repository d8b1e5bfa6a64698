#pragma once

#include <string>
#include <string_view>

namespace vm {

// Paths are written with the platform's own separator. Windows also takes
// "/" between folders, so both count when a path is taken apart there.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr std::string_view kPathSeparators = "\\/";
inline constexpr std::string_view kProgramSuffix = ".exe";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kPathSeparators = "/";
inline constexpr std::string_view kProgramSuffix = "";
#endif

// Whether a file or folder of that name exists, as the desktop shell sees it.
bool pathExists(const std::string& path);
// Whether this user may make a new file in the folder, as far as the system
// tells (an existing folder the user may write).
bool canCreateFilesIn(const std::string& folder);

} // namespace vm
