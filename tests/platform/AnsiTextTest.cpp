#ifdef _WIN32

#include "platform/win32/AnsiText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace vm::win32 {
namespace {

// "Café für Straße", a Hungarian "ő" and a Chinese "中", in UTF-8.
const std::string kWestern = "Caf\xC3\xA9 f\xC3\xBCr Stra\xC3\x9F"
                             "e";
const std::string kHungarian = "\xC5\x91";
const std::string kChinese = "\xE4\xB8\xAD";

TEST(AnsiTextTest, TheWesternCodePageTakesItsOwnLettersAndRefusesLookAlikes) {
    const std::string ansi = "Caf\xE9 f\xFCr Stra\xDF"
                             "e";
    EXPECT_EQ(toAnsi(kWestern, 1252), ansi);
    EXPECT_EQ(fromAnsi(ansi, 1252), kWestern);
    // "o" would name another file.
    EXPECT_EQ(toAnsi("C:\\" + kHungarian + ".dbf", 1252), std::nullopt);
    EXPECT_EQ(toAnsi(kChinese, 1252), std::nullopt);
    EXPECT_EQ(toAnsi("", 1252), std::string());
}

// The code page of Windows set to "Use Unicode UTF-8 for worldwide language
// support": every character has its place, and the "A" functions take UTF-8.
TEST(AnsiTextTest, TheUtf8CodePageTakesEveryCharacterAsItIs) {
    for (const std::string& text :
         {kWestern, kHungarian, kChinese, std::string("\xF0\x9F\x98\x80")}) {
        EXPECT_EQ(toAnsi(text, CP_UTF8), text);
        EXPECT_EQ(fromAnsi(text, CP_UTF8), text);
    }
    EXPECT_EQ(toAnsi("", CP_UTF8), std::string());
    // Text that is not UTF-8 is refused there too, not passed on.
    EXPECT_EQ(toAnsi("Caf\xE9", CP_UTF8), std::nullopt);
}

} // namespace
} // namespace vm::win32

#endif
