#include "Text.h"

#include "base/Utf8.h"

#include <algorithm>
#include <optional>

namespace standin::core {

namespace {

bool isSpace(char32_t c) {
    return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The character at `pos` and the position after it; a byte that starts no
// UTF-8 sequence is a character of its own that is neither space nor control.
char32_t next(std::string_view text, std::size_t& pos) {
    const std::optional<char32_t> c = vm::utf8::decode(text, pos);
    if (c)
        return *c;
    ++pos;
    return U'\uFFFD';
}

} // namespace

bool isBlank(std::string_view text) {
    return trimmed(text).empty();
}

std::string trimmed(std::string_view text) {
    std::size_t begin = text.size();
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t at = pos;
        if (!isSpace(next(text, pos))) {
            begin = std::min(begin, at);
            end = pos;
        }
    }
    return begin < end ? std::string(text.substr(begin, end - begin)) : std::string();
}

bool isCleanName(std::string_view name) {
    if (isBlank(name))
        return false;
    for (std::size_t pos = 0; pos < name.size();) {
        if (isControl(next(name, pos)))
            return false;
    }
    return true;
}

std::string firstCharacters(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (; pos < text.size() && count > 0; --count)
        next(text, pos);
    return std::string(text.substr(0, pos));
}

} // namespace standin::core
