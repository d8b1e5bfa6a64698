#include "main/core/StoredNumbers.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"

#include <charconv>
#include <limits>

namespace vm {

namespace {

// Blanks around the digits and a leading "+" are accepted, as a person
// editing the file would expect.
template <class Int>
Int readInteger(std::string_view text, std::string_view what, std::source_location where) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const std::string quoted = std::string(what) + " holds \"" + std::string(text) + "\"";
    if (text.empty() || end != text.data() + text.size()) {
        if (error == std::errc::result_out_of_range)
            throw Failure(err::kOverflow, "Overflow: " + quoted, where);
        throw Failure(err::kTypeMismatch, "Type mismatch: " + quoted + ", not a number", where);
    }
    if (error == std::errc::result_out_of_range || value < std::numeric_limits<Int>::min() ||
        value > std::numeric_limits<Int>::max())
        throw Failure(err::kOverflow, "Overflow: " + quoted, where);
    return static_cast<Int>(value);
}

} // namespace

std::int16_t readInt16(std::string_view text, std::string_view what, std::source_location where) {
    return readInteger<std::int16_t>(text, what, where);
}

std::int32_t readInt32(std::string_view text, std::string_view what, std::source_location where) {
    return readInteger<std::int32_t>(text, what, where);
}

float readSingle(std::string_view text, std::string_view what, std::source_location where) {
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size() || error != std::errc())
        throw Failure(err::kTypeMismatch,
                      "Type mismatch: " + std::string(what) + " holds \"" + std::string(text) +
                          "\", not a number",
                      where);
    return value;
}

} // namespace vm
