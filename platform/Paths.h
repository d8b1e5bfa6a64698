#pragma once

namespace vm {

// Paths are written with the platform's own separator.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

} // namespace vm
