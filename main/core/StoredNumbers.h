#pragma once

#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>

namespace vm {

// Stored numbers are text that anyone may have edited. A value that is not a
// whole number, or does not fit the width it is read with, raises a failure
// that names the value, instead of being taken as something it is not. The
// failure carries the caller's line.
std::int16_t readInt16(std::string_view text, std::string_view what,
                       std::source_location where = std::source_location::current());
std::int32_t readInt32(std::string_view text, std::string_view what,
                       std::source_location where = std::source_location::current());
// A single-precision number, as window positions are stored.
float readSingle(std::string_view text, std::string_view what,
                 std::source_location where = std::source_location::current());

} // namespace vm
