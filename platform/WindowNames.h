#pragma once

#include <cstddef>
#include <string_view>

// How every window search compares the names of windows.
namespace vm {

// The most characters of a title the search looks at: a longer title is cut
// there, as the host's own search reads it.
inline constexpr std::size_t kLongestSearchedTitle = 99;

// ASCII letters compare without regard to case; other bytes as they are.
bool containsIgnoringCase(std::string_view text, std::string_view part);

} // namespace vm
