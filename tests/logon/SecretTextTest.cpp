#include "logon/SecretText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace vm::logon {
namespace {

template <class Text>
bool bufferIsZero(const typename Text::value_type* buffer, std::size_t capacity) {
    return std::all_of(buffer, buffer + capacity, [](auto c) { return c == 0; });
}

TEST(SecretTextTest, WipingZeroesTheWholeBufferOfShortAndLongTexts) {
    for (const std::size_t length : {3u, 200u}) {
        std::string text(length, 'p');
        text.resize(length / 2); // what lies beyond the end counts too
        const char* buffer = text.data();
        const std::size_t capacity = text.capacity();
        wipe(text);
        EXPECT_TRUE(text.empty());
        ASSERT_EQ(text.data(), buffer);
        EXPECT_TRUE(bufferIsZero<std::string>(buffer, capacity)) << length;

        std::u32string wide(length, U'ж');
        const char32_t* wideBuffer = wide.data();
        const std::size_t wideCapacity = wide.capacity();
        wipe(wide);
        ASSERT_EQ(wide.data(), wideBuffer);
        EXPECT_TRUE(bufferIsZero<std::u32string>(wideBuffer, wideCapacity)) << length;
    }
}

TEST(SecretTextTest, NeverGrowsAndLeavesNothingInATextItWasMovedFrom) {
    SecretText secret(2);
    secret.append(U'a');
    secret.append(U'b');
    EXPECT_THROW(secret.append(U'c'), std::length_error);
    EXPECT_EQ(secret.view(), U"ab");

    SecretText moved(std::move(secret));
    EXPECT_EQ(moved.view(), U"ab");
    EXPECT_TRUE(secret.wiped());
    EXPECT_FALSE(moved.wiped());
    moved.wipe();
    EXPECT_TRUE(moved.wiped());
}

} // namespace
} // namespace vm::logon
