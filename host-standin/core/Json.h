#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace standin::core {

// A JSON value, enough for the journal's lines and the profile file. Text is
// UTF-8. An object is written with its members sorted by name, as Qt writes
// it, so that both hosts' files read alike.
class Json {
public:
    using Array = std::vector<Json>;
    using Object = std::vector<std::pair<std::string, Json>>;

    Json() = default;
    Json(std::nullptr_t) {}
    Json(bool b) : value_(b) {}
    Json(int n) : value_(static_cast<std::int64_t>(n)) {}
    Json(std::int64_t n) : value_(n) {}
    Json(const char* s) : value_(std::string(s)) {}
    Json(std::string s) : value_(std::move(s)) {}
    Json(Array a) : value_(std::move(a)) {}
    Json(Object o) : value_(std::move(o)) {}

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value_); }
    const std::string* text() const { return std::get_if<std::string>(&value_); }
    const std::int64_t* number() const { return std::get_if<std::int64_t>(&value_); }
    const bool* boolean() const { return std::get_if<bool>(&value_); }
    const Array* array() const { return std::get_if<Array>(&value_); }
    const Object* object() const { return std::get_if<Object>(&value_); }
    // The member's value, or null when this is no object or lacks it.
    const Json& operator[](std::string_view name) const;
    // The element, or null when this is no array or is shorter.
    const Json& at(std::size_t index) const;
    // The text, or empty when this is none: for comparisons where anything
    // else simply does not match.
    std::string textOrEmpty() const { return text() ? *text() : std::string(); }

    // Compact, on one line.
    std::string toText() const;
    // Qt's indented form, with a line break at the end.
    std::string toIndentedText() const;
    // Throws std::runtime_error saying where the text stops being JSON.
    // Numbers are whole numbers: the profile holds nothing else.
    static Json parse(std::string_view text);

private:
    std::variant<std::nullptr_t, bool, std::int64_t, std::string, Array, Object> value_;
};

// `text` as a JSON string, quotes included.
std::string quoted(std::string_view text);

} // namespace standin::core
