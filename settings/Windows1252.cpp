#include "settings/Windows1252.h"

#include "base/Utf8.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vm::windows1252 {

namespace {

// Characters of bytes 0x80-0x9F; every other byte is the code point of the
// same number.
constexpr std::array<char32_t, 32> kBytes80To9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t characterOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kBytes80To9F[byte - 0x80] : byte;
}

std::optional<unsigned char> byteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    const auto found = std::find(kBytes80To9F.begin(), kBytes80To9F.end(), c);
    if (found == kBytes80To9F.end())
        return std::nullopt;
    return static_cast<unsigned char>(0x80 + (found - kBytes80To9F.begin()));
}

unsigned char folded(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F: // Ÿ
        return 0xFF;
    default:
        return c;
    }
}

} // namespace

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char byte : bytes)
        utf8::append(out, characterOf(static_cast<unsigned char>(byte)));
    return out;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::optional<char32_t> c = utf8::decode(utf8, pos);
        const std::optional<unsigned char> byte = c ? byteOf(*c) : std::nullopt;
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return folded(static_cast<unsigned char>(x)) == folded(static_cast<unsigned char>(y));
    });
}

} // namespace vm::windows1252
