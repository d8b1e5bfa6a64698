#include "platform/x11/WindowNames.h"

#include <gtest/gtest.h>

namespace vm::x11 {
namespace {

using namespace std::string_view_literals;

TEST(WindowNamesTest, TakesTheClassHalfOfWmClass) {
    EXPECT_EQ(classOfWmClass("actwin\0ACT3.0FrameClass\0"sv), "ACT3.0FrameClass");
    EXPECT_EQ(classOfWmClass("actwin\0Cut"sv), "Cut");
    EXPECT_EQ(classOfWmClass("ACT3.0FrameClass"sv), "") << "an instance alone is no class";
}

TEST(WindowNamesTest, ComparesClassesWithoutRegardToCase) {
    EXPECT_TRUE(containsIgnoringCase("xact3.0FRAMEclass2", "ACT3.0FrameClass"));
    EXPECT_FALSE(containsIgnoringCase("ACT3.0Frame", "ACT3.0FrameClass"));
    EXPECT_FALSE(containsIgnoringCase("ACT3-0FrameClass", "ACT3.0FrameClass"));
}

TEST(WindowNamesTest, SearchesOnlyTheFirst99CharactersOfATitleUpToANul) {
    EXPECT_EQ(searchedTitle("Login to A\0B"sv), "Login to A");
    std::string title;
    for (int i = 0; i < 98; ++i)
        title += "é";
    EXPECT_EQ(searchedTitle(title + "Login to"), title + "L");
    EXPECT_EQ(searchedTitle(title + "L"), title + "L");
}

TEST(WindowNamesTest, ReadsLatin1TitlesAsUtf8) {
    EXPECT_EQ(latin1ToUtf8("Login to D\xE9mo \xFF"), "Login to Démo ÿ");
}

} // namespace
} // namespace vm::x11
