#include "cipher/modEnCrypt.h"
#include "base/FailureReport.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace vm::modEnCrypt;

TEST(modEnCrypt, KeyPositionStartsAtTheSecondKeyCharacter) {
    // Position 1 takes key character 2, position 3 wraps to key character 1.
    const std::string text = {'\x01', '\x02', '\x03', '\x04'};
    const std::string expected = {static_cast<char>(1 + 'Y'), static_cast<char>(2 + 'Z'),
                                  static_cast<char>(3 + 'X'), static_cast<char>(4 + 'Y')};
    EXPECT_EQ(EncryptText(text, "XYZ"), expected);
}

TEST(modEnCrypt, SumsWrapModulo256AndCanProduceNul) {
    EXPECT_EQ(EncryptText("\xBF", "AA"), std::string(1, '\0'));
    EXPECT_EQ(DecryptText(std::string(1, '\0'), "AA"), "\xBF");
    EXPECT_EQ(DecryptText("\x01", "AA"), "\xC0"); // 1 - 65 wraps to 192
}

TEST(modEnCrypt, EmptyKeyOrTextIsReturnedUnchanged) {
    EXPECT_EQ(EncryptText("secret", ""), "secret");
    EXPECT_EQ(DecryptText("secret", ""), "secret");
    EXPECT_EQ(EncryptText("", "Velmaris"), "");
    EXPECT_EQ(DecryptText("", "Velmaris"), "");
}

TEST(modEnCrypt, KeyIsCaseInsensitiveInTheWindows1252CodePage) {
    const std::string text = vm::test::allBytes();
    EXPECT_EQ(EncryptText(text, "velmaris"), EncryptText(text, "VELMARIS"));
    EXPECT_EQ(EncryptText(text, "caf\xE9"), EncryptText(text, "CAF\xC9"));
    EXPECT_EQ(EncryptText(text, "\xFF\x9A"), EncryptText(text, "\x9F\x8A"));
}

TEST(modEnCrypt, EveryByteRoundTripsWithAnyKey) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const std::string key : {"Velmaris", "k", "\x01\xFF", "A much longer key than the text"}) {
        EXPECT_EQ(DecryptText(EncryptText(vm::test::allBytes(), key), key), vm::test::allBytes())
            << key;
        std::string text(1000, '\0');
        for (char& c : text)
            c = static_cast<char>(byte(random));
        EXPECT_EQ(DecryptText(EncryptText(text, key), key), text) << key;
    }
}

TEST(modEnCrypt, TooLongTextIsReportedAndGivesEmptyResult) {
    const vm::test::CapturedReports reports;
    const auto& prompter = reports.prompter;
    EXPECT_EQ(EncryptText(std::string(32767, 'a'), "Velmaris").size(), 32767u);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(EncryptText(std::string(32768, 'a'), "Velmaris"), "");
    EXPECT_EQ(DecryptText(std::string(40000, 'a'), "Velmaris"), "");
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].caption, "Velmaris error");
    EXPECT_EQ(prompter.asked[0].text.rfind(
                  "Error 6: 'Overflow'\rin modEnCrypt: Function EncryptText - Line # ", 0),
              0u);
    EXPECT_NE(prompter.asked[1].text.find("Function DecryptText"), std::string::npos);
}
