#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

// The text numbers of the reasons a friendly name is refused.
namespace nametext {
inline constexpr int kNotUnique = 121;
inline constexpr int kSeparator = 153;
inline constexpr int kListSection = 154;
inline constexpr int kNotRoundTrip = 155;
inline constexpr int kNotStorable = 156;
inline constexpr int kCaseTwin = 157;
inline constexpr int kListTooLong = 158;
} // namespace nametext

// A friendly name names a section of both stores and an element of the
// lists joined by ";", so it must be unique, non-empty and come back as it
// was written. Returns the number of the text that says why `name` cannot
// replace `loaded` (empty when a database is added) in the list `listed`,
// or nullopt when it can.
std::optional<int> friendlyNameProblem(std::string_view name, std::string_view loaded,
                                       const std::vector<std::string>& listed);

// Whether the settings can store the text: Windows-1252 holds it.
bool storable(std::string_view text);

} // namespace vm
