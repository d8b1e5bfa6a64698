#include "platform/x11/WindowNames.h"

#include "base/Utf8.h"

#include <algorithm>

namespace vm::x11 {

namespace {

constexpr std::size_t kLongestSearchedTitle = 99;

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string_view classOfWmClass(std::string_view wmClass) {
    const std::size_t end = wmClass.find('\0');
    if (end == std::string_view::npos)
        return {};
    const std::string_view rest = wmClass.substr(end + 1);
    return rest.substr(0, rest.find('\0'));
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    const auto same = [](char a, char b) { return asciiLower(a) == asciiLower(b); };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

std::string_view searchedTitle(std::string_view utf8Title) {
    std::string_view title = utf8Title.substr(0, utf8Title.find('\0'));
    std::size_t characters = 0;
    for (std::size_t pos = 0; pos < title.size(); ++pos) {
        if (!isContinuationByte(title[pos]) && ++characters > kLongestSearchedTitle)
            return title.substr(0, pos);
    }
    return title;
}

std::string latin1ToUtf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size() * 2);
    for (const char byte : latin1)
        utf8::append(utf8, static_cast<unsigned char>(byte));
    return utf8;
}

} // namespace vm::x11
