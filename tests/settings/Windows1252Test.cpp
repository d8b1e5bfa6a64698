#include "settings/Windows1252.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace vm::windows1252 {
namespace {

TEST(Windows1252, EveryByteSurvivesARoundTripThroughUtf8) {
    EXPECT_EQ(fromUtf8(toUtf8(test::allBytes())), test::allBytes());
}

TEST(Windows1252, BytesMapToTheirCharacters) {
    const struct {
        char byte;
        const char* utf8;
    } cases[] = {
        {'A', "A"},           {'\x80', "€"},        {'\x81', "\xC2\x81"}, {'\x8D', "\xC2\x8D"},
        {'\x8F', "\xC2\x8F"}, {'\x90', "\xC2\x90"}, {'\x9D', "\xC2\x9D"}, {'\x99', "™"},
        {'\x9F', "Ÿ"},        {'\xA0', "\xC2\xA0"}, {'\xE9', "é"},        {'\xFF', "ÿ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(toUtf8(std::string(1, c.byte)), c.utf8);
        EXPECT_EQ(fromUtf8(c.utf8), std::string(1, c.byte));
    }
}

TEST(Windows1252, RefusesTextItCannotHoldAndMalformedUtf8) {
    const char* cases[] = {
        "\xC4\x80",         // U+0100, outside the code page
        "\xC2\x80",         // U+0080: byte 0x80 is the euro sign
        "\xE4\xB8\xAD",     // CJK
        "\xF0\x9F\x98\x80", // emoji
        "\x80",             // lone continuation byte
        "ab\xC3",           // cut sequence
        "\xC3(",            // bad continuation
        "\xC0\xAF",         // overlong
        "\xE0\x80\xAF",     // overlong
        "\xED\xA0\x80",     // UTF-16 surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xFF",
    };
    for (const char* utf8 : cases)
        EXPECT_EQ(fromUtf8(utf8), std::nullopt) << utf8;
}

TEST(Windows1252, NamesCompareWithoutRegardToLetterCase) {
    const struct {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"QuickSwitch", "quickswitch", true},
        {"\xC0\xC9\xCE\xD5\xDC\xDE", "\xE0\xE9\xEE\xF5\xFC\xFE", true}, // ÀÉÎÕÜÞ àéîõüþ
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},                 // ŠŒŽŸ šœžÿ
        {"\xD7", "\xF7", false},                                        // × ÷
        {"\xDF", "ss", false},
        {"@[", "`{", false},
        {"a", "ab", false},
        {"", "", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(equalsIgnoreCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

} // namespace
} // namespace vm::windows1252
