#include "platform/x11/WindowNames.h"

#include "base/Utf8.h"

namespace vm::x11 {

namespace {

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
