#include "logon/SecretText.h"

#include "platform/SecureWipe.h"

#include <algorithm>
#include <stdexcept>

namespace vm::logon {

void wipe(std::string& text) {
    secureWipe(text.data(), text.capacity());
    text.clear();
}

void wipe(std::u32string& text) {
    secureWipe(text.data(), text.capacity() * sizeof(char32_t));
    text.clear();
}

// A short text lives inside the string object itself, and moving it copies
// the characters: the source is wiped so that no copy stays behind.
SecretText::SecretText(SecretText&& other) noexcept
    : capacity_(other.capacity_), chars_(std::move(other.chars_)) {
    other.wipe();
}

void SecretText::append(char32_t c) {
    if (chars_.size() == capacity_)
        throw std::length_error("A secret text may not grow beyond its first capacity");
    chars_.push_back(c);
}

bool SecretText::wiped() const {
    const char32_t* begin = chars_.data();
    return std::all_of(begin, begin + chars_.capacity(), [](char32_t c) { return c == 0; });
}

} // namespace vm::logon
