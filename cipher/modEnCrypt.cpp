#include "cipher/modEnCrypt.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"

#include <cstdint>

namespace vm::modEnCrypt {

namespace {

// Stored passwords were produced with a 16-bit position counter; a longer
// text overflows it, and the stored form must stay what it always was.
constexpr size_t kLongestText = 32767;

// Upper case in the Windows-1252 code page, as the key has always been
// compared there.
char upperCased(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        return static_cast<char>(b - 0x20);
    switch (b) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

// Position i (from 1) uses key character (i mod L) + 1: the first text
// character takes the key's second character, and the cycle starts over at
// the L-th.
std::string shift(const std::string& text, const std::string& key, int direction) {
    if (text.size() > kLongestText)
        throw Failure(err::kOverflow, "Overflow");
    const size_t length = key.size();
    std::string out;
    out.reserve(text.size());
    for (size_t i = 1; i <= text.size(); ++i) {
        const int c = static_cast<unsigned char>(text[i - 1]);
        const int k = static_cast<unsigned char>(key[i % length]);
        out += static_cast<char>((c + direction * k) & 0xFF);
    }
    return out;
}

std::string run(std::string_view procedure, const std::string& text, std::string key,
                int direction) {
    for (char& c : key)
        c = upperCased(c);
    if (key.empty())
        return text;
    return guarded({"modEnCrypt", "Function", procedure}, std::string(),
                   [&] { return shift(text, key, direction); });
}

} // namespace

std::string EncryptText(const std::string& text, std::string key) {
    return run("EncryptText", text, std::move(key), +1);
}

std::string DecryptText(const std::string& text, std::string key) {
    return run("DecryptText", text, std::move(key), -1);
}

} // namespace vm::modEnCrypt
